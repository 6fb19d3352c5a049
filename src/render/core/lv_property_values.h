#pragma once
// What the live view's render and light sheets show and store: the document's 3D settings as
// control values and back. Confirming writes every control's value, so a stored value the
// controls cannot show (an opacity of 200, a darkening of 40000) becomes the one they showed.
#include <array>
#include <cstdint>
#include <optional>

struct DocState;

// The field-of-view command chosen in the render sheet (5316 narrowest .. 5320 widest),
// program-wide rather than per document.
extern int32_t gCurrentFOVCmd;
inline constexpr int32_t kFirstFOVCmd = 5316;

// Chopper and walk fields of view of a command, in degrees; any unknown command gives the
// middle pair.
struct FOVValues {
    float chopper;
    float walk;
};
FOVValues FOVValuesOfCommand(int32_t command);
// Sets `gChopperFOV` and `gWalkFOV` from the command.
void setFOVValues(int32_t command);

// The render sheet. Boxes are in the order of the hide bits 0x1 doors .. 0x200 HVAC; a ticked
// box draws its group.
struct RenderSheetControls {
    std::array<bool, 10> drawn{};
    int32_t navigationSpeedSlider = 0;
    int32_t fovSlider = 0;
    int32_t opacitySlider = 0;
    // Windows and doors, their trims, base and crown trims, 3D objects.
    std::array<int32_t, 4> quality{};
    bool operator==(const RenderSheetControls&) const = default;
};
inline constexpr int32_t kNavigationSpeedBase = 6;
// The opacity slider's position of a stored ClearView opacity: 175, 195 .. 255 map to 0 .. 4,
// anything else to 3.
int32_t OpacitySliderOfValue(int32_t opacity);
inline int32_t OpacityOfSlider(int32_t slider) { return 175 + 20 * slider; }

RenderSheetControls RenderSheetControlStates(const DocState& ds);
// Writes every control's value (the field-of-view command first, then `setFOVValues`). Which
// quality values changed: bit i for quality[i].
uint32_t SaveRenderSheetControlStates(DocState& ds, const RenderSheetControls& now);

// The light sheet. Angles in degrees as the steppers hold them.
struct LightSheetControls {
    bool sunOn = false;
    int32_t directionAngle = 0;
    int32_t overheadAngle = 0;
    int32_t sunBrightnessSlider = 0;
    bool optimalQuality = false;
    int32_t shadowQualitySlider = 0;
    int32_t intensitySlider = 0;
    int32_t brightnessSlider = 0;
    bool backgroundLighting = false;
    bool operator==(const LightSheetControls&) const = default;
};
// The shadow-quality slider's position while optimal quality hides the stored value.
inline constexpr int32_t kOptimalShadowSlider = 5;
// Darkening (`lightValue`, 0..65535) shown as a percentage of light and back.
int32_t IntensitySliderOfDarkening(float darkening);
float DarkeningOfIntensitySlider(int32_t slider);
// Brightness (`lightIntensity`, 0.5..2.5) shown as a percentage of that range, held to 0..100,
// and back: the default 1.2 shows as 35.
int32_t BrightnessSliderOfBrightness(float brightness);
float BrightnessOfSlider(int32_t slider);

LightSheetControls LightSheetControlStates(const DocState& ds);
// Writes every control's value; true when the brightness, the darkening or the lit backdrop
// differs from what the sheet showed when it opened (`opened`), so an untouched OK never sets
// the lights up again, whatever rounding the sliders made of the stored values.
bool SaveLightSheetControlStates(DocState& ds, const LightSheetControls& opened, const LightSheetControls& now);

// The current document's values, none without a document.
std::optional<RenderSheetControls> CurrentRenderSheetControls();
std::optional<LightSheetControls> CurrentLightSheetControls();
// What OK does after the sheet closed: the values written, skylights refitted and the scene
// rebuilt as far as the qualities changed, the live view redrawn, one undo step. Nothing
// without a document.
void ConfirmRenderSheet(const RenderSheetControls& now);
// The same for the light sheet: the lights set up again only after a change that shades.
void ConfirmLightSheet(const LightSheetControls& opened, const LightSheetControls& now);
