#include "plan/selection_feedback.h"

#include <initializer_list>

#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/plan_lines.h"
#include "plan/point_evaluation.h"
#include "model/plan_objects.h"
#include "model/selection_feedback_hooks.h"
#include "port/seam.h"
#include "model/wall_dimension_limit.h"

namespace {

constexpr float kEmpty = -32000.0f;
constexpr float kPresentAbove = -30000.0f;
constexpr float kProbeLength = 32000.0f;
constexpr float kNearest = 10.0f;    // a clearance this short or shorter is not shown
constexpr float kFarthest = 30000.0f;
constexpr float kBarbLength = 30.0f;
constexpr float kPi = 3.14159265358979f;

void Empty(FloatPoint& start, FloatPoint& end) { start = end = {kEmpty, kEmpty}; }

bool Present(const FloatPoint& start, const FloatPoint& end) {
    for (float c : {start.floatH, start.floatV, end.floatH, end.floatV})
        if (c > kPresentAbove) return true;
    return false;
}

}  // namespace

FloatPoint gSelectedWallSegmentStartPtSideA{kEmpty, kEmpty};
FloatPoint gSelectedWallSegmentEndPtSideA{kEmpty, kEmpty};
FloatPoint gSelectedWallSegmentStartPtSideB{kEmpty, kEmpty};
FloatPoint gSelectedWallSegmentEndPtSideB{kEmpty, kEmpty};
static const port::GlobalReset kReset([] {
    Empty(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA);
    Empty(gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
});

namespace {

// Both sides once, in the current context or (dynamic) the engine; whether any was present.
bool DrawStoredClearances(uint8_t dynamic) {
    auto draw = [dynamic](const FloatPoint& from, const FloatPoint& to, uint8_t oneSided) {
        gSelectionState = 1;
        DrawDimensionLineNoOffset(nullptr, from.floatH, from.floatV, to.floatH, to.floatV, from.floatH,
                                  from.floatV, to.floatH, to.floatV, 1, 0, dynamic, &from, &to, 0, oneSided,
                                  0, 0, nullptr);
        gSelectionState = 0;
    };
    const bool sideA = Present(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA);
    if (sideA) {
        draw(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA, 0);
        Empty(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA);
    }
    const bool sideB = Present(gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
    if (sideB) {
        draw(gSelectedWallSegmentEndPtSideB, gSelectedWallSegmentStartPtSideB, sideA ? 1 : 0);
        Empty(gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
    }
    return sideA || sideB;
}

void Line(Objex* object, const float* a, const float* b) {
    DrawLine(nullptr, a[0], a[1], a[2], b[0], b[1], b[2], 0, object, nullptr);
}

}  // namespace

void DrawSelectionLine(Objex* object) {
    if (!object || !object->firstPoint) return;
    const Poinz* from = nullptr;
    const Poinz* tip = nullptr;
    for (const Poinz* p = object->firstPoint; p->next; p = p->next) {
        Line(object, p->position, p->next->position);
        from = p, tip = p->next;
    }
    if (object->closed && tip) {
        Line(object, tip->position, object->firstPoint->position);
        from = tip, tip = object->firstPoint;
    }
    if (object->type != objtype::kSlopeArrow || !tip) return;
    // The barbs point back along the last segment drawn.
    float length = 0;
    const float back = GetLineLengthAndAngle(tip->position[0], tip->position[2], from->position[0],
                                             from->position[2], &length);
    const float t[3] = {tip->position[0], 0, tip->position[2]};
    for (float turn : {kPi / 4, -kPi / 4}) {
        float dh = 0, dd = 0;
        GetPointFromLengthAndAngle(back + turn, kBarbLength, &dh, &dd);
        const float barb[3] = {t[0] + dh, 0, t[2] + dd};
        Line(object, t, barb);
    }
}

void GetWallDimensionPoint(Objex* wall, Poinz* start, Poinz* end, FloatPoint* base,
                           FloatPoint* farPoint, uint8_t side, float* outAngle, float segmentAngle) {
    if (!wall || wall->type != objtype::kWall || !base || !farPoint || !outAngle || !gCurDocument ||
        !gCurDocument->itsCurLayer)
        return;
    const float across = segmentAngle + (side ? kPi / 2 : -kPi / 2);
    *outAngle = across;
    float dh = 0, dv = 0;
    GetPointFromLengthAndAngle(across, kProbeLength, &dh, &dv);
    *farPoint = {base->floatH + dh, base->floatV + dv};
    LimitWallDimension(base, farPoint, gCurDocument->itsCurLayer, start, end);
}

void DrawDimensionWallSegmentSelection(Objex* wall, Poinz* start, Poinz* end, int32_t clickH,
                                       int32_t clickV) {
    if (!wall || wall->type != objtype::kWall || !start || !end || !start->selected || !end->selected) return;
    float x = 0, y = 0, z = 0;
    EvaluateViewPoint(clickH, clickV, &x, &y, &z, 0, nullptr, 1);
    const float sh = start->position[0], sd = start->position[2], eh = end->position[0], ed = end->position[2];
    float length = 0;
    const float a = GetLineLengthAndAngle(sh, sd, eh, ed, &length);
    FloatPoint foot;
    GetPerpIntersection(sh, sd, eh, ed, x, z, &foot.floatH, &foot.floatV);

    auto measure = [&](uint8_t side, FloatPoint& storedStart, FloatPoint& storedEnd) {
        FloatPoint base = foot, far{kEmpty, kEmpty};
        float angle = 0;
        GetWallDimensionPoint(wall, start, end, &base, &far, side, &angle, a);
        const float reach = GetLineLength(base.floatH, base.floatV, far.floatH, far.floatV);
        if (reach > kNearest && reach < kFarthest) storedStart = base, storedEnd = far;
    };
    measure(1, gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA);
    measure(0, gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
}

void ApplePortDrawDimensionWallSegmentSelection() { DrawStoredClearances(0); }

bool WallSegmentClearancesStored() {
    return Present(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA) ||
           Present(gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
}

int16_t ClearDimensionWallSegmentSelection() { return DrawStoredClearances(1) ? 1 : 0; }

void DrawSelectionDimension(Objex* wall) {
    if (!wall || wall->type != objtype::kWall || !wall->firstPoint) return;
    auto dimension = [](const Poinz* p, const Poinz* q) {
        DrawDimensionLine(nullptr, p->position[0], p->position[2], q->position[0], q->position[2], p->position[0],
                          p->position[2], q->position[0], q->position[2], 1, 5, 1, p, q, 0, 0, 5, 0, nullptr);
    };
    const Poinz* last = wall->firstPoint;
    for (const Poinz* p = wall->firstPoint; p->next; p = p->next) dimension(p, p->next), last = p->next;
    if (wall->closed && last != wall->firstPoint) dimension(last, wall->firstPoint);
}

void RegisterSelectionFeedback() {
    RegisterSelectionFeedbackHooks({DrawSelectionLine, ClearDimensionWallSegmentSelection});
}
