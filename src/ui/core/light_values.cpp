#include "ui/core/light_values.h"

#include <cmath>

int DimmerToPercent(int32_t dimmer) { return int(std::lround((255.0 - dimmer) / 255.0 * 100.0)); }
int32_t PercentToDimmer(float percent) { return 255 - int32_t(std::lround(percent / 100.0 * 255.0)); }
int RadiusToSlider(float radius) { return int(std::lround(radius - 60.0f)); }
int32_t SliderToRadius(float slider) { return int32_t(std::lround(slider)) + 60; }
int FalloffToSlider(float falloff) { return int(std::lround(4.0f - falloff)); }
int32_t SliderToFalloff(float slider) { return 4 - int32_t(std::lround(slider)); }

LightEnabling LightEnablingForType(int32_t t) {
    switch (t) {
    case 80: case 81: case 82: case 146: case 150: case 151: case 152: return {true, true, true, true};
    case 147: case 148: return {true, false, true, false};
    case 149: return {true, true, true, false};
    default: return {false, false, false, false};
    }
}

bool IsLightTypeCode(int32_t t) { return (t >= 79 && t <= 82) || (t >= 146 && t <= 152); }

int LightStyleRow(int32_t style) { return style == 150 ? 1 : style == 151 ? 2 : 0; }
int32_t LightStyleForRow(int row) {
    constexpr int32_t kStyles[] = {80, 150, 151};
    return row >= 0 && row < 3 ? kStyles[row] : 0;
}

int SkylightStyleRow(int16_t style) { return style == 802 ? 2 : style == 806 ? 3 : style == 801 ? 1 : 0; }
int16_t SkylightStyleForRow(int row) {
    constexpr int16_t kStyles[] = {800, 801, 802, 806};
    return row >= 0 && row < 4 ? kStyles[row] : 0;
}
bool SkylightHasHeight(int16_t style) { return style != 801 && style != 802; }

int TranslucencyToPercent(float t) { return int(std::lround(t / 255.0 * 100.0)); }
float PercentToTranslucency(float percent) { return float(std::lround(percent / 100.0 * 255.0)); }
