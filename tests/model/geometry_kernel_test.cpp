// The geometry kernel: splines, bicubic patches, projection, point transforms, smoothing and
// readouts, checked against numbers worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "model/bicubic.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "app/core/localization_seams.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/readouts.h"
#include "model/smoothing.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "model/units.h"
#include "port/defaults.h"
#include "render/core/accumulation_seams.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

// Hermite segments, arc splines, segment and object lengths, points along segments, slopes,
// intersections, perpendicular feet and drawing angles.
namespace splines {

constexpr float kPi = std::numbers::pi_v<float>;

class SplinesTest : public DocumentTest {
protected:
    // The quarter circle of radius 100 from -45 to +45 degrees as one segment of `owner`.
    void QuarterCircle(Objex* owner, Poinz** p, Poinz** q) {
        float h0, th0, th1, h1, d0, td0, td1, d1;
        BuildRadiusSpline(kPi / 2, 100.0f, &h0, &th0, &th1, &h1, &d0, &td0, &td1, &d1);
        *p = Point(owner, {h0, 0, d0, {}, {th0, 0, td0}});
        *q = Point(owner, {h1, 0, d1, {th1, 0, td1}});
    }
};

TEST_F(SplinesTest, LineAnglesFollowThePlanConvention) {
    float length = -1;
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, 0, 10, &length), 3 * kPi / 2, 1e-5);
    EXPECT_EQ(length, 10.0f);
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, 0, -10, &length), kPi / 2, 1e-5);
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, -10, 0, &length), kPi, 1e-5);
    EXPECT_EQ(GetLineLengthAndAngle(0, 0, 10, 0, &length), 0.0f);
    EXPECT_TRUE(Near({GetLineLengthAndAngle(3, 4, 3, 4, &length), length}, {0.0f, 0.0f}));
    EXPECT_EQ(GetLineLengthAndAngle(0, 0, 10, 0, nullptr), 0.0f);
    // A quotient rounding past 1 stays inside acos's domain.
    EXPECT_FALSE(std::isnan(GetLineLengthAndAngle(0, 0, 1e-20f, 1e-30f, &length)));

    float x = 1, y = 1;
    GetPointFromLengthAndAngle(kPi / 2, 5, &x, &y);
    EXPECT_TRUE(Near({x, y}, {0, -5}, 1e-5));
    EXPECT_FLOAT_EQ(Get3DLineLength(1, 2, 3, 3, 5, 9), 7.0f);

    // Far outside a turn, or not a number: clamped, not undefined.
    const std::pair<double, uint16_t> quickdraw[] = {
        {0, 90}, {std::numbers::pi / 2, 0}, {std::numbers::pi, 270}, {-std::numbers::pi / 2, 180}, {100.0f, 0},
        {NAN, 0}};
    for (auto [radians, angle] : quickdraw) {
        uint16_t qd = 999;
        ConvertPiRadiansToQDAngle(radians, &qd);
        EXPECT_EQ(qd, angle) << radians;
    }
}

TEST_F(SplinesTest, SlopesIntersectionsAndPerpendicularFeet) {
    EXPECT_EQ(GetSlope(5, 0, 3.8f, 6), kVerticalSlope);  // dx -1.2 rounds to 0
    EXPECT_FLOAT_EQ(FGetSlope(5, 0, 3.8f, 6), 6 / -1.2f);
    EXPECT_TRUE(Near({GetSlope(0, 0, 0.4f, 1), GetSlope(0, 0, -1.5f, 3)}, {kVerticalSlope, -2.0f}, kUlps));
    EXPECT_TRUE(Near({FGetSlope(2, 0, 2, 5), GetYIntercept(2, 7, 3)}, {kVerticalSlope, 1.0f}, kUlps));

    using Crossing = void (*)(float, float, float, float, float, float, float, float, float*, float*);
    constexpr float kNo = kNoIntersection;
    const struct { Crossing f; float in[8]; float x, y; } crossings[] = {
        {FGetIntersection, {0, 0, 10, 10, 0, 5, 10, 15}, kNo, kNo},
        {FGetIntersection, {1, 0, 1, 9, 4, 0, 4, 9}, kNo, kNo},  // both vertical
        {FGetIntersection, {0, 0, 10, 10, 0, 10, 10, 0}, 5, 5},
        {FGetIntersection, {3, 0, 3, 10, 0, 0, 1, 2}, 3, 6},     // first vertical
        {FGetIntersection, {0, 1, 2, 1, 7, 0, 7, 4}, 7, 1},      // second vertical
        // Screen form: slopes 1 and 1.0005 count as parallel; FGetIntersection still crosses.
        {GetIntersection, {0, 0, 1000, 1000, 0, 5, 1000, 1005.5f}, kNo, kNo},
        {GetIntersection, {0, 0, 10, 10, 0, 10, 10, 0}, 5, 5},
    };
    float x = 0, y = 0;
    for (const auto& c : crossings) {
        c.f(c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5], c.in[6], c.in[7], &x, &y);
        EXPECT_TRUE(Near({x, y}, {c.x, c.y}, kUlps)) << c.in[0] << "," << c.in[1] << " " << c.in[4] << "," << c.in[5];
    }
    FGetIntersection(0, 0, 1000, 1000, 0, 5, 1000, 1005.5f, &x, &y);
    EXPECT_NE(x, kNoIntersection);

    using Foot = void (*)(float, float, float, float, float, float, float*, float*);
    const struct { Foot f; float in[6]; float x, y; } feet[] = {
        {FGetPerpIntersection, {0, 5, 10, 5, 3, 9}, 3, 5},
        {FGetPerpIntersection, {4, 0, 4, 10, 7, 2}, 4, 2},
        {FGetPerpIntersection, {0, 0, 10, 10, 0, 2}, 1, 1},
        {GetPerpIntersection, {4, 0, 4.3f, 10, 7, 2}, 4, 2},  // nearly vertical on screen
    };
    for (const auto& c : feet) {
        c.f(c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5], &x, &y);
        EXPECT_TRUE(Near({x, y}, {c.x, c.y}, kUlps)) << c.in[0] << "," << c.in[1] << " " << c.in[2] << "," << c.in[3];
    }
    FGetPerpIntersection(0, 0, 10, 10, 0, 2, nullptr, &y);
}

