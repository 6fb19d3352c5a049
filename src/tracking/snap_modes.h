#pragma once
// Snap modes: pulling a tracked point onto something already drawn (an end point, the middle
// of a segment, the centre or a corner of an object, the crossing of two segments, a point at
// a set distance along a segment, a point on a segment, the origin); stepping and resetting
// the mode, which the snap palette shows.
#include <cstdint>

#include "tracking/tracking_state.h"
#include "ui/core/palette_seams.h"

struct ClickInfo;
struct Layer;

// The snap position (plan H, D) of the mode for the record of a hit test at view point
// (x, y): 1 when the mode found one. The origin mode needs no hit; modes 501-508 need the
// record's hit; other modes find nothing. Where a function picks the nearer of two places it
// compares them with the view point, seen in the view.
int16_t SnapPoint(const ClickInfo* record, int32_t x, int32_t y, int16_t mode, Layer* layers, float* h, float* d);
// A hit point; a hit segment's nearer end (the second on a tie); handles 1-4 at the corners of
// the object's 2D bounds (left top, right top, right bottom, left bottom).
int16_t SnapEndPoint(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// The middle of a hit segment, along its curve.
int16_t SnapSplineCenter(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// The middle of the 3D bounds of the hit object, or of its parent.
int16_t SnapObjectCenter(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// The corner of those bounds on the pointer's side of their centre, as seen in the view.
int16_t SnapObjectCorner(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// A point either record hit, else the crossing of the two segments the record and gSnapInfo hit
// (nothing for parallel ones).
int16_t SnapIntersection(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// Never moves the point: records the first segment the gesture touches in gPerpStartPtz and
// gPerpEndPtz (a hit point: with its previous point, else its next, else itself; a curved
// point: itself).
int16_t SnapPerpendicular(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// On a straight hit segment, the snap offset along it from its nearer end. For the tools whose
// symbols hang on a wall (and the move tool on such a symbol) the place then lies 100 plan
// units out from the segment on the pointer's side.
int16_t SnapSplinePercentage(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// A hit point; on a hit segment's piece under the pointer, the place as far from the piece's
// nearer end as the pointer is.
int16_t SnapOnSpline(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// The document's origin.
int16_t SnapOrigin(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);
// On a straight hit segment, the snap offset along it from its second end.
int16_t SnapSplinePercentage2(const ClickInfo* record, int32_t x, int32_t y, Layer* layers, float* h, float* d);

// Tab during a drag: the next mode (after 508, 500), with Shift the previous one (before 500,
// and from the origin mode, 508). Result 0.
int16_t SnapToolChange(bool shift);
// While the keyboard may change the mode (gChangeSnapOK): a Tab key-down being handled steps
// the mode, backwards with Shift.
void MaintainSnapTools();
// The mode a reset leaves: unlocked modes and the origin mode go back to none.
int16_t ModeAfterSnapReset(int16_t mode, bool locked);
// At the first drag of a gesture: a mode that is not locked, and the origin mode always,
// returns to none; leaving the origin mode also drops its lock.
void ResetSnapTool();
