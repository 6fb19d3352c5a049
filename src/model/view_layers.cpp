#include "model/view_layers.h"

#include <cstring>

#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"

namespace {

constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr const char* kTopNames[3] = {"X_TOP_FIRST_FLOOR", "X_TOP_SECOND_FLOOR", "X_TOP_THIRD_FLOOR"};
constexpr const char* kElevationNames[4] = {"X_LEFT", "X_RIGHT", "X_FRONT", "X_BACK"};

// View command IDs: the plan, then the elevations seen from the lot's left, right, bottom
// and top edges.
constexpr uint16_t kPlanView = 5149;
constexpr uint16_t kLeftView = 5151;
constexpr uint16_t kBackView = 5154;

const char* PlanLayerName() {
    Layer* current = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    for (const char* floor : kFloorNames)
        if (!GetLayerFromName(floor)) return kTopNames[0];
    for (int i = 0; i < 3; ++i)
        if (current && std::strcmp(current->name, kFloorNames[i]) == 0) return kTopNames[i];
    return kTopNames[0];
}

bool IsViewType(int16_t type) {
    return objtype::Has(type, objtype::kOnViewLayer);
}

}  // namespace

const char* Get2DViewLayerName(uint16_t viewID) {
    if (viewID == kPlanView) return PlanLayerName();
    if (viewID >= kLeftView && viewID <= kBackView) return kElevationNames[viewID - kLeftView];
    return kTopNames[0];
}

Layer* Get2DViewLayer(uint16_t viewID) {
    if (!gCurDocument) return nullptr;
    const char* name = Get2DViewLayerName(viewID);
    if (Layer* existing = GetLayerFromName(name)) return existing;
    Layer* layer = CreateLayer(name, 1, 1, nullptr);
    if (!layer) return nullptr;
    AppendLayerToDocument(layer);
    return layer;
}

bool Is2DViewObject(const Objex* object) {
    if (!object) return false;
    if (IsViewType(object->type)) return true;
    return object->type == objtype::kGroup && object->firstChild && IsViewType(object->firstChild->type);
}

void Move2DSubObjects(Objex* object, Layer* layer) {
    if (object) SetTreeFloor(object, layer, true);
}

void Move2DObject(Objex* object, Layer* layer) {
    if (!object || !layer) return;
    UnlinkObject(object);
    AppendObjectToLayer(object, layer);
    Move2DSubObjects(object, layer);
}

void Move2DObjectsTo2DLayer(Layer* layer, uint16_t viewID) {
    if (!layer) return;
    Layer* target = Get2DViewLayer(viewID);
    // Moving a layer's objects onto itself would send the walk round for ever.
    if (!target || target == layer) return;
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (Is2DViewObject(o)) Move2DObject(o, target);
        o = next;
    }
}

bool IsViewLayer(const Layer* layer) {
    if (!layer) return false;
    for (const char* name : kTopNames)
        if (std::strcmp(layer->name, name) == 0) return true;
    for (const char* name : kElevationNames)
        if (std::strcmp(layer->name, name) == 0) return true;
    return false;
}

bool IsElevationViewLayer(const Layer* layer) {
    if (!layer) return false;
    for (const char* name : kElevationNames)
        if (std::strcmp(layer->name, name) == 0) return true;
    return false;
}

Layer* GetFirstFloorLayer() {
    if (!gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (!IsViewLayer(l)) return l;
    return nullptr;
}

Layer* GetFloorLayerAt(int place) {
    if (!gCurDocument || place < 0) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (!IsViewLayer(l) && place-- == 0) return l;
    return nullptr;
}

void Set2DViewLayerVisibility(Layer* current) {
    if (!gCurDocument) return;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next) {
        for (int i = 0; i < 3; ++i) {
            if (std::strcmp(l->name, kTopNames[i]) != 0) continue;
            if (Layer* floor = GetLayerFromName(kFloorNames[i])) {
                SelectLayer(l, selmode::kDeselect, 0);
                l->visible = floor->visible;
                l->active = 0;
            }
        }
        for (const char* name : kElevationNames) {
            if (std::strcmp(l->name, name) != 0) continue;
            SelectLayer(l, selmode::kDeselect, 0);
            l->visible = 0;
            l->active = 0;
        }
    }
    if (current) {
        current->visible = 1;
        current->active = 1;
    }
}
