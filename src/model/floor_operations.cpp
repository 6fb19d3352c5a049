#include "model/floor_operations.h"

#include <cstring>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/duplicate.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/skylight_transforms.h"
#include "model/texture_mapping.h"
#include "model/transform_support.h"
#include "model/transforms.h"
#include "model/rebuild_table.h"

using xformsupport::RoofAttachmentOf;

namespace {

constexpr float kNoBaseElevation = 10000.0f;
// An opening stays this far (plan units) below the top of its floor.
constexpr float kOpeningHeadroom = 6.0f;

bool IsUpCommand(int32_t command) { return command == floorcmd::kMoveUp || command == floorcmd::kCopyUp; }
bool IsDownCommand(int32_t command) { return command == floorcmd::kMoveDown || command == floorcmd::kCopyDown; }

// The layer the command moves to from the current one, or null.
Layer* NeighbouringLayer(int32_t command) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return nullptr;
    Layer* current = gCurDocument->itsCurLayer;
    if (IsUpCommand(command)) return current->next;
    if (IsDownCommand(command)) return current->prev;
    return nullptr;
}

// Each segment with both ends selected carries its start's base elevation; the wall's
// elevation becomes the lowest base elevation of its segment starts.
void SendWallToNeighboringFloor(Objex* wall, float step) {
    if (IsEntireObjectSelected(wall)) wall->elevation += step;
    Poinz* first = wall->firstPoint;
    Poinz* last = first;
    for (Poinz* p = first; p; p = p->next) {
        last = p;
        if (p->next && p->selected && p->next->selected) p->baseElevation += step;
    }
    if (wall->closed && last && last != first && last->selected && first->selected) last->baseElevation += step;

    float lowest = kNoBaseElevation;
    bool any = false;
    for (Poinz* p = first; p; p = p->next) {
        if (!wall->closed && !p->next) break;
        if (p->baseElevation < lowest) lowest = p->baseElevation;
        any = true;
    }
    // A wall without a single segment keeps its elevation rather than taking the start value.
    if (any) wall->elevation = lowest;
}

// The floor an object stands on: the host's for attached objects, else its own.
Layer* FloorLayerOf(Objex* object, bool attached) {
    if (!attached) return object->layer;
    if (object->parent) return object->parent->layer;
    return gCurDocument ? gCurDocument->itsCurLayer : nullptr;
}

bool IsDoorOrWindow(const Objex* object) {
    return objtype::IsOpening(object->type);
}

// Lowers an opening under the cap, then shortens it when lowering was not enough.
void FitOpeningUnder(AttachmentRecord* record, float top) {
    const float limit = top - kOpeningHeadroom;
    if (record->height + record->elevation > limit) {
        record->elevation = limit - record->height;
        if (record->elevation < 0.0f) record->elevation = 0.0f;
        if (record->elevation + record->height > limit) record->height = limit - record->elevation;
        // A floor lower than the headroom leaves an empty opening, never a negative one.
        if (record->height < 0.0f) record->height = 0.0f;
    }
}

// Whether the object's rows let the height operations touch its points (rows below 1 do not).
bool HasRows(const Objex* object) { return object->rows >= 1; }

}  // namespace

void SendToNeighboringFloor(Objex* object, int32_t command) {
    if (!object || !CurrentDocState()) return;
    Layer* target = NeighbouringLayer(command);
    if (!target) return;
    Layer* current = gCurDocument->itsCurLayer;
    const float step = IsUpCommand(command) ? current->height : -target->height;

    Objex* root = GetRootObject(object);
    if (root->type == objtype::kWall) SendWallToNeighboringFloor(root, step);
    else root->elevation += step;
    root->onTerrain = 0;
    // A group's members are rendered again with it.
    rebuild::ReRenderObject(root);
}

void MoveToNeighboringFloor(Objex* object, int32_t command) {
    if (!object || !CurrentDocState()) return;
    Layer* target = NeighbouringLayer(command);
    if (!target) return;
    SendToNeighboringFloor(object, command);
    UnlinkObject(object);
    object->parent = nullptr;
    AppendObjectToLayer(object, target);
    SelectObj(object, selmode::kDeselect, 0);
    if (object->type != objtype::kWall) return;
    if (IsUpCommand(command) && std::strcmp(target->name, "Second Floor") == 0) object->planBits = 2;
    if (IsDownCommand(command) && std::strcmp(target->name, "First Floor") == 0) object->planBits = 1;
    rebuild::Run(object, rebuild::kObjectScopes);
}

