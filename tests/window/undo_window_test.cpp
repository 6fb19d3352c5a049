// Undo and Redo as a user presses them on the virtual X server: each palette, when it has the
// keyboard, takes the design's steps back and forth (the Snap Tools palette's offset field
// first takes back its own typing); undo keeps the grid, the camera and the scroll; a refused
// pane entry changes nothing, also when the focus then leaves the field.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "tracking/tracking_state.h"
#include "ui/core/plan_scale_actions.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

class UndoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w = OpenDocumentWindow(), d = w->document(), view = w->docView(), stack = d->undoStack();
        ds()->zoomFactor = 1, ds()->snapToGrid = 0;
        ASSERT_TRUE(ShowFocused(w));
        ASSERT_TRUE(QTest::qWaitFor([this] { return w->isActiveWindow(); }));
        const PlatformRect shown = view->visibleRect();
        h = int(shown.x + shown.width / 2) + 100, v = int(shown.y + shown.height / 2) + 100;
    }
    void TearDown() override { AppController::destroyShared(), dvxtest::ResetAllGlobals(); }

    DocState* ds() const { return gCurDocument->itsDocState; }
    int objects() const { return dvxtest::CountObjects(gCurDocument->itsCurLayer->firstObject); }
    // Gives the window the server's keyboard.
    static bool Focus(QWidget* window) {
        XDo({"windowfocus", "--sync", QString::number(window->winId())});
        return QTest::qWaitFor([window] { return window->isActiveWindow(); });
    }
    static void Press(const char* keys) { XDo({"key", keys}), QTest::qWait(100); }
    // The Edit menu's two titles.
    std::pair<std::string, std::string> titles() const {
        const CommandRouter* router = w->commandRouter();
        return {router->action("undo")->text().toStdString(), router->action("redo")->text().toStdString()};
    }
    void clickPlan(int ph, int pv) { MovePointerToPlan(view, {ph, pv}), XDo({"click", "1"}), QTest::qWait(300); }

    WindowTestServices services{"undowindow"};
    QMDWindowController* w = nullptr;
    QMDDocument* d = nullptr;
    QMDDocumentView* view = nullptr;
    QUndoStack* stack = nullptr;
    int h = 0, v = 0;
};

TEST_F(UndoWindow, EveryPaletteUndoesAndRedoesTheDesignsSteps) {
    gCurTool = 7700;
    ASSERT_TRUE(DragInPlan(view, {h, v}, {{h + 40, v + 30}, {h + 80, v + 60}}));
    ASSERT_EQ(std::tuple(objects(), stack->count()), std::tuple(1, 1));
    using Titles = std::pair<std::string, std::string>;
    const Titles drawn{"Undo Rectangle Tool", "Redo"}, undone{"Undo", "Redo Rectangle Tool"};
    EXPECT_EQ(titles(), drawn);

    SnapPaletteController* snap = SnapPaletteController::shared();
    int y = 100;
    for (PaletteController* palette : std::initializer_list<PaletteController*>{
             ToolPaletteController::shared(), PlanToolPaletteController::shared(), snap}) {
        const QString name = palette->window()->objectName();
        SCOPED_TRACE(name.toStdString());
        palette->showWindow(), palette->window()->move(20, y), y += 80;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
        ASSERT_TRUE(Focus(palette->window()));
        if (palette == snap) {  // Segment Offset chosen, its field given the keyboard
            PaletteCellButton* offsetCell = snap->toolButtons()->cell(507);
            ClickAt(offsetCell, offsetCell->rect().center());
            ASSERT_TRUE(QTest::qWaitFor([] { return gCurSnap == 507; }));
            ClickAt(snap->offsetText(), snap->offsetText()->rect().center());
            ASSERT_TRUE(QTest::qWaitFor([&] { return snap->offsetText()->hasFocus(); }));
        }
        EXPECT_EQ(palette->windowWillReturnUndoManager(), stack);
        Press("ctrl+z");
        EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "the rectangle stayed";
        EXPECT_EQ(titles(), undone);
        Press("ctrl+shift+z");
        EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 1; })) << "the rectangle stayed away";
        EXPECT_EQ(titles(), drawn);
        EXPECT_EQ(QApplication::activeWindow(), palette->window()) << "the keys went to another window";
    }

    // Typing in the offset field is taken back first, then the design's step; typing taken
    // back is given again before the design's step.
    QLineEdit* offset = snap->offsetText();
    const QString shown = offset->text();
    XDo({"type", "--delay", "5", "--", "3"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return offset->text() == shown + "3"; }));
    Press("ctrl+z");
    EXPECT_TRUE(QTest::qWaitFor([&] { return offset->text() == shown; }));
    EXPECT_EQ(objects(), 1);
    Press("ctrl+z");
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; }));
    Press("ctrl+shift+z");
    EXPECT_TRUE(QTest::qWaitFor([&] { return offset->text() == shown + "3"; }));
    EXPECT_EQ(objects(), 0);
    Press("ctrl+shift+z");
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 1; }));
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-palettes.png"));
}

