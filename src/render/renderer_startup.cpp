#include "render/renderer_startup.h"

#include "render/core/accumulation_seams.h"
#include "model/render_state.h"
#include "render/core/texture_seams.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/rt_frame.h"
#include "render/shadow_render.h"
#include "render/texture_load.h"

void StartRenderer() {
    SetAccumulationGetViewportHandler([](int32_t* viewport) {
        GLint v[4] = {};
        glGetIntegerv(GL_VIEWPORT, v);
        for (int i = 0; i < 4; ++i) viewport[i] = v[i];
    });
    SetAccumulationLoadFrustumHandler(
        [](double left, double right, double bottom, double top, double zNear, double zFar) {
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glFrustum(left, right, bottom, top, zNear, zFar);
            glMatrixMode(GL_MODELVIEW);
        });
    SetAccumulationLoadModelViewTranslationHandler([](double x, double y, double z) {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslated(x, y, z);
    });
    SetDeleteGLTexturesHandler(DeleteTexturesByID);
    StartRenderFrame();
    StartShadowRenderer();
    StartRealTimeRenderer();
    SetupLights();
}
