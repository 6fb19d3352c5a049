#include "powertools/core/result_merge.h"

#include <strings.h>

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "files/design_file.h"
#include "files/design_file_internal.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/object_section.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/attached_dimension_batch.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_rebuild.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "plan/refresh_seams.h"
#include "port/seam.h"
#include "powertools/core/exchange_file_reader.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_reader.h"
#include "powertools/core/exchange_tokens.h"
#include "powertools/core/exchange_values.h"
#include "model/id_counters.h"
#include "files/custom_textures.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

Objex* gCurPlugInObject = nullptr;
static const port::GlobalReset kReset([] { gCurPlugInObject = nullptr; });
static const ObjectForgetter kForget([](const Objex* o) {
    if (gCurPlugInObject == o) gCurPlugInObject = nullptr;
});

namespace {

constexpr int16_t kFloorNameToken = 308;
constexpr int16_t kReplaceOnItsFloorToken = 309;
constexpr int16_t kReplaceOnCurrentFloorToken = 310;

// Where the waiting object stood, to put it back when no replacement comes.
struct Waiting {
    Layer* floor = nullptr;
    Objex* before = nullptr;
};
Waiting sWaiting;

// The top-level objects of the design by ID while a result is merged (the first of each ID,
// first floor first), so each replacement finds its object at once.
std::unordered_map<uint32_t, Objex*>* sTopLevel = nullptr;

void IndexTopLevel(Objex* o) {
    if (sTopLevel && o && !o->parent) sTopLevel->emplace(o->objectID, o);
}

Objex* FindTopLevel(uint32_t id) {
    if (sTopLevel) {
        const auto found = sTopLevel->find(id);
        return found == sTopLevel->end() ? nullptr : found->second;
    }
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->objectID == id) return o;
    return nullptr;
}

bool IsPaletteLink(int32_t texture) { return texture <= -1001 && texture >= -1999; }

// --- palette links ---

void RestoreSlot(int32_t oldTexture, int32_t* newTexture, const RGBColor& newColor) {
    if (!IsPaletteLink(oldTexture)) return;
    const int32_t redGreen = static_cast<int32_t>(newColor.red | (static_cast<uint32_t>(newColor.green) << 16));
    if (IsTextureIDLinkedToPalette(*newTexture, redGreen, newColor.blue, oldTexture)) *newTexture = oldTexture;
}

void RestoreTrim(const TrimRecord* oldTrim, TrimRecord* newTrim) {
    if (!oldTrim || !newTrim) return;
    for (int k = 0; k < 5; ++k) RestoreSlot(oldTrim->texture[k], &newTrim->texture[k], newTrim->color[k]);
}

