#include "tools/move_tracker.h"

#include <cmath>
#include <numbers>

#include "plan/status_readouts.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/smoothing.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "model/walkers.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/handles.h"
#include "plan/plan_frame.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "plan/selection_feedback.h"
#include "plan/wall_dimensions.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "tools/deck_steps.h"
#include "tools/deck_tools.h"
#include "tools/roof_panels.h"
#include "tools/roof_tool.h"
#include "tools/wall_attachments.h"
#include "tools/wall_components.h"
#include "tools/wall_construction.h"
#include "tools/wall_dimension_tracks.h"
#include "tools/wall_joins.h"
#include "tools/wall_openings.h"
#include "tools/move_wall_edits.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"

namespace {

using feedback::At;
constexpr int16_t kFrontKind = 1, kPlanKind = 2, kSideKind = 3;
constexpr float kDegrees = 180.0f / std::numbers::pi_v<float>;
constexpr float kNoAngle = 32000.0f;
constexpr float kFarAway = 30000.0f;
constexpr float kUnknown = -999999.0f;
constexpr float kClosestToNeighbour = 10.0f;
constexpr float kPerpLength = 100.0f;
constexpr uint16_t kMainIsLast = 1, kMainIsFirst = 65535;

bool Shift() { return (gTrackModifiers & 4) != 0; }
bool Command() { return (gTrackModifiers & 8) != 0; }
float H(const Poinz* p) { return p->position[0]; }
float D(const Poinz* p) { return p->position[2]; }
bool IsWall(const Objex* o) { return o && o->type == objtype::kWall; }
bool IsSwitchConnector(const Objex* o) {
    return o && o->type == objtype::kDetail && o->subtype == objsubtype::kSwitchConnector;
}
// Detail rectangles, ovals, polygons, multigons, arcs and curves drawn without the second
// attribute word move whole.
bool IsPlainDetailShape(const Objex* o) {
    if (!o || o->type != objtype::kDetail || objfield::detail_shape::kSecondWord(*o) != 0) return false;
    return o->subtype >= 1 && o->subtype <= 9 && o->subtype != detailsubtype::kLine;
}
bool IsOneOf(int16_t type, std::initializer_list<int16_t> types) {
    for (int16_t t : types)
        if (t == type) return true;
    return false;
}

Poinz* LastPoint(Objex* o) {
    Poinz* p = o ? o->firstPoint : nullptr;
    while (p && p->next) p = p->next;
    return p;
}
// A point's predecessor, or on a closed outline the last point (none when that is the point).
Poinz* Before(Objex* o, Poinz* p) {
    if (p->prev) return p->prev;
    Poinz* last = o->closed ? LastPoint(o) : nullptr;
    return last == p ? nullptr : last;
}
Poinz* After(Objex* o, Poinz* p) {
    if (p->next) return p->next;
    Poinz* first = o->closed ? o->firstPoint : nullptr;
    return first == p ? nullptr : first;
}

// One gesture of the tool, from the press to the release.
struct MoveGesture {
    bool handedOver = false;  // a door, window, component, step or arrow slid on its own
    bool initialDraw = false;
    bool translateWallSegment = false;
    bool resizeWall = false;
    bool trackLength = false;
    bool resizeFromStart = false;
    bool editWall = false, constrainWallEdit = false;
    Poinz* trackLengthPt = nullptr;
    Poinz* trackLengthOppPt = nullptr;
    Objex* trackLengthObj = nullptr;
    Float3DPoint saveStart, saveEnd;
    Poinz* dimensionPrevPt = nullptr;
    Poinz* dimensionMainPt = nullptr;
    Poinz* dimensionMainPt2 = nullptr;
    Poinz* dimensionNextPt = nullptr;
    uint16_t dimensionMainPtPosition = 0;
    Float3DRect data3DRect;
    FloatPoint posDimStartPt, posDimEndPt;
    float perpAngle = 0;
    bool trackingPerp = false;
    int16_t saveActivePlane = 0;
};

MoveGesture sMove;
// EndGesture waits in the runner's restores (once, however often a caller presses).
bool sEndPending = false;
// The crossings of the perpendicular track with the other walls; freed at the end of every
// gesture, whichever way it ends.
WallDimTrack sPosIntersect;

void RestoreActivePlane() {
    if (!sMove.saveActivePlane) return;
    if (DocState* ds = CurrentDocState()) ds->viewKind = sMove.saveActivePlane;
    sMove.saveActivePlane = 0;
}

void EndGesture() {
    sEndPending = false;
    RestoreActivePlane();
    sPosIntersect.end();
}

}  // namespace
static const port::GlobalReset kReset([] {
    sPosIntersect.end();
    sMove = MoveGesture{};
    sEndPending = false;
});
static const ObjectForgetter kForget([](const Objex* o) {
    auto owns = [o](const Poinz* point) {
        if (!point) return false;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p == point) return true;
        return false;
    };
    for (Poinz** p : {&sMove.trackLengthPt, &sMove.trackLengthOppPt, &sMove.dimensionPrevPt, &sMove.dimensionMainPt,
                      &sMove.dimensionMainPt2, &sMove.dimensionNextPt})
        if (owns(*p)) *p = nullptr;
    if (sMove.trackLengthObj == o) sMove.trackLengthObj = nullptr, sMove.trackLength = false;
});

