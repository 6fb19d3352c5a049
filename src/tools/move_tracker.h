#pragma once
// The move tool's routine for a press that hit an object (tools 200, 216 and 3550): whole
// selections, one point of a point-edited object, one segment of a wall, a wall's free end
// (longer, shorter, joined to another wall or closed on itself), and the hand-over of doors,
// windows, components, accessories, deck steps and slope arrows to their own slides.
#include <cstdint>

// (x, y) the view point, (h, v, d) the evaluated world point; stage 1 press, 2 drag, 3 release.
void TrackTranslate(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
