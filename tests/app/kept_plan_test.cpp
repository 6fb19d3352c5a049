// A drag's feedback over the plan in a document window: what the screen shows after each move
// against a whole frame drawn afresh, and how often the plan under the feedback is drawn.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/document_view.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/tool_state.h"
#include "port/qt/painter_context.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

namespace dvxtest {
namespace {

struct PaintSpy : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted.push_back(static_cast<QPaintEvent*>(e)->region());
        return false;
    }
    std::vector<QRegion> painted;
};

// A window at zoom 1 whose plan shows about plan view (-300, -200) at the visible part's top
// left, over three walls.
class KeptPlan : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder("kept_plan"));
        port::setFolders(folders.get());
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);
        port::setDefaultDrawingContext(&measuring);  // text is measured as the program measures it
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        w->resize(900, 700);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        view = w->docView();
        CurrentDocState()->zoomFactor = 1;
        floor = gCurDocument->itsCurLayer;
        for (float y : {-60.0f, 0.0f, 60.0f}) Wall(floor, {{-150, y}, {150, y + 20}});
        // An origin between pixels, as a zoom leaves it.
        view->setBoundsOrigin({view->boundsOrigin().x - 0.25f, view->boundsOrigin().y - 0.75f});
        view->scrollPoint({-300, -200});
        view->installEventFilter(&spy);
        Settle();
    }
    void TearDown() override {
        AppController::destroyShared(), ResetAllGlobals();
        port::setDefaultDrawingContext(nullptr);
    }

    void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    QPoint At(QPoint plan) const {
        return plan - QPoint(int(view->boundsOrigin().x), int(view->boundsOrigin().y));
    }
    void Move(QPoint plan) {
        const QPoint at = At(plan);
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(view, &e);
        Settle();
    }
    // The visible part of the plan as the screen shows it.
    QImage Screen() const {
        const QRect shown = view->visibleWidgetRect();
        const QPoint at = view->mapTo(w, shown.topLeft());
        return w->screen()->grabWindow(w->winId(), at.x(), at.y(), shown.width(), shown.height()).toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The same part drawn whole: plan, feedback and all.
    QImage Drawn() const {
        const PlatformRect r = view->visibleRect();
        QImage image(int(r.width), int(r.height), QImage::Format_RGB32);
        QPainter painter(&image);
        painter.translate(-r.x, -r.y);
        port::qt::QPainterContext context(painter);
        port::DrawingScope scope(context);
        view->drawRect(r);
        context.flush();
        return image;
    }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    port::qt::QtMeasuringContext measuring;
    QMDWindowController* w = nullptr;
    QMDDocumentView* view = nullptr;
    Layer* floor = nullptr;
    PaintSpy spy;
};

TEST_F(KeptPlan, ARectanglesDragPaintsOverTheKeptPlanAsAFullRedrawWould) {
    gCurTool = toolid::kRectangle;
    QTest::mousePress(view, Qt::LeftButton, {}, At({-120, -100}));
    Settle();
    struct Step {
        QPoint to;
        bool editFirst;  // the design changes under the drag first
        int draws;       // the plan drawn under the feedback so far
    };
    for (const Step& s : {Step{{-60, -40}, false, 1}, {{40, 30}, false, 1}, {{-20, -80}, false, 1},
                          {{90, 70}, true, 2}, {{60, 10}, false, 2}}) {
        if (s.editFirst) Wall(floor, {{-200, 100}, {200, 100}});
        spy.painted.clear();
        Move(s.to);
        ASSERT_FALSE(spy.painted.empty()) << s.to.x();
        EXPECT_EQ(view->keptPlanDraws(), s.draws) << s.to.x();
        EXPECT_TRUE(Screen() == Drawn()) << s.to.x();
        // Only the feedback's old and new places are painted while the kept image holds.
        const QRect painted = spy.painted.back().boundingRect();
        if (!s.editFirst) EXPECT_LT(painted.width(), view->visibleWidgetRect().width()) << s.to.x();
    }
    view->scrollPoint({-310, -200});  // scrolled under the drag: drawn again
    Move({50, 20});
    EXPECT_EQ(std::tuple(view->keptPlanDraws(), Screen() == Drawn()), std::tuple(3, true));
    QTest::mouseRelease(view, Qt::LeftButton, {}, At({50, 20}));
    Settle();
    EXPECT_TRUE(Screen() == Drawn());  // the rectangle made, the feedback gone
    EXPECT_EQ(view->keptPlanDraws(), 3);
}

}  // namespace
}  // namespace dvxtest
