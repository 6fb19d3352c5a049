#include "model/object_rebuild.h"

#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "model/bounds.h"
#include "model/objects.h"
#include "plan/refresh_seams.h"
#include "scene/terrain.h"
#include "tools/deck_tools.h"
#include "tools/rebuild_seams.h"
#include "tools/roof_panels.h"
#include "tools/roof_construction.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"

bool RebuildObjectByType(Objex* object, RebuildTable table, bool refreshRoof) {
    if (!object) return false;
    switch (object->type) {
    case objtype::kWall:
        Update3DWall(object);
        UpdateAllWallAttachments(object);
        return true;
    case objtype::kFloor:
    case objtype::kFloorCutout:
    case objtype::kCabinetPart:
        Update3DFloorSkirting(object);
        return true;
    case objtype::kRoof:
        Update3DRoof(object);
        if (refreshRoof) Refresh();
        return true;
    case objtype::kPath:
        Update3DPath(object);
        return true;
    case objtype::kEdging:
        UpdateEdgingObject(object);
        return true;
    case objtype::kFence:
        UpdateFenceObject(object);
        return true;
    case objtype::kStaircase:
        UpdateStairObject(object);
        return true;
    case objtype::kRailing:
        UpdateRailObject(object);
        return true;
    case objtype::kDeck:
        Update3DDeck(object);
        return true;
    case objtype::kFreehandRoof:
        Update3DRoofPanel(object);
        return true;
    case objtype::kPhoto:
        Update3DPhoto(object);
        return true;
    case objtype::kTopography:
    case objtype::kEntireLot:
    case objtype::kSlopeLot:
        if (table != RebuildTable::Full) return false;
        SetLotElevation();
        return true;
    case objtype::kExcavation:
        if (table == RebuildTable::Short) return false;
        Update3DTopoCutoutDepthObject(object);
        return true;
    default:
        return false;
    }
}

void RefreshObjectBounds(Objex* object) {
    UpdateObjectRootBounds(object, 0, 0);
}
