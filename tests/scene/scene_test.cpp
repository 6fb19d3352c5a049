// The scene list, the ground computed from terrain objects, and pieces placed on it.
#include <gtest/gtest.h>

#include <cmath>

#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/command_ids.h"
#include "model/flip.h"
#include "model/plant_bounds.h"
#include "model/rebuild_table.h"
#include "model/selection_ops.h"
#include "model/texture_mapping.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "scene/scene_build.h"
#include "render/core/display_list_seams.h"
#include "model/render_state.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

const float kTan10 = std::tan(10.0f * 3.14159265f / 180.0f);

class SceneTest : public SelectionTest {
protected:
    // A lot 1000 wide and 600 deep at spacing 300: 3 columns (the last cell 100 wide), 2 rows.
    void SetUp() override {
        SelectionTest::SetUp();
        doc->itsDocState->lotRect = {0, 0, 600, 1000};
        doc->itsDocState->topoGridSpacing = 300;
        SetupTopoGrid();
    }
    // A hexagon of area 240 built for `base` and appended for it.
    PlaneObject* Append(Objex* base, uint16_t surfaceKind = 0) {
        PlaneObject* p = CreatePlaneObject();
        p->surfaceKind = surfaceKind;
        AddPlane(p, {{0, 0, 0}, {10, 0, 0}, {15, 0, 8}, {10, 0, 16}, {0, 0, 16}, {-5, 0, 8}}, {0, -1, 0});
        gBase2DObject = gActual3DObject = base;
        AppendPlaneObject(p, base);
        return p;
    }
    // The y of two corners of a triangle at y = -10 of the piece kind, placed for `base`.
    std::vector<float> Placed(Objex* base, uint16_t kind, float override = 0, Objex* part = nullptr) {
        PlaneObject* p = CreatePlaneObject();
        AppendPlaneObjectToList(gGLTopoTrimPlaneObjects, p);  // freed with the scene
        p->pieceKind = kind, p->elevationOverride = override, p->object3D = part;
        AddPlane(p, {{100, -10, 100}, {800, -10, 100}, {800, -10, 500}}, {0, 1, 0});
        ElevatePlaneObject(p, base);
        return {p->planes->vertices[0].V, p->planes->vertices[1].V};
    }
    Objex* Triangle(int16_t type) { return Shape(floor, type, {{0, 0}, {9, 0}, {9, 9}}, true); }
    // A slope object falling `degrees` along P0 -> P1.
    Objex* Slope(int16_t type, float degrees, PlanPoints points) {
        Objex* o = Shape(floor, type, points);
        objfield::lot_point::Descent(*o->firstPoint) = degrees;
        return o;
    }
    float Node(int r, int c) const { return gTopographyGrid[r * (gTopoColumnCnt + 1) + c]; }
};

TEST_F(SceneTest, RecordsKeepNormalsBelowOneAndFreeWhatTheyOwn) {
    PlaneObject* p = CreatePlaneObject();
    EXPECT_TRUE(Near({p->frontTextureSize[1], p->backRepeat[0], p->plantHeight, p->alpha}, {100, 1, 1, 255}));
    const Plane* big = AddPlane(p, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}}, {2, 0, 0});
    const Plane* small = AddPlane(p, {{0, 0, 0}, {1, -1, 0}, {1, -1, 1}}, {0.5f, 0.5f, 0});
    EXPECT_TRUE(Near({big->nx, big->ny, small->nx, small->ny}, {0.99, 0, 0.5, 0.5}, kUlps));
    // Masks and trims go with their piece (the sanitizer run finds any leak).
    for (PlaneObject** list : {&p->masks, &p->trims})
        AppendPlaneObjectToList(*list, CreatePlaneObject()), AddPlane(*list, {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}}, {0, 1, 0});
    DeletePlaneObject(p);
    AppendPlaneObject(gCurPlaneObject = CreatePlaneObject(), Triangle(objtype::kFloor));
    EXPECT_EQ(gGLPlaneObjects, nullptr);  // never appended without planes
}

