#pragma once
// The wall panes' rules that do not depend on a widget: which height and pitch fields a
// segment style uses, and how those heights must relate.
#include <cstdint>

// The style row shown by the wall panes; -1 while the selected segments differ.
extern int32_t gWallPropertiesStyle;

// Rows of the wall style table (styles 0 and 1).
inline constexpr int kWallStyleRows = 2;

struct WallStyleEnabling {
    bool height, pitchA, pitchB, heightC, heightD;
};
// The fields a style uses; -1 (mixed) uses none.
WallStyleEnabling WallStyleEnablingFor(int32_t style);

// The table row of a segment style, -1 for a style the table has no row for.
int WallStyleRow(int32_t style);

enum class WallHeightField { Height, HeightC, HeightD };
// Whether the heights (the edited one and those shown beside it, an empty field being 0) keep
// the style's order: styles 4-7 keep height and height C at or under height D, styles 8-11
// keep height at or under height C. Height D is tested against the first rule only.
bool WallHeightsAllowed(int32_t style, WallHeightField edited, float height, float heightC, float heightD);
