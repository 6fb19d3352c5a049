// The content library's sheets on the virtual X server, used with the server's mouse and
// keyboard: a plant found by name from the palette's actions, shown and dragged onto the plan;
// the other finders opened on the document window; a selected outline filled with the plant
// found; the live view printed from the File menu to a PDF file.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <functional>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "content/content_palette_controller.h"
#include "content/content_view.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "support/build.h"
#include "support/qt/content_images.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"
#include "window/window_support.h"

namespace {

QString gShot;

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

    ASSERT_TRUE(FindPlantByName(w, p, "oak"));
    EXPECT_EQ(std::tuple(p->selectedCategoryItem(), p->contentView()->previewCount()), std::tuple(p->plantSearchResultsItem(), 2u));
    // A tree's preview: its black top shown in the palette's sky colour, over green.
    EXPECT_TRUE(QTest::qWaitFor([p] {
        const QImage shown = OnScreen(p->contentView());
        return shown.pixelColor(35, 15) == QColor(157, 172, 193) && shown.pixelColor(35, 50) == QColor(Qt::green);
    })) << "no tree preview";

    QWidget* plan = w->docScrollView()->viewport();
    const QPoint from = p->contentView()->mapToGlobal(QPoint(35, 35));
    const QPoint to = plan->mapToGlobal(plan->rect().center() - QPoint(150, 0));
    const QImage before = OnScreen(plan);
    DragOnScreen(from, to);
    QUndoStack* undo = w->document()->undoStack();
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo->count() > 0; }, 5000)) << "no drop";
    EXPECT_EQ(std::tuple(Plants(), undo->undoText()), std::tuple(1, QString("Insert Plant")));
    const QRect drop(plan->rect().center() - QPoint(200, 50), QSize(100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return OnScreen(plan).copy(drop) != before.copy(drop); })) << "no plant drawn";

    for (const char* action : {"showPlantFinder", "showPlantHardinessZones", "findObjectByName"}) {
        SCOPED_TRACE(action);
        ASSERT_TRUE(ChoosePaletteAction(p, action) && QTest::qWaitFor([w] { return ShownSheet(w) != nullptr; }));
        EXPECT_TRUE(PressSheetButton(w, ShownSheet(w)->objectName() == "PlantZoneSheet" ? "okButton" : "cancelButton"));
    }

    // A rectangle above and right of the plant dropped, selected once the plan without any
    // selection was seen; the plants are told by the plan seen unselected again.
    Objex* dropped = gCurDocument->itsCurLayer->firstObject;
    ASSERT_TRUE(dropped && dropped->type == objtype::kPlant);
    const auto unselectedPlan = [&] {
        SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
        w->docView()->update();
        QTest::qWait(300);
        return OnScreen(plan);
    };
    const float left = (dropped->firstPoint->position[0] + dvxtest::PointAt(dropped, 2)->position[0]) / 2 + 100;
    const float top = (dropped->firstPoint->position[2] + dvxtest::PointAt(dropped, 2)->position[2]) / 2 - 220;
    Objex* bed = dvxtest::Shape(gCurDocument->itsCurLayer, objtype::kRectangle,
                                {{left, top}, {left + 120, top}, {left + 120, top + 120}, {left, top + 120}}, true);
    const QImage unplanted = unselectedPlan();
    dvxtest::Make(bed).select();
    const int plants = Plants();
    ASSERT_TRUE(ChooseMenuItem(w, "Plan", "fillObjectWithPlants") && QTest::qWaitFor([w] { return ShownSheet(w) != nullptr; }));
    EXPECT_EQ(ShownSheet(w)->objectName(), "PlantFillSheet");
    ASSERT_TRUE(PressSheetButton(w, "okButton"));
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
                    QTest::qWaitFor([live] { return ShownSheet(live->window()) != nullptr; }));
        EXPECT_EQ(ShownSheet(live->window())->objectName(), "LV3DPrintSheet");
        EXPECT_TRUE(PressSheetButton(live->window(), button));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile(pdf).size() > 0; }, 20000)) << "nothing printed";
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_EQ(std::tuple(dialogs, printed.read(4)), std::tuple(1, QByteArray("%PDF")));
    printDialogs.stop();
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

