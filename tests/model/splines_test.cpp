// Hermite segments, arc splines, segment and object lengths, points along segments, slopes,
// intersections, perpendicular feet and drawing angles.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/splines.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

class SplinesTest : public DocumentTest {
protected:
    // A point of `owner` at (h, v, d) with the given in- and out-tangents.
    Poinz* Point(Objex* owner, float h, float v, float d, const float in[3] = nullptr,
                 const float out[3] = nullptr) {
        static const float zero[3] = {0, 0, 0};
        if (!in) in = zero;
        if (!out) out = zero;
        return dvxtest::Point(owner, {h, v, d, {in[0], in[1], in[2]}, {out[0], out[1], out[2]}});
    }

    // The quarter circle of radius 100 from -45 to +45 degrees as one segment of `owner`.
    void QuarterCircle(Objex* owner, Poinz** p, Poinz** q) {
        float h0, th0, th1, h1, d0, td0, td1, d1;
        BuildRadiusSpline(kPi / 2, 100.0f, &h0, &th0, &th1, &h1, &d0, &td0, &td1, &d1);
        const float out[3] = {th0, 0, td0};
        const float in[3] = {th1, 0, td1};
        *p = Point(owner, h0, 0, d0, nullptr, out);
        *q = Point(owner, h1, 0, d1, in, nullptr);
    }
};

TEST_F(SplinesTest, LineAnglesFollowThePlanConvention) {
    float length = -1;
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, 0, 10, &length), 3 * kPi / 2, 1e-5);
    EXPECT_EQ(length, 10.0f);
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, 0, -10, &length), kPi / 2, 1e-5);
    EXPECT_NEAR(GetLineLengthAndAngle(0, 0, -10, 0, &length), kPi, 1e-5);
    EXPECT_EQ(GetLineLengthAndAngle(0, 0, 10, 0, &length), 0.0f);
    EXPECT_EQ(GetLineLengthAndAngle(3, 4, 3, 4, &length), 0.0f);
    EXPECT_EQ(length, 0.0f);
    EXPECT_EQ(GetLineLengthAndAngle(0, 0, 10, 0, nullptr), 0.0f);
    // A quotient rounding past 1 stays inside acos's domain.
    EXPECT_FALSE(std::isnan(GetLineLengthAndAngle(0, 0, 1e-20f, 1e-30f, &length)));

    float x = 1, y = 1;
    GetPointFromLengthAndAngle(kPi / 2, 5, &x, &y);
    EXPECT_NEAR(x, 0, 1e-5);
    EXPECT_NEAR(y, -5, 1e-5);
    EXPECT_FLOAT_EQ(Get3DLineLength(1, 2, 3, 3, 5, 9), 7.0f);

    uint16_t qd = 999;
    ConvertPiRadiansToQDAngle(0, &qd);
    EXPECT_EQ(qd, 90);
    ConvertPiRadiansToQDAngle(std::numbers::pi / 2, &qd);
    EXPECT_EQ(qd, 0);
    ConvertPiRadiansToQDAngle(std::numbers::pi, &qd);
    EXPECT_EQ(qd, 270);
    ConvertPiRadiansToQDAngle(-std::numbers::pi / 2, &qd);
    EXPECT_EQ(qd, 180);
    ConvertPiRadiansToQDAngle(100.0f, &qd);  // far outside a turn: clamped, not undefined
    EXPECT_EQ(qd, 0);
    ConvertPiRadiansToQDAngle(NAN, &qd);
    EXPECT_EQ(qd, 0);
}

