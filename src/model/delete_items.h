#pragma once
// The Delete command's removal of one object, with the wall segment rule: a wall with exactly
// one segment selected loses that segment (it is shortened, opened, turned or split in two);
// every other object, and a wall with all its points selected, goes whole.
struct Objex;
struct Poinz;

// Nothing for null.
void DeleteObjItem(Objex* object);
// Walls only: the first and second selected points F and S; false unless exactly two points
// are selected. Removes the attachments of segment (F, S) when the wall is about to lose it:
// when S is F's next point or the last point.
bool DeleteWallSegmentObject(Objex* wall, Poinz** first, Poinz** second);
// The centre of the object's plan bounds (points only, curves not sampled).
void CenterOfObject(Objex* object, float* h, float* v);
