#pragma once
// Closing whatever sheet is attached to the main document window, so that an alert about a
// file can take its place. The shell registers it; with nothing registered nothing happens.
#include <functional>

void CloseMainWindowSheet();
void SetCloseMainWindowSheetHandler(std::function<void()> handler);

void ResetMainWindowSheetSeam();
