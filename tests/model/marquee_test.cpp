// The marquee in plan view at zoom 1: view (x, y) is plan (H, D).
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/marquee.h"
#include "model/selection_ops.h"
#include "support/build.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

class Marquee : public SelectionTest {
protected:
    void Drag(int32_t left, int32_t top, int32_t right, int32_t bottom, int8_t mode = selmode::kSelect) {
        RECT r{left, top, right, bottom};
        SelectAllLayersInRect(doc->itsLayers, &r, mode, 1);
    }
    // A detail rectangle from (0, 0) to (100, 50).
    Objex* Rectangle() {
        return Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true, 1);
    }
};

TEST_F(Marquee, ObjectsNeedTheirBoundsGrownByTwoInsideWallsGoPointByPoint) {
    Objex* rect = Rectangle();
    Objex* wall = Wall(floor, {{200, 0}, {300, 0}, {300, 100}});

    Drag(0, 0, 100, 50);  // exactly the bounds
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-1, -2, 103, 53);
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-2, -2, 102, 52);  // the right and bottom edges are outside
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-2, -2, 103, 53);
    EXPECT_EQ(SelectedPointCount(rect), 4);
    SelectObj(rect, selmode::kDeselect, 0);

    // Part of both: the rectangle stays, the wall points inside are taken.
    Drag(50, -10, 301, 10);
    EXPECT_EQ(SelectedPointCount(rect), 0);
    EXPECT_EQ(PointAt(wall, 0)->selected, 1);
    EXPECT_EQ(PointAt(wall, 1)->selected, 1);
    EXPECT_EQ(PointAt(wall, 2)->selected, 0);
}

TEST_F(Marquee, ShiftTogglesObjectsButAlwaysSelectsWallPoints) {
    Objex* rect = Rectangle();
    Objex* wall = Wall(floor, {{200, 0}, {300, 0}});
    SelectObj(rect, selmode::kSelect, 0);
    PointAt(wall, 0)->selected = 1;
    Drag(-10, -10, 400, 100, selmode::kToggle);
    EXPECT_EQ(SelectedPointCount(rect), 0);
    EXPECT_EQ(SelectedPointCount(wall), 2);
}

TEST_F(Marquee, PartOfARoofTakesOnlyTheSkylightsItWhollyCovers) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {400, 0}, {400, 400}, {0, 400}}, true);
    Objex* inside = Shape(roof, objtype::kSkylight, {{50, 50}, {100, 50}, {100, 100}, {50, 100}}, true);
    Objex* partly = Shape(roof, objtype::kSkylight, {{150, 50}, {250, 50}, {250, 100}, {150, 100}}, true);
    Drag(40, 40, 200, 200);
    EXPECT_EQ(SelectedPointCount(inside), 4);
    EXPECT_EQ(SelectedPointCount(partly), 0);
    EXPECT_EQ(SelectedPointCount(roof), 4);  // only the skylight's points

    Drag(-10, -10, 500, 500, selmode::kToggle);
    EXPECT_EQ(SelectedPointCount(roof), 12);  // roof and both skylights, whole
}

TEST_F(Marquee, FarWallPointsAreClampedNotOverflowed) {
    Objex* wall = Wall(floor, {{1e9f, -1e9f}, {-3.7f, 2.2f}});
    Drag(-2147483647, -2147483647, 2147483647, 2147483647);
    // The marquee rounds by truncating, adding 0.5 and truncating again: -3.7 lands on -2.
    EXPECT_EQ(PointAt(wall, 1)->selected, 1);
    SelectObj(wall, selmode::kDeselect, 0);
    Drag(-2, 2, 0, 3);
    EXPECT_EQ(PointAt(wall, 1)->selected, 1);
}

TEST_F(Marquee, RectangleSelectionOnPlanBoundsByPoints) {
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {200, 0}});
    RECT r{-5, -5, 150, 5};
    gCurTool = toolid::kPointEdit;
    SelectObjectInRect(line, &r, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(line), 2);
    SelectObj(line, selmode::kDeselect, 0);

    gCurTool = toolid::kSelect;
    Objex* poly = Shape(floor, objtype::kPolygon, {{0, 0}, {100, 0}, {200, 0}});
    SelectObjectInRect(poly, &r, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(poly), 3);  // whole object through one point

    gCurTool = toolid::kNone;
    SelectObj(poly, selmode::kDeselect, 0);
    EXPECT_FALSE(SelectPointInRect(poly->firstPoint, poly, &r, selmode::kSelect, 0));
}

}  // namespace
}  // namespace dvxtest
