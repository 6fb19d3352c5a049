#include "content/core/content_searches.h"

#include <algorithm>
#include <array>

#include "app/core/localization_seams.h"
#include "content/core/builtin_libraries.h"
#include "content/core/content_library_manager.h"
#include "content/core/library_files.h"
#include "files/ini.h"
#include "files/texture_files.h"
#include "model/content_types.h"
#include "model/sym_entry.h"
#include "plan/annotations/plan_text.h"
#include "port/files.h"

namespace content {

namespace {

constexpr const char* kDescription = "Description";
constexpr const char* kAbsent = "Done";

// Mac OS Roman letters folded to lower case: ASCII and the accented capitals.
constexpr std::array<uint8_t, 256> MakeFold() {
    std::array<uint8_t, 256> fold{};
    for (int c = 0; c < 256; ++c) fold[size_t(c)] = uint8_t(c);
    for (int c = 'A'; c <= 'Z'; ++c) fold[size_t(c)] = uint8_t(c - 'A' + 'a');
    constexpr uint8_t pairs[][2] = {
        {0x80, 0x8A}, {0x81, 0x8C}, {0x82, 0x8D}, {0x83, 0x8E}, {0x84, 0x96}, {0x85, 0x9A}, {0x86, 0x9F},
        {0xAE, 0xBE}, {0xAF, 0xBF}, {0xCB, 0x88}, {0xCC, 0x8B}, {0xCD, 0x9B}, {0xCE, 0xCF}, {0xD9, 0xD8},
        {0xE5, 0x89}, {0xE6, 0x90}, {0xE7, 0x87}, {0xE8, 0x91}, {0xE9, 0x8F}, {0xEA, 0x92}, {0xEB, 0x94},
        {0xEC, 0x95}, {0xED, 0x93}, {0xEE, 0x97}, {0xEF, 0x99}, {0xF1, 0x98}, {0xF2, 0x9C}, {0xF3, 0x9E},
        {0xF4, 0x9D}};
    for (const auto& p : pairs) fold[p[0]] = p[1];
    return fold;
}
constexpr std::array<uint8_t, 256> kFold = MakeFold();

bool SameLetter(char a, char b) { return kFold[uint8_t(a)] == kFold[uint8_t(b)]; }

bool ContainsIgnoringCase(const std::string& value, const std::string& text) {
    return std::search(value.begin(), value.end(), text.begin(), text.end(), SameLetter) != value.end();
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetter);
}

std::string ReadValue(const ProfileFile& info, const char* key, const char* fallback) {
    char value[kContentValueLength + 1];
    info.getString(kDescription, key, fallback, value, sizeof value);
    return value;
}

std::string PlantDescription(const ProfileFile& info) {
    const std::string name = ReadValue(info, "CommonName", "");
    return name.empty() ? LocalizedString("No description") : name;
}

std::string ObjectDescription(const ProfileFile& info) {
    const std::string name = ReadValue(info, "ObjectName", "");
    const std::string text = ReadValue(info, "ObjectDescription", "");
    if (!text.empty() && text != name) return LocalizedFormat("%s (%s)", {name.c_str(), text.c_str()});
    return LocalizedFormat("%s", {name.c_str()});
}

bool Accepts(uint32_t filter, int32_t value, int32_t width) {
    return value >= 1 && value <= width && (filter >> (value - 1) & 1u) != 0;
}

bool PlantNameMatches(const ProfileFile& info, const std::string& text) {
    return NameTestMatches(info, "CommonName", text) || NameTestMatches(info, "BotanicalName", text);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool NameTestMatches(const ProfileFile& info, const char* key, const std::string& text) {
    const std::string value = ReadValue(info, key, kAbsent);
    if (value == kAbsent || value.size() < text.size()) return false;
    return ContainsIgnoringCase(value, text);
}

bool ConditionTestPasses(const ProfileFile& info, const PlantConditions& c) {
    const auto read = [&info](const char* key) { return info.getInt(kDescription, key, 0); };
    if (c.sun && !Accepts(c.sun, read("SunLight"), 4)) return false;
    if (c.water && !Accepts(c.water, read("Water"), 4)) return false;
    if (c.propagation && !Accepts(c.propagation, read("Propagation"), 4)) return false;
    if (c.soil && !Accepts(c.soil, read("SoilType"), 8)) return false;
    if (c.zone) {
        for (int32_t k = 1; k <= 10; ++k)
            if ((c.zone >> (k - 1) & 1u) && read(("Zone" + std::to_string(k)).c_str()) == 1) return true;
        return false;
    }
    return true;
}

bool ContentSearch::belowLimit() const { return results_ && results_->numberOfSymEntries() < limit_; }

template <class Test>
void ContentSearch::searchOEMPlants(uint32_t filter, Test test) {
    int32_t identifier = 1;
    const auto table = BuiltInPlantLibraries();
    for (size_t k = 0; k < table.size() && belowLimit(); ++k) {
        if (!(filter >> k & 1u)) continue;
        const BuiltInLibrary& row = table[k];
        char first[kTexturePathBufferSize] = {};
        GetTextureInfoFileNameFromID(row.baseTextureID, first);
        // One listing per category: the table's folder as the disk spells it.
        FolderListing folder(FolderOf(first));
        if (folder.folder().empty()) continue;
        for (int64_t id = row.baseTextureID; id < int64_t(row.baseTextureID) + row.textureCount; ++id) {
            if (!belowLimit()) return;
            char path[kTexturePathBufferSize] = {};
            GetTextureInfoFileNameFromID(int32_t(id), path);
            const std::string info = folder.find(NameOf(path));
            if (info.empty()) continue;
            const std::string data = folder.find(NameOf(WithExtension(info, "PTX")));
            if (data.empty()) continue;
            const ProfileFile ini(info.c_str());
            if (!test(ini)) continue;
            const std::string preview = folder.find(NameOf(WithExtension(info, "PPV")));
            results_->addSymEntryWithPreviewPath(preview.c_str(), info.c_str(), data.c_str(),
                                                 PlantDescription(ini).c_str(), int32_t(id), identifier++,
                                                 symentry::kStockPlant);
        }
    }
}

void ContentSearch::searchOEMPlantsUsingName(const std::string& text, uint32_t filter) {
    if (text.empty() || filter == 0) return;
    searchOEMPlants(filter, [&text](const ProfileFile& ini) { return PlantNameMatches(ini, text); });
}

void ContentSearch::searchOEMPlantsUsingZoneFilter(const PlantConditions& conditions) {
    if (!conditions.any()) return;
    searchOEMPlants(~0u, [&conditions](const ProfileFile& ini) { return ConditionTestPasses(ini, conditions); });
}

template <class Test>
void ContentSearch::searchUserPlants(ContentCategoryItem* item, int32_t* identifier, Test test) {
    if (!item || !identifier || item->libraryType() != kCustomPlantLibrary) return;
    if (item->numberOfChildren() > 0) {
        for (const auto& child : item->children()) {
            if (!belowLimit()) return;
            searchUserPlants(child.get(), identifier, test);
        }
        return;
    }
    if (item->fullPath().empty()) return;
    FolderListing folder(item->fullPath());
    for (const std::string& name : folder.names()) {
        if (!belowLimit()) return;
        if (!HasDataExtension(name, ".PTI")) continue;
        const std::string info = folder.find(name);
        const std::string data = folder.find(WithExtension(name, "PTX"));
        if (data.empty() || !port::FileExists(info)) continue;
        const ProfileFile ini(info.c_str());
        if (!test(ini)) continue;
        const std::string preview = folder.find(WithExtension(name, "PPV"));
        results_->addSymEntryWithPreviewPath(preview.c_str(), info.c_str(), data.c_str(), PlantDescription(ini).c_str(),
                                             (*identifier)++, symentry::kUserPlant);
    }
}

void ContentSearch::searchUserPlantsUsingName(const std::string& text, ContentCategoryItem* item, int32_t* identifier) {
    if (text.empty()) return;
    searchUserPlants(item, identifier, [&text](const ProfileFile& ini) { return PlantNameMatches(ini, text); });
}

void ContentSearch::searchUserPlantsUsingZoneFilter(const PlantConditions& conditions, ContentCategoryItem* item,
                                                    int32_t* identifier) {
    if (!conditions.any()) return;
    searchUserPlants(item, identifier,
                     [&conditions](const ProfileFile& ini) { return ConditionTestPasses(ini, conditions); });
}

struct ContentSearch::ObjectKind {
    int16_t libraryType;
    const char* infoEnding;  // ".POD"
    const char* dataExtension;
    bool keyWords;  // "KeyWords" is tested last
    int16_t entryType;
};

void ContentSearch::searchObjects(const std::string& text, ContentCategoryItem* item, const ObjectKind& kind) {
    if (text.empty() || !item || item->libraryType() != kind.libraryType || !belowLimit()) return;
    if (item->numberOfChildren() > 0) {
        for (const auto& child : item->children()) {
            if (!belowLimit()) return;
            searchObjects(text, child.get(), kind);
        }
        return;
    }
    if (item->fullPath().empty()) return;
    FolderListing folder(item->fullPath());
    int32_t identifier = 1;
    for (const std::string& name : folder.names()) {
        if (!belowLimit()) return;
        if (!HasDataExtension(name, kind.infoEnding)) continue;
        const std::string info = folder.find(name);
        const ProfileFile ini(info.c_str());
        const bool match = NameTestMatches(ini, "ObjectName", text) || NameTestMatches(ini, "ObjectDescription", text) ||
                           (kind.keyWords && NameTestMatches(ini, "KeyWords", text));
        if (!match) continue;
        const std::string data = folder.find(WithExtension(name, kind.dataExtension));
        const std::string preview = folder.find(WithExtension(name, "PPV"));
        if (data.empty() || preview.empty()) continue;
        results_->addSymEntryWithPreviewPath(preview.c_str(), info.c_str(), data.c_str(), ObjectDescription(ini).c_str(),
                                             identifier++, kind.entryType);
    }
}

void ContentSearch::search3DObjectsUsingName(const std::string& text, ContentCategoryItem* item) {
    searchObjects(text, item, {kObject3DLibrary, ".POD", "POB", true, symentry::kObject});
}

void ContentSearch::search2DObjectsUsingName(const std::string& text, ContentCategoryItem* item) {
    searchObjects(text, item, {kSymbol2DLibrary, ".PTI", "PSY", false, symentry::kSymbol});
}

namespace {

// Every folder of the user's tree but the results' own, one numbering across them, until the
// results are full.
template <class Search>
void SearchUserTree(const ContentSearch& search, const ContentCategoryList& tree, const ContentCategoryItem* results,
                    Search searchNode) {
    int32_t identifier = 1;
    for (const auto& node : tree) {
        if (!search.belowLimit()) break;
        if (node.get() != results) searchNode(node.get(), &identifier);
    }
}

}  // namespace

void SearchPlantsUsingName(ContentCategoryItem* results, const ContentCategoryList& plantTree,
                           const std::string& text, uint32_t filter, bool searchOEMLib, bool searchUserLib,
                           size_t limit) {
    if (!results) return;
    results->removeAllSymEntries();
    ContentSearch search(results, limit);
    if (filter != 0 && searchOEMLib) search.searchOEMPlantsUsingName(text, filter);
    if (!searchUserLib) return;
    SearchUserTree(search, plantTree, results, [&](ContentCategoryItem* node, int32_t* identifier) {
        search.searchUserPlantsUsingName(text, node, identifier);
    });
}

void SearchPlantsUsingZoneFilter(ContentCategoryItem* results, const ContentCategoryList& plantTree,
                                 const PlantConditions& conditions, bool searchOEMLib, bool searchUserLib,
                                 size_t limit) {
    if (!results) return;
    results->removeAllSymEntries();
    if (!conditions.any()) return;
    ContentSearch search(results, limit);
    if (searchOEMLib) search.searchOEMPlantsUsingZoneFilter(conditions);
    if (!searchUserLib) return;
    SearchUserTree(search, plantTree, results, [&](ContentCategoryItem* node, int32_t* identifier) {
        search.searchUserPlantsUsingZoneFilter(conditions, node, identifier);
    });
}

void SearchObjectsUsingName(ContentCategoryItem* results, const ContentCategoryList& objectTree,
                            const std::string& text, bool search2DLib, bool search3DLib, size_t limit) {
    if (!results) return;
    results->removeAllSymEntries();
    ContentSearch search(results, limit);
    for (const auto& node : objectTree) {
        if (!node || node.get() == results) continue;
        if (node->libraryType() == kSymbol2DLibrary && search2DLib) search.search2DObjectsUsingName(text, node.get());
        if (node->libraryType() == kObject3DLibrary && search3DLib) search.search3DObjectsUsingName(text, node.get());
    }
}

std::string SearchResultsName(const ContentCategoryItem& results) {
    std::string name = LocalizedString("Search results (%ld items)");
    const size_t at = name.find("%ld");
    if (at != std::string::npos) name.replace(at, 3, std::to_string(results.numberOfSymEntries()));
    return name;
}

ContentCategoryItem* locateUserPlantCategoryForItem(ContentCategoryItem* item, const char* basePath) {
    if (!item || !basePath) return nullptr;
    for (const auto& child : item->children())
        if (child && EqualIgnoringCase(child->fullPath(), basePath)) return child.get();
    return nullptr;
}

}  // namespace content
