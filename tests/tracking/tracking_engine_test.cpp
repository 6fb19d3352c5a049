// Gestures played through the runner without a window: what each tracker call sees, the
// loops trackers open, which slot each tool reaches, and the point tools.
#include <gtest/gtest.h>

#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/gesture_driver.h"
#include "support/records.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

using namespace dvxtest;

namespace {

using Names = std::vector<std::string>;
using trackevent::Mask;

class Gestures : public FileTest {
protected:
    Gestures() : FileTest("gestures") {}
    void SetUp() override {
        FileTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        doc->itsDocState->zoomFactor = 1, doc->itsDocState->planScale = 36;
        gCurTool = 7700;
        // The rectangle tracker: draws carry the point into the wall-segment state and angle.
        RegisterTracker(TrackerSlot::Rect, [this](int32_t x, int32_t y, float, float, float, int16_t stage) {
            calls.push_back(std::to_string(stage) + " " + std::to_string(x) + "," + std::to_string(y) + " m" +
                            std::to_string(gTrackModifiers) + " a" + std::to_string(int(gTrackConstrainAngle)));
            gTrackConstrainAngle = float(x);
        });
    }
    void TearDown() override { port::setDocumentUndo(nullptr), FileTest::TearDown(); }
    RecordingUndo undo;
    GestureDriver g;
    Names calls;
};

TEST_F(Gestures, EachEventIsErasedAtThePreviousPointThenDrawn) {
    g.click({10, 20});
    g.press({10, 20}), g.drag({30, 20}), g.drag({30, 20}), g.drag({40, 20}, evmod::kShift);
    g.release({99, 99});  // the gesture ends at the last dragged point
    EXPECT_EQ(calls, (Names{"1 10,20 m0 a0", "3 10,20 m0 a10", "1 10,20 m0 a10", "2 10,20 m0 a-999999",
                            "2 30,20 m0 a10", "2 30,20 m0 a30", "2 30,20 m0 a30", "2 30,20 m0 a30",
                            "2 40,20 m4 a30", "3 40,20 m4 a40"}));
    EXPECT_EQ(undo.actionNames, (Names{"Rectangle Tool", "Rectangle Tool"}));
    EXPECT_TRUE(Near({float(gStartMouse.x), float(gEndMouse.x), gFirstDownX - gDownX, gFirstUpX - gUpX, gMouseModeLimit},
                     {10, 40, 0, 0, 20}));
}

TEST_F(Gestures, LoopsTakeTheirEventsAndTheGestureEndsAfterTheLast) {
    Names seen;
    auto record = [&seen](const char* who, int16_t last) {
        return [&seen, who, last](const TrackEvent& e) { return seen.push_back(who + std::to_string(e.type)), e.type == last; };
    };
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage == 1) OpenTrackerLoop(1092, record("a", 2), [] { gMouseCaptured = 0; });
    });
    g.press({0, 0}), g.move({5, 5}), g.drag({5, 5}), g.key(keycode::kTab), g.release({5, 5});
    EXPECT_EQ(seen, (Names{"a6", "a10", "a2"}));
    EXPECT_TRUE(Near({g.running(), undo.actionNames.size()}, {0, 1}));

    seen.clear();
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage != 3) return;
        OpenTrackerLoop(0x142A, [&](const TrackEvent& e) {
            seen.push_back("b" + std::to_string(e.type));
            if (e.type == 10) OpenTrackerLoop(Mask(1), record("c", 1));  // the inner loop comes first
            return e.type == 1;
        });
    });
    g.press({0, 0}), g.release({0, 0});
    g.move({1, 1}), g.release({1, 1}), g.key(keycode::kEscape), g.press({1, 1});
    EXPECT_TRUE(Near({g.running(), undo.actionNames.size()}, {1, 1}));  // the outer loop is still open
    g.press({2, 2});
    EXPECT_EQ(seen, (Names{"b5", "b10", "c1", "b1"}));
    EXPECT_TRUE(Near({g.running(), undo.actionNames.size()}, {0, 2}));
}

