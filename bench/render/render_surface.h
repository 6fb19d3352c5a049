#pragma once
// The one offscreen surface the render benchmarks draw on, 800 x 600, made on first use with the
// renderer started and the context's objects made, and made current on every call.
#include <cstdint>

#include <benchmark/benchmark.h>

struct DocState;

namespace dvxtest {
class OffscreenGL;
}

namespace dvxbench {

constexpr int kSurfaceWidth = 800, kSurfaceHeight = 600;
dvxtest::OffscreenGL& RenderSurface();
// The reference scene of the benchmark's first argument made current: its settings and piece
// count, or null after skipping the benchmark when the design could not be built.
DocState* SceneSettingsOrSkip(benchmark::State& state, int64_t* pieces);

}  // namespace dvxbench
