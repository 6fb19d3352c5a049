#include "commands/custom_attachment_commands.h"

#include <vector>

#include "content/core/content_selection_seams.h"
#include "files/custom_definitions.h"
#include "files/undo.h"
#include "geometry/elements/roof_attachment_fit.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/bounds.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "tools/roof_attachments.h"
#include "tools/wall_attachments.h"

namespace {

constexpr const char* kSkylightsRemovedTitle = "One or more skylights have been removed.";
constexpr const char* kSkylightsRemovedMessage = "The roof was not long enough to accommodate all of its attachments.";

void ShowSheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = title;
    alert.informative = message;
    alert.buttons = {"OK"};
    port::alerts().beginSheet(alert, nullptr);
}

AttachmentRecord* AttachmentOf(Objex* o) {
    if (!o || o->typeData.kind != TypeDataKind::Attachment) return nullptr;
    return o->typeData.attachment;
}

RoofAttachmentRecord* RoofAttachmentOf(Objex* o) {
    if (!o || o->typeData.kind != TypeDataKind::RoofAttachment) return nullptr;
    return o->typeData.roofAttachment;
}

bool IsChildOf(const Objex* child, const Objex* parent) {
    for (const Objex* c = parent->firstChild; c; c = c->next)
        if (c == child) return true;
    return false;
}

// Reloads the wall's selected custom doors (door mode) or windows; whether any was.
bool ApplyToWall(Objex* wall, bool doorMode) {
    const int16_t type = doorMode ? objtype::kDoor : objtype::kWindow;
    const int16_t style = doorMode ? customdef::kDoorStyle : customdef::kWindowStyle;
    bool reloaded = false;
    for (Objex* child = wall->firstChild; child; child = child->next) {
        const AttachmentRecord* r = AttachmentOf(child);
        if (child->type != type || !r || r->style != style || !IsRootObjectSelected(child)) continue;
        if (ReadCustomWindowDoorFile(child)) reloaded = true;
    }
    if (reloaded) {
        UpdateAllWallAttachments(wall);
        rebuild::ReRenderObject(wall);
    }
    return reloaded;
}

// Reloads the roof's selected custom skylights. Counts those that went through the bounds
// step and the attachments the roof removed.
void ApplyToRoof(Objex* roof, int* refitted, int* removed) {
    // Refitting may remove skylights: the candidates are taken first and each is looked for
    // again before it is touched.
    std::vector<Objex*> skylights;
    for (Objex* child = roof->firstChild; child; child = child->next) {
        const RoofAttachmentRecord* r = RoofAttachmentOf(child);
        if (child->type == objtype::kSkylight && r && r->style == customdef::kSkylightStyle &&
            IsRootObjectSelected(child))
            skylights.push_back(child);
    }
    for (Objex* skylight : skylights) {
        if (!IsChildOf(skylight, roof) || !ReadCustomSkylightFile(skylight)) continue;
        RoofAttachmentRecord* r = RoofAttachmentOf(skylight);
        const Float3DRect& b = skylight->bounds3D;
        CreateCustomSkylightSymbols(skylight, b.floatLeft + (b.floatRight - b.floatLeft) / 2.0f,
                                    b.floatBack + (b.floatFront - b.floatBack) / 2.0f, r->angle);
        if (!r->partLists[0] || !r->customParts) continue;
        FloatRect bounds = EmptyFloatRect();
        Float3DRect bounds3D = EmptyFloat3DRect();
        GetCustomSkylightBounds(skylight, &bounds, &bounds3D);
        // Symbols without an opening shape give no box to take the corners from.
        if (IsEmptyBounds(bounds3D)) continue;
        CreateCustomSkylightBoundsPoints(skylight, &bounds3D);
        skylight->bounds = bounds;
        skylight->bounds3D = bounds3D;
        skylight->parent = roof;
        ++*refitted;
        *removed += UpdateRoofAttachment(skylight, roof);
        rebuild::ReRenderObject(roof);
        if (IsChildOf(skylight, roof)) SelectObj(skylight, selmode::kSelect, 0);
    }
}

}  // namespace

void ApplyCurCustAttachToSelectedWinAndDoor() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !CurrentDocState() || !doc->itsCurLayer) return;
    const int16_t category = ContentPaletteSelectedCategory();
    if (category != customdef::kDoorCategory && category != customdef::kWindowCategory) return;
    const bool doorMode = category == customdef::kDoorCategory;

    bool changed = false;
    int refitted = 0;
    int removed = 0;
    for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) {
        if (o->type == objtype::kWall) {
            if (ApplyToWall(o, doorMode)) changed = true;
        } else if (!doorMode && objtype::IsRoof(o->type)) {
            ApplyToRoof(o, &refitted, &removed);
        }
    }
    Refresh();
    if (removed > 0) ShowSheet(kSkylightsRemovedTitle, kSkylightsRemovedMessage);
    if (changed || refitted > 0) StoreUndo(doorMode ? customdef::kDoorUndoName : customdef::kWindowUndoName);
}
