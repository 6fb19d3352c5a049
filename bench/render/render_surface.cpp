#include "render_surface.h"

#include <memory>

#include "model/document_model.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render/core/live_view_seams.h"
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

DocState* SceneSettingsOrSkip(benchmark::State& state, int64_t* pieces) {
    *pieces = UseReferenceScene(state.range(0));
    DocState* ds = *pieces < 0 ? nullptr : CurrentDocState();
    if (!ds) state.SkipWithError("the design could not be built");
    return ds;
}

FlownScene::FlownScene(benchmark::State& state) {
    dvxtest::OffscreenGL& gl = RenderSurface();
    ds = SceneSettingsOrSkip(state, &pieces);
    if (!ds) return;
    host.emplace(&gl, kSurfaceWidth, kSurfaceHeight);
    SetLiveViewControllerExistsHandler([] { return true; });
    FlyOverScene(ds);
}

FlownScene::~FlownScene() {
    if (ds) SetLiveViewControllerExistsHandler(nullptr);
}

}  // namespace dvxbench
