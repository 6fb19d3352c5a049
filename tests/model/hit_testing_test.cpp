// Hit testing in plan view at zoom 1: a model point (H, V, D) shows at view (H, D).
#include <gtest/gtest.h>

#include <cmath>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/projection.h"
#include "model/shape_path.h"
#include "support/build.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

class HitTest : public SelectionTest {
protected:
    // The search of all layers at the view point; the record keeps what was found.
    bool Hit(int32_t x, int32_t y, uint8_t onlySelected = 0, const int16_t* types = nullptr,
             int16_t count = 0) {
        click = ClickAt(x, y);
        return SelectFromAllLayers(doc->itsLayers, &click, onlySelected, types, count);
    }
    ClickInfo click;
};

TEST_F(HitTest, SmallPickTolerancesStillGiveTwoUnitPointsAndOneUnitSegments) {
    for (int16_t tolerance : {0, 1}) {
        CurrentDocState()->pickTolerance = tolerance;
        EXPECT_EQ(PickHalfSize(), 2);
        Objex* line = Shape(floor, objtype::kLine, {{100, 100}, {300, 100}});
        Poinz* start = line->firstPoint;

        // Point squares are half-open: 2 to the left hits, 2 to the right does not.
        click = ClickAt(98, 100);
        EXPECT_TRUE(SearchPoint(start, &click, 0, 0));
        click = ClickAt(102, 100);
        EXPECT_FALSE(SearchPoint(start, &click, 0, 0));
        click = ClickAt(100, 98);
        EXPECT_TRUE(SearchPoint(start, &click, 0, 0));
        click = ClickAt(100, 102);
        EXPECT_FALSE(SearchPoint(start, &click, 0, 0));

        // Away from the ends the segment is hit 1 above, not 1 below.
        ASSERT_TRUE(Hit(200, 99));
        EXPECT_EQ(click.ciSegmentHit, 1);
        EXPECT_EQ(click.ciPoint, start);
        EXPECT_EQ(click.ciPoint2, start->next);
        EXPECT_EQ(click.ciObject, line);
        EXPECT_FALSE(Hit(200, 101));
        EXPECT_FALSE(Hit(200, 98));

        // Near an end the point wins over its segment.
        ASSERT_TRUE(Hit(299, 100));
        EXPECT_EQ(click.ciPointHit, 1);
        EXPECT_EQ(click.ciSegmentHit, 0);
        EXPECT_EQ(click.ciPoint, start->next);
        EXPECT_EQ(click.ciHitPos.floatH, 300.0f);
        EXPECT_EQ(click.ciHit, 0);  // the caller stores the answer
        DeleteObj(line);
    }
    CurrentDocState()->pickTolerance = 5;
    EXPECT_EQ(PickHalfSize(), 5);
}

TEST_F(HitTest, SegmentPieceAndParameterFollowTheCurve) {
    // A curved segment from (0, 0) to (200, 0) bulging towards +D: its middle lies at D = 50.
    Objex* arc = Shape(floor, objtype::kLine, {{0, 0}, {200, 0}});
    Poinz* a = PointAt(arc, 0);
    Poinz* b = PointAt(arc, 1);
    a->outTangent[2] = 200;
    b->inTangent[2] = -200;
    StoreBoundsDeep(arc);

    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciSegmentHit, 1);
    EXPECT_LT(click.ciPieceStartT, 0.5f + 1e-4f);
    EXPECT_GT(click.ciPieceEndT, 0.5f - 1e-4f);
    EXPECT_NEAR(click.ciPieceEndT - click.ciPieceStartT, 0.05f, 1e-5f);  // 2 x 10 pieces
    EXPECT_NEAR(click.ciHitPos.floatD, 50.0f, 1.0f);
    EXPECT_NEAR(click.ciPieceEnd.floatV, click.ciHitPos.floatD, 1e-3f);
    // The straight chord is not the curve.
    EXPECT_FALSE(Hit(100, 10));

    // Under the key-entry tool a curved segment is never hit.
    gCurTool = toolid::kKeyEntry;
    EXPECT_FALSE(Hit(100, 50));
}

TEST_F(HitTest, KeyEntryToolPicksNoWholeObjectAndReportsSegmentsOnly) {
    Objex* plant = Shape(floor, objtype::kPlant, {{100, 100}, {140, 100}, {140, 140}, {100, 140}}, true);
    ASSERT_TRUE(Hit(120, 120));  // anywhere inside its bounds
    EXPECT_EQ(click.ciPointHit, 1);
    EXPECT_EQ(click.ciPoint, plant->firstPoint);

    gCurTool = toolid::kKeyEntry;
    EXPECT_FALSE(Hit(120, 120));
    ASSERT_TRUE(Hit(100, 100));  // on its first point: a segment, not a point
    EXPECT_EQ(click.ciPointHit, 0);
    EXPECT_EQ(click.ciSegmentHit, 1);
}

