#pragma once
// Whether a point lies inside a polygon, by the even-odd rule on a ray towards +x. Callers
// hand the corners as plain (x, y) pairs in whichever plane they work in.
#include <cstdint>

#include "model/types.h"

// 1 when the point (floatH as x, floatV as y) lies inside the polygon of `count` corners,
// else 0 (also for a null argument). An edge counts when it is not horizontal and the point
// lies above its lower end (exclusive), at most at its upper end, and on or left of it; the
// closing edge from the last corner to the first is taken last.
int16_t IsPointInsidePolygon(const FloatPoint* point, const FloatPoint* corners, int32_t count);
