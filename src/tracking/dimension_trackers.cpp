#include "tracking/dimension_trackers.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/base_2d_view.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "model/click_info.h"
#include "tracking/dimension_builders.h"
#include "tracking/evaluate_point.h"
#include "model/poly_builders.h"
#include "tracking/snap_modes.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kFifteen = kPi / 12;
constexpr int16_t kLengthDimTool = 211;

bool Shift() { return (gTrackModifiers & 4) != 0; }
float HalfUp(float v) { return std::floor(v + 0.5f); }

void ViewLine(QMDDynamicDrawEngine* engine, float x1, float y1, float x2, float y2) {
    if (engine) engine->appendLineToActivePathWithStartPoint({x1, y1}, {x2, y2});
}

// The placing loop takes presses, moves, keys and modifier changes; moves make the view
// report the pointer without a button for as long as it is open.
constexpr uint32_t kPlacingMask = trackevent::Mask(trackevent::kLeftMouseDown) |
                                  trackevent::Mask(trackevent::kMouseMoved) |
                                  trackevent::Mask(trackevent::kKeyDown) | trackevent::Mask(trackevent::kFlagsChanged);

// One event of a placing loop: Tab steps the snap mode, the pointer becomes a plan point and
// the view scrolls toward it.
Float3DPoint PlacingPoint(const TrackEvent& e) {
    if (e.type == trackevent::kKeyDown && e.keyCode == keycode::kTab) {
        gChangeSnapOK = 1;
        MaintainSnapTools();
        gChangeSnapOK = 0;
    }
    Float3DPoint p;
    EvaluatePoint(e.where.x, e.where.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
    if (e.type != trackevent::kLeftMouseDown)
        if (Base2DView* view = MainWindowDocumentView()) view->autoScrollToPoint(e.where);
    return p;
}

// The release of a drag that turned out a click: the standard tool again, nothing built.
bool EndedAsClick() {
    if (!TrackedGestureWasClick()) return false;
    feedback::EndAsClick();
    return true;
}

void Built(Objex* dimension) {
    if (const DocState* ds = CurrentDocState(); dimension && ds) dimension->planBits = ds->currentPlanBit;
    feedback::Clear();
    Refresh();
}

// Offset and length: 0 for a horizontal offset line, 1 for a vertical one.
int16_t PaintPlacing(int16_t tool, const Float3DPoint& down, const Float3DPoint& up, const Float3DPoint& pick,
                     POINT mouse) {
    feedback::Clear();
    feedback::DynamicDrawing drawing;
    const PlatformPoint a = feedback::ToView(down), b = feedback::ToView(up), p = feedback::ToView(pick);
    if (tool == kLengthDimTool) {
        DrawLengthDimState(int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y), int32_t(p.x), int32_t(p.y));
        return 0;
    }
    return DrawOffsetDimState(int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y), int32_t(p.x), int32_t(p.y),
                              mouse.x, mouse.y);
}

TrackerRoutine PlaceOffsetDim(int16_t tool, Float3DPoint down, Float3DPoint up) {
    Float3DPoint pick = up;
    int16_t vertical = 0;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kPlacingMask);
        pick = PlacingPoint(e);
        vertical = PaintPlacing(tool, down, up, pick, e.where);
        feedback::Redraw();
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    Layer* layer = feedback::CurrentLayer();
    Objex* built = nullptr;
    if (layer && tool == kLengthDimTool)
        built = BuildLengthDim(down.floatH, down.floatD, up.floatH, up.floatD, pick.floatH, pick.floatD, layer);
    else if (layer)
        built = BuildOffsetDim(down.floatH, down.floatD, up.floatH, up.floatD, pick.floatH, pick.floatD, layer,
                               uint8_t(vertical));
    Built(built);
}

void PaintSecondLeg(const Float3DPoint& up, const Float3DPoint& end) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    feedback::DynamicDrawing drawing;
    engine->setActivePath(1);
    engine->removePointsFromPath(1);
    feedback::Line(engine, up, end);
}

TrackerRoutine PlaceLeaderLeg(Float3DPoint down, Float3DPoint up) {
    Float3DPoint end = up;
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(kPlacingMask);
        end = PlacingPoint(e);
        MaintainModifiers();
        if (!Shift()) SnapToFifteenDegrees(up.floatH, up.floatD, &end.floatH, &end.floatD);
        PaintSecondLeg(up, end);
        feedback::Redraw();
        if (e.type == trackevent::kLeftMouseDown) break;
    }
    Layer* layer = feedback::CurrentLayer();
    Built(layer ? BuildLeaderDim(down.floatH, down.floatD, up.floatH, up.floatD, end.floatH, end.floatD, layer)
                : nullptr);
}

struct Circle {
    Float3DPoint centre;
    float diameter = 0;
};

