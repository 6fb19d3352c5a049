// The three tool palettes on a fresh design: what a click on their cells does to the tool,
// the snap mode, the content palette and the plant growth level.
#include "ui/tool_palettes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

#include "app/app_controller.h"
#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "port/undo.h"
#include "render/core/live_view_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "tracking/snap_modes.h"
#include "tracking/tracking_state.h"
#include "ui/core/small_value_sheets.h"

namespace dvxtest {
namespace {

class Palettes : public SelectionTest {
protected:
    void SetUp() override {
        AppController::destroyShared();
        SelectionTest::SetUp();
        AppController::setSplashEnabled(false);
        AppController::shared();
        edit = ToolPaletteController::shared();
        plan = PlanToolPaletteController::shared();
        snap = SnapPaletteController::shared();
        SetContentPaletteSelectCategoryHandler([this](int16_t c, bool first) { categories.push_back({c, first}); });
        SetContentPaletteSetCategorySelectionAbilityHandler([this](bool allowed) { switching.push_back(allowed); });
    }
    void TearDown() override {
        AppController::destroyShared();
        SelectionTest::TearDown();
    }
    ToolPaletteController* edit = nullptr;
    PlanToolPaletteController* plan = nullptr;
    SnapPaletteController* snap = nullptr;
    std::vector<std::pair<int16_t, bool>> categories;
    std::vector<bool> switching;
};

TEST_F(Palettes, PlanToolsChooseOnceReselectAndDeselectTheDesign) {
    PaletteCells* floorTools = plan->toolButtons(1);
    Objex* plant = Shape(floor, objtype::kPlant, {{0, 0}});
    Make(plant).select();
    floorTools->clickCell(7050, 1);
    EXPECT_EQ(gCurTool, 7050);
    EXPECT_EQ(SelectedPointCount(plant), 0);
    EXPECT_EQ(edit->toolButtons()->selectedTag(), -1);

    Make(plant).select();
    const int selected = SelectedPointCount(plant);
    floorTools->clickCell(7050, 1);  // deselects the cell: it comes back, nothing else happens
    EXPECT_EQ(floorTools->selectedTag(), 7050);
    EXPECT_EQ(gCurTool, 7050);
    EXPECT_EQ(SelectedPointCount(plant), selected);
    EXPECT_GT(selected, 0);

    // The palette is the tool view's width plus the toolset pop-up and the growth stepper.
    plan->loadToolPaletteForPlan(4);
    EXPECT_EQ(plan->window()->width(), plan->toolButtons(4)->width() + 204);
    EXPECT_EQ(plan->shownPlan(), 4);
}

TEST_F(Palettes, CustomDoorsWindowsSkylightsAndAccessoriesHoldTheContentCategory) {
    DocState* ds = CurrentDocState();
    ds->doorStyle = 512, ds->windowStyle = 626, ds->skylightStyle = 806;
    struct Row { int16_t plan, tool; int16_t category; };
    const Row rows[] = {{1, 7056, 7}, {1, 7057, 8}, {4, 7310, 8}, {1, 7064, 0}, {1, 7062, -1}};
    for (const Row& r : rows) {
        categories.clear(), switching.clear();
        plan->loadToolPaletteForPlan(r.plan);
        plan->toolButtons(r.plan)->clickCell(r.tool, 1);
        const std::vector<std::pair<int16_t, bool>> expected =
            r.category < 0 ? std::vector<std::pair<int16_t, bool>>{} : std::vector<std::pair<int16_t, bool>>{{r.category, true}};
        EXPECT_EQ(categories, expected) << r.tool;
        EXPECT_EQ(switching, std::vector<bool>{r.category < 0}) << r.tool;
    }
    ds->doorStyle = 500;
    categories.clear();
    plan->toolButtons(1)->clickCell(7056, 1);
    EXPECT_TRUE(categories.empty());
}

TEST_F(Palettes, EditToolsSetTheCursorOpenTheirSheetsAndTheViewPointShowsTheLiveView) {
    std::vector<std::string> calls;
    SetPlanViewMoveObjectsHandler([&] { calls.push_back("move"); });
    SetPlanViewRotateObjectsHandler([&] { calls.push_back("rotate"); });
    SetPlanViewSetPlanZoomHandler([&] { calls.push_back("zoom"); });
    SetPlanViewDocumentCursorHandler([&](PlanCursor c) { calls.push_back("cursor" + std::to_string(int(c))); });
    struct Row { int tag, clicks; std::vector<std::string> calls; };
    const std::vector<Row> rows = {
        {200, 2, {"move", "cursor0"}},  // the current tool still opens its sheet
        {202, 2, {"rotate", "cursor1"}},
        {203, 1, {"cursor2"}},
        {204, 1, {"cursor3"}},
        {207, 1, {"cursor1"}},
    };
    for (const Row& r : rows) {
        calls.clear();
        edit->toolButtons()->clickCell(r.tag, 1);
        if (r.clicks == 2) calls.clear(), edit->toolButtons()->clickCell(r.tag, 2);
        EXPECT_EQ(calls, r.calls) << r.tag;
        EXPECT_EQ(gCurTool, r.tag);
    }
    ASSERT_FALSE(LiveViewIsVisible());
    edit->toolButtons()->clickCell(205, 1);
    EXPECT_TRUE(LiveViewIsVisible());
}

// The edit palette's first row is selection, rotate, zoom, pan, view point and text, in that
// order; the resize, key-entry, wall-dimension, dimension, point and corner tools follow in the
// rows below.
TEST_F(Palettes, EditCellsStartWithTheSixGeneralToolsInOrder) {
    PaletteCells* cells = edit->toolButtons();
    auto* grid = qobject_cast<QGridLayout*>(cells->layout());
    ASSERT_NE(grid, nullptr);
    std::map<std::pair<int, int>, PaletteCellButton*> at;  // by row, then column
    for (int i = 0; i < grid->count(); ++i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        at[{row, column}] = qobject_cast<PaletteCellButton*>(grid->itemAt(i)->widget());
    }
    std::vector<std::pair<int, std::string>> firstRow;
    std::vector<int> below;
    for (const auto& [place, cell] : at) {
        ASSERT_NE(cell, nullptr);
        if (place.first == 0) firstRow.push_back({cell->tag(), cell->toolTip().toStdString()});
        else below.push_back(cell->tag());
    }
    EXPECT_EQ(firstRow, (std::vector<std::pair<int, std::string>>{
                            {200, "Selection"}, {202, "Rotate"}, {203, "Zoom"}, {204, "Pan"}, {205, "View Point"}, {207, "Text"}}));
    EXPECT_EQ(below, (std::vector<int>{215, 201, 208, 209, 210, 211, 212, 213, 7900, 7901, 7910, 7911, 7912}));
}

TEST_F(Palettes, DoubleClickLocksASnapModeUntilAnotherIsChosen) {
    PaletteCells* cells = snap->toolButtons();
    cells->clickCell(503, 1);
    cells->clickCell(503, 2);
    EXPECT_EQ(gCurSnap, 503);
    EXPECT_EQ(gSnapLocked, 1);
    EXPECT_EQ(cells->cell(503)->property("image").toString(), QStringLiteral("SPObjectCenterLock"));
    ResetSnapTool();
    EXPECT_EQ(gCurSnap, 503);

    SnapToolChange(false);  // Tab moves the lock along with the mode
    EXPECT_EQ(cells->selectedTag(), 504);
    EXPECT_EQ(cells->cell(503)->property("image").toString(), QStringLiteral("SPObjectCenter"));
    EXPECT_EQ(cells->cell(504)->property("image").toString(), QStringLiteral("SPObjectCornerLock"));

    cells->clickCell(501, 1);
    EXPECT_EQ(gSnapLocked, 0);
    EXPECT_EQ(cells->cell(504)->property("image").toString(), QStringLiteral("SPObjectCorner"));
    ResetSnapTool();
    EXPECT_EQ(gCurSnap, 500);
    EXPECT_EQ(cells->selectedTag(), 500);

    gCurSnap = 510, gSnapLocked = 1;
    snap->resetSnapTool();
    EXPECT_EQ(gCurSnap, 500);
    EXPECT_EQ(gSnapLocked, 0);
}

TEST_F(Palettes, TheOffsetFieldServesOnlyTheOffsetModeAndShowsTheStoredValue) {
    for (int16_t mode : {500, 507, 508}) {
        snap->toolButtons()->clickCell(mode, 1);
        EXPECT_EQ(snap->offsetText()->isEnabled(), mode == 507) << mode;
    }
    CurrentDocState()->units = 3;
    snap->offsetText()->setText(QStringLiteral("18"));
    snap->offsetText()->setModified(true);  // as typing leaves it
    snap->controlTextDidEndEditing();
    EXPECT_FLOAT_EQ(CurrentDocState()->snapOffset, 18.0f);
    EXPECT_NE(snap->offsetText()->text(), QStringLiteral("18"));
    // The end of editing a click elsewhere gives, nothing typed: the offset is not rewritten
    // from the field's rounded text (11 13/16" for 0.3 m).
    CurrentDocState()->snapOffset = 11.811f;
    snap->updateSnapOffsetText();
    snap->controlTextDidEndEditing();
    EXPECT_EQ(CurrentDocState()->snapOffset, 11.811f) << snap->offsetText()->text().toStdString();
}

TEST_F(Palettes, PlantGrowthStepsWithinItsRangeAndSaysTheAge) {
    doc->itsMaximumPlantAge = 23;
    DocState* ds = CurrentDocState();
    ds->plantAge = 0;
    plan->updatePlantGrowthIndicatorLevel();
    EXPECT_EQ(plan->plantGrowthLevelIndicator()->value(), 1);
    EXPECT_FALSE(plan->plantGrowthLeftButton()->isEnabled());
    ds->plantAge = 23;
    plan->updatePlantGrowthIndicatorLevel();
    EXPECT_FALSE(plan->plantGrowthRightButton()->isEnabled());
    EXPECT_TRUE(plan->plantGrowthLeftButton()->isEnabled());

    Objex* tree = Shape(floor, objtype::kPlant, {{0, 0}});
    tree->plantAge = 3;
    ds->plantAge = 3;
    std::string status;
    SetMainWindowStatusTextHandler([&](const std::string& text) { status = text; });
    ASSERT_FALSE(LiveViewIsVisible());
    // The plants grow in the design: a step of its own, so no other step's Undo takes it back;
    // a step past the range grows nothing and stores none.
    RecordingUndo undo;
    port::setDocumentUndo(&undo);
    gUndoActive = 0;
    plan->plantGrowthRightButtonChanged();
    EXPECT_FLOAT_EQ(ds->plantAge, 4.0f);
    EXPECT_FLOAT_EQ(tree->plantAge, 4.0f);
    EXPECT_EQ(status, "Plant Growth at 1 Years");
    EXPECT_EQ(plan->plantGrowthLevelIndicator()->value(), 4);
    EXPECT_EQ(undo.changes, 1);
    ds->plantAge = 1;
    plan->plantGrowthLeftButtonChanged();
    EXPECT_EQ(std::tuple(ds->plantAge, undo.changes), std::tuple(1.0f, 1));

    // After an Undo or Redo the palettes show the design restored: the growth level and its
    // arrows, the projection's range (which only its step sets), the offset in the units.
    ASSERT_TRUE(MakeApplicationTemporaryFolder());
    gUndoActive = 1;
    InitializeUndo();
    CurrentDocState()->plantAge = 23;
    StoreUndo("Top");
    plan->plantGrowthLeftButtonChanged();
    ASSERT_EQ(std::tuple(plan->plantGrowthLevelIndicator()->value(), plan->plantGrowthRightButton()->isEnabled()),
              std::tuple(22, true));
    DoUndo();
    EXPECT_EQ(std::tuple(plan->plantGrowthLevelIndicator()->value(), plan->plantGrowthRightButton()->isEnabled()),
              std::tuple(23, false)) << "the Undo of a growth step";
    ASSERT_TRUE(SetPlantGrowthProjection(2));
    ASSERT_EQ(plan->plantGrowthLevelIndicator()->maximum(), 5);
    DoUndo();
    EXPECT_EQ(std::tuple(doc->itsMaximumPlantAge, plan->plantGrowthLevelIndicator()->maximum()), std::tuple(int16_t(23), 23))
        << "the Undo of the projection";
    DoRedo();
    EXPECT_EQ(std::tuple(doc->itsMaximumPlantAge, plan->plantGrowthLevelIndicator()->maximum(),
                         plan->plantGrowthLevelIndicator()->value()), std::tuple(int16_t(5), 5, 5))
        << "its Redo";
    CurrentDocState()->units = 4, CurrentDocState()->snapOffset = 11.811f;
    StoreUndo("Metric");
    snap->updateSnapOffsetText();
    const QString metres = snap->offsetText()->text();
    CurrentDocState()->units = 3;
    StoreUndo("Measurement Options");
    snap->updateSnapOffsetText();
    ASSERT_NE(snap->offsetText()->text(), metres);
    DoUndo();
    EXPECT_EQ(snap->offsetText()->text(), metres) << "the Undo of the units";
    port::setDocumentUndo(nullptr);
}

}  // namespace
}  // namespace dvxtest
