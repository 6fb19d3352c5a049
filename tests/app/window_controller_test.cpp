// The document window on a design: what it shows, the model's calls it answers, its plan
// tabs, elevation slider, trace image and menus; the plan view's scrolling, zoom, camera
// marker, keys and hand tool; its events on their way into the mouse road, the menus a press
// runs, drops and the auto-click modifier; a drag's feedback over the kept plan; what the
// context menus offer.
#include "app/window_controller.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/context_menu_factory.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/core/status_bar_seams.h"
#include "app/core/preference_keys.h"
#include "app/document_view.h"
#include "app/widgets.h"
#include "content/core/content_selection_seams.h"
#include "model/sym_entry.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/command_ids.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "plan/refresh_seams.h"
#include "plan/selection_feedback.h"
#include "plan/zoom.h"
#include "port/qt/painter_context.h"
#include "port/qt/platform.h"
#include "powertools/core/plugin_list_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/tracking_recorders.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/tool_palettes.h"

namespace dvxtest {
namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        root = FreshTempFolder("window");
        folders = std::make_unique<TempFolders>(root);
        port::setFolders(folders.get());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        port::setImageDecoder(&images);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);  // imperial designs
        c = AppController::shared()->documentController();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }
    QMDWindowController* Open(QMDDocument* d = nullptr) {
        if (!d) d = c->openUntitledDocument();
        d->makeWindowControllers();
        auto* w = static_cast<QMDWindowController*>(d->windowController);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        return w;
    }
    std::string root;
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    FakeImageDecoder images;
    QMDDocumentController* c = nullptr;
};

struct PaintSpy : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted |= static_cast<QPaintEvent*>(e)->rect();
        return false;
    }
    QRect painted;
};

TEST_F(Window, ADesignOpensWithItsPlanTabsToolbarFloorAndStatusBar) {
    QMDDocument* saved = c->openUntitledDocument();
    Wall(saved->model()->itsCurLayer, {{0, 0}, {100, 0}});
    ASSERT_TRUE(saved->saveToFile(root + "/plan.pro"));
    QMDWindowController* w = Open(c->openDocumentWithContentsOfFile(root + "/plan.pro"));
    QStringList tabs, items;
    for (int i = 0; i < w->docTabView()->count(); ++i) tabs << w->docTabView()->tabData(i).toString();
    for (QAction* a : w->docToolbar()->actions())
        if (!a->text().isEmpty()) items << a->text();
    EXPECT_EQ(tabs, QStringList({"1", "2", "4", "8", "16", "32", "64", "128", "256"}));
    EXPECT_EQ(items, QStringList({"Active Floor", "Content", "Inspector", "Lot Properties", "LiveView"}));
    EXPECT_EQ(w->activeFloorTBPopUpButton()->currentText(), "First Floor");
    EXPECT_TRUE(w->statusBar()->isVisible());
    EXPECT_EQ(MainWindowDocumentView(), static_cast<Base2DView*>(w->docView()));

    // Undoing back to a state on the second floor (the active one) shows it in the pop-up.
    Layer *first = GetLayerFromName("First Floor"), *second = GetLayerFromName("Second Floor");
    first->active = 0, second->active = 1;
    StoreUndo("Move");
    first->active = 1, second->active = 0;
    StoreUndo("Move");
    w->document()->undoStack()->undo();
    EXPECT_EQ(w->activeFloorTBPopUpButton()->currentText(), "Second Floor");
}

