// Real-time frames of the reference scenes at 800 x 600: the first frame of an interaction,
// which compiles the display lists while drawing, and a replayed frame, at speeds 6, 8 and 10,
// each beside its floor (the scene's triangles in one colour as one display list: compiled,
// or replayed).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/renderer_startup.h"
#include "render/rt_frame.h"
#include "scene/plane_object.h"
#include "support/seam_recorders.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight;

// The floor: the scene's triangles in one colour through one list, compiled (and drawn) or
// replayed, then read back.
double FloorSeconds(bool compile, std::vector<uint8_t>& pixels) {
    GLuint list = glGenLists(1);
    auto draw = [&] {
        glBegin(GL_TRIANGLES);
        glColor3f(0.5f, 0.5f, 0.5f);
        for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
            for (const Plane* plane = p->planes; plane; plane = plane->next)
                for (uint32_t i = 2; i < plane->count; ++i)
                    for (uint32_t k : {0u, i - 1, i})
                        glVertex3f(plane->vertices[k].H, -plane->vertices[k].V, plane->vertices[k].D);
        glEnd();
    };
    glNewList(list, GL_COMPILE);
    draw();
    glEndList();
    const double s = dvxbench::BestSeconds(3, [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (compile) {
            glNewList(list, GL_COMPILE_AND_EXECUTE);
            draw();
            glEndList();
        } else {
            glCallList(list);
        }
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    });
    glDeleteLists(list, 1);
    return s;
}

void RealTime(benchmark::State& state, bool firstFrame) {
    const dvxbench::FlownScene scene(state);
    DocState* ds = scene.ds;
    if (!ds) return;
    const int16_t speed = int16_t(state.range(1));
    ds->navigationSpeed = speed;
    std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 4);
    rt::RTInitializeGLScene();
    rt::RTSetViewpoint(*ds);  // the frame's camera for the floor
    const std::string family = std::string(firstFrame ? "rt_first_" : "rt_replay_") + std::to_string(speed);
    dvxbench::Measured measured(state, family, FloorSeconds(firstFrame, pixels));
    auto frame = [&] {
        rt::RTSetViewpoint(*ds);
        rt::RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
        rt::RTFinalizeGLScene();
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    };
    if (!firstFrame) frame();
    measured.start();
    for (auto _ : state) {
        if (firstFrame) rt::RTInitializeGLScene();
        frame();
    }
    measured.report();
    state.counters["pieces"] = double(scene.pieces);
}

void BM_RealTimeFirstFrame(benchmark::State& state) { RealTime(state, true); }
void BM_RealTimeReplayedFrame(benchmark::State& state) { RealTime(state, false); }
BENCHMARK(BM_RealTimeFirstFrame)
    ->ArgsProduct({{dvxbench::kSmall, dvxbench::kLarge}, {6, 8, 10}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealTimeReplayedFrame)
    ->ArgsProduct({{dvxbench::kSmall, dvxbench::kLarge}, {6, 8, 10}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
