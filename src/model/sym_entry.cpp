#include "model/sym_entry.h"

#include <iterator>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/color_conversions.h"

namespace {

constexpr size_t kFixedBytes = 24;

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// `bytes` little-endian bytes at *index, or 0 with the index unchanged when they are not all there.
uint32_t TakeLE(const uint8_t* data, size_t size, size_t* index, size_t bytes) {
    if (!data || !index || *index > size || size - *index < bytes) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= uint32_t{data[*index + i]} << (8 * i);
    *index += bytes;
    return value;
}

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

}  // namespace

SymEntryInfo SymEntryInfo::initWithPreviewPath(const char* preview, const char* info, const char* data,
                                               const char* description, int32_t identifier, int16_t entryType) {
    SymEntryInfo e;
    e.objectPreview = Text(preview);
    e.objectInfo = Text(info);
    e.objectData = Text(data);
    e.objectDescription = Text(description);
    e.refNum = identifier;
    e.type = entryType;
    return e;
}

SymEntryInfo SymEntryInfo::initWithPreviewPath(const char* preview, const char* info, const char* data,
                                               const char* description, int32_t textureID, int32_t identifier,
                                               int16_t entryType) {
    SymEntryInfo e = initWithPreviewPath(preview, info, data, description, identifier, entryType);
    e.textureID = textureID;
    return e;
}

SymEntryInfo SymEntryInfo::initWithColorIndex(int32_t colorIndex, int32_t identifier, int16_t entryType) {
    SymEntryInfo e;
    const DocState* settings = gCurDocument ? gCurDocument->itsDocState : nullptr;
    if (!settings) return e;
    e.colorIndex = colorIndex;
    e.refNum = identifier;
    e.type = entryType;
    if (colorIndex >= 0 && colorIndex < static_cast<int32_t>(std::size(settings->customColors))) {
        const auto packed = static_cast<uint32_t>(settings->customColors[colorIndex]);
        e.textureColor = {static_cast<uint16_t>(packed & 0xFF), static_cast<uint16_t>((packed >> 8) & 0xFF),
                          static_cast<uint16_t>((packed >> 16) & 0xFF)};
    }
    return e;
}

void ColorRampHSV(int32_t step, int32_t hue, uint16_t hsv[3]) {
    // Unsigned, so steps and hues out of range wrap as 16-bit values do instead of overflowing.
    constexpr uint32_t kFull = 65535, kStride = 2570;
    const auto s = static_cast<uint32_t>(step);
    hsv[0] = static_cast<uint16_t>(static_cast<uint32_t>(hue) * 257u);
    if (step >= 1 && step <= 25) {
        hsv[1] = static_cast<uint16_t>(s * kStride);
        hsv[2] = static_cast<uint16_t>(kFull);
    } else {
        hsv[1] = static_cast<uint16_t>(kFull);
        hsv[2] = static_cast<uint16_t>(kFull - (s - 25u) * kStride);
    }
}

SymEntryInfo SymEntryInfo::initWithColorIndex(int32_t step, int32_t hue, int32_t identifier, int16_t entryType) {
    SymEntryInfo e;
    e.colorIndex = step;
    e.refNum = identifier;
    e.type = entryType;
    uint16_t hsv[3];
    ColorRampHSV(step, hue, hsv);
    RGBColor rgb;
    HSVtoRGB(hsv, &rgb);
    e.textureColor = {static_cast<uint16_t>(rgb.red / 257), static_cast<uint16_t>(rgb.green / 257),
                      static_cast<uint16_t>(rgb.blue / 257)};
    return e;
}

SymEntryInfo SymEntryInfo::initWithRed(uint16_t red, uint16_t green, uint16_t blue, const char* description,
                                       int32_t identifier, int16_t entryType) {
    SymEntryInfo e;
    e.textureColor = {red, green, blue};
    e.objectDescription = Text(description);
    e.refNum = identifier;
    e.type = entryType;
    return e;
}

std::vector<uint8_t> SymEntryInfo::encodeSymEntry() const {
    std::vector<uint8_t> out;
    out.reserve(kFixedBytes + 16 + objectPreview.size() + objectData.size() + objectInfo.size() +
                objectDescription.size());
    PutLE(out, static_cast<uint16_t>(type), 2);
    PutLE(out, static_cast<uint32_t>(refNum), 4);
    PutLE(out, static_cast<uint32_t>(colorIndex), 4);
    PutLE(out, static_cast<uint32_t>(textureID), 4);
    PutLE(out, static_cast<uint16_t>(textureScale.x), 2);
    PutLE(out, static_cast<uint16_t>(textureScale.y), 2);
    PutLE(out, textureColor.red, 2);
    PutLE(out, textureColor.green, 2);
    PutLE(out, textureColor.blue, 2);
    for (const std::string* s : {&objectPreview, &objectData, &objectInfo, &objectDescription}) {
        PutLE(out, static_cast<uint32_t>(s->size()), 4);
        out.insert(out.end(), s->begin(), s->end());
    }
    return out;
}

int16_t SymEntryInfo::decodeShortFromData(const uint8_t* data, size_t size, size_t* index) {
    return static_cast<int16_t>(TakeLE(data, size, index, 2));
}

uint16_t SymEntryInfo::decodeUShortFromData(const uint8_t* data, size_t size, size_t* index) {
    return static_cast<uint16_t>(TakeLE(data, size, index, 2));
}

int32_t SymEntryInfo::decodeLongFromData(const uint8_t* data, size_t size, size_t* index) {
    return static_cast<int32_t>(TakeLE(data, size, index, 4));
}

uint32_t SymEntryInfo::decodeUnsignedFromData(const uint8_t* data, size_t size, size_t* index) {
    return TakeLE(data, size, index, 4);
}

std::optional<std::string> SymEntryInfo::decodeStringOfLength(uint32_t length, const uint8_t* data, size_t size,
                                                              size_t* index) {
    if (length == 0) return std::string();
    if (!data || !index || *index > size || size - *index < length) return std::nullopt;
    std::string out(reinterpret_cast<const char*>(data + *index), length);
    *index += length;
    return out;
}

bool SymEntryInfo::decodeSymEntryWithData(const uint8_t* data, size_t size) {
    if (!data || size < kFixedBytes) return false;
    size_t at = 0;
    SymEntryInfo e;
    e.type = decodeShortFromData(data, size, &at);
    e.refNum = decodeLongFromData(data, size, &at);
    e.colorIndex = decodeLongFromData(data, size, &at);
    e.textureID = decodeLongFromData(data, size, &at);
    e.textureScale.x = decodeShortFromData(data, size, &at);
    e.textureScale.y = decodeShortFromData(data, size, &at);
    e.textureColor.red = decodeUShortFromData(data, size, &at);
    e.textureColor.green = decodeUShortFromData(data, size, &at);
    e.textureColor.blue = decodeUShortFromData(data, size, &at);
    // A record cut short is refused whole, never taken as ending where the bytes do.
    for (std::string* s : {&e.objectPreview, &e.objectData, &e.objectInfo, &e.objectDescription}) {
        if (size - at < 4) return false;
        std::optional<std::string> text = decodeStringOfLength(decodeUnsignedFromData(data, size, &at), data, size, &at);
        if (!text) return false;
        *s = std::move(*text);
    }
    *this = std::move(e);
    return true;
}
