// The live-view panel beside the plan as a user draws and opens designs.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/document_window.h"
#include "app/document.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/window_controller.h"
#include "files/design_file.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "scene/plane_object.h"
#include "support/build.h"
#include "support/doubles.h"
#include "tools/wall_construction.h"
#include "window/window_support.h"

namespace {

QString gShot;

int Grey(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

struct Panel {
    WindowTestServices services{"liveviewdesigns"};
    dvxtest::ScriptedFileDialogs panels;
    QMDWindowController* w = OpenDocumentWindow();
    LiveViewController* c = LiveViewController::sharedLiveViewController();
    Panel() { port::setFileDialogs(&panels); }
    ~Panel() {
        port::setFileDialogs(nullptr);
        LiveViewController::destroyShared(), AppController::destroyShared(), dvxtest::ResetAllGlobals();
    }
    DocState* ds() const { return gCurDocument->itsDocState; }
    QImage grab() const {
        QWidget* v = c->liveViewOGLWidget();
        return v->screen()->grabWindow(c->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage();
    }
    bool open() {
        if (!c->isVisible()) c->showWindow();
        c->window()->move(700, 500);
        return QTest::qWaitForWindowExposed(c->window()) && QTest::qWaitFor([&] { return c->glSurface().window()->isValid(); });
    }
};

int Pieces() {
    int n = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++n;
    return n;
}

TEST(Probe, OpenWithLiveView) {
    Panel p;
    ASSERT_TRUE(ShowFocused(p.w));
    Objex* wall = dvxtest::Wall(gCurDocument->itsCurLayer, {{-100, -300}, {100, -300}});
    wall->planBits = p.ds()->visiblePlans;
    Update3DWall(wall);
    const std::string path = p.services.folders.temporaryBase() + "/one-wall.pro";
    ASSERT_NE(KeyFileWrite(path.c_str()), 0);
    ASSERT_TRUE(p.open());
    RebuildLiveViewScene();
    XDo({"windowfocus", "--sync", QString::number(p.w->winId())});
    std::printf("pieces before %d\n", Pieces());
    ASSERT_TRUE(ChooseMenuItem(p.w, "File", "newDocument"));
    QTest::qWait(300);
    std::printf("pieces after new %d\n", Pieces());
    p.panels.choose(path);
    ASSERT_TRUE(ChooseMenuItem(p.w, "File", "openDocument"));
    QTest::qWait(500);
    std::printf("pieces after open %d objects %d\n", Pieces(), dvxtest::CountObjects(gCurDocument->itsCurLayer->firstObject));
    for (const PlaneObject* q = gGLPlaneObjects; q; q = q->next) std::printf(" base %p\n", (void*)q->baseObject);
    p.grab().save(gShot);
}

}  // namespace

int main(int argc, char** argv) { return RunWindowTests(argc, argv, &gShot); }
