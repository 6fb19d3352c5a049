// Building the scene from the plan: the live view's gate, what each type builds, the walk over
// the floors, and what building leaves of the model.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "design_generator.h"
#include "files/design_file.h"
#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/scene_checks.h"
#include "support/records.h"
#include "support/seam_recorders.h"
#include "tools/wall_construction.h"

namespace {

using namespace dvxtest;
using Kinds = std::multiset<int>;
using Rows = std::vector<std::vector<double>>;
namespace seg = objfield::wall_segment;

// Walls 6 inches (12 units) thick on a base offset of 1 unit, every segment 96 units high.
class SceneBuildTest : public SelectionTest {
protected:
    void SetUp() override { SelectionTest::SetUp(), RegisterLiveView(true); }
    Objex* NewWall(PlanPoints points, bool closed = false) {
        Objex* w = Outline(objtype::kWall, points, closed).on(floor);
        w->penWidth = 6, objfield::wall::kBaseOffset(*w) = 0.5f;
        for (Poinz* p = w->firstPoint; p; p = p->next) seg::kFirstHeight(*p) = seg::kSecondHeight(*p) = 48;
        Update3DWall(w);
        return w;
    }
    Objex* Slab(Layer* on) { return Outline(objtype::kFloor, {{0, 0}, {90, 0}, {90, 90}}).on(on); }
    static Kinds KindsOf(const Objex* base, bool masks = false) {  // of its pieces, or of their masks
        Kinds kinds;
        for (const PlaneObject* p : PiecesOf(base))
            for (const PlaneObject* m = masks ? p->masks : p; m; m = masks ? m->next : nullptr) kinds.insert(m->pieceKind);
        return kinds;
    }
};

TEST_F(SceneBuildTest, TheGateBuildsForAShownLiveViewAndMarksAHiddenOneForARebuild) {
    Objex* slab = Slab(floor);
    RegisterLiveView(false), ReRenderObject(slab);
    EXPECT_TRUE(!gGLPlaneObjects && gRenderOnShow);
    gForceRenderObjectNow = 1, ReRenderObject(slab);  // never into an empty scene
    EXPECT_TRUE(!gGLPlaneObjects && !gForceRenderObjectNow);
    gEnableBackgroundRendering = 1, ReRenderObject(slab);  // objects build while hidden, edits do not
    EXPECT_EQ(gGLPlaneObjects, nullptr);
    RenderSingleObject(slab);
    EXPECT_TRUE(Near({PiecesOf(slab).size(), slab->needsRebuild}, {2, 1}));
    gEnableBackgroundRendering = 0, gRenderOnShow = 1;
    ShowLiveView(), RenderAllLayers();
    EXPECT_TRUE(Near({PiecesOf(slab).size(), gRenderOnShow, gRefreshRender, slab->needsRebuild}, {2, 0, 1, 0}));
    SetLiveViewControllerExistsHandler(nullptr), DeleteAllRendererObjects();
    RenderAllLayers(), ReRenderObject(slab), RenderEntireObject(slab), RenderSingleObject(slab);
    EXPECT_EQ(gGLPlaneObjects, nullptr);  // no controller: nothing
}

TEST_F(SceneBuildTest, AWallIsABandOfFacesRoundItsFootprintWithItsOutlineAndOpenings) {
    // Open, 3 points: sides of 206 + 206 and 194 + 194, ends of 12, all 97 high.
    Objex* open = NewWall({{0, 0}, {200, 0}, {200, 200}});
    RenderSingleObject(open);
    const std::vector<PlaneObject*> band = PiecesOfKind(10);
    EXPECT_TRUE(band.size() == 6 && Band(band, 12) && NormalsPerpendicular(band) && std::fabs(Area(band) - 824 * 97) < 0.5);
    // An exterior wall of more than two points has its floor (36, and 46 on its floor), open or not.
    EXPECT_EQ(KindsOf(open), (Kinds{0, 0, 10, 10, 10, 10, 10, 10, 36, 46}));
    // A grey top over each segment closes it from above: together the footprint, 12 wide along
    // the centre line's 400 (mitred at the corner), all 97 over the base, sharing every top
    // edge of the faces, so that only their bottoms stay open.
    std::vector<PlaneObject*> tops = PiecesOfKind(0), shut = band;
    shut.insert(shut.end(), tops.begin(), tops.end());
    EXPECT_TRUE(tops.size() == 2 && std::fabs(Area(tops) - 400 * 12) < 0.05 && Band(shut, 6) && NormalsPerpendicular(tops));
    for (const PlaneObject* top : tops) {
        EXPECT_TRUE(top->frontColor.red == 0xE0E0 && top->planes->ny < 0);
        for (const Plane* plane : PlanesOf(top))
            for (uint32_t i = 0; i < plane->count; ++i) EXPECT_NEAR(plane->vertices[i].V, -97, 1e-3);
    }
    // In an elevation view its edges along the faces hide (a tag other than 0 once placed)
    // with the faces' top edges.
    doc->itsDocState->elevationView = 2, ReRenderObject(open);
    std::vector<bool> hidden;
    for (uint16_t tag : Tags(PiecesOfKind(0).at(0)->planes)) hidden.push_back(tag != 0);
    EXPECT_EQ(hidden, (std::vector<bool>{true, false, true, false}));
    doc->itsDocState->elevationView = 0, ReRenderObject(open);
    // With a door and a window it stays whole; each masks both faces of its segment.
    Opening(open, objtype::kDoor, 500, 0), Opening(open, objtype::kWindow, 600, 1), ReRenderObject(open);
    EXPECT_TRUE(Band(PiecesOfKind(10), 12) && KindsOf(open, true) == (Kinds{61, 61, 61, 61}));
    for (const PlaneObject* face : PiecesOf(open)) EXPECT_TRUE(!face->masks || MasksOnFace(face));

    // A gable (pitch 12 both ways, peak 100 along): the top follows it, and still only the
    // bottoms stay open.
    Objex* gable = NewWall({{0, 600}, {200, 600}});
    seg::kShape(*gable->firstPoint) = 1, seg::kPitchA(*gable->firstPoint) = seg::kPitchB(*gable->firstPoint) = 12;
    DeleteAllRendererObjects(), RenderSingleObject(gable);
    std::vector<PlaneObject*> roofed = PiecesOf(gable);
    EXPECT_TRUE(roofed.size() == 5 && PlanesOf(roofed.back()).size() == 2 && Band(roofed, 4));

    // Closed, 4 points: loops of 4 x 212 and 4 x 188, and two faces across at the seam.
    Objex* closed = NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, true);
    DeleteAllRendererObjects(), RenderSingleObject(closed);
    std::vector<PlaneObject*> loops = PiecesOfKind(10);
    ASSERT_EQ(loops.size(), 10u);
    loops.erase(loops.begin() + 9), loops.erase(loops.begin() + 4);
    EXPECT_TRUE(Band(loops, 16) && std::fabs(Area(loops) - 1600 * 97) < 0.5);
    tops = PiecesOfKind(0);  // a ring 12 wide along the centre line's 800
    loops.insert(loops.end(), tops.begin(), tops.end());
    EXPECT_TRUE(tops.size() == 4 && std::fabs(Area(tops) - 800 * 12) < 0.05 && Band(loops, 8));
    // Its floor covers the whole room, as does that of a wall drawn round and back onto its
    // start. An open wall's outline is closed across its open side: a U of four points floors
    // the same square, an L of three the triangle between its ends.
    auto floorOf = [&](Objex* wall) {
        DeleteAllRendererObjects(), RenderSingleObject(wall);
        return std::pair(Area(PiecesOfKind(36)), PiecesOfKind(46).size());
    };
    EXPECT_EQ(floorOf(NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, true)), std::pair(200.0 * 200, size_t(1)));
    EXPECT_EQ(floorOf(NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}, {0, 0}})), std::pair(200.0 * 200, size_t(1)));
    EXPECT_EQ(floorOf(NewWall({{0, 0}, {200, 0}, {200, 200}, {0, 200}})), std::pair(200.0 * 200, size_t(1)));
    EXPECT_EQ(floorOf(NewWall({{0, 0}, {200, 0}, {200, 200}})), std::pair(200.0 * 200 / 2, size_t(1)));

    // Two points: no outline, but the solid and its openings' parts; an interior wall no outline.
    Objex* two = NewWall({{0, 300}, {100, 300}});
    AttachmentRecord* door = Opening(two, objtype::kDoor, 500, 0)->typeData.attachment;
    AppendObjectToList(door->generatedParts, Part(900), nullptr);
    RenderSingleObject(two);
    Kinds kinds = KindsOf(two);
    for (int trim : {1, 2, 3}) kinds.erase(trim);
    EXPECT_TRUE(kinds == (Kinds{0, 10, 10, 10, 10, 900}) && PiecesOfKind(900)[0]->object3D == two->firstChild);
    // Re-rendered with a custom trim inside: its two bands and the standard three outside round
    // the four edges, and the lining, all picked as the door.
    door->generatedParts->parent = two->firstChild;
    door->insideTrimProfile = Make(8).at({{0, 0, 0}, {2, 0, 0}, {2, 0, 3}}), door->insideCustomTrim = 1;
    for (int i = 0; i < 2; ++i) ReRenderObject(two);
    Kinds trims;
    for (const PlaneObject* p : PiecesOf(two))
        if (p->object3D == two->firstChild && p->pieceKind < 4) trims.insert(p->pieceKind);
    EXPECT_TRUE(Near({trims.count(1), trims.count(2), trims.count(3)}, {8, 12, 4}));
    closed->auxColor.red = 1, ReRenderObject(closed);
    EXPECT_EQ(KindsOf(closed).count(36) + KindsOf(closed).count(46), 0u);
}

