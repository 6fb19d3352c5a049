#pragma once
// Redrawing the plan after an edit, an undo restore or a paste: the plan view of the open
// document whose model is the current one redraws its visible part. The shell registers the
// redraw; with nothing registered nothing happens.
#include <functional>

void Refresh();
void SetRefreshHandler(std::function<void()> handler);

void ResetRefreshSeam();
