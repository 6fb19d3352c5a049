// Soft and loose surfaces: carpet, cloth, wall coverings, strewn mulch, soil and grass, and the
// sky.
#include <algorithm>
#include <cmath>

#include "materials_painters.h"

namespace contentgen::texturing {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Grit(int x, int y, uint32_t seed) { return HashUnit(x, y, seed) - 0.5; }

double SmoothStep(double a, double b, double t) {
    const double u = std::clamp((t - a) / (b - a), 0.0, 1.0);
    return u * u * (3 - 2 * u);
}

// Distance from the centre of a square of `period` pixels, in the L1 norm.
double Diamond(int x, int y, int period) {
    return std::fabs(std::fmod(double(x), period) - period / 2.0) + std::fabs(std::fmod(double(y), period) - period / 2.0);
}

}  // namespace

QImage Carpet(const CarpetStyle& s) {
    return PaintTile([&](int x, int y) {
        Rgb c = s.base;
        if (s.motif > 0) {
            const double d = Diamond(x, y, s.motif);
            if (std::fmod(d, s.motif / 4.0) < 3 || d < s.motif / 10.0) c = s.motifColour;
        }
        double k = 1 + 0.14 * (TileFbm(x, y, 12, 12, 3, s.seed) - 0.5) + 0.18 * Grit(x, y, s.seed + 1);
        if (s.loops > 0) {
            // Rows of loops, each row offset by half a loop: a knobbly weave.
            const double row = std::floor(double(y) / s.loops);
            const double lx = std::fmod(x + (int(row) % 2) * s.loops / 2.0, double(s.loops)) / s.loops;
            const double ly = std::fmod(double(y), double(s.loops)) / s.loops;
            k *= 0.78 + 0.3 * std::sin(kPi * lx) * std::sin(kPi * ly);
        }
        if (s.flecks > 0 && HashUnit(x / 2, y / 2, s.seed + 2) < s.flecks) c = s.fleck;
        return Scale(c, k);
    });
}

QImage Fabric(const FabricStyle& s) {
    const int t = s.thread;
    return PaintTile([&](int x, int y) {
        const int i = x / t, j = y / t;
        const bool warpOver = s.twill ? Wrap(i + j, 4) < 2 : (i + j) % 2 == 0;
        const Rgb warp = s.warp[size_t(i) % s.warp.size()], weft = s.weft[size_t(j) % s.weft.size()];
        // Each thread rounds over its width and dips where it passes under.
        const double across = warpOver ? double(x % t) / t : double(y % t) / t;
        const double along = warpOver ? double(y % t) / t : double(x % t) / t;
        const double shade = 0.72 + 0.3 * std::sin(kPi * (across * 0.8 + 0.1)) * (0.85 + 0.15 * std::sin(kPi * along));
        double k = 1 - s.relief * (1 - shade);
        if (s.slub > 0) k *= 1 + s.slub * (warpOver ? TileNoise(y, x, 8, kTile / t, s.seed) - 0.5 : TileNoise(x, y, 8, kTile / t, s.seed + 1) - 0.5);
        return Scale(warpOver ? warp : weft, k + 0.04 * Grit(x, y, s.seed + 2));
    });
}