TEST_F(SplinesTest, SlopesIntersectionsAndPerpendicularFeet) {
    EXPECT_EQ(GetSlope(5, 0, 3.8f, 6), kVerticalSlope);  // dx -1.2 rounds to 0
    EXPECT_FLOAT_EQ(FGetSlope(5, 0, 3.8f, 6), 6 / -1.2f);
    EXPECT_EQ(GetSlope(0, 0, 0.4f, 1), kVerticalSlope);
    EXPECT_FLOAT_EQ(GetSlope(0, 0, -1.5f, 3), -2.0f);
    EXPECT_EQ(FGetSlope(2, 0, 2, 5), kVerticalSlope);
    EXPECT_FLOAT_EQ(GetYIntercept(2, 7, 3), 1.0f);

    float x = 0, y = 0;
    FGetIntersection(0, 0, 10, 10, 0, 5, 10, 15, &x, &y);
    EXPECT_EQ(x, kNoIntersection);
    EXPECT_EQ(y, kNoIntersection);
    FGetIntersection(1, 0, 1, 9, 4, 0, 4, 9, &x, &y);  // both vertical
    EXPECT_EQ(x, kNoIntersection);
    FGetIntersection(0, 0, 10, 10, 0, 10, 10, 0, &x, &y);
    EXPECT_FLOAT_EQ(x, 5);
    EXPECT_FLOAT_EQ(y, 5);
    FGetIntersection(3, 0, 3, 10, 0, 0, 1, 2, &x, &y);  // first vertical
    EXPECT_FLOAT_EQ(x, 3);
    EXPECT_FLOAT_EQ(y, 6);
    FGetIntersection(0, 1, 2, 1, 7, 0, 7, 4, &x, &y);   // second vertical
    EXPECT_FLOAT_EQ(x, 7);
    EXPECT_FLOAT_EQ(y, 1);
    // Screen form: slopes 1 and 1.0005 count as parallel; FGetIntersection still crosses.
    GetIntersection(0, 0, 1000, 1000, 0, 5, 1000, 1005.5f, &x, &y);
    EXPECT_EQ(x, kNoIntersection);
    FGetIntersection(0, 0, 1000, 1000, 0, 5, 1000, 1005.5f, &x, &y);
    EXPECT_NE(x, kNoIntersection);
    GetIntersection(0, 0, 10, 10, 0, 10, 10, 0, &x, &y);
    EXPECT_FLOAT_EQ(x, 5);

    FGetPerpIntersection(0, 5, 10, 5, 3, 9, &x, &y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 5);
    FGetPerpIntersection(4, 0, 4, 10, 7, 2, &x, &y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 2);
    FGetPerpIntersection(0, 0, 10, 10, 0, 2, &x, &y);
    EXPECT_FLOAT_EQ(x, 1);
    EXPECT_FLOAT_EQ(y, 1);
    GetPerpIntersection(4, 0, 4.3f, 10, 7, 2, &x, &y);  // nearly vertical on screen
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 2);
    FGetPerpIntersection(0, 0, 10, 10, 0, 2, nullptr, &y);
}

TEST_F(SplinesTest, ObjectLengthsOfStraightAndClosedOutlines) {
    Objex* wall = Make(objtype::kWall);
    Point(wall, 0, 0, 0);
    Point(wall, 30, 7, 40);
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 50.0f);  // plan length: V plays no part
    wall->closed = 1;
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 100.0f);
    wall->rows = 2;
    EXPECT_EQ(GetObjectLength(wall), 0.0f);
    wall->rows = 1;
    wall->type = objtype::kPolygon;
    EXPECT_EQ(GetObjectLength(wall), 0.0f);
    wall->type = objtype::kFence;
    Point(wall, 30, 0, 0);
    EXPECT_FLOAT_EQ(GetObjectLength(wall), 50.0f + 40.0f + 30.0f);

    Objex* empty = Make(objtype::kPath);
    EXPECT_EQ(GetObjectLength(empty), 0.0f);
    EXPECT_EQ(GetObjectLength(nullptr), 0.0f);
    EXPECT_EQ(GetSegmentLength(wall, wall->firstPoint, nullptr), 0.0f);
    DeleteObj(wall);
    DeleteObj(empty);
}

