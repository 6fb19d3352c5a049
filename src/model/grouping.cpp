#include "model/grouping.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "model/selection_ops.h"

void UngroupObject(Objex* object) {
    if (!object || object->type != objtype::kGroup) return;
    // Without a layer the members would have nowhere to go: the group stays as it is.
    Layer* layer = object->layer;
    if (!layer) return;
    Objex* members = object->firstChild;
    object->firstChild = nullptr;
    DeleteObj(object);
    for (Objex* m = members; m;) {
        Objex* next = m->next;
        m->parent = nullptr;
        m->prev = m->next = nullptr;
        AppendObjectToLayer(m, layer);
        SelectObj(m, selmode::kDeselect, 0);
        UpdateObjectBounds(m);
        m = next;
    }
}
