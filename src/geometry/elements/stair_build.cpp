#include "geometry/elements/stair_build.h"

#include <algorithm>
#include <cmath>

#include "geometry/elements/stair_parts.h"
#include "geometry/elements/stair_rails.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/parallel.h"
#include "model/piece_runs.h"
#include "model/scoped_restore.h"
#include "model/smoothing.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

namespace {

namespace sf = objfield::stair;
using dvx::Restore;

constexpr int32_t kFramingStep = 2203;
constexpr RGBColor kNoColour{0xFFFF, 0xFFFF, 0xFFFF};
constexpr ShortPoint kFullScale{100, 100};
constexpr float kCoarseStep = 0.1f;   // the walk's step in t without a settings record

float Plan(const DocState* ds, float world) { return ConvertWorldToScreen(world, ds, 0); }

Float3DPoint PositionOf(const Poinz* p) { return {p->position[0], p->position[1], p->position[2]}; }

RailMaterial StepMaterial(const Objex* o) {
    return {sf::kStepTexture(*o), sf::kStepColour(*o), o->textureScales[sf::kStepScaleSlot]};
}
RailMaterial RailOf(const Objex* o) {
    return {sf::kRailTexture(*o), sf::kRailColour(*o), o->textureScales[sf::kRailScaleSlot]};
}

// The values one staircase build shares with its builders.
StairContext ContextOf(Objex* stair, const DocState* ds, float rise, float baseV) {
    StairContext c;
    c.owner = stair, c.layer = TreeFloor(stair), c.ds = ds;
    c.baseV = baseV, c.rise = rise;
    c.riser = Plan(ds, sf::kRiser(*stair));
    c.width = Plan(ds, sf::kWidth(*stair));
    c.railHeight = sf::kRailHeight(*stair);
    c.leftRail = sf::kLeftRail(*stair), c.rightRail = sf::kRightRail(*stair);
    c.skirt = sf::kSkirtWalls(*stair);
    c.openSteps = sf::kOpenSteps(*stair);
    c.closedStringer = sf::kClosedStringer(*stair), c.largeBase = sf::kLargeBase(*stair);
    c.framing = ds->framingView != 0;
    c.step = StepMaterial(stair), c.rail = RailOf(stair);
    const Poinz* first = stair->firstPoint;
    c.side = {first->texture1, first->color1, first->faceScale1};
    c.sideFill = first->color1;
    c.stepFill = c.step.colour;
    return c;
}

// What every build of a staircase sets up and puts back on every exit: the framing view's
// lumber in place of the step material and no rails, the built riser in place of the user's
// step height, the document's ID counters. The old parts go first.
class StairBuild {
public:
    StairBuild(Objex* stair, DocState* ds)
        : counters_(ds), riser_(sf::kRiser(*stair)), texture_(sf::kStepTexture(*stair)),
          colour_(sf::kStepColour(*stair)), scale_(stair->textureScales[sf::kStepScaleSlot]),
          left_(sf::kLeftRail(*stair)), right_(sf::kRightRail(*stair)) {
        if (ds->framingView) {
            sf::kStepTexture(*stair) = kFramingStep;
            sf::kStepColour(*stair) = kNoColour;
            stair->textureScales[sf::kStepScaleSlot] = kFullScale;
            sf::kLeftRail(*stair) = sf::kRightRail(*stair) = 0;
        }
        rebuild::DeleteRendererObject(stair);
        DeleteObjectList(stair->firstPart);
        // Whole risers only (100 / 7 builds 14); the 0.01 carries the last one past the top,
        // which ends the walk. A damaged step height of 0 or less builds one riser, a tiny one
        // no more risers than a run holds.
        const float height = sf::kFloorHeight(*stair), wished = riser_.saved();
        const int32_t count = wished > 0 ? pieceruns::WholeCount(double(height) / double(wished)) : 1;
        sf::kRiser(*stair) = float(double(height) / double(std::max(count, 1)) + 0.01);
        rise_ = Plan(ds, height);
        gStairHeightAccum = 0;
        gInitializeStairs = 1;
        gFinalStairSegment = 0;
        gPlaceFinalBalusters = 0;
        gStairStringerHeightAccum = 0;
    }

    float rise() const { return rise_; }

private:
    KeepNumberCounters counters_;
    Restore<float> riser_;
    Restore<int32_t> texture_;
    Restore<RGBColor> colour_;
    Restore<ShortPoint> scale_;
    Restore<int32_t> left_, right_;
    float rise_ = 0;
};

bool Buildable(const Objex* stair) {
    return stair && gCurDocument && stair->type == objtype::kStaircase && stair->pointCount > 1 && stair->rows == 1 &&
           stair->firstPoint;
}

void UpdateCurvedStairObject(Objex* stair, DocState* ds) {
    StairBuild build(stair, ds);
    Restore<int16_t> tension(ds->curveTension);
    gInitializeSteps = 1;
    gCurvedStepCount = 0;
    UpdateStairStyle(sf::kClosedStringer(*stair), gStyleState, stair);
    const StairContext c = ContextOf(stair, ds, build.rise(), stair->firstPoint->position[1]);
    if (!(c.riser > 0)) return;  // a scale that leaves no riser would never end the walk
    for (const Poinz* p = stair->firstPoint; p && p->next && c.rise > gStairHeightAccum; p = p->next)
        UpdateStairSegment(c, p, p->next, gStyleState);
}

}  // namespace

