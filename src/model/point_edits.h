#pragma once
// The point-list work behind inserting and removing points: splitting a segment with a new
// point (its attributes, trim records and the attachments of the segment follow it), unlinking
// a point with its trim records, the fewest points a type keeps, and the 3D rebuild after a
// change (through the rebuild table).
#include <cstdint>

struct DocState;
struct Objex;
struct Poinz;

// Whether the point belongs to the object's outline.
bool IsPointOf(const Objex* object, const Poinz* point);
// Whether a point may be inserted after `segmentStart`: a type that takes added points, the
// start one of the object's, and a snap mode other than end point, object centre or corner.
bool MayAddPointTo(const Objex* object, const Poinz* segmentStart);
// Inserts a point on the straight segment that starts at `segmentStart` (the closing segment
// when it is the last point), as far from its start as (h, d): on the segment's line, at the
// start's V for a deck, at V 0 for other types but free detail shapes. Null for a curved
// segment. Bounds, texture coordinates and point lengths follow; the object is rebuilt.
Poinz* InsertPointOnSegment(Objex* object, Poinz* segmentStart, float h, float v, float d);
// Inserts a point at exactly (h, v, d) after `segmentStart`: no type or curvature test. Texture
// coordinates and point lengths follow before the rebuild, as for an insert.
Poinz* AddPointAtPosition(Objex* object, Poinz* segmentStart, DocState* document, float h, float v,
                          float d);

// The count that must remain after a removal; 0 when the type refuses removal.
int32_t MinimumPointCount(const Objex* object);
// After a point was removed: texture coordinates and point lengths of the outline left, the
// rebuild (the object's own for the types that build from their outline, the parent roof's for
// a roof cut-out), then the bounds.
void RebuildAfterPointRemoval(Objex* object);

// Unlinks and frees one point of the object (a wall point with its trim records).
void RemovePointInObject(Objex* object, Poinz* point);
// Frees an already unlinked wall point with its trim records; other types: nothing.
void DeleteWallPoint(Objex* object, Poinz* point);
