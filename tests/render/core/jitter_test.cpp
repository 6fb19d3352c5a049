// Sub-pixel offsets of anti-aliasing passes: the published tables where a count has one,
// spread offsets for every other count, never a read past a table.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/core/jitter.h"

namespace {

TEST(Jitter, TabledCountsStartWithThePublishedRows) {
    struct Row {
        int32_t passes;
        double x, y;
    };
    for (const Row& r : {Row{4, -0.208147, 0.353730}, Row{8, -0.334818, 0.435331}, Row{15, 0.285561, 0.188437},
                         Row{24, 0.030245, 0.136384}, Row{2, 0.246490, 0.249999}, Row{3, -0.373411, -0.250550}}) {
        SCOPED_TRACE(r.passes);
        ASSERT_EQ(JitterTable(r.passes).size(), static_cast<size_t>(r.passes));
        EXPECT_DOUBLE_EQ(JitterOffset(r.passes, 0).x, r.x);
        EXPECT_DOUBLE_EQ(JitterOffset(r.passes, 0).y, r.y);
    }
    // The last rows too: a table one row short would read its neighbour's memory here.
    EXPECT_DOUBLE_EQ(JitterOffset(8, 7).x, 0.164216);
    EXPECT_DOUBLE_EQ(JitterOffset(24, 23).y, -0.417965);
}

TEST(Jitter, EveryCountStaysInsideThePixelWithDistinctPasses) {
    for (int32_t passes = 0; passes <= 64; ++passes) {
        SCOPED_TRACE(passes);
        std::set<std::pair<double, double>> seen;
        for (int32_t pass = 0; pass < passes + 2; ++pass) {
            const JitterPoint p = JitterOffset(passes, pass);
            EXPECT_GE(p.x, -0.5);
            EXPECT_LE(p.x, 0.5);
            EXPECT_GE(p.y, -0.5);
            EXPECT_LE(p.y, 0.5);
            if (pass < passes) seen.insert({p.x, p.y});
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(passes));
    }
    // A pass past the count wraps to the count's own rows.
    EXPECT_DOUBLE_EQ(JitterOffset(4, 5).x, JitterOffset(4, 1).x);
    EXPECT_DOUBLE_EQ(JitterOffset(0, 3).x, 0.0);
}

}  // namespace
