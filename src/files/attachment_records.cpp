#include "files/attachment_records.h"

#include <cstring>

#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"

namespace {

constexpr int16_t kPartsBegin = 212;
constexpr int16_t kPartsEnd = 213;
constexpr int16_t kProfileBegin = 210;
constexpr int16_t kProfileEnd = 211;
constexpr int16_t kSkylightPartsBegin = 215;
constexpr int16_t kSkylightPartsEnd = 216;
constexpr uint32_t kOldRecordSize = 60;

bool HasCustomParts(int16_t style) { return style == kCustomDoorStyle || style == kCustomWindowStyle; }

bool IsCustomSkylight(const RoofAttachmentRecord* r) {
    return r->ownerType == objtype::kSkylight && r->style == kCustomSkylightStyle;
}

bool IsHost(const Objex* o) { return o && (o->type == objtype::kWall || o->type == objtype::kDeck); }

AttachmentRecord* AttachmentOf(Objex* child) {
    if (!child || child->typeData.kind != TypeDataKind::Attachment) return nullptr;
    return child->typeData.attachment;
}

void WriteByte(uint8_t value) { WriteSome(&value, 1); }
void ReadByte(uint8_t* value) { ReadSome(value, 1); }

// The layer objects are read on: the given one, else the current layer (scratch reads must
// still take every byte).
Layer* ReadingLayer(Layer* layer) {
    if (layer) return layer;
    return gCurDocument ? gCurDocument->itsCurLayer : nullptr;
}

// A material written under the palette rule; the record takes the entry's colour and scale
// when links are resolved.
void WriteMaterial(int32_t texture, int16_t* scale, RGBColor* color, bool live) {
    if (live && WritesResolvedPaletteLinks()) TakePaletteMaterial(texture, color, nullptr, &scale[0], &scale[1]);
    WriteTextureID(StoredTextureID(texture));
    WriteShort(scale[0]);
    WriteShort(scale[1]);
    WriteColor(*color);
}

void ReadMaterial(int32_t* texture, int16_t* scale, RGBColor* color) {
    *texture = ReadTextureID();
    ReadShort(&scale[0]);
    ReadShort(&scale[1]);
    ReadColor(color);
}

void WriteTrimSide(uint8_t customFlag, Objex* profile, int32_t texture, int16_t* scale, RGBColor* color,
                   bool live) {
    const uint8_t flag = customFlag && profile ? customFlag : 0;
    WriteByte(flag);
    WriteMaterial(texture, scale, color, live);
    if (!flag) return;
    WriteShort(kProfileBegin);
    WritePartObject(profile);
    WriteShort(kProfileEnd);
}

void ReadTrimSide(uint8_t* customFlag, Objex** profile, int32_t* texture, int16_t* scale, RGBColor* color,
                  Layer* layer, bool keep) {
    uint8_t flag = 0;
    ReadByte(&flag);
    *customFlag = flag;
    ReadMaterial(texture, scale, color);
    if (!flag) return;
    int16_t begin = 0;
    ReadShort(&begin);
    ReadObjectsUntilTag(layer, kProfileEnd, [profile, keep](Objex* o) {
        if (!keep) {
            DeleteObj(o);
            return;
        }
        Objex* old = *profile;
        *profile = o;
        if (old) DeleteObj(old);
    });
}

// The record's fixed head; the three links a file cannot carry are stored as 0 and read
// into `links`, which nothing keeps.
template <typename F>
void AttachmentHead(F& f, AttachmentRecord* r, int32_t* links) {
    f.i16(&r->ownerType);
    f.i16(&r->style);
    f.i32(&r->startIndex);
    f.i32(&r->endIndex);
    f.f32(&r->centreDistance);
    f.f32(&r->remainder);
    f.f32(&r->width);
    f.f32(&r->height);
    f.f32(&r->elevation);
    f.i32(links, 3);
    f.u8(&r->sideFlag);
    f.f32(&r->swingOrOffset);
    f.i16(&r->directionFlag);
    f.i16(&r->frameFlag);
    f.i16(&r->reserved);
    f.f32(&r->trimWidth);
}

// Little-endian fields of the old record.
int16_t LE16(const uint8_t* b) { return static_cast<int16_t>(b[0] | (b[1] << 8)); }
int32_t LE32(const uint8_t* b) {
    return static_cast<int32_t>(uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24));
}
float LEFloat(const uint8_t* b) {
    const int32_t bits = LE32(b);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
void PutLE16(uint8_t* b, int16_t v) {
    b[0] = static_cast<uint8_t>(v);
    b[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}
void PutLE32(uint8_t* b, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(u >> (8 * i));
}
void PutLEFloat(uint8_t* b, float f) {
    int32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    PutLE32(b, bits);
}

}  // namespace

// --- attachment record ---

void WriteObjectAttachment(AttachmentRecord* record) {
    AttachmentRecord zero;
    AttachmentRecord* r = record ? record : &zero;
    int32_t links[3] = {};
    WriteFields([&](auto& f) { AttachmentHead(f, r, links); });
    if (HasCustomParts(r->style)) {
        WriteShort(kPartsBegin);
        for (Objex* list : r->customParts)
            for (Objex* o = list; o; o = o->next) WritePartObject(o);
        WriteShort(kPartsEnd);
    }
    const bool live = record != nullptr;
    WriteTrimSide(r->insideCustomTrim, r->insideTrimProfile, r->insideTrimTexture, r->insideTrimScale,
                  &r->insideTrimColor, live);
    WriteTrimSide(r->outsideCustomTrim, r->outsideTrimProfile, r->outsideTrimTexture, r->outsideTrimScale,
                  &r->outsideTrimColor, live);
}

void ReadObjectAttachment(AttachmentRecord* record, Objex* child, Layer* layer) {
    AttachmentRecord scratch;
    const bool keep = record && child && layer;
    AttachmentRecord* r = keep ? record : &scratch;
    Layer* from = ReadingLayer(layer);
    int32_t links[3] = {};
    ReadFields([&](auto& f) { AttachmentHead(f, r, links); });
    if (HasCustomParts(r->style)) {
        int16_t begin = 0;
        ReadShort(&begin);
        ReadObjectsUntilTag(from, kPartsEnd, [r, child, keep](Objex* o) {
            if (!keep) {
                DeleteObj(o);
                return;
            }
            o->parent = child;
            const int list = o->type == objtype::kOpeningMask ? 0 : o->type == objtype::kDoorHardware ? 2 : 1;
            AppendObjectToList(r->customParts[list], o, child);
        });
    }
    ReadTrimSide(&r->insideCustomTrim, &r->insideTrimProfile, &r->insideTrimTexture, r->insideTrimScale,
                 &r->insideTrimColor, from, keep);
    ReadTrimSide(&r->outsideCustomTrim, &r->outsideTrimProfile, &r->outsideTrimTexture, r->outsideTrimScale,
                 &r->outsideTrimColor, from, keep);
}

// --- roof attachment record ---

void WriteRoofAttachment(RoofAttachmentRecord* record) {
    RoofAttachmentRecord zero;
    RoofAttachmentRecord* r = record ? record : &zero;
    WriteShort(r->ownerType);
    WriteShort(r->style);
    WriteFloat(r->width);
    WriteFloat(r->length);
    WriteFloat(r->trimWidth);
    WriteFloat(r->angle);
    WriteLong(r->sectionSubtype);
    WriteByte(r->flipFlags[0]);
    WriteByte(r->flipFlags[1]);
    WriteLong(0);
    WriteLong(0);
    if (IsCustomSkylight(r)) {
        WriteShort(kSkylightPartsBegin);
        for (Objex* list : r->partLists)
            for (Objex* o = list; o; o = o->next) WritePartObject(o);
        WriteShort(kSkylightPartsEnd);
    }
    const bool live = record != nullptr;
    WriteMaterial(r->texture1, r->textureScale1, &r->color1, live);
    WriteMaterial(r->texture2, r->textureScale2, &r->color2, live);
}

void ReadRoofAttachment(RoofAttachmentRecord* record, Objex* child, Layer* layer) {
    RoofAttachmentRecord scratch;
    const bool keep = record && child;
    RoofAttachmentRecord* r = keep ? record : &scratch;
    int32_t link = 0;
    ReadShort(&r->ownerType);
    ReadShort(&r->style);
    ReadFloat(&r->width);
    ReadFloat(&r->length);
    ReadFloat(&r->trimWidth);
    ReadFloat(&r->angle);
    ReadLong(&r->sectionSubtype);
    ReadByte(&r->flipFlags[0]);
    ReadByte(&r->flipFlags[1]);
    ReadLong(&link);
    ReadLong(&link);
    if (IsCustomSkylight(r)) {
        int16_t begin = 0;
        ReadShort(&begin);
        ReadObjectsUntilTag(ReadingLayer(layer), kSkylightPartsEnd, [r, child, keep](Objex* o) {
            const int list = objtype::RoofAttachmentPartList(o->type);
            if (!keep || list < 0) {
                DeleteObj(o);
                return;
            }
            AppendObjectToList(r->partLists[list], o, child);
        });
    }
    ReadMaterial(&r->texture1, r->textureScale1, &r->color1);
    ReadMaterial(&r->texture2, r->textureScale2, &r->color2);
    if (keep) r->attachment = child;
}

// --- the older record ---

void WriteObjectAttachment75(AttachmentRecord* record) {
    uint8_t b[kOldRecordSize] = {};
    if (record) {
        PutLE16(b + 0, record->ownerType);
        PutLE16(b + 2, record->style);
        PutLE32(b + 4, record->startIndex);
        PutLE32(b + 8, record->endIndex);
        PutLEFloat(b + 12, record->centreDistance);
        PutLEFloat(b + 16, record->remainder);
        PutLEFloat(b + 20, record->width);
        PutLEFloat(b + 24, record->height);
        PutLEFloat(b + 28, record->elevation);
        b[44] = record->sideFlag;
        PutLEFloat(b + 46, record->swingOrOffset);
        PutLE16(b + 50, record->directionFlag);
        PutLE16(b + 52, record->frameFlag);
        PutLEFloat(b + 56, record->trimWidth);
    }
    WriteSome(b, kOldRecordSize);
}

void ReadObjectAttachment75(AttachmentRecord* record, Objex* child) {
    uint8_t b[kOldRecordSize];
    if (!ReadSome(b, kOldRecordSize) || !record) return;
    record->ownerType = LE16(b + 0);
    record->style = LE16(b + 2);
    record->startIndex = LE32(b + 4);
    record->endIndex = LE32(b + 8);
    record->centreDistance = LEFloat(b + 12);
    record->remainder = LEFloat(b + 16);
    record->width = LEFloat(b + 20);
    record->height = LEFloat(b + 24);
    record->elevation = LEFloat(b + 28);
    record->sideFlag = b[44];
    record->swingOrOffset = LEFloat(b + 46);
    record->directionFlag = LE16(b + 50);
    record->frameFlag = LE16(b + 52);
    record->trimWidth = LEFloat(b + 56);
    if (child && objtype::IsOpening(child->type)) {
        const ShortPoint scale = child->textureScales[4];
        for (int32_t* texture : {&record->insideTrimTexture, &record->outsideTrimTexture}) *texture = child->texture;
        for (int16_t* s : {record->insideTrimScale, record->outsideTrimScale}) {
            s[0] = scale.x;
            s[1] = scale.y;
        }
        record->insideTrimColor = child->penColor;
        record->outsideTrimColor = child->penColor;
    }
}

// --- point links ---

void WallAttachmentsHdlToIndex(Objex* child, Objex* wall) {
    AttachmentRecord* r = AttachmentOf(child);
    if (!IsHost(wall) || !r) return;
    int32_t start = 0, end = 0;
    bool haveStart = false, haveEnd = false;
    int32_t i = 0;
    for (Poinz* p = wall->firstPoint; p && !(haveStart && haveEnd); p = p->next, ++i) {
        if (!haveStart && p == r->segmentStart) start = i, haveStart = true;
        if (!haveEnd && p == r->segmentEnd) end = i, haveEnd = true;
    }
    r->startIndex = start;
    r->endIndex = end;
}

void WallAttachmentsIndexToHdl(Objex* child, Objex* wall) {
    AttachmentRecord* r = AttachmentOf(child);
    if (!IsHost(wall) || !r) return;
    Poinz* start = wall->firstPoint;
    Poinz* end = wall->firstPoint;
    int32_t i = 0;
    for (Poinz* p = wall->firstPoint; p; p = p->next, ++i) {
        if (i == r->startIndex) start = p;
        if (i == r->endIndex) end = p;
    }
    r->segmentStart = start;
    r->segmentEnd = end;
}

void AllWallAttachmentsHdlToIndex(Objex* wall) {
    if (!IsHost(wall)) return;
    for (Objex* c = wall->firstChild; c; c = c->next) WallAttachmentsHdlToIndex(c, wall);
}

void AllWallAttachmentsIndexToHdl(Objex* wall) {
    if (!IsHost(wall)) return;
    for (Objex* c = wall->firstChild; c; c = c->next) WallAttachmentsIndexToHdl(c, wall);
}
