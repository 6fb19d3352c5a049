#pragma once
// A custom moulding swept along a wall face: one flat face per profile edge, mitred against
// a neighbouring segment that carries a trim in the same slot and closed by an end piece in
// the profile's shape where none does. The faces are trims of the face being built
// (gCurPlaneObject), kind 63, in the slot's material of the wall trim record, and write a
// material dropped on them back to that record.
//
// Profiles are (H, V, D) triples in plan units: H and D are added to a position's H and D,
// V is the height as it stands.
#include <cstdint>

#include "model/planar_polygons.h"

struct Float3DPoint;
struct PlaneObject;
struct Poinz;
struct TrimRecord;

inline constexpr uint16_t kWallTrimFace = 63;

// Whether slot 0 (base) or 1 (crown) of the record carries a trim: a standard one or a
// custom profile.
bool CarriesTrim(const TrimRecord* record, int16_t slot);

// Both sides of the trim face show the record's slot and write a dropped material back to it.
void SetSlotMaterials(PlaneObject* p, TrimRecord* r, int slot);

// Sweeps the profile from `start` to `end`, the segment's two ends on this face; `wallPoint`
// is the segment's first wall point and `reversed` says the face runs against the wall (its
// neighbours' trims are then read from their second records). `length` is the profile's
// rise, the span texture rows are laid along. start and end are swapped for the call when
// reversed and are as given on return.
void BuildCustomTrimPlanesForWalls(TrimRecord* record, PolygonVertex* start, PolygonVertex* end,
                                   const Float3DPoint* profile, int32_t count, float length,
                                   int16_t slot, Poinz* wallPoint, int16_t reversed);

// The profile's shape at the position, closing a free end of a sweep.
void BuildTrimEndPiece(TrimRecord* record, const PolygonVertex* position,
                       const Float3DPoint* profile, int32_t count, float length, int16_t slot);

// Texture rows up one face of a sweep: corners 0 and 3 at `start`, 1 and 2 `rise / length`
// further; a level edge (rise 0) spans 0 to 1. Nothing for a length of 0.
void CalculateVCoordinates(float length, float rise, float start, PolygonVertex* vertices);

// Texture columns (and rows with `setV`) projected from the plane the polygon spreads in,
// and the piece's repeats for that width by `length`.
void SetWallTrimFaceUVCoords(PlaneObject* planeObject, PolygonVertex* vertices, int32_t count,
                             float length, int16_t setV);
