#include "model/add_remove_points.h"

#include <cstdio>
#include <new>

#include "files/undo.h"
#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "model/attachments.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "scene/scene_build.h"
#include "tools/deck_tools.h"
#include "tools/rebuild_seams.h"
#include "tools/roof_panels.h"
#include "tools/roof_construction.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"
#include "tracking/click_info.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"

Objex* gRemovePtTargetObject = nullptr;
Poinz* gRemovePtTargetPoint = nullptr;
Poinz* gRemovePtTargetPrevPoint = nullptr;
static const port::GlobalReset kReset(ResetRemovePointTarget);
static const ObjectForgetter kForget([](const Objex* o) {
    bool target = gRemovePtTargetObject == o;
    for (const Poinz* p = o->firstPoint; p && !target; p = p->next)
        target = p == gRemovePtTargetPoint || p == gRemovePtTargetPrevPoint;
    if (target) ResetRemovePointTarget();
});

namespace {

constexpr int H = 0;
constexpr int D = 2;
constexpr int16_t kNewPointKind = 10;

bool IsHost(const Objex* o) { return o->type == objtype::kWall || o->type == objtype::kDeck; }

bool IsPointOf(const Objex* object, const Poinz* point) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p == point) return true;
    return false;
}

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

bool IsRefusedSnap(int16_t mode) {
    return mode == snapmode::kEndPoint || mode == snapmode::kObjectCentre || mode == snapmode::kObjectCorner;
}

bool AcceptsAddedPoints(int16_t type) {
    switch (type) {
    case objtype::kWall: case objtype::kFloor: case objtype::kPropertyLine: case objtype::kPath:
    case objtype::kEdging: case objtype::kFence: case objtype::kFill: case objtype::kGroundFill:
    case objtype::kDetail: case objtype::kTopography: case objtype::kStaircase: case objtype::kRailing:
    case objtype::kFloorCutout: case objtype::kDeck: case objtype::kFreehandRoof:
    case objtype::kExcavation: case objtype::kRoofCutout:
        return true;
    default:
        return false;
    }
}

bool IsDetailEditedPointwise(const Objex* o) {
    return o->type == objtype::kDetail && o->subtype >= 1 && o->subtype <= 7;
}

bool IsZero3(const float t[3]) { return t[0] == 0.0f && t[1] == 0.0f && t[2] == 0.0f; }

// The count that must remain after a removal; 0 when the type refuses removal.
int32_t MinimumPointCount(const Objex* o) {
    switch (o->type) {
    case objtype::kWall: case objtype::kPath: case objtype::kEdging: case objtype::kFence:
    case objtype::kStaircase: case objtype::kRailing:
        return 2;
    case objtype::kFloor: case objtype::kPropertyLine: case objtype::kFill: case objtype::kGroundFill:
    case objtype::kTopography: case objtype::kFloorCutout: case objtype::kDeck:
    case objtype::kFreehandRoof: case objtype::kExcavation: case 135: case objtype::kRoofCutout:
        return 3;
    case objtype::kDetail:
        if (o->subtype == 1) return 4;
        if (o->subtype >= 2 && o->subtype <= 4) return 3;
        if (o->subtype >= 5 && o->subtype <= 7) return 2;
        return 0;
    default:
        return 0;
    }
}

enum class RebuildScope {
    Full,        // AddPoint and RemovePoint: a roof cut-out rebuilds its parent roof
    AtPosition,  // AddPointAtPosition: no parent rebuild
};

void RebuildAfterPointChange(Objex* o, RebuildScope scope) {
    switch (o->type) {
    case objtype::kWall:
        Update3DWall(o);
        UpdateAllWallAttachments(o);
        break;
    case objtype::kFloor:
    case objtype::kFloorCutout:
        Update3DFloorSkirting(o);
        break;
    case objtype::kPath: Update3DPath(o); break;
    case objtype::kDeck: Update3DDeck(o); break;
    case objtype::kFreehandRoof: Update3DRoofPanel(o); break;
    case objtype::kEdging: UpdateEdgingObject(o); break;
    case objtype::kFence: UpdateFenceObject(o); break;
    case objtype::kStaircase: UpdateStairObject(o); break;
    case objtype::kRailing: UpdateRailObject(o); break;
    case objtype::kRoofCutout:
        if (scope == RebuildScope::Full && o->parent) {
            if (o->parent->type == objtype::kRoof) Update3DRoof(o->parent);
            else if (o->parent->type == objtype::kFreehandRoof) Update3DRoofPanel(o->parent);
        }
        break;
    default:
        break;
    }
}

// A record of its own for the new point, its profiles duplicated; null when it cannot be made.
TrimRecord* CopyTrimRecord(const TrimRecord* source) {
    if (!source) return nullptr;
    TrimRecord* copy = new (std::nothrow) TrimRecord(*source);
    if (!copy) return nullptr;
    for (Objex*& profile : copy->profile)
        if (profile) profile = DuplicateObject(profile, nullptr, nullptr, nullptr, 0, dupmode::kDuplicate);
    return copy;
}