TEST_F(Window, TheModelsCallsReachTheMainWindow) {
    QMDWindowController* w = Open();
    PaintSpy spy;
    w->docView()->installEventFilter(&spy);
    Refresh();
    QApplication::processEvents();
    EXPECT_TRUE(spy.painted.contains(w->docView()->visibleWidgetRect())) << spy.painted.width();
    MainWindowStatusText("90\xBC");
    EXPECT_EQ(w->statusText()->text(), QString::fromUtf8("90º"));

    // A model alert is a sheet on this window while a palette is active; the model can close it.
    port::qt::QtAlerts sheets;
    port::setAlerts(&sheets);
    QWidget* palette = ToolPaletteController::shared()->window();
    palette->show();
    QApplication::setActiveWindow(palette);
    int ended = -1;
    port::alerts().beginSheet({"The file could not be read.", "", {"OK", "Cancel"}}, [&](int b) { ended = b; });
    QPointer<QMessageBox> sheet = w->findChild<QMessageBox*>();
    ASSERT_TRUE(sheet && sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    CloseMainWindowSheet();
    EXPECT_EQ(std::tuple(sheet.isNull() || !sheet->isVisible(), ended), std::tuple(true, 1));
    port::setAlerts(&alerts);

    // Quit asks to save an edited design; Cancel keeps it running.
    StoreUndo("Move");
    alerts.answer(2);
    EXPECT_FALSE(AppController::shared()->terminate());
    EXPECT_TRUE(w->isVisible() && alerts.shown.back().alert.message.find("save the changes") != std::string::npos);
    // A design a PowerTool holds, or every window minimised, disables the delegate's items.
    QAction* item = w->menuBar()->findChild<QMenu*>("Window")->actions().first();
    EXPECT_TRUE(AppController::shared()->validateMenuItem(item));
    SetPowerToolEntryForDocumentHandler([](const QMDDocumentModel*) { return 109; });
    EXPECT_FALSE(AppController::shared()->validateMenuItem(item));
    SetPowerToolEntryForDocumentHandler(nullptr);
    w->showMinimized();
    EXPECT_FALSE(AppController::shared()->validateMenuItem(item));
    EXPECT_FALSE(palette->isVisible());
    w->showNormal();
    EXPECT_TRUE(palette->isVisible());
}

TEST_F(Window, PlanTabsChooseThePlanAndTheMainWindowsDesignIsCurrent) {
    QMDWindowController* first = Open();
    DocState* ds = CurrentDocState();
    for (int i = 0; i < 9; ++i) ds->planMasks[i] = 1000 + i;
    Objex* plant = Shape(gCurDocument->itsCurLayer, objtype::kPlant, {{0, 0}});
    Make(plant).select();
    gCurTool = 7050;
    first->docTabView()->setCurrentIndex(4);
    EXPECT_EQ(std::tuple(gCurToolSet, ds->currentPlanBit, ds->visiblePlans, gCurTool, SelectedPointCount(plant),
                         PlanToolPaletteController::shared()->shownPlan()),
              std::tuple(4, 16, 1004, 200, 0, 4));

    // The plan command selects the tab as a click would.
    Win32EventHandler().workOnPlanUsingCommand(5349);
    EXPECT_EQ(std::tuple(first->docTabView()->currentIndex(), gCurToolSet, ds->currentPlanBit), std::tuple(6, 6, 64));
    QMDWindowController* second = Open();
    for (QMDWindowController* w : {first, second}) {
        QApplication::setActiveWindow(w);
        EXPECT_EQ(gCurDocument, w->document()->model());
    }
    first->close();  // not the current design's window: nothing changes
    EXPECT_EQ(gCurDocument, second->document()->model());
    EXPECT_EQ(MainWindowDocumentView(), static_cast<Base2DView*>(second->docView()));
}

TEST_F(Window, TheElevationSliderShowsTheSelectionAndAppliesWhenLetGo) {
    QMDWindowController* w = Open();
    ElevationSlider* slider = w->elevationSlider();
    auto letGo = [&](int value) {
        slider->setValue(value);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(5, 5));
    };
    QUndoStack* undos = w->document()->undoStack();
    Layer* floor = gCurDocument->itsCurLayer;
    Objex* high = Shape(floor, objtype::kPlant, {{0, 0}});
    high->elevation = 360;
    Make(high).select();
    RefreshSelectionState40();
    EXPECT_EQ(std::tuple(slider->shouldDrawKnob(), w->elevationText()->text()), std::tuple(false, QString("30'")));

    SelectAllLayers(floor, 2, 0);
    RefreshSelectionState40();
    slider->setValue(7);  // a drag: only the text follows
    EXPECT_EQ(std::tuple(slider->shouldDrawKnob(), w->elevationText()->text(), CurrentDocState()->currentElevation),
              std::tuple(true, QString("7'"), 0.0f));
    letGo(7);  // nothing selected: the working elevation
    EXPECT_EQ(std::tuple(CurrentDocState()->currentElevation, undos->undoText()), std::tuple(84.0f, QString("Elevation Slider")));
    Make(high).select();
    RefreshSelectionState40();
    letGo(5);  // one selected: its elevation
    EXPECT_EQ(high->elevation, 60.0f);

    Objex* low = Shape(floor, objtype::kPlant, {{50, 0}});
    low->elevation = 0;
    Make(low).select();
    RefreshSelectionState40();
    const int steps = undos->count();
    alerts.answer(1);
    letGo(3);  // mixed: asked first, and Cancel changes and stores nothing
    EXPECT_EQ(alerts.shown.back().alert.message, "Elevation settings will be applied to all selected objects.");
    EXPECT_EQ(std::tuple(high->elevation, low->elevation, undos->count()), std::tuple(60.0f, 0.0f, steps));
    letGo(3);
    EXPECT_EQ(std::tuple(high->elevation, low->elevation, undos->count()), std::tuple(36.0f, 36.0f, steps + 1));
}

TEST_F(Window, ItsMenusPopUpValidatedAndSendTheirChoiceOn) {
    QMDWindowController* w = Open();
    QStringList validated, chosen;
    w->setContextMenuHandlers({[&](QAction* a) { validated << a->objectName(); },
                               [&](QAction* a) { chosen << a->objectName() + ":" + a->data().toString(); }});
    QTest::mouseClick(w->elevationSlider(), Qt::RightButton, {}, QPoint(20, 5));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    menu->actions()[0]->trigger();
    menu->close();
    QPushButton button(w);  // the visible plans drop from under it, without their face
    button.setGeometry(100, 100, 40, 20);
    w->setVisiblePlanUsingTBMenu(&button);
    ASSERT_TRUE(menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()));
    EXPECT_EQ(std::tuple(menu->pos(), menu->actions()[0]->isVisible()), std::tuple(button.mapToGlobal(QPoint(0, 20)), false));
    menu->actions()[1]->trigger();
    EXPECT_EQ(chosen.join(' '), "setWorkingElevation:0 setVisiblePlans:11000");
    EXPECT_EQ(validated.size(), 1 + 9);
}

