#include "model/selection_roster.h"

#include <unordered_set>

#include "model/deletion.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "port/seam.h"

namespace {

// Objects that may hold a selected point, of any layer or of none. Only the objects are
// read, never their layers (an object outside every list may name a layer long freed).
std::unordered_set<Objex*> sRoster;
// A layer's list is covered by sRoster while its epoch is this one; 0 is never current.
uint32_t sEpoch = 1;

const port::GlobalReset kReset([] {
    sRoster.clear();
    if (++sEpoch == 0) sEpoch = 1;
});
const ObjectForgetter kForget([](const Objex* o) { sRoster.erase(const_cast<Objex*>(o)); });

}  // namespace

bool HoldsSelectedPoint(const Objex* object) {
    for (const Poinz* p = object->firstPoint; p; p = p->next)
        if (p->selected) return true;
    for (const Objex* c = object->firstChild; c; c = c->next)
        if (HoldsSelectedPoint(c)) return true;
    return false;
}

void NoteSelectionIn(Objex* object) {
    if (Objex* root = GetRootObject(object)) sRoster.insert(root);
}

void NoteSelectionIfAny(Objex* object) {
    if (object && HoldsSelectedPoint(object)) NoteSelectionIn(object);
}

void NoteSelectionUnknown() {
    if (++sEpoch == 0) sEpoch = 1;
}

void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out) {
    if (!layer || !out) return;
    if (layer->rosterEpoch != sEpoch) {
        for (Objex* o = layer->firstObject; o; o = o->next)
            if (HoldsSelectedPoint(o)) sRoster.insert(o);
        layer->rosterEpoch = sEpoch;
    }
    const size_t start = out->size();
    for (auto it = sRoster.begin(); it != sRoster.end();) {
        Objex* o = *it;
        if (!HoldsSelectedPoint(o)) {
            it = sRoster.erase(it);
            continue;
        }
        if (o->layer == layer && !o->parent) out->push_back(o);
        ++it;
    }
    PlanIndexInListOrder(layer, out, start);
}
