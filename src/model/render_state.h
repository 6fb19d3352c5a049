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
// Which way the live view's navigation moves in its elevation mode: 1 up (the eye rises, the
// fly-around distance grows), 0 down. Every right press in the live view turns it over.
extern uint8_t gRealTimeElevate;
// Opacity (0-255) of window glass in the scene, a live-view preference.
extern uint8_t gWindowGlassTransparency;
// The source object and colour of the last plane drawn, which the next plane of the same
// source continues; a full rebuild of the scene forgets both.
extern Objex* gPrevPlaneParentObject;
extern RGBColor gPrevPlaneColor;
// Trims (piece kinds 1, 2, 3, 63 and 159) are shaded at brightness 1.2 while set.
extern uint8_t gAdjustTrimLightIntensity;
// The line colour of ClearView's line pass (the shell sets it from the "ClearViewColor"
// preference); its fills are tinted from it towards the document's background colour.
extern RGBColor gClearViewLineColor;
// The live view's window is shown (kept here while no live view registers itself).
extern uint8_t gLiveViewPanelVisible;

// --- one render ---
// (`gDisableRenderInterrupt` lives with the scene list in scene/plane_object.h, `gRealTimeDraw`
// with the plan's drawing modes in plan/plan_objects.h.)

// This render is a final one: jittered passes summed in the accumulation buffer.
extern uint8_t gRenderOpenGLAntiAlias;
// Escape cancelled the running render; cleared when the next frame starts.
extern uint8_t gBreakOpenGLRender;
// The same Escape, for the print and export preparation that asked for the render.
extern uint8_t g3DViewPrintInterrupted;
// The live view is being printed: its renders are not interrupted.
extern uint8_t gPrinting3DView;
// A shadow-map render runs (it keeps the status line), and its anti-aliased passes run.
extern uint8_t gRenderingShadowMap;
extern uint8_t gRenderingShadowMapAntiAlias;
// A plants-in-colour render: white clear colour and nothing presented.
extern uint8_t gRenderPlantsInColor;
// The faces drawn leave out transparent objects, objects that cast no shadow, or plants.
extern uint8_t gSkipTransparent;
extern uint8_t gHideNonShadowObjects;
extern uint8_t gNoPlants;
// Photos are drawn in ClearView's transparent pass too; nothing sets it yet.
extern uint8_t gDrawClearViewRorozErud;
// Plane objects drawn by the running render (zero outside one).
extern int32_t gGLObjectsRendered;
// Set during the first anti-aliasing pass only, while the drawn objects are counted.
extern uint8_t gCountRenderingObjects;
// The next stencil reference an opening mask takes; every pass starts again at 2.
extern int32_t gCurrentStencilValue;
// Field of view in use (degrees) and its values for the walk and the fly camera.
extern float gFOV;
extern float gWalkFOV;
extern float gChopperFOV;

// Render modes (`renderMode`): ClearView draws in the line mode, then the filled one.
namespace rendermode {
inline constexpr int16_t kWireframe = 1;
inline constexpr int16_t kLines = 2;
inline constexpr int16_t kFilled = 4;
inline constexpr int16_t kSolid = 5;
inline constexpr int16_t kClearView = 6;
inline constexpr int16_t kNoColour = 11;  // depth only: no background, colour writes or presentation
}  // namespace rendermode

// --- the fixed directional light of face shading ---

// Light angles in degrees (90, 150, 0 at start), the copies SetupLights last took and the
// direction cosines face shading uses.
extern float gLightXAngle;
extern float gLightYAngle;
extern float gLightZAngle;
extern float gLightXDegrees;
extern float gLightYDegrees;
extern float gLightZDegrees;
extern float gDirectionCosX;
extern float gDirectionCosY;
extern float gDirectionCosZ;

// Turns the three light angles into the direction cosines.
void SetupLights();
// Shades a colour's HSV value (0..65535) in place by how squarely the face normal meets the
// light and by the document's `lightIntensity`. Never brightens. Without noFloor at least 60 %
// of the value scaled by the brightness factor is kept; with it a face edge-on to the light
// goes black. Acts only with the shading bit of `gLiveViewOptions`, both pointers and a
// document; `intensity` is not used (callers pass 1.0) and `saturation` only tested for null.
void ComputeShading(float intensity, float nx, float ny, float nz, int32_t* saturation, int32_t* value,
                    uint8_t noFloor);
