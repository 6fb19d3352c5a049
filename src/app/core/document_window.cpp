#include "app/core/document_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "files/object_files.h"
#include "files/object_records.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/centering.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/lines.h"
#include "model/selection_ops.h"
#include "model/units.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "port/seam.h"
#include "render/core/live_view_seams.h"
#include "render/core/vrml_export.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/scene_camera.h"
#include "model/inspector_panel.h"

int16_t gCurToolSet = 1;
uint8_t gDrawElevation = 0;
uint8_t gDrawElevationNoSelection = 0;
static const port::GlobalReset kReset([] {
    gCurToolSet = 1;
    gDrawElevation = 0;
    gDrawElevationNoSelection = 0;
});

namespace {

constexpr double kDocked = 20, kGap = 5;
constexpr float kDegrees = 0.017453292f;
constexpr int16_t kPlans = 9;

DocState* DocumentState() { return gCurDocument ? gCurDocument->itsDocState : nullptr; }
bool Metric(const DocState* ds) { return ds->units != kImperialUnits; }

// After the slider changed something: the summary again, the live view, one undo step.
void FinishElevationChange() {
    RefreshSelectionState40();
    gRefreshRender = 1;
    LiveViewNeedsDisplay();
    StoreUndo("Elevation Slider");
}

}  // namespace

BottomLeftFrame PlaceDocumentWindow(const BottomLeftFrame& v, const BottomLeftFrame& w, const BottomLeftFrame* edit,
                                    const BottomLeftFrame* snap, const BottomLeftFrame* plan, bool launched) {
    BottomLeftFrame f{w.x, w.y, w.width, v.height};
    if (!launched) {
        auto docked = [&](const BottomLeftFrame* p) { return p && p->x - v.x <= kDocked; };
        const bool t = docked(edit), s = docked(snap);
        if (t && s) f.x = std::max(edit->x + edit->width, snap->x + snap->width) + kGap;
        else if (t) f.x = edit->x + edit->width + kGap;
        else if (s) f.x = snap->x + snap->width + kGap;
        else f.x = kGap;
    }
    if (plan) {
        const double above = (v.y + v.height) - (plan->y + plan->height), below = plan->y - v.y;
        if (above <= kDocked) {
            f.y = v.y;
            f.height = v.height - plan->height - above - kGap;
        } else if (below <= kDocked) {
            f.y = plan->y + plan->height + kGap;
            f.height = v.height - plan->height - below - kGap;
        }
    }
    // Kept within the visible area, as a titled window's top is kept on the screen: a frame
    // keeping its first bottom and given the visible height stood above it, and one placed
    // right of the palettes on a small screen ran off its right edge.
    f.x = std::max(f.x, v.x);
    f.width = std::min(f.width, v.x + v.width - f.x);
    f.height = std::min(f.height, v.height);
    f.y = std::max(std::min(f.y, v.y + v.height - f.height), v.y);
    return f;
}

void SelectPlanTab(int16_t index) {
    DocState* ds = DocumentState();
    if (!ds) return;
    gCurToolSet = index;
    if (index >= 0 && index < kPlans) {
        ds->currentPlanBit = int32_t{1} << index;
        ds->visiblePlans = ds->planMasks[index];
    }
    ResetStandardTool(1);
    SelectAllLayers(gCurDocument->itsLayers, 2, 0);
}

ElevationPane ElevationPaneFor(const SelectionState40* s) {
    ElevationPane pane;
    const DocState* ds = DocumentState();
    if (!s || !ds) return pane;
    gDrawElevation = 0;
    gDrawElevationNoSelection = 0;
    if (!s->ssStateFresh && !s->ssBaseElevation) return pane;
    if (s->ssStateFresh) gDrawElevationNoSelection = 1;
    pane.shown = true;
    pane.value = Metric(ds) ? ConvertInchesToMeters(s->ssBaseElevationValue) : s->ssBaseElevationValue / 12.0f;
    pane.knob = pane.value >= -10 && pane.value <= 20;
    pane.rounded = std::lround(pane.value);
    return pane;
}

std::string ElevationIndicatorText(long value) {
    const DocState* ds = DocumentState();
    char text[32];
    std::snprintf(text, sizeof text, ds && !Metric(ds) ? "%ld'" : "%ld", value);
    return text;
}

