#include "files/text_trim_records.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "app/core/localization_seams.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/tool_defaults.h"

namespace {

constexpr int16_t kTrimBegin = 208;
constexpr int16_t kTrimEnd = 209;
constexpr int16_t kProfileBegin = 210;
constexpr int16_t kProfileEnd = 211;

// The object's text record, made when it has none (another record is released first).
TextData* TextRecordOf(Objex* o) {
    if (o->typeData.kind == TypeDataKind::Text && o->typeData.text) return o->typeData.text;
    DeleteObjectData(o);
    TextData* td = new (std::nothrow) TextData{};
    if (td) o->typeData = TypeData::OfText(td);
    return td;
}

// Length and bytes; false when there is no text (none stored, short input or no memory).
bool ReadText(TextData* td) {
    int32_t length = 0;
    ReadLong(&length);
    std::string text;
    const bool read = ReadStoredString(length, &text);
    FreeString(td->text);
    td->text = nullptr;
    if (!read || length <= 0) return false;
    td->text = CopyString(text.c_str());
    return td->text != nullptr;
}

void UseEmptyText(TextData* td) {
    FreeString(td->text);
    td->text = CopyString(LocalizedString("(empty)").c_str());
    td->font = gTextFontInfo;
    td->hasFont = 1;
}

void ReadFont(TextData* td) {
    ApplePortReadLOGFONT(&td->font);
    td->hasFont = 1;
}

// Reads and drops a text record of either form (no record could be made).
void SkipTextRecord(bool old) {
    int32_t length = 0;
    ReadLong(&length);
    SkipInput(length > 0 ? static_cast<uint32_t>(length) : 0);
    if (old) {
        int32_t skipped = 0;
        ReadLong(&skipped);
        SkipInput(skipped > 0 ? static_cast<uint32_t>(skipped) : 0);
        int16_t alignment = 0;
        ReadShort(&alignment);
    }
    LOGFONT font;
    ApplePortReadLOGFONT(&font);
}

// The scale and colour after each of a trim's five textures.
template <typename F>
void TrimMaterialFields(F& f, TrimRecord* trim, int i) {
    f.u16(trim->scale[i], 2);
    f.u16(&trim->color[i].red);
    f.u16(&trim->color[i].green);
    f.u16(&trim->color[i].blue);
}

void WriteTrimSlot(const TrimRecord* trim, int which) {
    const int32_t value = trim ? trim->slot[which] : 0;
    if (value != TrimRecord::kCustomProfile) {
        WriteLong(value);
        return;
    }
    if (!trim->profile[which]) {
        WriteLong(0);
        return;
    }
    WriteLong(TrimRecord::kCustomProfile);
    WriteShort(kProfileBegin);
    WritePartObject(trim->profile[which]);
    WriteShort(kProfileEnd);
}

void ReadTrimSlot(TrimRecord* trim, int which, Layer* layer) {
    int32_t value = 0;
    ReadLong(&value);
    if (trim) trim->slot[which] = value;
    if (value != TrimRecord::kCustomProfile) return;
    int16_t begin = 0;
    ReadShort(&begin);
    ReadObjectsUntilTag(layer, kProfileEnd, [trim, which](Objex* profile) {
        if (!trim) {
            DeleteObj(profile);
            return;
        }
        // The last profile read wins.
        Objex* old = trim->profile[which];
        trim->profile[which] = profile;
        if (old) DeleteObj(old);
    });
}

}  // namespace

void WriteEnhancedTextData(Objex* o) {
    if (!o) return;
    const TextData* td = o->typeData.kind == TypeDataKind::Text ? o->typeData.text : nullptr;
    WriteStoredString(td ? td->text : nullptr);
    // The reader always takes 60 font bytes, so they are always written.
    ApplePortWriteLOGFONT(td && td->hasFont ? &td->font : &gTextFontInfo);
}

void ReadEnhancedTextData(Objex* o) {
    if (!o || !CurrentDocState()) return;
    TextData* td = TextRecordOf(o);
    if (!td) {
        SkipTextRecord(false);
        return;
    }
    const bool hasText = ReadText(td);
    ReadFont(td);
    td->boxWidth = std::fabs(o->bounds3D.floatRight - o->bounds3D.floatLeft);
    td->boxHeight = std::fabs(o->bounds3D.floatFront - o->bounds3D.floatBack);
    if (!hasText) UseEmptyText(td);
}

void ReadTextData(Objex* o) {
    if (!o || !CurrentDocState()) return;
    o->type = objtype::kEnhancedText;
    TextData* td = TextRecordOf(o);
    if (!td) {
        SkipTextRecord(true);
        return;
    }
    td->boxHeight = 0;
    const bool hasText = ReadText(td);
    int32_t skipped = 0;
    ReadLong(&skipped);
    SkipInput(skipped > 0 ? static_cast<uint32_t>(skipped) : 0);
    int16_t alignment = 0;
    ReadShort(&alignment);
    objfield::text_object::kAlignment(*o) = objfield::text_object::AlignmentOfRecordCode(alignment);
    ReadFont(td);
    if (!hasText) UseEmptyText(td);
}

void WriteTrimData(TrimRecord* trim) {
    WriteShort(kTrimBegin);
    WriteTrimSlot(trim, 0);
    WriteTrimSlot(trim, 1);
    if (filever::HasTrimMaterials(sWriteVersion)) {
        TrimRecord none;
        TrimRecord* from = trim ? trim : &none;
        for (int i = 0; i < 5; ++i) {
            WriteTextureID(from->texture[i]);
            WriteFields([&](auto& f) { TrimMaterialFields(f, from, i); });
        }
    }
    WriteShort(kTrimEnd);
}

void ReadTrimData(TrimRecord* trim, Layer* layer) {
    if (!layer && gCurDocument) layer = gCurDocument->itsCurLayer;
    if (!gCurDocument || !layer) return;
    int16_t tag = 0;
    ReadShort(&tag);
    ReadTrimSlot(trim, 0, layer);
    ReadTrimSlot(trim, 1, layer);
    if (filever::HasTrimMaterials(sInputVersion)) {
        TrimRecord scratch;
        TrimRecord* into = trim ? trim : &scratch;
        for (int i = 0; i < 5; ++i) {
            into->texture[i] = ReadTextureID();
            ReadFields([&](auto& f) { TrimMaterialFields(f, into, i); });
        }
    }
    ReadShort(&tag);
}
