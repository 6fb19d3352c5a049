#pragma once
// Flags and values the command walkers share with their callers. The flip centre lives with
// the flip (flip.h), the scene rebuild flag with the renderer (render/core/render_state.h).
#include <cstdint>

struct Objex;

// Set to 1 by the flip commands (5034, 5035) when they changed something.
extern uint8_t gCommandHappened;
// Set while a content drop places objects: the move command then leaves the scene alone.
extern uint8_t gSymbarObjectDrop;
// Elevation in feet that the set-elevation (5324) and raise (5431) commands apply.
extern float gBaseElevation;
// Set when the follow-terrain command (5326) meets an object that cannot follow the terrain.
extern uint8_t gTopoFloatNA;
// The object under the last context click, which the context menu's commands work on, and
// the top of its parent chain (the object itself when it has none). The plan view clears both
// once the menu has closed.
extern Objex* gContextFoundObj;
extern Objex* gContextParentObj;
