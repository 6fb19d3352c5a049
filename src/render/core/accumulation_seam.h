#pragma once
// The few OpenGL steps of a jittered anti-aliasing pass, as callbacks the renderer registers,
// so the projection logic never links GL. With nothing registered the viewport reads as
// empty and every step does nothing.
#include <cstdint>
#include <functional>

struct AccumulationGL {
    // GL_VIEWPORT: x, y, width, height.
    std::function<void(int32_t viewport[4])> getViewport;
    // Projection matrix: identity, then glFrustum with these bounds.
    std::function<void(double left, double right, double bottom, double top, double zNear, double zFar)>
        loadFrustum;
    // Model-view matrix: identity, then a translation.
    std::function<void(double x, double y, double z)> loadModelViewTranslation;
    // The live view's viewport and camera for one pass (orthographic for elevation views).
    std::function<void(double a, double b, double c, double d, double e)> initializeAntiAliasGLScene;
};

void SetAccumulationGL(AccumulationGL gl);
void ResetAccumulationGL();

void AccumulationGetViewport(int32_t viewport[4]);
void AccumulationLoadFrustum(double left, double right, double bottom, double top, double zNear, double zFar);
void AccumulationLoadModelViewTranslation(double x, double y, double z);
void InitializeAntiAliasGLScene(double a, double b, double c, double d, double e);
