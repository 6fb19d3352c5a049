// The Delete command's wall segment rule, keeping attachments in step with a wall's points,
// custom texture sizes in trim and skylight scales, and an object's centre.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "files/content_folders.h"
#include "model/attachments.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/files.h"
#include "render/core/custom_textures.h"
#include "scene/render_seams.h"
#include "support/model_builders.h"
#include "support/seam_recorders.h"
#include "support/selection_builders.h"
#include "wall_fixtures.h"

using namespace dvxtest;
using namespace walltest;

namespace {

using Positions = std::vector<std::pair<float, float>>;

class WallSegmentDelete : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        rebuilds.emplace();
    }
    // Selects the points at the 0-based indices and deletes.
    void DeleteWith(Objex* wall, std::initializer_list<int> selected) {
        for (int i : selected) PointAt(wall, i)->selected = 1;
        DeleteObjItem(wall);
    }
    std::vector<std::string> WallRebuild() const {
        return {"Update3DWall", "UpdateAllWallAttachments", "ReRenderObject"};
    }
    std::optional<RebuildRecorder> rebuilds;
};

TEST_F(WallSegmentDelete, AClosedWallOpensAtItsSelectedSegment) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p4 = PointAt(wall, 3);
    AttachTo(wall, objtype::kDoor, p1, PointAt(wall, 1), 50, 50);
    Objex* closing = AttachTo(wall, objtype::kWindow, p4, p1, 50, 50);

    DeleteWith(wall, {0, 1});
    EXPECT_EQ(wall->closed, 0);
    EXPECT_EQ(wall->pointCount, 4);
    EXPECT_EQ(PlanPositions(wall), (Positions{{100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_EQ(wall->firstPoint->prev, nullptr);
    EXPECT_EQ(p1->next, nullptr);
    // The door of the lost segment is gone; the former closing segment keeps its window.
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{closing->objectID});
    EXPECT_EQ(RecordOf(closing)->segmentEnd, p1);
    EXPECT_EQ(rebuilds->callsFor(wall), WallRebuild());

    // The closing segment itself: first and last selected.
    Objex* ring = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    DeleteWith(ring, {0, 2});
    EXPECT_EQ(ring->closed, 0);
    EXPECT_EQ(PlanPositions(ring), (Positions{{0, 0}, {100, 0}, {100, 100}}));
    EXPECT_EQ(rebuilds->callsFor(ring), WallRebuild());
}

TEST_F(WallSegmentDelete, AnOpenWallSplitsInTwoAtAMiddleSegment) {
    Objex* wall = WallOn(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    Poinz* p2 = PointAt(wall, 1);
    Poinz* p3 = PointAt(wall, 2);
    Poinz* p4 = PointAt(wall, 3);
    Objex* before = AttachTo(wall, objtype::kDoor, p2, p3, 5, 5);
    AttachTo(wall, objtype::kDoor, p3, p4, 5, 5);
    AttachTo(wall, objtype::kWindow, p3, p4, 2, 8);
    AttachTo(wall, objtype::kWindow, p4, PointAt(wall, 4), 4, 6);

    DeleteWith(wall, {2, 3});
    EXPECT_EQ(PlanPositions(wall), (Positions{{0, 0}, {10, 0}, {20, 0}}));
    EXPECT_EQ(wall->pointCount, 3);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{before->objectID});

    Objex* copy = wall->next;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->type, objtype::kWall);
    EXPECT_EQ(copy->layer, floor);
    EXPECT_EQ(PlanPositions(copy), (Positions{{30, 0}, {40, 0}}));
    EXPECT_EQ(copy->pointCount, 2);
    EXPECT_EQ(copy->firstPoint->prev, nullptr);
    // Only the window of segment 4-5 follows the copy, on the copy's own points.
    ASSERT_EQ(ChildIDs(copy).size(), 1u);
    EXPECT_EQ(RecordOf(copy->firstChild)->segmentStart, copy->firstPoint);
    EXPECT_EQ(RecordOf(copy->firstChild)->segmentEnd, copy->firstPoint->next);
    EXPECT_FLOAT_EQ(RecordOf(copy->firstChild)->centreDistance, 4);
    EXPECT_EQ(rebuilds->callsFor(wall), WallRebuild());
    EXPECT_EQ(rebuilds->callsFor(copy), WallRebuild());
}

TEST_F(WallSegmentDelete, AnOpenWallLosesAnEndPointForAnEndSegment) {
    Objex* wall = WallOn(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    AttachTo(wall, objtype::kDoor, PointAt(wall, 0), PointAt(wall, 1), 5, 5);
    Objex* kept = AttachTo(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    DeleteWith(wall, {0, 1});
    EXPECT_EQ(PlanPositions(wall), (Positions{{10, 0}, {20, 0}, {30, 0}}));
    EXPECT_EQ(wall->pointCount, 3);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{kept->objectID});

    SelectAllPoints(wall, 0);
    AttachTo(wall, objtype::kWindow, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    DeleteWith(wall, {1, 2});
    EXPECT_EQ(PlanPositions(wall), (Positions{{10, 0}, {20, 0}}));
    EXPECT_EQ(wall->pointCount, 2);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{kept->objectID});
}

TEST_F(WallSegmentDelete, SelectionsThatNameNoSegmentChangeNothing) {
    Objex* wall = WallOn(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    AttachTo(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    AttachTo(wall, objtype::kWindow, PointAt(wall, 3), PointAt(wall, 4), 5, 5);
    const Positions all = PlanPositions(wall);

    DeleteWith(wall, {0, 1, 2});
    EXPECT_EQ(PlanPositions(wall), all);
    EXPECT_EQ(ChildIDs(wall).size(), 2u);
    EXPECT_EQ(rebuilds->callsFor(wall), std::vector<std::string>{"ReRenderObject"});

    // Points 2 and 4: no segment between them, so the doors stay too.
    SelectAllPoints(wall, 0);
    DeleteWith(wall, {1, 3});
    EXPECT_EQ(PlanPositions(wall), all);
    EXPECT_EQ(ChildIDs(wall).size(), 2u);
    EXPECT_EQ(rebuilds->count("Update3DWall"), 0);
}

TEST_F(WallSegmentDelete, AWallWithEveryPointSelectedGoesWithItsDoorsAndAnyOtherObjectWhole) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}});
    AttachTo(wall, objtype::kDoor, PointAt(wall, 0), PointAt(wall, 1), 50, 50);
    AttachTo(wall, objtype::kWindow, PointAt(wall, 1), PointAt(wall, 2), 50, 50);
    PointAt(wall, 0)->trim1 = new TrimRecord{};
    Objex* path = ShapeOn(floor, objtype::kPath, {{0, 0}, {100, 0}});
    SelectAllPoints(wall);
    DeleteObjItem(wall);
    EXPECT_EQ(floor->firstObject, path);
    DeleteObjItem(path);  // nothing selected: still whole
    EXPECT_EQ(floor->firstObject, nullptr);
    DeleteObjItem(nullptr);
}

