// The framing view: framing the four walls of a house full of openings, a full scene build of
// the generated design with the framing view on beside the normal one, and the trusses of a
// hip roof (the house and roof beside the 5,000-object design). The floor of each is appending the same number of one-quad planes with
// AppendPlane alone and emptying the scene.
// Railings, fences and edging: a 30 m fence with two gates, a 20-point curved railing, a
// railing of 7200 spindles and a 30 m curved edging rebuilt, and every fence and railing of the
// generated design; the floor of each is creating and freeing as many pieces with as many
// points alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "bench_support.h"
#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "scene/roof_trusses.h"
#include "scene/wall_framing.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"

namespace {

int64_t ScenePieces() {
    int64_t n = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++n;
    return n;
}

// The floor: `count` quads appended one plane object each, then the scene emptied.
double AppendFloor(int64_t count) {
    return dvxbench::BestSeconds(5, [count] {
        for (int64_t i = 0; i < count; ++i) {
            PlaneObject* p = CreatePlaneObject();
            auto* v = static_cast<PlaneVertex*>(std::calloc(4, sizeof(PlaneVertex)));
            v[1].V = v[2].V = -1, v[2].H = v[3].H = 1;
            AppendPlane(v, 4, 0, 0, -0.5f, p);
            AppendPlaneObjectToList(gGLPlaneObjects, p);
        }
        DeleteAllRendererObjects();
    });
}

bool Prepare(benchmark::State& state, int64_t objects) {
    if (!dvxbench::SharedDesign(objects)) {
        state.SkipWithError("the design could not be built");
        return false;
    }
    SetLiveViewControllerExistsHandler([] { return true; });
    gLiveViewPanelVisible = 1;
    return true;
}

Objex* NewObject(int16_t type, Layer* layer) {
    const RGBColor fill{0xC000, 0xC000, 0xC000}, pen{};
    return CreateObject(type, 0, 1, &fill, &pen, 6.0f, 6, 0, nullptr, nullptr, nullptr, nullptr, layer, TypeData{});
}

Poinz* AddPoint(Objex* o, float h, float d) {
    Poinz* p = CreatePoint(1, 0, 0, 0, 0, 0, h, 0, d, 0, 0, 0, 0, 0, 0, o);
    objfield::wall_segment::kFirstHeight(*p) = 96.0f;
    AppendPointToObject(p, o);
    return p;
}

// Four exterior walls round a 40 x 30 foot house: six windows and two doors among them.
std::vector<Objex*> House(Layer* floor) {
    const float corners[5][2] = {{0, 0}, {960, 0}, {960, 720}, {0, 720}, {0, 0}};
    const int openings[4] = {3, 1, 3, 1};
    std::vector<Objex*> walls;
    for (int w = 0; w < 4; ++w) {
        Objex* wall = NewObject(objtype::kWall, floor);
        wall->subtype = objsubtype::kExteriorWall;
        objfield::wall::kFoundation(*wall) = objfield::wall::kFoundationOn;
        objfield::wall::kQuickWallWidth(*wall) = 12, objfield::wall::kStudSpacing(*wall) = 16;
        Poinz* a = AddPoint(wall, corners[w][0], corners[w][1]);
        AddPoint(wall, corners[w + 1][0], corners[w + 1][1]);
        AppendObjectToLayer(wall, floor);
        for (int i = 0; i < openings[w]; ++i) {
            const bool door = w % 2 == 1 || (w == 0 && i == 1);
            Objex* o = NewObject(door ? objtype::kDoor : objtype::kWindow, floor);
            auto* r = new AttachmentRecord{};
            r->ownerType = o->type, r->segmentStart = a, r->segmentEnd = a->next;
            r->centreDistance = 200.0f * static_cast<float>(i + 1), r->width = 60;
            r->height = door ? 160 : 96, r->elevation = door ? 0 : 60;
            o->typeData = TypeData::OfAttachment(r);
            AppendChildToObject(o, wall);
        }
        walls.push_back(wall);
    }
    return walls;
}

void FrameHouse(const std::vector<Objex*>& walls) {
    for (Objex* wall : walls) {
        gBase2DObject = gActual3DObject = wall;
        FrameWindowsAndDoors(wall);
    }
    gBase2DObject = gActual3DObject = nullptr;
}

void BM_FrameHouseWalls(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    DeleteAllRendererObjects();
    const std::vector<Objex*> walls = House(gCurDocument->itsLayers);
    FrameHouse(walls);
    const int64_t pieces = ScenePieces();
    DeleteAllRendererObjects();
    dvxbench::Measured measured(state, "frame_house", AppendFloor(pieces));
    measured.start();
    for (auto _ : state) {
        FrameHouse(walls);
        DeleteAllRendererObjects();
    }
    measured.report();
    state.counters["pieces"] = static_cast<double>(pieces);
    for (Objex* wall : walls) DeleteObj(wall);
}
BENCHMARK(BM_FrameHouseWalls)->Arg(dvxbench::kSmall)->Unit(benchmark::kMillisecond);

void BM_RenderAllLayersFraming(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    CurrentDocState()->framingView = 1;
    RenderAllLayers();
    const int64_t pieces = ScenePieces();
    DeleteAllRendererObjects();
    dvxbench::Measured measured(state, "render_all_framing", AppendFloor(pieces));
    measured.start();
    for (auto _ : state) RenderAllLayers();
    measured.report();
    state.counters["pieces"] = static_cast<double>(pieces);
    DeleteAllRendererObjects();
    CurrentDocState()->framingView = 0;
}
BENCHMARK(BM_RenderAllLayersFraming)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_FrameRoofTrusses(benchmark::State& state) {
    if (!Prepare(state, state.range(0))) return;
    DeleteAllRendererObjects();
    Objex* roof = NewObject(objtype::kRoof, gCurDocument->itsLayers);
    for (const auto& c : {std::pair{0.0f, 0.0f}, {960.0f, 0.0f}, {960.0f, 480.0f}, {0.0f, 480.0f}})
        AddPoint(roof, c.first, c.second);
    objfield::roof::kPitch(*roof) = 6, objfield::roof::kStyle(*roof) = objfield::roof::kHipStyle;
    AppendObjectToLayer(roof, gCurDocument->itsLayers);
    FrameRoofTrusses(roof);
    const int64_t pieces = ScenePieces();
    DeleteAllRendererObjects();
    dvxbench::Measured measured(state, "frame_trusses", AppendFloor(pieces));
    measured.start();
    for (auto _ : state) {
        FrameRoofTrusses(roof);
        DeleteAllRendererObjects();
    }
    measured.report();
    state.counters["pieces"] = static_cast<double>(pieces);
    DeleteObj(roof);
}
BENCHMARK(BM_FrameRoofTrusses)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

// --- railings, fences and edging ---

using dvxbench::AllParts;
using dvxbench::PartCount;
using dvxbench::PartsOf;

// Points (H, D, kind) with the in- and out-tangent (H, D).
struct At {
    float h, d;
    int16_t kind = 1;
    float th = 0, td = 0;
};
Objex* NewLine(int16_t type, std::initializer_list<At> points) {
    Layer* floor = gCurDocument->itsLayers;
    Objex* o = NewObject(type, floor);
    o->rows = 1;
    for (const At& a : points) {
        Poinz* q = CreatePoint(a.kind, 0, 0, 0, 0, 0, a.h, 0, a.d, 0, 0, 0, 0, 0, 0, o);
        q->inTangent[0] = q->outTangent[0] = a.th, q->inTangent[2] = q->outTangent[2] = a.td;
        AppendPointToObject(q, o);
    }
    AppendObjectToLayer(o, floor);
    return o;
}

void RebuildOne(benchmark::State& state, const char* family, Objex* o, void (*rebuild)(Objex*)) {
    rebuild(o);
    dvxbench::Measured measured(state, family, dvxbench::PartsFloor(PartsOf(o), objtype::kFence));
    measured.start();
    for (auto _ : state) rebuild(o);
    measured.report();
    state.counters["pieces"] = double(PartsOf(o).pieces);
    DeleteObj(UnlinkObject(o));
}

float Metres(float m) { return ConvertWorldToScreen(m * 39.3701f, CurrentDocState(), 0); }

void BM_UpdateFenceWithGates(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    const float l = Metres(30), g = Metres(1);
    Objex* fence = NewLine(objtype::kFence, {{0, 0}, {l / 3, 0, pointkind::kGatePoint}, {l / 3 + g, 0},
                                             {2 * l / 3, 0, pointkind::kGatePoint}, {2 * l / 3 + g, 0}, {l, 0}});
    objfield::fence::kStyle(*fence) = 700;
    RebuildOne(state, "fence_gates", fence, UpdateFenceObject);
}
BENCHMARK(BM_UpdateFenceWithGates)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

void BM_UpdateCurvedRailing(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    Objex* rail = NewLine(objtype::kRailing, {});
    for (int i = 0; i < 20; ++i) {
        Poinz* q = CreatePoint(1, 0, 0, 0, 0, 0, 60.0f * float(i), 0, (i % 2) ? 40.0f : 0.0f, 0, 0, 0, 0, 0, 0, rail);
        q->inTangent[0] = q->outTangent[0] = 60;
        AppendPointToObject(q, rail);
    }
    objfield::railing::kHeight(*rail) = 36, objfield::railing::kBalusterSpacing(*rail) = 6;
    RebuildOne(state, "railing_curved", rail, UpdateRailObject);
}
BENCHMARK(BM_UpdateCurvedRailing)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

// A straight railing of three 200-foot spans with a spindle every inch: 7200 spindles hung one
// after another on the railing, each in constant time (the floor's pace per piece).
void BM_UpdateLongRailing(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    const float span = ConvertWorldToScreen(2400, CurrentDocState(), 0);
    Objex* rail = NewLine(objtype::kRailing, {{0, 0}, {span, 0}, {2 * span, 0}, {3 * span, 0}});
    objfield::railing::kHeight(*rail) = 36, objfield::railing::kBalusterSpacing(*rail) = 1;
    RebuildOne(state, "railing_long", rail, UpdateRailObject);
}
BENCHMARK(BM_UpdateLongRailing)->Arg(dvxbench::kSmall)->Unit(benchmark::kMillisecond);

void BM_UpdateCurvedEdging(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    const float q = Metres(10);
    Objex* edging = NewLine(objtype::kEdging, {{0, 0, 1, q, 0}, {q, q / 4, 1, q, 0}, {2 * q, 0, 1, q, 0},
                                               {3 * q, q / 4, 1, q, 0}});
    RebuildOne(state, "edging_curved", edging, UpdateEdgingObject);
}
BENCHMARK(BM_UpdateCurvedEdging)->Arg(dvxbench::kSmall)->Unit(benchmark::kMicrosecond);

// The generated fences and railings take a picket style and a 36-inch rail at 6.
void DressDesign() {
    for (Layer* l = gCurDocument->itsLayers; l; l = l->next)
        for (Objex* o = l->firstObject; o; o = o->next)
            if (o->type == objtype::kFence) objfield::fence::kStyle(*o) = 700;
            else if (o->type == objtype::kRailing)
                objfield::railing::kHeight(*o) = 36, objfield::railing::kBalusterSpacing(*o) = 6;
}

void AllLayers(benchmark::State& state, const char* family, int16_t type, void (*rebuild)(Layer*)) {
    if (!dvxbench::SharedDesign(state.range(0))) return state.SkipWithError("the design could not be built");
    DressDesign();
    rebuild(gCurDocument->itsLayers);
    const PartCount n = AllParts(type);
    dvxbench::Measured measured(state, family, dvxbench::PartsFloor(n, objtype::kFence));
    measured.start();
    for (auto _ : state) rebuild(gCurDocument->itsLayers);
    measured.report();
    state.counters["pieces"] = double(n.pieces);
}

void BM_UpdateFenceAllLayers(benchmark::State& state) {
    AllLayers(state, "fence_all_layers", objtype::kFence, UpdateFenceAllLayers);
}
BENCHMARK(BM_UpdateFenceAllLayers)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

void BM_UpdateRailAllLayers(benchmark::State& state) {
    AllLayers(state, "rail_all_layers", objtype::kRailing, UpdateRailAllLayers);
}
BENCHMARK(BM_UpdateRailAllLayers)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
