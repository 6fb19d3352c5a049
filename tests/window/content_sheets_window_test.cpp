// The content library's sheets on the virtual X server, used with the server's mouse and
// keyboard: a plant found by name from the palette's actions, shown and dragged onto the plan;
// the other finders opened on the document window; a selected outline filled with the plant
// found; the live view printed from the File menu to a PDF file.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "support/build.h"
#include "support/qt/content_images.h"
#include "ui/sheets/sheet_dialog.h"
#include "window/window_support.h"

namespace {

QString gShot;

QImage Screen(QWidget* w) { return w->screen()->grabWindow(0).copy(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())).toImage(); }

SheetDialog* SheetOn(QWidget* window) {
    for (SheetDialog* s : window->findChildren<SheetDialog*>())
        if (s->isVisible()) return s;
    return nullptr;
}

// Chooses the item of the palette's actions pull-down with the server's mouse. The menu runs
// its own loop: the item is clicked from a timer inside it.
bool ChooseAction(ContentPaletteController* p, const char* action) {
    QToolButton* button = p->actionsPopUpButton();
    QMenu* menu = button->menu();
    QAction* item = menu ? menu->findChild<QAction*>(QString::fromLatin1(action)) : nullptr;
    if (!item) return false;
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (clicked || !menu->isVisible()) return;
        clicked = true;
        QTest::qWait(100);
        ClickAt(menu, menu->actionGeometry(item).center());
    });
    poll.start(50);
    ClickAt(button, button->rect().center());
    return QTest::qWaitFor([&] { return clicked && !menu->isVisible(); });
}

// Clicks the sheet's button and waits until the sheet is gone.
bool Press(QWidget* window, const char* button) {
    SheetDialog* sheet = SheetOn(window);
    auto* b = sheet ? sheet->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr;
    if (!b) return false;
    ClickAt(b, b->rect().center());
    return QTest::qWaitFor([window] { return !SheetOn(window); });
}

int Plants() {
    int n = 0;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) n += o->type == objtype::kPlant;
    return n;
}

