// Point evaluation: the view point becomes a plan point, then the tool's grid, constraint and
// shape lock, the snap mode, and the wall tools' hand-over; the plan limits and lock lines.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

class Evaluation : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ds = CurrentDocState();
        ds->snapIncrement = FloatPoint{1, 1};  // cells of 2 plan units
        ds->snapToGrid = 1;
    }
    ::testing::AssertionResult At(int32_t x, int32_t y, std::initializer_list<Num> want, ClickInfo* info = nullptr) {
        Float3DPoint p;
        EvaluatePoint(x, y, &p.floatH, &p.floatV, &p.floatD, 1, info, 1);
        return Near({p.floatH, p.floatV, p.floatD}, want, 1e-3);
    }
    DocState* ds = nullptr;
};

TEST_F(Evaluation, ViewPointsBecomePlanPointsOnTheToolsGrid) {
    gCurTool = toolid::kRectangle;
    ds->snapToGrid = 0;
    EXPECT_TRUE(At(7, -3, {7, 0, -3}));
    ds->zoomFactor = 0.5f;
    EXPECT_TRUE(At(7, -3, {14, 0, -6}));
    ds->zoomFactor = 2.0f, ds->snapToGrid = 1;
    EXPECT_TRUE(At(-11, 11, {-6, 0, 4}));  // -5.5 floors to -6; 5.5 truncates to 5, floors to 4

    // The rotate tool is not grid-snapped, but the snap mode still pulls it onto an end point.
    gCurTool = toolid::kRotate;
    EXPECT_TRUE(At(-11, 11, {-5.5, 0, 5.5}));
    Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    gCurSnap = snapmode::kEndPoint;
    EXPECT_TRUE(At(17, 1, {10, 0, 0}));
}

TEST_F(Evaluation, ToolsConstrainByTheirTable) {
    struct Row { int16_t tool; int16_t modifiers; uint8_t lock, tracking, poly; int32_t x, y; float h, d; };
    const Row rows[] = {
        {toolid::kRectangle, 4, 0, 1, 0, 10, -3, 10, -10},   // Shift squares the drag in its quadrant
        {toolid::kRectangle, 0, 1, 1, 0, 10, -3, 10, -10},   // ... and so does the lock
        {toolid::kRectangle, 4, 1, 1, 0, 10, -3, 10, -4},    // Shift frees a locked one
        {toolid::kRectangle, 4, 0, 0, 0, 10, -3, 10, -4},    // not before the first drag
        {7703, 0, 0, 1, 0, 11, -1, 10, -2},                  // a polygon while no polyline is drawn
        {7703, 0, 0, 1, 1, 11, -1, 9.9619, -0.8716},         // 5 degrees, 10 long
        {toolid::kExteriorWall, 0, 0, 1, 0, 11, -11, 9.8995, -9.8995},  // the length snaps, not the end
    };
    for (const Row& r : rows) {
        gCurTool = r.tool, gTrackModifiers = r.modifiers, gLockRectTool = r.lock;
        gTrackingMouse = r.tracking, gTrackingPoly = r.poly;
        EXPECT_TRUE(At(r.x, r.y, {r.h, 0, r.d}, &gClickInfo)) << r.tool << " row " << (&r - rows);
    }
}

TEST_F(Evaluation, WallToolsHandAPressOnASelectedWallToTheMoveTool) {
    ds->snapToGrid = 0;
    Objex* wall = Wall(floor, {{0, 0}, {50, 40}, {100, 0}});
    PointAt(wall, 1)->selected = 1;
    gCurTool = toolid::kExteriorWall;
    At(50, 52, {50, 0, 52}, &gClickInfo);  // 12 off the point: within the wall tools' tolerance of 20
    EXPECT_TRUE(Near({gCurTool, gResetWallTool, gResetToWallTool, gClickInfo.ciHit, ds->pickTolerance},
                     {200, toolid::kExteriorWall, 1, 1, 5}));
    EXPECT_EQ(gClickInfo.ciPoint, PointAt(wall, 1));

    // 10 off a segment, while a snap mode pulls the point: the wall is not the click's.
    gCurTool = toolid::kExteriorWall, gResetToWallTool = 0, gCurSnap = snapmode::kEndPoint;
    At(19, 28, {19, 0, 28}, &gClickInfo);
    EXPECT_TRUE(Near({gCurTool, gResetToWallTool, gClickInfo.ciHit, ds->pickTolerance},
                     {toolid::kExteriorWall, 0, 0, 5}));
    EXPECT_TRUE(gClickInfo.ciSegmentHit);
}

