// Content entering the plan: drops from the content palette, the auto-click mode, and the photo
// tool's image.
#include <cmath>
#include <cstring>

#include "app/core/app_seams.h"
#include "model/command_state.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "app/core/plan_mouse.h"
#include "content/core/content_selection_seams.h"
#include "model/content_types.h"
#include "files/ini.h"
#include "files/object_files.h"
#include "files/object_records.h"
#include "files/template_files.h"
#include "files/undo.h"
#include "geometry/openings/landscape_plants.h"
#include "model/attached_dimension_batch.h"
#include "model/bounds.h"
#include "model/centering.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/command_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/transforms.h"
#include "model/units.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "port/file_dialogs.h"
#include "port/images.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "tools/photos.h"
#include "tools/site_rebuilds.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"

namespace {

constexpr float kBoundsReach = 30000.0f;
constexpr int32_t kObjectNameLength = 250;
enum ViewKind : int16_t { kFrontView = 1, kPlanView = 2, kSideView = 3 };

// Which coordinate (H 0, V 1, D 2) is the depth of the view kind, the one not in the view.
int DepthAxis(int16_t viewKind) {
    switch (viewKind) {
    case kFrontView: return 2;
    case kSideView: return 0;
    default: return 1;
    }
}

// The view kind whose axes hold the depth of the given one.
int16_t KindShowingDepth(int16_t viewKind) { return viewKind == kPlanView ? kFrontView : kPlanView; }

const char* DropUndoName(int16_t type) {
    switch (type) {
    case symentry::kStockPlant: case symentry::kUserPlant: return "Insert Plant";
    case symentry::kObject: return "Insert Object";
    case symentry::kTemplate: return "Insert Template";
    case symentry::kSymbol: return "Insert Symbol";
    default: return nullptr;
    }
}

const char* AutoClickUndoName(int16_t type) {
    switch (type) {
    case symentry::kStockPlant: case symentry::kUserPlant: return "Insert Plants";
    case symentry::kObject: return "Insert Objects";
    case symentry::kTemplate: return "Insert Templates";
    case symentry::kSymbol: return "Insert Symbols";
    default: return nullptr;
    }
}

void StoreNamedUndo(const char* name) {
    if (name) StoreUndo(LocalizedString(name).c_str());
}

void Move(Layer* layer, float h, float v, float d) {
    TransformRecord move = cmdsupport::Translation(h, v, d);
    SelectedObjectLayer(layer, 1, cmd::kMove, &move);
}

// The entry read or built at the evaluated view point, with everything placing does up to the
// redraw; false when the entry has nothing to insert. `inserted` gets the objects to rebuild
// after an auto-click period.
bool Place(POINT where, const SymEntryInfo& entry, bool autoClick, std::vector<uint32_t>* inserted) {
    QMDDocumentModel* doc = gCurDocument;
    DocState* ds = doc->itsDocState;
    Layer* layer = doc->itsCurLayer;
    float at[3] = {};
    EvaluatePoint(where.x, where.y, &at[0], &at[1], &at[2], 1, nullptr, 1);
    const int depth = DepthAxis(ds->viewKind);
    for (int axis = 0; axis < 3; ++axis)
        if (axis != depth) at[axis] = std::round(at[axis]);
    if (entry.objectData.empty() && entry.type != symentry::kStockPlant) return false;

    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 1);
    // Walls read stand where they were saved until moved to the drop: the dimensions are
    // measured once they stand there.
    AttachedDimensionBatch dimensions(AttachedDimensionBatch::Floors::EveryRefit);
    FloatRect centred{};
    Objex* plant = nullptr;
    const char* data = entry.objectData.c_str();
    switch (entry.type) {
    case symentry::kStockPlant:
    case symentry::kUserPlant:
        gForceRenderObjectNow = 1;
        plant = entry.type == symentry::kStockPlant ? BuildLandscapePlant(layer, 1, entry.textureID)
                                                    : BuildUserLandscapePlant(layer, 1, &entry);
        if (plant) SelectObj(plant, selmode::kSelect, 0);
        CenterObjects(1, &centred);
        break;
    case symentry::kObject:
        gOpenSymbol = 1;
        gSymbarObjectDrop = 1;
        ObjectFileRead(data);
        gOpenSymbol = 0;
        CenterObjects(1, &centred);
        Win32EventHandler().groupNoRedraw();
        break;
    case symentry::kTemplate:
    case symentry::kSymbol:
        gUpdateID = 1;
        TemplateFileRead(data);
        gUpdateID = 0;
        CenterObjects(1, &centred);
        gBaseElevation = ConvertInchesToFeet(ds->currentElevation);
        TopLevelObjectAllLayers(doc->itsLayers, cmd::kRaiseElevation, nullptr);
        InspectorUpdatePropertiesState(1);
        break;
    default: break;
    }

    // The depth first, under the view kind that shows it, then the two coordinates in view.
    float depthMove[3] = {};
    depthMove[depth] = at[depth];
    const int16_t kind = ds->viewKind;
    ds->viewKind = KindShowingDepth(kind);
    Move(layer, depthMove[0], depthMove[1], depthMove[2]);
    ds->viewKind = kind;
    gSymbarObjectDrop = 0;
    at[depth] = 0;
    Move(layer, at[0], at[1], at[2]);

