#pragma once
// The real-time walk of the scene list: the full walk's selection and dispatch (shared rules in
// render/core/scene_list_rules.h) compiled once into gSceneDisplayList and replayed after;
// translucent pieces stay in list order and the floor passes keep the stencil between floors
// (cleared only when its values are spent, as in the full walk).
// Plants and photos face the camera, so they are drawn after the list on every frame.
// Wireframe frames make no list. While picking every piece is drawn under a name of its own.
#include <cstdint>

struct PlaneObject;

void RealTimeRenderGLPlaneObjects(PlaneObject* list);

// The piece a selection name of the last picking walk stands for (null for the lot's name,
// the sky's and names no piece had).
PlaneObject* PickedPlaneObject(uint32_t name);
