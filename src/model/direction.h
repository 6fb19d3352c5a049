#pragma once
// Putting an outline's points into a required order: reversing runs and rows, checking the
// winding against GetParallelDirection, and marking which way the cap of a closed surface
// of several rows faces (stored in `elevationMode`, 1 or -1, for objects with `flagA` set).
//
// Rows: `rows` below 1 counts as 1, and a point count that is not a multiple of `rows` is
// taken as one row.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// Points in each row of the object by the rule above; 0 without an object.
int32_t PointsPerRow(const Objex* object);

// Reverses the first `count` points (2 or less: the first two) of the run at `first`. The
// run is cut from its neighbours: the new first point has no predecessor and the old first
// point no successor, so callers relink. None when `first` has no successor.
Poinz* ReverseSegmentDirection(Poinz* first, int32_t count);
Poinz* ReverseAnySegmentDirection(Poinz* first, int32_t count);

// Reverses each row in place, keeping the rows in order, for types 3, 8, 9, 10, 11, 12, 19
// and 158; tangents are left as they are.
void ReverseObjectDirection(Objex* object);
// The same for any type; each point's in- and out-tangents trade places and are negated, so
// every curved segment keeps its shape.
void ReverseAnyObjectDirection(Objex* object);

// 1 when GetParallelDirection gives 1; otherwise 0, after reversing the object
// (ReverseObjectDirection) when it runs the wrong way and `fix` is set.
int16_t VerifyObjectDirection(Objex* object, uint8_t fix);

// Stores the cap facing of the object (a wall: of its generated solid) by the plane of its
// first three points in the current view rotation, then of every descendant.
void ValidateCapDirection(Objex* object);
// Every top-level object of the layer when it is visible, in the current rotation.
void ValidateCapDirectionLayer(Layer* layer);
// Every visible layer from `firstLayer` on, in the fixed cap view (X 20, Y 330 degrees, no
// perspective); the rotation of the view globals is restored afterwards.
void ValidateCapDirectionAllLayers(Layer* firstLayer);

inline constexpr float kCapViewXAngle = 20.0f;
inline constexpr float kCapViewYAngle = 330.0f;
