#pragma once
// Walking an object's segments: each point to the next in point order, then, for a closed
// object, the last point back to the first.
#include "model/objects.h"

template <typename Object, typename F> void ForEachSegment(Object* o, F&& f) {
    if (!o) return;
    decltype(o->firstPoint) last = nullptr;
    for (auto p = o->firstPoint; p; p = p->next) {
        if (p->next) f(p, p->next);
        last = p;
    }
    if (o->closed && last && last != o->firstPoint) f(last, o->firstPoint);
}
