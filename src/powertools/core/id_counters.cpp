#include "powertools/core/id_counters.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"

namespace {

struct Highest {
    uint32_t object = 0;
    uint32_t point = 0;
};

void Scan(const Objex* o, Highest& h) {
    for (; o; o = o->next) {
        if (o->objectID > h.object) h.object = o->objectID;
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p->pointID > h.point) h.point = p->pointID;
        Scan(o->firstChild, h);
    }
}

template <typename Visit>
bool AnyObject(const Objex* o, Visit&& visit) {
    for (; o; o = o->next)
        if (visit(o) || AnyObject(o->firstChild, visit)) return true;
    return false;
}

template <typename Visit>
bool AnyObjectInDocument(Visit&& visit) {
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next)
        if (AnyObject(l->firstObject, visit)) return true;
    return gCurDocument->itsTopoLayer && AnyObject(gCurDocument->itsTopoLayer->firstObject, visit);
}

}  // namespace

void UpdateAllIDCounters() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    Highest h;
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next) Scan(l->firstObject, h);
    if (gCurDocument->itsTopoLayer) Scan(gCurDocument->itsTopoLayer->firstObject, h);
    if (h.object + 1 > ds->nextObjectID) ds->nextObjectID = h.object + 1;
    if (h.point + 1 > ds->nextPointID) ds->nextPointID = h.point + 1;
}

uint32_t ValidateObjectID(uint32_t id) {
    DocState* ds = CurrentDocState();
    if (!ds) return id;
    const bool used = AnyObjectInDocument([id](const Objex* o) { return o->objectID == id; });
    if (!used && id < ds->nextObjectID) return id;
    return ds->nextObjectID++;
}

uint32_t ValidatePointID(uint32_t id) {
    DocState* ds = CurrentDocState();
    if (!ds) return id;
    const bool used = AnyObjectInDocument([id](const Objex* o) {
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            if (p->pointID == id) return true;
        return false;
    });
    if (!used && id < ds->nextPointID) return id;
    return ds->nextPointID++;
}
