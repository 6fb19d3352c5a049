#include "powertools/core/exchange_writer.h"

#include <cstring>
#include <vector>

#include "files/attachment_records.h"
#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/docstate_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/tool_defaults.h"
#include "port/seam.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/power_tool_dispatcher.h"
#include "files/custom_textures.h"

using exchange::RecordRow;
using exchange::SettingsRow;
using exchange::Wire;

int32_t sPlugInWriteVersion = xver::k11000;
static const port::GlobalReset kReset([] { sPlugInWriteVersion = xver::k11000; });

namespace {

// --- values ---

void WriteByte(uint8_t v) { WriteSome(&v, 1); }

void WriteText(const char* text, size_t limit = SIZE_MAX) {
    const size_t n = text ? strnlen(text, limit) : 0;
    WriteStdLong(static_cast<int32_t>(n));
    if (n) WriteSome(text, static_cast<uint32_t>(n));
}

void WriteShortPoint(int16_t h, int16_t v) {
    WriteStdShort(h);
    WriteStdShort(v);
}

// Fixed fields gathered in a small buffer and appended to the output in one piece; a field
// of varying length (a text, a custom texture's path) first sends what was gathered.
class Staging {
public:
    Staging() = default;
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;
    ~Staging() { flush(); }

    void u8(uint8_t v) {
        room(1);
        b_[n_++] = v;
    }
    void u16(uint16_t v) {
        room(2);
        b_[n_++] = static_cast<uint8_t>(v);
        b_[n_++] = static_cast<uint8_t>(v >> 8);
    }
    void u32(uint32_t v) {
        room(4);
        for (int shift = 0; shift < 32; shift += 8) b_[n_++] = static_cast<uint8_t>(v >> shift);
    }
    void f32(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        u32(bits);
    }
    void color(const RGBColor& c) {
        u16(c.red);
        u16(c.green);
        u16(c.blue);
    }
    void text(const char* t, size_t limit = SIZE_MAX) {
        flush();
        WriteText(t, limit);
    }
    // Texture form: a custom texture goes out as -1 and its path.
    void textureForm(int32_t id) {
        if (id < kFirstCustomTextureID && id != -1) {
            u32(static_cast<uint32_t>(id));
            return;
        }
        flush();
        WriteStdTextureID(id);
    }
    void flush() {
        if (n_) WriteSome(b_, n_);
        n_ = 0;
    }

private:
    void room(uint32_t k) {
        if (n_ + k > sizeof b_) flush();
    }
    uint8_t b_[512];
    uint32_t n_ = 0;
};

// Rule T: links kept from 10000, resolved for 8000 and 9000, plain numbers before.
void WriteTextureT(Staging& out, int32_t id) {
    const int32_t v = sPlugInWriteVersion;
    if (xver::Is10000Plus(v)) out.textureForm(id);
    else if (xver::Is8000Plus(v)) out.textureForm(GetPaletteTextureID(id));
    else out.u32(static_cast<uint32_t>(id));
}

// Rule T', for records that only 8000 and later files carry.
void WriteTextureTPrime(int32_t id) {
    WriteStdTextureID(xver::Is10000Plus(sPlugInWriteVersion) ? id : GetPaletteTextureID(id));
}

void WriteSettingsFont(Staging& out, const LOGFONT& font) {
    out.u32(0u - static_cast<uint32_t>(font.lfHeight));  // negated modulo 2^32: INT32_MIN does not overflow
    out.u32(static_cast<uint32_t>(font.lfWeight));
    out.u8(font.lfItalic);
    out.u8(font.lfUnderline);
    out.text(font.lfFaceName, sizeof font.lfFaceName);
}

// One value of a wire at `at`; the address of the next one.
const unsigned char* WriteValue(Staging& out, Wire wire, const unsigned char* at) {
    auto load = [at](auto& v) { std::memcpy(&v, at, sizeof v); };
    switch (wire) {
    case Wire::U8: out.u8(*at); return at + 1;
    case Wire::I16: case Wire::U16: { uint16_t v; load(v); out.u16(v); return at + 2; }
    case Wire::I32: case Wire::U32: { uint32_t v; load(v); out.u32(v); return at + 4; }
    case Wire::F32: { float v; load(v); out.f32(v); return at + 4; }
    case Wire::I16AsF32: { int16_t v; load(v); out.f32(static_cast<float>(v)); return at + 2; }
    case Wire::Point: { FloatPoint v; load(v); out.f32(v.floatH); out.f32(v.floatV); return at + sizeof v; }
    case Wire::Rect: {
        FloatRect v;
        load(v);
        for (float f : {v.floatTop, v.floatLeft, v.floatBottom, v.floatRight}) out.f32(f);
        return at + sizeof v;
    }
    case Wire::Color: { RGBColor v; load(v); out.color(v); return at + sizeof v; }
    case Wire::ShortPoint: {
        ShortPoint v;
        load(v);
        out.u16(static_cast<uint16_t>(v.x));
        out.u16(static_cast<uint16_t>(v.y));
        return at + sizeof v;
    }
    case Wire::Texture: { int32_t v; load(v); WriteTextureT(out, v); return at + 4; }
    case Wire::Texture16: { int16_t v; load(v); WriteTextureT(out, v); return at + 2; }
    case Wire::Font: { LOGFONT v; load(v); WriteSettingsFont(out, v); return at + sizeof v; }
    case Wire::OwnedText: { const char* v; load(v); out.text(v); return at + sizeof v; }
    case Wire::Pad8: out.u8(0); return at;
    case Wire::ColorTable: {
        for (int i = 0; i < exchange::kColorTableEntries; ++i, at += 4) {
            uint32_t v;
            std::memcpy(&v, at, 4);
            for (int shift = 0; shift < 24; shift += 8) out.u16(static_cast<uint16_t>((v >> shift) & 0xFF));
        }
        return at;
    }
    default: return at;
    }
}

// The palette refresh: a linked texture's colour fields and scale take the entry's values.
void RefreshFromPalette(int32_t texture, RGBColor* color, RGBColor* color2, ShortPoint* scale) {
    TakePaletteMaterial(texture, color, color2, scale ? &scale->x : nullptr, scale ? &scale->y : nullptr);
}

// --- settings ---

const DocStateField& SettingsField(int number) { return DocStateFields()[static_cast<size_t>(number - 1)]; }

void WriteSettingsRow(Staging& out, DocState* ds, const SettingsRow& row) {
    if (row.wire == Wire::AppFont) {
        WriteSettingsFont(out, gTextFontInfo);
        return;
    }
    if (row.wire == Wire::Refresh) {
        const DocStateField& t = SettingsField(row.number);
        const void* at = DocStateFieldAddress(ds, t);
        int32_t texture = 0;
        if (t.type == DocFieldType::I16) {
            int16_t v;
            std::memcpy(&v, at, 2);
            texture = v;
        } else {
            std::memcpy(&texture, at, 4);
        }
        RefreshFromPalette(texture, static_cast<RGBColor*>(DocStateFieldAddress(ds, SettingsField(row.color))),
                           nullptr, static_cast<ShortPoint*>(DocStateFieldAddress(ds, SettingsField(row.scale))));
        return;
    }
    for (int k = 0; k < row.count; ++k) {
        const DocStateField& f = SettingsField(row.number + k);
        const auto* at = static_cast<const unsigned char*>(DocStateFieldAddress(ds, f));
        if (row.wire == Wire::Chars) out.text(reinterpret_cast<const char*>(at), f.count);
        else WriteValue(out, row.wire, at);
    }
}

// --- records ---

void WriteRecordRows(std::span<const RecordRow> rows, void* record, const Objex* object = nullptr) {
    auto* base = static_cast<unsigned char*>(record);
    const int32_t v = sPlugInWriteVersion;
    Staging out;
    for (const RecordRow& row : rows) {
        if (!exchange::Carries(row.since, v)) continue;
        if (row.wire == Wire::Refresh) {
            int32_t texture;
            std::memcpy(&texture, base + row.offset, 4);
            RefreshFromPalette(texture, reinterpret_cast<RGBColor*>(base + row.color),
                               row.color2 >= 0 ? reinterpret_cast<RGBColor*>(base + row.color2) : nullptr,
                               reinterpret_cast<ShortPoint*>(base + row.scale));
            continue;
        }
        if (row.wire == Wire::OwnerTool) {
            int32_t tool = 0;
            if (object && object->type == objtype::kGroup) std::memcpy(&tool, base + row.offset, 4);
            out.u32(static_cast<uint32_t>(tool));
            continue;
        }
        const unsigned char* at = base + row.offset;
        for (int k = 0; k < row.count; ++k) at = WriteValue(out, row.wire, at);
    }
}

// --- records of attached children ---

AttachmentRecord* AttachmentOf(Objex* o) {
    return o->typeData.kind == TypeDataKind::Attachment ? o->typeData.attachment : nullptr;
}
RoofAttachmentRecord* RoofAttachmentOf(Objex* o) {
    return o->typeData.kind == TypeDataKind::RoofAttachment ? o->typeData.roofAttachment : nullptr;
}

// Old files carry only plain doors and windows in walls.
bool OldFileCarriesWallChild(Objex* child) {
    const AttachmentRecord* r = AttachmentOf(child);
    if (!r) return false;
    return (r->ownerType == objtype::kWindow && r->style != kCustomWindowStyle) ||
           (r->ownerType == objtype::kDoor && r->style != kCustomDoorStyle);
}

// Point links become positions for as long as the children are written. The links are put
// back as they were, so one that named no point of the host stays so.
class HostIndexScope {
public:
    explicit HostIndexScope(Objex* host) {
        for (Objex* c = host->firstChild; c; c = c->next)
            if (AttachmentRecord* r = AttachmentOf(c)) links_.push_back({r, r->segmentStart, r->segmentEnd});
        AllWallAttachmentsHdlToIndex(host);
    }
    ~HostIndexScope() {
        for (const Link& l : links_) {
            l.record->segmentStart = l.start;
            l.record->segmentEnd = l.end;
        }
    }
    HostIndexScope(const HostIndexScope&) = delete;
    HostIndexScope& operator=(const HostIndexScope&) = delete;

private:
    struct Link {
        AttachmentRecord* record;
        Poinz* start;
        Poinz* end;
    };
    std::vector<Link> links_;
};

void WriteHostedChildren(Objex* host, int16_t tag, bool filterOld) {
    const bool old = xver::IsOld(sPlugInWriteVersion);
    auto carried = [&](Objex* c) { return !(old && filterOld) || OldFileCarriesWallChild(c); };
    int32_t count = 0;
    for (Objex* c = host->firstChild; c; c = c->next)
        if (carried(c)) ++count;
    WriteStdLong(count);
    HostIndexScope indices(host);
    for (Objex* c = host->firstChild; c; c = c->next) {
        if (!carried(c)) continue;
        WriteStdShort(tag);
        WritePlugInObjectInfo(c);
        WritePlugInObjectPoints(c);
        if (old) WritePlugInObjectAttachment75(AttachmentOf(c));
        else WritePlugInObjectAttachment(AttachmentOf(c));
    }
}

void WriteRoofChildren(Objex* roof) {
    int32_t count = 0;
    for (Objex* c = roof->firstChild; c; c = c->next)
        if (objtype::IsRoofAttachment(c->type)) ++count;
    WriteStdLong(count);
    for (Objex* c = roof->firstChild; c; c = c->next) {
        if (!objtype::IsRoofAttachment(c->type)) continue;
        WriteStdShort(exchange::kRoofChildTag);
        WritePlugInObjectInfo(c);
        WritePlugInObjectPoints(c);
        WritePlugInRoofAttachment(RoofAttachmentOf(c));
    }
}

// A trim side of an attachment record: flag, material, and the profile when the flag is set.
void WriteAttachmentTrim(uint8_t customFlag, Objex* profile, int32_t texture, int16_t* scale, RGBColor* color) {
    const uint8_t flag = customFlag && profile ? customFlag : 0;
    WriteByte(flag);
    WriteTextureTPrime(texture);
    TakePaletteMaterial(texture, color, nullptr, &scale[0], &scale[1]);
    WriteStdShort(scale[0]);
    WriteStdShort(scale[1]);
    WriteStdColor(*color);
    if (!flag) return;
    WriteStdShort(exchange::kProfileBeginTag);
    WriteAPlugInObject(profile);
    WriteStdShort(exchange::kProfileEndTag);
}

// A material of a trim or roof attachment record: texture, scale, colour.
void WriteMaterial(int32_t texture, int16_t* scaleH, int16_t* scaleV, RGBColor* color) {
    WriteTextureTPrime(texture);
    TakePaletteMaterial(texture, color, nullptr, scaleH, scaleV);
    WriteStdShort(*scaleH);
    WriteStdShort(*scaleV);
    WriteStdColor(*color);
}

bool IsBracketedGroup(const Objex* o) {
    return o->type == objtype::kGroup && !o->parent && o->firstChild;
}

}  // namespace

