// Sub-pixel offsets of anti-aliasing passes: the published tables where a count has one,
// spread offsets for every other count, never a read past a table.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "render/core/jitter.h"

namespace {

TEST(Jitter, TablesAndSpreadOffsetsStayInsideThePixelWithDistinctPasses) {
    // The first and last rows: a table one row short would read its neighbour's memory.
    struct Row {
        int32_t passes, pass;
        double x, y;
    };
    for (const Row& r : {Row{2, 0, 0.246490, 0.249999}, Row{3, 0, -0.373411, -0.250550}, Row{4, 0, -0.208147, 0.353730},
                         Row{8, 0, -0.334818, 0.435331}, Row{8, 7, 0.164216, -0.054399},
                         Row{15, 0, 0.285561, 0.188437}, Row{24, 23, 0.297997, -0.417965}}) {
        SCOPED_TRACE(testing::Message() << r.passes << "/" << r.pass);
        EXPECT_EQ(JitterTable(r.passes).size(), static_cast<size_t>(r.passes));
        EXPECT_DOUBLE_EQ(JitterOffset(r.passes, r.pass).x, r.x);
        EXPECT_DOUBLE_EQ(JitterOffset(r.passes, r.pass).y, r.y);
    }
    for (int32_t passes = 0; passes <= 64; ++passes) {
        SCOPED_TRACE(passes);
        std::set<std::pair<double, double>> seen;
        for (int32_t pass = 0; pass < passes + 2; ++pass) {
            const JitterPoint p = JitterOffset(passes, pass);
            EXPECT_TRUE(p.x >= -0.5 && p.x <= 0.5 && p.y >= -0.5 && p.y <= 0.5) << pass;
            if (pass < passes) seen.insert({p.x, p.y});
        }
        EXPECT_EQ(seen.size(), static_cast<size_t>(passes));
    }
    // A pass past the count wraps to the count's own rows.
    EXPECT_DOUBLE_EQ(JitterOffset(4, 5).x, JitterOffset(4, 1).x);
    EXPECT_DOUBLE_EQ(JitterOffset(0, 3).x, 0.0);
}

}  // namespace
