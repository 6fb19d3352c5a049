#include "commands/add_remove_points.h"

#include <cstdio>

#include "files/undo.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/click_info.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/tool_state.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "scene/scene_build.h"
#include "tracking/evaluate_point.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_state.h"

Objex* gRemovePtTargetObject = nullptr;
Poinz* gRemovePtTargetPoint = nullptr;
Poinz* gRemovePtTargetPrevPoint = nullptr;
static const port::GlobalReset kReset(ResetRemovePointTarget);
static const ObjectForgetter kForget([](const Objex* o) {
    bool target = gRemovePtTargetObject == o;
    const bool points = gRemovePtTargetPoint || gRemovePtTargetPrevPoint;
    for (const Poinz* p = points ? o->firstPoint : nullptr; p && !target; p = p->next)
        target = p == gRemovePtTargetPoint || p == gRemovePtTargetPrevPoint;
    if (target) ResetRemovePointTarget();
});

namespace {

bool IsHost(const Objex* o) { return o->type == objtype::kWall || o->type == objtype::kDeck; }

Poinz* LastPointOf(const Objex* object) {
    Poinz* p = object->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

bool ObjectIsIn(const Objex* head, const Objex* object) {
    for (const Objex* o = head; o; o = o->next)
        if (o == object || ObjectIsIn(o->firstChild, object)) return true;
    return false;
}

bool IsInCurrentDocument(const Objex* object) {
    if (!gCurDocument) return false;
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (ObjectIsIn(l->firstObject, object)) return true;
    return false;
}

void ShowTooFewPoints(int32_t minimum) {
    char text[96];
    std::snprintf(text, sizeof text, "This object must contain at least %ld points.",
                  static_cast<long>(minimum));
    port::Alert alert;
    alert.message = "Unable to delete point.";
    alert.informative = text;
    alert.buttons = {"OK"};
    port::alerts().beginSheet(alert, [](int) {});
}

void AskToRemoveAttachments(const Objex* object) {
    port::Alert alert;
    alert.message = "One or more attachments will be removed.";
    alert.informative =
        object->type == objtype::kWall
            ? "Deleting this point will cause one or more windows, doors, etc to be removed from "
              "the point's adjoining segments."
            : "Deleting this point will cause one or more deck steps to be removed from the "
              "point's adjoining segments.";
    alert.buttons = {"Delete Point", "Cancel"};
    port::alerts().beginSheet(alert, [](int button) {
        removePointSheetDidEnd(nullptr, button == 0 ? kRemovePointConfirmed : 0, nullptr);
    });
}

constexpr int16_t kCutoutType = 166;

void Rebuild(Objex* object) { ReRenderObject(object->type == kCutoutType && object->parent ? object->parent : object); }

void InsertPointHit() {
    Objex* object = gClickInfo.ciObject;
    if (!object || !gClickInfo.ciSegmentHit || !gClickInfo.ciPoint || !gClickInfo.ciPoint2) return;
    SelectAllLayers(gCurDocument->itsCurLayer, 2, 1);
    Poinz* added = AddPoint(object, gClickInfo.ciPoint, CurrentDocState(), &gClickInfo);
    if (!added) return;
    SelectPoint(added, 1, 1);
    Refresh();
    Rebuild(object);
    StoreUndo("Insert Point");
}

void RemovePointHit() {
    Objex* object = gClickInfo.ciObject;
    Poinz* point = gClickInfo.ciPoint;
    if (!object || !gClickInfo.ciPointHit || !point) return;
    if (!RemovePoint(object, point, CurrentDocState())) return;
    // The click would otherwise name the freed point until the next press.
    ForgetTrackedPoint(point);
    SelectVisualLayer(gCurDocument->itsCurLayer, 1, 1);
    Refresh();
    Rebuild(object);
    StoreUndo("Remove Point");
}

}  // namespace

void ResetRemovePointTarget() {
    gRemovePtTargetObject = nullptr;
    gRemovePtTargetPoint = nullptr;
    gRemovePtTargetPrevPoint = nullptr;
}

Poinz* AddPoint(Objex* object, Poinz* segmentStart, DocState* document, ClickInfo* click) {
    if (!object || !segmentStart || !document || !click) return nullptr;
    if (!MayAddPointTo(object, segmentStart)) return nullptr;
    float h = 0.0f, v = 0.0f, d = 0.0f;
    EvaluatePoint(click->ciWhere.x, click->ciWhere.y, &h, &v, &d, 1, click, 1);
    return InsertPointOnSegment(object, segmentStart, h, v, d);
}

int32_t RemovePoint(Objex* object, Poinz* point, DocState* document) {
    if (!object || !point || !document || !point->selected) return 0;
    if (!IsPointOf(object, point)) return 0;
    const int32_t minimum = MinimumPointCount(object);
    if (minimum == 0) return 0;
    if (object->pointCount <= minimum) {
        ShowTooFewPoints(minimum);
        return 0;
    }

    if (object->firstChild && IsHost(object)) {
        Poinz* prev = point->prev ? point->prev : LastPointOf(object);
        if (DoesPointContainAttachments(object, point) || DoesPointContainAttachments(object, prev)) {
            gRemovePtTargetObject = object;
            gRemovePtTargetPoint = point;
            gRemovePtTargetPrevPoint = prev;
            // The sheet answers later (or at once); the handler does the work.
            AskToRemoveAttachments(object);
            return 0;
        }
    }

    RemovePointInObject(object, point);
    if (object->type == objtype::kWall && object->pointCount < 3) object->closed = 0;
    RebuildAfterPointRemoval(object);
    return 1;
}

void removePointSheetDidEnd(void* /*sheet*/, int32_t returnCode, void* /*contextInfo*/) {
    Objex* object = gRemovePtTargetObject;
    Poinz* point = gRemovePtTargetPoint;
    Poinz* prev = gRemovePtTargetPrevPoint;
    ResetRemovePointTarget();
    if (!object || !point || !prev || returnCode != kRemovePointConfirmed) return;
    // The design may have changed while the sheet was up.
    if (!IsInCurrentDocument(object) || !IsPointOf(object, point) || !IsPointOf(object, prev)) return;

    DeletePointAttachments(object, point);
    DeletePointAttachments(object, prev);
    RemovePointInObject(object, point);
    if (object->type == objtype::kWall && object->pointCount < 3) object->closed = 0;
    RebuildAfterPointRemoval(object);
    SelectVisualLayer(gCurDocument->itsCurLayer, 1, 1);
    Refresh();
    rebuild::ReRenderObject(object);
    StoreUndo("Remove Point");
}

void RegisterPointTrackers() {
    RegisterPointTracker([](int16_t tool) { tool == toolid::kInsertPoint ? InsertPointHit() : RemovePointHit(); });
}
