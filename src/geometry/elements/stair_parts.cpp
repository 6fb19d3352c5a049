#include "geometry/elements/stair_parts.h"

#include <vector>

#include "geometry/elements/stair_rails.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"

namespace {

constexpr float kQuarterTurn = 1.57079632679f;
constexpr float kOutside = 0.1f;      // panels stand this far outside the edge they dress
constexpr float kToothDrop = 3.0f;    // stringer tops and landing panels below a tread's top
constexpr float kDefaultRiser = 15.0f;
constexpr float kRailInset = 5.0f;
constexpr float kPostAbove = 4.0f;
constexpr int16_t kOutlinePanel = objtype::kClosedOutline;
constexpr int16_t kCurvedUnderPanel = objtype::kPolygon;

float Lower(const StairContext& c, float riser) {
    return c.OpenSteps() ? gStairHeightAccum + 0.75f * riser : gStairHeightAccum;
}

// A slab of the four corners from the lower height up to one riser above the reached height.
void AppendSlab(const StairContext& c, const Float3DPoint (&corners)[4], float lower, float riser, RGBColor fill) {
    Float3DPoint low[4], up[4];
    for (int i = 0; i < 4; ++i)
        low[i] = AtV(corners[i], c.At(lower)), up[i] = AtV(corners[i], c.At(gStairHeightAccum + riser));
    AppendSolidPiece(c, low, up, 4, objtype::kStairStep, c.step, fill);
}

// The stringer panel of one side of a curved step, in the plane of its edge moved outward.
void AppendCurvedStringer(const StairContext& c, const Float3DPoint& start, const Float3DPoint& current,
                          float outward) {
    const float angle = PlanAngle(start, current) + outward;
    const Float3DPoint s = Moved(start, angle, kOutside), e = Moved(current, angle, kOutside);
    const float r = c.riser, at = gStairHeightAccum;
    float bottomStart = at - r, bottomEnd = at;
    if (c.skirt) bottomStart = bottomEnd = 0;
    else if (gCurvedStepCount == 0) bottomStart = bottomEnd = at;
    else if (c.largeBase && gCurvedStepCount == 1) bottomStart = bottomEnd = at - r;
    const float topStart = c.closedStringer ? at + r : at + r - kToothDrop;
    const float topEnd = c.closedStringer ? at + 2 * r : at + r - kToothDrop;
    const Float3DPoint corners[4] = {AtV(s, c.At(bottomStart)), AtV(e, c.At(bottomEnd)), AtV(e, c.At(topEnd)),
                                     AtV(s, c.At(topStart))};
    AppendFlatPiece(c, corners, 4, objtype::kStringerPanel, c.side, c.sideFill);
}

// Edge ends pushed 0.1 beyond their own side, away from the opposite end.
Float3DPoint Beyond(const Float3DPoint& p, const Float3DPoint& opposite) { return Toward(p, opposite, -kOutside); }

}  // namespace

void AppendStairStepObject(const StairContext& c, float h, float v, float d, float direction) {
    const Float3DPoint at{h, v, d};
    const Float3DPoint left = Moved(at, direction + kQuarterTurn, c.width / 2);
    const Float3DPoint right = Moved(at, direction - kQuarterTurn, c.width / 2);
    if (gInitializeStairs) {
        gStairStartLeftPt = left, gStairStartRightPt = right;
        gInitializeStairs = 0;
        gStairHeightAccum = 0;
        return;
    }
    const Float3DPoint sl = gStairStartLeftPt, sr = gStairStartRightPt;
    const float r = c.riser, reached = gStairHeightAccum;
    AppendSlab(c, {sl, sr, right, left}, Lower(c, r), r, c.sideFill);
    if (!c.framing) {
        AppendCurvedStringer(c, sl, left, kQuarterTurn);
        AppendCurvedStringer(c, sr, right, -kQuarterTurn);
    }
    if (!c.skirt && c.openSteps == objfield::stair::kClosedSteps && gCurvedStepCount >= 1) {
        if (c.largeBase && gCurvedStepCount == 1) {
            const Float3DPoint wall[4] = {AtV(left, c.At(reached - r)), AtV(right, c.At(reached - r)),
                                          AtV(right, c.At(reached)), AtV(left, c.At(reached))};
            AppendFlatPiece(c, wall, 4, kCurvedUnderPanel, c.side, c.sideFill);
        } else {
            const Float3DPoint under[4] = {AtV(Beyond(sl, sr), c.At(reached - r)),
                                           AtV(Beyond(sr, sl), c.At(reached - r)),
                                           AtV(Beyond(right, left), c.At(reached)),
                                           AtV(Beyond(left, right), c.At(reached))};
            AppendFlatPiece(c, under, 4, kCurvedUnderPanel, c.side, c.sideFill);
        }
    }
    ++gCurvedStepCount;
    gStairHeightAccum += r;
    const uint8_t first = gInitializeSteps;
    if (c.leftRail == 1) AppendStairRail(c, sl, left, sr, right, 1);
    if (c.rightRail == 1) {
        gInitializeSteps = first;
        AppendStairRail(c, sr, right, sl, left, 0);
    }
    gStairStartLeftPt = left, gStairStartRightPt = right;
}

