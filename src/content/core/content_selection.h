#pragma once
// What the model asks of the content palette: the entry and the category the user has
// selected there. The palette installs itself; until then nothing is selected.
#include <cstdint>
#include <optional>
#include <string>

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

// The selection of the shared content palette.
class ContentSelection {
public:
    virtual ~ContentSelection() = default;
    // The selected entry, or none.
    virtual std::optional<SymEntryInfo> selectedSymEntry() = 0;
    // The category selected in the palette's pop-up (7 custom doors, 8 custom windows);
    // -1 for none.
    virtual int16_t selectedCategory() = 0;
};

ContentSelection& sharedContentSelection();
// nullptr puts back the built-in selection: no entry, category -1.
void SetContentSelection(ContentSelection* selection);
