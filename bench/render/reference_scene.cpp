#include "reference_scene.h"

#include <algorithm>
#include <cfloat>
#include <map>

#include "design_generator.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"

namespace dvxbench {

namespace {
struct Scene {
    QMDDocumentModel* doc = nullptr;
    PlaneObject* pieces = nullptr;
    int64_t count = 0;
};
constexpr int32_t kLights = 10;
}  // namespace

std::vector<float> SceneTriangles() {
    std::vector<float> v;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 2; i < plane->count; ++i)
                for (uint32_t k : {0u, i - 1, i})
                    v.insert(v.end(), {plane->vertices[k].H, -plane->vertices[k].V, plane->vertices[k].D});
    return v;
}

int64_t UseReferenceScene(int64_t objects) {
    static std::map<int64_t, Scene> scenes;
    // The scene list belongs to one design at a time: park the current one.
    for (auto& [size, scene] : scenes)
        if (scene.doc == gCurDocument && gGLPlaneObjects) scene.pieces = gGLPlaneObjects;
    Scene& scene = scenes[objects];
    if (!scene.doc) {
        DesignSize size;
        size.objects = static_cast<int32_t>(objects);
        size.lights = kLights;
        gGLPlaneObjects = nullptr;
        scene.doc = NewGeneratedDocument(size);
        if (!scene.doc) return -1;
        SetLiveViewControllerExistsHandler([] { return true; });
        gLiveViewPanelVisible = 1;
        RenderAllLayers();
        scene.pieces = gGLPlaneObjects;
        for (const PlaneObject* p = scene.pieces; p; p = p->next) ++scene.count;
    }
    gCurDocument = scene.doc;
    gGLPlaneObjects = scene.pieces;
    return scene.count;
}

Extent SceneExtent() {
    Extent e{FLT_MAX, -FLT_MAX, FLT_MAX, -FLT_MAX};
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) {
                e.minX = std::min(e.minX, plane->vertices[i].H), e.maxX = std::max(e.maxX, plane->vertices[i].H);
                e.minZ = std::min(e.minZ, plane->vertices[i].D), e.maxZ = std::max(e.maxZ, plane->vertices[i].D);
            }
    return e;
}

void FlyOverScene(DocState* ds) {
    const Extent e = SceneExtent();
    ds->cameraMode = 2, ds->flyValueA = 45, ds->flyValueB = 30, ds->renderMode = rendermode::kSolid;
    ds->lightOffset = {(e.minX + e.maxX) / 2, (e.minZ + e.maxZ) / 2}, ds->flyAltitude = e.maxX - e.minX;
}

}  // namespace dvxbench
