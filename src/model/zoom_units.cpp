#include "model/zoom_units.h"

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "model/objects.h"

namespace {
// The zoom factor in force, or 1.0 when there is none.
float CurrentZoom() {
    const DocState* ds = CurrentDocState();
    return ds ? ds->zoomFactor : 1.0f;
}

// Whether dividing by the factor changes anything (and is defined).
bool Divides(float zoom) { return zoom != 1.0f && zoom != 0.0f && !std::isnan(zoom); }

int32_t RoundToInt32(double value) { return dvxnum::TruncToInt32(value + 0.5); }
}  // namespace

float ZoomFactor() { return CurrentZoom(); }

float PlanScaleValue(int16_t code, int16_t unitSystem) {
    static const float kImperial[] = {96, 48, 36, 24};
    static const float kMetric[] = {100, 50, 20, 10};
    if (code < 8 || code > 11) return 0;
    return unitSystem == kImperialUnits ? kImperial[code - 8] : kMetric[code - 8];
}

float PlanScaleZoomRatio(int16_t from, int16_t to, int16_t unitSystem) {
    const float oldValue = PlanScaleValue(from, unitSystem), newValue = PlanScaleValue(to, unitSystem);
    return oldValue != 0 && newValue != 0 ? oldValue / newValue : 1.0f;
}

float ZoomF(float value) {
    const float zoom = CurrentZoom();
    if (zoom == 1.0f) return value;
    return value * zoom;
}

float UnzoomF(float value) {
    const float zoom = CurrentZoom();
    if (!Divides(zoom)) return value;
    return value / zoom;
}

void ZoomFRect(FloatRect* rect) {
    if (!rect) return;
    const float zoom = CurrentZoom();
    if (zoom == 1.0f) return;
    rect->floatTop *= zoom;
    rect->floatLeft *= zoom;
    rect->floatBottom *= zoom;
    rect->floatRight *= zoom;
}

void UnzoomFRect(FloatRect* rect) {
    if (!rect) return;
    const float zoom = CurrentZoom();
    if (!Divides(zoom)) return;
    rect->floatTop /= zoom;
    rect->floatLeft /= zoom;
    rect->floatBottom /= zoom;
    rect->floatRight /= zoom;
}

int32_t ZoomL(int32_t value) {
    const float zoom = CurrentZoom();
    if (zoom == 1.0f) return value;
    return RoundToInt32(static_cast<double>(zoom) * value);
}

int32_t UnzoomL(int32_t value) {
    const float zoom = CurrentZoom();
    if (!Divides(zoom)) return value;
    return RoundToInt32(value / static_cast<double>(zoom));
}

void ZoomLRect(RECT* rect) {
    if (!rect || !CurrentDocState()) return;
    for (int32_t* side : {&rect->left, &rect->top, &rect->right, &rect->bottom}) *side = ZoomL(*side);
}

void ZoomRect(RECT* rect) {
    if (!rect || !CurrentDocState()) return;
    for (int32_t* side : {&rect->left, &rect->top, &rect->right, &rect->bottom})
        *side = static_cast<int16_t>(ZoomL(*side));
}

void ZoomPoinz(Poinz* point) {
    if (!point || !CurrentDocState()) return;
    const float zoom = CurrentZoom();
    if (zoom == 1.0f) return;
    for (float* p : {point->position, point->inTangent, point->outTangent}) {
        for (int axis = 0; axis < 2; ++axis)
            if (p == point->position || p[axis] != 0.0f) p[axis] *= zoom;
    }
}
