#pragma once
// Pixel work on texture images before they go to the renderer: packed RGB in, RGBA out, rows
// without padding. "Black" is red, green and blue all 0; an opacity `a` (0 to 1) becomes the
// alpha 255 * a, truncated. Every operation walks exactly width * height pixels (side * side
// for the square ones); a null buffer or a size below 1 does nothing.
#include <cstdint>
#include <vector>

#include "model/types.h"

// New RGBA copies of an RGB image with alpha 255 * a; empty for a null image, a size below 1
// or when memory runs out.
std::vector<uint8_t> ConvertTextureToRGBA(const uint8_t* rgb, float a, int32_t width, int32_t height);
std::vector<uint8_t> ConvertCustomTextureToRGBA(const uint8_t* rgb, float a, int32_t side);
std::vector<uint8_t> ConvertTextureToRGBACustom(const uint8_t* rgb, float a, int32_t width, int32_t height);

// Black pixels get alpha 255 * a.
void SetTextureAlpha(uint8_t* rgba, float a, int32_t width, int32_t height);
void SetTextureAlphaCustom(uint8_t* rgba, float a, int32_t width, int32_t height);

// Pixels that are not black take the colour, whose components hold 0-255.
void SetTextureColor(uint8_t* rgba, const RGBColor& colour, int32_t width, int32_t height);
void SetTextureColorCustom(uint8_t* rgba, const RGBColor& colour, int32_t width, int32_t height);

// A mask image: each pixel's red becomes its alpha, then its colour becomes (r, g, b).
void SetCustomTextureAlpha(uint8_t* rgba, uint8_t r, uint8_t g, uint8_t b, int32_t side);

// Alpha from luminance Y = 0.3 R + 0.59 G + 0.11 B (rounded down after adding 0.5): only the
// brightest quarter shows, alpha = max(0, 4 Y - 765).
void SetCustomTextureAverageAlpha(uint8_t* rgba, int32_t side);

// Clears a one-pixel frame to transparent black (the first and last rows, the first and last
// pixel of every other row), so a scaled image's edges can be cut away.
void FrameImage(uint8_t* rgba, int32_t width, int32_t height);