void RestoreLinks(const Objex* o, Objex* n) {
    if (!o || !n || o->type != n->type) return;
    RestoreSlot(o->texture, &n->texture, n->penColor);
    RestoreSlot(o->texture2, &n->texture2, n->color2);
    RestoreSlot(o->texture3, &n->texture3, n->color3);
    RestoreSlot(o->texture4, &n->texture4, n->color4);
    RestoreSlot(o->texture5, &n->texture5, n->color5);
    const bool wall = n->type == objtype::kWall;
    for (const Poinz *op = o->firstPoint, *np0 = n->firstPoint; op && np0; op = op->next, np0 = np0->next) {
        Poinz* np = const_cast<Poinz*>(np0);
        RestoreSlot(op->texture1, &np->texture1, np->color1);
        RestoreSlot(op->texture2, &np->texture2, np->color2);
        if (!wall) continue;
        RestoreTrim(op->trim1, np->trim1);
        RestoreTrim(op->trim2, np->trim2);
    }
    if (!o->typeData.empty() && !n->typeData.empty()) {
        const Objex* oc = o->firstChild;
        for (Objex* nc = n->firstChild; oc && nc; oc = oc->next, nc = nc->next) {
            if (wall && oc->typeData.kind == TypeDataKind::Attachment && nc->typeData.kind == TypeDataKind::Attachment &&
                oc->typeData.attachment && nc->typeData.attachment) {
                const AttachmentRecord* a = oc->typeData.attachment;
                AttachmentRecord* b = nc->typeData.attachment;
                RestoreSlot(a->insideTrimTexture, &b->insideTrimTexture, b->insideTrimColor);
                RestoreSlot(a->outsideTrimTexture, &b->outsideTrimTexture, b->outsideTrimColor);
            }
            const bool roof = n->type == objtype::kRoof || n->type == objtype::kFreehandRoof;
            const bool opening = nc->type == objtype::kSkylight || nc->type == objtype::kRoofCutout;
            if (roof && opening && oc->type == nc->type && oc->typeData.kind == TypeDataKind::RoofAttachment &&
                nc->typeData.kind == TypeDataKind::RoofAttachment && oc->typeData.roofAttachment &&
                nc->typeData.roofAttachment) {
                const RoofAttachmentRecord* a = oc->typeData.roofAttachment;
                RoofAttachmentRecord* b = nc->typeData.roofAttachment;
                RestoreSlot(a->texture1, &b->texture1, b->color1);
                RestoreSlot(a->texture2, &b->texture2, b->color2);
            }
        }
    }
    const Objex* oc = o->firstChild;
    for (Objex* nc = n->firstChild; oc && nc; oc = oc->next, nc = nc->next) RestoreLinks(oc, nc);
}

// --- the token loop of a result ---

class ResultReader : public ExchangeTokenReader {
public:
    ResultReader(int32_t plugInID, ExchangeIDIndex& ids)
        : plugInID_(plugInID), ids_(ids), target_(gCurDocument->itsCurLayer) {
        for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
            for (Objex* o = l->firstObject; o; o = o->next) topLevel_.emplace(o->objectID, o);
        sTopLevel = &topLevel_;
    }
    // An object still waiting when the objects end goes back.
    ~ResultReader() override {
        putBack();
        sTopLevel = nullptr;
    }

protected:
    Layer* target() override { return target_; }

    bool otherToken(int16_t tag) override {
        switch (tag) {
        case kFloorNameToken:
            target_ = ReadAPlugOutLayerName();
            if (!target_) target_ = gCurDocument->itsCurLayer;
            return true;
        case kReplaceOnItsFloorToken:
        case kReplaceOnCurrentFloorToken: {
            putBack();
            Layer* floor = ReadAndLocatePlugOutObjectID();
            if (gCurPlugInObject) {
                // The open group, or the object just read, cannot wait to be replaced.
                if (openGroup() && IsWithinObject(openGroup(), gCurPlugInObject)) {
                    putBack();
                    floor = nullptr;
                } else {
                    ids_.forget(gCurPlugInObject);
                    forgetLast(gCurPlugInObject);
                }
            }
            target_ = tag == kReplaceOnItsFloorToken && floor ? floor : gCurDocument->itsCurLayer;
            return true;
        }
        default:
            return false;
        }
    }

    void objectRead(Objex* o) override {
        IndexTopLevel(o);
        Objex* old = gCurPlugInObject;
        if (!old) return;
        // The replaced object goes only once its replacement exists.
        if (!o) {
            putBack();
            return;
        }
        if (!xver::Is10000Plus(sInputVersion)) UpdateObjectPaletteLinks(old, o);
        gCurPlugInObject = nullptr;
        sWaiting = {};
        DeleteObj(old);
    }

    void groupOpened(Objex* group) override {
        if (group->groupKind == 0) group->groupKind = plugInID_;
    }

private:
    void putBack() {
        Objex* o = gCurPlugInObject;
        if (!o) return;
        gCurPlugInObject = nullptr;
        InsertObjectInLayer(o, sWaiting.floor, sWaiting.before);
        sWaiting = {};
        ids_.remember(o);
        IndexTopLevel(o);
    }

    int32_t plugInID_;
    ExchangeIDIndex& ids_;
    Layer* target_;
    std::unordered_map<uint32_t, Objex*> topLevel_;
};

}  // namespace

