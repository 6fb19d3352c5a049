// The content palette finds a category's entries again each time it shows it, reads the
// object catalogue at start-up and searches the library. Each run stands beside its floor:
// listing the folder and stating each file for a rebuild, the INI reader alone for the
// catalogue, reading the same info files' bytes with no parsing for a search.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>
#include <sys/stat.h>

#include "bench_support.h"
#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "content/core/content_searches.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "files/texture_files.h"
#include "port/folders.h"

namespace fs = std::filesystem;

namespace {

// The standard folders inside one scratch tree, in memory where the system offers it.
class BenchFolders : public port::Folders {
public:
    BenchFolders() {
        const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        root_ = base + "/dvx-content-bench." + std::to_string(getpid());
        for (const char* sub : {"local", "user"}) fs::create_directories(root_ + "/" + sub);
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
    const std::string path = LocalDomainUserSharedPath() + "/ObjectCat.ini";
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

// Reads each file whole, parsing nothing.
double ReadBytesFloor(const std::vector<std::string>& paths) {
    return dvxbench::BestSeconds(3, [&] {
        int64_t bytes = 0;
        for (const std::string& path : paths) {
            std::ifstream in(path, std::ios::binary);
            bytes += std::string(std::istreambuf_iterator<char>(in), {}).size();
        }
        benchmark::DoNotOptimize(bytes);
    });
}

// Every stock plant (2,295) with its data and info file, none matching: the whole walk.
const std::vector<std::string>& StockPlantInfos() {
    static std::vector<std::string> infos = [] {
        (void)Folders();
        std::vector<std::string> out;
        for (const content::BuiltInLibrary& row : content::BuiltInPlantLibraries())
            for (int32_t id = row.baseTextureID; id < row.baseTextureID + int32_t(row.textureCount); ++id) {
                char path[kTexturePathBufferSize] = {};
                GetTextureInfoFileNameFromID(id, path);
                fs::create_directories(fs::path(path).parent_path());
                Write(path, "[Description]\nCommonName=Plant " + std::to_string(id) +
                                "\nBotanicalName=Planta generica\nSunLight=2\nWater=3\nZone4=1\nZone5=1\n");
                Write(std::string(path, std::strlen(path) - 3) + "PTX", "");
                out.push_back(path);
            }
        return out;
    }();
    return infos;
}

// By name (both keys read) and by condition (sun, water, then the zone keys).
void BM_SearchStockPlants(benchmark::State& state) {
    const std::vector<std::string>& infos = StockPlantInfos();
    const bool byName = state.range(0) == 0;
    auto results = ContentCategoryItem::initWithName("", nullptr, nullptr, content::kPlantsCategory,
                                                     content::kSearchResultsLibrary);
    const ContentCategoryList none;
    dvxbench::Measured measured(state, byName ? "stock plants by name" : "stock plants by condition",
                                ReadBytesFloor(infos));
    measured.start();
    for (auto _ : state) {
        if (byName)
            content::SearchPlantsUsingName(results.get(), none, "rosa", 0xfff, true, false, 100);
        else
            content::SearchPlantsUsingZoneFilter(results.get(), none, {1, 2, 0, 4, 0}, true, false, 100);
    }
    measured.report();
    state.counters["files"] = double(infos.size());
    state.counters["entries"] = double(results->numberOfSymEntries());
}
BENCHMARK(BM_SearchStockPlants)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 10,000 objects in 100 folders, every one matching: the limit ends the walk early or not.
void BM_SearchObjects(benchmark::State& state) {
    (void)Folders();
    static ContentCategoryList tree;
    static std::vector<std::string> infos;
    if (tree.empty()) {
        tree.push_back(ContentCategoryItem::initWithName("Objects", nullptr, nullptr, content::kObjectsCategory,
                                                         content::kObject3DLibrary));
        for (int f = 0; f < 100; ++f) {
            const std::string folder = LocalDomain3DObjectPath() + "/Search" + std::to_string(f);
            fs::create_directories(folder);
            tree[0]->addChildWithName(("Search " + std::to_string(f)).c_str(), folder.c_str(), tree[0].get(),
                                      content::kObjectsCategory, content::kObject3DLibrary);
            for (int i = 0; i < 100; ++i) {
                const std::string stem = folder + "/object" + std::to_string(i);
                Write(stem + ".POB", ""), Write(stem + ".PPV", "");
                Write(stem + ".POD", "[Description]\nObjectName=Chair " + std::to_string(i) +
                                         "\nObjectDescription=A generated chair\n");
                infos.push_back(stem + ".POD");
            }
        }
    }
    const auto limit = size_t(state.range(0));
    auto results = ContentCategoryItem::initWithName("", nullptr, nullptr, content::kObjectsCategory,
                                                     content::kSearchResultsLibrary);
    dvxbench::Measured measured(state, "objects by name", ReadBytesFloor(infos));
    measured.start();
    for (auto _ : state) content::SearchObjectsUsingName(results.get(), tree, "chair", false, true, limit);
    measured.report();
    state.counters["entries"] = double(results->numberOfSymEntries());
}
BENCHMARK(BM_SearchObjects)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
