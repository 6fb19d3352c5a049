// What the stock materials, plants and trims are drawn and written with: a seeded number
// source, noise and cell patterns that repeat across a square tile (so a texture tiles
// without a seam), colours, and the files they end up in. Everything here gives the same
// bytes on every run.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace contentgen::texturing {

// Every stock material is a tile this many pixels square.
inline constexpr int kTile = 256;

// A small generator of its own, so no library's distributions can change what is drawn.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t next();
    double unit();  // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return n > 0 ? int(next() % uint32_t(n)) : 0; }

private:
    uint64_t state_;
};

// A number in [0, 1) for the lattice point (x, y) and the seed.
double HashUnit(int32_t x, int32_t y, uint32_t seed);

inline int Wrap(int v, int n) { return ((v % n) + n) % n; }
inline double WrapD(double v, double n) {
    const double r = v - n * static_cast<double>(static_cast<int64_t>(v / n));
    return r < 0 ? r + n : r;
}

// Smooth value noise in [0, 1] over tile pixels, `cellsX` by `cellsY` lattice cells across
// the tile, so it repeats at the tile's edges.
double TileNoise(double x, double y, int cellsX, int cellsY, uint32_t seed);
// Octaves of it, each twice as fine and half as strong; [0, 1].
double TileFbm(double x, double y, int cellsX, int cellsY, int octaves, uint32_t seed);

// Jittered cells repeating over the tile (`cells` by `cells`): the distances in pixels from
// (x, y) to the nearest and second nearest centre, the nearest cell's number and centre.
struct CellHit {
    double nearest = 0, second = 0;
    int id = 0;
    double cx = 0, cy = 0;
};
CellHit TileCells(double x, double y, int cells, uint32_t seed, double jitter = 0.8);

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double k);
Rgb Add(Rgb c, double d);
QRgb ToQRgb(Rgb c);  // clamped to 0-255
inline QColor ToQColor(Rgb c) { return QColor(ToQRgb(c)); }

// The tile painted pixel by pixel by `colourAt(x, y)` (an Rgb).
template <class ColourAt>
QImage PaintTile(ColourAt colourAt, int side = kTile) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x) row[x] = ToQRgb(colourAt(x, y));
    }
    return image;
}

// Brick-like units laid in rows: the unit a pixel falls in and where in it.
struct Unit {
    int row = 0, col = 0;  // col counts within the row
    double u = 0, v = 0;   // pixels from the unit's left and top
    double w = 0, h = 0;   // the unit's size
};
// Rows of equal units, each row shifted by `shift` units more than the one above (0.5: a
// running bond). Rows and columns must divide the tile.
Unit BondUnit(int x, int y, int rows, int cols, double shift);
// Rows of units of random lengths between `shortest` and `longest` pixels, row heights as
// given (they must add up to the tile); the same seed, the same layout.
class RowLayout {
public:
    RowLayout(std::vector<int> rowHeights, double shortest, double longest, uint32_t seed);
    Unit at(int x, int y) const;

private:
    std::vector<int> tops_;
    std::vector<std::vector<double>> cuts_;  // per row, ascending unit starts in [0, tile)
};

// Joints along each unit's left and top edge `joint` pixels wide: 1 inside a joint, 0 clear
// of it, a soft ramp of one pixel between.
double JointAt(const Unit& unit, double joint);

// INI text built key by key: Ini().section("Description").key("Name", "Red Brick").text().
class Ini {
public:
    Ini& section(const char* name) { return line(std::string("[") + name + "]"); }
    Ini& key(const char* key, const std::string& value) { return line(std::string(key) + "=" + value); }
    Ini& key(const char* key, int value) { return this->key(key, std::to_string(value)); }
    const std::string& text() const { return text_; }

private:
    Ini& line(const std::string& s) { return text_ += s + "\n", *this; }
    std::string text_;
};

}  // namespace contentgen::texturing
