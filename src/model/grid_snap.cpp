#include "model/grid_snap.h"

#include <cmath>

#include "model/docstate.h"
#include "model/numeric.h"
#include "model/transforms.h"

namespace {

// A usable cell: neither 0 nor the infinity a zero drawing scale would give.
bool UsableCell(float cell) {
    return cell != 0.0f && std::isfinite(cell);
}

}  // namespace

int16_t Snap3DPointToGrid(const DocState* docState, float* x, float* y, float* z) {
    if (!docState || !x || !y || !z || !docState->snapToGrid) return 0;
    const float cellH = ConvertWorldToScreen(docState->snapIncrement.floatH, docState, 0);
    const float cellD = ConvertWorldToScreen(docState->snapIncrement.floatV, docState, 0);
    if (!UsableCell(cellH) || !UsableCell(cellD)) return 0;
    *x = cellH * std::floor(static_cast<float>(dvxnum::TruncToInt16(*x)) / cellH);
    *z = cellD * std::floor(static_cast<float>(dvxnum::TruncToInt16(*z)) / cellD);
    return 1;
}

int16_t SnapPointToGrid(const DocState* docState, int32_t x, int32_t y, FloatPoint* result) {
    if (!docState || !result) return 0;
    const float cellH = ConvertWorldToScreen(docState->snapIncrement.floatH, docState, 1);
    const float cellV = ConvertWorldToScreen(docState->snapIncrement.floatV, docState, 1);
    if (!UsableCell(cellH) || !UsableCell(cellV)) return 0;
    result->floatH = cellH * std::floor(static_cast<float>(x) / cellH + 0.5f);
    result->floatV = cellV * std::floor(static_cast<float>(y) / cellV + 0.5f);
    return 1;
}
