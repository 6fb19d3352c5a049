#pragma once
// Turning a staircase round: its points run the other way, so its steps climb from the other
// end. The points' tangents are not swapped; the caller smooths and rebuilds afterwards.
#include <cstdint>

struct Objex;
struct Poinz;

void ReverseStairDirection(Objex* stair);
// The run of `count` points from `first` relinked in reverse order; its new first point, or
// null for no first point or a run of one.
Poinz* ReverseCurveSegmentDirection(Poinz* first, int32_t count);
