// The editing, floor and plan commands of the command handler.
#include <cstring>
#include <string>

#include "model/command_state.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "plan/status_readouts.h"
#include "files/copy_paste.h"
#include "files/streams.h"
#include "files/undo.h"
#include "geometry/elements/stair_build.h"
#include "model/bounds.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "commands/convert_type.h"
#include "model/direction.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/flip.h"
#include "model/grouping.h"
#include "model/numeric.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "model/view_state.h"
#include "model/walkers.h"
#include "plan/annotations/plan_text.h"
#include "model/areas.h"
#include "model/attached_dimension_batch.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "scene/scene_camera.h"
#include "model/inspector_panel.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace {

constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr int16_t kSelectTool = 201;
constexpr int32_t kWallToInterior = 13000;
constexpr int32_t kWallToExterior = 13001;
constexpr int32_t kFirstFloorCommand = 5275;
constexpr int32_t kThirdFloorCommand = 5277;
constexpr int32_t kShowAllFloors = 5278;
constexpr int32_t kShowWorkingFloorOnly = 5279;
constexpr int32_t kFirstPlanTab = 5343;  // 5343-5350: foundation ... landscape
constexpr int32_t kLastPlanTab = 5350;
constexpr int32_t kDetailPlanTab = 5390;
constexpr int32_t kFirstVisiblePlan = 11000;  // 11000-11008, one per plan
constexpr int32_t kLastVisiblePlan = 11008;
constexpr int32_t kFirstFloorArea = 5300;  // 5300-5302, one per floor
constexpr int32_t kLastFloorArea = 5302;
constexpr int kPlans = 9;
// Bounds within this reach measured something; beyond it the box is still empty.
constexpr float kBoundsReach = 30000.0f;

QMDDocumentModel* Model() { return gCurDocument; }
Layer* Layers() { return gCurDocument ? gCurDocument->itsLayers : nullptr; }

bool IsNamed(const Layer* layer, const char* name) { return layer && std::strcmp(layer->name, name) == 0; }

void ShowAlertSheet(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

struct FloorMove {
    int32_t command;
    bool up;
    const char* title;
    const char* undoName;
};

// A copy or move to the neighbouring floor of the selection on the current floor. Refused on
// the top or bottom floor, which then changes nothing.
void MoveToNeighbouringFloor(const FloorMove& move) {
    Layer* current = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!current) return;
    const bool possible = move.up ? current->next && !IsNamed(current, "Third Floor")
                                  : current->prev && !IsNamed(current, "First Floor");
    if (!possible) {
        ShowAlertSheet(move.title,
                       move.up ? "You are currently on the top floor." : "You are currently on the bottom floor.");
        return;
    }
    TopLevelObjectLayer(current, move.command, nullptr);
    Refresh();
    StoreUndo(LocalizedString(move.undoName).c_str());
}

float Mid(float a, float b) { return a + (b - a) * 0.5f; }

// A whole number of the area readouts: 32 bits, so large lots read right.
std::string WholeArea(float area) { return std::to_string(dvxnum::TruncToInt32(double(area) + 0.5)); }

// The area a selected region counts with: its outline's, a path's by its surface outline.
float RegionArea(const Objex* o) {
    switch (o->type) {
    case objtype::kFloor: case objtype::kPropertyLine: case objtype::kFill: case objtype::kGroundFill:
    case objtype::kDetail: case objtype::kFloorCutout: case objtype::kDeck:
        return ComputeObjectCurvedArea(o);
    case objtype::kPath: {
        const Objex* surface = nullptr;
        for (const Objex* part = o->firstPart; part; part = part->next)
            if (part->type == objtype::kType23) surface = part;
        return surface ? ComputeObjectCurvedArea(surface) : 0.0f;
    }
    default: return 0.0f;
    }
}

}  // namespace

bool Win32EventHandler::shouldProceedWithEditEvent() {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return false;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (IsAnyObjectSelected(o)) return true;
    return false;
}

