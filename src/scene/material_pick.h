#pragma once
// The pick that every drop on the live view starts with.
#include <cstdint>

#include "render/core/pick_seams.h"

// What lies under the window point, drawn with the pick flags and the texture-lighting level
// (`navigationSpeed`) held at 8, both put back afterwards. A piece that is not in the scene of
// the current design is answered as no selection buffer, so nothing is written through it.
GLPick PickForMaterial(int32_t x, int32_t y);
