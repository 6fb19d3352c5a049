#pragma once
// The document window's elevation pane, which shows the base elevation of the selection.
// The shell registers the main window controller's pane; with none registered (or when the
// main window controller is not a document window) nothing is shown.
#include <functional>

struct SelectionState40;

// `setElevationPane:` of the main window controller.
void MainWindowControllerSetElevationPane(const SelectionState40* selection);
void SetElevationPaneHandler(std::function<void(const SelectionState40*)> handler);

void ResetElevationPaneSeam();
