#pragma once
// The line (7702), arc (7704) and multigon (7706) tools, each a detail shape from one drag,
// the text tools' tracker, and the arc feedback of the curved wall, sprinkler and door swing
// trackers. A gesture shorter than gMouseModeLimit makes nothing and gives back the standard
// tool.
#include <cstdint>

struct Objex;

// From the press (moved onto a segment the perpendicular snap found at the press; the middle
// in centre-line mode) to the release: an open shape of two points.
void TrackLine(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
// The polygon (7703) and curve (7707) tools: an outline drawn click by click (TrackGnrlPoly),
// closed by the tool's close flag, becomes a detail shape; the curve's is smoothed.
// g3DObjects is down for the whole gesture.
void TrackPoly(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
// A quarter ellipse whose ends are the press and the release: an open shape.
void TrackArc(int32_t x, int32_t y, float h, float v, float d, int16_t stage, int16_t tool);
// A regular polygon of the settings record's side count about the press, its last vertex on
// the pointer's direction. Fewer than three sides draw and make nothing.
void TrackMulti(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
// The text tools draw and make nothing while tracking.
void TrackText(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// The arc feedback over the circle of the radius about the centre from the start angle
// (radians) towards the cursor, a line from the centre towards the cursor and one to the fixed
// end, all view points; returns the sweep in degrees (0 and nothing drawn without a settings
// record or for a view kind other than 1, 2 and 3). The sweep runs counter-clockwise from the
// start angle; with Shift the curved wall's (DrawArcState) runs the other way round, and the
// door swing's (DrawDoorArcState) without it.
float DrawArcState(int32_t centreX, int32_t centreY, int32_t fixedX, int32_t fixedY, int32_t cursorX,
                   int32_t cursorY, float startAngle, float radius);
float DrawDoorArcState(int32_t centreX, int32_t centreY, int32_t fixedX, int32_t fixedY, int32_t cursorX,
                       int32_t cursorY, float startAngle, float radius);

// Whether a modifier change asks for a redraw: always.
bool HaveModifiersChanged();
