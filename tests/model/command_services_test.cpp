// Plant sizes, centring in the lot and the window, and aligning the selection to the grid.
#include <gtest/gtest.h>

#include "model/align_to_grid.h"
#include "model/centering.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/plant_bounds.h"
#include "model/plant_info.h"
#include "model/projection.h"
#include "support/build.h"
#include "support/seam_recorders.h"

namespace dvxtest {
namespace {

class CommandServices : public SelectionTest {
protected:
    Objex* Plant(float rate, int16_t maximum, float age, int16_t pattern = 0) {
        Objex* p = Shape(floor, objtype::kPlant, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
        p->plantInfo = new PlantInfo{};
        p->plantInfo->annualGrowthRate = rate;
        p->plantInfo->maximumGrowthHeight = maximum;
        p->plantAge = age;
        p->fillPattern = pattern;
        return p;
    }
    Objex* Box(float left, float top, float right, float bottom) {
        return Shape(floor, objtype::kRectangle, {{left, top}, {right, top}, {right, bottom}, {left, bottom}}, true);
    }
    static float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    static float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }
};

TEST_F(CommandServices, PlantSizeGrowsByWholeYearsUpToTheConvertedMaximum) {
    float w = 0, h = 0;
    // 2.6 years round to 3: 12 x 1.2^3, below the maximum of 24 inches (48 plan units).
    GetPlantBounds(Plant(20, 24, 2.6f), &w, &h, 0);
    EXPECT_FLOAT_EQ(h, 20.736f);
    EXPECT_FLOAT_EQ(w, 0.85f * 20.736f);
    // Without growth: 12, or the maximum (4 inches, 8 plan units) when that is smaller.
    GetPlantBounds(Plant(0, 24, 9.0f), &w, &h, 0);
    EXPECT_EQ(h, 12.0f);
    GetPlantBounds(Plant(0, 4, 9.0f), &w, &h, 0);
    EXPECT_EQ(h, 8.0f);
    EXPECT_FLOAT_EQ(w, 6.8f);
    // A fill pattern of 2 adds 5 years: 0.6 + 5 rounds to 6, 12 x 1.2^6.
    Objex* patterned = Plant(20, 24, 0.6f, 2);
    GetPlantBounds(patterned, &w, &h, 0);
    EXPECT_NEAR(h, 35.831808, 1e-4);
    EXPECT_EQ(H(patterned, 1), 10.0f);  // measured only

    // Not a plant, or no record: the outputs stay.
    w = h = -1;
    Objex* bare = Shape(floor, objtype::kPlant, {{0, 0}, {1, 1}});
    GetPlantBounds(bare, &w, &h, 1);
    GetPlantBounds(Box(0, 0, 5, 5), &w, &h, 1);
    EXPECT_EQ(h, -1.0f);
    EXPECT_EQ(H(bare, 1), 1.0f);
}

TEST_F(CommandServices, CentringMovesTheSelectionToTheLotMiddleOrTheWindow) {
    Objex* box = Box(100, 100, 200, 300);
    Objex* other = Box(0, 0, 10, 10);
    Make(box).select();
    FloatRect r;
    CenterObjects(1, &r);
    EXPECT_EQ(H(box, 0), -50.0f);
    EXPECT_EQ(D(box, 0), -100.0f);
    EXPECT_EQ(r.floatLeft, -50.0f);
    EXPECT_EQ(r.floatRight, 50.0f);
    EXPECT_EQ(r.floatTop, -100.0f);
    EXPECT_EQ(r.floatBottom, 100.0f);
    EXPECT_EQ(H(other, 1), 10.0f);

    // The window adds the unzoomed projection offsets: 30 / 0.6 and -12 / 0.6.
    CurrentDocState()->zoomFactor = 0.6f;
    gGlobalXOffset = 30;
    gGlobalZOffset = -12;
    CenterObjectsInWindow(1, &r);
    EXPECT_NEAR(H(box, 0), 0.0, 1e-4);
    EXPECT_NEAR(D(box, 0), -120.0, 1e-4);

    // One layer, in a lot whose rounded extent 0..1001 halves to 500.
    CurrentDocState()->lotRect = FloatRect{0, 0, 1001.2f, 1000};
    CenterLayer(floor, 1, &r);
    EXPECT_NEAR(H(box, 0), 450.0, 1e-4);
    EXPECT_NEAR(D(box, 0), 400.0, 1e-4);
    r.floatLeft = 7;
    CenterLayer(nullptr, 1, &r);
    EXPECT_EQ(r.floatLeft, 0.0f);
}

TEST_F(CommandServices, AlignToGridMovesTheChosenCornerOntoTheGridAtAnyZoom) {
    DocState* ds = CurrentDocState();
    ds->gridSpacing = FloatPoint{12, 12};  // 24 plan units
    Objex* box = Box(30, 50, 61, 73);
    RebuildRecorder rec;
    AlignSelectedToGrid(5140);
    EXPECT_TRUE(rec.calls.empty());
    EXPECT_EQ(H(box, 0), 30.0f);

    Make(box).select();
    AlignSelectedToGrid(5140);  // left-top (30, 50) to (24, 48)
    EXPECT_EQ(H(box, 0), 24.0f);
    EXPECT_EQ(D(box, 0), 48.0f);
    AlignSelectedToGrid(5142);  // right-bottom (55, 71) to (48, 72)
    EXPECT_EQ(H(box, 1), 48.0f);
    EXPECT_EQ(D(box, 2), 72.0f);

    // Already on the grid: stays, also at a zoom whose cells are not whole view units.
    Objex* square = Box(24, 48, 48, 72);
    Make(box).select(0);
    Make(square).select();
    ds->zoomFactor = 0.6f;
    AlignSelectedToGrid(5140);
    AlignSelectedToGrid(5141);
    EXPECT_EQ(H(square, 0), 24.0f);
    EXPECT_EQ(D(square, 0), 48.0f);
    EXPECT_EQ(H(square, 1), 48.0f);
}

}  // namespace
}  // namespace dvxtest
