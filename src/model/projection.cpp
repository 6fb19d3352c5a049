#include "model/projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/zoom_units.h"
#include "port/seam.h"
#include "render/core/accumulation_seams.h"

// The plan view: X 90, Y 0.
float gCosXAngle = 0.0f;
float gSinXAngle = 1.0f;
float gCosYAngle = 1.0f;
float gSinYAngle = 0.0f;
float gGlobalXOffset = 0.0f;
float gGlobalYOffset = 0.0f;
float gGlobalZOffset = 0.0f;
float gViewDistance = 0.0f;
const float gPiDiv180 = static_cast<float>(std::numbers::pi / 180.0);
float gGridC1 = 0.0f;
float gGridC2 = 0.0f;
float gGridC3 = 0.0f;
float gGridCONST = 0.0f;
static const port::GlobalReset kReset([] {
    gCosXAngle = 0.0f;
    gSinXAngle = 1.0f;
    gCosYAngle = 1.0f;
    gSinYAngle = 0.0f;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0.0f;
    gViewDistance = 0.0f;
    gGridC1 = gGridC2 = gGridC3 = gGridCONST = 0.0f;
});

void ComputeRotationAboutArbitraryAxis(float* x, float* y, float* z, float cosX, float sinX, float cosY,
                                       float sinY, float ox, float oy, float oz) {
    if (!x || !y || !z) return;
    float px = *x, py = *y, pz = *z;
    if (gPerspective) {
        px *= gViewFactor;
        py *= gViewFactor;
        pz *= gViewFactor;
        ox *= gViewFactor;
        oy *= gViewFactor;
        oz *= gViewFactor;
    }
    px -= ox;
    py -= oy;
    pz -= oz;
    const float x1 = px * cosY - pz * sinY;
    const float z1 = px * sinY + pz * cosY;
    const float y2 = py * cosX + z1 * sinX;
    const float z2 = z1 * cosX - py * sinX;
    *x = x1;
    *y = y2;
    *z = z2;
}

ViewProjection ViewProjection::Current() { return Current(gPerspective != 0); }

ViewProjection ViewProjection::Current(bool divide) {
    const bool scaled = gPerspective != 0;
    ViewProjection v{gCosXAngle,     gSinXAngle, gCosYAngle,    gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                     gGlobalZOffset, gViewFactor, gViewDistance, scaled,     divide};
    if (scaled) v.ox *= v.factor, v.oy *= v.factor, v.oz *= v.factor;
    return v;
}

void ComputeInverseRotationAboutArbitraryAxis(float* x, float* y, float* z, float cosX, float sinX,
                                              float cosY, float sinY, float ox, float oy, float oz) {
    if (!x || !y || !z) return;
    const float x1 = *x, y2 = *y, z2 = *z;
    const float z1 = z2 * cosX + y2 * sinX;
    float py = y2 * cosX - z2 * sinX;
    float px = x1 * cosY + z1 * sinY;
    float pz = z1 * cosY - x1 * sinY;
    if (gPerspective) {
        px /= gViewFactor;
        py /= gViewFactor;
        pz /= gViewFactor;
    }
    *x = px + ox;
    *y = py + oy;
    *z = pz + oz;
}

void ConversionToIsometric(float* x, float* y, float* z, float cosX, float sinX, float cosY, float sinY,
                           float ox, float oy, float oz, uint8_t zoom) {
    if (!x || !y || !z) return;
    if (zoom) {
        const float factor = ZoomFactor();  // as ZoomF, the zoom read once
        if (factor != 1.0f) *x *= factor, *y *= factor, *z *= factor;
    }
    ComputeRotationAboutArbitraryAxis(x, y, z, cosX, sinX, cosY, sinY, ox, oy, oz);
}

void ConvertToIso(float* x1, float* y1, float* z1, float* x2, float* y2, float* z2, uint8_t perspective) {
    if (!x1 || !y1 || !z1 || !x2 || !y2 || !z2) return;
    // Dimensions and labels project many ends a frame: the view and the zoom are read once.
    const ViewProjection view = ViewProjection::Current(perspective != 0);
    const float factor = ZoomFactor();
    for (float* p : {x1, y1, z1, x2, y2, z2})
        if (factor != 1.0f) *p *= factor;
    float a[3] = {*x1, *y1, *z1}, b[3] = {*x2, *y2, *z2};
    view.Apply(a);
    view.Apply(b);
    *x1 = a[0], *y1 = a[1], *z1 = a[2], *x2 = b[0], *y2 = b[1], *z2 = b[2];
}

void AddPerspective(float* x, float* y, float* z, float distance, float dx, float dy, float dz) {
    if (!x || !y || !z) return;
    *x += dx;
    *y += dy;
    *z += dz;
    float w = 1.0f - *z / distance;
    if (w == 0.0f) w = 0.0001f;
    *x /= w;
    *y /= w;
    *z /= w;
}

void RemovePerspective(float* x, float* y, float* z, float distance, float dx, float dy, float dz) {
    if (!x || !y || !z) return;
    const float f = distance / (distance + *z);
    *x *= f;
    *y *= f;
    *z *= f;
    *x -= dx;
    *y -= dy;
    *z -= dz;
}

