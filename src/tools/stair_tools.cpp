#include "tools/stair_tools.h"

#include <cmath>

#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "geometry/elements/stair_direction.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/smoothing.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "scene/scene_build.h"
#include "tools/duct_tools.h"
#include "tracking/outline_tracker.h"
#include "plan/arc_builders.h"
#include "tracking/evaluate_point.h"
#include "tracking/line_trackers.h"
#include "model/poly_builders.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kFloorPlanBits = 2;
constexpr int32_t kDeckPlanBits = 64;
constexpr int32_t kCurvedStairSubtype = 801;
constexpr int32_t kStepTexture = 2206;
constexpr int32_t kDeckStairTexture = 2207;
constexpr int32_t kStairTexture = 1700;
constexpr int32_t kDeckPointFlags = 1;
constexpr uint32_t kCurveMask = 0x1022;  // mouse down, mouse moved, modifier changes
constexpr int16_t kPlanView = 2;

bool DeckTool() {
    switch (gCurTool) {
    case 7602: case 7603: case 7604: case 7605: return true;
    default: return false;
    }
}

// The fields both kinds share: no colour in the first slot, the step texture in the second.
void DressShared(Objex* o, int16_t type, int32_t subtype, int32_t third, int32_t pointFlags) {
    o->type = type;
    o->subtype = subtype;
    o->planBits = DeckTool() ? kDeckPlanBits : kFloorPlanBits;
    o->fillColor = o->penColor = kNoColour;
    o->texture2 = kStepTexture;
    o->texture3 = third;
    o->color2 = o->color3 = kNoColour;
    for (ShortPoint& s : o->textureScales) s = ShortPoint{100, 100};
    for (Poinz* p = o->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = 0;
        p->color1 = p->color2 = kNoColour;
        p->segmentFlags = pointFlags;
    }
}

void DressStaircase(Objex* o, int32_t subtype, const DocState* ds) {
    DressShared(o, objtype::kStaircase, subtype, DeckTool() ? kDeckStairTexture : kStairTexture,
                DeckTool() ? kDeckPointFlags : 0);
    namespace f = objfield::stair;
    f::kWidth(*o) = ds->stairSizeA;
    f::kRiser(*o) = ds->stairSizeB;
    f::kTread(*o) = ds->stairSizeC;
    f::kSizeD(*o) = ds->stairSizeD;
    f::kFloorHeight(*o) = ds->stairHeight;
    f::kLeftRail(*o) = ds->stairLeftRail ? 1 : 0;
    f::kRightRail(*o) = ds->stairRightRail ? 1 : 0;
    f::kOpenSteps(*o) = ds->stairOpenSteps ? 0.0f : f::kClosedSteps;
    f::kSkirtWalls(*o) = ds->stairSkirtWalls ? 1 : 0;
    f::kClosedStringer(*o) = ds->stairClosedStringer ? 1 : 0;
    f::kLargeBase(*o) = subtype == objsubtype::kStraightStair && ds->stairLargeBase ? 1 : 0;
}

void DressRailing(Objex* o, int32_t subtype, const DocState* ds) {
    DressShared(o, objtype::kRailing, subtype, 0, objfield::railing::kPostAtPoint);
    namespace f = objfield::railing;
    f::kHeight(*o) = ds->railHeight;
    f::kValueB(*o) = ds->railValueB;
    f::kFlagA(*o) = ds->railFlagA ? 1 : 0;
    f::kFlagB(*o) = ds->railFlagB ? 1 : 0;
}

void TrackRailing(int32_t x, int32_t y, float h, float v, float d, int16_t stage, bool curved) {
    if (!gCurDocument || !CurrentDocState()) return;
    if (stage == 1 && !curved) {
        const uint8_t saved = g3DObjects;
        g3DObjects = 0;
        RestoreAtGestureEnd([saved] { g3DObjects = saved; });
    }
    const int32_t subtype = curved ? objsubtype::kCurvedRailing : objsubtype::kStraightRailing;
    TrackGnrlPoly(x, y, h, v, d, stage, curved, 0, 0, objtype::kRailing, [subtype](Objex* outline) {
        DocState* ds = CurrentDocState();
        if (!outline || !ds) return;
        DressRailing(outline, subtype, ds);
        UpdateRailObject(outline);
        RenderSingleObject(outline);
    });
}

