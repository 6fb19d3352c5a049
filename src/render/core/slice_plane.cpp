#include "render/core/slice_plane.h"

#include <cmath>

#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "port/seam.h"

namespace {
constexpr float kEmptyMin = 32000.0f;
constexpr float kEmptyMax = -32000.0f;
constexpr float kMargin = 100.0f;
constexpr float kFromAboveScale = 5.0f;
// Half the side of the triangle that spans the plane; any size works.
constexpr float kSpan = 100.0f;
}  // namespace

Float3DRect gCutawayBounds;
float gCutawayRange = 1.0f;
float gSlicePaneEquation[4] = {};
static const port::GlobalReset kReset([] {
    gCutawayBounds = {};
    gCutawayRange = 1.0f;
    for (float& v : gSlicePaneEquation) v = 0.0f;
});

void SetSlicePlaneBounds() {
    if (!gCurDocument || !gCurDocument->itsDocState) return;
    const int16_t mode = gCurDocument->itsDocState->cutAwayKind;
    Float3DRect box{kEmptyMin, kEmptyMin, kEmptyMin, kEmptyMax, kEmptyMax, kEmptyMax};
    if (mode >= 0 && mode < kCutAwayFromAbove) GetAllLayers3DBounds(gCurDocument->itsLayers, 0, &box, 0);
    else if (mode == kCutAwayFromAbove) GetAllSpecialLayers3DBounds(gCurDocument->itsLayers, 0, &box, 0);
    box.floatTop -= kMargin, box.floatLeft -= kMargin, box.floatBack -= kMargin;
    box.floatBottom += kMargin, box.floatRight += kMargin, box.floatFront += kMargin;
    gCutawayBounds = box;
    switch (mode) {
    case 0:
    case 2: gCutawayRange = std::fabs(box.floatBack - box.floatFront); break;
    case 1:
    case 3: gCutawayRange = std::fabs(box.floatLeft - box.floatRight); break;
    case kCutAwayFromAbove: gCutawayRange = std::fabs(box.floatTop - box.floatBottom); break;
    default: break;
    }
    if (gCutawayRange == 0.0f) gCutawayRange = 1.0f;
}

void ComputeSlicePlane() {
    if (!gCurDocument || !gCurDocument->itsDocState) return;
    const DocState* ds = gCurDocument->itsDocState;
    if (gCutawayRange == 0.0f) gCutawayRange = 1.0f;
    const float p = static_cast<float>(ds->cutAwayPosition), r = gCutawayRange, s = kSpan;
    const Float3DRect& b = gCutawayBounds;
    float* e = gSlicePaneEquation;
    auto plane = [e](float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3) {
        CalcParametric(x1, y1, z1, x2, y2, z2, x3, y3, z3, &e[0], &e[1], &e[2], &e[3]);
    };
    switch (ds->cutAwayKind) {
    case 0: {
        const float k = p - (b.floatBack + r);
        plane(s, s, k, s, -s, k, -s, -s, k);
        break;
    }
    case 1: {
        const float k = r - b.floatRight - p;
        plane(k, s, s, k, -s, s, k, -s, -s);
        break;
    }
    case 2: {
        const float k = r - b.floatFront - p;
        plane(-s, -s, k, s, -s, k, s, s, k);
        break;
    }
    case 3: {
        const float k = p - (b.floatLeft + r);
        plane(k, -s, -s, k, -s, s, k, s, s);
        break;
    }
    case kCutAwayFromAbove: {
        const float k = (p + kMargin - r) * kFromAboveScale;
        plane(-s, k, -s, s, k, -s, s, k, s);
        break;
    }
    default: e[0] = e[1] = e[2] = e[3] = 0.0f; break;
    }
}
