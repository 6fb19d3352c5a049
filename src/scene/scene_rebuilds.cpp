#include "scene/scene_rebuilds.h"

#include "model/objects.h"
#include "model/rebuild_table.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

namespace {

bool HasPieces() { return gGLPlaneObjects != nullptr; }

bool Shows(const PlaneObject* p, int32_t texture) {
    return (p->surfaceKind == kPlanarSurface ? p->frontTexture : p->backTexture) == texture;
}

bool PieceShowsTexture(int32_t texture) {
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (Shows(p, texture)) return true;
        for (const PlaneObject* m = p->masks; m; m = m->next)
            if (Shows(m, texture)) return true;
        for (const PlaneObject* t = p->trims; t; t = t->next)
            if (Shows(t, texture)) return true;
    }
    return false;
}

}  // namespace

void RegisterSceneRebuilders() {
    rebuild::RegisterScene({ReRenderObject, RenderEntireObject, RenderAllLayers, DeleteRendererObject,
                            DeleteDocumentRendererObjects, SetLotElevation, RenderSingleObject, HasPieces,
                            PieceShowsTexture, SettleGround});
    // Inside a ground batch a terrain object's rebuild only notes that the ground moved.
    for (int16_t type = 0; type < objtype::kTypeCodeLimit; ++type)
        if (objtype::Has(type, objtype::kSetsLotElevation))
            rebuild::Register(type, [](Objex*) { rebuild::SetLotElevation(); }, rebuild::Scope::Lot);
}