// The plants of a floor the user is not working on: the furnished house's three plants stand on
// the first floor. On the second floor, one click on the plant-growth arrow of the Landscape tab
// regrows them and leaves nothing selected on any floor, so back on the first floor no plant's
// pane shows.
TEST(ContentSheetsWindow, AGrowthStepOnTheSecondFloorLeavesTheFirstFloorsPlantsUnselected) {
    WindowTestServices services("plantgrowthwindow");
    QMDWindowController* w = OpenDesignWindow(DVX_TEST_DESIGNS "/furnished-house.pro", services);
    ASSERT_TRUE(w && ShowFocused(w));
    std::vector<Objex*> plants;
    std::function<void(Objex*, std::vector<Objex*>*)> gather = [&](Objex* o, std::vector<Objex*>* out) {
        for (; o; o = o->next) {
            if (o->type == objtype::kPlant) out->push_back(o);
            gather(o->firstChild, out);
        }
    };
    auto selected = [&] {
        std::vector<Objex*> all, picked;
        for (Layer* l = gCurDocument->itsLayers; l; l = l->next) gather(l->firstObject, &all);
        for (Objex* o : all)
            if (IsObjectSelected(o)) picked.push_back(o);
        return picked;
    };
    gather(GetLayerFromName("First Floor")->firstObject, &plants);
    ASSERT_EQ(plants.size(), 3u);
    ASSERT_TRUE(selected().empty());

    ASSERT_TRUE(ChooseMenuItem(w, "Plan", "workOnFloor", 5276, "Working Floor"));
    ASSERT_EQ(std::string(gCurDocument->itsCurLayer->name), "Second Floor");
    QTabBar* tabs = w->docTabView();
    int landscape = 0;
    while (landscape < tabs->count() && tabs->tabText(landscape) != "Landscape") ++landscape;
    ClickAt(tabs, tabs->tabRect(landscape).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return tabs->currentIndex() == landscape; }));
    PlanToolPaletteController* palette = PlanToolPaletteController::shared();
    palette->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(palette->window()));
    QToolButton* arrow = palette->plantGrowthRightButton();
    if (!arrow->isEnabled()) arrow = palette->plantGrowthLeftButton();
    const float width = plants[0]->bounds3D.floatRight - plants[0]->bounds3D.floatLeft;
    // The growth indicator painted again after the step and after its Undo, not only once
    // the plan's tab changes.
    struct Paints : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++count;
            return false;
        }
    } paints;
    QProgressBar* indicator = palette->plantGrowthLevelIndicator();
    indicator->installEventFilter(&paints);
    ClickAt(arrow, arrow->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return plants[0]->bounds3D.floatRight - plants[0]->bounds3D.floatLeft != width; }))
        << "the plants did not grow";
    EXPECT_EQ(selected().size(), 0u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; })) << "the growth indicator kept its old fill";
    paints.count = 0;
    w->document()->undoStack()->undo();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; })) << "the growth indicator kept the step's fill after its Undo";
    indicator->removeEventFilter(&paints);

    ASSERT_TRUE(ChooseMenuItem(w, "Plan", "workOnFloor", 5275, "Working Floor"));
    QTest::qWait(300);
    const QLineEdit* age = w->parentInspectorView()->findChild<QLineEdit*>("plantAgeText");
    EXPECT_FALSE(age && age->isVisible()) << "the plant pane shows";
    if (!gShot.isEmpty()) QGuiApplication::primaryScreen()->grabWindow(0).save(gShot.chopped(4) + "-plant-growth.png");
    LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot, "test_window_content_sheets <screenshot.png>"); }