TEST_F(SplinesTest, ObjectLengthsOfStraightAndClosedOutlines) {
    Objex* wall = Make(objtype::kWall);
    Make(wall).at({{0, 0, 0}, {30, 7, 40}});
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 50.0f);  // plan length: V plays no part
    wall->closed = 1;
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 100.0f);
    wall->rows = 2;
    EXPECT_EQ(GetObjectLength(wall), 0.0f);
    wall->rows = 1;
    wall->type = objtype::kPolygon;
    EXPECT_EQ(GetObjectLength(wall), 0.0f);
    wall->type = objtype::kFence;
    Point(wall, {30, 0, 0});
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 50.0f + 40.0f + 30.0f);

    Objex* empty = Make(objtype::kPath);
    EXPECT_TRUE(Near({GetObjectLength(empty), GetObjectLength(nullptr)}, {0.0f, 0.0f}));
    EXPECT_EQ(GetSegmentLength(wall, wall->firstPoint, nullptr), 0.0f);
    for (Objex* o : {wall, empty}) DeleteObj(o);

    // Point along segments and the remaining length.
    Objex* path = Make(objtype::kPath);
    Poinz* p = Point(path, {0, 0, 0});
    Poinz* q = Point(path, {6, 0, 8});
    FloatPoint at{-1, -1};
    EXPECT_EQ(GetPointOnLineFromLength(p, q, &at, 15), 0);  // past the end: written anyway
    EXPECT_TRUE(Near({at.floatH, at.floatV}, {9, 12}, 1e-4));
    EXPECT_EQ(GetPointOnLineFromLength(p, q, &at, 5), 1);
    EXPECT_TRUE(Near({at.floatH, at.floatV}, {3, 4}, 1e-4));

    // Tangents equal to the chord make a curved segment that runs straight at even speed:
    // samples every 0.01 of t up to t = 1.01, 0.1 apart.
    gRemainingLength = -1;
    Objex* curve = Make(objtype::kPath);
    Poinz* a = Point(curve, {0, 0, 0, {}, {10, 0, 0}});
    Poinz* b = Point(curve, {10, 0, 0, {10, 0, 0}});
    EXPECT_EQ(GetPointOnLineFromLength(a, b, &at, 5.05f), 1);
    EXPECT_TRUE(Near({at.floatH, at.floatV}, {5.1f, 0}, 1e-4));
    EXPECT_EQ(gRemainingLength, -1.0f);
    at = FloatPoint{-1, -1};
    EXPECT_EQ(GetPointOnLineFromLength(a, b, &at, 15), 0);
    EXPECT_NEAR(gRemainingLength, 15 - 10.1f, 1e-3);
    EXPECT_EQ(at.floatH, -1.0f);  // untouched
    EXPECT_NEAR(GetSegmentLength(curve, a, b), 10.0f, 1e-4);
    EXPECT_EQ(GetPointOnLineFromLength(a, nullptr, &at, 1), 0);
    for (Objex* o : {path, curve}) DeleteObj(o);
}

TEST_F(SplinesTest, RadiusSplineFollowsTheCircle) {
    Objex* arc = Make(objtype::kWall);
    Poinz *p, *q;
    QuarterCircle(arc, &p, &q);
    EXPECT_TRUE(Near({p->position[0], p->position[2]}, {70.7107f, -70.7107f}, 1e-3));
    // H: 4 r (1 - cos 45); D: the same over tan 45.
    EXPECT_TRUE(Near({p->outTangent[0], q->inTangent[0], p->outTangent[2]}, {117.157f, -117.157f, 117.157f}, 1e-2));

    float h, v, d;
    GetSplineCoordinate(p, q, 0.5f, &h, &v, &d);
    EXPECT_TRUE(Near({h, d}, {100, 0}, 1e-3));
    for (int i = 0; i <= 100; ++i) {
        GetSplineCoordinate(p, q, i / 100.0f, &h, &v, &d);
        EXPECT_NEAR(std::sqrt(h * h + d * d), 100.0f, 0.03f) << "t " << i / 100.0f;
    }
    // Ten chords of the curve: 156.94, just under the arc's 50 pi = 157.08.
    EXPECT_NEAR(GetSegmentLength(arc, p, q), 156.94f, 0.01f);
    // A resolution below 1 counts as 1: the chord.
    for (int16_t resolution : {0, -5}) {
        doc->itsDocState->curveSegments = resolution;
        EXPECT_NEAR(GetSegmentLength(arc, p, q), 141.421f, 1e-3) << resolution;
    }

    // Coefficient forms and derivative agree with the curve.
    float a, b, c, k, a2, b2, c2, k2;
    SetupSpline(p->position[0], p->outTangent[0], q->position[0], q->inTangent[0], &a, &b, &c, &k);
    SetupSequencedSpline(p->position[0], q->position[0], p->outTangent[0], q->inTangent[0], &a2, &b2, &c2, &k2);
    EXPECT_TRUE(Near({a, b}, {a2, b2}));
    EXPECT_FLOAT_EQ(GetTangentSplineCoord(a, b, c, 1.0f, 1.0f), q->inTangent[0]);
    float derivative = 0;
    GetUniformTensionDeriv(2, 10, 0.5f, &derivative);
    EXPECT_EQ(derivative, 4.0f);
    DeleteObj(arc);

    // Control polygon (0,0), (30,0), (70,50), (100,50) zoomed by 0.6 in the plan view.
    RECT r;
    GetSplineBounds(0, 30, 30, 100, 0, 0, 0, 0, 0, 0, 0, 50, &r);
    EXPECT_TRUE(Near({r.left, r.top, r.right, r.bottom}, {0, 0, 60, 30}));
    GetSplineBounds(-1e9f, 0, 0, 1e9f, 0, 0, 0, NAN, 0, 0, 0, 0, &r);
    EXPECT_TRUE(Near({r.left, r.right}, {-32766, 32767}));  // -32767 + 0.5 truncated toward zero
}

}  // namespace splines

// Bicubic Hermite patches: corners, link patches along a segment, products and normals.
namespace bicubic {

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
    EXPECT_TRUE(Near({sMatrix.v[0], tMatrix.v[3]}, {1.0f, 1.0f}));

    // Link patch of a repeated pair follows the segment.
    Poinz* a = Point(0, 0, 0, 4);
    Poinz* b = Point(20, 5, 8, -3);
    Establish(a, a, b, b, 1);
    for (float s : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        float out[3], h, v, d;
        At(s, 0, out);
        GetSplineCoordinate(a, b, s, &h, &v, &d);
        EXPECT_TRUE(Near({out[0], out[1], out[2]}, {h, v, d}, 1e-4)) << s;
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
    EXPECT_TRUE(Near({CrossVectorMultiply(&v, &ones), CrossVectorMultiply(&v, nullptr)}, {10.0f, 0.0f}));
    Vector4 row;
    MultiplyVector4X4(&v, &identity, &row);
    EXPECT_EQ(row.v[3], 4.0f);
}

TEST_F(BicubicTest, SurfaceNormalIsTakenJustPastTheParameterAndNotNormalised) {
    // A flat square in the ground plane with zero tangents: x = 10 h(t), z = 10 h(s) with
    // h = 3u^2 - 2u^3, so at (0.5, 0.5) both derivatives are 15 and n = (0, 225, 0).
    Establish(Point(0, 0, 0, 0), Point(10, 0, 0, 0), Point(0, 0, 10, 0), Point(10, 0, 10, 0), 0);
    float ds, dt;
    ComputePartialDifferential(&zresultMatrix, 0.5f, 0.5f, &ds, &dt);
    EXPECT_TRUE(Near({ds, dt}, {15, 0}, 1e-4));

    // The plan view turns the upward normal into view depth -225.
    float nx, ny, nz;
    ComputeSurfaceNormal(&xresultMatrix, &yresultMatrix, &zresultMatrix, 0.49f, 0.49f, &nx, &ny, &nz);
    EXPECT_TRUE(Near({nx, ny, nz}, {0, 0, -225}, 1e-3));

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

}  // namespace bicubic

// View rotation and its inverse, perspective, planes, the grid plane and the jittered frustum.
namespace projection {

class ProjectionTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }
    void PlanView() {
        SetUpForRotationAboutArbitraryAxis(90, 0, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    }
};

TEST_F(ProjectionTest, PlanViewTurnsHeightIntoDepthAndBack) {
    PlanView();
    float x = 10, y = 5, z = 20;
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_TRUE(Near({x, y, z}, {10, 20, -5}, 1e-5));
    ComputeInverseRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_TRUE(Near({x, y, z}, {10, 5, 20}, 1e-5));
    // With the zoom (0.6) and a centre.
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 0, 2, 1);
    EXPECT_TRUE(Near({x, y, z}, {5, 10, -3}, 1e-5));

