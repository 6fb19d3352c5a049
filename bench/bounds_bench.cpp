// Bounds over a whole large design back zoom-to-fit, printing, selection frames and the
// status readouts after every click; texture mapping runs after every reshaping.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench_support.h"
#include "model/bounds.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/texture_mapping.h"
#include "model/view_state.h"

namespace {

// Every point of the design in plan: the least a bounds pass must look at.
float PointsFloor() {
    float low = 1e30f, high = -1e30f;
    struct Walk {
        static void Tree(const Objex* o, float& low, float& high) {
            for (; o; o = o->next) {
                for (const Poinz* p = o->firstPoint; p; p = p->next) {
                    low = std::min(low, std::min(p->position[0], p->position[2]));
                    high = std::max(high, std::max(p->position[0], p->position[2]));
                }
                Tree(o->firstChild, low, high);
            }
        }
    };
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next) Walk::Tree(l->firstObject, low, high);
    return high - low;
}

// Argument 0: plan view from above; 1: an isometric view in perspective.
void SetBenchView(int64_t view) {
    if (view == 0) {
        gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    } else {
        gXViewAngle = 30, gYViewAngle = 45, gPerspective = 1, gViewFactor = 6.0f, gViewDistance = 20000;
    }
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
}

bool Prepare(benchmark::State& state, int64_t view, bool labelView = true, int64_t objects = dvxbench::kSmall) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(objects, &stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    SetBenchView(view);
    if (labelView) state.SetLabel(view == 0 ? "plan" : "isometric perspective");
    state.counters["objects"] = stats.objects;
    state.counters["points"] = stats.points;
    return true;
}

// The plan bounds of the whole design at each size, beside the walk over its points.
void BM_Bounds(benchmark::State& state) {
    if (!Prepare(state, 0, true, state.range(0))) return;
    dvxbench::Measured measured(state, "bounds",
                                dvxbench::BestSeconds(15, [] { benchmark::DoNotOptimize(PointsFloor()); }));
    measured.start();
    for (auto _ : state) {
        FloatRect r = EmptyFloatRect();
        GetAllLayersBounds(gCurDocument->itsLayers, 0, &r, 0, 1);
        benchmark::DoNotOptimize(r);
    }
    measured.report();
}
BENCHMARK(BM_Bounds)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_GetAllLayersBounds(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    for (auto _ : state) {
        FloatRect r = EmptyFloatRect();
        GetAllLayersBounds(gCurDocument->itsLayers, 0, &r, 0, 1);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_GetAllLayersBounds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GetAllLayers3DBounds(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    for (auto _ : state) {
        Float3DRect r = EmptyFloat3DRect();
        GetAllLayers3DBounds(gCurDocument->itsLayers, 0, &r, 0);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_GetAllLayers3DBounds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GetAllLayersObjBounds(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    for (auto _ : state) {
        FloatRect r = EmptyFloatRect();
        GetAllLayersObjBounds(gCurDocument->itsLayers, 0, &r, 0, 1);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_GetAllLayersObjBounds)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GetAllSpecialLayers3DBounds(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    for (auto _ : state) {
        Float3DRect r = EmptyFloat3DRect();
        GetAllSpecialLayers3DBounds(gCurDocument->itsLayers, 0, &r, 0);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_GetAllSpecialLayers3DBounds)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void MapTree(Objex* o, int64_t* count) {
    for (; o; o = o->next) {
        SetTextureFaceUV(o);
        ++*count;
        MapTree(o->firstChild, count);
    }
}

// Reported per object: the "per_object" counter is seconds per mapped object.
void BM_SetTextureFaceUV(benchmark::State& state) {
    if (!Prepare(state, 0, false)) return;
    int64_t mapped = 0;
    for (auto _ : state) {
        int64_t count = 0;
        for (Layer* l = gCurDocument->itsLayers; l; l = l->next) MapTree(l->firstObject, &count);
        mapped += count;
    }
    state.SetItemsProcessed(mapped);
    state.counters["per_object"] = benchmark::Counter(static_cast<double>(mapped),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SetTextureFaceUV)->Unit(benchmark::kMillisecond);

}  // namespace
