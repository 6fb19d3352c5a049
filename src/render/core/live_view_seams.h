#pragma once
// What model and file code ask of the live view window: its animated progress status and
// alert sheets on its window. Until the live view registers itself the status calls do
// nothing and alerts go to the platform's alerts (a sheet on the main document window).
#include <functional>

#include "port/alerts.h"
#include "port/seam.h"

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
