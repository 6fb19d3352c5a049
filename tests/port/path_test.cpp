#include "port/path.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void Square(port::Path& path, double x0, double y0, double size, bool clockwise) {
    path.moveTo(x0, y0);
    if (clockwise) {
        path.lineTo(x0 + size, y0);
        path.lineTo(x0 + size, y0 + size);
        path.lineTo(x0, y0 + size);
    } else {
        path.lineTo(x0, y0 + size);
        path.lineTo(x0 + size, y0 + size);
        path.lineTo(x0 + size, y0);
    }
    path.closePath();
}

TEST(ShapePath, NonZeroWindingFillsNestedOutlinesByDirection) {
    port::Path path;
    EXPECT_FALSE(path.contains(0, 0));
    Square(path, 0, 0, 100, true);
    EXPECT_TRUE(path.contains(50, 50));
    EXPECT_FALSE(path.contains(150, 50));
    EXPECT_FALSE(path.contains(-1, 50));

    // An inner square the same way round stays filled (even-odd would cut it out).
    port::Path same = path;
    Square(same, 25, 25, 50, true);
    EXPECT_TRUE(same.contains(50, 50));

    // The other way round it makes a hole.
    port::Path hole = path;
    Square(hole, 25, 25, 50, false);
    EXPECT_FALSE(hole.contains(50, 50));
    EXPECT_TRUE(hole.contains(10, 10));
}

TEST(ShapePath, EdgesAreHalfOpenAndOpenOutlinesCloseThemselves) {
    port::Path path;
    path.moveTo(0, 0);
    path.lineTo(100, 0);
    path.lineTo(100, 100);
    path.lineTo(0, 100);  // never closed: filled as if it were
    EXPECT_TRUE(path.contains(0, 0));
    EXPECT_TRUE(path.contains(0, 50));
    EXPECT_FALSE(path.contains(100, 50));
    EXPECT_FALSE(path.contains(50, 100));

    EXPECT_FALSE(path.contains(NAN, 50));
    EXPECT_FALSE(path.contains(50, INFINITY));
}

TEST(ShapePath, CurvesAreFollowedClosely) {
    // A circle of radius 100 from four cubic pieces (off the true circle by under 0.03).
    constexpr double k = 55.228475;
    port::Path circle;
    circle.moveTo(100, 0);
    circle.curveTo(100, k, k, 100, 0, 100);
    circle.curveTo(-k, 100, -100, k, -100, 0);
    circle.curveTo(-100, -k, -k, -100, 0, -100);
    circle.curveTo(k, -100, 100, -k, 100, 0);
    circle.closePath();
    for (double angle = 0.1; angle < 6.2; angle += 0.3) {
        EXPECT_TRUE(circle.contains(99.5 * std::cos(angle), 99.5 * std::sin(angle))) << angle;
        EXPECT_FALSE(circle.contains(100.5 * std::cos(angle), 100.5 * std::sin(angle))) << angle;
    }
}

TEST(ShapePath, LineAfterCloseStartsAtTheClosedSubpath) {
    port::Path path;
    path.moveTo(0, 0);
    path.lineTo(100, 0);
    path.lineTo(100, 100);
    path.closePath();
    // A second triangle from (0, 0): (0, 0) -> (-100, 0) -> (-100, -100).
    path.lineTo(-100, 0);
    path.lineTo(-100, -100);
    EXPECT_TRUE(path.contains(75, 25));
    EXPECT_TRUE(path.contains(-75, -25));
    EXPECT_FALSE(path.contains(-25, -75));
    EXPECT_EQ(path.elementCount(), 6);
    path.clear();
    EXPECT_TRUE(path.empty());
}

}  // namespace