    if (inserted) {
        uint32_t id = 0;
        if (plant) inserted->push_back(plant->objectID);
        else if (entry.type == symentry::kObject && FindFirstSelectedObjectID(&id)) inserted->push_back(id);
        else if (entry.type == symentry::kTemplate || entry.type == symentry::kSymbol)
            for (Objex* o = layer->firstObject; o; o = o->next)
                if (IsObjectSelected(o)) inserted->push_back(o->objectID);
    }
    if (entry.type == symentry::kObject && !entry.objectInfo.empty()) {
        char name[kObjectNameLength + 1] = {};
        GetPrivateProfileString("Description", "ObjectName", "Done", name, sizeof name, entry.objectInfo.c_str());
        if (std::strcmp(name, "Done") != 0) AssignStringToSelectedObjects(name);
    }
    if (entry.type != symentry::kTemplate) SelectAllLayers(doc->itsLayers, selmode::kDeselect, 1);
    if (autoClick) gRefreshRender = 0;
    Refresh();
    gForceRenderObjectNow = 0;
    return true;
}

// The extent of what stays selected on the current floor; false when nothing was measured.
bool ReadOutPlacedExtent() {
    DocState* ds = CurrentDocState();
    Float3DRect b = EmptyFloat3DRect();
    GetLayerObj3DBounds(gCurDocument->itsCurLayer, 1, &b, 0);
    if (!(b.floatTop < kBoundsReach && b.floatLeft < kBoundsReach && b.floatBack < kBoundsReach &&
          b.floatBottom > -kBoundsReach && b.floatRight > -kBoundsReach && b.floatFront > -kBoundsReach))
        return false;
    // In the unit Select All keeps it in.
    gWidthHeightDepth[0] = ConvertScreenToWorld(b.floatRight - b.floatLeft, ds, 1);
    gWidthHeightDepth[1] = ConvertScreenToWorld(b.floatBottom - b.floatTop, ds, 1);
    gWidthHeightDepth[2] = ConvertScreenToWorld(b.floatFront - b.floatBack, ds, 1);
    return true;
}

bool CanPlace() {
    return gCurDocument && gCurDocument->itsDocState && gCurDocument->itsLayers && gCurDocument->itsCurLayer;
}

}  // namespace

bool PlanMouse::performDragOperation(bool offers2DType, const std::vector<uint8_t>* record, POINT where) {
    if (!CanPlace()) return false;
    if (!offers2DType) return true;
    SymEntryInfo entry;
    if (!record || !entry.decodeSymEntryWithData(record->data(), record->size())) return false;
    if (!Place(where, entry, false, nullptr)) return true;
    StoreNamedUndo(DropUndoName(entry.type));
    if (ReadOutPlacedExtent()) ResetStandardTool(1);
    return true;
}

bool PlanMouse::canEnable2DAutoClick(uint32_t modifiers) const {
    if (gCurTool != toolid::kSelect || !(modifiers & autoClickModifier_)) return false;
    const int16_t category = ContentPaletteSelectedCategory();
    return (category == content::kObjectsCategory || category == content::kPlantsCategory ||
            category == content::kTemplatesCategory) &&
           ContentPaletteSelectedSymEntry().has_value();
}

void PlanMouse::flagsChanged(const PlanMouseEvent& atPointer) {
    if (gesture_ == Gesture::Track) {
        track(trackevent::kFlagsChanged, atPointer);
        return;
    }
    if (busy() || gCurTool != toolid::kSelect) return;
    if (canEnable2DAutoClick(atPointer.modifiers)) {
        if (!autoClick_) autoClickIDs_.clear();
        view_->setDocumentCursor(PlanMouseCursor::PointingHand);
        autoClick_ = true;
    } else {
        view_->setDocumentCursor(PlanMouseCursor::Arrow);
        if (autoClick_) endAutoClick();
    }
}

void PlanMouse::mouseExited() {
    if (autoClick_) endAutoClick();
    view_->setDocumentCursor(PlanMouseCursor::Arrow);
}

void PlanMouse::endAutoClick() {
    store2DAutoClickUndoAction();
    if (!autoClickIDs_.empty()) {
        for (uint32_t id : autoClickIDs_)
            if (Objex* o = FindObjectWithID(id)) RenderEntireObject(o);
        gRefreshRender = 1;
        LiveViewNeedsDisplay();
    }
    autoClickIDs_.clear();
    autoClick_ = false;
}

void PlanMouse::store2DAutoClickUndoAction() {
    if (autoClickIDs_.empty()) return;
    if (const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry())
        StoreNamedUndo(AutoClickUndoName(entry->type));
}

void PlanMouse::do2DSymTargetClick(POINT where, const SymEntryInfo* entry) {
    if (!entry || !CanPlace()) return;
    // Copied: placing may change the palette's selection.
    const SymEntryInfo held = *entry;
    if (Place(where, held, true, &autoClickIDs_)) ReadOutPlacedExtent();
}

void LaunchRorozErud() {
    port::FilePanel panel;
    panel.extensions = port::imageDecoder().fileTypes();
    port::fileDialogs().beginOpenPanel(panel, RorozErudPowerToolOpenPanelDidEnd);
}

void RorozErudPowerToolOpenPanelDidEnd(const std::string& path) {
    if (!path.empty()) {
        if (Objex* photo = BuildPhoto()) {
            photo->typeData = TypeData::OfImagePath(CopyString(path.c_str()));
            Update3DPhoto(photo);
            ReRenderObject(photo);
            Refresh();
            StoreNamedUndo("Insert RorozErud Image");
            InspectorUpdatePropertiesState(1);
        }
    }
    PowerToolReleaseLockOwnedByDocument(gCurDocument);
    RestoreAllVisiblePanels();
}
