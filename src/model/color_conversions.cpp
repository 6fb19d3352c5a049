#include "model/color_conversions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHueUnitsPerDegree = 182.04166666666666;  // 65535 / 360
constexpr double kDegreesPerHueUnit = 0.005493247882810712;

uint16_t Scaled(double x) { return static_cast<uint16_t>(std::floor(x * 65535.0 + 0.5)); }

}  // namespace

uint16_t MaxComponent(const RGBColor* rgb) {
    return rgb ? std::max({rgb->red, rgb->green, rgb->blue}) : 0;
}

uint16_t MinComponent(const RGBColor* rgb) {
    return rgb ? std::min({rgb->red, rgb->green, rgb->blue}) : 0;
}

void RGBtoHSV(const RGBColor* rgb, uint16_t* hsv) {
    if (!rgb || !hsv) return;
    const uint16_t max = MaxComponent(rgb), min = MinComponent(rgb);
    hsv[2] = max;
    hsv[1] = max == 0 ? 0
                      : static_cast<uint16_t>(std::floor(static_cast<float>(max - min) /
                                                             static_cast<float>(max) * 65535.0f +
                                                         0.5f));
    if (hsv[1] == 0) {
        hsv[0] = 65535;
        return;
    }
    const float delta = static_cast<float>(max - min);
    const float rc = (max - rgb->red) / delta, gc = (max - rgb->green) / delta,
                bc = (max - rgb->blue) / delta;
    // Ties go to red, then green.
    float h = rgb->red == max ? bc - gc : rgb->green == max ? 2 + rc - bc : 4 + gc - rc;
    h *= 60;
    if (h < 0) h += 360;
    hsv[0] = static_cast<uint16_t>(std::floor(h * kHueUnitsPerDegree + 0.5));
}

void HSVtoRGB(const uint16_t* hsv, RGBColor* rgb) {
    if (!hsv || !rgb) return;
    if (hsv[1] == 0) {
        *rgb = {hsv[2], hsv[2], hsv[2]};
        return;
    }
    int degrees = static_cast<int>(std::floor(hsv[0] * kDegreesPerHueUnit + 0.5));
    if (degrees == 360) degrees = 0;
    const double h = degrees / 60.0, f = h - std::floor(h);
    const int i = static_cast<int>(h);
    const double s = hsv[1] / 65535.0, v = hsv[2] / 65535.0;
    const uint16_t p = Scaled(v * (1 - s)), q = Scaled(v * (1 - s * f)),
                   t = Scaled(v * (1 - s * (1 - f))), w = hsv[2];
    switch (i) {
    case 0: *rgb = {w, t, p}; break;
    case 1: *rgb = {q, w, p}; break;
    case 2: *rgb = {p, w, t}; break;
    case 3: *rgb = {p, q, w}; break;
    case 4: *rgb = {t, p, w}; break;
    default: *rgb = {w, p, q}; break;
    }
}

void RGBtoLuminance(const RGBColor* rgb, RGBColor* out) {
    if (!rgb || !out) return;
    const auto l = static_cast<uint16_t>(0.3 * rgb->red + 0.59 * rgb->green + 0.11 * rgb->blue);
    *out = {l, l, l};
}
