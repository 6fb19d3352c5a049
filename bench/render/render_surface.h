#pragma once
// The one offscreen surface the render benchmarks draw on, 800 x 600, made on first use with the
// renderer started and the context's objects made, and made current on every call.
#include <cstdint>
#include <optional>

#include <benchmark/benchmark.h>

#include "support/seam_recorders.h"

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

// The reference scene current on the surface and seen from above, a recording live-view host
// over the surface and the live view said to exist, for as long as it lives. `ds` is null
// (and nothing set) when the benchmark was skipped.
struct FlownScene {
    explicit FlownScene(benchmark::State& state);
    ~FlownScene();
    FlownScene(const FlownScene&) = delete;
    FlownScene& operator=(const FlownScene&) = delete;

    int64_t pieces = 0;
    DocState* ds = nullptr;
    std::optional<dvxtest::LiveViewHostRecorder> host;
};

}  // namespace dvxbench
