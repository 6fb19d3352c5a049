#pragma once
// The landscape plan's outline tools: property lines (7500), ground fills (7501), paths
// (7502), fills (7503, an oval), edgings (7504), fences (7505), excavations (7509) and
// topography lines (7511 curved, 7512 straight). Each draws with the outline tracker (the fill
// with the oval tracker) and dresses what it returns: landscape plan, the document's
// materials and sizes, and the height offsets that keep the layers of ground apart.
#include <cstdint>

// Set: new edgings are straight. 0 at start; not saved.
extern uint8_t gEdgingStyleFlag;

void TrackPropertyLine(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackGroundFill(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackPath(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFill(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackEdging(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackFence(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackTopo(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
void TrackTopoCutout(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
