// Boards and roofing: siding, shingles, shakes and slates, clay barrel tile, standing-seam
// metal, and planks of wood.
#include <algorithm>
#include <cmath>

#include "materials_painters.h"

namespace contentgen::texturing {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Grit(int x, int y, uint32_t seed) { return HashUnit(x, y, seed) - 0.5; }

// Streaks along x: long in x, fine across.
double Streaks(int x, int y, int across, uint32_t seed) {
    return TileNoise(x, y, 2, across, seed) * 0.6 + TileNoise(x, y, 4, across * 2, seed + 1) * 0.4;
}

}  // namespace

QImage Siding(SidingKind kind, int boards, Rgb colour, double grain, uint32_t seed) {
    const double board = double(kTile) / boards;
    return PaintTile([&](int x, int y) {
        double k = 1 + 0.04 * Grit(x, y, seed);
        if (kind == SidingKind::BoardAndBatten) {
            const double u = std::fmod(double(x), board), batten = board / 5;
            k += grain * (TileNoise(y, x, 2, boards * 10, seed + 1) - 0.5);  // grain runs up the board
            if (u < batten) k *= u < 2 ? 1.15 : (u > batten - 3 ? 0.75 : 1.05);
            else if (u < batten + 3) k *= 0.7;  // the batten's shadow on the board
            k *= 1 + 0.08 * (HashUnit(int(x / board), 3, seed) - 0.5);
        } else {
            const double v = std::fmod(double(y), board);
            k += grain * (Streaks(x, y, boards * 12, seed + 1) - 0.5);
            k *= 0.86 + 0.16 * v / board;  // each board leans out towards its lower edge
            if (kind == SidingKind::DutchLap && v < board * 0.4) k *= 0.9 + 0.1 * std::sin(kPi * v / (board * 0.4));
            if (v < 3) k *= 0.55 + 0.1 * v;  // the shadow under the board above
        }
        return Scale(colour, k);
    });
}

QImage Shingles(const ShingleStyle& s, const RowLayout* layout) {
    return PaintTile([&](int x, int y) {
        const Unit unit = layout ? layout->at(x, y) : BondUnit(x, y, s.rows, s.cols, 0.5);
        const int id = unit.row * 131 + unit.col;
        Rgb c = Scale(s.base, 1 + s.spread * 2 * (HashUnit(id, 1, s.seed) - 0.5));
        if (!s.granules.empty()) {
            const double pick = HashUnit(x, y, s.seed + 2);
            if (pick < 0.45) {
                const size_t n = s.granules.size();
                c = Mix(c, s.granules[std::min(n - 1, size_t(HashUnit(x, y, s.seed + 3) * double(n)))], 0.7);
            }
        }
        if (s.grain > 0) c = Scale(c, 1 + s.grain * (TileNoise(y, x + id * 37, 3, 96, s.seed + 4) - 0.5));
        c = Scale(c, 1 + 0.12 * (TileFbm(x, y, 16, 16, 2, s.seed + 5) - 0.5));
        // The course above overhangs: a dark band at the top, fading below it.
        if (unit.v < 2) c = Scale(c, 0.35);
        else if (unit.v < 7) c = Scale(c, 0.55 + 0.08 * (unit.v - 2));
        if (s.slot > 0 && unit.u < s.slot && unit.v > unit.h * 0.3) c = Scale(c, 0.3);
        if (s.gap > 0 && unit.u < s.gap) c = Scale(c, 0.4);
        return c;
    });
}

QImage BarrelTile(Rgb colour, uint32_t seed) {
    constexpr int kColumns = 4, kRows = 4;
    const double w = double(kTile) / kColumns, h = double(kTile) / kRows;
    return PaintTile([&](int x, int y) {
        const int col = int(x / w), row = int(y / h);
        const double u = x - col * w, v = y - row * h;
        // Caps and pans alternate: the cap bulges towards the light, the pan dips away from it.
        const double across = std::sin(kPi * u / w);
        double k = col % 2 ? 0.62 + 0.3 * (1 - across) : 0.7 + 0.45 * across;
        k *= 1 + 0.12 * (HashUnit(row, col, seed) - 0.5);
        if (v < 10) k *= 0.5 + 0.05 * v;  // the course above laps over
        k *= 1 + 0.1 * (TileFbm(x, y, 16, 16, 3, seed + 1) - 0.5) + 0.04 * Grit(x, y, seed + 2);
        return Scale(colour, k);
    });
}

QImage StandingSeam(Rgb colour, uint32_t seed) {
    constexpr double kPanel = 64;
    return PaintTile([&](int x, int y) {
        const double u = std::fmod(double(x), kPanel);
        double k = 0.95 + 0.06 * (TileNoise(x, y, 4, 2, seed) - 0.5) + 0.02 * Grit(x, y, seed + 1);
        if (u < 2) k = 1.25;
        else if (u < 4) k = 0.6;
        else if (u < 6) k *= 0.88;
        return Scale(colour, k);
    });
}

QImage Wood(const WoodStyle& s) {
    const double plank = double(kTile) / s.planks;
    struct Knot {
        double x, y, r;
    };
    std::vector<Knot> knots;
    if (s.knots) {
        Random random(s.seed + 17);
        for (int p = 0; p < s.planks; ++p)
            if (random.unit() < 0.7) knots.push_back({random.range(0, kTile), (p + random.range(0.3, 0.7)) * plank, random.range(3, 6)});
    }
    return PaintTile([&](int x, int y) {
        const int p = int(y / plank);
        const double v = y - p * plank;
        const double offset = HashUnit(p, 1, s.seed) * 100;
        double figure = s.figure * (TileFbm(x, y, 3, s.planks * 2, 3, s.seed + 2) - 0.5);
        double knotShade = 0;
        for (const Knot& k : knots) {
            const double dx = WrapD(x - k.x + kTile / 2.0, kTile) - kTile / 2.0, dy = (y - k.y) * 2.5;
            const double d2 = (dx * dx + dy * dy) / (k.r * k.r);
            figure += 3 * std::exp(-d2 / 9);
            if (d2 < 1) knotShade = std::max(knotShade, 1 - d2);
        }
        const double ring = 0.5 + 0.5 * std::sin(2 * kPi * ((v + offset) * s.rings + figure * s.rings * 10));
        const double streak = TileNoise(x, y, 4, s.planks * 40, s.seed + 3);
        Rgb c = Mix(s.light, s.dark, std::pow(ring, 3) * 0.75 + streak * 0.25);
        c = Scale(c, 1 + s.spread * 2 * (HashUnit(p, 2, s.seed) - 0.5));
        c = Mix(c, Scale(s.dark, 0.6), knotShade * 0.85);
        if (s.paintCover > 0) {
            const double brush = TileNoise(x, y, 6, s.planks * 24, s.seed + 4) - 0.5;
            c = Mix(c, Scale(s.paint, 1 + 0.05 * brush), s.paintCover);
        }
        if (v < s.gap) c = Scale(c, 0.35);
        else if (v < s.gap + 1) c = Scale(c, 0.8);
        if (s.endJoints) {
            const double joint = HashUnit(p, 3, s.seed) * kTile;
            const double d = std::fabs(WrapD(x - joint + kTile / 2.0, kTile) - kTile / 2.0);
            if (d < 1) c = Scale(c, 0.45);
            if (s.nails && std::fabs(d - 6) < 1.5 && (std::fabs(v - plank * 0.3) < 1.5 || std::fabs(v - plank * 0.7) < 1.5))
                c = Scale(c, 0.45);
        }
        return c;
    });
}

}  // namespace contentgen::texturing
