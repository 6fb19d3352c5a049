#pragma once
// Smoothing an outline into a curve through its points, and straightening it again. A point's
// tangents are set in the plane of the current view (`viewKind`: 2 plan H-D, 1 front/back
// H-V, 3 left/right D-V; other views change nothing), with the tension `curveTension` / 10;
// the third coordinate's tangents keep their values. A smoothed point gets the same value in
// its in- and out-tangent.
struct Objex;

// Every point with a predecessor and a successor in the outline (on a closed outline: all).
void SmoothObject(Objex* object);
// The same for selected points only; neighbours are the list neighbours, selected or not.
void SmoothSelectedObject(Objex* object);
// Clears all six tangent floats of every point (of the selected points).
void UnsmoothObject(Objex* object);
void UnsmoothSelectedObject(Objex* object);
// Property lines, edgings, fills, ground fills, staircases and railings are smoothed
// (straightened); any other object is deselected instead.
void ObjectSmoothing(Objex* object);
void ObjectStraightening(Objex* object);
