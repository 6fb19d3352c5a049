// Curved outlines are sampled for every length, bound and drawn segment; keep it cheap.
#include <benchmark/benchmark.h>

#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/splines.h"

static void BM_CurvedSegmentLength(benchmark::State& state) {
    // A quarter-circle segment, sampled at the default resolution of 10 (no document).
    Poinz p{}, q{};
    float h0, th0, th1, h1, d0, td0, td1, d1;
    BuildRadiusSpline(1.5707964f, 100.0f, &h0, &th0, &th1, &h1, &d0, &td0, &td1, &d1);
    p.position[0] = h0, p.position[2] = d0, p.outTangent[0] = th0, p.outTangent[2] = td0;
    q.position[0] = h1, q.position[2] = d1, q.inTangent[0] = th1, q.inTangent[2] = td1;
    Objex wall{};
    wall.type = 12;
    for (auto _ : state) benchmark::DoNotOptimize(GetSegmentLength(&wall, &p, &q));
}
BENCHMARK(BM_CurvedSegmentLength);

static void BM_PointAlongCurve(benchmark::State& state) {
    // Asking past the end walks all 102 samples.
    Poinz p{}, q{};
    p.outTangent[0] = 30, q.position[0] = 100, q.position[2] = 50, q.inTangent[2] = 30;
    FloatPoint at;
    for (auto _ : state) benchmark::DoNotOptimize(GetPointOnLineFromLength(&p, &q, &at, 1000.0f));
}
BENCHMARK(BM_PointAlongCurve);
