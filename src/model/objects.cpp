#include "model/objects.h"

#include <cstring>
#include <new>

#include "model/docstate.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/plan_index.h"
#include "model/selection_roster.h"
#include "port/seam.h"

Objex* gGroupLeader = nullptr;

namespace {
// The list last appended to or measured: where its head is kept, the head, the last object
// and the length then.
struct ListTail {
    Objex** headAt = nullptr;
    Objex* head = nullptr;
    Objex* tail = nullptr;
    int32_t count = 0;
} sListTail;

// The list's last object and its length: remembered while the list still ends where the last
// append left it, else walked (and remembered).
Objex* LastOfList(Objex*& head, int32_t* count) {
    const ListTail& hint = sListTail;
    if (hint.headAt == &head && hint.head == head && hint.tail && !hint.tail->next &&
        (hint.tail->prev ? hint.tail->prev->next == hint.tail : head == hint.tail)) {
        *count = hint.count;
        return hint.tail;
    }
    Objex* tail = head;
    int32_t n = tail ? 1 : 0;
    while (tail && tail->next) tail = tail->next, ++n;
    *count = n;
    if (tail) sListTail = ListTail{&head, head, tail, n};
    return tail;
}
}  // namespace

static const port::GlobalReset kReset([] {
    gGroupLeader = nullptr;
    sListTail = ListTail{};
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gGroupLeader == o) gGroupLeader = nullptr;
});

namespace {
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
}

Objex* CreateObject(int16_t type, uint8_t closed, uint8_t visible, const RGBColor* fillColor,
                    const RGBColor* penColor, float penWidth, int16_t penStyle, int16_t fillPattern,
                    const FloatRect* bounds, Poinz* firstPoint, Objex* firstChild, Objex* parent,
                    Layer* layer, TypeData typeData) {
    Objex* o = new (std::nothrow) Objex{};
    if (!o) return nullptr;
    DocState* ds = CurrentDocState();
    if (!ds) {
        // Zero-filled and unnumbered; only the type-specific record, which the caller hands
        // over, is kept so that it is not lost.
        o->typeData = typeData;
        return o;
    }
    o->type = type;
    o->closed = closed;
    o->visible = visible;
    if (fillColor) o->fillColor = *fillColor;
    if (penColor) o->penColor = *penColor;
    o->penWidth = penWidth;
    o->penStyle = penStyle;
    o->fillPattern = fillPattern;
    if (bounds) o->bounds = *bounds;
    o->firstPoint = firstPoint;
    o->firstChild = firstChild;
    o->parent = parent;
    o->layer = layer;
    o->typeData = typeData;
    o->rows = 1;
    o->flagA = 1;
    o->faceAxis = 2;
    o->needsRebuild = 1;
    for (ShortPoint& s : o->textureScales) s = ShortPoint{100, 100};
    o->plantAge = ds->plantAge;
    o->elevation = ds->currentElevation;
    o->objectID = ds->nextObjectID++;
    return o;
}

Poinz* CreatePoint(int16_t kind, uint8_t selected, uint8_t locked,
                   float inH, float inV, float inD, float h, float v, float d,
                   float outH, float outV, float outD, float acrossH, float acrossV, float acrossD,
                   Objex* owner) {
    DocState* ds = CurrentDocState();
    if (!ds) return nullptr;
    Poinz* p = new (std::nothrow) Poinz{};
    if (!p) return nullptr;
    p->kind = kind;
    p->selected = selected;
    p->detectable = 1;
    p->locked = locked;
    p->inTangent[0] = inH, p->inTangent[1] = inV, p->inTangent[2] = inD;
    p->position[0] = h, p->position[1] = v, p->position[2] = d;
    p->outTangent[0] = outH, p->outTangent[1] = outV, p->outTangent[2] = outD;
    p->acrossTangent[0] = acrossH, p->acrossTangent[1] = acrossV, p->acrossTangent[2] = acrossD;
    p->owner = owner;
    p->rowLength = 1.0f;
    p->rowPerimeter = 1.0f;
    p->color1 = kWhite;
    p->color2 = kWhite;
    p->faceScale1 = ShortPoint{100, 100};
    p->faceScale2 = ShortPoint{100, 100};
    p->pointID = ds->nextPointID++;
    if (selected) {
        if (owner) NoteSelectionIn(owner);
        else NoteSelectionUnknown();
    }
    return p;
}

Layer* CreateLayer(const char* name, uint8_t visible, uint8_t active, Objex* firstObject) {
    Layer* layer = new (std::nothrow) Layer{};
    if (!layer) return nullptr;
    // Names are cut to 255 bytes so the name always ends inside its field.
    if (name) std::memcpy(layer->name, name, strnlen(name, kLayerNameSize - 1));
    layer->visible = visible;
    layer->active = active;
    layer->firstObject = firstObject;
    layer->height = 96.0f;
    return layer;
}

