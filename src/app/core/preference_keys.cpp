#include "app/core/preference_keys.h"

#include <map>
#include <string>

#include "files/design_file.h"
#include "model/preferences.h"

const std::array<PlanColorDefault, 16> kPlanColorDefaults{{
    {QMDFoundationPlanColorKey, 192, 0, 0},
    {QMDFloorPlanColorKey, 0, 64, 136},
    {QMDElectricalPlanColorKey, 255, 128, 0},
    {QMDPlumbingPlanColorKey, 0, 192, 192},
    {QMDRoofingPlanColorKey, 0, 0, 192},
    {QMDHVACPlanColorKey, 192, 0, 192},
    {QMDDeckPlanColorKey, 192, 124, 32},
    {QMDLandscapePlanColorKey, 0, 192, 0},
    {QMDDetailPlanColorKey, 0, 64, 136},
    {QMDPlanBackgroundColorKey, 248, 248, 255},
    {QMDInactiveFloorColorKey, 208, 232, 255},
    {QMDInteriorFillColorKey, 242, 242, 255},
    {QMDTopographyLinesColorKey, 193, 221, 193},
    {QMDClearViewColorKey, 0, 64, 136},
    {QMDWireFrameColorKey, 0, 0, 0},
    {QMDGridColorKey, 168, 176, 200},
}};

int64_t PackRGBColor(const RGBColor& c) {
    return (int64_t(c.red) << 32) | (int64_t(c.green) << 16) | int64_t(c.blue);
}

RGBColor UnpackRGBColor(int64_t packed) {
    return RGBColor{uint16_t((packed >> 32) & 0xFFFF), uint16_t((packed >> 16) & 0xFFFF),
                    uint16_t(packed & 0xFFFF)};
}

RGBColor RGBColorFrom255(int r, int g, int b) {
    // x/255 of the full 16-bit range is x * 257 exactly.
    auto ch = [](int x) { return uint16_t((x < 0 ? 0 : x > 255 ? 255 : x) * 257); };
    return RGBColor{ch(r), ch(g), ch(b)};
}

void RegisterPreferenceDefaults(bool metricLocale) {
    std::map<std::string, port::DefaultValue> v;
    v[QMDUndoEnabledKey] = true;
    v[QMDUndoLevelKey] = int64_t(200);
    v[QMDShowPlanToolsKey] = true;
    v[QMDShowSnapToolsKey] = true;
    v[QMDShowGeneralToolsKey] = true;
    v[QMDShowContentPanelKey] = true;
    v[QMDShowInspectorPanelKey] = true;
    for (const PlanColorDefault& c : kPlanColorDefaults) v[c.key] = PackRGBColor(RGBColorFrom255(c.r, c.g, c.b));
    v[QMDMeasurementSystemKey] = int64_t(metricLocale ? 4 : 3);
    v[QMDAngleReadoutKey] = int64_t(2);
    v[QMDImperialReadoutKey] = int64_t(112);
    v[QMDMetricReadoutKey] = int64_t(1);
    v[QMDForcePlanDefaultsKey] = false;
    v[QMDMaxSearchResultsKey] = int64_t(100);
    v[QMDPreviewSizeKey] = int64_t(2);
    port::defaults().registerDefaults(v);
}

void LoadNewPlanReadoutState() {
    LoadModelPreferences();
    gForceNewPlanDefaults = port::defaults().getBool(QMDForcePlanDefaultsKey) ? 1 : 0;
}

WindowVisibility LoadWindowVisibilityState() {
    const port::UserDefaults& d = port::defaults();
    WindowVisibility w;
    w.editTools = d.getBool(QMDShowGeneralToolsKey);
    w.snapTools = d.getBool(QMDShowSnapToolsKey);
    w.planTools = d.getBool(QMDShowPlanToolsKey);
    w.inspector = d.getBool(QMDShowInspectorPanelKey);
    w.contentLibrary = d.getBool(QMDShowContentPanelKey);
    return w;
}
