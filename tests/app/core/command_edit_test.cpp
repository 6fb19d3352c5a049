// The editing, floor and plan commands on a design: their effects, undo steps, refusals and readouts.
#include <gtest/gtest.h>

#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "scene/scene_build.h"
#include "support/build.h"
#include "support/scene_checks.h"
#include "support/doubles.h"

namespace dvxtest {
namespace {

using Names = std::vector<std::string>;

class Commands : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), port::setAlerts(&alerts);
        gUndoActive = 1, InitializeUndo();
        (ds = doc->itsDocState)->viewKind = 2;
        second = GetLayerFromName("Second Floor"), third = GetLayerFromName("Third Floor");
        SetMainWindowStatusTextHandler([this](const std::string& text) { status = text; });
    }
    Objex* Selected(Layer* on, PlanPoints points) { return Make(Shape(on, objtype::kDetail, points)).select(); }
    int Count(Layer* layer) { return CountObjects(layer->firstObject); }

    RecordingUndo undo;
    Names& names = undo.actionNames;
    RecordingAlerts alerts;
    DocState* ds = nullptr;
    Layer *second = nullptr, *third = nullptr;
    std::string status;
    Win32EventHandler h;
};

TEST_F(Commands, CutNeedsASelectionCopyStoresNothingPasteTurnsToThePlanFirst) {
    Objex* o = Shape(floor, objtype::kDetail, {{0, 0}, {40, 0}});
    h.cutObjects();
    EXPECT_EQ(std::tuple(Count(floor), names.size()), std::tuple(1, 0u));
    Make(o).select();
    h.copyObjects();
    h.cutObjects();
    SetView(0, 0);  // an elevation
    int before = -1;
    SetViewTopHandler([&] { before = Count(floor), SetPlanView(); });
    h.pasteObjects();
    h.unsmoothSelected();
    EXPECT_EQ(std::tuple(before, Count(floor), names), std::tuple(0, 1, Names{"Cut", "Paste", "Unsmooth Objects"}));
}

TEST_F(Commands, FloorsRefuseTheTopAndBottomAndCopiesLandDeselectedAbove) {
    Selected(doc->itsCurLayer = third, {{0, 0}, {10, 0}});
    h.copyObjectsToUpperFloor();
    Selected(doc->itsCurLayer = floor, {{0, 0}, {10, 0}});
    h.copyObjectsToLowerFloor();
    Names said;
    for (const RecordingAlerts::Shown& s : alerts.shown) said.push_back(s.alert.message + " " + s.alert.informative);
    EXPECT_EQ(said, (Names{"Unable to copy objects to upper floor. You are currently on the top floor.",
                           "Unable to copy objects to lower floor. You are currently on the bottom floor."}));
    h.moveObjectsToUpperFloor();
    Make(second->firstObject).select();
    doc->itsCurLayer = second;
    h.copyObjectsToUpperFloor();
    EXPECT_EQ(std::tuple(Count(floor), Count(second), Count(third), SelectedPointCount(third->firstObject->next)),
              std::tuple(0, 1, 2, 0));
    EXPECT_EQ(names, (Names{"Move To Upper Floor", "Copy To Upper Floor"}));
}

TEST_F(Commands, AFlipTurnsAboutTheSelectionsCentreInTheViewsAxesAndOnlyThere) {
    // 3D bounds H 10..50, V 20..60, D 30..110; the flip mirrors the view's first axis.
    struct Row { int16_t kind; float x, y; int axis; float first; };
    for (const Row& r : {Row{2, 30, 70, 0, 50}, {3, 70, 40, 2, 110}, {1, 30, 40, 0, 50}, {4, -1, -1, 0, 10}}) {
        ds->viewKind = r.kind;
        gFlipCenterX = gFlipCenterY = -1;
        Objex* o = Make(objtype::kDetail).on(floor).at({{10, 20, 30}, {50, 60, 110}}).select().bounds();
        h.flipObjectsUsingCommand(5034);
        EXPECT_TRUE(Near({gFlipCenterX, gFlipCenterY, PointAt(o, 0)->position[r.axis]}, {r.x, r.y, r.first})) << r.kind;
        Make(o).select(0);
    }
    h.flipObjectsUsingCommand(5034);  // nothing selected: nothing flipped, no step
    EXPECT_EQ(names, Names(3, "Flip"));  // not for view kind 4
}

