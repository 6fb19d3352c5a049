// The entry builders of the shared content library manager: a category's entries found again
// from its folder, its numbered files, the document's colours or a paint description file.
#include <string>

#include "app/core/localization_seams.h"
#include "content/core/content_library_manager.h"
#include "model/content_types.h"
#include "content/core/library_files.h"
#include "files/content_folders.h"
#include "files/ini.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/annotations/plan_text.h"
#include "port/files.h"

namespace {

using content::FolderListing;

constexpr const char* kDescription = "Description";
constexpr const char* kNoDescription = "No description";

// What a folder scan looks for and how it stores what it finds.
struct FolderScan {
    const char* dataExtension;     // ".PTF"
    const char* infoExtension;     // "PTI"
    const char* previewExtension;  // "PPV"
    bool previewRequired;
    const char* nameKey;
    const char* descriptionKey;    // null: the name key alone
    std::string (*root)();         // paths relative to it; null: absolute
    int16_t entryType;
};

std::string ReadValue(const ProfileFile& ini, const char* key) {
    char value[kContentValueLength + 1];
    ini.getString(kDescription, key, "", value, sizeof value);
    return value;
}

std::string OneKeyText(const ProfileFile& ini, const char* key) {
    const std::string value = ReadValue(ini, key);
    return value.empty() ? LocalizedString(kNoDescription) : value;
}

std::string NameAndDescription(const ProfileFile& ini, const char* nameKey, const char* descriptionKey) {
    const std::string name = ReadValue(ini, nameKey);
    const std::string description = ReadValue(ini, descriptionKey);
    if (!description.empty() && description != name)
        return LocalizedFormat("%s (%s)", {name.c_str(), description.c_str()});
    return LocalizedFormat("%s", {name.c_str()});
}

void ScanFolder(ContentCategoryItem* item, const FolderScan& scan) {
    if (!item) return;
    item->removeAllSymEntries();
    if (item->numberOfChildren() > 0 || item->fullPath().empty()) return;
    FolderListing folder(item->fullPath());
    const std::string root = scan.root ? scan.root() : std::string();
    int32_t identifier = 0;
    for (const std::string& name : folder.names()) {
        if (!content::HasDataExtension(name, scan.dataExtension)) continue;
        const std::string info = folder.find(content::WithExtension(name, scan.infoExtension));
        if (info.empty()) continue;
        const std::string preview = folder.find(content::WithExtension(name, scan.previewExtension));
        if (preview.empty() && scan.previewRequired) continue;
        const ProfileFile ini(info.c_str());
        const std::string text = scan.descriptionKey ? NameAndDescription(ini, scan.nameKey, scan.descriptionKey)
                                                     : OneKeyText(ini, scan.nameKey);
        auto stored = [&](const std::string& path) {
            return scan.root && !path.empty() ? content::RelativeToFolder(root, path) : path;
        };
        const std::string data = folder.find(name);
        item->addSymEntryWithPreviewPath(stored(preview).c_str(), stored(info).c_str(), stored(data).c_str(),
                                         text.c_str(), ++identifier, scan.entryType);
    }
}

// The file name of number n of a numbered library.
std::string NumberedName(const ContentCategoryItem* item, int64_t n, const char* ending) {
    return item->textureFilePrefix() + std::to_string(n) + ending;
}

}  // namespace

