#pragma once
// The topography grid: heights over the lot, (rows + 1) x (columns + 1) nodes row after row,
// row r at lot top + r x spacing, column c at lot left + c x spacing. Either read from a
// topography file or sized from the lot here (and filled from the terrain objects later).
#include <cstdint>
#include <vector>

extern int32_t gTopoRowCnt;
extern int32_t gTopoColumnCnt;
// Empty while both counts are 0; otherwise exactly (rows + 1) x (columns + 1) heights.
extern std::vector<float> gTopographyGrid;
// The heights came from a topography file (ReplaceTopoGrid), not from the plan's terrain.
extern uint8_t gTopoGridFromFile;

// Grids beyond this many nodes are refused (a damaged lot or spacing, not a real terrain).
inline constexpr uint64_t kMaxTopoGridNodes = uint64_t{1} << 22;

// Empties the grid (its memory kept) and makes a zeroed one sized from the current settings'
// lot and spacing: rows = trunc(trunc(bottom - top) / spacing), columns likewise across.
// Without a settings record, or with a lot or spacing that gives no sensible grid, the grid
// stays empty with counts 0.
void SetupTopoGrid();
// Takes over a file's grid of the given counts (heights.size() must match them).
void ReplaceTopoGrid(int32_t rows, int32_t columns, std::vector<float> heights);

void ResetTopoGrid();
