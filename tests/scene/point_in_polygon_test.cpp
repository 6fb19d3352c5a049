// The even-odd inside test on plain (x, y) corners.
#include <gtest/gtest.h>

#include <vector>

#include "scene/point_in_polygon.h"

namespace {

int16_t Inside(float x, float y, const std::vector<FloatPoint>& corners) {
    const FloatPoint p{x, y};
    return IsPointInsidePolygon(&p, corners.data(), static_cast<int32_t>(corners.size()));
}

TEST(PointInPolygon, EvenOddInsideWithEdgesCountedOnce) {
    const std::vector<FloatPoint> ell = {{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}};
    EXPECT_EQ(Inside(20, 20, ell), 1);
    EXPECT_EQ(Inside(80, 20, ell), 1);
    EXPECT_EQ(Inside(20, 80, ell), 1);
    EXPECT_EQ(Inside(80, 80, ell), 0);  // the notch
    EXPECT_EQ(Inside(-5, 20, ell), 0);
    EXPECT_EQ(Inside(120, 20, ell), 0);

    // A ray through a corner: the edge below includes its upper end, the edge above excludes
    // its lower end, so the corner counts once.
    const std::vector<FloatPoint> diamond = {{50, 0}, {100, 50}, {50, 100}, {0, 50}};
    EXPECT_EQ(Inside(50, 50, diamond), 1);
    EXPECT_EQ(Inside(-10, 50, diamond), 0);
    EXPECT_EQ(Inside(75, 50, diamond), 1);

    // Horizontal edges never count: level with the top of a square is outside, the bottom in.
    const std::vector<FloatPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(Inside(5, 0, square), 0);
    EXPECT_EQ(Inside(5, 10, square), 1);

    // A crossed outline: a bow tie's two lobes are in, the gap between them out.
    const std::vector<FloatPoint> bow = {{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    EXPECT_EQ(Inside(2, 5, bow), 1);
    EXPECT_EQ(Inside(8, 5, bow), 1);
    EXPECT_EQ(Inside(5, 2, bow), 0);

    const FloatPoint p{1, 1};
    EXPECT_EQ(IsPointInsidePolygon(nullptr, square.data(), 4), 0);
    EXPECT_EQ(IsPointInsidePolygon(&p, nullptr, 4), 0);
    EXPECT_EQ(IsPointInsidePolygon(&p, square.data(), 0), 0);
}

}  // namespace
