#pragma once
// What the lot's drawers draw, without GL: the backdrop quad's extents and colour, the
// ground's texture and its near and far colours, the shaded colour of a terrain cell and the
// cells of the topography grid over the lot. Row 0 of the cells lies on the lot's bottom edge
// (largest D) and rows advance towards the top; heights are those the terrain gives objects
// standing on it at the same plan point.
#include <cstdint>

#include "model/types.h"

struct DocState;

// The backdrop quad in its -100..100 projection, square in pixels for a view w x h.
struct BackdropQuad {
    float left = -100, right = 100, bottom = -100, top = 100;
};
BackdropQuad BackdropExtents(float width, float height);

// The brightness step t of the light brightness `lightIntensity` (0.5..2.5), before
// clamping: (b - 0.5) / 2, tripled up to 0.25, else t + (1 - t) / 1.5.
double LightBrightnessStep(const DocState* ds);

// The backdrop's texture ID (0: none) and colour in the document's render mode.
int32_t BackdropTexture(const DocState* ds);
RGBColor BackdropColor(const DocState* ds);

// The ground's texture ID (0: none) in the render mode, a palette entry resolved.
int32_t LotTexture(const DocState* ds);
// The ground's repeats across the lot: ComputeTextureScale over the lot's size, each divided
// by its scale percentage / 100 (a zero scale leaves it).
void LotTextureRepeat(const DocState* ds, int32_t textureID, float* repeatH, float* repeatV);

// The ground's colour before shading in the render mode (A), and with the darkening: near
// (bottom edge) and far (top edge).
RGBColor LotBaseColor(const DocState* ds);
struct LotColors {
    RGBColor nearColor;
    RGBColor farColor;
};
LotColors LotGroundColors(const DocState* ds, bool textured);

// A terrain cell's colour: `base` shaded by the cell's plane (a, b, c from CalcParametric)
// outside render modes 1, 2 and 11; in mode 4 the line colours tinted by the shading.
RGBColor ShadeLotCell(RGBColor base, float a, float b, float c, const DocState* ds);

// The cells of the topography grid over the lot. Invalid without a settings record, a grid
// or a whole-inch spacing.
struct LotGrid {
    int32_t rows = 0, columns = 0;
    float spacing = 0;  // whole inches
    float left = 0, bottom = 0;
    bool valid() const { return rows > 0 && columns > 0 && spacing > 0; }
    // Plan corners of cell (r, c): x from xa to xb, D from ya (near) to yb (far).
    float xa(int32_t c) const { return left + spacing * float(c); }
    float ya(int32_t r) const { return bottom - spacing * float(r); }
};
LotGrid CurrentLotGrid(const DocState* ds);
// The ground height (up positive) at a plan point of the lot.
float LotHeightAt(float x, float d);

// True without a grid, or when every height is exactly 0.
bool IsTopoGridZeroFlat();
