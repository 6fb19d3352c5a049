#pragma once
// The real-time frame the live view draws while the user navigates, drags the camera marker,
// scrubs the cut-away or picks a surface: the full frame's camera and lot, no lights, no
// anti-aliasing, what does not change held in display lists. One interaction is
// RTInitializeGLScene, then per frame RTSetViewpoint, RealTimeRenderAllGLPlaneObjects on the
// scene list and RTFinalizeGLScene. Every entry returns quietly without a document or live
// view. The names are those of the seams (live_view_seams.h, real_time_seams.h) the handlers
// answer, kept apart by the namespace.
#include <cstdint>

struct DocState;
struct PlaneObject;

// The viewport's width over its height in the running interaction.
extern float gRTAspect;

namespace rt {
// Starts an interaction: every display list deleted, viewport, clear colour, flat shading and
// the projection (through the pick box while picking).
void RTInitializeGLScene();
// Starts a frame: clear, background, viewpoint, camera, cut-away plane and lot.
void RTSetViewpoint(DocState& ds);
// The scene by the render mode's passes, inside the cut-away plane.
void RealTimeRenderAllGLPlaneObjects(PlaneObject* first);
// Shows the frame.
void RTFinalizeGLScene();
}  // namespace rt

// Registers the handlers of the real-time seams and of the live view's pick.
void StartRealTimeRenderer();
