#include "geometry/elements/rail_build.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/elements/stair_rails.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "model/scoped_restore.h"
#include "model/smoothing.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "port/seam.h"
#include "model/rebuild_table.h"
#include "model/poly_builders.h"

uint8_t gInitializeRailing = 0;
Float3DPoint gPrevRailPt;
uint8_t gBuildingCurvedDeck = 0;

static const port::GlobalReset kReset([] {
    gInitializeRailing = 0;
    gPrevRailPt = Float3DPoint{};
    gBuildingCurvedDeck = 0;
});

namespace {

namespace rf = objfield::railing;

constexpr float kQuarterTurn = 1.57079632679f;
constexpr float kSpindle = 2.0f;
constexpr float kRailHalfWidth = 2.0f;
constexpr float kRailDepth = 2.0f;
constexpr float kPostAbove = 4.0f;      // world, above the rail height
constexpr float kSpindleAbove = 0.5f;   // world, curved railings' spindles above the rail height
constexpr float kCoarseStep = 0.1f;     // the walk's step in t without a settings record

Float3DPoint PositionOf(const Poinz* p) { return {p->position[0], p->position[1], p->position[2]}; }

bool HasTangent(const Poinz* p) {
    for (int i = 0; i < 3; ++i)
        if (p->inTangent[i] != 0.0f || std::isnan(p->inTangent[i]) || p->outTangent[i] != 0.0f ||
            std::isnan(p->outTangent[i]))
            return true;
    return false;
}

bool Buildable(const Objex* railing) {
    return railing && gCurDocument && railing->type == objtype::kRailing && railing->pointCount > 1 &&
           railing->rows == 1 && railing->firstPoint;
}

bool HasPost(const Poinz* p) { return (rf::kPointFlags(*p) & rf::kPostAtPoint) != 0; }

RailMaterial RailOf(const Objex* o) {
    return {rf::kRailTexture(*o), rf::kRailColour(*o), o->textureScales[rf::kRailScaleSlot]};
}

StairContext ContextOf(Objex* owner, const DocState* ds) {
    StairContext c;
    c.owner = owner, c.ds = ds;
    c.layer = TreeFloor(owner);
    return c;
}

float Plan(const DocState* ds, float world) { return ConvertWorldToScreen(world, ds, 0); }

// A converted spacing of 0 would never move along the line, a negative one (a damaged file)
// would walk backward for ever, a tiny one would stand spindles inside each other: all count as
// the least spindle spacing.
float SpacingOf(const DocState* ds, float world) { return pieceruns::SpindleSpacing(Plan(ds, world)); }

// A rail 4.0 wide centred on a -> b and 2.0 deep, its underside at the V given for each end.
void AppendRail(const StairContext& c, const Float3DPoint& a, const Float3DPoint& b, float lowA, float lowB,
                int16_t type, const RailMaterial& m) {
    const float across = PlanAngle(a, b) + kQuarterTurn;
    const Float3DPoint corners[4] = {Moved(a, across, -kRailHalfWidth), Moved(a, across, kRailHalfWidth),
                                     Moved(b, across, kRailHalfWidth), Moved(b, across, -kRailHalfWidth)};
    const float low[4] = {lowA, lowA, lowB, lowB};
    Float3DPoint lower[4], upper[4];
    for (int i = 0; i < 4; ++i) lower[i] = AtV(corners[i], low[i]), upper[i] = AtV(corners[i], low[i] - kRailDepth);
    AppendSolidPiece(c, lower, upper, 4, type, m, m.colour);
}

// The spindle of a curved railing, deck or not, `height` plan units high, and its rails back
// to the previous one.
void AppendCurvedSpindle(Objex* owner, const Float3DPoint& at, float direction, float height,
                         const RailMaterial& m, bool keep) {
    const DocState* ds = CurrentDocState();
    if (!owner || !ds || !gCurDocument) return;
    const StairContext c = ContextOf(owner, ds);
    if (keep)
        AppendBoxPiece(c, at, direction, kSpindle, kSpindle, at.floatV, at.floatV - height, objtype::kStairRail, m);
    if (gInitializeRailing) {
        gInitializeRailing = 0;
    } else {
        const Float3DPoint from = AtV(gPrevRailPt, at.floatV);
        AppendRail(c, from, at, at.floatV - height, at.floatV - height, objtype::kCurvedRailPiece, m);
        AppendRail(c, from, at, at.floatV, at.floatV, objtype::kCurvedRailPiece, m);
    }
    gPrevRailPt = at;
}

void Post(Objex* railing, const Poinz* at, float direction) {
    ConstructBaluster(PositionOf(at), direction, railing, rf::kHeight(*railing) + kPostAbove, 0, RailOf(railing));
}

float PairDirection(const Poinz* p, const Poinz* next) { return PlanAngle(PositionOf(p), PositionOf(next)); }

void UpdateCurvedRailObject(Objex* railing, DocState* ds) {
    KeepNumberCounters counters(ds);
    dvx::Restore<int16_t> tension(ds->curveTension);
    rebuild::DeleteRendererObject(railing);
    DeleteObjectList(railing->firstPart);
    UpdateRailStyle(gStyleState, railing);
    gInitializeRailing = 1;
    const Poinz* p = railing->firstPoint;
    float direction = 0;
    for (; p->next; p = p->next) {
        direction = PairDirection(p, p->next);
        if (HasPost(p)) Post(railing, p, direction);
        UpdateRailSegment(railing, p, p->next, gStyleState);
    }
    if (HasPost(p)) Post(railing, p, direction);
}

}  // namespace

