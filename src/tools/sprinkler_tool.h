#pragma once
// The sprinkler head tool (7508) and the detail plan's circular arc tool (7705): a drag sets
// the circle's centre (the press) and radius (the release); then, with the button up, the
// pointer's turn about the centre sets how far the arc runs from the release; a click fixes
// it. The sprinkler is the closed pie of that arc and its centre, the arc an open detail arc.
// A drag shorter than the click limit makes nothing and gives back the standard tool.
#include <cstdint>

void TrackSprinkler(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
