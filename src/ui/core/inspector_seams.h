#pragma once
// What the model asks of the inspector: show the pane of the current tool or selection
// again. Until the inspector registers itself nothing happens.
#include <cstdint>

#include "port/seam.h"

// `updatePropertiesState:` of the shared inspector controller.
DVX_SEAM(InspectorUpdatePropertiesState, "ui", port::SeamKind::UserInterface, void(int32_t state))
