#include "ui/core/sheet_actions.h"

#include <cmath>
#include <cstring>

#include "app/core/dialog_fields.h"
#include "app/core/document_seams.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/floor_operations.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "port/alerts.h"
#include "scene/scene_build.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "app/core/sheet_values.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
// The document's change count: one change done.
constexpr int kChangeDone = 0;

Layer* Floors() { return gCurDocument && gCurDocument->itsDocState ? gCurDocument->itsLayers : nullptr; }

void StoreNamedUndo(const char* name) { StoreUndo(LocalizedString(name).c_str()); }

void Alert(const char* title, const char* message) {
    port::Alert alert;
    alert.message = LocalizedString(title);
    alert.informative = LocalizedString(message);
    alert.buttons = {LocalizedString("OK")};
    port::alerts().beginSheet(alert, [](int) {});
}

}  // namespace

void SetTrueNorthAngle(float degrees) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    float angle = std::round(degrees);
    if (!(angle >= 0 && angle <= 360)) angle = 0;
    ds->compassAngle = angle;
    MainWindowDocumentUpdateChangeCount(kChangeDone);
}

bool MoveByTypedOffset(bool wholePlan, MoveMode mode, float first, float second) {
    Layer* floors = Floors();
    if (!floors) return false;
    const DocState* ds = gCurDocument->itsDocState;
    float x = 0, y = 0;
    if (mode == MoveMode::Rectangular) {
        if (first == 0 && second == 0) return false;
        x = ConvertWorldToScreen(first, ds, 0);
        y = -ConvertWorldToScreen(second, ds, 0);
    } else if (mode == MoveMode::Polar) {
        if (second == 0) return false;
        GetPointFromLengthAndAngle(static_cast<float>(first * kRadiansPerDegree), ConvertWorldToScreen(second, ds, 0),
                                   &x, &y);
    } else {
        return false;
    }
    TransformRecord offset;
    offset.values[xform::kTranslateH] = x;
    offset.values[xform::kTranslateH + 2] = y;
    SelectedObjectAllLayers(floors, 0, wholePlan ? cmd::kMovePlan : cmd::kMove, &offset);
    if (wholePlan) UpdateAllLayerRootBounds(floors, 0, 0, 0);
    Refresh();
    StoreNamedUndo(wholePlan ? "Move Entire Plan" : "Move");
    return true;
}

bool RotateByTypedAngle(bool wholePlan, float angle, bool radians) {
    Layer* floors = gCurDocument ? gCurDocument->itsLayers : nullptr;
    if (!floors || angle == 0) return false;
    // Only selected points count, without curve bulges; with none the box stays inside out
    // and its centre is the origin.
    Float3DRect box{32000, 32000, 32000, -32000, -32000, -32000};
    GetAllLayers3DBounds(floors, 1, &box, 1);
    TransformRecord turn;
    turn.values[xform::kRotationAngle] = radians ? angle : static_cast<float>(angle * kRadiansPerDegree);
    turn.values[xform::kCentreH] = box.floatLeft + (box.floatRight - box.floatLeft) * 0.5f;
    turn.values[xform::kCentreH + 2] = box.floatBack + (box.floatFront - box.floatBack) * 0.5f;
    SelectedObjectAllLayers(floors, wholePlan ? 0 : 1, wholePlan ? cmd::kRotatePlan : cmd::kRotate, &turn);
    if (wholePlan) UpdateAllLayerRootBounds(floors, 0, 0, 0);
    Refresh();
    StoreNamedUndo(wholePlan ? "Rotate Entire Plan" : "Rotate");
    // The selection's values changed under the inspector.
    if (!wholePlan) InspectorUpdatePropertiesState(1);
    return true;
}

bool SetSelectedObjectElevation() {
    Layer* floors = Floors();
    if (!floors) return false;
    bool cannotFloat = false;
    if (!gDLOGTopoFloat) {
        gBaseElevation = gDLOGElevation / 12.0f;
        TopLevelObjectAllLayers(floors, cmd::kSetElevation, nullptr);
    } else {
        gTopoFloatNA = 0;
        TopLevelObjectAllLayers(floors, cmd::kFollowTerrain, nullptr);
        cannotFloat = gTopoFloatNA != 0;
    }
    RefreshSelectionState40();
    Refresh();
    StoreNamedUndo("Object Elevation");
    return cannotFloat;
}

