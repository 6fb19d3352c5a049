// Showing the live view, or any plan-wide change while it shows, builds the whole scene; every
// edit rebuilds the objects it changed. Time per call of a full build of the generated design
// and of the rebuild of one long wall full of openings in that built scene. The floor of a full
// build is one ready-made triangle per object put into the scene and the scene emptied; the
// floor of a rebuild is the walk over the built scene that removing the wall's pieces makes.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_support.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "tools/wall_construction.h"

namespace {

constexpr int kWallPoints = 40;
constexpr int kOpenings = 60;
constexpr float kSegment = 120.0f;

void ShowLiveView() {
    SetLiveViewControllerExistsHandler([] { return true; });
    gLiveViewPanelVisible = 1;
}

int64_t ScenePieces() {
    int64_t n = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++n;
    return n;
}

void TriangleEach(Objex* o) {
    for (; o; o = o->next) {
        PlaneObject* p = CreatePlaneObject();
        auto* v = static_cast<PlaneVertex*>(std::calloc(3, sizeof(PlaneVertex)));
        v[1].H = v[2].H = v[2].D = 1;
        AppendPlane(v, 3, 0, -0.5f, 0, p);
        p->baseObject = o;
        AppendPlaneObjectToList(gGLPlaneObjects, p);
        TriangleEach(o->firstChild);
    }
}

void SceneFloor() {
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next) TriangleEach(l->firstObject);
    DeleteAllRendererObjects();
}

bool Prepare(benchmark::State& state) {
    dvxbench::DesignStats stats;
    if (!dvxbench::SharedDesign(state.range(0), &stats)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    ShowLiveView();
    state.counters["objects"] = stats.objects;
    return true;
}

void BM_RenderAllLayers(benchmark::State& state) {
    if (!Prepare(state)) return;
    dvxbench::Measured measured(state, "render_all", dvxbench::BestSeconds(5, SceneFloor));
    measured.start();
    for (auto _ : state) RenderAllLayers();
    measured.report();
    state.counters["pieces"] = static_cast<double>(ScenePieces());
    DeleteAllRendererObjects();
}
BENCHMARK(BM_RenderAllLayers)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

// A zigzag wall of 40 points, 6 inches thick and 96 high, with 60 doors and windows in turn
// spread over its segments, its solid built, at the end of the first floor.
Objex* LongWall() {
    Layer* floor = gCurDocument->itsLayers;
    const RGBColor fill{0xC000, 0xC000, 0xC000}, pen{};
    Objex* wall = CreateObject(objtype::kWall, 0, 1, &fill, &pen, 6.0f, 6, 0, nullptr, nullptr, nullptr, nullptr,
                               floor, TypeData{});
    objfield::wall::kBaseOffset(*wall) = 0.5f;
    for (int i = 0; i < kWallPoints; ++i) {
        const float h = -5000.0f + kSegment * static_cast<float>(i), d = -5000.0f + (i % 2 ? kSegment : 0.0f);
        Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, h, 0, d, 0, 0, 0, 0, 0, 0, wall);
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 96.0f;
        AppendPointToObject(p, wall);
    }
    AppendObjectToLayer(wall, floor);
    for (int i = 0; i < kOpenings; ++i) {
        const bool door = i % 2 == 0;
        Poinz* a = wall->firstPoint;
        for (int s = i % (kWallPoints - 1); s > 0; --s) a = a->next;
        Objex* o = CreateObject(door ? objtype::kDoor : objtype::kWindow, 1, 1, &fill, &pen, 1.0f, 6, 0, nullptr,
                                nullptr, nullptr, nullptr, floor, TypeData{});
        auto* r = new AttachmentRecord{};
        r->ownerType = o->type;
        r->style = door ? 500 : 600;
        r->segmentStart = a, r->segmentEnd = a->next;
        const float length = GetLineLength(a->position[0], a->position[2], a->next->position[0], a->next->position[2]);
        r->centreDistance = i < kWallPoints - 1 ? length / 3 : 2 * length / 3;
        r->remainder = length - r->centreDistance;
        r->width = 30, r->height = door ? 80 : 48, r->elevation = door ? 0 : 30;
        o->typeData = TypeData::OfAttachment(r);
        AppendChildToObject(o, wall);
    }
    Update3DWall(wall);
    return wall;
}

void BM_ReRenderLongWall(benchmark::State& state) {
    if (!Prepare(state)) return;
    RenderAllLayers();
    Objex* wall = LongWall();
    RenderSingleObject(wall);
    dvxbench::Measured measured(state, "rerender_wall", dvxbench::BestSeconds(20, [wall] {
        int64_t n = 0;
        for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) n += p->baseObject == wall;
        benchmark::DoNotOptimize(n);
    }));
    measured.start();
    for (auto _ : state) ReRenderObject(wall);
    measured.report();
    int64_t pieces = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) pieces += p->baseObject == wall;
    state.counters["wall_pieces"] = static_cast<double>(pieces);
    state.counters["scene_pieces"] = static_cast<double>(ScenePieces());
    DeleteObj(wall);
    DeleteAllRendererObjects();
}
BENCHMARK(BM_ReRenderLongWall)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);

}  // namespace