void ContentLibraryManager::rebuildSymEntryListForItem(ContentCategoryItem* item) {
    if (!item) return;
    using namespace content;
    switch (item->libraryType()) {
    case kAccessoriesLibrary:
    case kCustomMaterialLibrary: rebuildCustomTextureSymEntryListForItem(item); break;
    case kWinterColorsLibrary:
    case kSpringColorsLibrary:
    case kSummerColorsLibrary:
    case kFallColorsLibrary:
    case kContemporaryColorsLibrary:
    case kGrayTonesLibrary: rebuildColorSymEntryListForItem(item); break;
    case kColorRampLibrary: rebuildColorRampSymEntryListForItem(item); break;
    case kPaintLibrary: rebuildPaintSymEntryListForItem(item); break;
    case kStockMaterialLibrary:
    case kStockPlantLibrary: rebuildTextureSymEntryListForItem(item); break;
    case kBaseTrimLibrary:
    case kCrownTrimLibrary:
    case kLibraryPanelingLibrary:
    case kWainscotLibrary: rebuildTrimSymEntryListForItem(item); break;
    case kCustomTrimLibrary:
    case kCustomTrimLibrary2: rebuildCustomTrimSymEntryListForItem(item); break;
    case kSymbol2DLibrary: rebuild2DObjectSymEntryListForItem(item); break;
    case kObject3DLibrary: rebuild3DObjectSymEntryListForItem(item); break;
    case kCustomPlantLibrary: rebuildCustomPlantSymEntryListForItem(item); break;
    case kTemplateLibrary: rebuildTemplateEntryListForItem(item); break;
    case kCustomDoorLibrary: rebuildCustomDoorSymEntryListForItem(item); break;
    case kCustomWindowLibrary: rebuildCustomWindowSymEntryListForItem(item); break;
    default: break;
    }
}

void ContentLibraryManager::rebuildCustomWindowSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTF", "PTI", "PPV", true, "AttachmentName", "AttachmentDescription",
                      LocalDomainCustomWindowPath, symentry::kCustomWindow});
}

void ContentLibraryManager::rebuildCustomDoorSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTF", "PTI", "PPV", true, "AttachmentName", "AttachmentDescription",
                      LocalDomainCustomDoorPath, symentry::kCustomDoor});
}

void ContentLibraryManager::rebuildCustomTrimSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTF", "PTI", "PPV", true, "TrimName", "TrimDescription", LocalDomainCustomTrimPath,
                      symentry::kCustomTrim});
}

void ContentLibraryManager::rebuildCustomTextureSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTX", "PTI", "PPV", false, "Name", nullptr, LocalDomainCustomTexturePath,
                      symentry::kCustomTexture});
}

void ContentLibraryManager::rebuildCustomPlantSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTX", "PTI", "PPV", false, "CommonName", nullptr, nullptr, symentry::kUserPlant});
}

void ContentLibraryManager::rebuildTemplateEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PTF", "PTD", "PTP", true, "ObjectName", "ObjectDescription", nullptr, symentry::kTemplate});
}

void ContentLibraryManager::rebuild3DObjectSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".POB", "POD", "PPV", true, "ObjectName", "ObjectDescription", nullptr, symentry::kObject});
}

void ContentLibraryManager::rebuild2DObjectSymEntryListForItem(ContentCategoryItem* item) {
    ScanFolder(item, {".PSY", "PTI", "PPV", true, "ObjectName", "ObjectDescription", nullptr, symentry::kSymbol});
}

void ContentLibraryManager::rebuildTextureSymEntryListForItem(ContentCategoryItem* item) {
    if (!item || item->textureCount() == 0) return;
    item->removeAllSymEntries();
    const bool plants = item->libraryType() == content::kStockPlantLibrary;
    const int16_t entryType = plants ? symentry::kStockPlant : symentry::kStockMaterial;
    // The loaders spell stock folders as the texture table does: the node's folder in any case.
    FolderListing folder(item->fullPath());
    int32_t identifier = 0;
    for (uint32_t n = 1; n <= item->textureCount(); ++n) {
        const std::string data = folder.find(NumberedName(item, n, ".PTX"));
        if (data.empty()) continue;
        const std::string info = folder.find(content::WithExtension(data.substr(data.rfind('/') + 1), "PTI"));
        if (info.empty()) continue;
        const std::string preview =
            plants ? folder.find(content::WithExtension(data.substr(data.rfind('/') + 1), "PPV")) : std::string();
        const std::string text = OneKeyText(ProfileFile(info.c_str()), plants ? "CommonName" : "Name");
        const auto textureID = static_cast<int32_t>(item->baseTextureID() + static_cast<int64_t>(n) - 1);
        item->addSymEntryWithPreviewPath(preview.c_str(), info.c_str(), data.c_str(), text.c_str(), textureID,
                                         ++identifier, entryType);
    }
}

