#pragma once
// The outline most plan tools draw point by point (floors, decks, foundations, property lines,
// fills, paths, fences, stairs and railings as polylines, topography, roof panels, cut-outs,
// and the polygon and curve tools). The press and release give the first point; then a loop
// on the gesture's events (no event loop of its own) follows the pointer with a rubber band
// and adds a point per click until a double click, a right click, a Control-click or Escape
// ends it, or a click near the first point closes it. The snap mode chosen before the first
// click holds for every point; its lock comes back however the outline ends.
#include <cstdint>
#include <functional>

struct Objex;

// Gets the finished outline (type 8 closed or 9 open, bounds stored), or null when none was
// made (no current layer, Escape on the first point, or an area of `type` ended with too few
// points for a read to keep: objtype::TooFewPointsForArea); the caller gives it its own type.
// Not called when the loop is closed unfinished (a lost focus, another tool).
using OutlineDone = std::function<void(Objex* outline)>;

// The tracker call of the outline tools: `smooth` smooths the outline into a curve, `closed`
// closes it, `lockFlag` is unused, `type` is the calling tool's object type (54 draws the
// rubber band on the secondary path, 2 wide). Returns null: the outline reaches `done` when
// the loop opened at the release ends.
Objex* TrackGnrlPoly(int32_t x, int32_t y, float h, float v, float d, int16_t stage, uint8_t smooth, uint8_t closed,
                     uint8_t lockFlag, int16_t type, OutlineDone done = {});
