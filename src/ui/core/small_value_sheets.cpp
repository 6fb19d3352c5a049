#include "ui/core/small_value_sheets.h"

#include <algorithm>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "files/undo.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/render_state.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
#include "scene/scene_camera.h"
#include "ui/core/inspector_seams.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;
constexpr int16_t kWalkThrough = 1, kFlyAround = 2;
constexpr int16_t kOldestPlantingAge = 20;
// The maximum plant age is the projection in years plus the three the plants start with.
constexpr int16_t kStartingPlantAge = 3;

void StoreNamed(const char* name) { StoreUndo(LocalizedString(name).c_str()); }

void RedrawLiveView() {
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
}

}  // namespace

float WalkThroughEyeHeightInches() {
    const DocState* ds = CurrentDocState();
    return ds ? ConvertScreenToWorld(ds->eyeHeight, ds, 0) : 0.0f;
}

float FlyAroundDistanceInches() {
    const DocState* ds = CurrentDocState();
    return ds ? ConvertScreenToWorld(ds->flyAltitude, ds, 0) : 0.0f;
}

void SetWalkThroughEyeHeight(float inches) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    ds->eyeHeight = ConvertWorldToScreen(inches, ds, 0);
    if (ds->cameraMode == kWalkThrough)
        SetCameraPosition(ds->cameraPosition.floatH, ds->eyeHeight, -ds->cameraPosition.floatV);
    RedrawLiveView();
}

void SetFlyAroundDistance(float inches) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    ds->flyAltitude = ConvertWorldToScreen(inches, ds, 0);
    if (ds->cameraMode == kFlyAround) {
        float c = 0, d = 0, e = 0, f = 0;
        GetPointFromLengthAndAngle(ds->flyValueA * kRadiansPerDegree, ds->flyAltitude, &c, &d);
        GetPointFromLengthAndAngle(ds->flyValueB * kRadiansPerDegree, c, &e, &f);
        SetCameraPosition(-e, -d, -f);
        SetCameraAngle(e, d, f);
    }
    RedrawLiveView();
}

void SetDimensionProperties(int16_t tag, const LOGFONT* font) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return;
    for (const DimensionArrowStyle& style : kDimensionArrowStyles) {
        if (style.tag != tag) continue;
        ds->dimensionStyle = style.tag;
        ds->arrowStyleID = style.command;
        SetDocStateDimensionArrowFlags(ds);
    }
    if (font) ds->font = *font;
    Refresh();
    StoreNamed("Dimension Properties");
}

int16_t PlantingAgeForEntry(int32_t entry) {
    return static_cast<int16_t>(std::clamp<int32_t>(entry, 0, kOldestPlantingAge));
}

void SetSelectedPlantingAge(int32_t entry) {
    if (!gCurDocument || !CurrentDocState() || !gCurDocument->itsLayers) return;
    SelectedObjectAllLayers(gCurDocument->itsLayers, 1, cmd::kPlantingAge,
                            CommandParamFromInt(PlantingAgeForEntry(entry)));
    InspectorUpdatePropertiesState(1);
    StoreNamed("Planting Age");
    Refresh();
}

int16_t MaximumPlantAgeForEntry(int32_t entry) {
    if (entry < 2) return 5;
    if (entry > 50) return 53;
    return static_cast<int16_t>(entry + kStartingPlantAge);
}

int32_t PlantGrowthProjection() {
    return gCurDocument ? gCurDocument->itsMaximumPlantAge - kStartingPlantAge : 0;
}

bool SetPlantGrowthProjection(int32_t entry) {
    if (!gCurDocument || !CurrentDocState()) return false;
    const int16_t age = MaximumPlantAgeForEntry(entry);
    if (age == gCurDocument->itsMaximumPlantAge) return false;
    gCurDocument->itsMaximumPlantAge = age;
    UpdatePlantGrowthIndicatorLevel();
    StoreNamed("Plant Growth Projection");
    return true;
}