TEST_F(Window, KeysDeleteTheFloorsSelectionStepTheSnapModeAndNudgeOnlyWhatIsShown) {
    QMDWindowController* w = Open();
    auto type = [&](std::initializer_list<QKeyCombination> keys) {
        for (QKeyCombination k : keys) QTest::keyClick(w->docView(), k.key(), k.keyboardModifiers());
    };
    auto selected = [](Layer* on) { return Make(Shape(on, objtype::kDetail, {{0, 0}, {20, 0}})).select().get(); };
    Layer *floor = gCurDocument->itsCurLayer, *hidden = GetLayerFromName("Third Floor");
    hidden->visible = 0, selected(hidden);
    type({Qt::Key_Delete, Qt::Key_Up});  // nothing selected on the floor worked on: the nudge's step alone
    Win32EventHandler().nudgeObjectsUsingCommand(cmd::kNudgeUp);
    Objex* o = selected(floor);
    const float d = PointAt(o, 0)->position[2];
    type({Qt::Key_Up, Qt::SHIFT | Qt::Key_Up});
    EXPECT_NE(PointAt(o, 0)->position[2], d);
    w->setStatusBarText("Width: 1'"), type({Qt::CTRL | Qt::Key_Delete, Qt::Key_Backspace});
    selected(floor);
    type({Qt::Key_Delete});
    QStringList steps;
    for (int i = 0; i < w->document()->undoStack()->count(); ++i) steps << w->document()->undoStack()->text(i);
    EXPECT_EQ(steps.join(','), "Nudge Up,Nudge Up,Delete,Delete");
    EXPECT_EQ(std::tuple(floor->firstObject, hidden->firstObject != nullptr, w->statusText()->text()),
              std::tuple(nullptr, true, QString()));
    gCurSnap = snapmode::kNone, type({Qt::Key_Tab});
    const int16_t forward = gCurSnap;
    gCurSnap = snapmode::kNone, type({Qt::SHIFT | Qt::Key_Backtab});
    EXPECT_EQ(std::tuple(forward, gCurSnap, QApplication::focusWidget()), std::tuple(501, 508, w->docView()));
}

TEST_F(Window, ATraceImageLoadsOrIsRefusedWithAnAlert) {
    QMDWindowController* w = Open();
    DocState* ds = CurrentDocState();
    const std::string good = root + "/trace.png", tooLong = root + "/" + std::string(600 - root.size(), 'x');
    for (const std::string& path : {good, tooLong}) images.add(path, port::DecodedImage{1, 1, {1, 2, 3}});
    w->floorplanTraceOpenPanelDidEnd(good);
    EXPECT_EQ(std::tuple(std::string(ds->traceImagePath), ds->traceImageShown, ds->traceImageScaleH, ds->traceImageScaleV),
              std::tuple(good, 1, 1.0f, 1.0f));
    EXPECT_TRUE(gCurDocument->itsTraceImage);
    EXPECT_EQ(w->document()->undoStack()->undoText(), "Load Floorplan Trace Image");
    for (const std::string& bad : {root + "/gone.png", tooLong}) {
        const size_t shown = alerts.shown.size();
        w->floorplanTraceOpenPanelDidEnd(bad);
        ASSERT_EQ(alerts.shown.size(), shown + 1) << bad.size();
        EXPECT_EQ(alerts.shown.back().alert.message, "Unable to load the Floorplan Trace image.");
        EXPECT_EQ(std::tuple(gCurDocument->itsTraceImage, ds->traceImagePath[0], ds->traceImageShown),
                  std::tuple(nullptr, 0, 0));
    }
    EXPECT_EQ(images.requested.back(), root + "/gone.png");  // the long path was never tried
}

// The plan view in a bare scroll view of 400 x 300 on a new design at zoom 1.
class PlanView : public Window {
protected:
    void SetUp() override {
        Window::SetUp();
        c->openUntitledDocument();
        CurrentDocState()->zoomFactor = 1.0f;
        scroll.setDocumentView(view = new QMDDocumentView);
        scroll.resize(400, 300);
        scroll.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&scroll));
        clip = scroll.clipView();
    }
    void Wheel(QPoint at, int angle, Qt::KeyboardModifiers keys = Qt::ControlModifier) {
        QWheelEvent e(at, clip->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(clip, &e);
    }
    QMDDocumentScrollView scroll;
    QMDDocumentView* view = nullptr;
    QMDDocumentClipView* clip = nullptr;
};