TEST_F(Commands, AMirrorIsOneSelectedFlippedCopyAndOneStepAndOnlyForItsTwoCommands) {
    Objex* o = Selected(floor, {{0, 0}, {100, 0}, {100, 50}});
    h.mirrorObjectsUsingCommand(5000);  // copies nothing
    h.mirrorObjectsUsingCommand(5008);
    ASSERT_EQ(Count(floor), 2);
    EXPECT_EQ(PlanPositions(o->next), (std::vector<std::pair<float, float>>{{100, 0}, {0, 0}, {0, 50}}));
    EXPECT_EQ(std::tuple(SelectedPointCount(o->next), SelectedPointCount(o), names), std::tuple(3, 0, Names{"Mirror"}));
}

TEST_F(Commands, TheWorkingFloorRebuildsOnlyWhenFloorsHideAndPlanTabsChangeOnlyForAnotherPlan) {
    int popUp = 0;
    float pane = -1;
    RegisterLiveView(true);
    Objex* slab = Shape(second, objtype::kFloor, {{0, 0}, {90, 0}, {90, 90}}, true);
    auto builds = [&] { return PiecesOf(slab).size(); };  // the scene is built only on a rebuild
    SetSelectActiveFloorPopUpItemHandler([&](int32_t tag) { popUp = tag; });
    SetMainWindowControllerSetElevationPaneHandler([&](const SelectionState40* s) { pane = s->ssBaseElevationValue; });
    h.workOnFloorUsingCommand(5276);
    EXPECT_EQ(std::tuple(doc->itsCurLayer, floor->active, second->active, builds(), popUp, pane),
              std::tuple(second, 0, 1, 0u, 5276, 96.0f));
    h.workOnFloorUsingCommand(5279);
    EXPECT_EQ(std::tuple(floor->visible, second->visible, third->visible, builds()), std::tuple(0, 1, 0, 2u));

    // The current plan's tab is left alone; the visible plans go into the current plan's copy.
    std::vector<int32_t> tabs;
    SetMainWindowSelectPlanTabHandler([&](int32_t bit) { tabs.push_back(bit); });
    ds->currentPlanBit = 2;
    for (int32_t command : {5344, 5345, 5390, 9999}) h.workOnPlanUsingCommand(command);
    const int32_t mask = ds->visiblePlans;
    h.setVisiblePlansUsingCommand(11003);
    EXPECT_EQ(std::tuple(tabs, ds->visiblePlans, ds->planMasks[1]),
              std::tuple(std::vector<int32_t>{4, 256}, mask ^ 8, mask ^ 8));
}

TEST_F(Commands, SizesReadAtAnyZoomAndAreasBeyondSixteenBits) {
    Names read;
    for (float zoom : {1.0f, 0.6f, 1.0f}) {  // nothing to select the first time
        ds->zoomFactor = zoom, status = "old";
        h.selectAllObjects();
        read.push_back(status);
        if (!floor->firstObject) Shape(floor, objtype::kDetail, {{0, 0}, {240, 0}});
    }
    auto square = [&](int16_t type, float side, int32_t subtype = 0) {  // in plan units
        return Make(Outline(type, {{0, 0}, {side, 0}, {side, side}, {0, side}}, true, subtype).on(floor));
    };
    square(objtype::kWall, 240, objsubtype::kExteriorWall);
    for (float scale : {36.0f, 900.0f})  // 120 inches a side, then 250 feet
        for (int16_t units : {kMetricUnits, kImperialUnits}) {
            ds->planScale = scale, ds->units = units;
            h.calculateFloorAreaUsingCommand(5300);
            read.push_back(status);
        }
    square(objtype::kFloor, 240).select(), square(objtype::kFloorCutout, 120).select();
    h.calculateAndDisplayArea();
    read.push_back(status);
    EXPECT_EQ(read, (Names{"", "Width: 10'-0\"", "Width: 10'-0\"", "First Floor Area: 9 sq.m.",
                           "First Floor Area: 100 sq.ft.", "First Floor Area: 5806 sq.m.",
                           "First Floor Area: 62500 sq.ft.", "Area: 46875 sq.ft."}));
}

}  // namespace
}  // namespace dvxtest
