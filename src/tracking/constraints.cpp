#include "tracking/constraints.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/segment_sampling.h"
#include "model/transforms.h"
#include "plan/zoom.h"
#include "model/click_info.h"
#include "model/grid_snap.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int16_t kShiftBit = 4;
constexpr int16_t kCommandBit = 8;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// Shorter neighbours or segments than these would fold the outline: the drag keeps the last
// good segment.
constexpr float kShortestNeighbour = 23.5f;
constexpr float kShortestSegment = 47.5f;
// Intersections farther out come from (nearly) parallel lines.
constexpr float kFarOut = 30000.0f;

bool ShiftHeld() { return (gTrackModifiers & kShiftBit) != 0; }

void GridOnly(float* h, float* d) {
    float v = 0;
    Snap3DPointToGrid(CurrentDocState(), h, &v, d);
}

// The cell a length snaps to (the H snap spacing in plan units); 0 while the grid is off.
float LengthCell(const DocState* ds) {
    if (!ds->snapToGrid || ds->snapIncrement.floatH == 0.0f) return 0.0f;
    const float cell = ConvertWorldToScreen(ds->snapIncrement.floatH, ds, 0);
    return std::isfinite(cell) ? cell : 0.0f;
}

// Whole cells at or below the length, truncated to 16 bits first as the grid snap does.
float FloorToCells(float length, float cell) {
    return cell * std::floor(static_cast<float>(dvxnum::TruncToInt16(length)) / cell);
}

void AngleConstraint(float fromH, float fromD, float* h, float* d, bool acts, int32_t step) {
    if (!h || !d) return;
    const DocState* ds = CurrentDocState();
    if (!ds || !gTrackingMouse || !acts) {
        GridOnly(h, d);
        gTrackConstrainAngle = 0.0f;
        return;
    }
    float length = 0.0f;
    double degrees = GetLineLengthAndAngle(fromH, fromD, *h, *d, &length) * kDegreesPerRadian;
    if (length == 0.0f) degrees = 0.0;
    else if (gTrackModifiers & kCommandBit) degrees = gTrackConstrainAngle * kDegreesPerRadian;
    // Measured to a ten-thousandth of a degree, so a drag drawn at half a step rounds away
    // from zero rather than by the noise of single precision.
    degrees = std::round(degrees * 1e4) / 1e4;
    if (step > 0) degrees = std::round(degrees / step) * step;
    if (degrees == 360.0) degrees = 0.0;
    const double radians = degrees / kDegreesPerRadian;
    gTrackConstrainAngle = static_cast<float>(radians);
    const float cell = LengthCell(ds);
    if (cell != 0.0f) length = FloorToCells(length, cell);
    *h = static_cast<float>(fromH + length * std::cos(radians));
    *d = static_cast<float>(fromD - length * std::sin(radians));
}

Poinz* LastPoint(const Objex* o) {
    Poinz* p = o->firstPoint;
    while (p && p->next) p = p->next;
    return p;
}

// The neighbours along the outline, wrapping round a closed one.
Poinz* PreviousOf(const Objex* o, const Poinz* p) {
    Poinz* prev = p->prev ? p->prev : (o->closed ? LastPoint(o) : nullptr);
    return prev == p ? nullptr : prev;
}
Poinz* NextOf(const Objex* o, const Poinz* p) {
    Poinz* next = p->next ? p->next : (o->closed ? o->firstPoint : nullptr);
    return next == p ? nullptr : next;
}

float H(const Poinz* p) { return p->position[0]; }
float D(const Poinz* p) { return p->position[2]; }

bool FarOut(float h, float d) { return std::fabs(h) > kFarOut || std::fabs(d) > kFarOut; }

void DragPoint(const Objex* o, Poinz* p, float fromH, float fromD, float* h, float* d) {
    const float offH = fromH - H(p), offD = fromD - D(p);  // where the pointer grabbed the point
    auto gridPlusOffset = [&] {
        GridOnly(h, d);
        *h += offH, *d += offD;
    };
    Poinz* prev = PreviousOf(o, p);
    Poinz* next = NextOf(o, p);
    if (ShiftHeld() || !IsStraightPoint(p) || (prev && !IsStraightPoint(prev)) || (next && !IsStraightPoint(next)) ||
        (!prev && !next))
        return gridPlusOffset();
    if (!prev || !next) {
        const Poinz* pivot = next ? next : prev;
        SnapCursorToAngleConstraint(H(pivot), D(pivot), h, d, 0);
        *h += offH, *d += offD;
        return;
    }
    float prevH, prevD, nextH, nextD;
    GetPerpIntersection(H(prev), D(prev), H(p), D(p), *h, *d, &prevH, &prevD);
    GetPerpIntersection(H(next), D(next), H(p), D(p), *h, *d, &nextH, &nextD);
    const bool slideOnPrev = GetLineLength(prevH, prevD, H(p), D(p)) > GetLineLength(nextH, nextD, H(p), D(p));
    const Poinz* kept = slideOnPrev ? prev : next;
    const Poinz* turned = slideOnPrev ? next : prev;
    float th = (slideOnPrev ? prevH : nextH) + offH, td = (slideOnPrev ? prevD : nextD) + offD;
    SnapCursorToAngleConstraint(H(turned), D(turned), &th, &td, 0);
    float ih, id;
    GetIntersection(H(turned), D(turned), th, td, H(kept), D(kept), H(p), D(p), &ih, &id);
    if (FarOut(ih, id)) return gridPlusOffset();
    *h = ih + offH, *d = id + offD;
}

