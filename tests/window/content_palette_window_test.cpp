// The content palette beside the plan on the virtual X server, used with the server's mouse:
// Brick's previews on screen at start-up, "Objects" chosen in the pop-up and a category
// clicked, and an object's preview dragged onto the plan, where it lands as one undo step;
// the grid laid out over its area at start-up and after a resize, scrolled when it is wider,
// and still at every height.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <QVariantAnimation>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "files/content_folders.h"
#include "model/document_model.h"
#include "port/defaults.h"
#include "support/build.h"
#include "support/content_library.h"
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
    const QPoint began = from;  // the press, where the drag began
    DragOnScreen(from, to, QPoint(4, 4));
    ASSERT_TRUE(QTest::qWaitFor([grid] { return grid->slideBackWindow() != nullptr; }, 5000)) << "no slide back";
    QPointer<QWidget> slide = grid->slideBackWindow();
    // The picture's hot spot, where the pointer held it, at each place it takes on its way back,
    // to the animation's end.
    const QPoint hotSpot(9, 8);
    auto* motion = slide->findChild<QVariantAnimation*>();
    ASSERT_NE(motion, nullptr);
    std::vector<QPoint> way{motion->startValue().toPointF().toPoint() + hotSpot};
    QObject::connect(motion, &QVariantAnimation::valueChanged, slide,
                     [&way, hotSpot](const QVariant& at) { way.push_back(at.toPointF().toPoint() + hotSpot); });
    int shown = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        if (slide && slide->isVisible()) {
            const QImage seen = QGuiApplication::primaryScreen()->grabWindow(0, slide->x(), slide->y(), 17, 17).toImage();
            // The cross: a white bar across with the black line in its middle.
            shown += qGray(seen.pixel(3, 7)) > 200 && qGray(seen.pixel(3, 8)) < 60;
        }
        return slide.isNull();
    })) << "the picture never went";
    ASSERT_GE(way.size(), 2u);
    EXPECT_LT((way.front() - to).manhattanLength(), 40) << "it starts where the drop failed";
    EXPECT_LE((way.back() - began).manhattanLength(), 4) << "it ends where the drag began";
    for (size_t i = 1; i < way.size(); ++i)
        EXPECT_LE((way[i] - began).manhattanLength(), (way[i - 1] - began).manhattanLength() + 1) << i;
    EXPECT_GE(shown, 1) << "the picture never showed on the screen";
    EXPECT_EQ(w->document()->undoStack()->count(), 0);
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// The grid's size over a visible part of `visible`, worked out by hand: whole previews of pw,
// and one more column when at least half of it shows; then as many rows as the entries need.
QSize GridFor(QSize visible, int pw, int entries) {
    const int columns = std::max(1, (visible.width() + pw / 2) / pw);
    const int rows = (entries + columns - 1) / columns;
    return {std::max(visible.width(), columns * pw), std::max(visible.height(), rows * pw)};
}

// The palette's grid as the screen shows it: each preview (red over dark red) in its cell
// scrolled into place, white everywhere else in the area; empty when it all holds, else the
// first pixel that does not.
QString GridOnScreenFault(ContentPaletteController* p, int pw, int entries) {
    QScrollArea* area = p->contentScrollView();
    const QSize visible = area->viewport()->size();
    const QSize grid = GridFor(visible, pw, entries);
    if (p->contentView()->size() != grid)
        return QString("grid %1 x %2, not %3 x %4 over %5 x %6")
            .arg(p->contentView()->width()).arg(p->contentView()->height()).arg(grid.width()).arg(grid.height())
            .arg(visible.width()).arg(visible.height());
    const int columns = grid.width() / pw, dx = area->horizontalScrollBar()->value(), dy = area->verticalScrollBar()->value();
    const QImage seen = OnScreen(area->viewport());
    for (int y = 0; y < visible.height(); y += 3)
        for (int x = 0; x < visible.width(); x += 3) {
            const int gx = x + dx, gy = y + dy, column = gx / pw, row = gy / pw, lx = gx % pw, ly = gy % pw;
            const bool entry = column < columns && row * columns + column < entries;
            // Cell edges (the selection frame) and the blend between the two halves are not looked at.
            if (entry && (lx < 4 || lx > pw - 5 || ly < 4 || ly > pw - 5 || std::abs(ly - pw / 2) < 4)) continue;
            const QColor want = !entry ? QColor(Qt::white) : ly < pw / 2 ? QColor(Qt::red) : QColor(128, 0, 0);
            const QColor got = seen.pixelColor(x, y);
            if (std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) + std::abs(got.blue() - want.blue()) > 12)
                return QString("at %1, %2 of the area: %3, not %4").arg(x).arg(y).arg(got.name(), want.name());
        }
    return {};
}

