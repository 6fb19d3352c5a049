#include "files/object_records.h"

#include <cstring>
#include <new>

#include "files/palettes.h"
#include "files/streams.h"
#include "files/text_trim_records.h"
#include "model/deletion.h"
#include "model/deck_step_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "port/seam.h"
#include "model/id_counters.h"
#include "model/selection_roster.h"

int32_t sInputVersion = filever::kCurrent;
int32_t sWriteVersion = filever::kCurrent;
uint8_t gOpenSymbol = 0;
uint8_t gUpdateID = 0;
uint8_t gCabinetOpen = 0;
Objex* gCabinetObject = nullptr;
static const port::GlobalReset kReset([] {
    sInputVersion = filever::kCurrent;
    sWriteVersion = filever::kCurrent;
    gOpenSymbol = 0;
    gUpdateID = 0;
    gCabinetOpen = 0;
    gCabinetObject = nullptr;
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gCabinetObject == o) gCabinetObject = nullptr;
});

bool filever::IsAcceptedVersion(int32_t v) {
    switch (v) {
    case 10000: case 10300: case 10350: case 10351: case 10400: case 10410: case 10450:
    case 10500: case 10700: case 10701: case 10750: case 10800: case 10900: case 11000:
    case 11100:
        return true;
    default:
        return false;
    }
}

// --- input helpers ---

uint32_t RemainingInput() {
    if (gUseScrap) return gScrapIndex < gPrivateScrap.size() ? static_cast<uint32_t>(gPrivateScrap.size() - gScrapIndex) : 0;
    return gInDataBufferPos < gInDataBuffer.size() ? static_cast<uint32_t>(gInDataBuffer.size() - gInDataBufferPos) : 0;
}

bool AtEndOfInput() {
    return InputTruncated() || RemainingInput() == 0;
}

void SkipInput(uint32_t count) {
    const uint32_t remaining = RemainingInput();
    const uint32_t step = count < remaining ? count : remaining;
    if (gUseScrap) gScrapIndex += step;
    else gInDataBufferPos += step;
    if (count > remaining) {
        // A read at the end raises the truncation flag.
        uint8_t probe = 0;
        ReadSome(&probe, 1);
    }
}

bool ReadStoredString(int32_t length, std::string* text) {
    if (text) text->clear();
    if (length <= 0) return true;
    const uint32_t n = static_cast<uint32_t>(length);
    if (n > RemainingInput() || !text) {
        SkipInput(n);
        return false;
    }
    try {
        text->resize(n);
    } catch (const std::bad_alloc&) {
        SkipInput(n);
        return false;
    }
    return ReadSome(text->data(), n);
}

void WriteStoredString(const char* text) {
    const size_t length = text ? std::strlen(text) : 0;
    WriteLong(static_cast<int32_t>(length));
    if (length > 0) WriteSome(text, static_cast<uint32_t>(length));
}

// --- palette links ---

bool WritesResolvedPaletteLinks() {
    return gConvertPaletteIDs || !filever::KeepsPaletteLinks(sWriteVersion);
}

void TakePaletteMaterial(int32_t texture, RGBColor* color, RGBColor* color2, int16_t* scaleH,
                         int16_t* scaleV) {
    if (!IsTextureAPalette(texture)) return;
    RGBColor entry;
    GetPaletteRGBColor(&entry, texture);
    const RGBColor wide{static_cast<uint16_t>(entry.red * 257), static_cast<uint16_t>(entry.green * 257),
                        static_cast<uint16_t>(entry.blue * 257)};
    if (color) *color = wide;
    if (color2) *color2 = wide;
    const uint32_t scale = static_cast<uint32_t>(GetPaletteTextureScale(texture));
    if (scaleH) *scaleH = static_cast<int16_t>(scale & 0xFFFF);
    if (scaleV) *scaleV = static_cast<int16_t>(scale >> 16);
}

int32_t StoredTextureID(int32_t texture) {
    return WritesResolvedPaletteLinks() ? GetPaletteTextureID(texture) : texture;
}

// --- field codecs shared by the record writers and readers ---

