#pragma once
// The six roof tools over walls (7300-7305, the style written by the dispatcher) share one
// tracker: a dragged rectangle becomes a roof (14) whose ridge follows the longer side, with
// its outline, ridge and hip lines shown while dragging. Also the move tool's feedback of a
// dragged wall segment.
#include <cstdint>

struct ClickInfo;
struct Objex;

void TrackGableRoof(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// A new filled transform element in the engine with the dragged segment (the click's two
// points, now at gTranslateWallSegPt1 and gTranslateWallSegPt2) and the wall's segments on
// either side of it, at the wall's thickness.
void DrawTranslatedWallObject(Objex* wall, const ClickInfo* click);
// One segment's outline, `width` wide about its centre line, into the active transform element.
void DrawTranslatedWall(float h1, float v1, float d1, float h2, float v2, float d2, float width);
