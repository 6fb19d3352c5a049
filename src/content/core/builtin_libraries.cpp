#include "content/core/builtin_libraries.h"

#include <string>

#include "app/core/localization_seams.h"
#include "model/content_types.h"
#include "files/content_folders.h"
#include "port/files.h"

namespace content {

namespace {

constexpr BuiltInColorSet kColorSets[] = {
    {"Winter Colors", kWinterColorsLibrary},          {"Spring Colors", kSpringColorsLibrary},
    {"Summer Colors", kSummerColorsLibrary},          {"Fall Colors", kFallColorsLibrary},
    {"Contemporary Colors", kContemporaryColorsLibrary}, {"Gray Tones", kGrayTonesLibrary},
};

constexpr int16_t kMat = kStockMaterialLibrary;
constexpr BuiltInLibrary kMaterials[] = {
    {"Brick", "Brick", kMat, 850, 66, "BRICK"},
    {"Siding", "Siding", kMat, 1300, 48, "SIDING"},
    {"Stone", "Stone", kMat, 1350, 42, "STONE"},
    {"Stucco", "Stucco", kMat, 1400, 9, "STUCCO"},
    {"Block", "Block", kMat, 800, 23, "BLOCK"},
    {"Carpet", "Carpet", kMat, 1900, 56, "CARPET"},
    {"Tile", "Tile", kMat, 2050, 102, "TILE"},
    {"Fabrics", "Fabric", kMat, 1700, 135, "FABRIC"},
    {"WallCvrs", "Wall Covering", kMat, 1600, 31, "COVER"},
    {"Wood", "Wood", kMat, 2200, 48, "WOOD"},
    {"Deck", "Wood Deck", kMat, 2300, 45, "DECK"},
    {"Fills", "Mulch", kMat, 1100, 30, "FILL"},
    {"Gravel", "Gravel", kMat, 2000, 15, "GRAVEL"},
    {"Pavers", "Paver Brick", kMat, 1200, 16, "PAVER"},
    {"Concrete", "Concrete", kMat, 950, 6, "CONCRE"},
    {"Roofing", "Roofing", kMat, 1250, 36, "ROOF"},
    {"Ground", "Grass", kMat, 1150, 21, "GROUND"},
    {"Sky", "Sky", kMat, 1550, 2, "SKY"},
};

constexpr BuiltInLibrary kTrims[] = {
    {"BaseTrim", "Base Trim", kBaseTrimLibrary, 100, 5, "BASETRIM"},
    {"CrownTrim", "Crown Trim", kCrownTrimLibrary, 400, 5, "CROWNTRIM"},
    {"LibPanel", "Library Paneling", kLibraryPanelingLibrary, 200, 5, "LIBPANEL"},
    {"Wc", "Wainscot", kWainscotLibrary, 300, 5, "WC"},
};

constexpr int16_t kPlant = kStockPlantLibrary;
constexpr BuiltInLibrary kPlants[] = {
    {"Trees", "Trees", kPlant, 7000, 461, "TREE"},
    {"Shrubs", "Shrubs", kPlant, 5000, 682, "SHRUB"},
    {"Hedges", "Hedges", kPlant, 10000, 56, "HEDGE"},
    {"Cacti", "Cacti", kPlant, 9000, 86, "CACTI"},
    {"Bulbs", "Bulbs", kPlant, 8000, 83, "BULB"},
    {"Annuals", "Annuals", kPlant, 6000, 214, "ANNUAL"},
    {"Perennials", "Perennials", kPlant, 12000, 505, "PEREN"},
    {"WildFlowers", "Wild Flowers", kPlant, 4050, 17, "WILDF"},
    {"GroundCover", "Ground Cover", kPlant, 3700, 34, "GRDCVR"},
    {"Grasses", "Ornamental Grasses", kPlant, 11000, 99, "ORNAM"},
    {"Tropicals", "Tropicals", kPlant, 4000, 35, "TROP"},
    {"Edibles", "Edibles", kPlant, 13000, 23, "EDIBLES"},
};

void AppendNumbered(std::span<const BuiltInLibrary> table, const std::string& root, int16_t categoryType,
                    ContentCategoryList& list) {
    for (const BuiltInLibrary& row : table) {
        const std::string folder = root.empty() ? std::string() : port::JoinPath(root, row.folder);
        auto node = ContentCategoryItem::initWithName(LocalizedString(row.nameKey).c_str(), folder.c_str(), nullptr,
                                                      categoryType, row.libraryType);
        node->setBaseTextureID(row.baseTextureID, row.textureCount, row.textureFilePrefix);
        node->setSelected(&row == table.data());
        list.push_back(std::move(node));
    }
}

}  // namespace

std::span<const BuiltInColorSet> BuiltInColorSets() { return kColorSets; }
std::span<const BuiltInLibrary> BuiltInMaterialLibraries() { return kMaterials; }
std::span<const BuiltInLibrary> BuiltInTrimLibraries() { return kTrims; }
std::span<const BuiltInLibrary> BuiltInPlantLibraries() { return kPlants; }

void BuildBuiltInLibrary(int16_t categoryType, ContentCategoryList& list) {
    switch (categoryType) {
    case kColorsCategory:
        for (const BuiltInColorSet& set : kColorSets)
            list.push_back(ContentCategoryItem::initWithName(LocalizedString(set.nameKey).c_str(), nullptr, nullptr,
                                                             kColorsCategory, set.libraryType));
        break;
    case kMaterialsCategory: AppendNumbered(kMaterials, LocalDomainTexturePath(), categoryType, list); break;
    case kTrimCategory: AppendNumbered(kTrims, LocalDomainTexturePath(), categoryType, list); break;
    case kPlantsCategory: AppendNumbered(kPlants, LocalDomainPlantPath(), categoryType, list); break;
    default: break;
    }
}

}  // namespace content
