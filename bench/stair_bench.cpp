// Staircase rebuilds: a straight stair of 14 risers with a landing and both rails, a curved
// three-point stair (both beside the 5,000-object design), and every staircase of the
// generated design. The floor of each is creating and freeing as many pieces with as many
// points alone.
#include <benchmark/benchmark.h>

#include <array>
#include <initializer_list>

#include "bench_support.h"
#include "geometry/elements/stair_build.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"

namespace {

namespace sf = objfield::stair;

using dvxbench::AllParts;
using dvxbench::PartCount;
using dvxbench::PartsOf;

// The floor: the pieces and their points made and freed, nothing computed.
double Floor(PartCount n) { return dvxbench::PartsFloor(n, objtype::kStairStep); }

// Points (H, D) with their in- and out-tangent (H, D).
Objex* NewStair(int32_t subtype, std::initializer_list<std::array<float, 4>> points) {
    const RGBColor white{0xFFFF, 0xFFFF, 0xFFFF};
    Layer* floor = gCurDocument->itsLayers;
    Objex* o = CreateObject(objtype::kStaircase, 0, 1, &white, &white, 1, 0, 0, nullptr, nullptr, nullptr, nullptr,
                            floor, TypeData{});
    o->subtype = subtype, o->rows = 1;
    sf::kWidth(*o) = 36, sf::kRiser(*o) = 7, sf::kTread(*o) = 10, sf::kRailHeight(*o) = 36, sf::kFloorHeight(*o) = 98;
    sf::kLeftRail(*o) = sf::kRightRail(*o) = 1, sf::kOpenSteps(*o) = sf::kClosedSteps;
    for (const auto& p : points) {
        Poinz* q = CreatePoint(1, 0, 0, 0, 0, 0, p[0], 0, p[1], 0, 0, 0, 0, 0, 0, o);
        q->outTangent[0] = q->inTangent[0] = p[2], q->outTangent[2] = q->inTangent[2] = p[3];
        AppendPointToObject(q, o);
    }
    AppendObjectToLayer(o, floor);
    return o;
}

void RebuildOne(benchmark::State& state, const char* family, Objex* stair) {
    UpdateStairObject(stair);
    dvxbench::Measured measured(state, family, Floor(PartsOf(stair)));
    measured.start();
    for (auto _ : state) UpdateStairObject(stair);
    measured.report();
    state.counters["pieces"] = double(PartsOf(stair).pieces);
    DeleteObj(stair);
}

// 14 risers of 7, a landing at the turn.
void BM_UpdateStraightStair(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    RebuildOne(state, "stair_straight", NewStair(objsubtype::kStraightStair, {{0, 0}, {0, -200}, {200, -200}}));
}
BENCHMARK(BM_UpdateStraightStair)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

void BM_UpdateCurvedStair(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    RebuildOne(state, "stair_curved",
               NewStair(801, {{0, 0, 0, -150}, {150, -150, 150, 0}, {300, 0, 0, 150}}));
}
BENCHMARK(BM_UpdateCurvedStair)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

void BM_UpdateStairAllLayers(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    UpdateStairAllLayers(gCurDocument->itsLayers);
    const PartCount n = AllParts(objtype::kStaircase);
    dvxbench::Measured measured(state, "stair_all_layers", Floor(n));
    measured.start();
    for (auto _ : state) UpdateStairAllLayers(gCurDocument->itsLayers);
    measured.report();
    state.counters["pieces"] = double(n.pieces);
}
BENCHMARK(BM_UpdateStairAllLayers)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
