// The move tool over the generated design at 5,000 and 50,000 objects. One drag event while
// 500 selected objects move (KeepTracking: two point evaluations and the displaced drawing of
// every layer, twice) into a recording context, beside the floor of stroking the same number
// of segments straight through that context. And the release of a wall-segment move that
// re-fits 50 walls meeting the segment, beside the floor of rebuilding those 51 walls alone.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/selection_ops.h"
#include "model/view_state.h"
#include "support/drawing_doubles.h"
#include "tools/wall_joins.h"
#include "model/click_info.h"
#include "tracking/drafting_trackers.h"
#include "tools/move_tracker.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"

namespace {

constexpr int kSelected = 500;
constexpr int kMeeting = 50;
constexpr float kSpineD = 20000;

POINT ViewPoint(float h, float v, float d) {
    ConversionToIsometric(&h, &v, &d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 1);
    return POINT{static_cast<int32_t>(h + 0.5f), static_cast<int32_t>(v + 0.5f)};
}

// The design current and seen from above; false (skipped) when it cannot be built.
bool PlanDesign(benchmark::State& state, dvxbench::DesignStats* stats) {
    if (!dvxbench::SharedDesign(state.range(0), stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    gXViewAngle = 90, gYViewAngle = 0, gPerspective = 0, gViewFactor = 1.0f, gViewDistance = 0;
    gGlobalXOffset = gGlobalYOffset = gGlobalZOffset = 0;
    SetUpForRotationAboutArbitraryAxis(gXViewAngle, gYViewAngle, &gCosXAngle, &gSinXAngle, &gCosYAngle,
                                       &gSinYAngle, gPerspective);
    CurrentDocState()->snapToGrid = 0, CurrentDocState()->viewKind = 2;
    gCurSnap = snapmode::kNone;
    RegisterDraftingTrackers();
    return true;
}

// The first 500 top-level walls and outlines of the current floor, selected whole.
Objex* SelectSome() {
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    Objex* first = nullptr;
    int n = 0;
    for (Objex* o = gCurDocument->itsCurLayer->firstObject; o && n < kSelected; o = o->next) {
        if (!objtype::Has(o->type, objtype::kMovedByPoint) || !o->firstPoint) continue;
        DoSelectObject(o, selmode::kSelect);
        if (!first) first = o;
        ++n;
    }
    return first;
}

POINT Wander(POINT at, int64_t i) { return {at.x + static_cast<int32_t>(i % 40), at.y + static_cast<int32_t>(i % 17)}; }

void BM_MoveSelectionDrag(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!PlanDesign(state, &stats)) return;
    Objex* hit = SelectSome();
    if (!hit) return state.SkipWithError("nothing to select");
    gCurTool = toolid::kSelect;
    const POINT at = ViewPoint(hit->firstPoint->position[0], 0, hit->firstPoint->position[2]);
    gClickInfo = ClickInfo{};
    gClickInfo.ciWhere = at, gClickInfo.ciHit = 1, gClickInfo.ciObject = hit;
    gDataRect = FloatRect{-1e6f, -1e6f, 1e6f, 1e6f};
    gMouseCaptured = 1, gTrackingMouse = 0, gSkipConstraints = 0;
    dvxtest::RecordingContext recorded;
    port::DrawingScope scope(recorded);
    BeginTracking(at.x, at.y);

    KeepTracking(Wander(at, 1).x, Wander(at, 1).y, at.x, at.y);
    const int64_t segments = dvxbench::StrokedSegments(recorded);
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["objects"] = stats.objects;
    recorded.ops.clear();
    dvxbench::Measured measured(state, "move", dvxbench::BestSeconds(15, [&] {
                                    dvxbench::StrokeSegments(recorded, segments, 1920, 1080);
                                    recorded.ops.clear();
                                }));
    int64_t i = 1;
    POINT previous = Wander(at, i);
    measured.start();
    for (auto _ : state) {
        const POINT now = Wander(at, ++i);
        KeepTracking(now.x, now.y, previous.x, previous.y);
        recorded.ops.clear();
        previous = now;
    }
    measured.report();
    // Released where it was pressed: nothing moves, the shared design stays as it was.
    EndTracking(at.x, at.y, at.x, at.y);
    SelectAllLayers(gCurDocument->itsLayers, selmode::kDeselect, 0);
    gTrackingMouse = gTrackingObject = 0;
    ClearTrackers();
}
BENCHMARK(BM_MoveSelectionDrag)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

// A 1,000-long wall below the design with 50 walls ending 2 short of it.
struct Comb {
    Objex* spine = nullptr;
    std::vector<Objex*> teeth;
};

Objex* AddWall(Layer* layer, float h1, float d1, float h2, float d2) {
    RGBColor colour{};
    Objex* w = CreateObject(objtype::kWall, 0, 1, &colour, &colour, 4.0f, 6, 0, nullptr, nullptr, nullptr, nullptr,
                            layer, TypeData{});
    for (auto [h, d] : {std::pair{h1, d1}, std::pair{h2, d2}}) {
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, h, 0, d, 0, 0, 0, 0, 0, 0, w);
        AppendPointToObject(p, w);
    }
    AppendObjectToLayer(w, layer);
    RebuildWall(w);
    return w;
}

Comb MakeComb() {
    Comb comb;
    Layer* layer = gCurDocument->itsCurLayer;
    comb.spine = AddWall(layer, 0, kSpineD, 1000, kSpineD);
    for (int i = 0; i < kMeeting; ++i) {
        const float h = 10 + i * 19.5f;
        comb.teeth.push_back(AddWall(layer, h, kSpineD + 200, h, kSpineD + 2));
    }
    return comb;
}

void BM_SegmentMoveRelease(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!PlanDesign(state, &stats)) return;
    gCurTool = toolid::kSelect;
    const Comb comb = MakeComb();
    Objex* spine = comb.spine;
    dvxtest::RecordingContext recorded;
    port::DrawingScope scope(recorded);
    dvxbench::Measured measured(state, "refit", dvxbench::BestSeconds(5, [&] {
                                    RebuildWall(spine);
                                    for (Objex* w : comb.teeth) RebuildWall(w);
                                    recorded.ops.clear();
                                }));
    float offset = 20;
    measured.start();
    for (auto _ : state) {
        const float d = spine->firstPoint->position[2];
        gClickInfo = ClickInfo{};
        gClickInfo.ciHit = 1, gClickInfo.ciObject = spine, gClickInfo.ciSegmentHit = 1;
        gClickInfo.ciPoint = spine->firstPoint, gClickInfo.ciPoint2 = spine->firstPoint->next;
        gCurPropertiesObjectCount = 0;
        gDownX = 500, gDownY = 0, gDownZ = d, gUpX = 500, gUpY = 0, gUpZ = d + offset;
        for (int k = 0; k < 6; ++k) gTrackState[k] = k % 3 == 2 ? (k < 3 ? d : d + offset) : (k % 3 == 0 ? 500 : 0);
        gStartMouse = gBeginMouse = POINT{0, 0}, gEndMouse = POINT{0, 1};
        TrackTranslate(0, 0, 500, 0, d, 1);
        gTranslateWallSegPt1 = FloatPoint{0, d + offset}, gTranslateWallSegPt2 = FloatPoint{1000, d + offset};
        TrackTranslate(0, 0, 500, 0, d + offset, 3);
        recorded.ops.clear();
        offset = -offset;
    }
    measured.report();
    state.counters["objects"] = stats.objects;
    for (Objex* w : comb.teeth) DeleteObj(w);
    DeleteObj(spine);
    ClearTrackers();
}
BENCHMARK(BM_SegmentMoveRelease)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

}  // namespace
