#include "render/core/lv_property_values.h"

#include <algorithm>
#include <cmath>

#include "files/undo.h"
#include "geometry/elements/skylight_upkeep.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/rebuild_table.h"
#include "model/render_state.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "render/core/live_view_seams.h"

int32_t gCurrentFOVCmd = kFirstFOVCmd + 2;

namespace {

const port::GlobalReset kReset([] { gCurrentFOVCmd = kFirstFOVCmd + 2; });

template <class T, class U>
bool Assign(T& field, U value) {
    const T old = field;
    field = static_cast<T>(value);
    return field != old;
}

void ShowComponentsRemoved() {
    port::alerts().beginSheet(port::Alert{"One or more components have been removed.",
                                          "The roof was not large enough to accommodate all of its attachments.  "
                                          "One or more skylights and/or cutouts were removed.",
                                          {"OK"}, port::Alert::Style::Warning},
                              [](int) {});
}

void RedrawChangedScene(const char* undoName) {
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
    StoreUndo(undoName);
}

}  // namespace

FOVValues FOVValuesOfCommand(int32_t command) {
    switch (command) {
        case kFirstFOVCmd: return {28, 35};
        case kFirstFOVCmd + 1: return {33, 40};
        case kFirstFOVCmd + 3: return {43, 50};
        case kFirstFOVCmd + 4: return {48, 55};
        default: return {38, 45};
    }
}

void setFOVValues(int32_t command) {
    const FOVValues v = FOVValuesOfCommand(command);
    gChopperFOV = v.chopper;
    gWalkFOV = v.walk;
}

int32_t OpacitySliderOfValue(int32_t opacity) {
    for (int32_t slider = 0; slider <= 4; ++slider)
        if (OpacityOfSlider(slider) == opacity) return slider;
    return 3;
}

RenderSheetControls RenderSheetControlStates(const DocState& ds) {
    RenderSheetControls c;
    for (size_t i = 0; i < c.drawn.size(); ++i) c.drawn[i] = (ds.renderValue & (1 << i)) == 0;
    c.navigationSpeedSlider = ds.navigationSpeed - kNavigationSpeedBase;
    c.fovSlider = gCurrentFOVCmd - kFirstFOVCmd;
    c.opacitySlider = OpacitySliderOfValue(ds.renderSetting);
    c.quality = {ds.detailValueA, ds.detailValueB, ds.detailValueC, ds.surfaceDetail};
    return c;
}

uint32_t SaveRenderSheetControlStates(DocState& ds, const RenderSheetControls& now) {
    gCurrentFOVCmd = now.fovSlider + kFirstFOVCmd;
    setFOVValues(gCurrentFOVCmd);
    for (size_t i = 0; i < now.drawn.size(); ++i) {
        if (now.drawn[i]) ds.renderValue &= ~(1 << i);
        else ds.renderValue |= 1 << i;
    }
    ds.navigationSpeed = int16_t(now.navigationSpeedSlider + kNavigationSpeedBase);
    ds.renderSetting = uint16_t(OpacityOfSlider(now.opacitySlider));
    int32_t* fields[] = {&ds.detailValueA, &ds.detailValueB, &ds.detailValueC, &ds.surfaceDetail};
    uint32_t changed = 0;
    for (size_t i = 0; i < now.quality.size(); ++i)
        if (Assign(*fields[i], now.quality[i])) changed |= 1u << i;
    return changed;
}

int32_t IntensitySliderOfDarkening(float darkening) {
    return int32_t(std::lround((65535.0 - darkening) / 65535.0 * 100.0));
}

float DarkeningOfIntensitySlider(int32_t slider) { return float(65535.0 * (1.0 - slider / 100.0)); }

int32_t BrightnessSliderOfBrightness(float brightness) {
    return std::clamp(int32_t(std::lround((double(brightness) - 0.5) * 50.0)), 0, 100);
}

float BrightnessOfSlider(int32_t slider) { return float(2.0 * slider / 100.0 + 0.5); }

LightSheetControls LightSheetControlStates(const DocState& ds) {
    LightSheetControls c;
    c.sunOn = ds.sunOn != 0;
    c.directionAngle = int32_t(std::lround(ds.sunAngle));
    c.overheadAngle = int32_t(std::lround(ds.sunValueB));
    c.sunBrightnessSlider = ds.sunValueD;
    c.optimalQuality = ds.sunShadowQuality == -1;
    c.shadowQualitySlider = c.optimalQuality ? kOptimalShadowSlider : ds.sunShadowQuality;
    c.intensitySlider = IntensitySliderOfDarkening(ds.lightValue);
    c.brightnessSlider = BrightnessSliderOfBrightness(ds.lightIntensity);
    c.backgroundLighting = ds.lightFlag != 0;
    return c;
}

bool SaveLightSheetControlStates(DocState& ds, const LightSheetControls& opened, const LightSheetControls& now) {
    ds.sunOn = now.sunOn ? 1 : 0;
    ds.sunAngle = float(now.directionAngle);
    ds.sunValueB = float(now.overheadAngle);
    ds.sunValueD = int16_t(now.sunBrightnessSlider);
    ds.sunShadowQuality = int16_t(now.optimalQuality ? -1 : now.shadowQualitySlider);
    ds.lightValue = DarkeningOfIntensitySlider(now.intensitySlider);
    ds.lightIntensity = BrightnessOfSlider(now.brightnessSlider);
    ds.lightFlag = now.backgroundLighting ? 1 : 0;
    return now.intensitySlider != opened.intensitySlider || now.brightnessSlider != opened.brightnessSlider ||
           now.backgroundLighting != opened.backgroundLighting;
}

std::optional<RenderSheetControls> CurrentRenderSheetControls() {
    if (const DocState* ds = CurrentDocState()) return RenderSheetControlStates(*ds);
    return std::nullopt;
}

std::optional<LightSheetControls> CurrentLightSheetControls() {
    if (const DocState* ds = CurrentDocState()) return LightSheetControlStates(*ds);
    return std::nullopt;
}

void ConfirmRenderSheet(const RenderSheetControls& now) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const uint32_t changed = SaveRenderSheetControlStates(*ds, now);
    gRenderDirty = gRefreshRender = 1;
    if ((changed & 1u) && UpdateSkylightSymbolsAllLayers() > 0) ShowComponentsRemoved();
    if (changed) rebuild::RenderAllLayers();
    RedrawChangedScene("Rendering Settings");
}

void ConfirmLightSheet(const LightSheetControls& opened, const LightSheetControls& now) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    if (SaveLightSheetControlStates(*ds, opened, now)) SetupLights();
    RedrawChangedScene("Lighting Settings");
}
