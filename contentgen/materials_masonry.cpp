// Hard surfaces: brick, block, tile and paver bonds, cut and rubble stone, pebbles, stucco and
// concrete.
#include <algorithm>
#include <cmath>

#include "materials_painters.h"

namespace contentgen::texturing {

namespace {

// Fine grit: a different small value at every pixel.
double Grit(int x, int y, uint32_t seed) { return HashUnit(x, y, seed) - 0.5; }

Rgb MasonryAt(const Unit& unit, int x, int y, const MasonryStyle& s) {
    const uint32_t id = uint32_t(unit.row) * 977u + uint32_t(unit.col);
    Rgb c = s.checker ? ((unit.row + unit.col) % 2 ? s.alt : s.face) : Mix(s.face, s.alt, HashUnit(int(id), 1, s.seed));
    c = Scale(c, 1 + s.spread * 2 * (HashUnit(int(id), 2, s.seed) - 0.5));
    const double mottle = TileFbm(x, y, 16, 16, 3, s.seed + 3) - 0.5;
    c = Scale(c, 1 + s.rough * 2 * mottle + 0.06 * Grit(x, y, s.seed + 4));
    if (s.bevel) {
        const double left = unit.u - s.joint, top = unit.v - s.joint;
        const double right = unit.w - unit.u, bottom = unit.h - unit.v;
        if (std::min(left, top) < 3) c = Scale(c, 1.12);
        else if (std::min(right, bottom) < 4) c = Scale(c, 0.8);
    }
    if (s.gloss > 0) c = Add(c, s.gloss * 40 * (1 - (unit.u / unit.w + unit.v / unit.h) / 2));
    const Rgb mortar = Scale(s.mortar, 1 + 0.12 * Grit(x, y, s.seed + 5) + 0.1 * mottle);
    // The joint's lower and right side lie in the unit's shadow.
    const double j = JointAt(unit, s.joint);
    return Mix(c, mortar, j);
}

}  // namespace

QImage Bond(int rows, int cols, double shift, const MasonryStyle& style) {
    return PaintTile([&](int x, int y) { return MasonryAt(BondUnit(x, y, rows, cols, shift), x, y, style); });
}

QImage Courses(const RowLayout& layout, const MasonryStyle& style) {
    return PaintTile([&](int x, int y) { return MasonryAt(layout.at(x, y), x, y, style); });
}

QImage Herringbone(int cell, const MasonryStyle& style) {
    // Cells (a, b) with (a - b) mod 4 of 0 and 1 are the halves of a brick lying along the row,
    // 2 and 3 the halves of one standing in the column (3 above 2).
    return PaintTile([&](int x, int y) {
        const int a = x / cell, b = y / cell, t = Wrap(a - b, 4);
        const int n = kTile / cell;  // a multiple of 4, so the pattern tiles
        Unit unit;
        const double lx = x - a * cell, ly = y - b * cell;
        if (t < 2) {
            unit.w = 2 * cell, unit.h = cell;
            unit.u = lx + (t == 1 ? cell : 0), unit.v = ly;
            unit.row = Wrap(b, n), unit.col = Wrap(a - t, n);
        } else {
            unit.w = cell, unit.h = 2 * cell;
            unit.u = lx, unit.v = ly + (t == 2 ? cell : 0);
            unit.row = Wrap(b - (t == 2 ? 1 : 0), n), unit.col = Wrap(a, n) + n;
        }
        return MasonryAt(unit, x, y, style);
    });
}

QImage Stones(const StoneStyle& s) {
    const double size = double(kTile) / s.cells;
    return PaintTile([&](int x, int y) {
        const CellHit hit = TileCells(x, y, s.cells, s.seed, s.jitter);
        const double edge = (hit.second - hit.nearest) / 2;  // about the distance to the stone's edge
        const size_t n = s.colours.size();
        Rgb c = s.colours[std::min(n - 1, size_t(HashUnit(hit.id, 7, s.seed) * double(n)))];
        c = Scale(c, 0.9 + 0.2 * HashUnit(hit.id, 8, s.seed));
        // Domed: darker towards the rim, lit from above left.
        const double dome = std::sqrt(std::clamp(edge / (size * 0.35), 0.0, 1.0));
        const double lit = ((hit.cx - x) + (hit.cy - y)) / (size * 1.4);
        c = Scale(c, 1 - s.round * 0.35 * (1 - dome) + s.round * 0.25 * lit);
        c = Scale(c, 1 + s.rough * 2 * (TileFbm(x, y, 32, 32, 2, s.seed + 9) - 0.5) + 0.05 * Grit(x, y, s.seed));
        const Rgb joint = Scale(s.joint, 1 + 0.15 * Grit(x, y, s.seed + 11));
        return Mix(c, joint, std::clamp(s.jointWidth + 1 - 2 * edge, 0.0, 1.0));
    });
}

QImage Stucco(Rgb base, double relief, uint32_t seed) {
    return PaintTile([&](int x, int y) {
        const double trowel = TileFbm(x, y, 6, 6, 4, seed) - 0.5;
        const double sand = TileFbm(x, y, 64, 64, 2, seed + 1) - 0.5;
        // Light falls from above left: a bump's upper side is lit.
        const double slope = TileFbm(x, y - 1.5, 24, 24, 3, seed + 2) - TileFbm(x, y + 1.5, 24, 24, 3, seed + 2);
        return Scale(base, 1 + relief * (0.6 * trowel + 0.5 * sand + 2.5 * slope) + 0.03 * Grit(x, y, seed + 3));
    });
}

QImage Concrete(Rgb base, bool broom, bool joints, uint32_t seed) {
    return PaintTile([&](int x, int y) {
        double k = 1 + 0.16 * (TileFbm(x, y, 5, 5, 4, seed) - 0.5) + 0.07 * Grit(x, y, seed + 1);
        if (broom) k += 0.1 * (TileNoise(x, y, 3, 160, seed + 2) - 0.5) + 0.05 * (TileNoise(x, y, 2, 64, seed + 3) - 0.5);
        if (HashUnit(x, y, seed + 4) < 0.01) k -= 0.15;  // a pore
        if (joints) {
            // A tooled groove along the tile's edges, shared with the next tile.
            const int d = std::min(std::min(x, kTile - 1 - x), std::min(y, kTile - 1 - y));
            if (d < 1) k *= 0.55;
            else if (d < 2) k *= 0.75;
            else if (d < 3) k *= 0.92;
        }
        return Scale(base, k);
    });
}

}  // namespace contentgen::texturing