TEST_F(SceneTest, AppendClassesTessellatesAndLinksAtTheTail) {
    // Type, fill pattern, surface kind, framing view; class and planes (roofs, plants and photos
    // keep their hexagon).
    const int rows[][6] = {{objtype::kFloor, 0, 0, 0, 2, 4}, {objtype::kWall, 0, 0, 0, 1, 4}, {objtype::kRoof, 0, 0, 0, 1, 1},
                           {objtype::kRoof, 3, 0, 0, 2, 1}, {objtype::kWall, 0, kFramingMember, 1, 2, 4},
                           {objtype::kPlant, 0, kPlantSurface, 0, 1, 1}, {objtype::kPlant, 0, kUserPlantSurface, 0, 1, 1},
                           {objtype::kPhoto, 0, kPhotoSurface, 0, 1, 1}};
    PlaneObject* previous = nullptr;
    for (const auto& row : rows) {
        doc->itsDocState->framingView = static_cast<uint8_t>(row[3]);
        Objex* owner = Triangle(static_cast<int16_t>(row[0]));
        owner->fillPattern = static_cast<int16_t>(row[1]);
        gDisableRenderInterrupt = 0;
        PlaneObject* p = Append(owner, static_cast<uint16_t>(row[2]));
        SCOPED_TRACE(row[0]);
        EXPECT_TRUE(Near({p->renderClass, PlanesOf(p).size(), gDisableRenderInterrupt}, {row[4], row[5], 1}));
        EXPECT_TRUE(Same({p->sourceObject, p->baseObject, p->object3D, p->prev, p->next}, {owner, owner, owner, previous, nullptr}));
        previous = p;
    }

    // Masks and trims go under their face, second class; a trim belongs to the base object.
    Objex *wall = Triangle(objtype::kWall), *door = Make(objtype::kDoor);
    gBase2DObject = wall, gActual3DObject = door, gCurPlaneObject = CreatePlaneObject();
    PlaneObject *mask = CreatePlaneObject(), *trim = CreatePlaneObject();
    AppendPlaneObjectChild(mask, previous), AppendPlaneObjectAttachment(trim, previous);
    EXPECT_TRUE(Near({mask->renderClass, trim->renderClass, trim->object3DType}, {2, 2, objtype::kWall}));
    EXPECT_TRUE(Same({previous->masks, previous->trims, trim->sourceObject, trim->object3D}, {mask, trim, wall, door}));
    DeleteObj(door);  // the piece under construction goes with the object it was built from
    EXPECT_TRUE(Same({gActual3DObject, gCurPlaneObject, gBase2DObject}, {nullptr, nullptr, wall}));
}

TEST_F(SceneTest, DeletingAnObjectRemovesExactlyItsPieces) {
    int dropped = 0;
    SetResetSceneDisplayListHandler([&] { ++dropped; });
    Objex *a = Triangle(objtype::kFloor), *b = Triangle(objtype::kFloor);
    for (Objex* base : {a, b, a, b, a}) Append(base);
    DeleteRendererObject(a);
    EXPECT_TRUE(Near({PiecesOf(a).size(), PiecesOf(b).size(), dropped, gReRenderGLObjects}, {0, 2, 1, 1}));
    PlaneObject* last = Append(a);
    EXPECT_TRUE(Same({last->prev, gGLPlaneObjects->next->next}, {PiecesOf(b)[1], last}));

    // A document freeing its objects wholesale first empties the scene built from them.
    gGLTopoTrimPlaneObjects = CreatePlaneObject();
    DeleteDocumentRendererObjects(doc);
    EXPECT_TRUE(Near({gGLPlaneObjects == nullptr, gGLTopoTrimPlaneObjects == nullptr, dropped}, {1, 1, 2}));
}

TEST_F(SceneTest, UndoOverABuiltSceneFreesItFirstAndRecomputesTheGround) {
    const std::string path = FreshTempFolder("undo") + "/snapshot";
    gUndoActive = 1;
    ASSERT_EQ(SaveState(path.c_str()), 1);
    Objex* region = Shape(floor, objtype::kTopography, {{-1, -1}, {700, -1}, {700, 700}, {-1, 700}}, true);
    region->penWidth = 24;
    SetLotElevation();
    EXPECT_EQ(Node(1, 1), 24);
    for (Objex* o : {region, Shape(floor, objtype::kWall, {{0, 0}, {90, 0}})}) Append(o);
    ASSERT_EQ(RestoreState(path.c_str()), 1);
    EXPECT_TRUE(Near({gGLPlaneObjects == nullptr, Node(1, 1), gTopoInUse}, {1, 0, 0}));
}

