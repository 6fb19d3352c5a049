// Every plane of five or more corners is tessellated as its piece enters the scene, so a
// scene build pays this per plane. Time per plane for convex outlines through the tessellator
// and for a crossed outline, which the tessellator hands to the ear clipper. The floor is
// making the piece alone (what a plane of four corners costs), timed in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "scene/tessellation.h"

namespace {

// A regular polygon of radius 500 in the ground plane; crossed, two neighbouring corners
// swap places so two edges cross.
std::vector<PlaneVertex> Outline(int corners, bool crossed) {
    std::vector<PlaneVertex> out(static_cast<size_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * std::numbers::pi * i / corners;
        out[i].H = static_cast<float>(500 * std::cos(a));
        out[i].D = static_cast<float>(500 * std::sin(a));
    }
    if (crossed) std::swap(out[corners / 4], out[corners / 4 + 1]);
    return out;
}

PlaneObject* Piece(const std::vector<PlaneVertex>& outline) {
    PlaneObject* p = CreatePlaneObject();
    auto* v = static_cast<PlaneVertex*>(std::malloc(outline.size() * sizeof(PlaneVertex)));
    std::copy(outline.begin(), outline.end(), v);
    AppendPlane(v, static_cast<uint32_t>(outline.size()), 0, -0.5f, 0, p);
    return p;
}

void BM_TessellatePlane(benchmark::State& state, bool crossed) {
    const std::vector<PlaneVertex> outline = Outline(static_cast<int>(state.range(0)), crossed);
    const double floor = dvxbench::BestSeconds(200, [&] { DeletePlaneObject(Piece(outline)); });
    size_t triangles = 0;
    dvxbench::Measured measured(state, crossed ? "crossed" : "convex", floor);
    measured.start();
    for (auto _ : state) {
        PlaneObject* p = Piece(outline);
        R3DTriangulatePlaneObject(p);
        triangles = 0;
        for (const Plane* t = p->planes; t; t = t->next) ++triangles;
        DeletePlaneObject(p);
    }
    measured.report();
    state.counters["triangles"] = static_cast<double>(triangles);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(BM_TessellatePlane, convex, false)->Arg(8)->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TessellatePlane, crossed, true)->Arg(64)->Unit(benchmark::kMicrosecond);
