#pragma once
// Point evaluation: a view point (whole view coordinates, as the mouse gives them) turned into
// a plan point (H, V, D). The tracking engine will evaluate fully (constraints, grid, snap
// modes); until then the view rotation is undone and, when asked, the zoom.
#include <cstdint>

#include "port/seam.h"

struct ClickInfo;

// The evaluation without the tracking engine: no constraints and no snapping.
void EvaluatePointUnconstrained(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap,
                                ClickInfo* info, uint8_t unzoom);
// Whether there is anything to evaluate: a current document and all three outputs.
bool CanEvaluatePoint(const int32_t& x, const int32_t& y, float* const& outX, float* const& outY,
                      float* const& outZ, const uint8_t& snap, ClickInfo* const& info, const uint8_t& unzoom);

// Writes nothing without a current document or when an output is null. `snap` allows grid
// and object snapping; `info` is the click being tracked (may be null); `unzoom` divides the
// result by the zoom factor.
DVX_SEAM_GUARDED(EvaluatePoint, "tracking", port::SeamKind::Temporary, CanEvaluatePoint, EvaluatePointUnconstrained,
                 void(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                      uint8_t unzoom))
