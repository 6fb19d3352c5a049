#pragma once
// The automatic dimensions along an object's edges: a length label naming the edge for
// polygon objects, and for walls and roof edges a dimension measured to the chosen faces,
// split at every door and window with a size callout for each, and an overall dimension
// over two or more openings. The device-context argument is always null.
#include <cstdint>

struct Objex;
struct Poinz;

// 1 while the last callout of the segment being dimensioned was put on the dimension's side;
// 0 at the start of every segment.
extern uint8_t gToggleCallout;

// The dimension of the segment start -> end by the object's type; `side` (non-zero: 90
// degrees counter-clockwise from the segment) is the caller's pick from the winding, which
// walls replace by their start point's flip flag.
void DimensionWallSegment(void* dc, Objex* object, Poinz* start, Poinz* end, uint8_t side);

// The side an object's edge labels stand on, from its winding: 1 for a two-point object or
// one whose parallel direction is `direction`, else 0. Worked out on first use, since walls
// and most hidden edges never ask and the winding test builds the outline.
class EdgeSide {
public:
    EdgeSide(Objex* object, int16_t direction) : object_(object), direction_(direction) {}
    explicit EdgeSide(uint8_t side) : value_(static_cast<int8_t>(side != 0)) {}
    uint8_t get();

private:
    Objex* object_ = nullptr;
    int16_t direction_ = 1;
    int8_t value_ = -1;
};
void DimensionWallSegment(void* dc, Objex* object, Poinz* start, Poinz* end, EdgeSide& side);
// The ends a wall segment is measured between: with a dimension method on its start point,
// each end moved half the thickness to the face on the dimension's side (by where the
// neighbouring segment turns); otherwise, and for anything but a wall, the points' own plan
// positions (H, D).
void AdjustWallDimensionForMethod(const Objex* wall, const Poinz* start, const Poinz* end,
                                  float* startH, float* startV, float* endH, float* endV);
// The live dimensions of a position (h, v) on a wall segment while an opening is placed
// (`placed`, or null): from the mark before it and from the mark after it, into the rubber-
// band engine.
void DimensionWallSegmentToPoint(void* dc, Objex* wall, Poinz* start, Poinz* end,
                                 const float point[2], const Objex* placed);
// The wall scheme on the points' own positions with fixed offsets, the dimension lines only
// while dimensions show and the callouts only while callouts do.
void DimensionPerimeterSegment(void* dc, Objex* object, Poinz* start, Poinz* end, uint8_t side);
