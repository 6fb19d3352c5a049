#include "tracking/tracking_engine.h"

#include <algorithm>

#include "app/core/main_window_seams.h"
#include "model/delete_items.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "plan/base_2d_view.h"
#include "tracking/evaluate_point.h"
#include "tracking/snap_modes.h"
#include "tracking/tool_dispatch.h"
#include "tracking/track_events.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace {

constexpr int16_t kRoofType = 14;
constexpr int16_t kGroupType = 1000;

bool Ready() { return gCurDocument && CurrentDocState(); }

void SetCurrent(const Float3DPoint& p) {
    gTrackState[3] = p.floatH, gTrackState[4] = p.floatV, gTrackState[5] = p.floatD;
    float length = 0;
    GetLineLengthAndAngle(gTrackState[6], gTrackState[7], p.floatH, p.floatD, &length);
    gTrackState[10] = length;
}

// The view point evaluated as a tracked point, kept inside the limits when nothing was hit.
Float3DPoint Evaluate(int32_t x, int32_t y, const Float3DPoint* from) {
    Float3DPoint p;
    EvaluatePoint(x, y, &p.floatH, &p.floatV, &p.floatD, 1, &gClickInfo, 1);
    if (!gClickInfo.ciObject) ConstrainPoint(from ? from : &p, &p);
    return p;
}

Float3DPoint DownPoint() { return {gDownX, gDownY, gDownZ}; }

// A plant, pier, line-like or group object moves rather than resizes on a handle.
bool ResizesOnHandle(Objex* object) {
    Objex* o = object->type == kGroupType && object->firstChild ? object->firstChild : object;
    if (o->type == 6 || o->type == 28 || o->type == 115 || o->type == 125) return false;
    if (o->subtype == 89) return false;
    if (o->type == kGroupType && o->subtype == 136) return false;
    // A group that stands for something (a cabinet or symbol group) keeps its shape.
    const Objex* root = GetRootObject(object);
    return !(root && root->type == kGroupType && root->groupKind != 0);
}

// The routings before the table; None when the table decides.
TrackerSlot Routed(int16_t tool) {
    Objex* object = gClickInfo.ciObject;
    if (!object) return TrackerSlot::None;
    const bool pointOriented = ToolIsPointOriented(tool, object);
    const TrackerSlot resize = gClickInfo.ciHit ? TrackerSlot::Scale : TrackerSlot::Marquee;
    if (pointOriented && gClickInfo.ciPointHit && gClickInfo.ciPoint && object->type == kRoofType &&
        tool >= toolid::kSelect && tool <= gLastEditToolID && tool != toolid::kRotate)
        return resize;
    if (!pointOriented && tool == toolid::kSelect && gClickInfo.ciHandleHit && ResizesOnHandle(object))
        return resize;
    return TrackerSlot::None;
}

}  // namespace

void MaintainModifiers() {
    const TrackEvent* event = TrackEventSource::current();
    const uint32_t flags = event ? event->modifiers : gEventModifiers;
    int16_t m = gTrackModifiers & ~(4 | 8);
    if (flags & evmod::kShift) m |= 4;
    if (flags & evmod::kCommand) m |= 8;
    gTrackModifiers = m;
}

void SetMobiusRect(RECT* rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (!rect) return;
    *rect = RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void SetDirectionCursor() {}

bool TrackedGestureWasClick() {
    return GetLineLength(float(gStartMouse.x), float(gStartMouse.y), float(gEndMouse.x), float(gEndMouse.y)) <
           gMouseModeLimit;
}

void TrackObject(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!Ready()) return;
    gDocumentChanged = 1;
    // Rounded readouts last for the dimensions of one tracker call, never the plan's own.
    struct RoundingOff {
        RoundingOff() { gRoundToggle = 0; }
        ~RoundingOff() { gRoundToggle = 0; }
    } roundingOff;
    const int16_t tool = gCurTool;
    if (tool == toolid::kNone) return;
    if (tool == toolid::kInsertPoint || tool == toolid::kRemovePoint) {
        if (stage == 1) CallPointTracker(tool);
        return;
    }
    if (const TrackerSlot routed = Routed(tool); routed != TrackerSlot::None) {
        CallTracker(routed, tool, x, y, h, v, d, stage);
        return;
    }
    const ToolRoute route = RouteOfTool(tool);
    if (!route.known) {
        if (stage == 3) gMouseCaptured = 0;
        return;
    }
    const TrackerSlot slot = route.marqueeOnMiss && !gClickInfo.ciHit ? TrackerSlot::Marquee : route.slot;
    CallTracker(slot, tool, x, y, h, v, d, stage);
}

