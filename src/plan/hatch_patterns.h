#pragma once
// The six hatch tiles of the plan's fills, after the Windows brush hatch styles. Each tile
// steps 24 by 16 pixels and most are larger than their step (see port::HatchTile).
#include "port/drawing.h"

port::HatchTile FdwDiagPatternCallback();    // forward diagonal, 48 x 32
port::HatchTile BackDiagPatternCallback();   // backward diagonal, 48 x 32
port::HatchTile CrossPatternCallback();      // horizontal and vertical lines, 25 x 17
port::HatchTile DiagCrossPatternCallback();  // both diagonals, 48 x 32
port::HatchTile HorizLinePatternCallback();  // 25 x 16
port::HatchTile VertLinePatternCallback();   // 24 x 17