void WriteColor(const RGBColor& c) {
    WriteUShort(c.red);
    WriteUShort(c.green);
    WriteUShort(c.blue);
}
void ReadColor(RGBColor* c) {
    ReadUShort(&c->red);
    ReadUShort(&c->green);
    ReadUShort(&c->blue);
}
void WriteStdColor(const RGBColor& c) {
    WriteStdUShort(c.red);
    WriteStdUShort(c.green);
    WriteStdUShort(c.blue);
}
void ReadStdColor(RGBColor* c) {
    ReadStdUShort(&c->red);
    ReadStdUShort(&c->green);
    ReadStdUShort(&c->blue);
}
void WriteStdRect(const FloatRect& r) {
    WriteStdFloat(r.floatTop);
    WriteStdFloat(r.floatLeft);
    WriteStdFloat(r.floatBottom);
    WriteStdFloat(r.floatRight);
}
void ReadStdRect(FloatRect* r) {
    ReadStdFloat(&r->floatTop);
    ReadStdFloat(&r->floatLeft);
    ReadStdFloat(&r->floatBottom);
    ReadStdFloat(&r->floatRight);
}

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kTrimRecordFollows = 0x10000;

// --- field codecs ---

void WriteFloats(const float* values, int count) {
    WriteFields([&](auto& f) { f.f32(values, count); });
}
void ReadFloats(float* values, int count) {
    ReadFields([&](auto& f) { f.f32(values, count); });
}

// Colours and short points inside fixed blocks.
template <typename F>
void ColorField(F& f, RGBColor* c) {
    f.u16(&c->red);
    f.u16(&c->green);
    f.u16(&c->blue);
}
template <typename F>
void StdColorField(F& f, RGBColor* c) {
    f.le16(&c->red);
    f.le16(&c->green);
    f.le16(&c->blue);
}
template <typename F>
void ShortPointField(F& f, ShortPoint* p) {
    f.i16(&p->x);
    f.i16(&p->y);
}

// Texture fields of the object info and points: encoded from 10800, plain before.
void WriteRecordTexture(int32_t texture) {
    texture = StoredTextureID(texture);
    if (filever::HasTextureIDEncoding(sWriteVersion)) WriteTextureID(texture);
    else WriteLong(texture);
}
int32_t ReadRecordTexture() {
    if (filever::HasTextureIDEncoding(sInputVersion)) return ReadTextureID();
    int32_t texture = 0;
    ReadLong(&texture);
    return texture;
}

// --- material slots of an object ---

struct ObjectSlot {
    int32_t* texture;
    RGBColor* color;
    RGBColor* color2;
    ShortPoint* scale;
};

void ForEachObjectSlot(Objex* o, void (*fn)(const ObjectSlot&)) {
    fn({&o->texture, &o->fillColor, &o->penColor, &o->textureScales[4]});
    fn({&o->texture2, &o->color2, nullptr, &o->textureScales[0]});
    fn({&o->texture3, &o->color3, nullptr, &o->textureScales[1]});
    fn({&o->texture4, &o->color4, nullptr, &o->textureScales[2]});
    fn({&o->texture5, &o->color5, nullptr, &o->textureScales[3]});
}

void TakeSlotPaletteMaterial(const ObjectSlot& s) {
    TakePaletteMaterial(*s.texture, s.color, s.color2, &s.scale->x, &s.scale->y);
}

// --- IDs ---

// The stored ID replaces the one creation took, which goes back to the counter. A 10700 ID
// that the document already uses is replaced by a fresh one; that fresh one came off the
// counter after ours, so nothing is given back then (it would be handed out again).
template <typename Validate>
void TakeStoredID(uint32_t stored, uint32_t* id, uint32_t DocState::*counter, Validate validate) {
    if (gUseScrap || gUpdateID) return;
    DocState* ds = CurrentDocState();
    if (!ds) return;
    uint32_t taken = stored;
    if (filever::ValidatesStoredIDs(sInputVersion)) {
        taken = validate(stored);
        if (taken != stored) {
            *id = taken;
            return;
        }
    }
    *id = taken;
    --(ds->*counter);
}

void ApplyFixtureDefaults(Objex* o) {
    const int16_t t = o->type;
    const bool withAux = t >= 150 && t <= 152;
    const bool plain = (t >= 146 && t <= 149) || (t >= 79 && t <= 82) || (t == objtype::kComponent && o->subtype == 83);
    if (!withAux && !plain) return;
    o->optionA = 0;
    o->optionB = 63;
    o->params[1] = 80.0f;
    o->params[2] = 2.0f;
    o->texture = 0;
    if (withAux) objfield::no_shadow::kMark(*o) = 1;
}

