#pragma once
// One step of the plant growth arrows.
#include <cstdint>

// Moves the shown plant growth level from `age` by `step` (-1 or +1) within 1 and the model's
// oldest plant, and regrows the plants: in the live view when it is shown, else in the model;
// a regrowth is an undo step ("Plant Growth").
void RealTimePlantGrowthD3D(int16_t age, int32_t step);