// --- steps ---

void DoWritePlugInHeader() {
    WriteStdLong(gCurDocument ? gCurDocument->itsDocID : 0);
    WriteStdLong(sPlugInWriteVersion);
    WriteStdShort(exchange::kPlatform);
    WriteText(exchange::kReservedText);
    WriteText(exchange::kReservedText);
}

void DoWritePlugInDocState() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    WriteStdShort(exchange::kSettingsTag);
    {
        Staging out;
        for (const SettingsRow& row : exchange::SettingsSection())
            if (exchange::Carries(row.since, sPlugInWriteVersion)) WriteSettingsRow(out, ds, row);
    }
    if (!xver::Is10000Plus(sPlugInWriteVersion)) return;
    DoWritePlugInLiveViews();
    DoWritePlugInPalettes();
}

void DoWritePlugInLiveViews() {
    if (!gCurDocument) return;
    const int32_t count = CountLiveViewsList();
    WriteStdLong(count);
    if (count <= 0) return;
    for (LiveViewsList* view = gCurDocument->itsLiveViews; view; view = view->next) {
        WriteText(view->name, sizeof view->name);
        WriteRecordRows(exchange::SavedViewItems(), view);
    }
}

void DoWritePlugInPalettes() {
    if (!gCurDocument) return;
    int32_t count = 0;
    for (const DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next) ++count;
    WriteStdLong(count);
    for (const DocPaletteList* p = gCurDocument->itsPaletteList; p; p = p->next) WriteStdPaletteList(p);
    WriteStdLong(exchange::kPalettesEndTag);
}

