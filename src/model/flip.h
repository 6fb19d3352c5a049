#pragma once
// Mirroring selected points about the flip centre in the axes of the current view, with what
// follows a mirror: a roof's skylights and dormer cut-outs (and a skylight's symbols), a wall
// segment's two sides, and the angles some objects store.
#include <cstdint>

struct Objex;

// The flip centre, set by the flip command before a flip: X is the centre across the first
// view axis (plan and front: H, left or right: D), Y across the second (plan: D, elevations:
// V).
extern float gFlipCenterX;
extern float gFlipCenterY;

// Mirrors the selected points: horizontally across gFlipCenterX, otherwise across
// gFlipCenterY, negating the tangents in that axis. A wall's selected points trade their
// inside and outside textures, colours, face scales and trims. A roof or freehand roof first
// flips its skylights and dormer cut-outs (all when the whole roof is selected, else the
// selected ones) and toggles their horizontal or vertical mirror byte. Then bounds, texture
// mapping and point lengths are recomputed, the object is marked for a rebuild and its stored
// angles are mirrored (FlipGroupAngles; a freehand roof's slope direction). Nothing in a view
// other than plan, front or back, and left or right.
void FlipObject(Objex* object, uint8_t horizontal);

// Selects, flips (FlipObject) and deselects each symbol of the list.
void FlipSkylightSymbols(Objex* firstSymbol, uint8_t horizontal);

// The angle a group keeps, mirrored: a cabinet group's (subtype 136) record angle, or the
// rotation (params[4]) of a group holding an imported object; both in degrees. Nothing for
// other objects.
void FlipGroupAngles(Objex* group, uint8_t horizontal);
