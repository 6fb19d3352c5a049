// The inspector on a document window of the offscreen platform, over a design holding every
// kind of object, with a test pane standing in for the panes not built yet: which pane a
// refresh places in the window's inspector area and what it is given, what typing into a
// pane's field does to the objects, the undo list and the tool default, and a pane moving
// between two windows.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
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
#include "port/qt/line_edit_field.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/test_pane.h"
#include "support/text_field_double.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/inspector_tables.h"
#include "ui/inspector/inspector_controller.h"

namespace dvxtest {
namespace {

const TestPaneRows& WallToolRows() {
    static const TestPaneRows rows{{{"thicknessText", FieldEntry::Length, 1, 48, objtype::kWall, EditWalk::TopLevel,
                                     false, nullptr, nullptr, EditRebuild::None, "Wall Thickness",
                                     UndoRule::Never, [](const DocState* ds) { return ds->wallThickness; },
                                     [](DocState* ds, float v) { ds->wallThickness = v; }}}};
    return rows;
}

void Deselect(Objex* o) {
    for (; o; o = o->next) {
        for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = 0;
        Deselect(o->firstChild);
    }
}

class Inspector : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("inspector"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);  // imperial designs
        w = openWindow();
        doc = w->document()->model();
        ds = doc->itsDocState;
        design = BuildInspectorDesign(doc);
        RegisterTestPanes({"WindowInspectorController", "FloorInspectorController", "LightObjectInspectorController",
                           "Roof2InspectorController", "WallObjectInspectorController",
                           "DeckStepInspectorController", "DeckObjectInspectorController"});
        RegisterTestPanes({"DoorInspectorController"}, DoorTestRows());
        RegisterTestPanes({"WallToolInspectorController"}, WallToolRows());
        SetMainWindowControllerSetElevationPaneHandler([this](const SelectionState40* s) {
            handed.push_back(*s);
            w->setElevationPane(s);
        });
        SetRefreshHandler([this] { ++refreshes; });
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    QMDWindowController* openWindow() {
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        auto* window = static_cast<QMDWindowController*>(d->windowController);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
    // What the window's inspector area shows.
    static QWidget* shown(QMDWindowController* window) {
        const QList<QWidget*> views = window->parentInspectorView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        return views.isEmpty() ? nullptr : views.first();
    }
    QWidget* viewOf(const char* pane) { return SharedTestPane(pane)->inspectorView(); }
    void refresh() { InspectorUpdatePropertiesState(1); }
    QLineEdit* paneField(const char* pane, const char* outlet) {
        return viewOf(pane)->findChild<QLineEdit*>(QString::fromLatin1(outlet));
    }
    // Typed and ended with Return, as a user does.
    void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    std::string inches(float value) {
        RecordingTextField f;
        SetFloatItem(&f, value);
        return f.value;
    }
    float plan(float inches) { return ConvertWorldToScreen(inches, ds, 0); }
    int steps() { return w->document()->undoStack()->count(); }
    QString undoTitle() { return w->document()->undoStack()->undoText(); }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
    InspectorDesign design;
    std::vector<SelectionState40> handed;
    int refreshes = 0;
};

// Each row selects objects on a floor with a tool current and refreshes: the pane placed (or
// the no-properties view), how many objects were merged, and what each pane was given.
TEST_F(Inspector, RefreshPlacesThePaneOfTheSelectionOrOfTheTool) {
    Objex* line = Make(objtype::kLine).plan({{-250, 50}, {-150, 50}}).on(design.first);
    using Given = std::vector<std::pair<Objex*, bool>>;
    struct Row {
        const char* name;
        int16_t tool;
        Layer* floor;
        std::vector<Objex*> selected;
        const char* pane;  // null: the no-properties view
        int32_t count;
        const char* given;  // the pane given objects
        Given objects;
    };
    const InspectorDesign& d = design;
    const Row rows[] = {
        {"nothing, select tool", toolid::kSelect, d.first, {}, nullptr, 0, nullptr, {}},
        {"nothing, wall tool", toolid::kExteriorWall, d.first, {}, "WallToolInspectorController", 0,
         "WallToolInspectorController", {}},
        {"a window in a wall", toolid::kSelect, d.first, {d.window}, "WindowInspectorController", 1,
         "WindowInspectorController", {{d.window, true}}},
        {"floor and cutout", toolid::kSelect, d.first, {d.floor, d.cutout}, "FloorInspectorController", 2,
         "FloorInspectorController", {{d.floor, true}, {d.cutout, false}}},
        {"floor and door", toolid::kSelect, d.first, {d.floor, d.door}, nullptr, 0, nullptr, {}},
        {"lights 79 and 150", toolid::kSelect, d.first, {d.light79, d.light150}, "LightObjectInspectorController", 2,
         "LightObjectInspectorController", {{d.light79, true}, {d.light150, false}}},
        {"a property line, wall tool", toolid::kExteriorWall, d.first, {d.propertyLine}, nullptr, 1, nullptr, {}},
        {"a wall, no segment counted", toolid::kExteriorWall, d.first, {d.wall}, "WallToolInspectorController", 0,
         "WallObjectInspectorController", {{d.wall, true}}},
        {"a line first, wall tool", toolid::kExteriorWall, d.first, {line}, "WallToolInspectorController", 0, nullptr,
         {}},
        {"a freehand roof first", toolid::kSelect, d.second, {d.panel, d.steps}, "Roof2InspectorController", 1,
         "Roof2InspectorController", {{d.panel, true}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (Layer* l = doc->itsLayers; l; l = l->next) Deselect(l->firstObject);
        for (Objex* o : r.selected) Make(o).select();
        doc->itsCurLayer = r.floor;
        gCurTool = r.tool;
        for (const char* p : {"WindowInspectorController", "FloorInspectorController", "LightObjectInspectorController",
                              "Roof2InspectorController", "WallObjectInspectorController",
                              "DeckStepInspectorController", "WallToolInspectorController"})
            if (TestPane* pane = SharedTestPane(p)) pane->calls.clear();
        ds->ss40.ssBaseElevationValue = 12345;  // a stale summary
        const size_t before = handed.size();

        refresh();

        EXPECT_EQ(shown(w), r.pane ? viewOf(r.pane) : w->noPropertiesView());
        EXPECT_EQ(gCurPropertiesObjectCount, r.count);
        ASSERT_EQ(handed.size(), before + 1);
        EXPECT_NE(handed.back().ssBaseElevationValue, 12345);
        if (r.given) {
            Given got;
            for (const TestPane::Call& c : SharedTestPane(r.given)->calls)
                if (c.object) got.emplace_back(c.object, c.initialize);
            EXPECT_EQ(got, r.objects);
        }
    }
    // The freehand roof's walk never reached the steps of the deck after it.
    EXPECT_TRUE(SharedTestPane("DeckStepInspectorController")->calls.empty());

    // The wall tool's pane was filled from the defaults.
    gCurTool = toolid::kExteriorWall;
    ds->wallThickness = 8;
    for (Layer* l = doc->itsLayers; l; l = l->next) Deselect(l->firstObject);
    doc->itsCurLayer = design.first;
    refresh();
    TestPane* tool = SharedTestPane("WallToolInspectorController");
    ASSERT_FALSE(tool->calls.empty());
    EXPECT_TRUE(tool->calls.back().toolProperties);
    EXPECT_EQ(paneField("WallToolInspectorController", "thicknessText")->text().toStdString(), inches(8));

    // Without a current floor nothing changes, not even the summary.
    refresh();
    const size_t handedBefore = handed.size();
    doc->itsCurLayer = nullptr;
    gCurTool = toolid::kSelect;
    refresh();
    EXPECT_EQ(handed.size(), handedBefore);
    EXPECT_EQ(shown(w), viewOf("WallToolInspectorController"));
    doc->itsCurLayer = design.first;
    // With NO the tool's pane shows whatever is selected.
    Make(design.floor).select();
    gCurTool = toolid::kExteriorWall;
    InspectorUpdatePropertiesState(0);
    EXPECT_EQ(shown(w), viewOf("WallToolInspectorController"));
}

// Typing into the door pane's width field while two doors of different widths are selected.
TEST_F(Inspector, TypedWidthsReachEverySelectedDoorInOneStep) {
    Objex* door2 = Opening(design.wall, objtype::kDoor, 501, 2);
    door2->typeData.attachment->width = 24;  // plan units; the first door's is 30
    Make(design.door).select(), Make(door2).select();
    gCurTool = toolid::kSelect;
    refresh();
    ASSERT_EQ(shown(w), viewOf("DoorInspectorController"));
    EXPECT_EQ(gCurPropertiesObjectCount, 2);
    QLineEdit* width = paneField("DoorInspectorController", "widthText");
    EXPECT_EQ(width->text(), QString()) << "two widths blank the field";
    TestPane* pane = SharedTestPane("DoorInspectorController");
    auto* styles = viewOf("DoorInspectorController")->findChild<StyleTable*>("styleTable");
    EXPECT_EQ(styles->selectedRow(), -1) << "two styles leave the table unselected";
    EXPECT_EQ(pane->styleRowShown, -1);
    EXPECT_TRUE(pane->results.empty()) << "filling the pane applied something";

    struct Row {
        const char* name;
        QString typed;
        float defaultBefore;
        EditResult result;
        float widths;      // inches, both doors
        int steps;         // added
        float defaultAfter;
        std::string shows;
    };
    const Row rows[] = {
        {"a new width", "1' 8", 36, EditResult::Changed, 20, 1, 20, inches(20)},
        {"the same width", "20", 32, EditResult::Unchanged, 20, 0, 20, inches(20)},
        {"below the lower limit", "6", 32, EditResult::Refused, 20, 0, 32, inches(32)},
        {"empty reads 0", "", 32, EditResult::Refused, 20, 0, 32, inches(32)},
        {"unreadable reads 0", "wide", 32, EditResult::Refused, 20, 0, 32, inches(32)},
        {"above the upper limit", "20'", 32, EditResult::Refused, 20, 0, 32, inches(32)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ds->doorWidth = r.defaultBefore;
        const int stepsBefore = steps(), refreshesBefore = refreshes;
        pane->results.clear();
        type(width, r.typed);
        ASSERT_EQ(pane->results.size(), 1u);
        EXPECT_EQ(pane->results[0], r.result);
        ASSERT_EQ(design.door->parent, design.wall) << "the rebuild dropped the door";
        EXPECT_FLOAT_EQ(design.door->typeData.attachment->width, plan(r.widths));
        EXPECT_FLOAT_EQ(door2->typeData.attachment->width, plan(r.widths));
        EXPECT_EQ(steps(), stepsBefore + r.steps);
        EXPECT_EQ(ds->doorWidth, r.defaultAfter);
        EXPECT_EQ(width->text().toStdString(), r.shows);
        EXPECT_EQ(refreshes, refreshesBefore + (r.result == EditResult::Refused ? 0 : 1));
    }
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Width"));
    EXPECT_EQ(w->commandRouter()->action("undo")->text(), QStringLiteral("Undo Door Width"));
}

// The style table: filling it selects a row by code, which must not apply; a user's choice does.
// The slider applies once, on release, and never takes the keyboard.
TEST_F(Inspector, StyleRowsApplyOnlyWhenChosenAndTheSliderOnlyOnRelease) {
    TestPane* pane = SharedTestPane("DoorInspectorController");
    ASSERT_TRUE(pane);
    design.door->typeData.attachment->style = 504;
    ds->doorStyle = 500;
    Make(design.door).select();
    gCurTool = toolid::kSelect;
    const int stepsBefore = steps();
    refresh();
    auto* styles = viewOf("DoorInspectorController")->findChild<StyleTable*>("styleTable");
    EXPECT_EQ(styles->selectedRow(), 4);
    EXPECT_EQ(pane->styleRowShown, 4);
    EXPECT_TRUE(pane->results.empty());
    EXPECT_EQ(steps(), stepsBefore);
    EXPECT_EQ(ds->doorStyle, 500) << "programmatic selection wrote the default";

    styles->selectRow(7);
    ASSERT_EQ(pane->results, std::vector<EditResult>{EditResult::Changed});
    EXPECT_EQ(design.door->typeData.attachment->style, 507);
    EXPECT_EQ(ds->doorStyle, 507);
    EXPECT_EQ(steps(), stepsBefore + 1);
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Style"));

    auto* slider = viewOf("DoorInspectorController")->findChild<InspectorSlider*>("heightSlider");
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->focusPolicy(), Qt::NoFocus);
    pane->results.clear();
    const float heightBefore = design.door->typeData.attachment->height;
    const int valueBefore = slider->value();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->value(), valueBefore) << "keys moved the slider";
    const QPoint left(4, slider->height() / 2), right(slider->width() - 4, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, left);
    QTest::mouseMove(slider, QPoint(slider->width() / 2, slider->height() / 2));
    QTest::mouseMove(slider, right);
    EXPECT_TRUE(pane->results.empty()) << "the drag applied before the release";
    EXPECT_EQ(design.door->typeData.attachment->height, heightBefore);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, right);
    ASSERT_EQ(pane->results.size(), 1u);
    EXPECT_FLOAT_EQ(design.door->typeData.attachment->height, plan(float(slider->value())));
    EXPECT_EQ(ds->doorHeight, float(slider->value()));
    EXPECT_EQ(steps(), stepsBefore + 2);
    EXPECT_EQ(undoTitle(), QStringLiteral("Door Height"));
}

// A pane shown in one window moves to the other when that one becomes main, and survives the
// first window being closed and destroyed.
TEST_F(Inspector, OnePaneMovesBetweenWindowsAndOutlivesThem) {
    Make(design.window).select();
    gCurTool = toolid::kSelect;
    refresh();
    TestPane* pane = SharedTestPane("WindowInspectorController");
    QPointer<QWidget> view = pane->inspectorView();
    ASSERT_EQ(shown(w), view.data());

    QMDWindowController* other = openWindow();
    QMDDocumentModel* otherDoc = other->document()->model();
    InspectorDesign second = BuildInspectorDesign(otherDoc);
    Make(second.window).select();
    gCurDocument = nullptr;  // as when another window was main
    other->windowDidBecomeMain();
    EXPECT_EQ(gCurDocument, otherDoc);
    EXPECT_EQ(shown(other), view.data());
    EXPECT_EQ(shown(w), nullptr);
    EXPECT_EQ(pane->calls.back().object, second.window);

    // Back to the first window, then it closes and goes: the pane is handed back first.
    w->windowDidBecomeMain();
    ASSERT_EQ(shown(w), view.data());
    ASSERT_TRUE(w->close());
    EXPECT_EQ(view->parent(), nullptr);
    delete w;
    w = nullptr;
    ASSERT_FALSE(view.isNull());
    other->windowDidBecomeMain();
    EXPECT_EQ(shown(other), view.data());
    EXPECT_EQ(SharedTestPane("WindowInspectorController"), pane);

    // A window destroyed while it shows the pane gives it back as well.
    delete other;
    EXPECT_FALSE(view.isNull());
    EXPECT_EQ(view->parent(), nullptr);
}

// Closing the panels (the last window minimised, a PowerTool) hides the column; restoring
// brings it back as it was, and a window becoming main shows or hides its column as remembered.
TEST_F(Inspector, ClosingAndRestoringThePanelsHidesAndShowsTheColumn) {
    ASSERT_TRUE(w->isInspectorShown());
    AppController::shared()->closeVisiblePanelsAndSaveState();
    EXPECT_FALSE(w->isInspectorShown());
    AppController::shared()->restoreAllVisiblePanels();
    EXPECT_TRUE(w->isInspectorShown());

    // Hidden by the toggle in one window, it is hidden in the next one that becomes main too.
    QMDWindowController* other = openWindow();
    ASSERT_TRUE(other->isInspectorShown());
    AppController::shared()->toggleInspectorPanel();
    EXPECT_FALSE(other->isInspectorShown());
    gCurDocument = nullptr;  // as when another window was main
    w->windowDidBecomeMain();
    EXPECT_FALSE(w->isInspectorShown());
    delete other;
}

}  // namespace
}  // namespace dvxtest