TEST_F(PlanView, ASmallPlanIsCentredAWideOneScrollsWithinItself) {
    const QSize b = clip->size();
    view->setFrameSize({200, 100});
    const QPoint centred((200 - b.width()) / 2, (100 - b.height()) / 2);
    EXPECT_EQ(clip->boundsOrigin(), centred);
    clip->scrollToPoint({40, 40});
    EXPECT_EQ(std::tuple(clip->boundsOrigin(), view->pos()), std::tuple(centred, -centred));
    view->setFrameSize({1000, 100});
    for (auto [to, x] : {std::pair(-30.0, 0), {250.4, 250}, {5000.0, 1000 - b.width()}}) {
        clip->scrollToPoint({to, 0});
        EXPECT_EQ(clip->boundsOrigin(), QPoint(x, centred.y())) << to;
    }
    EXPECT_EQ(scroll.horizontalScrollBar()->maximum(), 1000 - b.width());
    Wheel({50, 50}, -120, Qt::NoModifier);  // without Ctrl the wheel scrolls
    view->setFrameSize({1000, 1000});
    const int y = clip->boundsOrigin().y();
    Wheel({50, 50}, -120, Qt::NoModifier);
    EXPECT_GT(clip->boundsOrigin().y(), y);
}

TEST_F(PlanView, CtrlAndTheWheelZoomAboutTheMouse) {
    DocState* ds = CurrentDocState();
    float w = 0, h = 0;
    GetAdjustedPaperWidthAndHeight(&w, &h);
    view->setFrameSize({w, h});
    view->setBoundsOrigin({-w / 2, -h / 2});
    view->scrollPoint({-100, -100});
    const QPoint mouse(130, 90);
    const QPointF at = view->mapFrom(clip, mouse) + QPointF(view->boundsOrigin().x, view->boundsOrigin().y);
    const float ux = UnzoomF(at.x()), uy = UnzoomF(at.y());
    Wheel(mouse, 120);
    EXPECT_FLOAT_EQ(ds->zoomFactor, 1.025f);
    EXPECT_EQ(ds->savedZoom, ds->zoomFactor);
    const QPointF now(ZoomF(ux) - view->boundsOrigin().x, ZoomF(uy) - view->boundsOrigin().y);
    const QPoint moved = view->mapTo(clip, now.toPoint()) - mouse;
    EXPECT_TRUE(std::abs(moved.x()) <= 1 && std::abs(moved.y()) <= 1) << moved.x() << "," << moved.y();
    Wheel(mouse, 0);
    EXPECT_FLOAT_EQ(ds->zoomFactor, 1.025f);
    Wheel(mouse, 120 * 200);
    EXPECT_FLOAT_EQ(ds->zoomFactor, 3.01f);
    Wheel(mouse, -120 * 400);
    EXPECT_FLOAT_EQ(ds->zoomFactor, GetMinZoom());
}

TEST_F(PlanView, TheCameraMarkerAnswersClicksAndStaysOverASnapshot) {
    SetPlanView();
    DocState* ds = CurrentDocState();
    ds->cameraPosition = {0, 0}, ds->lightOffset = {100, 50}, ds->cameraHeading = 0;
    struct Row { int16_t mode; POINT at; int16_t hit; };
    // Walking, the triangle points up from the camera (apex 20 up, corners 10 out at 50 degrees).
    for (const Row& r : {Row{2, {100, 50}, 2}, {2, {106, 50}, 0}, {2, {0, 0}, 0}, {1, {0, 0}, 2}, {1, {4, -4}, 2},
                         {1, {0, -12}, 1}, {1, {0, -22}, 0}, {1, {100, 50}, 0}}) {
        ds->cameraMode = r.mode;
        EXPECT_EQ(view->ptInViewPoint(r.at), r.hit) << r.mode << " " << r.at.x << "," << r.at.y;
    }
    QMDDocumentView plan;
    plan.resize(200, 200);
    plan.setBoundsOrigin({-100, -100});
    const QImage before = plan.grab().toImage();
    plan.initializeDynamicViewPointSystem();
    Wall(gCurDocument->itsCurLayer, {{-50, -50}, {50, -50}});
    EXPECT_EQ(plan.grab().toImage(), before);
    plan.resetDynamicViewPointSystem();
    EXPECT_NE(plan.grab().toImage(), before);
}

