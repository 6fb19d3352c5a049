// Gestures played through the runner without a window: what each tracker call sees, the
// loops trackers open, which slot each tool reaches, the point tools, and the click record.
#include <gtest/gtest.h>
#include <sstream>

#include "app/core/key_entry.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_roster.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/gesture_driver.h"
#include "support/records.h"
#include "support/scene_checks.h"
#include "support/tracking_recorders.h"
#include "tracking/tool_dispatch.h"
#include "tracking/track_mouse.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/sheet_seams.h"

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
            if (stage == 3) Made();
        });
    }
    // What a tracker that built something leaves: a design that differs from the press.
    static void Made() { MakeSomething(); }
    void TearDown() override { port::setDocumentUndo(nullptr), FileTest::TearDown(); }
    RecordingUndo undo;
    GestureDriver g;
    Names calls;
};

TEST_F(Gestures, EachEventIsErasedAtThePreviousPointThenDrawn) {
    int told = 0;
    SetInspectorUpdatePropertiesStateHandler([&](int32_t) { ++told; });
    doc->itsDocState->snapToGrid = 0;  // plan points are the view's
    g.click({10, 20});
    g.press({10, 20}), g.drag({30, 20}), g.drag({30, 20}), g.drag({40, 20}, evmod::kShift);
    g.release({99, 99});  // the gesture ends at the last dragged point
    g.drag({70, 80}), g.release({70, 80});  // after the release nothing is the gesture's
    EXPECT_TRUE(Near({gTrackingMouse, gTrackingObject}, {0, 0}));
    EXPECT_EQ(calls, (Names{"1 10,20 m0 a0", "3 10,20 m0 a10", "1 10,20 m0 a10", "2 10,20 m0 a-999999",
                            "2 30,20 m0 a10", "2 30,20 m0 a30", "2 30,20 m0 a30", "2 30,20 m0 a30",
                            "2 40,20 m4 a30", "3 40,20 m4 a40"}));
    EXPECT_EQ(undo.actionNames, (Names{"Rectangle Tool", "Rectangle Tool"}));
    // Down (10, 20); Shift held at the end squares the rectangle tool's 30 wide drag: (40, -10).
    EXPECT_TRUE(Near({float(gStartMouse.x), float(gEndMouse.x), gDownX, gDownZ, gUpX, gUpZ, gFirstDownX, gFirstUpX,
                      gTrackState[0], gTrackState[2], gTrackState[3], gTrackState[5], float(told)},
                     {10, 40, 10, 20, 40, -10, 10, 40, 10, 20, 40, -10, 2}));

    // Nineteen view points between press and release make a click, twenty a drag.
    std::vector<int> clicks;
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage == 3) clicks.push_back(TrackedGestureWasClick());
    });
    for (int x : {19, 20}) g.press({0, 0}), g.drag({x, 0}), g.release({x, 0});
    EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
}

TEST_F(Gestures, LoopsTakeTheirEventsAndTheGestureEndsAfterTheLast) {
    Names seen;
    auto record = [&seen](const char* who, int16_t last) {
        return [&seen, who, last](const TrackEvent& e) { return seen.push_back(who + std::to_string(e.type)), e.type == last; };
    };
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage == 1) OpenTrackerLoop(1092, record("a", 2), [] { gMouseCaptured = 0; });
        if (stage == 3) Made();
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
            if (e.type == 1) Made();
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

// A polyline-like routine: moves and presses until a double click, then one key.
TrackerRoutine Polyline(Names& seen, bool& freed) {
    struct Guard {
        bool& freed;
        ~Guard() { freed = true; }
    } guard{freed};
    for (;;) {
        const TrackEvent e = co_await NextTrackEvent(0x142A);
        seen.push_back("p" + std::to_string(e.type));
        if (e.type == trackevent::kLeftMouseDown && e.clickCount == 2) break;
    }
    const TrackEvent key = co_await NextTrackEvent(Mask(trackevent::kKeyDown));
    seen.push_back("k" + std::to_string(key.keyCode));
    MakeSomething();  // the line is built
}