void DoWritePlugInObjects() {
    if (!gCurDocument) return;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next) WriteAPlugInLayer(l);
    WriteStdShort(exchange::kObjectsEndTag);
}

void WriteAPlugInLayer(Layer* layer) {
    if (!layer) return;
    WriteStdShort(exchange::kFloorTag);
    WriteText(layer->name, sizeof layer->name);
    WriteByte(layer->visible);
    WriteByte(layer->active);
    WriteStdFloat(layer->height);
    for (Objex* o = layer->firstObject; o; o = o->next) WriteAPlugInObject(o);
}

void WriteAPlugInObject(Objex* o) {
    if (!o) return;
    // The oldest tools know no user plants.
    if (sPlugInWriteVersion == xver::k5000 && o->type == objtype::kPlant && o->subtype == objsubtype::kUserPlant)
        return;
    if (o->type != objtype::kDimensionText) {
        WriteStdShort(exchange::kObjectTag);
        WritePlugInObjectInfo(o);
        WritePlugInObjectPoints(o);
        WritePlugInObjectData(o);
    }
    if (!o->firstChild) return;
    switch (o->type) {
    case objtype::kWall:
    case objtype::kDeck:
    case objtype::kRoof:
    case objtype::kFreehandRoof:
        // Inside the type data, or not at all.
        return;
    default:
        break;
    }
    int16_t endTag = 0;
    if (IsBracketedGroup(o)) {
        if (o->subtype == objsubtype::kCabinetGroup) {
            WriteStdShort(exchange::kCabinetBeginTag);
            if (o->typeData.kind == TypeDataKind::Cabinet && o->typeData.cabinet) {
                o->typeData.cabinet->elevation = o->elevation;
                DoWritePlugInCabinetState(o->typeData.cabinet);
            }
            endTag = exchange::kCabinetEndTag;
        } else if (o->firstChild->type != objtype::kDimensionLinked) {
            WriteStdShort(exchange::kGroupBeginTag);
            endTag = exchange::kGroupEndTag;
        }
    }
    for (Objex* c = o->firstChild; c; c = c->next) WriteAPlugInObject(c);
    if (endTag) WriteStdShort(endTag);
}

