// The document window's menu bar on a real X display, driven by the server's own mouse and
// keys: Select All and Delete from the Edit menu, then undo and redo by their keys while a
// palette, not the document window, has the focus.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/preference_keys.h"
#include "app/window_controller.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "ui/tool_palettes.h"

namespace dvxtest {
namespace {

void XDo(const QStringList& args) { QProcess::execute(QStringLiteral("xdotool"), args); }

void ClickAt(QWidget* w, QPoint at) {
    const QPoint p = w->mapToGlobal(at);
    XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    XDo({"click", "1"});
}

TEST(MenuBar, DeleteFromTheEditMenuThenUndoFromAPaletteAndRedo) {
    AppController::destroyShared(), ResetAllGlobals();
    TempFolders folders(FreshTempFolder("menus"));
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
    QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
    d->makeWindowControllers();
    auto* w = static_cast<QMDWindowController*>(d->windowController);
    Layer* floor = d->model()->itsCurLayer;
    for (float x : {0.0f, 100.0f}) Shape(floor, objtype::kDetail, {{x, 0}, {x + 40, 0}, {x + 40, 40}}, true);
    StoreUndo("Rectangle");  // as the drawing tool leaves them
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    // An undo reads the design back: its floors are new records.
    auto objects = [] { return CountObjects(GetLayerFromName("First Floor")->firstObject); };

    QMenu* edit = w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    ASSERT_NE(edit, nullptr);
    auto choose = [&](const char* name) {
        ClickAt(w->menuBar(), w->menuBar()->actionGeometry(edit->menuAction()).center());
        if (!QTest::qWaitFor([&] { return edit->isVisible(); })) return false;
        if (!name) return true;
        ClickAt(edit, edit->actionGeometry(w->commandRouter()->action(name)).center());
        return QTest::qWaitFor([&] { return !edit->isVisible(); });
    };
    ASSERT_TRUE(choose("selectAll"));
    ASSERT_TRUE(choose("delete"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "Delete removed nothing";
    ASSERT_TRUE(choose(nullptr));
    QAction* undoItem = w->commandRouter()->action("undo");
    EXPECT_EQ(std::tuple(undoItem->text(), undoItem->isEnabled()), std::tuple(QString("Undo Delete"), true));
    XDo({"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !edit->isVisible(); }));

    // The keys reach the document's undo stack while the palette is the active window.
    QWidget* palette = ToolPaletteController::shared()->window();
    palette->show();
    XDo({"windowfocus", "--sync", QString::number(palette->winId())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == palette; }));
    XDo({"key", "ctrl+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 2; })) << "Ctrl+Z did not undo";
    XDo({"key", "ctrl+shift+z"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return objects() == 0; })) << "Ctrl+Shift+Z did not redo";
    EXPECT_EQ(QApplication::activeWindow(), palette);
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace
}  // namespace dvxtest

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
