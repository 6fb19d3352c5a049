#pragma once
// The key-entry tool (201): the plan view runs it in place of the tracking engine.
#include <cstdint>

struct CommandWindow;

// Evaluates the view point against gClickInfo; when the click hit a segment (object and both
// points), the command layer opens the key-entry sheet for it on `window`.
void TrackKeyEntry(int32_t x, int32_t y, CommandWindow* window);