namespace {

// The one walk over everything an object holds: the object itself (when `self`, or when it
// names a layer), then every piece under it that names a layer (every piece with `every`).
void FloorTree(Objex* o, Layer* layer, bool every, bool self);

void FloorList(Objex* head, Layer* layer, bool every) {
    for (Objex* o = head; o; o = o->next) FloorTree(o, layer, every, false);
}

void FloorTree(Objex* o, Layer* layer, bool every, bool self) {
    if (!o) return;
    if (self || every || o->layer) o->layer = layer;
    FloorList(o->firstChild, layer, every);
    FloorList(o->firstPart, layer, every);
    for (Poinz* p = o->firstPoint; p; p = p->next)
        for (TrimRecord* trim : {p->trim1, p->trim2})
            if (trim)
                for (Objex* profile : trim->profile) FloorTree(profile, layer, every, false);
    TypeData& td = o->typeData;
    if (td.kind == TypeDataKind::WallSolid) FloorList(td.wallSolid, layer, every);
    if (td.kind == TypeDataKind::RoofPanels) FloorList(td.roofPanels, layer, every);
    if (td.kind == TypeDataKind::Attachment && td.attachment) {
        AttachmentRecord* r = td.attachment;
        FloorList(r->generatedParts, layer, every);
        for (Objex* list : r->customParts) FloorList(list, layer, every);
        FloorTree(r->insideTrimProfile, layer, every, false);
        FloorTree(r->outsideTrimProfile, layer, every, false);
    }
    if (td.kind == TypeDataKind::RoofAttachment && td.roofAttachment) {
        RoofAttachmentRecord* r = td.roofAttachment;
        FloorList(r->customParts, layer, every);
        for (Objex* list : r->partLists) FloorList(list, layer, every);
    }
}

// The layer of the object's root, or none.
Layer* RootLayer(const Objex* o) {
    while (o && o->parent) o = o->parent;
    return o ? o->layer : nullptr;
}

// A piece that joined `owner`'s tree names its floor, with everything under it; while the tree
// stands on none it keeps its names, which placing the root sets.
void JoinTreeFloor(Objex* piece, const Objex* owner) {
    if (Layer* floor = RootLayer(owner)) FloorTree(piece, floor, false, false);
}

// The layer's last object: the remembered one while it still ends the layer's own list.
Objex* LastObjectOf(Layer* layer) {
    Objex* hint = layer->lastObject;
    if (hint && hint->layer == layer && !hint->next && !hint->parent &&
        (hint->prev ? hint->prev->next == hint : layer->firstObject == hint))
        return hint;
    Objex* tail = layer->firstObject;
    while (tail && tail->next) tail = tail->next;
    return tail;
}

void LinkChildAfter(Objex* child, Objex* parent, Objex* sibling) {
    child->parent = parent;
    child->prev = sibling;
    child->next = sibling ? sibling->next : parent->firstChild;
    if (sibling) sibling->next = child;
    else parent->firstChild = child;
    if (child->next) child->next->prev = child;
    JoinTreeFloor(child, parent);
    NoteSelectionIfAny(child);
}

}  // namespace

Layer* TreeFloor(const Objex* object) {
    if (Layer* layer = RootLayer(object)) return layer;
    return gCurDocument ? gCurDocument->itsCurLayer : nullptr;
}

void SetTreeFloor(Objex* object, Layer* layer, bool everyPiece) { FloorTree(object, layer, everyPiece, true); }

void AppendObjectToLayer(Objex* object, Layer* layer) {
    if (!object || !layer) return;
    Objex* tail = LastObjectOf(layer);
    SetTreeFloor(object, layer);
    object->next = nullptr;
    object->prev = tail;
    if (tail) tail->next = object;
    else layer->firstObject = object;
    layer->lastObject = object;
    PlanIndexLinked(object);
    NoteSelectionIfAny(object);
}

void AppendChildToObject(Objex* child, Objex* parent) {
    if (!child || !parent || child == parent) return;
    Objex* tail = parent->firstChild;
    while (tail && tail->next) tail = tail->next;
    LinkChildAfter(child, parent, tail);
}

Objex* AppendChildAfter(Objex* child, Objex* parent, Objex* tail) {
    if (!child || !parent || child == parent) return tail;
    const bool ends = tail && tail->parent == parent && !tail->next &&
                      (tail->prev ? tail->prev->next == tail : parent->firstChild == tail);
    if (!ends) {
        tail = parent->firstChild;
        while (tail && tail->next) tail = tail->next;
    }
    LinkChildAfter(child, parent, tail);
    return child;
}