TEST_F(HitTest, UndetectableEndPointEndsThatSegmentOnlyAndTheSearchGoesOn) {
    // The last segment crosses the first point of the outline.
    Objex* shape = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {100, 100}, {-100, -100}});
    PointAt(shape, 0)->detectable = 0;
    ASSERT_TRUE(Hit(0, 0));
    EXPECT_EQ(click.ciSegmentHit, 1);
    EXPECT_EQ(click.ciPoint, PointAt(shape, 2));
    EXPECT_EQ(click.ciPoint2, PointAt(shape, 3));

    // Both ends undetectable: the segment itself is no hit either.
    PointAt(shape, 2)->detectable = PointAt(shape, 3)->detectable = 0;
    EXPECT_FALSE(Hit(0, 0));
}

TEST_F(HitTest, LaterObjectsComeFirstAndTheSelectIndexTakesTheNext) {
    Objex* below = Shape(floor, objtype::kLine, {{0, 50}, {200, 50}});
    Objex* above = Shape(floor, objtype::kLine, {{100, 0}, {100, 200}});
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, above);

    gSelectIndex = 2;
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, below);

    gSelectIndex = 3;
    EXPECT_FALSE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, nullptr);
    EXPECT_EQ(click.ciPoint, nullptr);
}

TEST_F(HitTest, LayersAreSearchedFromTheLastAndMustBeShownAndActive) {
    Layer* upper = floor->next;
    ASSERT_NE(upper, nullptr);
    upper->active = 1;
    Objex* low = Shape(floor, objtype::kLine, {{0, 50}, {200, 50}});
    Objex* high = Shape(upper, objtype::kLine, {{100, 0}, {100, 200}});
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, high);
    upper->active = 0;
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, low);
    floor->visible = 0;
    EXPECT_FALSE(Hit(100, 50));
    floor->visible = 1;

    // Objects not on a plan in force are passed by.
    low->planBits = 0;
    EXPECT_FALSE(Hit(100, 50));
}

TEST_F(HitTest, ClosingSegmentOnlyWhenClosed) {
    Objex* outline = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_FALSE(Hit(0, 50));
    outline->closed = 1;
    ASSERT_TRUE(Hit(0, 50));
    EXPECT_EQ(click.ciPoint, PointAt(outline, 3));
    EXPECT_EQ(click.ciPoint2, PointAt(outline, 0));
}

TEST_F(HitTest, MultiRowSurfacesAreSearchedAlongAndAcrossRows) {
    // Two rows of three points: row 0 at D = 0, row 1 at D = 100.
    Objex* surface = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {200, 0}, {0, 100}, {100, 100}, {200, 100}});
    surface->rows = 2;
    ASSERT_TRUE(Hit(50, 100));  // along the second row
    EXPECT_EQ(click.ciPoint, PointAt(surface, 3));
    EXPECT_EQ(click.ciPoint2, PointAt(surface, 4));
    ASSERT_TRUE(Hit(100, 50));  // across, middle column
    EXPECT_EQ(click.ciPoint, PointAt(surface, 1));
    EXPECT_EQ(click.ciPoint2, PointAt(surface, 4));
    EXPECT_FALSE(Hit(100, 20) && click.ciPoint == PointAt(surface, 2));
    EXPECT_FALSE(Hit(200, 200));
}

TEST_F(HitTest, SpecialGroupMembersAreReportedBySegment) {
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}});
    Group(floor, {line}, 123);
    ASSERT_TRUE(Hit(0, 0));
    EXPECT_EQ(click.ciPointHit, 0);
    EXPECT_EQ(click.ciSegmentHit, 1);
    EXPECT_EQ(click.ciObject, line);
    EXPECT_EQ(click.ciPoint, PointAt(line, 0));
    EXPECT_EQ(click.ciPoint2, PointAt(line, 1));
}

