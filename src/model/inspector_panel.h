#pragma once
// What the inspector seams (ui/core/inspector_seams.h) do while no inspector window is
// registered: the selection's base elevation still follows every refresh, and the panel is a
// visible flag.
#include <cstdint>

// Set while the inspector panel is shown.
extern uint8_t gInspectorPanelVisible;
// How many objects the inspector's properties show (0 until the inspector keeps it).
extern int32_t gCurPropertiesObjectCount;

// Rebuilds the current document's selection summary and shows its elevation.
void RefreshSelectionState40();

// Every selected top-level object of every floor takes a copy of the text as its name; no
// document, no text or an empty one changes nothing.
void AssignStringToSelectedObjects(const char* text);
