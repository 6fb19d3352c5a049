#include "tracking/evaluate_point_seams.h"

#include "model/document_model.h"
#include "model/projection.h"
#include "plan/zoom.h"

bool CanEvaluatePoint(const int32_t&, const int32_t&, float* const& outX, float* const& outY, float* const& outZ,
                      const uint8_t&, ClickInfo* const&, const uint8_t&) {
    return outX && outY && outZ && gCurDocument;
}

void EvaluatePointUnconstrained(int32_t x, int32_t y, float* outX, float* outY, float* outZ, uint8_t snap,
                                ClickInfo* info, uint8_t unzoom) {
    if (!CanEvaluatePoint(x, y, outX, outY, outZ, snap, info, unzoom)) return;
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
