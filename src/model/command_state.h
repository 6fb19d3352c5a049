#pragma once
// State the menu commands keep between calls and share with the plan view and context menus.
#include <cstdint>

#include "model/command_globals.h"  // gContextFoundObj and gContextParentObj, the last context click

// Working-floor-only mode: only the current floor is shown, and switching floors follows it.
extern uint8_t gWorkingFloorVisibleOnly;
// Set while Select All selects, so that every shown object is taken whatever would filter it.
extern uint8_t gSkipSelectionFilter;
// Width, height and depth of the selection after Select All, in the world unit times the zoom.
extern float gWidthHeightDepth[3];
