// Frames of a neighbourhood of furnished houses with their lamps' glows at 800 x 600: the test
// designs' furnished house pasted into one design 64 and 512 times, a grid of houses seen from
// above. The floor is the same frame without the glows; `glow_share` is the frame over it and
// `copies_ratio`, at 512, the frame over the frame at 64 (eight times the design).
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <string>

#include "bench_support.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "osmesa_context.h"
#include "reference_scene.h"
#include "render_surface.h"
#include "render/core/live_view_seams.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "support/pasted_copies.h"
#include "support/seam_recorders.h"

namespace {

constexpr int kWidth = dvxbench::kSurfaceWidth, kHeight = dvxbench::kSurfaceHeight;

struct Neighbourhood {
    QMDDocumentModel* doc = nullptr;
    PlaneObject* pieces = nullptr;
    int64_t count = 0, lamps = 0;
};

// The furnished house read and pasted into itself on a grid of `copies` houses, its scene
// built. Kept for the run.
Neighbourhood* UseNeighbourhood(int64_t copies) {
    static std::map<int64_t, Neighbourhood> made;
    for (auto& [n, hood] : made)
        if (hood.doc == gCurDocument && gGLPlaneObjects) hood.pieces = gGLPlaneObjects;
    Neighbourhood& hood = made[copies];
    if (!hood.doc) {
        gGLPlaneObjects = nullptr;
        hood.doc = QMDDocumentModel::alloc()->init();
        if (!hood.doc) return nullptr;
        gCurDocument = hood.doc;
        LoadSymbolListsIfEmpty();  // the fixtures' pieces come from the stock symbols
        if (KeyFileRead(DVX_TEST_DESIGNS "/furnished-house.pro") != 1) return nullptr;
        if (!dvxtest::PasteCopiesOnAGrid(int(copies), 200)) return nullptr;
        SetLiveViewControllerExistsHandler([] { return true; });
        gLiveViewPanelVisible = 1;
        RenderAllLayers();
        hood.pieces = gGLPlaneObjects;
        const void* last = nullptr;
        for (const PlaneObject* p = hood.pieces; p; p = p->next) {
            ++hood.count;
            const int16_t type = p->object3D ? p->object3D->type : 0;
            if (p->pieceKind == 111 && type >= 79 && type <= 152 && p->baseObject != last) ++hood.lamps, last = p->baseObject;
        }
    }
    gCurDocument = hood.doc;
    gGLPlaneObjects = hood.pieces;
    return &hood;
}

void BM_FrameWithLampGlows(benchmark::State& state) {
    static std::map<int64_t, double> frames;  // mean seconds of a frame, by copies
    dvxtest::OffscreenGL& gl = dvxbench::RenderSurface();
    const Neighbourhood* hood = UseNeighbourhood(state.range(0));
    DocState* ds = hood ? CurrentDocState() : nullptr;
    if (!ds) {
        state.SkipWithError("the design could not be built");
        return;
    }
    if (hood->lamps == 0) {
        state.SkipWithError("no lamps: the stock symbols were not found");
        return;
    }
    dvxtest::LiveViewHostRecorder host(&gl, kWidth, kHeight);
    SetLiveViewControllerExistsHandler([] { return true; });
    dvxbench::FlyOverScene(ds);
    ds->shadowsOn = 0, ds->renderValue = hideflag::kMaterials, ds->renderFlag = 0;
    gRenderOpenGLAntiAlias = 0;
    const double without = dvxbench::BestSeconds(3, [] {
        RenderGLScene();
        FinalizeGLScene();
        glFinish();
    });
    dvxbench::Measured measured(state, "frame with lamp glows", without);
    const auto t0 = std::chrono::steady_clock::now();
    measured.start();
    for (auto _ : state) {
        RefreshGLScene();
        glFinish();
    }
    measured.report();
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (state.iterations() == 0) return;
    const double frame = total / double(state.iterations());
    frames[state.range(0)] = frame;
    state.counters["glow_share"] = frame / without;
    if (auto small = frames.find(64); state.range(0) == 512 && small != frames.end())
        state.counters["copies_ratio"] = frame / small->second;
    state.counters["pieces"] = double(hood->count);
    state.counters["lamps"] = double(hood->lamps);
    SetLiveViewControllerExistsHandler(nullptr);
}
BENCHMARK(BM_FrameWithLampGlows)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);

}  // namespace
