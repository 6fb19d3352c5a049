#pragma once
// One entry of the content library (a colour, texture, trim, plant, object, symbol, template
// or definition), and the flat record a drag carries it in: the fixed fields little-endian
// (type i16, refNum, colorIndex and textureID i32, textureScale two i16, textureColor three
// u16), then the four strings, each a u32 length and its bytes (no terminator; length 0 for
// none). Strings are 8-bit Mac OS Roman.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/types.h"

struct SymEntryInfo {
    int16_t type = 0;        // the entry types below
    int32_t refNum = 0;      // the entry's running number within its category, from 1
    int32_t colorIndex = 0;  // colour entries: index into the colour table; ramps: the step
    int32_t textureID = 0;   // numbered texture entries (stock plants among them)
    ShortPoint textureScale;
    RGBColor textureColor;   // colour entries, each channel 0-255
    // Files and text of the entry; empty for none.
    std::string objectPreview;
    std::string objectData;
    std::string objectInfo;
    std::string objectDescription;

    std::vector<uint8_t> encodeSymEntry() const;
    // Fills the entry from a whole record; false, and the entry left as it was, for no data or
    // a record shorter than its fields and the string lengths it gives. Bytes after the last
    // string are not read.
    bool decodeSymEntryWithData(const uint8_t* data, size_t size);
};

namespace symentry {
inline constexpr int16_t kObject = 2;
inline constexpr int16_t kTemplate = 3;
inline constexpr int16_t kStockPlant = 6;
inline constexpr int16_t kUserPlant = 1000;
inline constexpr int16_t kSymbol = 1001;
}  // namespace symentry

// The drag types: the plan view accepts drags declaring the 2D one, the 3D view the 3D one;
// both read the record under the 3D one.
inline constexpr const char* kContent2DDNDPboardType = "Content2DDNDPboardType";
inline constexpr const char* kContent3DDNDPboardType = "Content3DDNDPboardType";