void WritePlugInObjectInfo(Objex* o) { WriteRecordRows(exchange::ObjectInfo(), o, o); }

void WritePlugInObjectPoints(Objex* o) {
    int32_t count = 0;
    for (const Poinz* p = o->firstPoint; p; p = p->next) ++count;
    WriteStdLong(count);
    const bool wall = o->type == objtype::kWall;
    const bool trimRecords = xver::Is8000Plus(sPlugInWriteVersion);
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        WriteRecordRows(exchange::PointItems(), p);
        if (!wall) {
            WriteStdLong(p->trimValue1);
            WriteStdLong(p->trimValue2);
        } else if (trimRecords) {
            WriteStdShort(exchange::kTrimBeginTag);
            WritePlugInTrimData(p->trim1);
            WritePlugInTrimData(p->trim2);
            WriteStdShort(exchange::kTrimEndTag);
        } else {
            for (const TrimRecord* t : {p->trim1, p->trim2})
                WriteStdLong(t && t->slot[0] != exchange::kTrimProfileFollows ? t->slot[0] : 0);
        }
    }
}

void WritePlugInTrimData(TrimRecord* trim) {
    const bool materials = xver::Is9000Plus(sPlugInWriteVersion);
    if (!trim) {
        WriteStdLong(0);
        WriteStdLong(0);
        if (!materials) return;
        for (int k = 0; k < 5; ++k) {
            WriteStdLong(0);
            WriteShortPoint(0, 0);
            WriteStdColor(RGBColor{});
        }
        return;
    }
    for (int which = 0; which < 2; ++which) {
        const int32_t kind = trim->slot[which];
        if (kind != exchange::kTrimProfileFollows) {
            WriteStdLong(kind);
        } else if (trim->profile[which]) {
            WriteStdLong(kind);
            WriteStdShort(exchange::kProfileBeginTag);
            WriteAPlugInObject(trim->profile[which]);
            WriteStdShort(exchange::kProfileEndTag);
        } else {
            WriteStdLong(0);
        }
    }
    if (!materials) return;
    for (int k = 0; k < 5; ++k) {
        int16_t scale[2] = {static_cast<int16_t>(trim->scale[k][0]), static_cast<int16_t>(trim->scale[k][1])};
        WriteMaterial(trim->texture[k], &scale[0], &scale[1], &trim->color[k]);
        trim->scale[k][0] = static_cast<uint16_t>(scale[0]);
        trim->scale[k][1] = static_cast<uint16_t>(scale[1]);
    }
}

