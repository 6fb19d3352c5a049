#pragma once
// The preview grid's arithmetic: square cells of the preview size, filled row by row, in a
// view at least as large as the visible part of its scroll area.
#include <cstddef>
#include <cstdint>

namespace content {

struct GridSize {
    double width = 0, height = 0;
    bool operator==(const GridSize&) const = default;
};
struct GridCell {
    double x = 0, y = 0, width = 0, height = 0;
    bool operator==(const GridCell&) const = default;
};

// The preview size in points for a "PreviewSizeKey" value (0-4; any other value gives 70).
int32_t PreviewSizeForValue(int64_t value);

// The size the grid needs for `entries` previews of pw x ph in a visible area vw x vh. Without
// entries to show (`shown` false: no source, or a source with children) the visible size.
// A column that would be at least half visible is added.
GridSize OptimalViewSize(bool shown, size_t entries, double pw, double ph, double vw, double vh);

// Whole columns in a view of width `width`.
int64_t GridColumns(double width, double pw);
// The cell of entry `index` in a view of width `width`.
GridCell CellOfIndex(size_t index, double width, double pw, double ph);

// Where a click at (x, y) falls: right of the columns (`outside`), or on the entry index
// (possibly past the last entry).
struct GridHit {
    bool outside = false;
    size_t index = 0;
    bool operator==(const GridHit&) const = default;
};
GridHit IndexAtPoint(double x, double y, double width, double pw, double ph);

}  // namespace content
