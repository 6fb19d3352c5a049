// The editing, floor and plan commands on a design: what each changes, the undo steps it
// stores, its refusals and readouts.
#include <gtest/gtest.h>

#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "model/selection_ops.h"
#include "model/walkers.h"
#include "scene/render_seams.h"
#include "support/build.h"
#include "support/doubles.h"

namespace dvxtest {
namespace {

class Commands : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), port::setAlerts(&alerts);
        gUndoActive = 1;
        InitializeUndo();
        ds = doc->itsDocState;
        ds->viewKind = 2;
        SetMainWindowStatusTextHandler([this](const std::string& text) { status = text; });
    }
    Layer* Floor(const char* name) { return GetLayerFromName(name); }
    // A selected open outline on the floor through plan points at V 0.
    Objex* Selected(Layer* on, PlanPoints points) { return Make(Shape(on, objtype::kDetail, points)).select(); }
    std::vector<std::string>& names() { return undo.actionNames; }

    RecordingUndo undo;
    RecordingAlerts alerts;
    DocState* ds = nullptr;
    std::string status;
    Win32EventHandler h;
};

TEST_F(Commands, CutNeedsASelectionCopyStoresNothingPasteTurnsToThePlanFirst) {
    Objex* o = Shape(floor, objtype::kDetail, {{0, 0}, {40, 0}});
    h.cutObjects();
    EXPECT_EQ(std::tuple(CountObjects(floor->firstObject), names().size()), std::tuple(1, 0u));
    Make(o).select();
    h.copyObjects();
    EXPECT_TRUE(names().empty());
    h.cutObjects();
    EXPECT_EQ(std::tuple(floor->firstObject, names()), std::tuple(nullptr, std::vector<std::string>{"Cut"}));

    SetView(0, 0);  // an elevation
    int before = -1;
    SetViewTopHandler([&] { before = CountObjects(floor->firstObject), SetPlanView(); });
    h.pasteObjects();
    EXPECT_EQ(std::tuple(before, CountObjects(floor->firstObject), names().back()), std::tuple(0, 1, "Paste"));
    h.unsmoothSelected();
    EXPECT_EQ(names().back(), "Unsmooth Objects");
}

TEST_F(Commands, FloorsRefuseTheTopAndBottomAndCopiesLandDeselectedAbove) {
    struct Row { const char* on; void (Win32EventHandler::*command)(); const char* title; const char* message; };
    for (const Row& r : {Row{"Third Floor", &Win32EventHandler::copyObjectsToUpperFloor, "Unable to copy objects to upper floor.",
                             "You are currently on the top floor."},
                         {"First Floor", &Win32EventHandler::copyObjectsToLowerFloor, "Unable to copy objects to lower floor.",
                          "You are currently on the bottom floor."}}) {
        doc->itsCurLayer = Floor(r.on);
        Selected(doc->itsCurLayer, {{0, 0}, {10, 0}});
        (h.*r.command)();
        EXPECT_EQ(std::tuple(alerts.shown.back().alert.message, alerts.shown.back().alert.informative),
                  std::tuple(r.title, r.message));
        EXPECT_EQ(std::tuple(CountObjects(doc->itsCurLayer->firstObject), names().size()), std::tuple(1, 0u));
    }
    Layer* second = Floor("Second Floor");
    Objex* moved = Selected(floor, {{0, 0}, {10, 0}});
    h.moveObjectsToUpperFloor();
    EXPECT_EQ(std::tuple(moved->layer, names().back()), std::tuple(second, "Move To Upper Floor"));
    doc->itsCurLayer = second;
    Make(moved).select();
    h.copyObjectsToUpperFloor();
    const std::vector<Objex*> above = ListOf(Floor("Third Floor")->firstObject);
    ASSERT_EQ(above.size(), 2u);  // the refused copy's object and the new copy
    EXPECT_EQ(std::tuple(SelectedPointCount(above.back()), moved->layer), std::tuple(0, second));
}

TEST_F(Commands, AFlipTurnsAboutTheSelectionsCentreInTheViewsAxesAndOnlyThere) {
    // 3D bounds H 10..50, V 20..60, D 30..110.
    struct Row { int16_t kind; float x, y; bool flips; };
    for (const Row& r : {Row{2, 30, 70, true}, {3, 70, 40, true}, {1, 30, 40, true}, {4, -1, -1, false}}) {
        ds->viewKind = r.kind;
        gFlipCenterX = gFlipCenterY = -1;
        Objex* o = Make(objtype::kDetail).on(floor).at({{10, 20, 30}, {50, 60, 110}}).select().bounds();
        const size_t stored = names().size();
        h.flipObjectsUsingCommand(5034);
        EXPECT_EQ(std::tuple(gFlipCenterX, gFlipCenterY, names().size() - stored), std::tuple(r.x, r.y, r.flips ? 1u : 0u)) << r.kind;
        EXPECT_EQ(PointAt(o, 0)->position[r.kind == 3 ? 2 : 0], r.flips ? (r.kind == 3 ? 110 : 50) : 10) << r.kind;
        SelectAllLayers(doc->itsLayers, 2, 0);
    }
    EXPECT_EQ(names().back(), "Flip");
    h.flipObjectsUsingCommand(5034);  // nothing selected: nothing flipped, no step
    EXPECT_EQ(names().size(), 3u);
}

