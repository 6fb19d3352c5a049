#pragma once
// Texture IDs the drawing tools and the type conversions give new floors, fills, edgings,
// paths and fences. The inspectors may change them; they are not saved with a document.
#include <cstdint>

extern int32_t gFlooringDefaultTexture;  // 1700
extern int32_t gFillDefaultTexture;      // 1115
extern int32_t gEdgingDefaultTexture;    // 2202
extern int32_t gPathDefaultTexture;      // 1103
extern int32_t gFenceDefaultTexture;     // 2212
// New doors and windows; 0 leaves the frame builder its own.
extern int32_t gDoorDefaultTexture;      // 0
extern int32_t gWindowDefaultTexture;    // 0
