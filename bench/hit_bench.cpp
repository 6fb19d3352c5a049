// Hit testing runs on every click and every snapped mouse move; the marquee on every drag.
// Over the generated 5,000-object design, with all three floors shown and active so every
// layer is searched, in plan view at the document's zoom.
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "bench_support.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/marquee.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/splines.h"
#include "model/view_state.h"
#include "model/click_info.h"

namespace {

bool Prepare(benchmark::State& state, int64_t objects = dvxbench::kSmall) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(objects, &stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
    gSelectIndex = 1;
    state.counters["objects"] = stats.objects;
    state.counters["points"] = stats.points;
    return true;
}

// Every point of the design against a click or a rectangle in plan: the least a search
// over the whole design must look at.
int PointsFloor(float h0, float d0, float h1, float d1) {
    struct Walk {
        static int Tree(const Objex* o, float h0, float d0, float h1, float d1) {
            int n = 0;
            for (; o; o = o->next) {
                for (const Poinz* p = o->firstPoint; p; p = p->next)
                    n += p->position[0] >= h0 && p->position[0] <= h1 && p->position[2] >= d0 && p->position[2] <= d1;
                n += Tree(o->firstChild, h0, d0, h1, d1);
            }
            return n;
        }
    };
    int n = 0;
    for (const Layer* l = gCurDocument->itsLayers; l; l = l->next) n += Walk::Tree(l->firstObject, h0, d0, h1, d1);
    return n;
}

// The points of the objects the index returns near the click, tested against it: the least
// a search through the index must look at.
int CandidatesFloor(POINT where) {
    const float x = static_cast<float>(where.x), y = static_cast<float>(where.y);
    FloatRect area;
    if (!PlanIndexViewArea(x, y, x, y, 7, &area)) return 0;
    int n = 0;
    std::vector<Objex*> candidates;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next) {
        candidates.clear();
        PlanIndexCandidates(l, area, &candidates);
        for (const Objex* o : candidates)
            for (const Poinz* p = o->firstPoint; p; p = p->next)
                n += p->position[0] >= area.floatLeft && p->position[0] <= area.floatRight &&
                     p->position[2] >= area.floatTop && p->position[2] <= area.floatBottom;
    }
    return n;
}

// A model position as the click the hit test compares it with.
POINT ViewPoint(float h, float v, float d) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return POINT{static_cast<int32_t>(h + 0.5f), static_cast<int32_t>(v + 0.5f)};
}

bool Search(POINT where, ClickInfo* out = nullptr) {
    ClickInfo click;
    click.ciWhere = where;
    const bool hit = SelectFromAllLayers(gCurDocument->itsLayers, &click, 0, nullptr, 0);
    if (out) *out = click;
    return hit;
}

// The middle object of the first floor, so the search passes over about half the design.
Objex* MiddleObject(bool (*wanted)(const Objex*)) {
    std::vector<Objex*> found;
    for (Objex* o = gCurDocument->itsLayers->firstObject; o; o = o->next)
        if (wanted(o)) found.push_back(o);
    return found.empty() ? nullptr : found[found.size() / 2];
}

bool HasPoints(const Objex* o) { return o->firstPoint && o->type == 9; }


// An empty spot in the gap between the second and third rows of neighbourhoods, which every
// size has whole, so each size searches the same surroundings (a spot past the last full row
// has neighbours below it only in the larger designs); false (and the benchmark skipped) when
// there is none.
bool FindEmptySpot(benchmark::State& state, POINT* where) {
    for (int32_t step = 0; step < 400; ++step) {
        *where = ViewPoint(598.0f * 10 - static_cast<float>(step), 0, 598.0f * 2);
        if (!Search(*where)) return true;
    }
    state.SkipWithError("no empty spot found");
    return false;
}

// An empty spot between neighbourhoods, searched through every layer at each size.
void BM_HitTest(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    POINT where{};
    if (!FindEmptySpot(state, &where)) return;
    Search(where);  // the index is built on the first search
    dvxbench::Measured measured(state, "hit", dvxbench::BestSeconds(15, [] {
                                    benchmark::DoNotOptimize(PointsFloor(5970, 1176, 5990, 1196));
                                }),
                                dvxbench::BestSeconds(15, [where] { benchmark::DoNotOptimize(CandidatesFloor(where)); }));
    measured.start();
    for (auto _ : state) benchmark::DoNotOptimize(Search(where));
    measured.report();
}
BENCHMARK(BM_HitTest)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