void AppendStraightStairStepObject(const StairContext& c, const Float3DPoint& previousLeft,
                                   const Float3DPoint& previousRight, const Float3DPoint& left,
                                   const Float3DPoint& right, float riser) {
    if (!(riser > 0)) riser = kDefaultRiser;
    AppendSlab(c, {previousLeft, previousRight, right, left}, Lower(c, riser), riser, c.stepFill);
    gStairHeightAccum += riser;
    const uint8_t first = gInitializeStairs;
    if (c.leftRail == 1) AppendStraightStairSpindles(c, previousLeft, left, previousRight, right, 1, riser);
    if (c.rightRail == 1) {
        gInitializeStairs = first;
        AppendStraightStairSpindles(c, previousRight, right, previousLeft, left, 0, riser);
    }
}

void BuildStairLanding(const StairContext& c, Float3DPoint& leftRunEnd, const Float3DPoint& leftSegmentEnd,
                       Float3DPoint& rightRunEnd, const Float3DPoint& rightSegmentEnd, const Float3DPoint& leftNext,
                       const Float3DPoint& rightNext) {
    float leftRest = 0, rightRest = 0;
    PlanAngle(leftRunEnd, leftSegmentEnd, &leftRest);
    PlanAngle(rightRunEnd, rightSegmentEnd, &rightRest);
    const bool outerLeft = leftRest > rightRest;
    // The outer side turns round the inner corner: +90 degrees from the next run on the left.
    const float toOuter = outerLeft ? kQuarterTurn : -kQuarterTurn;
    const Float3DPoint outerRunEnd = outerLeft ? leftRunEnd : rightRunEnd;
    const Float3DPoint outerCorner = outerLeft ? leftSegmentEnd : rightSegmentEnd;
    const float incoming = PlanAngle(outerRunEnd, outerCorner);
    const float next = outerLeft ? PlanAngle(rightSegmentEnd, rightNext) : PlanAngle(leftSegmentEnd, leftNext);
    const Float3DPoint innerCorner = outerLeft ? rightSegmentEnd : leftSegmentEnd;
    const Float3DPoint far = Moved(innerCorner, next + toOuter, c.width);
    const float r = c.riser;

    AppendSlab(c, {outerRunEnd, outerCorner, far, innerCorner}, Lower(c, r), r, c.sideFill);
    if (!c.framing) {
        const float bottom = c.skirt ? 0.0f : gStairHeightAccum - r - kToothDrop;
        const float top = gStairHeightAccum + r - kToothDrop;
        const std::pair<Float3DPoint, Float3DPoint> edges[2] = {
            {Moved(outerRunEnd, incoming + toOuter, kOutside), Moved(outerCorner, incoming + toOuter, kOutside)},
            {Moved(outerCorner, next + toOuter, kOutside), Moved(far, next + toOuter, kOutside)}};
        for (const auto& [a, b] : edges) {
            const Float3DPoint lower[2] = {AtV(a, c.At(bottom)), AtV(b, c.At(bottom))};
            const Float3DPoint upper[2] = {AtV(a, c.At(top)), AtV(b, c.At(top))};
            AppendBandPiece(c, lower, upper, objtype::kLandingPanel, c.side, c.sideFill);
        }
    }
    gStairHeightAccum += r;

    // Lines 5.0 inside the two outer edges: along the incoming run to 2.5 short of the next
    // run's line, then from where the lines cross to the far corner.
    const float inIncoming = incoming - toOuter, inNext = next - toOuter;
    const Float3DPoint firstStart = Moved(outerRunEnd, inIncoming, kRailInset);
    const Float3DPoint firstEnd = Moved(Moved(outerCorner, inIncoming, kRailInset), inNext, kRailInset / 2);
    const Float3DPoint secondStart = Moved(Moved(outerCorner, inIncoming, kRailInset), inNext, kRailInset);
    const Float3DPoint secondEnd = Moved(far, inNext, kRailInset);
    const float top = c.At(gStairHeightAccum);
    if (c.framing && c.skirt) {
        ConstructRail(c, AtV(firstStart, c.baseV), AtV(firstEnd, c.baseV), incoming, false, false);
        ConstructRail(c, AtV(secondStart, c.baseV), AtV(secondEnd, c.baseV), next, false, false);
    } else {
        const int32_t innerRail = outerLeft ? c.rightRail : c.leftRail;
        const int32_t outerRail = outerLeft ? c.leftRail : c.rightRail;
        if (innerRail == 1) {
            const float into = kRailInset / 1.5f;
            const Float3DPoint post = Moved(Moved(innerCorner, incoming + toOuter, into), next + toOuter, into);
            ConstructBaluster(AtV(post, top), incoming, c.owner, c.railHeight + kPostAbove, 0, c.rail);
        }
        if (outerRail == 1) {
            ConstructRail(c, AtV(firstStart, top), AtV(firstEnd, top), incoming, true, true);
            ConstructRail(c, AtV(secondStart, top), AtV(secondEnd, top), next, false, true);
        }
    }
    if (outerLeft) leftRunEnd = far, rightRunEnd = rightSegmentEnd;
    else rightRunEnd = far, leftRunEnd = leftSegmentEnd;
}