void SetWorkingElevation(float inches) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    if (inches > -1201.0f && inches < 1201.0f) ds->currentElevation = inches;
    RefreshSelectionState40();
    Refresh();
    StoreNamedUndo("Working Elevation");
}

const char* CeilingHeightUndoName(const Layer* layer) {
    static constexpr const char* kNames[][2] = {{"First Floor", "First Floor Ceiling Height"},
                                                {"Second Floor", "Second Floor Ceiling Height"},
                                                {"Third Floor", "Third Floor Ceiling Height"}};
    if (!layer) return nullptr;
    for (const auto& row : kNames)
        if (!std::strcmp(layer->name, row[0])) return row[1];
    return nullptr;
}

CeilingHeightResult SetCeilingHeight(Layer* layer, float inches) {
    DocState* ds = CurrentDocState();
    if (!layer || !ds || inches == layer->height) return CeilingHeightResult::Unchanged;
    if (!(inches >= 12.0f && inches <= 1000.0f)) return CeilingHeightResult::OutOfRange;
    layer->height = inches;
    Win32EventHandler().updateViewingHeight();
    RenderAllLayers();
    ClearSelectionState40(ds, &ds->ss40);
    UpdateSelectionState40Controls(&ds->ss40);
    Refresh();
    if (const char* name = CeilingHeightUndoName(layer)) StoreNamedUndo(name);
    return CeilingHeightResult::Changed;
}

float NormalizeGridSpacing(float inches) {
    const DocState* ds = CurrentDocState();
    const float least = ds && ds->units == kImperialUnits ? 0.0625f : 0.3937f;
    return NormalizeInputToBounds(inches, least, 500.0f);
}

bool SetGridProperties(int16_t style, FloatPoint grid, FloatPoint snap) {
    DocState* ds = CurrentDocState();
    if (!ds) return false;
    grid = {NormalizeGridSpacing(grid.floatH), NormalizeGridSpacing(grid.floatV)};
    snap = {NormalizeGridSpacing(snap.floatH), NormalizeGridSpacing(snap.floatV)};
    if (style == ds->gridStyle && grid.floatH == ds->gridSpacing.floatH && grid.floatV == ds->gridSpacing.floatV &&
        snap.floatH == ds->snapIncrement.floatH && snap.floatV == ds->snapIncrement.floatV)
        return false;
    ds->gridStyle = style;
    ds->gridSpacing = grid;
    ds->snapIncrement = snap;
    StoreNamedUndo("Grid Properties");
    Refresh();
    return true;
}

void SmoothSelectedWithTension(int32_t tension) {
    Layer* floors = Floors();
    if (!floors) return;
    DocState* ds = gCurDocument->itsDocState;
    const int16_t kept = ds->curveTension;
    const int16_t used = static_cast<int16_t>(tension > 10 ? 10 : tension < 0 ? 0 : tension);
    ds->curveTension = used;
    SelectedObjectAllLayers(floors, 1, cmd::kCurveTension, const_cast<int16_t*>(&kept));
    Refresh();
    StoreNamedUndo("Smooth Objects");
    gTension = used;
    ds->curveTension = kept;
}

bool SetTraceImageScale(float horizontal, float vertical) {
    DocState* ds = CurrentDocState();
    if (!ds) return false;
    // The fields show the scales as percentages: reading back what was shown is no change.
    auto same = [](float a, float b) { return std::fabs(a - b) <= 1e-6f * std::fmax(1.0f, std::fabs(b)); };
    if (same(horizontal, ds->traceImageScaleH) && same(vertical, ds->traceImageScaleV)) return false;
    ds->traceImageScaleH = horizontal;
    ds->traceImageScaleV = vertical;
    Refresh();
    StoreNamedUndo("Resize Floorplan Trace Image");
    return true;
}

void ShowObjectsCannotFloatAlert() {
    Alert("Unable to elevate some objects.",
          "Wall and cabinet objects cannot float above the topography.  The elevation of these objects will not be "
          "changed.");
}

void ShowInvalidCeilingHeightAlert() {
    Alert("Invalid ceiling height entered.",
          "The ceiling height can be no less than 1' and no greater than 83'.");
}
