#include "powertools/core/exchange_values.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "files/design_file.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/objects.h"
#include "model/tool_defaults.h"
#include "model/type_data.h"

using exchange::RecordRow;
using exchange::SettingsRow;
using exchange::Wire;

namespace exchange_values {

namespace {

template <typename T>
void Store(unsigned char* at, T v) {
    std::memcpy(at, &v, sizeof v);
}

int16_t RoundedShort(float f) {
    if (!std::isfinite(f)) return 0;
    const long r = std::lround(std::fmax(std::fmin(f, 32767.0f), -32768.0f));
    return static_cast<int16_t>(r);
}

// One value of a wire into `at`; the address of the next one. Reads that run short leave
// the value as it was.
unsigned char* ReadValue(Wire wire, unsigned char* at) {
    switch (wire) {
    case Wire::U8: ReadSome(at, 1); return at + 1;
    case Wire::I16: case Wire::U16: {
        uint16_t v;
        if (ReadStdUShort(&v)) Store(at, v);
        return at + 2;
    }
    case Wire::I32: case Wire::U32: {
        uint32_t v;
        if (ReadStdULong(&v)) Store(at, v);
        return at + 4;
    }
    case Wire::F32: {
        float v;
        if (ReadStdFloat(&v)) Store(at, v);
        return at + 4;
    }
    case Wire::I16AsF32: {
        float v;
        if (ReadStdFloat(&v)) Store(at, RoundedShort(v));
        return at + 2;
    }
    case Wire::Point: {
        FloatPoint v;
        std::memcpy(&v, at, sizeof v);
        ReadStdFloat(&v.floatH);
        ReadStdFloat(&v.floatV);
        Store(at, v);
        return at + sizeof v;
    }
    case Wire::Rect: {
        FloatRect v;
        std::memcpy(&v, at, sizeof v);
        for (float* f : {&v.floatTop, &v.floatLeft, &v.floatBottom, &v.floatRight}) ReadStdFloat(f);
        Store(at, v);
        return at + sizeof v;
    }
    case Wire::Color: {
        RGBColor v;
        std::memcpy(&v, at, sizeof v);
        ReadStdColor(&v);
        Store(at, v);
        return at + sizeof v;
    }
    case Wire::ShortPoint: {
        ShortPoint v;
        std::memcpy(&v, at, sizeof v);
        ReadStdShort(&v.x);
        ReadStdShort(&v.y);
        Store(at, v);
        return at + sizeof v;
    }
    case Wire::Texture: Store(at, ReadTextureT()); return at + 4;
    case Wire::Texture16: {
        const int32_t id = ReadTextureT();
        Store(at, static_cast<int16_t>(id >= INT16_MIN && id <= INT16_MAX ? id : 0));
        return at + 2;
    }
    case Wire::Font: {
        LOGFONT v;
        std::memcpy(&v, at, sizeof v);
        ReadSettingsFont(&v);
        Store(at, v);
        return at + sizeof v;
    }
    case Wire::OwnedText: {
        char* old;
        std::memcpy(&old, at, sizeof old);
        FreeString(old);
        const std::string text = ReadTextItem(SIZE_MAX);
        char* owned = text.empty() ? nullptr : CopyString(text.c_str());
        Store(at, owned);
        return at + sizeof owned;
    }
    case Wire::Pad8: SkipInput(1); return at;
    case Wire::ColorTable: {
        for (int i = 0; i < exchange::kColorTableEntries; ++i, at += 4) {
            uint32_t v = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                uint16_t part = 0;
                ReadStdUShort(&part);
                v |= static_cast<uint32_t>(part & 0xFF) << shift;
            }
            Store(at, v);
        }
        return at;
    }
    default: return at;
    }
}

const DocStateField& SettingsField(int number) { return DocStateFields()[static_cast<size_t>(number - 1)]; }

}  // namespace

int32_t ReadExchangeHeader() {
    int32_t id = 0;
    ReadStdLong(&id);
    int32_t version = 0;
    ReadStdLong(&version);
    int16_t platform = 0;
    ReadStdShort(&platform);
    sInputVersion = version;
    sInputPlatform = platform;
    return id;
}

std::string ReadTextItem(size_t keep) {
    int32_t length = 0;
    ReadStdLong(&length);
    if (length <= 0) return {};
    std::string s;
    ReadStoredString(length, &s);
    if (s.size() > keep) s.resize(keep);
    // A text ends at its first NUL, as it did where it came from.
    s.resize(std::strlen(s.c_str()));
    return s;
}

int32_t ReadTextureT() {
    if (xver::Is8000Plus(sInputVersion)) return ReadStdTextureID();
    int32_t id = 0;
    ReadStdLong(&id);
    return id;
}

void ReadSettingsFont(LOGFONT* font) {
    int32_t height = 0;
    // Stored negated; negated again modulo 2^32, so every height, INT32_MIN included, comes back
    // as written and none overflows.
    if (ReadStdLong(&height)) font->lfHeight = static_cast<int32_t>(0u - static_cast<uint32_t>(height));
    ReadStdLong(&font->lfWeight);
    ReadSome(&font->lfItalic, 1);
    ReadSome(&font->lfUnderline, 1);
    const std::string face = ReadTextItem(kFaceNameLimit);
    std::memset(font->lfFaceName, 0, sizeof font->lfFaceName);
    std::memcpy(font->lfFaceName, face.data(), face.size());
}

void ReadRecordRows(std::span<const RecordRow> rows, void* record, Objex* object) {
    auto* base = static_cast<unsigned char*>(record);
    const int32_t v = sInputVersion;
    for (const RecordRow& row : rows) {
        if (!exchange::Carries(row.since, v) || row.wire == Wire::Refresh) continue;
        if (row.wire == Wire::OwnerTool) {
            int32_t tool = 0;
            if (ReadStdLong(&tool) && object && object->type == objtype::kGroup) Store(base + row.offset, tool);
            continue;
        }
        unsigned char* at = base + row.offset;
        for (int k = 0; k < row.count; ++k) at = ReadValue(row.wire, at);
    }
}

void ReadSettingsRow(DocState* ds, const SettingsRow& row) {
    if (row.wire == Wire::Refresh) return;
    if (row.wire == Wire::AppFont) {
        ReadSettingsFont(&gTextFontInfo);
        return;
    }
    for (int k = 0; k < row.count; ++k) {
        const DocStateField& f = SettingsField(row.number + k);
        auto* at = static_cast<unsigned char*>(DocStateFieldAddress(ds, f));
        if (row.wire != Wire::Chars) {
            ReadValue(row.wire, at);
            continue;
        }
        const std::string text = ReadTextItem(f.count > 0 ? f.count - 1u : 0u);
        std::memset(at, 0, f.count);
        std::memcpy(at, text.data(), text.size());
    }
}

}  // namespace exchange_values