TEST_F(SceneBuildTest, GridsCapsFloorsAndTheFramingViewBuildWhatTheirTypeAsks) {
    Objex *grid = Make(objtype::kClosedSolid, 173).grid(3, 3).on(floor), *slab = Slab(floor);
    RenderSingleObject(grid), RenderSingleObject(slab);
    EXPECT_TRUE(KindsOf(grid) == Kinds{173} && PlanesOf(PiecesOf(grid)[0]).size() == 4);
    for (bool closed : {false, true}) {  // two rows round a square: quads, and caps when closed
        Objex* tube = Make(objtype::kPolygon).closed(closed).rows(2).on(floor).at(
            {{0, 0, 0}, {40, 0, 0}, {40, 0, 40}, {0, 0, 40}, {0, -20, 0}, {40, -20, 0}, {40, -20, 40}, {0, -20, 40}});
        RenderSingleObject(tube);
        int caps = 0;
        for (const PlaneObject* p : PiecesOf(tube)) caps += p->surfaceKind == kPlanarSurface;
        EXPECT_TRUE(Near({PiecesOf(tube).size() - caps, caps}, {closed ? 4 : 3, closed ? 2 : 0})) << closed;
    }
    EXPECT_TRUE(PiecesOf(slab).size() == 2 && PiecesOf(slab)[0]->pieceKind == 47 && PiecesOf(slab)[1]->pieceKind == 13);

    // The framing view: no path, a deck without its skirting, a wall's outline and framing alone.
    doc->itsDocState->framingView = 1;
    Objex *path = Shape(floor, objtype::kPath, {{0, 0}, {50, 0}}), *deck = Deck(floor);
    AppendObjectToList(path->firstPart, Part(objtype::kClosedOutline), path);
    AppendObjectToList(deck->firstPart, Part(objtype::kDeckPart), deck);
    AppendObjectToList(deck->firstPart, Part(objtype::kClosedOutline), deck);
    Objex* wall = NewWall({{0, 0}, {200, 0}, {200, 200}});
    AppendObjectToList(Opening(wall, objtype::kDoor, 500, 0)->typeData.attachment->generatedParts, Part(900), nullptr);
    for (Objex* o : {path, deck, wall}) RenderSingleObject(o);
    const auto pieces = PiecesOf(wall);
    const auto framed = std::count_if(pieces.begin(), pieces.end(),
                                      [](const PlaneObject* p) { return p->surfaceKind == kFramingMember; });
    EXPECT_TRUE(PiecesOf(path).empty() && KindsOf(deck) == (Kinds{8, 51}) && framed > 0);
    EXPECT_TRUE(Near({KindsOf(wall).count(36), KindsOf(wall).count(46), KindsOf(wall).count(900), KindsOf(wall).count(0)}, {1, 0, 0, 0}));
}

