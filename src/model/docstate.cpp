#include "model/docstate.h"

#include <cstring>
#include <new>

#include "model/command_ids.h"
#include "model/docstate_fields.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "model/tool_defaults.h"

namespace {

const int32_t kCustomColors[72] = {
    0x4C9B59, 0xFFFFFF, 0x696CDF, 0xD36E5D, 0x576F6A, 0x26D457, 0xB03C4C, 0x4C3DC1, 0x72A07F,
    0x5C7092, 0x8A4E3E, 0x8C847B, 0xC6D3EB, 0x85ABBB, 0x3D5DC2, 0x4537A4, 0x2EA9FF, 0x52D5E6,
    0xB5BE84, 0xB1BECD, 0x7FA85B, 0x3BD8C0, 0xFE4B28, 0xD29200, 0x0456B2, 0x9494C2, 0x26B6C0,
    0x12A01F, 0x7D68C2, 0x8CDCFA, 0xE2D3E4, 0x3EB9FA, 0x14611A, 0xC8B682, 0x00E8FF, 0x76376A,
    0xBAE4EC, 0xAED7EF, 0x9FCFF0, 0x7A94BE, 0x386382, 0x57657B, 0x6B7789, 0x718FBF, 0xB9D2E1,
    0x5B82C2, 0x9CAED5, 0x3B59A2, 0x7F0000, 0x7F00FF, 0xFF7F7F, 0xFF0000, 0xFFFF00, 0x0000FF,
    0x007FFF, 0x1DE2BB, 0x00FFFF, 0xFF00FF, 0xFF7FFF, 0x3F003F, 0xFFFFFF, 0xF4F4F4, 0xE0E0E0,
    0xD0D0D0, 0xC0C0C0, 0xA0A0A0, 0x8E8E8E, 0x888888, 0x808080, 0x707070, 0x5C5C5C, 0x000000,
};

constexpr int32_t kArrowFirst = cmd::kArrowStyleFirst, kArrowLast = cmd::kArrowStyleLast;
constexpr int32_t kReadoutFirst = cmd::kReadoutFirst, kReadoutLast = cmd::kReadoutLast;
constexpr int32_t kToleranceNone = cmd::kToleranceNone, kToleranceLast = cmd::kToleranceLast;
constexpr int32_t kArrowMask = 0x7F;              // bits 0-6
constexpr int32_t kToleranceMask = 0x7 << 9;      // bits 9-11
constexpr int32_t kReadoutMask = 0x7F << 12;      // bits 12-18
constexpr int32_t kDefaultsBit = 1 << 19;

int32_t PackArrow(int32_t word, int32_t arrowID) {
    word &= ~kArrowMask;
    if (arrowID >= kArrowFirst && arrowID <= kArrowLast) word |= 1 << (arrowID - kArrowFirst);
    return word;
}

int32_t PackTolerance(int32_t word, int32_t toleranceID) {
    word &= ~kToleranceMask;
    if (toleranceID > kToleranceNone && toleranceID <= kToleranceLast)
        word |= 1 << (9 + toleranceID - kToleranceNone - 1);
    return word;
}

int32_t PackReadout(int32_t word, int32_t readoutID) {
    word &= ~kReadoutMask;
    if (readoutID >= kReadoutFirst && readoutID <= kReadoutLast)
        word |= 1 << (12 + readoutID - kReadoutFirst);
    return word;
}

constexpr float CentimetresToInches(float cm) { return cm / 2.54f; }
constexpr float kMetricLayerHeight = 94.48819f;  // 240 cm

}  // namespace

DocState* CreateDocState() {
    DocState* ds = new (std::nothrow) DocState{};
    if (ds) InitializeDocState(ds);
    return ds;
}

void DeleteDocState(DocState* docState) {
    delete docState;
}

