#pragma once
// Three routines of the edit tools, measured from the gesture and drawn as feedback; the change
// itself is one command over the selected objects of every layer. TrackScale resizes the
// selection by a side of its bounds (resize tool, or the move tool on a selection handle),
// TrackRotate turns it about the middle of its bounds (rotate tool), TrackMarquee selects with
// a rubber rectangle (a press of the move tool on nothing).
#include <cstdint>

// The grabbed side on each of the view's axes is the one of the bounds' centre the press lies
// on; the other is the anchor. The plan and front views keep each axis at least 10 units
// across; an axis less than 8 across is not scaled; Shift keeps only the axis that changed
// more; Command in an elevation view works in the front view without scaling across.
void TrackScale(int32_t x, int32_t y, int16_t stage);
// About the middle of the selection's 3D bounds, in 5-degree steps in the plan view.
void TrackRotate(float h, float v, float d, int16_t stage);
// From the press to (h, v, d); Shift adds to the selection (mode 3).
void TrackMarquee(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
