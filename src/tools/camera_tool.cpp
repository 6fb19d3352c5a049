#include "tools/camera_tool.h"

#include <cmath>
#include <numbers>

#include "plan/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/view_state.h"
#include "plan/dynamic_draw_engine.h"
#include "model/plan_objects.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/scene_camera.h"
#include "tracking/tracker_feedback.h"
#include "tracking/tracking_state.h"

namespace {

constexpr float kShortestDrag = 5.0f;  // world units
constexpr float kHalfBase = 0.6f;      // of the distance, each side of the camera
constexpr float kDegrees = 180.0f / std::numbers::pi_v<float>;

void RealTimeFrame(const DocState* ds) {
    if (gEnableBackgroundRendering) return;
    if (gAnimateBackground) AnimateBackground(ds);
    RTSetViewpoint();
    RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
    RTFinalizeGLScene();
}

// The view triangle: its apex at the target, its base through the camera square to the line
// of sight.
void DrawSight(QMDDynamicDrawEngine* engine, Float3DPoint camera, Float3DPoint target) {
    if (!engine) return;
    ConvertToIso(&camera.floatH, &camera.floatV, &camera.floatD, &target.floatH, &target.floatV, &target.floatD,
                 gPerspective);
    const float dx = target.floatH - camera.floatH, dy = target.floatV - camera.floatV;
    const float length = std::hypot(dx, dy);
    if (length == 0) return;
    const float nx = -dy / length * kHalfBase * length, ny = dx / length * kHalfBase * length;
    engine->activePathMoveToPoint({target.floatH, target.floatV});
    engine->activePathLineToPoint({camera.floatH + nx, camera.floatV + ny});
    engine->activePathLineToPoint({camera.floatH - nx, camera.floatV - ny});
    engine->closeActivePath();
}

}  // namespace

int16_t TrackCamera(int32_t, int32_t, float h, float v, float d, int16_t stage) {
    DocState* ds = CurrentDocState();
    if (!gCurDocument || !ds) return 0;
    QMDDynamicDrawEngine* engine = feedback::Engine();
    if (engine) {
        engine->setActivePath(0);
        engine->setActivePathDrawMethod(1);
        engine->setActivePathDeviceRed(1, 1, 0, 0.5f);
        engine->removePointsFromAllPaths();
    }
    float planLength = 0;
    const float angle = GetLineLengthAndAngle(gDownX, gDownZ, h, d, &planLength);
    const float distance = ConvertScreenToWorld(planLength, ds, 0);
    DrawViewLength(distance);
    if (stage == 1) {
        gRealTimeDraw = 1;
        if (!gEnableBackgroundRendering) RTInitializeGLScene();
        ds->cameraPosition = FloatPoint{gDownX, gDownZ};
        Refresh();
        RealTimeFrame(ds);
    }
    DrawSight(engine, {gDownX, gDownY, gDownZ}, {h, v, d});
    // A heading h looks along 90 + h degrees, as the marker's apex and the live view do: the
    // camera looks the way it was dragged.
    ds->cameraHeading = angle * kDegrees - 90;
    RealTimeFrame(ds);
    feedback::Redraw();
    if (stage != 3) return 0;
    DrawViewLength(0);
    gRealTimeDraw = 0;
    gMouseCaptured = 0;
    if (engine) engine->removePointsFromAllPaths(), engine->resetAttributesForAllPaths();
    gRefreshRender = 1;
    Refresh();
    return distance >= kShortestDrag ? 1 : 0;
}