// The oval under the view point when it is a circle: width and height, each rounded half up,
// equal. The record is the routine's own, so it goes with it on every way out.
bool CircleAt(PlatformPoint at, Circle* circle) {
    ClickInfo info;
    info.ciWhere = {int32_t(at.x), int32_t(at.y)};
    FillClickInfo(&info);
    const Objex* o = info.ciObject;
    if (!info.ciHit || !o || o->type != objtype::kDetail || o->subtype != detailsubtype::kOval || o->pointCount < 4)
        return false;
    const Poinz* p[4] = {o->firstPoint};
    for (int i = 1; i < 4; ++i) p[i] = p[i - 1] ? p[i - 1]->next : nullptr;
    if (!p[3]) return false;
    const float width = GetLineLength(p[0]->position[0], p[0]->position[2], p[2]->position[0], p[2]->position[2]);
    const float height = GetLineLength(p[1]->position[0], p[1]->position[2], p[3]->position[0], p[3]->position[2]);
    if (HalfUp(width) != HalfUp(height)) return false;
    circle->centre = {(p[0]->position[0] + p[2]->position[0]) / 2, 0, (p[0]->position[2] + p[2]->position[2]) / 2};
    circle->diameter = width;
    return true;
}

void PaintDiameter(const Circle& circle, const Float3DPoint& pointer) {
    feedback::Clear();
    feedback::DynamicDrawing drawing;
    const PlatformPoint c = feedback::ToView(circle.centre), p = feedback::ToView(pointer);
    DrawDiameterDimState(int32_t(c.x), int32_t(c.y), int32_t(p.x), int32_t(p.y), circle.diameter);
    feedback::Redraw();
}

TrackerRoutine DragDiameter(Circle circle, Float3DPoint pointer) {
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(trackevent::Mask(trackevent::kLeftMouseDragged) |
                                                     trackevent::Mask(trackevent::kLeftMouseUp));
        if (e.type == trackevent::kLeftMouseUp) break;
        EvaluatePoint(e.where.x, e.where.y, &pointer.floatH, &pointer.floatV, &pointer.floatD, 1, nullptr, 1);
        PaintDiameter(circle, pointer);
    }
    PaintDiameter(circle, pointer);
    float distance = 0;
    const float a = GetLineLengthAndAngle(circle.centre.floatH, circle.centre.floatD, pointer.floatH, pointer.floatD,
                                          &distance);
    const float r = circle.diameter / 2;
    const float ch = circle.centre.floatH, cd = circle.centre.floatD;
    if (Layer* layer = feedback::CurrentLayer())
        Built(BuildDiameterDim(ch + r * std::cos(a), cd - r * std::sin(a), ch + r * std::cos(a + kPi),
                               cd - r * std::sin(a + kPi), layer));
    else
        feedback::Clear();
    gMouseCaptured = 0;
}

}  // namespace

void SnapToFifteenDegrees(float anchorH, float anchorD, float* h, float* d) {
    if (!h || !d) return;
    float length = 0;
    const float a = GetLineLengthAndAngle(anchorH, anchorD, *h, *d, &length);
    const float k = std::floor(a / kFifteen + 0.5f);
    *h = anchorH + length * std::cos(k * kFifteen);
    *d = anchorD - length * std::sin(k * kFifteen);
}

void TrackDimLine(int32_t, int32_t, float h, float, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    gPerpFromLoc = stage == 1 ? FloatPoint{kNoPerpFrom, kNoPerpFrom} : FloatPoint{gDownX, gDownZ};
    if (!Shift()) SnapToFifteenDegrees(gDownX, gDownZ, &h, &d);
    feedback::Clear();
    {
        feedback::DynamicDrawing drawing;
        feedback::Dimension(gDownX, gDownZ, h, d, 0, true);
    }
    if (stage != 3) return;
    if (!EndedAsClick()) {
        Objex* line = nullptr;
        if (Layer* layer = feedback::CurrentLayer()) {
            const Float3DPoint at[2] = {feedback::Down(), {h, gDownY, d}}, none[2] = {};
            line = BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, layer, 1);
            if (line) line->type = objtype::kDimensionLine;
        }
        Built(line);
    }
    gMouseCaptured = 0;
}

void TrackOffsetDim(float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    if (Shift()) SnapToFifteenDegrees(gDownX, gDownZ, &h, &d);
    gUpX = h, gUpZ = d;
    feedback::Clear();
    {
        feedback::DynamicDrawing drawing;
        if (gCurTool == kLengthDimTool) {
            feedback::Dimension(gDownX, gDownZ, h, d, 0, true);
        } else {
            feedback::Line(feedback::Engine(), feedback::Down(), {h, v, d});
            feedback::Dimension(gDownX, d, h, d, 0, true);
            feedback::Dimension(h, gDownZ, h, d, 0, true);
        }
    }
    if (stage != 3) return;
    // A press that never became a drag needs no loop: the gesture is over. Whatever ends the
    // placing from outside (a menu, another tool) is its click.
    if (!EndedAsClick())
        StartTrackerRoutine(PlaceOffsetDim(gCurTool, feedback::Down(), {h, v, d}), TrackerLoopEnd::Press);
    gMouseCaptured = 0;
}

