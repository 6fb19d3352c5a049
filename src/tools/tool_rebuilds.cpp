#include "tools/tool_rebuilds.h"

#include "model/objects.h"
#include "model/rebuild_table.h"
#include "tools/attached_dimensions.h"
#include "tools/deck_tools.h"
#include "tools/fixed_components.h"
#include "tools/photos.h"
#include "tools/roof_attachments.h"
#include "tools/roof_construction.h"
#include "tools/roof_panels.h"
#include "tools/site_rebuilds.h"
#include "tools/wall_attachments.h"
#include "tools/wall_construction.h"

void RegisterToolRebuilders() {
    using rebuild::Register;
    Register(objtype::kWall, [](Objex* wall) {
        Update3DWall(wall);
        UpdateAllWallAttachments(wall);
    });
    for (int16_t type : {objtype::kFloor, objtype::kFloorCutout, objtype::kCabinetPart})
        Register(type, Update3DFloorSkirting);
    Register(objtype::kRoof, Update3DRoof);
    Register(objtype::kPath, Update3DPath);
    Register(objtype::kDeck, Update3DDeck);
    Register(objtype::kFreehandRoof, Update3DRoofPanel);
    Register(objtype::kPhoto, Update3DPhoto);
    // An excavation's depth bands are its own pieces: built again wherever its outline changes.
    Register(objtype::kExcavation, Update3DTopoCutoutDepthObject);
    // A group builds nothing of its own: rebuilt, its members are, each by its own row.
    Register(objtype::kGroup, [](Objex* group) {
        for (Objex* member = group->firstChild; member; member = member->next)
            rebuild::Run(member, rebuild::kObjectScopes);
    });
    for (int16_t type = 0; type < objtype::kTypeCodeLimit; ++type) {
        if (objtype::IsFixedComponent(type)) Register(type, UpdateFixedComponent, rebuild::Scope::Symbol);
        if (objtype::IsRoof(type)) rebuild::RegisterRefit(type, UpdateAllRoofAttachments);
    }
    // A deck's points move its steps' records too; the wall refit then re-measures the floor's
    // attached dimensions and leaves the deck alone.
    for (int16_t type : {objtype::kWall, objtype::kDeck})
        rebuild::RegisterRefit(type, [](Objex* host) { UpdateAllWallAttachments(host); });
    // A floor whose walls a command refit is measured shown or hidden: a whole-plan command
    // turns the hidden floors too.
    RegisterAttachedDimensionMeasure([](Layer* layer) {
        for (Objex* o = layer ? layer->firstObject : nullptr; o; o = o->next) UpdateAttachedDimObject(o);
    });
}
