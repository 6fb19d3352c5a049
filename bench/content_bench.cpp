// The content palette finds a category's entries again each time it shows it, and reads the
// object catalogue at start-up. Each run stands beside its floor: listing the folder and
// stating each file for a rebuild, the INI reader alone for the catalogue.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "bench_support.h"
#include "content/core/content_library_manager.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "port/folders.h"

namespace fs = std::filesystem;

namespace {

// The standard folders inside one scratch tree, in memory where the system offers it.
class BenchFolders : public port::Folders {
public:
    BenchFolders() {
        const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        root_ = base + "/dvx-content-bench." + std::to_string(getpid());
        for (const char* sub : {"local", "user", "users"}) fs::create_directories(root_ + "/" + sub);
        port::setFolders(this);
    }
    ~BenchFolders() override {
        port::setFolders(nullptr);
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::string applicationSupport(port::Domain domain) override {
        return root_ + (domain == port::Domain::Local ? "/local" : "/user");
    }
    std::string usersFolder() override { return root_ + "/users"; }
    std::string temporaryBase() override { return root_; }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

BenchFolders& Folders() {
    static BenchFolders folders;
    return folders;
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The least a rebuild could do: list the folder and state each file in it.
double ListAndStatFloor(const std::string& folder) {
    return dvxbench::BestSeconds(5, [&] {
        int64_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            struct stat st;
            if (::stat(entry.path().c_str(), &st) == 0) bytes += st.st_size;
        }
        benchmark::DoNotOptimize(bytes);
    });
}

void RunRebuild(benchmark::State& state, const char* family, ContentCategoryItem& node) {
    ContentLibraryManager& manager = ContentLibraryManager::sharedContentLibraryManager();
    dvxbench::Measured measured(state, family, ListAndStatFloor(node.fullPath()));
    measured.start();
    for (auto _ : state) manager.rebuildSymEntryListForItem(&node);
    measured.report();
    state.counters["entries"] = static_cast<double>(node.numberOfSymEntries());
    state.SetLabel(dvxbench::IsMemoryFileSystem(node.fullPath()) ? "files in memory" : "files on disk");
}

// A category folder of 3D objects, each with its data, info and preview file.
void BM_RebuildObjectFolder(benchmark::State& state) {
    const auto count = state.range(0);
    const std::string folder = LocalDomain3DObjectPath() + "/Generated" + std::to_string(count);
    (void)Folders();
    if (!fs::exists(folder)) {
        fs::create_directories(folder);
        for (int64_t i = 0; i < count; ++i) {
            const std::string stem = folder + "/object" + std::to_string(i);
            Write(stem + ".POB", "");
            Write(stem + ".PPV", "");
            Write(stem + ".POD", "[Description]\nObjectName=Object " + std::to_string(i) +
                                     "\nObjectDescription=A generated object\n");
        }
    }
    auto node = ContentCategoryItem::initWithName("Generated", folder.c_str(), nullptr, content::kObjectsCategory,
                                                  content::kObject3DLibrary);
    RunRebuild(state, "object folder", *node);
}
BENCHMARK(BM_RebuildObjectFolder)->Arg(2000)->Unit(benchmark::kMillisecond);

// The stock shrub library: 682 numbered textures with info files and previews.
void BM_RebuildNumberedShrubs(benchmark::State& state) {
    (void)Folders();
    const std::string folder = LocalDomainPlantPath() + "/Shrubs";
    const auto count = state.range(0);
    if (!fs::exists(folder)) {
        fs::create_directories(folder);
        for (int64_t n = 1; n <= count; ++n) {
            const std::string stem = folder + "/SHRUB" + std::to_string(n);
            Write(stem + ".PTX", "");
            Write(stem + ".PPV", "");
            Write(stem + ".PTI", "[Description]\nCommonName=Shrub " + std::to_string(n) + "\n");
        }
    }
    auto node = ContentCategoryItem::initWithName("Shrubs", folder.c_str(), nullptr, content::kPlantsCategory,
                                                  content::kStockPlantLibrary);
    node->setBaseTextureID(5000, static_cast<uint32_t>(count), "SHRUB");
    RunRebuild(state, "numbered shrubs", *node);
}
BENCHMARK(BM_RebuildNumberedShrubs)->Arg(682)->Unit(benchmark::kMillisecond);

// The object tree from a catalogue of `categories` categories of ten sub-categories each.
void BM_ObjectCatalogue(benchmark::State& state) {
    (void)Folders();
    const auto categories = state.range(0);
    const std::string path = LocalDomainUserSharedPath() + "/Zelt/ObjectCat.ini";
    fs::create_directories(fs::path(path).parent_path());
    std::string text = "[Object]\n";
    auto listed = [&](const std::string& section, const std::string& name, int64_t n) {
        text += std::to_string(n) + section + "=" + name + "\n";
        text += std::to_string(n) + section + "Directory=" + name + "\n";
    };
    for (int64_t c = 1; c <= categories; ++c) listed("Object", "Category " + std::to_string(c), c);
    for (int64_t c = 1; c <= categories; ++c) {
        const std::string name = "Category " + std::to_string(c);
        text += "[" + name + "]\n";
        for (int64_t s = 1; s <= 10; ++s) listed(name, "Sub " + std::to_string(s), s);
    }
    Write(path, text);

    // The floor reads the same keys, ending "Done" keys included, with the INI reader alone.
    auto readKeys = [&](const std::string& section, int64_t listedCount) {
        char value[kContentValueLength + 1];
        for (int64_t n = 1; n <= listedCount + 1; ++n) {
            const std::string key = std::to_string(n) + section;
            GetPrivateProfileString(section.c_str(), key.c_str(), "Done", value, sizeof value, path.c_str());
            GetPrivateProfileString(section.c_str(), (key + "Directory").c_str(), "Done", value, sizeof value,
                                    path.c_str());
        }
    };
    const double floor = dvxbench::BestSeconds(3, [&] {
        readKeys("Object", categories);
        for (int64_t c = 1; c <= categories; ++c) readKeys("Category " + std::to_string(c), 10);
    });
    ContentLibraryManager& manager = ContentLibraryManager::sharedContentLibraryManager();
    dvxbench::Measured measured(state, "object catalogue", floor);
    measured.start();
    for (auto _ : state) {
        ContentCategoryList list;
        manager.buildLibraryOfType(content::kObject3DLibrary, list);
        benchmark::DoNotOptimize(list.data());
        if (static_cast<int64_t>(list.size()) != categories) state.SkipWithError("categories missing");
    }
    measured.report();
}
BENCHMARK(BM_ObjectCatalogue)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
