// VRML export of the built generated design into the output buffer (the file write left out).
// The floor writes as many corners, x, y and z each through snprintf("%f"), into the same buffer.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_support.h"
#include "files/streams.h"
#include "model/render_state.h"
#include "render/core/live_view_seams.h"
#include "render/core/vrml_export.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"

namespace {

int64_t Corners() {
    int64_t n = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        for (const PlaneObject* q = p; q; q = q == p ? p->trims : q->next)
            for (const Plane* plane = q->planes; plane; plane = plane->next) n += plane->count;
    return n;
}

void PrintfFloor(int64_t corners) {
    StartOutputBuffer();
    char text[64];
    for (int64_t i = 0; i < 3 * corners; ++i) {
        const int n = std::snprintf(text, sizeof text, "%f", static_cast<double>(i) * 0.25);
        WriteSome(text, static_cast<uint32_t>(n));
    }
    ReleaseOutputBuffer();
}

void BM_ExportVRML(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return;
    }
    SetLiveViewControllerExistsHandler([] { return true; });
    gLiveViewPanelVisible = 1;
    RenderAllLayers();
    const int64_t corners = Corners();
    dvxbench::Measured measured(state, "vrml", dvxbench::BestSeconds(5, [corners] { PrintfFloor(corners); }));
    size_t bytes = 0;
    measured.start();
    for (auto _ : state) {
        StartOutputBuffer();
        ExportVRMLHeader();
        VRMLExportGLPlaneObjects(gGLPlaneObjects);
        bytes = gOutDataBuffer.size();
        ReleaseOutputBuffer();
    }
    measured.report();
    state.counters["objects"] = stats.objects;
    state.counters["corners"] = static_cast<double>(corners);
    state.counters["bytes"] = static_cast<double>(bytes);
    DeleteAllRendererObjects();
}
BENCHMARK(BM_ExportVRML)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