TEST(ContentSheetsWindow, FindDragFillAndPrint) {
    WindowTestServices services("contentsheetswindow");
    dvxtest::WriteSmallContentLibrary();
    QMDWindowController* w = OpenDocumentWindow();
    ASSERT_TRUE(ShowFocused(w));
    ContentPaletteController* p = w->contentPaletteController();
    ASSERT_TRUE(QTest::qWaitFor([p] { return p->isVisible() && p->actionsPopUpButton()->isEnabled(); }));

    ASSERT_TRUE(ChooseAction(p, "findPlantByName") && QTest::qWaitFor([w] { return SheetOn(w) != nullptr; }));
    auto* name = SheetOn(w)->findChild<QLineEdit*>("nameText");
    ClickAt(name, name->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([name] { return name->hasFocus(); }));
    XDo({"type", "--delay", "5", "--", "oak"});
    ASSERT_TRUE(QTest::qWaitFor([name] { return name->text() == "oak"; }));
    ASSERT_TRUE(Press(w, "searchButton"));
    EXPECT_EQ(std::tuple(p->selectedCategoryItem(), p->contentView()->previewCount()), std::tuple(p->plantSearchResultsItem(), 2u));
    // A tree's preview: its black top shown in the palette's sky colour, over green.
    EXPECT_TRUE(QTest::qWaitFor([p] {
        const QImage shown = Screen(p->contentView());
        return shown.pixelColor(35, 15) == QColor(157, 172, 193) && shown.pixelColor(35, 50) == QColor(Qt::green);
    })) << "no tree preview";

    // The drag runs its own loop: the rest of the gesture comes from timers inside it.
    QWidget* plan = w->docScrollView()->viewport();
    const QPoint from = p->contentView()->mapToGlobal(QPoint(35, 35));
    const QPoint to = plan->mapToGlobal(plan->rect().center() - QPoint(150, 0));
    const QImage before = Screen(plan);
    const auto move = [](QPoint at) { XDo({"mousemove", QString::number(at.x()), QString::number(at.y())}); };
    move(from), QTest::qWait(100), XDo({"mousedown", "1"}), QTest::qWait(100);
    for (int i = 1; i <= 4; ++i) QTimer::singleShot(150 * i, [=] { move(from + (to - from) * i / 4); });
    QTimer::singleShot(800, [] { XDo({"mouseup", "1"}); });
    move(from + QPoint(10, 10));
    QUndoStack* undo = w->document()->undoStack();
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() > 0; }, 5000)) << "no drop";
    EXPECT_EQ(std::tuple(Plants(), undo->undoText()), std::tuple(1, QString("Insert Plant")));
    const QRect drop(plan->rect().center() - QPoint(200, 50), QSize(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Screen(plan).copy(drop) != before.copy(drop); })) << "no plant drawn";

    for (const char* action : {"showPlantFinder", "showPlantHardinessZones", "findObjectByName"}) {
        SCOPED_TRACE(action);
        ASSERT_TRUE(ChooseAction(p, action) && QTest::qWaitFor([w] { return SheetOn(w) != nullptr; }));
        EXPECT_TRUE(Press(w, SheetOn(w)->objectName() == "PlantZoneSheet" ? "okButton" : "cancelButton"));
    }

    // A rectangle above and right of the plant dropped, selected once the plan without any
    // selection was seen; the plants are told by the plan seen unselected again.
    Objex* dropped = gCurDocument->itsCurLayer->firstObject;
    ASSERT_TRUE(dropped && dropped->type == objtype::kPlant);
    const auto unselectedPlan = [&] {
        SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
        w->docView()->update();
        QTest::qWait(300);
        return Screen(plan);
    };
    const float left = (dropped->firstPoint->position[0] + dvxtest::PointAt(dropped, 2)->position[0]) / 2 + 100;
    const float top = (dropped->firstPoint->position[2] + dvxtest::PointAt(dropped, 2)->position[2]) / 2 - 220;
    Objex* bed = dvxtest::Shape(gCurDocument->itsCurLayer, objtype::kRectangle,
                                {{left, top}, {left + 120, top}, {left + 120, top + 120}, {left, top + 120}}, true);
    const QImage unplanted = unselectedPlan();
    dvxtest::Make(bed).select();
    const int plants = Plants();
    ASSERT_TRUE(ChooseMenuItem(w, "Plan", "fillObjectWithPlants") && QTest::qWaitFor([w] { return SheetOn(w) != nullptr; }));
    EXPECT_EQ(SheetOn(w)->objectName(), "PlantFillSheet");
    ASSERT_TRUE(Press(w, "okButton"));
    EXPECT_EQ(undo->undoText(), "Fill Object with Plants");
    EXPECT_GT(Plants(), plants + 4);
    EXPECT_NE(unselectedPlan(), unplanted) << "no plants drawn";
    QTest::qWait(200);
    QGuiApplication::primaryScreen()->grabWindow(0).save(gShot);

    // The live view printed: its sheet on its own window, the page's size to the print routine,
    // which prints into a PDF file; Cancel prints nothing.
    LiveViewController* live = LiveViewController::sharedLiveViewController();
    live->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(live->window()));
    live->window()->move(w->frameGeometry().right() - 300, w->frameGeometry().bottom() - 300);  // clear of the menu bar
    const QString pdf = QString::fromStdString(services.folders.temporaryBase() + "/live-view.pdf");
    int dialogs = 0;
    QTimer printDialogs;
    QObject::connect(&printDialogs, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QPrintDialog*>(top); d && d->isVisible()) {
                ++dialogs;
                d->printer()->setOutputFormat(QPrinter::PdfFormat), d->printer()->setOutputFileName(pdf);
                d->done(QDialog::Accepted);
            }
    });
    printDialogs.start(50);
    for (const char* button : {"cancelButton", "okButton"}) {
        SCOPED_TRACE(button);
        ASSERT_TRUE(ChooseMenuItem(w, "File", "print3DLiveView") &&
                    QTest::qWaitFor([live] { return SheetOn(live->window()) != nullptr; }));
        EXPECT_EQ(SheetOn(live->window())->objectName(), "LV3DPrintSheet");
        EXPECT_TRUE(Press(live->window(), button));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile(pdf).size() > 0; }, 20000)) << "nothing printed";
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(std::tuple(dialogs, printed.read(4)), std::tuple(1, QByteArray("%PDF")));
    printDialogs.stop();
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_content_sheets <screenshot.png>"); }
