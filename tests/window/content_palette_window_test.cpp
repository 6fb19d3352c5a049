// The content palette beside the plan on the virtual X server, used with the server's mouse:
// Brick's previews on screen at start-up, "Objects" chosen in the pop-up and a category
// clicked, and an object's preview dragged onto the plan, where it lands as one undo step.
#include <QApplication>
#include <QPointer>
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

    ASSERT_TRUE(ChoosePopUpItem(p->categoryPopUpButton(), "Objects"));
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

// A preview dragged onto the palette's own outline, which takes no drop: its picture goes back
// to where the drag began, drawn on the screen all the way, and nothing is dropped.
TEST(ContentPaletteWindow, AFailedDropSlidesThePictureBackToWhereTheDragBegan) {
    WindowTestServices services("contentpaletteslide");
    dvxtest::WriteSmallContentLibrary();
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && FirstPreview(p) == QColor(Qt::red); }));
    ContentView* grid = p->contentView();
    QWidget* outline = p->categoryOutlineView()->viewport();
    const QPoint from = grid->mapToGlobal(QPoint(35, 35)), to = outline->mapToGlobal(outline->rect().center());
    const QPoint began = from + QPoint(4, 4);  // the pointer when the drag began
    DragOnScreen(from, to, began - from);
    ASSERT_TRUE(QTest::qWaitFor([grid] { return grid->slideBackWindow() != nullptr; }, 5000)) << "no slide back";
    QPointer<QWidget> slide = grid->slideBackWindow();
    // The picture's hot spot, where the pointer held it, on its way back.
    std::vector<QPoint> way;
    int shown = 0;
    while (slide) {
        const QPoint at = slide->pos() + QPoint(9, 8);
        way.push_back(at);
        const QImage seen = QGuiApplication::primaryScreen()->grabWindow(0, slide->x(), slide->y(), 17, 17).toImage();
        // The cross: a white bar across with the black line in its middle.
        shown += slide->isVisible() && qGray(seen.pixel(3, 7)) > 200 && qGray(seen.pixel(3, 8)) < 60;
        QTest::qWait(15);
    }
    ASSERT_GE(way.size(), 2u);
    EXPECT_LT((way.front() - to).manhattanLength(), 40) << "it starts where the drop failed";
    EXPECT_LE((way.back() - began).manhattanLength(), 4) << "it ends where the drag began";
    for (size_t i = 1; i < way.size(); ++i)
        EXPECT_LE((way[i] - began).manhattanLength(), (way[i - 1] - began).manhattanLength() + 1) << i;
    EXPECT_GE(shown, 1) << "the picture never showed on the screen";
    EXPECT_EQ(w->document()->undoStack()->count(), 0);
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_content_palette <screenshot.png>"); }
