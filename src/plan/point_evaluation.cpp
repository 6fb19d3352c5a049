#include "plan/point_evaluation.h"

#include "port/seam.h"

namespace {

PointEvaluator sEvaluate = nullptr;

const port::GlobalReset kReset([] { sEvaluate = nullptr; });

}  // namespace

void RegisterPointEvaluator(PointEvaluator evaluate) { sEvaluate = evaluate; }

void EvaluateViewPoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap, ClickInfo* info,
                       uint8_t unzoom) {
    if (sEvaluate) sEvaluate(x, y, outX, outY, outZ, snap, info, unzoom);
}