    // In perspective the point and the centre are both scaled by the view factor.
    gPerspective = 1;
    gViewFactor = 2;
    x = 1, y = 2, z = 3;
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 1, 1);
    EXPECT_TRUE(Near({x, y, z}, {0, 4, -2}, 1e-5));
    ComputeInverseRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 1, 1);
    EXPECT_TRUE(Near({x, y, z}, {1, 2, 3}, 1e-5));

    ComputeRotationAboutArbitraryAxis(&x, nullptr, &z, 1, 0, 1, 0, 0, 0, 0);
    EXPECT_EQ(x, 1.0f);
}

TEST_F(ProjectionTest, FrontViewLooksAlongDepth) {
    SetUpForRotationAboutArbitraryAxis(0, 0, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    float x = 10, y = 5, z = 20;
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_TRUE(Near({x, y, z}, {10, 5, 20}, kUlps));
    SetUpForRotationAboutArbitraryAxis(0, 90, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_TRUE(Near({x, y, z}, {-20, 5, 10}, 1e-5));  // x cos Y - z sin Y
}

TEST_F(ProjectionTest, PerspectiveDivideAndItsInverse) {
    float x = 10, y = 20, z = 100;
    AddPerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_TRUE(Near({x, z}, {12.5, 125}, 1e-4));  // w = 1 - 100 / 500
    RemovePerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_TRUE(Near({x, y, z}, {10, 20, 100}, 1e-4));
    // Offsets are added before and taken off after.
    x = 0, y = 0, z = 0;
    AddPerspective(&x, &y, &z, 500, 1, 2, 100);
    EXPECT_TRUE(Near({x, y}, {1.25, 2.5}, 1e-5));
    x = 2, y = 4, z = 500;  // in the eye plane
    AddPerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_TRUE(Near({x, y}, {20000, 40000}, 1e-1));
    EXPECT_NEAR(z, 5000000, 1);

    // Both ends of a line, zoomed, into the plan view with perspective.
    float x1 = 10, y1 = 0, z1 = 0, x2 = 0, y2 = -100, z2 = 0;
    gViewDistance = 1000;
    ConvertToIso(&x1, &y1, &z1, &x2, &y2, &z2, 1);
    EXPECT_NEAR(x1, 6, 1e-4);
    EXPECT_NEAR(z2, 60 / 0.94f, 1e-3);  // z = +60 after the turn, w = 1 - 60 / 1000
    EXPECT_NEAR(y2, 0, 1e-3);

    // Planes through points and depths on them.
    float a, b, c, d;
    CalcParametric(0, 0, 0, 1, 0, 0, 0, 1, 0, &a, &b, &c, &d);
    EXPECT_TRUE(Near({a, b, c, d}, {0, 0, 1, 0}));
    CalcParametric(0, 0, 5, 2, 0, 5, 0, 3, 5, &a, &b, &c, &d);  // the plane z = 5
    EXPECT_EQ(ComputePointOnPlane(7, 9, a, b, c, d), 5.0f);

    EXPECT_EQ(ComputePointOnPlane(2, 3, 1, 2, 0, 10), 2.0f);  // seen edge-on: undivided
    EXPECT_EQ(ComputePointOnPlane(2, 3, 1, 2, 2, 10), 1.0f);
}

// A run of points projected with the view read once lands on the same floats, bit for bit, as
// each point through ConversionToIsometric and AddPerspective: drawn lines round to the same pixels.
TEST_F(ProjectionTest, ViewReadOnceProjectsEveryPointBitForBit) {
    const struct {
        float xAngle, yAngle;
        uint8_t perspective;
        float distance, factor, centre;
    } views[] = {
        {90, 0, 0, 0, 1, 0},          // the plan
        {90, 37, 0, 0, 1, 123.4f},    // the plan turned, about a centre
        {30, 45, 0, 0, 1, -57.3f},    // isometric
        {30, 45, 1, 100000, 6, 811},  // perspective with its view factor
        {20, 10, 1, 7, 1, 0},         // an eye within reach: points on the eye plane
        {0, 0, 0, 0, 1, 0},           // front
    };
    const float points[][3] = {{0, 0, 0},          {-0.0f, -0.0f, -0.0f}, {10.3f, 5.7f, -20.1f},
                               {1e4f, -3e3f, 7e3f}, {-2e5f, 1e5f, 3e5f},  {0.1f, 7, 0.3f}};
    for (const auto& v : views) {
        dvxtest::SetView(v.xAngle, v.yAngle, v.perspective, v.distance, v.factor);
        gGlobalXOffset = v.centre, gGlobalYOffset = v.centre / 3, gGlobalZOffset = -v.centre;
        for (const bool divide : {false, true}) {  // a caller may leave the divide out in perspective
            const ViewProjection once = ViewProjection::Current(divide);
            for (const auto& p : points) {
                float want[3] = {p[0], p[1], p[2]}, got[3] = {p[0], p[1], p[2]};
                ConversionToIsometric(&want[0], &want[1], &want[2], gCosXAngle, gSinXAngle, gCosYAngle,
                                      gSinYAngle, gGlobalXOffset, gGlobalYOffset, gGlobalZOffset, 0);
                if (divide) AddPerspective(&want[0], &want[1], &want[2], gViewDistance, 0, 0, 0);
                once.Apply(got);
                EXPECT_EQ(std::memcmp(want, got, sizeof want), 0) << "view " << v.xAngle << "/" << v.yAngle
                    << " divide " << divide << " point " << p[0] << "," << p[1] << "," << p[2];
            }
        }
    }
}

TEST_F(ProjectionTest, GridPlaneFollowsTheViewKind) {
    // Plan: the horizontal plane at the viewing height (48, zoomed by 0.6) in view depth.
    ds()->viewOrigin.floatV = 48;
    PlanView();
    EXPECT_NEAR(ComputePointOnPlane(100, 200, gGridC1, gGridC2, gGridC3, gGridCONST), -28.8f, 1e-3);
    EXPECT_NEAR(ComputePointOnPlane(-50, 30, gGridC1, gGridC2, gGridC3, gGridCONST), -28.8f, 1e-3);
    EXPECT_EQ(gGridC1, 0.0f);
    EXPECT_GT(std::fabs(gGridC3), 1e6f * std::fabs(gGridC2));
    EXPECT_NEAR(ComputePointOnPlaneParallelToGrid(10, 10, 10), -6.0f, 1e-3);

    // Front view: the plane through the depth of the view origin, at the zoomed depth.
    ds()->viewKind = 1;
    ds()->viewOrigin.floatD = -100;
    SetUpForRotationAboutArbitraryAxis(0, 0, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    EXPECT_NEAR(ComputePointOnPlane(5, 5, gGridC1, gGridC2, gGridC3, gGridCONST), -60.0f, 1e-3);
    EXPECT_NEAR(ComputePointOnPlaneParallelToGrid(5, 5, 50), 30.0f, 1e-3);

    // Left or right: x is the plane of H after a quarter turn.
    ds()->viewKind = 3;
    ds()->viewOrigin.floatH = 20;
    SetUpForRotationAboutArbitraryAxis(0, 90, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    EXPECT_NEAR(ComputePointOnPlane(5, 5, gGridC1, gGridC2, gGridC3, gGridCONST), 12.0f, 1e-3);

    // Any other kind: the unzoomed ground plane, whatever the level.
    ds()->viewKind = 7;
    PlanView();
    EXPECT_NEAR(ComputePointOnPlane(3, 4, gGridC1, gGridC2, gGridC3, gGridCONST), 0.0f, 1e-3);
    EXPECT_NEAR(ComputePointOnPlaneParallelToGrid(3, 4, 55), 0.0f, 1e-3);

    // Without a document the angles are still filled; the plane is left alone.
    const float before = gGridCONST;
    gCurDocument = nullptr;
    float cx = 5, sx = 5, cy = 5, sy = 5;
    SetUpForRotationAboutArbitraryAxis(0, 0, &cx, &sx, &cy, &sy, 0);
    EXPECT_TRUE(Near({cx, sy}, {1, 0}));
    EXPECT_TRUE(Near({gGridCONST, ComputePointOnPlaneParallelToGrid(1, 1, 1)}, {before, 0.0f}));
    gCurDocument = doc;
}

TEST_F(ProjectionTest, JitteredFrustumGoesThroughTheGLSeam) {
    struct Call {
        const char* what;
        std::vector<double> args;
    };
    std::vector<Call> calls;
    SetAccumulationGetViewportHandler([](int32_t* v) { v[0] = 0; v[1] = 0; v[2] = 100; v[3] = 100; });
    SetAccumulationLoadFrustumHandler([&](double l, double r, double b, double t, double n, double f) {
        calls.push_back({"frustum", {l, r, b, t, n, f}});
    });
    SetAccumulationLoadModelViewTranslationHandler(
        [&](double x, double y, double z) { calls.push_back({"translate", {x, y, z}}); });
    SetInitializeAntiAliasGLSceneHandler([&](double a, double b, double c, double d, double e) {
        calls.push_back({"init", {a, b, c, d, e}});
    });

    // dx = -(2 x 0.5 / 100 + 0.2 x 1 / 5) = -0.05; dy = -(2 x 0.25 / 100 + 0.1 x 1 / 5) = -0.025.
    accFrustum(-1, 1, -1, 1, 1, 10, 0.5, 0.25, 0.2, 0.1, 5);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_STREQ(calls[0].what, "frustum");
    const double frustum[] = {-1.05, 0.95, -1.025, 0.975, 1, 10};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(calls[0].args[i], frustum[i], 1e-12) << i;
    EXPECT_STREQ(calls[1].what, "translate");
    EXPECT_EQ(calls[1].args, (std::vector<double>{-0.2, -0.1, 0.0}));
    EXPECT_STREQ(calls[2].what, "init");
    EXPECT_EQ(calls[2].args, (std::vector<double>{1, 1, 1, 1, 1}));

    // 90 degrees at aspect 2: top = near, right = 2 near.
    calls.clear();
    accPerspective(90, 2, 1, 10, 0, 0, 0, 0, 1);
    ASSERT_EQ(calls.size(), 3u);
    const double perspective[] = {-2, 2, -1, 1, 1, 10};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(calls[0].args[i], perspective[i], 1e-12) << i;

    // Nothing registered: an empty viewport, no pixel jitter and no GL.
    port::ResetEverySeam();
    calls.clear();
    accFrustum(-1, 1, -1, 1, 1, 10, 0.5, 0.25, 0.2, 0.1, 5);
    EXPECT_TRUE(calls.empty());
}

}  // namespace projection

// Transform primitives, world and screen lengths, and the tracking-form point transforms.
namespace transforms {

constexpr float kPi = std::numbers::pi_v<float>;

class TransformsTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        owner = Make(objtype::kPolygon);
    }
    void TearDown() override {
        DeleteObj(owner);
        DocumentTest::TearDown();
    }
    DocState* ds() { return doc->itsDocState; }
    Poinz* Point(float h, float v, float d, uint8_t selected = 1, uint8_t locked = 0) {
        Poinz* p = dvxtest::Point(owner, {h, v, d});
        p->selected = selected;
        p->locked = locked;
        return p;
    }
    static void ExpectPosition(const Poinz* p, float h, float v, float d) { ExpectNear(p, h, v, d, 1e-4f); }
    // A tracking record: drag from start to current about the origin.
    static TransformRecord Drag(float sh, float sv, float sd, float ch, float cv, float cd, float oh = 0,
                                float ov = 0, float od = 0) {
        TransformRecord r;
        const float values[9] = {sh, sv, sd, ch, cv, cd, oh, ov, od};
        for (int i = 0; i < 9; ++i) r.values[i] = values[i];
        return r;
    }
    Objex* owner = nullptr;
};

TEST_F(TransformsTest, Primitives) {
    float x = 1, y = 2;
    Translate(&x, &y, 3, -4);
    EXPECT_TRUE(Near({x, y}, {4, -2}));
    EXPECT_EQ(GetTranslate(3, 10), 7.0f);
    Scale(&x, &y, 2, 0, 3, 0.5f);
    EXPECT_TRUE(Near({x, y}, {8, -1}));
    EXPECT_TRUE(Near({GetScale(5, 9, 1), GetScale(5, 9, 5)}, {2.0f, 1.0f}));

    // A drag of (0, 10) to (5, 10) shifts x by half the height; y stays (x0 = origin).
    x = 2, y = 4;
    Shear(0, 10, 5, 10, &x, &y, 0, 0);
    EXPECT_TRUE(Near({x, y}, {4, 4}, kUlps));
    x = 12, y = 5;
    Rotate(&x, &y, 2, 5, kPi / 2);  // a quarter turn towards -D
    EXPECT_TRUE(Near({x, y}, {2, -5}, 1e-4));

    EXPECT_NEAR(GetRotate(0.1f, 6.2f), 6.2f - 2 * kPi - 0.1f, 1e-5);
    EXPECT_NEAR(GetRotate(0.5f, 1.5f), 1.0f, 1e-6);

    // World and screen lengths.
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(36, ds(), 0), 72.0f);
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(36, ds(), 1), 43.2f);  // zoom 0.6
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 0), 36.0f);
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 1), 21.6f);  // multiplies by the zoom too
    EXPECT_EQ(ConvertWorldToScreen(36, nullptr, 1), 36.0f);
    EXPECT_EQ(ConvertScreenToWorld(36, nullptr, 1), 36.0f);
    ds()->worldUnit = 2;  // feet
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(3, ds(), 0), 72.0f);
    EXPECT_FLOAT_EQ(ConvertScreenToWorld(72, ds(), 0), 3.0f);
    ds()->planScale = 48;
    EXPECT_FLOAT_EQ(ConvertWorldToScreen(4, ds(), 0), 72.0f);
}