// A marquee over the whole plan at each size, toggling so every drag does the same work.
void BM_Marquee(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    const RECT r{-32767, -32767, 32767, 32767};
    dvxbench::Measured measured(state, "marquee", dvxbench::BestSeconds(15, [] {
                                    benchmark::DoNotOptimize(PointsFloor(-32767, -32767, 32767, 32767));
                                }));
    measured.start();
    for (auto _ : state) SelectAllLayersInRect(gCurDocument->itsLayers, &r, selmode::kToggle, 1);
    measured.report();
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
}
BENCHMARK(BM_Marquee)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

void BM_SelectFromAllLayers_EmptySpace(benchmark::State& state) {
    if (!Prepare(state)) return;
    POINT where{};
    if (!FindEmptySpot(state, &where)) return;
    for (auto _ : state) benchmark::DoNotOptimize(Search(where));
}
BENCHMARK(BM_SelectFromAllLayers_EmptySpace)->Unit(benchmark::kMicrosecond);

void BM_SelectFromAllLayers_Point(benchmark::State& state) {
    if (!Prepare(state)) return;
    Objex* o = MiddleObject(HasPoints);
    if (!o) {
        state.SkipWithError("no outline in the design");
        return;
    }
    const Poinz* p = o->firstPoint->next;
    const POINT where = ViewPoint(p->position[0], p->position[1], p->position[2]);
    ClickInfo click;
    if (!Search(where, &click) || !click.ciPointHit) {
        state.SkipWithError("the point is not hit");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(Search(where));
}
BENCHMARK(BM_SelectFromAllLayers_Point)->Unit(benchmark::kMicrosecond);

// The middle of a curved segment, on any floor, that the click takes as the segment (on a short
// one the middle lies within the pick square of an end and the click takes the point): the
// first such from the middle of the design's curved segments.
void BM_SelectFromAllLayers_CurvedSegment(benchmark::State& state) {
    if (!Prepare(state)) return;
    std::vector<POINT> middles;
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            for (const Poinz* p = o->firstPoint; p && p->next; p = p->next) {
                if (p->outTangent[0] == 0 && p->outTangent[2] == 0) continue;
                float h = 0, v = 0, d = 0;
                GetSplineCoordinate(p, p->next, 0.5f, &h, &v, &d);
                middles.push_back(ViewPoint(h, v, d));
            }
    std::optional<POINT> where;
    for (size_t i = 0; i < middles.size() && !where; ++i) {
        const POINT at = middles[(middles.size() / 2 + i) % middles.size()];
        ClickInfo click;
        if (Search(at, &click) && click.ciSegmentHit) where = at;
    }
    if (!where) {
        state.SkipWithError("the curve is not hit");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(Search(*where));
}
BENCHMARK(BM_SelectFromAllLayers_CurvedSegment)->Unit(benchmark::kMicrosecond);

// Argument 0: a marquee over one neighbourhood; 1: over the whole plan. Shift-style toggling
// keeps the work the same from one drag to the next.
void BM_SelectAllLayersInRect(benchmark::State& state) {
    if (!Prepare(state)) return;
    const POINT a = ViewPoint(600 * 5 - 10, 0, 600 * 2 - 10);
    const POINT b = state.range(0) == 0 ? ViewPoint(600 * 6 + 10, 0, 600 * 3 + 10) : POINT{32767, 32767};
    const RECT r = state.range(0) == 0 ? RECT{a.x, a.y, b.x, b.y} : RECT{-32767, -32767, b.x, b.y};
    state.SetLabel(state.range(0) == 0 ? "one neighbourhood" : "whole plan");
    for (auto _ : state) SelectAllLayersInRect(gCurDocument->itsLayers, &r, selmode::kToggle, 1);
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
}
BENCHMARK(BM_SelectAllLayersInRect)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
