#pragma once
// The final image with shadows. The scene is drawn off screen fully dark and fully lit; every
// switched-on light (render/light_views) adds to a float light map where its depth image sees
// a camera pixel; the shown image is dark + (light - dark)·map per channel. An anti-aliased
// render repeats this per jittered pass and sums the passes. Registered as the render frame's
// shadow renderer (`RenderShadows` seam) by StartShadowRenderer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/core/shadow_lights.h"

struct Objex;

// --- one render's buffers, w x h pixels from the bottom left, owned here ---
// The dark render (becomes the composite), the light render and the plants-in-colour render,
// RGB bytes; the camera depth without transparent objects; each camera pixel's world point (3
// floats, kept for every light view of one camera); the current light view's depth; the light
// map (0..1); one light's contribution; the smallest ambient contribution of a fixture's views.
extern std::vector<uint8_t> gDarkColorBuffer, gLightColorBuffer, gPlantColorBuffer;
extern std::vector<float> gCamDBuffer, gEyeUnProBuf, gLightDBuffer, gLightMap, gLightMapAA, gMultiMap;
// The sun's light on each camera pixel (its brightness / 100 where lit).
extern std::vector<float> gSunMap;
extern int32_t gVPWidth, gVPHeight;
// What the buffers took: allocations made and the most bytes held at once (kept across
// renders; a test or benchmark resets it).
struct ShadowBufferUse {
    size_t allocations = 0;
    size_t peakBytes = 0;
    size_t sunPeakBytes = 0;  // the sun's depth grid with its coverage and square images
};
extern ShadowBufferUse gShadowBufferUse;
// The camera's matrices and viewport as the shadow map found them.
extern double gCamMVMatrix[16], gCamProjMatrix[16];
extern int32_t gCamViewPort[4];
ViewMatrices CameraView();
// The occluders of every light view of one render, compiled at its first light view (0: none).
extern uint32_t gShadowDisplayList;

// The whole shadowed render into the current frame. The frame reaches it through its
// `RenderShadows` seam (render/core/shadow_seams.h), whose name it shares.
namespace shadow {
void RenderShadows();
}  // namespace shadow
// One shadowed image for the current camera; `steps` is InitializeLightProgressBar's result.
void RenderShadowMap(int32_t steps);
// Shows the light progress with the render's total and answers the light step count; `sunGrid`
// is the sun's grid size (0 while the sun map is not being built).
int32_t InitializeLightProgressBar(int32_t sunGrid);
// One progress step, with the render's status line.
void UpdateShadowGLRenderStatus();
// True when the render must stop: an interrupt already flagged, or Escape now.
bool BreakOpenRender();
// The two reference renders into the current frame: the scene at the document's brightness,
// and fully lit at brightness 2.5.
void RenderOffscreenFullyDark();
void RenderOffscreenFullyLight();
// The two lamp heads of a flood light on a wall.
void CastSpotLight(const Objex* wall, const Objex* light);
// Frees every per-render buffer (not the eye positions or the display list).
void FreeShadowBuffers();
// Frees what lives for a whole render: the buffers, the eye positions, the display list and
// the sun's depth grid.
void FreeShadowRenderState();
// Registers shadow::RenderShadows with the render frame.
void StartShadowRenderer();
