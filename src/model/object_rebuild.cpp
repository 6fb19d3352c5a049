#include "model/object_rebuild.h"

#include "model/bounds.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"

bool RebuildObjectByType(Objex* object, RebuildTable table, bool refreshRoof) {
    if (!object) return false;
    uint8_t scopes = rebuild::kObjectScopes;
    if (table == RebuildTable::Full) scopes = rebuild::kEveryScope;
    if (table == RebuildTable::Read) scopes = rebuild::kObjectAndTerrain;
    if (!rebuild::Run(object, scopes)) return false;
    if (object->type == objtype::kRoof && refreshRoof) Refresh();
    return true;
}

void RefreshObjectBounds(Objex* object) {
    UpdateObjectRootBounds(object, 0, 0);
}
