#include "render_surface.h"

#include <memory>

#include "osmesa_context.h"
#include "render/light_glows.h"
#include "render/renderer_startup.h"

namespace dvxbench {

dvxtest::OffscreenGL& RenderSurface() {
    static std::unique_ptr<dvxtest::OffscreenGL> gl = [] {
        auto s = std::make_unique<dvxtest::OffscreenGL>(kSurfaceWidth, kSurfaceHeight);
        StartRenderer();
        StartGLContextObjects();
        return s;
    }();
    gl->makeCurrent();
    return *gl;
}

}  // namespace dvxbench