TEST_F(SceneBuildTest, TheFramingViewGreysAPlainOutlineWhoseFlagWordAsksForIt) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {50, 0}, {50, 50}}, true);
    Objex* panel = Part(objtype::kClosedOutline);
    panel->layer = floor;
    AppendObjectToList(roof->firstPart, panel, roof);
    struct Row {
        uint8_t framing;
        int32_t word;
        int32_t texture;
        uint16_t front, back;
    };
    for (const Row& r : {Row{1, 1, 0, 0xC0C0, 0xC0C0}, {1, 0, 2203, 0xFFFF, 0xFFFF},
                         {0, 1, 0, panel->fillColor.red, panel->penColor.red}}) {
        doc->itsDocState->framingView = r.framing, objfield::flags::kWord(*panel) = r.word;
        ReRenderObject(roof);
        ASSERT_EQ(PiecesOf(roof).size(), 1u) << int(r.framing) << r.word;
        const PlaneObject* p = PiecesOf(roof)[0];
        EXPECT_TRUE(Near({p->frontTexture, p->frontColor.red, p->backColor.red}, {r.texture, r.front, r.back}))
            << int(r.framing) << r.word;
    }
}

TEST_F(SceneBuildTest, ATemporaryTypeIsUndoneOnEveryPath) {
    Objex *wall = NewWall({{0, 0}, {200, 0}, {200, 200}}), *owner = Slab(floor);
    Objex* pit = Outline(objtype::kExcavation, {{0, 0}, {90, 0}, {90, 90}}, false).on(floor);
    wall->flagA = pit->flagA = 0, wall->sourceObject = owner;
    RenderSingleObject(wall), RenderSingleObject(pit);
    EXPECT_TRUE(Near({wall->type, wall->closed, wall->flagA, pit->type, pit->closed, pit->flagA}, {12, 0, 0, 134, 1, 0}));
    // The view hides itself in the middle of the build: the outline builder stops at its gate.
    int asked = 0;
    SetLiveViewIsVisibleHandler([&] { return asked++ == 0; });
    DeleteAllRendererObjects(), RenderSingleObject(wall);
    EXPECT_TRUE(Near({wall->type, wall->closed, wall->flagA, gGLPlaneObjects == nullptr, gRenderOnShow}, {12, 0, 0, 1, 1}));
    EXPECT_EQ(wall->sourceObject, owner);
}

