#pragma once
// The plan view's magnification: the current document's `zoomFactor`. A factor of exactly
// 1.0 (or no current document) leaves every value as it is, without rounding.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct Poinz;

float ZoomF(float value);
// The denominator of the drawing scale of plan scale codes 8 to 11 in the unit system
// (imperial 96, 48, 36, 24; metric 100, 50, 20, 10); 0 for any other code.
float PlanScaleValue(int16_t code, int16_t unitSystem);
// What the zooms are multiplied by when the plan scale code goes from `from` to `to`: the old
// scale value over the new one, so the plan keeps its size on the screen; 1 when either code
// has no value.
float PlanScaleZoomRatio(int16_t from, int16_t to, int16_t unitSystem);
// The factor ZoomF multiplies by (1.0 without a current document).
float ZoomFactor();
// A factor of 0 or not a number (never set by the program) leaves the value unchanged rather
// than dividing; so do UnzoomL and UnzoomFRect.
float UnzoomF(float value);
void ZoomFRect(FloatRect* rect);
void UnzoomFRect(FloatRect* rect);
// Integer forms: the product (or quotient) plus 0.5, truncated toward zero.
int32_t ZoomL(int32_t value);
int32_t UnzoomL(int32_t value);
void ZoomLRect(RECT* rect);
// As ZoomLRect, each side then cut to 16 bits (sign-extended).
void ZoomRect(RECT* rect);
// H and V of the position, and of each tangent that is not 0; D is left alone.
void ZoomPoinz(Poinz* point);