TEST_F(Gestures, ARoutineResumesPerEventAndAResetAbandonsIt) {
    Names seen;
    bool freed = false;
    RegisterTracker(TrackerSlot::Rect, [&](int32_t, int32_t, float, float, float, int16_t stage) {
        if (stage == 3) StartTrackerRoutine(Polyline(seen, freed));
    });
    g.click({0, 0});
    g.move({5, 5}), g.press({5, 5}), g.release({5, 5}), g.press({6, 6}, 0, 2), g.move({7, 7});
    EXPECT_TRUE(Near({g.running(), freed, undo.actionNames.size()}, {1, 0, 0}));
    g.key(keycode::kEscape);
    EXPECT_EQ(seen, (Names{"p5", "p1", "p1", "k53"}));
    EXPECT_TRUE(Near({g.running(), freed, undo.actionNames.size(), TrackerLoopOpen()}, {0, 1, 1, 0}));

    // A tool chosen while the routine waits: it is freed where it waits, nothing more is stored.
    freed = false, gResetToWallTool = 1, gResetWallTool = 7052;
    g.click({0, 0}), g.move({5, 5});
    ResetTrackingState();
    g.key(keycode::kEscape), g.move({1, 1});
    EXPECT_TRUE(Near({g.running(), freed, undo.actionNames.size(), TrackerLoopOpen(), gTrackingMouse, gCurTool},
                     {0, 1, 1, 0, 0, 7052}));
}

TEST_F(Gestures, EveryToolOfTheTableReachesItsSlot) {
    using S = TrackerSlot;
    const std::pair<S, const char*> table[] = {
        {S::Translate, "200 216 3550"}, {S::Rotate, "202"}, {S::Scale, "215"}, {S::Camera, "205"}, {S::Text, "206 207"},
        {S::Component, "208 7055 7100 7101 7103 7105 7106 7107 7110 7112 7113 7114 7115 7200 7201 7203 7204 7205 "
                       "7206 7207 7208 7209 7210 7407"},
        {S::ComponentFixed, "7065 7102 7104 7109 7111 7202 7211 7401 7402 7403 7404 7405 7406"},
        {S::DimLine, "209"}, {S::OffsetDim, "210 211"}, {S::DiameterDim, "212"}, {S::LeaderDim, "213"},
        {S::Foundation, "7000"}, {S::FoundationBeam, "7001"}, {S::FoundationPier, "7002"},
        {S::FoundationTension, "7003"}, {S::FoundationSlope, "7004"}, {S::Wall, "7050 7051 7052 7053 7507"},
        {S::CurvedWall, "7054"}, {S::Door, "7056 7066"}, {S::Window, "7057"}, {S::StraightStaircase, "7058 7604"},
        {S::CurvedStaircase, "7059 7605"}, {S::StraightRailing, "7060 7602"}, {S::CurvedRailing, "7061 7603"},
        {S::Floor, "7062 7063"}, {S::Accessory, "7064"}, {S::SwitchConnector, "7108"},
        {S::GableRoof, "7300 7301 7302 7303 7304 7305"}, {S::RoofPanel, "7306"}, {S::FourPtRoof, "7307"},
        {S::ThreePtRoof, "7308"}, {S::DormerCutout, "7309"}, {S::Skylight, "7310"}, {S::HVACDuct, "7400"},
        {S::PropertyLine, "7500"}, {S::GroundFill, "7501"}, {S::Path, "7502"}, {S::Fill, "7503"},
        {S::Edging, "7504"}, {S::Fence, "7505"}, {S::Gate, "7506"}, {S::Sprinkler, "7508 7705"},
        {S::TopoCutout, "7509"}, {S::Topo, "7511 7512"}, {S::Deck, "7600 7601"}, {S::DeckCutout, "7606"},
        {S::Rect, "7700"}, {S::Oval, "7701"}, {S::Line, "7702"}, {S::Poly, "7703 7707"}, {S::Arc, "7704"},
        {S::Multi, "7706"}, {S::Fillet, "7910 7911"}, {S::Chamfer, "7912"},
    };
    ClearTrackers();
    Shape(doc->itsCurLayer, 9, {{0, 0}, {200, 0}});  // under the click, for the tools that need a hit
    Names seen, want;
    for (int s = 1; s < int(S::Count); ++s)
        RegisterViewToolTracker(S(s), [&seen, s](int32_t, int32_t, float, float, float, int16_t stage, int16_t tool) {
            seen.push_back(std::to_string(s) + " " + std::to_string(tool) + " " + std::to_string(stage));
        });
    for (const auto& [slot, tools] : table) {
        std::istringstream in(tools);
        for (int tool; in >> tool;) {
            gCurTool = int16_t(tool), g.click({100, 0});
            for (int stage : {1, 3}) want.push_back(std::to_string(int(slot)) + " " + std::to_string(tool) + " " + std::to_string(stage));
        }
    }
    EXPECT_EQ(seen, want);
}