class Attachments : public SelectionTest {};

TEST_F(Attachments, VerifyingRederivesEndsAndDropsAttachmentsThatLostTheirSegment) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}});
    Objex* other = WallOn(floor, {{0, 0}, {10, 0}});
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p2 = PointAt(wall, 1);
    Poinz* p3 = PointAt(wall, 2);
    Objex* fine = AttachTo(wall, objtype::kDoor, p1, p3, 20, 80);          // stale end point
    Objex* atLast = AttachTo(wall, objtype::kWindow, p3, nullptr, 20, 80);
    AttachTo(wall, objtype::kWindow, other->firstPoint, p2, 20, 80);       // not the wall's point
    Objex* unplaced = AttachTo(wall, objtype::kComponent, nullptr, nullptr);

    VerifyObjectAttachments(wall);
    EXPECT_EQ(ChildIDs(wall), (std::vector<uint32_t>{fine->objectID, unplaced->objectID}));
    EXPECT_EQ(RecordOf(fine)->segmentEnd, p2);

    // The last point of a closed wall runs to the first.
    Objex* closing = AttachTo(wall, objtype::kWindow, p3, nullptr, 20, 80);
    wall->closed = 1;
    VerifyObjectAttachments(wall);
    EXPECT_EQ(RecordOf(closing)->segmentEnd, p1);
    (void)atLast;
}