void ContentLibraryManager::rebuildTrimSymEntryListForItem(ContentCategoryItem* item) {
    const DocState* settings = gCurDocument ? gCurDocument->itsDocState : nullptr;
    if (!item || item->textureCount() == 0 || !settings) return;
    item->removeAllSymEntries();
    const char* ending = settings->units == kMetricUnits ? "M.PPV" : ".PPV";
    FolderListing folder(item->fullPath());
    int32_t identifier = 0;
    for (uint32_t n = 1; n <= item->textureCount(); ++n) {
        const std::string preview = folder.find(NumberedName(item, n, ending));
        if (preview.empty()) continue;
        const std::string info = folder.find(content::WithExtension(preview.substr(preview.rfind('/') + 1), "PTI"));
        if (info.empty()) continue;
        const std::string text = OneKeyText(ProfileFile(info.c_str()), "Name");
        const auto textureID = static_cast<int32_t>(item->baseTextureID() + static_cast<int64_t>(n) - 1);
        item->addSymEntryWithPreviewPath(preview.c_str(), info.c_str(), nullptr, text.c_str(), textureID, ++identifier,
                                         symentry::kStockTrim);
    }
}

void ContentLibraryManager::rebuildColorSymEntryListForItem(ContentCategoryItem* item) {
    if (!item) return;
    item->removeAllSymEntries();
    if (item->numberOfChildren() > 0 || !content::IsColorSetLibrary(item->libraryType())) return;
    const int32_t first = (item->libraryType() - content::kWinterColorsLibrary) * 12;
    for (int32_t k = 0; k < 12; ++k) item->addSymEntryWithColorIndex(first + k, k + 1, symentry::kColor);
}

void ContentLibraryManager::rebuildColorRampSymEntryListForItem(ContentCategoryItem* item) {
    if (!item) return;
    item->removeAllSymEntries();
    if (item->numberOfChildren() > 0) return;
    for (int32_t step = 1; step <= 45; ++step)
        item->addSymEntryWithColorIndex(step, item->baseHue(), step, symentry::kColor);
}

void ContentLibraryManager::rebuildPaintSymEntryListForItem(ContentCategoryItem* item) {
    if (!item) return;
    item->removeAllSymEntries();
    std::string folder = item->fullPath();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const size_t slash = folder.rfind('/');
    const std::string last = slash == std::string::npos ? folder : folder.substr(slash + 1);
    if (item->numberOfChildren() > 0 || last.empty()) return;
    const std::string path = content::FindFileIgnoringCase(port::JoinPath(folder, last + ".INI"));
    if (path.empty()) return;
    const ProfileFile ini(path.c_str());
    if (ini.getInt("CategoryInfo", "CatID", 0) <= 0) return;
    int32_t identifier = 0;
    for (int k = 1; k <= 420; ++k) {
        const std::string n = std::to_string(k);
        const int32_t red = ini.getInt("PaintInfo", ("Red-" + n).c_str(), -1);
        const int32_t green = ini.getInt("PaintInfo", ("Green-" + n).c_str(), -1);
        const int32_t blue = ini.getInt("PaintInfo", ("Blue-" + n).c_str(), -1);
        if (red == -1 || green == -1 || blue == -1) break;
        char name[kContentValueLength + 1];
        ini.getString("PaintInfo", ("Name-" + n).c_str(), "", name, sizeof name);
        const std::string text = name[0] ? std::string(name) : LocalizedString(kNoDescription);
        item->addSymEntryWithRed(static_cast<uint16_t>(red), static_cast<uint16_t>(green), static_cast<uint16_t>(blue),
                                 text.c_str(), ++identifier, symentry::kColor);
    }
}
