#include "model/wall_dimension_limit.h"

#include <cmath>

#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/segment_walk.h"

namespace {

constexpr float kNothingFound = 32000.0f;
constexpr float kExtraReach = 20.0f;
constexpr float kShortest = 10.0f;
constexpr float kEndMargin = 1.0f;   // a crossing this near a segment end is a corner, not a wall
constexpr float kAlignWithin = 1.0f;

float Distance(float h1, float v1, float h2, float v2) { return GetLineLength(h1, v1, h2, v2); }

}  // namespace

float LimitWallDimension(const FloatPoint* base, FloatPoint* probeEnd, const Layer* layer,
                         const Poinz* segmentStart, const Poinz* segmentEnd) {
    if (!base || !probeEnd || !layer) return 0;
    const float bh = base->floatH, bv = base->floatV;
    const float length = Distance(bh, bv, probeEnd->floatH, probeEnd->floatV);
    const float reach = length + kExtraReach;
    float best = kNothingFound, crossH = 0, crossV = 0;
    const Objex* found = nullptr;

    auto consider = [&](const Objex* wall, const Poinz* p, const Poinz* q) {
        if (p == segmentStart && q == segmentEnd) return;
        const float ph = p->position[0], pv = p->position[2], qh = q->position[0], qv = q->position[2];
        float xh = 0, xv = 0;
        GetIntersection(bh, bv, probeEnd->floatH, probeEnd->floatV, ph, pv, qh, qv, &xh, &xv);
        const float fromBase = Distance(bh, bv, xh, xv);
        const float inside = Distance(ph, pv, qh, qv) - kEndMargin;
        if (fromBase <= reach && Distance(probeEnd->floatH, probeEnd->floatV, xh, xv) <= length &&
            fromBase < best && Distance(ph, pv, xh, xv) < inside && Distance(qh, qv, xh, xv) < inside) {
            best = fromBase, crossH = xh, crossV = xv, found = wall;
        }
    };
    for (const Objex* o = layer->firstObject; o; o = o->next)
        if (o->type == objtype::kWall) ForEachSegment(o, [&](const Poinz* p, const Poinz* q) { consider(o, p, q); });
    if (!found || best > reach) return 0;

    float distance = 0;
    const float angle = GetLineLengthAndAngle(bh, bv, crossH, crossV, &distance);
    if (distance < kShortest) distance = kShortest;
    float dh = 0, dv = 0;
    GetPointFromLengthAndAngle(angle, distance, &dh, &dv);
    const float h = bh + dh, v = bv + dv;
    probeEnd->floatH = std::fabs(h - bh) < kAlignWithin ? bh : h;
    probeEnd->floatV = std::fabs(v - bv) < kAlignWithin ? bv : v;
    return found->penWidth;
}