namespace {

// --- the press ---

bool HandOver(Objex* hit) {
    switch (hit->type) {
    case objtype::kDeckSteps: TranslateDeckAttachment(); break;
    case objtype::kDoor:
    case objtype::kWindow: TranslateWallAttachment(); break;
    case objtype::kSlopeArrow: TrackRoofSlopeDirection(); break;
    case objtype::kComponent:
    case objtype::kAccessory: TranslateWallComponent(); break;
    default: return false;
    }
    gMouseCaptured = 0;
    gDynamicDrawing = 0;
    return true;
}

// The points whose segments get temporary dimensions: `main` and `main2` (the same point for
// a point drag) with the points before and after them, wrapping round a closed outline.
void SetDimensionPoints(Objex* o, Poinz* main, Poinz* main2) {
    sMove.dimensionMainPt = main, sMove.dimensionMainPt2 = main2;
    sMove.dimensionPrevPt = main->prev, sMove.dimensionNextPt = main2->next;
    if (!o->closed || o->pointCount < 3) return;
    if (!main2->next) sMove.dimensionNextPt = o->firstPoint, sMove.dimensionMainPtPosition = kMainIsLast;
    if (!main->prev) sMove.dimensionPrevPt = LastPoint(o), sMove.dimensionMainPtPosition = kMainIsFirst;
}

void BeginPointDrag(Layer* layers, Objex* hit, Poinz* point) {
    if (IsWall(hit)) DrawAngle(kNoAngle);
    Poinz* prev = Before(hit, point);
    Poinz* next = After(hit, point);
    gTrackPrevPoint = prev, gTrackNextPoint = next;
    gTrackPrevPointSelected = prev ? prev->selected : 0;
    gTrackNextPointSelected = next ? next->selected : 0;
    SelectAllLayers(layers, selmode::kDeselect, 1);
    SelectPoint(point, selmode::kSelect, 1);
    sMove.resizeWall = true;
    if (!prev || !next) {
        sMove.trackLength = true;
        sMove.trackLengthPt = point, sMove.trackLengthObj = hit;
        sMove.resizeFromStart = point == hit->firstPoint;
        sMove.trackLengthOppPt = prev ? prev : next;
        if (IsWall(hit) && sMove.trackLengthOppPt) {
            const Poinz* o = sMove.trackLengthOppPt;
            sMove.saveStart = {o->position[0], o->position[1], o->position[2]};
            sMove.saveEnd = {point->position[0], point->position[1], point->position[2]};
        }
    }
    SetDimensionPoints(hit, point, point);
}

// The perpendicular through the cursor's place along a wall segment, and its crossings with
// the other walls.
void BeginPerpendicular(Poinz* a, Poinz* b, float h, float d) {
    float length = 0;
    sMove.perpAngle = GetLineLengthAndAngle(H(a), D(a), H(b), D(b), &length);
    const float along = GetLineLength(H(a), D(a), h, d);
    sMove.posDimStartPt = {H(a) + along * std::cos(sMove.perpAngle), D(a) - along * std::sin(sMove.perpAngle)};
    sMove.perpAngle += std::numbers::pi_v<float> / 2;
    sMove.posDimEndPt = {sMove.posDimStartPt.floatH + kPerpLength * std::cos(sMove.perpAngle),
                         sMove.posDimStartPt.floatV - kPerpLength * std::sin(sMove.perpAngle)};
    sPosIntersect.begin(sMove.posDimStartPt, sMove.posDimEndPt, a, b);
    sMove.trackingPerp = true;
}

void BeginSegmentHit(Layer* layers, Objex* hit, float h, float d) {
    const ClickInfo& c = gClickInfo;
    const int16_t type = hit->type;
    if (type == objtype::kFence) {
        if (c.ciPoint->kind == pointkind::kGatePoint) {
            SelectAllLayers(layers, selmode::kDeselect, 1);
            SelectPoint(c.ciPoint, selmode::kSelect, 1);
            SelectPoint(c.ciPoint2, selmode::kSelect, 1);
        } else {
            SelectObj(hit, selmode::kSelect, 1);
        }
    } else if (IsOneOf(type, {objtype::kWall, objtype::kExcavation, objtype::kOffsetDimensionV,
                              objtype::kOffsetDimensionH, objtype::kLengthDimension, objtype::kLeaderDimension})) {
        if ((!IsEntireObjectSelected(hit) || hit->pointCount == 2) && gCurPropertiesObjectCount < 2)
            sMove.translateWallSegment = true;
    } else if (type == objtype::kDetail) {
        const bool whole = (hit->subtype == 2 || hit->subtype == 4 || hit->subtype == 5) &&
                           objfield::detail_shape::kSecondWord(*hit) == 0;
        if (whole) SelectObj(hit, selmode::kSelect, 1);
    } else if (!IsOneOf(type, {objtype::kFloor, objtype::kTopography, objtype::kFloorCutout, objtype::kDeck,
                               objtype::kRailing, objtype::kFreehandRoof})) {
        SelectObj(hit, selmode::kSelect, 1);
    }
    SetDimensionPoints(hit, c.ciPoint, c.ciPoint2);
    if (IsWall(hit)) BeginPerpendicular(c.ciPoint, c.ciPoint2, h, d);
}

void Press(DocState* ds, float h, float d) {
    sPosIntersect.end();
    RestoreActivePlane();
    sMove = MoveGesture{};
    Layer* layers = gCurDocument->itsLayers;
    Float3DRect box{32000, 32000, 32000, -32000, -32000, -32000};
    GetAllLayers3DBounds(layers, 1, &box, 0);
    sMove.data3DRect = box;
    Objex* hit = gClickInfo.ciObject;
    if (!hit) return;
    if (gClickInfo.ciPoint && gClickInfo.ciPoint2) {
        sMove.initialDraw = true;
        if (IsWall(hit))
            DrawDimensionWallSegmentSelection(hit, gClickInfo.ciPoint, gClickInfo.ciPoint2, gClickInfo.ciWhere.x,
                                              gClickInfo.ciWhere.y);
    }
    if (HandOver(hit)) {
        sMove.handedOver = true;
        return;
    }
    if (Command() && GetCurrentView() != kViewTop) {
        sMove.saveActivePlane = ds->viewKind;
        ds->viewKind = kFrontKind;
    }
    // Whatever way the gesture ends, the view kind comes back and the crossings are freed.
    if (!sEndPending) sEndPending = true, RestoreAtGestureEnd(EndGesture);
    if (!objtype::Has(hit->type, objtype::kMovedByPoint)) return;
    const bool pointDragged = !IsPlainDetailShape(hit) && hit->type != objtype::kText;
    Poinz* point = gClickInfo.ciPoint;
    if (pointDragged && gClickInfo.ciPointHit && point &&
        (point->selected || (!IsWall(hit) && IsEntireObjectSelected(hit)))) {
        BeginPointDrag(layers, hit, point);
    } else if (!gClickInfo.ciSegmentHit) {
        if (!IsWall(hit)) SelectObj(hit, selmode::kSelect, 1);
    } else if (gClickInfo.ciPoint && gClickInfo.ciPoint2) {
        BeginSegmentHit(layers, hit, h, d);
    }
    sMove.editWall = IsWall(hit);
    sMove.constrainWallEdit = sMove.editWall && (!IsEntireObjectSelected(hit) || hit->pointCount <= 2);
}

// --- the displacement ---

float Low(const Float3DRect& b, int axis) { return axis == 0 ? b.floatLeft : axis == 1 ? b.floatTop : b.floatBack; }
float High(const Float3DRect& b, int axis) {
    return axis == 0 ? b.floatRight : axis == 1 ? b.floatBottom : b.floatFront;
}

// Keeps the box displaced by `delta` between lo and hi.
void KeepWithin(float& delta, float boxLow, float boxHigh, float lo, float hi) {
    if (boxHigh + delta > hi) delta = hi - boxHigh;
    if (boxLow + delta < lo) delta = lo - boxLow;
}
// A box wholly on one side of an enabled stop (whole numbers) stops on it.
void KeepSide(uint8_t enabled, float stop, float boxLow, float boxHigh, float& delta) {
    if (!enabled) return;
    const int32_t at = int32_t(stop);
    if (int32_t(boxHigh) <= at) {
        if (boxHigh + delta > stop) delta = stop - boxHigh;
    } else if (int32_t(boxLow) >= at) {
        if (boxLow + delta < stop) delta = stop - boxLow;
    }
}

// The drag's current point cut so the selection stays inside the plan extent and on its side
// of the axis stops.
void LimitDisplacement(const DocState* ds) {
    const int16_t kind = ds->viewKind;
    if (kind != kPlanKind && kind != kFrontKind && kind != kSideKind) return;
    const FloatRect& r = ds->lotRect;
    const Float3DRect& b = sMove.data3DRect;
    const Float3DPoint& stop = ds->viewOrigin;
    float delta[3] = {gTrackState[3] - gTrackState[0], gTrackState[4] - gTrackState[1], gTrackState[5] - gTrackState[2]};
    const bool verticalOnly = sMove.saveActivePlane != 0;
    if (kind == kPlanKind || (kind == kFrontKind && !verticalOnly))
        KeepWithin(delta[0], Low(b, 0), High(b, 0), r.floatLeft, r.floatRight);
    if (kind == kPlanKind || kind == kSideKind)
        KeepWithin(delta[2], Low(b, 2), High(b, 2), r.floatTop, r.floatBottom);
    if (kind != kPlanKind && Low(b, 1) + delta[1] < r.floatTop) delta[1] = r.floatTop - Low(b, 1);
    if (kind != kSideKind) KeepSide(ds->stopAtOriginH, stop.floatH, Low(b, 0), High(b, 0), delta[0]);
    if (kind != kPlanKind) KeepSide(ds->stopAtOriginV, stop.floatV, Low(b, 1), High(b, 1), delta[1]);
    if (kind != kFrontKind) KeepSide(ds->stopAtOriginD, stop.floatD, Low(b, 2), High(b, 2), delta[2]);
    if (verticalOnly) delta[0] = delta[2] = 0;
    for (int a = 0; a < 3; ++a) gTrackState[3 + a] = gTrackState[a] + delta[a];
}

TransformRecord DragRecord() {
    TransformRecord r;
    for (int i = 0; i < 6; ++i) r.values[i] = gTrackState[i];
    return r;
}

// --- feedback ---

bool HitIsTheSelection(const Objex* o) {
    auto whole = [](float v) { return std::lround(v); };
    return whole(o->bounds.floatLeft) == whole(gDataRect.floatLeft) &&
           whole(o->bounds.floatTop) == whole(gDataRect.floatTop) &&
           whole(o->bounds.floatRight) == whole(gDataRect.floatRight) &&
           whole(o->bounds.floatBottom) == whole(gDataRect.floatBottom);
}

void Dimension(const Objex* o, const Poinz* a, const Poinz* b, float offset) {
    float ah = H(a), ad = D(a), bh = H(b), bd = D(b);
    AdjustWallDimensionForMethod(o, a, b, &ah, &ad, &bh, &bd);
    DrawDimensionLine(nullptr, ah, ad, bh, bd, ah, ad, bh, bd, 1, offset, 1, a, b, 0, 0, 5, 0, nullptr);
}

// The dragged point stands where the drag has it while its neighbours' segments are measured.
void PointDragDimensions(Objex* hit) {
    Poinz* p = sMove.dimensionMainPt;
    if (!p || IsSwitchConnector(hit) || !(IsWall(hit) || gClickInfo.ciPointHit)) return;
    const float saved[3] = {p->position[0], p->position[1], p->position[2]};
    for (int a = 0; a < 3; ++a) p->position[a] += gTrackState[3 + a] - gTrackState[a];
    if (sMove.dimensionPrevPt) Dimension(hit, sMove.dimensionPrevPt, p, 30);
    if (sMove.dimensionNextPt) Dimension(hit, p, sMove.dimensionNextPt, 30);
    for (int a = 0; a < 3; ++a) p->position[a] = saved[a];
}

void AngleReadout(Objex* hit) {
    if (!gTrackingObject) return;
    float degrees = Shift() ? kNoAngle : gTrackConstrainAngle * kDegrees;
    if (sMove.trackLength && IsWall(hit) && sMove.trackLengthOppPt) {
        if (Shift() && !hit->closed) {
            float length = 0;
            const Poinz* o = sMove.trackLengthOppPt;
            degrees = GetLineLengthAndAngle(H(o), D(o), gTrackState[3], gTrackState[5], &length) * kDegrees;
        } else if (!Shift()) {
            degrees = gTrackConstrainAngle * kDegrees;
        }
    }
    DrawAngle(degrees);
}

void SegmentMoveDimensions(Objex* hit) {
    const FloatPoint s1 = gTranslateWallSegPt1, s2 = gTranslateWallSegPt2;
    if (!gTrackingMouse || s1.floatH == kUnknown || s1.floatV == kUnknown || s2.floatH == kUnknown ||
        s2.floatV == kUnknown)
        return;
    if (sMove.trackingPerp) {
        FloatPoint start;
        GetPerpIntersection(s1.floatH, s1.floatV, s2.floatH, s2.floatV, sMove.posDimStartPt.floatH,
                            sMove.posDimStartPt.floatV, &start.floatH, &start.floatV);
        const FloatPoint end{start.floatH + kPerpLength * std::cos(sMove.perpAngle),
                             start.floatV - kPerpLength * std::sin(sMove.perpAngle)};
        FloatPoint ahead{kNoWallDimCrossing, kNoWallDimCrossing}, behind = ahead;
        sPosIntersect.nearest(start, end, &ahead, &behind);
        for (const FloatPoint& to : {ahead, behind}) {
            if (!(std::fabs(to.floatH) < kFarAway && std::fabs(to.floatV) < kFarAway)) continue;
            DrawDimensionLineNoOffset(nullptr, start.floatH, start.floatV, to.floatH, to.floatV, start.floatH,
                                      start.floatV, to.floatH, to.floatV, 0, 0, 1, nullptr, nullptr, 0, 0, 0, 0,
                                      nullptr);
        }
    }
    auto dimension = [hit](const Poinz* fixed, FloatPoint moved, bool fixedFirst) {
        if (!fixed) return;
        float fh = H(fixed), fd = D(fixed);
        const float a[2] = {fixedFirst ? fh : moved.floatH, fixedFirst ? fd : moved.floatV};
        const float b[2] = {fixedFirst ? moved.floatH : fh, fixedFirst ? moved.floatV : fd};
        DrawDimensionLine(nullptr, a[0], a[1], b[0], b[1], a[0], a[1], b[0], b[1], 1, 15, 1, hit, fixed, 0, 0, 5, 0,
                          nullptr);
    };
    if (sMove.dimensionPrevPt != sMove.dimensionMainPt2) dimension(sMove.dimensionPrevPt, s1, true);
    if (sMove.dimensionNextPt != sMove.dimensionMainPt) dimension(sMove.dimensionNextPt, s2, false);
}

void Feedback(Objex* hit, float h, float v, float d, int16_t stage) {
    if (h == gDownX && v == gDownY && d == gDownZ) return;
    if (sMove.resizeWall) PointDragDimensions(hit);
    AngleReadout(hit);
    if (sMove.translateWallSegment) {
        SegmentMoveDimensions(hit);
    } else if (!sMove.resizeWall && sMove.dimensionMainPt && hit->pointCount >= 3 &&
               (IsWall(hit) || gClickInfo.ciPointHit)) {
        if (sMove.dimensionPrevPt) Dimension(hit, sMove.dimensionPrevPt, sMove.dimensionMainPt, 30);
        if (sMove.dimensionNextPt) Dimension(hit, sMove.dimensionMainPt2, sMove.dimensionNextPt, 30);
    }
    const int32_t view = GetCurrentView();
    const bool pointOriented = ToolIsPointOriented(gCurTool, hit);
    const bool displaced = objtype::Has(hit->type, objtype::kMovedByPoint) || hit->type == objtype::kRoof ||
                           hit->type == objtype::kRoofCutout;
    if (!(pointOriented && view != kViewTop) && (!displaced || IsPlainDetailShape(hit))) {
        Float3DRect box = sMove.data3DRect;
        const float dx = gTrackState[3] - gTrackState[0], dy = gTrackState[4] - gTrackState[1],
                    dz = gTrackState[5] - gTrackState[2];
        box.floatLeft += dx, box.floatRight += dx, box.floatTop += dy, box.floatBottom += dy;
        box.floatBack += dz, box.floatFront += dz;
        // A plain detail shape's box too goes to the engine: stroked at once, outside any
        // paint, it would never reach the screen.
        gTransformationDrawing = 1;
        DrawCube(nullptr, &box);
        gTransformationDrawing = 0;
    }
    if (!displaced) return;
    if (HitIsTheSelection(hit) && !pointOriented &&
        !IsOneOf(hit->type, {objtype::kLine, objtype::kPhoto, objtype::kDimensionLine}))
        return;
    const int32_t flags = stage == 1 ? 286 : 278;
    if (sMove.translateWallSegment) {
        const FloatPoint s1 = gTranslateWallSegPt1, s2 = gTranslateWallSegPt2;
        if (s1.floatH == kUnknown || s1.floatV == kUnknown || s2.floatH == kUnknown || s2.floatV == kUnknown) return;
        gTransformationDrawing = 1;
        DrawTranslatedWallObject(hit, &gClickInfo);
        gTransformationDrawing = 0;
        return;
    }
    const TransformRecord record = DragRecord();
    gTransformationDrawing = 1;
    DrawAllLayers(nullptr, gCurDocument->itsLayers, nullptr, flags, &record);
    gTransformationDrawing = 0;
}

// --- the release ---

void MoveWallSegment(Objex* hit) {
    if (gEndMouse.x == gStartMouse.x && gEndMouse.y == gStartMouse.y) {
        DrawDimensionWallSegmentSelection(hit, gClickInfo.ciPoint, gClickInfo.ciPoint2, gBeginMouse.x,
                                          gBeginMouse.y);
        return;
    }
    Poinz* a = gClickInfo.ciPoint;
    Poinz* b = gClickInfo.ciPoint2;
    const FloatPoint s1 = gTranslateWallSegPt1, s2 = gTranslateWallSegPt2;
    if (!a || !b || s1.floatH == kUnknown || s1.floatV == kUnknown || s2.floatH == kUnknown || s2.floatV == kUnknown)
        return;
    const FloatPoint oldA{H(a), D(a)}, oldB{H(b), D(b)};
    a->position[0] = s1.floatH, a->position[2] = s1.floatV;
    b->position[0] = s2.floatH, b->position[2] = s2.floatV;
    UpdateObjectBounds(hit);
    if (IsWall(hit)) RefitMeetingWalls(hit, oldA, oldB, s1, s2, gCurDocument->itsCurLayer);
}

void FinishWallEnd() {
    Objex* wall = sMove.trackLengthObj;
    Poinz* end = sMove.trackLengthPt;
    Poinz* opposite = sMove.trackLengthOppPt;
    POINT at = gEndMouse;
    if (gCurSnap != 500) {
        const PlatformPoint view = feedback::ToView(Float3DPoint{gUpX, gUpY, gUpZ});
        at = POINT{int32_t(view.x), int32_t(view.y)};
    }
    const WallEndDrag drag{wall, end, opposite, sMove.resizeFromStart, sMove.saveStart, sMove.saveEnd};
    DropWallEnd(drag, at, gCurSnap == 500);
    sMove.trackLengthObj = nullptr, sMove.trackLengthPt = sMove.trackLengthOppPt = nullptr;
    sMove.dimensionMainPt = sMove.dimensionMainPt2 = sMove.dimensionPrevPt = sMove.dimensionNextPt = nullptr;
    gClickInfo.ciHit = 1;
    feedback::Clear();
    Refresh();
    sPosIntersect.end();
}

void Release(Objex* hit) {
    const int16_t hitType = hit ? hit->type : 0;
    const bool moved = gUpX != gDownX || gUpY != gDownY || gUpZ != gDownZ;
    if (moved && hit) {
        float delta[3] = {gTrackState[3] - gTrackState[0], gTrackState[4] - gTrackState[1],
                          gTrackState[5] - gTrackState[2]};
        if (sMove.trackLength && sMove.trackLengthPt && sMove.trackLengthOppPt) {
            const Poinz* p = sMove.trackLengthPt;
            const Poinz* o = sMove.trackLengthOppPt;
            if (GetLineLength(H(p) + delta[0], D(p) + delta[2], H(o), D(o)) < kClosestToNeighbour)
                delta[0] = delta[2] = 0;
        }
        if (sMove.saveActivePlane) delta[0] = delta[2] = 0;
        // A wall's first point: the attachments of its first segment shift before the move
        // refits them, so a shorter segment does not drop what still fits from its far end.
        if (sMove.resizeFromStart && sMove.trackLengthOppPt && IsWall(sMove.trackLengthObj)) {
            const Poinz* p = sMove.trackLengthPt;
            const Poinz* o = sMove.trackLengthOppPt;
            UpdateWallAttachmentStartDistance(sMove.trackLengthObj, p,
                                              GetLineLength(H(p) + delta[0], D(p) + delta[2], H(o), D(o)) -
                                                  GetLineLength(H(p), D(p), H(o), D(o)));
        }
        if (sMove.translateWallSegment) {
            MoveWallSegment(hit);
        } else {
            TransformRecord record;
            for (int a = 0; a < 3; ++a) record.values[xform::kTranslateH + a] = delta[a];
            SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kMove, &record);
        }
        // A moved segment reshapes the wall: mapped anew as a read maps it.
        if (IsWall(hit)) RebuildWall(hit);
        FloatRect plan = EmptyFloatRect();
        GetAllLayersObjBounds(gCurDocument->itsLayers, 1, &plan, 0, 0);
        gDataRect = plan;
    } else if (hit && hit->type == objtype::kDetail && hit->subtype >= 1 && hit->subtype <= 9) {
        feedback::Clear();
        Refresh();
    }
    gDynamicDrawing = 0;
    gMouseCaptured = 0;
    feedback::Clear();
    Refresh();
    if (IsSwitchConnector(hit)) SmoothObject(hit);
    RestoreActivePlane();

