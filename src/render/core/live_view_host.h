#pragma once
// What the renderer needs of the live view's window that no seam gives: the GL surface it
// draws on, the view's size, presenting a frame, the light progress bar, dropping buffered
// keys and the interrupt source. The live view registers itself as the host; there is none by
// default, and every renderer entry that needs one returns quietly without it. The status
// line, its animation, the window's visibility and display requests are seams
// (live_view_seams.h) and are not repeated here.
#include <cstdint>

#include "model/types.h"

class GLSurface;
class InterruptSource;

class LiveViewHost {
public:
    virtual ~LiveViewHost() = default;
    // The surface the live view draws on (null while it has none).
    virtual GLSurface* surface() = 0;
    // The OpenGL view's bounds in its own coordinates (origin 0, 0; size in pixels).
    virtual FloatRect liveViewOGLViewBounds() = 0;
    // Shows the finished frame.
    virtual void flushBuffer() = 0;
    // The light progress bar: shown with a maximum, moved to a value, hidden.
    virtual void initializeLVLightProgressUsingLightCount(int32_t count) = 0;
    virtual void updateLVLightProgressWithLightCount(int32_t count) = 0;
    virtual void resetLVLightProgress() = 0;
    // Drops key presses buffered while a render ran.
    virtual void flushBufferedKeyEvents() = 0;
    virtual InterruptSource* interruptSource() = 0;
};

// The registered host, or null.
LiveViewHost* CurrentLiveViewHost();
// Registers the host (null: none); the host outlives its registration.
void SetLiveViewHost(LiveViewHost* host);
