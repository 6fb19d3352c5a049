#include "model/id_counters.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"

namespace {

void Visit(const Objex* o, const std::function<void(const Objex*)>& visit) {
    for (; o; o = o->next) {
        visit(o);
        Visit(o->firstChild, visit);
    }
}

template <typename Match>
bool AnyInTree(const Objex* tree, Match&& match) {
    if (!tree) return false;
    if (match(tree)) return true;
    for (const Objex* c = tree->firstChild; c; c = c->next)
        if (AnyInTree(c, match)) return true;
    return false;
}

template <typename InTree>
bool UsedInDesign(InTree&& inTree) {
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (const Objex* o = l->firstObject; o; o = o->next)
            if (inTree(o)) return true;
    const Layer* topo = gCurDocument->itsTopoLayer;
    for (const Objex* o = topo ? topo->firstObject : nullptr; o; o = o->next)
        if (inTree(o)) return true;
    return false;
}

// The rule of both checks: 0, a used ID, or one the counter has not reached yet is replaced.
uint32_t Validated(uint32_t id, bool used, uint32_t& next) {
    if (id != 0 && !used && id < next) return id;
    return next++;
}

}  // namespace

void ForEachDesignObject(const std::function<void(const Objex*)>& visit) {
    if (!gCurDocument) return;
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next) Visit(l->firstObject, visit);
    if (gCurDocument->itsTopoLayer) Visit(gCurDocument->itsTopoLayer->firstObject, visit);
}

void UpdateObjectIDCounters(const Objex* object, DocState* ds) {
    if (!object || !ds) return;
    AnyInTree(object, [ds](const Objex* o) {
        if (o->objectID >= ds->nextObjectID) ds->nextObjectID = o->objectID + 1;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p->pointID >= ds->nextPointID) ds->nextPointID = p->pointID + 1;
        return false;
    });
}

void UpdateAllIDCounters() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    ForEachDesignObject([ds](const Objex* o) {
        if (o->objectID >= ds->nextObjectID) ds->nextObjectID = o->objectID + 1;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p->pointID >= ds->nextPointID) ds->nextPointID = p->pointID + 1;
    });
}

bool ValidateObjectIDWithObject(const Objex* object, const DocState*, uint32_t id) {
    return AnyInTree(object, [id](const Objex* o) { return o->objectID == id; });
}

bool ValidatePointIDWithObject(const Objex* object, const DocState*, uint32_t id) {
    return AnyInTree(object, [id](const Objex* o) {
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p->pointID == id) return true;
        return false;
    });
}

uint32_t ValidateObjectID(uint32_t id) {
    DocState* ds = CurrentDocState();
    if (!ds) return id;
    const bool used = id != 0 && UsedInDesign([&](const Objex* o) { return ValidateObjectIDWithObject(o, ds, id); });
    return Validated(id, used, ds->nextObjectID);
}

uint32_t ValidatePointID(uint32_t id) {
    DocState* ds = CurrentDocState();
    if (!ds) return id;
    const bool used = id != 0 && UsedInDesign([&](const Objex* o) { return ValidatePointIDWithObject(o, ds, id); });
    return Validated(id, used, ds->nextPointID);
}
