#include "content/core/preview_grid.h"

#include <algorithm>
#include <cmath>

namespace content {

int32_t PreviewSizeForValue(int64_t value) {
    switch (value) {
    case 0: return 48;
    case 1: return 64;
    case 3: return 96;
    case 4: return 128;
    default: return 70;
    }
}

GridSize OptimalViewSize(bool shown, size_t entries, double pw, double ph, double vw, double vh) {
    if (!shown || entries == 0 || pw <= 0 || ph <= 0) return {vw, vh};
    const double w = std::max(vw, pw), h = std::max(vh, ph);
    int64_t columns = 1;
    if (pw < w) {
        const int64_t whole = int64_t(std::floor(w)), cell = int64_t(std::floor(pw));
        const int64_t q = int64_t(std::floor(double(whole) / pw));
        const int64_t r = cell > 0 ? whole % cell : 0;
        columns = double(r) >= pw / 2 ? q + 1 : q;
    }
    columns = std::max<int64_t>(columns, 1);
    const int64_t rows = (int64_t(entries) + columns - 1) / columns;
    return {std::max(w, double(columns) * pw), std::max(h, double(rows) * ph)};
}

int64_t GridColumns(double width, double pw) {
    return pw > 0 ? std::max<int64_t>(int64_t(std::floor(width / pw)), 0) : 0;
}

GridCell CellOfIndex(size_t index, double width, double pw, double ph) {
    const int64_t columns = std::max<int64_t>(GridColumns(width, pw), 1);
    const int64_t i = int64_t(index);
    return {double(i % columns) * pw, double(i / columns) * ph, pw, ph};
}

GridHit IndexAtPoint(double x, double y, double width, double pw, double ph) {
    const int64_t columns = GridColumns(width, pw);
    if (x >= double(columns) * pw || x < 0 || y < 0 || ph <= 0) return {true, 0};
    const int64_t column = int64_t(std::floor(x / pw)), row = int64_t(std::floor(y / ph));
    return {false, size_t(column + columns * row)};
}

}  // namespace content
