#include "model/lines.h"

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/splines.h"
#include "port/seam.h"

float gRemainingLength = 0.0f;
static const port::GlobalReset kReset([] { gRemainingLength = 0.0f; });

namespace {

constexpr int H = 0, V = 1, D = 2;

bool IsZero3(const float* v) { return v[H] == 0.0f && v[V] == 0.0f && v[D] == 0.0f; }
bool IsZeroPlan(const float* v) { return v[H] == 0.0f && v[D] == 0.0f; }

// The Hermite curves of a segment in H and D.
struct PlanCurve {
    float aH, bH, cH, dH;
    float aD, bD, cD, dD;

    PlanCurve(const Poinz* p, const Poinz* q) {
        SetupSpline(p->position[H], p->outTangent[H], q->position[H], q->inTangent[H], &aH, &bH, &cH, &dH);
        SetupSpline(p->position[D], p->outTangent[D], q->position[D], q->inTangent[D], &aD, &bD, &cD, &dD);
    }
    void at(float t, float* h, float* d) const {
        const float t2 = t * t;
        const float t3 = t2 * t;
        *h = GetSplineCoord(aH, bH, cH, dH, t, t2, t3);
        *d = GetSplineCoord(aD, bD, cD, dD, t, t2, t3);
    }
};

}  // namespace