// View > Show Grid and a walk in the live view are no steps: Ctrl+Z takes the wall drawn after
// them away and leaves the grid on, the camera where it was and the plan scrolled as it was.
TEST_F(UndoWindow, UndoKeepsTheGridTheCameraAndTheScroll) {
    ASSERT_TRUE(ChooseMenuItem(w, "View", "toggleGrid", 5044));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ds()->showGrid == 1; }));
    // Where a walk through the live view leaves its camera.
    ds()->cameraHeading = 270, ds()->cameraPosition = {-500, 40}, ds()->eyeHeight = 70;
    const FloatPoint camera = ds()->cameraPosition;
    gCurTool = 7050;
    ASSERT_TRUE(DragInPlan(view, {h, v}, {{h + 60, v}, {h + 120, v}}));
    ASSERT_EQ(stack->count(), 1);
    const int drawn = objects();
    ASSERT_GT(drawn, 0);
    const PlatformRect scrolled = view->visibleRect();

    ASSERT_TRUE(Focus(w));
    Press("ctrl+z");
    ASSERT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "the wall stayed";
    QAction* grid = w->commandRouter()->action("toggleGrid", 5044);
    CommandRouter::validateMenuItem(grid);
    EXPECT_EQ(std::tuple(ds()->showGrid, grid->text().toStdString()), std::tuple(1, "Hide Grid"));
    EXPECT_EQ(std::tuple(ds()->cameraHeading, ds()->cameraPosition.floatH, ds()->cameraPosition.floatV),
              std::tuple(270.0f, camera.floatH, camera.floatV));
    const PlatformRect now = view->visibleRect();
    EXPECT_EQ(std::tuple(now.x, now.y), std::tuple(scrolled.x, scrolled.y));
    view->repaint();
    QTest::qWait(200);
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);

    Press("ctrl+shift+z");
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == drawn; })) << "the wall stayed away";
    EXPECT_EQ(std::tuple(ds()->showGrid, ds()->cameraHeading), std::tuple(1, 270.0f));
}

// A wall thicker than the wall tool's default: "abc" typed as its thickness or its stud
// spacing, Return, then Tab out of the field: the wall keeps its values and no step is stored.
TEST_F(UndoWindow, ARefusedPaneEntryChangesNothing) {
    ds()->wallThickness = 4;
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{float(h), float(v)}, {float(h + 200), float(v)}});
    wall->penWidth = 8, wall->planBits = ds()->visiblePlans;
    objfield::wall::kStudSpacing(*wall) = 24;
    Update3DWall(wall);
    view->update();
    clickPlan(h + 100, v);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        auto* field = w->parentInspectorView()->findChild<QLineEdit*>("wallThicknessText");
        return field && field->isVisible();
    })) << "no wall pane";
    for (const char* outlet : {"wallThicknessText", "studSpacingText"}) {
        SCOPED_TRACE(outlet);
        ASSERT_TRUE(TypeIntoPaneField(w, outlet, "abc"));
        QTest::qWait(200);
        Press("Tab");
        QTest::qWait(200);
        EXPECT_EQ(std::tuple(wall->penWidth, objfield::wall::kStudSpacing(*wall), stack->count(), ds()->wallThickness),
                  std::tuple(8.0f, 24.0f, 0, 4.0f));
    }
    EXPECT_EQ(titles().first, "Undo");
}

