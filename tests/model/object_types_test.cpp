// The type table: where the attachment sets part ways, and the per-type values it holds.
#include <gtest/gtest.h>

#include "model/object_types.h"

namespace {

TEST(ObjectTypes, AttachmentSetsDifferWhereTheirUsersNeedThem) {
    struct Row {
        int type;
        bool roof, hosted, wall, roofAttachment, any, followsHost, carrier;
    };
    const Row rows[] = {
        {objtype::kRoof, true, false, false, false, false, false, true},
        {objtype::kFreehandRoof, true, false, false, false, false, false, true},
        {objtype::kDoor, false, true, true, false, true, true, false},
        {objtype::kDeckSteps, false, true, false, false, true, true, false},  // decks, not walls
        {objtype::kSlopeArrow, false, false, false, false, false, true, false},
        {objtype::kSkylight, false, false, false, true, true, false, false},
        {objtype::kRoofCutout, false, false, false, true, true, false, false},
        {objtype::kWall, false, false, false, false, false, false, true},
        {objtype::kGroup, false, false, false, false, false, false, false},
        {-1, false, false, false, false, false, false, false},
        {5000, false, false, false, false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        EXPECT_EQ(objtype::IsRoof(r.type), r.roof);
        EXPECT_EQ(objtype::IsHostedAttachment(r.type), r.hosted);
        EXPECT_EQ(objtype::IsWallAttachment(r.type), r.wall);
        EXPECT_EQ(objtype::IsRoofAttachment(r.type), r.roofAttachment);
        EXPECT_EQ(objtype::IsAttachment(r.type), r.any);
        EXPECT_EQ(objtype::FollowsHost(r.type), r.followsHost);
        EXPECT_EQ(objtype::IsAttachmentCarrier(r.type), r.carrier);
    }
}

TEST(ObjectTypes, DefaultPlansAndRoofAttachmentPartLists) {
    EXPECT_EQ(objtype::DefaultPlanBits(objtype::kSkylight), 16);
    EXPECT_EQ(objtype::DefaultPlanBits(objtype::kTopography), 128);
    EXPECT_EQ(objtype::DefaultPlanBits(objtype::kDeckSteps), 64);
    EXPECT_EQ(objtype::DefaultPlanBits(objtype::kDetail), 2);
    EXPECT_EQ(objtype::RoofAttachmentPartList(objtype::kOpeningMask), 0);
    EXPECT_EQ(objtype::RoofAttachmentPartList(objtype::kSkylightPart5), 4);
    EXPECT_EQ(objtype::RoofAttachmentPartList(objtype::kDoor), -1);
}

}  // namespace