void CopyPointAttributes(const Poinz* from, Poinz* to, bool wall) {
    to->selected = from->selected;
    to->owner = from->owner;
    to->texture1 = from->texture1;
    to->texture2 = from->texture2;
    to->textureU = from->textureU;
    to->textureV = from->textureV;
    to->rowLength = from->rowLength;
    to->rowPerimeter = from->rowPerimeter;
    to->color1 = from->color1;
    to->color2 = from->color2;
    to->baseElevation = from->baseElevation;
    to->wallStyle = from->wallStyle;
    to->dimensionMethod = from->dimensionMethod;
    to->dimensionFlipped = from->dimensionFlipped;
    to->segmentFlags = from->segmentFlags;
    for (int i = 0; i < 5; ++i) to->segmentValues[i] = from->segmentValues[i];
    to->valueQ = from->valueQ;
    to->valueR = from->valueR;
    to->faceScale1 = from->faceScale1;
    to->faceScale2 = from->faceScale2;
    if (wall) {
        to->trim1 = CopyTrimRecord(from->trim1);
        to->trim2 = CopyTrimRecord(from->trim2);
    } else {
        to->trimValue1 = from->trimValue1;
        to->trimValue2 = from->trimValue2;
    }
}

// Links the new point behind `after`, gives it the attributes of the segment it splits and
// re-anchors the attachments of that segment.
void InsertSplitPoint(Objex* object, Poinz* after, Poinz* point) {
    InsertPointInObject(point, object, after);
    // Attributes first, so the attachment refit already sees the new segment as it will be.
    CopyPointAttributes(after, point, object->type == objtype::kWall);
    if (object->firstChild && IsHost(object) && DoesPointContainAttachments(object, after))
        UpdateAttachmentsWithNewPoint(object, after, point);
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

}  // namespace

void ResetRemovePointTarget() {
    gRemovePtTargetObject = nullptr;
    gRemovePtTargetPoint = nullptr;
    gRemovePtTargetPrevPoint = nullptr;
}

Poinz* AddPoint(Objex* object, Poinz* segmentStart, DocState* document, ClickInfo* click) {
    if (!object || !segmentStart || !document || !click) return nullptr;
    if (IsRefusedSnap(gCurSnap) || !AcceptsAddedPoints(object->type)) return nullptr;
    if (!IsPointOf(object, segmentStart)) return nullptr;

    float h = 0.0f, v = 0.0f, d = 0.0f;
    EvaluatePoint(click->ciWhere.x, click->ciWhere.y, &h, &v, &d, 1, click, 1);

    Poinz* start = segmentStart;
    Poinz* end = start->next ? start->next : object->firstPoint;
    if (!end) return nullptr;
    if (!IsZero3(start->outTangent) || !IsZero3(end->inTangent)) return nullptr;

    // Onto the segment's line, as far from the start as the click.
    float segmentLength = 0.0f;
    const float angle = GetLineLengthAndAngle(start->position[H], start->position[D], end->position[H],
                                              end->position[D], &segmentLength);
    const float distance = GetLineLength(start->position[H], start->position[D], h, d);
    float dh = 0.0f, dd = 0.0f;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dd);
    h = start->position[H] + dh;
    d = start->position[D] + dd;

    if (object->type == objtype::kDeck) v = start->position[1];
    else if (object->type != objtype::kDetail || IsDetailEditedPointwise(object)) v = 0.0f;

    Poinz* point = CreatePoint(kNewPointKind, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, object);
    if (point) {
        // From now on the detail shape's points are picked one by one.
        if (IsDetailEditedPointwise(object)) object->optionB = 1;
        InsertSplitPoint(object, start, point);
    }

    UpdateObjectBounds(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
    RebuildAfterPointChange(object, RebuildScope::Full);
    UpdateObjectBounds(object);
    return point;
}

Poinz* AddPointAtPosition(Objex* object, Poinz* segmentStart, DocState* document, float h, float v,
                          float d) {
    if (!object || !segmentStart || !document || IsRefusedSnap(gCurSnap)) return nullptr;
    if (!IsPointOf(object, segmentStart)) return nullptr;
    Poinz* point = CreatePoint(kNewPointKind, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, object);
    if (!point) return nullptr;
    InsertSplitPoint(object, segmentStart, point);
    UpdateObjectBounds(object);
    RebuildAfterPointChange(object, RebuildScope::AtPosition);
    return point;
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
    RebuildAfterPointChange(object, RebuildScope::Full);
    UpdateObjectBounds(object);
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
    if (object->type == objtype::kWall) {
        if (object->pointCount < 3) object->closed = 0;
        Update3DWall(object);
        UpdateAllWallAttachments(object);
    } else if (object->type == objtype::kDeck) {
        Update3DDeck(object);
    }
    UpdateObjectBounds(object);
    SelectVisualLayer(gCurDocument->itsCurLayer, 1, 1);
    Refresh();
    ReRenderObject(object);
    StoreUndo("Remove Point");
}

void RemovePointInObject(Objex* object, Poinz* point) {
    if (!object || !point || !IsPointOf(object, point)) return;
    if (point->prev) point->prev->next = point->next;
    else object->firstPoint = point->next;
    if (point->next) point->next->prev = point->prev;
    point->prev = point->next = nullptr;
    // Only wall points hold trim records; freeing any others keeps a converted object tidy.
    DeleteTrimRecord(point->trim1);
    DeleteTrimRecord(point->trim2);
    delete point;
    object->pointCount--;
}

void DeleteWallPoint(Objex* object, Poinz* point) {
    if (!object || !point || object->type != objtype::kWall) return;
    DeleteTrimRecord(point->trim1);
    DeleteTrimRecord(point->trim2);
    delete point;
}
