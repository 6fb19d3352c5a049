#pragma once
// The trees the program carries itself: the document colour sets, and the stock materials,
// trims and plants as numbered libraries (file n of a node is its prefix followed by n, and
// stands for texture ID base + n - 1). The palette builds its trees and the searches walk the
// libraries from these tables alone.
#include <cstdint>
#include <span>

#include "content/core/content_category_item.h"

namespace content {

struct BuiltInColorSet {
    const char* nameKey;  // localised for display
    int16_t libraryType;
};

struct BuiltInLibrary {
    const char* folder;   // below the stock texture folder, or the plant folder for plants
    const char* nameKey;  // localised for display
    int16_t libraryType;
    int32_t baseTextureID;
    uint32_t textureCount;
    const char* textureFilePrefix;
};

std::span<const BuiltInColorSet> BuiltInColorSets();
std::span<const BuiltInLibrary> BuiltInMaterialLibraries();
std::span<const BuiltInLibrary> BuiltInTrimLibraries();
std::span<const BuiltInLibrary> BuiltInPlantLibraries();

// Appends the built-in tree of a section (colours, materials, trim or plants) to `list` as
// top-level nodes; the first node of the material, trim and plant trees is `selected`.
// Other sections add nothing.
void BuildBuiltInLibrary(int16_t categoryType, ContentCategoryList& list);

}  // namespace content
