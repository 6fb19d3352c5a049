#pragma once
// Centring objects in the plan extent (the lot rectangle) or in the window, by a move (command
// 6000) of the qualifying objects: the selected ones with selectedOnly, else all. The out
// rectangle gets their plan bounds after the move; it is all zero (and nothing moves) for a
// null argument or without a current document and its settings.
#include <cstdint>

struct FloatRect;
struct Layer;

void CenterObjects(uint8_t selectedOnly, FloatRect* bounds);
// As CenterObjects, shifted by the view projection's offsets (unzoomed).
void CenterObjectsInWindow(uint8_t selectedOnly, FloatRect* bounds);
// CenterObjects for the objects of one layer.
void CenterLayer(Layer* layer, uint8_t selectedOnly, FloatRect* bounds);