// View > Set Zoom 100, then Plan > Plan Scale 1/8" = 1' (code 8): the plan shrinks to half.
// Ctrl+Z gives back 1/4" = 1' (code 9) and the plan at its size before, Ctrl+Shift+Z halves it
// again, and a second Ctrl+Z does not shrink it further: each time the three zooms, the zoom
// sheet's percentage, the view's frame and a 400-unit wall's length on the screen agree.
TEST_F(UndoWindow, UndoAndRedoOfAPlanScaleKeepThePlansSizeOnTheScreen) {
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-200, 0}, {200, 0}});
    wall->planBits = ds()->visiblePlans;
    Update3DWall(wall);
    StoreUndo("Exterior Wall Tool");
    ds()->showDimensions = 0;
    // Opens a sheet from the menu, lets `fill` work on it, clicks OK and waits until it is gone.
    const auto sheet = [&](const char* menu, const char* action, const char* name, const std::function<bool(SheetDialog*)>& fill) {
        if (!ChooseMenuItem(w, menu, action)) return false;
        SheetDialog* open = nullptr;
        if (!QTest::qWaitFor([&] { return (open = w->findChild<SheetDialog*>(name)) && open->isVisible(); })) return false;
        if (!fill(open)) return false;
        QPointer<SheetDialog> shown = open;
        auto* ok = open->findChild<QPushButton*>(QStringLiteral("okButton"));
        ClickAt(ok, ok->rect().center());
        return QTest::qWaitFor([&] { return shown.isNull() || !shown->isVisible(); });
    };
    ASSERT_TRUE(sheet("View", "setPlanZoom", "PlanZoomSheet", [](SheetDialog* s) {
        auto* field = s->findChild<QLineEdit*>(QStringLiteral("zoomScaleText"));
        ClickAt(field, field->rect().center());
        if (!QTest::qWaitFor([&] { return field->hasFocus(); })) return false;
        XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", "100"});
        return QTest::qWaitFor([&] { return field->text() == QStringLiteral("100"); });
    }));
    ASSERT_FLOAT_EQ(ds()->zoomFactor, 0.75f);  // 100 % of 36 / 48
    ASSERT_EQ(ds()->planScaleChoice, 9);
    const float elevationZoom = ds()->printZoom;
    ASSERT_TRUE(sheet("Plan", "setPlanScale", "PlanScaleSheet", [](SheetDialog* s) {
        QAbstractButton* eighth = s->findChild<RadioMatrix*>(QStringLiteral("scaleMatrix"))->cell(8);
        ClickAt(eighth, eighth->rect().center());
        return QTest::qWaitFor([&] { return eighth->isChecked(); });
    }));
    ASSERT_EQ(std::tuple(ds()->planScaleChoice, titles().first), std::tuple(8, std::string("Undo Plan Scale")));

    // The wall's inked columns about its row, the frame's width and the paper's at the zoom.
    const auto seen = [&] {
        view->repaint();
        QTest::qWait(100);
        QWidget* port = view->parentWidget();
        const QPoint origin = port->mapToGlobal(QPoint());
        const QImage image = QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(), port->width(), port->height()).toImage();
        const PlatformPoint o = view->boundsOrigin();
        const QPoint onWall = view->mapTo(port, QPoint(int(-o.x), int(-o.y)));
        // The wall's faces lie a few pixels either side of its centre line.
        int first = -1, last = -1;
        for (int y = onWall.y() - 8; y <= onWall.y() + 8; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (y >= 0 && y < image.height() && qGray(image.pixel(x, y)) < 128) {
                    first = first < 0 || x < first ? x : first;
                    last = std::max(last, x);
                }
        float paperWidth = 0, paperHeight = 0;
        GetAdjustedPaperWidthAndHeight(&paperWidth, &paperHeight);
        return std::tuple(last - first, view->frameSize().width, paperWidth);
    };
    const auto check = [&](const char* step, int code, float scale) {
        SCOPED_TRACE(step);
        const float zoom = 0.75f * scale;
        EXPECT_EQ(ds()->planScaleChoice, code);
        EXPECT_FLOAT_EQ(ds()->zoomFactor, zoom);
        EXPECT_FLOAT_EQ(ds()->savedZoom, zoom);
        EXPECT_FLOAT_EQ(ds()->printZoom, elevationZoom * scale);
        EXPECT_EQ(PlanZoomPercent(), 100);
        const auto [inked, frame, paper] = seen();
        EXPECT_NEAR(inked, 400 * zoom, 4);
        EXPECT_NEAR(frame, paper, 1);
    };
    check("changed", 8, 0.5f);
    ASSERT_TRUE(Focus(w));
    Press("ctrl+z");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ds()->planScaleChoice == 9; }));
    check("undone", 9, 1.0f);
    Press("ctrl+shift+z");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ds()->planScaleChoice == 8; }));
    check("redone", 8, 0.5f);
    Press("ctrl+z");
    ASSERT_TRUE(QTest::qWaitFor([&] { return ds()->planScaleChoice == 9; }));
    check("undone again", 9, 1.0f);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-plan-scale.png"));
}

// An arrow key in the plan nudges what is selected one grid step (12 inches, 24 units, whatever
// the snap spacing) and stores its step named after the key, also when nothing is selected.
TEST_F(UndoWindow, AnArrowKeyStoresItsNudgeStepWithOrWithoutASelection) {
    ds()->snapToGrid = 1, ds()->snapIncrement = {1, 1};
    Objex* line = dvxtest::Shape(gCurDocument->itsCurLayer, objtype::kDetail, {{float(h), float(v)}, {float(h + 60), float(v)}});
    line->planBits = ds()->visiblePlans;
    view->update();
    ASSERT_TRUE(Focus(w));
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }));
    const struct { bool selected; const char* key; float h; const char* undo; } rows[] = {
        {false, "Up", float(h), "Undo Nudge Up"},
        {true, "Right", float(h + 24), "Undo Nudge Right"},
        {false, "Left", float(h + 24), "Undo Nudge Left"},
    };
    int count = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        dvxtest::Make(line).select(r.selected ? 1 : 0);
        Press(r.key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return stack->count() == count + 1; })) << "no step stored";
        count = stack->count();
        EXPECT_EQ(std::pair(dvxtest::PlanPositions(line)[0].first, dvxtest::PlanPositions(line)[0].second), std::pair(r.h, float(v)));
        EXPECT_EQ(titles().first, r.undo);
    }
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
