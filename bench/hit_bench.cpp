// Hit testing runs on every click and every snapped mouse move; the marquee on every drag.
// Over the generated 5,000-object design, with all three floors shown and active so every
// layer is searched, in plan view at the document's zoom.
#include <benchmark/benchmark.h>

#include <vector>

#include "design_generator.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/marquee.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/splines.h"
#include "model/view_state.h"
#include "tracking/click_info.h"

namespace {

class HitDesign {
public:
    static HitDesign& Get() {
        static HitDesign design;
        return design;
    }
    QMDDocumentModel* doc() const { return doc_; }
    const dvxbench::DesignStats& stats() const { return stats_; }

private:
    HitDesign() {
        doc_ = dvxbench::NewGeneratedDocument({}, &stats_);
        if (!doc_) return;
        for (Layer* l = doc_->itsLayers; l; l = l->next) l->visible = l->active = 1;
    }
    ~HitDesign() {
        if (doc_) doc_->dealloc();
    }
    QMDDocumentModel* doc_ = nullptr;
    dvxbench::DesignStats stats_;
};

bool Prepare(benchmark::State& state) {
    HitDesign& design = HitDesign::Get();
    if (!design.doc()) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gCurDocument = design.doc();
    gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
    gSelectIndex = 1;
    state.counters["objects"] = design.stats().objects;
    state.counters["points"] = design.stats().points;
    return true;
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

bool IsCurvedOutline(const Objex* o) {
    const Poinz* p = o->firstPoint;
    return o->type == 9 && p && p->next && (p->outTangent[0] != 0 || p->outTangent[2] != 0);
}

void BM_SelectFromAllLayers_EmptySpace(benchmark::State& state) {
    if (!Prepare(state)) return;
    // Between the neighbourhoods near the middle of the design.
    POINT where{};
    bool found = false;
    for (int32_t step = 0; step < 400 && !found; ++step) {
        where = ViewPoint(598.0f * 10 - static_cast<float>(step), 0, 598.0f * 4);
        found = !Search(where);
    }
    if (!found) {
        state.SkipWithError("no empty spot found");
        return;
    }
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

void BM_SelectFromAllLayers_CurvedSegment(benchmark::State& state) {
    if (!Prepare(state)) return;
    Objex* o = MiddleObject(IsCurvedOutline);
    if (!o) {
        state.SkipWithError("no curved outline in the design");
        return;
    }
    float h = 0, v = 0, d = 0;
    GetSplineCoordinate(o->firstPoint, o->firstPoint->next, 0.5f, &h, &v, &d);
    const POINT where = ViewPoint(h, v, d);
    ClickInfo click;
    if (!Search(where, &click) || !click.ciSegmentHit) {
        state.SkipWithError("the curve is not hit");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(Search(where));
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
