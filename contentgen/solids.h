// Simple solids in inches, the shapes the stock symbols and objects are built from, and the
// pieces they become in the model. x runs across, y up, z towards the front (the plan's depth).
#pragma once

#include <cstdint>
#include <vector>

#include "model/types.h"

struct Objex;
struct Layer;

namespace contentgen {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Rings of points, each the same count, joined row to row and capped at both ends.
struct Solid {
    std::vector<std::vector<Vec3>> rows;
    RGBColor colour{};
};

RGBColor Rgb(int r, int g, int b);

// Axis-aligned box between two corners.
Solid Box(double x0, double y0, double z0, double x1, double y1, double z1, RGBColor colour);
// Upright round solid about (cx, cz) from y0 to y1, radius r0 at the bottom and r1 at the top.
Solid Round(double cx, double cz, double r0, double r1, double y0, double y1, RGBColor colour, int sides = 16);
// Upright ellipse-section solid (rx across, rz in depth).
Solid Oval(double cx, double cz, double rx, double rz, double y0, double y1, RGBColor colour, int sides = 20);
// Round solid lying along x (a bolster, a rail), centred on (y, z).
Solid RoundAlongX(double x0, double x1, double y, double z, double r, RGBColor colour, int sides = 12);
// Half an ellipsoid, flat side down (a cushion top, a dome, a bowl turned over).
Solid Dome(double cx, double cz, double rx, double rz, double y0, double height, RGBColor colour);
// An upright prism over an outline in the (x, z) plane.
Solid Prism(const std::vector<std::pair<double, double>>& outline, double y0, double y1, RGBColor colour);

// Model units per inch in the current document (a new document's plan scale gives 2); its
// callers build while a StockDocument exists.
double UnitsPerInch();

// The solid as a closed, capped grid object (not on any layer): h = x, v = -y (up is negative),
// d = z, in model units.
Objex* SolidPiece(const Solid& solid, int16_t type);

// A plan drawing stroke in inches: an open or closed polyline, or a circle.
struct Stroke {
    std::vector<std::pair<double, double>> points;  // (x, z)
    bool closed = false;
    bool circle = false;  // points[0] the centre, radius below
    double radius = 0;
};
Stroke Line(double x0, double z0, double x1, double z1);
Stroke Poly(std::vector<std::pair<double, double>> points, bool closed = true);
Stroke Rect(double x0, double z0, double x1, double z1);
Stroke Circle(double cx, double cz, double r);
// The stroke as a one-row object in model units; a circle is four points with tangents.
Objex* StrokePiece(const Stroke& stroke, int16_t type);

}  // namespace contentgen
