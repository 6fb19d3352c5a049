#pragma once
// Shared by bounds and planar polygons: when a segment between two points is curved, the
// cubic of that segment, its sampling step, and the unzoomed projection of a point into the
// current view.
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/splines.h"

// Curved when any component of a's out-tangent or b's in-tangent is non-zero.
inline bool IsCurvedSegment(const Poinz* a, const Poinz* b) {
    for (int i = 0; i < 3; ++i)
        if (a->outTangent[i] != 0.0f || b->inTangent[i] != 0.0f) return true;
    return false;
}

// The Hermite cubic from `start` leaving along `startTangent` to `end` arriving along
// `endTangent`, per axis H, V, D.
struct SegmentCubic {
    float a[3], b[3], c[3], d[3];

    SegmentCubic(const float start[3], const float startTangent[3], const float end[3],
                 const float endTangent[3]) {
        for (int i = 0; i < 3; ++i)
            SetupSpline(start[i], startTangent[i], end[i], endTangent[i], &a[i], &b[i], &c[i], &d[i]);
    }
    SegmentCubic(const Poinz* from, const Poinz* to)
        : SegmentCubic(from->position, from->outTangent, to->position, to->inTangent) {}

    void At(float t, float out[3]) const {
        const float t2 = t * t, t3 = t2 * t;
        for (int i = 0; i < 3; ++i) out[i] = GetSplineCoord(a[i], b[i], c[i], d[i], t, t2, t3);
    }
};

// 1 / the document's curve resolution (a resolution below 1 counts as 1); 0.1 without a
// settings record.
inline float CurveSampleStep() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 0.1f;
    return ds->curveSegments < 1 ? 1.0f : 1.0f / static_cast<float>(ds->curveSegments);
}

// Calls f(h, v, d) at t = 0, s, 2s, ... while t <= limit.
template <typename F>
void SampleCubic(const SegmentCubic& cubic, double limit, F&& f) {
    const float step = CurveSampleStep();
    for (int i = 0;; ++i) {
        const float t = static_cast<float>(i) * step;
        if (static_cast<double>(t) > limit) break;
        float p[3];
        cubic.At(t, p);
        f(p[0], p[1], p[2]);
    }
}

// The curve from a to b sampled for bounds: every step up to and including t = 1.
template <typename F>
void ForEachCurveSample(const Poinz* a, const Poinz* b, F&& f) {
    SampleCubic(SegmentCubic(a, b), 1.01, f);
}

// A model point into the current view in unzoomed plan units, with the perspective divide
// when the view has perspective; (h, v) become the view's horizontal and vertical.
inline void ProjectPointToView(float* h, float* v, float* d) {
    ConversionToIsometric(h, v, d, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset,
                          gGlobalYOffset, gGlobalZOffset, 0);
    if (gPerspective) AddPerspective(h, v, d, gViewDistance, 0, 0, 0);
}
