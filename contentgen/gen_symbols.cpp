// The built-in electrical, lighting, plumbing and HVAC symbols: a plan drawing and a 3D model
// for each symbol type of the built-in lists, saved as design files by the project's own
// writer. Fixtures are at their real sizes; the plan marks of small wall and ceiling devices
// (receptacles, switches, outlets) are the usual plan symbols, about 8 inches across, so they
// read at plan scales, while their 3D plates are real size. In 3D, y is measured from the
// placed symbol's elevation: ceiling items (placed at the ceiling) hang below 0.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "contentgen.h"
#include "files/content_folders.h"
#include "files/symbol_lists.h"
#include "model/objects.h"
#include "output.h"
#include "port/files.h"
#include "solids.h"
#include "stock_document.h"

namespace contentgen {

namespace {

constexpr int16_t kDrawingType = 9;  // a plain outline; the reader gives it the symbol's type

struct Symbol {
    std::vector<Stroke> plan;
    std::vector<Solid> model;
};

const RGBColor kPlate = Rgb(236, 234, 226), kPorcelain = Rgb(248, 248, 246), kSteel = Rgb(190, 194, 198),
               kDark = Rgb(60, 60, 64), kBrass = Rgb(196, 160, 80), kGlass = Rgb(200, 225, 235),
               kUnit = Rgb(170, 172, 170), kGrille = Rgb(120, 122, 124), kWood = Rgb(150, 105, 60),
               kBulb = Rgb(255, 244, 200);

// --- plan marks ---

// The receptacle mark: a circle with two short lines across it.
std::vector<Stroke> Receptacle(int lines = 2) {
    std::vector<Stroke> s{Circle(0, 4, 4)};
    for (int i = 0; i < lines; ++i) {
        const double x = lines == 2 ? (i ? 1.5 : -1.5) : (i - 1) * 1.8;
        s.push_back(Line(x, 1, x, 7));
    }
    return s;
}
// An S drawn as a zigzag, with `ticks` short strokes beside it (3-, 4-, 5-way).
std::vector<Stroke> SwitchMark(int ticks) {
    std::vector<Stroke> s{Circle(0, 4, 4),
                          Poly({{1.6, 2.2}, {-1.4, 2.2}, {-1.6, 4}, {1.6, 4}, {1.4, 5.8}, {-1.6, 5.8}}, false)};
    for (int i = 0; i < ticks; ++i) s.push_back(Line(4.8 + i * 1.2, 2.5, 4.8 + i * 1.2, 5.5));
    return s;
}
std::vector<Stroke> With(std::vector<Stroke> a, const std::vector<Stroke>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// --- 3D pieces ---

// A wall plate of the given size, standing on the wall face (z from 0) with its bottom at y0.
std::vector<Solid> WallPlate(double width, double height, double y0, double depth = 0.25) {
    return {Box(-width / 2, y0, 0, width / 2, y0 + height, depth, kPlate)};
}
std::vector<Solid> DuplexPlate() {
    std::vector<Solid> s = WallPlate(2.75, 4.5, 0);
    for (double y : {1.0, 2.6}) s.push_back(Box(-0.7, y, 0.25, 0.7, y + 0.9, 0.45, kPlate));
    return s;
}
std::vector<Solid> SwitchPlate() {
    std::vector<Solid> s = WallPlate(2.75, 4.5, 0);
    s.push_back(Box(-0.2, 1.8, 0.25, 0.2, 2.7, 0.7, kPlate));
    return s;
}
std::vector<Solid> FlatPlate(double side, double y0, double y1, RGBColor colour) {
    return {Box(-side / 2, y0, -side / 2, side / 2, y1, side / 2, colour)};
}
std::vector<Solid> Plus(std::vector<Solid> a, const std::vector<Solid>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A counter sink hung at the counter's height: the rim at 0, the bowls below, the faucet above.
Symbol Sink(int bowls, double width) {
    Symbol s;
    const double depth = 22;
    s.plan.push_back(Rect(-width / 2, 0, width / 2, depth));
    const double bowl = (width - 2 - (bowls - 1) * 1.5) / bowls;
    for (int i = 0; i < bowls; ++i) {
        const double x0 = -width / 2 + 1 + i * (bowl + 1.5);
        s.plan.push_back(Rect(x0, 3, x0 + bowl, depth - 2));
        s.plan.push_back(Circle(x0 + bowl / 2, depth / 2 + 1, 1.2));
        s.model.push_back(Box(x0, -8, 3, x0 + bowl, -0.4, depth - 2, kSteel));
    }
    s.plan.push_back(Circle(0, 1.6, 1));  // the faucet
    s.model.push_back(Box(-width / 2, -0.4, 0, width / 2, 0, depth, kSteel));
    s.model.push_back(Round(0, 1.6, 0.6, 0.6, 0, 8, kSteel, 10));
    s.model.push_back(Box(-0.5, 7, 1.6, 0.5, 8, 8, kSteel));
    return s;
}

// A tub of outer size width x depth whose side walls are `wall` thick and `height` tall.
std::vector<Solid> Tub(double width, double depth, double height, double wall) {
    const double x = width / 2;
    return {Box(-x, 0, 0, x, height, wall, kPorcelain), Box(-x, 0, depth - wall, x, height, depth, kPorcelain),
            Box(-x, 0, wall, -x + wall, height, depth - wall, kPorcelain),
            Box(x - wall, 0, wall, x, height, depth - wall, kPorcelain),
            Box(-x + wall, 0, wall, x - wall, 2, depth - wall, kPorcelain)};
}

// A ceiling fixture: everything hangs below the ceiling (y <= 0).
std::vector<Solid> CeilingDome(double r, double drop, RGBColor colour) {
    return {Round(0, 0, r * 0.6, r * 0.6, -0.4, 0, kPlate), Dome(0, 0, r, r, -0.4, -drop, colour)};
}

Symbol Build(int16_t type) {
    Symbol s;
    switch (type) {
    case 55: s = {Receptacle(), DuplexPlate()}; break;
    case 65: s = {With(Receptacle(), {Rect(-2.5, 8.5, 2.5, 10.5)}), Plus(DuplexPlate(), {Box(-0.8, 2.05, 0.25, 0.8, 2.45, 0.4, Rgb(200, 40, 40))})}; break;
    case 66: s = {With(Receptacle(), {Line(-4, 8, 4, 0)}), Plus(DuplexPlate(), {Box(-0.8, 1.95, 0.25, 0.8, 2.55, 0.35, kDark)})}; break;
    case 67: s = {With(Receptacle(), {Rect(-5.5, -1.5, 5.5, 9.5)}), Plus(WallPlate(3.5, 5.5, -0.5, 0.4), {Box(-1.5, 0.5, 0.4, 1.5, 4.5, 2.0, kUnit)})}; break;
    case 68: s = {With(Receptacle(), {Poly({{0, -2.5}, {6.5, 4}, {0, 10.5}, {-6.5, 4}})}), FlatPlate(4.5, 0, 0.2, kBrass)}; break;
    case 69: s = {With(Receptacle(), {Circle(0, 4, 6)}), FlatPlate(4.5, -0.25, 0, kPlate)}; break;
    case 70: s = {Receptacle(3), Plus(WallPlate(4.5, 4.5, 0), {Round(0, 0.25, 1.6, 1.6, 0.6, 3.9, kPlate, 16)})}; break;
    case 71: s = {With(Receptacle(3), {Poly({{0, -2.5}, {6.5, 4}, {0, 10.5}, {-6.5, 4}})}), FlatPlate(5, 0, 0.2, kBrass)}; break;
    case 72: s = {With(Receptacle(3), {Circle(0, 4, 6)}), FlatPlate(5, -0.25, 0, kPlate)}; break;
    case 73: s = {SwitchMark(0), SwitchPlate()}; break;
    case 74: s = {SwitchMark(1), SwitchPlate()}; break;
    case 75: s = {SwitchMark(2), SwitchPlate()}; break;
    case 76: s = {SwitchMark(3), SwitchPlate()}; break;
    case 77: s = {With(SwitchMark(0), {Poly({{-3, 9}, {3, 9}, {0, 11.5}})}), Plus(WallPlate(2.75, 4.5, 0), {Round(0, 0.25, 0.6, 0.6, 2.2, 2.3, kDark, 12), Box(-0.3, 0.8, 0.25, 0.3, 3.7, 0.6, kPlate)})}; break;
    case 78: s = {With(SwitchMark(0), {Rect(-5.5, -1.5, 5.5, 9.5)}), Plus(WallPlate(3.5, 5.5, -0.5, 0.4), {Box(-1.4, 0.6, 0.4, 1.4, 4.4, 1.6, kUnit)})}; break;
    // Lights.
    case 79: s = {{Circle(0, 0, 6), Line(-4.2, -4.2, 4.2, 4.2), Line(-4.2, 4.2, 4.2, -4.2)}, CeilingDome(7, 4.5, kGlass)}; break;
    case 80: s = {{Circle(0, 0, 3.5), Circle(0, 0, 2.5)}, {Round(0, 0, 3.5, 3.5, -0.4, 0, kPlate, 20), Round(0, 0, 2.5, 2.5, -0.5, -0.4, kBulb, 20)}}; break;
    case 81: s = {{Rect(-6, -6, 6, 6), Circle(0, 0, 3.5), Line(-5, -4.5, 5, -4.5), Line(-5, 4.5, 5, 4.5)}, {Box(-6, -0.5, -6, 6, 0, 6, kPlate), Round(0, 0, 3.5, 3.5, -0.8, -0.5, kBulb, 16)}}; break;
    case 82: s = {{Rect(-5, -5, 5, 5), Line(-4, -3, 4, -3), Line(-4, 0, 4, 0), Line(-4, 3, 4, 3)}, {Box(-5, -0.4, -5, 5, 0, 5, kPlate), Box(-3.5, -0.7, -3.5, 3.5, -0.4, 3.5, kBulb)}}; break;
    case 83: s = {{Circle(0, 3, 3), Poly({{-2, 3}, {-7, 9}, {-3, 11}}), Poly({{2, 3}, {7, 9}, {3, 11}})},
                  {Box(-2.25, 0, 0, 2.25, 4.5, 1.5, kDark), RoundAlongX(-7.5, -1.5, 2.25, 3.5, 2.3, kDark, 12), RoundAlongX(1.5, 7.5, 2.25, 3.5, 2.3, kDark, 12),
                   Round(-4.5, 5.8, 2.2, 2.2, 1.2, 3.3, kBulb, 12), Round(4.5, 5.8, 2.2, 2.2, 1.2, 3.3, kBulb, 12)}}; break;
    case 146: s = {{Circle(0, 0, 3), Circle(0, 0, 1.5), Line(0, -1.5, 0, -4.5)}, {Round(0, 0, 3, 3, 0, 0.3, kSteel, 16), Round(0, 0, 2, 2, 0.3, 0.4, kBulb, 16)}}; break;
    case 147: s = {{Circle(0, 0, 2), Poly({{-2, -2}, {0, -7}, {2, -2}})}, {Round(0, 0, 0.3, 0.3, 0, 5, kDark, 8), Round(0, 0, 1.5, 1.9, 5, 10, kDark, 12), Round(0, 0, 1.6, 1.6, 10, 10.1, kBulb, 12)}}; break;
    case 148: s = {{Circle(0, 0, 2.5), Poly({{-2.5, 2.5}, {0, 7}, {2.5, 2.5}})}, {Box(-1.5, -3, -1.5, 1.5, 0, 1.5, kDark), Round(0, 0, 2.5, 1.5, -7, -3, kDark, 14), Round(0, 0, 2.2, 2.2, -7.1, -7, kBulb, 14)}}; break;
    case 149: s = {{Circle(0, 0, 5), Circle(0, 0, 0.75)}, {Round(0, 0, 0.75, 0.75, 0, 18, kDark, 10), Round(0, 0, 1.8, 1.8, 18, 21, kBulb, 12), Round(0, 0, 5, 1, 21, 24, kDark, 16)}}; break;
    case 150: s = {{Circle(0, 0, 2), Line(0, 0, 0, -5), Line(-1.5, -3.5, 0, -5), Line(1.5, -3.5, 0, -5)}, {Round(0, 0, 1.5, 1.5, 0, 0.5, kDark, 12), Round(0, 0, 1.2, 1.8, 0.5, 4.5, kDark, 12), Round(0, 0, 1.6, 1.6, 4.5, 4.6, kBulb, 12)}}; break;
    case 151: s = {{Circle(0, 0, 2), Line(0, 0, 0, 5), Line(-1.5, 3.5, 0, 5), Line(1.5, 3.5, 0, 5)}, {Round(0, 0, 1.5, 1.5, -0.5, 0, kPlate, 12), Round(0, 0, 1.8, 1.2, -4.5, -0.5, kDark, 12), Round(0, 0, 1.6, 1.6, -4.6, -4.5, kBulb, 12)}}; break;
    case 152: s = {{Circle(0, 0, 2), Circle(0, 0, 0.8)}, {Dome(0, 0, 1.8, 1.8, 0, 1.8, kBulb), Dome(0, 0, 1.8, 1.8, 0, -1.8, kBulb)}}; break;
    // Outlets and controls.
    case 84: s = {{Poly({{-3.5, 0}, {3.5, 0}, {0, 6}}), Circle(0, 2.2, 1)}, Plus(WallPlate(2.75, 4.5, 0), {Round(0, 0.25, 0.45, 0.45, 1.5, 3.0, kBrass, 10)})}; break;
    case 85: s = {{Poly({{-3.5, 0}, {3.5, 0}, {0, 6}}), Line(-1.5, 2.2, 1.5, 2.2)}, Plus(WallPlate(2.75, 4.5, 0), {Box(-0.4, 1.9, 0.25, 0.4, 2.6, 0.3, kDark)})}; break;
    case 86: s = {{Circle(0, 0, 3), Circle(0, 0, 1), Line(-2.2, -0.5, -1.4, -0.5), Line(1.4, 0.5, 2.2, 0.5)}, {Round(0, 0, 3, 2.8, -1.6, 0, kPlate, 20), Round(0, 0, 0.5, 0.5, -1.9, -1.6, Rgb(200, 40, 40), 8)}}; break;
    case 87: s = {{Circle(0, 3, 3), Line(-1.8, 1.5, 1.8, 1.5), Line(0, 1.5, 0, 5)}, {Box(-2.5, 0, 0, 2.5, 4, 1.1, kPlate), Round(0, 1.1, 1.3, 1.3, 1.1, 3.1, kDark, 14)}}; break;
    case 88: {
        s.plan = {Circle(0, 0, 3.5), Rect(-26, -2.5, -4, 2.5), Rect(4, -2.5, 26, 2.5), Rect(-2.5, -26, 2.5, -4), Rect(-2.5, 4, 2.5, 26)};
        s.model = {Round(0, 0, 2.2, 2.2, -1.5, 0, kWood, 12), Round(0, 0, 0.5, 0.5, -12, -1.5, kWood, 8), Round(0, 0, 4, 4, -16, -12, kWood, 16),
                   Box(-26, -15, -2.5, -4, -14.5, 2.5, kWood), Box(4, -15, -2.5, 26, -14.5, 2.5, kWood),
                   Box(-2.5, -15, -26, 2.5, -14.5, -4, kWood), Box(-2.5, -15, 4, 2.5, -14.5, 26, kWood), Dome(0, 0, 3.5, 3.5, -16, -4, kGlass)};
        break;
    }
    // Plumbing.
    case 90:
        s.plan = {Rect(-10, 0, 10, 8.5), Poly({{-7.5, 8.5}, {7.5, 8.5}}, false), Circle(0, 18.5, 7.5), Line(-7.5, 8.5, -7.5, 18.5), Line(7.5, 8.5, 7.5, 18.5)};
        s.model = {Box(-10, 15, 0, 10, 30, 8.5, kPorcelain), Oval(0, 10, 5.5, 5.5, 0, 9, kPorcelain), Oval(0, 17, 7.5, 10, 9, 15, kPorcelain),
                   Oval(0, 17.5, 7.6, 10, 15, 16, kPorcelain), Box(-10.3, 30, -0.2, 10.3, 31, 8.8, kPorcelain)};
        break;
    case 91: s = Sink(1, 25); break;
    case 92: s = Sink(2, 33); break;
    case 93: s = Sink(3, 43); break;
    case 94:
        s.plan = {Rect(-10, 0, 10, 17), Circle(0, 9.5, 6), Circle(0, 1.8, 0.9)};
        s.model = {Box(-10, 31.5, 0, 10, 32, 17, kPorcelain), Oval(0, 9.5, 7.5, 6, 25, 31.5, kPorcelain), Round(0, 1.8, 0.6, 0.6, 32, 38, kSteel, 10),
                   Box(-0.4, 37, 1.8, 0.4, 38, 6, kSteel)};
        break;
    case 95:
        s.plan = {Rect(-30, 0, 30, 30), Poly({{-27, 3}, {27, 3}, {27, 27}, {-27, 27}}), Circle(-24, 15, 1.5)};
        s.model = Tub(60, 30, 15, 3);
        s.model.push_back(Round(-28.5, 15, 0.6, 0.6, 15, 19, kSteel, 8));
        break;
    case 96:
        s.plan = {Rect(-30, 0, 30, 42), Circle(0, 21, 17), Circle(-20, 21, 1.5), Circle(-25, 6, 1), Circle(25, 6, 1)};
        s.model = Tub(60, 42, 20, 5);
        for (double x : {-25.0, 25.0}) s.model.push_back(Dome(x, 5, 1.2, 1.2, 20, 0.8, kSteel));
        break;
    case 97:
        s.plan = {Rect(-24, 0, 24, 36), Line(-24, 0, 24, 36), Line(-24, 36, 24, 0), Circle(0, 18, 2)};
        s.model = {Box(-24, 0, 0, 24, 4, 36, kPorcelain), Box(-24, 4, 0, -23.6, 76, 36, kGlass), Box(23.6, 4, 0, 24, 76, 36, kGlass),
                   Box(-24, 4, 35.6, 24, 76, 36, kGlass), Round(0, 0.5, 0.4, 0.4, 72, 78, kSteel, 8), Round(0, 4, 2.5, 2.5, 71, 72, kSteel, 12)};
        break;
    case 98:
        s.plan = {Circle(0, 0, 11), Circle(0, 0, 8), Line(-3, -2, -1.5, 2), Line(-1.5, 2, 0, -2), Line(0, -2, 1.5, 2), Line(1.5, 2, 3, -2)};
        s.model = {Round(0, 0, 11, 11, 0, 58, Rgb(225, 225, 220), 20), Dome(0, 0, 11, 11, 58, 3, Rgb(225, 225, 220)),
                   Round(-4, 0, 0.6, 0.6, 60, 68, kBrass, 8), Round(4, 0, 0.6, 0.6, 60, 68, kBrass, 8)};
        break;
    case 99: s = {{Circle(0, 2, 2), Line(0, 0, 0, 6), Line(-2, 6, 2, 6)}, {Box(-1.5, 0, 0, 1.5, 3, 0.3, kBrass), RoundAlongX(-0.4, 0.4, 1.5, 2.5, 0.5, kBrass, 8), Round(0, 3, 1.2, 1.2, 2.5, 3, kBrass, 10), Round(0, 3.5, 0.45, 0.45, -1.5, 1.5, kBrass, 8)}}; break;
    case 109: s = {{Circle(0, 2, 2), Line(0, 0, 0, 6), Line(-1, 1.2, 1, 2.8)}, {Box(-1.5, 0, 0, 1.5, 3, 0.3, Rgb(230, 200, 40)), Round(0, 2, 0.5, 0.5, 0.3, 2.8, Rgb(230, 200, 40), 8), Box(-1.5, 1.7, 1, 1.5, 2.3, 1.6, Rgb(230, 200, 40))}}; break;
    case 110: s = {{Circle(0, 0, 2.5), Line(-1.8, 0, 1.8, 0), Line(0, -1.8, 0, 1.8)}, {Round(0, 0, 2.5, 2.5, 0, 0.15, kSteel, 16)}}; break;
    // HVAC.
    case 118: s = {{Rect(-5, -2, 5, 2), Line(-4, -1, 4, -1), Line(-4, 0, 4, 0), Line(-4, 1, 4, 1)}, {Box(-5, 0, -2, 5, 0.2, 2, kGrille)}}; break;
    case 119: s = {{Rect(-5, -5, 5, 5), Rect(-3, -3, 3, 3), Line(-5, -5, 5, 5), Line(-5, 5, 5, -5)}, {Box(-5, -0.3, -5, 5, 0, 5, kPlate), Box(-3, -0.6, -3, 3, -0.3, 3, kPlate)}}; break;
    case 120: s = {{Rect(-10, -6, 10, 6), Line(-9, -3, 9, -3), Line(-9, 0, 9, 0), Line(-9, 3, 9, 3), Line(-10, -6, 10, 6)}, {Box(-10, -0.3, -6, 10, 0, 6, kGrille)}}; break;
    case 121:
        s.plan = {Rect(-10, -14, 10, 14), Line(-10, -14, 10, 14), Line(-10, 14, 10, -14)};
        s.model = {Box(-10, 0, -14, 10, 48, 14, kUnit), Box(-9, 48, -13, 9, 60, 13, kSteel), Box(-8, 8, 14, 8, 20, 14.2, kGrille)};
        break;
    case 122:
        s.plan = {Rect(-15, -15, 15, 15), Circle(0, 0, 11)};
        s.model = {Box(-15, 0, -15, 15, 28, 15, kUnit), Round(0, 0, 11, 11, 28, 29, kGrille, 20), Round(0, 0, 2, 2, 29, 30, kDark, 10)};
        break;
    case 123:
        s.plan = {Rect(-17, -17, 17, 17), Circle(0, 0, 12), Line(-8.5, -8.5, 8.5, 8.5), Line(-8.5, 8.5, 8.5, -8.5)};
        s.model = {Box(-17, 0, -17, 17, 34, 17, Rgb(200, 200, 195)), Round(0, 0, 12, 12, 34, 35, kGrille, 20), Round(0, 0, 2.5, 2.5, 35, 36, kDark, 10)};
        break;
    case 124: {
        s.plan = {Rect(-24, 0, 24, 3)};
        std::vector<std::pair<double, double>> zig;
        for (int i = 0; i <= 12; ++i) zig.push_back({-21 + i * 3.5, i % 2 ? 2.4 : 0.6});
        s.plan.push_back(Poly(zig, false));
        s.model = {Box(-24, 0, 0, 24, 8, 3, kPlate), Box(-22, 6.5, 3, 22, 7.5, 3.1, kGrille)};
        break;
    }
    default: break;
    }
    return s;
}

std::vector<Objex*> StrokePieces(const std::vector<Stroke>& strokes) {
    std::vector<Objex*> pieces;
    for (const Stroke& s : strokes) pieces.push_back(StrokePiece(s, kDrawingType));
    return pieces;
}

std::vector<Objex*> SolidPieces(const std::vector<Solid>& solids) {
    std::vector<Objex*> pieces;
    for (const Solid& s : solids) pieces.push_back(SolidPiece(s, kDrawingType));
    return pieces;
}

}  // namespace

bool WriteSymbols(const std::string& /*root: the folders below come from it*/) {
    StockDocument doc;
    if (!doc.ready()) return false;
    bool ok = true;
    const int16_t* order = Symbol2DLoadOrder();
    for (int i = 0; i < kBuiltInSymbolCount; ++i) {
        const int16_t type = order[i];
        const Symbol s = Build(type);
        if (s.plan.empty() || s.model.empty()) {
            std::fprintf(stderr, "dvx_contentgen: no drawing for symbol %d\n", type);
            ok = false;
            continue;
        }
        ok = doc.writeDesign(port::JoinPath(LocalDomainOEMSym2DPath(), Symbol2DFileName(type)), StrokePieces(s.plan)) && ok;
        ok = doc.writeDesign(port::JoinPath(LocalDomainOEMSym3DPath(), Symbol3DFileName(type)), SolidPieces(s.model)) && ok;
    }
    return ok;
}

}  // namespace contentgen
