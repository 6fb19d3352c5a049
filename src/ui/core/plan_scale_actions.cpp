#include "ui/core/plan_scale_actions.h"

#include <algorithm>

#include "app/core/document_seams.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/undo.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/rebuild_table.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "model/zoom_units.h"
#include "plan/base_2d_view.h"
#include "plan/refresh_seams.h"
#include "plan/zoom.h"
#include "model/render_state.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "ui/core/inspector_seams.h"

namespace {

// Zoom percentages are relative to the natural size at this scale value.
constexpr float kReferenceScale = 36.0f;
constexpr float kMaxZoom = 3.0f;
constexpr float kMinOtherZoom = 0.05f;
constexpr float kInchesPerFoot = 12.0f;
constexpr float kInchesPerMetre = 39.37f;  // as the readouts have it
constexpr int32_t kMinLot = 1, kMaxLot = 1000;
constexpr float kWholeSlack = 0.001f;
constexpr int kChangeDone = 0;

// Shown percentage per zoom unit: for a code off the table, 1 in imperial and 20/36 in metric.
float ZoomToPercent(const DocState* ds) {
    const float value = PlanScaleValue(ds->planScaleChoice, ds->units);
    if (value != 0) return value / kReferenceScale;
    return ds->units == kImperialUnits ? 1.0f : 20.0f / kReferenceScale;
}

// The typed zoom into the document's own: unchanged for a code off the table.
float PercentToZoom(const DocState* ds, float p) {
    const float value = PlanScaleValue(ds->planScaleChoice, ds->units);
    return value != 0 ? p * (kReferenceScale / value) : p;
}

float InchesPerUnit(const DocState* ds) { return ds->units == kImperialUnits ? kInchesPerFoot : kInchesPerMetre; }

}  // namespace

void ReframePlanView(Reframe how) {
    if (how == Reframe::AfterScaleOrZoom) {
        gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
        gSinXAngle = gCosYAngle = 1.0f;
    }
    Base2DView* view = MainWindowDocumentView();
    if (Base2DViewHost* host = view ? view->host() : nullptr) {
        FramePaperAround(*host, 0, 0);
        if (how == Reframe::AfterLotSize) host->setNeedsDisplay();
    }
    if (how == Reframe::AfterScaleOrZoom) Refresh();
}

void SetMeasurementOptions(int16_t unitSystem, int16_t angleFormat, int16_t imperialFormat, int16_t metricFormat) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ds->units = unitSystem;
    ds->angleReadout = angleFormat;
    if (unitSystem == kImperialUnits) ds->imperialReadout = imperialFormat;
    else ds->metricReadout = metricFormat;
    InspectorUpdatePropertiesState(1);
    // Those entries show their sizes in the document's units.
    ContentPaletteRefreshFolderCategory();
    Refresh();
    StoreUndo(LocalizedString("Measurement Options").c_str());
}

bool SetPlanScaleCode(int16_t code) {
    DocState* ds = CurrentDocState();
    if (!ds || code == ds->planScaleChoice) return false;
    const float ratio = PlanScaleZoomRatio(ds->planScaleChoice, code, ds->units);
    ds->planScaleChoice = code;
    ds->savedZoom *= ratio;
    ds->printZoom *= ratio;
    ds->zoomFactor *= ratio;
    ReframePlanView(Reframe::AfterScaleOrZoom);
    StoreUndo(LocalizedString("Plan Scale").c_str());
    return true;
}

int32_t PlanZoomPercent() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 0;
    const float z = GetCurrentView() == kViewTop ? ds->savedZoom : ds->printZoom;
    return static_cast<int32_t>(z * ZoomToPercent(ds) * 100.0f + 0.5f);
}

void SetPlanZoomPercent(float percent) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const float p = percent / 100.0f;
    if (GetCurrentView() == kViewTop) {
        const float zoom = std::clamp(PercentToZoom(ds, p), GetMinZoom(), kMaxZoom);
        ds->savedZoom = ds->zoomFactor = zoom;
    } else {
        ds->printZoom = ds->zoomFactor = PercentToZoom(ds, std::clamp(p, kMinOtherZoom, kMaxZoom));
    }
    ReframePlanView(Reframe::AfterScaleOrZoom);
}

void LotSizeShown(int32_t* width, int32_t* depth) {
    const DocState* ds = CurrentDocState();
    if (!ds || !width || !depth) return;
    const FloatRect& lot = ds->lotRect;
    const float perUnit = InchesPerUnit(ds);
    // Whole units, less the float noise of the trip through plan units: a lot set to 13 m reads
    // 13 again, not 12.
    const auto whole = [&](float planLength) {
        return static_cast<int32_t>(ConvertScreenToWorld(planLength, ds, 0) / perUnit + kWholeSlack);
    };
    *width = whole(lot.floatRight - lot.floatLeft);
    *depth = whole(lot.floatBottom - lot.floatTop);
}

void SetLotSize(int32_t width, int32_t depth) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const float perUnit = InchesPerUnit(ds);
    const float w = static_cast<float>(std::clamp(width, kMinLot, kMaxLot)) * perUnit;
    const float d = static_cast<float>(std::clamp(depth, kMinLot, kMaxLot)) * perUnit;
    ds->lotRect.floatTop = ConvertWorldToScreen(-d / 2, ds, 0);
    ds->lotRect.floatLeft = ConvertWorldToScreen(-w / 2, ds, 0);
    ds->lotRect.floatBottom = ConvertWorldToScreen(d / 2, ds, 0);
    ds->lotRect.floatRight = ConvertWorldToScreen(w / 2, ds, 0);
    SetupTopoGrid();
    // What the lot limits (the corners of the outlines walls, roofs and paths are built from)
    // is built again, as a read of the design builds it.
    for (Layer* l = gCurDocument ? gCurDocument->itsLayers : nullptr; l; l = l->next)
        for (Objex *o = l->firstObject, *next = nullptr; o; o = next) {
            next = o->next;
            rebuild::Run(o, rebuild::kObjectScopes);
        }
    SetLotElevation();
    rebuild::RenderAllLayers();
    gRefreshRender = 1;
    ReframePlanView(Reframe::AfterLotSize);
    MainWindowDocumentUpdateChangeCount(kChangeDone);
}
