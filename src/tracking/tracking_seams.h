#pragma once
// The three calls of a tracked gesture, made by the plan view's gesture runner (track_mouse.h)
// in the order Begin, Keep..., End. The engine that dispatches them to the tools' trackers is
// not built yet: until then nothing happens and the press keeps gMouseCaptured.
#include <cstdint>

#include "port/seam.h"

// The press at view point (x, y): the gesture begins for gCurTool; a tracker that needs no
// drag loop clears gMouseCaptured.
DVX_SEAM(BeginTracking, "tracking", port::SeamKind::Temporary, void(int32_t x, int32_t y))
// The pointer is now at (x, y); (prevX, prevY) is where it was at the previous event (the
// press for the first one).
DVX_SEAM(KeepTracking, "tracking", port::SeamKind::Temporary, void(int32_t x, int32_t y, int32_t prevX, int32_t prevY))
// The release at (x, y); the gesture ends at (prevX, prevY), the last tracked point.
DVX_SEAM(EndTracking, "tracking", port::SeamKind::Temporary, void(int32_t x, int32_t y, int32_t prevX, int32_t prevY))
