#pragma once
// The staircase and railing tools of the floor plan and, as other tool numbers, of the deck
// plan (7604, 7605, 7602, 7603). The straight staircase and both railings take their line from
// the outline tracker; the curved staircase, after its first release, follows the pointer
// with a quarter curve from the press until the next click. New staircases and railings take
// their sizes from the settings record and are built by the stair and railing generators.
#include <cstdint>

void TrackStraightStaircase(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackCurvedStaircase(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackStraightRailing(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackCurvedRailing(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
