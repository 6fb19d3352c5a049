#include "geometry/elements/element_rebuilds.h"

#include "geometry/elements/rebuild_seams.h"
#include "geometry/elements/stair_build.h"
#include "model/objects.h"
#include "model/rebuild_table.h"

void RegisterElementRebuilders() {
    using rebuild::Register;
    Register(objtype::kStaircase, UpdateStairObject);
    Register(objtype::kRailing, [](Objex* o) { UpdateRailObject(o); });
    Register(objtype::kFence, [](Objex* o) { UpdateFenceObject(o); });
    Register(objtype::kEdging, [](Objex* o) { UpdateEdgingObject(o); });
}