bool Win32EventHandler::isAnyObjectSelectedOnShownLayers() {
    for (Layer* layer = Layers(); layer; layer = layer->next) {
        if (!layer->visible) continue;
        for (Objex* o = layer->firstObject; o; o = o->next)
            if (IsAnyObjectSelected(o)) return true;
    }
    return false;
}

void Win32EventHandler::cutObjects() {
    DocState* ds = CurrentDocState();
    if (!Layers() || !ds) return;
    // Attachments go with their wall, never alone.
    DeselectAllAttachmentObjects();
    if (!shouldProceedWithEditEvent()) return;
    DoCopyObjects();
    TopLevelObjectAllLayers(Layers(), cmd::kCut, nullptr);
    SelectedObjectAllLayers(Layers(), 0, cmd::kCut, ds);
    SetStatusBar("");
    Refresh();
    StoreUndo(LocalizedString("Cut").c_str());
    InspectorUpdatePropertiesState(1);
}

bool Win32EventHandler::copyObjects() {
    DeselectAllAttachmentObjects();
    const bool copied = shouldProceedWithEditEvent() && DoCopyObjects();
    Refresh();
    return copied;
}

void Win32EventHandler::pasteObjects() {
    if (!Model() || !gClipboardLayer || gPrivateScrap.empty()) return;
    if (GetCurrentView() != kViewTop) ViewTop();
    DoPasteObjects();
    StoreUndo(LocalizedString("Paste").c_str());
}

void Win32EventHandler::selectAllObjects() {
    QMDDocumentModel* doc = Model();
    DocState* ds = CurrentDocState();
    if (!doc || !doc->itsLayers || !doc->itsCurLayer || !ds) return;
    if (gCurTool == kSelectTool) ResetStandardTool(1);
    gSkipSelectionFilter = 1;
    if (GetCurrentView() != kViewTop) SelectVisualLayer(doc->itsCurLayer, selmode::kSelect, 1);
    else SelectVisualAllLayers(doc->itsLayers, selmode::kSelect, 1);
    gSkipSelectionFilter = 0;

    Float3DRect b = EmptyFloat3DRect();
    GetAllLayersObj3DBounds(doc->itsLayers, 1, &b, 0);
    const bool measured = b.floatTop < kBoundsReach && b.floatLeft < kBoundsReach && b.floatBack < kBoundsReach &&
                          b.floatBottom > -kBoundsReach && b.floatRight > -kBoundsReach && b.floatFront > -kBoundsReach;
    // Converted with the zoom, which the readout takes off again: the two steps cancel.
    gWidthHeightDepth[0] = measured ? ConvertScreenToWorld(b.floatRight - b.floatLeft, ds, 1) : 0.0f;
    gWidthHeightDepth[1] = measured ? ConvertScreenToWorld(b.floatBottom - b.floatTop, ds, 1) : 0.0f;
    gWidthHeightDepth[2] = measured ? ConvertScreenToWorld(b.floatFront - b.floatBack, ds, 1) : 0.0f;
    DrawWH(gWidthHeightDepth[0], gWidthHeightDepth[2], gWidthHeightDepth[1]);

    Refresh();
    RefreshSelectionState40();
    InspectorUpdatePropertiesState(1);
}

void Win32EventHandler::copyObjectsToUpperFloor() {
    MoveToNeighbouringFloor(
        {cmd::kCopyToUpperFloor, true, "Unable to copy objects to upper floor.", "Copy To Upper Floor"});
}

void Win32EventHandler::copyObjectsToLowerFloor() {
    MoveToNeighbouringFloor(
        {cmd::kCopyToLowerFloor, false, "Unable to copy objects to lower floor.", "Copy To Lower Floor"});
}

void Win32EventHandler::moveObjectsToUpperFloor() {
    MoveToNeighbouringFloor(
        {cmd::kMoveToUpperFloor, true, "Unable to move objects to upper floor.", "Move To Upper Floor"});
}

void Win32EventHandler::moveObjectsToLowerFloor() {
    MoveToNeighbouringFloor(
        {cmd::kMoveToLowerFloor, false, "Unable to move objects to lower floor.", "Move To Lower Floor"});
}

