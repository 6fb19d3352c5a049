#include "files/object_section.h"

#include "files/cabinet_files.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"

void OpenSectionGroup::open(Objex* group) {
    if (!group || group->type != objtype::kGroup) return;
    group_ = group;
    tail_ = group->firstChild;
    while (tail_ && tail_->next) tail_ = tail_->next;
}

void OpenSectionGroup::append(Objex* o) {
    if (!group_ || !o) return;
    o->parent = group_;
    o->layer = group_->layer;
    o->prev = tail_;
    o->next = nullptr;
    if (tail_)
        tail_->next = o;
    else
        group_->firstChild = o;
    tail_ = o;
}

Objex* OpenSectionGroup::take() {
    Objex* group = group_;
    group_ = nullptr;
    tail_ = nullptr;
    return group;
}

Objex* ReadCabinetIntoGroup(Objex* o) {
    CabinetState* state = DoReadCabinetState();
    if (!o || o->type != objtype::kGroup) {
        delete state;
        return nullptr;
    }
    DeleteObjectData(o);
    o->typeData.clear();
    if (state) {
        o->typeData = TypeData::OfCabinet(state);
        o->subtype = objsubtype::kCabinetGroup;
        o->elevation = state->elevation;
    }
    return o;
}

void UpdateGroupAndRootBounds(Objex* group) {
    UpdateObjectRootBounds(group, 0, 0);
    Objex* root = GetRootObject(group);
    if (root != group) UpdateObjectRootBounds(root, 0, 0);
}

bool IsWithinObject(const Objex* o, const Objex* ancestor) {
    for (; o; o = o->parent)
        if (o == ancestor) return true;
    return false;
}

ScratchSectionLayer::~ScratchSectionLayer() {
    if (layer_) DeleteLayer(layer_);
}

Layer* ScratchSectionLayer::orTarget(Layer* target) {
    if (target) return target;
    if (!layer_) layer_ = CreateLayer("Untitled", 1, 1, nullptr);
    return layer_;
}