TEST_F(HitTest, TypeListAndOnlySelectedLimitTheObjectsButNotTheirChildren) {
    Objex* wall = Wall(floor, {{0, 0}, {200, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{50, 0}, {90, 0}});
    const int16_t doors[] = {objtype::kDoor};
    ASSERT_TRUE(Hit(70, 0, 0, doors, 1));
    EXPECT_EQ(click.ciObject, door);
    EXPECT_FALSE(Hit(150, 0, 0, doors, 1));
    ASSERT_TRUE(Hit(150, 0));
    EXPECT_EQ(click.ciObject, wall);

    EXPECT_FALSE(Hit(150, 0, 1));
    PointAt(wall, 0)->selected = 1;
    ASSERT_TRUE(Hit(150, 0, 1));
    EXPECT_EQ(click.ciObject, wall);

    // Doors search only while their plan shows.
    door->planBits = 0;
    CurrentDocState()->visiblePlans = 0x100;
    wall->planBits = 0x100;
    ASSERT_TRUE(Hit(70, 0));
    EXPECT_EQ(click.ciObject, wall);
}

TEST_F(HitTest, FilledDetailShapesAreHitInside) {
    Objex* circle = Shape(floor, objtype::kDetail, {{0, -100}, {100, 0}, {0, 100}, {-100, 0}}, true, 2);
    circle->optionB = 1;  // edited by points, so not picked whole
    auto* shape = new ShapePathObject;
    constexpr double k = 55.228475;  // circle of radius 100 from four cubic pieces
    shape->path.moveTo(100, 0);
    shape->path.curveTo(100, k, k, 100, 0, 100);
    shape->path.curveTo(-k, 100, -100, k, -100, 0);
    shape->path.curveTo(-100, -k, -k, -100, 0, -100);
    shape->path.curveTo(k, -100, 100, -k, 100, 0);
    shape->path.closePath();
    circle->platformObject = shape;

    ASSERT_TRUE(Hit(60, 60));
    EXPECT_EQ(click.ciAreaHit, 1);
    EXPECT_EQ(click.ciObject, circle);
    EXPECT_FALSE(Hit(90, 90));                // inside the bounds, outside the shape
    PointAt(circle, 0)->selected = 1;
    EXPECT_FALSE(Hit(60, 60, 1));             // not when only selected objects are searched
}

TEST_F(HitTest, HandlesOfASelectedObjectAreNumberedInCornerOrder) {
    // A view turned so that the eight corners of a box fall apart.
    SetUpForRotationAboutArbitraryAxis(30, 30, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    Objex* box = Shape(floor, objtype::kPolygon, {{0, 0}, {100, 100}});
    box->bounds3D = Float3DRect{0, 0, 0, 100, 100, 100};  // top, left, back, bottom, right, front
    Make(box).select();
    const float corners[8][3] = {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0},
                                 {0, 0, 100}, {100, 0, 100}, {100, 100, 100}, {0, 100, 100}};
    for (int i = 0; i < 8; ++i) {
        float x = corners[i][0], y = corners[i][1], z = corners[i][2];
        ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0, 1);
        ClickInfo handle = ClickAt(static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y)));
        EXPECT_TRUE(Test3DHit(corners[i][0], corners[i][1], corners[i][2], &handle));
        ASSERT_TRUE(SelectFromLayer(floor, &handle, 0, nullptr, 0)) << "handle " << i + 1;
        EXPECT_EQ(handle.ciHandleHit, 1);
        EXPECT_EQ(handle.ciHandle, i + 1);
        EXPECT_EQ(handle.ciObject, box);
        EXPECT_EQ(handle.ciHitPos.floatV, corners[i][1]);
    }
    // Unselected, or selected by points: no handles.
    gPointOrientation = 1;
    gCurTool = toolid::kPointEdit;
    box->type = objtype::kLine;
    ClickInfo none = ClickAt(0, 0);
    SelectFromLayer(floor, &none, 0, nullptr, 0);
    EXPECT_EQ(none.ciHandleHit, 0);
}

TEST_F(HitTest, TopographyIsSearchedWithAHairlineAndGetsItsPenBack) {
    Objex* topo = Shape(floor, objtype::kTopography, {{0, 0}, {200, 0}});
    topo->penWidth = 20;  // a thick pen would widen the segment by 10
    EXPECT_FALSE(Hit(100, 8));
    EXPECT_EQ(topo->penWidth, 20.0f);
    ASSERT_TRUE(Hit(100, 2));
    EXPECT_EQ(topo->penWidth, 20.0f);

    // Other objects keep their thick pen: the search widens with it.
    topo->type = objtype::kLine;
    EXPECT_TRUE(Hit(100, 8));
}

TEST_F(HitTest, FarCoordinatesAreClampedNotOverflowed) {
    Objex* far = Shape(floor, objtype::kLine, {{1e9f, 1e9f}, {-1e9f, 1e9f}, {1e9f, -1e9f}}, true);
    Objex* plant = Shape(floor, objtype::kPlant, {{-1e9f, -1e9f}});
    Make(plant).select();
    far->bounds3D = Float3DRect{-1e9f, -1e9f, -1e9f, 1e9f, 1e9f, 1e9f};
    for (int32_t x : {0, 32767, -32768, 2147483647, -2147483647 - 1}) {
        ClickInfo c = ClickAt(x, x);
        SelectFromAllLayers(doc->itsLayers, &c, 0, nullptr, 0);
        Test3DHit(NAN, INFINITY, -INFINITY, &c);
    }
    // Projected far away, a handle sits at the clamped edge of the view range.
    ClickInfo edge = ClickAt(32767, -32767);
    EXPECT_TRUE(Test3DHit(1e30f, 0, -1e30f, &edge));
    edge = ClickAt(0, 0);
    EXPECT_FALSE(Test3DHit(1e30f, 0, -1e30f, &edge));
    gSelectIndex = 1;
    ClickInfo c = ClickAt(32767, 32767);
    EXPECT_TRUE(SelectFromAllLayers(doc->itsLayers, &c, 0, nullptr, 0));
}

}  // namespace
}  // namespace dvxtest
