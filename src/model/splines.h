#pragma once
// Cubic Hermite segments between object points: per coordinate a t^3 + b t^2 + c t + d from
// start value p0, start tangent t0, end value p1 and end tangent t1, t from 0 to 1.
#include "port/winrecords.h"

struct Poinz;

void SetupSpline(float p0, float t0, float p1, float t1, float* a, float* b, float* c, float* d);
// The same coefficients, arguments in the order p0, p1, t0, t1.
void SetupSequencedSpline(float p0, float p1, float t0, float t1, float* a, float* b, float* c, float* d);
// Inline: curves are sampled many times a frame.
inline float GetSplineCoord(float a, float b, float c, float d, float t, float t2, float t3) {
    return a * t3 + b * t2 + c * t + d;
}
// The derivative 3 a t^2 + 2 b t + c.
float GetTangentSplineCoord(float a, float b, float c, float t, float t2);
// Cardinal-spline tangent through a point: tension x (next - previous).
void GetUniformTensionDeriv(float previous, float next, float tension, float* derivative);
// The point at t of the segment from P (its out-tangent) to Q (its in-tangent), all three
// coordinates. Nothing unless both points and all outputs are given.
void GetSplineCoordinate(const Poinz* p, const Poinz* q, float t, float* h, float* v, float* d);

// End points and tangents of a Hermite segment approximating the arc of angle theta and the
// radius, centred on the origin and symmetric about +H (from -theta/2 to +theta/2).
void BuildRadiusSpline(float theta, float radius, float* h0, float* th0, float* th1, float* h1,
                       float* d0, float* td0, float* td1, float* d1);

// Screen rectangle around a segment's control polygon in the current view (zoomed, with
// perspective when the view has it). Per coordinate H, V, D: start, start tangent, end
// tangent, end. Coordinates are clamped to +-32767 before rounding.
void GetSplineBounds(float h0, float th0, float th1, float h1, float v0, float tv0, float tv1, float v1,
                     float d0, float td0, float td1, float d1, RECT* rect);
