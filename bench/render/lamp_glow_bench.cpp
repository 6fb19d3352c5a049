// Frames of a neighbourhood of furnished houses with their lamps' glows at 800 x 600: the test
// designs' furnished house pasted into one design until it stands 64 and 512 times, a grid of
// houses seen from above. The floor is the same frame without the glows; `glow_share` is the frame over it and
// `copies_ratio`, at 512, the frame over the frame at 64 (eight times the design), each the
// median of the iterations.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>
#include <map>
#include <string>

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

// The furnished house read and pasted into itself until `copies` houses (a power of two) stand
// on a grid, its scene built. Kept for the run.
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
        int times = 0;
        while ((int64_t(1) << times) < copies) ++times;
        if (!dvxtest::PasteDoubled(times, 200)) return nullptr;
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
    // Each iteration times the frame without the glows and then with them, so a machine's load
    // weighs on both alike; the medians are compared.
    auto seconds = [](void (*draw)()) {
        const auto t0 = std::chrono::steady_clock::now();
        draw();
        glFinish();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    };
    std::vector<double> with, without;
    for (auto _ : state) {
        state.PauseTiming();
        without.push_back(seconds([] {
            RenderGLScene();
            FinalizeGLScene();
        }));
        state.ResumeTiming();
        with.push_back(seconds(RefreshGLScene));
        state.SetIterationTime(with.back());
    }
    if (with.empty()) return;
    auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    const double frame = median(with), floor = median(without);
    frames[state.range(0)] = frame;
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["glow_share"] = frame / floor;
    if (auto small = frames.find(64); state.range(0) == 512 && small != frames.end())
        state.counters["copies_ratio"] = frame / small->second;
    state.counters["pieces"] = double(hood->count);
    state.counters["lamps"] = double(hood->lamps);
    SetLiveViewControllerExistsHandler(nullptr);
}
BENCHMARK(BM_FrameWithLampGlows)->Arg(64)->Arg(512)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
