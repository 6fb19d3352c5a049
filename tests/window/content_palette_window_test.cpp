// The content palette beside the plan on the virtual X server, used with the server's mouse:
// Brick's previews on screen at start-up, "Objects" chosen in the pop-up and a category
// clicked, and an object's preview dragged onto the plan, where it lands as one undo step.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/qt/content_images.h"
#include "window/window_support.h"

namespace {

QString gShot;

// The first preview's middle, as the server shows it.
QColor FirstPreview(ContentPaletteController* p) { return OnScreen(p->contentView()).pixelColor(35, 15); }

TEST(ContentPaletteWindow, PreviewsPaintAndAnObjectDragsOntoThePlanAsOneStep) {
    WindowTestServices services("contentpalettewindow");
    dvxtest::WriteSmallContentLibrary();
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible(); })) << "the palette is in the side column";
    EXPECT_TRUE(QTest::qWaitFor([p] { return FirstPreview(p) == QColor(Qt::red); })) << "no Brick preview";

    QComboBox* popUp = p->categoryPopUpButton();
    QAbstractItemView* list = popUp->view();
    ClickAt(popUp, popUp->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
    ClickAt(list->viewport(), list->visualRect(list->model()->index(popUp->findText("Objects"), 0)).center());
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->selectedCategory() == 4; }));
    QTreeView* outline = p->categoryOutlineView();
    ClickAt(outline->viewport(), outline->visualRect(outline->model()->index(1, 0)).center());  // Tables
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->contentView()->previewCount() == 1; }));
    EXPECT_TRUE(QTest::qWaitFor([p] { return FirstPreview(p) == QColor(Qt::blue); })) << "no Table preview";

    QWidget* plan = w->docScrollView()->viewport();  // the plan on screen
    const QPoint from = p->contentView()->mapToGlobal(QPoint(35, 35));
    const QPoint to = plan->mapToGlobal(plan->rect().center());
    const QImage before = OnScreen(plan);
    const int objects = dvxtest::CountObjects(gCurDocument->itsCurLayer->firstObject);
    DragOnScreen(from, to);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->document()->undoStack()->count() > 0; }, 5000)) << "no drop";
    EXPECT_EQ(std::tuple(dvxtest::CountObjects(gCurDocument->itsCurLayer->firstObject), w->document()->undoStack()->undoText()),
              std::tuple(objects + 1, QString("Insert Object")));
    const QRect around(plan->rect().center() - QPoint(50, 50), QSize(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(plan).copy(around) != before.copy(around); }))
        << "nothing drawn at the drop";
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_content_palette <screenshot.png>"); }
