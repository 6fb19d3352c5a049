#include "model/tool_defaults.h"

#include <cstring>

#include "model/deletion.h"
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
Objex* gTheWallObject = nullptr;
uint8_t gBuildAutoFlooring = 1;
uint8_t gBuildAutoCeiling = 1;
uint8_t gBuildAutoSoffit = 1;
float gFlooringElevation = 0;
float gFlooringExtension = 0;
float gCeilingElevation = 96;
float gCeilingExtension = 0;
float gSoffitElevation = 0;
int16_t gSoffitConfig = 0;
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
    gTheWallObject = nullptr;
    gBuildAutoFlooring = gBuildAutoCeiling = gBuildAutoSoffit = 1;
    gFlooringElevation = gFlooringExtension = 0;
    gCeilingElevation = 96;
    gCeilingExtension = 0;
    gSoffitElevation = 0;
    gSoffitConfig = 0;
    gTextFontInfo = DefaultTextFontInfo();
    gCurFontInfo = DefaultPlanFontInfo();
    gDimensionFontNum = 0;
    gDimensionFontSize = 0;
    gDimensionFontStyle = 0;
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gTheWallObject == o) gTheWallObject = nullptr;
});
