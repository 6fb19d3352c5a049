#pragma once
// Generated pieces (wall forms, roof and opening pieces) are never looked up by number: a
// rebuild takes none, so reading and saving a design leaves its counters as they were.
#include "model/docstate.h"
#include "model/objects.h"

// Gives the design's object and point counters back when it goes.
class KeepNumberCounters {
public:
    explicit KeepNumberCounters(DocState* ds)
        : ds_(ds), objects_(ds ? ds->nextObjectID : 0), points_(ds ? ds->nextPointID : 0) {}
    ~KeepNumberCounters() {
        if (ds_) ds_->nextObjectID = objects_, ds_->nextPointID = points_;
    }
    KeepNumberCounters(const KeepNumberCounters&) = delete;
    KeepNumberCounters& operator=(const KeepNumberCounters&) = delete;

private:
    DocState* ds_;
    uint32_t objects_, points_;
};

// Clears the numbers a generated piece took.
inline void Unnumber(Objex* piece) {
    if (!piece) return;
    piece->objectID = 0;
    for (Poinz* p = piece->firstPoint; p; p = p->next) p->pointID = 0;
}
