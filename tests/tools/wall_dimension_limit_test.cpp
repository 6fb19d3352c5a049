// The clearance probe: from (0, 0) up the plan's second axis to (0, 200), or as given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document_model.h"
#include "support/build.h"
#include "tools/wall_dimension_limit.h"

namespace {

class WallDimensionLimit : public dvxtest::DocumentTest {};

TEST_F(WallDimensionLimit, TheNearestCrossingWithinReachWinsInsideItsSegment) {
    struct Wall { std::vector<std::pair<float, float>> at; float thickness; bool closed = false; };
    const struct { const char* what; std::vector<Wall> walls; FloatPoint end; float want[3]; } rows[] = {
        {"nearest of two", {{{{-50, 120}, {50, 120}}, 8}, {{{-50, 50}, {50, 50}}, 6}}, {0, 200}, {0, 50, 6}},
        {"near an end: ignored", {{{{-50, 50}, {0.5f, 50}}, 6}, {{{-50, 120}, {50, 120}}, 8}}, {0, 200}, {0, 120, 8}},
        {"closer than 10", {{{{-50, 4}, {50, 4}}, 6}}, {0, 200}, {0, 10, 6}},
        {"the clicked segment skipped", {{{{-50, 0}, {50, 0}}, 4}, {{{-50, 80}, {50, 80}}, 6}}, {0, 200}, {0, 80, 6}},
        {"closing segment", {{{{50, 60}, {50, 90}, {-50, 90}, {-50, 60}}, 5, true}}, {0, 200}, {0, 60, 5}},
        {"beyond reach", {{{{-50, 250}, {50, 250}}, 6}}, {0, 200}, {0, 200, 0}},
        {"nothing", {}, {0, 200}, {0, 200, 0}},
        {"within 1 of the base", {{{{-50, 100}, {50, 100}}, 6}}, {0.8f, 200}, {0, 100, 6}},
    };
    for (const auto& row : rows) {
        Layer* floor = doc->itsCurLayer;
        std::vector<Objex*> walls;
        for (const Wall& w : row.walls) {
            Objex* o = dvxtest::Make(objtype::kWall).on(floor).closed(w.closed);
            for (auto [h, d] : w.at) dvxtest::Point(o, {h, 0, d});
            o->penWidth = w.thickness;
            walls.push_back(o);
        }
        // The first wall's first segment stands for the clicked one where a row says so.
        const bool skip = std::string(row.what) == "the clicked segment skipped";
        const FloatPoint base{0, 0};
        FloatPoint end = row.end;
        const float t = LimitWallDimension(&base, &end, floor, skip ? walls[0]->firstPoint : nullptr,
                                           skip ? walls[0]->firstPoint->next : nullptr);
        EXPECT_TRUE(dvxtest::Near({end.floatH, end.floatV, t}, {row.want[0], row.want[1], row.want[2]}, 1e-3)) << row.what;
        for (Objex* o : walls) o->type = objtype::kLine;  // out of the next row's way
    }
}

}  // namespace