TEST_F(PlanView, TrackersScrollTenTowardAPointAndTheHandDragsThePlanByWholePixels) {
    view->setFrameSize({2000, 2000});
    clip->scrollToPoint({800, 800});
    const QPoint start = clip->boundsOrigin();
    auto scrolled = [&] { return clip->boundsOrigin() - start; };
    const PlatformRect r = view->visibleRect();
    gCurTool = 205;  // zooming into a marquee
    view->autoScrollToPoint({int32_t(r.x) - 5, int32_t(r.y) - 5});
    EXPECT_EQ(scrolled(), QPoint());
    gCurTool = 200;  // left of and below the visible rectangle
    view->autoScrollToPoint({int32_t(r.x) - 5, int32_t(r.y + r.height) + 5});
    EXPECT_EQ(scrolled(), QPoint(-10, 10));
    clip->scrollToPoint(start);
    gCurTool = 204;
    auto drag = [&](QPointF at) {
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        return QApplication::sendEvent(view, &e), scrolled();
    };
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(clip->cursor().shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(drag({230, 140}), QPoint(-30, 10));
    EXPECT_EQ(drag({200.3, 150.2}), QPoint(-30, 10));  // the plan moved with the hand: a third of a pixel on
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(clip->cursor().shape(), Qt::OpenHandCursor);
}

// A window's plan at zoom 1 over three walls and a text, its origin between pixels, showing about
// (-300, -200) at the visible part's corner; text is measured as the program measures it.
class KeptPlan : public Window {
protected:
    void SetUp() override {
        Window::SetUp();
        port::setDefaultDrawingContext(&measuring);
        w = Open(), view = w->docView(), floor = gCurDocument->itsCurLayer;
        // Wider than the window placed on the offscreen screen, so the drags stay in view.
        w->resize(800, 600);
        CurrentDocState()->zoomFactor = 1;
        for (float y : {-60.0f, 0.0f, 60.0f}) Wall(floor, {{-150, y}, {150, y + 20}});
        Objex* text = Make(objtype::kText).on(floor).shown().text("Porch").plan({{-100, 90}, {-40, 90}, {-40, 120}, {-100, 120}});
        objfield::text_object::kAngle(*text) = 30;  // turned text measures its box as it draws
        view->setBoundsOrigin({view->boundsOrigin().x - 0.25f, view->boundsOrigin().y - 0.75f});
        view->scrollPoint({-300, -200});
        view->installEventFilter(&spy);
        Settle();
    }
    void TearDown() override { Window::TearDown(), port::setDefaultDrawingContext(nullptr); }
    void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    QPoint At(QPoint plan) const { return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y)); }
    void Move(QPoint plan) {
        QMouseEvent e(QEvent::MouseMove, At(plan), view->mapToGlobal(At(plan)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &e);
        Settle();
    }
    // The visible part as the screen shows it, and as one whole frame draws it.
    QImage Screen() const {
        const QRect shown = view->visibleWidgetRect();
        const QPoint at = view->mapTo(w, shown.topLeft());
        return w->screen()->grabWindow(w->winId(), at.x(), at.y(), shown.width(), shown.height()).toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage Drawn() const {
        const PlatformRect r = view->visibleRect();
        QImage image(int(r.width), int(r.height), QImage::Format_RGB32);
        QPainter painter(&image);
        painter.translate(-r.x, -r.y);
        port::qt::QPainterContext context(painter);
        port::DrawingScope scope(context);
        view->drawRect(r);
        return image;
    }
    port::qt::QtMeasuringContext measuring;
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    Layer* floor = nullptr;
    PaintSpy spy;
};

TEST_F(KeptPlan, ADragPaintsItsFeedbackOverTheKeptPlanAsAWholeFrameWould) {
    struct Step {
        QPoint to;
        bool editFirst;  // the design changes under the drag
        int draws;       // of the plan under the feedback, in this drag so far
    };
    // Tools draw their feedback each their own way (the oval's builds scratch arcs outside the
    // design); the select tool's is the marquee.
    for (int16_t tool : {toolid::kSelect, toolid::kRectangle, toolid::kOval, toolid::kLine, toolid::kExteriorWall}) {
        gCurTool = tool;
        const int before = view->keptPlanDraws();
        QTest::mousePress(view, Qt::LeftButton, {}, At({-120, -100}));
        Move({-110, -90});  // the feedback shows by now
        for (const Step& s : {Step{{-60, -40}, false, 1}, {{40, 30}, false, 1}, {{-20, -80}, false, 1},
                              {{90, 70}, true, 2}, {{60, 10}, false, 2}}) {
            if (s.editFirst) Wall(floor, {{-200, 100}, {200, 100}});
            spy.painted = {};
            Move(s.to);
            EXPECT_EQ(view->keptPlanDraws() - before, s.draws) << tool << " " << s.to.x();
            EXPECT_TRUE(Screen() == Drawn()) << tool << " " << s.to.x();
            // Only the old and new feedback are painted while the kept image holds.
            if (!s.editFirst) { EXPECT_LT(spy.painted.width(), view->visibleWidgetRect().width()) << s.to.x(); }
        }
        const PlatformRect shown = view->visibleRect();
        view->scrollPoint({shown.x - 10, shown.y});
        Move({50, 20});
        EXPECT_EQ(std::tuple(view->keptPlanDraws() - before, Screen() == Drawn()), std::tuple(3, true)) << tool;
        QTest::mouseRelease(view, Qt::LeftButton, {}, At({50, 20}));
        Settle();
        EXPECT_EQ(std::tuple(view->keptPlanDraws() - before, Screen() == Drawn()), std::tuple(3, true)) << tool;
    }
}

// The select tool's clicks: a plain selecting click repaints only the handles; after the wall
// clearances showed, and for presses, drags and releases on a selection, the screen is what a
// whole frame drawn afresh shows, the clearances waiting to be drawn in it.
TEST_F(KeptPlan, TheSelectToolLeavesTheScreenAsAWholeFrame) {
    gCurTool = toolid::kSelect;
    for (float x : {-250.0f, -150.0f})
        Make(9).on(floor).closed().shown().plan({{x, -150}, {x + 50, -150}, {x + 50, -110}, {x, -110}}).bounds();
    view->update(), Settle();
    // Press, release, whether only the handles' area is painted: a box, the wall, the box, a
    // still press and a drag on it, the other box, empty plan, the wall, its drag, a still press.
    for (auto [press, release, partial] : std::vector<std::tuple<QPoint, QPoint, bool>>{
             {{-250, -150}, {-250, -150}, true}, {{0, 10}, {0, 10}, false}, {{-250, -150}, {-250, -150}, false},
             {{-225, -150}, {-225, -150}, false}, {{-225, -150}, {-215, -140}, false},
             {{-125, -150}, {-125, -150}, true}, {{-280, -180}, {-280, -180}, true}, {{0, 10}, {0, 10}, false},
             {{0, 10}, {5, 25}, false}, {{5, 28}, {5, 28}, false}}) {
        QTest::mousePress(view, Qt::LeftButton, {}, At(press));
        if (release != press) Move(release);
        QTest::mouseRelease(view, Qt::LeftButton, {}, At(release));
        auto clearances = std::tie(gSelectedWallSegmentStartPtSideA, gSelectedWallSegmentEndPtSideA,
                                   gSelectedWallSegmentStartPtSideB, gSelectedWallSegmentEndPtSideB);
        const std::tuple<FloatPoint, FloatPoint, FloatPoint, FloatPoint> stored = clearances;
        spy.painted = {}, Settle();
        const QImage screen = Screen();
        clearances = stored;
        EXPECT_TRUE(screen == Drawn()) << press.x() << "," << press.y();
        if (partial) { EXPECT_LT(spy.painted.width(), view->visibleWidgetRect().width()) << press.x(); }
    }
}

// A window's plan view with the tracker recorded; widget (x, y) is plan view
// (x - 1000.25, y - 800.75) before it is made whole.
class Gestures : public Window {
protected:
    void SetUp() override {
        Window::SetUp();
        w = Open(), view = w->docView(), ds = CurrentDocState(), floor = gCurDocument->itsCurLayer;
        ds->zoomFactor = 1;
        view->setBoundsOrigin({-1000.25f, -800.75f});
        tracker.emplace();
    }
    void TearDown() override { tracker.reset(), Window::TearDown(); }
    void Drag(QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &e);
    }
    // The next menu to show has its named item chosen and closes.
    void Choose(const char* action) {
        QTimer::singleShot(0, [action] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* a : menu ? menu->actions() : QList<QAction*>())
                if (a->objectName() == action) a->trigger();
            if (menu) menu->close();
        });
    }
    bool offered() { return CommandRouter::validateMenuItem(w->commandRouter()->action("selectAll")); }
    QString lastStep() { return w->document()->undoStack()->undoText(); }
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    DocState* ds = nullptr;
    Layer* floor = nullptr;
    std::optional<RecordingTracker> tracker;
};

