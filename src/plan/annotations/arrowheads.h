#pragma once
// The seven end marks of dimension lines and leaders, also drawn on stair, duct and cable run
// lines: chosen by a flag word (bits 0-6, bit 7 puts the mark outside) or by the command ID of
// the arrow style (5086-5092). Points are projected view coordinates; sizes are zoomed.
#include <cstdint>

struct Objex;

inline constexpr int32_t kArrowOutsideFlag = 128;

// The mark at the tip pointing away from the other point, in the first style whose bit is
// set (the triangles, bit 0 before 1 before 2, then bits 3 to 6); nothing for none. Into the
// rubber-band engine while a tool tracks. Bit 7 (with an object) puts the mark beyond the tip
// and, except for angle dimensions, continues the line 36 units past it.
void DrawArrowhead(void* dc, const Objex* object, float tipH, float tipV, float otherH,
                   float otherV, int32_t flags);
// The mark of the arrow style drawn at once; `unzoomed` keeps its sizes at any zoom. An ID
// outside 5086-5092 draws nothing.
void DrawDimensionArrow(void* dc, float tipH, float tipV, float otherH, float otherV,
                        int16_t styleID, uint8_t unzoomed);
