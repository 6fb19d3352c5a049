#include "plan/zoom.h"

#include "model/docstate.h"
#include "model/document_model.h"

namespace {
// The zoom factor in force, or 1.0 when there is none.
float CurrentZoom() {
    const DocState* ds = CurrentDocState();
    return ds ? ds->zoomFactor : 1.0f;
}
}  // namespace

float ZoomF(float value) {
    const float zoom = CurrentZoom();
    if (zoom == 1.0f) return value;
    return value * zoom;
}

float UnzoomF(float value) {
    const float zoom = CurrentZoom();
    if (zoom == 1.0f || zoom == 0.0f) return value;
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
