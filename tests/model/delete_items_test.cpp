// The Delete command's wall segment rule, keeping attachments in step with a wall's points,
// and custom texture sizes in trim and skylight scales.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "files/content_folders.h"
#include "model/attachments.h"
#include "model/delete_items.h"
#include "port/files.h"
#include "render/core/custom_textures.h"
#include "support/build.h"
#include "support/seam_recorders.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

using Positions = std::vector<std::pair<float, float>>;
const std::vector<std::string> kWallRebuild = {"Update3DWall", "UpdateAllWallAttachments", "ReRenderObject"};

class WallSegmentDelete : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        rebuilds.emplace();
    }
    // Selects the points at the 0-based indices and deletes.
    void DeleteWith(Objex* wall, std::initializer_list<int> selected) {
        Make(wall).select(0);
        for (int i : selected) PointAt(wall, i)->selected = 1;
        DeleteObjItem(wall);
    }
    std::optional<RebuildRecorder> rebuilds;
};

TEST_F(WallSegmentDelete, AClosedWallOpensAtItsSelectedSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* p1 = PointAt(wall, 0);
    Attach(wall, objtype::kDoor, p1, PointAt(wall, 1), 50, 50);
    Objex* closing = Attach(wall, objtype::kWindow, PointAt(wall, 3), p1, 50, 50);

    DeleteWith(wall, {0, 1});
    EXPECT_EQ(wall->closed, 0);
    EXPECT_EQ(PlanPositions(wall), (Positions{{100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{closing->objectID});
    EXPECT_EQ(closing->typeData.attachment->segmentEnd, p1);
    EXPECT_EQ(rebuilds->callsFor(wall), kWallRebuild);

    Objex* ring = Wall(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    DeleteWith(ring, {0, 2});  // the closing segment
    EXPECT_EQ(ring->closed, 0);
    EXPECT_EQ(PlanPositions(ring), (Positions{{0, 0}, {100, 0}, {100, 100}}));
}

TEST_F(WallSegmentDelete, AnOpenWallSplitsAtAMiddleSegmentAndLosesAnEndPointForAnEndSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    Objex* before = Attach(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    Attach(wall, objtype::kDoor, PointAt(wall, 2), PointAt(wall, 3), 5, 5);
    Attach(wall, objtype::kWindow, PointAt(wall, 3), PointAt(wall, 4), 4, 6);

    DeleteWith(wall, {2, 3});
    EXPECT_EQ(PlanPositions(wall), (Positions{{0, 0}, {10, 0}, {20, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{before->objectID});
    Objex* copy = wall->next;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(PlanPositions(copy), (Positions{{30, 0}, {40, 0}}));
    EXPECT_EQ(wall->pointCount + copy->pointCount, 5);
    ASSERT_EQ(ChildIDs(copy).size(), 1u);  // the window of 4-5, on the copy's own points
    EXPECT_EQ(copy->firstChild->typeData.attachment->segmentStart, copy->firstPoint);
    EXPECT_EQ(rebuilds->callsFor(wall), kWallRebuild);
    EXPECT_EQ(rebuilds->callsFor(copy), kWallRebuild);

    DeleteWith(wall, {0, 1});
    EXPECT_EQ(PlanPositions(wall), (Positions{{10, 0}, {20, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{before->objectID});  // now on the first segment
    DeleteWith(copy, {0, 1});  // every point: the wall goes whole with its window
    EXPECT_EQ(wall->next, nullptr);
    Objex* three = Wall(floor, {{0, 0}, {10, 0}, {20, 0}});
    DeleteWith(three, {1, 2});
    EXPECT_EQ(PlanPositions(three), (Positions{{0, 0}, {10, 0}}));
}

TEST_F(WallSegmentDelete, SelectionsThatNameNoSegmentChangeNothing) {
    Objex* wall = Wall(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    Attach(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    Attach(wall, objtype::kWindow, PointAt(wall, 3), PointAt(wall, 4), 5, 5);
    const Positions all = PlanPositions(wall);

    DeleteWith(wall, {0, 1, 2});
    DeleteWith(wall, {1, 3});  // no segment between points 2 and 4: the doors stay too
    EXPECT_EQ(PlanPositions(wall), all);
    EXPECT_EQ(ChildIDs(wall).size(), 2u);
    EXPECT_EQ(rebuilds->callsFor(wall), (std::vector<std::string>{"ReRenderObject", "ReRenderObject"}));
}

class Attachments : public SelectionTest {};

TEST_F(Attachments, VerifyingRederivesEndsAndDropsAttachmentsThatLostTheirSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}});
    Objex* other = Wall(floor, {{0, 0}, {10, 0}});
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p3 = PointAt(wall, 2);
    Objex* fine = Attach(wall, objtype::kDoor, p1, p3);                   // stale end point
    Attach(wall, objtype::kWindow, p3, nullptr);                           // last of an open wall
    Attach(wall, objtype::kWindow, other->firstPoint, p1);                 // not the wall's point
    Objex* unplaced = Attach(wall, objtype::kComponent, nullptr, nullptr);
    VerifyObjectAttachments(wall);
    EXPECT_EQ(ChildIDs(wall), (std::vector<uint32_t>{fine->objectID, unplaced->objectID}));
    EXPECT_EQ(fine->typeData.attachment->segmentEnd, PointAt(wall, 1));

    Objex* closing = Attach(wall, objtype::kWindow, p3, nullptr);
    wall->closed = 1;
    VerifyObjectAttachments(wall);
    EXPECT_EQ(closing->typeData.attachment->segmentEnd, p1);
}

TEST_F(Attachments, CustomTextureSizesBecomeTrimAndSkylightScalesClampedTo16Bits) {
    char name[] = "Photos/trim.jpg";
    const int32_t id = NewCustomTextureID(name);
    const std::string info = LocalDomainCustomTexturePath() + "/Photos/trim.PTI";
    for (size_t at = info.find('/', 1); at != std::string::npos; at = info.find('/', at + 1))
        port::MakeFolder(info.substr(0, at));
    auto size = [&](const std::string& text) { ASSERT_TRUE(port::WriteWholeFile(info, text.data(), text.size())); };

    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    AttachmentRecord* door = Attach(wall, objtype::kDoor, wall->firstPoint, nullptr)->typeData.attachment;
    door->insideTrimTexture = id;
    door->outsideTrimTexture = 2200;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    auto* sky = new RoofAttachmentRecord{};
    sky->texture2 = id;
    Make(skylight).with(sky);

    size("[Size]\nWidth=48\nHeight=96\n");
    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_EQ(door->insideTrimScale[0], 48);
    EXPECT_EQ(door->insideTrimScale[1], 96);
    EXPECT_EQ(sky->textureScale2[1], 96);
    EXPECT_EQ(door->outsideTrimScale[0], 0);  // other textures untouched

    size("[Size]\nWidth=70000\nHeight=-40000\n");
    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_EQ(door->insideTrimScale[0], 32767);
    EXPECT_EQ(door->insideTrimScale[1], -32768);
    EXPECT_EQ(sky->textureScale2[0], 32767);
}

}  // namespace
