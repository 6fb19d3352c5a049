#pragma once
// The plan view's magnification: the current document's `zoomFactor`. A factor of exactly
// 1.0 (or no current document) leaves every value as it is.
#include "model/types.h"

float ZoomF(float value);
// A factor of 0 (never set by the program) leaves the value unchanged rather than dividing.
float UnzoomF(float value);
void ZoomFRect(FloatRect* rect);