void RepairObjectInfo(Objex* o) {
    const int32_t v = sInputVersion;
    if (!filever::HasTexturedFaceColors(v)) {
        if (o->texture2 != 0) o->color2 = kWhite;
        if (o->texture3 != 0) o->color3 = kWhite;
        if (o->texture4 != 0) o->color4 = kWhite;
    }
    if (filever::IsFirstReleaseFile(v)) {
        o->elevation = 0;
        o->onTerrain = 0;
        o->planBits = objtype::DefaultPlanBits(o->type);
    }
    if (filever::NeedsFixtureDefaults(v)) ApplyFixtureDefaults(o);
    if (gCabinetOpen) {
        if (o->type != objtype::kFentrix && o->type != objtype::kGroup) o->type = objtype::kCabinetPart;
        if (gCabinetObject) o->planBits = gCabinetObject->planBits;
        else if (const DocState* ds = CurrentDocState()) o->planBits = ds->currentPlanBit;
    }
}

// --- points ---

bool IsWall(const Objex* o) { return o->type == objtype::kWall; }

TrimRecord*& TrimOf(Poinz* p, int which) { return which == 0 ? p->trim1 : p->trim2; }
int32_t& TrimValueOf(Poinz* p, int which) { return which == 0 ? p->trimValue1 : p->trimValue2; }

void WriteTrimSlot(const Objex* o, Poinz* p, int which) {
    const bool records = filever::HasTrimRecords(sWriteVersion);
    if (!IsWall(o)) {
        WriteLong(records ? 0 : TrimValueOf(p, which));
        return;
    }
    TrimRecord* trim = TrimOf(p, which);
    if (!records) {
        WriteLong(trim ? trim->slot[0] : 0);
        return;
    }
    if (!trim) {
        WriteLong(0);
        return;
    }
    WriteLong(kTrimRecordFollows);
    WriteTrimData(trim);
}

void ReadTrimSlot(const Objex* o, Poinz* p, int which) {
    int32_t value = 0;
    ReadLong(&value);
    if (!IsWall(o)) {
        TrimValueOf(p, which) = value;
        return;
    }
    TrimRecord* trim = new (std::nothrow) TrimRecord{};
    DeleteTrimRecord(TrimOf(p, which));
    TrimOf(p, which) = trim;
    if (!trim) {
        // Still consume the record so the file stays in step.
        if (filever::HasTrimRecords(sInputVersion) && value == kTrimRecordFollows) ReadTrimData(nullptr, o->layer);
        return;
    }
    if (!filever::HasTrimRecords(sInputVersion)) trim->slot[0] = value;
    else if (value == kTrimRecordFollows) ReadTrimData(trim, o->layer);
}

// The point's fixed blocks, between its textures and trim slots.
template <typename F>
void PointHead(F& f, Poinz* p) {
    f.i16(&p->kind);
    f.u8(&p->selected);
    f.u8(&p->detectable);
    f.u8(&p->locked);
    f.f32(p->inTangent, 3);
    f.f32(p->position, 3);
    f.f32(p->outTangent, 3);
    f.f32(p->acrossTangent, 3);
}
template <typename F>
void PointMiddle(F& f, Poinz* p, int32_t v) {
    f.f32(&p->textureU);
    f.f32(&p->textureV);
    f.f32(&p->rowLength);
    f.f32(&p->rowPerimeter);
    StdColorField(f, &p->color1);
    StdColorField(f, &p->color2);
    if (filever::HasWallPointFields(v)) {
        f.f32(&p->baseElevation);
        f.i32(&p->wallStyle);
        f.i16(&p->dimensionMethod);
        f.i16(&p->dimensionFlipped);
    }
    if (filever::HasSegmentValues(v)) f.i32(&p->segmentFlags);
}
template <typename F>
void PointFaceScales(F& f, Poinz* p) {
    ShortPointField(f, &p->faceScale1);
    ShortPointField(f, &p->faceScale2);
}

void WritePointItems(const Objex* o, Poinz* p) {
    const int32_t v = sWriteVersion;
    WriteFields([&](auto& f) { PointHead(f, p); });
    WriteRecordTexture(p->texture1);
    WriteRecordTexture(p->texture2);
    WriteFields([&](auto& f) { PointMiddle(f, p, v); });
    if (filever::HasSegmentValues(v)) {
        WriteTrimSlot(o, p, 0);
        WriteFloats(p->segmentValues, 2);
    }
    if (filever::HasWallPointFields(v)) {
        WriteTrimSlot(o, p, 1);
        WriteFloats(p->segmentValues + 2, 3);
    } else if (filever::HasSecondTrimSlot(v)) {
        WriteTrimSlot(o, p, 1);
        WriteFloat(p->segmentValues[2]);
    }
    WriteFields([&](auto& f) {
        if (filever::HasFaceScales(v)) PointFaceScales(f, p);
        if (filever::HasStoredIDs(v)) f.u32(&p->pointID);
    });
}