int IsTextureIDLinkedToPalette(int32_t textureID, int32_t redGreen, int32_t blue, int32_t link) {
    // A texture that links to an entry itself needs no link back.
    if (IsPaletteLink(textureID) && GetPaletteEntryFromRefID(std::abs(textureID + 1000))) return 0;
    const PaletteList* entry = GetPaletteEntryFromRefID(std::abs(link + 1000));
    if (!entry) return 0;
    switch (entry->kind) {
    case kPaletteTexture:
        return textureID == entry->textureID;
    case kPaletteCustomTexture: {
        if (textureID < kFirstCustomTextureID || !entry->path) return 0;
        const char* path = GetCustomTextureIDPath(textureID);
        return path && strcasecmp(path, entry->path) == 0;
    }
    case kPaletteColor: {
        const uint32_t rg = static_cast<uint32_t>(redGreen);
        return (rg & 0xFFFF) == entry->color[0] * 257u && (rg >> 16) == entry->color[1] * 257u &&
               static_cast<uint32_t>(blue) == entry->color[2] * 257u;
    }
    default:
        return 0;
    }
}

void UpdateObjectPaletteLinks(const Objex* oldObject, Objex* newObject) {
    if (!oldObject || !newObject) return;
    RestoreLinks(oldObject, newObject);
    if (newObject->type == objtype::kGroup) return;
    SetTextureFaceUV(newObject);
    SetObjectPointLengths(newObject);
    RebuildObjectByType(newObject, RebuildTable::Read, false);
}

int32_t DoReadPlugOutHeader() { return exchange_values::ReadExchangeHeader(); }

Layer* ReadAPlugOutLayerName() {
    const std::string name = exchange_values::ReadTextItem(kLayerNameSize - 1);
    return name.empty() ? nullptr : GetLayerFromName(name.c_str());
}

Layer* ReadAndLocatePlugOutObjectID() {
    uint32_t id = 0;
    if (!ReadStdULong(&id) || !gCurDocument) return nullptr;
    Objex* o = FindTopLevel(id);
    if (!o || !o->layer) return nullptr;
    Layer* floor = o->layer;
    SelectObj(o, selmode::kSelect, 0);
    sWaiting = {floor, o->prev};
    UnlinkObject(o);
    if (sTopLevel) sTopLevel->erase(id);
    gCurPlugInObject = o;
    return floor;
}

void DoReadPlugOutObjects(int32_t plugInID) {
    if (!gCurDocument) return;
    // A result may put walls on any floor: each floor they reach measures its dimensions.
    AttachedDimensionBatch dimensions(AttachedDimensionBatch::Floors::EveryRefit);
    ExchangeIDIndex ids;
    ResultReader reader(plugInID, ids);
    reader.run();
}

void DoReadPlugOutBlackBox(int32_t plugInID) {
    if (gCurDocument) DoReadPlugInBlackBox(plugInID);
}

int PlugOutFileRead(const char* path) {
    if (!gCurDocument || !CurrentDocState() || !path || DesignFileBusy()) return 0;
    // Objects replaced, removed and added: the ground and what stands on it follow once.
    const rebuild::GroundBatch ground;
    {
        FileOperationScope operation;
        ReadStateGuard restore;
        if (!OpenInputFile(path)) return 0;
        InputBufferScope input;
        const int32_t plugInID = DoReadPlugOutHeader();
        if (!xver::IsExchangeVersion(sInputVersion) || InputTruncated()) {
            ShowFileAlertSheet("Unable to load the PowerTool Exchange file.",
                               "Please ensure the file is not damaged and was not created by a PowerTool which was "
                               "intended for use by a more recent version of Kesto! Dovrane.");
            return 0;
        }
        DoReadPlugOutObjects(plugInID);
        DoReadPlugInBlackBox(plugInID);
    }
    UpdateAllIDCounters();
    // The objects were read without the ground: it follows the terrain merged, once.
    SetLotElevation();
    Refresh();
    RenderAllLayers();
    return 1;
}
