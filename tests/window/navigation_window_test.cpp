// Walking from real events on the virtual X server: the pointer held off the press turns the
// walk once per processed tick while each frame takes 40 ms, none inside a render, and the
// release ends it at once.
#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/app_controller.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_navigation.h"
#include "app/render_interrupt.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/live_view_seams.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "window/window_support.h"

namespace {

QString gShot;

void Send(QWidget* view, QEvent::Type type, QPointF at) {
    QMouseEvent e(type, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &e);
}

void Key(QWidget* view, QEvent::Type type, bool repeat) {
    QKeyEvent e(type, Qt::Key_Up, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(view, &e);
}

TEST(NavigationWindow, EachProcessedTickMovesOnceAndNothingMovesAfterTheRelease) {
    WindowTestServices services("navigationwindow");
    QMDWindowController* w = OpenDocumentWindow();
    DocState* ds = w->document()->model()->itsDocState;
    ds->cameraMode = 1, ds->navigationFlag = 0, ds->navigationSpeed = 8, ds->cameraHeading = 90;
    ds->flyValueB = 0, ds->lightOffset = {0, 0};
    QWidget live;
    w->show(), live.resize(400, 300), live.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w) && QTest::qWaitForWindowExposed(&live));
    int frames = 0, displays = 0;
    SetRTFinalizeGLSceneHandler([&] { ++frames, std::this_thread::sleep_for(std::chrono::milliseconds(40)); });
    SetLiveViewNeedsDisplayHandler([&] { ++displays; });
    LiveViewNavigationDriver driver;
    const QMouseEvent press(QEvent::MouseButtonPress, QPointF(200, 150), live.mapToGlobal(QPointF(200, 150)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);

    ASSERT_TRUE(driver.press(&live, press, w->docView()));
    EXPECT_TRUE(w->docView()->drawsViewPointDynamically());
    // 10 / 15 degrees a tick at speed 8, and the arrow pans the fly centre 2 with a frame of
    // its own; a repeat's release says nothing of the key.
    Send(&live, QEvent::MouseMove, {220, 150});
    Key(&live, QEvent::KeyPress, false), Key(&live, QEvent::KeyRelease, true);
    QTest::qWait(300);
    const int ticks = frames / 2;
    EXPECT_NEAR(ds->cameraHeading, 90 - ticks * 10.0f / 15, 1e-3) << frames;
    EXPECT_NEAR(ds->lightOffset.floatH, 2.0f * ticks, 1e-3) << frames;
    // A render running meanwhile (an expose drawn with shadows) lets events in at its polls:
    // no step turns the view or draws a frame inside it; the walk goes on after its end.
    {
        QtInterruptSource render;
        render.beginRender();
        const int before = frames;
        const float heading = ds->cameraHeading;
        for (int i = 0; i < 10; ++i) render.pollEscape(), QTest::qSleep(15);
        EXPECT_EQ(std::pair(frames, ds->cameraHeading), std::pair(before, heading)) << "a step inside the render";
        render.endRender();
        EXPECT_TRUE(QTest::qWaitFor([&] { return frames > before; })) << "the walk stopped";
    }
    displays = 0;  // the plan's own paints ask too
    Send(&live, QEvent::MouseButtonRelease, {220, 150});
    EXPECT_FALSE(driver.active());
    EXPECT_EQ(displays, 1);
    EXPECT_EQ(gRefreshRender, 1);
    const int drawn = frames;
    QTest::qWait(100);
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(frames, drawn);
    EXPECT_FALSE(w->docView()->drawsViewPointDynamically());
    if (!gShot.isEmpty()) w->screen()->grabWindow(w->winId()).save(gShot);
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
