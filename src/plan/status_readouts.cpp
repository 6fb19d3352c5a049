#include "plan/status_readouts.h"

#include <cmath>
#include <cstdint>

#include "app/core/localization_seams.h"
#include "app/core/status_bar_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "plan/annotations/plan_text.h"
#include "plan/zoom.h"

namespace {

std::string Length(float inches) {
    char text[kReadoutSize] = "";
    ConvertInchesToStr(inches, text);
    return text;
}

std::string Labelled(const char* label, float inches) { return LocalizedString(label) + Length(inches); }

// Truncated after adding a half, as a 16-bit whole number.
int16_t Whole16(float value) { return static_cast<int16_t>(dvxnum::TruncToInt32(value + 0.5f)); }

}  // namespace

namespace statustext {

std::string clearStatusBar() { return {}; }

std::string setStatusBarText(const char* text) { return text ? text : ""; }

std::string drawAngle(float degrees) {
    if (degrees == 32000.0f) return {};
    char text[kReadoutSize] = "";
    ConvertAngleToStr(degrees, text);
    return LocalizedString("Angle: ") + text;
}

std::string drawDiameter(float diameter) { return diameter == 0 ? std::string() : Labelled("Diameter: ", diameter); }

std::string drawLength(float inches) { return inches == 0 ? std::string() : Labelled("Length: ", inches); }

std::string drawViewLength(float inches) {
    if (inches == 0) return {};
    const std::string value = Length(inches);
    return LocalizedFormat("View Distance: %s", {value.c_str()});
}

std::optional<std::string> updateRadius(float radius) {
    if (!CurrentDocState()) return std::nullopt;
    return radius == 0 ? std::string() : Labelled("Radius: ", radius);
}

std::string drawWidthHeightArea(float width, float height) {
    const DocState* ds = CurrentDocState();
    if ((width == 0 && height == 0) || !ds) return {};
    const double squareInches = static_cast<double>(width) * height;
    const bool imperial = ds->units == kImperialUnits;
    // 144 square inches to the square foot; 39.37 inches to the metre, as the readouts have it.
    const int32_t area = dvxnum::TruncToInt32(std::round(imperial ? squareInches / 144.0 : squareInches / (39.37 * 39.37)));
    return Labelled("Width: ", width) + Labelled(", Height: ", height) + LocalizedString(", Area: ") +
           std::to_string(area) + LocalizedString(imperial ? " sq.ft." : " sq.m.");
}

std::string drawWidthHeightDepth(float width, float height, float depth) {
    if (Whole16(width) == 0 && Whole16(height) == 0 && Whole16(depth) == 0) return {};
    std::string text;
    if (width != 0) text += Labelled("Width: ", UnzoomF(std::fabs(width)));
    if (depth != 0) text += Labelled(text.empty() ? "Depth: " : ", Depth: ", UnzoomF(std::fabs(depth)));
    if (height != 0) text += Labelled(text.empty() ? "Height: " : ", Height: ", UnzoomF(std::fabs(height)));
    return text;
}

}  // namespace statustext

void ClearStatusBar() { MainWindowStatusText(statustext::clearStatusBar()); }
void SetStatusBar(const char* text) { MainWindowStatusText(statustext::setStatusBarText(text)); }
void DrawAngle(float degrees) { MainWindowStatusText(statustext::drawAngle(degrees)); }
void DrawDiameter(float diameter) { MainWindowStatusText(statustext::drawDiameter(diameter)); }
void DrawLength(float inches) { MainWindowStatusText(statustext::drawLength(inches)); }
void DrawViewLength(float inches) { MainWindowStatusText(statustext::drawViewLength(inches)); }

void UpdateRadius(float radius) {
    if (auto text = statustext::updateRadius(radius)) MainWindowStatusText(*text);
}

void DrawWH(float width, float depth, float height) {
    MainWindowStatusText(statustext::drawWidthHeightDepth(width, height, depth));
}

void DrawWHArea(float width, float height) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    MainWindowStatusText(statustext::drawWidthHeightArea(ConvertScreenToWorld(width, ds, 0),
                                                         ConvertScreenToWorld(height, ds, 0)));
}
