#pragma once
// What the model asks of the content palette: the entry and the category the user has
// selected there. Until the palette registers itself nothing is selected.
#include <cstdint>
#include <optional>
#include <string>

#include "port/seam.h"

// One entry of the content library, as far as the placing code reads it.
struct SymEntryInfo {
    int16_t type = 0;        // 6 stock plant, 1000 user plant, 1001 2D symbol, ...
    int32_t textureID = 0;   // numbered texture entries (stock plants among them)
    std::string objectData;  // the entry's data file; empty for none
};

namespace symentry {
inline constexpr int16_t kStockPlant = 6;
inline constexpr int16_t kUserPlant = 1000;
inline constexpr int16_t kSymbol = 1001;
}  // namespace symentry

// `selectedSymEntry` of the shared content palette controller: the selected entry, or none.
DVX_SEAM(ContentPaletteSelectedSymEntry, "content", port::SeamKind::UserInterface, std::optional<SymEntryInfo>())
// `selectedCategory`: the category selected in the palette's pop-up (7 custom doors, 8 custom
// windows); -1 for none.
DVX_SEAM_WITH_DEFAULT(ContentPaletteSelectedCategory, "content", port::SeamKind::UserInterface,
                      [] { return int16_t{-1}; }, int16_t())
// `setCategorySelectionAbility:`: whether the user may switch categories.
DVX_SEAM(ContentPaletteSetCategorySelectionAbility, "content", port::SeamKind::UserInterface, void(bool allowed))
// `selectCategory:firstSymEntry:`: 0 accessories, 5 plants, 7 custom doors, 8 custom windows.
DVX_SEAM(ContentPaletteSelectCategory, "content", port::SeamKind::UserInterface, void(int16_t category, bool firstEntry))
// When the selected category is one read from a folder of the user's (category type 3, library
// types 12, 14, 16 and 17), its entries are found again and the palette redraws them.
DVX_SEAM(ContentPaletteRefreshFolderCategory, "content", port::SeamKind::UserInterface, void())
// `locatePlantForObject:`: shows the plant of the object in the palette.
struct Objex;
DVX_SEAM(ContentPaletteLocatePlant, "content", port::SeamKind::UserInterface, void(Objex* plant))
