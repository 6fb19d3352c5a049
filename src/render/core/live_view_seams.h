#pragma once
// What model and file code ask of the live view window: its animated progress status and
// alert sheets on its window. Until the live view registers itself the status calls do
// nothing and alerts go to the platform's alerts (a sheet on the main document window).
#include <functional>
#include <string>

#include "port/alerts.h"
#include "port/seam.h"
#include "model/render_state.h"

// initializeAnimatedLVStatus: starts the animated progress status.
DVX_SEAM(InitializeAnimatedLVStatus, "render", port::SeamKind::Renderer, void())
// setLVStatusString: shows 8-bit Mac OS Roman text; the empty string (or null) clears it.
DVX_SEAM(SetLVStatusString, "render", port::SeamKind::Renderer, void(const char* status))
// resetAnimatedLVStatus: stops the animation.
DVX_SEAM(ResetAnimatedLVStatus, "render", port::SeamKind::Renderer, void())
// Opens an alert sheet on the live view's window; `onEnd` (may be empty) gets the chosen
// button's index.
DVX_SEAM_WITH_DEFAULT(BeginLiveViewAlertSheet, "render", port::SeamKind::Renderer,
                      [](const port::Alert& alert, std::function<void(int)> onEnd) {
                          port::alerts().beginSheet(alert, onEnd ? std::move(onEnd) : [](int) {});
                      },
                      void(const port::Alert& alert, std::function<void(int)> onEnd))
// The live view's OpenGL view needs display: the 3D view follows each plan redraw.
DVX_SEAM(LiveViewNeedsDisplay, "render", port::SeamKind::Renderer, void())
// Whether the live-view controller exists (`sharedLiveViewController`): without it the scene
// is never built. None until the live view registers itself.
DVX_SEAM(LiveViewControllerExists, "render", port::SeamKind::Renderer, bool())
// The live-view panel's window: whether it is visible, showing it (`showWindow:`), ordering it
// out and closing it, and `freeWalkThrough:`. Without a live view the window is a flag.
DVX_SEAM_WITH_DEFAULT(LiveViewIsVisible, "render", port::SeamKind::Renderer,
                      [] { return gLiveViewPanelVisible != 0; }, bool())
DVX_SEAM_WITH_DEFAULT(ShowLiveView, "render", port::SeamKind::Renderer, [] { gLiveViewPanelVisible = 1; }, void())
DVX_SEAM_WITH_DEFAULT(CloseLiveView, "render", port::SeamKind::Renderer, [] { gLiveViewPanelVisible = 0; }, void())
DVX_SEAM(LiveViewFreeWalkThrough, "render", port::SeamKind::Renderer, void())
// The live view's real-time drawing of a plant growth step: set up the scene, then (after the
// scene's plants grew) redraw.
DVX_SEAM(RTInitializeGLScene, "render", port::SeamKind::Renderer, void())
// One real-time frame from the settings record's camera (viewpoint, the scene's pieces,
// finish), as the navigation drags draw while the button is down.
DVX_SEAM(LiveViewRealTimeFrame, "render", port::SeamKind::Renderer, void())
// `updateCutAwayImageAndPosition` of the live view: its cut-away slider follows the design.
DVX_SEAM(UpdateCutAwayImageAndPosition, "render", port::SeamKind::Renderer, void())
// The live view's OpenGL view draws at once (`display`).
DVX_SEAM(LiveViewDisplay, "render", port::SeamKind::Renderer, void())
// `renderFinal:` and `renderShadows:` of the live-view controller.
DVX_SEAM(LiveViewRenderFinal, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewRenderShadows, "render", port::SeamKind::Renderer, void())
// The live view's image export panel and its 3D print sheet.
DVX_SEAM(LiveViewDisplayExport3DSavePanel, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewShowPrint3DPropertiesPanel, "render", port::SeamKind::Renderer, void())
// The live view's OpenGL view resets its cursor rectangles after the camera moved.
DVX_SEAM(LiveViewResetCursorRects, "render", port::SeamKind::Renderer, void())
// The other three navigation methods beside `freeWalkThrough:`.
DVX_SEAM(LiveViewFreeFlyAround, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewControlledWalkThrough, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewControlledFlyAround, "render", port::SeamKind::Renderer, void())
// The live-view controller's own menu commands: the camera back to its start, the walk-through
// elevation and fly-around altitude sheets, and the render and light property panels.
DVX_SEAM(LiveViewReset3DView, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewSetWalkThroughElevation, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewSetFlyAroundAltitude, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewShowRenderProperties, "render", port::SeamKind::Renderer, void())
DVX_SEAM(LiveViewShowLightProperties, "render", port::SeamKind::Renderer, void())