void InsertChildAfter(Objex* child, Objex* parent, Objex* sibling) {
    if (!child || !parent || child == parent) return;
    if (sibling && sibling->parent != parent) sibling = nullptr;
    LinkChildAfter(child, parent, sibling);
}

void AppendObjectToList(Objex*& head, Objex* object, const Objex* owner) {
    if (!object) return;
    JoinTreeFloor(object, owner);
    int32_t count = 0;
    Objex* tail = LastOfList(head, &count);
    object->next = nullptr;
    object->prev = tail;
    if (tail) tail->next = object;
    else head = object;
    sListTail = ListTail{&head, head, object, count + 1};
}

void AppendPointToObject(Poinz* point, Objex* object) { AppendPointAfter(point, object, nullptr); }

Poinz* AppendPointAfter(Poinz* point, Objex* object, Poinz* tail) {
    if (!point || !object) return tail;
    if (!(tail && tail->owner == object && !tail->next &&
          (tail->prev ? tail->prev->next == tail : object->firstPoint == tail))) {
        tail = object->firstPoint;
        while (tail && tail->next) tail = tail->next;
    }
    point->owner = object;
    point->next = nullptr;
    point->prev = tail;
    if (tail) tail->next = point;
    else object->firstPoint = point;
    object->pointCount++;
    if (point->selected) NoteSelectionIn(object);
    return point;
}

void InsertPointInObject(Poinz* point, Objex* object, Poinz* after) {
    if (!point || !object) return;
    point->owner = object;
    if (!after) {
        point->prev = nullptr;
        point->next = object->firstPoint;
        if (object->firstPoint) object->firstPoint->prev = point;
        object->firstPoint = point;
    } else {
        point->prev = after;
        point->next = after->next;
        if (after->next) after->next->prev = point;
        after->next = point;
    }
    object->pointCount++;
    if (point->selected) NoteSelectionIn(object);
}

void InsertPointInObjectAndUpdatePointInfo(Poinz* point, Objex* object, Poinz* after) {
    if (!point || !object || object->type == objtype::kWall) return;
    InsertPointInObject(point, object, after);
    Poinz* from = point->next ? point->next : object->firstPoint;
    if (!from || from == point) return;
    point->selected = from->selected;
    point->owner = from->owner;
    if (point->selected) NoteSelectionIn(object);
    point->texture1 = from->texture1;
    point->texture2 = from->texture2;
    point->textureU = from->textureU;
    point->textureV = from->textureV;
    point->rowLength = from->rowLength;
    point->rowPerimeter = from->rowPerimeter;
    point->color1 = from->color1;
    point->color2 = from->color2;
    point->baseElevation = from->baseElevation;
    point->wallStyle = from->wallStyle;
    point->dimensionMethod = from->dimensionMethod;
    point->dimensionFlipped = from->dimensionFlipped;
    point->segmentFlags = from->segmentFlags;
    // Only wall points own trim records, and walls are refused above.
    point->trimValue1 = from->trimValue1;
    point->trimValue2 = from->trimValue2;
    std::memcpy(point->segmentValues, from->segmentValues, sizeof point->segmentValues);
    point->valueQ = from->valueQ;
    point->valueR = from->valueR;
    point->faceScale1 = from->faceScale1;
    point->faceScale2 = from->faceScale2;
    if (object->type == objtype::kDeck) point->position[1] = from->position[1];
}

void AppendLayerToDocument(Layer* layer) {
    QMDDocumentModel* doc = gCurDocument;
    if (!layer || !doc) return;
    layer->next = nullptr;
    if (!doc->itsLayers) {
        layer->prev = nullptr;
        doc->itsLayers = layer;
        doc->itsCurLayer = layer;
        return;
    }
    Layer* tail = doc->itsLayers;
    while (tail->next) tail = tail->next;
    tail->next = layer;
    layer->prev = tail;
}

void AppendPartToObject(Objex* owner, Objex* piece) {
    if (owner) AppendObjectToList(owner->firstPart, piece, owner);
}

int32_t PartCount(Objex* owner) {
    int32_t count = 0;
    if (owner) LastOfList(owner->firstPart, &count);
    return count;
}

void InsertObjectInLayer(Objex* object, Layer* layer, Objex* after) {
    if (!object || !layer) return;
    SetTreeFloor(object, layer);
    object->parent = nullptr;
    object->prev = after;
    object->next = after ? after->next : layer->firstObject;
    if (after) after->next = object;
    else layer->firstObject = object;
    if (object->next) object->next->prev = object;
    else layer->lastObject = object;
    PlanIndexLinked(object);
    NoteSelectionIfAny(object);
}

