#pragma once
// Switching the plan window to the top (plan) view: `viewTop` of the command layer, asked for
// by a paste made while another view is shown. The shell registers it; with nothing
// registered nothing happens.
#include <functional>

void ViewTop();
void SetViewTopHandler(std::function<void()> handler);

void ResetViewTopSeam();
