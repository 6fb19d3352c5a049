#pragma once
// The model's 16-bit colour channels as the drawing context takes them.
#include "model/types.h"
#include "port/drawing_types.h"

inline port::Color PlanColor(const RGBColor& c, float alpha = 1.0f) {
    return {c.red / 65535.0f, c.green / 65535.0f, c.blue / 65535.0f, alpha};
}
