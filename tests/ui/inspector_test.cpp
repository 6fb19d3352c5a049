// The inspector on a document window of the offscreen platform, over a design holding every
// kind of object, with a test pane standing in for the panes not built yet: which pane a
// refresh places and what it is given, what typing into a pane does to the objects, the undo
// list and the tool default, and a pane moving between two windows.
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/dialog_fields.h"
#include "app/core/main_window_seams.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_state.h"
#include "model/transforms.h"
#include "plan/refresh_seams.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/inspector_window_fixture.h"
#include "support/qt/test_pane.h"
#include "support/text_field_double.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"

namespace dvxtest {
namespace {

constexpr const char* kPanes[] = {"WindowInspectorController",      "FloorInspectorController",
                                  "LightObjectInspectorController", "Roof2InspectorController",
                                  "WallObjectInspectorController",  "DeckStepInspectorController",
                                  "DeckObjectInspectorController"};

class Inspector : public InspectorWindowTest {
protected:
    void SetUp() override {
        openDesign("inspector");
        for (const char* p : kPanes) RegisterTestPanes({p});
        RegisterTestPanes({"DoorInspectorController"}, DoorTestRows());
        static const TestPaneRows wallTool{{{"thicknessText", FieldEntry::Length, 1, 48, objtype::kWall,
                                             EditWalk::TopLevel, false, nullptr, nullptr, EditRebuild::None,
                                             "Wall Thickness", UndoRule::Never,
                                             [](const DocState* s) { return s->wallThickness; },
                                             [](DocState* s, float v) { s->wallThickness = v; }}}};
        RegisterTestPanes({"WallToolInspectorController"}, wallTool);
        SetMainWindowControllerSetElevationPaneHandler([this](const SelectionState40* s) {
            handed.push_back(*s);
            w->setElevationPane(s);
        });
    }

    // What the window's inspector area shows.
    static QWidget* shown(QMDWindowController* window) {
        const QList<QWidget*> views = window->parentInspectorView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        return views.isEmpty() ? nullptr : views.first();
    }
    QWidget* viewOf(const char* pane) { return SharedTestPane(pane)->inspectorView(); }
    template <class T> T* control(const char* pane, const char* outlet) {
        return viewOf(pane)->findChild<T*>(QString::fromLatin1(outlet));
    }
    // Typed and ended with Return, as a user does.
    std::string inches(float value) {
        RecordingTextField f;
        SetFloatItem(&f, value);
        return f.value;
    }
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }

