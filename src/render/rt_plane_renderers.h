#pragma once
// The real-time twins of the scene's drawers (plane_renderers.h, billboards.h): the same
// geometry and software shading, without normals or colour carried between pieces, textures
// by the navigation speed's quality and loaded only while picking (plants always), and
// grid surfaces drawn as plain planes. They never touch the stencil, colour-mask or
// depth-mask state the walk sets.
#include <cstdint>

struct PlaneObject;

// A non-zero flags word lets piece kind 134 be drawn.
void RTRenderGLPlaneObject(PlaneObject* object, int16_t flags);
void RTRenderGLAutoGenPlaneObject(PlaneObject* object, int16_t flags);
void RTRenderGLTrimPlaneObject(PlaneObject* object, int16_t flags);
// The plant's camera-facing quad; its picture is loaded at its real size, unkeyed.
void RTRenderGLPlantObject(PlaneObject* object);
// A photo plane in white and the document's alpha; its picture is loaded only while picking.
void RTRenderGLPhotoObject(PlaneObject* object);
