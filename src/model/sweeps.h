#pragma once
// Sweeping an outline into a surface of several rows (extrude, revolve), swapping coordinate
// axes, and flattening a drawing into the ground plane. The sweeps work only on objects of
// one row (`rows` 0 counts as 1) and add nothing when a point cannot be made.
#include <cstdint>

struct Objex;
struct TransformRecord;

// Appends a copy of the outline moved by the distance along the depth axis of the current
// view (plan: V, front or back: D, left or right: H) as a second row, then recomputes bounds,
// texture mapping and point lengths. Nothing in any other view.
void ExtrudeObject(Objex* object, float distance);

// Appends turned copies of the outline, one row per step of at most 90 degrees of the
// record's revolve total angle (tracking form, radians), about the record's origin in the
// view's plane, starting from its start angle. The record keeps the last current angle.
void RevolveObject(Objex* object, TransformRecord* record);

// Swap V and D (ConvertXYtoXZ) or H and D (ConvertXYtoZY) of every point's position and of
// both its tangents.
void ConvertXYtoXZ(Objex* object);
void ConvertXYtoZY(Objex* object);
// Every point's V becomes its D and V becomes 0; also the descendants with the flag.
void FlattenObjectToXZPlane(Objex* object, uint8_t recursive);