void ApplyElevationSlider(long value) {
    DocState* ds = DocumentState();
    if (!ds) return;
    const float v = static_cast<float>(value);
    const float inches = Metric(ds) ? ConvertMetersToInches(v) : v * 12.0f;
    const SelectionState40& s = ds->ss40;
    if (s.ssStateFresh) {
        ds->currentElevation = inches;
        FinishElevationChange();
        return;
    }
    gBaseElevation = inches / 12.0f;
    if (s.ssBaseElevation) {
        TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kSetElevation, nullptr);
        FinishElevationChange();
        return;
    }
    port::Alert alert;
    alert.message = LocalizedString("Elevation settings will be applied to all selected objects.");
    alert.buttons = {LocalizedString("Elevate Objects"), LocalizedString("Cancel")};
    port::alerts().beginSheet(alert, [](int button) { ElevateObjectSheetDidEnd(button); });
}

void ElevateObjectSheetDidEnd(int button) {
    if (!DocumentState() || !gCurDocument->itsLayers) return;
    // A cancelled sheet changed nothing: no undo step, but the pane shows the selection again.
    if (button != 0) {
        RefreshSelectionState40();
        return;
    }
    TopLevelObjectAllLayers(gCurDocument->itsLayers, cmd::kSetElevation, nullptr);
    FinishElevationChange();
}

void FloorplanTraceOpenPanelDidEnd(const std::string& path) {
    DocState* ds = DocumentState();
    if (path.empty() || !ds) return;
    QMDDocumentModel* doc = gCurDocument;
    delete doc->itsTraceImage;
    doc->itsTraceImage = nullptr;
    // A path that does not fit the design's field could not be found again: refused.
    if (path.size() < sizeof ds->traceImagePath) doc->itsTraceImage = LoadTraceImage(path.c_str());
    if (doc->itsTraceImage) {
        std::memcpy(ds->traceImagePath, path.c_str(), path.size() + 1);
        ds->traceImageShown = 1;
        ds->traceImageScaleH = ds->traceImageScaleV = 1.0f;
        StoreUndo("Load Floorplan Trace Image");
    } else {
        ds->traceImageShown = 0;
        std::memset(ds->traceImagePath, 0, sizeof ds->traceImagePath);
        port::Alert alert;
        alert.message = LocalizedString("Unable to load the Floorplan Trace image.");
        alert.informative =
            LocalizedString("Please ensure the image is valid and you have adequate permissions to access it.");
        alert.buttons = {LocalizedString("OK")};
        port::alerts().beginSheet(alert, [](int) {});
    }
    Refresh();
}

void Import3DObjectOpenPanelDidEnd(const std::string& path) {
    if (path.empty() || !DocumentState()) return;
    Win32EventHandler().viewTop();
    gOpenSymbol = 1;
    SelectAllLayers(gCurDocument->itsLayers, 2, 1);
    const bool read = ObjectFileRead(path.c_str());
    if (read) {
        FloatRect bounds{};
        CenterObjects(1, &bounds);
        Win32EventHandler().groupNoRedraw();
    }
    gOpenSymbol = 0;
    Refresh();
    if (read) StoreUndo(LocalizedString("Import 3D Object").c_str());
}

void ExportVRMLSavePanelDidEnd(const std::string& path) {
    if (!path.empty()) ExportVRMLFile(path.c_str());
}

void SetUpLiveViewCamera(const DocState* ds) {
    if (!ds) return;
    if (ds->cameraMode == 1) {
        float a = 0, b = 0;
        GetPointFromLengthAndAngle((ds->cameraHeading + 90.0f) * kDegrees, 1000.0f, &a, &b);
        SetCameraAngle(a, 0, -b);
        SetCameraPosition(ds->cameraPosition.floatH, ds->eyeHeight, -ds->cameraPosition.floatV);
    } else {
        float c = 0, d = 0, e = 0, f = 0;
        GetPointFromLengthAndAngle(ds->flyValueA * kDegrees, ds->flyAltitude, &c, &d);
        GetPointFromLengthAndAngle(ds->flyValueB * kDegrees, c, &e, &f);
        SetCameraPosition(-e, -d, -f);
        SetCameraAngle(e, d, f);
    }
    AnimateBackground(ds);
    RenderLoop();
}

void RebuildLiveViewScene() {
    DeleteAllRendererObjects();
    RenderAllLayers();
}
