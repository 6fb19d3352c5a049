#pragma once
// The solid pieces of a staircase: curved steps with their stringer and under-stair panels,
// straight treads, landings with their side panels, and the stringers and under-stair panels of
// straight runs. Each is hung at the end of the owner's parts.
#include <cstdint>

#include "geometry/elements/stair_state.h"

struct Objex;

// One step of a curved stair whose edge crosses (H, V, D) across the walking direction. The
// first call after a start only records its edge; every call makes its edge the next start.
void AppendStairStepObject(const StairContext& c, float h, float v, float d, float direction);
// One straight tread from the previous back corners to the new ones (plan H and D), a riser
// of 0 or less taken as 15.0.
void AppendStraightStairStepObject(const StairContext& c, const Float3DPoint& previousLeft,
                                   const Float3DPoint& previousRight, const Float3DPoint& left,
                                   const Float3DPoint& right, float riser);
// The landing after a straight run: the run ends become the next run's starts. The segment
// ends are the side lines' corners, `leftNext`/`rightNext` the side lines' points after them.
void BuildStairLanding(const StairContext& c, Float3DPoint& leftRunEnd, const Float3DPoint& leftSegmentEnd,
                       Float3DPoint& rightRunEnd, const Float3DPoint& rightSegmentEnd, const Float3DPoint& leftNext,
                       const Float3DPoint& rightNext);
// One side's stringer of a straight run (side 1 left, 0 right), starting from
// `gStairStringerHeightAccum`; the part, or null. `closing` receives how many corners close
// it after its top.
Objex* BuildStaircaseStraightStringer(const StairContext& c, const Float3DPoint& start, float direction,
                                      float treadDepth, float riser, int32_t treads, int32_t runIndex, int side,
                                      int32_t* closing);
// The panels under a straight run between its two stringers.
void BuildStaircaseBottomPaneling(const StairContext& c, Objex* left, Objex* right, int32_t leftClosing,
                                  int32_t rightClosing, int32_t runIndex);
