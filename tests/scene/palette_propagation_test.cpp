// Palette edits reaching the objects that link them: which objects are rebuilt and which
// entries the scene's pieces show.
#include <gtest/gtest.h>

#include "files/palettes.h"
#include "model/document_model.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "support/wall_checks.h"

using namespace dvxtest;

// An entry change rebuilds the objects that link it, as long as a 3D scene exists.
namespace propagation {

constexpr int32_t kRef = 5;
constexpr int32_t kLink = -1005;

class PalettePropagationTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        layer = doc->itsLayers;
    }
    static PlaneObject* AddScenePiece(uint16_t surfaceKind = 0, int32_t front = 0, int32_t back = 0) {
        PlaneObject* p = CreatePlaneObject();
        p->surfaceKind = surfaceKind;
        p->frontTexture = front;
        p->backTexture = back;
        AppendPlaneObjectToList(gGLPlaneObjects, p);
        return p;
    }
    // A two-point wall with its generated solid and a door child.
    Objex* WallWithDoor(Objex** door) {
        Objex* wall = Make(objtype::kWall).on(layer).line(2).solid(Make(objtype::kClosedSolid, objsubtype::kWallSolid));
        *door = Make(objtype::kDoor);
        Make((*door)).with(new AttachmentRecord{});
        Make(*door).in(wall);
        return wall;
    }

    Layer* layer = nullptr;
};

