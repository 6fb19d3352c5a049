// The stock materials: numbered textures in the texture folders, each an image that tiles and an
// info file with its name and the size in inches one repeat covers. Numbers that the program's
// own defaults use (walls 1700, roofs 1255, the lot 1158, the sky 1550, trims, decks, stairs,
// fences, paths) hold a material fit for that use.
#include <functional>
#include <string>

#include "contentgen.h"
#include "materials_paint.h"
#include "materials_painters.h"
#include "output.h"

namespace contentgen {

namespace {

using namespace texturing;

struct Material {
    const char* folder;  // as the texture table spells it
    const char* prefix;
    int number;
    const char* name;
    int width, height;  // inches covered by one repeat
    std::function<QImage()> paint;
};

MasonryStyle Brick(Rgb face, Rgb alt, Rgb mortar, uint32_t seed, double spread = 0.12, double rough = 0.12) {
    MasonryStyle s;
    s.face = face, s.alt = alt, s.mortar = mortar, s.seed = seed, s.spread = spread, s.rough = rough;
    return s;
}

MasonryStyle Tiles(Rgb face, Rgb alt, Rgb grout, double joint, bool checker, uint32_t seed) {
    MasonryStyle s = Brick(face, alt, grout, seed, 0.05, 0.04);
    s.joint = joint, s.checker = checker, s.gloss = 0.5;
    return s;
}

WoodStyle Planks(int planks, Rgb light, Rgb dark, uint32_t seed) {
    WoodStyle s;
    s.planks = planks, s.light = light, s.dark = dark, s.seed = seed;
    return s;
}

WoodStyle Painted(WoodStyle s, Rgb paint, double cover) {
    s.paint = paint, s.paintCover = cover;
    return s;
}

WoodStyle Decking(Rgb light, Rgb dark, uint32_t seed) {
    WoodStyle s = Planks(4, light, dark, seed);
    s.gap = 3, s.nails = true;
    return s;
}

ShingleStyle Asphalt(Rgb base, std::vector<Rgb> granules, uint32_t seed) {
    ShingleStyle s;
    s.base = base, s.granules = std::move(granules), s.slot = 2, s.seed = seed;
    return s;
}

ShingleStyle Shakes(Rgb base, double grain, double gap, uint32_t seed) {
    ShingleStyle s;
    s.base = base, s.grain = grain, s.gap = gap, s.spread = 0.16, s.seed = seed;
    return s;
}

StoneStyle Rubble(int cells, std::vector<Rgb> colours, Rgb joint, double jointWidth, double round, uint32_t seed) {
    StoneStyle s;
    s.cells = cells, s.colours = std::move(colours), s.joint = joint, s.jointWidth = jointWidth, s.round = round,
    s.seed = seed;
    return s;
}

CarpetStyle Pile(Rgb base, uint32_t seed) {
    CarpetStyle s;
    s.base = base, s.seed = seed;
    return s;
}

FabricStyle Cloth(std::vector<Rgb> warp, std::vector<Rgb> weft, bool twill, uint32_t seed) {
    FabricStyle s;
    s.warp = std::move(warp), s.weft = std::move(weft), s.twill = twill, s.seed = seed;
    return s;
}

// A colour sequence of `n` threads each of the colours in turn.
std::vector<Rgb> Threads(std::initializer_list<std::pair<int, Rgb>> bands) {
    std::vector<Rgb> out;
    for (const auto& [n, c] : bands) out.insert(out.end(), size_t(n), c);
    return out;
}

StrewnStyle Mulch(Rgb ground, std::vector<Rgb> chips, uint32_t seed) {
    StrewnStyle s;
    s.ground = ground, s.colours = std::move(chips), s.count = 2600, s.seed = seed;
    s.lengthMin = 6, s.lengthMax = 16, s.widthMin = 2, s.widthMax = 4;
    return s;
}

StrewnStyle Grass(Rgb ground, std::vector<Rgb> blades, int count, double lean, uint32_t seed) {
    StrewnStyle s;
    s.ground = ground, s.colours = std::move(blades), s.count = count, s.seed = seed, s.groundNoise = 0.3;
    s.lengthMin = 7, s.lengthMax = 16, s.widthMin = 1.5, s.widthMax = 2.6;
    s.angle = -1.5708, s.angleSpread = lean, s.taper = true;
    return s;
}

constexpr Rgb kWhiteMortar{196, 192, 182}, kGreyMortar{150, 148, 142}, kDarkMortar{78, 74, 70};

std::vector<Material> Materials() {
    return {
        // Brick: 4 bricks of 8 in across, 8 courses of 2.67 in.
        {"BRICK", "BRICK", 1, "Red Brick", 32, 21, [] { return Bond(8, 4, 0.5, Brick({150, 58, 42}, {126, 46, 36}, kWhiteMortar, 11)); }},
        {"BRICK", "BRICK", 2, "Buff Brick", 32, 21, [] { return Bond(8, 4, 0.5, Brick({206, 176, 124}, {188, 156, 108}, {172, 164, 150}, 12)); }},
        {"BRICK", "BRICK", 3, "Brown Brick, Dark Mortar", 32, 21, [] { return Bond(8, 4, 0.5, Brick({112, 66, 46}, {92, 54, 40}, kDarkMortar, 13)); }},
        {"BRICK", "BRICK", 4, "Used Brick", 32, 21, [] { return Bond(8, 4, 0.5, Brick({168, 84, 56}, {120, 104, 96}, {180, 174, 162}, 14, 0.3, 0.25)); }},
        {"BRICK", "BRICK", 5, "White Painted Brick", 32, 21, [] { return Bond(8, 4, 0.5, Brick({228, 226, 220}, {220, 218, 212}, {204, 200, 192}, 15, 0.03, 0.05)); }},
        // Siding: boards of 6 in (lap) or 12 in (board and batten).
        {"SIDING", "SIDING", 1, "White Lap Siding", 48, 48, [] { return Siding(SidingKind::Lap, 8, {236, 236, 232}, 0.04, 21); }},
        {"SIDING", "SIDING", 2, "Cedar Board and Batten", 48, 48, [] { return Siding(SidingKind::BoardAndBatten, 4, {168, 116, 78}, 0.25, 22); }},
        {"SIDING", "SIDING", 3, "Gray Lap Siding", 48, 48, [] { return Siding(SidingKind::Lap, 8, {142, 152, 158}, 0.05, 23); }},
        {"SIDING", "SIDING", 4, "Cedar Shingle Siding", 48, 40, [] { const RowLayout rows({32, 32, 32, 32, 32, 32, 32, 32}, 24, 52, 24); return Shingles(Shakes({176, 122, 80}, 0.35, 2, 24), &rows); }},
        {"SIDING", "SIDING", 5, "Yellow Dutch Lap Siding", 48, 48, [] { return Siding(SidingKind::DutchLap, 8, {228, 208, 140}, 0.04, 25); }},
        // Stone.
        {"STONE", "STONE", 1, "Fieldstone", 48, 48, [] { return Stones(Rubble(6, {{150, 146, 136}, {172, 160, 136}, {124, 122, 118}, {184, 176, 160}, {140, 120, 100}}, {112, 108, 100}, 3.5, 0.7, 31)); }},
        {"STONE", "STONE", 2, "Cut Limestone", 60, 60, [] { const RowLayout rows({56, 72, 60, 68}, 70, 140, 32); MasonryStyle s = Brick({206, 196, 170}, {196, 186, 164}, {176, 170, 156}, 32, 0.06, 0.1); s.joint = 2; return Courses(rows, s); }},
        {"STONE", "STONE", 3, "Ledgestone", 36, 36, [] { const RowLayout rows({14, 18, 12, 16, 20, 14, 16, 12, 18, 14, 16, 20, 14, 16, 18, 18}, 30, 110, 33); MasonryStyle s = Brick({150, 134, 112}, {112, 108, 104}, {44, 40, 38}, 33, 0.25, 0.2); s.joint = 2, s.bevel = true; return Courses(rows, s); }},
        {"STONE", "STONE", 4, "River Rock", 36, 36, [] { return Stones(Rubble(9, {{150, 142, 128}, {110, 106, 100}, {178, 168, 150}, {132, 116, 96}}, {60, 56, 52}, 2.5, 1.0, 34)); }},
        // Stucco.
        {"STUCCO", "STUCCO", 1, "White Stucco", 48, 48, [] { return Stucco({236, 232, 222}, 0.12, 41); }},
        {"STUCCO", "STUCCO", 2, "Sand Stucco", 48, 48, [] { return Stucco({214, 194, 158}, 0.14, 42); }},
        {"STUCCO", "STUCCO", 3, "Adobe Stucco", 48, 48, [] { return Stucco({190, 128, 88}, 0.16, 43); }},
        {"STUCCO", "STUCCO", 4, "Gray Stucco", 48, 48, [] { return Stucco({176, 176, 170}, 0.14, 44); }},
        // Block: 2 blocks of 16 in across, 4 courses of 8 in.
        {"BLOCK", "BLOCK", 1, "Gray Concrete Block", 32, 32, [] { return Bond(4, 2, 0.5, Brick({162, 162, 156}, {150, 150, 146}, {134, 132, 128}, 51, 0.05, 0.18)); }},
        {"BLOCK", "BLOCK", 2, "Split-Face Block, Tan", 32, 32, [] { MasonryStyle s = Brick({190, 170, 134}, {176, 156, 122}, {150, 140, 122}, 52, 0.08, 0.3); s.bevel = true; return Bond(4, 2, 0.5, s); }},
        {"BLOCK", "BLOCK", 3, "Painted Block, White", 32, 32, [] { return Bond(4, 2, 0.5, Brick({232, 232, 228}, {226, 226, 222}, {214, 212, 206}, 53, 0.02, 0.08)); }},
        {"BLOCK", "BLOCK", 4, "Stacked Block, Charcoal", 32, 32, [] { return Bond(4, 2, 0, Brick({96, 96, 98}, {84, 84, 88}, {150, 148, 144}, 54, 0.06, 0.18)); }},
        // Carpet.
        {"CARPET", "CARPET", 1, "Beige Berber", 24, 24, [] { CarpetStyle s = Pile({198, 180, 150}, 61); s.loops = 8, s.fleck = {120, 100, 80}, s.flecks = 0.08; return Carpet(s); }},
        {"CARPET", "CARPET", 2, "Blue Plush", 24, 24, [] { return Carpet(Pile({58, 76, 128}, 62)); }},
        {"CARPET", "CARPET", 3, "Sage Plush", 24, 24, [] { return Carpet(Pile({122, 138, 104}, 63)); }},
        {"CARPET", "CARPET", 4, "Burgundy Diamond", 24, 24, [] { CarpetStyle s = Pile({116, 30, 42}, 64); s.motif = 64, s.motifColour = {196, 160, 96}; return Carpet(s); }},
        // Tile.
        {"TILE", "TILE", 1, "White Ceramic, 12 in", 24, 24, [] { return Bond(2, 2, 0, Tiles({238, 238, 234}, {232, 232, 228}, {176, 174, 168}, 3, false, 71)); }},
        {"TILE", "TILE", 2, "Terracotta, 12 in", 24, 24, [] { MasonryStyle s = Tiles({186, 100, 62}, {168, 88, 56}, {196, 186, 168}, 4, false, 72); s.gloss = 0, s.spread = 0.14, s.rough = 0.12; return Bond(2, 2, 0, s); }},
        {"TILE", "TILE", 3, "Black and White Check, 8 in", 32, 32, [] { return Bond(4, 4, 0, Tiles({236, 236, 232}, {34, 34, 38}, {150, 150, 146}, 2, true, 73)); }},
        {"TILE", "TILE", 4, "Blue Mosaic, 2 in", 16, 16, [] { MasonryStyle s = Tiles({70, 116, 170}, {120, 168, 206}, {224, 224, 220}, 2, false, 74); s.spread = 0.2; return Bond(8, 8, 0, s); }},
        {"TILE", "TILE", 5, "Slate Tile, 16 in", 32, 32, [] { MasonryStyle s = Tiles({88, 94, 100}, {104, 98, 90}, {120, 118, 112}, 3, false, 75); s.gloss = 0.15, s.rough = 0.25, s.spread = 0.15; return Bond(2, 2, 0, s); }},
        // Fabrics. The first is the walls' and floors' default finish: all but plain.
        {"FABRICS", "FABRIC", 1, "Natural Linen", 12, 12, [] { FabricStyle s = Cloth({{240, 236, 226}}, {{236, 232, 222}}, false, 81); s.slub = 0.05, s.relief = 0.35; return Fabric(s); }},
        {"FABRICS", "FABRIC", 2, "Red Plaid", 12, 12, [] { const auto bands = Threads({{12, {160, 30, 36}}, {4, {30, 40, 70}}, {6, {160, 30, 36}}, {2, {220, 200, 120}}, {6, {160, 30, 36}}, {2, {40, 70, 50}}}); return Fabric(Cloth(bands, bands, true, 82)); }},
        {"FABRICS", "FABRIC", 3, "Blue Ticking Stripe", 12, 12, [] { return Fabric(Cloth(Threads({{4, {50, 70, 130}}, {4, {236, 232, 222}}, {1, {50, 70, 130}}, {7, {236, 232, 222}}}), {{236, 232, 222}}, false, 83)); }},
        {"FABRICS", "FABRIC", 4, "Gray Houndstooth", 12, 12, [] { const auto bands = Threads({{4, {60, 60, 64}}, {4, {222, 220, 214}}}); return Fabric(Cloth(bands, bands, true, 84)); }},
        // Wall coverings.
        {"WALLCVRS", "COVER", 1, "Cream Stripe", 24, 24, [] { return WallCovering(CoveringKind::Stripes, {238, 230, 206}, {218, 202, 166}, 91); }},
        {"WALLCVRS", "COVER", 2, "Green Trellis", 24, 24, [] { return WallCovering(CoveringKind::Trellis, {226, 232, 214}, {96, 134, 96}, 92); }},
        {"WALLCVRS", "COVER", 3, "Blue Floral", 24, 24, [] { return WallCovering(CoveringKind::Flowers, {232, 236, 240}, {74, 104, 160}, 93); }},
        {"WALLCVRS", "COVER", 4, "Beige Damask", 24, 24, [] { return WallCovering(CoveringKind::Damask, {222, 208, 180}, {200, 182, 148}, 94); }},
        // Wood: planks 4 in wide (or boards as noted), 64 in of their length across.
        {"WOOD", "WOOD", 1, "Cedar Boards", 64, 24, [] { return Wood(Planks(4, {184, 120, 80}, {128, 74, 46}, 101)); }},
        {"WOOD", "WOOD", 2, "Walnut", 64, 16, [] { return Wood(Planks(4, {118, 80, 56}, {64, 40, 28}, 102)); }},
        {"WOOD", "WOOD", 3, "Pine Lumber", 64, 16, [] { WoodStyle s = Planks(2, {222, 192, 140}, {190, 146, 92}, 103); s.endJoints = false, s.knots = true; return Wood(s); }},
        {"WOOD", "WOOD", 4, "Primed White Wood", 64, 16, [] { WoodStyle s = Painted(Planks(1, {220, 196, 160}, {186, 150, 110}, 104), {236, 234, 228}, 0.9); s.endJoints = false, s.gap = 0; return Wood(s); }},
        {"WOOD", "WOOD", 5, "Cherry", 64, 16, [] { return Wood(Planks(4, {176, 92, 60}, {122, 56, 36}, 105)); }},
        {"WOOD", "WOOD", 7, "Oak Stair Treads", 64, 24, [] { WoodStyle s = Planks(2, {204, 156, 98}, {150, 102, 56}, 107); s.endJoints = false; return Wood(s); }},
        {"WOOD", "WOOD", 8, "Treated Pine", 64, 24, [] { return Wood(Planks(4, {196, 176, 126}, {150, 132, 86}, 108)); }},
        {"WOOD", "WOOD", 11, "Redwood", 64, 24, [] { return Wood(Planks(4, {168, 82, 58}, {118, 52, 36}, 111)); }},
        {"WOOD", "WOOD", 13, "Knotty Pine Paneling", 64, 24, [] { WoodStyle s = Planks(4, {224, 180, 120}, {184, 128, 72}, 113); s.knots = true; return Wood(s); }},
        {"WOOD", "WOOD", 14, "White Painted Wood", 64, 16, [] { return Wood(Painted(Planks(4, {220, 196, 160}, {186, 150, 110}, 114), {240, 240, 236}, 0.86)); }},
        {"WOOD", "WOOD", 19, "Satin White Trim", 64, 16, [] { WoodStyle s = Painted(Planks(1, {220, 196, 160}, {186, 150, 110}, 119), {246, 243, 234}, 0.95); s.endJoints = false, s.gap = 0; return Wood(s); }},
        // Wood decking: 4 boards of 5.5 in with 1/4 in gaps.
        {"DECK", "DECK", 1, "Cedar Decking", 48, 23, [] { return Wood(Decking({190, 128, 84}, {138, 84, 52}, 121)); }},
        {"DECK", "DECK", 2, "Weathered Gray Decking", 48, 23, [] { return Wood(Decking({170, 164, 152}, {120, 114, 106}, 122)); }},
        {"DECK", "DECK", 3, "Brown Composite Decking", 48, 23, [] { WoodStyle s = Decking({132, 96, 70}, {104, 74, 54}, 123); s.rings = 0.03, s.figure = 2; return Wood(s); }},
        {"DECK", "DECK", 4, "Redwood Decking", 48, 23, [] { return Wood(Decking({170, 84, 60}, {120, 54, 38}, 124)); }},
        // Mulch and fill.
        {"FILLS", "FILL", 1, "Brown Bark Mulch", 24, 24, [] { return Strewn(Mulch({56, 38, 26}, {{120, 80, 50}, {96, 62, 40}, {140, 98, 62}, {80, 54, 36}}, 131)); }},
        {"FILLS", "FILL", 2, "Red Mulch", 24, 24, [] { return Strewn(Mulch({60, 30, 24}, {{150, 58, 40}, {128, 46, 34}, {166, 72, 50}}, 132)); }},
        {"FILLS", "FILL", 3, "Black Mulch", 24, 24, [] { return Strewn(Mulch({30, 26, 24}, {{58, 50, 44}, {46, 40, 36}, {72, 62, 54}}, 133)); }},
        {"FILLS", "FILL", 4, "Cedar Wood Chips", 24, 24, [] { return Strewn(Mulch({96, 74, 52}, {{196, 150, 102}, {176, 128, 86}, {214, 176, 128}}, 134)); }},
        {"FILLS", "FILL", 16, "Topsoil", 24, 24, [] { StrewnStyle s = Mulch({74, 54, 38}, {{92, 68, 48}, {62, 46, 32}, {104, 80, 58}}, 136); s.lengthMin = 2, s.lengthMax = 5, s.widthMin = 2, s.widthMax = 4, s.count = 3000; return Strewn(s); }},
        // Gravel.
        {"GRAVEL", "GRAVEL", 1, "Gray Crushed Stone", 12, 12, [] { StoneStyle s = Rubble(24, {{150, 150, 148}, {122, 122, 122}, {170, 168, 162}, {104, 104, 106}}, {52, 52, 52}, 1.5, 0.3, 141); s.jitter = 1; return Stones(s); }},
        {"GRAVEL", "GRAVEL", 2, "Pea Gravel", 12, 12, [] { return Stones(Rubble(32, {{190, 170, 140}, {160, 140, 116}, {206, 194, 172}, {140, 120, 100}}, {70, 60, 50}, 1.5, 1.0, 142)); }},
        {"GRAVEL", "GRAVEL", 3, "River Pebbles", 18, 18, [] { return Stones(Rubble(16, {{140, 136, 128}, {176, 164, 146}, {110, 100, 92}, {196, 188, 176}}, {54, 50, 46}, 2, 1.0, 143)); }},
        // Pavers.
        {"PAVERS", "PAVER", 1, "Red Pavers, Herringbone", 64, 64, [] { return Herringbone(16, Brick({160, 70, 52}, {138, 60, 48}, {150, 140, 126}, 151, 0.1, 0.1)); }},
        {"PAVERS", "PAVER", 2, "Gray Cobblestone", 24, 24, [] { MasonryStyle s = Brick({128, 126, 122}, {104, 104, 106}, {74, 70, 66}, 152, 0.2, 0.3); s.bevel = true, s.joint = 5; return Bond(4, 4, 0.5, s); }},
        {"PAVERS", "PAVER", 3, "Tan Pavers, Running Bond", 32, 32, [] { return Bond(8, 4, 0.5, Brick({196, 172, 136}, {180, 156, 122}, {142, 134, 120}, 153, 0.08, 0.1)); }},
        {"PAVERS", "PAVER", 4, "Flagstone", 60, 60, [] { return Stones(Rubble(4, {{156, 134, 110}, {128, 124, 118}, {172, 150, 120}, {110, 104, 100}}, {104, 100, 92}, 5, 0.25, 154)); }},
        // Concrete.
        {"CONCRETE", "CONCRE", 1, "Broom Finish Concrete", 48, 48, [] { return Concrete({176, 174, 168}, true, false, 161); }},
        {"CONCRETE", "CONCRE", 2, "Concrete Walk, 4 ft Joints", 48, 48, [] { return Concrete({184, 182, 176}, true, true, 162); }},
        {"CONCRETE", "CONCRE", 3, "Exposed Aggregate", 18, 18, [] { StoneStyle s = Rubble(20, {{168, 150, 124}, {128, 120, 110}, {190, 176, 150}, {110, 96, 82}}, {176, 172, 164}, 4, 0.8, 163); s.jitter = 0.9; return Stones(s); }},
        {"CONCRETE", "CONCRE", 4, "Stamped Slate Concrete", 48, 48, [] { const RowLayout rows({64, 64, 64, 64}, 56, 120, 164); MasonryStyle s = Brick({150, 140, 128}, {130, 124, 118}, {96, 90, 84}, 164, 0.15, 0.2); s.joint = 3; return Courses(rows, s); }},
        // Roofing: courses of 5 in.
        {"ROOFING", "ROOF", 1, "Brown Asphalt Shingles", 48, 40, [] { return Shingles(Asphalt({104, 78, 60}, {{70, 50, 38}, {140, 110, 86}, {88, 66, 50}}, 171)); }},
        {"ROOFING", "ROOF", 2, "Red Clay Tile", 36, 44, [] { return BarrelTile({184, 86, 54}, 172); }},
        {"ROOFING", "ROOF", 3, "Gray Slate", 48, 40, [] { const RowLayout rows({32, 32, 32, 32, 32, 32, 32, 32}, 44, 72, 173); ShingleStyle s = Shakes({96, 100, 108}, 0, 2, 173); s.spread = 0.12; return Shingles(s, &rows); }},
        {"ROOFING", "ROOF", 4, "Cedar Shakes", 48, 40, [] { const RowLayout rows({32, 32, 32, 32, 32, 32, 32, 32}, 24, 56, 174); return Shingles(Shakes({160, 116, 78}, 0.4, 2, 174), &rows); }},
        {"ROOFING", "ROOF", 5, "Green Standing Seam Metal", 64, 64, [] { return StandingSeam({54, 98, 72}, 175); }},
        {"ROOFING", "ROOF", 6, "Charcoal Asphalt Shingles", 48, 40, [] { return Shingles(Asphalt({78, 78, 80}, {{52, 52, 56}, {112, 110, 108}, {66, 64, 62}}, 176)); }},
        // Grass and earth.
        {"GROUND", "GROUND", 1, "Lush Lawn", 48, 48, [] { return Strewn(Grass({46, 86, 34}, {{64, 128, 48}, {80, 146, 58}, {54, 110, 40}, {96, 156, 66}}, 7000, 0.5, 181)); }},
        {"GROUND", "GROUND", 2, "Meadow Grass", 48, 48, [] { return Strewn(Grass({70, 84, 40}, {{122, 140, 66}, {150, 156, 84}, {96, 120, 52}, {176, 164, 100}}, 6000, 0.7, 182)); }},
        {"GROUND", "GROUND", 3, "Bare Earth", 48, 48, [] { StrewnStyle s = Mulch({112, 86, 60}, {{128, 100, 72}, {96, 74, 52}, {140, 116, 88}}, 183); s.lengthMin = 2, s.lengthMax = 4, s.widthMin = 2, s.widthMax = 3, s.count = 1500; return Strewn(s); }},
        {"GROUND", "GROUND", 9, "Mowed Lawn", 48, 48, [] { StrewnStyle s = Grass({52, 92, 38}, {{72, 132, 50}, {86, 148, 60}, {62, 118, 44}}, 8000, 0.6, 189); s.lengthMin = 5, s.lengthMax = 10; return Strewn(s); }},
        // Sky backdrops.
        {"SKY", "SKY", 1, "Blue Sky", 1200, 1200, [] { return Sky({70, 120, 196}, {190, 214, 236}, {250, 250, 252}, 0.35, 191); }},
        {"SKY", "SKY", 2, "Evening Sky", 1200, 1200, [] { return Sky({44, 60, 120}, {242, 170, 120}, {236, 196, 190}, 0.3, 192); }},
    };
}

}  // namespace

bool WriteMaterials(const std::string& root) {
    bool ok = true;
    for (const Material& m : Materials()) {
        const std::string base = root + "/Textures/" + m.folder + "/" + m.prefix + std::to_string(m.number);
        const Ini info = Ini().section("Description").key("Name", m.name).section("Size").key("Width", m.width).key("Height", m.height);
        ok = WriteImage(base + ".PTX", m.paint(), "jpeg", 88) && ok;
        ok = WriteText(base + ".PTI", info.text()) && ok;
    }
    return ok;
}

}  // namespace contentgen
