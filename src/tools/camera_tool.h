#pragma once
// The camera tool (205): a drag from where the live view's camera stands to what it looks at,
// shown as a yellow triangle, with real-time frames of the live view while the button is down.
#include <cstdint>

// At the release, 1 when the camera was dragged 5 world units or more, else 0.
int16_t TrackCamera(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
