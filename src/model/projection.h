#pragma once
// Projection between model coordinates (x, y, z) = (H, V, D) and the current view: the view
// rotation about the vertical axis and then the horizontal screen axis (X 90, Y 0 is the plan
// seen from above), the perspective divide, and the grid plane of the view. Also the jittered
// projections of the renderer's anti-aliasing passes, which reach OpenGL only through the
// accumulation seam of render/core.
#include <cstdint>

#include "model/view_state.h"

// View rotation: cosines and sines of gXViewAngle and gYViewAngle (plan view to begin with).
extern float gCosXAngle;
extern float gSinXAngle;
extern float gCosYAngle;
extern float gSinYAngle;
// The view's rotation centre, subtracted before rotating.
extern float gGlobalXOffset;
extern float gGlobalYOffset;
extern float gGlobalZOffset;
// Eye distance of the perspective divide; 0 until the perspective view sets it.
extern float gViewDistance;
extern const float gPiDiv180;
// The grid plane of the current view: gGridC1 x + gGridC2 y + gGridC3 z = gGridCONST.
extern float gGridC1;
extern float gGridC2;
extern float gGridC3;
extern float gGridCONST;

// Model to view coordinates in place (points and centre scaled by gViewFactor in perspective).
void ComputeRotationAboutArbitraryAxis(float* x, float* y, float* z, float cosX, float sinX, float cosY,
                                       float sinY, float ox, float oy, float oz);
void ComputeInverseRotationAboutArbitraryAxis(float* x, float* y, float* z, float cosX, float sinX,
                                              float cosY, float sinY, float ox, float oy, float oz);
// The view rotation after multiplying by the document zoom when the flag is set.
void ConversionToIsometric(float* x, float* y, float* z, float cosX, float sinX, float cosY, float sinY,
                           float ox, float oy, float oz, uint8_t zoom);
// Both ends of a line into the current view, zoomed; with the flag also the perspective divide.
void ConvertToIso(float* x1, float* y1, float* z1, float* x2, float* y2, float* z2, uint8_t perspective);
// Perspective divide by w = 1 - z / distance (0.0001 when w is exactly 0), and its inverse.
void AddPerspective(float* x, float* y, float* z, float distance, float dx, float dy, float dz);

// The current view's rotation (and perspective divide) read once for a run of points: Apply
// gives, bit for bit, ConversionToIsometric unzoomed followed, when `divide`, by AddPerspective,
// without reading the globals or calling out per point. Taken again whenever the view changes.
struct ViewProjection {
    float cosX, sinX, cosY, sinY;
    float ox, oy, oz;  // the rotation centre, already times gViewFactor when `scaled`
    float factor;      // gViewFactor, applied to points when `scaled` (the view has perspective)
    float distance;
    bool scaled;
    bool divide;

    // With the perspective divide when the view has perspective.
    static ViewProjection Current();
    static ViewProjection Current(bool divide);

    void Apply(float p[3]) const {
        float px = p[0], py = p[1], pz = p[2];
        if (scaled) px *= factor, py *= factor, pz *= factor;
        px -= ox;
        py -= oy;
        pz -= oz;
        const float x1 = px * cosY - pz * sinY;
        const float z1 = px * sinY + pz * cosY;
        float x = x1, y = py * cosX + z1 * sinX, z = z1 * cosX - py * sinX;
        if (divide) {
            x += 0.0f, y += 0.0f, z += 0.0f;  // as AddPerspective's zero shift: -0 becomes 0
            float w = 1.0f - z / distance;
            if (w == 0.0f) w = 0.0001f;
            x /= w, y /= w, z /= w;
        }
        p[0] = x, p[1] = y, p[2] = z;
    }
};
void RemovePerspective(float* x, float* y, float* z, float distance, float dx, float dy, float dz);
// The plane a x + b y + c z = d through three points.
void CalcParametric(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3,
                    float* a, float* b, float* c, float* d);
// z of the plane at (x, y); a plane seen edge-on (c = 0) gives the undivided d - (a x + b y).
float ComputePointOnPlane(float x, float y, float a, float b, float c, float d);
// Fills the trigonometric values of the view angles (degrees) and recomputes the grid plane.
void SetUpForRotationAboutArbitraryAxis(float xAngle, float yAngle, float* cosX, float* sinX, float* cosY,
                                        float* sinY, uint8_t perspective);
// Depth at view point (x, y) on the plane parallel to the grid through the level.
float ComputePointOnPlaneParallelToGrid(float x, float y, float level);

// Jittered projections for one accumulation-buffer pass (the OpenGL Programming Guide method).
void accPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx, double pixdy,
                    double eyedx, double eyedy, double focus);
void accFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                double pixdx, double pixdy, double eyedx, double eyedy, double focus);