void Win32EventHandler::moveObjectsToPlanUsingCommand(int32_t command) {
    if (!Layers()) return;
    TopLevelObjectAllLayers(Layers(), command, nullptr);
    SelectAllLayers(Layers(), selmode::kDeselect, 1);
    Refresh();
    StoreUndo(LocalizedString("Move To Plan").c_str());
}

void Win32EventHandler::moveToPlanUsingCommand(int32_t command) {
    if (!Layers()) return;
    TopLevelObjectAllLayers(Layers(), command, nullptr);
    SelectAllLayers(Layers(), selmode::kDeselect, 1);
    Refresh();
    StoreUndo(LocalizedString("Move to Plan").c_str());
}

void Win32EventHandler::flipObjectsUsingCommand(int32_t command) {
    DocState* ds = CurrentDocState();
    Layer* layers = Layers();
    if (!layers || !ds) return;
    // Only the plan and the elevations have two axes to flip in.
    if (ds->viewKind < 1 || ds->viewKind > 3) return;
    SelectedObjectAllLayers(layers, 1, cmd::kSelect, ds);
    Float3DRect b = EmptyFloat3DRect();
    GetAllLayers3DBounds(layers, 1, &b, 0);
    const float h = Mid(b.floatLeft, b.floatRight), v = Mid(b.floatTop, b.floatBottom);
    const float d = Mid(b.floatBack, b.floatFront);
    float pivot[3] = {0, 0, 0};
    switch (ds->viewKind) {
    case 2: pivot[0] = h, pivot[2] = d, gFlipCenterX = h, gFlipCenterY = d; break;
    case 3: pivot[1] = v, pivot[2] = d, gFlipCenterX = d, gFlipCenterY = v; break;
    default: pivot[0] = h, pivot[1] = v, gFlipCenterX = h, gFlipCenterY = v; break;
    }
    TransformRecord record;
    record.values[xform::kRotationAngle] = 3.1415927f;
    for (int i = 0; i < 3; ++i) record.values[xform::kCentreH + i] = pivot[i];
    gCommandHappened = 0;
    SelectedObjectAllLayers(layers, 1, command, &record);
    Refresh();
    InspectorUpdatePropertiesState(1);
    if (gCommandHappened) StoreUndo(LocalizedString("Flip").c_str());
}

void Win32EventHandler::flipPlanUsingCommand(int32_t command) {
    if (!Model() || !CurrentDocState()) return;
    SelectedObjectAllLayers(Layers(), 0, command, nullptr);
    Refresh();
    StoreUndo(LocalizedString("Flip Entire Plan").c_str());
}

void Win32EventHandler::mirrorObjectsUsingCommand(int32_t command) {
    int32_t flip = 0;
    if (command == cmd::kMirrorLeftRight) flip = cmd::kFlipHorizontal;
    else if (command == cmd::kMirrorTopBottom) flip = cmd::kFlipVertical;
    // Nothing to mirror, or no way to: no copy is pasted either.
    if (!flip || !shouldProceedWithEditEvent()) return;
    gMirroring = 1;
    gCommandHappened = 0;
    {
        // Copy, paste and flip store steps of their own; Mirror is one.
        const PartsOfOneStep parts;
        // Pasted and then turned, the copies stand on the ground once, where they end.
        const rebuild::GroundBatch ground;
        // The copies' dimensions are measured once they have turned: pasted, each copy lies
        // on its original, and every dimension of either would stop at the other.
        AttachedDimensionBatch dimensions(AttachedDimensionBatch::Floors::EveryRefit);
        // Only what this copy wrote is pasted: with attachments alone selected it writes
        // nothing, and the scrap an earlier copy left must not come back.
        if (copyObjects()) {
            pasteObjects();
            gCommandHappened = 0;
            flipObjectsUsingCommand(flip);
        }
    }
    gMirroring = 0;
    Refresh();
    InspectorUpdatePropertiesState(1);
    if (gCommandHappened) StoreUndo(LocalizedString("Mirror").c_str());
}

