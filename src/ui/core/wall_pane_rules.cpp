#include "ui/core/wall_pane_rules.h"

#include <algorithm>

#include "port/seam.h"

int32_t gWallPropertiesStyle = 0;

static const port::GlobalReset kReset([] { gWallPropertiesStyle = 0; });

WallStyleEnabling WallStyleEnablingFor(int32_t style) {
    if (style < 0) return {false, false, false, false, false};
    if (style == 0) return {true, false, false, false, false};
    if (style == 1) return {true, true, true, true, false};
    if (style <= 3) return {true, true, false, false, false};
    if (style >= 8 && style <= 11) return {true, true, false, true, false};
    return {true, true, true, true, true};
}

int WallStyleRow(int32_t style) { return style >= 0 && style < kWallStyleRows ? int(style) : -1; }

bool WallHeightsAllowed(int32_t style, WallHeightField edited, float height, float heightC, float heightD) {
    if (style >= 4 && style <= 7 && std::max(height, heightC) > heightD) return false;
    if (edited != WallHeightField::HeightD && style >= 8 && style <= 11 && height > heightC) return false;
    return true;
}
