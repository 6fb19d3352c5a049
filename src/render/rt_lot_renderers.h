#pragma once
// The ground and sky of a real-time frame: the terrain as a plain grid of shaded polygons, the
// flat lot as one quad under everything, the soil block and the background quad. Each
// compiles its own display list on the first frame of an interaction and replays it after.
// All read the current document and draw nothing without one.
#include <cstddef>
#include <cstdint>

#include "model/types.h"

// The background quad of the last compiled background list: half-size in its -100..100 box,
// texture (0 for none) and colour. The quad itself is drawn every frame so that its texture
// coordinates (gBackgroundVertices) can scroll with the heading.
extern float gBackgroundWidth;
extern float gBackgroundHeight;
extern int32_t gBackgroundTextureID;
extern uint8_t gBackgroundRed;
extern uint8_t gBackgroundGreen;
extern uint8_t gBackgroundBlue;

// The terrain, or without one the flat lot (nothing in render mode 4 with the terrain shown).
void RTRenderGLLot();
void RTRenderGLFlatLot();
// The soil block: a bottom 5000 below the ground and four sides up to the ground's edge.
void RTRenderGLLotBase();
// The background quad; also needs the live view.
void RTRenderGLBackground();

// The terrain's per-column colours; tests make it fail (null) to see the list abandoned.
using LotColourAllocator = RGBColor* (*)(size_t count);
void SetLotColourAllocatorForTesting(LotColourAllocator allocator);
