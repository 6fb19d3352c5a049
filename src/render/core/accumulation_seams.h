#pragma once
// The few OpenGL steps of a jittered anti-aliasing pass, which the renderer registers so the
// projection logic never links GL. Until then the viewport reads as empty and every step does
// nothing.
#include <cstdint>

#include "port/seam.h"

// GL_VIEWPORT: x, y, width, height.
DVX_SEAM_GUARDED(AccumulationGetViewport, "render", port::SeamKind::Renderer, port::NoNullPointer,
                 [](int32_t* viewport) {
                     if (viewport) viewport[0] = viewport[1] = viewport[2] = viewport[3] = 0;
                 },
                 void(int32_t* viewport))
// Projection matrix: identity, then glFrustum with these bounds.
DVX_SEAM(AccumulationLoadFrustum, "render", port::SeamKind::Renderer,
         void(double left, double right, double bottom, double top, double zNear, double zFar))
// Model-view matrix: identity, then a translation.
DVX_SEAM(AccumulationLoadModelViewTranslation, "render", port::SeamKind::Renderer, void(double x, double y, double z))
// The live view's viewport and camera for one pass (orthographic for elevation views).
DVX_SEAM(InitializeAntiAliasGLScene, "render", port::SeamKind::Renderer,
         void(double a, double b, double c, double d, double e))
