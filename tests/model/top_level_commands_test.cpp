// The rows of TopLevelObject: copies, floors, deleting, elevations, the terrain, plans and
// ordering.
#include <gtest/gtest.h>

#include "app/core/standard_tool_seam.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_queries.h"
#include "model/walkers.h"
#include "plan/refresh_seam.h"
#include "render/core/render_state.h"
#include "support/build.h"
#include "support/seam_recorders.h"
#include "support/selection_recorders.h"

namespace dvxtest {
namespace {

class TopLevelCommands : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        SetResetStandardToolHandler([this](uint8_t flag) { toolResets.push_back(flag); });
        SetRefreshHandler([this] { ++refreshes; });
    }

    Layer* Floor(int index) {
        Layer* l = doc->itsLayers;
        for (int i = 0; l && i < index; ++i) l = l->next;
        return l;
    }

    static float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    static float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }

    std::vector<uint8_t> toolResets;
    int refreshes = 0;
};

TEST_F(TopLevelCommands, DuplicateMakesEachCopyFromThePreviousOneAndMirrorCopiesAreDeselected) {
    DocState* ds = CurrentDocState();
    ds->duplicateCount = 3;  // offset (0.5, -0.5) inches: (1, -1) plan units at scale 36
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    RebuildRecorder rec;
    TopLevelObject(wall, 5006, ds);

    ASSERT_EQ(CountObjects(floor->firstObject), 4);
    Objex* copy = wall->next;
    for (float step = 1; step <= 3; ++step, copy = copy->next) {
        EXPECT_EQ(H(copy, 0), step);
        EXPECT_EQ(D(copy, 0), -step);
        EXPECT_EQ(H(copy, 1), 100 + step);
        EXPECT_EQ(rec.count("Update3DWall", copy), 1);
        EXPECT_EQ(rec.count("ReRenderObject", copy), 1);
        EXPECT_FALSE(IsObjectSelected(copy));
    }
    EXPECT_EQ(H(wall, 0), 0.0f);

    // A mirror copy in place comes back deselected, so the walk meets it only once.
    Objex* line = Shape(Floor(1), objtype::kLine, {{0, 0}, {10, 0}});
    Objex* other = Shape(Floor(1), objtype::kLine, {{0, 10}, {10, 10}});
    Make(line).select();
    TopLevelObjectLayer(Floor(1), 5008, ds);
    ASSERT_EQ(CountObjects(Floor(1)->firstObject), 3);
    EXPECT_FALSE(IsObjectSelected(other->next));
}

TEST_F(TopLevelCommands, CopyToTheFloorAboveLeavesTheOriginalDeselectedOrInPlaceWhenNoCopyCanBeMade) {
    SelectionSeamRecorder seams;
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Make(line).select();
    TopLevelObjectAllLayers(doc->itsLayers, 5170, nullptr);

    EXPECT_EQ(floor->firstObject, line);
    EXPECT_EQ(line->next, nullptr);
    EXPECT_FALSE(IsObjectSelected(line));
    ASSERT_EQ(CountObjects(Floor(1)->firstObject), 1);
    Objex* copy = Floor(1)->firstObject;
    EXPECT_NE(copy, line);
    EXPECT_EQ(copy->elevation, floor->height);
    EXPECT_EQ(CountObjects(Floor(2)->firstObject), 0);
    EXPECT_EQ(toolResets, std::vector<uint8_t>{1});
    EXPECT_EQ(seams.propertiesStates, std::vector<int>{1});

    // Members of a symbol-editor group cannot be copied: the group stays on its floor.
    Objex* member = Shape(floor, objtype::kLine, {{0, 20}, {10, 20}});
    Objex* editor = Group(floor, {member}, groupkind::kSymbolEditor);
    Make(member).select();
    TopLevelObject(editor, 5170, nullptr);
    EXPECT_EQ(editor->layer, floor);
    EXPECT_EQ(editor->elevation, 0.0f);
    EXPECT_EQ(CountObjects(Floor(1)->firstObject), 1);
    EXPECT_EQ(toolResets.size(), 1u);
}

