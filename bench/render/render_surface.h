#pragma once
// The one offscreen surface the render benchmarks draw on, 800 x 600, made on first use with the
// renderer started and the context's objects made, and made current on every call.
namespace dvxtest {
class OffscreenGL;
}

namespace dvxbench {

constexpr int kSurfaceWidth = 800, kSurfaceHeight = 600;
dvxtest::OffscreenGL& RenderSurface();

}  // namespace dvxbench
