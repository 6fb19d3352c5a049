// Constraints of a tracked point: 5-degree angles with grid lengths, points sliding along
// their edges, segments stretching their neighbours, drag rectangles and the nearest segment.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "tracking/constraints.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

class Constraints : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ds = CurrentDocState();
        ds->snapIncrement = FloatPoint{1, 1};  // cells of 2 plan units
        ds->snapToGrid = 0;
        gTrackingMouse = 1;
    }
    // The click of a drag that grabbed point i, or the segment from point i to point i + 1.
    static ClickInfo Grab(Objex* o, int i, bool segment) {
        ClickInfo c;
        c.ciObject = o, c.ciPoint = PointAt(o, i), c.ciPointHit = !segment, c.ciSegmentHit = segment;
        if (segment) c.ciPoint2 = PointAt(o, i + 1);
        return c;
    }
    static ::testing::AssertionResult SegmentAt(std::initializer_list<Num> want) {
        return Near({gTranslateWallSegPt1.floatH, gTranslateWallSegPt1.floatV, gTranslateWallSegPt2.floatH,
                     gTranslateWallSegPt2.floatV}, want, 1e-3);
    }
    DocState* ds = nullptr;
};

TEST_F(Constraints, AnglesTurnToFiveDegreeStepsAndLengthsToWholeCells) {
    const float h25 = float(100 * std::cos(2.5 * kDegree)), d25 = float(100 * std::sin(2.5 * kDegree));
    struct Row { float h, d; int16_t modifiers; uint8_t tracking, grid; double wantH, wantD, degrees; };
    const Row rows[] = {
        {h25, -d25, 0, 1, 0, 100 * std::cos(5 * kDegree), -100 * std::sin(5 * kDegree), 5},  // halves away from 0
        {h25, d25, 0, 1, 0, 100, 0, 0},        // 357.5 rounds to 360, which is 0
        {0, 40, 0, 1, 0, 0, 40, 270},          // straight down the screen
        {11, -11, 0, 1, 1, 9.8995, -9.8995, 45},  // the length floors to cells, not the end point
        {11, -11, 0, 0, 1, 10, -12, 0},        // before the first drag only the grid
        {11, -11, 4, 1, 0, 11, -11, 0},        // Shift frees it
    };
    for (const Row& r : rows) {
        gTrackModifiers = r.modifiers, gTrackingMouse = r.tracking, ds->snapToGrid = r.grid;
        float h = r.h, d = r.d;
        SnapCursorToAngleConstraint(0, 0, &h, &d, 0);
        EXPECT_TRUE(Near({h, d, gTrackConstrainAngle / kDegree}, {r.wantH, r.wantD, r.degrees}, 1e-3))
            << "row " << (&r - rows);
    }
    // Command keeps the previous direction; only the length follows the pointer.
    gTrackModifiers = 8, gTrackConstrainAngle = float(90 * kDegree);
    float h = 30, d = -40;
    SnapCursorToAngleConstraint(0, 0, &h, &d, 0);
    EXPECT_TRUE(Near({h, d}, {0, -50}, 1e-3));
    // The polyline form acts only while a polyline is drawn; the custom one in its own steps.
    gTrackModifiers = 0, h = 30, d = -40;
    SnapCursorToPolyAngleConstraint(0, 0, &h, &d, 0);
    EXPECT_TRUE(Near({h, d}, {30, -40}));
    SnapCursorToCustomAngleConstraint(0, 0, &h, &d, 1, 90);
    EXPECT_TRUE(Near({h, d}, {0, -50}, 1e-3));
}