void ReadPointItems(const Objex* o, Poinz* p) {
    const int32_t v = sInputVersion;
    ReadFields([&](auto& f) { PointHead(f, p); });
    if (p->selected) NoteSelectionUnknown();  // its object may already be linked
    p->texture1 = ReadRecordTexture();
    p->texture2 = ReadRecordTexture();
    ReadFields([&](auto& f) { PointMiddle(f, p, v); });
    if (filever::HasSegmentValues(v)) {
        ReadTrimSlot(o, p, 0);
        ReadFloats(p->segmentValues, 2);
    }
    if (filever::HasWallPointFields(v)) {
        ReadTrimSlot(o, p, 1);
        ReadFloats(p->segmentValues + 2, 3);
    } else if (filever::HasSecondTrimSlot(v)) {
        ReadTrimSlot(o, p, 1);
        ReadFloat(&p->segmentValues[2]);
    }
    uint32_t stored = 0;
    ReadFields([&](auto& f) {
        if (filever::HasFaceScales(v)) PointFaceScales(f, p);
        if (filever::HasStoredIDs(v)) f.u32(&stored);
    });
    if (filever::HasStoredIDs(v)) TakeStoredID(stored, &p->pointID, &DocState::nextPointID, ValidatePointID);
    // Wall points always own both trim records, also where the file holds no slot.
    if (IsWall(o)) {
        if (!p->trim1) p->trim1 = new (std::nothrow) TrimRecord{};
        if (!p->trim2) p->trim2 = new (std::nothrow) TrimRecord{};
    }
}

struct TrimMaterial {
    int32_t texture;
    RGBColor color;
    ShortPoint scale;
};

TrimMaterial SlotMaterial(const Objex* o, int slot) {
    switch (slot) {
    case 2: return {o->texture2, o->color2, o->textureScales[0]};
    case 3: return {o->texture3, o->color3, o->textureScales[1]};
    case 4: return {o->texture4, o->color4, o->textureScales[2]};
    case 5: return {o->texture5, o->color5, o->textureScales[3]};
    default: return {o->texture, o->fillColor, o->textureScales[4]};
    }
}

// Trims of files before 10900 carried no materials: they take the wall's.
void GiveTrimWallMaterials(const Objex* wall, TrimRecord* trim) {
    if (!trim) return;
    TrimMaterial m[5];
    if (sInputVersion == 10800) {
        m[0] = SlotMaterial(wall, 2);
        m[1] = SlotMaterial(wall, 4);
        m[2] = SlotMaterial(wall, 2);
        m[3] = SlotMaterial(wall, 3);
        m[4] = SlotMaterial(wall, 5);
    } else {
        m[0] = SlotMaterial(wall, 4);
        m[1] = TrimMaterial{2213, kWhite, ShortPoint{100, 100}};
        m[2] = SlotMaterial(wall, 2);
        m[3] = SlotMaterial(wall, 3);
        m[4] = SlotMaterial(wall, 5);
    }
    for (int i = 0; i < 5; ++i) {
        trim->texture[i] = m[i].texture;
        trim->color[i] = m[i].color;
        trim->scale[i][0] = static_cast<uint16_t>(m[i].scale.x);
        trim->scale[i][1] = static_cast<uint16_t>(m[i].scale.y);
    }
}

void RepairPoint(Objex* o, Poinz* p, Poinz* previous) {
    const int32_t v = sInputVersion;
    if (!filever::HasTexturedFaceColors(v)) {
        if (p->texture1 != 0) p->color1 = kWhite;
        if (p->texture2 != 0) p->color2 = kWhite;
    }
    if (IsWall(o) && filever::NeedsWallTrimMaterials(v)) {
        GiveTrimWallMaterials(o, p->trim1);
        GiveTrimWallMaterials(o, p->trim2);
    }
    if (o->type == objtype::kDeck && filever::HasEdgeDeckSteps(v) && previous)
        UpdateDeckSteps(o, previous, p);
    if (o->type == objtype::kRoof && !filever::HasTexturedFaceColors(v)) {
        p->color2 = p->color1;
        if (p->texture1 != 0) p->color1 = kWhite;
    }
}

