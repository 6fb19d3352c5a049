#include "tools/gate_tool.h"

#include "app/core/localization_seams.h"
#include "geometry/elements/fence_build.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "tools/attachment_placement.h"
#include "tools/wall_attachments.h"
#include "model/click_info.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int16_t kPlanViewKind = 2;

void Sheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

bool OnFenceSection(const ClickInfo* c) {
    return c && c->ciHit && c->ciSegmentHit && c->ciPoint && c->ciPoint2 && c->ciObject &&
           c->ciObject->type == objtype::kFence;
}

// A point on the fence at (h, d) like the section's start, taking the fence's first point's
// materials.
Poinz* GatePoint(Objex* fence, const Poinz* sectionStart, int16_t kind, FloatPoint at, float v) {
    const Poinz* first = fence->firstPoint;
    Poinz* p = CreatePoint(kind, sectionStart->selected, sectionStart->locked, 0, 0, 0, at.floatH, v, at.floatV, 0, 0, 0,
                           0, 0, 0, fence);
    if (!p) return nullptr;
    p->texture1 = first->texture1, p->texture2 = first->texture2;
    p->color1 = first->color1, p->color2 = first->color2;
    p->faceScale1 = first->faceScale1, p->faceScale2 = first->faceScale2;
    return p;
}

}  // namespace

void SupportTrackGate(float, float v, float, int16_t stage, const ClickInfo* click, int16_t, FloatPoint size) {
    DocState* ds = CurrentDocState();
    if (stage != 1 || !gCurDocument || !ds) return;
    if (!OnFenceSection(click)) {
        if (GetCurrentView() == kViewTop)
            Sheet("Fence section not found.",
                  "To place a gate, click on a fence section of sufficient length and then drag to position the gate.");
        return;
    }
    Objex* fence = click->ciObject;
    // Only a fence's fields hold the gate's width and colour; a wall's are its thickness.
    fence->penWidth = ds->gateLength;
    fence->penColor = ds->gateColor;
    if (!fence->firstPoint || ds->viewKind != kPlanViewKind) return;
    if (click->ciPoint->kind == pointkind::kGatePoint) {
        Sheet("Gate already exists on this fence section.",
              "Each fence section may only contain a single gate.  Please choose another section.");
        return;
    }
    float rangeStart = 0, rangeEnd = 0;
    const float working = GetWallSegmentWorkingLength(0, 0, click->ciPoint, click->ciPoint2, &rangeStart, &rangeEnd);
    if (size.floatH > working) {
        Sheet("Unable to place gate on fence section.",
              "Please make sure the fence section is long enough to accommodate the gate.");
        return;
    }
    WallPlacement p;
    p.wall = fence, p.segStart = click->ciPoint, p.segEnd = click->ciPoint2;
    p.size = size, p.workingLength = working, p.rangeStart = rangeStart, p.rangeEnd = rangeEnd;
    p.click = click->ciWhere, p.ownerType = objtype::kFence;
    Poinz* sectionStart = click->ciPoint;
    TrackDoorPlacement(p, [fence, sectionStart, v](int16_t, WallPlacement& placed) {
        Poinz* start = GatePoint(fence, sectionStart, pointkind::kGatePoint, placed.start, v);
        Poinz* end = GatePoint(fence, sectionStart, sectionStart->kind, placed.end, v);
        if (!start || !end) {
            delete start, delete end;
            return;
        }
        InsertPointInObject(start, fence, sectionStart);
        InsertPointInObject(end, fence, start);
        MapFacesAndLengths(fence);
        UpdateFenceObject(fence);
        ReRenderObject(fence);
        Refresh();
    });
}

void TrackGate(float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const ClickInfo click = gClickInfo;
    SupportTrackGate(h, v, d, stage, &click, gTrackModifiers,
                     FloatPoint{ConvertWorldToScreen(ds->gateLength, ds, 0), 0});
    if (stage == 1 && OnFenceSection(&click)) ReRenderObject(click.ciObject);
    Refresh();
    gMouseCaptured = 0;
}
