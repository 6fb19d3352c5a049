#include "powertools/core/exchange_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "app/core/localization_seams.h"
#include "files/attachment_records.h"
#include "files/cabinet_files.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "files/plant_info_files.h"
#include "model/plugin_data.h"
#include "model/texture_mapping.h"
#include "model/tool_defaults.h"
#include "model/transform_support.h"
#include "port/seam.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_values.h"
#include "model/id_counters.h"
#include "files/custom_textures.h"

using exchange::RecordRow;
using exchange::Wire;
using namespace exchange_values;

// --- IDs ---

namespace {

ExchangeIDIndex* sIDIndex = nullptr;
static const port::GlobalReset kReset([] { sIDIndex = nullptr; });

template <typename Visit>
void EachObjectOf(const Objex* tree, Visit&& visit) {
    if (!tree) return;
    visit(tree);
    for (const Objex* c = tree->firstChild; c; c = c->next) EachObjectOf(c, visit);
}

// The stored ID when it is not 0 and not taken, else the counter's next free number; taken
// from then on.
uint32_t Take(std::unordered_set<uint32_t>& taken, uint32_t& counter, uint32_t stored) {
    uint32_t id = stored;
    if (id == 0 || taken.count(id)) {
        if (counter == 0) counter = 1;
        while (taken.count(counter)) ++counter;
        id = counter++;
    }
    taken.insert(id);
    return id;
}

}  // namespace

ExchangeIDIndex::ExchangeIDIndex() : outer_(sIDIndex) {
    ForEachDesignObject([this](const Objex* o) {
        objects_.insert(o->objectID);
        for (const Poinz* p = o->firstPoint; p; p = p->next) points_.insert(p->pointID);
    });
    sIDIndex = this;
}

ExchangeIDIndex::~ExchangeIDIndex() { sIDIndex = outer_; }

ExchangeIDIndex* ExchangeIDIndex::current() { return sIDIndex; }

void ExchangeIDIndex::forget(const Objex* tree) {
    EachObjectOf(tree, [this](const Objex* o) {
        objects_.erase(o->objectID);
        for (const Poinz* p = o->firstPoint; p; p = p->next) points_.erase(p->pointID);
    });
}

void ExchangeIDIndex::remember(const Objex* tree) {
    EachObjectOf(tree, [this](const Objex* o) {
        objects_.insert(o->objectID);
        for (const Poinz* p = o->firstPoint; p; p = p->next) points_.insert(p->pointID);
    });
}

uint32_t ExchangeIDIndex::objectID(uint32_t stored) {
    DocState* ds = CurrentDocState();
    return ds ? Take(objects_, ds->nextObjectID, stored) : stored;
}

uint32_t ExchangeIDIndex::pointID(uint32_t stored) {
    DocState* ds = CurrentDocState();
    return ds ? Take(points_, ds->nextPointID, stored) : stored;
}