void BeginTracking(int32_t x, int32_t y) {
    if (!Ready()) return;
    gTrackingObject = 0, gMouseState = 1, gChangeSnapOK = 0;
    gStartMouse = gBeginMouse = POINT{x, y};
    gLineOpposingPtSelected = 0, gLineOpposingPoint = nullptr, gInfoType = 128;
    gXResizeDirection = gYResizeDirection = gZResizeDirection = 1.0f;
    MaintainModifiers();
    gPerpStartPtz = gPerpEndPtz = nullptr, gPerpAtStart = 0;
    Float3DPoint p;
    EvaluatePoint(x, y, &p.floatH, &p.floatV, &p.floatD, 1, &gClickInfo, 1);
    if (gPerpStartPtz && gPerpEndPtz) gPerpAtStart = 1, gSkipConstraints = 1;
    if (!gClickInfo.ciObject) ConstrainPoint(&p, &p);
    gDownX = p.floatH, gDownY = p.floatV, gDownZ = p.floatD;
    gTrackState[0] = p.floatH, gTrackState[1] = p.floatV, gTrackState[2] = p.floatD;
    gTrackState[6] = gTrackState[7] = 0;
    if (gClickInfo.ciObject) CenterOfObject(gClickInfo.ciObject, &gTrackState[6], &gTrackState[7]);
    SetCurrent(p);
    gTrackState[9] = gTrackState[10];
    TrackObject(x, y, p.floatH, p.floatV, p.floatD, 1);
    gBeginKeepTracking = 1;
}

void KeepTracking(int32_t x, int32_t y, int32_t prevX, int32_t prevY) {
    if (!Ready()) return;
    gMouseState = 2;
    const Float3DPoint down = DownPoint();
    const int16_t modifiers = gTrackModifiers;
    gTrackModifiers = gPrevTrackModifiers;
    Float3DPoint previous;
    EvaluatePoint(prevX, prevY, &previous.floatH, &previous.floatV, &previous.floatD, 1, &gClickInfo, 1);
    gTrackModifiers = modifiers;
    const bool first = !gTrackingMouse;
    if (first) {
        gPrevTranslateWallSegPt1 = gPrevTranslateWallSegPt2 = FloatPoint{kNoTrackValue, kNoTrackValue};
        gPrevTrackConstrainAngle = kNoTrackValue;
    }
    if (!gClickInfo.ciObject) ConstrainPoint(&down, &previous);
    gTrackingMouse = 1;
    if (first) ResetSnapTool(), gBeginKeepTracking = 0;
    gChangeSnapOK = 1;
    MaintainSnapTools();
    gChangeSnapOK = 0;
    MaintainModifiers();
    const Float3DPoint now = Evaluate(x, y, &down);
    SetCurrent(previous);
    if (Base2DView* view = MainWindowDocumentView()) view->autoScrollToPoint(POINT{x, y});

    const FloatPoint seg1 = gTranslateWallSegPt1, seg2 = gTranslateWallSegPt2;
    const float angle = gTrackConstrainAngle;
    const int16_t current = gTrackModifiers;
    gTranslateWallSegPt1 = gPrevTranslateWallSegPt1, gTranslateWallSegPt2 = gPrevTranslateWallSegPt2;
    gTrackConstrainAngle = gPrevTrackConstrainAngle, gTrackModifiers = gPrevTrackModifiers;
    TrackObject(prevX, prevY, previous.floatH, previous.floatV, previous.floatD, 2);
    gTranslateWallSegPt1 = seg1, gTranslateWallSegPt2 = seg2;
    gTrackConstrainAngle = angle, gTrackModifiers = current;

    gTrackingObject = 1;
    gPrevTrackConstrainAngle = gTrackConstrainAngle;
    SetCurrent(now);
    TrackObject(x, y, now.floatH, now.floatV, now.floatD, 2);
    gPrevTranslateWallSegPt1 = gTranslateWallSegPt1, gPrevTranslateWallSegPt2 = gTranslateWallSegPt2;
    gPrevTrackConstrainAngle = gTrackConstrainAngle;
}

void EndTracking(int32_t, int32_t, int32_t prevX, int32_t prevY) {
    if (!Ready()) return;
    gMouseState = 3;
    gEndMouse = POINT{prevX, prevY};
    const Float3DPoint down = DownPoint();
    const Float3DPoint up = Evaluate(prevX, prevY, &down);
    gUpX = up.floatH, gUpY = up.floatV, gUpZ = up.floatD;
    SetCurrent(up);
    TrackObject(prevX, prevY, up.floatH, up.floatV, up.floatD, 3);
    gFirstDownX = gDownX, gFirstDownY = gDownY, gFirstDownZ = gDownZ;
    gFirstUpX = gUpX, gFirstUpY = gUpY, gFirstUpZ = gUpZ;
    gPerpStartPtz = gPerpEndPtz = nullptr, gPerpAtStart = 0;
    gChangeSnapOK = 1;
    InspectorUpdatePropertiesState(1);
}