TEST_F(TransformsTest, TranslateMovesTheViewAxesOfSelectedUnlockedPoints) {
    Poinz* free = Point(1, 2, 3);
    Poinz* unselected = Point(1, 2, 3, 0);
    Poinz* locked = Point(1, 2, 3, 1, 1);
    const TransformRecord r = Drag(10, 10, 10, 15, 40, 12);
    for (Poinz* p : {free, unselected, locked}) TranslatePoint(p, xform::kSelectedOnly, &r);
    ExpectPosition(free, 6, 2, 5);  // plan: H and D, never V
    ExpectPosition(unselected, 1, 2, 3);
    ExpectPosition(locked, 1, 2, 3);
    TranslatePoint(unselected, 0, &r);  // without the flag every point moves
    ExpectPosition(unselected, 6, 2, 5);

    // Shift keeps the larger delta only; on a tie the first axis is dropped.
    Poinz* p = Point(0, 0, 0);
    TranslatePoint(p, xform::kConstrain, &r);
    ExpectPosition(p, 5, 0, 0);
    const TransformRecord tie = Drag(0, 0, 0, 3, 0, -3);
    TranslatePoint(p, xform::kConstrain, &tie);
    ExpectPosition(p, 5, 0, -3);

    ds()->viewKind = 3;  // side view: D and V
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 5, 30, -1);
    ds()->viewKind = 1;  // front view: H and V
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 10, 60, -1);
    ds()->viewKind = 0;  // any other view transforms nothing
    TranslatePoint(p, 0, &r);
    ExpectPosition(p, 10, 60, -1);
    ds()->viewKind = 2;

    gCurDocument = nullptr;
    TranslatePoint(p, 0, &r);
    gCurDocument = doc;
    ExpectPosition(p, 10, 60, -1);
    TranslatePoint(p, 0, nullptr);
    TranslatePoint(nullptr, 0, &r);
}

