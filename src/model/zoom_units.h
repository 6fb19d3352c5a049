#pragma once
// The plan view's magnification: the current document's `zoomFactor`. A factor of exactly
// 1.0 (or no current document) leaves every value as it is, without rounding.
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct Poinz;

float ZoomF(float value);
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
