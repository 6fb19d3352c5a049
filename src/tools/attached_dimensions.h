#pragma once
// Attached dimensions: wall components (56, subtype 138) that measure, square off their wall,
// the clear distance to the nearest other wall. The record locates the base on its segment (c
// along it, w wide) and keeps the measured length as its height (at least 10); the side flag
// points the probe to the side at the segment angle + 90 degrees. Points: the base's two ends
// and, when present, a third at the measured end. The first point's measuring method 0
// measures to the other wall's centre line, any other to its near face.
//
// Also the upkeep that keeps every attachment record of a wall valid when its points are
// replaced or its direction reversed.
#include <cstdint>

#include "model/attached_dimension_batch.h"
#include "model/types.h"

struct Layer;
struct Objex;
struct Poinz;

// Measures one attached dimension of the wall against the walls of the wall's own layer and
// lays its points. A probe that crosses no wall keeps the length it had.
void UpdateAttachedDim(Objex* dimension, Objex* wall);
// Lays the points from the record without measuring, when the base still fits its segment,
// then rebuilds its bounds and frame.
void UpdateDimWallAttachment(Objex* dimension);
// Every attached dimension of a wall, of the walls of a visible layer, or of every visible
// layer from `firstLayer` on.
void UpdateAttachedDimObject(Objex* wall);
void UpdateAttachedDimLayer(Layer* layer);
void UpdateAttachedDimAllLayers(Layer* firstLayer);


// Places a dimension's base of width size->floatH along a segment while it is dragged, for the
// pointer (H, D in floatH, floatV): its ends 5 clear of [minimum, maximum] along the segment,
// an end held fixed keeping the other at least 18 away. Writes the segment angle, the
// pointer's distance from the segment line into size->floatV, the ends that are not fixed and
// their midpoint; true when the pointer lies on the side at the segment angle + 90 degrees.
bool PositionDimAttachment(const Poinz* segmentStart, const Poinz* segmentEnd, FloatPoint* size, int16_t unused,
                           float minimum, float maximum, const FloatPoint* pointer, FloatPoint* firstEnd,
                           FloatPoint* lastEnd, bool firstFixed, bool lastFixed, float* angle, FloatPoint* centre);

// When two walls' points are joined: every child of the old wall takes the new wall as parent
// and each record naming the old point names the new one. The child lists stay as they are.
void ReplaceAttachmentBasePoint(Objex* oldWall, const Poinz* oldPoint, Poinz* newPoint, Objex* newWall);
// When a wall's point order is reversed: each record's segment ends and its two distances swap
// and its side flag inverts.
void ReverseAttachmentDirection(Objex* wall);
