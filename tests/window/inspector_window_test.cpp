// The inspector in document windows of this process on the virtual X server, driven as a user
// drives it: a click on an object shows its pane beside the plan, a value typed there and
// Return change the object in one named undo step, the pane follows the main window, and the
// Window menu's item and the toolbar's item hide and show the inspector.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/inspector_design.h"
#include "support/qt/test_pane.h"
#include "ui/core/inspector_panel.h"
#include "window/window_support.h"

namespace {

QString gShot;

using namespace dvxtest;

QWidget* Shown(QMDWindowController* w) {
    const QList<QWidget*> views = w->parentInspectorView()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    return views.isEmpty() ? nullptr : views.first();
}

// Without a window manager: raised and given the keyboard, the window becomes the active one.
void Activate(QMDWindowController* w) {
    XDo({"windowraise", QString::number(w->winId())});
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }));
}

QMDWindowController* ShowWindow() {
    QMDWindowController* w = OpenDocumentWindow();
    w->document()->model()->itsDocState->zoomFactor = 1;  // plan view points are the plan's (H, D)
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    Activate(w);
    return w;
}

// The Edit menu's undo item as the user sees it with the menu open.
QString UndoItemTitle(QMDWindowController* w) {
    QMenu* edit = w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    ClickAt(w->menuBar(), w->menuBar()->actionGeometry(edit->menuAction()).center());
    if (!QTest::qWaitFor([&] { return edit->isVisible(); })) return {};
    const QString title = w->commandRouter()->action("undo")->text();
    XDo({"key", "Escape"});
    QTest::qWaitFor([&] { return !edit->isVisible(); });
    return title;
}

TEST(InspectorWindow, AClickShowsThePaneWhereTypingEditsTheObjectAndThePaneFollowsTheMainWindow) {
    AppController::destroyShared(), ResetAllGlobals();
    TempFolders folders(FreshTempFolder("inspectorwindow"));
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    QMDWindowController* w = ShowWindow();
    RegisterTestPanes({"DetailObjectInspectorController"},
                      TestPaneRows{{ElevationRow(objtype::kDetail, "Detail Elevation")}});
    InspectorDesign design = BuildInspectorDesign(w->document()->model());
    w->docView()->scrollPoint({-260, -160});  // the detail shapes in the view's top left
    w->docView()->update();
    ASSERT_TRUE(w->sideColumn()->isVisible()) << "the inspector column starts hidden";
    ASSERT_EQ(Shown(w), w->noPropertiesView());

    // A click on the detail shape's corner shows its pane in the column.
    ClickObject(w, design.detail);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(w) && Shown(w) != w->noPropertiesView(); })) << "no pane shown";
    TestPane* pane = SharedTestPane("DetailObjectInspectorController");
    QWidget* view = pane->inspectorView();
    EXPECT_EQ(Shown(w), view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(gCurPropertiesObjectCount, 1);
    EXPECT_EQ(pane->calls.back().object, design.detail);

    // Typing an elevation and Return: the shape rises two feet in one step.
    const int steps = w->document()->undoStack()->count();
    ASSERT_TRUE(TypeIntoPaneField(w, "elevationText", "2'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return design.detail->elevation == 24; })) << design.detail->elevation;
    EXPECT_EQ(w->document()->undoStack()->count(), steps + 1);
    EXPECT_EQ(UndoItemTitle(w), QStringLiteral("Undo Detail Elevation"));
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);

    // A second window becoming main takes the pane; the first one getting it back takes it again.
    QMDWindowController* other = ShowWindow();
    InspectorDesign second = BuildInspectorDesign(other->document()->model());
    Make(second.detail2).select();
    Activate(w);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->isActiveWindow() && Shown(w) == view; }));
    Activate(other);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(other) == view; })) << "the pane stayed in the first window";
    EXPECT_EQ(pane->calls.back().object, second.detail2);
    EXPECT_EQ(Shown(w), nullptr);
    Activate(w);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(w) == view; })) << "the pane did not come back";

    // "Show Inspector" hides the column (it is shown), the toolbar's item shows it again.
    QAction* item = w->commandRouter()->action("toggleInspectorPanel", 14004);
    ASSERT_TRUE(ChooseMenuItem(w, "Window", "toggleInspectorPanel", 14004));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->sideColumn()->isVisible(); })) << "the menu item left the column";
    QMenu* window = w->menuBar()->findChild<QMenu*>(QStringLiteral("Window"));
    ClickAt(w->menuBar(), w->menuBar()->actionGeometry(window->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }));
    EXPECT_EQ(item->text(), QStringLiteral("Show Inspector"));
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    QWidget* toolbarItem = nullptr;
    for (QAction* a : w->docToolbar()->actions())
        if (a->objectName() == QLatin1String("Document Toolbar Inspector Item")) toolbarItem = w->docToolbar()->widgetForAction(a);
    ASSERT_TRUE(toolbarItem);
    ClickAt(toolbarItem, toolbarItem->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->sideColumn()->isVisible(); })) << "the toolbar item left the column";
    ClickAt(w->menuBar(), w->menuBar()->actionGeometry(window->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }));
    EXPECT_EQ(item->text(), QStringLiteral("Hide Inspector"));
    XDo({"key", "Escape"});
    QTest::qWaitFor([&] { return !window->isVisible(); });

    delete other;
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: test_window_inspector <screenshot.png>\n");
        return 2;
    }
    gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
