#pragma once
// Whether a point lies inside a polygon, by the even-odd rule on a ray towards +x. An edge
// counts when it is not horizontal and the point lies above its lower end (exclusive), at
// most at its upper end, and on or left of it; the closing edge from the last corner to the
// first is taken last. A point level with a corner is so counted once.
#include <cstdint>

#include "model/planar_polygons.h"
#include "model/types.h"
#include "port/winrecords.h"

// Corners as plain (x, y) pairs (floatH as x, floatV as y). 1 inside, else 0 (also for a
// null argument).
int16_t IsPointInsidePolygon(const FloatPoint* point, const FloatPoint* corners, int32_t count);
// The plan test on scene vertices: the point's and the corners' x (H) and z (D).
int16_t IsPointInsideXZPolygon(const PolygonVertex* point, const PolygonVertex* corners, int32_t count);
// Integer corners; each crossing x is rounded to the nearest integer before it is compared.
int16_t IsPointInsideWinPolygon(const POINT* point, const POINT* corners, int32_t count);