TEST_F(Gestures, EachToolReachesItsSlotWithTheArgumentsOfItsKind) {
    ClearTrackers();
    Names seen;
    auto record = [&seen](const std::string& line) { seen.push_back(line), Made(); };
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
    // 7311, 7510 and 7515 reach no tracker here: they made nothing and store nothing.
    EXPECT_EQ(Names(undo.actionNames.end() - 4, undo.actionNames.end()),
              (Names{"Curved Railing Tool", "Hip/Gable Roof Tool", "Skylight", "Skylight"}));
    EXPECT_EQ((Names{TrackUndoName(7311), TrackUndoName(7510), TrackUndoName(7515)}),
              (Names{"Shed Roof Tool", "Slope Lot Section Tool", "Slope Lot Tool"}));
    const auto slot = doc->itsCurrentUndo;
    gCurTool = 4321, gMouseCaptured = 1, g.press({1, 1}), g.release({1, 1});
    // A tool without a tracker made nothing: no step, not even an unnamed one.
    EXPECT_TRUE(Near({gMouseCaptured, g.running(), doc->itsCurrentUndo != slot}, {0, 0, 0}));
    const size_t stored = undo.actionNames.size();
    gCurTool = toolid::kNone, gDocumentChanged = 0, g.click({1, 1});
    EXPECT_TRUE(Near({float(undo.actionNames.size()), float(gDocumentChanged), float(seen.size())}, {float(stored), 1, 20}));

    // The key-entry tool's road is reached once the shell registered it; it stores nothing.
    int sheets = 0;
    g.window = reinterpret_cast<CommandWindow*>(&sheets);
    SetNewKeyEntrySheetForParentHandler([&](CommandWindow*, Objex*, Poinz*, Poinz*, float, float, float) { ++sheets; });
    Shape(doc->itsCurLayer, 9, {{0, 300}, {100, 300}});
    gCurTool = toolid::kKeyEntry, g.click({50, 300});
    RegisterKeyEntryTracker(TrackKeyEntry), g.click({50, 300});
    EXPECT_TRUE(Near({sheets, undo.actionNames.size()}, {1, stored}));
}

