#pragma once
// Flags the model raises for the renderer.
#include <cstdint>

// Set when the whole 3D scene must be rebuilt before the next render.
extern uint8_t gRefreshRender;