TEST_F(Gestures, EachToolReachesItsSlotWithTheArgumentsOfItsKind) {
    ClearTrackers();
    Names seen;
    auto record = [&seen](const std::string& line) { seen.push_back(line); };
    RegisterPlanTracker(TrackerSlot::OffsetDim, [&](float, float, float, int16_t s) { record("offset " + std::to_string(s)); });
    RegisterToolTracker(TrackerSlot::Component, [&](float, float, float, int16_t, int16_t t) { record("component " + std::to_string(t)); });
    RegisterViewToolTracker(TrackerSlot::Arc, [&](int32_t x, int32_t, float, float, float, int16_t, int16_t t) { record("arc " + std::to_string(x) + " " + std::to_string(t)); });
    RegisterDoorTracker(TrackerSlot::Door, [&](int32_t x, int32_t, float, int16_t) { record("door " + std::to_string(x)); });
    RegisterTracker(TrackerSlot::StraightStaircase, [&](int32_t, int32_t, float, float, float, int16_t) { record("stairs " + std::to_string(gStairToolStyle)); });
    RegisterTracker(TrackerSlot::CurvedRailing, [&](int32_t, int32_t, float, float, float, int16_t) { record("rail " + std::to_string(gRailToolStyle)); });
    RegisterTracker(TrackerSlot::GableRoof, [&](int32_t, int32_t, float, float, float, int16_t) { record("roof " + std::to_string(gRoofToolStyle)); });
    RegisterPlanTracker(TrackerSlot::Skylight, [&](float, float, float, int16_t) { record("skylight"); });
    RegisterPlanTracker(TrackerSlot::CustomSkylight, [&](float, float, float, int16_t) { record("custom skylight"); });
    RegisterTracker(TrackerSlot::Marquee, [&](int32_t, int32_t, float, float, float, int16_t) { record("marquee"); });
    const int16_t tools[] = {211, 7114, 7704, 7066, 7604, 7603, 7302, 7310, 7311, 7510, 7515, 7809, 200};
    for (int16_t tool : tools) gCurTool = tool, g.click({50, 60});
    doc->itsDocState->skylightStyle = 806, gCurTool = 7310, g.click({50, 60});
    EXPECT_EQ(seen, (Names{"offset 1", "offset 3", "component 7114", "component 7114", "arc 50 7704", "arc 50 7704",
                           "door 50", "door 50", "stairs 1", "stairs 1", "rail 2", "rail 2", "roof 3", "roof 3",
                           "skylight", "skylight", "marquee", "marquee", "custom skylight", "custom skylight"}));
    EXPECT_EQ(Names(undo.actionNames.end() - 5, undo.actionNames.end()),
              (Names{"Skylight", "Shed Roof Tool", "Slope Lot Section Tool", "Slope Lot Tool", "Skylight"}));
    const auto slot = doc->itsCurrentUndo;
    gCurTool = 4321, gMouseCaptured = 1, g.press({1, 1}), g.release({1, 1});
    EXPECT_TRUE(Near({gMouseCaptured, g.running(), doc->itsCurrentUndo != slot}, {0, 0, 1}));  // an unnamed step
    const size_t stored = undo.actionNames.size();
    gCurTool = toolid::kNone, gDocumentChanged = 0, g.click({1, 1});
    EXPECT_TRUE(Near({float(undo.actionNames.size()), float(gDocumentChanged), float(seen.size())}, {float(stored), 1, 20}));
}

TEST_F(Gestures, HandlesMoveWhatKeepsItsShapeAndPointsAreInsertedAndRemoved) {
    Names seen;
    RegisterTracker(TrackerSlot::Translate, [&](int32_t, int32_t, float, float, float, int16_t s) { if (s == 1) seen.push_back("move"); });
    RegisterTracker(TrackerSlot::Scale, [&](int32_t, int32_t, float, float, float, int16_t s) { if (s == 1) seen.push_back("resize"); });
    Objex* plant = Shape(doc->itsCurLayer, 28, {{0, 0}, {40, 0}, {40, 40}}, true);
    Objex* box = Shape(doc->itsCurLayer, 1, {{0, 0}, {40, 0}, {40, 40}}, true);
    Objex* group = Group(doc->itsCurLayer, {Shape(doc->itsCurLayer, 1, {{0, 0}, {9, 9}}, true)}, 123);
    for (Objex* o : {plant, box, group}) {
        gCurTool = 200, gClickInfo = ClickAt(40, 40);
        gClickInfo.ciHit = 1, gClickInfo.ciHandleHit = 1, gClickInfo.ciHandle = 3, gClickInfo.ciObject = o;
        gMouseCaptured = 1, g.runner.begin({40, 40}, nullptr), g.runner.end({40, 40});
    }
    EXPECT_EQ(seen, (Names{"move", "resize", "move"}));

    Objex* line = Shape(doc->itsCurLayer, objtype::kFence, {{100, 0}, {200, 0}});
    PointAt(line, 0)->selected = PointAt(line, 1)->selected = 1;
    gCurTool = 7900, g.click({150, 0});
    EXPECT_TRUE(Near({float(line->pointCount), float(SelectedPointCount(line))}, {3, 1}));
    gCurTool = 7900, g.click({150, 90});  // nothing there: nothing stored
    EXPECT_EQ(undo.actionNames, (Names{"Move/Resize", "Move/Resize", "Move/Resize", "Insert Point"}));
}

TEST_F(Gestures, TheInvertedFilletLastsOneGestureAndAMissRunsTheMarquee) {
    Names seen;
    RegisterTracker(TrackerSlot::Fillet, [&](int32_t, int32_t, float, float, float, int16_t) { seen.push_back("fillet " + std::to_string(gTrackInvertedFillet)); });
    RegisterTracker(TrackerSlot::Marquee, [&](int32_t, int32_t, float, float, float, int16_t s) { if (s == 1) seen.push_back("marquee"); });
    Objex* line = Shape(doc->itsCurLayer, 9, {{100, 0}, {200, 0}});
    gCurTool = 7911, g.press({150, 0});
    EXPECT_EQ(gTrackInvertedFillet, 1);
    g.release({150, 0});
    EXPECT_EQ(gTrackInvertedFillet, 0);
    gCurTool = 7910, g.click({150, 0}), g.click({150, 90});
    EXPECT_EQ(seen, (Names{"fillet 1", "fillet 1", "fillet 0", "fillet 0", "marquee"}));
    EXPECT_TRUE(line && undo.actionNames.empty());  // no fillet changed the design
}

}  // namespace