TEST_F(SceneBuildTest, TheWalkStartsAtTheFirstFloorByItsPlaceAndSkipsHiddenFloors) {
    Layer *second = floor->next, *third = second->next, *front = CreateLayer("X_FRONT", 1, 1, nullptr);
    front->next = doc->itsLayers, doc->itsLayers->prev = front, doc->itsLayers = front;  // a view layer first
    Objex *a = Slab(floor), *b = Slab(second), *c = Slab(third), *d = Slab(front);
    LiveViewRecorder status;
    third->visible = 0, RenderAllLayers();
    EXPECT_TRUE(Near({Built(a), Built(b), Built(c), Built(d), gGLPlaneObjects->baseObject == a}, {1, 1, 0, 0, 1}));
    EXPECT_EQ(status.events, (std::vector<std::string>{"reset", "start", "status:Preparing LiveView",
                                                      "status:Preparing LiveView", "reset"}));
    std::strcpy(floor->name, "Ground"), RenderAllLayers();
    EXPECT_TRUE(Near({PiecesOf(a).size(), PiecesOf(b).size(), Built(c), Built(d)}, {2, 2, 0, 0}));
}

// What each piece shows and stands for; every point of the design with its selection.
Rows Scene() {
    Rows out;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        out.push_back({1.0 * p->pieceKind, 1.0 * p->surfaceKind, 1.0 * VertexCount(p), 1.0 * p->frontTexture,
                       1.0 * p->backTexture, 1.0 * p->frontColor.red, 1.0 * p->alpha, 1.0 * (p->masks != nullptr),
                       1.0 * (p->trims != nullptr), 1.0 * reinterpret_cast<uintptr_t>(p->baseObject)});
    return out;
}
void Points(const Objex* o, Rows& out) {
    for (; o; o = o->next) {
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            out.push_back({p->position[0], p->position[1], p->position[2], 1.0 * p->selected});
        Points(o->firstChild, out);
    }
}

