#include "model/topo_grid.h"

#include <cmath>
#include <utility>

#include "model/docstate.h"
#include "model/document_model.h"
#include "port/seam.h"

int32_t gTopoRowCnt = 0;
int32_t gTopoColumnCnt = 0;
std::vector<float> gTopographyGrid;
uint8_t gTopoGridFromFile = 0;
static const port::GlobalReset kReset(ResetTopoGrid);

namespace {

// Cells along one side of the lot; -1 when the extent or spacing gives no count.
int64_t CellCount(float low, float high, float spacing) {
    const double extent = std::trunc(static_cast<double>(high) - static_cast<double>(low));
    const double cells = std::trunc(extent / static_cast<double>(spacing));
    if (!std::isfinite(cells) || cells < 0 || cells >= static_cast<double>(kMaxTopoGridNodes)) return -1;
    return static_cast<int64_t>(cells);
}

}  // namespace

void SetupTopoGrid() {
    // The memory is kept for the next grid: every read and undo sets one up again, and a
    // large lot's grid is megabytes to map and fault in.
    gTopoRowCnt = 0;
    gTopoColumnCnt = 0;
    gTopographyGrid.clear();
    gTopoGridFromFile = 0;
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const float spacing = ds->topoGridSpacing;
    if (!std::isfinite(spacing) || spacing <= 0.0f) return;
    const int64_t rows = CellCount(ds->lotRect.floatTop, ds->lotRect.floatBottom, spacing);
    const int64_t columns = CellCount(ds->lotRect.floatLeft, ds->lotRect.floatRight, spacing);
    if (rows < 0 || columns < 0) return;
    const uint64_t nodes = static_cast<uint64_t>(rows + 1) * static_cast<uint64_t>(columns + 1);
    if (nodes > kMaxTopoGridNodes) return;
    gTopographyGrid.assign(static_cast<size_t>(nodes), 0.0f);
    gTopoRowCnt = static_cast<int32_t>(rows);
    gTopoColumnCnt = static_cast<int32_t>(columns);
}

void ReplaceTopoGrid(int32_t rows, int32_t columns, std::vector<float> heights) {
    gTopoRowCnt = rows;
    gTopoColumnCnt = columns;
    gTopographyGrid = std::move(heights);
    gTopoGridFromFile = 1;
}

void ResetTopoGrid() {
    gTopoRowCnt = 0;
    gTopoColumnCnt = 0;
    std::vector<float>().swap(gTopographyGrid);
    gTopoGridFromFile = 0;
}