TEST_F(TransformsTest, ScaleLeavesAnAxisWhoseStartIsTheOrigin) {
    Poinz* p = Point(3, 7, 9);
    p->outTangent[0] = 1, p->outTangent[1] = 1, p->outTangent[2] = 1;
    // H: (20 - 0) / (10 - 0) = 2; D: start 5 equals origin 5, factor 1.
    const TransformRecord r = Drag(10, 0, 5, 20, 0, 15, 0, 0, 5);
    ScalePoint(p, 0, &r);
    ExpectPosition(p, 6, 7, 9);
    EXPECT_TRUE(Near({p->outTangent[0], p->outTangent[1], p->inTangent[0]}, {2, 1, 0}));

    // Locked points stay.
    Poinz* fixed = Point(4, 1, 8, 1, 1);
    const TransformRecord r2 = Drag(10, 0, 10, 5, 0, 30);
    ScalePoint(fixed, xform::kSelectedOnly, &r2);
    ExpectPosition(fixed, 4, 1, 8);

    // Drag (10, 10, 10) to (5, 20, 30) about (0, 2, 0): H 0.5, V (20-2)/(10-2) = 2.25, D 3.
    const TransformRecord drag = Drag(10, 10, 10, 5, 20, 30, 0, 2, 0);
    struct Row {
        int16_t view;
        int32_t flags;
        float h, v, d, tangentV;  // tangents follow the view's two factors only
    };
    const Row rows[] = {
        {2, 0, 2, 6, 24, 1},                    // plan: H and D, V left alone
        {2, xform::kConstrain, 2, 4, 24, 1},    // plan: V = 2 + (6 - 2) x 0.5, D keeps its own 3
        {1, 0, 2, 11, 8, 2.25f},                // front: H and V
        {1, xform::kConstrain, 2, 4, 8, 0.5f},  // front: V takes 0.5 too
        {3, xform::kConstrain, 4, 6, 24, 1},    // side: H is not scaled, so neither is V
    };
    for (const Row& row : rows) {
        ds()->viewKind = row.view;
        Poinz* p = Point(4, 6, 8);
        p->outTangent[1] = 1;
        ScalePoint(p, row.flags, &drag);
        SCOPED_TRACE(row.view * 10 + row.flags);
        ExpectPosition(p, row.h, row.v, row.d);
        EXPECT_EQ(p->outTangent[1], row.tangentV);
    }
    ds()->viewKind = 2;
}

TEST_F(TransformsTest, RotateAndShearCarryTangents) {
    Poinz* p = Point(10, 4, 0);
    p->outTangent[0] = 1;
    p->inTangent[1] = 5;  // V only: zero in the plan's axes, left alone
    TransformRecord r = Drag(0, 0, 0, 0, 0, 0);
    r.values[xform::kStartAngle] = 0;
    r.values[xform::kCurrentAngle] = kPi / 2;
    RotatePoint(p, 0, &r);
    ExpectPosition(p, 0, 4, -10);
    EXPECT_TRUE(Near({p->outTangent[0], p->outTangent[2]}, {0, -1}, 1e-5));
    EXPECT_EQ(p->inTangent[1], 5.0f);
    r.values[xform::kCurrentAngle] = 0;  // no turn
    RotatePoint(p, 0, &r);
    ExpectPosition(p, 0, 4, -10);

    // Shear by the drag of (0, 10) to (5, 10) about the origin.
    Poinz* q = Point(2, 0, 4);
    q->outTangent[2] = 1;
    const TransformRecord s = Drag(0, 0, 10, 5, 0, 10);
    ShearPoint(q, 0, &s);
    ExpectPosition(q, 4, 0, 4);
    // The tangent's end (2, 5) shears to (4.5, 5): relative to the new position (0.5, 1).
    EXPECT_TRUE(Near({q->outTangent[0], q->outTangent[2]}, {0.5, 1}, 1e-5));
    EXPECT_TRUE(Near({q->inTangent[0], q->inTangent[2]}, {0, 0}));
}

