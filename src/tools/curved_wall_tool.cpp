#include "tools/curved_wall_tool.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "app/core/main_window_seams.h"
#include "plan/status_readouts.h"
#include "model/attached_dimension_batch.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/readouts.h"
#include "model/texture_mapping.h"
#include "plan/annotations/plan_text.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "scene/scene_build.h"
#include "tools/wall_construction.h"
#include "tools/wall_defaults.h"
#include "tools/wall_joins.h"
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
constexpr float kSmallestSweep = 5.0f;
constexpr float kReadoutAbove = 15.0f;
constexpr uint32_t kBendMask = 4130;  // mouse down, mouse moved, modifier changes
constexpr int16_t kPlanView = 2;

// The circle whose diameter is the chord from the press to the release.
struct Chord {
    Float3DPoint down, up;
    float midH = 0, midD = 0, half = 0;
    float startRadians = 0;  // from the middle towards the release
    FloatRect square() const { return FloatRect{midD - half, midH - half, midD + half, midH + half}; }
};

Chord ChordOf(const Float3DPoint& down, const Float3DPoint& up) {
    Chord c{down, up};
    c.midH = (down.floatH + up.floatH) / 2, c.midD = (down.floatD + up.floatD) / 2;
    float length = 0;
    GetLineLengthAndAngle(down.floatH, down.floatD, up.floatH, up.floatD, &length);
    c.half = length / 2;
    c.startRadians = GetLineLengthAndAngle(c.midH, c.midD, up.floatH, up.floatD, &length);
    return c;
}

PlatformPoint View(float h, float d, float level) { return feedback::ToView(Float3DPoint{h, level, d}); }

// The arc feedback for the pointer at (h, d); the sweep in degrees.
float DrawBend(const Chord& c, float h, float d) {
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) engine->removeAllDynamicDimElements();
    const PlatformPoint centre = View(c.midH, c.midD, c.down.floatV);
    const PlatformPoint fixed = View(c.up.floatH, c.up.floatD, c.down.floatV);
    const PlatformPoint cursor = View(h, d, c.down.floatV);
    const float sweep = DrawArcState(int32_t(centre.x), int32_t(centre.y), int32_t(fixed.x), int32_t(fixed.y),
                                     int32_t(cursor.x), int32_t(cursor.y), c.startRadians, ZoomF(c.half));
    char text[64] = {};
    ConvertAngleToStr(std::fabs(sweep), text);
    DrawDynamicText(nullptr, text, c.midH, c.midD - kReadoutAbove, 0);
    feedback::Redraw();
    return sweep;
}

void DressCurvedWall(Objex* wall, const DocState* ds) {
    SetNewWallDefaults(wall, NewWallKind::Interior, ds);
    objfield::wall::kHeight(*wall) = ds->wallHeight;
    int index = 0;
    for (Poinz* p = wall->firstPoint; p; p = p->next, ++index) {
        if (p->prev && p->next) p->kind = pointkind::kCurvePoint;
        for (float& t : p->acrossTangent) t = 0;
        p->segmentFlags |= 3;
        if (index == 1) p->segmentFlags = 0;  // the settings record's trim word
    }
}

