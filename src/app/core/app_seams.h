#pragma once
// What quitting asks of the document windows.
#include "port/seam.h"

// Asks every document window to close (saving as the user chooses); false when the user
// cancelled, which stops the quit. Without document windows there is nothing to keep.
DVX_SEAM_WITH_DEFAULT(CloseDocumentWindows, "app", port::SeamKind::UserInterface, [] { return true; }, bool())
// `closeVisiblePanelsAndSaveState` of the application delegate: the palettes and panels hide,
// remembering which were shown (while a PowerTool holds the design).
DVX_SEAM(CloseVisiblePanelsAndSaveState, "app", port::SeamKind::UserInterface, void())
// `restoreAllVisiblePanels` of the application delegate: the palettes hidden for a PowerTool
// come back.
DVX_SEAM(RestoreAllVisiblePanels, "app", port::SeamKind::UserInterface, void())