TEST_F(TransformsTest, DimensionTransformTakesTheFirstMatchingFlag) {
    Poinz* p = Point(1, 1, 1);
    TransformRecord r = Drag(10, 0, 10, 20, 0, 30);
    r.values[xform::kCurrentAngle] = 1.0f;
    TransformDimension(p, xform::kTranslateFlag | xform::kScaleFlag | xform::kRotateFlag, &r);
    ExpectPosition(p, 11, 1, 21);
    TransformDimension(p, xform::kScaleFlag | xform::kRotateFlag, &r);  // factors 2 and 3
    ExpectPosition(p, 22, 1, 63);
    TransformDimension(p, 0x8, &r);
    TransformDimension(p, xform::kTranslateFlag, nullptr);
    ExpectPosition(p, 22, 1, 63);
    // The per-point flags travel along.
    Poinz* loose = Point(1, 1, 1, 0);
    TransformDimension(loose, xform::kTranslateFlag | xform::kSelectedOnly, &r);
    ExpectPosition(loose, 1, 1, 1);
    TransformDimension(loose, xform::kRotateFlag, &r);
    EXPECT_NE(loose->position[0], 1.0f);
}

}  // namespace transforms

// Smoothing outlines into curves in the plane of the view, and straightening them again.
namespace smoothing {

class Smoothing : public SelectionTest {
protected:
    // (0, 0), (40, 10), (100, 30) in plan, the middle point with a V tangent of 7.
    Objex* Outline(int16_t type, bool closed) {
        Objex* o = Shape(floor, type, {{0, 0}, {40, 10}, {100, 30}}, closed);
        PointAt(o, 1)->inTangent[1] = PointAt(o, 1)->outTangent[1] = 7.0f;
        return o;
    }
    // Both tangents of a smoothed point are the same.
    static void ExpectTangent(const Poinz* p, float h, float v, float d) {
        for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(p->inTangent[i], p->outTangent[i]);
        EXPECT_TRUE(Near({p->outTangent[0], p->outTangent[1], p->outTangent[2]}, {h, v, d}, kUlps));
    }
};

TEST_F(Smoothing, TangentsAreTheNeighboursChordTimesTheTensionInTheViewsPlane) {
    DocState* ds = CurrentDocState();
    ds->curveTension = 10;
    Objex* open = Outline(objtype::kFill, false);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 0), 0, 0, 0);
    ExpectTangent(PointAt(open, 1), 100, 7, 30);  // V untouched in plan
    ExpectTangent(PointAt(open, 2), 0, 0, 0);

    ds->curveTension = 5;
    Objex* closed = Outline(objtype::kFill, true);
    SmoothObject(closed);
    ExpectTangent(PointAt(closed, 0), -30, 0, -10);  // neighbours: last and second
    ExpectTangent(PointAt(closed, 1), 50, 7, 15);
    ExpectTangent(PointAt(closed, 2), -20, 0, -5);

    PointAt(open, 2)->position[1] = 20;
    ds->viewKind = 1;  // front: H and V; D keeps its value
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 50, 10, 30);
    ds->viewKind = 3;  // side: D and V
    UnsmoothObject(open);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 0, 10, 15);
    ds->viewKind = 4;
    UnsmoothObject(open);
    SmoothObject(open);
    ExpectTangent(PointAt(open, 1), 0, 0, 0);
}

TEST_F(Smoothing, SelectedPointsAloneAndTheCommandsTypes) {
    CurrentDocState()->curveTension = 10;
    Objex* o = Shape(floor, objtype::kFill, {{0, 0}, {40, 10}, {100, 30}, {20, 60}}, true);
    PointAt(o, 2)->selected = 1;
    SmoothSelectedObject(o);
    ExpectTangent(PointAt(o, 1), 0, 0, 0);
    ExpectTangent(PointAt(o, 2), -20, 0, 50);  // unselected neighbours still count

    SmoothObject(o);
    UnsmoothSelectedObject(o);  // straight only at point 3's end of its two segments
    ExpectTangent(PointAt(o, 2), 0, 0, 0);
    ExpectTangent(PointAt(o, 1), 100, 0, 30);
    ExpectTangent(PointAt(o, 3), -100, 0, -30);

    Objex* wall = Wall(floor, {{0, 0}, {40, 10}, {100, 30}});
    Make(wall).select();
    ObjectSmoothing(wall);
    EXPECT_EQ(SelectedPointCount(wall), 0);
    ExpectTangent(PointAt(wall, 1), 0, 0, 0);

    Objex* railing = Outline(objtype::kRailing, false);
    ObjectSmoothing(railing);
    ExpectTangent(PointAt(railing, 1), 100, 7, 30);
    ObjectStraightening(railing);
    ExpectTangent(PointAt(railing, 1), 0, 0, 0);
}

}  // namespace smoothing

// Length, angle and pitch readouts, the fraction step, snapping and clamping, unit conversion.
namespace readouts {

class ReadoutsTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }

    static std::string Imperial(float inches, int16_t code) {
        char text[kReadoutSize];
        ConvertInchesToImperialStr(inches, text, code);
        return text;
    }
    static std::string Metric(float inches, int16_t code) {
        char text[kReadoutSize];
        ConvertInchesToMetricStr(inches, text, code);
        return text;
    }
    static std::string Length(float inches) {
        char text[kReadoutSize] = "untouched";
        ConvertInchesToStr(inches, text);
        return text;
    }
};

TEST_F(ReadoutsTest, EveryImperialCodeFor100Point3AndMinus0Point3) {
    const char* const positive[18] = {
        "8'-4\"",      "8'-4 1/2\"",  "8'-4 1/4\"",   "8'-4 1/4\"",   "8'-4 5/16\"", "100\"",
        "100 1/2\"",   "100 1/4\"",   "100 1/4\"",    "100 5/16\"",   "8'-4.5\"",    "8'-4.25\"",
        "8'-4.25\"",   "8'-4.3125\"", "100.5\"",      "100.25\"",     "100.25\"",    "100.3125\""};
    const char* const negative[18] = {
        "0\"",     "-1/2\"",  "-1/4\"",  "-1/4\"",  "-5/16\"",   "0\"",    "-1/2\"",  "-1/4\"",  "-1/4\"",
        "-5/16\"", "-0.5\"",  "-0.25\"", "-0.25\"", "-0.3125\"", "-0.5\"", "-0.25\"", "-0.25\"", "-0.3125\""};
    for (int16_t code = 0; code < 18; ++code) {
        EXPECT_EQ(Imperial(100.3f, code), positive[code]) << "code " << code;
        EXPECT_EQ(Imperial(-0.3f, code), negative[code]) << "code " << code;
    }
    // Unknown codes take the decimal-inches path in sixteenths.
    EXPECT_EQ(Imperial(100.3f, 18), "100.3125\"");
    EXPECT_EQ(Imperial(100.3f, -1), "100.3125\"");

    // Metric readouts trim zeros and look up the suffix.
    const struct { float inches; int16_t code; const char* text; } rows[] = {
        {100.0f, 0, "2.54 m"}, {100.0f, 1, "254 cm"}, {100.0f, 2, "2540 mm"}, {100.0f, 7, "2540 mm"}, {39.37f, 0, "1 m"}};
    for (const auto& row : rows) EXPECT_EQ(Metric(row.inches, row.code), row.text) << row.inches << " " << row.code;

    SetLocalizedStringHandler([](const char* key) { return std::string(key) == " m" ? " metres" : key; });
    EXPECT_EQ(Metric(100.0f, 0), "2.54 metres");
    EXPECT_EQ(Metric(100.0f, 1), "254 cm");  // no translation: the key itself
    // A translation too long for the buffer is cut, never overrun.
    SetLocalizedStringHandler([](const char*) { return std::string(200, 'y'); });
    EXPECT_EQ(Metric(100.0f, 0).size(), size_t(kReadoutSize - 1));
}

