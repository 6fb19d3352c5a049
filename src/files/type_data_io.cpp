#include "files/type_data_io.h"

#include <new>
#include <string>

#include "files/attachment_records.h"
#include "files/content_folders.h"
#include "files/docstate_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "files/text_trim_records.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "files/custom_textures.h"

namespace {

constexpr int16_t kWallChildTag = 201;
constexpr int16_t kDeckChildTag = 204;
constexpr int16_t kRoofChildTag = 214;
constexpr int16_t kDimensionTextTag = 300;

AttachmentRecord* AttachmentOf(Objex* o) {
    return o->typeData.kind == TypeDataKind::Attachment ? o->typeData.attachment : nullptr;
}
RoofAttachmentRecord* RoofAttachmentOf(Objex* o) {
    return o->typeData.kind == TypeDataKind::RoofAttachment ? o->typeData.roofAttachment : nullptr;
}
const char* ImagePathOf(const Objex* o) {
    return o->typeData.kind == TypeDataKind::ImagePath ? o->typeData.imagePath : nullptr;
}

// A child made for reading; it takes the host's layer but is not in the layer's list.
Objex* NewChildObject(Layer* layer) {
    return CreateObject(0, 0, 0, nullptr, nullptr, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
}

// --- walls and decks ---

void WriteHostedChildren(Objex* host, int16_t tag) {
    AllWallAttachmentsHdlToIndex(host);
    int32_t count = 0;
    for (Objex* c = host->firstChild; c; c = c->next) ++count;
    WriteLong(count);
    const bool current = filever::HasTrimRecords(sWriteVersion);
    for (Objex* c = host->firstChild; c; c = c->next) {
        WriteShort(tag);
        WriteObjectInfo(c);
        WriteObjectPoints(c);
        if (current) WriteObjectAttachment(AttachmentOf(c));
        else WriteObjectAttachment75(AttachmentOf(c));
    }
    AllWallAttachmentsIndexToHdl(host);
}

// Links a file cannot carry; a deck's steps keep none of them (what was read is dropped).
void ClearFileLinks(AttachmentRecord* r, bool deckChild) {
    DeleteObjectList(r->generatedParts);
    r->prevRecord = r->nextRecord = nullptr;
    if (!deckChild) return;
    for (Objex*& list : r->customParts) DeleteObjectList(list);
    for (Objex** profile : {&r->insideTrimProfile, &r->outsideTrimProfile}) {
        if (*profile) DeleteObj(*profile);
        *profile = nullptr;
    }
}

void ReadHostedChildren(Objex* host, Layer* layer, int16_t tag) {
    int32_t count = 0;
    ReadLong(&count);
    const bool current = filever::HasTrimRecords(sInputVersion);
    const bool deck = host->type == objtype::kDeck;
    Objex* tail = nullptr;
    for (int32_t i = 0; i < count && !AtEndOfInput(); ++i) {
        int16_t entryTag = 0;
        ReadShort(&entryTag);
        if (entryTag != tag) continue;
        Objex* child = NewChildObject(host->layer);
        if (!child) continue;
        ReadObjectInfo(child);
        ReadObjectPoints(child);
        AttachmentRecord* record = new (std::nothrow) AttachmentRecord{};
        if (current) ReadObjectAttachment(record, child, layer);
        else ReadObjectAttachment75(record, child);
        if (record) {
            ClearFileLinks(record, deck);
            child->typeData = TypeData::OfAttachment(record);
        }
        child->firstChild = nullptr;
        child->prev = child->next = nullptr;
        tail = AppendChildAfter(child, host, tail);
        UpdateObjectBounds(child);
    }
    AllWallAttachmentsIndexToHdl(host);
}

// --- roofs ---

void WriteRoofChildren(Objex* roof) {
    int32_t count = 0;
    for (Objex* c = roof->firstChild; c; c = c->next)
        if (objtype::IsRoofAttachment(c->type)) ++count;
    WriteLong(count);
    for (Objex* c = roof->firstChild; c; c = c->next) {
        if (!objtype::IsRoofAttachment(c->type)) continue;
        WriteShort(kRoofChildTag);
        WriteObjectInfo(c);
        WriteObjectPoints(c);
        WriteRoofAttachment(RoofAttachmentOf(c));
    }
}

void ReadRoofChildren(Objex* roof, Layer* layer) {
    Layer* roofLayer = roof->layer ? roof->layer : layer;
    int32_t count = 0;
    ReadLong(&count);
    Objex* tail = nullptr;
    for (int32_t i = 0; i < count && !AtEndOfInput(); ++i) {
        int16_t entryTag = 0;
        ReadShort(&entryTag);
        if (entryTag != kRoofChildTag) continue;
        Objex* child = NewChildObject(roofLayer);
        if (!child) continue;
        ReadObjectInfo(child);
        child->pointCount = 0;
        ReadObjectPoints(child);
        UpdateObjectBounds(child);
        child->parent = roof;
        child->layer = roofLayer;
        RoofAttachmentRecord* record = new (std::nothrow) RoofAttachmentRecord{};
        if (!record) {
            ReadRoofAttachment(nullptr, child, layer);
            child->parent = nullptr;
            DeleteObj(child);
            continue;
        }
        child->typeData = TypeData::OfRoofAttachment(record);
        ReadRoofAttachment(record, child, layer);
        tail = AppendChildAfter(child, roof, tail);
        // A skylight's symbols are built from its record once it is read.
        rebuild::Run(child, uint8_t(rebuild::Scope::Symbol));
    }
}

// --- photos and user plants ---

void GiveFreshTextureID(Objex* o) {
    const int32_t id = gCurrentPhotoTextureID++;
    // The same three object slots a duplicate takes its fresh ID in.
    o->texture2 = o->texture3 = o->texture4 = id;
    for (Poinz* p = o->firstPoint; p; p = p->next) p->texture1 = p->texture2 = id;
}

void KeepImagePath(Objex* o, const std::string& path) {
    char* copy = CopyString(path.c_str());
    if (!copy) return;
    DeleteObjectData(o);
    o->typeData = TypeData::OfImagePath(copy);
}

void ReadPhotoPath(Objex* o) {
    int32_t length = 0;
    ReadLong(&length);
    if (length < 1) return;
    std::string path;
    if (!ReadStoredString(length, &path)) return;
    KeepImagePath(o, path);
    GiveFreshTextureID(o);
}

std::string JoinPathComponent(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

void ReadUserPlantPath(Objex* o) {
    int32_t length = 0;
    ReadLong(&length);
    std::string path;
    if (length > 0 && ReadStoredString(length, &path)) {
        const std::string relative = ConvertAbsolutePlantPathToRelative(path.c_str());
        KeepImagePath(o, JoinPathComponent(LocalDomainCustomPlantPath(), relative));
    }
    GiveFreshTextureID(o);
}

// --- old dimension blocks ---

void GroupWithDimension(Objex* dimension, Objex* text) {
    Layer* layers = gCurDocument->itsLayers;
    SelectAllLayers(layers, selmode::kDeselect, 0);
    SelectObj(dimension, selmode::kSelect, 0);
    SelectObj(text, selmode::kSelect, 0);
    GroupSelectedObjects(layers);
}

// The text box an old dimension kept in its block: an object record and its text record.
Objex* ReadDimensionText(Objex* dimension, Layer* layer) {
    Objex* text = NewChildObject(layer);
    if (!text) return nullptr;
    ReadObjectInfo(text);
    ReadObjectPoints(text);
    DimensionTextRecord scratch;
    DimensionTextRecord* record = new (std::nothrow) DimensionTextRecord{};
    DimensionTextRecord* into = record ? record : &scratch;
    uint8_t style = 0;
    ReadShort(&into->fontNum);
    ReadShort(&into->fontSize);
    ReadSome(&style, 1);
    into->fontStyle = style;
    ApplePortReadLOGFONT(&into->font);
    if (record) {
        record->owner = dimension;
        text->typeData = TypeData::OfDimensionText(record);
    }
    AppendObjectToLayer(text, layer);
    UpdateObjectBounds(text);
    return text;
}

void ReadOldDimensionBlock(Objex* dimension, Layer* layer) {
    if (dimension->subtype == dimension->type) return;
    int16_t tag = 0;
    ReadShort(&tag);
    Objex* text = nullptr;
    if (tag == kDimensionTextTag && layer && gCurDocument) text = ReadDimensionText(dimension, layer);
    int32_t flags = 0;
    float valueA = 0, valueB = 0;
    ReadLong(&flags);
    ReadFloat(&valueA);
    ReadFloat(&valueB);
    DeleteObjectData(dimension);
    // The text box refers back to its dimension; the dimension holds the matching link so
    // that deleting either one clears the other's (a one-sided link would dangle).
    if (text && text->typeData.kind == TypeDataKind::DimensionText) {
        DimensionRecord* record = new (std::nothrow) DimensionRecord{flags, text, valueA, valueB};
        if (record) dimension->typeData = TypeData::OfDimension(record);
        else text->typeData.dimensionText->owner = nullptr;
    }
    dimension->subtype = dimension->type;
    if (text) GroupWithDimension(dimension, text);
}

}  // namespace

void WriteObjectData(Objex* o) {
    if (!o) return;
    const int32_t v = sWriteVersion;
    switch (o->type) {
    case objtype::kWall:
        WriteHostedChildren(o, kWallChildTag);
        break;
    case objtype::kDeck:
        if (filever::HasDeckTails(v)) WriteHostedChildren(o, kDeckChildTag);
        break;
    case objtype::kRoof:
    case objtype::kFreehandRoof:
        if (filever::HasRoofTails(v)) WriteRoofChildren(o);
        break;
    case objtype::kText:
    case objtype::kEnhancedText:
        WriteEnhancedTextData(o);
        break;
    case objtype::kPlant:
        if (o->subtype == objsubtype::kUserPlant && filever::HasUserPlantPaths(v)) WriteStoredString(ImagePathOf(o));
        break;
    case objtype::kPhoto:
        WriteStoredString(ImagePathOf(o));
        break;
    default:
        break;
    }
}

void ReadObjectData(Objex* o, Layer* layer) {
    if (!o) return;
    const int32_t v = sInputVersion;
    switch (o->type) {
    case objtype::kWall:
        ReadHostedChildren(o, layer, kWallChildTag);
        break;
    case objtype::kDeck:
        if (filever::HasDeckTails(v)) ReadHostedChildren(o, layer, kDeckChildTag);
        break;
    case objtype::kRoof:
    case objtype::kFreehandRoof:
        if (filever::HasRoofTails(v)) ReadRoofChildren(o, layer);
        break;
    case objtype::kText:
    case objtype::kEnhancedText:
        ReadEnhancedTextData(o);
        break;
    case objtype::kOldText:
        ReadTextData(o);
        break;
    case objtype::kPhoto:
        ReadPhotoPath(o);
        break;
    case objtype::kPlant:
        if (o->subtype == objsubtype::kUserPlant && filever::HasUserPlantPaths(v)) ReadUserPlantPath(o);
        break;
    default:
        if (objtype::IsDimension(o->type)) ReadOldDimensionBlock(o, layer);
        break;
    }
}
