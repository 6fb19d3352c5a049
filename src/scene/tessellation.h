#pragma once
// Splitting planes of five or more corners into triangles. GLU's tessellator does the work and
// its output arrives as independent triangles; a polygon that crosses itself (the tessellator
// asks to combine) is ear-clipped on a 2D projection instead. Planes of fewer corners stay
// whole. Every output plane keeps its source's normal and carries wireframe tags: 0 on the
// polygon's own edges, non-zero on the diagonals and on edges marked kHiddenEdge.
#include <cstdint>

#include "model/types.h"
#include "scene/plane_object.h"

// Tessellation state, valid during one call.
extern Plane* gTessPlaneList;       // output planes being collected
extern int32_t gTessTriangleType;   // 4 triangles, 5 strip, 6 fan
extern int32_t gPointCount;         // corners of the current triangle held
extern PlaneVertex gNewPoints[3];
extern uint8_t gTessEdgeFlag;       // the edge that follows lies on the boundary
extern uint8_t newPointFlag;        // the polygon crosses itself
extern int32_t gCombCount;

// Every plane of the piece through the tessellator; the output replaces the planes unless it
// is empty. A piece the tessellator cannot be made for is left alone.
void R3DTriangulatePlaneObject(PlaneObject* planeObject);
// The piece and every one after it.
void R3DTriangulatePlaneObjects(PlaneObject* first);
// The own triangulator only: a path (piece kind 23) as a ribbon of quads, anything else by
// ear clipping.
void D3DTriangulatePlaneObject(PlaneObject* planeObject);

// Appends the plane's ear-clipped triangles to the list and returns it. Rewrites the source's
// tags (to corner positions). Gives up after 50 failed passes, keeping what it found.
Plane* TriangulatePlane(Plane* plane, Plane* list);
// A ribbon whose first half runs along one side and second half back along the other: one
// quad per step, tagged 0, 1, 0, 1 (long sides drawn, cross edges hidden).
Plane* TriangulatePath(Plane* plane, Plane* list);

// In projected (floatH, floatV): whether the triangle is an ear of the outline.
uint8_t TriangleInsideRegion(const FloatPoint* triangle, const FloatPoint* outline, int32_t count);
// Whether p-q properly crosses the triangle's closing side (corner 0 to corner 2).
uint8_t LineIntersectTriangle(const FloatPoint* p, const FloatPoint* q, const FloatPoint* triangle);
// The segment's extent; an axis on which both ends agree is widened 0.5 each way.
void GetLineBounds(const FloatPoint* p, const FloatPoint* q, FloatRect* rect);

// The tessellator's callbacks.
void TessBeginCallback(unsigned int type);
void TessVertexCallback(void* record);
void TessEndCallback();
void TessCombineCallback(const double coords[3], void* data[4], const float weights[4], void** out);
void TessEdgeCallback(unsigned char flag);
void TessErrorCallback(unsigned int error);

// --- faces with openings ---

// Whether a plane of the masks lies in the face's plane (same facing, every corner within
// 0.05 of it) and overlaps its extent: the face then has a hole there.
bool MasksCutPlane(const Plane* face, const PlaneObject* masks);
// The face less every mask plane that cuts it (MasksCutPlane), as independent triangles
// keeping the face's normal. The face counts positively and each mask negatively whatever
// their corners' order, so a mask reaching past the face (a door below the floor line) adds
// nothing and overlapping masks cut once. Texture values follow the face's, affine over it.
// Null when nothing of the face remains or it cannot be tessellated.
Plane* TriangulatePlaneMinusMasks(const Plane* face, const PlaneObject* masks);