void Win32EventHandler::nudgeObjectsUsingCommand(int32_t command) {
    DocState* ds = CurrentDocState();
    if (!Layers() || !ds || !isAnyObjectSelectedOnShownLayers()) return;
    SelectedObjectAllLayers(Layers(), 1, command, ds);
    Refresh();
    StoreUndo(LocalizedString("Nudge").c_str());
}

void Win32EventHandler::alterObjectPositionUsingCommand(int32_t command) {
    DocState* ds = CurrentDocState();
    if (!Layers() || !ds) return;
    TopLevelObjectAllLayers(Layers(), command, ds);
    Refresh();
    if (command == cmd::kToTail) StoreUndo(LocalizedString("Bring Objects to the Front").c_str());
    else if (command == cmd::kToHead) StoreUndo(LocalizedString("Send Objects to the Back").c_str());
}

void Win32EventHandler::floatObjectAboveTopo() {
    if (!Layers()) return;
    gTopoFloatNA = 0;
    TopLevelObjectAllLayers(Layers(), cmd::kFollowTerrain, nullptr);
    if (gTopoFloatNA)
        ShowAlertSheet("Unable to elevate some objects.",
                       "Wall and cabinet objects cannot float above the topography.  The elevation of these objects "
                       "will not be changed.");
    Refresh();
    StoreUndo(LocalizedString("Float Above Topography").c_str());
}

void Win32EventHandler::convertWallTypeUsingCommand(int32_t command) {
    if (!gContextFoundObj) return;
    if (command == kWallToInterior) {
        ConvertWallToInterior(gContextFoundObj);
        StoreUndo(LocalizedString("Convert Wall to Interior").c_str());
    } else if (command == kWallToExterior) {
        ConvertWallToExterior(gContextFoundObj);
        StoreUndo(LocalizedString("Convert Wall to Exterior").c_str());
    } else {
        return;
    }
    InspectorUpdatePropertiesState(1);
}

void Win32EventHandler::reverseStairDirection() {
    Objex* stair = gContextFoundObj;
    if (!stair) return;
    ReverseAnyObjectDirection(stair);
    UpdateStairObject(stair);
    ReRenderObject(stair);
    Refresh();
    StoreUndo(LocalizedString("Reverse Staircase Direction").c_str());
}

void Win32EventHandler::groupNoRedraw() {
    if (!Layers()) return;
    GroupSelectedObjects(Layers());
}

void Win32EventHandler::unsmoothSelected() {
    if (!Layers()) return;
    SelectedObjectAllLayers(Layers(), 1, cmd::kUnsmoothSelection, nullptr);
    Refresh();
    StoreUndo(LocalizedString("Unsmooth Objects").c_str());
}

