#include "tracking/line_trackers.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/refresh_seams.h"
#include "tracking/outline_tracker.h"
#include "plan/arc_builders.h"
#include "tracking/constraints.h"
#include "model/poly_builders.h"
#include "tracking/shape_builders.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"

namespace {

using feedback::At;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kDegrees = 180.0f / kPi;

bool Shift() { return (gTrackModifiers & 4) != 0; }

// The point with the view's two coordinates replaced; the third stays the press's.
Float3DPoint InPlane(const feedback::Axes& ax, float c1, float c2) {
    Float3DPoint p = feedback::Down();
    At(p, ax.a1) = c1, At(p, ax.a2) = c2;
    return p;
}

// A perpendicular snap found a segment at the press: the press slides to the foot of the
// perpendicular from the pointer onto it.
void PerpendicularStart(float h, float d) {
    if (!gPerpStartPtz || !gPerpEndPtz || !gPerpAtStart) return;
    const Poinz* a = gPerpStartPtz;
    const Poinz* b = gPerpEndPtz;
    float fh = gDownX, fd = gDownZ;
    const bool straight = a->outTangent[0] == 0 && a->outTangent[2] == 0 && b->inTangent[0] == 0 && b->inTangent[2] == 0;
    if (straight) {
        FGetPerpIntersection(a->position[0], a->position[2], b->position[0], b->position[2], h, d, &fh, &fd);
    } else {
        Poinz *p1 = nullptr, *p2 = nullptr;
        GetClosestSpline(a->owner, h, d, &p1, &p2);
        if (!p1 || !p2) return;
        FloatPoint n1, n2;
        GetClosestSegment(p1, p2, h, d, &n1, &n2);
        if (n1.floatH == n2.floatH && n1.floatV == n2.floatV) fh = n1.floatH, fd = n1.floatV;
        else FGetPerpIntersection(n1.floatH, n1.floatV, n2.floatH, n2.floatV, h, d, &fh, &fd);
    }
    if (std::isfinite(fh) && std::isfinite(fd)) gDownX = fh, gDownZ = fd;
}

// The release of a drag that makes the shape (`make`, given the settings record and layer),
// or of a click that makes nothing.
template <class Make>
void Release(DocState* ds, Make make) {
    if (TrackedGestureWasClick()) {
        feedback::EndAsClick();
    } else {
        if (Layer* layer = feedback::CurrentLayer()) make(ds, layer);
        feedback::Clear();
        Refresh();
    }
    gMouseCaptured = 0;
}

// Degrees in -180..180 of an angle in radians brought into -pi..pi.
float Wrapped(float radians) {
    if (radians > kPi) radians -= 2 * kPi;
    if (radians < -kPi) radians += 2 * kPi;
    return radians;
}

float ArcState(int32_t cx, int32_t cy, int32_t fx, int32_t fy, int32_t px, int32_t py, float startAngle,
               float radius, bool reverse) {
    const DocState* ds = CurrentDocState();
    if (!ds || ds->viewKind < 1 || ds->viewKind > 3) return 0;
    float length = 0;
    const float cursorAngle = GetLineLengthAndAngle(float(cx), float(cy), float(px), float(py), &length);
    float startDegrees = startAngle * kDegrees;
    if (startDegrees < 0) startDegrees += 360;
    float sweep = (Wrapped(cursorAngle) - Wrapped(startAngle)) * kDegrees;
    if (sweep < 0) sweep += 360;
    if (reverse) sweep -= 360;
    if (QMDDynamicDrawEngine* engine = feedback::Engine()) {
        feedback::DynamicDrawing drawing;
        engine->setActivePath(0);
        // The engine turns from +x towards +y (down the screen): the plan's angles negated.
        const PlatformPoint centre{float(cx), float(cy)};
        const float from = -startDegrees, to = -(startDegrees + sweep);
        engine->appendActivePathWithArcWithCenter(centre, radius, std::fmin(from, to), std::fmax(from, to));
        const float a = cursorAngle;
        engine->appendLineToActivePathWithStartPoint(
            centre, {float(cx) + radius * std::cos(a), float(cy) - radius * std::sin(a)});
        engine->appendLineToActivePathWithStartPoint(centre, {float(fx), float(fy)});
    }
    return sweep;
}

}  // namespace

void TrackLine(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    PerpendicularStart(h, d);
    gPerpFromLoc = stage == 1 ? FloatPoint{kNoPerpFrom, kNoPerpFrom} : FloatPoint{gDownX, gDownZ};
    const Float3DPoint cursor{h, v, d};
    Float3DPoint start = feedback::Down();
    if (gCenterLineTool)
        start = {2 * start.floatH - h, 2 * start.floatV - v, 2 * start.floatD - d};
    feedback::Clear();
    if (stage != 3) {
        feedback::DynamicDrawing drawing;
        feedback::Line(feedback::Engine(), start, cursor);
        feedback::Dimension(start.floatH, start.floatD, h, d, 5.0f, false);
        return;
    }
    gPerpFromLoc = FloatPoint{kNoPerpFrom, kNoPerpFrom};
    Release(ds, [&](DocState* s, Layer* layer) {
        const Float3DPoint at[2] = {start, feedback::Up()}, none[2] = {};
        feedback::DressDetailShape(BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, layer, 1),
                                   detailsubtype::kLine, false, s);
    });
}

