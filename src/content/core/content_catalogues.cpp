// The two catalogue readers of the shared content library manager.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "content/core/content_library_manager.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "port/files.h"

namespace {

constexpr const char* kDone = "Done";

struct Catalogue {
    const char* file;
    const char* section;
    int16_t categoryType;
    std::string (*root)();  // the main reader's root folder
};

const Catalogue* MainCatalogue(int16_t libraryType) {
    static const Catalogue kAccessories{"AccessoriesCat.ini", "Accessories", content::kAccessoriesCategory,
                                        LocalDomainAccessoriesPath};
    static const Catalogue kObjects{"ObjectCat.ini", "Object", content::kObjectsCategory, LocalDomain3DObjectPath};
    static const Catalogue kTemplates{"TemplateCat.ini", "Template", content::kTemplatesCategory,
                                      LocalDomainTemplatePath};
    static const Catalogue kDoors{"DoorCat.ini", "Door", content::kCustomDoorsCategory, LocalDomainCustomDoorPath};
    static const Catalogue kWindows{"WindowCat.ini", "Window", content::kCustomWindowsCategory,
                                    LocalDomainCustomWindowPath};
    switch (libraryType) {
    case content::kAccessoriesLibrary: return &kAccessories;
    case content::kObject3DLibrary: return &kObjects;
    case content::kTemplateLibrary: return &kTemplates;
    case content::kCustomDoorLibrary: return &kDoors;
    case content::kCustomWindowLibrary: return &kWindows;
    default: return nullptr;
    }
}

const Catalogue* SecondCatalogue(int16_t libraryType) {
    static const Catalogue kPaint{"PaintCat.ini", "Paint", content::kColorsCategory, nullptr};
    static const Catalogue kMaterials{"CustomMaterialsCat.ini", "Custom Materials", content::kMaterialsCategory,
                                      nullptr};
    static const Catalogue kTrim{"TrimCat.ini", "Trim", content::kTrimCategory, nullptr};
    static const Catalogue kSymbols{"SymbolCat.ini", "Symbol", content::kObjectsCategory, nullptr};
    static const Catalogue kObjects{"ObjectCat.ini", "Object", content::kObjectsCategory, nullptr};
    static const Catalogue kPlants{"PlantCat.ini", "Plant", content::kPlantsCategory, nullptr};
    switch (libraryType) {
    case content::kPaintLibrary: return &kPaint;
    case content::kCustomMaterialLibrary: return &kMaterials;
    case content::kCustomTrimLibrary:
    case content::kCustomTrimLibrary2: return &kTrim;
    case content::kSymbol2DLibrary: return &kSymbols;
    case content::kObject3DLibrary: return &kObjects;
    case content::kCustomPlantLibrary: return &kPlants;
    default: return nullptr;
    }
}

// The catalogue in the user's folder, then the stock one: the user's categories come first
// and a stock category of a name already listed is left out (its folder is searched anyway).
std::vector<std::string> CataloguePaths(const char* file) {
    const std::string shared = LocalDomainUserSharedPath();
    if (shared.empty()) return {};
    std::vector<std::string> paths;
    for (const std::string& folder : SearchedFolders(shared)) paths.push_back(port::JoinPath(folder, file));
    return paths;
}

template <class Nodes>
bool HasCategoryNamed(const Nodes& nodes, const std::string& name) {
    for (const auto& node : nodes)
        if (node && node->categoryName() == name) return true;
    return false;
}

std::string FolderOf(const std::string& parentFolder, const std::string& name) {
    return parentFolder.empty() ? std::string() : port::JoinPath(parentFolder, name);
}

// One numbered category of a section: its name and whether its directory key is there.
struct Listed {
    std::string name;
    bool hasFolder = false;
};

Listed ReadListed(const ProfileFile& ini, const std::string& section, int32_t n) {
    char name[kContentValueLength + 1];
    char folder[kContentValueLength + 1];
    const std::string key = std::to_string(n) + section;
    ini.getString(section.c_str(), key.c_str(), kDone, name, sizeof name);
    ini.getString(section.c_str(), (key + "Directory").c_str(), kDone, folder, sizeof folder);
    return {name, std::strcmp(folder, kDone) != 0};
}

// Calls `add(name)` for each category the section lists, in order.
template <class Add>
void ForEachListed(const ProfileFile& ini, const std::string& section, Add add) {
    for (int32_t n = 1;; ++n) {
        const Listed listed = ReadListed(ini, section, n);
        if (listed.name == kDone) return;
        if (listed.hasFolder) add(listed.name, n);
    }
}

}  // namespace

ContentLibraryManager& ContentLibraryManager::sharedContentLibraryManager() {
    static ContentLibraryManager shared;
    return shared;
}

void ContentLibraryManager::buildLibraryOfType(int16_t libraryType, ContentCategoryList& list) {
    const Catalogue* catalogue = MainCatalogue(libraryType);
    if (!catalogue) return;
    const std::string root = catalogue->root();
    for (const std::string& path : CataloguePaths(catalogue->file)) {
      const ProfileFile ini(path.c_str());
      if (!ini.readable()) continue;
      const bool first = list.empty();
      ForEachListed(ini, catalogue->section, [&](const std::string& name, int32_t n) {
        if (HasCategoryNamed(list, name)) return;
        const std::string folder = FolderOf(root, name);
        auto node = ContentCategoryItem::initWithName(name.c_str(), folder.c_str(), nullptr, catalogue->categoryType,
                                                      libraryType);
        node->setSelected(first && n == 1);
        ContentCategoryItem* parent = node.get();
        ForEachListed(ini, name, [&](const std::string& subName, int32_t) {
            parent->addChildWithName(subName.c_str(), FolderOf(folder, subName).c_str(), parent,
                                     catalogue->categoryType, libraryType);
        });
        list.push_back(std::move(node));
      });
    }
}

void ContentLibraryManager::buildLibraryOfType(int16_t libraryType, ContentCategoryItem* parent) {
    const Catalogue* catalogue = SecondCatalogue(libraryType);
    if (!catalogue || !parent) return;
    const bool trim = libraryType == content::kCustomTrimLibrary || libraryType == content::kCustomTrimLibrary2;
    const std::string root = trim ? LocalDomainCustomTrimPath() : parent->fullPath();
    std::vector<std::string> added;
    for (const std::string& path : CataloguePaths(catalogue->file)) {
      const ProfileFile ini(path.c_str());
      if (!ini.readable()) continue;
      ForEachListed(ini, catalogue->section, [&](const std::string& name, int32_t) {
        if (std::find(added.begin(), added.end(), name) != added.end()) return;
        added.push_back(name);
        const std::string folder = FolderOf(root, name);
        ContentCategoryItem* node =
            parent->addChildWithName(name.c_str(), folder.c_str(), parent, catalogue->categoryType, libraryType);
        ForEachListed(ini, name, [&](const std::string& subName, int32_t) {
            node->addChildWithName(subName.c_str(), FolderOf(folder, subName).c_str(), node, catalogue->categoryType,
                                   libraryType);
        });
      });
    }
}
