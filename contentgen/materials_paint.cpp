#include "materials_paint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace contentgen::texturing {

uint32_t Random::next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 16);
}

double Random::unit() { return next() / 4294967296.0; }

double HashUnit(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h / 4294967296.0;
}

namespace {

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double TileNoise(double x, double y, int cellsX, int cellsY, uint32_t seed) {
    const double fx = x / kTile * cellsX, fy = y / kTile * cellsY;
    const int i0 = int(std::floor(fx)), j0 = int(std::floor(fy));
    const double tx = Smooth(fx - i0), ty = Smooth(fy - j0);
    auto at = [&](int i, int j) { return HashUnit(Wrap(i, cellsX), Wrap(j, cellsY), seed); };
    const double top = at(i0, j0) + (at(i0 + 1, j0) - at(i0, j0)) * tx;
    const double bottom = at(i0, j0 + 1) + (at(i0 + 1, j0 + 1) - at(i0, j0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

double TileFbm(double x, double y, int cellsX, int cellsY, int octaves, uint32_t seed) {
    double sum = 0, weight = 0, amplitude = 1;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * TileNoise(x, y, cellsX << o, cellsY << o, seed + uint32_t(o) * 7919u);
        weight += amplitude;
        amplitude *= 0.5;
    }
    return weight > 0 ? sum / weight : 0;
}

CellHit TileCells(double x, double y, int cells, uint32_t seed, double jitter) {
    const double size = double(kTile) / cells;
    const int ci = int(std::floor(x / size)), cj = int(std::floor(y / size));
    CellHit hit;
    hit.nearest = hit.second = 1e9;
    for (int dj = -2; dj <= 2; ++dj)
        for (int di = -2; di <= 2; ++di) {
            const int i = ci + di, j = cj + dj;
            const int wi = Wrap(i, cells), wj = Wrap(j, cells);
            const double px = (i + 0.5 + jitter * (HashUnit(wi, wj, seed) - 0.5)) * size;
            const double py = (j + 0.5 + jitter * (HashUnit(wi, wj, seed + 101u) - 0.5)) * size;
            const double d = std::hypot(x - px, y - py);
            if (d < hit.nearest) {
                hit.second = hit.nearest;
                hit.nearest = d, hit.id = wi + wj * cells, hit.cx = px, hit.cy = py;
            } else if (d < hit.second) {
                hit.second = d;
            }
        }
    return hit;
}

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb Add(Rgb c, double d) { return {c.r + d, c.g + d, c.b + d}; }

QRgb ToQRgb(Rgb c) {
    auto byte = [](double v) { return int(std::clamp(std::lround(v), 0L, 255L)); };
    return qRgb(byte(c.r), byte(c.g), byte(c.b));
}

Unit BondUnit(int x, int y, int rows, int cols, double shift) {
    Unit unit;
    unit.h = double(kTile) / rows, unit.w = double(kTile) / cols;
    unit.row = int(y / unit.h);
    const double rowShift = shift * unit.row;
    const double offset = (rowShift - std::floor(rowShift)) * unit.w;
    const double along = WrapD(x + offset, kTile);
    unit.col = int(along / unit.w);
    unit.u = along - unit.col * unit.w;
    unit.v = y - unit.row * unit.h;
    return unit;
}

RowLayout::RowLayout(std::vector<int> rowHeights, double shortest, double longest, uint32_t seed) {
    Random random(seed);
    int top = 0;
    for (int height : rowHeights) {
        tops_.push_back(top);
        top += height;
        const double start = random.range(0, longest), end = start + kTile;
        std::vector<double> cuts;
        for (double p = start;;) {
            cuts.push_back(WrapD(p, kTile));
            const double length = random.range(shortest, longest);
            if (p + length + shortest > end) break;
            p += length;
        }
        std::sort(cuts.begin(), cuts.end());
        cuts_.push_back(std::move(cuts));
    }
    tops_.push_back(top);
}

Unit RowLayout::at(int x, int y) const {
    Unit unit;
    int row = 0;
    while (row + 2 < int(tops_.size()) && y >= tops_[size_t(row) + 1]) ++row;
    unit.row = row;
    unit.v = y - tops_[size_t(row)];
    unit.h = tops_[size_t(row) + 1] - tops_[size_t(row)];
    const std::vector<double>& cuts = cuts_[size_t(row)];
    const auto after = std::upper_bound(cuts.begin(), cuts.end(), double(x));
    // Left of the first cut lies the row's last unit, wrapped round from the right.
    const size_t k = after == cuts.begin() ? cuts.size() - 1 : size_t(after - cuts.begin()) - 1;
    const double start = cuts[k], next = k + 1 < cuts.size() ? cuts[k + 1] : cuts[0] + kTile;
    unit.col = int(k);
    unit.u = WrapD(x - start, kTile);
    unit.w = next - start;
    return unit;
}

double JointAt(const Unit& unit, double joint) {
    const double d = std::min(unit.u, unit.v);
    return std::clamp(joint + 1 - d, 0.0, 1.0);
}

}  // namespace contentgen::texturing
