#pragma once
// What a wall drawn with the wall tools starts with: the object's fields by the kind of wall,
// and the record each segment keeps on its start point. Also the turn of a wall's point order,
// which carries every segment record to the segment's other end, mirrored.
#include <cstdint>

struct DocState;
struct Objex;
struct Poinz;

enum class NewWallKind : uint8_t { Exterior, Interior, Retaining };

// The kind the wall tool makes for a tool ID (7050/7051 exterior, 7507 retaining, else interior).
NewWallKind WallKindOfTool(int16_t tool);

// Type 12 and the object fields of a new wall of the kind (a height below 0.5 raised to its
// floor's), then a fresh segment record on every point (alternate flags 0, 1, 0, ...). Nothing
// for a missing argument.
void SetNewWallDefaults(Objex* wall, NewWallKind kind, const DocState* ds);

// A fresh segment record on the point: colours, heights and codes from the settings record, new
// trim records (interior: a base moulding on both sides), the given alternate flag.
void SetNewSegmentRecord(Poinz* point, const DocState* ds, bool interior, int16_t alternate);

// Whether the wall's trim records are an interior wall's (neither exterior nor retaining).
bool WallHasInteriorTrims(const Objex* wall);

// Copies the segment record of `from` onto `to`, the trim records changing hands (each point
// keeps a pair it owns).
void SwapSegmentRecords(Poinz* to, Poinz* from);

// The segment's record as seen from its other end: sides swapped, shape code and heights
// mirrored.
void MirrorSegmentRecord(Poinz* point);

// Reverses the point order: tangents turned, each segment's record moved to its new start and
// mirrored, the old first point given a fresh record, attachments reversed in direction.
void ReverseWallPoints(Objex* wall, const DocState* ds);
