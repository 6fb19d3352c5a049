#pragma once
// Per-point annotations that 3D generation reads when it lays textures on an object: planar
// texture coordinates from the axis plane the object faces most, and, for objects of several
// rows, each point's length along its row and the row's perimeter.
//
// Rows: `rows` below 1, or a point count that is not a multiple of `rows`, counts as one row.
#include <cstdint>

struct Objex;
struct Poinz;

// Chooses `faceAxis` (1 across D: u from H, v from V; 2 across V: u from H, v from D; 3 across
// H: u from D, v from V), fills `textureFaceRect` and `textureFaceRect2` from the first row
// and sets every point's `textureU` and `textureV` (clamped to 0..1). Roof faces (32, 41)
// and freehand roof slabs (59) are measured turned about the view origin's plan point; their
// stored points are never changed.
void SetTextureFaceUV(Objex* object);

// Sets every point's `rowLength` and `rowPerimeter` for objects of two rows or more: rows 1
// and 2 are measured along the first row, rows from 3 on along the third row when there are
// exactly three rows, else along the first.
void SetObjectPointLengths(Objex* object);
// Both of the above, as a read of the object does: what makes or reshapes an object calls this
// so that Save writes what a read of it gives. Groups hold no points of their own and are passed by.
void MapFacesAndLengths(Objex* object);
// The same for the object and everything a read reads or makes with it: its children at any
// depth and the part lists of their attachment records (a copy keeps its source's otherwise).
void MapTreeFacesAndLengths(Objex* object);
// Perimeter of the first row (of the third with the flag and exactly three rows), with the
// closing segment when the object is closed; 0 below two rows or two points a row.
float GetTotalPerimeterLength(Objex* object, uint8_t thirdRow);
// Length along the same row from its first point to its point number index + 1 (index 0
// gives 0); the closing segment counts once index reaches the row's point count.
float GetPointIndexPerimeterLength(Objex* object, int32_t index, uint8_t thirdRow);
// 3D length of the curved segment from start to end: n chords of the link patch at the
// document's curve resolution n; 0 without a settings record or for n below 1.
float GetSplineLength(const Poinz* start, const Poinz* end);