TEST_F(Commands, AMirrorIsOneSelectedFlippedCopyAndOneStepAndOnlyForItsTwoCommands) {
    Objex* o = Selected(floor, {{0, 0}, {100, 0}, {100, 50}});
    h.mirrorObjectsUsingCommand(5000);
    EXPECT_EQ(std::tuple(CountObjects(floor->firstObject), names().size()), std::tuple(1, 0u));
    h.mirrorObjectsUsingCommand(5008);
    ASSERT_EQ(CountObjects(floor->firstObject), 2);
    Objex* copy = o->next;
    EXPECT_EQ(PlanPositions(copy), (std::vector<std::pair<float, float>>{{100, 0}, {0, 0}, {0, 50}}));
    EXPECT_EQ(std::tuple(SelectedPointCount(copy), SelectedPointCount(o), names()),
              std::tuple(3, 0, std::vector<std::string>{"Mirror"}));
}

TEST_F(Commands, TooManyNestedGroupsGroupNothing) {
    Objex* nest = Selected(floor, {{0, 0}, {10, 0}});
    for (int i = 0; i < 26; ++i) nest = Group(floor, {nest});
    Selected(floor, {{0, 20}, {10, 20}});
    h.groupNoRedraw();
    EXPECT_EQ(std::tuple(gOverload, CountObjects(floor->firstObject)), std::tuple(1, 2));
}

TEST_F(Commands, TheWorkingFloorRebuildsOnlyWhenFloorsAreHiddenAndTheSliderShowsItsHeight) {
    int builds = 0, popUp = 0;
    float pane = -1;
    SetRenderAllLayersHandler([&] { ++builds; });
    SetSelectActiveFloorPopUpItemHandler([&](int32_t tag) { popUp = tag; });
    SetMainWindowControllerSetElevationPaneHandler([&](const SelectionState40* s) { pane = s->ssBaseElevationValue; });
    Layer *first = Floor("First Floor"), *second = Floor("Second Floor"), *third = Floor("Third Floor");
    h.workOnFloorUsingCommand(5276);
    EXPECT_EQ(std::tuple(doc->itsCurLayer, first->active, second->active, builds, popUp, pane),
              std::tuple(second, 0, 1, 0, 5276, 96.0f));
    h.workOnFloorUsingCommand(5279);
    EXPECT_EQ(std::tuple(first->visible, second->visible, third->visible, builds), std::tuple(0, 1, 0, 1));
    h.workOnFloorUsingCommand(5277);
    EXPECT_EQ(std::tuple(second->visible, third->visible, builds, pane), std::tuple(0, 1, 2, 192.0f));
}

TEST_F(Commands, PlanTabsAndVisiblePlans) {
    std::vector<int32_t> tabs;
    SetMainWindowSelectPlanTabHandler([&](int32_t bit) { tabs.push_back(bit); });
    ds->currentPlanBit = 2;
    for (int32_t command : {5344, 5345, 5390, 9999}) h.workOnPlanUsingCommand(command);
    EXPECT_EQ(tabs, (std::vector<int32_t>{4, 256}));
    const int32_t mask = ds->visiblePlans;
    h.setVisiblePlansUsingCommand(11003);
    EXPECT_EQ(std::tuple(ds->visiblePlans, ds->planMasks[1]), std::tuple(mask ^ 8, mask ^ 8));
}

TEST_F(Commands, AreasReadInSquareFeetOrMetresBeyondSixteenBits) {
    auto square = [&](int16_t type, float inches, int32_t subtype = 0) {
        const float s = inches * 2;  // plan units at the scale of 36
        return Outline(type, {{0, 0}, {s, 0}, {s, s}, {0, s}}, true, subtype).on(floor).get();
    };
    Objex* wall = square(objtype::kWall, 120, objsubtype::kExteriorWall);
    h.calculateFloorAreaUsingCommand(5300);
    EXPECT_EQ(status, "First Floor Area: 100 sq.ft.");
    ds->units = kMetricUnits;
    h.calculateFloorAreaUsingCommand(5300);
    EXPECT_EQ(status, "First Floor Area: 9 sq.m.");
    ds->units = kImperialUnits;
    DeleteObj(wall);
    square(objtype::kWall, 3000, objsubtype::kExteriorWall);
    h.calculateFloorAreaUsingCommand(5300);
    EXPECT_EQ(status, "First Floor Area: 62500 sq.ft.");

    Make(square(objtype::kFloor, 120)).select();
    Make(square(objtype::kFloorCutout, 60)).select();
    h.calculateAndDisplayArea();
    EXPECT_EQ(status, "Area: 75 sq.ft.");
}

TEST_F(Commands, SelectAllReadsTheSizeAtAnyZoomAndClearsItForNothing) {
    status = "old";
    h.selectAllObjects();
    EXPECT_EQ(status, "");
    Shape(floor, objtype::kDetail, {{0, 0}, {240, 0}});
    for (float zoom : {0.6f, 1.0f}) {
        ds->zoomFactor = zoom, status.clear();
        h.selectAllObjects();
        EXPECT_EQ(status, "Width: 10'-0\"") << zoom;
    }
}

}  // namespace
}  // namespace dvxtest