TEST_F(SceneBuildTest, BuildingAgainGivesTheSameSceneAndMovesNoPointButATerrainDropOnce) {
    dvxbench::GenerateDesign({600, 3});
    Make(floor->firstObject).select();
    doc->itsDocState->lotRect = {0, 0, 600, 1000}, doc->itsDocState->topoGridSpacing = 300;
    SetupTopoGrid();  // ground raised 24 under a group of an imported solid, the design's last object
    Shape(floor, objtype::kTopography, {{-1, -1}, {700, -1}, {700, 700}, {-1, 700}}, true)->penWidth = 24;
    SetLotElevation();
    ASSERT_EQ(CountLayers(doc->itsLayers), 3);
    Group(floor->next->next, {Shape(floor, objtype::kFentrix, {{10, 10}, {50, 10}, {50, 50}}, true)})->onTerrain = 1;
    Rows before, after;
    for (Layer* l = doc->itsLayers; l; l = l->next) Points(l->firstObject, before);
    SetLotElevation();  // a step ends: the group is dropped once, the builds move nothing
    RenderAllLayers();
    const auto first = Scene();
    RenderAllLayers();  // the design is built twice
    EXPECT_TRUE(first.size() > 600 && Scene() == first);
    SetLotElevation();
    for (Layer* l = doc->itsLayers; l; l = l->next) Points(l->firstObject, after);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_TRUE(i + 3 < before.size() ? after[i] == before[i] : after[i][1] == -24.0f) << i;
}

// The live view builds its scene from copies of the openings' outlines: a design saved, its
// scene built again (as showing or walking the live view does) and saved once more, with no
// edit between, writes the same bytes, its object and point counters among them.
TEST_F(SceneBuildTest, BuildingTheSceneTakesNoNumberSoTheNextSaveWritesTheSameBytes) {
    Objex* wall = NewWall({{0, 0}, {200, 0}, {200, 150}});
    Opening(wall, objtype::kDoor, 500, 0), Opening(wall, objtype::kWindow, 600, 1), Update3DWall(wall);
    const DocState* ds = doc->itsDocState;
    const std::string a = folders->temporaryBase() + "/a.pro", b = folders->temporaryBase() + "/b.pro";
    RenderAllLayers();
    ASSERT_EQ(KeyFileWrite(a.c_str()), 1);
    const auto counters = std::pair(ds->nextObjectID, ds->nextPointID);
    RenderAllLayers(), ReRenderObject(wall), RenderEntireObject(wall);
    ASSERT_FALSE(PiecesOf(wall).empty());
    EXPECT_EQ(std::pair(ds->nextObjectID, ds->nextPointID), counters);
    ASSERT_EQ(KeyFileWrite(b.c_str()), 1);
    EXPECT_EQ(ReadWholeFile(b), ReadWholeFile(a));
}