namespace {

// --- nesting ---

// Records nest (a trim's profile, a custom window's parts); no sound file nests this deep.
constexpr int kMaxNesting = 16;
int sNesting = 0;
static const port::GlobalReset kNestingReset([] { sNesting = 0; });

struct NestingGuard {
    NestingGuard() { ++sNesting; }
    ~NestingGuard() { --sNesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr RGBColor kBlack{0, 0, 0};

// The number a creation took goes back to its counter: the record brings its own.
void GiveBack(uint32_t& counter, uint32_t taken) {
    if (taken != 0 && counter == taken + 1) --counter;
}

Objex* NewObject(Layer* layer) {
    RGBColor fill = kWhite;
    RGBColor pen = kBlack;
    return CreateObject(0, 0, 0, &fill, &pen, 1.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
}

// A part read from inside another record: on the floor given, but linked to none.
Objex* ReadPartObject(Layer* layer) {
    Objex* o = ReadAPlugInObject(layer, 0);
    if (o) o->layer = nullptr;
    return o;
}

// Tags up to `endTag`; each 300 brings an object handed to `take`. Other tags carry nothing.
template <typename Take>
void ReadTaggedObjects(Layer* layer, int16_t endTag, Take&& take) {
    int16_t tag = 0;
    while (!AtEndOfInput() && ReadStdShort(&tag) && tag != endTag) {
        if (tag != exchange::kObjectTag) continue;
        if (Objex* o = ReadPartObject(layer)) take(o);
    }
}

// The fixed fields both forms share; the short form has a pad byte after the side flag.
void ReadAttachmentFields(AttachmentRecord* r, bool shortForm) {
    ReadStdShort(&r->ownerType);
    ReadStdShort(&r->style);
    ReadStdLong(&r->startIndex);
    ReadStdLong(&r->endIndex);
    for (float* f : {&r->centreDistance, &r->remainder, &r->width, &r->height, &r->elevation}) ReadStdFloat(f);
    SkipInput(12);
    ReadSome(&r->sideFlag, 1);
    if (shortForm) SkipInput(1);
    ReadStdFloat(&r->swingOrOffset);
    ReadStdShort(&r->directionFlag);
    ReadStdShort(&r->frameFlag);
    ReadStdShort(&r->reserved);
    ReadStdFloat(&r->trimWidth);
}

void ReadMaterial(int32_t* texture, int16_t* scaleH, int16_t* scaleV, RGBColor* color) {
    *texture = ReadStdTextureID();
    ReadStdShort(scaleH);
    ReadStdShort(scaleV);
    ReadStdColor(color);
}

// The side of an attachment record's trim: flag, material, and the profile when flagged.
void ReadAttachmentTrim(uint8_t* flag, int32_t* texture, int16_t* scale, RGBColor* color, Objex** profile,
                        Layer* layer) {
    ReadSome(flag, 1);
    ReadMaterial(texture, &scale[0], &scale[1], color);
    if (!*flag) return;
    ReadTaggedObjects(layer, exchange::kProfileEndTag, [profile](Objex* o) {
        if (*profile) DeleteObj(*profile);
        *profile = o;
    });
}

void TakePhotoTextures(Objex* o) {
    const int32_t id = gCurrentPhotoTextureID++;
    o->texture2 = o->texture3 = o->texture4 = id;
    for (Poinz* p = o->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
}

void SetImagePath(Objex* o, const std::string& path) {
    DeleteObjectData(o);
    if (char* copy = CopyString(path.c_str())) o->typeData = TypeData::OfImagePath(copy);
}

// A length and that many bytes; a path reaches its 512-byte places.
std::string ReadPathItem() {
    int32_t length = 0;
    ReadStdLong(&length);
    if (length <= 0) return {};
    std::string s;
    ReadStoredString(length, &s);
    if (s.size() > kPathLimit) s.resize(kPathLimit);
    return s;
}

TextData* NewTextRecord(Objex* o) {
    DeleteObjectData(o);
    TextData* td = new (std::nothrow) TextData{};
    if (td) o->typeData = TypeData::OfText(td);
    return td;
}

// The text, the always-present font, and "(empty)" in the application's font for no text.
void ReadTextAndFont(TextData* td, bool oldRecord, int16_t* alignment) {
    int32_t length = 0;
    ReadStdLong(&length);
    std::string text;
    if (length > 0) ReadStoredString(length, &text);
    if (oldRecord) {
        int32_t skipped = 0;
        ReadStdLong(&skipped);
        if (skipped > 0) SkipInput(static_cast<uint32_t>(skipped));
        ReadStdShort(alignment);
    }
    LOGFONT font;
    ApplePortReadLOGFONT(&font);
    if (!td) return;
    FreeString(td->text);
    td->text = nullptr;
    if (!text.empty()) td->text = CopyString(text.c_str());
    if (td->text) {
        td->font = font;
        td->hasFont = 1;
        return;
    }
    td->text = CopyString(LocalizedString("(empty)").c_str());
    td->font = gTextFontInfo;
    td->hasFont = 1;
}

// The children of a wall (301) or deck (304): info, points and an attachment record each.
void ReadHostedChildren(Objex* host, Layer* layer, int16_t childTag) {
    int32_t count = 0;
    ReadStdLong(&count);
    const bool full = xver::Is8000Plus(sInputVersion);
    int32_t i = 0;
    for (; i < count && !AtEndOfInput(); ++i) {
        int16_t tag = 0;
        if (!ReadStdShort(&tag)) break;
        if (tag != childTag) continue;
        Objex* c = NewObject(layer);
        if (!c) break;
        ReadPlugInObjectInfo(c);
        c->pointCount = 0;
        ReadPlugInObjectPoints(c);
        auto* r = new (std::nothrow) AttachmentRecord{};
        if (r) c->typeData = TypeData::OfAttachment(r);
        AttachmentRecord scratch;
        if (full) ReadPlugInObjectAttachment(r ? r : &scratch, c, layer);
        else ReadPlugInObjectAttachment75(r ? r : &scratch, c);
        c->prev = c->next = nullptr;
        c->layer = layer;
        AppendChildToObject(c, host);
        UpdateObjectBounds(c);
    }
    // A list that ends before its count cuts the record short.
    if (i < count) SkipInput(RemainingInput() + 1);
    AllWallAttachmentsIndexToHdl(host);
}

void ReadRoofChildren(Objex* roof, Layer* layer) {
    int32_t count = 0;
    ReadStdLong(&count);
    int32_t i = 0;
    for (; i < count && !AtEndOfInput(); ++i) {
        int16_t tag = 0;
        if (!ReadStdShort(&tag)) break;
        if (tag != exchange::kRoofChildTag) continue;
        Objex* c = NewObject(layer);
        if (!c) break;
        ReadPlugInObjectInfo(c);
        c->pointCount = 0;
        ReadPlugInObjectPoints(c);
        UpdateObjectBounds(c);
        c->parent = roof;
        c->layer = layer;
        auto* r = new (std::nothrow) RoofAttachmentRecord{};
        if (r) c->typeData = TypeData::OfRoofAttachment(r);
        RoofAttachmentRecord scratch;
        ReadPlugInRoofAttachment(r ? r : &scratch, c, layer);
        c->prev = c->next = nullptr;
        AppendChildToObject(c, roof);
        if (!r || r->ownerType != objtype::kSkylight) continue;
        if (r->style == kCustomSkylightStyle) {
            const Float3DRect& b = c->bounds3D;
            CreateCustomSkylightSymbols(c, (b.floatLeft + b.floatRight) / 2, (b.floatBack + b.floatFront) / 2,
                                        r->angle);
        } else {
            CreateSkylightFillerPlane(c, 0);
            CreateSkylightFillerPlane(c, 1);
        }
    }
    // A list that ends before its count cuts the record short.
    if (i < count) SkipInput(RemainingInput() + 1);
}

// Fix-ups a tool's objects may need, then the rebuild of the type.
void RebuildReadObject(Objex* o, Layer* layer) {
    switch (o->type) {
    case objtype::kWall:
        if (std::lround(objfield::wall::kHeight(*o)) < 1) objfield::wall::kHeight(*o) = layer ? layer->height : 0.0f;
        if (objfield::wall::kStudSpacing(*o) < 6.0f) objfield::wall::kStudSpacing(*o) = 16.0f;
        break;
    case objtype::kFence:
        if (!xver::Is8000Plus(sInputVersion)) ApplyDefaultFenceMaterials(o);
        break;
    case objtype::kCabinetPart:
        AdjustTheCabinetObjectElevation(o);
        break;
    default:
        break;
    }
    RebuildObjectByType(o, RebuildTable::Read, false);
}

}  // namespace

// --- records ---

void ReadPlugInObjectInfo(Objex* o) {
    if (!o) return;
    DocState* ds = CurrentDocState();
    const uint32_t created = o->objectID;
    ReadRecordRows(exchange::ObjectInfo(), o, o);
    if (ds) GiveBack(ds->nextObjectID, created);
    if (ExchangeIDIndex* index = ExchangeIDIndex::current()) o->objectID = index->objectID(o->objectID);
}

void ReadPlugInObjectPoints(Objex* o) {
    if (!o) return;
    int32_t count = 0;
    ReadStdLong(&count);
    const int16_t rows = o->rows;
    o->rows = 0;
    // The info's stored count counts nothing yet: appending from the largest would overflow.
    o->pointCount = 0;
    const bool wall = o->type == objtype::kWall;
    const bool trimRecords = xver::Is8000Plus(sInputVersion);
    DocState* ds = CurrentDocState();
    ExchangeIDIndex* index = ExchangeIDIndex::current();
    int32_t read = 0;
    Poinz* tail = nullptr;  // the last point appended: each append in constant time
    for (; read < count && !AtEndOfInput(); ++read) {
        Poinz* p = CreatePoint(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, o);
        Poinz scratch;
        Poinz* into = p ? p : &scratch;
        const uint32_t created = into->pointID;
        ReadRecordRows(exchange::PointItems(), into);
        if (p && ds) GiveBack(ds->nextPointID, created);
        if (p && index) p->pointID = index->pointID(p->pointID);
        if (!wall) {
            ReadStdLong(&into->trimValue1);
            ReadStdLong(&into->trimValue2);
        } else if (trimRecords) {
            int16_t tag = 0;
            ReadStdShort(&tag);
            for (TrimRecord** slot : {&into->trim1, &into->trim2}) {
                *slot = new (std::nothrow) TrimRecord{};
                TrimRecord scratch;
                ReadPlugInTrimData(*slot ? *slot : &scratch, o->layer);
                for (Objex* profile : scratch.profile) DeleteObj(profile);
            }
            ReadStdShort(&tag);
        } else {
            for (TrimRecord** slot : {&into->trim1, &into->trim2}) {
                int32_t word = 0;
                ReadStdLong(&word);
                *slot = new (std::nothrow) TrimRecord{};
                if (*slot) (*slot)->slot[0] = word;
            }
        }
        if (p) tail = AppendPointAfter(p, o, tail);
        else if (wall) {
            DeleteTrimRecord(scratch.trim1);
            DeleteTrimRecord(scratch.trim2);
        }
    }
    // A list that ends before its count cuts the record short.
    if (read < count) SkipInput(RemainingInput() + 1);
    o->pointCount = 0;
    for (const Poinz* q = o->firstPoint; q; q = q->next) ++o->pointCount;
    o->rows = rows > 0 && o->pointCount % rows == 0 ? rows : 1;
}

void ReadPlugInTrimData(TrimRecord* trim, Layer* layer) {
    if (!trim) return;
    if (!layer && gCurDocument) layer = gCurDocument->itsCurLayer;
    for (int which = 0; which < 2; ++which) {
        ReadStdLong(&trim->slot[which]);
        if (trim->slot[which] != exchange::kTrimProfileFollows) continue;
        int16_t tag = 0;
        ReadStdShort(&tag);  // 210
        int16_t next = 0;
        if (!ReadStdShort(&next) || next == exchange::kProfileEndTag) continue;
        if (next == exchange::kObjectTag) {
            if (Objex* o = layer ? ReadPartObject(layer) : nullptr) {
                if (trim->profile[which]) DeleteObj(trim->profile[which]);
                trim->profile[which] = o;
            }
        }
        ReadStdShort(&tag);  // 211
    }
    if (!xver::Is9000Plus(sInputVersion)) return;
    for (int k = 0; k < 5; ++k) {
        int16_t scale[2] = {};
        ReadMaterial(&trim->texture[k], &scale[0], &scale[1], &trim->color[k]);
        trim->scale[k][0] = static_cast<uint16_t>(scale[0]);
        trim->scale[k][1] = static_cast<uint16_t>(scale[1]);
    }
}

void ReadPlugInObjectData(Objex* o, Layer* layer) {
    if (!o) return;
    const int32_t v = sInputVersion;
    switch (o->type) {
    case objtype::kWall:
        ReadHostedChildren(o, layer, exchange::kWallChildTag);
        break;
    case objtype::kDeck:
        ReadHostedChildren(o, layer, exchange::kDeckChildTag);
        break;
    case objtype::kRoof:
        if (xver::Is9000Plus(v)) ReadRoofChildren(o, layer);
        break;
    case objtype::kText:
    case objtype::kEnhancedText:
        ReadPlugInEnhancedTextData(o);
        break;
    case objtype::kOldText:
        ReadPlugInTextData(o);
        break;
    case objtype::kPhoto: {
        int32_t length = 0;
        ReadStdLong(&length);
        if (length <= 0) break;
        std::string path;
        ReadStoredString(length, &path);
        if (path.size() > kPathLimit) path.resize(kPathLimit);
        SetImagePath(o, path);
        TakePhotoTextures(o);
        break;
    }
    case objtype::kPlant:
        if (o->subtype != objsubtype::kUserPlant || v == xver::k5000) break;
        if (const std::string name = ReadPathItem(); !name.empty()) SetImagePath(o, name);
        TakePhotoTextures(o);
        break;
    default:
        break;
    }
}

void ReadPlugInObjectAttachment(AttachmentRecord* r, Objex* o, Layer* layer) {
    if (!r) return;
    ReadAttachmentFields(r, false);
    if (r->style == kCustomDoorStyle || r->style == kCustomWindowStyle) {
        int16_t tag = 0;
        ReadStdShort(&tag);  // 212
        ReadTaggedObjects(layer, exchange::kPartsEndTag, [r, o](Objex* part) {
            part->parent = o;
            const int list = part->type == objtype::kOpeningMask ? 0 : part->type == objtype::kDoorHardware ? 2 : 1;
            AppendObjectToList(r->customParts[list], part, o);
        });
    }
    ReadAttachmentTrim(&r->insideCustomTrim, &r->insideTrimTexture, r->insideTrimScale, &r->insideTrimColor,
                       &r->insideTrimProfile, layer);
    ReadAttachmentTrim(&r->outsideCustomTrim, &r->outsideTrimTexture, r->outsideTrimScale, &r->outsideTrimColor,
                       &r->outsideTrimProfile, layer);
}

void ReadPlugInObjectAttachment75(AttachmentRecord* r, Objex* o) {
    if (!r) return;
    ReadAttachmentFields(r, true);
    if (!o || (o->type != objtype::kDoor && o->type != objtype::kWindow)) return;
    const ShortPoint scale = o->textureScales[4];
    r->insideTrimTexture = r->outsideTrimTexture = o->texture;
    r->insideTrimColor = r->outsideTrimColor = o->penColor;
    r->insideTrimScale[0] = r->outsideTrimScale[0] = scale.x;
    r->insideTrimScale[1] = r->outsideTrimScale[1] = scale.y;
}

void ReadPlugInRoofAttachment(RoofAttachmentRecord* r, Objex* o, Layer* layer) {
    if (!r) return;
    ReadStdShort(&r->ownerType);
    ReadStdShort(&r->style);
    for (float* f : {&r->width, &r->length, &r->trimWidth, &r->angle}) ReadStdFloat(f);
    ReadStdLong(&r->sectionSubtype);
    ReadSome(&r->flipFlags[0], 1);
    ReadSome(&r->flipFlags[1], 1);
    SkipInput(8);
    if (r->ownerType == objtype::kSkylight && r->style == kCustomSkylightStyle) {
        int16_t tag = 0;
        ReadStdShort(&tag);  // 215
        ReadTaggedObjects(layer, exchange::kSkylightPartsEndTag, [r, o](Objex* part) {
            static constexpr int16_t kListTypes[5] = {objtype::kOpeningMask, objtype::kWindowSeparator,
                                                     objtype::kDoorHardware, objtype::kSkylightPart,
                                                     objtype::kSkylightPart5};
            const int16_t* at = std::find(std::begin(kListTypes), std::end(kListTypes), part->type);
            if (at == std::end(kListTypes)) {
                DeleteObj(part);
                return;
            }
            AppendObjectToList(r->partLists[at - kListTypes], part, o);
        });
    }
    ReadMaterial(&r->texture1, &r->textureScale1[0], &r->textureScale1[1], &r->color1);
    ReadMaterial(&r->texture2, &r->textureScale2[0], &r->textureScale2[1], &r->color2);
    r->attachment = o;
}

void ReadPlugInEnhancedTextData(Objex* o) {
    if (!o) return;
    ReadTextAndFont(NewTextRecord(o), false, nullptr);
}

void ReadPlugInTextData(Objex* o) {
    if (!o) return;
    o->type = objtype::kEnhancedText;
    o->params[0] = 0;
    int16_t alignment = 0;
    ReadTextAndFont(NewTextRecord(o), true, &alignment);
    objfield::text_object::kAlignment(*o) = objfield::text_object::AlignmentOfRecordCode(alignment);
}

CabinetState* DoReadPlugInCabinetState() {
    int32_t size = 0;
    ReadStdLong(&size);
    auto* state = new (std::nothrow) CabinetState{};
    CabinetState scratch;
    ReadRecordRows(exchange::CabinetStateItems(), state ? state : &scratch);
    return state;
}

void DoReadPlugInBlackBox(int32_t plugInID) {
    int16_t tag = 0;
    while (!AtEndOfInput() && ReadStdShort(&tag) && tag != exchange::kDataBlockEndTag) {
        if (tag != exchange::kDataBlockTag) continue;
        int32_t size = 0;
        ReadStdLong(&size);
        if (size <= 0) continue;
        // A block longer than the data left is damaged: the tool's stored block stays.
        if (static_cast<uint32_t>(size) > RemainingInput()) {
            SkipInput(RemainingInput() + 1);
            return;
        }
        char* data = new (std::nothrow) char[static_cast<size_t>(size)];
        if (!data) {
            SkipInput(static_cast<uint32_t>(size));
            continue;
        }
        ReadSome(data, static_cast<uint32_t>(size));
        StorePlugInData(data, size, plugInID);
    }
}

Objex* ReadAPlugInObject(Layer* layer, uint8_t append) {
    if (!layer || InputTruncated()) return nullptr;
    if (sNesting >= kMaxNesting) {
        SkipInput(RemainingInput() + 1);
        return nullptr;
    }
    NestingGuard nesting;
    const int32_t v = sInputVersion;
    Objex* o = NewObject(layer);
    if (!o) return nullptr;
    ReadPlugInObjectInfo(o);
    ReadPlugInObjectPoints(o);

    const bool userPlant = o->type == objtype::kPlant && o->subtype == objsubtype::kUserPlant;
    if (o->type == objtype::kPlant && o->firstPoint && (v == xver::k5000 || !userPlant)) {
        DeletePlantInfo(o->plantInfo);
        o->plantInfo = CreatePlantInfo(o->firstPoint->texture1);
    }
    if (append) AppendObjectToLayer(o, layer);
    UpdateObjectBounds(o);
    ReadPlugInObjectData(o, layer);
    if (InputTruncated()) {
        DeleteObj(o);
        return nullptr;
    }
    if (userPlant && v != xver::k5000) {
        const char* name = o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr;
        DeletePlantInfo(o->plantInfo);
        o->plantInfo = CreateUserPlantInfo(name);
    }
    if (o->type != objtype::kGroup) {
        SetTextureFaceUV(o);
        SetObjectPointLengths(o);
        RebuildReadObject(o, layer);
    }
    if (IsObjectPointValuesInvalid(o)) {
        DeleteObj(o);
        return nullptr;
    }
    return o;
}