    std::vector<SelectionState40> handed;
};

// Each row selects objects on a floor with a tool current and refreshes: the pane placed (or
// the no-properties view), how many objects were merged, and what the pane was given (a null
// object is the tool, with whether it was asked for its tool properties).
TEST_F(Inspector, RefreshPlacesThePaneOfTheSelectionOrOfTheTool) {
    Objex* line = Make(objtype::kLine).plan({{-250, 50}, {-150, 50}}).on(design.first);
    ds->wallThickness = 8;
    using Given = std::vector<std::pair<Objex*, bool>>;
    const char* const kWallTool = "WallToolInspectorController";
    struct Row {
        const char* name;
        int16_t tool;
        Layer* floor;
        std::vector<Objex*> selected;
        const char* pane;  // null: the no-properties view
        int32_t count;
        const char* given;  // the pane given objects
        Given objects;
        int32_t state = 1;
    };
    const InspectorDesign& d = design;
    const Row rows[] = {
        {"nothing, select tool", toolid::kSelect, d.first, {}, nullptr, 0, nullptr, {}},
        {"nothing, wall tool", toolid::kExteriorWall, d.first, {}, kWallTool, 0, kWallTool, {{nullptr, true}}},
        {"a window in a wall", toolid::kSelect, d.first, {d.window}, kPanes[0], 1, kPanes[0], {{d.window, true}}},
        {"floor and cutout", toolid::kSelect, d.first, {d.floor, d.cutout}, kPanes[1], 2, kPanes[1],
         {{d.floor, true}, {d.cutout, false}}},
        {"floor and door", toolid::kSelect, d.first, {d.floor, d.door}, nullptr, 0, nullptr, {}},
        {"lights 79 and 150", toolid::kSelect, d.first, {d.light79, d.light150}, kPanes[2], 2, kPanes[2],
         {{d.light79, true}, {d.light150, false}}},
        {"a property line, wall tool", toolid::kExteriorWall, d.first, {d.propertyLine}, nullptr, 1, nullptr, {}},
        {"a wall, no segment counted", toolid::kExteriorWall, d.first, {d.wall}, kWallTool, 0, kPanes[4],
         {{d.wall, true}}},
        {"a line first, wall tool", toolid::kExteriorWall, d.first, {line}, kWallTool, 0, kWallTool,
         {{nullptr, true}}},
        // The freehand roof's walk never reaches the steps of the deck after it.
        {"a freehand roof first", toolid::kSelect, d.second, {d.panel, d.steps}, kPanes[3], 1, kPanes[5], {}},
        {"no current floor changes nothing", toolid::kExteriorWall, nullptr, {d.floor}, kPanes[3], 1, nullptr, {}},
        {"refreshed for the tool only", toolid::kExteriorWall, d.first, {d.floor}, kWallTool, 1, kPanes[1], {}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (const char* p : kPanes) SharedTestPane(p)->calls.clear();
        SharedTestPane(kWallTool)->calls.clear();
        ds->ss40.ssBaseElevationValue = 12345;  // a stale summary
        const size_t before = handed.size();
        doc->itsCurLayer = r.floor;

        refreshWith(r.selected, r.tool, r.state);

        EXPECT_EQ(shown(w), r.pane ? viewOf(r.pane) : w->noPropertiesView());
        EXPECT_EQ(gCurPropertiesObjectCount, r.count);
        ASSERT_EQ(handed.size(), before + (r.floor ? 1 : 0));
        if (r.floor) {
            EXPECT_NE(handed.back().ssBaseElevationValue, 12345);
        }
        if (r.given) {
            Given got;
            for (const TestPane::Call& c : SharedTestPane(r.given)->calls)
                got.emplace_back(c.object, c.object ? c.initialize : c.toolProperties);
            EXPECT_EQ(got, r.objects);
        }
    }
    // The tool's pane was filled from the defaults.
    EXPECT_EQ(control<QLineEdit>(kWallTool, "thicknessText")->text().toStdString(), inches(8));
}

// Two doors of different widths in one wall: filling the pane blanks the width and leaves the
// style table unselected without applying anything; a typed width reaches both in one step,
// the wall rebuilt once with both in it; refused input changes nothing and shows the default.
TEST_F(Inspector, TypedWidthsReachEverySelectedDoorInOneStep) {
    const char* const kDoor = "DoorInspectorController";
    Objex* door2 = Opening(design.wall, objtype::kDoor, 501, 2);
    door2->typeData.attachment->width = 24;  // plan units; the first door's is 30
    refreshWith({design.door, door2});
    ASSERT_EQ(shown(w), viewOf(kDoor));
    EXPECT_EQ(gCurPropertiesObjectCount, 2);
    QLineEdit* width = control<QLineEdit>(kDoor, "widthText");
    EXPECT_EQ(width->text(), QString());
    EXPECT_EQ(control<StyleTable>(kDoor, "styleTable")->selectedRow(), -1);
    TestPane* pane = SharedTestPane(kDoor);
    EXPECT_TRUE(pane->results.empty()) << "filling the pane applied something";

    struct Row {
        const char* name;
        QString typed;
        float defaultBefore;
        EditResult result;
        int steps;  // added
        float defaultAfter;
    };
    // Both doors are 20 inches wide from the first row on.
    const Row rows[] = {
        {"a new width", "1' 8", 36, EditResult::Changed, 1, 20},
        {"the same width", "20", 32, EditResult::Unchanged, 0, 20},
        {"below the lower limit", "6", 32, EditResult::Refused, 0, 32},
        {"unreadable reads 0", "wide", 32, EditResult::Refused, 0, 32},
        {"above the upper limit", "20'", 32, EditResult::Refused, 0, 32},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ds->doorWidth = r.defaultBefore;
        const int stepsBefore = steps(), refreshesBefore = refreshes;
        pane->results.clear();
        type(width, r.typed);
        ASSERT_EQ(pane->results, std::vector<EditResult>{r.result});
        ASSERT_EQ(design.door->parent, design.wall) << "the rebuild dropped the door";
        EXPECT_FLOAT_EQ(design.door->typeData.attachment->width, plan(20));
        EXPECT_FLOAT_EQ(door2->typeData.attachment->width, plan(20));
        EXPECT_EQ(steps(), stepsBefore + r.steps);
        EXPECT_EQ(ds->doorWidth, r.defaultAfter);
        EXPECT_EQ(width->text().toStdString(), inches(r.defaultAfter));
        EXPECT_EQ(refreshes, refreshesBefore + (r.result == EditResult::Refused ? 0 : 1));
    }
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), QStringLiteral("Undo Door Width"));

