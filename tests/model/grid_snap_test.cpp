// Snapping plan points (floored) and view points (rounded) to the grid of the snap spacing;
// the grid drawn keeps its own spacing (12 inches) throughout.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "support/fixture.h"
#include "model/grid_snap.h"

namespace dvxtest {
namespace {

class GridSnap : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = CurrentDocState();
        ds->zoomFactor = 1.0f;
        ds->snapToGrid = 1;
    }
    DocState* ds = nullptr;
};

TEST_F(GridSnap, PlanPointsFloorToTheCellAfterTruncation) {
    ds->snapIncrement = FloatPoint{1, 1};  // a cell of 2 plan units at scale 36
    float h = -5.5f, v = 9.0f, d = 5.5f;
    EXPECT_EQ(Snap3DPointToGrid(ds, &h, &v, &d), 1);
    EXPECT_EQ(h, -6.0f);
    EXPECT_EQ(d, 4.0f);
    EXPECT_EQ(v, 9.0f);

    // Grid snap off, a zero cell or a missing coordinate: nothing.
    h = 3.0f;
    ds->snapToGrid = 0;
    EXPECT_EQ(Snap3DPointToGrid(ds, &h, &v, &d), 0);
    ds->snapToGrid = 1;
    ds->snapIncrement.floatV = 0;
    EXPECT_EQ(Snap3DPointToGrid(ds, &h, &v, &d), 0);
    EXPECT_EQ(h, 3.0f);
}

TEST_F(GridSnap, ViewPointsRoundToTheNearestZoomedCrossing) {
    ds->snapIncrement = FloatPoint{12, 12}, ds->gridSpacing = FloatPoint{30, 30};  // cells of 24 plan units
    FloatPoint out;
    EXPECT_EQ(SnapPointToGrid(ds, 35, -13, &out), 1);
    EXPECT_EQ(out.floatH, 24.0f);
    EXPECT_EQ(out.floatV, -24.0f);

    ds->zoomFactor = 0.5f;  // 12 view units
    ds->snapToGrid = 0;     // not consulted
    SnapPointToGrid(ds, 35, -13, &out);
    EXPECT_EQ(out.floatH, 36.0f);
    EXPECT_EQ(out.floatV, -12.0f);

    ds->snapIncrement.floatH = 0;
    out = FloatPoint{1, 2};
    EXPECT_EQ(SnapPointToGrid(ds, 35, -13, &out), 0);
    EXPECT_EQ(out.floatH, 1.0f);
}

}  // namespace
}  // namespace dvxtest
