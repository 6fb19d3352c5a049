#pragma once
// What the model asks of the inspector: show the pane of the current tool or selection
// again. The inspector registers itself; with nothing registered nothing happens.
#include <cstdint>
#include <functional>

// `updatePropertiesState:` of the shared inspector controller.
void InspectorUpdatePropertiesState(int32_t state);
void SetInspectorUpdatePropertiesStateHandler(std::function<void(int32_t)> handler);

// Highlighted entries of the custom window and door pop-ups; -1 for none.
extern int16_t gCustomWindowPopEntryHilite;
extern int16_t gCustomDoorPopEntryHilite;

void ResetInspectorSeams();
