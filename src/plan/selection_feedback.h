#pragma once
// Selection feedback in the plan: the outline traced along a selected object, and the
// clearances of a clicked wall segment (from the clicked place, perpendicular to the segment,
// centre line to centre line, to the nearest other wall on each side), held until the next
// plan draw shows them once or a clear erases them.
#include <cstdint>

#include "model/types.h"

struct Objex;
struct Poinz;

// Side A lies at +90 degrees from the segment's direction, side B at -90 (plan units, h then
// plan v). Empty is -32000 in both coordinates; a side is present when any of its four
// coordinates is above -30000.
extern FloatPoint gSelectedWallSegmentStartPtSideA;
extern FloatPoint gSelectedWallSegmentEndPtSideA;
extern FloatPoint gSelectedWallSegmentStartPtSideB;
extern FloatPoint gSelectedWallSegmentEndPtSideB;

// Lines along every segment (and the closing one of a closed object); a slope-direction
// arrow (58) also gets two 30-unit barbs at 45 degrees either side at its tip.
void DrawSelectionLine(Objex* object);

// For a wall both of whose segment points are selected: measures both clearances from the
// foot of the click (view coordinates) on the segment and stores each side whose far end lies
// more than 10 and less than 30000 away.
void DrawDimensionWallSegmentSelection(Objex* wall, Poinz* start, Poinz* end, int32_t clickH,
                                       int32_t clickV);
// The far end of one clearance: the probe from `base` at the segment angle plus 90 degrees
// (side non-zero) or minus 90 (radians, written to `outAngle`), pulled back to the nearest
// other wall of the current layer. Nothing unless `wall` is a wall and there is a current layer.
void GetWallDimensionPoint(Objex* wall, Poinz* start, Poinz* end, FloatPoint* base,
                           FloatPoint* farPoint, uint8_t side, float* outAngle, float segmentAngle);
// Draws the stored clearances once (red readouts of fixed height; side B one-sided after side
// A) and empties them.
void ApplePortDrawDimensionWallSegmentSelection();
// Whether clearances wait to be drawn (ApplePortDrawDimensionWallSegmentSelection empties them).
bool WallSegmentClearancesStored();
// Erases the stored clearances through the plan view's engine and empties them; non-zero
// when either side was present.
int16_t ClearDimensionWallSegmentSelection();
// Dimension lines along every segment of a wall into the plan view's engine.
void DrawSelectionDimension(Objex* wall);

// Hands DrawSelectionLine and ClearDimensionWallSegmentSelection to the model
// (model/selection_feedback_hooks.h). Called at start-up with the other tables.
void RegisterSelectionFeedback();
