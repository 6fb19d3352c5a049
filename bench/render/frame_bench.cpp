// Whole live-view frames of the reference scenes at 800 x 600: a plain frame beside its floor
// (clear, the scene as one batch of triangles in one colour, read back), and an 8-pass frame
// beside eight such floors, with the share one accumulation step takes of a pass.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/accum_buffer.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/render_frame.h"
#include "render/renderer_startup.h"
#include "scene/plane_object.h"
#include "support/seam_recorders.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight, kPasses = 8;

void Floor(const std::vector<float>& triangles, std::vector<uint8_t>& pixels, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(0.5f, 0.5f, 0.5f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, triangles.data());
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void Frame(benchmark::State& state, bool antiAliased, const char* family) {
    const dvxbench::FlownScene scene(state);
    DocState* ds = scene.ds;
    if (!ds) return;
    ds->lightSetting = kPasses, ds->shadowsOn = 0;
    const std::vector<float> triangles = dvxbench::SceneTriangles();
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
    InitializeGLScene();  // the frame's camera for the floor
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(3, [&] {
        Floor(triangles, pixels, antiAliased ? kPasses : 1);
    }));
    gRenderOpenGLAntiAlias = antiAliased;
    measured.start();
    for (auto _ : state) {
        RefreshGLScene();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
    measured.report();
    if (antiAliased) {
        AccumBuffer sum;
        sum.clear();
        const double add = dvxbench::BestSeconds(5, [&] { sum.add(1.0f / kPasses), glFinish(); });
        const double pass = dvxbench::BestSeconds(1, [] { RefreshGLScene(); }) / kPasses;
        state.counters["accum_share_per_pass"] = add / pass;
    }
    gRenderOpenGLAntiAlias = 0;
    state.counters["pieces"] = double(scene.pieces);
}

void BM_FramePlain(benchmark::State& state) { Frame(state, false, "frame_plain"); }
BENCHMARK(BM_FramePlain)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_FrameEightPasses(benchmark::State& state) { Frame(state, true, "frame_8_passes"); }
BENCHMARK(BM_FrameEightPasses)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