// A wall tool's press reaches a free end anywhere in its square, also beyond the end of the
// segment: 20 plan units at the zoom, never narrower than the document's 5 view units. While
// the grid snaps, a free end (not a corner) reaches a grid cell further, up to another 5: the
// grid leaves a drawn end up to a cell short of the pointer. Of two free ends the nearer; a
// point in the square comes before a free end only in the wider reach.
TEST_F(Evaluation, WallToolsReachAWallsEndAnywhereInTheirSquare) {
    // At zoom 0.1 the end at view (10, 0), the bend's free ends at (25, 0) and (40, -20), its
    // corner at (40, 0); the room's corner at (70, 30), the spur's free end 6 to its right.
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* bend = Wall(floor, {{250, 0}, {400, 0}, {400, -200}});
    Objex* room = Wall(floor, {{500, 300}, {700, 300}, {700, 500}}, true);
    Wall(floor, {{760, 300}, {900, 300}});
    const Poinz* end = PointAt(wall, 1);
    const Poinz* start = PointAt(bend, 0);
    const Poinz* corner = PointAt(room, 1);
    const struct { float zoom, grid; int32_t x, y; const Poinz* reached; } rows[] = {
        {1, 0, 119, 0, end}, {1, 0, 120, 0, nullptr},    // the end at view 100, a square of 20
        {0.1f, 0, 10, 4, end}, {0.1f, 0, 10, 5, nullptr},  // 20 is 2 at the zoom, so 5
        {0.1f, 20, 10, 8, end}, {0.1f, 20, 10, 9, nullptr},  // a cell of 40 plan units, 4 at the zoom: 9
        {0.1f, 20, 17, 0, end}, {0.1f, 20, 18, 0, start},    // both within 9: the nearer
        {0.1f, 20, 46, 0, nullptr},                          // the corner keeps the 5
        {0.1f, 200, 10, 9, end}, {0.1f, 200, 10, 10, nullptr},  // a cell of 40 at the zoom adds only 5
        {1, 20, 100, 19, end}, {1, 20, 100, 20, nullptr},       // so at zoom 1 the 20 stands
        {0.1f, 20, 70, 30, corner},                             // not the spur's end 6 off
    };
    for (const auto& r : rows) {
        ds->zoomFactor = r.zoom, ds->snapIncrement = FloatPoint{r.grid, r.grid}, ds->snapToGrid = r.grid != 0;
        gCurTool = toolid::kExteriorWall, gClickInfo = ClickInfo{};
        Float3DPoint p;
        EvaluatePoint(r.x, r.y, &p.floatH, &p.floatV, &p.floatD, 1, &gClickInfo, 1);
        const Poinz* reached = gClickInfo.ciHit && gClickInfo.ciPointHit ? gClickInfo.ciPoint : nullptr;
        EXPECT_EQ(reached, r.reached) << r.zoom << ", grid " << r.grid << " at " << r.x << ", " << r.y;
        EXPECT_EQ(ds->pickTolerance, 5);
    }
}

TEST_F(Evaluation, ConstrainedPointsStayInsideTheLimitsAndBehindLockLines) {
    ds->viewOrigin = Float3DPoint{100, -50, 30};
    ds->stopAtOriginV = 0;
    struct Row { int16_t kind; uint8_t lockH; Float3DPoint from, to, want; };
    const Row rows[] = {
        {2, 0, {}, {3000, 7, -2500}, {2400, 7, -2400}},        // the nearest edge of the lot
        {1, 0, {}, {-3000, -3000, 9}, {-2400, -2400, 9}},      // a front view raises V to the top
        {3, 0, {}, {5, -3000, 3000}, {5, -2400, 2400}},
        {2, 1, {100.4f, 0, 0}, {180, 0, 0}, {100, 0, 0}},     // a drag starting on the line stays on it
        {2, 1, {50, 0, 0}, {180, 0, 0}, {100, 0, 0}},         // one starting left of it cannot cross
        {2, 1, {50, 0, 0}, {90, 0, 0}, {90, 0, 0}},
        {2, 1, {150, 0, 0}, {20, 0, 0}, {100, 0, 0}},
    };
    for (const Row& r : rows) {
        ds->viewKind = r.kind, ds->stopAtOriginH = r.lockH;
        Float3DPoint to = r.to;
        ConstrainPoint(&r.from, &to);
        EXPECT_TRUE(Near({to.floatH, to.floatV, to.floatD}, {r.want.floatH, r.want.floatV, r.want.floatD}))
            << "row " << (&r - rows);
    }
}

}  // namespace
}  // namespace dvxtest
