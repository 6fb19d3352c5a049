// Select All, then Flip Horizontal, as the Edit menu runs them, with the live view shown or
// hidden, on a design whose 5,000 objects stand on the ground: groups of imported solids
// (dropped onto the ground at their middle) and plants, over 200 terrain regions of different
// heights, and the same objects without the regions. Every terrain region the flip moves moves
// the ground; what stands on it is placed once, when the step's last move is done (hidden or
// not), so the step with the regions costs about what the one without does (`x_without`, the
// mean step over the one without the regions, which runs first), not regions times objects.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/core/event_handler.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "model/texture_mapping.h"
#include "model/topo_grid.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "scene/plane_object.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"

namespace {

constexpr int kRegions = 200;
constexpr int kColumns = 20;     // regions side by side; ten rows of them
constexpr float kCellH = 220.0f;  // across the new design's lot, 4,800 square about the origin
constexpr float kCellD = 440.0f;
constexpr float kLeft = -2200.0f, kTop = -2200.0f;
constexpr int kGroups = 4;   // per region, each holding two imported solids
constexpr int kPlants = 13;  // per region: 4 x 3 + 13 = 25 objects, 5,000 in all
constexpr int32_t kPlantTexture = 13010;

Objex* NewObject(int16_t type, uint8_t closed, Layer* floor) {
    const RGBColor fill{0xC000, 0xC000, 0xC000}, pen{};
    FloatRect bounds;
    Objex* o = CreateObject(type, closed, 1, &fill, &pen, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr, floor,
                            TypeData{});
    o->planBits = 0x1FF;
    return o;
}

void Point(Objex* o, float h, float v, float d) {
    AppendPointToObject(CreatePoint(1, 0, 0, 0, 0, 0, h, v, d, 0, 0, 0, 0, 0, 0, o), o);
}

void Finish(Objex* o) {
    UpdateObjectBounds(o);
    if (o->type == objtype::kGroup) return;
    SetTextureFaceUV(o);
    SetObjectPointLengths(o);
}

// A solid of an imported object: a slanted face 20 wide rising 30.
Objex* Solid(Layer* floor, float h, float d) {
    Objex* o = NewObject(objtype::kFentrix, 1, floor);
    Point(o, h, 0, d), Point(o, h + 20, 0, d), Point(o, h + 20, -30, d + 10), Point(o, h, -30, d + 10);
    Finish(o);
    return o;
}

// A new design, current, with `regions` terrain regions (none or 200) and the 5,000 objects
// standing on the ground where they lie; its grid computed. Objects are linked at the floor's
// tail as they are made.
QMDDocumentModel* GroundDesign(int regions) {
    QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    if (!doc || !doc->itsDocState) return doc;
    Layer* floor = GetFirstFloorLayer();
    if (!floor) return doc;
    for (int i = 0; i < kRegions; ++i) {
        const float h = kLeft + static_cast<float>(i % kColumns) * kCellH;
        const float d = kTop + static_cast<float>(i / kColumns) * kCellD;
        if (i < regions) {
            Objex* region = NewObject(objtype::kTopography, 1, floor);
            Point(region, h, 0, d), Point(region, h + 200, 0, d), Point(region, h + 200, 0, d + 400),
                Point(region, h, 0, d + 400);
            region->penWidth = 12.0f * static_cast<float>(1 + i % 5);  // its height
            Finish(region);
            AppendObjectToLayer(region, floor);
        }
        for (int g = 0; g < kGroups; ++g) {
            Objex* group = NewObject(objtype::kGroup, 0, floor);
            const float gd = d + 20 + 90.0f * static_cast<float>(g);
            AppendChildToObject(Solid(floor, h + 20, gd), group);
            AppendChildToObject(Solid(floor, h + 60, gd + 30), group);
            group->onTerrain = 1;
            Finish(group);
            AppendObjectToLayer(group, floor);
        }
        for (int p = 0; p < kPlants; ++p) {
            Objex* plant = NewObject(objtype::kPlant, 0, floor);
            Point(plant, h + 130 + 30.0f * static_cast<float>(p % 2), 0, d + 20 + 28.0f * static_cast<float>(p));
            plant->firstPoint->texture1 = kPlantTexture + p % 3;
            plant->onTerrain = 1;
            Finish(plant);
            AppendObjectToLayer(plant, floor);
        }
    }
    SetupTopoGrid();
    SetLotElevation();
    return doc;
}

double sWithoutRegions = 0;  // mean seconds of a step on the design without regions

void BM_SelectAllFlipOnTheGround(benchmark::State& state) {
    const int regions = static_cast<int>(state.range(0));
    QMDDocumentModel* doc = GroundDesign(regions);
    if (!doc || !doc->itsDocState || !doc->itsLayers) {
        if (doc) doc->dealloc();
        return state.SkipWithError("the design could not be built");
    }
    const bool shown = state.range(1) != 0;
    SetLiveViewControllerExistsHandler([] { return true; });
    gLiveViewPanelVisible = shown ? 1 : 0;
    doc->itsDocState->viewKind = 2;  // the plan, where Flip turns about the vertical axis
    const uint8_t undo = gUndoActive;
    gUndoActive = 0;  // the step's snapshot is the same work with or without the regions
    RenderAllLayers();
    Win32EventHandler edit;
    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        edit.selectAllObjects();
        edit.flipObjectsUsingCommand(cmd::kFlipHorizontal);
    }
    const double mean = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() /
                        static_cast<double>(state.iterations() ? state.iterations() : 1);
    int64_t pieces = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++pieces;
    state.counters["regions"] = regions;
    state.counters["live_view"] = shown ? 1 : 0;
    state.counters["scene_pieces"] = static_cast<double>(pieces);
    if (regions == 0) sWithoutRegions = mean;  // the run just before, shown or hidden alike
    else if (sWithoutRegions > 0) state.counters["x_without"] = mean / sWithoutRegions;
    gUndoActive = undo;
    DeleteAllRendererObjects();
    doc->dealloc();
    gCurDocument = nullptr;
}
// With the live view shown, then hidden (placed all the same, nothing built).
BENCHMARK(BM_SelectAllFlipOnTheGround)
    ->Args({0, 1})
    ->Args({kRegions, 1})
    ->Args({0, 0})
    ->Args({kRegions, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