TEST_F(SceneBuildTest, GlassKeepsItsOpacityOnEveryStripAndAnAccessoryPlaneShowsItsTranslucency) {
    // A curved cell of glass: one piece a strip, every one as clear as the glass rule says.
    gWindowGlassTransparency = 100;
    struct Row { int16_t type; int32_t subtype; int strips; int alpha; };
    for (const Row& row : {Row{objtype::kSkylightPart, objtype::kWindow, 1, 100}, Row{objtype::kSkylightPart, objtype::kWindow, 4, 100},
                           Row{objtype::kSkylightPart, objtype::kWindow, 8, 100}, Row{objtype::kSkylightPart, 0, 4, 90},
                           Row{objtype::kFentrix, objtype::kSkylightPart, 4, 90}, Row{objtype::kFentrix, 0, 4, 255}}) {
        doc->itsDocState->surfaceDetail = static_cast<int16_t>(row.strips);
        Objex* pane = Make(row.type, row.subtype).on(floor).rows(2).at(
            {{0, 0, 0, {}, {30, 0, 0}}, {40, 0, 0}, {0, -20, 0}, {40, -20, 0}});
        objfield::translucent::kAlpha(*pane) = 90;
        RenderSingleObject(pane);
        std::vector<int> alphas;
        for (const PlaneObject* p : PiecesOf(pane)) alphas.push_back(p->alpha);
        EXPECT_EQ(alphas, std::vector<int>(static_cast<size_t>(row.strips), row.alpha)) << row.type << " " << row.subtype;
    }

    // An accessory's plane (a two-row piece of type 18) lets 64 of 255 through: alpha 191.
    Objex* wall = NewWall({{0, 400}, {200, 400}});
    Objex* accessory = Attach(wall, objtype::kAccessory, PointAt(wall, 0), PointAt(wall, 1), 100, 100);
    Objex* plane = Make(objtype::kAccessoryPlane).rows(2).at({{0, 0, 0}, {40, 0, 0}, {0, -20, 0}, {40, -20, 0}});
    AppendObjectToList(accessory->typeData.attachment->generatedParts, plane, accessory);
    for (const auto& [glass, alpha] : {std::pair{64.0f, 191}, {0.0f, 255}, {300.0f, 0}, {-5.0f, 255}}) {
        objfield::accessory::kTranslucency(*accessory) = glass;
        ReRenderObject(wall);
        const std::vector<PlaneObject*> planes = PiecesOfKind(objtype::kAccessoryPlane);
        ASSERT_EQ(planes.size(), 1u);
        EXPECT_EQ(planes[0]->alpha, alpha) << glass;
    }
}

TEST_F(SceneBuildTest, PiecesGoWithTheirObjectARebuildMovesThemToTheEndAndAnUndoLeavesNoneOfAFreedOne) {
    Objex* wall = TrimmedWall(floor, 3);
    Opening(wall, objtype::kDoor, 500, 0), Update3DWall(wall);
    Objex* slab = Slab(floor);
    gPrevPlaneColor = {1, 1, 1}, gPrevPlaneParentObject = slab;
    RenderAllLayers();
    EXPECT_TRUE(Near({gPrevPlaneColor.red, gPrevPlaneParentObject == nullptr, gGLPlaneObjects->baseObject == wall}, {0, 1, 1}));
    ReRenderObject(wall);
    EXPECT_TRUE(gGLPlaneObjects->baseObject == slab && !PiecesOf(wall).back()->next && KindsOf(wall, true).count(61));
    DeleteRendererObject(wall);  // faces, masks and trims freed (the leak check sees any left)
    EXPECT_TRUE(PiecesOf(wall).empty() && Built(slab));
    gPrevPlaneParentObject = slab, DeleteObj(slab);
    EXPECT_TRUE(!gPrevPlaneParentObject && !gGLPlaneObjects);

    // An undo after a wall edit frees the design the scene was built from and builds it again.
    const std::string path = FreshTempFolder("scene-undo") + "/snapshot";
    gUndoActive = 1;
    ASSERT_EQ(SaveState(path.c_str()), 1);
    RenderAllLayers(), PointAt(wall, 2)->position[0] += 40;
    Update3DWall(wall), ReRenderObject(wall);
    ASSERT_EQ(RestoreState(path.c_str()), 1);
    std::set<const Layer*> layers;
    for (const Layer* l = doc->itsLayers; l; l = l->next) layers.insert(l);
    ASSERT_TRUE(Built(doc->itsLayers->firstObject));
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)  // read through: the sanitizer sees a freed one
        EXPECT_TRUE(layers.count(GetRootObject(p->baseObject)->layer) && p->sourceObject->type > 0);
}

}  // namespace
