#include "geometry/elements/edging_build.h"

#include <algorithm>
#include <cmath>

#include "geometry/elements/fence_build.h"
#include "geometry/elements/stair_state.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/generated_numbers.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/splines.h"
#include "port/random.h"
#include "model/rebuild_table.h"

namespace {

constexpr float kSpacing = 20.0f;
constexpr float kBlock = 8.0f;
constexpr float kBlockLift = 1.0f;    // blocks start this far above the base
constexpr uint32_t kHeights = 13;     // 12 to 24
constexpr float kLowest = 12.0f;
constexpr float kCoarseStep = 0.1f;   // the walk's step in t without a settings record

bool Buildable(const Objex* edging) {
    return edging && gCurDocument && edging->type == objtype::kEdging && edging->pointCount > 1 &&
           edging->rows == 1 && edging->firstPoint;
}

}  // namespace

void UpdateEdgingObject(Objex* edging) {
    if (!Buildable(edging)) return;
    KeepNumberCounters counters(CurrentDocState());
    rebuild::DeleteRendererObject(edging);
    DeleteObjectList(edging->firstPart);
    UpdateEdgingStyle(0, gStyleState, edging);
    const Poinz* p = edging->firstPoint;
    for (; p->next; p = p->next) UpdateEdgingSegment(edging, p, p->next, gStyleState);
    if (edging->closed) UpdateEdgingSegment(edging, p, edging->firstPoint, gStyleState);
}

int16_t UpdateEdgingStyle(int16_t, StyleState& state, Objex* edging) {
    if (!edging) return 0;
    if (edging->type != objtype::kEdging) return 1;
    state = StyleState{};
    stairwalk::StepLength(state) = kSpacing;
    stairwalk::Progress(state) = kSpacing;
    return 0;
}

void UpdateEdgingSegment(Objex* edging, const Poinz* point, const Poinz* next, StyleState& state) {
    if (!edging || !point || !next) return;
    const DocState* ds = CurrentDocState();
    // A resolution of 0 or less counts as 1: the walk must move forward.
    const float step = ds ? 1.0f / (7.0f * float(std::max<int16_t>(ds->curveSegments, 1))) : kCoarseStep;
    const float length = WalkedLength(point, next, step);
    if (!std::isfinite(length)) return;  // no curve a block could stand on
    const BoundedWalkStep bounded(state, length);
    float x0 = point->position[0], y0 = point->position[1], z0 = point->position[2];
    for (int i = 1;; ++i) {
        const float t = float(i) * step;
        if (!(t <= 1.01f)) break;
        float x1 = 0, y1 = 0, z1 = 0;
        GetSplineCoordinate(point, next, t, &x1, &y1, &z1);
        UpdateEdgingList(x0, y0, z0, x1, y1, z1, state, edging);
        x0 = x1, y0 = y1, z0 = z1;
    }
}

void UpdateEdgingList(float x0, float y0, float z0, float x1, float y1, float z1, StyleState& state,
                      Objex* edging) {
    float remaining = 0;
    const Float3DPoint from{x0, y0, z0};
    const float angle = PlanAngle(from, {x1, y1, z1}, &remaining);
    float offset = 0;
    while (remaining > 0) {
        const float need = DistanceToNextPiece(state);
        if (remaining < need) {
            stairwalk::Progress(state) += remaining;
            return;
        }
        offset += need;
        const Float3DPoint at = Moved(from, angle, offset);
        AppendEdgingObject(edging, at.floatH, y0, at.floatD, angle);
        remaining -= need;
        stairwalk::Progress(state) = 0;
    }
}

void AppendEdgingObject(Objex* edging, float x, float y, float z, float angle) {
    if (!edging || !edging->firstPoint) return;
    const float height = kLowest + float(port::RandomNumber() % kHeights);
    StairContext c;
    c.owner = edging, c.ds = CurrentDocState();
    c.layer = TreeFloor(edging);
    Objex* block = AppendBoxPiece(c, {x, y, z}, angle, kBlock, kBlock, y - kBlockLift, y - height,
                                  objtype::kEdging, {});
    DressLikePoint(block, edging->firstPoint);
}

void UpdateEdgingLayer(Layer* layer) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) UpdateEdgingObject(o);
}

void UpdateEdgingAllLayers(Layer* firstLayer) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateEdgingLayer(layer);
}