void Build(const Chord& c, float sweep) {
    DocState* ds = CurrentDocState();
    Layer* layer = feedback::CurrentLayer();
    if (!ds || !layer || std::fabs(sweep) < kSmallestSweep) return;
    auto whole = [](float v) { return int16_t(v + 0.5f); };
    if (whole(c.down.floatH) == whole(c.up.floatH) && whole(c.down.floatV) == whole(c.up.floatV) &&
        whole(c.down.floatD) == whole(c.up.floatD))
        return;
    const FloatRect square = c.square();
    const float start = c.startRadians * kDegrees;
    int32_t count = 0;
    SetupCurvedWall(nullptr, &square, start, sweep, kPlanView, c.down.floatV, nullptr, nullptr, nullptr, 0, &count, 0,
                    ds->wallSegmentLength);
    if (count < 2) return;
    std::vector<Float3DPoint> at(size_t(count) + 1), in(size_t(count) + 1), out(size_t(count) + 1);
    SetupCurvedWall(nullptr, &square, start, sweep, kPlanView, c.down.floatV, at.data(), in.data(), out.data(), 0,
                    &count, 0, ds->wallSegmentLength);
    if (count < 2) return;
    in[0] = {}, out[size_t(count) - 1] = {};
    Objex* wall = BuildOpenPoly(at.data(), nullptr, in.data(), out.data(), nullptr, nullptr, count, layer, 1);
    if (!wall) return;
    DressCurvedWall(wall, ds);
    MapFacesAndLengths(wall);
    UpdateObjectBounds(wall);
    Update3DWall(wall);
    wall->flagA = 0;  // the field that follows the point count
    Objex* result = ConnectWallPoint(wall, wall->firstPoint);
    if (result && !result->closed) result = ConnectWallPoint(result, LastWallPoint(result));
    if (result) ReRenderObject(result);
    // Joined or not, a dimension across the new wall stops at it.
    MeasureFloorOfWalls(result ? result : wall);
}

void Finish() {
    gMouseCaptured = 0;
    feedback::Clear();
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) {
        engine->removeAllDynamicDimElements();
        engine->resetAttributesForAllPaths();
    }
    Refresh();
}

Float3DPoint Pointer(POINT at) {
    Float3DPoint p;
    EvaluatePoint(at.x, at.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
    return Float3DPoint{std::round(p.floatH), std::round(p.floatV), std::round(p.floatD)};
}

TrackerRoutine Bend(Chord c) {
    float sweep = 0;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kBendMask);
        if (!gCurDocument || !CurrentDocState()) co_return;
        const Float3DPoint p = Pointer(e.where);
        if (Base2DView* view = MainWindowDocumentView()) view->autoScrollToPoint(e.where);
        MaintainModifiers();
        sweep = DrawBend(c, p.floatH, p.floatD);
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    Build(c, sweep);
    Finish();
}

}  // namespace

void TrackCurvedWall(int32_t, int32_t, float h, float, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    if (stage == 1) {
        const ClickInfo& c = gClickInfo;
        // A point of any open object the click holds, not only a wall's.
        if (c.ciPointHit && c.ciPoint && c.ciObject && !c.ciObject->closed)
            gDownX = c.ciPoint->position[0], gDownY = c.ciPoint->position[1], gDownZ = c.ciPoint->position[2];
        DrawAngle(32000);
    }
    const Float3DPoint down = feedback::Down();
    if (stage != 3) {
        const Chord c = ChordOf(down, Float3DPoint{h, down.floatV, d});
        feedback::Clear();
        QMDDynamicDrawEngine* engine = feedback::Engine();
        if (engine) engine->removeAllDynamicDimElements();
        {
            feedback::DynamicDrawing drawing;
            const FloatRect square = c.square();
            SetupCurvedWall(nullptr, &square, 0, 360, kPlanView, down.floatV, nullptr, nullptr, nullptr, 1, nullptr, 0,
                            ds->wallSegmentLength);
            feedback::Line(engine, down, Float3DPoint{h, down.floatV, d});
        }
        gRoundToggle = 1;
        feedback::Dimension(down.floatH, down.floatD, h, d, 5.0f, false);
        gRoundToggle = 0;
        float length = 0;
        float degrees = GetLineLengthAndAngle(down.floatH, down.floatD, h, d, &length) * kDegrees;
        if (degrees < 0) degrees += 360;
        DrawAngle(degrees);
        return;
    }
    DrawAngle(32000);
    if (TrackedGestureWasClick()) return Finish();
    // Whatever ends the bend from outside (a menu, another tool) is its click.
    StartTrackerRoutine(Bend(ChordOf(down, Float3DPoint{gUpX, down.floatV, gUpZ})), TrackerLoopEnd::Press);
}
