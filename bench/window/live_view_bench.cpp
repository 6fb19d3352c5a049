// The live-view panel on an X server (run by hand under xvfb-run: build/bench/window/
// bench_live_view): a real-time frame (replaying the display lists one untimed frame compiled)
// and a full-quality frame of the reference scene in the panel's 800 x 600 view, each presented
// on the panel's surface, beside its floor: the same triangles in one colour drawn and
// presented through the same surface.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <vector>

#include "app/live_view_controller.h"
#include "app/live_view_ogl_view.h"
#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "reference_scene.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/renderer_startup.h"
#include "render/rt_frame.h"
#include "scene/plane_object.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// The panel, shown with its view at 800 x 600; null without a display.
LiveViewController* Panel() {
    static LiveViewController* panel = [] () -> LiveViewController* {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) return nullptr;
        static int argc = 1;
        static char name[] = "bench_live_view";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        StartRenderer();
        LiveViewController* c = LiveViewController::sharedLiveViewController();
        c->showWindow();
        QWidget* view = c->liveViewOGLWidget();
        c->window()->resize(c->window()->size() + QSize(kWidth, kHeight) - view->size());
        if (!QTest::qWaitForWindowExposed(c->window()) ||
            !QTest::qWaitFor([c] { return c->glSurface().window()->isValid(); }))
            return nullptr;
        (void)QTest::qWaitFor([view] { return view->size() == QSize(kWidth, kHeight); });
        return c;
    }();
    return panel;
}

void Frame(benchmark::State& state, bool realTime, const char* family) {
    LiveViewController* c = Panel();
    if (!c) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const int64_t pieces = dvxbench::UseReferenceScene(state.range(0));
    DocState* ds = CurrentDocState();
    if (pieces < 0 || !ds || !c->glSurface().makeCurrent()) {
        state.SkipWithError("the design could not be built");
        return;
    }
    dvxbench::FlyOverScene(ds);
    ds->shadowsOn = 0;
    const std::vector<float> triangles = dvxbench::SceneTriangles();
    GLSurface& surface = c->glSurface();
    InitializeGLScene();  // the frame's camera for the floor
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(3, [&] {
        surface.makeCurrent();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(0.5f, 0.5f, 0.5f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, triangles.data());
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        surface.present();
        glFinish();
    }));
    auto frame = [&] {
        surface.makeCurrent();
        if (realTime) {
            rt::RTSetViewpoint(*ds);
            rt::RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
            rt::RTFinalizeGLScene();
        } else {
            gRefreshRender = 1;
            c->liveViewOGLView()->drawRect();
        }
        glFinish();
    };
    // The interaction's first frame compiles the display lists: the timed frames replay them.
    if (realTime) rt::RTInitializeGLScene(), frame();
    measured.start();
    for (auto _ : state) frame();
    measured.report();
    state.counters["pieces"] = double(pieces);
}

void BM_PanelRealTimeFrame(benchmark::State& state) { Frame(state, true, "panel_real_time"); }
BENCHMARK(BM_PanelRealTimeFrame)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_PanelFullFrame(benchmark::State& state) { Frame(state, false, "panel_full"); }
BENCHMARK(BM_PanelFullFrame)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
