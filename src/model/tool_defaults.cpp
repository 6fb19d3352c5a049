#include "model/tool_defaults.h"

#include <cstring>

#include "port/seam.h"

namespace {

// "Arial" at 28 points; the plan font differs only in height.
LOGFONT DefaultTextFontInfo() {
    LOGFONT font;
    font.lfHeight = -28;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 52;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

LOGFONT DefaultPlanFontInfo() {
    LOGFONT font = DefaultTextFontInfo();
    font.lfHeight = -16;
    return font;
}

}  // namespace

int16_t gPattern = 0;
int16_t gTextAlignment = 0;
float gdsAccessoryWidth = 46;
float gdsAccessoryHeight = 65;
float gdsAccessoryElevation = 84;
float gdsAccessoryWallOffset = 2;
int16_t gdsAccessoryTranslucency = 0;
float gCeilingThickness = 12;
float gFlooringThickness = 12;
float gSoffitThickness = 3;
float gSoffitExtension = 18;
LOGFONT gTextFontInfo = DefaultTextFontInfo();
LOGFONT gCurFontInfo = DefaultPlanFontInfo();
int16_t gDimensionFontNum = 0;
int16_t gDimensionFontSize = 0;
int16_t gDimensionFontStyle = 0;
static const port::GlobalReset kReset([] {
    gPattern = 0;
    gTextAlignment = 0;
    gdsAccessoryWidth = 46;
    gdsAccessoryHeight = 65;
    gdsAccessoryElevation = 84;
    gdsAccessoryWallOffset = 2;
    gdsAccessoryTranslucency = 0;
    gCeilingThickness = 12;
    gFlooringThickness = 12;
    gSoffitThickness = 3;
    gSoffitExtension = 18;
    gTextFontInfo = DefaultTextFontInfo();
    gCurFontInfo = DefaultPlanFontInfo();
    gDimensionFontNum = 0;
    gDimensionFontSize = 0;
    gDimensionFontStyle = 0;
});