TEST_F(Attachments, SegmentsAndPointsFindAndRemoveTheirOwnAttachments) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p2 = PointAt(wall, 1);
    Poinz* p3 = PointAt(wall, 2);
    AttachTo(wall, objtype::kWindow, p3, p1, 50, 50);
    Objex* door = AttachTo(wall, objtype::kDoor, p1, p2, 50, 50);

    EXPECT_TRUE(SegmentContainsAttachments(wall, p1, p3));  // the closing segment runs from p3
    EXPECT_TRUE(SegmentContainsAttachments(wall, p1, p2));
    EXPECT_FALSE(SegmentContainsAttachments(wall, p2, p3));
    EXPECT_TRUE(DoesPointContainAttachments(wall, p3));
    EXPECT_FALSE(DoesPointContainAttachments(wall, p2));

    int discarded = 0;
    SetDeleteRendererObjectHandler([&](Objex*) { ++discarded; });
    DeleteSegmentAttachments(wall, p1, p3);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{door->objectID});
    EXPECT_EQ(discarded, 1);  // its scene pieces go with it
    SetDeleteRendererObjectHandler(nullptr);
    DeletePointAttachments(wall, p1);
    EXPECT_EQ(wall->firstChild, nullptr);

    // Only the five opening types go by the wall segment removal.
    AttachTo(wall, objtype::kAccessory, p2, p3);
    Objex* dimension = AttachTo(wall, objtype::kDimensionFirst, p2, p3);
    DeleteWallSegmentAttachments(wall, p2);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{dimension->objectID});

    // Other hosts have none.
    Objex* path = ShapeOn(floor, objtype::kPath, {{0, 0}, {10, 0}});
    AttachTo(path, objtype::kDoor, path->firstPoint, nullptr);
    EXPECT_FALSE(DoesPointContainAttachments(path, path->firstPoint));
    DeletePointAttachments(path, path->firstPoint);
    EXPECT_NE(path->firstChild, nullptr);
}

class CustomTextureSizes : public SelectionTest {
protected:
    int32_t CustomTexture(const std::string& size) {
        char path[] = "Photos/trim.jpg";
        const int32_t id = NewCustomTextureID(path);
        const std::string info = LocalDomainCustomTexturePath() + "/Photos/trim.PTI";
        for (size_t at = info.find('/', 1); at != std::string::npos; at = info.find('/', at + 1))
            port::MakeFolder(info.substr(0, at));
        EXPECT_TRUE(port::WriteWholeFile(info, size.data(), size.size()));
        return id;
    }
};

TEST_F(CustomTextureSizes, TrimAndSkylightScalesTakeTheSizeClampedTo16Bits) {
    const int32_t id = CustomTexture("[Size]\nWidth=48\nHeight=96\n");
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}});
    Objex* door = AttachTo(wall, objtype::kDoor, wall->firstPoint, nullptr);
    RecordOf(door)->insideTrimTexture = id;
    RecordOf(door)->outsideTrimTexture = 2200;
    RecordOf(door)->outsideTrimScale[0] = 100;
    Objex* roof = ShapeOn(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = ChildShape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    auto* sky = new RoofAttachmentRecord{};
    sky->texture2 = id;
    skylight->typeData = TypeData::OfRoofAttachment(sky);

    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_EQ(RecordOf(door)->insideTrimScale[0], 48);
    EXPECT_EQ(RecordOf(door)->insideTrimScale[1], 96);
    EXPECT_EQ(RecordOf(door)->outsideTrimScale[0], 100);
    EXPECT_EQ(sky->textureScale2[0], 48);
    EXPECT_EQ(sky->textureScale2[1], 96);
    EXPECT_EQ(sky->textureScale1[0], 0);

    CustomTexture("[Size]\nWidth=70000\nHeight=-40000\n");
    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_EQ(RecordOf(door)->insideTrimScale[0], 32767);
    EXPECT_EQ(RecordOf(door)->insideTrimScale[1], -32768);
    EXPECT_EQ(sky->textureScale2[0], 32767);

    UpdateAllAttachmentsCustomTextureWH(2200);  // stock IDs are not custom
    EXPECT_EQ(RecordOf(door)->outsideTrimScale[0], 100);
}

TEST_F(Attachments, TheCentreIsTheMiddleOfThePlanBounds) {
    Objex* o = ShapeOn(floor, objtype::kFill, {{10, 20}, {50, 20}, {50, 80}, {10, 80}}, true);
    float h = 0, v = 0;
    CenterOfObject(o, &h, &v);
    EXPECT_FLOAT_EQ(h, 30);
    EXPECT_FLOAT_EQ(v, 50);
}

}  // namespace
