#pragma once
// Two drag tools of the HVAC and electrical plans. The air duct tool (7400) lays a straight
// two-point duct run from the press to the release, turned to the nearest 15 degrees unless
// Shift is down; the switch connector tool (7108) lays the quarter ellipse that links a switch
// to what it controls. A drag shorter than the click limit is a click: nothing is made and the
// standard tool comes back.
#include <cstdint>

#include "model/types.h"

void TrackHVACDuct(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackSwitchConnector(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// The quarter ellipse from the press `down` to the pointer (h, d), centred at (pointer H, press
// D): the box spanned by the two (square with Shift in `modifiers`) doubled away from the
// press, and the start angle of the -90 degree sweep by the pointer's quadrant (right of or
// level with the press and below or level: -90; right, above: -180; left, below: 0; left,
// above: 90). `levelLeftAbove` counts a pointer level with the press on its left as above.
struct Quarter {
    FloatRect box;
    float start = 0;
};
Quarter QuarterFromPress(int16_t modifiers, const Float3DPoint& down, float h, float d, bool levelLeftAbove);
