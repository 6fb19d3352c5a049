#include "plan/hatch_patterns.h"

#include <initializer_list>
#include <span>

namespace {

using Segment = port::HatchTile::Segment;
using Group = std::span<const Segment>;

port::HatchTile Tile(double width, double height, std::initializer_list<Group> groups) {
    port::HatchTile tile;
    tile.width = width;
    tile.height = height;
    for (const auto& group : groups) tile.segments.insert(tile.segments.end(), group.begin(), group.end());
    return tile;
}

constexpr Segment kBackDiagonals[] = {
    {0, 24, 7, 31},  {0, 16, 15, 31}, {0, 8, 23, 31},  {0, 0, 31, 31},  {8, 0, 39, 31},
    {16, 0, 47, 31}, {24, 0, 47, 23}, {32, 0, 47, 15}, {40, 0, 47, 7},
};
constexpr Segment kForwardDiagonals[] = {
    {0, 7, 7, 0},    {0, 15, 15, 0},  {0, 23, 23, 0},  {0, 31, 31, 0},  {8, 31, 39, 0},
    {16, 31, 47, 0}, {24, 31, 47, 8}, {32, 31, 47, 16}, {40, 31, 47, 24},
};
constexpr Segment kCrossingDiagonals[] = {
    {0.5, 31.5, 31.5, 0.5}, {0.5, 23.5, 23.5, 0.5}, {0.5, 15.5, 15.5, 0.5},
};
constexpr Segment kHorizontals[] = {{0, 5, 24, 5}, {0, 13, 24, 13}};
constexpr Segment kVerticals[] = {{2, 0, 2, 16}, {10, 0, 10, 16}, {18, 0, 18, 16}};

}  // namespace

port::HatchTile FdwDiagPatternCallback() { return Tile(48, 32, {Group(kForwardDiagonals)}); }
port::HatchTile BackDiagPatternCallback() { return Tile(48, 32, {Group(kBackDiagonals)}); }
port::HatchTile CrossPatternCallback() {
    return Tile(25, 17, {Group(kHorizontals), Group(kVerticals)});
}
port::HatchTile DiagCrossPatternCallback() {
    return Tile(48, 32, {Group(kBackDiagonals), Group(kCrossingDiagonals)});
}
port::HatchTile HorizLinePatternCallback() { return Tile(25, 16, {Group(kHorizontals)}); }
port::HatchTile VertLinePatternCallback() { return Tile(24, 17, {Group(kVerticals)}); }
