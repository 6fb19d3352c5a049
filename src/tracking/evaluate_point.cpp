#include "tracking/evaluate_point.h"

#include <utility>

#include "model/document_model.h"
#include "model/projection.h"
#include "plan/zoom.h"

namespace {

EvaluatePointHandler& Handler() {
    static EvaluatePointHandler handler;
    return handler;
}

// The view rotation undone; no constraints and no snapping.
void ViewToPlan(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t unzoom) {
    *outX = static_cast<float>(x);
    *outY = static_cast<float>(y);
    *outZ = 0.0f;
    if (CurrentDocState())
        ComputeInverseRotationAboutArbitraryAxis(outX, outY, outZ, gCosXAngle, gSinXAngle, gCosYAngle,
                                                 gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                                                 gGlobalZOffset);
    if (unzoom) {
        *outX = UnzoomF(*outX);
        *outY = UnzoomF(*outY);
        *outZ = UnzoomF(*outZ);
    }
}

}  // namespace

void EvaluatePoint(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap,
                   ClickInfo* info, uint8_t unzoom) {
    if (!outX || !outY || !outZ || !gCurDocument) return;
    if (Handler()) {
        Handler()(x, y, outX, outY, outZ, snap, info, unzoom);
        return;
    }
    ViewToPlan(x, y, outX, outY, outZ, unzoom);
}

void SetEvaluatePointHandler(EvaluatePointHandler handler) { Handler() = std::move(handler); }

void ResetEvaluatePointSeam() { Handler() = nullptr; }