void UpdateRailObject(Objex* railing) {
    if (!Buildable(railing)) return;
    bool curved = false;
    for (const Poinz* p = railing->firstPoint; p && !curved; p = p->next) curved = HasTangent(p);
    railing->subtype = curved ? objsubtype::kCurvedRailing : objsubtype::kStraightRailing;
    if (!curved) return UpdateStraightRailObject(railing);
    if (DocState* ds = CurrentDocState()) UpdateCurvedRailObject(railing, ds);
}

void UpdateStraightRailObject(Objex* railing) {
    DocState* ds = CurrentDocState();
    if (!Buildable(railing) || !ds) return;
    KeepNumberCounters counters(ds);
    rebuild::DeleteRendererObject(railing);
    DeleteObjectList(railing->firstPart);
    UnsmoothObject(railing);
    gInitializeRailing = 1;
    for (const Poinz* p = railing->firstPoint; p->next; p = p->next) {
        const float direction = PairDirection(p, p->next);
        if (p == railing->firstPoint && HasPost(p)) Post(railing, p, direction);
        ConstructRailing(PositionOf(p), PositionOf(p->next), direction, railing, rf::kHeight(*railing),
                         rf::kBalusterSpacing(*railing), RailOf(railing));
        if (HasPost(p->next)) Post(railing, p->next, direction);
    }
}

void UpdateRailStyle(StyleState& record, Objex* railing) {
    const DocState* ds = CurrentDocState();
    if (!railing || railing->type != objtype::kRailing || !ds) return;
    record = StyleState{};
    stairwalk::StepLength(record) = SpacingOf(ds, rf::kBalusterSpacing(*railing));
    stairwalk::Progress(record) = stairwalk::StepLength(record);
}

void UpdateRailSegment(Objex* railing, const Poinz* point, const Poinz* next, StyleState& record) {
    if (!railing || !point || !next) return;
    const DocState* ds = CurrentDocState();
    // A resolution of 0 or less counts as 1: the walk must move forward.
    const float step = ds ? 1.0f / (8.0f * float(std::max<int16_t>(ds->curveSegments, 1))) : kCoarseStep;
    const float length = WalkedLength(point, next, step);
    if (!std::isfinite(length)) return;  // no curve a spindle could stand on
    const BoundedWalkStep bounded(record, length);
    Float3DPoint previous = PositionOf(point);
    for (int i = 1;; ++i) {
        const float t = float(i) * step;
        if (!(t <= 1.01f)) break;  // also ends the walk on a t that is not a number
        Float3DPoint at;
        GetSplineCoordinate(point, next, t, &at.floatH, &at.floatV, &at.floatD);
        UpdateRailList(previous, at, record, railing);
        previous = at;
    }
}

void UpdateRailList(const Float3DPoint& from, const Float3DPoint& to, StyleState& record, Objex* railing) {
    float rest = 0;
    const float angle = PlanAngle(from, to, &rest);
    Float3DPoint at = from;
    while (rest > 0) {
        const float distance = DistanceToNextPiece(record);
        if (rest < distance) {
            stairwalk::Progress(record) += rest;
            return;
        }
        at = Moved(at, angle, distance);
        AppendRailSpindle(railing, at.floatH, from.floatV, at.floatD, angle);
        stairwalk::StepPlaced(record) = 0;
        rest -= distance;
        stairwalk::Progress(record) = 0;
    }
}

