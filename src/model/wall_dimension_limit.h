#pragma once
// The probe of a wall clearance: from a base point across the plan to the nearest wall
// segment of a layer it crosses.
#include "model/types.h"

struct Layer;
struct Poinz;

// Pulls `probeEnd` back to the nearest crossing of the probe base-probeEnd with a wall
// segment of the layer (closing segments of closed walls included), skipping the segment
// from `segmentStart` to `segmentEnd`. A crossing counts only within the probe's reach (its
// length plus 20) and more than one unit inside the crossed segment. The end lands at least
// 10 from the base; a coordinate within 1 of the base's takes the base's exactly. Returns the
// crossed wall's thickness (inches), or 0 with `probeEnd` untouched when nothing is crossed.
float LimitWallDimension(const FloatPoint* base, FloatPoint* probeEnd, const Layer* layer,
                         const Poinz* segmentStart, const Poinz* segmentEnd);
