#pragma once
// The rectangle (7700) and oval (7701) tools: a drag from one corner to the other, or from the
// centre out (gCenterRectTool, gCenterOvalTool), with live dimensions, makes a detail shape of
// four points. The fill tool uses the oval tracker too.
#include <cstdint>

struct Objex;

void TrackRect(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
// The oval made at the release; null otherwise.
Objex* TrackOval(int32_t x, int32_t y, float h, float v, float d, int16_t stage);
