#pragma once
// The four- and three-point roof tools (7307, 7308): a press on a wall segment and a drag away
// from it make one freehand roof panel (57) whose eave is the segment (moved by the wall's top
// shape and the soffits) and whose run is the drag; the panel slopes down toward the eave.
#include <cstdint>

void TrackFourPtRoof(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackThreePtRoof(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
