// Keeping the 3D form of objects in step with the palette entries their slots link to.
#include <cstring>

#include "app/core/localization_seams.h"
#include "files/palette_internal.h"
#include "files/palettes.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/rebuild_table.h"
#include "render/core/live_view_seams.h"

namespace palette_detail {

namespace {


bool VisitAttachmentSlots(Objex* child, const std::function<bool(const Slot&)>& fn) {
    if (child->typeData.kind != TypeDataKind::Attachment || !child->typeData.attachment) return true;
    AttachmentRecord* r = child->typeData.attachment;
    return fn(Slot{&r->insideTrimTexture, &r->insideTrimColor, &r->insideTrimScale[0], &r->insideTrimScale[1]}) &&
           fn(Slot{&r->outsideTrimTexture, &r->outsideTrimColor, &r->outsideTrimScale[0], &r->outsideTrimScale[1]});
}

bool VisitRoofAttachmentSlots(Objex* child, const std::function<bool(const Slot&)>& fn) {
    if (!objtype::IsRoofAttachment(child->type)) return true;
    if (child->typeData.kind != TypeDataKind::RoofAttachment || !child->typeData.roofAttachment) return true;
    RoofAttachmentRecord* r = child->typeData.roofAttachment;
    return fn(Slot{&r->texture1, &r->color1, &r->textureScale1[0], &r->textureScale1[1]}) &&
           fn(Slot{&r->texture2, &r->color2, &r->textureScale2[0], &r->textureScale2[1]});
}

bool VisitTrimSlots(TrimRecord* trim, const std::function<bool(const Slot&)>& fn) {
    if (!trim) return true;
    for (int i = 0; i < 5; ++i) {
        // The trim's unsigned percentages share their representation with int16.
        auto* scale = reinterpret_cast<int16_t*>(trim->scale[i]);
        if (!fn(Slot{&trim->texture[i], &trim->color[i], &scale[0], &scale[1]})) return false;
    }
    return true;
}

}  // namespace

void ForEachLinkableSlot(Objex* o, bool onlyWithOwnRecord, const std::function<bool(const Slot&)>& fn) {
    if (!o) return;
    // textureScales holds slots 2..5 first and slot 1 last.
    const Slot objectSlots[5] = {
        {&o->texture, &o->penColor, &o->textureScales[4].x, &o->textureScales[4].y},
        {&o->texture2, &o->color2, &o->textureScales[0].x, &o->textureScales[0].y},
        {&o->texture3, &o->color3, &o->textureScales[1].x, &o->textureScales[1].y},
        {&o->texture4, &o->color4, &o->textureScales[2].x, &o->textureScales[2].y},
        {&o->texture5, &o->color5, &o->textureScales[3].x, &o->textureScales[3].y},
    };
    for (const Slot& s : objectSlots)
        if (!fn(s)) return;
    const bool wall = o->type == objtype::kWall;
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        if (!fn(Slot{&p->texture1, &p->color1, &p->faceScale1.x, &p->faceScale1.y})) return;
        if (!fn(Slot{&p->texture2, &p->color2, &p->faceScale2.x, &p->faceScale2.y})) return;
        if (wall && (!VisitTrimSlots(p->trim1, fn) || !VisitTrimSlots(p->trim2, fn))) return;
    }
    if (onlyWithOwnRecord && o->typeData.empty()) return;
    for (Objex* c = o->firstChild; c; c = c->next) {
        if (wall && !VisitAttachmentSlots(c, fn)) return;
        if (objtype::IsRoof(o->type) && !VisitRoofAttachmentSlots(c, fn)) return;
    }
}

}  // namespace palette_detail

using namespace palette_detail;

namespace {

bool UsesLink(Objex* object, int32_t link) {
    bool uses = false;
    ForEachLinkableSlot(object, true, [&](const Slot& s) {
        uses = *s.texture == link;
        return !uses;
    });
    return uses;
}

void ForEachTopLevelObject(const std::function<void(Objex*)>& fn) {
    if (!gCurDocument) return;
    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next) {
        for (Objex* o = layer->firstObject; o;) {
            Objex* next = o->next;
            fn(o);
            o = next;
        }
    }
}

}  // namespace

void RebuildPalettedObject(Objex* object) {
    if (!object) return;
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    rebuild::Run(object, rebuild::kObjectAndTerrain);
}

void UpdatePalettedObjectFromPaletteEntry(Objex* object, int32_t refID) {
    if (!gCurDocument || !rebuild::SceneHasPieces() || !object) return;
    const bool uses = UsesLink(object, PaletteLinkOfRefID(refID));
    for (Objex* c = object->firstChild; c;) {
        Objex* next = c->next;
        UpdatePalettedObjectFromPaletteEntry(c, refID);
        c = next;
    }
    if (!uses || object->type == objtype::kGroup) return;
    RebuildPalettedObject(object);
    rebuild::ReRenderObject(object);
}

void UpdateAllPalettedObjectsFromPaletteEntry(int32_t refID) {
    if (!gCurDocument) return;
    InitializeAnimatedLVStatus();
    SetLVStatusString(LocalizedString("Updating paletted objects").c_str());
    ForEachTopLevelObject([refID](Objex* o) { UpdatePalettedObjectFromPaletteEntry(o, refID); });
    ResetAnimatedLVStatus();
    SetLVStatusString("");
}

void UpdateAllPalettedObjectsFromPaletteList() {
    for (const PaletteList* e = GetCurrentPaletteList(); e; e = e->next) {
        if (e->kind == kPaletteColor) continue;
        const int32_t refID = e->refID;
        ForEachTopLevelObject([refID](Objex* o) { UpdatePalettedObjectFromPaletteEntry(o, refID); });
    }
}

int IsPaletteLoaded(int32_t refID) {
    if (refID < 1 || refID > 999) return 0;
    return rebuild::ScenePieceShowsTexture(PaletteLinkOfRefID(refID)) ? 1 : 0;
}

int IsAnyPaletteLoaded() {
    for (const PaletteList* e = GetCurrentPaletteList(); e; e = e->next)
        if (IsPaletteLoaded(e->refID)) return 1;
    return 0;
}
