// The clearance probe from (0, 0) towards (0, 200), or as given, across walls.
#include <gtest/gtest.h>

#include <vector>

#include "model/document_model.h"
#include "support/build.h"
#include "model/wall_dimension_limit.h"

namespace {

using namespace dvxtest;
class WallDimensionLimit : public DocumentTest {};

TEST_F(WallDimensionLimit, TheNearestCrossingWithinReachWinsInsideItsSegment) {
    using Walls = std::vector<std::vector<std::pair<float, float>>>;  // 5, 6, ... thick
    const struct { Walls walls; bool skipFirst, closed; float endH, want[3]; } rows[] = {
        {{{{-50, 120}, {50, 120}}, {{-50, 50}, {50, 50}}}, false, false, 0, {0, 50, 6}},
        {{{{-50, 50}, {0.5f, 50}}, {{-50, 120}, {50, 120}}}, false, false, 0, {0, 120, 6}},  // near an end
        {{{{-50, 4}, {50, 4}}}, false, false, 0, {0, 10, 5}},
        {{{{-50, 0}, {50, 0}}, {{-50, 80}, {50, 80}}}, true, false, 0, {0, 80, 6}},  // the clicked one
        {{{{50, 60}, {50, 90}, {-50, 90}, {-50, 60}}}, false, true, 0, {0, 60, 5}},  // closing segment
        {{{{-50, 250}, {50, 250}}}, false, false, 0, {0, 200, 0}},                   // out of reach
        {{{{-50, 100}, {50, 100}}}, false, false, 0.8f, {0, 100, 5}},                // aligned with the base
    };
    for (const auto& row : rows) {
        std::vector<Objex*> walls;
        for (const auto& at : row.walls) {
            Objex* o = walls.emplace_back(Make(objtype::kWall).on(doc->itsCurLayer).closed(row.closed));
            for (auto [h, d] : at) Point(o, {h, 0, d});
            o->penWidth = 4.0f + walls.size();
        }
        const FloatPoint base{0, 0};
        FloatPoint end{row.endH, 200};
        const Poinz* skip = row.skipFirst ? walls[0]->firstPoint : nullptr;
        const float t = LimitWallDimension(&base, &end, doc->itsCurLayer, skip, skip ? skip->next : nullptr);
        EXPECT_TRUE(Near({end.floatH, end.floatV, t}, {row.want[0], row.want[1], row.want[2]}, 1e-3)) << t;
        for (Objex* o : walls) o->type = objtype::kLine;  // out of the next row's way
    }
}

}  // namespace