TEST_F(Gestures, APressIsTrackedUntilItsReleaseWhileTheWheelMenusAndEditsWait) {
    QCursor::setPos(view->mapToGlobal(QPoint(230, 170)));
    QApplication::processEvents();
    gCurTool = 7050;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150));  // returns: the gesture lives on
    Drag({230, 170});
    QTest::keyPress(view, Qt::Key_Shift);  // at the pointer, Shift now down
    QTest::keyPress(view, Qt::Key_Delete);
    QWheelEvent wheel({50, 50}, {50, 50}, {}, {0, 120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->docScrollView()->viewport(), &wheel);
    const auto during = std::tuple(view->mouseEvent().value().where.x, view->mouseEvent()->where.y, offered());
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(230, 170));
    // The pointer lies beyond the shown part of the plan, so each tracked step scrolls ten
    // toward it and the unmoved pointer is then over a point ten further up and left; the
    // release ends where the gesture was last tracked.
    EXPECT_EQ(tracker->calls, (std::vector<std::string>{"1 -799,-650", "2 -799,-650", "2 -769,-630", "2 -769,-630",
                                                        "2 -779,-640", "2 -779,-640", "2 -789,-650", "3 -789,-650"}));
    // Shift reaches the draw after its press; the Delete and the release carry no modifiers.
    EXPECT_EQ(tracker->modifiers, (std::vector<int>{0, 0, 0, 0, 4, 4, 0, 0}));
    EXPECT_EQ(std::tuple(during, ds->zoomFactor, view->mouseEvent().has_value(), lastStep()),
              std::tuple(std::tuple(-799, -650, false), 1.0f, false, QString("Exterior Wall Tool")));

    // A lost focus ends a gesture where it last was, and so does a second press of the held
    // button, whose release went astray.
    gCurTool = 7050, QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150)), Drag({210, 160});
    QFocusEvent lost(QEvent::FocusOut);
    QApplication::sendEvent(view, &lost);
    EXPECT_EQ(std::tuple(tracker->calls.back(), view->gestureBusy(), offered()),
              std::tuple("3 -789,-640", false, true));
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(200, 150)), QTest::mousePress(view, Qt::LeftButton, {}, QPoint(220, 150));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(220, 150));
    EXPECT_EQ(std::vector(tracker->calls.end() - 3, tracker->calls.end()),
              (std::vector<std::string>{"3 -799,-650", "1 -779,-650", "3 -779,-650"}));
}

