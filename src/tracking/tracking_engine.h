#pragma once
// The three calls of a tracked gesture, made by the gesture runner (track_mouse.h) in the order
// Begin, Keep..., End, and the dispatch of each to the current tool's tracker (tool_dispatch.h).
// Every drag calls the tracker twice: first at the previous point with the previous modifiers,
// wall-segment points and constraint angle, so it erases exactly what it drew, then at the new
// point. Nothing happens without a current document and settings record.
#include <cstdint>

#include "port/winrecords.h"

// The press at view point (x, y).
void BeginTracking(int32_t x, int32_t y);
// The pointer is now at (x, y); (prevX, prevY) is where it was at the previous event.
void KeepTracking(int32_t x, int32_t y, int32_t prevX, int32_t prevY);
// The release; the gesture ends at (prevX, prevY), the last tracked point, not at (x, y).
void EndTracking(int32_t x, int32_t y, int32_t prevX, int32_t prevY);

// Calls gCurTool's tracker with the stage (1 press, 2 drag, 3 release). Raises
// gDocumentChanged on every call; tool 65535 stops there.
void TrackObject(int32_t x, int32_t y, float h, float v, float d, int16_t stage);

// For a tracker at the release: the gesture was a click, its press and release view points
// (gStartMouse, gEndMouse) lying less than gMouseModeLimit apart.
bool TrackedGestureWasClick();

// Shift and Command of the event being handled into bits 4 and 8 of gTrackModifiers; the
// other bits stay.
void MaintainModifiers();
// A rectangle from two corners in any order.
void SetMobiusRect(RECT* rect, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The pointer keeps its shape while tracking.
void SetDirectionCursor();
