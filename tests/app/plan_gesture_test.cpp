// The plan view's Qt events on their way into the mouse road, in a document window: where a
// press, its drags, keys and release land, what waits while it lasts, the menus a press runs,
// drops and the auto-click modifier.
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/preference_keys.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "content/core/content_selection_seams.h"
#include "content/core/sym_entry.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/tracking_recorders.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

using Names = std::vector<std::string>;

class PlanGestures : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("gesture"));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        view = w->docView(), ds = CurrentDocState(), floor = gCurDocument->itsCurLayer;
        ds->zoomFactor = 1;
        // Widget (x, y) is plan view (x - 1000.25, y - 800.75) before it is made whole.
        view->setBoundsOrigin({-1000.25f, -800.75f});
        tracker.emplace();
    }
    void TearDown() override { tracker.reset(), AppController::destroyShared(), ResetAllGlobals(); }
    void Drag(QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &e);
    }
    // The named item of the next menu to show is chosen, and the menu closed.
    void Choose(const char* action) {
        QTimer::singleShot(0, [action] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (a->objectName() == action) a->trigger();
            menu->close();
        });
    }
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    DocState* ds = nullptr;
    Layer* floor = nullptr;
    std::optional<RecordingTracker> tracker;
};

TEST_F(PlanGestures, APressIsTrackedUntilItsReleaseWhileTheWheelMenusAndEditsWait) {
    QCursor::setPos(view->mapToGlobal(QPoint(230, 170)));
    QApplication::processEvents();
    gCurTool = 7050;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));  // returns: the gesture lives on
    Drag({230, 170});
    QTest::keyPress(view, Qt::Key_Shift);  // at the pointer, Shift now down
    QTest::keyPress(view, Qt::Key_Delete);
    QWheelEvent wheel({50, 50}, {50, 50}, {}, {0, 120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->docScrollView()->viewport(), &wheel);
    const POINT pressed = view->mouseEvent().value().where;
    const bool offered = CommandRouter::validateMenuItem(w->commandRouter()->action("selectAll"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(230, 170));
    EXPECT_EQ(tracker->calls, (Names{"begin -799,-650", "keep -769,-630 from -799,-650", "keep -769,-630 from -769,-630",
                                     "keep -769,-630 from -769,-630", "end -769,-630 at -769,-630"}));
    EXPECT_EQ(tracker->previousModifiers, (std::vector<int>{0, 0, 4}));
    EXPECT_EQ(std::tuple(pressed.x, pressed.y, offered, ds->zoomFactor, view->mouseEvent().has_value()),
              std::tuple(-799, -650, false, 1.0f, false));
    EXPECT_EQ(w->document()->undoStack()->undoText(), "Exterior Wall Tool");

    // A lost focus ends the gesture where it last was; the next press is the view's again.
    tracker->calls.clear(), gCurTool = 7050;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    Drag({210, 160});
    QFocusEvent lost(QEvent::FocusOut);
    QApplication::sendEvent(view, &lost);
    EXPECT_EQ(std::tuple(tracker->calls.back(), view->gestureBusy(), CommandRouter::validateMenuItem(w->commandRouter()->action("selectAll"))),
              std::tuple("end -789,-640 at -789,-640", false, true));
    // So does a second press of the held button: its release went astray.
    tracker->calls.clear();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(220, 150));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(220, 150));
    EXPECT_EQ(tracker->calls, (Names{"begin -799,-650", "end -799,-650 at -799,-650", "begin -779,-650",
                                     "end -779,-650 at -779,-650"}));
}

TEST_F(PlanGestures, ControlAndRightClicksRunTheirMenusBeforeThePressReturns) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    wall->subtype = objsubtype::kExteriorWall;
    Choose("convertWallType");
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, QPoint(1050, 801));  // the wall at (50, 0)
    EXPECT_EQ(std::tuple(wall->subtype == objsubtype::kExteriorWall, gContextFoundObj, w->document()->undoStack()->undoText()),
              std::tuple(false, nullptr, QString("Convert Wall to Interior")));
    const uint8_t grid = ds->showGrid;
    Choose("toggleGrid");
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(1500, 1200));
    EXPECT_NE(ds->showGrid, grid);
}

TEST_F(PlanGestures, DropsNeedThe2DTypeAndTheAutoClickItsChosenModifier) {
    SymEntryInfo plant;
    plant.type = symentry::kStockPlant, plant.textureID = 2001;
    const std::vector<uint8_t> record = plant.encodeSymEntry();
    QMimeData data;
    data.setData(kContent3DDNDPboardType, QByteArray(reinterpret_cast<const char*>(record.data()), int(record.size())));
    QDragEnterEvent onlyFor3D(QPoint(1000, 800), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view, &onlyFor3D);
    data.setData(kContent2DDNDPboardType, {});
    QDragEnterEvent enter(QPoint(1000, 800), Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent drop(QPointF(1000, 800), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(view, &enter), QApplication::sendEvent(view, &drop);
    EXPECT_EQ(std::tuple(onlyFor3D.isAccepted(), enter.isAccepted(), drop.isAccepted(), CountObjects(floor->firstObject)),
              std::tuple(false, true, true, 1));
    EXPECT_EQ(w->document()->undoStack()->undoText(), "Insert Plant");

    SetContentPaletteSelectedCategoryHandler([] { return int16_t(5); });
    SetContentPaletteSelectedSymEntryHandler([&] { return std::optional<SymEntryInfo>(plant); });
    auto cursor = [&] { return w->docScrollView()->viewport()->cursor().shape(); };
    QTest::keyPress(view, Qt::Key_Alt);
    const auto armed = std::tuple(view->planMouse().autoClick2DActive(), cursor());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(std::tuple(armed, view->planMouse().autoClick2DActive(), cursor()),
              std::tuple(std::tuple(true, Qt::PointingHandCursor), false, Qt::ArrowCursor));
    port::defaults().setString(QMDAutoClickModifierKey, "Meta");  // the window manager keeps Alt
    QTest::keyPress(view, Qt::Key_Alt);
    const bool byAlt = view->planMouse().autoClick2DActive();
    QTest::keyPress(view, Qt::Key_Meta);
    EXPECT_EQ(std::tuple(byAlt, view->planMouse().autoClick2DActive()), std::tuple(false, true));
    port::defaults().remove(QMDAutoClickModifierKey);
}

}  // namespace
}  // namespace dvxtest
