#include "model/walkers.h"

#include "model/bounds.h"
#include "model/command_table.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "port/seam.h"
#include "tools/component_seams.h"
#include "tools/rebuild_seams.h"

int32_t gObjectCount = 0;
uint8_t gOverload = 0;
static const port::GlobalReset kReset([] {
    gObjectCount = 0;
    gOverload = 0;
});

namespace {

bool IsRoof(const Objex* o) {
    return o->type == objtype::kRoof || o->type == objtype::kFreehandRoof;
}

bool InRange(int32_t command, int32_t first, int32_t last) {
    return command >= first && command <= last;
}

// Commands after which SelectedObject neither visits the children nor refits the roof.
bool EndsAtObject(const Objex* o, int32_t command) {
    if (o->type == objtype::kGroup && o->subtype == 170 && (command == 5034 || command == 5035))
        return true;
    if (IsRoof(o))
        return InRange(command, 5034, 5039) || InRange(command, 5361, 5364) || command == 6000 ||
               command == 6003;
    return false;
}

// Whether a top-level object takes part in a selected-only walk of the command.
bool Qualifies(Objex* o, int32_t command) {
    if (command == 5324 || command == 5431 || command == 8007) return IsAnyObjectSelected(o);
    if (InRange(command, 5034, 5039) || command == 6000 || command == 6003)
        return IsObjectSelected(o) || (IsRoof(o) && IsAnyRoofAttachmentSelected(o));
    if (command == 8001 && IsRoof(o) && !IsObjectSelected(o)) {
        SelectEntireRoofAttachments(o);
        return false;
    }
    return IsObjectSelected(o);
}

}  // namespace

bool IsFixedComponentType(int16_t type) {
    switch (type) {
    case 68: case 69: case 71: case 72: case 79: case 80: case 81: case 82: case 88: case 98:
    case 110: case 117: case 118: case 119: case 120: case 121: case 122: case 123:
    case 146: case 147: case 148: case 149: case 150: case 151: case 152:
        return true;
    default:
        return false;
    }
}

void GroupFollowUp(Objex* group) {
    if (!group || group->type != objtype::kGroup) return;
    UpdateObjectRootBounds(group, 0, 0);
    Objex* first = group->firstChild;
    if (first && IsFixedComponentType(first->type) && first->firstPart) UpdateFixedComponent(first);
}

bool SelectedObject(Objex* object, uint8_t selectedOnly, int32_t command, CommandParam param) {
    if (!object) return false;
    if (SelectedCommandFn apply = FindSelectedCommand(command))
        if (apply(object, selectedOnly, command, param) == CommandFate::Deleted) return false;
    if (EndsAtObject(object, command)) return true;
    for (Objex* child = object->firstChild; child;) {
        Objex* next = child->next;
        SelectedObject(child, selectedOnly, command, param);
        child = next;
    }
    if (IsRoof(object)) UpdateAllRoofAttachments(object);
    return true;
}

void SelectedObjectLayer(Layer* layer, uint8_t selectedOnly, int32_t command, CommandParam param) {
    if (!layer || !layer->visible) return;
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (!selectedOnly || Qualifies(o, command)) {
            if (command == 2001) {
                gObjectCount = 0;
                SelectedObject(o, selectedOnly, command, param);
            } else if (SelectedObject(o, selectedOnly, command, param)) {
                GroupFollowUp(o);
            }
        }
        o = next;
    }
}

void SelectedObjectAllLayers(Layer* firstLayer, uint8_t selectedOnly, int32_t command, CommandParam param) {
    for (Layer* l = firstLayer; l;) {
        Layer* next = l->next;
        SelectedObjectLayer(l, selectedOnly, command, param);
        l = next;
    }
}

bool TopLevelObject(Objex* object, int32_t command, CommandParam param) {
    if (!object || !gCurDocument) return object != nullptr;
    if (TopLevelCommandFn apply = FindTopLevelCommand(command))
        return apply(object, command, param) != CommandFate::Deleted;
    return true;
}

void TopLevelObjectLayer(Layer* layer, int32_t command, CommandParam param) {
    if (!layer || !layer->visible) return;
    const bool any = command == 5324 || command == 5431 || command == 8007;
    for (Objex* o = layer->firstObject; o;) {
        Objex* next = o->next;
        if (any ? IsAnyObjectSelected(o) : IsObjectSelected(o)) TopLevelObject(o, command, param);
        o = next;
    }
}

void TopLevelObjectAllLayers(Layer* firstLayer, int32_t command, CommandParam param) {
    for (Layer* l = firstLayer; l;) {
        Layer* next = l->next;
        TopLevelObjectLayer(l, command, param);
        l = next;
    }
}

Objex* GetASelectedObject(int32_t n) {
    if (n <= 0 || !gCurDocument) return nullptr;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (IsObjectSelected(o) && --n == 0) return o;
    return nullptr;
}
