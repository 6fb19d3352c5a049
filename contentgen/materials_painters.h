// The stock materials' painters: each draws one kind of surface as a tile that repeats without
// a seam, from a style that sets its colours, proportions and seed.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "materials_paint.h"

namespace contentgen::texturing {

// Units (bricks, blocks, tiles, pavers, cut stone) with joints on their left and top edges.
struct MasonryStyle {
    Rgb face, alt;         // unit colours; each unit mixes them by chance
    double spread = 0.12;  // per-unit brightness spread
    Rgb mortar;
    double joint = 3;      // joint width, pixels
    double rough = 0.1;    // surface mottling
    bool checker = false;  // face and alt alternate instead of mixing
    bool bevel = false;    // edges catch the light above and left, shade below and right
    double gloss = 0;      // a sheen across each unit
    uint32_t seed = 1;
};
// Rows of equal units, each row shifted by `shift` units (0.5: a running bond).
QImage Bond(int rows, int cols, double shift, const MasonryStyle& style);
// Rows of units of random lengths.
QImage Courses(const RowLayout& layout, const MasonryStyle& style);
// Pavers of 2 by 1 cells of `cell` pixels laid in a herringbone.
QImage Herringbone(int cell, const MasonryStyle& style);

// Irregular stones or pebbles in joints: `cells` by `cells` of them across the tile.
struct StoneStyle {
    int cells = 6;
    std::vector<Rgb> colours;
    Rgb joint;
    double jointWidth = 3;
    double round = 0.5;  // how domed each stone looks
    double rough = 0.12;
    double jitter = 0.8;
    uint32_t seed = 1;
};
QImage Stones(const StoneStyle& style);

// Stucco and plaster: a trowelled surface.
QImage Stucco(Rgb base, double relief, uint32_t seed);
// Concrete: mottled, brushed across when `broom`, with tooled joints at the tile's edges when
// `joints`.
QImage Concrete(Rgb base, bool broom, bool joints, uint32_t seed);

// Lapped or vertical boards of siding.
enum class SidingKind { Lap, DutchLap, BoardAndBatten };
QImage Siding(SidingKind kind, int boards, Rgb colour, double grain, uint32_t seed);

// Shingles, shakes and slates: courses whose lower edges shade the course below; with a layout,
// units of random widths (shakes, slates), else tabs of a running bond.
struct ShingleStyle {
    int rows = 8, cols = 4;
    Rgb base;
    std::vector<Rgb> granules;  // asphalt: the granules' colours; empty: none
    double grain = 0;           // wood shakes: streaks along the shake
    double slot = 0;            // tab slots, pixels wide
    double gap = 0;             // gaps between units, pixels
    double spread = 0.1;
    uint32_t seed = 1;
};
QImage Shingles(const ShingleStyle& style, const RowLayout* layout = nullptr);
QImage BarrelTile(Rgb colour, uint32_t seed);
QImage StandingSeam(Rgb colour, uint32_t seed);

// Planks of wood: the grain's rings, its figure and knots; planks across the tile.
struct WoodStyle {
    int planks = 4;
    Rgb light, dark;
    double rings = 0.08;   // rings per pixel across the plank
    double figure = 6;     // how far the rings wander
    double spread = 0.1;   // per-plank tone
    bool endJoints = true;
    double gap = 1;        // dark line between planks, pixels
    bool knots = false;
    bool nails = false;
    Rgb paint;             // a coat over the wood
    double paintCover = 0; // 0: natural wood, 1: only the paint's own brush marks
    uint32_t seed = 1;
};
QImage Wood(const WoodStyle& style);

// Carpet: plush, loops or a pattern woven in.
struct CarpetStyle {
    Rgb base;
    Rgb fleck;
    double flecks = 0;   // share of fibres in the fleck colour
    int loops = 0;       // loop spacing in pixels (dividing the tile); 0: cut pile
    int motif = 0;       // diamond period in pixels (dividing the tile); 0: none
    Rgb motifColour;
    uint32_t seed = 1;
};
QImage Carpet(const CarpetStyle& style);

// Woven cloth: threads `thread` pixels wide, plain weave or twill, the warp's and weft's colours
// repeating thread by thread (their lengths dividing the threads across the tile).
struct FabricStyle {
    int thread = 4;
    bool twill = false;
    std::vector<Rgb> warp, weft;
    double slub = 0;    // unevenness of the yarn
    double relief = 1;  // how strongly the threads stand out
    uint32_t seed = 1;
};
QImage Fabric(const FabricStyle& style);

// Wall coverings.
enum class CoveringKind { Stripes, Trellis, Flowers, Damask };
QImage WallCovering(CoveringKind kind, Rgb ground, Rgb ink, uint32_t seed);

// Strewn pieces over a ground: mulch chips, soil clods, grass blades.
struct StrewnStyle {
    Rgb ground;
    double groundNoise = 0.2;
    std::vector<Rgb> colours;
    int count = 2000;
    double lengthMin = 4, lengthMax = 10, widthMin = 2, widthMax = 4;
    double angle = 0, angleSpread = 3.1416;  // radians; blades stand up, chips lie any way
    bool taper = false;                      // pointed at one end (blades)
    uint32_t seed = 1;
};
QImage Strewn(const StrewnStyle& style);

// A sky above the horizon (the tile's bottom), clouds covering about `cover` of it.
QImage Sky(Rgb top, Rgb horizon, Rgb cloud, double cover, uint32_t seed);

}  // namespace contentgen::texturing
