#pragma once
// Constraints that bend a tracked plan point (H, D: a point's X and Z) relative to a fixed
// point, usually the press: round angles, the neighbouring edges of the outline being edited,
// tidy rectangles; and the outline segment nearest a point. Angles follow the plan: degrees
// counter-clockwise from +H with D pointing down the screen.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct ClickInfo;
struct Objex;
struct Poinz;

// Once the drag has begun (gTrackingMouse) and Shift is not held (or withShift is set): the
// direction from (fromH, fromD) turns to the nearest 5 degrees (halves away from zero, 360
// becomes 0) and, with grid snap on, the length floors to whole grid cells. Command keeps the
// previous angle so only the length follows. The angle (radians) goes to gTrackConstrainAngle.
// Otherwise the point is only grid-snapped and the angle is 0.
void SnapCursorToAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withShift);
// The same, acting only while gTrackingPoly is set.
void SnapCursorToPolyAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withShift);
// The same in steps of `step` degrees, acting while Shift is held or withoutShift is set.
void SnapCursorToCustomAngleConstraint(float fromH, float fromD, float* h, float* d, uint8_t withoutShift,
                                       int32_t step);

// A drag that grabbed a point or a segment of the click's object at (fromH, fromD), once it has
// begun. A dragged point slides along one neighbouring edge while the other turns in 5-degree
// steps (free with Shift or beside curves, on the grid). A dragged segment moves parallel to
// itself and its neighbouring edges stretch; where it lies goes to gTranslateWallSegPt1 and 2,
// and a move that would leave a neighbour shorter than 23.5 or the segment shorter than 47.5
// keeps the previous event's segment. A from point of kNoTrackValue changes nothing.
void SnapCursorToSegmentConstraint(const ClickInfo* info, float fromH, float fromD, float* h, float* d);

// The rectangle a drag from (h1, d1) to (h2, d2) spans; with Shift (bit 4 of modifiers) a
// square in the pointer's quadrant. The oval tool's is the same.
void GetRectBounds(int16_t modifiers, float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect,
                   uint8_t zoom, uint8_t centred);
void GetOvalBounds(int16_t modifiers, float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect,
                   uint8_t zoom, uint8_t centred);
// The two corners sorted into `rect` (top the smaller D, left the smaller H) and into `qdRect`
// (each value + 0.5, truncated to 16 bits), zoomed first when asked; centred mirrors the
// rectangle about (h1, d1) so that it is the centre. Either output may be null.
void LoadFloatAndQDRects(float h1, float d1, float h2, float d2, FloatRect* rect, RECT* qdRect, uint8_t zoom,
                         uint8_t centred);

// The outline segment nearest (h, d): the nearest point and whichever neighbour is nearer,
// in outline order (the ends wrap). Both null for an object without points.
void GetClosestSpline(const Objex* object, float h, float d, Poinz** first, Poinz** second);
// The short piece of the segment p1 -> p2 nearest (h, d), in order along the segment: both the
// perpendicular foot for a straight segment, else two neighbouring samples of the curve.
void GetClosestSegment(const Poinz* p1, const Poinz* p2, float h, float d, FloatPoint* near1, FloatPoint* near2);

// Whether both tangents of the point are zero.
bool IsStraightPoint(const Poinz* point);

// The readouts of a tracked point are not kept: nothing to update.
void UpdateInfo();
