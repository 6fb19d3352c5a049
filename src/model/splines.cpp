#include "model/splines.h"

#include <cmath>

#include "model/numeric.h"
#include "model/objects.h"
#include "model/projection.h"

void SetupSpline(float p0, float t0, float p1, float t1, float* a, float* b, float* c, float* d) {
    if (!a || !b || !c || !d) return;
    *a = 2.0f * p0 - 2.0f * p1 + t0 + t1;
    *b = -3.0f * p0 + 3.0f * p1 - 2.0f * t0 - t1;
    *c = t0;
    *d = p0;
}

void SetupSequencedSpline(float p0, float p1, float t0, float t1, float* a, float* b, float* c, float* d) {
    SetupSpline(p0, t0, p1, t1, a, b, c, d);
}

float GetTangentSplineCoord(float a, float b, float c, float t, float t2) {
    return 3.0f * a * t2 + 2.0f * b * t + c;
}

void GetUniformTensionDeriv(float previous, float next, float tension, float* derivative) {
    if (!derivative) return;
    *derivative = tension * (next - previous);
}

void GetSplineCoordinate(const Poinz* p, const Poinz* q, float t, float* h, float* v, float* d) {
    if (!p || !q || !h || !v || !d) return;
    const float t2 = t * t;
    const float t3 = t2 * t;
    float* out[3] = {h, v, d};
    for (int i = 0; i < 3; ++i) {
        float a, b, c, k;
        SetupSpline(p->position[i], p->outTangent[i], q->position[i], q->inTangent[i], &a, &b, &c, &k);
        *out[i] = GetSplineCoord(a, b, c, k, t, t2, t3);
    }
}

void BuildRadiusSpline(float theta, float radius, float* h0, float* th0, float* th1, float* h1,
                       float* d0, float* td0, float* td1, float* d1) {
    if (!h0 || !th0 || !th1 || !h1 || !d0 || !td0 || !td1 || !d1) return;
    const float x = theta / 2.0f;
    const float cosine = std::cos(x);
    const float sine = std::sin(x);
    const float bulge = 4.0f * radius * (1.0f - cosine);
    *h0 = radius * cosine;
    *h1 = radius * cosine;
    *d0 = -radius * sine;
    *d1 = radius * sine;
    *th0 = bulge;
    *th1 = -bulge;
    *td0 = bulge / std::tan(x);
    *td1 = *td0;
}

void GetSplineBounds(float h0, float th0, float th1, float h1, float v0, float tv0, float tv1, float v1,
                     float d0, float td0, float td1, float d1, RECT* rect) {
    if (!rect) return;
    float points[4][3] = {
        {h0, v0, d0},
        {h0 + th0, v0 + tv0, d0 + td0},
        {h1 - th1, v1 - tv1, d1 - td1},
        {h1, v1, d1},
    };
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        float* p = points[i];
        ConversionToIsometric(&p[0], &p[1], &p[2], gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                              gGlobalXOffset, gGlobalYOffset, gGlobalZOffset, 1);
        if (gPerspective) AddPerspective(&p[0], &p[1], &p[2], gViewDistance, 0, 0, 0);
        if (i == 0 || p[0] < minX) minX = p[0];
        if (i == 0 || p[0] > maxX) maxX = p[0];
        if (i == 0 || p[1] < minY) minY = p[1];
        if (i == 0 || p[1] > maxY) maxY = p[1];
    }
    auto screen = [](float v) {
        return static_cast<int32_t>(dvxnum::TruncToInt16(dvxnum::Clamp(v, -32767.0, 32767.0) + 0.5));
    };
    Point2Rect(screen(minX), screen(minY), screen(maxX), screen(maxY), rect);
}
