#pragma once
// Wall upkeep after a wall tool or a conversion changed a wall: stopping a new segment at the
// first wall face it runs into, dropping points that do not turn the wall, and joining free
// wall ends into one wall (or closing a wall onto itself). Only walls (type 12) join; other
// open objects are left alone. Lengths are plan units.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// Moves `moving` along fixed -> moving so the segment stops at the near face of the first wall
// of the layer it crosses (a crossing within reach: the length + 20, inside the other segment
// by more than 1). A crossing closer than 24 to `fixed` changes nothing; the result is at
// least 10 long, and a coordinate within 1.0 of the fixed point's is made equal to it.
void LimitWall(Objex* wall, Poinz* fixed, Poinz* moving, Layer* layer);
// Both end segments limited, then the wall rebuilt. 0 for a missing argument or a non-wall.
int16_t LimitWallObject(Objex* wall, Layer* layer);
// LimitWallObject for every object of the layer, last to first.
void LimitWallLayer(Layer* layer, Layer* docLayer);

// Removes the inner points where the wall runs straight on (directions within 1 degree) or
// doubles back (179 to 181), whichever way round the circle the directions were measured;
// attachments of a removed point take its neighbours. Closed walls also test their last and
// first points. Rebuilds the wall when a point went.
void OptimizeWall(Objex* wall);

// Moves every child of `from` to the end of `to`'s child list, `to` their parent.
void TransferAttachments(Objex* from, Objex* to);

// Merges two walls whose given end points meet: the survivor comes back (wall B unchanged when
// refused: a missing argument or a point that is no end of its wall). The other wall is
// deleted; keep no pointer to it.
Objex* JoinWallObjects(Objex* wallA, Poinz* pointA, Objex* wallB, Poinz* pointB);

// A new two-point wall on the current layer from the segment p1 -> p2 of the wall; null for a
// missing argument.
Objex* SeparateWallSegment(Objex* wall, Poinz* p1, Poinz* p2);

// Joins the wall's end point to a free end of another wall of the current layer under it, or
// closes the wall onto its own other free end. Returns the wall that holds the point
// afterwards (the wall itself when nothing was joined); null for a missing argument.
Objex* ConnectWallPoint(Objex* wall, Poinz* endPoint);

// --- shared with the wall trackers ---

// A point that lacks a neighbour on one side.
bool IsFreeEnd(const Poinz* point);
Poinz* LastWallPoint(Objex* wall);
// A free end of an open wall of the current layer (other than `skip`) under the plan point
// (H, D), with the hit tolerance widened to 20 zoomed units for the search; null when none.
Poinz* FreeWallEndAt(float h, float d, const Objex* skip);
// The wall thickness in plan units.
float WallThickness(const Objex* wall);
// Moves both ends to the crossing of their end segments' lines, when each has a neighbour and
// the crossing lies within +-30000.
void MeetAtEndSegments(Poinz* a, Poinz* b);
// The crossing of the line through (x1, y1), (x2, y2) with the line through (x3, y3), (x4, y4),
// solved without slopes so near-vertical lines stay exact; false (nothing written) for
// parallel lines.
bool CrossLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, float* x, float* y);
// The wall rebuilt after an edit: faces mapped and lengths measured, solid, attachments, scene.
void RebuildWall(Objex* wall);