void InitializeDocState(DocState* ds) {
    if (!ds) return;
    for (const DocStateField& f : DocStateFields())
        if (f.imperialCount > 0) StoreDocStateFieldNumbers(ds, f, f.imperial, f.imperialCount);

    ds->units = gDefaultToImperial ? kImperialUnits : kMetricUnits;
    ds->imperialReadout = gImperialReadoutFormat;
    ds->metricReadout = gMetricReadoutFormat;
    ds->angleReadout = gAngleReadoutFormat;
    ds->cameraPosition = FloatPoint{0.0f, ds->lotRect.floatBottom - 125.0f};
    ds->wallHeightC = 1.25f * ds->wallHeight;
    ds->wallHeightD = 1.75f * ds->wallHeight;
    std::memcpy(ds->customColors, kCustomColors, sizeof ds->customColors);

    ds->font = LOGFONT{};
    ds->font.lfHeight = -16;
    ds->font.lfItalic = 1;
    ds->font.lfPitchAndFamily = 0x34;
    std::strncpy(ds->font.lfFaceName, "Arial", sizeof ds->font.lfFaceName - 1);

    ds->dimensionFlags = kDefaultsBit;
    SetDocStateDimensionArrowFlags(ds);
    SetDocStateDimensionReadoutFlags(ds);
    SetDocStateDimensionToleranceFlags(ds);

    ClearSelectionState(ds, &ds->ss);
    ClearSelectionState40(ds, &ds->ss40);
}

void SetDocStateMetricDefaults(DocState* ds) {
    if (!ds || !gCurDocument) return;
    for (const DocStateField& f : DocStateFields())
        if (f.metricCount > 0) StoreDocStateFieldNumbers(ds, f, f.metric, f.metricCount);

    gdsAccessoryWidth = CentimetresToInches(120);
    gdsAccessoryHeight = CentimetresToInches(165);
    gdsAccessoryElevation = CentimetresToInches(210);
    gdsAccessoryWallOffset = CentimetresToInches(5);
    gCeilingThickness = CentimetresToInches(30);
    gFlooringThickness = CentimetresToInches(30);
    gSoffitThickness = CentimetresToInches(8);
    gSoffitExtension = CentimetresToInches(45);

    for (Layer* layer = gCurDocument->itsLayers; layer; layer = layer->next)
        layer->height = kMetricLayerHeight;
}

void SetDocStateDimensionArrowFlags(DocState* ds) {
    if (ds) ds->dimensionFlags = PackArrow(ds->dimensionFlags, ds->arrowStyleID);
}

void SetDocStateDimensionReadoutFlags(DocState* ds) {
    if (ds) ds->dimensionFlags = PackReadout(ds->dimensionFlags, ds->readoutStyleID);
}

void SetDocStateDimensionToleranceFlags(DocState* ds) {
    if (ds) ds->dimensionFlags = PackTolerance(ds->dimensionFlags, ds->toleranceID);
}

void DimensionArrowFlag(Objex* object, int16_t arrowID) {
    if (!object || object->typeData.kind != TypeDataKind::Dimension || !object->typeData.dimension)
        return;
    DimensionRecord* r = object->typeData.dimension;
    r->flags = PackArrow(r->flags, arrowID);
}

void DimensionToleranceFlag(Objex* object, int16_t toleranceID) {
    if (!object || object->typeData.kind != TypeDataKind::Dimension || !object->typeData.dimension)
        return;
    if (!CurrentDocState()) return;
    DimensionRecord* r = object->typeData.dimension;
    r->flags = PackTolerance(r->flags, toleranceID);
}

void InitializeVisiblePlansFromToolsetOptions() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    int32_t add = 0;
    if (!(gToolsetOptions & 0x8)) add |= 1 << 5;    // HVAC
    if (!(gToolsetOptions & 0x200)) add |= 1 << 7;  // landscape
    if (!(gToolsetOptions & 0x800)) add |= 1 << 6;  // deck
    for (int32_t& mask : ds->planMasks) mask |= add;
}
