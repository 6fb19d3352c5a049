#include "files/object_section.h"

#include "files/cabinet_files.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"

bool OpenSectionGroup::open(Objex* group) {
    if (!group || group->type != objtype::kGroup) return false;
    for (const Frame& f : frames_)
        if (f.group == group) return false;
    if (frames_.size() >= kMostNestedGroups) {
        frames_.push_back({nullptr, nullptr, false});
        return false;
    }
    Objex* tail = group->firstChild;
    while (tail && tail->next) tail = tail->next;
    frames_.push_back({group, tail, false});
    return true;
}

Objex* OpenSectionGroup::get() const {
    for (auto f = frames_.rbegin(); f != frames_.rend(); ++f)
        if (f->group) return f->group;
    return nullptr;
}

void OpenSectionGroup::append(Objex* o) {
    auto frame = frames_.rbegin();
    while (frame != frames_.rend() && !frame->group) ++frame;
    if (frame == frames_.rend() || !o) return;
    // Read onto the floor named last, a member stands on its group's with everything it holds.
    frame->tail = AppendChildAfter(o, frame->group, frame->tail);
}

Objex* OpenSectionGroup::take() {
    if (frames_.empty()) return nullptr;
    Objex* group = frames_.back().group;
    frames_.pop_back();
    return group;
}

void OpenSectionGroup::forget(const Objex* member) {
    for (Frame& f : frames_)
        if (member && f.tail == member) f.tail = member->prev;
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
