// The wall tool's release that joins two walls: two fresh two-point walls beside the generated
// design at 5,000 and 50,000 objects, and a drag from the first's free end to the second's, so
// the merge, the limiting against every wall of the floor, the tidying and the rebuild all run.
// The floor builds and deletes the same two walls without joining them. Then the tidying scan
// of a 500-point zigzag wall (nothing to drop), with one pass over its directions as floor.
// Time per call.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "tools/wall_construction.h"
#include "tools/wall_defaults.h"
#include "tools/wall_joins.h"
#include "tools/wall_tool.h"
#include "model/click_info.h"
#include "model/poly_builders.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kH = -3000, kD = -3000;  // clear of the design

Objex* TwoPointWall(float h1, float d1, float h2, float d2) {
    const Float3DPoint at[2] = {{h1, 0, d1}, {h2, 0, d2}}, none[2] = {};
    Objex* wall = BuildOpenPoly(at, nullptr, none, none, nullptr, nullptr, 2, gCurDocument->itsCurLayer, 1);
    SetNewWallDefaults(wall, NewWallKind::Interior, CurrentDocState());
    Update3DWall(wall);
    return wall;
}

ClickInfo PointHit(Objex* wall, Poinz* point) {
    ClickInfo c;
    c.ciHit = c.ciPointHit = 1, c.ciPoint = point, c.ciObject = wall;
    return c;
}

// A (kH, kD) -> (kH + 100, kD) and B (kH + 200, kD + 100) -> (kH + 200, kD): last to last.
void JoinByDrag() {
    Objex* a = TwoPointWall(kH, kD, kH + 100, kD);
    Objex* b = TwoPointWall(kH + 200, kD + 100, kH + 200, kD);
    Poinz* aEnd = a->firstPoint->next;
    Poinz* bEnd = b->firstPoint->next;
    gCurTool = 7052, gCurSnap = snapmode::kNone, gTrackModifiers = 0, gTrackConstrainAngle = 0;
    gStartMouse = {0, 0}, gEndMouse = {100, 0};
    gClickInfo = PointHit(a, aEnd);
    gDownX = kH + 100, gDownY = 0, gDownZ = kD;
    TrackWall(0, 0, gDownX, gDownY, gDownZ, 1);
    gClickInfo = PointHit(b, bEnd);
    gUpX = kH + 200, gUpY = 0, gUpZ = kD;
    TrackWall(100, 0, gUpX, gUpY, gUpZ, 3);
    DeleteObj(a);
}

void BM_WallToolJoin(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return;
    }
    state.counters["objects"] = stats.objects;
    dvxbench::Measured measured(state, "wall_join", dvxbench::BestSeconds(15, [] {
                                    DeleteObj(TwoPointWall(kH, kD, kH + 100, kD));
                                    DeleteObj(TwoPointWall(kH + 200, kD + 100, kH + 200, kD));
                                }));
    measured.start();
    for (auto _ : state) JoinByDrag();
    measured.report();
    gClickInfo = ClickInfo{};
}
BENCHMARK(BM_WallToolJoin)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

void BM_OptimizeWall500(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    Objex* wall = TwoPointWall(kH, kD, kH + 10, kD + 10);
    Poinz* last = wall->firstPoint->next;
    for (int i = 2; i < 500; ++i) {
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, kH + 10.0f * i, 0, kD + (i % 2 ? 0.0f : 10.0f), 0, 0, 0, 0, 0, 0, wall);
        InsertPointInObject(p, wall, last);
        last = p;
    }
    auto directions = [wall] {
        float sum = 0, length = 0;
        for (Poinz* p = wall->firstPoint; p && p->next; p = p->next)
            sum += GetLineLengthAndAngle(p->position[0], p->position[2], p->next->position[0], p->next->position[2], &length);
        benchmark::DoNotOptimize(sum);
    };
    dvxbench::Measured measured(state, "optimize_wall", dvxbench::BestSeconds(15, directions));
    measured.start();
    for (auto _ : state) OptimizeWall(wall);
    measured.report();
    state.counters["points"] = wall->pointCount;
    DeleteObj(wall);
}
BENCHMARK(BM_OptimizeWall500)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

}  // namespace