// Brick with five previews, in a window started on a fresh profile: the grid fills its area
// as laid out by its width at once, again after the window is made shorter and taller, settles
// at every height, and a preview size whose columns reach past the area's edge scrolls them
// into view.
TEST(ContentPaletteWindow, TheGridIsLaidOutOverItsAreaAndScrollsWhenWider) {
    WindowTestServices services("contentpalettegrid");
    dvxtest::WriteSmallContentLibrary();
    for (const std::string n : {"4", "5"}) {
        const std::string brick = LocalDomainTexturePath() + "/Brick/BRICK" + n;
        dvxtest::WritePreviewImage(brick + ".PTX", Qt::red, QColor(128, 0, 0));
        dvxtest::WriteTextFile(brick + ".PTI", "[Description]\nName=Brick\n");
    }
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && p->contentView()->previewCount() == 5; }));
    QString fault;
    const auto holds = [&](int pw) { return QTest::qWaitFor([&] { return (fault = GridOnScreenFault(p, pw, 5)).isEmpty(); }, 3000); };
    EXPECT_TRUE(holds(70)) << "at start-up: " << fault.toStdString();

    const QRect frame = w->geometry();
    for (int height : {frame.height() - 200, frame.height()}) {
        XDo({"windowsize", "--sync", QString::number(w->winId()), QString::number(frame.width()), QString::number(height)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->height() == height; })) << height;
        EXPECT_TRUE(holds(70)) << "at a height of " << height << ": " << fault.toStdString();
    }
    // Heights at which the grid's scroll bars could show and hide each other for ever: at each
    // the grid, the inspector and their areas come to rest, and a menu opens.
    QMenu* edit = w->menuBar()->findChild<QMenu*>(QStringLiteral("Edit"));
    for (int height = 540; height <= 720; height += 20) {
        XDo({"windowsize", "--sync", QString::number(w->winId()), "1024", QString::number(height)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return w->height() == height; })) << height;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return ResizesWithin({p->contentView(), p->contentScrollView()->viewport(), w->parentInspectorView(),
                                  w->inspectorScrollView()->viewport()}, 300) == 0;
        })) << "still laid out again at a height of " << height;
        // The view reaches the area's edges, whichever bars stand.
        const QSize view = p->contentView()->size(), area = p->contentScrollView()->viewport()->size();
        EXPECT_TRUE(view.width() >= area.width() && view.height() >= area.height())
            << "a " << view.width() << " x " << view.height() << " grid in a " << area.width() << " x " << area.height()
            << " area at a height of " << height;
        XDo({"mousemove", "0", "0"});  // a --sync move onto the pointer would wait for ever
        ClickAt(w->menuBar(), w->menuBar()->actionGeometry(edit->menuAction()).center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return edit->isVisible(); }, 2000)) << "no menu at a height of " << height;
        XDo({"key", "Escape"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !edit->isVisible(); }));
    }
    XDo({"windowsize", "--sync", QString::number(w->winId()), QString::number(frame.width()), QString::number(frame.height())});
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->size() == frame.size(); }));

    port::defaults().setInt(QMDPreviewSizeKey, 3);  // 96 points: a last column only partly in the area
    p->refreshContentView();
    QScrollBar* bar = p->contentScrollView()->horizontalScrollBar();
    const QSize visible = p->contentScrollView()->viewport()->size();
    ASSERT_GT(GridFor(visible, 96, 5).width(), visible.width()) << "the columns fit the side column";
    ASSERT_TRUE(QTest::qWaitFor([bar] { return bar->isVisible() && bar->maximum() > 0; })) << "no scroll bar across";
    EXPECT_TRUE(holds(96)) << "scrolled to the left: " << fault.toStdString();
    for (int click = 0; click < 20 && bar->value() < bar->maximum(); ++click) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Horizontal, option.state |= QStyle::State_Horizontal;
        option.minimum = bar->minimum(), option.maximum = bar->maximum(), option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep(), option.sliderPosition = option.sliderValue = bar->value();
        QRect right = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
        if (right.isEmpty()) right = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddPage, bar);
        const int before = bar->value();
        XDo({"mousemove", "0", "0"});  // a --sync move onto the pointer would wait for ever
        ClickAt(bar, right.center());
        // A click the bar did not take is clicked again; the value after the loop decides.
        (void)QTest::qWaitFor([&] { return bar->value() != before; }, 1000);
    }
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(holds(96)) << "scrolled to the right: " << fault.toStdString();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(gShot).replace(".png", "-grid.png"));
    port::defaults().setInt(QMDPreviewSizeKey, 2);
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_content_palette <screenshot.png>"); }
