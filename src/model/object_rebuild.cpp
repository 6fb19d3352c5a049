#include "model/object_rebuild.h"

#include "model/bounds.h"
#include "model/document_model.h"
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

namespace {
void RebuildFramingShaped(Objex* head) {
    for (Objex* o = head; o; o = o->next) {
        if (objtype::Has(o->type, objtype::kBuiltForFramingView)) rebuild::Run(o, rebuild::kObjectScopes);
        else if (o->type == objtype::kGroup) RebuildFramingShaped(o->firstChild);
    }
}
}  // namespace

void RebuildWhatTheFramingViewShapes() {
    for (Layer* l = gCurDocument ? gCurDocument->itsLayers : nullptr; l; l = l->next) RebuildFramingShaped(l->firstObject);
}

void RefreshObjectBounds(Objex* object) {
    UpdateObjectRootBounds(object, 0, 0);
}
