#pragma once
// The wall tools (7050/7051 exterior, 7052/7053 interior, 7507 retaining): one drag draws one
// straight segment that starts a new wall, extends a wall from its free end, merges two walls
// whose free ends it links, or closes a wall; a drag from a wall face stays square to it. The
// result is limited at crossing walls, tidied and rebuilt; 7051 and 7053 then open the wall
// key-entry sheet on the new segment. Plan position (h, d); new points take the press's v.
#include <cstdint>

void TrackWall(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