TEST_F(Gestures, AControlClickRunsItsMenuBeforeThePressReturns) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    wall->subtype = objsubtype::kExteriorWall;
    Choose("convertWallType");  // its command works on the clicked wall, forgotten after the menu
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, QPoint(1050, 801));
    EXPECT_EQ(std::tuple(wall->subtype == objsubtype::kExteriorWall, gContextFoundObj, lastStep()),
              std::tuple(false, nullptr, QString("Convert Wall to Interior")));
}

TEST_F(Gestures, DropsNeedThe2DTypeAndTheAutoClickItsChosenModifier) {
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
    // Dropped after a save and an Undo past it: the design is marked changed.
    StoreUndo("Nudge");
    w->document()->updateChangeCount(2);
    w->document()->undoStack()->undo();
    floor = gCurDocument->itsCurLayer;  // a restore reads the floors anew
    QApplication::sendEvent(view, &enter), QApplication::sendEvent(view, &drop);
    EXPECT_EQ(std::tuple(onlyFor3D.isAccepted(), enter.isAccepted(), drop.isAccepted(), CountObjects(floor->firstObject), lastStep(),
                         w->document()->isDocumentEdited()),
              std::tuple(false, true, true, 1, QString("Insert Plant"), true));

    SetContentPaletteSelectedCategoryHandler([] { return int16_t(5); });
    SetContentPaletteSelectedSymEntryHandler([&] { return std::optional<SymEntryInfo>(plant); });
    auto armed = [&] { return std::tuple(view->planMouse().autoClick2DActive(), w->docScrollView()->viewport()->cursor().shape()); };
    QTest::keyPress(view, Qt::Key_Alt);
    const auto byAlt = armed();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view, &leave);
    EXPECT_EQ(std::tuple(byAlt, armed()), std::tuple(std::tuple(true, Qt::PointingHandCursor), std::tuple(false, Qt::ArrowCursor)));
    port::defaults().setString(QMDAutoClickModifierKey, "Meta");  // the window manager keeps Alt
    QTest::keyPress(view, Qt::Key_Alt);
    const bool altArms = view->planMouse().autoClick2DActive();
    QTest::keyPress(view, Qt::Key_Meta);
    EXPECT_EQ(std::tuple(altArms, view->planMouse().autoClick2DActive()), std::tuple(false, true));
    port::defaults().remove(QMDAutoClickModifierKey);
}

// A menu as "title=action:tag" rows ("-" a separator, "^" a hidden face, the action and tag
// only where asked and given), or "none". The menu is deleted.
std::string Rows(QMenu* menu, bool actions = false) {
    QStringList rows;
    for (QAction* a : menu ? menu->actions() : QList<QAction*>()) {
        QString row = a->isSeparator() ? "-" : a->isVisible() ? a->text() : "^";
        if (actions && !a->objectName().isEmpty()) row += "=" + a->objectName();
        rows << (a->data().toInt() ? row + ":" + a->data().toString() : row);
    }
    delete menu;
    return menu ? rows.join('|').toStdString() : "none";
}

class ContextMenus : public SelectionTest {};

TEST_F(ContextMenus, TheFixedMenusListTheirItemsInOrderWithTagsAndActions) {
    EXPECT_EQ(Rows(ContextMenuFactory::baseContextMenu(), true),
              "Show Automatic Dimensions=toggleDimensions:5290|Show Window & Door Callouts=toggleCallouts:5289|-|"
              "View All Floors=setFloorView:5278|View Working Floor Only=setFloorView:5279|-|"
              "Grid Properties...=setGridProperties|Show Grid=toggleGrid:5044|Snap to Grid=snapToGrid:5045|-|Paste=paste");
    const std::string plans = "Foundation Plan:11000|Floor Plan:11001|Electrical Plan:11002|Plumbing Plan:11003|"
                              "Roofing Plan:11004|HVAC Plan:11005|Deck Plan:11006|Landscape Plan:11007|Detail Plan:11008";
    EXPECT_EQ(Rows(ContextMenuFactory::visiblePlanMenu()) + " " + Rows(ContextMenuFactory::toolbarVisiblePlanMenu()),
              "^|" + plans + " " + plans);
    EXPECT_EQ(Rows(ContextMenuFactory::liveViewViewpointMenu()),
              "^|View from Lot's Top Edge:5154|View from Lot's Bottom Edge:5153|View from Lot's Left Edge:5151|"
              "View from Lot's Right Edge:5152");
    EXPECT_EQ(Rows(ContextMenuFactory::contentActionMenuUsingTarget(1), true) + " " +
                  Rows(ContextMenuFactory::contentActionMenuUsingTarget(3)),
              "^|Change Color...=changeSymItemColor:12000|Find Plant by Name...=findPlantByName|"
              "Plant Finder...=showPlantFinder|Plant Hardiness Zones...=showPlantHardinessZones|"
              "Find Object by Name...=findObjectByName "
              "^|Find Plant by Name...|Plant Finder...|Plant Hardiness Zones...|Find Object by Name...");
    doc->itsDocState->ss40.ssStateFresh = 0;  // something selected: its elevation
    EXPECT_EQ(Rows(ContextMenuFactory::elevationSliderContextMenu(), true),
              "Set Elevation...=setObjectElevation|Float Above Topography=floatObjectAboveTopo");
    gCurDocument = nullptr;
    EXPECT_EQ(ContextMenuFactory::elevationSliderContextMenu(), nullptr);
    gCurDocument = doc;
}