Objex* UnlinkObject(Objex* object) {
    if (!object) return nullptr;
    // Every object is unlinked before it is freed: the remembered list end never dangles.
    if (sListTail.tail == object || sListTail.head == object) sListTail = ListTail{};
    PlanIndexUnlinked(object);
    NoteUnlinked(object);
    const bool root = !object->parent;
    if (root && object->layer && object->layer->lastObject == object) object->layer->lastObject = object->prev;
    if (object->prev) {
        object->prev->next = object->next;
    } else if (!root) {
        if (object->parent->firstChild == object) object->parent->firstChild = object->next;
        else if (object->parent->firstPart == object) object->parent->firstPart = object->next;
    } else if (object->layer && object->layer->firstObject == object) {
        object->layer->firstObject = object->next;
    }
    if (object->next) object->next->prev = object->prev;
    object->prev = nullptr;
    object->next = nullptr;
    object->layer = nullptr;
    return object;
}

void UnlinkLayer(Layer* layer) {
    if (!layer) return;
    if (layer->prev) layer->prev->next = layer->next;
    if (layer->next) layer->next->prev = layer->prev;
    layer->prev = nullptr;
    layer->next = nullptr;
}

bool DeleteEntireWallObject(Objex* object) {
    if (!object) return false;
    if (object->type != objtype::kWall) return true;
    for (Poinz* p = object->firstPoint; p; p = p->next)
        if (!p->selected) return false;
    return true;
}

Layer* GetLayerFromName(const char* name) {
    if (!name || !gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (std::strcmp(l->name, name) == 0) return l;
    return nullptr;
}

float GetLayerAbsBaseHeight(Layer* layer) {
    float sum = 0;
    if (!layer) return sum;
    for (Layer* l = layer->prev; l; l = l->prev) sum += l->height;
    return sum;
}

Objex* GetObjectFromObjectID(uint32_t id) {
    if (!gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            if (o->objectID == id) return o;
            for (Objex* c = o->firstChild; c; c = c->next)
                if (c->objectID == id) return c;
        }
    return nullptr;
}

namespace {
bool HasPointID(const Objex* o, uint32_t id) {
    for (const Poinz* p = o->firstPoint; p; p = p->next)
        if (p->pointID == id) return true;
    return false;
}
}  // namespace

Objex* GetObjectFromPointID(uint32_t id) {
    if (!gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next) {
            if (HasPointID(o, id)) return o;
            for (Objex* c = o->firstChild; c; c = c->next)
                if (HasPointID(c, id)) return c;
        }
    return nullptr;
}

Poinz* GetPointFromPointID(uint32_t id) {
    if (!gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            for (Poinz* p = o->firstPoint; p; p = p->next)
                if (p->pointID == id) return p;
    return nullptr;
}

Objex* FindObjectWithID(uint32_t id) {
    if (!gCurDocument || !gCurDocument->itsCurLayer) return nullptr;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o; o = o->next)
        if (o->objectID == id) return o;
    return nullptr;
}

Objex* GetRootObject(Objex* object) {
    if (!object) return nullptr;
    while (object->parent) object = object->parent;
    return object;
}

void GroupObject(Objex* object) {
    if (!object || !gGroupLeader || gGroupLeader == object) return;
    UnlinkObject(object);
    // A member stands on its group's floor, as a read links it: the live view draws a grouped
    // room's floor and ceiling by the floor their wall names, and a grouped wall refits its
    // doors and windows only while it stands on one.
    object->layer = RootLayer(gGroupLeader);
    AppendChildToObject(object, gGroupLeader);
}

bool IsObjectGrouped(Objex* object) {
    if (!object) return false;
    if (object->parent && !objtype::FollowsHost(object->type)) return true;
    return object->firstChild && !objtype::Has(object->type, objtype::kHoldsAttachments);
}

bool IsObjectSymbolEditorObject(Objex* object) {
    Objex* root = GetRootObject(object);
    return root && root->type == objtype::kGroup && root->groupKind == groupkind::kSymbolEditor;
}

bool IsObjectSectionDetailObject(Objex* object) {
    Objex* root = GetRootObject(object);
    return root && root->type == objtype::kGroup && root->groupKind == groupkind::kSectionDetail;
}

bool CanObjectTypeBeSelected(int16_t) {
    return true;
}

bool StillDown() {
    return true;
}

void Point2Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RECT* rect) {
    if (!rect) return;
    rect->left = x1 < x2 ? x1 : x2;
    rect->right = x1 < x2 ? x2 : x1;
    rect->top = y1 < y2 ? y1 : y2;
    rect->bottom = y1 < y2 ? y2 : y1;
}
