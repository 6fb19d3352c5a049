// The reference scene's plant billboards and its 10 light glows per frame at 800 x 600, beside
// their floor: the same plant footprints as plain quads of their billboard's size and 10 plain
// quads, without the probes, the sprite arithmetic or the stencil volumes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/billboards.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/renderer_startup.h"
#include "scene/plane_object.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight;

// A perspective view from above the scene's south-west corner towards its middle.
void Frame() {
    const auto [minX, maxX, minZ, maxZ] = dvxbench::SceneExtent();
    const double cx = (minX + maxX) / 2, cz = (minZ + maxZ) / 2, span = std::max(maxX - minX, maxZ - minZ);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, double(kWidth) / kHeight, 1, span * 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(cx, span * 0.4, maxZ + span * 0.3, cx, 0, cz, 0, 1, 0);
}

void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void BM_PlantBillboardsAndGlows(benchmark::State& state) {
    dvxbench::RenderSurface();
    if (dvxbench::UseReferenceScene(state.range(0)) < 0) {
        state.SkipWithError("the design could not be built");
        return;
    }
    if (DocState* ds = CurrentDocState()) ds->renderMode = 5, ds->renderFlag = 0, ds->renderValue = 0;
    Frame();
    // The generated plants are single points and its fixtures are not yet built as light
    // pieces, so both are stood up here where the design puts them: a 40-unit footprint and a
    // 60-unit billboard per plant, one light piece per fixture.
    PlaneObject* head = nullptr;
    std::vector<PlaneObject*> plants;
    std::vector<float> quads;
    int lights = 0;
    for (Layer* layer = gCurDocument ? gCurDocument->itsLayers : nullptr; layer; layer = layer->next)
        for (Objex* base = layer->firstObject; base; base = base->next) {
            if (base->type == 28 && base->firstPoint) {
                const float x = base->firstPoint->position[0], z = base->firstPoint->position[2];
                auto* v = static_cast<PlaneVertex*>(std::calloc(4, sizeof(PlaneVertex)));
                const float corners[4][2] = {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}};
                for (int i = 0; i < 4; ++i) v[i].H = x + corners[i][0], v[i].D = z + corners[i][1];
                PlaneObject* plant = CreatePlaneObject();
                AppendPlane(v, 4, 0, 1, 0, plant);
                plant->surfaceKind = kPlantSurface;
                plant->baseObject = plant->object3D = base;
                plant->frontTexture = base->firstPoint->texture1;
                plant->plantHalfWidth = 20, plant->plantHeight = 60;
                AppendPlaneObjectToList(head, plant);
                plants.push_back(plant);
                quads.insert(quads.end(), {x - 20, 60, z, x + 20, 60, z, x + 20, 0, z, x - 20, 0, z});
            } else if (base->type == 1000 && base->firstChild && base->firstChild->type == 79 && lights < 10) {
                PlaneObject* light = CreatePlaneObject();
                light->pieceKind = 111;
                light->baseObject = base, light->object3D = base->firstChild;
                AppendPlaneObjectToList(head, light);
                ++lights;
            }
        }
    for (int i = 0; i < 10; ++i) quads.insert(quads.end(), {0, 10, 0, 10, 10, 0, 10, 0, 0, 0, 0, 0});
    dvxbench::Measured measured(state, "billboards", dvxbench::BestSeconds(3, [&] {
        Clear();
        glColor3ub(255, 255, 255);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, quads.data());
        glDrawArrays(GL_QUADS, 0, GLsizei(quads.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glFinish();
    }));
    measured.start();
    for (auto _ : state) {
        Clear();
        for (PlaneObject* p : plants) RenderGLPlantObject(p);
        RenderLights(head);
        glFinish();
    }
    measured.report();
    state.counters["plants"] = double(plants.size());
    state.counters["lights"] = double(lights);
    DeletePlaneObjectList(head);
}
BENCHMARK(BM_PlantBillboardsAndGlows)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
