// View rotation and its inverse, perspective, planes, the grid plane and the jittered frustum.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "render/core/accumulation_seams.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

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
    EXPECT_NEAR(x, 10, 1e-5);
    EXPECT_NEAR(y, 20, 1e-5);
    EXPECT_NEAR(z, -5, 1e-5);
    ComputeInverseRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_NEAR(x, 10, 1e-5);
    EXPECT_NEAR(y, 5, 1e-5);
    EXPECT_NEAR(z, 20, 1e-5);

    // With the zoom (0.6) and a centre.
    x = 10, y = 5, z = 20;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 0, 2, 1);
    EXPECT_NEAR(x, 5, 1e-5);
    EXPECT_NEAR(y, 10, 1e-5);
    EXPECT_NEAR(z, -3, 1e-5);

    // In perspective the point and the centre are both scaled by the view factor.
    gPerspective = 1;
    gViewFactor = 2;
    x = 1, y = 2, z = 3;
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 1, 1);
    EXPECT_NEAR(x, 0, 1e-5);
    EXPECT_NEAR(y, 4, 1e-5);
    EXPECT_NEAR(z, -2, 1e-5);
    ComputeInverseRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 1, 1, 1);
    EXPECT_NEAR(x, 1, 1e-5);
    EXPECT_NEAR(y, 2, 1e-5);
    EXPECT_NEAR(z, 3, 1e-5);

    ComputeRotationAboutArbitraryAxis(&x, nullptr, &z, 1, 0, 1, 0, 0, 0, 0);
    EXPECT_EQ(x, 1.0f);
}

TEST_F(ProjectionTest, FrontViewLooksAlongDepth) {
    SetUpForRotationAboutArbitraryAxis(0, 0, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    float x = 10, y = 5, z = 20;
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_FLOAT_EQ(x, 10);
    EXPECT_FLOAT_EQ(y, 5);
    EXPECT_FLOAT_EQ(z, 20);
    SetUpForRotationAboutArbitraryAxis(0, 90, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    ComputeRotationAboutArbitraryAxis(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0);
    EXPECT_NEAR(x, -20, 1e-5);  // x cos Y - z sin Y
    EXPECT_NEAR(y, 5, 1e-5);
    EXPECT_NEAR(z, 10, 1e-5);
}

TEST_F(ProjectionTest, PerspectiveDivideAndItsInverse) {
    float x = 10, y = 20, z = 100;
    AddPerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_NEAR(x, 12.5f, 1e-4);  // w = 1 - 100 / 500
    EXPECT_NEAR(z, 125.0f, 1e-4);
    RemovePerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_NEAR(x, 10, 1e-4);
    EXPECT_NEAR(y, 20, 1e-4);
    EXPECT_NEAR(z, 100, 1e-4);

    // Offsets are added before and taken off after.
    x = 0, y = 0, z = 0;
    AddPerspective(&x, &y, &z, 500, 1, 2, 100);
    EXPECT_NEAR(x, 1.25f, 1e-5);
    EXPECT_NEAR(y, 2.5f, 1e-5);

    x = 2, y = 4, z = 500;  // in the eye plane
    AddPerspective(&x, &y, &z, 500, 0, 0, 0);
    EXPECT_NEAR(x, 20000, 1e-1);
    EXPECT_NEAR(y, 40000, 1e-1);
    EXPECT_NEAR(z, 5000000, 1);

    // Both ends of a line, zoomed, into the plan view with perspective.
    float x1 = 10, y1 = 0, z1 = 0, x2 = 0, y2 = -100, z2 = 0;
    gViewDistance = 1000;
    ConvertToIso(&x1, &y1, &z1, &x2, &y2, &z2, 1);
    EXPECT_NEAR(x1, 6, 1e-4);
    EXPECT_NEAR(z2, 60 / 0.94f, 1e-3);  // z = +60 after the turn, w = 1 - 60 / 1000
    EXPECT_NEAR(y2, 0, 1e-3);
}

TEST_F(ProjectionTest, PlanesThroughPointsAndDepthsOnThem) {
    float a, b, c, d;
    CalcParametric(0, 0, 0, 1, 0, 0, 0, 1, 0, &a, &b, &c, &d);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(d, 0);
    CalcParametric(0, 0, 5, 2, 0, 5, 0, 3, 5, &a, &b, &c, &d);  // the plane z = 5
    EXPECT_EQ(ComputePointOnPlane(7, 9, a, b, c, d), 5.0f);

    EXPECT_EQ(ComputePointOnPlane(2, 3, 1, 2, 0, 10), 2.0f);  // seen edge-on: undivided
    EXPECT_EQ(ComputePointOnPlane(2, 3, 1, 2, 2, 10), 1.0f);
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
    EXPECT_EQ(cx, 1.0f);
    EXPECT_EQ(sy, 0.0f);
    EXPECT_EQ(gGridCONST, before);
    EXPECT_EQ(ComputePointOnPlaneParallelToGrid(1, 1, 1), 0.0f);
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

}  // namespace
