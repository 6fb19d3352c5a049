#pragma once
// Current tool settings kept while the application runs (inches). Their tools own them; the
// model reads the current fill pattern and text alignment into a cleared selection summary
// and sets the accessory and slab sizes for metric plans; the ceiling builder seeds its sheet from
// a wall.
#include <cstdint>

#include "port/winrecords.h"

struct Objex;

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
// The ceiling builder's values, kept between uses of its sheet (lengths in the world unit).
// The wall it works on; forgotten when that wall is deleted.
extern Objex* gTheWallObject;
extern uint8_t gBuildAutoFlooring;
extern uint8_t gBuildAutoCeiling;
extern uint8_t gBuildAutoSoffit;
extern float gFlooringElevation;
extern float gFlooringExtension;  // slab edge off the wall line; negative: the other side
extern float gCeilingElevation;
extern float gCeilingExtension;
extern float gSoffitElevation;
extern int16_t gSoffitConfig;     // 1: one soffit per run of segments, 0: one per segment
// The application's text font: new text objects and text read without a font take it.
extern LOGFONT gTextFontInfo;
// The plan font: the text font at 16 points.
extern LOGFONT gCurFontInfo;
// What a new dimension text box records of its font.
extern int16_t gDimensionFontNum;
extern int16_t gDimensionFontSize;
extern int16_t gDimensionFontStyle;
