#include "model/selection_roster.h"

#include <unordered_set>

#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "port/seam.h"

namespace {

// Top-level objects that may hold a selected point. An object's layer is read only once it
// is found among the current design's layers (one outside every list may name a layer long
// freed).
std::unordered_set<Objex*> sRoster;
// A layer's list is covered by sRoster while its epoch is this one; 0 is never current.
uint32_t sEpoch = 1;
// Scratch of an ask: the roster's objects of the asked layer.
std::vector<Objex*> sAsked;

const port::GlobalReset kReset([] {
    sRoster.clear();
    sAsked.clear();
    if (++sEpoch == 0) sEpoch = 1;
});
const ObjectForgetter kForget([](const Objex* o) { sRoster.erase(const_cast<Objex*>(o)); });

// The layer, when it is one of the current design's (and so alive), else null.
Layer* DesignLayer(Layer* layer) {
    const QMDDocumentModel* doc = gCurDocument;
    return doc && layer && (doc->holdsLayer(layer) || layer == doc->itsTopoLayer) ? layer : nullptr;
}

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
    if (!root || !root->layer) return;  // in no list: its link notes it
    if (Layer* floor = DesignLayer(root->layer)) {
        if (floor->rosterEpoch != sEpoch) return;  // the floor's next ask walks its list
        // Asks build the index; without it (dropped with the floor's objects) the next ask walks
        // the list rather than the roster naming what may be a piece.
        if (!HasPlanIndex(floor)) {
            floor->rosterEpoch = 0;
            return;
        }
        // A generated piece, or an object not linked yet, names its floor but is not in its list.
        if (!PlanIndexHolds(floor, root)) return;
    }
    sRoster.insert(root);
}

void NoteSelectionIfAny(Objex* object) {
    if (object && HoldsSelectedPoint(object)) NoteSelectionIn(object);
}

void NoteSelectionUnknown() {
    if (++sEpoch == 0) sEpoch = 1;
}

void NoteUnlinked(Objex* object) {
    if (object && !object->parent) sRoster.erase(object);
}

void SelectedObjectsOfLayer(Layer* layer, std::vector<Objex*>* out) {
    if (!layer || !out) return;
    if (layer->rosterEpoch != sEpoch) {
        for (Objex* o = layer->firstObject; o; o = o->next)
            if (HoldsSelectedPoint(o)) sRoster.insert(o);
        layer->rosterEpoch = sEpoch;
    }
    sAsked.clear();
    for (auto it = sRoster.begin(); it != sRoster.end();) {
        Objex* o = *it;
        if (o->parent || !o->layer || !HoldsSelectedPoint(o)) {
            it = sRoster.erase(it);
            continue;
        }
        if (o->layer == layer) sAsked.push_back(o);
        ++it;
    }
    const size_t start = out->size();
    out->insert(out->end(), sAsked.begin(), sAsked.end());
    PlanIndexInListOrder(layer, out, start);
    // What the list does not hold (noted while its layer stood outside the design) goes.
    if (out->size() - start < sAsked.size())
        for (Objex* o : sAsked)
            if (!PlanIndexHolds(layer, o)) sRoster.erase(o);
}

std::vector<const Objex*> SelectionRosterObjects() { return {sRoster.begin(), sRoster.end()}; }