void ScaleObjectToWallHeight(Objex* object) {
    DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    Layer* layer = FloorLayerOf(object, IsDoorOrWindow(object));
    if (layer) {
        const float base = ConvertWorldToScreen(GetLayerAbsBaseHeight(layer), ds, 0);
        const float top = ConvertWorldToScreen(layer->height, ds, 0);
        if (IsDoorOrWindow(object) && object->typeData.kind == TypeDataKind::Attachment &&
            object->typeData.attachment)
            FitOpeningUnder(object->typeData.attachment, top);
        const float cap = base + top;
        if (HasRows(object))
            for (Poinz* p = object->firstPoint; p; p = p->next)
                if (p->position[1] > cap) p->position[1] = cap;
    }
    for (Objex* child = object->firstChild; child; child = child->next) ScaleObjectToWallHeight(child);
}

void ScaleLayerToWallHeight(Layer* layer) {
    if (!layer || !CurrentDocState()) return;
    for (Objex* o = layer->firstObject; o; o = o->next) ScaleObjectToWallHeight(o);
}

void RaiseObjectToBaseHeight(Objex* object, float delta) {
    if (!object || !CurrentDocState()) return;
    const bool attached = IsDoorOrWindow(object) || object->type == objtype::kComponent ||
                          object->type == objtype::kAccessory;
    if (!FloorLayerOf(object, attached)) return;
    // Every point rises once, however many rows the object has.
    if (HasRows(object))
        for (Poinz* p = object->firstPoint; p; p = p->next) p->position[1] += delta;
    for (Objex* child = object->firstChild; child; child = child->next) RaiseObjectToBaseHeight(child, delta);
}

void RaiseLayerToBaseHeight(Layer* layer, float delta) {
    if (!layer || !CurrentDocState()) return;
    for (Objex* o = layer->firstObject; o; o = o->next) RaiseObjectToBaseHeight(o, delta);
}

void NudgeObject(Objex* object, float distance, int16_t direction) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds) return;
    if (objtype::IsRoof(object->type)) {
        const bool wholeRoof = IsEntireRoofObjectSelected(object);
        for (Objex* child = object->firstChild; child; child = child->next) {
            RoofAttachmentRecord* attachment = RoofAttachmentOf(child);
            if (!attachment) continue;
            if (wholeRoof) SelectObj(child, selmode::kSelect, 0);
            else if (!IsObjectSelected(child)) continue;
            NudgeObject(child, distance, direction);
            MapFacesAndLengths(child);
            if (child->type == objtype::kSkylight) NudgeSkylightSymbols(attachment->customParts, distance, direction);
            if (wholeRoof) SelectObj(child, selmode::kDeselect, 0);
        }
    }

    // Up and down move along the view's vertical axis, left and right along its horizontal one.
    int vertical = -1, horizontal = -1;
    switch (ds->viewKind) {
    case 2: horizontal = 0; vertical = 2; break;
    case 1: horizontal = 0; vertical = 1; break;
    case 3: horizontal = 2; vertical = 1; break;
    default: return;
    }
    int axis = -1;
    float shift = 0.0f;
    switch (direction) {
    case nudge::kUp: axis = vertical; shift = -distance; break;
    case nudge::kDown: axis = vertical; shift = distance; break;
    case nudge::kLeft: axis = horizontal; shift = -distance; break;
    case nudge::kRight: axis = horizontal; shift = distance; break;
    default: return;
    }
    for (Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) p->position[axis] += shift;
}

namespace {

bool IsEditableDetail(Objex* object) {
    return object->type == objtype::kDetail && !IsObjectSymbolEditorObject(object) &&
           !IsObjectSectionDetailObject(object);
}

}  // namespace

void SetLineWeight(Objex* object) {
    const DocState* ds = CurrentDocState();
    if (!object || !ds || !IsEditableDetail(object)) return;
    if (object->subtype < 1 || object->subtype > 9) return;
    object->penWidth = static_cast<float>(ds->penWidth);
}

void ChangePattern(Objex* object, int16_t pattern) {
    if (!object || !CurrentDocState() || !IsEditableDetail(object) || !object->closed) return;
    switch (object->subtype) {
    case 1: case 2: case 3: case 4: case 7: case 8: case 9:
        object->fillPattern = pattern;
        break;
    default:
        break;
    }
}

void UpdateLayerRootBounds(Layer* layer, uint8_t a, uint8_t b, uint8_t selectedOnly) {
    if (!layer || !CurrentDocState() || !layer->visible) return;
    for (Objex* o = layer->firstObject; o; o = o->next) {
        if (o->type != objtype::kGroup) continue;
        if (selectedOnly && !IsObjectSelected(o)) continue;
        UpdateObjectRootBounds(o, a, b);
    }
}

void UpdateAllLayerRootBounds(Layer* firstLayer, uint8_t a, uint8_t b, uint8_t selectedOnly) {
    for (Layer* layer = firstLayer; layer; layer = layer->next) UpdateLayerRootBounds(layer, a, b, selectedOnly);
}

void TextBlockLayerVisibility() {}

void SetTextObjectVisibility() {}
