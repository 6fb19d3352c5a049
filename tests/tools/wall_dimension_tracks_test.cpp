// Dimension tracks: a track's crossings with the current floor's walls, the nearest on each side.
#include <gtest/gtest.h>

#include "model/document_model.h"
#include "support/build.h"
#include "tools/wall_dimension_tracks.h"

namespace {

using namespace dvxtest;
class WallDimensionTracks : public DocumentTest {
protected:
    Objex* Wall(PlanPoints at, bool closed = false) {
        Objex* o = Make(objtype::kWall).on(doc->itsCurLayer).closed(closed);
        for (auto [h, d] : at) Point(o, {h, 0, d});
        return o;
    }
};

TEST_F(WallDimensionTracks, TheNearestCrossingOnEachSideOfTheStartIsKept) {
    for (float h : {-30.0f, -10.0f, 20.0f, 60.0f}) Wall({{h, -50}, {h, 50}});
    Wall({{-100, 10}, {100, 10}});                    // parallel: never crosses
    Objex* corner = Wall({{70, 0}, {80, 20}, {80, -40}}, true);  // crossed at an end, closing segment too
    Objex* skipped = Wall({{90, -50}, {90, 50}});
    WallDimTrack track;
    track.begin({0, 0}, {100, 0}, skipped->firstPoint, skipped->firstPoint->next);
    ASSERT_EQ(track.count(), 7);
    const FloatPoint* at = track.crossings();
    EXPECT_TRUE(Near({at[4].floatH, at[5].floatH, at[6].floatH}, {70, 80, 70}, 1e-4));
    FloatPoint ahead, behind;
    track.nearest({0, 0}, {100, 0}, &ahead, &behind);
    EXPECT_TRUE(Near({ahead.floatH, ahead.floatV, behind.floatH}, {20, 0, -10}, 1e-4));
    track.nearest({65, 0}, {165, 0}, &ahead, &behind);  // the start moved on, the list stays
    EXPECT_TRUE(Near({ahead.floatH, behind.floatH}, {70, 60}, 1e-4));

    track.begin({0, 100}, {100, 100}, skipped->firstPoint, skipped->firstPoint->next);  // parallel to all
    track.nearest({0, 100}, {100, 100}, &ahead, &behind);
    EXPECT_TRUE(Near({track.count(), ahead.floatH, behind.floatV}, {0, kNoWallDimCrossing, kNoWallDimCrossing}));
    int32_t count = 7;
    EXPECT_EQ(BeginWallDimTracking(nullptr, &ahead, skipped->firstPoint, skipped->firstPoint, &count), nullptr);
    EXPECT_EQ(count, 0);
}

TEST_F(WallDimensionTracks, AFullLayerFillsTheBlockAndStops) {
    Objex* zigzag = Make(objtype::kWall).on(doc->itsCurLayer);
    for (int i = 0; i <= 1100; ++i) Point(zigzag, {static_cast<float>(i), 0, i % 2 ? 10.0f : -10.0f});
    int32_t count = 0;
    FloatPoint from{0, 0}, to{10, 0};
    FloatPoint* list = BeginWallDimTracking(&from, &to, zigzag->firstPoint, zigzag->firstPoint->next, &count);
    EXPECT_EQ(count, kMostWallDimCrossings);
    EXPECT_NEAR(list[count - 1].floatH, 998.5f, 1e-3);  // the first 998 after the skipped one
    EndWallDimTracking(list);
}

}  // namespace