TEST_F(ReadoutsTest, ImperialEdgeCasesCarryRoundAndDropTheSignOfZero) {
    const struct { float inches; int16_t code; const char* text; } rows[] = {
        {100.0f, 4, "8'-4\""}, {143.97f, 4, "12'-0\""},  // 16/16 carries into inches, 12 inches into a foot
        {6.5f, 4, "6 1/2\""}, {0.25f, 4, "1/4\""}, {-30.5f, 4, "-2'-6 1/2\""}, {-0.25f, 0, "0\""},
        {1.03125f, 4, "1\""},  // 0.5 sixteenths rounds to even
        {11.99f, 4, "1'-0\""}, {11.99f, 9, "12\""},  // inches-only codes never make a foot
        {-0.01f, 17, "0\""}, {-0.01f, 13, "0\""},  // no minus zero
    };
    for (const auto& row : rows) EXPECT_EQ(Imperial(row.inches, row.code), row.text) << row.inches;

    // Out-of-range input stays defined and inside the buffer.
    for (int16_t code = -1; code < 19; ++code)
        for (float v : {1e30f, -1e30f, 2147483648.0f, INFINITY, NAN}) {
            char text[kReadoutSize];
            std::memset(text, 'x', sizeof text);
            ConvertInchesToImperialStr(v, text, code);
            EXPECT_LT(std::strlen(text), size_t(kReadoutSize));
        }
}

TEST_F(ReadoutsTest, DocumentReadoutFollowsUnitsFlagsAndDecimalSeparator) {
    ASSERT_EQ(ds()->units, kImperialUnits);
    ASSERT_EQ(ds()->imperialReadout, 112);
    EXPECT_EQ(DecodeImperialReadoutFormat(), 4);
    EXPECT_EQ(Length(100.0f), "8'-4\"");

    port::MemoryDefaults comma;
    comma.setDecimalSeparator(',');
    port::setDefaults(&comma);
    ds()->units = kMetricUnits;
    ds()->metricReadout = 1;
    EXPECT_EQ(DecodeMetricReadoutFormat(), 0);
    EXPECT_EQ(Length(100.0f), "2,54 m");
    EXPECT_EQ(Imperial(100.3f, 13), "8'-4.3125\"");  // explicit codes keep the point
    ds()->metricReadout = 2;
    EXPECT_EQ(Length(100.0f), "254 cm");
    ds()->metricReadout = 0;
    EXPECT_EQ(Length(100.0f), "2540 mm");
    ds()->units = 0;  // anything but imperial is metric
    EXPECT_EQ(Length(100.0f), "2540 mm");
    port::setDefaults(nullptr);

    // Decoding: first matching flag wins.
    const struct { int16_t flags; int16_t code; } decode[] = {
        {1 | 32, 0}, {1, 5}, {2 | 32 | 64, 1}, {2 | 64, 6}, {2 | 32, 10}, {2, 14},
        {4 | 32, 11}, {4 | 64, 7}, {8 | 32 | 64, 3}, {8, 16}, {64, 9}, {32, 13}, {16, 17}, {1 | 2 | 32, 0}};
    for (const auto& row : decode) {
        ds()->imperialReadout = row.flags;
        EXPECT_EQ(DecodeImperialReadoutFormat(), row.code) << "flags " << row.flags;
    }

    gCurDocument = nullptr;
    EXPECT_TRUE(Near({DecodeImperialReadoutFormat(), DecodeMetricReadoutFormat()}, {17, 2}));
    EXPECT_EQ(Length(100.0f), "untouched");
    char angle[kReadoutSize] = "untouched";
    ConvertAngleToStr(45.0f, angle);
    ConvertPitchToStr(6.0f, angle);
    EXPECT_STREQ(angle, "untouched");
    gCurDocument = doc;
}

// Readouts are kept between calls: a second pass over many values (sharing slots) and every
// change of setting must answer what a fresh formatting does.
TEST_F(ReadoutsTest, KeptReadoutsFollowEverySetting) {
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3000; ++i) {
            const float inches = i * 0.37f - 200.0f;
            EXPECT_EQ(Length(inches), Imperial(inches, 4)) << inches;
        }
    ds()->imperialReadout = kReadoutHalves;  // decimal inches in halves
    EXPECT_EQ(Length(100.3f), "100.5\"");
    port::MemoryDefaults comma;
    comma.setDecimalSeparator(',');
    port::setDefaults(&comma);
    EXPECT_EQ(Length(100.3f), "100,5\"");
    port::setDefaults(nullptr);
    EXPECT_EQ(Length(100.3f), "100.5\"");
    ds()->units = kMetricUnits;
    ds()->metricReadout = 0;  // millimetres
    EXPECT_EQ(Length(100.0f), "2540 mm");
    SetLocalizedStringHandler([](const char* key) { return std::string(key) == " mm" ? " millim." : key; });
    EXPECT_EQ(Length(100.0f), "2540 millim.");
    SetLocalizedStringHandler([](const char* key) { return std::string(key) == " mm" ? " millimetres" : key; });
    EXPECT_EQ(Length(100.0f), "2540 millimetres");  // too long to keep: formatted each time
    EXPECT_EQ(Length(100.0f), "2540 millimetres");
}