Float3DPoint Pointer(POINT at) {
    Float3DPoint p;
    EvaluatePoint(at.x, at.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
    return p;
}

// The quarter from the press to the pointer at the press's level: up to four points.
int32_t QuarterPoints(const Float3DPoint& down, const Float3DPoint& at, Quarter* q, Float3DPoint* points,
                      Float3DPoint* in, Float3DPoint* out, bool draw) {
    *q = QuarterFromPress(gTrackModifiers, down, at.floatH, at.floatD, false);
    int32_t count = 0;
    Draw3DEllipse(nullptr, &q->box, q->start, -90, kPlanView, down.floatV, points, in, out, draw ? 1 : 0,
                  points ? &count : nullptr, 0, 30);
    return count;
}

void BuildCurvedStaircase(const Float3DPoint& down, const Float3DPoint& up) {
    DocState* ds = CurrentDocState();
    Layer* layer = feedback::CurrentLayer();
    if (!ds || !layer) return;
    auto whole = [](float v) { return std::lround(v); };
    if (whole(up.floatH) == whole(down.floatH) && whole(up.floatV) == whole(down.floatV) &&
        whole(up.floatD) == whole(down.floatD))
        return;
    Quarter q;
    Float3DPoint at[8], in[8], out[8];
    if (QuarterPoints(down, up, &q, at, in, out, false) != 4) return;
    const float limit = 2 * gMouseModeLimit;
    if (q.box.floatRight - q.box.floatLeft < limit && q.box.floatBottom - q.box.floatTop < limit) return;
    in[0] = {}, out[3] = {};
    Objex* stair = BuildOpenPoly(at, nullptr, in, out, nullptr, nullptr, 4, layer, 1);
    if (!stair) return;
    DressStaircase(stair, kCurvedStairSubtype, ds);
    UnsmoothObject(stair);
    if ((up.floatH > down.floatH && up.floatD < down.floatD) || (up.floatH < down.floatH && up.floatD > down.floatD))
        ReverseStairDirection(stair);
    SmoothObject(stair);
    UpdateObjectBounds(stair);
    UpdateStairObject(stair);
    RenderSingleObject(stair);
}

TrackerRoutine Curve(Float3DPoint down) {
    POINT last{INT32_MIN, INT32_MIN};
    Float3DPoint up = down;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kCurveMask);
        if (!gCurDocument || !CurrentDocState()) co_return;
        if (e.where.x != last.x || e.where.y != last.y || HaveModifiersChanged()) {
            last = e.where;
            feedback::Clear();
            MaintainModifiers();
            Float3DPoint p = Pointer(e.where);
            ConstrainPoint(&down, &p);
            up = p;
            Quarter q;
            {
                feedback::DynamicDrawing drawing;
                QuarterPoints(down, p, &q, nullptr, nullptr, nullptr, true);
            }
            feedback::Redraw();
        }
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    gUpX = up.floatH, gUpY = up.floatV, gUpZ = up.floatD;
    BuildCurvedStaircase(down, up);
    feedback::Clear();
    Refresh();
    gMouseCaptured = 0;
}

}  // namespace

void TrackStraightStaircase(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    TrackGnrlPoly(x, y, h, v, d, stage, 0, 0, 0, objtype::kPolygon, [](Objex* outline) {
        DocState* ds = CurrentDocState();
        if (!outline || !ds) return;
        DressStaircase(outline, objsubtype::kStraightStair, ds);
        UpdateStairObject(outline);
        RenderSingleObject(outline);
    });
}

void TrackCurvedStaircase(int32_t, int32_t, float, float, float, int16_t stage) {
    if (!gCurDocument || !CurrentDocState() || stage != 3) return;
    feedback::Clear();
    // The loop asks the view for moves without a button; they stop when it ends. Whatever
    // ends it from outside (a menu, another tool) is its click.
    StartTrackerRoutine(Curve(Float3DPoint{gDownX, gDownY, gDownZ}), TrackerLoopEnd::Press);
}

void TrackStraightRailing(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    TrackRailing(x, y, h, v, d, stage, false);
}

void TrackCurvedRailing(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    TrackRailing(x, y, h, v, d, stage, true);
}
