#include "plan/annotations/text_geometry.h"

#include <cmath>
#include <cstring>

#include "app/core/main_window_seams.h"
#include "model/numeric.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/view_state.h"
#include "model/plan_objects.h"
#include "plan/base_2d_view.h"
#include "plan/zoom.h"

namespace plantext {

int16_t Round16(double x) { return dvxnum::TruncToInt16(x + 0.5); }

PlatformPoint PathPoint(double x, double y) {
    if (gPrinting) x *= gHPrintScale, y *= gVPrintScale;
    return {static_cast<float>(Round16(x)), static_cast<float>(Round16(y))};
}

int32_t ScaledFontHeight(float lfHeight) {
    const double scaled = gPrinting ? static_cast<double>(lfHeight) * gHPrintScale : ZoomF(lfHeight);
    const int16_t height = dvxnum::TruncToInt16(scaled - 0.5);
    return height == 0 ? -1 : height;
}

double UprightDegrees(double degrees) {
    // Directions arrive as float radians or float degrees: straight up comes as 90.0000025 and
    // straight down as 270.0000007 (or as 269.99997). Within a few of their steps of 90 or 270
    // a direction is straight up or down, so both read upward, as a text at 90 does.
    constexpr double kFloatSteps = 1e-4;
    if (std::fabs(degrees - 90.0) <= kFloatSteps) return degrees;
    if (std::fabs(degrees - 270.0) <= kFloatSteps) return degrees + 180.0;
    return degrees > 90.0 && degrees <= 270.0 ? degrees + 180.0 : degrees;
}

double PrintedDegrees(double degrees) {
    if (!gPrinting) return degrees;
    const double whole = std::floor(degrees + 0.5);
    for (double turn : {0.0, 90.0, 180.0, 270.0, 360.0, 450.0})
        if (whole == turn) return degrees + 0.1;
    return degrees;
}

int32_t TenthsOfDegree(double degrees) { return dvxnum::TruncToInt32(degrees * 10.0 + 0.5); }

PlatformPoint ProjectAnchor(float h, float v) {
    float x = h, y = 0.0f, z = v;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle,
                          gGlobalXOffset, gGlobalYOffset, gGlobalZOffset, 1);
    if (gPerspective) AddPerspective(&x, &y, &z, gViewDistance, 0, 0, 0);
    return {x, y};
}

LOGFONT TrackingFont(int32_t height) {
    LOGFONT font{};
    font.lfHeight = height;
    font.lfItalic = 1;
    font.lfPitchAndFamily = 0x34;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

PlatformRect TextBox(PlatformPoint c, float w, float height) {
    const double half = (static_cast<double>(w) + 6.0) / 2.0;
    PlatformRect rect;
    ConvertCoordsToNSRect(&rect, Round16(c.x - half), Round16(c.y - height / 2.0),
                          Round16(c.x + half), Round16(c.y + height / 2.0));
    return rect;
}

bool OutsideRedrawn(double x, double y, double width, double height) {
    constexpr double kInkMargin = 8;
    if (!gPlanIndexOn || gPrinting) return false;
    Base2DView* view = MainWindowDocumentView();
    Base2DViewHost* host = view ? view->host() : nullptr;
    return host && !host->needsToDrawRect({static_cast<float>(x - kInkMargin), static_cast<float>(y - kInkMargin),
                                           static_cast<float>(width + 2 * kInkMargin),
                                           static_cast<float>(height + 2 * kInkMargin)});
}

}  // namespace plantext