QImage WallCovering(CoveringKind kind, Rgb ground, Rgb ink, uint32_t seed) {
    return PaintTile([&](int x, int y) {
        double cover = 0;
        switch (kind) {
        case CoveringKind::Stripes: {
            const double u = std::fmod(double(x), 64.0);
            cover = u < 20 ? 1 : (u > 26 && u < 29) || (u > 58 && u < 61) ? 0.7 : 0;
            break;
        }
        case CoveringKind::Trellis: {
            const double a = std::fmod(double(x + y), 64.0), b = std::fmod(double(x - y + kTile), 64.0);
            cover = std::max(SmoothStep(3.5, 2, std::fabs(a - 32)), SmoothStep(3.5, 2, std::fabs(b - 32)));
            // A small leaf where the laths cross.
            if (Diamond(x, y, 64) > 27 && Diamond(x, y, 64) < 37 && std::fabs(a - 32) + std::fabs(b - 32) < 12) cover = 1;
            break;
        }
        case CoveringKind::Flowers: {
            // Four-petalled flowers on a lattice, every other row shifted by half.
            const int row = y / 32;
            const double lx = std::fmod(x + (row % 2) * 16.0, 32.0) - 16, ly = std::fmod(double(y), 32.0) - 16;
            const double r = std::hypot(lx, ly), angle = std::atan2(ly, lx);
            const double petal = 7 * (0.45 + 0.55 * std::fabs(std::cos(2 * angle)));
            cover = r < 2.2 ? 0.5 : SmoothStep(petal + 1, petal, r);
            break;
        }
        case CoveringKind::Damask: {
            const double u = 2 * kPi * x / 128.0, v = 2 * kPi * y / 128.0;
            const double f = std::cos(u) * std::cos(v) + 0.6 * std::cos(2 * u) * std::cos(3 * v) + 0.4 * std::cos(3 * u + 1) * std::cos(v);
            cover = SmoothStep(0.55, 0.7, f) + SmoothStep(-1.0, -1.15, f);
            break;
        }
        }
        const double paper = 1 + 0.05 * (TileFbm(x, y, 32, 32, 2, seed) - 0.5) + 0.03 * Grit(x, y, seed + 1);
        return Scale(Mix(ground, ink, std::clamp(cover, 0.0, 1.0)), paper);
    });
}

QImage Strewn(const StrewnStyle& s) {
    std::vector<Rgb> pixels(size_t(kTile) * kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            pixels[size_t(y) * kTile + size_t(x)] =
                Scale(s.ground, 1 + s.groundNoise * 2 * (TileFbm(x, y, 16, 16, 3, s.seed) - 0.5) + 0.1 * Grit(x, y, s.seed + 1));
    Random random(s.seed + 2);
    for (int i = 0; i < s.count; ++i) {
        const double cx = random.range(0, kTile), cy = random.range(0, kTile);
        const double angle = s.angle + random.range(-s.angleSpread, s.angleSpread);
        const double length = random.range(s.lengthMin, s.lengthMax), width = random.range(s.widthMin, s.widthMax);
        const Rgb colour = Scale(s.colours[size_t(random.below(int(s.colours.size())))], random.range(0.8, 1.15));
        const double ca = std::cos(angle), sa = std::sin(angle), reach = length / 2 + width;
        for (int py = int(std::floor(cy - reach)); py <= int(std::ceil(cy + reach)); ++py)
            for (int px = int(std::floor(cx - reach)); px <= int(std::ceil(cx + reach)); ++px) {
                const double dx = px - cx, dy = py - cy;
                const double along = dx * ca + dy * sa, across = -dx * sa + dy * ca;
                if (std::fabs(along) > length / 2) continue;
                // A blade narrows to its tip; a chip keeps its width.
                const double half = s.taper ? width / 2 * (0.5 - along / length) : width / 2;
                if (std::fabs(across) > std::max(half, 0.5)) continue;
                const double side = half > 0 ? across / half : 0;  // lit on one side
                pixels[size_t(Wrap(py, kTile)) * kTile + size_t(Wrap(px, kTile))] =
                    Scale(colour, 1 - 0.18 * side + 0.06 * Grit(px, py, uint32_t(i)));
            }
    }
    return PaintTile([&](int x, int y) { return pixels[size_t(y) * kTile + size_t(x)]; });
}

QImage Sky(Rgb top, Rgb horizon, Rgb cloud, double cover, uint32_t seed) {
    return PaintTile([&](int x, int y) {
        const double down = double(y) / (kTile - 1);
        const Rgb air = Mix(top, horizon, std::pow(down, 1.6));
        // Clouds stretched along the horizon, thinning towards it.
        const double n = TileFbm(x, y, 2, 4, 5, seed);
        const double density = SmoothStep(1 - cover - 0.08, 1 - cover + 0.18, n) * (1 - 0.6 * std::pow(down, 3));
        const double shade = 0.82 + 0.18 * SmoothStep(0.3, 0.7, TileFbm(x, y - 8, 2, 4, 5, seed));
        return Mix(air, Scale(cloud, shade), density);
    });
}

}  // namespace contentgen::texturing
