#include "model/object_rebuild.h"

#include "model/bounds.h"
#include "model/objects.h"
#include "model/rebuild_table.h"
#include "plan/refresh_seams.h"

bool RebuildObjectByType(Objex* object, RebuildTable table, bool refreshRoof) {
    if (!object) return false;
    if (!rebuild::Run(object, table == RebuildTable::Full ? rebuild::kEveryScope : rebuild::kObjectScopes))
        return false;
    if (object->type == objtype::kRoof && refreshRoof) Refresh();
    return true;
}

void RefreshObjectBounds(Objex* object) {
    UpdateObjectRootBounds(object, 0, 0);
}
