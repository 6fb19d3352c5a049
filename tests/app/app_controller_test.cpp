// The application delegate as the rest of the program reaches it: the standard-tool seam,
// its menu items, the palettes it hides and brings back, and quitting.
#include "app/app_controller.h"
#include "app/command_router.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/core/app_seams.h"
#include "app/core/main_window_seams.h"
#include "support/fixture.h"
#include "tracking/tracking_state.h"
#include "ui/tool_palettes.h"

namespace {

class Delegate : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();  // another case's window may have made one
        dvxtest::ResetAllGlobals();
        AppController::setSplashEnabled(false);
        AppController::initialize();
        app = AppController::shared();
    }
    void TearDown() override {
        AppController::destroyShared();
        dvxtest::ResetAllGlobals();
    }
    AppController* app = nullptr;
};

TEST_F(Delegate, ResetStandardToolKeepsArmedToolsUnlessForced) {
    struct Row { int16_t tool; uint8_t force; int16_t after; };
    const Row rows[] = {{204, 0, 200}, {206, 0, 200}, {7000, 0, 200}, {7202, 0, 200}, {203, 0, 203},
                        {205, 0, 205}, {7050, 0, 7050}, {7307, 0, 7307}, {7707, 0, 7707}, {7707, 1, 200},
                        {203, 1, 200}};
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    ToolPaletteController* edit = ToolPaletteController::shared();
    for (const Row& r : rows) {
        plan->toolButtons(1)->selectCellWithTag(7050);
        edit->toolButtons()->deselectAll();
        gCurTool = r.tool;
        ResetStandardTool(r.force);
        EXPECT_EQ(gCurTool, r.after) << r.tool << "/" << int(r.force);
        const bool reset = r.after == 200;
        EXPECT_EQ(plan->toolButtons(1)->selectedTag(), reset ? -1 : 7050) << r.tool;
        EXPECT_EQ(edit->toolButtons()->selectedTag(), reset ? 200 : -1) << r.tool;
    }
}

TEST_F(Delegate, WithoutADocumentPanelItemsAreDisabledAndOfferToShow) {
    QMainWindow window;
    CommandRouter(&window, nullptr, nullptr).buildMenuBar();
    ToolPaletteController::shared()->showWindow();
    PlanToolPaletteController::shared()->showWindow();
    QMenu* menu = window.menuBar()->findChild<QMenu*>(QStringLiteral("Window"));
    ASSERT_NE(menu, nullptr);
    QStringList titles;
    for (QAction* a : menu->actions()) {
        EXPECT_FALSE(app->validateMenuItem(a));
        EXPECT_FALSE(a->isEnabled());
        if (a->data().toInt() >= 14000) titles << a->text();
    }
    EXPECT_EQ(titles, QStringList({"Show 3D View", "Show Editing Tools", "Show Snap Tools", "Show Drawing Tools",
                                   "Show Inspector"}));
    EXPECT_EQ(MainWindowDocumentView(), nullptr);
}

TEST_F(Delegate, PalettesComeBackAsTheyWereAndStartInTheTopLeftCorner) {
    ToolPaletteController* edit = ToolPaletteController::shared();
    PlanToolPaletteController* plan = PlanToolPaletteController::shared();
    app->restoreAllVisiblePanels();
    ASSERT_TRUE(edit->isVisible() && plan->isVisible());
    const QRect v = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(plan->window()->frameGeometry().topLeft(), v.topLeft() + QPoint(5, 0));
    EXPECT_EQ(edit->window()->frameGeometry().topLeft(),
              QPoint(v.x() + 5, v.y() + plan->window()->frameGeometry().height() + 5));

    struct Row { bool edit, plan; };
    for (const Row& r : {Row{true, false}, Row{false, true}, Row{false, false}}) {
        r.edit ? edit->showWindow() : edit->close();
        r.plan ? plan->showWindow() : plan->close();
        app->closeVisiblePanelsAndSaveState();
        EXPECT_FALSE(edit->isVisible() || plan->isVisible());
        app->restoreAllVisiblePanels();
        EXPECT_EQ(edit->isVisible(), r.edit);
        EXPECT_EQ(plan->isVisible(), r.plan);
    }

    // A frame saved on closing wins over the first-launch place in the next run (on the screen:
    // one beyond it would be moved onto it).
    plan->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(plan->window()));  // moved, as a user would, once shown
    plan->window()->move(100, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return plan->window()->pos() == QPoint(100, 200); }));
    const QPoint saved = plan->window()->frameGeometry().topLeft();
    plan->close();
    AppController::destroyShared();
    app = AppController::shared();
    app->restoreAllVisiblePanels();
    EXPECT_EQ(PlanToolPaletteController::shared()->window()->frameGeometry().topLeft(), saved);
}

TEST_F(Delegate, QuitAsksTheDocumentWindowsAndACancelKeepsRunning) {
    for (bool close : {false, true}) {
        int asked = 0;
        SetCloseDocumentWindowsHandler([&] { return ++asked, close; });
        EXPECT_EQ(app->terminate(), close);
        EXPECT_EQ(asked, 1);
    }
}

}  // namespace
