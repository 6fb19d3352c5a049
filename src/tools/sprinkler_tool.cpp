#include "tools/sprinkler_tool.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "plan/annotations/plan_text.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "plan/arc_builders.h"
#include "tracking/evaluate_point.h"
#include "tracking/line_trackers.h"
#include "model/poly_builders.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kDegrees = 57.29577951308232f;
constexpr uint32_t kTurnMask = 4130;  // mouse down, mouse moved, modifier changes
constexpr int16_t kPlanView = 2;
constexpr int16_t kArcTool = 7705;
constexpr int32_t kLandscapePlanBits = 128;
constexpr float kReadoutAbove = 15.0f;
constexpr float kPointStep = 30.0f;

struct Circle {
    Float3DPoint centre, rim;
    float radius = 0, startRadians = 0;
    FloatRect box() const {
        return FloatRect{centre.floatD - radius, centre.floatH - radius, centre.floatD + radius, centre.floatH + radius};
    }
};

Circle CircleOf(const Float3DPoint& centre, float h, float d) {
    Circle c{centre, Float3DPoint{h, centre.floatV, d}};
    c.startRadians = GetLineLengthAndAngle(centre.floatH, centre.floatD, h, d, &c.radius);
    return c;
}

PlatformPoint View(float h, float d, float level) { return feedback::ToView(Float3DPoint{h, level, d}); }

void DrawRadius(const Circle& c) {
    feedback::Clear();
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (engine) engine->removeAllDynamicDimElements();
    feedback::DynamicDrawing drawing;
    const FloatRect box = c.box();
    if (c.radius > 0)
        Draw3DEllipse(nullptr, &box, 0, 360, kPlanView, c.centre.floatV, nullptr, nullptr, nullptr, 1, nullptr, 0, 15);
    feedback::Line(engine, c.centre, c.rim);
    feedback::Dimension(c.centre.floatH, c.centre.floatD, c.rim.floatH, c.rim.floatD, 5.0f, false);
    float degrees = c.startRadians * kDegrees;
    if (degrees < 0) degrees += 360;
    char text[64] = {};
    ConvertAngleToStr(degrees, text);
    DrawDynamicText(nullptr, text, c.centre.floatH, c.centre.floatD, 0);
}

float DrawTurn(const Circle& c, float h, float d) {
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->removeAllDynamicDimElements();
    const PlatformPoint centre = View(c.centre.floatH, c.centre.floatD, c.centre.floatV);
    const PlatformPoint fixed = View(c.rim.floatH, c.rim.floatD, c.centre.floatV);
    const PlatformPoint cursor = View(h, d, c.centre.floatV);
    const float sweep = DrawArcState(int32_t(centre.x), int32_t(centre.y), int32_t(fixed.x), int32_t(fixed.y),
                                     int32_t(cursor.x), int32_t(cursor.y), c.startRadians, ZoomF(c.radius));
    char text[64] = {};
    ConvertAngleToStr(std::fabs(sweep), text);
    DrawDynamicText(nullptr, text, c.centre.floatH, c.centre.floatD - kReadoutAbove, 0);
    feedback::Redraw();
    return sweep;
}

void Build(const Circle& c, float sweep, int16_t tool) {
    DocState* ds = CurrentDocState();
    Layer* layer = feedback::CurrentLayer();
    if (!ds || !layer || sweep == 0) return;
    if (std::lround(c.centre.floatH) == std::lround(c.rim.floatH) &&
        std::lround(c.centre.floatD) == std::lround(c.rim.floatD))
        return;
    const FloatRect box = c.box();
    const float start = c.startRadians * kDegrees;
    int32_t count = 0;
    Draw3DEllipse(nullptr, &box, start, sweep, kPlanView, c.centre.floatV, nullptr, nullptr, nullptr, 0, &count, 0,
                  kPointStep);
    if (count < 2) return;
    std::vector<Float3DPoint> at(size_t(count) + 2), in(size_t(count) + 2), out(size_t(count) + 2);
    Draw3DEllipse(nullptr, &box, start, sweep, kPlanView, c.centre.floatV, at.data(), in.data(), out.data(), 0, &count,
                  0, kPointStep);
    if (count < 2) return;
    in[0] = {}, out[size_t(count) - 1] = {};
    const bool arc = tool == kArcTool;
    if (!arc) at[size_t(count)] = c.centre, in[size_t(count)] = out[size_t(count)] = {}, ++count;
    Objex* o = BuildOpenPoly(at.data(), nullptr, in.data(), out.data(), nullptr, nullptr, count, layer, 1);
    if (!o) return;
    if (arc) {
        feedback::DressDetailShape(o, detailsubtype::kArc, true, ds);
    } else {
        o->type = objtype::kType125;
        o->planBits = kLandscapePlanBits;
        o->closed = 1;
        objfield::sprinkler::kArcAngle(*o) = std::fabs(sweep);
    }
    UpdateObjectBounds(o);
}

Float3DPoint Pointer(POINT at) {
    Float3DPoint p;
    EvaluatePoint(at.x, at.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
    return p;
}

TrackerRoutine Turn(Circle c, int16_t tool) {
    float sweep = 0;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kTurnMask);
        if (!gCurDocument || !CurrentDocState()) co_return;
        const Float3DPoint p = Pointer(e.where);
        MaintainModifiers();
        sweep = DrawTurn(c, p.floatH, p.floatD);
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    Build(c, sweep, tool);
    feedback::Clear();
    Refresh();
    gMouseCaptured = 0;
}

}  // namespace

void TrackSprinkler(int32_t, int32_t, float h, float, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    const Float3DPoint centre = feedback::Down();
    if (stage != 3) return DrawRadius(CircleOf(centre, h, d));
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
        gMouseCaptured = 0;
        return;
    }
    const Circle c = CircleOf(centre, gUpX, gUpZ);
    DrawRadius(c);
    // Whatever ends the turn from outside (a menu, another tool) is its click.
    StartTrackerRoutine(Turn(c, gCurTool), TrackerLoopEnd::Press);
}
