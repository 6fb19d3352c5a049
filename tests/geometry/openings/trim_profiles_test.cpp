// Custom trim profiles moved to their first quadrant and measured across.
#include <gtest/gtest.h>

#include "geometry/openings/trim_profiles.h"
#include "support/build.h"

namespace {

using namespace dvxtest;

TEST_F(SelectionTest, TrimProfilesMoveToTheirFirstQuadrantAndMeasureTheirDepth) {
    Objex* profile = Make(objtype::kPolygon).at({{-3, 5, 2}, {4, 6, 10}, {1, 0, 4}}).bounds();
    MoveTrimProfileToFirstQuadrant(profile);
    ExpectPosition(PointAt(profile, 0), 0, 5, 0);
    ExpectPosition(PointAt(profile, 1), 7, 6, 8);

    Objex* door = Opening(TrimmedWall(floor, 2), objtype::kDoor, 500, 0);
    AttachmentRecord* r = door->typeData.attachment;
    r->outsideTrimProfile = profile;
    float height = 1;
    GetCustomTrimHeight(r, 1, &height);
    EXPECT_TRUE(Near({height, profile->bounds3D.floatFront}, {-8, 8}));
    GetCustomTrimHeight(r, 0, &height); // no inside profile
    EXPECT_EQ(height, 0);
    GetCustomTrimHeight(nullptr, 1, &height);
    EXPECT_EQ(height, 0);
}

} // namespace