    // Too wide for their segments, both doors go in the one rebuild of their wall, which
    // follows the walk over its children: one alert, one step.
    const int stepsBefore = steps();
    type(width, "10'");
    for (Objex* c = design.wall->firstChild; c; c = c->next) EXPECT_NE(c->type, objtype::kDoor);
    EXPECT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(steps(), stepsBefore + 1);
}

// Filling the style table selects a row by code, which must not apply; a user's choice does.
// The slider never takes the keyboard and applies once, on release.
TEST_F(Inspector, StyleRowsApplyOnlyWhenChosenAndTheSliderOnlyOnRelease) {
    const char* const kDoor = "DoorInspectorController";
    TestPane* pane = SharedTestPane(kDoor);
    design.door->typeData.attachment->style = 504;
    ds->doorStyle = 500;
    const int stepsBefore = steps();
    refreshWith({design.door});
    auto* styles = control<StyleTable>(kDoor, "styleTable");
    EXPECT_EQ(styles->selectedRow(), 4);
    EXPECT_TRUE(pane->results.empty());
    EXPECT_EQ(ds->doorStyle, 500) << "programmatic selection wrote the default";

    styles->selectRow(7);
    ASSERT_EQ(pane->results, std::vector<EditResult>{EditResult::Changed});
    EXPECT_EQ(design.door->typeData.attachment->style, 507);
    EXPECT_EQ(ds->doorStyle, 507);
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Style"));

    auto* slider = control<InspectorSlider>(kDoor, "heightSlider");
    pane->results.clear();
    const float heightBefore = design.door->typeData.attachment->height;
    const int valueBefore = slider->value();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->value(), valueBefore) << "keys moved the slider";
    const QPoint left(4, slider->height() / 2), right(slider->width() - 4, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, left);
    QTest::mouseMove(slider, right);
    EXPECT_TRUE(pane->results.empty()) << "the drag applied before the release";
    EXPECT_EQ(design.door->typeData.attachment->height, heightBefore);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, right);
    ASSERT_EQ(pane->results.size(), 1u);
    EXPECT_FLOAT_EQ(design.door->typeData.attachment->height, plan(float(slider->value())));
    EXPECT_EQ(steps(), stepsBefore + 2);
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Height"));
}

// A pane shown in one window moves to the other when that one becomes main, and outlives a
// window closed or destroyed while it shows it. The column follows the panel commands and a
// window becoming main shows or hides its column as the delegate remembers it; bringing the
// palettes back (a PowerTool's end) leaves it hidden.
TEST_F(Inspector, APaneAndTheColumnFollowTheMainWindow) {
    AppController* app = AppController::shared();
    app->closeVisiblePanelsAndSaveState();
    EXPECT_FALSE(w->isInspectorShown());
    app->restoreAllVisiblePanels();
    EXPECT_FALSE(w->isInspectorShown());
    gCurDocument = nullptr;  // as when another window was main
    w->windowDidBecomeMain();
    EXPECT_TRUE(w->isInspectorShown());
    refreshWith({design.window});
    TestPane* pane = SharedTestPane(kPanes[0]);
    QPointer<QWidget> view = pane->inspectorView();
    ASSERT_EQ(shown(w), view.data());

    QMDWindowController* other = openWindow();
    InspectorDesign second = BuildInspectorDesign(other->document()->model());
    Make(second.window).select();
    gCurDocument = nullptr;  // as when another window was main
    other->windowDidBecomeMain();
    EXPECT_EQ(gCurDocument, other->document()->model());
    EXPECT_EQ(shown(other), view.data());
    EXPECT_EQ(shown(w), nullptr);
    EXPECT_EQ(pane->calls.back().object, second.window);
    app->toggleInspectorPanel();
    EXPECT_FALSE(other->isInspectorShown());

    w->windowDidBecomeMain();
    ASSERT_EQ(shown(w), view.data());
    EXPECT_FALSE(w->isInspectorShown());
    ASSERT_TRUE(w->close());
    EXPECT_EQ(view->parent(), nullptr);
    delete w;
    w = nullptr;
    other->windowDidBecomeMain();
    EXPECT_EQ(shown(other), view.data());
    delete other;
    ASSERT_FALSE(view.isNull());
    EXPECT_EQ(view->parent(), nullptr);
}

}  // namespace
}  // namespace dvxtest