TEST_F(SceneTest, PlantsGrowButNeverBelowAYear) {
    Objex* plant = Make(objtype::kPlant).on(floor).plan({{0, 0}, {9, 0}}).plant(10, 400);
    plant->plantAge = 3;
    PlaneObject* p = Append(plant, kPlantSurface);
    GrowPlantVisuals(2);
    float width = 0, height = 0;  // as the plant is now
    GetPlantBounds(plant, &width, &height, 0);
    EXPECT_TRUE(Near({plant->plantAge, p->plantHalfWidth * 2, p->plantHeight}, {5, width, height}, kUlps));
    GrowPlantVisuals(-9);
    EXPECT_EQ(plant->plantAge, 1.0f);
}

TEST_F(SceneTest, TheGridFollowsTheTerrainObjects) {
    ASSERT_EQ(std::tuple(gTopoRowCnt, gTopoColumnCnt), std::tuple(2, 3));
    SetLotElevation();  // no terrain: flat and not in use
    EXPECT_TRUE(Near({Node(1, 1), gTopoInUse, std::signbit(GetTopoElevationAtGridPt(450, 450))}, {0, 0, 0}));

    // The live view is hidden: computed all the same.
    Objex* lot = Slope(objtype::kEntireLot, 10, {{0, 0}, {300, 0}});
    SetLotElevation();
    EXPECT_TRUE(Near({gTopoInUse, gRenderOnShow}, {1, 1}));
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c) EXPECT_NEAR(Node(r, c), -kTan10 * 300 * c, 1e-3) << r << "," << c;
    DeleteObj(lot);

    // A region adds its height inside; a section its slope in its band, its full drop beyond P1.
    Objex* region = Shape(floor, objtype::kTopography, {{-1, -1}, {450, -1}, {450, 350}, {-1, 350}}, true);
    objfield::topo_line::kHeight(*region) = 24;
    Slope(objtype::kSlopeLot, 45, {{1000, 200}, {1000, 400}});
    SetLotElevation();
    EXPECT_TRUE(Near({Node(0, 0), Node(0, 2), Node(1, 1), Node(1, 2), Node(2, 3)}, {24, 0, 24 - 100, -100, -200}, 1e-3));

    // Shown, the scene follows a ground that moved: what stands on the terrain is built again,
    // nothing else; the same ground computed again (as the window does each time it becomes
    // main) builds nothing.
    Objex* slab = Triangle(objtype::kFloor);
    slab->onTerrain = 1;
    AddStalePieces({slab, region});
    gRenderOnShow = 0;
    SetupTopoGrid(), SetLotElevation();
    EXPECT_TRUE(HasStalePiece(slab));
    objfield::topo_line::kHeight(*region) = 12;
    SetLotElevation();
    EXPECT_TRUE(Near({HasStalePiece(slab), Built(slab), HasStalePiece(region)}, {0, 1, 1}));
}

TEST_F(SceneTest, SamplingInsideBesideAndWithoutAGrid) {
    gTopographyGrid = {0, 30, 60, 90, 100, 110, 120, 130, 5, 6, 7, 8};
    gTopoInUse = 1;
    const float rows[][3] = {
        {150, 150, -(0 + 30 + 100 + 110) / 4.0f},  // bilinear
        {300, 150, -(30 + 110) / 2.0f},            // on a line: the cell left of it
        {900, 150, -(90 + 130) / 2.0f},            // the last node column, still a full cell
        {950, 150, -90},  {950, 300, -130},        // beyond it: the highest matching node (of both rows on a line)
        {-50, 450, -100}, {1200, 450, -130},       // beside the lot: the edge node of the row
        {450, -50, -30},  {450, 700, -6},          // above and below: row 0, the last row
    };
    for (const auto& row : rows) EXPECT_NEAR(GetTopoElevationAtGridPt(row[0], row[1]), row[2], 1e-4) << row[0] << "," << row[1];
    EXPECT_TRUE(std::signbit(GetTopoElevationAtGridPt(-50, -50)));  // nowhere near

    doc->itsDocState->topoGridSpacing = 0;  // no grid: flat
    const float flat = GetTopoElevationAtGridPt(450, 450);
    SetupTopoGrid(), SetLotElevation();
    EXPECT_TRUE(Near({flat, std::signbit(flat), gTopographyGrid.size(), gTopoInUse}, {0, 0, 0, 0}));
}

