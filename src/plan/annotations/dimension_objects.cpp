// The dimension objects of the plan, drawn by the frame through the line routines.
#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/view_state.h"
#include "plan/annotations/arrowheads.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/plan_lines.h"
#include "plan/zoom.h"

namespace {

constexpr float kQuarterTurn = 1.5707963267948966f;
constexpr int16_t kFilledTriangle = 5086;
constexpr int kH = 0, kV = 1, kD = 2;

// The object's first `n` points; false when it has fewer.
template <int n>
bool FirstPoints(const Objex* object, const Poinz* (&points)[n]) {
    const Poinz* p = object ? object->firstPoint : nullptr;
    for (const Poinz*& slot : points) {
        if (!p) return false;
        slot = p;
        p = p->next;
    }
    return CurrentDocState() != nullptr;
}

// A plan line from `from` shortened by ZoomF(10) at its start, to `to`.
void ShortenedLine(void* dc, const Objex* object, const Poinz* from, const Poinz* to) {
    float length = 0.0f, dh = 0.0f, dd = 0.0f;
    const float a = GetLineLengthAndAngle(from->position[kH], from->position[kD], to->position[kH],
                                          to->position[kD], &length);
    GetPointFromLengthAndAngle(a, ZoomF(10.0f), &dh, &dd);
    DrawLine(dc, from->position[kH] + dh, from->position[kV], from->position[kD] + dd,
             to->position[kH], to->position[kV], to->position[kD], 0, object, from);
}

// The no-offset dimension between two plan points, side non-zero.
void Measure(void* dc, const Objex* object, const void* reference, float h1, float v1, float h2,
             float v2) {
    DrawDimensionLineNoOffset(dc, h1, v1, h2, v2, h1, v1, h2, v2, 1, 0.0f, 0, object, reference,
                              0, 0, 0.0f, 0, nullptr);
}

}  // namespace

void DrawDimensionPerimeter(void* dc, const Objex* object) {
    const Poinz* p[4];
    if (!FirstPoints(object, p)) return;
    ShortenedLine(dc, object, p[0], p[1]);
    Measure(dc, object, object, p[1]->position[kH], p[1]->position[kD], p[2]->position[kH],
            p[2]->position[kD]);
    ShortenedLine(dc, object, p[3], p[2]);
}

void DrawDiameterDimension(void* dc, const Objex* object) {
    const Poinz* p[2];
    if (!FirstPoints(object, p)) return;
    Measure(dc, object, object, p[0]->position[kH], p[0]->position[kD], p[1]->position[kH],
            p[1]->position[kD]);
}

void DrawLeaderDimension(void* dc, const Objex* object) {
    const Poinz* p[3];
    if (!FirstPoints(object, p)) return;
    for (int i = 0; i < 2; ++i)
        DrawLine(dc, p[i]->position[kH], p[i]->position[kV], p[i]->position[kD],
                 p[i + 1]->position[kH], p[i + 1]->position[kV], p[i + 1]->position[kD], 0,
                 object, p[i]);
    float tip[3] = {p[0]->position[kH], p[0]->position[kV], p[0]->position[kD]};
    float back[3] = {p[1]->position[kH], p[1]->position[kV], p[1]->position[kD]};
    ConvertToIso(&tip[0], &tip[1], &tip[2], &back[0], &back[1], &back[2], gPerspective);
    DrawDimensionArrow(dc, tip[0], tip[1], back[0], back[1], kFilledTriangle, 0);
}

void DrawDimensionAttachment(void* dc, const Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!ds || !object || !object->parent || object->parent->type != objtype::kWall) return;
    const AttachmentRecord* record = object->typeData.kind == TypeDataKind::Attachment
                                         ? object->typeData.attachment
                                         : nullptr;
    if (!record || !record->segmentStart || !record->segmentEnd) return;
    const Objex* wall = object->parent;
    const float* start = record->segmentStart->position;
    const float* end = record->segmentEnd->position;
    float length = 0.0f;
    const float a = GetLineLengthAndAngle(start[kH], start[kD], end[kH], end[kD], &length);
    const float s = a + (record->sideFlag ? kQuarterTurn : -kQuarterTurn);
    auto move = [](float* h, float* v, float angle, float by) {
        float dh = 0.0f, dv = 0.0f;
        GetPointFromLengthAndAngle(angle, by, &dh, &dv);
        *h += dh, *v += dv;
    };
    float h = start[kH], v = start[kD];
    move(&h, &v, a, record->centreDistance);
    // Measured from the wall's face rather than its centre line.
    if (object->firstPoint && object->firstPoint->dimensionMethod)
        move(&h, &v, s, ConvertWorldToScreen(wall->penWidth, ds, 0) / 2.0f);
    float farH = h, farV = v;
    move(&farH, &farV, s, record->height);
    Measure(dc, object, wall, h, v, farH, farV);
}
