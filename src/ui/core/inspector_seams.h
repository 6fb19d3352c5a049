#pragma once
// What the model and the shell ask of the inspector. Until the inspector registers itself the
// selection summary is still rebuilt and the panel is a visible flag.
#include <cstdint>

#include "port/seam.h"
#include "model/inspector_panel.h"

// `updatePropertiesState:` of the shared inspector controller.
DVX_SEAM_WITH_DEFAULT(InspectorUpdatePropertiesState, "ui", port::SeamKind::UserInterface,
                      [](int32_t) { RefreshSelectionState40(); }, void(int32_t state))
// Whether the inspector's window is shown; showing and closing it.
DVX_SEAM_WITH_DEFAULT(InspectorIsVisible, "ui", port::SeamKind::UserInterface,
                      [] { return gInspectorPanelVisible != 0; }, bool())
DVX_SEAM_WITH_DEFAULT(ShowInspector, "ui", port::SeamKind::UserInterface,
                      [] { gInspectorPanelVisible = 1; }, void())
DVX_SEAM_WITH_DEFAULT(CloseInspector, "ui", port::SeamKind::UserInterface,
                      [] { gInspectorPanelVisible = 0; }, void())
// `swapCurrentViewWithInspectorView:` nil: the empty pane.
DVX_SEAM(InspectorShowEmptyPane, "ui", port::SeamKind::UserInterface, void())
