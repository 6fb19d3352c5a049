#include "model/sweeps.h"

#include <cmath>
#include <utility>
#include <vector>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"

namespace {

constexpr int H = 0;
constexpr int V = 1;
constexpr int D = 2;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
// Single-precision angles land a hair above whole quarter turns (pi as a float is
// 180.000005 degrees); such a hair does not make another step.
constexpr double kStepTolerance = 1e-5;
constexpr double kMaxSteps = 32000.0;

bool HasOneRow(const Objex* object) {
    return object->rows <= 1;
}

std::vector<const Poinz*> PointsOf(const Objex* object) {
    std::vector<const Poinz*> points;
    for (const Poinz* p = object->firstPoint; p; p = p->next) points.push_back(p);
    return points;
}

Poinz* CopyPoint(const Poinz* p, Objex* owner) {
    return CreatePoint(p->kind, p->selected, p->locked, p->inTangent[H], p->inTangent[V],
                       p->inTangent[D], p->position[H], p->position[V], p->position[D],
                       p->outTangent[H], p->outTangent[V], p->outTangent[D], p->acrossTangent[H],
                       p->acrossTangent[V], p->acrossTangent[D], owner);
}

// Takes back every point appended after the original ones, so a failed sweep leaves the
// object as it was.
void DropAppended(Objex* object, size_t originalCount) {
    Poinz* last = object->firstPoint;
    for (size_t i = 1; last && i < originalCount; ++i) last = last->next;
    if (!last) return;
    Poinz* p = last->next;
    last->next = nullptr;
    while (p) {
        Poinz* next = p->next;
        delete p;
        p = next;
    }
    object->pointCount = static_cast<int32_t>(originalCount);
}

void StoreBounds(Objex* object) {
    object->bounds = EmptyFloatRect();
    GetObjectBounds(object, 0, &object->bounds, 0, 0);
    object->bounds3D = EmptyFloat3DRect();
    GetObject3DBounds(object, 0, &object->bounds3D, 0);
    PlanIndexBoundsChanged(object);
}

void SwapAxes(Objex* object, int a, int b) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        std::swap(p->position[a], p->position[b]);
        std::swap(p->inTangent[a], p->inTangent[b]);
        std::swap(p->outTangent[a], p->outTangent[b]);
    }
}

}  // namespace

void ExtrudeObject(Objex* object, float distance) {
    const DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds || !object || !HasOneRow(object)) return;
    int axis = 0;
    switch (ds->viewKind) {
    case 2: axis = V; break;
    case 1: axis = D; break;
    case 3: axis = H; break;
    default: return;
    }
    const std::vector<const Poinz*> row = PointsOf(object);
    if (row.empty()) return;
    Poinz* tail = nullptr;
    for (const Poinz* p : row) {
        Poinz* copy = CopyPoint(p, object);
        if (!copy) {
            DropAppended(object, row.size());
            return;
        }
        copy->position[axis] += distance;
        tail = AppendPointAfter(copy, object, tail);
    }
    object->rows = 2;
    StoreBounds(object);
    SetTextureFaceUV(object);
    SetObjectPointLengths(object);
}

void RevolveObject(Objex* object, TransformRecord* record) {
    if (!object || !record || !gCurDocument || !CurrentDocState() || !HasOneRow(object)) return;
    const std::vector<const Poinz*> row = PointsOf(object);
    if (row.empty()) return;

    float* r = record->values;
    const float degrees = static_cast<float>(r[xform::kRevolveAngle] * kDegreesPerRadian);
    // A damaged angle must not ask for more rows than the row count can hold.
    if (!std::isfinite(degrees) || std::fabs(degrees) / 90.0 > kMaxSteps) return;
    int32_t steps = static_cast<int32_t>(std::ceil(std::fabs(degrees) / 90.0 - kStepTolerance));
    if (steps < 1) steps = 1;
    const float step = static_cast<float>((degrees / static_cast<float>(steps)) * kRadiansPerDegree);
    const float start = r[xform::kStartAngle];

    Poinz* tail = nullptr;
    for (int32_t i = 1; i <= steps; ++i) {
        r[xform::kCurrentAngle] = start + static_cast<float>(i) * step;
        for (const Poinz* p : row) {
            Poinz* copy = CopyPoint(p, object);
            if (!copy) {
                DropAppended(object, row.size());
                return;
            }
            RotatePoint(copy, 0, record);
            tail = AppendPointAfter(copy, object, tail);
        }
    }
    object->rows = static_cast<int16_t>(steps + 1);
    StoreBounds(object);
}

void ConvertXYtoXZ(Objex* object) {
    SwapAxes(object, V, D);
}

void ConvertXYtoZY(Objex* object) {
    SwapAxes(object, H, D);
}

void FlattenObjectToXZPlane(Objex* object, uint8_t recursive) {
    if (!object) return;
    for (Poinz* p = object->firstPoint; p; p = p->next) {
        p->position[D] = p->position[V];
        p->position[V] = 0.0f;
    }
    if (!recursive) return;
    for (Objex* child = object->firstChild; child; child = child->next)
        FlattenObjectToXZPlane(child, recursive);
}