void UpdateStairObject(Objex* stair) {
    if (!Buildable(stair)) return;
    if (stair->subtype == objsubtype::kStraightStair) return UpdateStraightStairObject(stair);
    if (DocState* ds = CurrentDocState()) UpdateCurvedStairObject(stair, ds);
}

void UpdateStraightStairObject(Objex* stair) {
    DocState* ds = CurrentDocState();
    if (!Buildable(stair) || !ds) return;
    StairBuild build(stair, ds);
    UnsmoothObject(stair);  // a straight staircase is always a polyline
    const float half = Plan(ds, sf::kWidth(*stair)) / 2;
    Objex* left = CreateParallelObject(stair, parallel::kSide7, half, 0);
    Objex* right = CreateParallelObject(stair, parallel::kSide8, half, 0);
    if (left && right && left->firstPoint && right->firstPoint) {
        const StairContext c = ContextOf(stair, ds, build.rise(), left->firstPoint->position[1]);
        StairRun run;
        run.leftStart = PositionOf(left->firstPoint), run.rightStart = PositionOf(right->firstPoint);
        run.rise = c.rise, run.baseV = c.baseV;
        run.riser = sf::kRiser(*stair), run.depth = sf::kTread(*stair);
        run.leftRail = c.leftRail, run.rightRail = c.rightRail, run.railHeight = c.railHeight;
        run.step = c.step, run.rail = c.rail, run.sideFill = c.sideFill, run.skirt = c.skirt;
        const Poinz* l = left->firstPoint;
        const Poinz* r = right->firstPoint;
        for (; l->next && r->next && c.rise > gStairHeightAccum; l = l->next, r = r->next, ++run.runIndex) {
            if (!l->next->next) gFinalStairSegment = 1;
            run.leftEnd = PositionOf(l->next), run.rightEnd = PositionOf(r->next);
            UpdateStraightStairSegment(stair, run);
            gInitializeStairs = 0;
            if (l->next->next && r->next->next && c.rise > gStairHeightAccum)
                BuildStairLanding(c, run.leftStart, run.leftEnd, run.rightStart, run.rightEnd,
                                  PositionOf(l->next->next), PositionOf(r->next->next));
        }
    }
    DeleteObj(left);
    DeleteObj(right);
}

void UpdateStairStyle(int16_t, StyleState& record, Objex* stair) {
    const DocState* ds = CurrentDocState();
    if (!stair || stair->type != objtype::kStaircase || !gCurDocument || !ds) return;
    record = StyleState{};
    stairwalk::StepLength(record) = Plan(ds, sf::kTread(*stair));
    stairwalk::Progress(record) = stairwalk::StepLength(record);
}

void UpdateStairSegment(const StairContext& c, const Poinz* point, const Poinz* next, StyleState& record) {
    if (!point || !next) return;
    // A resolution of 0 or less counts as 1: the walk must move forward.
    const float step = c.ds ? 1.0f / (6.0f * float(std::max<int16_t>(c.ds->curveSegments, 1))) : kCoarseStep;
    const float length = WalkedLength(point, next, step);
    if (!std::isfinite(length)) return;  // no curve a step could stand on
    const BoundedWalkStep bounded(record, length);
    Float3DPoint previous = PositionOf(point);
    for (int i = 1;; ++i) {
        const float t = float(i) * step;
        if (!(t <= 1.01f) || !(c.rise > gStairHeightAccum)) break;
        Float3DPoint at;
        GetSplineCoordinate(point, next, t, &at.floatH, &at.floatV, &at.floatD);
        UpdateStairList(c, previous, at, record);
        previous = at;
    }
}

void UpdateStairList(const StairContext& c, const Float3DPoint& from, const Float3DPoint& to, StyleState& record) {
    float rest = 0;
    const float angle = PlanAngle(from, to, &rest);
    Float3DPoint at = from;
    while (rest > 0 && c.rise > gStairHeightAccum) {
        if (gStairHeightAccum + c.riser > c.rise) gPlaceFinalBalusters = 1;
        const float distance = DistanceToNextPiece(record);
        if (rest < distance) {
            stairwalk::Progress(record) += rest;
            return;
        }
        at = Moved(at, angle, distance);
        AppendStairStepObject(c, at.floatH, from.floatV, at.floatD, angle);
        stairwalk::StepPlaced(record) = 0;
        rest -= distance;
        stairwalk::Progress(record) = 0;
    }
}

