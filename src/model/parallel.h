#pragma once
// Parallel outlines: a copy of an outline moved sideways segment by segment, its corners
// mitred where neighbouring offset segments meet, and the band between an outline and its
// parallel. The 3D builders use them for wall and path faces, inset trims, frames and soffits.
//
// Side codes: 7 offsets each segment by distance x (ud, -uh), (uh, ud) being its unit
// direction in (H, D), which is the left side on screen walking from start to end (D grows
// down); 8 the other side. A corner whose mitre lands outside the lot grown by 100 on every
// side (parallel segments always do) is taken as the offset start of the following segment.
#include <cstdint>

struct Objex;
struct Poinz;

namespace parallel {
inline constexpr int16_t kSide7 = 7;
inline constexpr int16_t kSide8 = 8;
inline constexpr float kMitreMargin = 100.0f;

// `optionA` read as the placement code of MakeParallel.
inline constexpr int32_t kCentred = 0;
inline constexpr int32_t kOutlineAndSide7 = 1;
inline constexpr int32_t kOutlineAndSide8 = 2;
}  // namespace parallel

// The offset copy of the segment start -> end (sign +1 side 7, -1 side 8); both ends take the
// start's V. Nothing when any pointer is missing.
void GetParallelPoints(const Poinz* start, const Poinz* end, float* startH, float* startV,
                       float* startD, float* endH, float* endV, float* endD, float sign,
                       float distance);

// A parallel of the outline at the plan distance on the side (8, or 7 for any other code):
// same type, closed flag, visibility, colours, pen and fill, the source's layer (appended
// only with the flag). New points are of kind 1, selected, without tangents. None without a
// document or settings record, or for fewer than two points.
Objex* CreateParallelObject(Objex* object, int16_t side, float distance, uint8_t append);
// The same, always appended to the source's layer.
Objex* CreateConstantParallelObject(Objex* object, int16_t side, float distance);
// A parallel at a world distance (document unit), appended; none for an open outline.
Objex* MakeClosedParallel(Objex* object, float worldDistance, int16_t side);
// The same for open outlines only.
Objex* MakeOpenParallel(Objex* object, float worldDistance, int16_t side);

// The closed band of one row around the outline, by `optionA`: 0 centred on it (each side at
// half the world distance; the source is deleted and the returned object replaces it), 1 the
// outline itself plus a side-7 parallel, 2 plus a side-8 parallel. With first side F1..Fn and
// second S1..Sn the band runs F1..Fn, Sn..S1; a closed source gives two rings joined along one
// seam, F1..Fn, F1', S1', Sn..S1. Returns the object itself when nothing could be built (the
// source is then untouched).
Objex* MakeParallel(Objex* object, float worldDistance, uint8_t append);

// 1 when a point 2.0 to the left (on screen) of the first segment's middle lies inside the
// first row's outline in the plane of the current view (non-zero winding, coordinates rounded
// to whole units), else -1; 1 for fewer than two points, without an object or a document; 0
// without a settings record. In the plan, side 7 goes inwards exactly when this gives 1.
int16_t GetParallelDirection(Objex* object);
