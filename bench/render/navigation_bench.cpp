// Walking and flying through the reference scenes: one tick of each navigation loop without
// drawing (the plan marker's squares included) beside writing the same camera fields directly,
// and 100 ticks of a free walk drawing real-time frames at 800 x 600 beside 100 replayed
// real-time frames of the same scene.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "osmesa_context.h"
#include "plan/base_2d_view.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/core/live_view_seams.h"
#include "render/core/navigation_loops.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/renderer_startup.h"
#include "render/rt_frame.h"
#include "scene/plane_object.h"
#include "support/seam_recorders.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight, kTicks = 100;

// A plan view that only counts what it is asked to redraw.
struct CountingPlan : Base2DViewHost {
    PlatformRect visibleRect() const override { return {}; }
    PlatformSize frameSize() const override { return {}; }
    PlatformPoint boundsOrigin() const override { return {}; }
    void scrollRectToVisible(const PlatformRect&) override {}
    void setFrameSize(const PlatformSize&) override {}
    void setBoundsOrigin(const PlatformPoint&) override {}
    void setNeedsDisplay() override {}
    void setNeedsDisplayInRect(const PlatformRect& r) override { area += r.width * r.height; }
    bool needsToDrawRect(const PlatformRect&) const override { return true; }
    double area = 0;
};

DocState* Camera(int16_t mode, uint8_t controlled) {
    DocState* ds = CurrentDocState();
    if (!ds) return nullptr;
    const dvxbench::Extent e = dvxbench::SceneExtent();
    ds->cameraMode = mode, ds->navigationFlag = controlled, ds->navigationSpeed = 8, ds->renderMode = rendermode::kSolid;
    ds->cameraPosition = {(e.minX + e.maxX) / 2, e.maxZ + 600}, ds->cameraHeading = 0, ds->eyeHeight = 66;
    ds->cameraValue = 0, ds->flyValueA = 15, ds->flyValueB = 30, ds->flyAltitude = e.maxX - e.minX;
    ds->lightOffset = {(e.minX + e.maxX) / 2, (e.minZ + e.maxZ) / 2};
    return ds;
}

// Mode 1 walk, 2 fly, 3 the controlled walk; the frame's three calls reach nothing.
void BM_NavigationTick(benchmark::State& state) {
    const int64_t mode = state.range(1);
    if (dvxbench::UseReferenceScene(state.range(0)) < 0) return state.SkipWithError("the design could not be built");
    DocState* ds = Camera(mode == 2 ? 2 : 1, mode == 3);
    SetRTInitializeGLSceneHandler(nullptr), SetRTSetViewpointHandler(nullptr);
    SetRealTimeRenderAllGLPlaneObjectsHandler(nullptr), SetRTFinalizeGLSceneHandler(nullptr);
    volatile float sink = 0;
    const double floor = dvxbench::BestSeconds(5, [&] {
        for (int i = 0; i < 1000; ++i) ds->cameraHeading = float(i % 360), ds->cameraPosition.floatH += 0.5f;
        sink = ds->cameraHeading;
    }) / 1000;
    dvxbench::Measured measured(state, "navigation_tick_" + std::to_string(mode), floor);
    CountingPlan plan;
    RealTimeRotateAnimOpenGL loop;
    loop.begin(&plan, {400, 300}, false, false, kWidth);
    loop.mouse({420, 280});
    if (mode == 3) loop.key(NavigationArrow::Up, true);
    measured.start();
    for (auto _ : state) loop.tick();
    measured.report();
    loop.end();
    StartRenderer();
    state.counters["marker_area"] = plan.area;
}
BENCHMARK(BM_NavigationTick)
    ->ArgsProduct({{dvxbench::kSmall, dvxbench::kLarge}, {1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

void BM_FreeWalkHundredTicks(benchmark::State& state) {
    dvxtest::OffscreenGL& gl = dvxbench::RenderSurface();
    if (dvxbench::UseReferenceScene(state.range(0)) < 0) return state.SkipWithError("the design could not be built");
    DocState* ds = Camera(1, 0);
    dvxtest::LiveViewHostRecorder host(&gl, kWidth, kHeight);
    SetLiveViewControllerExistsHandler([] { return true; });
    rt::RTInitializeGLScene();
    auto replay = [&] {
        rt::RTSetViewpoint(*ds);
        rt::RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
        rt::RTFinalizeGLScene();
    };
    replay();  // the lists compiled
    const double floor = dvxbench::BestSeconds(2, [&] {
        for (int i = 0; i < kTicks; ++i) replay();
        glFinish();
    });
    dvxbench::Measured measured(state, "free_walk_100", floor);
    CountingPlan plan;
    measured.start();
    for (auto _ : state) {
        RealTimeRotateAnimOpenGL loop;
        loop.begin(&plan, {400, 300}, false, false, kWidth);
        loop.mouse({420, 280});
        for (int i = 0; i < kTicks; ++i) loop.tick();
        glFinish();
        state.PauseTiming(), loop.end(), state.ResumeTiming();
    }
    measured.report();
    SetLiveViewControllerExistsHandler(nullptr);
}
BENCHMARK(BM_FreeWalkHundredTicks)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
