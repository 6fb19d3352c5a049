#include "geometry/elements/stair_rails.h"

#include <algorithm>
#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/transforms.h"

namespace {

constexpr float kQuarterTurn = 1.57079632679f;
constexpr float kInset = 5.0f;         // rails and spindles stand this far in from the side edge
constexpr float kSpindle = 2.0f;
constexpr float kRailWidth = 4.0f;
constexpr float kRailDepth = 2.0f;
constexpr float kPostAbove = 4.0f;     // posts rise this far above the rail height (world)
constexpr float kRailBottomBelow = 8.0f;   // world, below the rail height
constexpr float kSpindleTopBelow = 7.5f;   // world, below the rail height
constexpr float kPostInset = 2.0f;     // half a post: a post end moves the stretch this far in
constexpr float kLandingSpacing = 6.0f;    // world
constexpr float kStudSpacing = 16.0f;      // world
constexpr float kBoardWidth = 10.0f;
constexpr float kBoardDepth = 2.5f;

float Plan(const StairContext& c, float world) { return ConvertWorldToScreen(world, c.ds, 0); }

// A bar of the width centred on the line a -> b, its underside at the two V's, `depth` high.
void AppendBar(const StairContext& c, const Float3DPoint& a, const Float3DPoint& b, const Float3DPoint& acrossA,
               const Float3DPoint& acrossB, float halfWidth, float lowA, float lowB, float depth, int16_t type,
               const RailMaterial& m) {
    const Float3DPoint corners[4] = {Toward(a, acrossA, -halfWidth), Toward(a, acrossA, halfWidth),
                                     Toward(b, acrossB, halfWidth), Toward(b, acrossB, -halfWidth)};
    const float low[4] = {lowA, lowA, lowB, lowB};
    Float3DPoint lower[4], upper[4];
    for (int i = 0; i < 4; ++i) lower[i] = AtV(corners[i], low[i]), upper[i] = AtV(corners[i], low[i] - depth);
    AppendSolidPiece(c, lower, upper, 4, type, m, m.colour);
}

// Two spindles at a quarter and three quarters of the rail line a -> b (5.0 in from the edge)
// on the step's top, reaching the spindle top and a quarter or three quarters of a riser more.
void AppendSpindlePair(const StairContext& c, const Float3DPoint& a, const Float3DPoint& b, float riser) {
    float length = 0;
    const float angle = PlanAngle(a, b, &length);
    const float top = gStairHeightAccum, spindleTop = Plan(c, c.railHeight - kSpindleTopBelow);
    for (float at : {0.25f, 0.75f})
        AppendBoxPiece(c, Moved(a, angle, at * length), angle, kSpindle, kSpindle, c.At(top),
                       c.At(top + spindleTop + at * riser), objtype::kStairRail, c.rail);
}

// The bottom post at the front of the first step (on the base), or the top post at the back
// of the last step (on its top).
void AppendStepPost(const StairContext& c, const Float3DPoint& front, const Float3DPoint& back, float angle,
                    uint8_t& first) {
    if (first) {
        ConstructBaluster(AtV(front, c.baseV), angle, c.owner, c.railHeight + kPostAbove, 0, c.rail);
        first = 0;
    } else if (gPlaceFinalBalusters) {
        ConstructBaluster(AtV(back, c.At(gStairHeightAccum)), angle, c.owner, c.railHeight + kPostAbove, 0, c.rail);
    }
}

}  // namespace

void ConstructBaluster(const Float3DPoint& at, float direction, Objex* owner, float height, int16_t fromGround,
                       const RailMaterial& material) {
    const DocState* ds = CurrentDocState();
    if (!owner || !owner->firstPoint || !ds || !gCurDocument) return;
    StairContext c;
    c.owner = owner, c.ds = ds;
    c.layer = TreeFloor(owner);
    AppendBoxPiece(c, at, direction, 8.0f, 8.0f, fromGround ? 0.0f : at.floatV,
                   at.floatV - ConvertWorldToScreen(height, ds, 0), objtype::kStairRail, material);
}

