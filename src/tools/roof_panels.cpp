#include "tools/roof_panels.h"

#include "model/objects.h"

Objex* FindSlopeDirectionArrowObject(Objex* panel) {
    for (Objex* child = panel ? panel->firstChild : nullptr; child; child = child->next)
        if (child->type == objtype::kSlopeArrow) return child;
    return nullptr;
}
