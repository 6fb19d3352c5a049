#pragma once
// The curved wall tool (7054): a drag sets a diameter of the arc's circle, then, with the
// button up, the pointer's turn about the circle's centre sets how far the arc runs from the
// release point; a click fixes it. The result is an interior wall along the arc, joined to the
// free wall ends under its ends. Plan position (h, d); the wall's height coordinate is the
// press's.
#include <cstdint>

void TrackCurvedWall(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