void CalcParametric(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
                    float* a, float* b, float* c, float* d) {
    if (!a || !b || !c || !d) return;
    const float ux = x2 - x1, uy = y2 - y1, uz = z2 - z1;
    const float vx = x3 - x1, vy = y3 - y1, vz = z3 - z1;
    *a = uy * vz - vy * uz;
    *b = uz * vx - ux * vz;
    *c = ux * vy - uy * vx;
    *d = *a * x1 + *b * y1 + *c * z1;
}

float ComputePointOnPlane(float x, float y, float a, float b, float c, float d) {
    const float rest = d - (a * x + b * y);
    if (c == 0.0f) return rest;
    return rest / c;
}

namespace {

// Three points spanning the grid plane of the view kind, the reference coordinate replaced
// by `level`: zoomed for the plan and the two elevations, the ground plane otherwise.
void GridPlanePoints(const DocState* ds, float level, float points[3][3]) {
    const FloatRect& lot = ds->lotRect;
    const float top = lot.floatTop, left = lot.floatLeft, bottom = lot.floatBottom, right = lot.floatRight;
    switch (ds->viewKind) {
    case 2: {
        const float p[3][3] = {{left, level, top}, {right, level, top}, {right, level, bottom}};
        std::copy(&p[0][0], &p[0][0] + 9, &points[0][0]);
        break;
    }
    case 3: {
        const float p[3][3] = {{level, top, left}, {level, top, right}, {level, bottom, right}};
        std::copy(&p[0][0], &p[0][0] + 9, &points[0][0]);
        break;
    }
    case 1: {
        const float p[3][3] = {{left, top, level}, {right, top, level}, {right, bottom, level}};
        std::copy(&p[0][0], &p[0][0] + 9, &points[0][0]);
        break;
    }
    default: {
        const float p[3][3] = {{-100, 0, -100}, {100, 0, -100}, {100, 0, 100}};
        std::copy(&p[0][0], &p[0][0] + 9, &points[0][0]);
        return;
    }
    }
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) points[i][k] = ZoomF(points[i][k]);
}

float ReferenceLevel(const DocState* ds) {
    switch (ds->viewKind) {
    case 3: return ds->viewOrigin.floatH;
    case 1: return ds->viewOrigin.floatD;
    default: return ds->viewOrigin.floatV;
    }
}

// The three points through the view transform (and perspective), then their plane.
void PlaneOfPoints(float points[3][3], float cosX, float sinX, float cosY, float sinY, bool perspective,
                   float* a, float* b, float* c, float* d) {
    for (int i = 0; i < 3; ++i) {
        float* p = points[i];
        ComputeRotationAboutArbitraryAxis(&p[0], &p[1], &p[2], cosX, sinX, cosY, sinY, gGlobalXOffset,
                                          gGlobalYOffset, gGlobalZOffset);
        if (perspective) AddPerspective(&p[0], &p[1], &p[2], gViewDistance, 0, 0, 0);
    }
    CalcParametric(points[0][0], points[0][1], points[0][2], points[1][0], points[1][1], points[1][2],
                   points[2][0], points[2][1], points[2][2], a, b, c, d);
}

}  // namespace

void SetUpForRotationAboutArbitraryAxis(float xAngle, float yAngle, float* cosX, float* sinX, float* cosY,
                                        float* sinY, uint8_t perspective) {
    if (!cosX || !sinX || !cosY || !sinY) return;
    *cosX = std::cos(xAngle * gPiDiv180);
    *sinX = std::sin(xAngle * gPiDiv180);
    *cosY = std::cos(yAngle * gPiDiv180);
    *sinY = std::sin(yAngle * gPiDiv180);
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    float points[3][3];
    GridPlanePoints(ds, ReferenceLevel(ds), points);
    PlaneOfPoints(points, *cosX, *sinX, *cosY, *sinY, perspective != 0, &gGridC1, &gGridC2, &gGridC3,
                  &gGridCONST);
}

float ComputePointOnPlaneParallelToGrid(float x, float y, float level) {
    const DocState* ds = CurrentDocState();
    if (!ds) return 0.0f;
    float points[3][3];
    GridPlanePoints(ds, level, points);
    float a, b, c, d;
    PlaneOfPoints(points, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gPerspective != 0, &a, &b, &c, &d);
    return ComputePointOnPlane(x, y, a, b, c, d);
}

void accPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx, double pixdy,
                    double eyedx, double eyedy, double focus) {
    const double half = fovy * std::numbers::pi / 180.0 / 2.0;
    const double top = zNear / (std::cos(half) / std::sin(half));
    const double right = top * aspect;
    accFrustum(-right, right, -top, top, zNear, zFar, pixdx, pixdy, eyedx, eyedy, focus);
}

void accFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                double pixdx, double pixdy, double eyedx, double eyedy, double focus) {
    int32_t viewport[4];
    AccumulationGetViewport(viewport);
    // An empty viewport has no pixel to jitter by.
    const double pixelX = viewport[2] > 0 ? (right - left) * pixdx / viewport[2] : 0.0;
    const double pixelY = viewport[3] > 0 ? (top - bottom) * pixdy / viewport[3] : 0.0;
    const double dx = -(pixelX + eyedx * zNear / focus);
    const double dy = -(pixelY + eyedy * zNear / focus);
    AccumulationLoadFrustum(left + dx, right + dx, bottom + dy, top + dy, zNear, zFar);
    AccumulationLoadModelViewTranslation(-eyedx, -eyedy, 0.0);
    InitializeAntiAliasGLScene(1.0, 1.0, 1.0, 1.0, 1.0);
}
