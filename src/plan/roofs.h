#pragma once
// A four-point roof (14) as a plan symbol: eaves, end edges, hips or valleys, the ridge, a
// readout beside each line while dimensions show (the ridge's with the ridge height) and
// slope arrows on the sloped faces. Only the first four points count.
struct Objex;

void DrawRoof(void* dc, Objex* roof);
// Dimensions every edge of a roof panel's outline whose start point does not hide it.
void Draw2DRoofPanel(void* dc, Objex* panel);
