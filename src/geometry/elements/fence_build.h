#pragma once
// Fences and gates in 3D. A fence (25) is a polyline whose segments become pickets, spacers,
// posts and gates; a segment starting at a gate point (kind 6) is a gate. Styles 700 to 703
// are fixed sizes in plan units, 704 builds from the fence's own sizes (inches). Every rebuild
// throws the parts away first. Each part is laid out along +x from its placement point, in the
// upright plane through it, and turned about that point to the segment's angle.
#include <cstdint>

struct Layer;
struct Objex;
struct Poinz;

// Rebuilds a fence with at least two points in one row; anything else is left alone.
void UpdateFenceObject(Objex* fence);
// One segment from `point` to `next`.
void UpdateFenceSegment(Objex* fence, const Poinz* point, const Poinz* next);
void UpdateGateSegment(Objex* fence, const Poinz* point, const Poinz* next);
void UpdateCustomFenceSegment(Objex* fence, const Poinz* point, const Poinz* next);
void UpdateCustomGateSegment(Objex* fence, const Poinz* point, const Poinz* next);

// The parts, at plan position (x, z) and vertical coordinate y, sizes in plan units. Pickets,
// spacers and custom pickets look like the fence's first point.
void AppendFencePicketObject(Objex* fence, float x, float y, float z, float angle, float width, float height);
void AppendFenceSpacerObjects(Objex* fence, float x, float y, float z, float angle, float gap, float spacerSize,
                              float height);
// A post of side `size` centred on the point, in the post material.
void AppendFencePostObject(Objex* fence, float x, float y, float z, float angle, float size, float height);
// A standard gate's panel, looking like `look` (the gate segment's start).
void AppendGatePanelObject(Objex* fence, float x, float y, float z, float angle, float width, float height,
                           const Poinz* look);
void AppendCustomFencePicketObject(Objex* fence, float x, float y, float z, float angle, float width,
                                   float height);

// Gives the part's points both sides' texture, colour and scale of `look`, its fill the first colour.
void DressLikePoint(Objex* part, const Poinz* look);

// Every fence of a visible layer; the same for every visible layer from the first on.
void UpdateFenceLayer(Layer* layer);
void UpdateFenceAllLayers(Layer* firstLayer);
