#include "model/transforms.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/units.h"
#include "model/zoom_units.h"

void Translate(float* x, float* y, float dx, float dy) {
    if (!x || !y) return;
    *x += dx;
    *y += dy;
}

float GetTranslate(float from, float to) { return to - from; }

void Scale(float* x, float* y, float ox, float oy, float fx, float fy) {
    if (!x || !y) return;
    *x = ox + (*x - ox) * fx;
    *y = oy + (*y - oy) * fy;
}

float GetScale(float from, float to, float origin) {
    if (from == origin) return 1.0f;
    return (to - origin) / (from - origin);
}

void Shear(float x0, float y0, float x1, float y1, float* x, float* y, float ox, float oy) {
    if (!x || !y) return;
    const float px = *x, py = *y;
    const float shiftX = y0 == oy ? 0.0f : (py - oy) / (y0 - oy) * (x1 - x0);
    const float shiftY = x0 == ox ? 0.0f : (px - ox) / (x0 - ox) * (y1 - y0);
    *x = px + shiftX;
    *y = py + shiftY;
}

void Rotate(float* x, float* y, float cx, float cy, float angle) {
    if (!x || !y) return;
    float length = 0.0f;
    const float start = GetLineLengthAndAngle(cx, cy, *x, *y, &length);
    float dx = 0.0f, dy = 0.0f;
    GetPointFromLengthAndAngle(start + angle, length, &dx, &dy);
    *x = cx + dx;
    *y = cy + dy;
}

float GetRotate(float a0, float a1) {
    const float pi = std::numbers::pi_v<float>;
    if (a0 > pi) a0 -= 2.0f * pi;
    if (a1 > pi) a1 -= 2.0f * pi;
    return a1 - a0;
}

float ConvertWorldToScreen(float length, const DocState* docState, uint8_t zoom) {
    if (!docState) return length;
    float screen = GetInchesFromWorld(length, docState) / docState->planScale * 72.0f;
    if (zoom) screen = ZoomF(screen);
    return screen;
}

float ConvertScreenToWorld(float length, const DocState* docState, uint8_t zoom) {
    if (!docState) return length;
    float world = GetWorldFromInches(length / 72.0f * docState->planScale, docState);
    if (zoom) world = ZoomF(world);
    return world;
}

namespace {

// The two coordinates (H 0, V 1, D 2) the current view transforms; false for other views.
bool ViewAxes(int* first, int* second) {
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    switch (ds->viewKind) {
    case 2: *first = 0; *second = 2; return true;
    case 1: *first = 0; *second = 1; return true;
    case 3: *first = 2; *second = 1; return true;
    default: return false;
    }
}

// Whether a per-point transform applies to the point, and in which axes.
bool Applies(const Poinz* point, int32_t flags, const TransformRecord* record, int* a1, int* a2) {
    if (!point || !record || !ViewAxes(a1, a2)) return false;
    if ((flags & xform::kSelectedOnly) && (!point->selected || point->locked)) return false;
    return true;
}

bool IsZeroInView(const float* v, int a1, int a2) { return v[a1] == 0.0f && v[a2] == 0.0f; }

}  // namespace

void TranslatePoint(Poinz* point, int32_t flags, const TransformRecord* record) {
    int a1, a2;
    if (!Applies(point, flags, record, &a1, &a2)) return;
    const float* r = record->values;
    float d1 = r[xform::kCurrentH + a1] - r[xform::kStartH + a1];
    float d2 = r[xform::kCurrentH + a2] - r[xform::kStartH + a2];
    if (flags & xform::kConstrain) {
        if (std::fabs(d1) <= std::fabs(d2)) d1 = 0.0f;
        else d2 = 0.0f;
    }
    point->position[a1] += d1;
    point->position[a2] += d2;
}

void ScalePoint(Poinz* point, int32_t flags, const TransformRecord* record) {
    int a1, a2;
    if (!Applies(point, flags, record, &a1, &a2)) return;
    const float* r = record->values;
    float factor[3] = {1.0f, 1.0f, 1.0f};
    for (int a : {a1, a2}) factor[a] = GetScale(r[xform::kStartH + a], r[xform::kCurrentH + a], r[xform::kOriginH + a]);
    // Shift keeps the height in proportion: V takes the horizontal factor, whatever the view.
    if (flags & xform::kConstrain) factor[1] = factor[0];
    if (factor[0] == 1.0f && factor[1] == 1.0f && factor[2] == 1.0f) return;
    for (int a = 0; a < 3; ++a) {
        const float origin = r[xform::kOriginH + a];
        if (factor[a] != 1.0f) point->position[a] = origin + (point->position[a] - origin) * factor[a];
    }
    for (float* tangent : {point->inTangent, point->outTangent}) {
        tangent[a1] *= factor[a1];
        tangent[a2] *= factor[a2];
    }
}

void RotatePoint(Poinz* point, int32_t flags, const TransformRecord* record) {
    int a1, a2;
    if (!Applies(point, flags, record, &a1, &a2)) return;
    const float* r = record->values;
    const float rotation = GetRotate(r[xform::kStartAngle], r[xform::kCurrentAngle]);
    if (rotation == 0.0f) return;
    Rotate(&point->position[a1], &point->position[a2], r[xform::kOriginH + a1], r[xform::kOriginH + a2], rotation);
    for (float* tangent : {point->inTangent, point->outTangent})
        if (!IsZeroInView(tangent, a1, a2)) Rotate(&tangent[a1], &tangent[a2], 0.0f, 0.0f, rotation);
}

void ShearPoint(Poinz* point, int32_t flags, const TransformRecord* record) {
    int a1, a2;
    if (!Applies(point, flags, record, &a1, &a2)) return;
    const float* r = record->values;
    const float x0 = r[xform::kStartH + a1], y0 = r[xform::kStartH + a2];
    const float x1 = r[xform::kCurrentH + a1], y1 = r[xform::kCurrentH + a2];
    const float ox = r[xform::kOriginH + a1], oy = r[xform::kOriginH + a2];
    const float old1 = point->position[a1], old2 = point->position[a2];
    Shear(x0, y0, x1, y1, &point->position[a1], &point->position[a2], ox, oy);
    // Tangents are sheared by their end points and kept relative to the new position.
    for (float* tangent : {point->inTangent, point->outTangent}) {
        if (IsZeroInView(tangent, a1, a2)) continue;
        float e1 = old1 + tangent[a1], e2 = old2 + tangent[a2];
        Shear(x0, y0, x1, y1, &e1, &e2, ox, oy);
        tangent[a1] = e1 - point->position[a1];
        tangent[a2] = e2 - point->position[a2];
    }
}
