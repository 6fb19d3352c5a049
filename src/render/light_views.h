#pragma once
// One light's share of the shadow render's light map: a depth image of the scene from the
// light (perspective for fixtures, orthographic for the sun), every camera pixel moved into
// that view and lit where the light sees it, weighted by the falloff across the view.
#include <cstdint>

#include "render/core/shadow_lights.h"

struct DocState;

// The light view's matrices and viewport as its last matrix view left them.
extern double gLightMVMatrix[16], gLightProjMatrix[16];
extern int32_t gLightViewPort[4];
ViewMatrices SavedLightView();

// Adds one light view at (x, y, z) to the light map (or, with an ambient switch set, to the
// ambient map). `type` is the light's type code (83 flood light, 1 the sun).
void RenderLightView(DocState* ds, float y, float x, float z, float pitch, float heading, bool sun, float fov,
                     int32_t falloff, float intensity, int16_t type);
// The light's camera and, while drawing for a buffer, its occluders.
void RenderGLLightScene(bool sun, float x, float z, float heading, float pitch, float y, float fov);
void InitializeGLLightScene(bool sun, float x, float z, float heading, float pitch, float y, float fov);
// A fixture's soft ambient light from four (or eight) wide views, folded into the light map.
void RenderAmbient(DocState* ds, float y, float x, float z, float intensity, bool up, bool down);