TEST_F(Constraints, ADraggedPointSlidesAlongOneEdgeWhileTheOtherTurns) {
    Objex* room = Shape(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    ClickInfo corner = Grab(room, 2, false);
    float h = 130, d = 110;
    SnapCursorToSegmentConstraint(&corner, 100, 100, &h, &d);
    EXPECT_TRUE(Near({h, d}, {100 + 100 * std::tan(15 * kDegree), 100}, 1e-3));  // the right edge at 285 degrees

    // Neighbour edges on one line never cross: the grid-snapped pointer.
    Objex* line = Shape(floor, objtype::kPolygon, {{0, 0}, {100, 0}, {200, 0}});
    ClickInfo middle = Grab(line, 1, false);
    ds->snapToGrid = 1, h = 151, d = 21;
    SnapCursorToSegmentConstraint(&middle, 100, 0, &h, &d);
    EXPECT_TRUE(Near({h, d}, {150, 20}));
}

TEST_F(Constraints, ADraggedSegmentStretchesItsNeighboursUnlessTheOutlineWouldFold) {
    Objex* room = Shape(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    ClickInfo side = Grab(room, 1, true);
    auto drag = [&](ClickInfo& c, float fromH, float fromD, float h, float d) {
        SnapCursorToSegmentConstraint(&c, fromH, fromD, &h, &d);
    };
    drag(side, 100, 50, 120, 50);
    EXPECT_TRUE(SegmentAt({120, 0, 120, 100}));
    gPrevTranslateWallSegPt1 = {110, 0}, gPrevTranslateWallSegPt2 = {110, 100};
    drag(side, 100, 50, 20, 50);  // the top edge would be 20 long: the previous event's segment
    EXPECT_TRUE(SegmentAt({110, 0, 110, 100}));

    // A segment between converging neighbours: shorter than 47.5 it stays where it was.
    Objex* trapezoid = Shape(floor, objtype::kFloor, {{0, 100}, {50, 0}, {150, 0}, {200, 100}}, true);
    ClickInfo top = Grab(trapezoid, 1, true);
    gPrevTranslateWallSegPt1 = gPrevTranslateWallSegPt2 = {kNoTrackValue, kNoTrackValue};
    drag(top, 100, 0, 100, -30);
    EXPECT_TRUE(SegmentAt({65, -30, 135, -30}));
    drag(top, 100, 0, 100, -60);
    EXPECT_TRUE(SegmentAt({50, 0, 150, 0}));
}

TEST_F(Constraints, DragRectanglesSquareCentreAndRound) {
    struct Row { int16_t modifiers; float h1, d1, h2, d2; uint8_t centred; FloatRect want; RECT qd; };
    const Row rows[] = {
        {4, 0, 0, 10, -3, 0, {-10, 0, 0, 10}, {0, -9, 10, 0}},           // Shift: the square upwards
        {0, 0, 0, 10, -3, 1, {-3, -10, 3, 10}, {-9, -2, 10, 3}},         // centred on the first corner
        {0, 0.6f, -1.6f, 3.4f, 2.5f, 0, {-1.6f, 0.6f, 2.5f, 3.4f}, {1, -1, 3, 3}},  // + 0.5, truncated
    };
    for (const Row& r : rows) {
        FloatRect rect;
        RECT qd;
        GetRectBounds(r.modifiers, r.h1, r.d1, r.h2, r.d2, &rect, &qd, 0, r.centred);
        EXPECT_TRUE(Near({rect.floatTop, rect.floatLeft, rect.floatBottom, rect.floatRight, qd.left, qd.top, qd.right,
                          qd.bottom},
                         {r.want.floatTop, r.want.floatLeft, r.want.floatBottom, r.want.floatRight, r.qd.left,
                          r.qd.top, r.qd.right, r.qd.bottom}))
            << "row " << (&r - rows);
    }
}

TEST_F(Constraints, TheNearestSegmentAndItsNearestPiece) {
    Objex* room = Shape(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz *first = nullptr, *second = nullptr;
    GetClosestSpline(room, 60, -5, &first, &second);
    EXPECT_TRUE(Same({first, second}, {PointAt(room, 0), PointAt(room, 1)}));
    GetClosestSpline(room, -5, 60, &first, &second);  // round the end
    EXPECT_TRUE(Same({first, second}, {PointAt(room, 3), PointAt(room, 0)}));

    FloatPoint a, b;
    GetClosestSegment(PointAt(room, 0), PointAt(room, 1), 30, 7, &a, &b);
    EXPECT_TRUE(Near({a.floatH, a.floatV, b.floatH, b.floatV}, {30, 0, 30, 0}));
    // A curve from (0, 100) to (100, 100) through (50, 80), sampled every 0.02.
    Objex* curve = Make(objtype::kLine).on(floor).at({{0, 0, 100, {}, {0, 0, -80}}, {100, 0, 100, {0, 0, 80}}});
    GetClosestSegment(PointAt(curve, 0), PointAt(curve, 1), 52, 70, &a, &b);
    EXPECT_TRUE(Near({a.floatH, a.floatV, b.floatH, b.floatV}, {50, 80, 52.998, 80.032}, 1e-2));
}

}  // namespace
}  // namespace dvxtest
