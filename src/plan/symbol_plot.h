#pragma once
// The plotting step of the plan symbols (doors, windows, plants, foundations, stairs, ducts):
// plan points (h, d) at V 0 go through the current view with perspective when it is on, are
// scaled for printing, clamped and made whole. Lines gather in one path and are stroked
// together.
#include "model/lines.h"
#include "model/numeric.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "model/plan_objects.h"
#include "port/path.h"

namespace plansymbol {

inline constexpr float kHalfPi = 1.57079632679489661923f;
inline constexpr float kDegreesPerRadian = 57.29577951308232f;

struct PlanPt {
    float h = 0, d = 0;
    PlanPt operator+(PlanPt o) const { return {h + o.h, d + o.d}; }
    PlanPt operator-(PlanPt o) const { return {h - o.h, d - o.d}; }
    PlanPt operator*(float k) const { return {h * k, d * k}; }
};

// R(angle, length).
inline PlanPt Along(float angle, float length) {
    PlanPt p;
    GetPointFromLengthAndAngle(angle, length, &p.h, &p.d);
    return p;
}
inline float Direction(PlanPt from, PlanPt to, float* length = nullptr) {
    float l = 0;
    const float a = GetLineLengthAndAngle(from.h, from.d, to.h, to.d, &l);
    if (length) *length = l;
    return a;
}
inline float Whole(float v) { return static_cast<float>(dvxnum::TruncToInt16(v + 0.5)); }

// Projected, before print scaling.
inline void Project(PlanPt a, PlanPt b, port::Point* pa, port::Point* pb) {
    float x1 = a.h, y1 = 0, z1 = a.d, x2 = b.h, y2 = 0, z2 = b.d;
    ConvertToIso(&x1, &y1, &z1, &x2, &y2, &z2, gPerspective);
    *pa = {x1, y1};
    *pb = {x2, y2};
}
inline port::Point Scaled(port::Point p) {
    const double hs = gPrinting ? gHPrintScale : 1.0, vs = gPrinting ? gVPrintScale : 1.0;
    return {static_cast<double>(dvxnum::TruncToInt16(p.x * hs + 0.5)),
            static_cast<double>(dvxnum::TruncToInt16(p.y * vs + 0.5))};
}
// Both ends plotted.
inline void Plot(PlanPt a, PlanPt b, port::Point* pa, port::Point* pb) {
    Project(a, b, pa, pb);
    *pa = Scaled(*pa);
    *pb = Scaled(*pb);
}
inline void AddLine(port::Path& path, PlanPt a, PlanPt b) {
    port::Point pa, pb;
    Plot(a, b, &pa, &pb);
    path.moveTo(pa.x, pa.y);
    path.lineTo(pb.x, pb.y);
}
// A closed outline through the corners.
inline void AddPolygon(port::Path& path, const PlanPt* corners, int count) {
    for (int i = 0; i < count; i += 2) {
        port::Point pa, pb;
        Plot(corners[i], corners[i + 1 < count ? i + 1 : i], &pa, &pb);
        if (i == 0) path.moveTo(pa.x, pa.y);
        else path.lineTo(pa.x, pa.y);
        if (i + 1 < count) path.lineTo(pb.x, pb.y);
    }
    path.closePath();
}

}  // namespace plansymbol