TEST_F(SceneTest, PiecesStandOnTheGroundOrAtTheirElevation) {
    Objex* path = Shape(floor, objtype::kPath, {{0, 0}, {9, 0}});
    path->onTerrain = 1;
    EXPECT_EQ(Placed(path, objtype::kPath), (std::vector<float>{-6, -6}));
    EXPECT_EQ(Placed(path, objtype::kPropertyLine), (std::vector<float>{-3, -3}));
    Slope(objtype::kEntireLot, 10, {{0, 0}, {300, 0}});
    SetLotElevation();
    // Anything else on the terrain rises with the highest ground under it; edging stays.
    const std::vector<float> line = Placed(path, objtype::kPropertyLine), fence = Placed(path, objtype::kFence);
    EXPECT_TRUE(Near({line[0], line[1], fence[0], fence[1]}, {kTan10 * 100 - 3, kTan10 * 800 - 3, -10 + kTan10 * 100, -10 + kTan10 * 100}, 1e-3));
    EXPECT_EQ(Placed(path, objtype::kEdging), (std::vector<float>{-10, -10}));

    // Off the terrain: up by the elevation in plan units (twice the inches at the default scale).
    Objex* wall = Shape(floor, objtype::kWall, {{0, 0}, {90, 0}});
    wall->elevation = 50;
    EXPECT_EQ(Placed(wall, objtype::kWall, 10)[0], -10 - 20);
    ElevateObject(wall);
    EXPECT_EQ(wall->firstPoint->position[1], -100);
    Objex* group = Group(floor, {Triangle(objtype::kFloor)});
    group->subtype = 170, group->elevation = 3, group->firstChild->elevation = 4;
    EXPECT_EQ(Placed(group->firstChild, objtype::kFloor, 0, group->firstChild)[0], -10 - 14);
}