TEST_F(ContextMenus, AnObjectsMenuFollowsItsTypeAndGroupAndNamesTheObjectAndItsRoot) {
    const std::string detail = "Bring to Front:5105|Send to Back:5106|-|Calculate Area";
    struct Row { int16_t type; int32_t subtype, groupKind; std::string menu; };  // groupKind -1: not grouped
    for (const Row& r : {Row{objtype::kWall, objsubtype::kExteriorWall, -1, "Convert Wall to Interior:13000"},
                         {objtype::kWall, 0, -1, "Convert Wall to Exterior:13001"},
                         {objtype::kFloor, 0, 0, "Set Elevation...|-|Calculate Area"},
                         {objtype::kFloor, 0, groupkind::kSymbolEditor, "none"},
                         {objtype::kGroundFill, 0, -1, "Set Elevation...|Float Above Topography|-|Calculate Area"},
                         {objtype::kFence, 0, -1, "Set Elevation...|Float Above Topography"},
                         {objtype::kPlant, 0, -1, "Locate Plant|Plant Details...|-|Set Elevation...|Float Above Topography"},
                         {objtype::kDetail, 0, -1, "none"},
                         {objtype::kDetail, 1, -1, detail},
                         {objtype::kDetail, 8, -1, "none"},
                         {objtype::kStaircase, 0, -1, "Reverse Staircase Direction:13003"},
                         {objtype::kText, 0, groupkind::kSymbolEditor, "none"},
                         {11, 0, -1, "none"},
                         {202, 0, -1, "none"}}) {
        Objex* o = Shape(floor, r.type, {{0, 0}, {10, 0}}, false, r.subtype);
        Objex* root = r.groupKind < 0 ? o : Group(floor, {o}, r.groupKind);
        ClickInfo click = ClickAt(0, 0);
        click.ciObject = o;
        EXPECT_EQ(Rows(ContextMenuFactory::objectContextMenuWithClickInfo(&click)), r.menu) << r.type << "/" << r.subtype;
        EXPECT_TRUE(Same({gContextFoundObj, gContextParentObj}, {o, root})) << r.type;
    }
    ClickInfo nothing = ClickAt(0, 0);
    EXPECT_EQ(ContextMenuFactory::objectContextMenuWithClickInfo(&nothing), nullptr);
    EXPECT_NE(gContextFoundObj, nullptr);  // a click on nothing names nothing
}

TEST(Widgets, ALimitedFieldTheGridPreviewAndAKnoblessSlider) {
    QMDTextField field;
    field.setFieldLength(10);
    field.setText("0123456789");
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(field.text(), "0123456789");
    field.setSelection(0, 1);
    QTest::keyClick(&field, Qt::Key_Z);
    EXPECT_EQ(field.text(), "z123456789");
    field.setFieldLength(-5);
    QTest::keyClick(&field, Qt::Key_B);
    EXPECT_EQ(field.text().size(), 11);

    ResetAllGlobals();
    QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    doc->itsDocState->gridColor = {65535, 0, 0}, doc->itsDocState->gridStyle = 1;
    GridStyleView grid;
    grid.resize(20, 20);
    const QImage g = grid.grab().toImage();
    QString columns;
    for (int x = 0; x < 20; ++x) columns += g.pixel(x, 3) == qRgb(255, 0, 0) ? '|' : '.';
    EXPECT_EQ(columns, "........|.........|.");
    EXPECT_EQ(g.pixel(3, 7), qRgb(255, 0, 0));
    doc->dealloc();

    ElevationSlider slider;
    slider.setRange(-10, 20);
    slider.resize(160, 24);
    auto at = [&](int value) { return slider.setValue(value), slider.grab().toImage(); };
    const QImage knobLow = at(-10), knobHigh = at(20);
    slider.setShouldDrawKnob(false);
    const QImage trackLow = at(-10), trackHigh = at(20);
    EXPECT_NE(knobLow, knobHigh);
    EXPECT_EQ(trackLow, trackHigh);  // nothing on the track moves with the value
    EXPECT_NE(trackLow, knobLow);
    int menus = 0;
    QObject::connect(&slider, &QWidget::customContextMenuRequested, [&] { ++menus; });
    slider.setValue(0);
    QTest::mouseClick(&slider, Qt::LeftButton, Qt::ControlModifier, QPoint(150, 12));
    EXPECT_EQ(std::tuple(menus, slider.value()), std::tuple(1, 0));
    ResetAllGlobals();
}

}  // namespace
}  // namespace dvxtest
