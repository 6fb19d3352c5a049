// The face drawers, and one pass of the scene walk, over the reference scenes beside their
// floor (the same vertices as one triangle batch in one colour), and a 100 x 100 grid's shading list beside one pass that only
// computes each cell's normal.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cfloat>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/projection.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/plane_renderers.h"
#include "render/renderer_startup.h"
#include "render/scene_list_renderer.h"
#include "scene/plane_object.h"
#include "support/build.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight;

void Frame() {
    const auto [minX, maxX, minZ, maxZ] = dvxbench::SceneExtent();
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(minX, maxX, minZ, maxZ, -1e6, 1e6);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-90, 1, 0, 0);
}

void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The floor: every plane fanned into triangles, one batch, one colour.
void DrawBatch(const std::vector<float>& triangles) {
    Clear();
    glColor3ub(200, 200, 200);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, triangles.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
    glFinish();
}

// Draws the reference scene of the state's size with `draw` per iteration, beside the floor.
void DrawScene(benchmark::State& state, const char* family, void (*draw)()) {
    dvxbench::RenderSurface();
    const int64_t pieces = dvxbench::UseReferenceScene(state.range(0));
    if (pieces < 0) {
        state.SkipWithError("the design could not be built");
        return;
    }
    Frame();
    const std::vector<float> triangles = dvxbench::SceneTriangles();
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(3, [&] { DrawBatch(triangles); }));
    measured.start();
    for (auto _ : state) {
        Clear();
        draw();
        glFinish();
    }
    measured.report();
    state.counters["pieces"] = static_cast<double>(pieces);
}

void BM_RenderGLPlaneObject(benchmark::State& state) {
    DrawScene(state, "plane_drawer", [] {
        for (PlaneObject* p = gGLPlaneObjects; p; p = p->next) RenderGLPlaneObject(p, 0);
    });
}
BENCHMARK(BM_RenderGLPlaneObject)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

// One pass of the scene walk: visibility, masks through the stencil, three floor passes and
// the translucent pass.
void BM_RenderGLPlaneObjects(benchmark::State& state) {
    DrawScene(state, "scene_walk", [] {
        glClear(GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
        RenderGLPlaneObjects(gGLPlaneObjects);
    });
}
BENCHMARK(BM_RenderGLPlaneObjects)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

// A 100 x 100 grid of rolling heights.
void BM_GridShadingList(benchmark::State& state) {
    const int n = int(state.range(0));
    QMDDocumentModel* doc = dvxbench::SharedDesign(dvxbench::kSmall);
    if (!doc) {
        state.SkipWithError("no document");
        return;
    }
    Objex* grid = dvxtest::Make(10, objfield::grid_surface::kSubtype).grid(n + 1, n + 1, 10);
    for (Poinz* p = grid->firstPoint; p; p = p->next)
        p->position[1] = float((int(p->position[0]) * 7 + int(p->position[2]) * 3) % 40);
    std::vector<float> h;
    for (Poinz* p = grid->firstPoint; p; p = p->next) h.push_back(p->position[1]);
    std::vector<RGBColor> colors(size_t(n + 1) * size_t(n + 1));
    const RGBColor base{0xC0C0, 0xA0A0, 0x8080};
    dvxbench::Measured measured(state, "grid_shading", dvxbench::BestSeconds(5, [&] {
        float sum = 0;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                float a, b, c, d;
                const size_t k = size_t(i + j * (n + 1));
                CalcParametric(i * 10.0f, h[k], j * 10.0f, (i + 1) * 10.0f, h[k + 1], j * 10.0f, i * 10.0f,
                               h[k + size_t(n + 1)], (j + 1) * 10.0f, &a, &b, &c, &d);
                sum += a + b + c;
            }
        benchmark::DoNotOptimize(sum);
    }));
    measured.start();
    for (auto _ : state) {
        SetUpGridPlaneShadingAndTextureList(colors.data(), base, 0, 100, 100, n * 10.0f, n * 10.0f, n, n, 10, 10, grid);
        benchmark::DoNotOptimize(colors.data());
    }
    measured.report();
    DeleteObj(grid);
}
BENCHMARK(BM_GridShadingList)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
