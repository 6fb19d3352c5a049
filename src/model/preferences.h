#pragma once
// Application preferences the model reads when it creates a settings record. The shell
// loads them at start-up (LoadModelPreferences); they keep these values until then.
#include <cstdint>

extern bool gDefaultToImperial;          // true: new plans in imperial units
extern int16_t gImperialReadoutFormat;   // readout format codes of new plans
extern int16_t gMetricReadoutFormat;
extern int16_t gAngleReadoutFormat;
extern int32_t gToolsetOptions;          // toolset feature mask (6911)
extern int32_t gLiveViewOptions;         // live view feature mask (1023)
// Bits of `gLiveViewOptions` (not of the hide flags `renderValue`, which reuse the values).
namespace liveviewoption {
inline constexpr int32_t kGradientShading = 0x10;  // opaque faces shaded by a gradient
}  // namespace liveviewoption

// Reads the unit system and readout formats from the user defaults.
void LoadModelPreferences();
