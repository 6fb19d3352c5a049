#pragma once
// What the model asks of the content palette: the entry and the category the user has
// selected there. Until the palette registers itself nothing is selected.
#include <cstdint>
#include <optional>

#include "model/sym_entry.h"
#include "port/seam.h"

// `selectedSymEntry` of the shared content palette controller: the selected entry, or none.
DVX_SEAM(ContentPaletteSelectedSymEntry, "content", port::SeamKind::UserInterface, std::optional<SymEntryInfo>())
// `selectedCategory`: the category selected in the palette's pop-up (4 objects, 5 plants, 6
// templates, 7 custom doors, 8 custom windows); -1 for none or no palette.
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