void TrackPoly(int32_t x, int32_t y, float h, float v, float d, int16_t stage) {
    if (!gCurDocument || !CurrentDocState()) return;
    const bool curve = gCurTool == toolid::kCurve;
    if (stage == 1) {
        const uint8_t saved = g3DObjects;
        g3DObjects = 0;
        RestoreAtGestureEnd([saved] { g3DObjects = saved; });
    }
    TrackGnrlPoly(x, y, h, v, d, stage, curve, curve ? gCloseSplineTool : gClosePolyTool, 1, objtype::kDetail,
                  [curve](Objex* outline) {
                      feedback::DressDetailShape(outline, curve ? detailsubtype::kCurve : detailsubtype::kPolygon, curve,
                                                 CurrentDocState());
                  });
}

void TrackArc(int32_t, int32_t, float h, float v, float d, int16_t stage, int16_t) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    const Float3DPoint down = feedback::Down();
    const Float3DPoint cursor = stage == 3 ? feedback::Up() : Float3DPoint{h, v, d};
    const float d1 = At(down, ax.a1), d2 = At(down, ax.a2), c1 = At(cursor, ax.a1), c2 = At(cursor, ax.a2);
    FloatRect box;
    GetOvalBounds(0, d1, d2, c1, c2, &box, nullptr, 0, 0);
    const float w = box.floatRight - box.floatLeft, ht = box.floatBottom - box.floatTop;
    float start = 0;
    if (c1 >= d1) box.floatRight += w;
    else box.floatLeft -= w;
    if (c2 >= d2) box.floatTop -= ht;
    else box.floatBottom += ht;
    if (c1 >= d1) start = c2 >= d2 ? -90.0f : -180.0f;
    else start = c2 >= d2 ? 0.0f : 90.0f;
    const float level = At(down, ax.third);
    feedback::Clear();
    if (stage != 3) {
        feedback::DynamicDrawing drawing;
        Draw3DEllipse(nullptr, &box, start, -90, ds->viewKind, level, nullptr, nullptr, nullptr, 1, nullptr, 0, 90);
        feedback::Dimension(down.floatH, down.floatD, h, down.floatD, 0, true);
        if ((gLockArcTool != 0) == Shift()) feedback::Dimension(h, down.floatD, h, d, 0, true);
        return;
    }
    Release(ds, [&](DocState* s, Layer* layer) {
        Float3DPoint at[8], in[8], out[8];
        int32_t count = 0;
        Draw3DEllipse(nullptr, &box, start, -90, s->viewKind, level, at, in, out, 0, &count, 0, 90);
        if (count < 2) return;
        in[0] = {}, out[count - 1] = {};
        Objex* arc = BuildOpenPoly(at, nullptr, in, out, nullptr, nullptr, count, layer, 1);
        feedback::DressDetailShape(arc, detailsubtype::kArc, true, s);
    });
}

void TrackMulti(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    const feedback::Axes ax = feedback::AxesOf(ds->viewKind);
    const int32_t sides = ds->multigonSides;
    const Float3DPoint centre = feedback::Down();
    const Float3DPoint cursor = stage == 3 ? feedback::Up() : Float3DPoint{h, v, d};
    feedback::Clear();
    if (stage != 3) {
        // Fewer than three sides make no polygon: nothing to show.
        if (sides < 3) return;
        feedback::DynamicDrawing drawing;
        float radius = 0;
        const float c1 = At(centre, ax.a1), c2 = At(centre, ax.a2);
        const float a0 = GetLineLengthAndAngle(c1, c2, At(cursor, ax.a1), At(cursor, ax.a2), &radius);
        const float step = 2 * kPi / float(sides);
        std::vector<Float3DPoint> vertices;
        for (int32_t k = 1; k <= sides; ++k) {
            const float a = a0 + float(k) * step;
            vertices.push_back(InPlane(ax, c1 + radius * std::cos(a), c2 - radius * std::sin(a)));
        }
        QMDDynamicDrawEngine* engine = feedback::Engine();
        for (size_t k = 0; k < vertices.size(); ++k) feedback::Line(engine, vertices[k], vertices[(k + 1) % vertices.size()]);
        feedback::Dimension(centre.floatH, centre.floatD, h, d, 0, true);
        feedback::Dimension(vertices.front().floatH, vertices.front().floatD, vertices.back().floatH,
                            vertices.back().floatD, 0, true);
        return;
    }
    Release(ds, [&](DocState* s, Layer* layer) {
        Objex* temporary = BuildMulti(At(centre, ax.a1), At(centre, ax.a2), At(cursor, ax.a1), At(cursor, ax.a2), layer,
                                      int16_t(sides), 1, At(centre, ax.third));
        if (!temporary) return;
        std::vector<Float3DPoint> at, none;
        for (const Poinz* p = temporary->firstPoint; p; p = p->next) {
            Float3DPoint q;
            At(q, ax.a1) = p->position[0], At(q, ax.a2) = p->position[1], At(q, ax.third) = p->position[2];
            at.push_back(q), none.push_back({});
        }
        DeleteObj(temporary);
        if (at.empty()) return;
        Objex* shape = BuildClosedPoly(at.data(), nullptr, none.data(), none.data(), nullptr, nullptr,
                                       int32_t(at.size()), layer, 1);
        feedback::DressDetailShape(shape, detailsubtype::kMultigon, false, s);
    });
}

void TrackText(int32_t, int32_t, float, float, float, int16_t) {}

float DrawArcState(int32_t cx, int32_t cy, int32_t fx, int32_t fy, int32_t px, int32_t py, float startAngle,
                   float radius) {
    return ArcState(cx, cy, fx, fy, px, py, startAngle, radius, Shift());
}

float DrawDoorArcState(int32_t cx, int32_t cy, int32_t fx, int32_t fy, int32_t px, int32_t py, float startAngle,
                       float radius) {
    return ArcState(cx, cy, fx, fy, px, py, startAngle, radius, !Shift());
}

bool HaveModifiersChanged() { return true; }
