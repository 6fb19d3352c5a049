// Doors, windows, components and accessories kept on their wall segments as walls change, and
// the upkeep that follows points being moved, replaced or removed.
#include <gtest/gtest.h>

#include "files/design_file.h"
#include "model/document_model.h"
#include "model/tool_defaults.h"
#include "support/build.h"
#include "support/records.h"
#include "support/seam_recorders.h"
#include "tools/attachment_defaults.h"
#include "tools/wall_attachments.h"

namespace {

using namespace dvxtest;
using Positions = std::vector<std::pair<float, float>>;

const char* kRemovedText =
    "The wall was not long enough to accommodate all of its attachments.  One or more windows, doors, and/or "
    "fixtures were removed.";

class WallRefit : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        port::setAlerts(&alerts);
    }
    // A wall 6 inches (12 plan units) thick from (0, 0) to (100, 0).
    Objex* Wall100() {
        Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
        wall->penWidth = 6;
        return wall;
    }
    RecordingAlerts alerts;
};

TEST_F(WallRefit, KeptAttachmentsFollowTheirSegmentToTheirSide) {
    FrameRecorder frames;
    Objex* wall = Wall100();
    Poinz* a = PointAt(wall, 0);
    Poinz* b = PointAt(wall, 1);
    Objex* door = Opening(wall, objtype::kDoor, 501, 0);  // centre 25, 30 wide
    // 12 wide, its third point 24 off the wall at the segment angle + 90 degrees.
    Objex* outlet = Make(objtype::kComponent, 55).line(3).with(NewComponentRecord(55, a, b, 50, 1)).in(wall);
    gdsAccessoryWidth = 5;
    Objex* near = Make(objtype::kAccessory, 157).line(3).with(NewAccessoryRecord(a, b, 20, 0)).in(wall);
    Objex* far = Make(objtype::kAccessory, 157).line(3).with(NewAccessoryRecord(a, b, 35, 0)).in(wall);
    far->typeData.attachment->swingOrOffset = 5;  // inches: 10 plan units beats the least 6

    b->position[0] = 0;  // the wall now runs down the screen, 60 long
    b->position[2] = 60;
    EXPECT_EQ(UpdateAllWallAttachments(wall), 0);
    const struct { Objex* o; Positions want; } rows[] = {
        {door, {{0, 10}, {0, 40}}},
        {outlet, {{0, 44}, {0, 56}, {24, 50}}},
        {near, {{0, 15}, {0, 25}, {-12, 20}}},  // 6 + half of 12 off the centre line
        {far, {{0, 30}, {0, 40}, {-16, 35}}},
    };
    for (const auto& row : rows) {
        const Positions got = PlanPositions(row.o);
        ASSERT_EQ(got.size(), row.want.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_TRUE(Near({got[i].first, got[i].second}, {row.want[i].first, row.want[i].second}, 1e-4))
                << row.o->type << " point " << i;
        EXPECT_EQ(row.o->pointCount, static_cast<int32_t>(got.size()));
    }
    EXPECT_TRUE(Near({door->typeData.attachment->centreDistance, door->typeData.attachment->remainder,
                      outlet->bounds.floatRight},
                     {25, 35, 24}, 1e-4));
    EXPECT_EQ(frames.built, (std::vector<Objex*>{door, outlet, near, far}));
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(WallRefit, AttachmentsThatNoLongerFitGoWithOneAlert) {
    Objex* wall = Wall100();
    Objex* first = Opening(wall, objtype::kWindow, 600, 0);
    Objex* second = Opening(wall, objtype::kWindow, 600, 0);
    second->typeData.attachment->centreDistance = 60;
    Objex* dimension = Attach(wall, objtype::kComponent, PointAt(wall, 0), PointAt(wall, 1), 80);
    dimension->subtype = 138;  // removed too, but not counted

    PointAt(wall, 1)->position[0] = 35;  // 25 + 15 still reaches within 35 + 5
    EXPECT_EQ(UpdateAllWallAttachments(wall), 1);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{first->objectID});
    EXPECT_EQ(alerts.shown.size(), 1u);

    Opening(wall, objtype::kWindow, 600, 0);
    PointAt(wall, 1)->position[0] = 30;  // 40 > 35: both windows go, told once
    EXPECT_EQ(UpdateAllWallAttachments(wall), 2);
    EXPECT_EQ(wall->firstChild, nullptr);
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[1].alert.message, "One or more components have been removed.");
    EXPECT_EQ(alerts.shown[1].alert.informative, kRemovedText);
    EXPECT_TRUE(alerts.shown[1].sheet);
}

TEST_F(WallRefit, UpkeepTouchesOnlyTheRecordsNamingThePoint) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 80}});
    Poinz* p[3] = {PointAt(wall, 0), PointAt(wall, 1), PointAt(wall, 2)};
    float start = -1, length = -1;
    EXPECT_FLOAT_EQ(GetWallSegmentWorkingLength(7, 7, p[1], p[2], &start, &length), 85);
    EXPECT_TRUE(Near({start, length}, {0, 80}));
    EXPECT_EQ(GetWallSegmentWorkingLength(0, 0, p[1], nullptr, &start, &length), 0);

    Objex* onFirst = Attach(wall, objtype::kDoor, p[0], p[1], 30, 70);
    Objex* onSecond = Attach(wall, objtype::kWindow, p[1], p[2], 40, 40);
    UpdateWallAttachmentStartDistance(wall, p[1], 5);
    EXPECT_TRUE(Near({onFirst->typeData.attachment->centreDistance, onSecond->typeData.attachment->centreDistance},
                     {30, 45}));

    Poinz* fresh = NewPoint({50, 0, 0}, wall);
    ReplaceVoidAttachments(wall, p[1], fresh, nullptr);  // one replacement only: nothing
    EXPECT_EQ(onFirst->typeData.attachment->segmentEnd, p[1]);
    ReplaceVoidAttachments(wall, p[1], p[0], fresh);
    EXPECT_TRUE(Same({onFirst->typeData.attachment->segmentStart, onFirst->typeData.attachment->segmentEnd,
                      onSecond->typeData.attachment->segmentStart, onSecond->typeData.attachment->segmentEnd},
                     {p[0], fresh, p[0], p[2]}));

    DeleteVoidAttachments(wall, p[2]);
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{onFirst->objectID});
    DeleteVoidAttachments(wall, fresh);
    EXPECT_EQ(wall->firstChild, nullptr);
    delete fresh;
}

class WallRefitOnRead : public FileTest {
protected:
    WallRefitOnRead() : FileTest("wall_refit") {}
};

TEST_F(WallRefitOnRead, AWindowWiderThanItsSegmentIsLeftOutWithOneAlert) {
    Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {30, 0}, {30, 200}});
    Opening(wall, objtype::kWindow, 600, 1);  // fits the long segment
    Objex* wide = Opening(wall, objtype::kWindow, 600, 0);
    wide->typeData.attachment->width = 40;
    wide->typeData.attachment->centreDistance = 15;
    const std::string path = dir + "/narrow.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);

    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(KeyFileRead(path.c_str()), 1);
    Objex* back = GetLayerFromName(doc->itsCurLayer->name)->firstObject;
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(CountObjects(back->firstChild), 1);
    EXPECT_EQ(back->firstChild->typeData.attachment->segmentStart, PointAt(back, 1));
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.informative, kRemovedText);
    other->dealloc();
    gCurDocument = doc;
}

}  // namespace
