// Dimension tracks: a track's crossings with the current floor's walls, the nearest on each side.
#include <gtest/gtest.h>

#include "model/document_model.h"
#include "support/build.h"
#include "tools/wall_dimension_tracks.h"

namespace {

using namespace dvxtest;
class WallDimensionTracks : public SelectionTest {};

TEST_F(WallDimensionTracks, TheNearestCrossingOnEachSideOfTheStartIsKept) {
    for (float h : {-30.0f, -10.0f, 20.0f, 60.0f}) Wall(floor, {{h, -50}, {h, 50}});
    Wall(floor, {{-100, 10}, {100, 10}});                    // parallel: never crosses
    Wall(floor, {{70, 0}, {80, 20}, {80, -40}}, true);       // at an end, twice at 70
    Poinz* skip = Wall(floor, {{90, -50}, {90, 50}})->firstPoint; // the segment dragged from
    WallDimTrack track;
    track.begin({0, 0}, {100, 0}, skip, skip->next);
    const FloatPoint* at = track.crossings();
    ASSERT_EQ(track.count(), 7);
    FloatPoint ahead, behind, moved, back;
    track.nearest({0, 0}, {100, 0}, &ahead, &behind);
    track.nearest({65, 0}, {165, 0}, &moved, &back); // the start moved on, the list stays
    EXPECT_TRUE(Near({at[4].floatH, at[5].floatH, at[6].floatH, ahead.floatH, ahead.floatV,
                      behind.floatH, moved.floatH, back.floatH},
                     {70, 80, 70, 20, 0, -10, 70, 60}, 1e-4));

    track.begin({0, 100}, {100, 100}, skip, skip->next); // parallel to every wall
    track.nearest({0, 100}, {100, 100}, &ahead, &behind);
    EXPECT_TRUE(Near({track.count(), ahead.floatH, behind.floatV},
                     {0, kNoWallDimCrossing, kNoWallDimCrossing}));

    // A zigzag: the walls before it cross 8 times, then its first 990 past the skipped one.
    Objex* zigzag = Make(objtype::kWall).on(floor);
    for (int i = 0; i <= 1100; ++i) Point(zigzag, {float(i), 0, i % 2 ? 10.0f : -10.0f});
    track.begin({0, 0}, {10, 0}, zigzag->firstPoint, zigzag->firstPoint->next);
    ASSERT_EQ(track.count(), kMostWallDimCrossings);
    EXPECT_NEAR(track.crossings()[kMostWallDimCrossings - 1].floatH, 990.5f, 1e-3);
}

} // namespace