    Objex* wall = sMove.trackLengthObj;
    if (sMove.trackLength && sMove.trackLengthPt && sMove.trackLengthOppPt && IsWall(wall) &&
        wall->layer == gCurDocument->itsCurLayer)
        FinishWallEnd();

    if (gTrackPrevPoint && gTrackPrevPointSelected) SelectPoint(gTrackPrevPoint, selmode::kSelect, 1);
    if (gTrackNextPoint && gTrackNextPointSelected) SelectPoint(gTrackNextPoint, selmode::kSelect, 1);
    gTrackPrevPoint = gTrackNextPoint = nullptr;
    gTrackPrevPointSelected = gTrackNextPointSelected = 0;
    if (objtype::Has(hitType, objtype::kSetsLotElevation)) {
        SetLotElevation();
        if (gClickInfo.ciObject == hit) ReRenderObject(hit);
    }
    DrawAngle(kNoAngle);
    if (sMove.translateWallSegment && gClickInfo.ciObject == hit && gClickInfo.ciPoint && gClickInfo.ciPoint2)
        DrawDimensionWallSegmentSelection(hit, gClickInfo.ciPoint, gClickInfo.ciPoint2, gBeginMouse.x, gBeginMouse.y);
    sPosIntersect.end();
}

void FinishHandOver(Objex* hit) {
    if (!hit || hit->type != objtype::kDeckSteps || !hit->parent) return;
    Update3DDeck(hit->parent);
    ReRenderObject(hit->parent);
    Refresh();
}

}  // namespace

void TrackTranslate(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    feedback::Clear();
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    if (stage == 1) Press(ds, h, d);
    Objex* hit = gClickInfo.ciObject;
    if (sMove.handedOver) {
        // The slide has ended by the release; the deck takes its moved step.
        if (stage == 3) FinishHandOver(hit);
        return;
    }
    if ((stage > 1 && (h != gDownX || d != gDownZ)) || stage == 3) {
        if (sMove.initialDraw) sMove.initialDraw = false, ClearDimensionWallSegmentSelection();
    }
    if (!sMove.resizeWall) LimitDisplacement(ds);
    if (stage == 3) {
        Release(hit);
        return;
    }
    if (hit) Feedback(hit, h, v, d, stage);
}
