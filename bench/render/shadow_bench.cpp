// Shadow renders of the reference scenes at 800 x 600 beside their floor. One can light at full
// quality, and ten without anti-aliasing: the floor draws the scene once per depth image the
// render needs (the dark, depth, lit, plant and refill renders and one per light view) with
// its read-back, and does no per-pixel work. Then the eye-position fill of one camera beside a
// plain pass over the same depth image. Last the sun: an 8 x 8 depth grid beside 64 depth renders
// of the scene at the square size with their read-backs, and the per-pixel sun lookup, with the
// sun buffers' peak.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/core/live_view_seams.h"
#include "render/core/shadow_lights.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/render_frame.h"
#include "render/renderer_startup.h"
#include "render/shadow_render.h"
#include "render/sun_shadows.h"
#include "scene/plane_object.h"
#include "support/seam_recorders.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight;
constexpr int kReferenceRenders = 5;

// The design's fixtures as can lights beside their floor, the first `on` switched on.
int SwitchFixtures(int on) {
    int seen = 0;
    for (Layer* layer = gCurDocument ? gCurDocument->itsLayers : nullptr; layer; layer = layer->next)
        for (Objex* o = layer->firstObject; o; o = o->next) {
            Objex* lamp = o->type == 1000 ? o->firstChild : nullptr;
            if (!lamp || lamp->type < 79 || lamp->type > 152) continue;
            lamp->type = 80, objfield::light::kBeamWidth(*lamp) = 100, objfield::light::kAmbient(*lamp) = 0;
            objfield::light::kOff(*lamp) = seen++ < on ? 0 : 1;
        }
    return std::min(seen, on);
}

void Shadowed(benchmark::State& state, int lights, int16_t quality, const char* family) {
    const dvxbench::FlownScene scene(state);
    DocState* ds = scene.ds;
    if (!ds) return;
    const int on = SwitchFixtures(lights);
    ds->shadowsOn = 1, ds->sunOn = 0, ds->shadowQuality = quality, ds->renderValue = 0;
    const std::vector<float> triangles = dvxbench::SceneTriangles();
    std::vector<float> depth(size_t(kWidth) * kHeight);
    InitializeGLScene();
    dvxbench::Measured measured(state, family, dvxbench::BestSeconds(3, [&] {
        for (int i = 0; i < kReferenceRenders + on; ++i) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, triangles.data());
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
            glDisableClientState(GL_VERTEX_ARRAY);
            glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        }
    }));
    measured.start();
    for (auto _ : state) RefreshGLScene();
    measured.report();
    state.counters["pieces"] = double(scene.pieces);
    state.counters["lights"] = on;
}

void BM_ShadowOneCanLightFull(benchmark::State& state) { Shadowed(state, 1, 5, "shadow_one_full"); }
BENCHMARK(BM_ShadowOneCanLightFull)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_ShadowTenLightsQuick(benchmark::State& state) { Shadowed(state, 10, 0, "shadow_ten_quick"); }
BENCHMARK(BM_ShadowTenLightsQuick)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

// One camera's eye positions over a depth image whose every pixel holds the scene.
void BM_EyePositionFill(benchmark::State& state) {
    ViewMatrices camera;
    for (int i = 0; i < 16; i += 5) camera.modelview[i] = 1;
    const double f = 1.0 / std::tan(0.3927), n = 1, far = 40000;
    camera.projection[0] = f * kHeight / kWidth, camera.projection[5] = f;
    camera.projection[10] = (far + n) / (n - far), camera.projection[11] = -1, camera.projection[14] = 2 * far * n / (n - far);
    camera.viewport[2] = kWidth, camera.viewport[3] = kHeight;
    std::vector<float> depth(size_t(kWidth) * kHeight), eyes(depth.size() * 3);
    for (size_t i = 0; i < depth.size(); ++i) depth[i] = 0.5f + 0.4f * float(i % kWidth) / kWidth;
    const double floor = dvxbench::BestSeconds(5, [&] {
        for (size_t i = 0; i < depth.size(); ++i) {
            eyes[3 * i] = float(i % kWidth), eyes[3 * i + 1] = float(i / kWidth), eyes[3 * i + 2] = depth[i];
        }
        benchmark::DoNotOptimize(eyes.data());
    });
    const double fill = dvxbench::BestSeconds(5, [&] { FillEyePositions(camera, depth, kWidth, kHeight, eyes); });
    for (auto _ : state) {
        FillEyePositions(camera, depth, kWidth, kHeight, eyes);
        benchmark::DoNotOptimize(eyes.data());
    }
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["x_floor"] = fill / floor;
}
BENCHMARK(BM_EyePositionFill)->Unit(benchmark::kMillisecond);

// The sun's grid at quality 5 (8 x 8) over the reference scene, then one lookup of every camera
// pixel in it.
void BM_SunGrid(benchmark::State& state) {
    const dvxbench::FlownScene scene(state);
    DocState* ds = scene.ds;
    if (!ds) return;
    SwitchFixtures(0);
    ds->shadowsOn = 1, ds->sunOn = 1, ds->sunShadowQuality = 5, ds->sunValueB = 45, ds->sunValueD = 100;
    const std::vector<float> triangles = dvxbench::SceneTriangles();
    std::vector<float> depth(size_t(kWidth) * kHeight);
    InitializeGLScene();
    glGetDoublev(GL_MODELVIEW_MATRIX, gCamMVMatrix);
    glGetDoublev(GL_PROJECTION_MATRIX, gCamProjMatrix);
    glGetIntegerv(GL_VIEWPORT, gCamViewPort);
    // The camera's depth of the scene, for the lookup.
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, triangles.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
    std::vector<float> camera(size_t(kWidth) * kHeight);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, camera.data());
    dvxbench::Measured measured(state, "sun_grid", dvxbench::BestSeconds(1, [&] {
        for (int i = 0; i < 64; ++i) {
            glClear(GL_DEPTH_BUFFER_BIT);
            glEnableClientState(GL_VERTEX_ARRAY);
            glVertexPointer(3, GL_FLOAT, 0, triangles.data());
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size() / 3));
            glDisableClientState(GL_VERTEX_ARRAY);
            glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        }
    }));
    gShadowBufferUse = {};
    measured.start();
    for (auto _ : state) FillSunMapWithGrid();
    measured.report();
    // The lookup over a full camera: every pixel's depth and eye position in place.
    gVPWidth = kWidth, gVPHeight = kHeight;
    gCamDBuffer = camera, gEyeUnProBuf.assign(depth.size() * 3, 0.0f), gSunMap.assign(depth.size(), 1.0f);
    gFillUnProjectBuffer = 1;
    FillEyePositions(CameraView(), gCamDBuffer, kWidth, kHeight, gEyeUnProBuf);
    gFillUnProjectBuffer = 0;
    state.counters["lookup_ms"] = dvxbench::BestSeconds(3, [] { FillSunMapWithPreRenderedGrid(); }) * 1e3;
    state.counters["sun_peak_MB"] = double(gShadowBufferUse.sunPeakBytes) / (1 << 20);
    state.counters["pieces"] = double(scene.pieces);
    FreeShadowRenderState();
}
BENCHMARK(BM_SunGrid)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