void Win32EventHandler::workOnFloorUsingCommand(int32_t command) {
    QMDDocumentModel* doc = Model();
    DocState* ds = CurrentDocState();
    if (!doc || !doc->itsLayers || !ds) return;
    Layer* floors[3];
    for (int i = 0; i < 3; ++i) floors[i] = GetLayerFromName(kFloorNames[i]);
    // A design without a first floor still shows whatever stands in for it.
    uint8_t show[3] = {uint8_t(floors[0] ? floors[0]->visible : 1), uint8_t(floors[1] ? floors[1]->visible : 0),
                       uint8_t(floors[2] ? floors[2]->visible : 0)};
    int n = floors[2] && floors[2]->active ? 2 : floors[1] && floors[1]->active ? 1 : 0;
    bool rebuild = true;
    auto onlyFloor = [&](int floor) {
        for (int i = 0; i < 3; ++i) show[i] = i == floor;
    };
    if (command >= kFirstFloorCommand && command <= kThirdFloorCommand) {
        n = command - kFirstFloorCommand;
        show[n] = 1;
        if (gWorkingFloorVisibleOnly) onlyFloor(n);
        else rebuild = false;
    } else if (command == kShowAllFloors) {
        show[0] = show[1] = show[2] = 1;
        gWorkingFloorVisibleOnly = 0;
    } else if (command == kShowWorkingFloorOnly) {
        gWorkingFloorVisibleOnly = 1;
        onlyFloor(n);
    }
    // No floor to work on: the current one stays as it is.
    if (!floors[n]) return;

    for (int i = 0; i < 3; ++i) {
        if (!floors[i] || i == n) continue;
        // While it is still shown and active, so that nothing hidden stays selected.
        SelectLayer(floors[i], selmode::kDeselect, 0);
        floors[i]->active = 0;
    }
    for (int i = 0; i < 3; ++i)
        if (floors[i]) floors[i]->visible = show[i];
    floors[n]->active = 1;
    doc->itsCurLayer = floors[n];
    doc->itsCurLayer->visible = 1;

    if (GetCurrentView() == kViewTop) {
        if (Layer* detail = Get2DViewLayer(kViewTop)) {
            doc->itsCur2DLayer = detail;
            Set2DViewLayerVisibility(detail);
        }
    }
    updateViewingHeight();
    ClearSelectionState40(ds, &ds->ss40);
    UpdateSelectionState40Controls(&ds->ss40);
    ResetStandardTool(1);
    InspectorUpdatePropertiesState(1);
    Refresh();
    if (command >= kFirstFloorCommand && command <= kThirdFloorCommand) SelectActiveFloorPopUpItem(command);
    if (rebuild) {
        RenderAllLayers();
        RenderLoop();
    }
}

void Win32EventHandler::workOnPlanUsingCommand(int32_t command) {
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    int32_t bit = 0;
    if (command >= kFirstPlanTab && command <= kLastPlanTab) bit = int32_t{1} << (command - kFirstPlanTab);
    else if (command == kDetailPlanTab) bit = int32_t{1} << (kPlans - 1);
    if (!bit || bit == ds->currentPlanBit) return;
    MainWindowSelectPlanTab(bit);
}

void Win32EventHandler::setVisiblePlansUsingCommand(int32_t command) {
    DocState* ds = CurrentDocState();
    if (!Layers() || !ds || command < kFirstVisiblePlan || command > kLastVisiblePlan) return;
    ds->visiblePlans ^= int32_t{1} << (command - kFirstVisiblePlan);
    for (int i = 0; i < kPlans; ++i)
        if (ds->currentPlanBit & (int32_t{1} << i)) {
            ds->planMasks[i] = ds->visiblePlans;
            break;
        }
    ResetStandardTool(1);
    SelectAllLayers(Layers(), selmode::kDeselect, 0);
    Refresh();
}

void Win32EventHandler::calculateFloorAreaUsingCommand(int32_t command) {
    const DocState* ds = CurrentDocState();
    if (!ds || command < kFirstFloorArea || command > kLastFloorArea) return;
    const int floor = command - kFirstFloorArea;
    const Layer* layer = GetLayerFromName(kFloorNames[floor]);
    if (!layer) return;
    const float area = ComputeSquareFootage(layer, objtype::kWall);
    if (area < 0) return;
    static constexpr const char* kLabels[3] = {"First Floor Area:", "Second Floor Area:", "Third Floor Area:"};
    const std::string label = LocalizedString(kLabels[floor]), whole = WholeArea(area),
                      unit = LocalizedString(ds->units == kMetricUnits ? "sq.m." : "sq.ft.");
    MainWindowStatusText(LocalizedFormat("%s %s %s", {label.c_str(), whole.c_str(), unit.c_str()}));
}

void Win32EventHandler::calculateAndDisplayArea() {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument->itsCurLayer) return;
    float total = 0;
    for (const Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next) {
        if (!IsObjectSelected(o)) continue;
        const float area = RegionArea(o);
        if (area > 0) total += o->type == objtype::kFloorCutout ? -area : area;
    }
    const std::string whole = WholeArea(total);
    const char* format = ds->units == kImperialUnits ? "Area: %s sq.ft." : "Area: %s sq.m.";
    SetStatusBar(LocalizedFormat(format, {whole.c_str()}).c_str());
}
