#pragma once
// Loads the cut-away plane (`gSlicePaneEquation`) as clip plane 0 in the current model-view
// space; enabling it is the caller's choice.
void LoadSlicePlane();
