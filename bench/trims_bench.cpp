// Trims built with every scene build: the casing of an arched window (a 36-point outline, a
// 6-point profile), a custom profile swept along a closed wall of 40 segments, and the top and
// bottom curbs of a 36-point round skylight on a sloped roof section, in a large design. The floor of each is appending planes of the same corners, as many, with
// AppendPlane alone, and freeing them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "bench_support.h"
#include "scene/opening_trims.h"
#include "scene/roof_opening_trims.h"
#include "scene/wall_trim_sweep.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "model/object_types.h"
#include "model/type_data.h"
#include "scene/plane_object.h"

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

Objex* NewObject(int16_t type, uint8_t closed, TypeData data = TypeData{}) {
    return CreateObject(type, closed, 1, &kWhite, &kWhite, 12.0f, 6, 0, nullptr, nullptr, nullptr, nullptr,
                        nullptr, std::move(data));
}

void AddPoint(Objex* o, float h, float v, float d) {
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, o), o);
}

// Every plane's corners of the pieces.
std::vector<std::vector<PlaneVertex>> Corners(const PlaneObject* head) {
    std::vector<std::vector<PlaneVertex>> planes;
    for (const PlaneObject* p = head; p; p = p->next)
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            planes.emplace_back(plane->vertices, plane->vertices + plane->count);
    return planes;
}

// The floor: one piece per plane of the same corners, appended to a list and freed.
double AppendFloor(const std::vector<std::vector<PlaneVertex>>& planes) {
    return dvxbench::BestSeconds(20, [&planes] {
        PlaneObject* list = nullptr;
        for (const auto& corners : planes) {
            PlaneObject* p = CreatePlaneObject();
            auto* v = static_cast<PlaneVertex*>(std::malloc(corners.size() * sizeof(PlaneVertex)));
            std::copy(corners.begin(), corners.end(), v);
            AppendPlane(v, static_cast<uint32_t>(corners.size()), 0, 0, 1, p);
            AppendPlaneObjectToList(list, p);
        }
        DeletePlaneObjectList(list);
    });
}

void BM_ArchedCasing(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    auto* record = new AttachmentRecord{};
    record->style = 600;
    Objex* wall = NewObject(objtype::kWall, 0);
    Objex* window = NewObject(objtype::kWindow, 0, TypeData::OfAttachment(record));
    AppendChildToObject(window, wall);
    // 72 wide, the arch's spring 120 up: two corners and 34 points over the half circle.
    Objex* mask = NewObject(29, 1);
    AddPoint(mask, 0, 0, 0), AddPoint(mask, 72, 0, 0);
    for (int i = 0; i < 34; ++i) {
        const float a = std::numbers::pi_v<float> * static_cast<float>(i) / 33.0f;
        AddPoint(mask, 36 + 36 * std::cos(a), 120 + 36 * std::sin(a), 0);
    }
    const Float3DPoint profile[] = {{0, 0, 0}, {0, 0, 6}, {1, 0, 6}, {1.5f, 0, 5}, {1.5f, 0, 2}, {0.5f, 0, 1}};
    gBase2DObject = wall;
    auto casing = [&] { BuildCustomTrimPlanes(record, mask, profile, 6, 0.3f, 100, 0, 50, 6, 0, 0); };
    casing();
    const auto planes = Corners(gGLPlaneObjects);
    DeleteAllRendererObjects();
    state.counters["planes"] = static_cast<double>(planes.size());
    dvxbench::Measured measured(state, "arched casing", AppendFloor(planes));
    measured.start();
    for (auto _ : state) {
        casing();
        DeleteAllRendererObjects();
    }
    measured.report();
    gBase2DObject = nullptr;
    DeleteObj(mask);
    DeleteObj(wall);
}