float GetLineLength(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

float Get3DLineLength(float x1, float y1, float z1, float x2, float y2, float z2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const float dz = z2 - z1;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float GetLineLengthAndAngle(float x1, float y1, float x2, float y2, float* length) {
    if (!length) return 0.0f;
    *length = GetLineLength(x1, y1, x2, y2);
    if (*length == 0.0f) return 0.0f;
    double cosine = (x2 - x1) / *length;
    // Rounding can put the quotient a hair outside acos's domain.
    if (cosine > 1.0) cosine = 1.0;
    if (cosine < -1.0) cosine = -1.0;
    double angle = std::acos(cosine);
    if (y2 > y1) angle = 2.0 * std::numbers::pi - angle;
    return static_cast<float>(angle);
}

void GetPointFromLengthAndAngle(float angle, float length, float* x, float* y) {
    if (!x || !y) return;
    *x = std::cos(angle) * length;
    *y = -std::sin(angle) * length;
}

float GetSegmentLength(const Objex* object, const Poinz* p, const Poinz* q) {
    if (!object || !p || !q) return 0.0f;
    if (IsZero3(p->outTangent) && IsZero3(q->inTangent))
        return GetLineLength(p->position[H], p->position[D], q->position[H], q->position[D]);

    float step = 0.1f;
    if (const DocState* ds = CurrentDocState()) {
        const int resolution = ds->curveSegments < 1 ? 1 : ds->curveSegments;
        step = 1.0f / static_cast<float>(resolution);
    }
    const PlanCurve curve(p, q);
    float length = 0.0f;
    float lastH = 0.0f, lastD = 0.0f;
    for (float t = 0.0f; static_cast<double>(t) <= 1.01; t += step) {
        float h, d;
        curve.at(t, &h, &d);
        if (t > 0.0f) length += GetLineLength(lastH, lastD, h, d);
        lastH = h;
        lastD = d;
    }
    return length;
}

float GetObjectLength(const Objex* object) {
    if (!object || object->rows != 1) return 0.0f;
    switch (object->type) {
    case objtype::kWall:
    case objtype::kPropertyLine:
    case objtype::kPath:
    case objtype::kEdging:
    case objtype::kFence:
    case objtype::kFill:
    case objtype::kGroundFill:
    case objtype::kStaircase:
    case objtype::kRailing:
        break;
    default:
        return 0.0f;
    }
    const Poinz* first = object->firstPoint;
    if (!first) return 0.0f;
    float length = 0.0f;
    const Poinz* last = first;
    for (const Poinz* p = first; p->next; p = p->next) {
        length += GetSegmentLength(object, p, p->next);
        last = p->next;
    }
    if (object->closed) length += GetSegmentLength(object, last, first);
    return length;
}

int16_t GetPointOnLineFromLength(const Poinz* p, const Poinz* q, FloatPoint* point, float length) {
    if (!p || !q || !point) return 0;
    if (IsZeroPlan(p->outTangent) && IsZeroPlan(q->inTangent)) {
        float segment = 0.0f;
        const float angle = GetLineLengthAndAngle(p->position[H], p->position[D], q->position[H],
                                                  q->position[D], &segment);
        float x = 0.0f, y = 0.0f;
        GetPointFromLengthAndAngle(angle, length, &x, &y);
        point->floatH = x + p->position[H];
        point->floatV = y + p->position[D];
        return segment >= length ? 1 : 0;
    }

    const PlanCurve curve(p, q);
    float total = 0.0f;
    float lastH = 0.0f, lastD = 0.0f;
    float t = 0.0f;
    for (int sample = 0; sample < 102; ++sample) {
        float h, d;
        curve.at(t, &h, &d);
        if (sample > 0) {
            total += GetLineLength(lastH, lastD, h, d);
            if (total > length) {
                point->floatH = h;
                point->floatV = d;
                return 1;
            }
        }
        lastH = h;
        lastD = d;
        t = static_cast<float>(static_cast<double>(t) + 0.01);
    }
    gRemainingLength = length - total;
    return 0;
}

void ConvertPiRadiansToQDAngle(double radians, uint16_t* angle) {
    if (!angle) return;
    double degrees = radians * 57.29577951308232;
    if (degrees < 0.0) degrees += 360.0;
    double drawing = 90.0 - degrees;
    if (drawing < 0.0) drawing += 360.0;
    *angle = static_cast<uint16_t>(dvxnum::Clamp(drawing + 0.5, 0.0, 65535.0));
}

float FGetSlope(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    if (dx == 0.0f) return kVerticalSlope;
    return (y2 - y1) / dx;
}

float GetSlope(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    if (std::trunc(static_cast<double>(dx) + 0.5) == 0.0) return kVerticalSlope;
    return (y2 - y1) / dx;
}

float GetYIntercept(float slope, float y, float x) { return y - slope * x; }

namespace {

void Intersect(float m1, float m2, float x1, float y1, float x3, float y3, float* x, float* y) {
    const float b1 = y1 - x1 * m1;
    if (m1 == kVerticalSlope) {
        *x = x1;
        *y = y3 - x3 * m2 + m2 * x1;
    } else if (m2 == kVerticalSlope) {
        *x = x3;
        *y = b1 + m1 * x3;
    } else {
        *x = (y3 - x3 * m2 - b1) / (m1 - m2);
        *y = b1 + m1 * *x;
    }
}

void PerpendicularFoot(float m, float x1, float y1, float px, float py, float* x, float* y) {
    if (m == kVerticalSlope) {
        *x = x1;
        *y = py;
    } else if (m == 0.0f) {
        *x = px;
        *y = y1;
    } else {
        const float m2 = -1.0f / m;
        const float b = y1 - x1 * m;
        *x = (py - px * m2 - b) / (m - m2);
        *y = b + *x * m;
    }
}

}  // namespace

void FGetIntersection(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                      float* x, float* y) {
    if (!x || !y) return;
    const float m1 = FGetSlope(x1, y1, x2, y2);
    const float m2 = FGetSlope(x3, y3, x4, y4);
    if (m1 == m2) {
        *x = kNoIntersection;
        *y = kNoIntersection;
        return;
    }
    Intersect(m1, m2, x1, y1, x3, y3, x, y);
}

void GetIntersection(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                     float* x, float* y) {
    if (!x || !y) return;
    const float m1 = GetSlope(x1, y1, x2, y2);
    const float m2 = GetSlope(x3, y3, x4, y4);
    const double difference = m1 - m2;
    if (difference > -0.001 && difference < 0.001) {
        *x = kNoIntersection;
        *y = kNoIntersection;
        return;
    }
    Intersect(m1, m2, x1, y1, x3, y3, x, y);
}

void FGetPerpIntersection(float x1, float y1, float x2, float y2, float px, float py, float* x, float* y) {
    if (!x || !y) return;
    const float m = x2 - x1 == 0.0f ? kVerticalSlope : FGetSlope(x1, y1, x2, y2);
    PerpendicularFoot(m, x1, y1, px, py, x, y);
}

void GetPerpIntersection(float x1, float y1, float x2, float y2, float px, float py, float* x, float* y) {
    if (!x || !y) return;
    PerpendicularFoot(GetSlope(x1, y1, x2, y2), x1, y1, px, py, x, y);
}
