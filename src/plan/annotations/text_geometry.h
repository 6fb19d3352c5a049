#pragma once
// Arithmetic the plan's text and dimension routines share: rounding into the 16-bit plane,
// the zoomed font height, upright and printed text angles, and anchors projected into the
// current view.
#include <cstdint>

#include "files/windows_records.h"
#include "port/winrecords.h"

namespace plantext {

// x + 0.5 truncated toward zero, clamped to 16 bits.
int16_t Round16(double x);
// A view point as a path takes it: times the print scales while printing, then rounded.
PlatformPoint PathPoint(double x, double y);
// A font height zoomed (times the horizontal print scale while printing) less 0.5, truncated
// to 16 bits; 0 becomes -1 so the text never vanishes.
int32_t ScaledFontHeight(float lfHeight);
// Angles in (90, 270] degrees turned by 180 so the text never reads upside down; a direction
// within float rounding of straight up (90) or down (270) counts as exactly that, so text along
// a vertical line reads upward whichever way the line runs.
double UprightDegrees(double degrees);
// While printing, text at a whole 0, 90, 180, 270, 360 or 450 degrees turns 0.1 more.
double PrintedDegrees(double degrees);
// Tenths of a degree for lfEscapement and lfOrientation.
int32_t TenthsOfDegree(double degrees);
// The plan point (h, v) at elevation 0 in view units: zoomed, projected, with the view's
// perspective.
PlatformPoint ProjectAnchor(float h, float v);
// Arial italic of the given height: rubber-band labels and their dimension readouts.
LOGFONT TrackingFont(int32_t height);
// The rectangle of width w + 6 and height `height` centred on c, each side rounded.
PlatformRect TextBox(PlatformPoint c, float w, float height);
// Whether the view box, grown by ink beyond it (smoothing, overhangs), lies wholly outside the
// part of the plan being redrawn, so that drawing in it leaves no pixel. Never while printing
// (pages are drawn whole) or with the plan index off.
bool OutsideRedrawn(double x, double y, double width, double height);

}  // namespace plantext
