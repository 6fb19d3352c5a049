#include "geometry/elements/element_rebuilds.h"

#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/skylight_symbols.h"
#include "geometry/elements/stair_build.h"
#include "model/objects.h"
#include "model/rebuild_table.h"

void RegisterElementRebuilders() {
    using rebuild::Register;
    Register(objtype::kStaircase, UpdateStairObject);
    Register(objtype::kRailing, UpdateRailObject);
    Register(objtype::kFence, UpdateFenceObject);
    Register(objtype::kEdging, UpdateEdgingObject);
    for (int16_t type : {objtype::kSkylight, objtype::kRoofCutout}) Register(type, RebuildSkylightSymbols, rebuild::Scope::Symbol);
}
