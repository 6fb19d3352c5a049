#include "scene/scene_rebuilds.h"

#include "model/objects.h"
#include "model/rebuild_table.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

void RegisterSceneRebuilders() {
    rebuild::RegisterScene({ReRenderObject, RenderEntireObject, RenderAllLayers, DeleteRendererObject,
                            DeleteDocumentRendererObjects, SetLotElevation});
    for (int16_t type = 0; type < objtype::kTypeCodeLimit; ++type)
        if (objtype::Has(type, objtype::kSetsLotElevation))
            rebuild::Register(type, [](Objex*) { SetLotElevation(); }, rebuild::Scope::Lot);
}
