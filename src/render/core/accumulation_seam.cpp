#include "render/core/accumulation_seam.h"

namespace {
AccumulationGL& Registered() {
    static AccumulationGL gl;
    return gl;
}
}  // namespace

void SetAccumulationGL(AccumulationGL gl) { Registered() = std::move(gl); }
void ResetAccumulationGL() { Registered() = AccumulationGL{}; }

void AccumulationGetViewport(int32_t viewport[4]) {
    if (!viewport) return;
    viewport[0] = viewport[1] = viewport[2] = viewport[3] = 0;
    if (Registered().getViewport) Registered().getViewport(viewport);
}

void AccumulationLoadFrustum(double left, double right, double bottom, double top, double zNear, double zFar) {
    if (Registered().loadFrustum) Registered().loadFrustum(left, right, bottom, top, zNear, zFar);
}

void AccumulationLoadModelViewTranslation(double x, double y, double z) {
    if (Registered().loadModelViewTranslation) Registered().loadModelViewTranslation(x, y, z);
}

void InitializeAntiAliasGLScene(double a, double b, double c, double d, double e) {
    if (Registered().initializeAntiAliasGLScene) Registered().initializeAntiAliasGLScene(a, b, c, d, e);
}
