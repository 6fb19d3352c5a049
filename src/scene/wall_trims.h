#pragma once
// What decorates a wall face, built with the face from the side's wall trim record: base and
// crown mouldings, a wainscot cap, raised paneling, and custom profiles swept along the face.
// Every piece goes into the trim list of the face under construction (gCurPlaneObject), stands
// on the segment's base elevation, and points its materials at the record's slots so that a
// material dropped on it in 3D lands in the record.
//
// Plan units throughout. A level is a height above the face's bottom (base offset included):
// raising a vertex by a level subtracts it from the bottom's y. The face runs from its
// first-edge bottom B0 (the first vertex of its array) to its last-edge bottom B1; `direction`
// is the plan angle from B0 to B1 and the pieces stand off the wall at direction + pi/2.
#include <cstdint>

#include "scene/plane_object.h"

struct DocState;
struct TrimRecord;

// World inches: the height of the moulding about to be built, and of the paneling.
extern float gBaseTrimHeight;
extern float gPanelingHeight;

namespace trimkind {
inline constexpr int16_t kBase = 63;
inline constexpr int16_t kPaneling = 64;
inline constexpr int16_t kWainscotCap = 132;
inline constexpr int16_t kCrown = 159;
} // namespace trimkind

// The record's material slots.
namespace trimslot {
inline constexpr int kBase = 0;
inline constexpr int kCrown = 1;
inline constexpr int kRail = 2;
inline constexpr int kPanel = 3;
inline constexpr int kWainscot = 4;
} // namespace trimslot

// One strip 0.75 off the wall, gBaseTrimHeight high: a base moulding or wainscot cap from the
// base offset up, a crown hanging from the segment's first height (whatever the segment's
// shape), in the face's normal and the kind's slot. Nothing without the record, the face, its
// corners, a document or a face under construction.
void CreateMoulding(TrimRecord* record, Plane* face, float direction, float length,
                    const PlaneVertex* lastBottom, const PlaneVertex* vertices, float firstHeight,
                    float baseOffset, int16_t side, float baseElevation, int16_t kind);

// Raised paneling gPanelingHeight high: a back panel, rails across the face and stiles up it
// (the kind is the paneling's, 64). Rails come every 12 inches or so, stiles every 18, at
// least two of each, each 4 inches wide; every quad faces out of the piece it belongs to.
void CreatePaneling(TrimRecord* record, Plane* face, float direction, float length,
                    const PlaneVertex* lastBottom, const PlaneVertex* vertices, float firstHeight,
                    float baseOffset, int16_t side, float baseElevation, int16_t kind);

// Sweeps the record's base (slot 0) or crown (slot 1) profile along the face: a copy laid out
// across the wall, standing on the floor (the base) or hanging from the segment top (the
// crown), mirrored on side 1. `firstHeight` and `baseElevation` are world inches. Nothing
// without that profile.
void ApplyCustomTrimToWall(PlaneVertex* lastBottom, PlaneVertex* vertices, float direction,
                           float baseOffset, float firstHeight, float baseElevation, int16_t side,
                           TrimRecord* record, Poinz* segmentStart, int16_t slot);

// Heights in world inches by the word's height bits, in inches or, in a metric document,
// centimetres converted: a base or crown moulding (3, 4, 8 or 6 inches), and paneling or a
// wainscot (36, 42, 48 or 60) whose bits start at `firstBit`.
float GetMouldingHeight(uint32_t word, const DocState* ds);
float GetPanelingHeight(uint32_t word, uint32_t firstBit, const DocState* ds);

// Every trim the face's side takes from its record's trim and crown words, each with its
// height set first; the record is the segment start's record of that side (none: nothing).
// The face's corners, the segment's first height and the base offset as for the builders.
void AddWallFaceTrims(Poinz* segmentStart, int16_t side, Plane* face, float direction, float length,
                      PlaneVertex* lastBottom, PlaneVertex* vertices, float baseOffset);