void TrackDiameterDim(float, float, float, int16_t stage) {
    if (stage != 1 || !gCurDocument || !CurrentDocState()) return;
    const Float3DPoint press = feedback::Down();
    Circle circle;
    if (!CircleAt(feedback::ToView(press), &circle)) {
        gMouseCaptured = 0;
        return;
    }
    // The feedback points at the press until the first drag, and so does a release without one.
    PaintDiameter(circle, press);
    StartTrackerRoutine(DragDiameter(circle, press));
}

void TrackLeaderDim(float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    feedback::Clear();
    {
        feedback::DynamicDrawing drawing;
        feedback::Line(feedback::Engine(), feedback::Down(), {h, v, d});
    }
    if (stage != 3) return;
    if (!EndedAsClick()) StartTrackerRoutine(PlaceLeaderLeg(feedback::Down(), {h, v, d}), TrackerLoopEnd::Press);
    gMouseCaptured = 0;
}

void DrawLengthDimState(int32_t downX, int32_t downY, int32_t upX, int32_t upY, int32_t pickX, int32_t pickY) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (!engine) return;
    const float dx = float(downX), dy = float(downY), ux = float(upX), uy = float(upY);
    float length = 0;
    const float a = GetLineLengthAndAngle(dx, dy, ux, uy, &length);
    const float left = a + kPi / 2, right = a - kPi / 2;
    const float toLeft = GetLineLength(float(pickX), float(pickY), dx + 100 * std::cos(left), dy - 100 * std::sin(left));
    const float toRight =
        GetLineLength(float(pickX), float(pickY), dx + 100 * std::cos(right), dy - 100 * std::sin(right));
    const float side = toLeft < toRight ? left : right;
    // The pick's distance from the measured line.
    float offset = 0;
    if (length > 0) offset = std::fabs((ux - dx) * (dy - float(pickY)) - (dx - float(pickX)) * (uy - dy)) / length;
    const float sh = std::cos(side), sd = -std::sin(side);
    ViewLine(engine, dx + offset * sh, dy + offset * sd, ux + offset * sh, uy + offset * sd);
    for (const auto& [x, y] : {std::pair{dx, dy}, std::pair{ux, uy}})
        ViewLine(engine, HalfUp(x + 5 * sh), HalfUp(y + 5 * sd), HalfUp(x + (offset + 7) * sh),
                 HalfUp(y + (offset + 7) * sd));
}

int16_t DrawOffsetDimState(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t lineX, int32_t lineY,
                           int32_t mouseX, int32_t mouseY) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    const float gap = HalfUp(ZoomF(5)), over = HalfUp(ZoomF(7));
    const int32_t dx = mouseX - (x1 + (x2 - x1) / 2), dy = mouseY - (y1 + (y2 - y1) / 2);
    const bool horizontal = x1 != x2 && (std::abs(dx) <= std::abs(dy) || y1 == y2);
    for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}}) {
        if (horizontal) {
            const float s = mouseY < y ? -1.0f : 1.0f;
            ViewLine(engine, float(x), float(y) + s * gap, float(x), float(lineY) + s * over);
        } else {
            const float s = mouseX < x ? -1.0f : 1.0f;
            ViewLine(engine, float(x) + s * gap, float(y), float(lineX) + s * over, float(y));
        }
    }
    if (horizontal) ViewLine(engine, float(x2), float(lineY), float(x1), float(lineY));
    else ViewLine(engine, float(lineX), float(y2), float(lineX), float(y1));
    return horizontal ? 0 : 1;
}

void DrawDiameterDimState(int32_t centreX, int32_t centreY, int32_t pointerX, int32_t pointerY, float diameter) {
    float length = 0;
    const float a = GetLineLengthAndAngle(float(centreX), float(centreY), float(pointerX), float(pointerY), &length);
    const float half = ZoomF(diameter) / 2;
    ViewLine(feedback::Engine(), float(centreX) + half * std::cos(a), float(centreY) - half * std::sin(a),
             float(centreX) + half * std::cos(a + kPi), float(centreY) - half * std::sin(a + kPi));
}

void RegisterDimensionTrackers() {
    RegisterTracker(TrackerSlot::DimLine, TrackDimLine);
    RegisterPlanTracker(TrackerSlot::OffsetDim, TrackOffsetDim);
    RegisterPlanTracker(TrackerSlot::DiameterDim, TrackDiameterDim);
    RegisterPlanTracker(TrackerSlot::LeaderDim, TrackLeaderDim);
}
