// The command layer's view, live-view, trace image, file, plant and sheet commands.
#include <algorithm>
#include <string>

#include "app/core/app_seams.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "content/core/content_selection_seams.h"
#include "model/content_types.h"
#include "files/undo.h"
#include "files/windows_records.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_rebuild.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/refresh_seams.h"
#include "plan/wall_dimensions.h"
#include "plan/zoom.h"
#include "port/alerts.h"
#include "port/file_dialogs.h"
#include "port/images.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "scene/scene_camera.h"
#include "ui/core/sheet_seams.h"
#include "app/core/sheet_values.h"

namespace {

constexpr float kStartZoom = 0.6f;
constexpr float kDegrees = 0.017453292f;
// The PowerTool that edits cabinets, launched from a cabinet part's context menu.
constexpr int32_t kCabinetPowerTool = 131;
// Render modes of the live view.
using rendermode::kWireframe, rendermode::kSolid, rendermode::kClearView;

DocState* Settings() { return gCurDocument ? gCurDocument->itsDocState : nullptr; }

void StoreNamedUndo(const char* name) { StoreUndo(LocalizedString(name).c_str()); }

std::string WithName(const char* format, const std::string& name) {
    std::string text = LocalizedString(format);
    const size_t at = text.find("%@");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

void AlertSheet(const std::string& title, const char* message) {
    port::Alert alert;
    alert.message = title;
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

// Inverts a byte switch of the settings record; false without one.
bool Toggle(uint8_t DocState::*flag) {
    DocState* ds = Settings();
    if (!ds) return false;
    ds->*flag = !(ds->*flag);
    return true;
}

// Shows the live view when hidden, with its scene built now or at its next draw.
void ShowLiveViewFirst() {
    if (LiveViewIsVisible()) return;
    ShowLiveView();
    if (gRenderOnShow) RenderAllLayers();
    else gRenderDirty = gRefreshRender = 1;
    LiveViewDisplay();
}

void ShowLiveViewForRender() {
    if (LiveViewIsVisible()) return;
    ShowLiveView();
    if (gRenderOnShow) RenderAllLayers();
}

// Sets the settings field to the value the command maps to; IDs off the table change nothing.
template <class Field, size_t N>
void SetFromTable(Field DocState::*field, int32_t command, const int32_t (&table)[N][2]) {
    DocState* ds = Settings();
    if (!ds) return;
    for (const auto& row : table)
        if (row[0] == command) ds->*field = static_cast<Field>(row[1]);
}

}  // namespace

// --- view ---

void Win32EventHandler::resetPlanView() {
    DocState* ds = Settings();
    if (!ds) return;
    // The top view's zoom too, which the zoom sheet shows and the top view returns to.
    ds->zoomFactor = ds->savedZoom = kStartZoom;
    resetView();
    gSinXAngle = gCosYAngle = 1.0f;
    Base2DView* view = MainWindowDocumentView();
    if (Base2DViewHost* host = view ? view->host() : nullptr) {
        FramePaperAround(*host, 0, 0);
    }
    Refresh();
}

void Win32EventHandler::fitToWindow() {
    DocState* ds = Settings();
    if (!ds) return;
    gGlobalZOffset = gGlobalXOffset = 0;
    ds->zoomFactor = kStartZoom;
    resetView();
    ds->savedZoom = kStartZoom;
    FitToWindow();
}

void Win32EventHandler::refreshView() {
    gRenderDirty = 1;
    Refresh();
}

void Win32EventHandler::toggleGrid() {
    if (Toggle(&DocState::showGrid)) Refresh();
}

void Win32EventHandler::snapToGrid() { Toggle(&DocState::snapToGrid); }

void Win32EventHandler::toggleDimensions() {
    if (!Toggle(&DocState::showDimensions)) return;
    Refresh();
    StoreNamedUndo("Automatic Dimensioning");
}

void Win32EventHandler::toggleCallouts() {
    if (!Toggle(&DocState::showCallouts)) return;
    Refresh();
    StoreNamedUndo("Window & Door Callouts");
}

void Win32EventHandler::toggleTopographyLines() {
    Toggle(&DocState::showTopoLines);
    Refresh();
}

void Win32EventHandler::toggleVirtualRuler() {
    if (!gCurDocument) return;
    gCurDocument->itsVRVisible = !gCurDocument->itsVRVisible;
    Refresh();
}

void Win32EventHandler::toggleFramingView() {
    if (!Toggle(&DocState::framingView)) return;
    // Staircases and decks build their steps and rails for the view they are built in.
    RebuildWhatTheFramingViewShapes();
    RenderAllLayers();
    gRenderDirty = gRefreshRender = 1;
    LiveViewNeedsDisplay();
}

void Win32EventHandler::viewTop() {
    DocState* ds = Settings();
    if (!ds) return;
    ResetStandardTool(1);
    ds->viewKind = 2;
    gXViewAngle = 90;
    gYViewAngle = 0;
    gViewFactor = 1.0f;
    gPerspective = 0;
    resetView();
    ds->zoomFactor = ds->savedZoom;
    Layer* drafting = Get2DViewLayer(kViewTop);
    if (drafting == gCurDocument->itsCur2DLayer) return;
    gCurDocument->itsCur2DLayer = drafting;
    Set2DViewLayerVisibility(drafting);
    Refresh();
}

// --- trace image ---

void Win32EventHandler::loadFloorplanTraceImage() {
    port::FilePanel panel;
    panel.extensions = port::imageDecoder().fileTypes();
    port::fileDialogs().beginOpenPanel(panel, FloorplanTraceOpenPanelDidEnd);
}

void Win32EventHandler::resizeFloorplanTraceImageUsingWindow() { NewTraceImageScaleSheetForParent(window_); }

void Win32EventHandler::toggleFloorplanTraceImage() {
    if (gCurDocument && gCurDocument->itsTraceImage && Toggle(&DocState::traceImageShown)) Refresh();
}

void Win32EventHandler::removeFloorplanTraceImage() {
    DocState* ds = Settings();
    if (!ds) return;
    delete gCurDocument->itsTraceImage;
    gCurDocument->itsTraceImage = nullptr;
    std::fill(std::begin(ds->traceImagePath), std::end(ds->traceImagePath), '\0');
    ds->traceImageShown = 0;
    Refresh();
    StoreNamedUndo("Remove Floorplan Trace Image");
}

// --- live view and files ---

void Win32EventHandler::exportLiveViewImage() {
    ShowLiveViewFirst();
    LiveViewDisplayExport3DSavePanel();
}

void Win32EventHandler::print3DLiveViewImage() {
    ShowLiveViewFirst();
    LiveViewShowPrint3DPropertiesPanel();
}

void Win32EventHandler::showLVAndRenderFinal() {
    ShowLiveViewForRender();
    LiveViewRenderFinal();
}

void Win32EventHandler::showLVAndRenderShadows() {
    ShowLiveViewForRender();
    LiveViewRenderShadows();
}

void Win32EventHandler::exportVRMLUsingWindow() {
    port::FilePanel panel;
    panel.extensions = {"wrl"};
    panel.fileName = LocalizedString("Untitled");
    port::fileDialogs().beginSavePanel(panel, ExportVRMLSavePanelDidEnd);
}

void Win32EventHandler::import3DObjectUsingWindow() {
    port::FilePanel panel;
    panel.extensions = {"POB"};
    port::fileDialogs().beginOpenPanel(panel, Import3DObjectOpenPanelDidEnd);
}

void Win32EventHandler::setLVInteractionMethodUsingCommand(int32_t command) {
    switch (command) {
    case 10004: LiveViewFreeWalkThrough(); break;
    case 10005: LiveViewFreeFlyAround(); break;
    case 10006: LiveViewControlledWalkThrough(); break;
    case 10007: LiveViewControlledFlyAround(); break;
    default: break;
    }
}

void Win32EventHandler::setRenderStyleUsingCommand(int32_t command) {
    DocState* ds = Settings();
    if (!ds) return;
    switch (command) {
    case 10000:
    case 10001:
        gTexturedWire = command == 10001;
        ds->renderFlag = 0;
        ds->renderMode = kWireframe;
        gRenderDirty = gRefreshRender = 1;
        LiveViewNeedsDisplay();
        return;
    case 10002:
        if (ds->renderFlag && ds->renderMode != kWireframe) return;
        gTexturedWire = 0;
        ds->renderFlag = 1;
        ds->renderMode = kClearView;
        break;
    case 10003:
        if (ds->renderMode == 0) return;
        gTexturedWire = 0;
        ds->renderFlag = 0;
        ds->renderMode = kSolid;
        break;
    default: return;
    }
    gRenderDirty = gRenderGL = gRefreshRender = 1;
    LiveViewDisplay();
    gRenderGL = 0;
}

void Win32EventHandler::setViewpointUsingCommand(int32_t command) {
    DocState* ds = Settings();
    if (!ds) return;
    const FloatRect& lot = ds->lotRect;
    struct Viewpoint { int32_t command; float heading, h, v; };
    const Viewpoint viewpoints[] = {{5151, 270, lot.floatLeft + 125, 0},
                                    {5152, 90, lot.floatRight - 125, 0},
                                    {5153, 0, 0, lot.floatBottom - 125},
                                    {5154, 180, 0, lot.floatTop + 125}};
    for (const Viewpoint& p : viewpoints) {
        if (p.command != command) continue;
        ds->cameraHeading = p.heading;
        ds->cameraPosition = {p.h, p.v};
        ds->cameraValue = 0;
        ds->cameraMode = 1;
        if (Layer* layer = gCurDocument->itsCurLayer)
            ds->eyeHeight = ConvertWorldToScreen(GetLayerAbsBaseHeight(layer), ds, 0) +
                            0.5f * ConvertWorldToScreen(layer->height, ds, 0);
        float a = 0, b = 0;
        GetPointFromLengthAndAngle((p.heading + 90.0f) * kDegrees, 1000.0f, &a, &b);
        SetCameraAngle(a, 0, -b);
        SetCameraPosition(p.h, ds->eyeHeight, -p.v);
    }
    gRefreshRender = gRenderDirty = 1;
    Refresh();
    LiveViewResetCursorRects();
}

void Win32EventHandler::setElevationViewUsingCommand(int32_t command) {
    DocState* ds = Settings();
    if (!ds || command < cmd::kElevationViewFirst || command > cmd::kElevationViewLast) return;
    ds->elevationView = int16_t(command - cmd::kElevationViewFirst + 1);
    // Shown, or the choice would change nothing a user sees.
    ShowLiveViewFirst();
    gRenderDirty = gRefreshRender = 1;
    LiveViewDisplay();
}

void Win32EventHandler::setNavigationSpeedUsingCommand(int32_t command) {
    static constexpr int32_t kSpeeds[][2] = {{10500, 6}, {10501, 7}, {10502, 8}, {10503, 9}, {10504, 10}};
    SetFromTable(&DocState::navigationSpeed, command, kSpeeds);
}

void Win32EventHandler::setRenderQualityUsingCommand(int32_t command) {
    // Anti-aliasing passes of a final render.
    static constexpr int32_t kPasses[][2] = {{5291, 4}, {5292, 8}, {5293, 15}, {5294, 24}};
    SetFromTable(&DocState::lightSetting, command, kPasses);
}

void Win32EventHandler::setShadowQualityUsingCommand(int32_t command) {
    static constexpr int32_t kQualities[][2] = {{5333, 0}, {5334, 5}};
    SetFromTable(&DocState::shadowQuality, command, kQualities);
}

// --- plants ---

void Win32EventHandler::setPlantingAgeUsingWindow() { NewPlantingAgeSheetForParent(window_); }

void Win32EventHandler::setPlantGrowthProjectionUsingWindow() { NewPlantGrowthProjSheetForParent(window_); }

void Win32EventHandler::fillObjectWithPlantsUsingWindow() {
    if (ContentPaletteSelectedCategory() != content::kPlantsCategory)
        ContentPaletteSelectCategory(content::kPlantsCategory, false);
    if (ContentPaletteSelectedSymEntry()) {
        NewPlantFillSheetForParent(window_);
        return;
    }
    AlertSheet(LocalizedString("No plant selected."), "You must select a plant before attempting to use this feature.");
}

void Win32EventHandler::showPlantDetailsWindow() { NewPlantDetailsWindow(); }

// --- sheets ---

void Win32EventHandler::moveObjectsUsingWindow() { NewMoveObjectsPanelForParent(window_); }
void Win32EventHandler::movePlanUsingWindow() { NewMovePlanPanelForParent(window_); }
void Win32EventHandler::rotateObjectsUsingWindow() { NewRotateObjectsPanelForParent(window_); }
void Win32EventHandler::rotatePlanUsingWindow() { NewRotatePlanPanelForParent(window_); }
void Win32EventHandler::setPlanZoomUsingWindow() { NewPlanZoomSheetForParent(window_); }
void Win32EventHandler::setGridPropertiesUsingWindow() { NewGridPropertiesSheetForParent(window_); }
void Win32EventHandler::setDimensionPropertiesUsingWindow() { NewDimensionPropertiesSheetForParent(window_); }
void Win32EventHandler::setWorkingElevationUsingWindow() { NewWorkingElevationSheetForParent(window_); }
void Win32EventHandler::setPlanScaleUsingWindow() { NewPlanScaleSheetForParent(window_); }
void Win32EventHandler::setMeasurementUnitsUsingWindow() { NewMeasurementUnitsSheetForParent(window_); }
void Win32EventHandler::setTrueNorthAngleUsingWindow() { NewCompassSheetForParent(window_); }
void Win32EventHandler::setCeilingHeightForLayer(Layer* layer) { NewCeilingHeightSheetForParent(window_, layer); }
void Win32EventHandler::setLotSizeUsingWindow() { NewLotSizeSheetForParent(window_); }
void Win32EventHandler::editTextObjectUsingWindow() { NewTextEntrySheetForParent(window_, gContextFoundObj); }
void Win32EventHandler::showCeilingBuilderUsingWindow() { NewCeilingBuilderSheetForParent(window_); }
void Win32EventHandler::smoothSelected() { NewCurveTensionSheetForParent(MainWindowCommandWindow()); }

void Win32EventHandler::setObjectElevationUsingWindow() {
    DocState* ds = Settings();
    if (!ds) return;
    gDLOGElevation = gDrawElevation ? ds->ss40.ssBaseElevationValue : 0.0f;
    gDLOGTopoFloat = 0;
    NewObjectElevationSheetForParent(window_);
}

// --- PowerTool and key entry ---

void Win32EventHandler::launchObjectPowerTool() {
    Objex* part = gContextFoundObj;
    if (!part || part->type != objtype::kCabinetPart || !gCurDocument || !gCurDocument->itsLayers) return;
    const std::vector<int32_t> loaded = LoadedPlugInIDs();
    if (std::find(loaded.begin(), loaded.end(), kCabinetPowerTool) == loaded.end()) return;
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 1);
    SelectObj(part, selmode::kSelect, 1);
    launchCabinetPowerTool();
}

void Win32EventHandler::launchCabinetPowerTool() {
    const std::vector<int32_t> loaded = LoadedPlugInIDs();
    if (std::find(loaded.begin(), loaded.end(), kCabinetPowerTool) == loaded.end()) return;
    const std::string name = PowerToolName(kCabinetPowerTool);
    if (!PowerToolIsAvailable(kCabinetPowerTool)) {
        AlertSheet(WithName("The PowerTool '%@' is currently being used.", name),
                   "Only one design at a time may use any given PowerTool.");
    } else if (LaunchPowerTool(kCabinetPowerTool)) {
        CloseVisiblePanelsAndSaveState();
        BeginPowerToolProgressSheet(name);
    } else {
        AlertSheet(WithName("Unable to launch %@", name), "Please make sure the PowerTool is installed correctly.");
    }
}

void Win32EventHandler::keyEntrySheetForObject(Objex* object, Poinz* start, Poinz* end) {
    if (!object || !start || !end) return;
    float angle = GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0], end->position[2],
                                        &sLength);
    float offset = 0;
    if (object->type == objtype::kWall) {
        const float raw = sLength;
        float sh = 0, sv = 0, eh = 0, ev = 0;
        AdjustWallDimensionForMethod(object, start, end, &sh, &sv, &eh, &ev);
        angle = GetLineLengthAndAngle(sh, sv, eh, ev, &sLength);
        offset = sLength - raw;
    }
    if (sDirection < 1 || sDirection > 3) sDirection = 1;
    NewKeyEntrySheetForParent(window_, object, start, end, offset, sLength, angle);
}
