#include "model/grouping.h"

#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/walkers.h"

void GroupSelectedObjects(Layer* firstLayer) {
    gObjectCount = 0;
    gOverload = 0;
    SelectedObjectAllLayers(firstLayer, 1, cmd::kCountGroups, nullptr);
    if (gOverload) return;
    gGroupLeader = nullptr;
    gObjectCount = 0;
    TopLevelObjectAllLayers(firstLayer, cmd::kCountTopLevel, nullptr);
    if (gObjectCount > 1) TopLevelObjectAllLayers(firstLayer, cmd::kGroup, nullptr);
}

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