TEST_F(ReadoutsTest, AnglesAndPitches) {
    char text[kReadoutSize];
    // Readout 1 rounds the halfway digit to even; 9 gives four decimals.
    const struct { int16_t readout; float degrees; const char* text; } angles[] = {
        {1, 30.25f, "30.2\xBC"}, {2, 45.0f, "45\xBC"}, {2, 22.5f, "22.5\xBC"}, {9, 1.23456f, "1.2346\xBC"}};
    for (const auto& row : angles) {
        ds()->angleReadout = row.readout;
        ConvertAngleToStr(row.degrees, text);
        EXPECT_STREQ(text, row.text) << row.degrees;
    }
    ConvertPitchToMetricStr(6.0f, text);
    EXPECT_STREQ(text, "5");
    const struct { float pitch; int16_t code; const char* text; } pitches[] = {
        {6.25f, 4, "6 1/4"}, {0.5f, 9, "1/2"}, {6.5f, 0, "7"}, {6.3f, 13, "6.3125"}, {6.3f, 10, "6.5"}};
    for (const auto& row : pitches) {
        ConvertPitchToImperialStr(row.pitch, text, row.code);
        EXPECT_STREQ(text, row.text) << row.pitch << " " << row.code;
    }
    ConvertPitchToStr(6.25f, text);  // imperial, code 4
    EXPECT_STREQ(text, "6 1/4");
    ds()->units = kMetricUnits;
    ConvertPitchToStr(6.0f, text);
    EXPECT_STREQ(text, "5");

    EXPECT_NEAR(ConvertPitchToAngle(6.0f), 26.565f, 1e-3);
    EXPECT_TRUE(Near({ConvertPitchToAngle(-1.0f), ConvertPitchToAngle(1000.5f)}, {0.0f, 0.0f}));
    EXPECT_EQ(ConvertPitchToAngle(NAN), 0.0f);
    EXPECT_NEAR(ConvertAngleToPitch(45.0f), 12.0f, 1e-4);  // metric: not snapped
    ds()->units = kImperialUnits;
    EXPECT_EQ(ConvertAngleToPitch(45.0f), 12.0f);
    EXPECT_EQ(ConvertAngleToPitch(26.0f), 5.875f);  // 5.8527 snapped to sixteenths
    EXPECT_TRUE(Near({ConvertAngleToPitch(89.5f), ConvertAngleToPitch(-2.0f)}, {0.0f, 0.0f}));
}

TEST_F(ReadoutsTest, FractionStepAndTrimming) {
    int32_t whole = 3, numerator = -1, denominator = -1;
    ConvertDecimalToSixteenths(0.5, &whole, &numerator, &denominator);
    EXPECT_TRUE(Near({whole, numerator, denominator}, {3, 1, 2}));
    ConvertDecimalToSixteenths(1.0 / 32.0, &whole, &numerator, &denominator);
    EXPECT_EQ(numerator, 0);  // halfway goes to the even neighbour
    ConvertDecimalToEighths(0.97, &whole, &numerator, &denominator);
    EXPECT_TRUE(Near({whole, numerator}, {4, 0}));  // 8/8 carries
    ConvertDecimalToFourths(0.74, &whole, &numerator, &denominator);
    EXPECT_TRUE(Near({numerator, denominator}, {3, 4}));
    ConvertDecimalToHalves(0.2, &whole, &numerator, &denominator);
    EXPECT_EQ(numerator, 0);
    ConvertDecimalToHalves(0.2, nullptr, &numerator, &denominator);  // no crash

    EXPECT_TRUE(Near({ConvertFractionToDecimal(3, 8), ConvertFractionToDecimal(3, 1)}, {0.375f, 3.0f}));
    EXPECT_TRUE(Near({ConvertFractionToDecimal(1, 3), ConvertFractionToDecimal(1, 0)}, {0.0f, 0.0f}));

    const struct { const char* in; const char* out; } trims[] = {
        {"2.5400", "2.54"}, {"254.00", "254"}, {"10", "10"}, {"100", "100"}, {"0.0", "0"},
        {".0", "."}, {"5", "5"}, {"1.05", "1.05"}};
    for (const auto& row : trims) {
        char text[16];
        std::strcpy(text, row.in);
        TruncateTrailingZeros(text);
        EXPECT_STREQ(text, row.out) << row.in;
    }
    TruncateTrailingZeros(nullptr);

    // World units convert through the decimal factors.
    const struct { int16_t unit; float world; float inches; } rows[] = {
        {1, 5.0f, 5.0f}, {2, 2.0f, 24.0f}, {3, 2.0f, 72.0f}, {4, 0.5f, 31680.0f},
        {5, 100.0f, 3.937f}, {6, 10.0f, 3.937f}, {7, 1.0f, 3.937f}, {8, 2.0f, 78.74f}};
    for (const auto& row : rows) {
        ds()->worldUnit = row.unit;
        EXPECT_FLOAT_EQ(GetInchesFromWorld(row.world, ds()), row.inches) << row.unit;
        EXPECT_FLOAT_EQ(GetWorldFromInches(row.inches, ds()), row.world) << row.unit;
    }
    for (int16_t unit : {0, 9, -1}) {
        ds()->worldUnit = unit;
        EXPECT_TRUE(Near({GetInchesFromWorld(7.25f, ds()), GetWorldFromInches(7.25f, ds())}, {7.25f, 7.25f}));
    }
    EXPECT_TRUE(Near({GetInchesFromWorld(7.25f, nullptr), ConvertMetersToInches(1.0f)}, {7.25f, 39.37f}));
    EXPECT_EQ(ConvertInchesToPixels(2.0f), 144.0f);
}

TEST_F(ReadoutsTest, SnappingAndClampingFollowTheImperialFlags) {
    // Snapping reads the imperial flags whatever the units.
    const struct { int16_t units, flags; float in, out; } snaps[] = {
        {kImperialUnits, 1 | 32, 6.5f, 6}, {kImperialUnits, 1 | 32, 7.5f, 8}, {kImperialUnits, 1 | 32, -7.5f, -8},
        {kImperialUnits, 112, 6.3f, 6.3125f}, {kImperialUnits, 112, 6.99f, 7}, {kImperialUnits, 112, -6.3f, -6.3125f},
        {kImperialUnits, 4 | 32, 6.3f, 6.25f}, {kImperialUnits, 4 | 32, 3e9f, 3e9f}, {kMetricUnits, 4 | 32, 6.3f, 6.25f}};
    for (const auto& row : snaps) {
        ds()->units = row.units;
        ds()->imperialReadout = row.flags;
        float v = row.in;
        NormalizeInputToPrecision(&v);
        EXPECT_EQ(v, row.out) << row.flags << " " << row.in;
    }
    // Metric clamps plainly; imperial onto the readout grid; bad limits do nothing.
    const struct { int16_t units, flags; float in, min, max, out; } clamps[] = {
        {kMetricUnits, 4 | 32, -3, 0.1f, 10.3f, 0.1f}, {kMetricUnits, 4 | 32, 12, 0.1f, 10.3f, 10.3f},
        {kImperialUnits, 112, -3, 0.1f, 10.3f, 0.125f}, {kImperialUnits, 112, 12, 0.1f, 10.3f, 10.25f},
        {kImperialUnits, 112, 5.01f, 0.1f, 10.3f, 5.01f}, {kImperialUnits, 2 | 32, 12, 0.1f, 10.3f, 10},
        {kImperialUnits, 2 | 32, 12, 5, 0.5f, 12}, {kImperialUnits, 2 | 32, 12, 0, 0.5f, 12}};
    for (const auto& row : clamps) {
        ds()->units = row.units;
        ds()->imperialReadout = row.flags;
        float v = row.in;
        ConstrainValueToLimits(&v, row.min, row.max);
        EXPECT_EQ(v, row.out) << row.flags << " " << row.in << " in " << row.min << ".." << row.max;
    }
}

}  // namespace readouts
