#include "model/bicubic.h"

#include <initializer_list>

#include "model/objects.h"
#include "model/projection.h"
#include "port/seam.h"

Matrix4x4 MMatrix;
Matrix4x4 MTMatrix;
Matrix4x4 xBMatrix;
Matrix4x4 yBMatrix;
Matrix4x4 zBMatrix;
Matrix4x4 mresultMatrix;
Matrix4x4 xresultMatrix;
Matrix4x4 yresultMatrix;
Matrix4x4 zresultMatrix;
Vector4 sMatrix;
Vector4 tMatrix;
static const port::GlobalReset kReset([] {
    for (Matrix4x4* m : {&MMatrix, &MTMatrix, &xBMatrix, &yBMatrix, &zBMatrix, &mresultMatrix, &xresultMatrix,
                         &yresultMatrix, &zresultMatrix})
        *m = Matrix4x4{};
    sMatrix = Vector4{};
    tMatrix = Vector4{};
});

void BuildMatrixM(Matrix4x4* m) {
    if (!m) return;
    *m = Matrix4x4{{{2, -2, 1, 1}, {-3, 3, -2, -1}, {0, 0, 1, 0}, {1, 0, 0, 0}}};
}

void BuildMatrixMT(Matrix4x4* mt) {
    if (!mt) return;
    *mt = Matrix4x4{{{2, -3, 0, 1}, {-2, 3, 0, 0}, {1, -2, 1, 0}, {1, -1, 0, 0}}};
}

namespace {

// One coordinate's geometry rows: corner values, tangents along t, tangents along s.
void FillGeometry(Matrix4x4* g, float p00, float p01, float p10, float p11, float t00, float t01, float t10,
                  float t11, float s00, float s01, float s10, float s11) {
    *g = Matrix4x4{{{p00, p01, t00, t01}, {p10, p11, t10, t11}, {s00, s01, 0, 0}, {s10, s11, 0, 0}}};
}

}  // namespace

void BuildBMatrices(Matrix4x4* x, Matrix4x4* y, Matrix4x4* z, const Poinz* p1, const Poinz* p2,
                    const Poinz* p3, const Poinz* p4) {
    if (!x || !y || !z || !p1 || !p2 || !p3 || !p4) return;
    Matrix4x4* g[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
        // The outline runs P1 -> P2 -> P4 -> P3 -> P1, so the P4->P3 and P3->P1 edges are
        // walked backwards here and their tangents change sign.
        FillGeometry(g[k], p1->position[k], p2->position[k], p3->position[k], p4->position[k],
                     p1->outTangent[k], p2->inTangent[k], -p3->inTangent[k], -p4->outTangent[k],
                     -p1->inTangent[k], p2->outTangent[k], -p3->outTangent[k], p4->inTangent[k]);
    }
}

void BuildBLinkMatrices(Matrix4x4* x, Matrix4x4* y, Matrix4x4* z, const Poinz* p1, const Poinz* p2,
                        const Poinz* p3, const Poinz* p4) {
    if (!x || !y || !z || !p1 || !p2 || !p3 || !p4) return;
    Matrix4x4* g[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
        FillGeometry(g[k], p1->position[k], p2->position[k], p3->position[k], p4->position[k],
                     p1->acrossTangent[k], p2->acrossTangent[k], p3->acrossTangent[k], p4->acrossTangent[k],
                     p1->outTangent[k], p2->outTangent[k], p3->inTangent[k], p4->inTangent[k]);
    }
}

void Multiply4X4Matrix(const Matrix4x4* a, const Matrix4x4* b, Matrix4x4* result) {
    if (!a || !b || !result) return;
    Matrix4x4 product;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a->m[i][k] * b->m[k][j];
            product.m[i][j] = sum;
        }
    *result = product;
}

