#pragma once
// One entry of the content library (a colour, texture, trim, plant, object, symbol, template
// or definition), and the flat record a drag carries it in: the fixed fields little-endian
// (type i16, refNum, colorIndex and textureID i32, textureScale two i16, textureColor three
// u16), then the four strings, each a u32 length and its bytes (no terminator; length 0 for
// none). Strings are 8-bit Mac OS Roman.
#include <cstddef>
#include <cstdint>
#include <optional>
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

    // The library's ways of making an entry. Absent strings (null) stay empty; texts are kept
    // as the bytes given.
    static SymEntryInfo initWithPreviewPath(const char* preview, const char* info, const char* data,
                                            const char* description, int32_t identifier, int16_t entryType);
    static SymEntryInfo initWithPreviewPath(const char* preview, const char* info, const char* data,
                                            const char* description, int32_t textureID, int32_t identifier,
                                            int16_t entryType);
    // A colour of the current document's colour table (`customColors`, r + g x 256 + b x 65536).
    // Without a current document or settings record the entry is all zero; an index outside
    // the table leaves the colour black.
    static SymEntryInfo initWithColorIndex(int32_t colorIndex, int32_t identifier, int16_t entryType);
    // Step `step` of the ramp of hue `hue` (0-255): see ColorRampHSV.
    static SymEntryInfo initWithColorIndex(int32_t step, int32_t hue, int32_t identifier, int16_t entryType);
    static SymEntryInfo initWithRed(uint16_t red, uint16_t green, uint16_t blue, const char* description,
                                    int32_t identifier, int16_t entryType);

    std::vector<uint8_t> encodeSymEntry() const;
    // Fills the entry from a whole record; false, and the entry left as it was, for no data or
    // a record shorter than its fields and the string lengths it gives. Bytes after the last
    // string are not read.
    bool decodeSymEntryWithData(const uint8_t* data, size_t size);

    // The record's field readers: the value at `*index`, which moves past it. When fewer bytes
    // than the value's width are left, 0 and the index unchanged.
    static int16_t decodeShortFromData(const uint8_t* data, size_t size, size_t* index);
    static uint16_t decodeUShortFromData(const uint8_t* data, size_t size, size_t* index);
    static int32_t decodeLongFromData(const uint8_t* data, size_t size, size_t* index);
    static uint32_t decodeUnsignedFromData(const uint8_t* data, size_t size, size_t* index);
    // `length` bytes at `*index` (moved past them); an empty string for length 0, none and the
    // index unchanged when fewer bytes are left.
    static std::optional<std::string> decodeStringOfLength(uint32_t length, const uint8_t* data, size_t size,
                                                           size_t* index);
};

// A ramp step as 16-bit hue, saturation and value: hue x 257; steps 1-25 are tints
// (saturation step x 2570, full value), the others shades (full saturation, value 65535 -
// (step - 25) x 2570), all in 16-bit arithmetic.
void ColorRampHSV(int32_t step, int32_t hue, uint16_t hsv[3]);

namespace symentry {
inline constexpr int16_t kObject = 2;
inline constexpr int16_t kTemplate = 3;
inline constexpr int16_t kColor = 4;          // colour sets, ramps and paints: textureColor
inline constexpr int16_t kStockMaterial = 5;
inline constexpr int16_t kStockPlant = 6;
inline constexpr int16_t kStockTrim = 7;      // preview and info, no data
inline constexpr int16_t kCustomTexture = 9;  // paths relative to the custom texture folder
inline constexpr int16_t kCustomWindow = 10;  // relative to the custom window folder
inline constexpr int16_t kCustomDoor = 11;    // relative to the custom door folder
inline constexpr int16_t kCustomTrim = 12;    // relative to the custom trim folder
inline constexpr int16_t kUserPlant = 1000;
inline constexpr int16_t kSymbol = 1001;
}  // namespace symentry

// The drag types: the plan view accepts drags declaring the 2D one, the 3D view the 3D one;
// both read the record under the 3D one.
inline constexpr const char* kContent2DDNDPboardType = "Content2DDNDPboardType";
inline constexpr const char* kContent3DDNDPboardType = "Content3DDNDPboardType";
