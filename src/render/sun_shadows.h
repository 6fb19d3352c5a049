#pragma once
// Sunlight in the shadow render. The sun is an orthographic view over the area that both casts
// shadows and is seen; its depth image is taken once per render as a grid of n x n squares (a
// large site keeps its depth resolution) and every camera pixel is looked up in it: lit at the
// sun's brightness / 100, or in shadow at 0.
#include <cstdint>
#include <vector>

#include "render/core/shadow_lights.h"
#include "render/core/sun_window.h"

// The sun's depth grid (`gSunDBufferWidth` x `gSunDBufferHeight` floats, rows from the bottom),
// kept for the whole shadow render so its anti-aliasing passes share it, and the view it is
// addressed through (the bottom-left square's, whose projection extends over the grid).
extern std::vector<float> gSunDBuffer;
extern int32_t gSunDBufferWidth, gSunDBufferHeight;
extern double gSunMVMatrix[16], gSunProjMatrix[16];
extern int32_t gSunViewPort[4];
ViewMatrices SunView();

// Builds the grid and the sun view for the current camera. Nothing without a document.
void FillSunMapWithGrid();
// Shades the sun map from the grid: every camera pixel the grid covers is lit or shadowed.
void FillSunMapWithPreRenderedGrid();
// Widens `bounds` by the plan position of every pixel of the lot the camera sees.
void GetViewingBoundsForSun(float* bounds);
// Frees the grid.
void FreeSunGrid();
