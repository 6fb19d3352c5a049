#include "scene/scene_camera.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "port/seam.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"

uint8_t gAnimateBackground = 0;
float gBackgroundVertices[4] = {0, 1, 1, 0};
static const port::GlobalReset kReset([] {
    gAnimateBackground = 0;
    gBackgroundVertices[0] = 0, gBackgroundVertices[1] = 1, gBackgroundVertices[2] = 1, gBackgroundVertices[3] = 0;
});

namespace {
constexpr int16_t kFlyAround = 2;
}  // namespace

int16_t RenderLoop() {
    gRefreshRender = 1;
    LiveViewNeedsDisplay();
    return 1;
}

void SetCameraAngle(float, float, float) {
    if (gAnimateBackground && gCurDocument && gCurDocument->itsDocState) AnimateBackground(gCurDocument->itsDocState);
}

void SetCameraPosition(float, float, float) {}

void AnimateBackground(const DocState* ds) {
    if (!ds || (ds->renderValue & hideflag::kStillBackdrop)) return;
    const bool flying = ds->cameraMode == kFlyAround;
    const float offset = (flying ? ds->flyValueB : ds->cameraHeading) / -90.0f;
    const float across = flying ? offset - 1.0f : offset + 1.0f;
    gBackgroundVertices[0] = offset;
    gBackgroundVertices[1] = across;
    gBackgroundVertices[2] = across;
    gBackgroundVertices[3] = offset;
}