// Whether, seen from `eye`, `other` lies within 5 degrees of the direction of `end`.
bool InLine(const Poinz* eye, const Poinz* other, const Poinz* end) {
    float length;
    const double a = GetLineLengthAndAngle(H(eye), D(eye), H(other), D(other), &length);
    const double b = GetLineLengthAndAngle(H(eye), D(eye), H(end), D(end), &length);
    double difference = (a - b) * kDegreesPerRadian;
    if (difference > 180.0) difference -= 360.0;
    if (difference < -180.0) difference += 360.0;
    return std::fabs(difference) <= 5.0;
}

void DragSegment(const Objex* o, Poinz* p1, Poinz* p2, float fromH, float fromD, float* h, float* d) {
    if (o->pointCount > 2 && (*h != fromH || *d != fromD)) GridOnly(h, d);
    const float pointerH = *h, pointerD = *d;
    auto place = [](FloatPoint a, FloatPoint b) { gTranslateWallSegPt1 = a, gTranslateWallSegPt2 = b; };
    auto movedBy = [&](float dh, float dd) {
        place({H(p1) + dh, D(p1) + dd}, {H(p2) + dh, D(p2) + dd});
    };
    if (ShiftHeld()) return movedBy(pointerH - fromH, pointerD - fromD);

    float footH, footD;
    GetPerpIntersection(H(p1), D(p1), H(p2), D(p2), pointerH, pointerD, &footH, &footD);
    const float acrossH = pointerH - footH, acrossD = pointerD - footD;
    *h = fromH + acrossH, *d = fromD + acrossD;
    if (o->pointCount == 2) {
        const float across = GetLineLength(footH, footD, pointerH, pointerD);
        const float cell = LengthCell(CurrentDocState());
        const float snapped = cell != 0.0f ? FloorToCells(across, cell) : across;
        const float scale = across != 0.0f ? snapped / across : 0.0f;
        return movedBy(acrossH * scale, acrossD * scale);
    }
    Poinz* prev = PreviousOf(o, p1);
    Poinz* next = NextOf(o, p2);
    if (prev == p2) prev = nullptr;
    if (next == p1) next = nullptr;
    if (!prev && !next) return;

    auto keepPrevious = [&] {
        if (gPrevTranslateWallSegPt1.floatH == kNoTrackValue) return movedBy(0, 0);
        place(gPrevTranslateWallSegPt1, gPrevTranslateWallSegPt2);
    };
    const FloatPoint m1{H(p1) + acrossH, D(p1) + acrossD}, m2{H(p2) + acrossH, D(p2) + acrossD};
    FloatPoint ends[2] = {m1, m2};
    // Each end slides along its neighbour's edge unless the neighbour continues the segment.
    const struct { Poinz* neighbour; Poinz* end; Poinz* eye; } sides[2] = {{prev, p1, p2}, {next, p2, p1}};
    for (int i = 0; i < 2; ++i) {
        const auto& s = sides[i];
        if (!s.neighbour || InLine(s.eye, s.neighbour, s.end)) continue;
        float ih, id;
        GetIntersection(H(s.neighbour), D(s.neighbour), H(s.end), D(s.end), m1.floatH, m1.floatV, m2.floatH,
                        m2.floatV, &ih, &id);
        if (FarOut(ih, id)) return movedBy(pointerH - H(p1), pointerD - D(p1));
        if (GetLineLength(ih, id, H(s.neighbour), D(s.neighbour)) < kShortestNeighbour) return keepPrevious();
        ends[i] = FloatPoint{ih, id};
    }
    if (GetLineLength(ends[0].floatH, ends[0].floatV, ends[1].floatH, ends[1].floatV) < kShortestSegment)
        return keepPrevious();
    place(ends[0], ends[1]);
}

// The value pair sorted, and mirrored about `first` when centred.
void Span(float first, float second, bool centred, float* low, float* high) {
    *low = std::min(first, second), *high = std::max(first, second);
    if (!centred) return;
    const float extent = std::fabs(second - first);
    *low = first - extent, *high = first + extent;
}

}  // namespace

void SnapCursorToAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withShift) {
    AngleConstraint(fromH, fromD, h, d, !ShiftHeld() || withShift, 5);
}

void SnapCursorToPolyAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withShift) {
    AngleConstraint(fromH, fromD, h, d, gTrackingPoly && (!ShiftHeld() || withShift), 5);
}

void SnapCursorToCustomAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withoutShift,
                                       int32_t step) {
    AngleConstraint(fromH, fromD, h, d, ShiftHeld() || withoutShift, step);
}

void SnapCursorToSegmentConstraint(const ClickInfo* info, float fromH, float fromD, float* h, float* d) {
    if (!CurrentDocState() || !gTrackingMouse || !info || !info->ciObject || !info->ciPoint || !h || !d) return;
    if (fromH == kNoTrackValue && fromD == kNoTrackValue) return;
    if (info->ciPointHit) DragPoint(info->ciObject, info->ciPoint, fromH, fromD, h, d);
    else if (info->ciSegmentHit && info->ciPoint2)
        DragSegment(info->ciObject, info->ciPoint, info->ciPoint2, fromH, fromD, h, d);
}

void GetRectBounds(int16_t modifiers, float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect,
                   uint8_t zoom, uint8_t centred) {
    if (modifiers & kShiftBit) {
        const float side = std::fabs(h2 - h1);
        d2 = d2 > d1 ? d1 + side : d1 - side;
    }
    LoadFloatAndQDRects(h1, d1, h2, d2, rect, qdRect, zoom, centred);
}

void GetOvalBounds(int16_t modifiers, float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect,
                   uint8_t zoom, uint8_t centred) {
    GetRectBounds(modifiers, h1, d1, h2, d2, rect, qdRect, zoom, centred);
}

void LoadFloatAndQDRects(float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect, uint8_t zoom,
                         uint8_t centred) {
    if (zoom) h1 = ZoomF(h1), d1 = ZoomF(d1), h2 = ZoomF(h2), d2 = ZoomF(d2);
    FloatRect r;
    Span(h1, h2, centred, &r.floatLeft, &r.floatRight);
    Span(d1, d2, centred, &r.floatTop, &r.floatBottom);
    if (rect) *rect = r;
    if (!qdRect) return;
    auto whole = [](float v) { return static_cast<int32_t>(dvxnum::TruncToInt16(v + 0.5)); };
    *qdRect = RECT{whole(r.floatLeft), whole(r.floatTop), whole(r.floatRight), whole(r.floatBottom)};
}

void GetClosestSpline(const Objex* object, float h, float d, Poinz** first, Poinz** second) {
    if (!first || !second) return;
    *first = *second = nullptr;
    if (!object) return;
    Poinz* nearest = nullptr;
    float best = kNoIntersection;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        const float distance = GetLineLength(h, d, H(p), D(p));
        if (distance < best) best = distance, nearest = p;
    }
    if (!nearest) return;
    Poinz* prev = nearest->prev ? nearest->prev : LastPoint(object);
    Poinz* next = nearest->next ? nearest->next : object->firstPoint;
    if (GetLineLength(h, d, H(next), D(next)) > GetLineLength(h, d, H(prev), D(prev))) *first = prev, *second = nearest;
    else *first = nearest, *second = next;
}

void GetClosestSegment(const Poinz* p1, const Poinz* p2, float h, float d, FloatPoint* near1, FloatPoint* near2) {
    if (!p1 || !p2 || !near1 || !near2) return;
    if (IsStraightPoint(p1) && IsStraightPoint(p2)) {
        FloatPoint foot;
        GetPerpIntersection(H(p1), D(p1), H(p2), D(p2), h, d, &foot.floatH, &foot.floatV);
        *near1 = *near2 = foot;
        return;
    }
    const SegmentCubic cubic(p1, p2);
    const DocState* ds = CurrentDocState();
    const float step = ds ? 1.0f / (5.0f * static_cast<float>(std::max<int16_t>(ds->curveSegments, 1))) : 0.125f;
    auto at = [&](float t) {
        float p[3];
        cubic.At(t, p);
        return FloatPoint{p[0], p[2]};
    };
    auto distance = [&](FloatPoint p) { return GetLineLength(h, d, p.floatH, p.floatV); };
    float bestT = 0.0f, best = std::numeric_limits<float>::infinity();
    for (int i = 0;; ++i) {
        const float t = static_cast<float>(i) * step;
        if (t > 1.01f) break;
        const float dt = distance(at(t));
        if (dt < best) best = dt, bestT = t;
    }
    float below = bestT - step, above = bestT + step;
    if (below < 0.0f) below = bestT + step;
    if (above > 1.01f) above = bestT - step;
    const float db = distance(at(below)), da = distance(at(above));
    const float other = db < da ? below : (da < db ? above : std::max(below, above));
    *near1 = at(std::min(bestT, other));
    *near2 = at(std::max(bestT, other));
}

bool IsStraightPoint(const Poinz* p) {
    for (int i = 0; i < 3; ++i)
        if (p->inTangent[i] != 0.0f || p->outTangent[i] != 0.0f) return false;
    return true;
}

void UpdateInfo() {}
