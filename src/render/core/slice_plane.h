#pragma once
// The cut-away: one clipping plane that the live view's slider moves through the model so the
// user sees inside. The document keeps the direction (`cutAwayKind`, 0 to 4) and how far the
// cut has advanced (`cutAwayPosition`, 0 = no cut); every render loads the plane as clip
// plane 0 (LoadSlicePlane, render/slice_plane_gl.h).
//
// Directions: 0 front to back (z), 1 left to right (x), 2 back to front (z), 3 right to left
// (x), 4 down from above (elevation, from the special view layers' box, five times faster).
#include <cstdint>

#include "model/types.h"

// The model's box widened by 100 on every side.
extern Float3DRect gCutawayBounds;
// The box's extent across the cut direction: the slider's maximum, never 0.
extern float gCutawayRange;
// a, b, c, d: a scene point (x, y, z), y the elevation, stays visible while
// a x + b y + c z + d >= 0.
extern float gSlicePaneEquation[4];

inline constexpr int16_t kCutAwayFromAbove = 4;

// Recomputes the box and the range from the current document; nothing without one. A mode
// outside 0 to 4 leaves the range as it was.
void SetSlicePlaneBounds();
// Recomputes the plane from the mode, the position, the box and the range; (0, 0, 0, 0) for a
// mode outside 0 to 4. Nothing without a document.
void ComputeSlicePlane();
