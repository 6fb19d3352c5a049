#include "support/fixture.h"

#include "model/document_model.h"
#include "port/files.h"
#include "port/seam.h"
#include "port/services.h"
#include "support/doubles.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace dvxtest {

namespace {
std::vector<void (*)()>& Fillers() {
    static std::vector<void (*)()> fillers;
    return fillers;
}
}  // namespace

void AddTableFiller(void (*fill)()) { Fillers().push_back(fill); }

void ResetAllGlobals() {
    port::ResetServices();
    // Seams first: the resets below free lists, and freeing must not reach a test's handler.
    port::ResetEverySeam();
    port::ResetEveryGlobal();
    // The tables start-up fills (rebuilds, command rows); a test may register its own over them.
    for (void (*fill)() : Fillers()) fill();
}

std::string FreshTempFolder(const std::string& name) {
    const char* base = std::getenv("DVX_TEST_TMP");
    std::filesystem::path root = base && *base ? base : std::filesystem::temp_directory_path() / "dvx-tests";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string id = info ? std::string(info->test_suite_name()) + "." + info->name() : "none";
    std::filesystem::path dir = root / (id + "." + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::map<std::string, std::vector<uint8_t>> FilesBelow(const std::string& root) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::vector<uint8_t> bytes;
        port::ReadWholeFile(entry.path().string(), bytes);
        files[std::filesystem::relative(entry.path(), root).string()] = std::move(bytes);
    }
    return files;
}

DocumentTest::DocumentTest() = default;
DocumentTest::~DocumentTest() = default;

void DocumentTest::SetUp() {
    ResetAllGlobals();
    folders = std::make_unique<TempFolders>(FreshTempFolder("folders"));
    port::setFolders(folders.get());
    doc = QMDDocumentModel::alloc()->init();
    ASSERT_NE(doc, nullptr);
}

void DocumentTest::TearDown() {
    if (doc) doc->dealloc();
    doc = nullptr;
    ResetAllGlobals();
    folders.reset();
}

} // namespace dvxtest