void UpdateStraightStairSegment(Objex* owner, StairRun& run) {
    const DocState* ds = CurrentDocState();
    if (!owner || !gCurDocument || !ds || !owner->firstPoint) return;
    StairContext c;
    c.owner = owner, c.layer = TreeFloor(owner), c.ds = ds;
    c.baseV = run.baseV, c.rise = run.rise;
    c.riser = Plan(ds, run.riser);
    c.width = owner->type == objtype::kStaircase ? Plan(ds, sf::kWidth(*owner)) : 0.0f;
    c.railHeight = run.railHeight;
    c.leftRail = run.leftRail, c.rightRail = run.rightRail;
    c.skirt = run.skirt;
    c.deck = owner->type == objtype::kDeck;
    c.openSteps = c.deck ? objfield::deck::kStepStyle(*owner) : sf::kOpenSteps(*owner);
    if (!c.deck) c.closedStringer = sf::kClosedStringer(*owner), c.largeBase = sf::kLargeBase(*owner);
    c.framing = ds->framingView != 0;
    c.step = run.step, c.rail = run.rail;
    const Poinz* first = owner->firstPoint;
    c.side = {first->texture1, first->color1, first->faceScale1};
    c.sideFill = run.sideFill;
    c.stepFill = run.step.colour;

    float leftLength = 0, rightLength = 0;
    const float direction = PlanAngle(run.leftStart, run.leftEnd, &leftLength);
    const float rightDirection = PlanAngle(run.rightStart, run.rightEnd, &rightLength);
    // The shorter edge sets the run; the longer one is cut to it along its own direction.
    const float length = std::min(leftLength, rightLength);
    Float3DPoint leftEnd = run.leftEnd, rightEnd = run.rightEnd;
    if (leftLength > length) leftEnd = AtV(Moved(run.leftStart, direction, length), run.leftEnd.floatV);
    if (rightLength > length) rightEnd = AtV(Moved(run.rightStart, rightDirection, length), run.rightEnd.floatV);
    float depth = Plan(ds, run.depth);
    if (depth == 0.0f) depth = 1.0f;
    const int32_t treads = pieceruns::RoundedCount(length / depth);
    const Float3DPoint leftStart = run.leftStart, rightStart = run.rightStart;
    run.leftStart = leftEnd, run.rightStart = rightEnd;
    if (treads <= 0) {
        gStairHeightAccum -= c.riser;
        return;
    }
    const float treadDepth = length / float(treads);
    const float firstTop = gStairHeightAccum + c.riser;
    Float3DPoint previousLeft = leftStart, previousRight = rightStart;
    int32_t built = 0;
    for (int32_t i = 1; i <= treads && !(gStairHeightAccum > c.rise); ++i, ++built) {
        const Float3DPoint left = Moved(leftStart, direction, float(i) * treadDepth);
        const Float3DPoint right = Moved(rightStart, direction, float(i) * treadDepth);
        if (gFinalStairSegment && (i == treads || gStairHeightAccum + c.riser > c.rise)) gPlaceFinalBalusters = 1;
        AppendStraightStairStepObject(c, previousLeft, previousRight, left, right, c.riser);
        previousLeft = left, previousRight = right;
    }
    const float stringerStart = gStairStringerHeightAccum;
    int32_t leftClosing = 0, rightClosing = 0;
    Objex* leftStringer = BuildStaircaseStraightStringer(c, leftStart, direction, treadDepth, c.riser, treads,
                                                         run.runIndex, 1, &leftClosing);
    gStairStringerHeightAccum = stringerStart;
    Objex* rightStringer = BuildStaircaseStraightStringer(c, rightStart, direction, treadDepth, c.riser,
                                                          treads, run.runIndex, 0, &rightClosing);
    BuildStaircaseBottomPaneling(c, leftStringer, rightStringer, leftClosing, rightClosing, run.runIndex);
    // A rail climbs with the treads: on a run the rise ends before its end, it stops at the
    // last tread's back instead of lying on past it at a flatter slope.
    const bool cut = !c.framing && built > 0 && built < treads;
    const Float3DPoint leftRailEnd = cut ? previousLeft : leftEnd, rightRailEnd = cut ? previousRight : rightEnd;
    if (run.leftRail == 1 || c.framing)
        AppendStraightHandRail(c, leftStart, leftRailEnd, rightStart, rightRailEnd, 1, firstTop, gStairHeightAccum,
                               c.riser);
    if (run.rightRail == 1 || c.framing)
        AppendStraightHandRail(c, rightStart, rightRailEnd, leftStart, leftRailEnd, 0, firstTop, gStairHeightAccum,
                               c.riser);
}

void UpdateStairLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) UpdateStairObject(o);
}

void UpdateStairAllLayers(Layer* layer) {
    for (; layer; layer = layer->next) UpdateStairLayer(layer);
}
