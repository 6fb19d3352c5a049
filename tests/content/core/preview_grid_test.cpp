// The preview grid's sizes worked out by hand: columns that fit (plus one at least half
// shown), rows for the entries, cells filled row by row and clicks mapped back to entries.
#include <gtest/gtest.h>

#include "content/core/preview_grid.h"

using namespace content;

TEST(PreviewGrid, SizesCellsAndHitsFollowTheHandWorkedLayout) {
    struct Row {
        const char* what;
        bool shown;
        size_t entries;
        double vw, vh;
        GridSize size;
    };
    const Row rows[] = {
        {"50 left over is at least 35: a fifth column", true, 9, 330, 100, {350, 140}},
        {"20 left over: four columns", true, 9, 300, 100, {300, 210}},
        {"narrower than one preview: one column", true, 2, 50, 10, {70, 140}},
        {"nothing to show: the visible size", false, 9, 330, 100, {330, 100}},
        {"no entries: the visible size", true, 0, 330, 100, {330, 100}},
    };
    for (const Row& r : rows) EXPECT_EQ(OptimalViewSize(r.shown, r.entries, 70, 70, r.vw, r.vh), r.size) << r.what;

    EXPECT_EQ(CellOfIndex(7, 350, 70, 70), (GridCell{140, 70, 70, 70}));
    EXPECT_EQ(IndexAtPoint(145, 75, 350, 70, 70), (GridHit{false, 7}));
    EXPECT_EQ(IndexAtPoint(285, 10, 300, 70, 70), (GridHit{true, 0}));  // right of the four columns
    EXPECT_EQ(IndexAtPoint(10, 500, 300, 70, 70), (GridHit{false, 28}));  // below the entries: past the last

    const std::pair<int64_t, int32_t> sizes[] = {{0, 48}, {1, 64}, {2, 70}, {3, 96}, {4, 128}, {7, 70}, {-1, 70}};
    for (auto [value, size] : sizes) EXPECT_EQ(PreviewSizeForValue(value), size) << value;
}
