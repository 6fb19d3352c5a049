#include "model/selection_roster.h"

#include "model/deletion.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "port/seam.h"

namespace {

// A layer's roster is trusted while its epoch is this one; 0 is never current.
uint32_t sEpoch = 1;

const port::GlobalReset kReset([] { ++sEpoch; });
const ObjectForgetter kForget([](const Objex* o) {
    if (o->layer) o->layer->selectionRoster.erase(const_cast<Objex*>(o));
});

bool Trusted(const Layer* layer) { return layer && layer->rosterEpoch == sEpoch; }

}  // namespace

bool HoldsSelectedPoint(const Objex* object) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) return true;
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (HoldsSelectedPoint(c)) return true;
    return false;
}

void NoteSelectionIn(Objex* object) {
    Objex* root = GetRootObject(object);
    if (root && Trusted(root->layer)) root->layer->selectionRoster.insert(root);
}

void NoteSelectionIfAny(Objex* object) {
    Objex* root = GetRootObject(object);
    if (root && Trusted(root->layer) && HoldsSelectedPoint(object)) root->layer->selectionRoster.insert(root);
}

void NoteSelectionUnknown() {
    if (++sEpoch == 0) sEpoch = 1;
}

void SelectionRosterUnlinked(Objex* object) {
    if (object && !object->parent && object->layer) object->layer->selectionRoster.erase(object);
}

void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out) {
    if (!layer || !out) return;
    auto& roster = layer->selectionRoster;
    if (!Trusted(layer)) {
        roster.clear();
        for (Objex* o = layer->firstObject; o; o = o->next)
            if (HoldsSelectedPoint(o)) roster.insert(o);
        layer->rosterEpoch = sEpoch;
    }
    const size_t start = out->size();
    for (auto it = roster.begin(); it != roster.end();) {
        Objex* o = *it;
        if (o->layer != layer || o->parent || !HoldsSelectedPoint(o)) {
            it = roster.erase(it);
            continue;
        }
        out->push_back(o);
        ++it;
    }
    PlanIndexInListOrder(layer, out, start);
}