void DiscardPoint(Poinz* p) {
    DeleteTrimRecord(p->trim1);
    DeleteTrimRecord(p->trim2);
    delete p;
}

int32_t CountPoints(const Objex* o) {
    int32_t n = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++n;
    return n;
}

void AdjustCabinetPart(Objex* o, const DocState* ds) {
    if (o->type == objtype::kCabinetPart && IsObjectSelected(o)) {
        const float drop = ConvertWorldToScreen(o->elevation, ds, 0);
        for (Poinz* p = o->firstPoint; p; p = p->next) p->position[1] -= drop;
        o->elevation = 0;
    }
    for (Objex* c = o->firstChild; c; c = c->next) AdjustCabinetPart(c, ds);
}

}  // namespace

// --- object info ---

namespace {

// The object info's fixed blocks, between its textures.
template <typename F>
void InfoHead(F& f, Objex* o, int32_t v) {
    if (o->type == objtype::kGroup && filever::HasGroupKind(v)) f.i32(&o->groupKind);
    f.u8(&o->closed);
    f.u8(&o->visible);
    ColorField(f, &o->fillColor);
    ColorField(f, &o->auxColor);
    ColorField(f, &o->penColor);
    f.f32(&o->penWidth);
    f.i16(&o->penStyle);
    f.i16(&o->fillPattern);
    f.i16(&o->rows);
    f.i32(&o->pointCount);
    f.u8(&o->flagA);
    f.i16(&o->elevationMode);
}
template <typename F>
void InfoFaces(F& f, Objex* o, int32_t v) {
    f.lef32(&o->textureFaceRect.floatTop);
    f.lef32(&o->textureFaceRect.floatLeft);
    f.lef32(&o->textureFaceRect.floatBottom);
    f.lef32(&o->textureFaceRect.floatRight);
    f.lef32(&o->textureFaceRect2.floatTop);
    f.lef32(&o->textureFaceRect2.floatLeft);
    f.lef32(&o->textureFaceRect2.floatBottom);
    f.lef32(&o->textureFaceRect2.floatRight);
    f.i16(&o->faceAxis);
    f.f32(&o->plantAge);
    if (filever::HasMaterialSlots(v)) f.i32(&o->subtype);
}
template <typename F>
void InfoSecondColors(F& f, Objex* o, int32_t v) {
    ColorField(f, &o->color2);
    ColorField(f, &o->color3);
    if (filever::HasElevationFields(v)) {
        f.f32(&o->elevation);
        f.u8(&o->onTerrain);
    }
}
template <typename F>
void InfoScales(F& f, Objex* o) {
    ColorField(f, &o->color5);
    for (ShortPoint& sp : o->textureScales) ShortPointField(f, &sp);
}
template <typename F>
void InfoTail(F& f, Objex* o, int32_t v) {
    if (filever::HasElevationFields(v)) f.i32(&o->planBits);
    f.f32(o->params, filever::HasElevationFields(v) ? 5 : 4);
    f.i32(&o->optionA);
    f.i32(&o->optionB);
}

}  // namespace

void WriteObjectInfo(Objex* o) {
    if (!o || !gCurDocument) return;
    const int32_t v = sWriteVersion;
    if (WritesResolvedPaletteLinks()) ForEachObjectSlot(o, TakeSlotPaletteMaterial);

    WriteFields([&](auto& f) {
        f.i16(&o->type);
        InfoHead(f, o, v);
    });
    WriteRecordTexture(o->texture);
    WriteFields([&](auto& f) { InfoFaces(f, o, v); });

    // Each later version adds fields inside the earlier ones' layout.
    if (filever::HasMaterialSlots(v)) {
        WriteRecordTexture(o->texture2);
        WriteRecordTexture(o->texture3);
        WriteFields([&](auto& f) { InfoSecondColors(f, o, v); });
        if (filever::HasElevationFields(v)) {
            WriteRecordTexture(o->texture4);
            WriteColor(o->color4);
            if (filever::HasFullObjectInfo(v)) {
                WriteRecordTexture(o->texture5);
                WriteFields([&](auto& f) { InfoScales(f, o); });
            }
        }
        WriteFields([&](auto& f) { InfoTail(f, o, v); });
    }
    if (filever::HasObjectText(v)) WriteStoredString(o->text);
    if (filever::HasStoredIDs(v)) WriteULong(o->objectID);
}

