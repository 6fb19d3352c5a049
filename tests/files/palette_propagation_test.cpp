// An entry change rebuilds the objects that link it, as long as a 3D scene exists.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/palettes.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "scene/plane_object.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

constexpr int32_t kRef = 5;
constexpr int32_t kLink = -1005;

class PalettePropagationTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        layer = doc->itsLayers;
        recorder = std::make_unique<RebuildRecorder>();
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
    std::unique_ptr<RebuildRecorder> recorder;  // made after the fixture's reset
    RebuildRecorder& rebuilds() { return *recorder; }
};

TEST_F(PalettePropagationTest, AWallIsRebuiltForTheLinksOfItsDoorRecord) {
    AddScenePiece();
    Objex* door = nullptr;
    Objex* wall = WallWithDoor(&door);
    door->typeData.attachment->outsideTrimTexture = kLink;

    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_EQ(rebuilds().callsFor(wall),
              (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments", "ReRenderObject"}));
    // The door is checked at its own slots only.
    EXPECT_TRUE(rebuilds().callsFor(door).empty());

    rebuilds().calls.clear();
    door->typeData.attachment->outsideTrimTexture = 0;
    door->texture3 = kLink;
    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_TRUE(rebuilds().callsFor(wall).empty());
    EXPECT_EQ(rebuilds().callsFor(door), (std::vector<std::string>{"ReRenderObject"}));

    // A trim record of a wall point links the entry too; another entry is not used.
    rebuilds().calls.clear();
    door->texture3 = 0;
    PointAt(wall, 1)->trim2 = new TrimRecord{};
    PointAt(wall, 1)->trim2->texture[4] = kLink;
    UpdatePalettedObjectFromPaletteEntry(wall, 6);
    EXPECT_TRUE(rebuilds().calls.empty());
    UpdatePalettedObjectFromPaletteEntry(wall, kRef);
    EXPECT_EQ(rebuilds().count("Update3DWall", wall), 1);
}

TEST_F(PalettePropagationTest, GroupsAreNotRebuiltButTheirChildrenAre) {
    AddScenePiece();
    Objex* group = Make(objtype::kGroup).on(layer);
    group->texture = kLink;
    Objex* fence = Make(objtype::kFence).line(2);
    PointAt(fence, 0)->texture2 = kLink;
    Objex* plain = Make(objtype::kFence);
    Make(fence).in(group);
    Make(plain).in(group);

    UpdatePalettedObjectFromPaletteEntry(group, kRef);
    EXPECT_TRUE(rebuilds().callsFor(group).empty());
    EXPECT_EQ(rebuilds().callsFor(fence), (std::vector<std::string>{"UpdateFenceObject", "ReRenderObject"}));
    EXPECT_TRUE(rebuilds().callsFor(plain).empty());
}

TEST_F(PalettePropagationTest, WithoutASceneNothingIsRebuilt) {
    Objex* deck = Make(objtype::kDeck).on(layer);
    deck->texture = kLink;
    UpdatePalettedObjectFromPaletteEntry(deck, kRef);
    UpdateAllPalettedObjectsFromPaletteEntry(kRef);
    UpdateAllPalettedObjectsFromPaletteList();
    EXPECT_TRUE(rebuilds().calls.empty());
    AddScenePiece();
    UpdatePalettedObjectFromPaletteEntry(nullptr, kRef);
    UpdatePalettedObjectFromPaletteEntry(deck, kRef);
    EXPECT_EQ(rebuilds().count("Update3DDeck", deck), 1);
}

TEST_F(PalettePropagationTest, RoofsAreRebuiltForTheirSkylightsAndCutouts) {
    AddScenePiece();
    Objex* roof = Make(objtype::kRoof).on(layer).panels(nullptr);
    Objex* skylight = Make(objtype::kSkylight).with(new RoofAttachmentRecord{}).in(roof);
    skylight->typeData.roofAttachment->texture2 = kLink;

    UpdatePalettedObjectFromPaletteEntry(roof, kRef);
    EXPECT_EQ(rebuilds().count("Update3DRoof", roof), 1);
    EXPECT_TRUE(rebuilds().callsFor(skylight).empty());

    // The same record on another child type does not count.
    rebuilds().calls.clear();
    skylight->type = objtype::kDoor;
    UpdatePalettedObjectFromPaletteEntry(roof, kRef);
    EXPECT_TRUE(rebuilds().calls.empty());
}

TEST_F(PalettePropagationTest, AllObjectsOfAllLayersWithProgressStatus) {
    AddScenePiece();
    LiveViewRecorder status;
    Objex* path = Make(objtype::kPath).on(layer);
    path->texture2 = kLink;
    Objex* stair = Make(objtype::kStaircase).on(layer->next);
    stair->texture4 = -1002;
    Objex* rail = Make(objtype::kRailing).on(layer->next->next);
    rail->texture = -1001;

    UpdateAllPalettedObjectsFromPaletteEntry(kRef);
    EXPECT_EQ(rebuilds().callsFor(path), (std::vector<std::string>{"Update3DPath", "ReRenderObject"}));
    EXPECT_TRUE(rebuilds().callsFor(stair).empty());
    EXPECT_EQ(status.events, (std::vector<std::string>{"start", "status:Updating paletted objects",
                                                      "reset", "status:"}));

    // The whole palette: every entry but the colours, silently.
    rebuilds().calls.clear();
    status.events.clear();
    GetPaletteEntryFromRefID(1)->kind = kPaletteColor;
    GetPaletteEntryFromRefID(2)->kind = kPaletteTexture;
    UpdateAllPalettedObjectsFromPaletteList();
    EXPECT_EQ(rebuilds().count("UpdateStairObject", stair), 1);
    EXPECT_EQ(rebuilds().count("Update3DPath", path), 1);
    EXPECT_TRUE(rebuilds().callsFor(rail).empty());
    EXPECT_TRUE(status.events.empty());
}

TEST_F(PalettePropagationTest, LoadedEntriesAreFoundInTheSceneAndItsSubLists) {
    EXPECT_EQ(IsPaletteLoaded(7), 0);
    PlaneObject* planar = AddScenePiece(kPlanarSurface, -1007, -1017);
    PlaneObject* other = AddScenePiece(3, -1008, -1009);
    EXPECT_EQ(IsPaletteLoaded(7), 1);    // planar: its first texture
    EXPECT_EQ(IsPaletteLoaded(17), 0);
    EXPECT_EQ(IsPaletteLoaded(9), 1);    // otherwise its second
    EXPECT_EQ(IsPaletteLoaded(8), 0);

    PlaneObject* mask = CreatePlaneObject();
    mask->backTexture = -1020;
    AppendPlaneObjectToList(other->masks, mask);
    PlaneObject* trim = CreatePlaneObject();
    trim->surfaceKind = kPlanarSurface;
    trim->frontTexture = -1030;
    AppendPlaneObjectToList(planar->trims, trim);
    EXPECT_EQ(IsPaletteLoaded(20), 1);
    EXPECT_EQ(IsPaletteLoaded(30), 1);
    EXPECT_EQ(IsPaletteLoaded(0), 0);

    EXPECT_EQ(IsAnyPaletteLoaded(), 1);
    DeletePlaneObjectList(gGLPlaneObjects);
    AddScenePiece(kPlanarSurface, -1151);  // beyond the palette's entries
    EXPECT_EQ(IsPaletteLoaded(151), 1);
    EXPECT_EQ(IsAnyPaletteLoaded(), 0);
}

}  // namespace
