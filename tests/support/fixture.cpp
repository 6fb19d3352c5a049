#include "support/fixture.h"

#include "port/services.h"

#include <cstdlib>
#include <filesystem>

namespace dvxtest {

void ResetAllGlobals() {
    port::ResetServices();
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

void DocumentTest::SetUp() {
    ResetAllGlobals();
}

void DocumentTest::TearDown() {
    ResetAllGlobals();
}

} // namespace dvxtest
