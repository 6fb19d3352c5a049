// The gesture runner fed one event at a time: where the engine's calls begin, keep and end,
// which modifiers each event sees, and when no drag loop runs.
#include <gtest/gtest.h>

#include <optional>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/tracking_recorders.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"

using namespace dvxtest;

namespace {

using Names = std::vector<std::string>;

class TrackMouseTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        tracker.emplace();
        gCurTool = 7700, gMouseCaptured = 1;
    }
    std::optional<RecordingTracker> tracker;
    TrackMouse gesture;
};

TEST_F(TrackMouseTest, AClickEndsWhereItBeganAndADragAtItsLastPoint) {
    ASSERT_TRUE(gesture.begin({10, 20}, nullptr));
    gesture.end({12, 21});
    ASSERT_TRUE(gesture.begin({10, 20}, nullptr));
    gesture.keep({30, 40}, 0), gesture.keep({50, 60}, 0), gesture.end({55, 65});
    gesture.keep({70, 80}, 0), gesture.end({70, 80});  // after the release nothing is the gesture's
    EXPECT_EQ(tracker->calls, (Names{"1 10,20", "3 10,20", "1 10,20", "2 10,20", "2 30,40", "2 30,40", "2 50,60",
                                     "3 50,60"}));
    EXPECT_TRUE(Near({gesture.running(), gTrackingMouse, gTrackingObject}, {0, 0, 0}));
}

TEST_F(TrackMouseTest, ShiftPressedMidDragLeavesTheOldModifiersForTheErase) {
    gesture.begin({0, 0}, nullptr);
    gesture.keep({5, 0}, 0), gesture.keep({5, 0}, evmod::kShift), gesture.keep({9, 0}, evmod::kShift);
    gesture.end({9, 0});
    EXPECT_EQ(tracker->modifiers, (std::vector<int>{0, 0, 0, 0, 4, 4, 4, 4}));
}

TEST_F(TrackMouseTest, AReleasedPressEndsAtOnceUnlessTheRoofToolsLoop) {
    tracker->releaseAtBegin = true;
    gResetToWallTool = 1, gResetWallTool = 7050;  // a wall click the engine made a move
    EXPECT_FALSE(gesture.begin({3, 4}, nullptr));
    EXPECT_TRUE(Near({gCurTool, gResetToWallTool}, {7050, 0}));
    gCurTool = 7308, gesture.begin({3, 4}, nullptr), gesture.keep({6, 8}, 0), gesture.end({6, 8});
    EXPECT_EQ(tracker->calls, (Names{"1 3,4", "3 3,4", "1 3,4", "2 3,4", "2 6,8", "3 6,8"}));
}

TEST_F(TrackMouseTest, TheFilledClickHoldsItsHitUntilTheObjectGoes) {
    CurrentDocState()->zoomFactor = 1;
    Objex* line = Shape(doc->itsCurLayer, 9, {{0, 0}, {100, 0}});
    ClickInfo on = ClickAt(50, 0), off = ClickAt(50, 60);
    on.ciHit = off.ciHit = 7;
    FillClickInfo(&on), FillClickInfo(&off), FillClickInfo(nullptr);
    EXPECT_TRUE(Near({on.ciHit, on.ciSegmentHit, off.ciHit}, {1, 1, 0}));
    gClickInfo = on;
    DeleteObj(line);
    EXPECT_TRUE(Same({gClickInfo.ciObject, gClickInfo.ciPoint, gClickInfo.ciPoint2}, {nullptr, nullptr, nullptr}));
}

}  // namespace