void WritePlugInObjectData(Objex* o) {
    const int32_t v = sPlugInWriteVersion;
    switch (o->type) {
    case objtype::kWall:
        WriteHostedChildren(o, exchange::kWallChildTag, true);
        break;
    case objtype::kDeck:
        WriteHostedChildren(o, exchange::kDeckChildTag, false);
        break;
    case objtype::kRoof:
        if (xver::Is9000Plus(v)) WriteRoofChildren(o);
        break;
    case objtype::kText:
    case objtype::kEnhancedText: {
        // The reader always takes a font after the text: without one of its own the text
        // goes out in the application's text font.
        const TextData* td = o->typeData.kind == TypeDataKind::Text ? o->typeData.text : nullptr;
        WriteText(td ? td->text : nullptr);
        ApplePortWriteLOGFONT(td && td->hasFont ? &td->font : &gTextFontInfo);
        break;
    }
    case objtype::kPlant:
        if (o->subtype == objsubtype::kUserPlant && v != xver::k5000)
            WriteText(o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr);
        break;
    case objtype::kPhoto:
        // Always an item, length 0 without a path: the reader always takes one.
        WriteText(o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr);
        break;
    default:
        break;
    }
}

void WritePlugInObjectAttachment(AttachmentRecord* record) {
    AttachmentRecord zero;
    AttachmentRecord* r = record ? record : &zero;
    WriteStdShort(r->ownerType);
    WriteStdShort(r->style);
    WriteStdLong(r->startIndex);
    WriteStdLong(r->endIndex);
    for (float f : {r->centreDistance, r->remainder, r->width, r->height, r->elevation}) WriteStdFloat(f);
    for (int i = 0; i < 3; ++i) WriteStdLong(0);
    WriteByte(r->sideFlag);
    WriteStdFloat(r->swingOrOffset);
    WriteStdShort(r->directionFlag);
    WriteStdShort(r->frameFlag);
    WriteStdShort(r->reserved);
    WriteStdFloat(r->trimWidth);
    if (record && (r->style == kCustomDoorStyle || r->style == kCustomWindowStyle)) {
        WriteStdShort(exchange::kPartsBeginTag);
        for (Objex* list : r->customParts)
            for (Objex* o = list; o; o = o->next) WriteAPlugInObject(o);
        WriteStdShort(exchange::kPartsEndTag);
    }
    WriteAttachmentTrim(r->insideCustomTrim, r->insideTrimProfile, r->insideTrimTexture, r->insideTrimScale,
                        &r->insideTrimColor);
    WriteAttachmentTrim(r->outsideCustomTrim, r->outsideTrimProfile, r->outsideTrimTexture, r->outsideTrimScale,
                        &r->outsideTrimColor);
}

