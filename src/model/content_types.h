#pragma once
// The sections of the content palette (category types) and the kinds of library a category
// node can be (library types), with the drag each kind's entries make. Library types not
// named here (1, 20, ...) have no entries.
#include <cstdint>

namespace content {

// Category types: the palette's sections.
inline constexpr int16_t kAccessoriesCategory = 0;
inline constexpr int16_t kColorsCategory = 1;
inline constexpr int16_t kMaterialsCategory = 2;
inline constexpr int16_t kTrimCategory = 3;
inline constexpr int16_t kObjectsCategory = 4;
inline constexpr int16_t kPlantsCategory = 5;
inline constexpr int16_t kTemplatesCategory = 6;
inline constexpr int16_t kCustomDoorsCategory = 7;
inline constexpr int16_t kCustomWindowsCategory = 8;

// Library types: where a node's entries come from.
inline constexpr int16_t kAccessoriesLibrary = 0;
inline constexpr int16_t kWinterColorsLibrary = 2;  // 2-7: the document's colour sets
inline constexpr int16_t kSpringColorsLibrary = 3;
inline constexpr int16_t kSummerColorsLibrary = 4;
inline constexpr int16_t kFallColorsLibrary = 5;
inline constexpr int16_t kContemporaryColorsLibrary = 6;
inline constexpr int16_t kGrayTonesLibrary = 7;
inline constexpr int16_t kColorRampLibrary = 8;
inline constexpr int16_t kPaintLibrary = 9;
inline constexpr int16_t kStockMaterialLibrary = 10;
inline constexpr int16_t kCustomMaterialLibrary = 11;
inline constexpr int16_t kBaseTrimLibrary = 12;
inline constexpr int16_t kCustomTrimLibrary = 13;
inline constexpr int16_t kCrownTrimLibrary = 14;
inline constexpr int16_t kCustomTrimLibrary2 = 15;
inline constexpr int16_t kLibraryPanelingLibrary = 16;
inline constexpr int16_t kWainscotLibrary = 17;
inline constexpr int16_t kSymbol2DLibrary = 18;
inline constexpr int16_t kObject3DLibrary = 19;
inline constexpr int16_t kStockPlantLibrary = 21;
inline constexpr int16_t kCustomPlantLibrary = 22;
inline constexpr int16_t kTemplateLibrary = 24;
inline constexpr int16_t kCustomDoorLibrary = 25;
inline constexpr int16_t kCustomWindowLibrary = 26;
// The palette's search results: entries put there by a search, none found from a folder;
// dragged into the plan like the plants and objects they are.
inline constexpr int16_t kSearchResultsLibrary = 23;

inline constexpr bool IsColorSetLibrary(int16_t type) {
    return type >= kWinterColorsLibrary && type <= kGrayTonesLibrary;
}
inline constexpr bool IsStockTrimLibrary(int16_t type) {
    return type == kBaseTrimLibrary || type == kCrownTrimLibrary || type == kLibraryPanelingLibrary ||
           type == kWainscotLibrary;
}

// How an entry of a library type is dragged out of the preview grid: applied in the 3D view,
// placed in the plan view, or not at all.
enum class ContentDrag { None, Content3D, Content2D };
inline constexpr ContentDrag DragOfLibrary(int16_t type) {
    if (type >= 0 && type <= 17) return ContentDrag::Content3D;
    if (type >= 18 && type <= 24) return ContentDrag::Content2D;
    return ContentDrag::None;
}

}  // namespace content