void AppendRailSpindle(Objex* railing, float h, float v, float d, float direction) {
    const DocState* ds = CurrentDocState();
    if (!railing || !ds) return;
    AppendCurvedSpindle(railing, {h, v, d}, direction, Plan(ds, rf::kHeight(*railing) + kSpindleAbove),
                        RailOf(railing), true);
}

void StartDeckRail(Objex*) { gInitializeRailing = 1; }

void AppendDeckRailSpindle(Objex* owner, float h, float v, float d, float direction, float railHeight,
                           const RailMaterial& material, int16_t keep) {
    const DocState* ds = CurrentDocState();
    if (!owner || !ds) return;
    AppendCurvedSpindle(owner, {h, v, d}, direction, Plan(ds, railHeight), material, keep != 0);
}

void ConstructRailing(const Float3DPoint& start, const Float3DPoint& end, float direction, Objex* owner,
                      float railHeight, float spacing, const RailMaterial& material) {
    const DocState* ds = CurrentDocState();
    if (!owner || !ds || !gCurDocument) return;
    const StairContext c = ContextOf(owner, ds);
    const float height = Plan(ds, railHeight);
    const float s = SpacingOf(ds, spacing);
    float length = 0;
    PlanAngle(start, end, &length);
    if (!std::isfinite(length)) return;  // no span a spindle could stand on
    const int32_t count = std::max(1, pieceruns::RoundedCount(length / s));
    const float step = length / float(count);
    for (int32_t i = 0; i <= count; ++i)
        AppendBoxPiece(c, Moved(start, direction, float(i) * step), direction, kSpindle, kSpindle, start.floatV,
                       start.floatV - height, objtype::kStairRail, material);
    const int16_t railType = gBuildingCurvedDeck ? objtype::kCurvedRailPiece : objtype::kStairRail;
    AppendRail(c, start, end, start.floatV - height, end.floatV - height, railType, material);
    AppendRail(c, start, end, start.floatV, end.floatV, railType, material);
}

void ConstructCurvedRailSpan(Objex* railing) {
    const DocState* ds = CurrentDocState();
    if (!Buildable(railing) || !ds) return;
    const float height = Plan(ds, rf::kHeight(*railing));
    std::vector<Float3DPoint> lower, upper, in, out;
    for (const Poinz* p = railing->firstPoint; p; p = p->next) {
        lower.push_back(PositionOf(p));
        upper.push_back(AtV(PositionOf(p), p->position[1] - height));
        in.push_back({p->inTangent[0], p->inTangent[1], p->inTangent[2]});
        out.push_back({p->outTangent[0], p->outTangent[1], p->outTangent[2]});
    }
    const StairContext c = ContextOf(railing, ds);
    if (!c.layer) return;
    Objex* panel = BuildOpenPoly(lower.data(), upper.data(), in.data(), out.data(), in.data(), out.data(),
                                 int32_t(lower.size()), c.layer, 1);
    const RailMaterial m{rf::kPanelTexture(*railing), rf::kPanelColour(*railing),
                         railing->textureScales[rf::kPanelScaleSlot]};
    if (Objex* piece = HangBuiltPiece(c, panel, objtype::kStairRail, m, m.colour))
        piece->subtype = objsubtype::kPanelRailing;
}

void ConstructTexturedRailing(const Float3DPoint& start, float direction, float length, Objex* railing,
                              const RailMaterial& material) {
    const DocState* ds = CurrentDocState();
    if (!railing || !ds || !gCurDocument) return;
    const float top = start.floatV - Plan(ds, rf::kHeight(*railing));
    const Float3DPoint end = Moved(start, direction, length);
    const Float3DPoint corners[4] = {start, end, AtV(end, top), AtV(start, top)};
    if (Objex* piece = AppendFlatPiece(ContextOf(railing, ds), corners, 4, objtype::kStairRail, material,
                                       material.colour))
        piece->subtype = objsubtype::kPanelRailing;
}

void UpdateRailLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) UpdateRailObject(o);
}

void UpdateRailAllLayers(Layer* layer) {
    for (; layer; layer = layer->next) UpdateRailLayer(layer);
}
