#pragma once
// Plain values the drawing context speaks in: points, sizes and rectangles in user units,
// colours as four channels from 0 to 1, and the affine matrix from user to device space.
#include <cmath>
#include <numbers>

namespace port {

struct Point {
    double x = 0;
    double y = 0;
};

struct Size {
    double width = 0;
    double height = 0;
};

// Origin and size; y grows downward on every plan surface.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct Color {
    float red = 0;
    float green = 0;
    float blue = 0;
    float alpha = 1;
    bool operator==(const Color&) const = default;
};

// x' = a·x + c·y + tx, y' = b·x + d·y + ty.
struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    Point map(Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    // Moves the origin of the user space by (dx, dy) in user units.
    void translate(double dx, double dy) {
        tx += a * dx + c * dy;
        ty += b * dx + d * dy;
    }
    // Turns the user space by `degrees`; positive turns +x towards +y.
    void rotate(double degrees) {
        const double r = degrees * std::numbers::pi / 180.0, cs = std::cos(r), sn = std::sin(r);
        const Matrix m = *this;
        a = m.a * cs + m.c * sn;
        b = m.b * cs + m.d * sn;
        c = m.c * cs - m.a * sn;
        d = m.d * cs - m.b * sn;
    }
    // The turn of the user space's x axis in degrees (a pure turn gives back its angle).
    double angle() const { return std::atan2(b, a) * 180.0 / std::numbers::pi; }
};

}  // namespace port