void BM_WallProfileSweep(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    // 40 segments round a circle 400 across, every point carrying the profile in its base slot.
    Objex* wall = NewObject(objtype::kWall, 1);
    for (int i = 0; i < 40; ++i) {
        const float a = 2 * std::numbers::pi_v<float> * static_cast<float>(i) / 40.0f;
        AddPoint(wall, 200 * std::cos(a), 0, 200 * std::sin(a));
    }
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->trim1 = new TrimRecord{};
        p->trim1->slot[0] = TrimRecord::kCustomProfile;
    }
    const Float3DPoint profile[] = {{0, 0, 0}, {0, 0, -1}, {0, -2, -1.5f}, {0, -6, -1}, {0, -8, 0}};
    PlaneObject* face = CreatePlaneObject();
    gBase2DObject = wall;
    gCurPlaneObject = face;
    auto sweep = [&] {
        for (Poinz* p = wall->firstPoint; p; p = p->next) {
            const Poinz* q = p->next ? p->next : wall->firstPoint;
            PolygonVertex start, end;
            start.H = p->position[0], start.D = p->position[2];
            end.H = q->position[0], end.D = q->position[2];
            BuildCustomTrimPlanesForWalls(p->trim1, &start, &end, profile, 5, 8, 0, p, 0);
        }
    };
    sweep();
    const auto planes = Corners(face->trims);
    DeletePlaneObjectList(face->trims);
    state.counters["planes"] = static_cast<double>(planes.size());
    dvxbench::Measured measured(state, "wall profile sweep", AppendFloor(planes));
    measured.start();
    for (auto _ : state) {
        sweep();
        DeletePlaneObjectList(face->trims);
    }
    measured.report();
    gCurPlaneObject = nullptr;
    gBase2DObject = nullptr;
    DeletePlaneObject(face);
    DeleteObj(wall);
}

void BM_SkylightCurbs(benchmark::State& state) {
    if (!dvxbench::SharedDesign(state.range(0))) {
        state.SkipWithError("the design could not be built");
        return;
    }
    // A section rising half a unit per unit of depth; the skylight a circle 40 across on it.
    Objex* section = NewObject(objtype::kRoofPanel, 1);
    section->subtype = 10;
    const float plane[5] = {0, 0.5f, 1, 100, -12};
    std::copy(plane, plane + 5, section->sectionPlane);
    Objex* roof = NewObject(objtype::kRoof, 1, TypeData::OfRoofPanels(section));
    auto* record = new RoofAttachmentRecord{};
    record->ownerType = objtype::kSkylight, record->style = 802, record->trimWidth = 2;
    record->sectionSubtype = 10, record->texture1 = record->texture2 = 2218;
    Objex* sky = NewObject(objtype::kSkylight, 1, TypeData::OfRoofAttachment(record));
    record->attachment = sky;
    for (int k = 0; k < 36; ++k) {
        const float a = std::numbers::pi_v<float> * static_cast<float>(180 - 10 * k) / 180.0f;
        AddPoint(sky, 100 + 20 * std::cos(a), 0, 100 - 20 * std::sin(a));
    }
    AppendChildToObject(sky, roof);
    PlaneObject* face = CreatePlaneObject();
    face->sourceObject = gBase2DObject = roof;
    gCurPlaneObject = face;
    auto curbs = [&] {
        BuildTopSkylightTrimPlanes(sky);
        BuildBottomSkylightTrimPlanes(sky);
    };
    curbs();
    const auto planes = Corners(gGLPlaneObjects);
    DeleteAllRendererObjects();
    state.counters["planes"] = static_cast<double>(planes.size());
    dvxbench::Measured measured(state, "skylight curbs", AppendFloor(planes));
    measured.start();
    for (auto _ : state) {
        curbs();
        DeleteAllRendererObjects();
    }
    measured.report();
    gCurPlaneObject = nullptr;
    gBase2DObject = nullptr;
    DeletePlaneObject(face);
    DeleteObj(roof);
}

}  // namespace

BENCHMARK(BM_ArchedCasing)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WallProfileSweep)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SkylightCurbs)->Arg(dvxbench::kSmall)->Arg(dvxbench::kLarge)->Unit(benchmark::kMicrosecond);
