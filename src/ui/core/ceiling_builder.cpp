#include "ui/core/ceiling_builder.h"

#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "geometry/elements/auto_ceilings.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/tool_defaults.h"
#include "plan/refresh_seams.h"
#include "ui/core/inspector_seams.h"

namespace {

int ObjectsOn(const Layer* layer) {
    int n = 0;
    for (const Objex* o = layer ? layer->firstObject : nullptr; o; o = o->next) ++n;
    return n;
}

}  // namespace

void BuildCeilingsFromTheWall(bool floors, bool ceilings, bool soffits) {
    Objex* wall = gTheWallObject;
    if (!gCurDocument || !CurrentDocState() || !wall) return;
    const int before = ObjectsOn(wall->layer);
    {
        // The builders each store a step of their own; the sheet's OK is one.
        const PartsOfOneStep parts;
        if (floors || ceilings)
            BuildAutoCeilingFloor(wall, floors, gFlooringThickness, gFlooringElevation, gFlooringExtension, ceilings,
                                  gCeilingThickness, gCeilingElevation, gCeilingExtension);
        if (soffits && wall->pointCount > 2)
            BuildAutoSoffits(wall, gSoffitThickness, gSoffitElevation, gSoffitExtension,
                             static_cast<uint8_t>(gSoffitConfig));
    }
    // The step holds the wall deselected, as the builder leaves it: a Redo gives what it left.
    SelectObj(wall, selmode::kDeselect, 0);
    if (ObjectsOn(wall->layer) != before) StoreUndo(LocalizedString("Build Ceiling/Floor").c_str());
    Refresh();
    InspectorUpdatePropertiesState(1);
}
