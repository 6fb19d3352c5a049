#pragma once
// Bicubic Hermite patches over four object points (edges are the points' Hermite segments,
// twists zero). The value at (s, t) is S K T' with S = (s^3, s^2, s, 1), T = (t^3, t^2, t, 1)
// and K = M G M' per coordinate. Matrices are row-major 4 x 4 floats.
#include <cstdint>

struct Poinz;

struct Matrix4x4 {
    float m[4][4] = {};
};
struct Vector4 {
    float v[4] = {};
};

// The one shared workspace: basis and transpose, geometry, intermediate product, coefficients
// and the S and T vectors. Callers fill it patch by patch and read results before the next.
extern Matrix4x4 MMatrix;
extern Matrix4x4 MTMatrix;
extern Matrix4x4 xBMatrix;
extern Matrix4x4 yBMatrix;
extern Matrix4x4 zBMatrix;
extern Matrix4x4 mresultMatrix;
extern Matrix4x4 xresultMatrix;
extern Matrix4x4 yresultMatrix;
extern Matrix4x4 zresultMatrix;
extern Vector4 sMatrix;
extern Vector4 tMatrix;

void BuildMatrixM(Matrix4x4* m);
void BuildMatrixMT(Matrix4x4* mt);
// Geometry of a patch whose corners P1, P2, P4, P3 run round one closed outline.
void BuildBMatrices(Matrix4x4* x, Matrix4x4* y, Matrix4x4* z, const Poinz* p1, const Poinz* p2,
                    const Poinz* p3, const Poinz* p4);
// Geometry of a patch between two rows of a point grid: P1, P2 in one row, P3, P4 below them.
void BuildBLinkMatrices(Matrix4x4* x, Matrix4x4* y, Matrix4x4* z, const Poinz* p1, const Poinz* p2,
                        const Poinz* p3, const Poinz* p4);
// result = a b (result may be either operand).
void Multiply4X4Matrix(const Matrix4x4* a, const Matrix4x4* b, Matrix4x4* result);
// Geometry from the four points, then the coefficients M G M' of x, y and z.
void EstablishSurface(Matrix4x4* xB, Matrix4x4* yB, Matrix4x4* zB, const Matrix4x4* m, const Matrix4x4* mt,
                      Matrix4x4* intermediate, Matrix4x4* xResult, Matrix4x4* yResult, Matrix4x4* zResult,
                      const Poinz* p1, const Poinz* p2, const Poinz* p3, const Poinz* p4, uint8_t link);
void Setst(Vector4* s, Vector4* t, float sValue, float tValue);
void ComputeSurfacePoint(const Matrix4x4* xK, const Matrix4x4* yK, const Matrix4x4* zK, Vector4* s, Vector4* t,
                         float sValue, float tValue, float* x, float* y, float* z);
// The row vector v a.
void MultiplyVector4X4(const Vector4* v, const Matrix4x4* a, Vector4* result);
// The four-component dot product (0 when either is missing).
float CrossVectorMultiply(const Vector4* a, const Vector4* b);
void ComputePartialDifferential(const Matrix4x4* k, float s, float t, float* dS, float* dT);
// (ds x dt), turned into the current view.
void ComputeNormal(float sx, float sy, float sz, float tx, float ty, float tz, float* nx, float* ny, float* nz);
// The view-space normal from the derivatives at (s + 0.01, t + 0.01); not normalised.
void ComputeSurfaceNormal(const Matrix4x4* xK, const Matrix4x4* yK, const Matrix4x4* zK, float s, float t,
                          float* nx, float* ny, float* nz);
void AdjustNormalForIsoView(float* nx, float* ny, float* nz);
