#include "tools/duct_tools.h"

#include <cmath>
#include <numbers>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/annotations/arrowheads.h"
#include "plan/dynamic_draw_engine.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "model/transforms.h"
#include "plan/arc_builders.h"
#include "tracking/constraints.h"
#include "model/poly_builders.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kStep = kPi / 12;  // 15 degrees
constexpr int16_t kPlanView = 2;
constexpr int32_t kHVACPlanBits = 32;
constexpr int32_t kElectricalPlanBits = 4;
constexpr int32_t kAirflowArrow = 4;  // the fourth arrow style's bit

bool Shift() { return (gTrackModifiers & 4) != 0; }

// The duct's end: the pointer, or without Shift the pointer turned about the start to the
// nearest 15 degrees at the same length.
Float3DPoint DuctEnd(const Float3DPoint& start, float h, float d) {
    Float3DPoint end{h, start.floatV, d};
    if (Shift()) return end;
    float length = 0;
    const float angle = GetLineLengthAndAngle(start.floatH, start.floatD, h, d, &length);
    const float turned = std::round(angle / kStep) * kStep;
    end.floatH = start.floatH + length * std::cos(turned);
    end.floatD = start.floatD - length * std::sin(turned);
    return end;
}

void DrawDuct(const DocState* ds, const Float3DPoint& a, const Float3DPoint& b) {
    QMDDynamicDrawEngine* engine = feedback::Engine();
    feedback::Clear();
    if (!engine) return;
    const float dh = b.floatH - a.floatH, dd = b.floatD - a.floatD;
    const float length = std::hypot(dh, dd);
    // The sides are half the duct's width off the centre line, perpendicular to it; the width
    // is in inches and the points in plan units, which the view then zooms.
    const float half = ConvertWorldToScreen(ds->ductWidth, ds, 0) / 2;
    const float nh = length > 0 ? -dd / length * half : 0, nd = length > 0 ? dh / length * half : 0;
    auto off = [&](const Float3DPoint& p, float s) { return Float3DPoint{p.floatH + s * nh, p.floatV, p.floatD + s * nd}; };
    engine->setActivePath(1);
    const float dash[2] = {3.0f, 3.0f};
    engine->setActivePathLineDash(dash, 2, 0);
    feedback::Line(engine, off(a, 1), off(b, 1));
    feedback::Line(engine, off(a, -1), off(b, -1));
    feedback::Line(engine, off(a, 1), off(a, -1));
    feedback::Line(engine, off(b, 1), off(b, -1));
    engine->setActivePath(0);
    feedback::Line(engine, a, b);
    if (!gDynamicDrawing) return;
    const PlatformPoint from = feedback::ToView(a);
    for (int quarter = 1; quarter <= 4; ++quarter) {
        const float t = float(quarter) / 4;
        const PlatformPoint tip = feedback::ToView(
            Float3DPoint{a.floatH + t * dh, a.floatV, a.floatD + t * dd});
        DrawArrowhead(nullptr, nullptr, tip.x, tip.y, from.x, from.y, kAirflowArrow);
    }
    feedback::Dimension(a.floatH, a.floatD, b.floatH, b.floatD, 17.0f, false);
}

void EndDrag() {
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) {
        engine->removeAllDynamicDimElements();
        engine->resetAttributesForAllPaths();
    }
    feedback::Clear();
}

}  // namespace

Quarter QuarterFromPress(int16_t modifiers, const Float3DPoint& down, float h, float d, bool levelLeftAbove) {
    Quarter q;
    GetOvalBounds(modifiers, down.floatH, down.floatD, h, d, &q.box, nullptr, 0, 0);
    const float w = q.box.floatRight - q.box.floatLeft, ht = q.box.floatBottom - q.box.floatTop;
    const bool right = h >= down.floatH;
    const bool below = right || !levelLeftAbove ? d >= down.floatD : d > down.floatD;
    if (right) q.box.floatRight += w;
    else q.box.floatLeft -= w;
    if (below) q.box.floatTop -= ht;
    else q.box.floatBottom += ht;
    q.start = right ? (below ? -90.0f : -180.0f) : (below ? 0.0f : 90.0f);
    return q;
}

void TrackHVACDuct(int32_t, int32_t, float h, float, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const Float3DPoint start = feedback::Down();
    const Float3DPoint end = stage == 3 ? DuctEnd(start, gUpX, gUpZ) : DuctEnd(start, h, d);
    {
        feedback::DynamicDrawing drawing;
        DrawDuct(ds, start, end);
    }
    if (stage != 3) return;
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
    } else if (Layer* layer = feedback::CurrentLayer()) {
        const Float3DPoint at[2] = {start, end}, none[2] = {};
        if (Objex* duct = BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, layer, 1)) {
            duct->type = objtype::kAirDuct;
            duct->planBits = kHVACPlanBits;
            objfield::duct::kWidth(*duct) = ds->ductWidth;
            objfield::duct::kHeight(*duct) = ds->ductHeight;
            UpdateObjectBounds(duct);
        }
        Refresh();
    }
    EndDrag();
    gMouseCaptured = 0;
}

void TrackSwitchConnector(int32_t, int32_t, float h, float, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const Float3DPoint down = feedback::Down();
    const Float3DPoint cursor = stage == 3 ? feedback::Up() : Float3DPoint{h, down.floatV, d};
    const Quarter q = QuarterFromPress(gTrackModifiers, down, cursor.floatH, cursor.floatD, true);
    feedback::Clear();
    {
        feedback::DynamicDrawing drawing;
        Draw3DEllipse(nullptr, &q.box, q.start, -90, kPlanView, down.floatV, nullptr, nullptr, nullptr, 1, nullptr, 0, 90);
    }
    if (stage != 3) return;
    Layer* layer = feedback::CurrentLayer();
    if (!layer) {
        gMouseCaptured = 0;
        return;
    }
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
    } else {
        Float3DPoint at[8], in[8], out[8];
        int32_t count = 0;
        Draw3DEllipse(nullptr, &q.box, q.start, -90, kPlanView, down.floatV, at, in, out, 0, &count, 0, 90);
        if (count >= 2) {
            in[0] = {}, out[count - 1] = {};
            if (Objex* arc = BuildOpenPoly(at, nullptr, in, out, nullptr, nullptr, count, layer, 1)) {
                arc->type = objtype::kDetail;
                arc->subtype = objsubtype::kSwitchConnector;
                arc->planBits = kElectricalPlanBits;
                UpdateObjectBounds(arc);
            }
        }
        feedback::Clear();
        Refresh();
    }
    gMouseCaptured = 0;
}