void AppendStraightHandRail(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                            const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int,
                            float startHeight, float endHeight, float riser) {
    const Float3DPoint a = Toward(edgeStart, oppositeStart, kInset), b = Toward(edgeEnd, oppositeEnd, kInset);
    if (c.framing) {
        AppendBar(c, a, b, oppositeStart, oppositeEnd, kBoardWidth / 2, c.baseV, c.baseV, kBoardDepth,
                  objtype::kStairRail, kFramingLumber);
        return;
    }
    const float bottom = Plan(c, c.railHeight - kRailBottomBelow);
    AppendBar(c, a, b, oppositeStart, oppositeEnd, kRailWidth / 2, c.At(startHeight + bottom),
              c.At(endHeight + riser + bottom), kRailDepth, objtype::kStairRail, c.rail);
}

void AppendStraightStairSpindles(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                                 const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int,
                                 float riser) {
    const Float3DPoint a = Toward(edgeStart, oppositeStart, kInset), b = Toward(edgeEnd, oppositeEnd, kInset);
    AppendSpindlePair(c, a, b, riser);
    AppendStepPost(c, a, b, PlanAngle(a, b), gInitializeStairs);
}

void AppendStairRail(const StairContext& c, const Float3DPoint& edgeStart, const Float3DPoint& edgeEnd,
                     const Float3DPoint& oppositeStart, const Float3DPoint& oppositeEnd, int) {
    const Float3DPoint a = Toward(edgeStart, oppositeStart, kInset), b = Toward(edgeEnd, oppositeEnd, kInset);
    AppendSpindlePair(c, a, b, c.riser);
    const float bottom = Plan(c, c.railHeight - kRailBottomBelow);
    AppendBar(c, a, b, oppositeStart, oppositeEnd, kRailWidth / 2, c.At(gStairHeightAccum + bottom),
              c.At(gStairHeightAccum + c.riser + bottom), kRailDepth, objtype::kCurvedRailPiece, c.rail);
    AppendStepPost(c, a, b, PlanAngle(a, b), gInitializeSteps);
}

void ConstructRail(const StairContext& c, const Float3DPoint& start, const Float3DPoint& end, float direction,
                   bool startPost, bool endPost) {
    if (!c.owner || !c.ds) return;
    const float height = c.framing ? gStairHeightAccum : Plan(c, c.railHeight);
    float spacing = Plan(c, c.framing ? kStudSpacing : kLandingSpacing);
    if (spacing == 0.0f) spacing = 1.0f;
    const Float3DPoint s = startPost ? Moved(start, direction, kPostInset) : start;
    const Float3DPoint e = endPost ? Moved(end, direction, -kPostInset) : end;
    float length = 0;
    PlanAngle(s, e, &length);
    const float fill = length - 4.0f * (int(startPost) + int(endPost));
    const int32_t count = std::max(1, pieceruns::RoundedCount(fill / spacing));
    const float step = fill / float(count);
    const int32_t members = endPost ? count - 1 : count;
    for (int32_t i = 1; i <= members; ++i) {
        const Float3DPoint at = Moved(s, direction, float(i) * step + (startPost ? 4.0f : 0.0f));
        if (c.framing)
            AppendBoxPiece(c, at, direction, kBoardDepth, kBoardWidth, s.floatV, s.floatV - height,
                           objtype::kStairRail, kFramingLumber);
        else
            AppendBoxPiece(c, at, direction, kSpindle, kSpindle, s.floatV, s.floatV - height, objtype::kStairRail,
                           c.rail);
    }
    const Float3DPoint across = Moved(s, direction + kQuarterTurn, 1.0f);
    const Float3DPoint acrossEnd = Moved(e, direction + kQuarterTurn, 1.0f);
    if (c.framing) {
        AppendBar(c, s, e, across, acrossEnd, kBoardWidth / 2, s.floatV, s.floatV, kBoardDepth, objtype::kStairRail,
                  kFramingLumber);
        return;
    }
    AppendBar(c, s, e, across, acrossEnd, kRailWidth / 2, s.floatV - height, e.floatV - height, kRailDepth,
              objtype::kStairRail, c.rail);
    if (startPost) ConstructBaluster(s, direction, c.owner, c.railHeight + kPostAbove, 0, c.rail);
    if (endPost) ConstructBaluster(e, direction, c.owner, c.railHeight + kPostAbove, 0, c.rail);
}
