#pragma once
// Filling an outline with copies of the plant selected in the content palette: a row along
// the outline and a grid inside it.
#include <cstdint>

struct Objex;

// Set by the plant fill sheet before it fills: plant along the outline, plant a grid inside
// it, and the distance between plants (a length in inches, stepped in plan units at the
// design's plan scale). They keep the last values the sheet accepted; the program starts with
// both fills on and a spacing of 60.
extern uint8_t gFillPerimeter;
extern uint8_t gFillArea;
extern float gPlantSpacing;

// Plants the palette's selected plant (a stock plant entry or a user plant entry) along
// and/or inside the outline, perimeter first. Each plant is built on the current layer and
// moved to its place as the only selected object, so the last one stays selected. Along the
// outline plants stand gPlantSpacing apart over every segment (and the closing one of a
// closed outline), the distance carried round corners; inside, on a grid from the outline's
// 3D bounds + 0.5 at the same spacing, where the point (H, D) lies inside the outline.
// Nothing without an outline, a current layer or a plant entry, or when the spacing is not
// a positive number.
void ApplePortFillObjectWithPlants(Objex* outline);
