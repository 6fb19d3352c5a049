#pragma once
// Flags the model raises for the renderer, and what the renderer caches of the scene.
#include <cstdint>

#include "model/types.h"

struct Objex;

// Set when the whole 3D scene must be rebuilt before the next render.
extern uint8_t gRefreshRender;
// Render the scene when the live view is shown.
extern uint8_t gRenderOnShow;
// The rendered image no longer matches the model.
extern uint8_t gRenderDirty;
// Plane objects were removed from the scene: the renderer rebuilds what it cached of them.
extern uint8_t gReRenderGLObjects;
// Rendering goes through OpenGL (the only renderer here).
extern uint8_t gRenderGL;
// The other renderer; never set here.
extern uint8_t gRenderingDirect3D;
// Rebuild the current object's 3D model now rather than at the next refresh.
extern uint8_t gForceRenderObjectNow;
// Textures drawn on the wire frame.
extern uint8_t gTexturedWire;
// A live-view preference: objects are built into the scene while the live view is hidden too,
// and the camera marker's drags change the camera without drawing real-time frames.
extern uint8_t gEnableBackgroundRendering;
// Opacity (0-255) of window glass in the scene, a live-view preference.
extern uint8_t gWindowGlassTransparency;
// The source object and colour of the last plane drawn, which the next plane of the same
// source continues; a full rebuild of the scene forgets both.
extern Objex* gPrevPlaneParentObject;
extern RGBColor gPrevPlaneColor;
// The live view's window is shown (kept here while no live view registers itself).
extern uint8_t gLiveViewPanelVisible;
