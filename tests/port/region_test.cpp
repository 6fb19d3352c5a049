// Integer regions traced from outlines: the containment and overlap answers roof attachments
// are fitted by, against pixel counts worked out independently.
#include "port/region.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using port::Region;
using port::RegionPoint;
using Outline = std::vector<RegionPoint>;

Region Of(const Outline& o) { return Region::FromOutline(o).value(); }
Outline Square(double x, double y, double side) { return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}}; }

// Crossing-number test of a pixel centre, written apart from the tracer.
bool CentreInside(const Outline& o, int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    bool inside = false;
    for (size_t i = 0, j = o.size() - 1; i < o.size(); j = i++) {
        const double xi = std::trunc(o[i].x), yi = std::trunc(o[i].y), xj = std::trunc(o[j].x), yj = std::trunc(o[j].y);
        if ((yi > py) != (yj > py) && px < xj + (py - yj) * (xi - xj) / (yi - yj)) inside = !inside;
    }
    return inside;
}

TEST(Regions, ContainmentOverlapAndPointsFollowPixelCentres) {
    const Region a = Of(Square(0, 0, 10)), right = Of(Square(10, 0, 10));
    EXPECT_TRUE(port::EmptyRgn(port::SectRgn(a, right)));  // sharing an edge only
    EXPECT_EQ(port::UnionRgn(a, right).bands()[0].xs, (std::vector<int32_t>{0, 20}));  // one merged interval

    const Region outer = Of(Square(0, 0, 40));
    EXPECT_TRUE(port::EqualRgn(port::UnionRgn(outer, Of(Square(5, 5, 10))), outer));
    EXPECT_FALSE(port::EqualRgn(port::UnionRgn(outer, Of(Square(31, 5, 10))), outer));  // 1 unit out
    // Vertices are truncated toward zero: 39.9 is 39, -0.9 is 0.
    EXPECT_TRUE(port::EqualRgn(Of(Square(-0.9, 0, 39.9)), Of(Square(0, 0, 39))));

    struct Row { double x, y; bool in; };
    for (const Row& r : {Row{0, 0, true}, {9.9, 9.9, true}, {10, 5, false}, {5, 10, false}, {-0.5, 5, true}})
        EXPECT_EQ(port::PtInRgn(r.x, r.y, a), r.in) << r.x << "," << r.y;
}

TEST(Regions, SlantedOutlinesHoldExactlyThePixelsWhoseCentresAreInside) {
    Outline octagon;
    for (int k = 1; k <= 8; ++k)
        octagon.push_back({50 + 23.0 * std::cos(k * std::numbers::pi / 4), 50 - 23.0 * std::sin(k * std::numbers::pi / 4)});
    const std::vector<Outline> shapes = {{{3, 2}, {47, 11}, {19, 38}}, octagon};
    for (const Outline& o : shapes) {
        const Region r = Of(o);
        int64_t counted = 0;
        for (int y = -5; y < 105; ++y)
            for (int x = -5; x < 105; ++x) {
                const bool in = CentreInside(o, x, y);
                counted += in;
                ASSERT_EQ(r.contains(x, y), in) << x << "," << y;
            }
        EXPECT_EQ(r.area(), counted);
        EXPECT_GT(counted, 500);
    }
    // Two contours combine even-odd: a square inside a square leaves a frame.
    const Region frame = Region::FromContours({Square(0, 0, 10), Square(2, 2, 6)}).value();
    EXPECT_EQ(std::tuple(frame.area(), frame.contains(5, 5), frame.contains(1, 5)), std::tuple(64, false, true));
}

TEST(Regions, FarAndBrokenCoordinatesAreClampedOrRefused) {
    // Beyond 16 bits the outline is clamped to the edge of the range before truncation.
    const Region far = Of({{-1e9, -1e9}, {1e9, -1e9}, {1e9, 1e9}, {-1e9, 1e9}});
    const port::RegionBounds b = far.bounds();
    EXPECT_EQ(std::tuple(b.left, b.top, b.right, b.bottom), std::tuple(-32768, -32768, 32767, 32767));
    EXPECT_TRUE(port::PtInRgn(32766.5, -1e12, far));
    EXPECT_FALSE(Region::FromOutline({{0, 0}, {NAN, 5}, {5, 5}}).has_value());
    EXPECT_FALSE(port::PtInRgn(NAN, 0, far));
    EXPECT_TRUE(Of({{0, 0}, {10, 0}}).empty());  // no area
}

}  // namespace