Objex* BuildStaircaseStraightStringer(const StairContext& c, const Float3DPoint& start, float direction,
                                      float treadDepth, float riser, int32_t treads, int32_t runIndex, int side,
                                      int32_t* closing) {
    if (closing) *closing = 0;
    const float outward = side == 1 ? direction + kQuarterTurn : direction - kQuarterTurn;
    const Float3DPoint origin = Moved(start, outward, kOutside);
    auto at = [&](float along, float height) { return AtV(Moved(origin, direction, along), c.At(height)); };
    const float from = gStairStringerHeightAccum;
    std::vector<Float3DPoint> corners{at(0, runIndex > 0 ? from - riser : from)};
    int32_t built = 0;
    for (int32_t k = 1; k <= treads && !(gStairStringerHeightAccum > c.rise); ++k, ++built) {
        gStairStringerHeightAccum += riser;
        if (c.closedStringer && !c.deck) continue;
        corners.push_back(at(float(k - 1) * treadDepth, gStairStringerHeightAccum - kToothDrop));
        corners.push_back(at(float(k) * treadDepth, gStairStringerHeightAccum - kToothDrop));
    }
    const float end = float(built) * treadDepth, lastTop = gStairStringerHeightAccum;
    if (c.closedStringer && !c.deck) {
        corners.push_back(at(0, from + riser));
        corners.push_back(at(end, lastTop + riser));
    }
    const size_t top = corners.size();
    if (c.skirt) {
        corners.push_back(at(end, 0));
    } else {
        corners.push_back(at(end, lastTop - riser));
        if (runIndex == 0 && c.largeBase && treads >= 3) {
            corners.push_back(at(2 * treadDepth, from + riser));
            corners.push_back(at(2 * treadDepth, from));
        } else if (runIndex == 0) {
            corners.push_back(at(treadDepth, from));
        }
    }
    gStairStringerHeightAccum += riser;
    const int32_t closingCount = int32_t(corners.size() - top);
    const RailMaterial m = c.deck ? RailMaterial{c.owner->texture, c.owner->fillColor, c.owner->textureScales[4]}
                                  : c.side;
    const RGBColor fill = c.deck ? c.owner->fillColor : c.sideFill;
    Objex* stringer = AppendFlatPiece(c, corners.data(), int32_t(corners.size()), kOutlinePanel, m, fill);
    if (stringer && closing) *closing = closingCount;
    return stringer;
}

void BuildStaircaseBottomPaneling(const StairContext& c, Objex* left, Objex* right, int32_t leftClosing,
                                  int32_t rightClosing, int32_t runIndex) {
    if (!left || !right || leftClosing != rightClosing || leftClosing <= 0 || c.deck || c.skirt ||
        c.openSteps != objfield::stair::kClosedSteps)
        return;
    const int32_t out = leftClosing;
    std::vector<Float3DPoint> l, r;
    for (Poinz* p = left->firstPoint; p; p = p->next) l.push_back({p->position[0], p->position[1], p->position[2]});
    for (Poinz* p = right->firstPoint; p; p = p->next) r.push_back({p->position[0], p->position[1], p->position[2]});
    const int32_t nl = int32_t(l.size()), nr = int32_t(r.size());
    if (nl < out + 2 || nr < out + 2) return;
    auto panel = [&](std::vector<Float3DPoint> corners) {
        AppendFlatPiece(c, corners.data(), int32_t(corners.size()), kOutlinePanel, c.side, c.sideFill);
    };
    // The closing corners of each side, left in order, right in reverse.
    auto across = [&](int32_t from, int32_t count) {
        std::vector<Float3DPoint> corners;
        for (int32_t i = 0; i < count; ++i) corners.push_back(l[size_t(nl - from + i)]);
        for (int32_t i = count - 1; i >= 0; --i) corners.push_back(r[size_t(nr - from + i)]);
        return corners;
    };
    if (runIndex == 0 && c.largeBase && out > 2) {
        panel(across(out, out - 1));
        panel(across(2, 2));
    } else if (runIndex > 0 && out == 1) {
        panel({l[size_t(nl - 1)], l[0], r[0], r[size_t(nr - 1)]});
    } else if (out >= 2) {
        panel(across(out, out));
    }
}
