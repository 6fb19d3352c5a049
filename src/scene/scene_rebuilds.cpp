#include "scene/scene_rebuilds.h"

#include "model/objects.h"
#include "model/rebuild_table.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

void RegisterSceneRebuilders() {
    rebuild::RegisterScene({ReRenderObject, RenderEntireObject, RenderAllLayers, DeleteRendererObject,
                            DeleteDocumentRendererObjects, SetLotElevation});
    for (int16_t type : {objtype::kTopography, objtype::kEntireLot, objtype::kSlopeLot})
        rebuild::Register(type, [](Objex*) { SetLotElevation(); }, rebuild::Scope::Lot);
}
