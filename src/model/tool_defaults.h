#pragma once
// Current tool settings kept while the application runs (inches). Their tools own them; the
// model reads the current fill pattern and text alignment into a cleared selection summary
// and sets the accessory and slab sizes for metric plans.
#include <cstdint>

#include "port/winrecords.h"

extern int16_t gPattern;            // current fill pattern code
extern int16_t gTextAlignment;      // current text alignment code
extern float gdsAccessoryWidth;
extern float gdsAccessoryHeight;
extern float gdsAccessoryElevation;
extern float gdsAccessoryWallOffset;
// Translucency 0 (opaque) to 255 of the next accessory placed.
extern int16_t gdsAccessoryTranslucency;
extern float gCeilingThickness;
extern float gFlooringThickness;
extern float gSoffitThickness;
extern float gSoffitExtension;
// The application's text font: new text objects and text read without a font take it.
extern LOGFONT gTextFontInfo;
// The plan font: the text font at 16 points.
extern LOGFONT gCurFontInfo;
// What a new dimension text box records of its font.
extern int16_t gDimensionFontNum;
extern int16_t gDimensionFontSize;
extern int16_t gDimensionFontStyle;
