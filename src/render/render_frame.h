#pragma once
// One full-quality frame of the live view: its draw, a final render, a shadow render and the
// image prepared for export or printing all come here. The frame clears, sets up the camera,
// draws the backdrop and the lot, draws the scene list by the render mode, optionally sums
// jittered passes, adds the light glows and presents. Every entry returns without drawing
// when there is no document or no live view.
#include "render/accum_buffer.h"

// A whole frame: the scene (through the shadow renderer when shadows are asked for in a mode
// that has them), the light glows, the presentation. Clears `gRenderDirty`.
void RefreshGLScene();
// The passes of one frame, without lights or shadows; anti-aliased while
// `gRenderOpenGLAntiAlias` is set, the sum kept on the path the context supports or on `path`.
void RenderGLScene();
void RenderGLScene(AccumBuffer::Path path);
// Viewport, clear, camera, backdrop and lot of a frame.
void InitializeGLScene();
// Presents the frame through the live view unless it was cancelled, its mode has no colour
// output, it is a plants-in-colour render or a PresentationHold lives.
void FinalizeGLScene();
// While one lives nothing is presented and the view keeps the frame it shows: a final render's
// own draws before its sum is whole stay off the screen.
class PresentationHold {
public:
    PresentationHold();
    ~PresentationHold();
    PresentationHold(const PresentationHold&) = delete;
    PresentationHold& operator=(const PresentationHold&) = delete;
};
// Registers the anti-aliasing pass set-up on its seam (`InitializeAntiAliasGLScene`).
void StartRenderFrame();
