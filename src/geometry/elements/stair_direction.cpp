#include "geometry/elements/stair_direction.h"

#include "model/direction.h"
#include "model/objects.h"

void ReverseStairDirection(Objex* stair) {
    if (!stair || !stair->firstPoint || stair->pointCount < 2) return;
    Poinz* first = ReverseSegmentDirection(stair->firstPoint, stair->pointCount);
    if (!first) return;
    first->prev = nullptr;
    stair->firstPoint = first;
}

Poinz* ReverseCurveSegmentDirection(Poinz* first, int32_t count) {
    if (!first || count < 2) return nullptr;
    Poinz* p = first;
    Poinz* reversed = nullptr;
    for (int32_t i = 0; i < count && p; ++i) {
        Poinz* next = p->next;
        p->next = reversed;
        if (reversed) reversed->prev = p;
        reversed = p;
        p = next;
    }
    reversed->prev = nullptr;
    return reversed;
}
