#pragma once
// Flattening curved segments into straight pieces, opening a closed shape without changing its
// outline, and the trim record new walls get.
#include <cstdint>

struct Objex;
struct Poinz;
struct TrimRecord;

// A wall side's trim record as new walls get it: base, crown and rail textures 2213, panel
// 2212, wainscot 850, white, full-size scales; `interior` adds the base moulding (trim word 3).
// Null when it cannot be had.
TrimRecord* NewWallTrimRecord(bool interior);

// True when any point has a non-zero in- or out-tangent component.
bool ObjectHasCurves(const Objex* object);
// Replaces the curved segment a -> b (b follows a, or b is the first point of a closed
// object's closing segment) by N straight pieces, N the document's curve segment count (2
// when that is 1 or less): N - 1 new points of kind 9 with segment flags 3 go in after a,
// a gets kind 9 and segment flags 3, and the two tangents of the segment become zero.
// Nothing for a straight segment or without a current settings record.
void ConvertSegmentCurveToPolygon(Objex* object, Poinz* a, Poinz* b);
// The same on every segment in order, and on the closing segment of a closed object.
void ConvertObjectCurvesToPolygons(Objex* object);
// A closed object with points becomes open with a copy of its first point appended, so its
// outline is unchanged. The copy shares nothing with the first point (trim records are
// copied).
void PreserveConvertClosedToOpen(Objex* object);