TEST_F(Gestures, HandlesMoveWhatKeepsItsShapeAndPointsAreInsertedAndRemoved) {
    Names seen;
    for (auto [slot, name] : {std::pair{TrackerSlot::Translate, "move"}, {TrackerSlot::Scale, "resize"},
                              {TrackerSlot::Marquee, "marquee"}, {TrackerSlot::Rotate, "rotate"},
                              {TrackerSlot::DimLine, "dimension"}})
        RegisterTracker(slot, [&seen, name](int32_t, int32_t, float, float, float, int16_t s) { if (s == 1) seen.push_back(name); });
    auto press = [&](int16_t tool, Objex* o, bool hit, bool handle) {
        gCurTool = tool, gClickInfo = ClickAt(40, 40);
        gClickInfo.ciHit = hit, gClickInfo.ciObject = o, gClickInfo.ciPoint = o->firstPoint;
        (handle ? gClickInfo.ciHandleHit : gClickInfo.ciPointHit) = 1, gClickInfo.ciHandle = 3;
        gMouseCaptured = 1, g.runner.begin({40, 40}, nullptr), g.runner.end({40, 40});
    };
    Objex* plant = Shape(doc->itsCurLayer, objtype::kPlant, {{0, 0}, {40, 0}, {40, 40}}, true);
    Objex* pier = Shape(doc->itsCurLayer, objtype::kFoundationPier, {{0, 0}, {40, 0}, {40, 40}}, true);
    Objex* box = Shape(doc->itsCurLayer, 1, {{0, 0}, {40, 0}, {40, 40}}, true);
    Objex* group = Group(doc->itsCurLayer, {Shape(doc->itsCurLayer, 1, {{0, 0}, {9, 9}}, true)}, 123);
    for (Objex* o : {plant, pier, box, group}) press(200, o, true, true);
    // With point editing a roof's point goes to the resize tracker (the marquee on a miss),
    // whatever edit tool holds it but the rotate tool.
    Objex* roof = Shape(doc->itsCurLayer, objtype::kRoof, {{0, 0}, {40, 0}, {40, 40}}, true);
    gPointOrientation = 1;
    press(209, roof, true, false), press(209, roof, false, false), press(202, roof, true, false);
    gPointOrientation = 0;
    EXPECT_EQ(seen, (Names{"move", "move", "resize", "move", "resize", "marquee", "rotate"}));

    // A wall tool pressed by a selected wall point moves it and stays the tool.
    Objex* wall = Wall(doc->itsCurLayer, {{300, 200}, {500, 200}});
    PointAt(wall, 0)->selected = 1;
    NoteSelectionIn(wall);
    seen.clear(), gCurTool = 7050, g.click({300, 212});  // 12 off: within the wall tools' reach of 20
    EXPECT_EQ(std::tuple(seen, gCurTool), std::tuple(Names{"move"}, int16_t(7050)));

    // A snap spacing of a foot (24 units) takes an inserted point to 144 (a remove at the
    // click's 150 hits the segment); the point is removed where it lies, and the click no
    // longer names it.
    undo.actionNames.clear();
    CurrentDocState()->snapIncrement = {12, 12};
    Objex* line = Shape(doc->itsCurLayer, objtype::kFence, {{100, 0}, {200, 0}});
    PointAt(line, 0)->selected = PointAt(line, 1)->selected = 1;
    NoteSelectionIn(line);
    gCurSnap = snapmode::kNone, gCurTool = 7900, g.click({150, 0});
    EXPECT_TRUE(Near({float(line->pointCount), float(SelectedPointCount(line)), PointAt(line, 1)->position[0]}, {3, 1, 144}));
    gCurTool = 7900, g.click({150, 90});  // nothing there: nothing stored
    gCurSnap = snapmode::kEndPoint, gCurTool = 7901, g.click({144, 0});
    EXPECT_TRUE(Near({float(line->pointCount), float(gClickInfo.ciPointHit)}, {2, 0}));
    EXPECT_TRUE(Same({gClickInfo.ciPoint}, {nullptr}));
    gCurTool = 7901, g.click({100, 0});  // not selected: stays
    EXPECT_EQ(undo.actionNames, (Names{"Insert Point", "Remove Point"}));

    // A point inserted in a roof's cut-out rebuilds the roof.
    Objex* cutout = Shape(roof, objtype::kRoofCutout, {{1000, 1000}, {1100, 1000}, {1100, 1100}}, true);
    AddStalePieces({roof});
    gCurSnap = snapmode::kNone, gCurTool = 7900, g.click({1050, 1000});
    EXPECT_TRUE(Near({float(cutout->pointCount), float(HasStalePiece(roof))}, {4, 0}));
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

TEST_F(Gestures, TheFilledClickHoldsItsHitUntilTheObjectGoes) {
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