TEST_F(SplinesTest, PointAlongSegmentsAndTheRemainingLength) {
    Objex* path = Make(objtype::kPath);
    Poinz* p = Point(path, 0, 0, 0);
    Poinz* q = Point(path, 6, 0, 8);
    FloatPoint at{-1, -1};
    EXPECT_EQ(GetPointOnLineFromLength(p, q, &at, 15), 0);  // past the end: written anyway
    EXPECT_NEAR(at.floatH, 9, 1e-4);
    EXPECT_NEAR(at.floatV, 12, 1e-4);
    EXPECT_EQ(GetPointOnLineFromLength(p, q, &at, 5), 1);
    EXPECT_NEAR(at.floatH, 3, 1e-4);
    EXPECT_NEAR(at.floatV, 4, 1e-4);

    // Tangents equal to the chord make a curved segment that runs straight at even speed:
    // samples every 0.01 of t up to t = 1.01, 0.1 apart.
    gRemainingLength = -1;
    const float chord[3] = {10, 0, 0};
    Objex* curve = Make(objtype::kPath);
    Poinz* a = Point(curve, 0, 0, 0, nullptr, chord);
    Poinz* b = Point(curve, 10, 0, 0, chord, nullptr);
    EXPECT_EQ(GetPointOnLineFromLength(a, b, &at, 5.05f), 1);
    EXPECT_NEAR(at.floatH, 5.1f, 1e-4);
    EXPECT_NEAR(at.floatV, 0, 1e-4);
    EXPECT_EQ(gRemainingLength, -1.0f);
    at = FloatPoint{-1, -1};
    EXPECT_EQ(GetPointOnLineFromLength(a, b, &at, 15), 0);
    EXPECT_NEAR(gRemainingLength, 15 - 10.1f, 1e-3);
    EXPECT_EQ(at.floatH, -1.0f);  // untouched
    EXPECT_NEAR(GetSegmentLength(curve, a, b), 10.0f, 1e-4);
    EXPECT_EQ(GetPointOnLineFromLength(a, nullptr, &at, 1), 0);
    DeleteObj(path);
    DeleteObj(curve);
}

TEST_F(SplinesTest, RadiusSplineFollowsTheCircle) {
    Objex* arc = Make(objtype::kWall);
    Poinz *p, *q;
    QuarterCircle(arc, &p, &q);
    EXPECT_NEAR(p->position[0], 70.7107f, 1e-3);
    EXPECT_NEAR(p->position[2], -70.7107f, 1e-3);
    EXPECT_NEAR(p->outTangent[0], 117.157f, 1e-2);   // 4 r (1 - cos 45)
    EXPECT_NEAR(q->inTangent[0], -117.157f, 1e-2);
    EXPECT_NEAR(p->outTangent[2], 117.157f, 1e-2);   // ... / tan 45

    float h, v, d;
    GetSplineCoordinate(p, q, 0.5f, &h, &v, &d);
    EXPECT_NEAR(h, 100.0f, 1e-3);
    EXPECT_NEAR(d, 0.0f, 1e-3);
    for (int i = 0; i <= 100; ++i) {
        GetSplineCoordinate(p, q, i / 100.0f, &h, &v, &d);
        EXPECT_NEAR(std::sqrt(h * h + d * d), 100.0f, 0.03f) << "t " << i / 100.0f;
    }
    // Ten chords of the curve: 156.94, just under the arc's 50 pi = 157.08.
    EXPECT_NEAR(GetSegmentLength(arc, p, q), 156.94f, 0.01f);
    // A resolution below 1 counts as 1: the chord.
    doc->itsDocState->curveSegments = 0;
    EXPECT_NEAR(GetSegmentLength(arc, p, q), 141.421f, 1e-3);
    doc->itsDocState->curveSegments = -5;
    EXPECT_NEAR(GetSegmentLength(arc, p, q), 141.421f, 1e-3);

    // Coefficient forms and derivative agree with the curve.
    float a, b, c, k, a2, b2, c2, k2;
    SetupSpline(p->position[0], p->outTangent[0], q->position[0], q->inTangent[0], &a, &b, &c, &k);
    SetupSequencedSpline(p->position[0], q->position[0], p->outTangent[0], q->inTangent[0], &a2, &b2, &c2, &k2);
    EXPECT_EQ(a, a2);
    EXPECT_EQ(b, b2);
    EXPECT_FLOAT_EQ(GetTangentSplineCoord(a, b, c, 1.0f, 1.0f), q->inTangent[0]);
    float derivative = 0;
    GetUniformTensionDeriv(2, 10, 0.5f, &derivative);
    EXPECT_EQ(derivative, 4.0f);
    DeleteObj(arc);
}

TEST_F(SplinesTest, SplineBoundsOfTheControlPolygonOnScreen) {
    // Control polygon (0,0), (30,0), (70,50), (100,50) zoomed by 0.6 in the plan view.
    RECT r;
    GetSplineBounds(0, 30, 30, 100, 0, 0, 0, 0, 0, 0, 0, 50, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 30);
    GetSplineBounds(-1e9f, 0, 0, 1e9f, 0, 0, 0, NAN, 0, 0, 0, 0, &r);
    EXPECT_EQ(r.left, -32766);  // -32767 + 0.5 truncated toward zero
    EXPECT_EQ(r.right, 32767);
}

}  // namespace
