#pragma once
// The face drawers of the scene list: one plane object's planes as GL polygons in their
// material, shaded by the plane's normal, with a brightness gradient per vertex and colour
// carried across consecutive pieces of one source (gPrevPlaneColor). They never touch the
// stencil, colour-mask or depth-mask state the scene walk sets, and leave texturing, the
// alpha test and texture generation off.
#include <cstdint>

#include "model/types.h"

struct DocState;

struct PlaneObject;

// The general drawer: texture coordinates from the vertices. Grid surfaces go to
// RenderGLGridPlaneObject. A non-zero pickFlag lets piece kind 134 be drawn.
void RenderGLPlaneObject(PlaneObject* object, int16_t pickFlag);
// Interior-wall pieces: texture coordinates generated from object-space planes sized by the
// texture's real size.
void RenderGLAutoGenPlaneObject(PlaneObject* object, int16_t pickFlag);
// Window, door and roof-opening trims (piece kinds 1 to 5): generated coordinates sized by the
// owner's trim texture sizes.
void RenderGLTrimPlaneObject(PlaneObject* object, int16_t pickFlag);
// A grid surface: each cell corner in the smoothed colour of its grid point.
void RenderGLGridPlaneObject(PlaneObject* object);

// What the drawers above share with their real-time twins (render/rt_plane_renderers.h).
enum class FaceCoords : uint8_t { FromVertices, AutoGen, Trim };
// A real-time face: no normals, no colour carried between pieces, trims at plain brightness,
// triangles and quads as such, edge flags in wireframe and ClearView, and only textures some
// frame already loaded (any while picking) with the speed's filter and environment.
struct RealTimeFaceStyle {
    bool textures = true;    // false draws untextured
    bool nearest = false;    // else linear filtering
    bool replace = false;    // else modulate
    bool wireColour = false; // plain wireframe: every vertex in lineColour
    bool passColour = false; // ClearView: no colour of its own, each pass sets one
    RGBColor lineColour;
};
// One face of a piece the caller found drawable; `rt` null draws it as the full frame does.
void DrawPlaneFace(PlaneObject* p, DocState* ds, FaceCoords coords, const RealTimeFaceStyle* rt);
