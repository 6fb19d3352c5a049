#pragma once
// Aligning the selection to the grid: one corner of the plan bounds of everything selected
// (5141 right-top, 5142 right-bottom, 5143 left-bottom, any other command left-top) goes to
// the nearest grid crossing, and the selection moves with it (command 6000). Nothing without
// a current document and its settings, or with nothing selected.
#include <cstdint>

void AlignSelectedToGrid(int32_t command);