void ReadObjectInfo(Objex* o) {
    if (!o || !gCurDocument) return;
    const int32_t v = sInputVersion;

    ReadShort(&o->type);
    ReadFields([&](auto& f) { InfoHead(f, o, v); });
    o->texture = ReadRecordTexture();
    ReadFields([&](auto& f) { InfoFaces(f, o, v); });

    if (filever::HasMaterialSlots(v)) {
        o->texture2 = ReadRecordTexture();
        o->texture3 = ReadRecordTexture();
        ReadFields([&](auto& f) { InfoSecondColors(f, o, v); });
        if (filever::HasElevationFields(v)) {
            o->texture4 = ReadRecordTexture();
            ReadColor(&o->color4);
            if (filever::HasFullObjectInfo(v)) {
                o->texture5 = ReadRecordTexture();
                ReadFields([&](auto& f) { InfoScales(f, o); });
            }
        }
        ReadFields([&](auto& f) { InfoTail(f, o, v); });
    }
    if (filever::HasObjectText(v)) {
        int32_t length = 0;
        ReadLong(&length);
        std::string text;
        if (ReadStoredString(length, &text) && !text.empty()) {
            FreeString(o->text);
            o->text = CopyString(text.c_str());
        }
    }
    if (filever::HasStoredIDs(v)) {
        uint32_t stored = 0;
        ReadULong(&stored);
        TakeStoredID(stored, &o->objectID, &DocState::nextObjectID, ValidateObjectID);
    }
    RepairObjectInfo(o);
}

// --- points ---

void WriteObjectPoints(Objex* o) {
    if (!o || !gCurDocument) return;
    WriteLong(CountPoints(o));
    const bool resolve = WritesResolvedPaletteLinks();
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        if (resolve) {
            TakePaletteMaterial(p->texture1, &p->color1, nullptr, &p->faceScale1.x, &p->faceScale1.y);
            TakePaletteMaterial(p->texture2, &p->color2, nullptr, &p->faceScale2.x, &p->faceScale2.y);
        }
        WritePointItems(o, p);
    }
}

void ReadObjectPoints(Objex* o) {
    if (!o || !CurrentDocState()) return;
    int32_t count = 0;
    ReadLong(&count);
    Poinz* previous = nullptr;
    int32_t have = 0;
    for (Poinz* p = o->firstPoint; p; p = p->next) previous = p, ++have;
    // The count read with the object info counts nothing yet (a damaged one near the
    // largest count would overflow as points are added).
    o->pointCount = have;
    // A damaged count cannot make more points than the input holds: each takes bytes.
    for (int32_t i = 0; i < count && !AtEndOfInput(); ++i) {
        Poinz* p = CreatePoint(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, o);
        if (!p) break;
        ReadPointItems(o, p);
        if (InputTruncated()) {
            DiscardPoint(p);
            break;
        }
        RepairPoint(o, p, previous);
        p->next = nullptr;
        p->prev = previous;
        if (previous) previous->next = p;
        else o->firstPoint = p;
        ++o->pointCount;
        previous = p;
    }
    if (o->type == objtype::kDeck && filever::HasEdgeDeckSteps(sInputVersion) && o->closed && previous &&
        o->firstPoint != previous)
        UpdateDeckSteps(o, previous, o->firstPoint);
    if (o->rows < 1 || o->pointCount % o->rows != 0) o->rows = 1;
}

// --- repairs ---

void UpdateDeckSteps(Objex* deck, Poinz* previous, Poinz* point) {
    DocState* ds = CurrentDocState();
    if (!deck || !previous || !point || !ds) return;
    if (!(previous->segmentFlags & 2)) return;
    AddDeckSteps(deck, previous, point);
    Objex* step = deck->firstChild;
    while (step && step->next) step = step->next;
    if (!step || step->typeData.kind != TypeDataKind::Attachment || !step->typeData.attachment) return;
    AttachmentRecord* r = step->typeData.attachment;
    r->width = ConvertWorldToScreen(previous->segmentValues[1], ds, 0);
    r->height = ConvertWorldToScreen(previous->segmentValues[2], ds, 0);
    DeckStepLeftHandrail(r) = (previous->segmentFlags & 8) ? 1 : 0;
    DeckStepRightHandrail(r) = (previous->segmentFlags & 16) ? 1 : 0;
}

void AdjustCabinetObjectElevation() {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) AdjustCabinetPart(o, ds);
}
