// Measuring and resizing imported objects in their own, unturned frame.
#include <gtest/gtest.h>

#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/fentrix_sizing.h"
#include "model/lines.h"
#include "model/object_transforms.h"
#include "model/transforms.h"
#include "support/build.h"
#include "support/seam_recorders.h"

namespace dvxtest {
namespace {

constexpr float kTol = 2e-3f;

class FentrixSizing : public SelectionTest {
protected:
    // A box 100 wide (H), 50 deep (D) and 20 high (V), all points selected. At scale 36 one
    // plan unit is half an inch: 50 x 25 x 10 inches.
    Objex* Box() {
        Objex* box = Shape(floor, objtype::kFentrix, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true);
        for (const auto& [h, d] : {std::pair{0.0f, 0.0f}, {100.0f, 0.0f}, {100.0f, 50.0f}, {0.0f, 50.0f}})
            Point(box, {h, 20, d});
        Make(box).select();
        return box;
    }

    void ExpectSize(Objex* o, float w, float h, float d) {
        float width = 0, height = 0, depth = 0;
        GetFentrixSize(o, &width, &height, &depth);
        EXPECT_NEAR(width, w, kTol);
        EXPECT_NEAR(height, h, kTol);
        EXPECT_NEAR(depth, d, kTol);
    }
};

TEST_F(FentrixSizing, UnturnedObjectIsMeasuredAndScaledDirectly) {
    Objex* box = Box();
    CurrentDocState()->viewKind = 3;
    ExpectSize(box, 100, 20, 50);

    // 50 percent in width halves H about the middle and leaves V and D.
    RebuildRecorder rebuilds;
    ResizeFentrixObject(box, 1, 50, 300, 300, 1, 0, 0);
    EXPECT_FLOAT_EQ(PointAt(box, 0)->position[0], 25);
    EXPECT_FLOAT_EQ(PointAt(box, 1)->position[0], 75);
    EXPECT_FLOAT_EQ(PointAt(box, 2)->position[2], 50);
    EXPECT_FLOAT_EQ(PointAt(box, 4)->position[1], 20);
    EXPECT_EQ(CurrentDocState()->viewKind, 3);
    EXPECT_EQ(rebuilds.count("RenderEntireObject", box), 1);
    EXPECT_FLOAT_EQ(box->bounds3D.floatLeft, 25);
}

TEST_F(FentrixSizing, TurnedObjectIsMeasuredInItsOwnFrameAndKeepsItsAngle) {
    Objex* box = Box();
    RotateObjectInDegrees(box, 30);
    ASSERT_NEAR(box->params[4], 30, 1e-4);
    const float h0 = PointAt(box, 0)->position[0], d0 = PointAt(box, 0)->position[2];

    ExpectSize(box, 100, 20, 50);
    EXPECT_NEAR(box->params[4], 30, 1e-4);
    EXPECT_NEAR(PointAt(box, 0)->position[0], h0, kTol);
    EXPECT_NEAR(PointAt(box, 0)->position[2], d0, kTol);

    // 25 inches wide is 50 plan units; the first edge still runs at 30 degrees.
    ResizeFentrixObject(box, 0, 25, 0, 0, 1, 0, 0);
    ExpectSize(box, 50, 20, 50);
    EXPECT_NEAR(box->params[4], 30, 1e-4);
    float length = 0;
    const Poinz* a = PointAt(box, 0);
    const Poinz* b = PointAt(box, 1);
    const float angle = GetLineLengthAndAngle(a->position[0], a->position[2], b->position[0], b->position[2], &length);
    EXPECT_NEAR(length, 50, kTol);
    EXPECT_NEAR(angle, std::numbers::pi_v<float> / 6, 1e-4);
}

TEST_F(FentrixSizing, NoSideBelowOneSixteenth) {
    Objex* box = Box();
    ResizeFentrixObject(box, 1, 0.01f, 0, 0, 1, 0, 0);
    float width = 0, height = 0, depth = 0;
    GetFentrixSize(box, &width, &height, &depth);
    EXPECT_NEAR(ConvertScreenToWorld(width, CurrentDocState(), 0), 0.0625f, 1e-6);
    EXPECT_NEAR(depth, 50, kTol);

    // An asked-for size of nothing keeps the smallest side as well.
    ResizeFentrixObject(box, 0, 0, 0, 0, 0, 0, 1);
    GetFentrixSize(box, &width, &height, &depth);
    EXPECT_NEAR(ConvertScreenToWorld(depth, CurrentDocState(), 0), 0.0625f, 1e-6);
}

TEST_F(FentrixSizing, AllThreeSizesInOneCall) {
    Objex* box = Box();
    RotateObjectInDegrees(box, 90);
    CurrentDocState()->viewKind = 1;
    ResizeFentrixObject(box, 1, 50, 200, 50, 1, 1, 1);
    EXPECT_EQ(CurrentDocState()->viewKind, 1);
    ExpectSize(box, 50, 40, 25);
    EXPECT_NEAR(box->params[4], 90, 1e-4);

    // Missing arguments change nothing.
    float width = -1;
    GetFentrixSize(box, &width, nullptr, nullptr);
    EXPECT_FLOAT_EQ(width, -1);
    ResizeFentrixObject(nullptr, 1, 50, 50, 50, 1, 1, 1);
}

}  // namespace
}  // namespace dvxtest
