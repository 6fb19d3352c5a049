// Bicubic Hermite patches: corners, link patches along a segment, products and normals.
#include <gtest/gtest.h>

#include "model/bicubic.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "model/splines.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class BicubicTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        owner = Make(objtype::kPolygon);
        BuildMatrixM(&MMatrix);
        BuildMatrixMT(&MTMatrix);
    }
    void TearDown() override {
        DeleteObj(owner);
        DocumentTest::TearDown();
    }
    Poinz* Point(float h, float v, float d, float tangent) {
        Poinz* p = dvxtest::Point(owner, {h, v, d, {-tangent, tangent, 2 * tangent}, {tangent, -tangent, tangent}});
        p->acrossTangent[0] = tangent;
        p->acrossTangent[2] = -tangent;
        return p;
    }
    void Establish(Poinz* p1, Poinz* p2, Poinz* p3, Poinz* p4, uint8_t link) {
        EstablishSurface(&xBMatrix, &yBMatrix, &zBMatrix, &MMatrix, &MTMatrix, &mresultMatrix, &xresultMatrix,
                         &yresultMatrix, &zresultMatrix, p1, p2, p3, p4, link);
    }
    void At(float s, float t, float out[3]) {
        ComputeSurfacePoint(&xresultMatrix, &yresultMatrix, &zresultMatrix, &sMatrix, &tMatrix, s, t, &out[0],
                            &out[1], &out[2]);
    }
    Objex* owner = nullptr;
};

TEST_F(BicubicTest, PatchCornersAreTheFourPoints) {
    Poinz* p[4] = {Point(0, 0, 0, 3), Point(10, 1, 0, -2), Point(0, 2, 10, 5), Point(10, 3, 10, 1)};
    for (uint8_t link : {0, 1}) {
        Establish(p[0], p[1], p[2], p[3], link);
        const float st[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        for (int i = 0; i < 4; ++i) {
            float out[3];
            At(st[i][0], st[i][1], out);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(out[k], p[i]->position[k], 1e-5) << i << " " << k;
        }
    }
    // The S and T vectors are left filled for the last (1, 1).
    EXPECT_EQ(sMatrix.v[0], 1.0f);
    EXPECT_EQ(tMatrix.v[3], 1.0f);
}

TEST_F(BicubicTest, LinkPatchOfARepeatedPairFollowsTheSegment) {
    Poinz* a = Point(0, 0, 0, 4);
    Poinz* b = Point(20, 5, 8, -3);
    Establish(a, a, b, b, 1);
    for (float s : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        float out[3], h, v, d;
        At(s, 0, out);
        GetSplineCoordinate(a, b, s, &h, &v, &d);
        EXPECT_NEAR(out[0], h, 1e-4) << s;
        EXPECT_NEAR(out[1], v, 1e-4) << s;
        EXPECT_NEAR(out[2], d, 1e-4) << s;
    }
}

TEST_F(BicubicTest, ProductsAndDotProducts) {
    Matrix4x4 identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    Matrix4x4 a{{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}};
    Matrix4x4 r;
    Multiply4X4Matrix(&identity, &a, &r);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(r.m[i][j], a.m[i][j]);
    Multiply4X4Matrix(&a, &identity, &a);  // in place
    EXPECT_EQ(a.m[2][1], 10.0f);
    // M M': entry (i, j) is row i of M dotted with row j of M.
    Multiply4X4Matrix(&MMatrix, &MTMatrix, &r);
    EXPECT_EQ(r.m[3][3], 1.0f);   // (1,0,0,0) . (1,0,0,0)
    EXPECT_EQ(r.m[0][0], 10.0f);  // (2,-2,1,1) . (2,-2,1,1)

    const Vector4 v{{1, 2, 3, 4}}, ones{{1, 1, 1, 1}};
    EXPECT_EQ(CrossVectorMultiply(&v, &ones), 10.0f);
    EXPECT_EQ(CrossVectorMultiply(&v, nullptr), 0.0f);
    Vector4 row;
    MultiplyVector4X4(&v, &identity, &row);
    EXPECT_EQ(row.v[3], 4.0f);
}

TEST_F(BicubicTest, SurfaceNormalIsTakenJustPastTheParameterAndNotNormalised) {
    // A flat square in the ground plane with zero tangents: x = 10 h(t), z = 10 h(s) with
    // h = 3u^2 - 2u^3, so at (0.5, 0.5) both derivatives are 15 and n = (0, 225, 0).
    Poinz* p1 = Point(0, 0, 0, 0);
    Poinz* p2 = Point(10, 0, 0, 0);
    Poinz* p3 = Point(0, 0, 10, 0);
    Poinz* p4 = Point(10, 0, 10, 0);
    Establish(p1, p2, p3, p4, 0);
    float ds, dt;
    ComputePartialDifferential(&zresultMatrix, 0.5f, 0.5f, &ds, &dt);
    EXPECT_NEAR(ds, 15, 1e-4);
    EXPECT_NEAR(dt, 0, 1e-4);

    // The plan view turns the upward normal into view depth -225.
    float nx, ny, nz;
    ComputeSurfaceNormal(&xresultMatrix, &yresultMatrix, &zresultMatrix, 0.49f, 0.49f, &nx, &ny, &nz);
    EXPECT_NEAR(nx, 0, 1e-3);
    EXPECT_NEAR(ny, 0, 1e-3);
    EXPECT_NEAR(nz, -225, 1e-3);

    nx = 0, ny = 1, nz = 0;
    AdjustNormalForIsoView(&nx, &ny, &nz);
    EXPECT_NEAR(nz, -1, 1e-6);
    ComputeNormal(1, 0, 0, 0, 0, 1, &nx, &ny, &nz);  // x cross z = -y, seen from above: +depth
    EXPECT_NEAR(nz, 1, 1e-6);

    // Missing arguments write nothing.
    nx = 7;
    ComputeSurfaceNormal(nullptr, &yresultMatrix, &zresultMatrix, 0, 0, &nx, &ny, &nz);
    EXPECT_EQ(nx, 7.0f);
    float out[3] = {7, 7, 7};
    ComputeSurfacePoint(&xresultMatrix, &yresultMatrix, nullptr, &sMatrix, &tMatrix, 0, 0, &out[0], &out[1],
                        &out[2]);
    EXPECT_EQ(out[0], 7.0f);
}

}  // namespace
