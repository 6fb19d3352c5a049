#pragma once
// How the light, skylight and accessory panes show stored values on their sliders and lists,
// and which of the light controls a light type allows.
#include <cstdint>

// Dimmer 0 (full) to 255 (dark), shown as a brightness percent.
int DimmerToPercent(int32_t dimmer);
int32_t PercentToDimmer(float percent);
// Radius shown less 60; falloff shown as 4 less it.
int RadiusToSlider(float radius);
int32_t SliderToRadius(float slider);
int FalloffToSlider(float falloff);
int32_t SliderToFalloff(float slider);

// What a light type leaves enabled; `decided` is false where the glow box keeps its state.
struct LightEnabling {
    bool radiusAndFalloff;
    bool glow;
    bool glowDecided;
    bool ambient;
};
LightEnabling LightEnablingForType(int32_t lightType);
// Whether the type code is a light's (a fixture group's symbol type).
bool IsLightTypeCode(int32_t type);
// The light tool's style rows: 80, 150, 151 (row 0 for any other type; no row is 0).
int LightStyleRow(int32_t style);
int32_t LightStyleForRow(int row);

// Skylight styles 800, 801, 802 and custom 806 in list order (no row: 0).
int SkylightStyleRow(int16_t style);
int16_t SkylightStyleForRow(int row);
// Octagonal and elliptical skylights have no height of their own.
bool SkylightHasHeight(int16_t style);

// An accessory's translucency 0-255 shown as percent, and back.
int TranslucencyToPercent(float translucency);
float PercentToTranslucency(float percent);
