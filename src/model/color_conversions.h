#pragma once
// The model's 16-bit colours as 16-bit hue, saturation and value, and as a grey. Hue is
// degrees scaled to 0..65535; 65535 marks a grey without hue.
#include <cstdint>

#include "model/types.h"

// hsv[0] hue, hsv[1] saturation, hsv[2] value. Nothing when either pointer is null.
void RGBtoHSV(const RGBColor* rgb, uint16_t* hsv);
void HSVtoRGB(const uint16_t* hsv, RGBColor* rgb);
// The weighted grey (0.3, 0.59, 0.11, truncated) in all three channels of `out`.
void RGBtoLuminance(const RGBColor* rgb, RGBColor* out);
uint16_t MaxComponent(const RGBColor* rgb);
uint16_t MinComponent(const RGBColor* rgb);
