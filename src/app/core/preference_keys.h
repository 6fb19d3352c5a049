#pragma once
// The user preference keys, their registered defaults and the start-up readers.
#include <array>
#include <cstdint>

#include "model/types.h"
#include "port/defaults.h"

inline constexpr const char* QMDUndoEnabledKey = "UndoEnabled";
inline constexpr const char* QMDUndoLevelKey = "UndoLevels";
inline constexpr const char* QMDShowPlanToolsKey = "ShowPlanTools";
inline constexpr const char* QMDShowSnapToolsKey = "ShowSnapTools";
inline constexpr const char* QMDShowGeneralToolsKey = "ShowGeneralTools";
inline constexpr const char* QMDShowContentPanelKey = "ShowContentPanel";
inline constexpr const char* QMDShowInspectorPanelKey = "ShowInspectorPanel";
inline constexpr const char* QMDFoundationPlanColorKey = "FoundationPlanColor";
inline constexpr const char* QMDFloorPlanColorKey = "FloorPlanColor";
inline constexpr const char* QMDElectricalPlanColorKey = "ElectricalPlanColor";
inline constexpr const char* QMDPlumbingPlanColorKey = "PlumbingPlanColor";
inline constexpr const char* QMDRoofingPlanColorKey = "RoofingPlanColor";
inline constexpr const char* QMDHVACPlanColorKey = "HVACPlanColor";
inline constexpr const char* QMDDeckPlanColorKey = "DeckPlanColor";
inline constexpr const char* QMDLandscapePlanColorKey = "LandscapePlanColor";
inline constexpr const char* QMDDetailPlanColorKey = "DetailPlanColor";
inline constexpr const char* QMDPlanBackgroundColorKey = "PlanBackgroundColor";
inline constexpr const char* QMDInactiveFloorColorKey = "InactiveFloorColor";
inline constexpr const char* QMDInteriorFillColorKey = "InteriorFillColor";
inline constexpr const char* QMDTopographyLinesColorKey = "TopographyLinesColor";
inline constexpr const char* QMDClearViewColorKey = "ClearViewColor";
inline constexpr const char* QMDWireFrameColorKey = "WireFrameColor";
inline constexpr const char* QMDGridColorKey = "GridColor";
inline constexpr const char* QMDMeasurementSystemKey = "UseImperialSystemKey";
inline constexpr const char* QMDAngleReadoutKey = "AngleReadoutKey";
inline constexpr const char* QMDImperialReadoutKey = "ImperialReadoutKey";
inline constexpr const char* QMDMetricReadoutKey = "MetricReadoutKey";
inline constexpr const char* QMDForcePlanDefaultsKey = "ForcePlanDefaultsKey";
inline constexpr const char* QMDMaxSearchResultsKey = "MaxSearchResults";
inline constexpr const char* QMDPreviewSizeKey = "PreviewSizeKey";
// Not registered: the modifier that arms the content auto-click, "Alt" (the default) or "Meta"
// where the window manager keeps Alt-clicks for itself.
inline constexpr const char* QMDAutoClickModifierKey = "AutoClickModifier";

// Colours are stored as one integer so that the store needs no colour type: 0x0000RRRRGGGGBBBB.
int64_t PackRGBColor(const RGBColor& c);
RGBColor UnpackRGBColor(int64_t packed);
// A colour given in whole numbers out of 255.
RGBColor RGBColorFrom255(int r, int g, int b);

struct PlanColorDefault {
    const char* key;
    uint8_t r, g, b;
};
// The 16 registered plan and view colours, out of 255.
extern const std::array<PlanColorDefault, 16> kPlanColorDefaults;

// Registers the 30 defaults (stored values keep winning); `metricLocale` picks the unit code.
void RegisterPreferenceDefaults(bool metricLocale);

// The unit system, readout formats and "ForcePlanDefaultsKey" into the model's globals.
void LoadNewPlanReadoutState();

// Which palettes and panels are to be shown.
struct WindowVisibility {
    bool editTools = true, snapTools = true, planTools = true, inspector = true, contentLibrary = true;
    bool operator==(const WindowVisibility&) const = default;
};
WindowVisibility LoadWindowVisibilityState();
