// A final render's accumulation at 800 x 600 through glAccum and through the float
// framebuffer, each beside its floor (the same eight passes of the reference scene drawn
// without accumulating), and reading a whole image back beside a copy of the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/accum_buffer.h"
#include "render/core/jitter.h"
#include "render/gl.h"
#include "render/renderer_startup.h"
#include "render_fixture.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight, kPasses = 8;

using dvxbench::Extent;
using dvxbench::SceneExtent;

// One pass: the scene seen from above, moved by the pass's jitter.
void DrawPass(const Extent& e, int pass) {
    const JitterPoint j = JitterOffset(kPasses, pass);
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslated(2 * j.x / kWidth, 2 * j.y / kHeight, 0);
    glOrtho(e.minX, e.maxX, e.minZ, e.maxZ, -1e6, 1e6);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-90, 1, 0, 0);
    dvxtest::DrawPlaneObjects();
}

void Passes(const Extent& e, AccumBuffer* sum) {
    if (sum) sum->clear();
    for (int pass = 0; pass < kPasses; ++pass) {
        DrawPass(e, pass);
        if (sum) sum->add(1.0f / kPasses);
    }
    if (sum) sum->returnScaled(1.0f);
    glFinish();
}

void Accumulate(benchmark::State& state, AccumBuffer::Path path, const char* family) {
    dvxbench::RenderSurface();
    const int64_t pieces = dvxbench::UseReferenceScene(state.range(0));
    if (pieces < 0) {
        state.SkipWithError("the design could not be built");
        return;
    }
    const Extent e = SceneExtent();
    AccumBuffer sum(path);
    sum.clear();
    if (!sum.ok()) {
        state.SkipWithError("the context cannot keep this sum");
        return;
    }
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(3, [&] { Passes(e, nullptr); }));
    measured.start();
    for (auto _ : state) Passes(e, &sum);
    measured.report();
    state.counters["pieces"] = static_cast<double>(pieces);
}

void BM_AccumulateGlAccum(benchmark::State& state) {
    Accumulate(state, AccumBuffer::Path::Accumulation, "accum_glaccum");
}
BENCHMARK(BM_AccumulateGlAccum)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_AccumulateFramebuffer(benchmark::State& state) {
    Accumulate(state, AccumBuffer::Path::Framebuffer, "accum_framebuffer");
}
BENCHMARK(BM_AccumulateFramebuffer)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

// Reading the whole 800 x 600 image back; the floor copies the same bytes in memory.
void BM_ReadBack(benchmark::State& state) {
    dvxtest::OffscreenGL& gl = dvxbench::RenderSurface();
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    const std::vector<uint8_t> source = gl.readPixels();
    std::vector<uint8_t> copy(source.size());
    dvxbench::Measured measured(state, "read_back", dvxbench::BestSeconds(20, [&] {
        std::memcpy(copy.data(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.data());
    }));
    measured.start();
    for (auto _ : state) benchmark::DoNotOptimize(gl.readPixels());
    measured.report();
}
BENCHMARK(BM_ReadBack)->Arg(kWidth * kHeight)->Unit(benchmark::kMicrosecond);

}  // namespace