void EstablishSurface(Matrix4x4* xB, Matrix4x4* yB, Matrix4x4* zB, const Matrix4x4* m, const Matrix4x4* mt,
                      Matrix4x4* intermediate, Matrix4x4* xResult, Matrix4x4* yResult, Matrix4x4* zResult,
                      const Poinz* p1, const Poinz* p2, const Poinz* p3, const Poinz* p4, uint8_t link) {
    if (!xB || !yB || !zB || !m || !mt || !intermediate || !xResult || !yResult || !zResult || !p1 || !p2 ||
        !p3 || !p4)
        return;
    if (link)
        BuildBLinkMatrices(xB, yB, zB, p1, p2, p3, p4);
    else
        BuildBMatrices(xB, yB, zB, p1, p2, p3, p4);
    const Matrix4x4* geometry[3] = {xB, yB, zB};
    Matrix4x4* results[3] = {xResult, yResult, zResult};
    for (int k = 0; k < 3; ++k) {
        Multiply4X4Matrix(m, geometry[k], intermediate);
        Multiply4X4Matrix(intermediate, mt, results[k]);
    }
}

void Setst(Vector4* s, Vector4* t, float sValue, float tValue) {
    if (!s || !t) return;
    *s = Vector4{{sValue * sValue * sValue, sValue * sValue, sValue, 1.0f}};
    *t = Vector4{{tValue * tValue * tValue, tValue * tValue, tValue, 1.0f}};
}

void MultiplyVector4X4(const Vector4* v, const Matrix4x4* a, Vector4* result) {
    if (!v || !a || !result) return;
    Vector4 product;
    for (int j = 0; j < 4; ++j) {
        float sum = 0.0f;
        for (int i = 0; i < 4; ++i) sum += v->v[i] * a->m[i][j];
        product.v[j] = sum;
    }
    *result = product;
}

float CrossVectorMultiply(const Vector4* a, const Vector4* b) {
    if (!a || !b) return 0.0f;
    return a->v[0] * b->v[0] + a->v[1] * b->v[1] + a->v[2] * b->v[2] + a->v[3] * b->v[3];
}

void ComputeSurfacePoint(const Matrix4x4* xK, const Matrix4x4* yK, const Matrix4x4* zK, Vector4* s, Vector4* t,
                         float sValue, float tValue, float* x, float* y, float* z) {
    if (!xK || !yK || !zK || !s || !t || !x || !y || !z) return;
    Setst(s, t, sValue, tValue);
    const Matrix4x4* k[3] = {xK, yK, zK};
    float* out[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        Vector4 sk;
        MultiplyVector4X4(s, k[i], &sk);
        *out[i] = CrossVectorMultiply(&sk, t);
    }
}

void ComputePartialDifferential(const Matrix4x4* k, float s, float t, float* dS, float* dT) {
    if (!k || !dS || !dT) return;
    const float t2 = t * t, t3 = t2 * t;
    const float s2 = s * s, s3 = s2 * s;
    const float derivS[4] = {3.0f * s2, 2.0f * s, 1.0f, 0.0f};
    const float powS[4] = {s3, s2, s, 1.0f};
    float sumS = 0.0f, sumT = 0.0f;
    for (int i = 0; i < 4; ++i) {
        const float* c = k->m[i];
        sumS += derivS[i] * (t3 * c[0] + t2 * c[1] + t * c[2] + c[3]);
        sumT += powS[i] * (3.0f * t2 * c[0] + 2.0f * t * c[1] + c[2]);
    }
    *dS = sumS;
    *dT = sumT;
}

void AdjustNormalForIsoView(float* nx, float* ny, float* nz) {
    if (!nx || !ny || !nz) return;
    ConversionToIsometric(nx, ny, nz, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 0);
}

void ComputeNormal(float sx, float sy, float sz, float tx, float ty, float tz, float* nx, float* ny, float* nz) {
    if (!nx || !ny || !nz) return;
    *nx = sy * tz - sz * ty;
    *ny = sz * tx - sx * tz;
    *nz = sx * ty - sy * tx;
    AdjustNormalForIsoView(nx, ny, nz);
}

void ComputeSurfaceNormal(const Matrix4x4* xK, const Matrix4x4* yK, const Matrix4x4* zK, float s, float t,
                          float* nx, float* ny, float* nz) {
    if (!xK || !yK || !zK || !nx || !ny || !nz) return;
    const float ss = s + 0.01f;
    const float tt = t + 0.01f;
    float sx, tx, sy, ty, sz, tz;
    ComputePartialDifferential(xK, ss, tt, &sx, &tx);
    ComputePartialDifferential(yK, ss, tt, &sy, &ty);
    ComputePartialDifferential(zK, ss, tt, &sz, &tz);
    ComputeNormal(sx, sy, sz, tx, ty, tz, nx, ny, nz);
}
