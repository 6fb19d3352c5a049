// The cut-away over hand-made walls: the box the slider spans, its range per direction and
// which side of the plane stays visible at a given position.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "render/core/slice_plane.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class SlicePlane : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        Layer* floor = doc->itsLayers;
        // Walls from H 0 to 400 and D 0 to 300 at V 0; a roof over them whose panel lies at
        // V -150 (only the view from above measures roofs by their panels).
        Wall(floor, {{0, 0}, {400, 0}, {400, 300}});
        Objex* panel = Make(objtype::kRoofPanel).at({{100, -150, 100}, {200, -150, 100}, {200, -150, 200}});
        Make(objtype::kRoof).on(floor).closed().at({{100, 0, 100}, {200, 0, 100}, {200, 0, 200}}).panels(panel);
    }
    void cut(int16_t mode, int32_t position) {
        doc->itsDocState->cutAwayKind = mode;
        doc->itsDocState->cutAwayPosition = position;
        SetSlicePlaneBounds();
        ComputeSlicePlane();
    }
    static float side(float x, float y, float z) {
        const float* e = gSlicePaneEquation;
        return e[0] * x + e[1] * y + e[2] * z + e[3];
    }
};

// The box is the model widened by 100 (from above, the roof measured by its panel); each
// direction spans its axis and keeps its side at position 10.
TEST_F(SlicePlane, EachDirectionSpansItsAxisOfTheWidenedModelAndKeepsItsSide) {
    cut(0, 0);
    const Float3DRect& b = gCutawayBounds;
    EXPECT_EQ((std::vector<float>{b.floatLeft, b.floatRight, b.floatBack, b.floatFront, b.floatTop, b.floatBottom}),
              (std::vector<float>{-100, 500, -100, 400, -100, 100}));
    struct Row {
        int16_t mode;
        float range;
        V3 kept, cut;  // just inside and just outside the visible part
    };
    const Row rows[] = {
        {0, 500, {0, 0, 385}, {0, 0, 395}},    // front to back: z up to 400 - 10
        {1, 600, {-85, 0, 0}, {-95, 0, 0}},    // left to right: x from -100 + 10
        {2, 500, {0, 0, -85}, {0, 0, -95}},    // back to front: z from -100 + 10
        {3, 600, {485, 0, 0}, {495, 0, 0}},    // right to left: x up to 500 - 10
        {4, 350, {0, 1195, 0}, {0, 1205, 0}},  // from above: y up to (350 - 100 - 10) x 5
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.mode);
        cut(r.mode, 10);
        EXPECT_FLOAT_EQ(gCutawayRange, r.range);
        EXPECT_GT(side(r.kept.h, r.kept.v, r.kept.d), 0.0f);
        EXPECT_LT(side(r.cut.h, r.cut.v, r.cut.d), 0.0f);
    }
    EXPECT_FLOAT_EQ(gCutawayBounds.floatTop, -250);  // the roof's panel

    // An unknown mode stores no plane and keeps the range; a range of 0 never reaches the slider.
    cut(0, 10);
    cut(5, 10);
    EXPECT_FLOAT_EQ(gCutawayRange, 500);
    for (float v : gSlicePaneEquation) EXPECT_EQ(v, 0.0f);
    gCutawayRange = 0;
    ComputeSlicePlane();
    EXPECT_FLOAT_EQ(gCutawayRange, 1.0f);

    // Without a document the globals stay.
    cut(1, 20);
    const float right = gCutawayBounds.floatRight, range = gCutawayRange, d = gSlicePaneEquation[3];
    gCurDocument = nullptr;
    SetSlicePlaneBounds();
    ComputeSlicePlane();
    gCurDocument = doc;
    EXPECT_EQ(std::make_tuple(gCutawayBounds.floatRight, gCutawayRange, gSlicePaneEquation[3]),
              std::make_tuple(right, range, d));
}

}  // namespace