TEST_F(PalettePropagationTest, AWallIsRebuiltForTheLinksOfItsDoorRecord) {
    AddScenePiece();
    Objex* door = nullptr;
    Objex* wall = WallWithDoor(&door);
    door->typeData.attachment->outsideTrimTexture = kLink;
    AddStalePieces({wall, door});

    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_TRUE(!HasStalePiece(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    // The door is checked at its own slots only.
    EXPECT_TRUE(HasStalePiece(door));

    AddStalePieces({wall});
    door->typeData.attachment->outsideTrimTexture = 0;
    door->texture3 = kLink;
    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_TRUE(HasStalePiece(wall) && !HasStalePiece(door));

    // A trim record of a wall point links the entry too; another entry is not used.
    door->texture3 = 0;
    PointAt(wall, 1)->trim2 = new TrimRecord{};
    PointAt(wall, 1)->trim2->texture[4] = kLink;
    UpdatePalettedObjectFromPaletteEntry(wall, 6);
    EXPECT_TRUE(HasStalePiece(wall));
    DeleteObjectData(wall);
    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
}

TEST_F(PalettePropagationTest, GroupsAreNotRebuiltButTheirChildrenAre) {
    AddScenePiece();
    Objex* group = Make(objtype::kGroup).on(layer);
    group->texture = kLink;
    Objex* fence = Make(objtype::kFence).line(2);
    PointAt(fence, 0)->texture2 = kLink;
    Objex* plain = Make(objtype::kFence).line(2);
    Make(fence).in(group);
    Make(plain).in(group);
    AddStalePieces({group, fence, plain});

    UpdatePalettedObjectFromPaletteEntry(group, kRef);
    EXPECT_TRUE(HasStalePiece(group) && !HasStalePiece(fence) && HasStalePiece(plain));
}

TEST_F(PalettePropagationTest, WithoutASceneNothingIsRebuilt) {
    Objex* deck = Make(objtype::kDeck).on(layer).closed().plan({{0, 0}, {100, 0}, {100, 100}});
    deck->texture = kLink;
    UpdatePalettedObjectFromPaletteEntry(deck, kRef);
    UpdateAllPalettedObjectsFromPaletteEntry(kRef);
    UpdateAllPalettedObjectsFromPaletteList();
    EXPECT_TRUE(!deck->firstPart);
    AddScenePiece();
    UpdatePalettedObjectFromPaletteEntry(nullptr, kRef);
    UpdatePalettedObjectFromPaletteEntry(deck, kRef);
    EXPECT_NE(deck->firstPart, nullptr);  // its skirting, rebuilt
}

TEST_F(PalettePropagationTest, RoofsAreRebuiltForTheirSkylightsAndCutouts) {
    AddScenePiece();
    Objex* roof = Make(objtype::kRoof).on(layer).closed().plan({{0, 0}, {100, 0}, {100, 100}, {0, 100}}).panels(nullptr);
    Objex* skylight = Make(Shape(roof, objtype::kSkylight, {{40, 60}, {60, 60}, {60, 80}, {40, 80}}, true))
                          .with(new RoofAttachmentRecord{});
    skylight->typeData.roofAttachment->texture2 = kLink;

    UpdatePalettedObjectFromPaletteEntry(roof, kRef);
    EXPECT_EQ(CountObjects(roof->typeData.roofPanels), 6);  // rebuilt: two slopes, fascias, undersides

    // The same record on another child type does not count.
    AddStalePieces({roof});
    skylight->type = objtype::kDoor;
    UpdatePalettedObjectFromPaletteEntry(roof, kRef);
    EXPECT_TRUE(HasStalePiece(roof));
}

TEST_F(PalettePropagationTest, AllObjectsOfAllLayersWithProgressStatus) {
    AddScenePiece();
    LiveViewRecorder status;
    Objex* path = Make(objtype::kEdging).on(layer).line(2);
    path->texture2 = kLink;
    Objex* stair = Make(objtype::kStaircase, objsubtype::kStraightStair).on(layer->next).plan({{0, 0}, {0, -100}});
    stair->texture4 = -1002;
    stair->params[0] = 36, stair->params[1] = 7, stair->params[2] = 10, stair->params[4] = 96;  // width, step, depth, height
    Objex* rail = Make(objtype::kRailing).on(layer->next->next).line(2);
    rail->texture = -1001;
    AddStalePieces({path, stair});

    UpdateAllPalettedObjectsFromPaletteEntry(kRef);
    EXPECT_TRUE(!HasStalePiece(path) && path->firstPart && !stair->firstPart && HasStalePiece(stair));
    EXPECT_EQ(status.events, (std::vector<std::string>{"start", "status:Updating paletted objects",
                                                      "reset", "status:"}));

    // The whole palette: every entry but the colours, silently.
    AddStalePieces({path, rail});
    status.events.clear();
    GetPaletteEntryFromRefID(1)->kind = kPaletteColor;
    GetPaletteEntryFromRefID(2)->kind = kPaletteTexture;
    UpdateAllPalettedObjectsFromPaletteList();
    EXPECT_NE(stair->firstPart, nullptr);  // rebuilt
    EXPECT_TRUE(!HasStalePiece(path) && HasStalePiece(rail));
    EXPECT_TRUE(status.events.empty());
}

TEST_F(PalettePropagationTest, LoadedEntriesAreFoundInTheSceneAndItsSubLists) {
    EXPECT_EQ(IsPaletteLoaded(7), 0);
    PlaneObject* planar = AddScenePiece(kPlanarSurface, -1007, -1017);
    PlaneObject* other = AddScenePiece(3, -1008, -1009);
    // A planar piece links by its first texture, any other by its second.
    EXPECT_EQ(std::tuple(IsPaletteLoaded(7), IsPaletteLoaded(17), IsPaletteLoaded(9), IsPaletteLoaded(8)), std::tuple(1, 0, 1, 0));

    PlaneObject* mask = CreatePlaneObject();
    mask->backTexture = -1020;
    AppendPlaneObjectToList(other->masks, mask);
    PlaneObject* trim = CreatePlaneObject();
    trim->surfaceKind = kPlanarSurface;
    trim->frontTexture = -1030;
    AppendPlaneObjectToList(planar->trims, trim);
    EXPECT_EQ(std::tuple(IsPaletteLoaded(20), IsPaletteLoaded(30), IsPaletteLoaded(0), IsAnyPaletteLoaded()),
              std::tuple(1, 1, 0, 1));
    DeletePlaneObjectList(gGLPlaneObjects);
    AddScenePiece(kPlanarSurface, -1151);  // beyond the palette's entries
    EXPECT_EQ(std::tuple(IsPaletteLoaded(151), IsAnyPaletteLoaded()), std::tuple(1, 0));
}

}  // namespace propagation