// A group of an imported solid stands on the ground at its middle (its points moved there by
// the step). Turned by Flip or Rotate over the lot sloped 10 degrees along H, or with the ground
// raised under it, it stands where the ground under its new middle lies once the step is done,
// as a whole build after a read puts it: not where the ground lay under its old place when the
// walk built the group, before its member turned; and so with the live view hidden or its
// floor hidden, where nothing is built, and showing them moves it no further.
TEST_F(SceneTest, AGroupTurnedOnSlopedGroundStandsWhereTheGroundUnderItsNewPlaceLies) {
    RegisterLiveView(true);
    gRenderOnShow = 0;
    doc->itsDocState->viewKind = 2;  // the plan: turns about V, flips across H
    // The plane through (0, 0) falling tan 10 = 0.1763270 per unit along H: at the full cells'
    // nodes (every 300 up to H 900) the ground lies 52.898 lower per column, and between them
    // the grid gives the plane itself, a scene y (down) of 0.1763270 x H.
    Slope(objtype::kEntireLot, 10, {{0, 0}, {300, 0}});
    SetLotElevation();
    struct Row {
        int32_t command;  // 0: a region 12 high laid over the whole lot, the ground computed
        float degrees;    // of a turn about (400, 300); a flip turns about H 400
        float middle;     // H of the solid's middle after the step, worked by hand
        float ground;     // 0.1763270 x middle (less the region's 12): where its lowest points then stand
        bool liveView = true, floorShown = true;
    };
    // The solid, a face 60 wide rising 30 over the line D = 300 from H 100 to 160, has its
    // middle at (130, 300), 270 left of (400, 300): it first stands at 0.1763270 x 130 = 22.9225.
    const Row rows[] = {
        {cmd::kFlipHorizontal, 0, 670, 118.1391},  // 800 - 130 = 670: 0.1763270 x 670
        {cmd::kRotate, 90, 400, 70.5308},          // 270 along D from (400, 300), either way: 0.1763270 x 400
        {cmd::kRotate, 180, 670, 118.1391},        // 270 right of it, to (670, 300)
        {cmd::kFlipHorizontal, 0, 670, 118.1391, false},
        {cmd::kRotate, 90, 400, 70.5308, false},
        {0, 0, 130, 22.9225f - 12, false},
        {0, 0, 130, 22.9225f - 12, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.command) + " " + std::to_string(row.degrees) + (row.liveView ? "" : " hidden") +
                     (row.floorShown ? "" : " floor hidden"));
        Objex* solid = Make(objtype::kFentrix).closed().at({{100, 0, 300}, {160, 0, 300}, {160, -30, 300}, {100, -30, 300}});
        Objex* group = Group(floor, {solid});
        group->onTerrain = 1;
        SetLotElevation(), RenderAllLayers();  // a step ends: it stands on the ground under its middle
        const auto lowest = [solid] {
            float v = -1e30f;
            for (const Poinz* p = solid->firstPoint; p; p = p->next) v = std::max(v, p->position[1]);
            return v;
        };
        ASSERT_NEAR(lowest(), 22.9225f, 1e-3);
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
        SelectObj(group, selmode::kSelect, 0);
        TransformRecord turn;
        turn.values[xform::kRotationAngle] = row.degrees * 3.14159265f / 180;
        turn.values[xform::kCentreH] = 400, turn.values[xform::kCentreH + 2] = 300;
        gFlipCenterX = 400, gFlipCenterY = 300;
        RegisterLiveView(row.liveView);
        floor->visible = row.floorShown;
        RenderAllLayers();
        Objex* region = nullptr;
        if (row.command) {
            SelectedObjectAllLayers(doc->itsLayers, 1, row.command, &turn);
        } else {
            region = Shape(floor, objtype::kTopography, {{-10, -10}, {1010, -10}, {1010, 610}, {-10, 610}}, true);
            objfield::topo_line::kHeight(*region) = 12;
            SetLotElevation();
        }
        float left = 1e30f, right = -1e30f;
        for (const Poinz* p = solid->firstPoint; p; p = p->next)
            left = std::min(left, p->position[0]), right = std::max(right, p->position[0]);
        EXPECT_NEAR((left + right) / 2, row.middle, 1e-3);
        EXPECT_NEAR(lowest(), row.ground, 1e-3);
        // A whole build, as after a read of the design saved now, moves it no further, and its
        // face is measured where it stands, as a read measures it.
        const float placed = lowest();
        const FloatRect face = solid->textureFaceRect;
        SetTextureFaceUV(solid);
        EXPECT_TRUE(Near({face.floatTop, face.floatBottom}, {solid->textureFaceRect.floatTop, solid->textureFaceRect.floatBottom}));
        RegisterLiveView(true);
        floor->visible = 1;
        RenderAllLayers();
        EXPECT_EQ(lowest(), placed);
        DeleteObj(group);
        if (region) DeleteObj(region), SetLotElevation();
    }

    // Two groups lifted inside one batch, each held for its end: the one freed before it ends
    // is passed by, the other stands on the ground again and is built there, with the wall
    // among its members built from its points where they then stand, as a read builds it.
    Objex* solids[2];
    Objex* groups[2];
    Objex* wall = Make(objtype::kWall).at({{100, 0, 320}, {160, 0, 320}});
    Objex* other = Make(objtype::kWall).at({{100, 0, 340}, {160, 0, 340}});
    for (int i = 0; i < 2; ++i) {
        solids[i] = Make(objtype::kFentrix).closed().at({{100, 0, 300}, {160, 0, 300}, {160, -30, 300}, {100, -30, 300}});
        groups[i] = i ? Group(floor, {solids[i]}) : Group(floor, {solids[i], wall, other});
        groups[i]->onTerrain = 1;
    }
    rebuild::Run(wall, rebuild::kObjectScopes), rebuild::Run(other, rebuild::kObjectScopes);
    SetLotElevation(), RenderAllLayers();
    {
        const rebuild::GroundBatch batch;
        for (int i = 0; i < 2; ++i) {
            for (Objex* m = groups[i]->firstChild; m; m = m->next)
                for (Poinz* p = m->firstPoint; p; p = p->next) p->position[1] -= 50;
            ReRenderObject(groups[i]);
        }
        DeleteObj(groups[1]);
    }
    float low = -1e30f;
    for (const Poinz* p = solids[0]->firstPoint; p; p = p->next) low = std::max(low, p->position[1]);
    EXPECT_NEAR(low, 22.9225f, 1e-3);
    EXPECT_FALSE(PiecesOf(solids[0]).empty());
    const auto heights = [&] {
        std::vector<float> v;
        for (const Objex* w : {wall, other})
            for (const Poinz* p = w->typeData.wallSolid ? w->typeData.wallSolid->firstPoint : nullptr; p; p = p->next)
                v.push_back(p->position[1]);
        return v;
    };
    const std::vector<float> placed = heights();
    rebuild::Run(wall, rebuild::kObjectScopes), rebuild::Run(other, rebuild::kObjectScopes);
    EXPECT_TRUE(!placed.empty() && placed == heights());
}

}  // namespace