void WritePlugInObjectAttachment75(AttachmentRecord* record) {
    AttachmentRecord zero;
    const AttachmentRecord* r = record ? record : &zero;
    WriteStdShort(r->ownerType);
    WriteStdShort(r->style);
    WriteStdLong(r->startIndex);
    WriteStdLong(r->endIndex);
    for (float f : {r->centreDistance, r->remainder, r->width, r->height, r->elevation}) WriteStdFloat(f);
    for (int i = 0; i < 3; ++i) WriteStdLong(0);
    WriteByte(r->sideFlag);
    WriteByte(0);
    WriteStdFloat(r->swingOrOffset);
    WriteStdShort(r->directionFlag);
    WriteStdShort(r->frameFlag);
    WriteStdShort(r->reserved);
    WriteStdFloat(r->trimWidth);
}

void WritePlugInRoofAttachment(RoofAttachmentRecord* record) {
    RoofAttachmentRecord zero;
    RoofAttachmentRecord* r = record ? record : &zero;
    WriteStdShort(r->ownerType);
    WriteStdShort(r->style);
    for (float f : {r->width, r->length, r->trimWidth, r->angle}) WriteStdFloat(f);
    WriteStdLong(r->sectionSubtype);
    WriteByte(r->flipFlags[0]);
    WriteByte(r->flipFlags[1]);
    WriteStdLong(0);
    WriteStdLong(0);
    if (record && r->ownerType == objtype::kSkylight && r->style == kCustomSkylightStyle) {
        WriteStdShort(exchange::kSkylightPartsBeginTag);
        for (Objex* list : r->partLists)
            for (Objex* o = list; o; o = o->next) WriteAPlugInObject(o);
        WriteStdShort(exchange::kSkylightPartsEndTag);
    }
    WriteMaterial(r->texture1, &r->textureScale1[0], &r->textureScale1[1], &r->color1);
    WriteMaterial(r->texture2, &r->textureScale2[0], &r->textureScale2[1], &r->color2);
}

void DoWritePlugInCabinetState(CabinetState* state) {
    if (!state) return;
    WriteStdLong(exchange::kCabinetStateSize);
    WriteRecordRows(exchange::CabinetStateItems(), state);
}

void DoWritePlugInBlackBox(int32_t plugInID) {
    const PlugInData* block = GetPlugInData(plugInID);
    if (!block) return;
    WriteStdShort(exchange::kDataBlockTag);
    if (block->size > 0 && block->data) {
        WriteStdLong(block->size);
        WriteSome(block->data, static_cast<uint32_t>(block->size));
    } else {
        WriteStdLong(0);
    }
    WriteStdShort(exchange::kDataBlockEndTag);
}

int PlugInFileWrite(const char* path, int32_t plugInID, int32_t /*minFileVersion*/, int32_t fileVersion) {
    sPlugInWriteVersion = xver::NormalizedExchangeVersion(fileVersion);
    gFileWriteFailed = 1;
    if (!gCurDocument || !CurrentDocState() || !path || !*path || DesignFileBusy()) return 0;
    FileOperationScope operation;
    StartOutputBuffer();
    DoWritePlugInHeader();
    DoWritePlugInDocState();
    DoWritePlugInObjects();
    DoWritePlugInBlackBox(plugInID);
    if (plugInID == kPowerToolWithSharedBlock) DoWritePlugInBlackBox(kPowerToolSharedBlock);
    if (!FlushOutputBufferToFile(path)) return 0;
    gFileWriteFailed = 0;
    return 1;
}