TEST_F(TopLevelCommands, DeleteEmptiesAWhollySelectedLayerInOnePassAndSparesLockedObjects) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* line = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* plant = Shape(floor, objtype::kPlant, {{50, 50}, {60, 60}}, true);
    for (Objex* o : {wall, line, plant}) Make(o).select();
    TopLevelObjectLayer(floor, 5199, nullptr);
    EXPECT_EQ(floor->firstObject, nullptr);
    EXPECT_EQ(gRefreshRender, 1);

    Objex* locked = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Make(locked).select();
    PointAt(locked, 1)->locked = 1;
    TopLevelObjectLayer(floor, 21, nullptr);
    TopLevelObjectLayer(floor, 5199, nullptr);
    EXPECT_EQ(floor->firstObject, locked);
}

TEST_F(TopLevelCommands, ElevationsFollowSelectedSegmentsAndWhollySelectedOpenings) {
    gBaseElevation = 2;  // 24 inches
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {200, 0}});
    PointAt(wall, 0)->selected = 1;
    PointAt(wall, 1)->selected = 1;
    PointAt(wall, 1)->baseElevation = 10;
    wall->onTerrain = 1;
    TopLevelObjectLayer(floor, 5324, nullptr);
    EXPECT_EQ(PointAt(wall, 0)->baseElevation, 24.0f);
    EXPECT_EQ(PointAt(wall, 1)->baseElevation, 10.0f);
    EXPECT_EQ(wall->elevation, 10.0f);  // the lowest segment base
    EXPECT_EQ(wall->onTerrain, 0);

    // Raising a wholly selected wall lifts its elevation with its bases.
    Make(wall).select();
    gBaseElevation = 1;
    TopLevelObjectLayer(floor, 5431, nullptr);
    EXPECT_EQ(PointAt(wall, 0)->baseElevation, 36.0f);
    EXPECT_EQ(PointAt(wall, 1)->baseElevation, 22.0f);
    EXPECT_EQ(wall->elevation, 22.0f);

    // A door selected on its own gets 12 inches as a 24 plan-unit offset; the wall rebuilds.
    Make(wall).select(0);
    Objex* door = Shape(wall, objtype::kDoor, {{10, 0}, {20, 0}});
    auto* r = new AttachmentRecord{};
    r->segmentStart = PointAt(wall, 0);
    r->segmentEnd = PointAt(wall, 1);
    r->elevation = 5;
    Make(door).with(r);
    Make(door).select();
    RebuildRecorder rec;
    TopLevelObjectLayer(floor, 5324, nullptr);
    EXPECT_EQ(r->elevation, 24.0f);
    EXPECT_EQ(rec.count("Update3DWall", wall), 1);
    EXPECT_EQ(rec.count("UpdateAllWallAttachments", wall), 1);
    EXPECT_EQ(PointAt(wall, 0)->baseElevation, 36.0f);

    // Following the terrain: a wall cannot, a plant can.
    Objex* plant = Shape(floor, objtype::kPlant, {{50, 50}, {60, 60}}, true);
    wall->onTerrain = 1;
    TopLevelObject(wall, 5326, nullptr);
    EXPECT_EQ(gTopoFloatNA, 1);
    EXPECT_EQ(wall->onTerrain, 0);
    TopLevelObject(plant, 5326, nullptr);
    EXPECT_EQ(plant->onTerrain, 1);
    EXPECT_EQ(rec.count("ReRenderObject", plant), 1);
}

TEST_F(TopLevelCommands, PlansAreSingleBitsAndOrderingMovesIntoTheCurrentLayer) {
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    for (int32_t command = 5335; command <= 5342; ++command) {
        TopLevelObject(a, command, nullptr);
        EXPECT_EQ(a->planBits, 1 << (command - 5335));
    }
    TopLevelObject(a, 5389, nullptr);
    EXPECT_EQ(a->planBits, 256);

    Objex* b = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* c = Shape(floor, objtype::kLine, {{0, 20}, {10, 20}});
    Objex* upstairs = Shape(Floor(1), objtype::kLine, {{0, 30}, {10, 30}});
    Make(a).select();
    TopLevelObject(a, 5105, nullptr);
    EXPECT_EQ(floor->firstObject, b);
    EXPECT_EQ(c->next, a);
    EXPECT_FALSE(IsObjectSelected(a));
    TopLevelObject(upstairs, 5106, nullptr);
    EXPECT_EQ(floor->firstObject, upstairs);
    EXPECT_EQ(upstairs->next, b);
    EXPECT_EQ(b->prev, upstairs);
    EXPECT_EQ(upstairs->layer, floor);
    EXPECT_EQ(Floor(1)->firstObject, nullptr);
    EXPECT_EQ(refreshes, 2);
}

}  // namespace
}  // namespace dvxtest
