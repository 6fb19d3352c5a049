#pragma once
// Point evaluation: a view point (whole view coordinates, as the mouse gives them) turned into
// a plan point (H, V, D). The tracking engine registers the full evaluation (constraints,
// grid, snap modes); until then the default only undoes the view rotation and, when asked,
// the zoom.
#include <cstdint>
#include <functional>

struct ClickInfo;

// Writes nothing without a current document or when an output is null. `snap` allows grid
// and object snapping; `info` is the click being tracked (may be null); `unzoom` divides the
// result by the zoom factor.
void EvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap,
                   ClickInfo* info, uint8_t unzoom);

using EvaluatePointHandler =
    std::function<void(int32_t, int32_t, float*, float*, float*, uint8_t, ClickInfo*, uint8_t)>;
void SetEvaluatePointHandler(EvaluatePointHandler handler);
void ResetEvaluatePointSeam();
