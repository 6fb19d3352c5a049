#include "app/core/plan_navigation.h"

#include <algorithm>

#include "app/core/event_handler.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/view_layers.h"
#include "model/view_state.h"
#include "files/windows_records.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "plan/zoom.h"
#include "render/core/live_view_seams.h"
#include "render/core/navigation_loops.h"
#include "model/render_state.h"
#include "scene/scene_camera.h"
#include "tracking/evaluate_point.h"

namespace {

constexpr float kDegreesPerRadian = 57.29578f;
constexpr int16_t kEyeLevel = 1;
constexpr double kPixelsPerZoom = 150.0;
constexpr double kMostZoom = 3.0;

void StartRealTime() {
    if (gEnableBackgroundRendering) return;
    RTInitializeGLScene();
    gRealTimeDraw = 1;
}

// After the camera changed: the marker redrawn, one frame of the live view.
void Step(Base2DViewHost* view, const DocState* ds, bool turned) {
    if (view) view->setNeedsDisplay();
    if (gEnableBackgroundRendering) return;
    if (turned && gAnimateBackground) AnimateBackground(ds);
    LiveViewRealTimeFrame();
}

void Finish() {
    gRealTimeDraw = 0;
    LiveViewNeedsDisplay();
}

}  // namespace

bool RealTimeTrackAngleD3D::begin(Base2DViewHost* view) {
    active_ = false;
    DocState* ds = NavigableState();
    if (!ds) return false;
    if (!gEnableBackgroundRendering) {
        if (ds->cameraMode != kEyeLevel) ds->cameraMode = kEyeLevel, gRefreshRender = 1;
        RTInitializeGLScene();
    }
    gRealTimeDraw = 1;
    float x = ds->cameraPosition.floatH, y = 0, z = ds->cameraPosition.floatV;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                          gGlobalZOffset, 1);
    camera_[0] = x, camera_[1] = y;
    view_ = view, last_ = {-32768, -32768}, active_ = true;
    return true;
}

void RealTimeTrackAngleD3D::move(POINT at) {
    DocState* ds = CurrentDocState();
    if (!active_ || !ds || (at.x == last_.x && at.y == last_.y)) return;
    last_ = at;
    float length = 0;
    float heading = GetLineLengthAndAngle(camera_[0], camera_[1], static_cast<float>(at.x), static_cast<float>(at.y),
                                          &length) * kDegreesPerRadian - 90.0f;
    if (heading < 0) heading += 360.0f;
    else if (heading > 359.0f) heading -= 360.0f;
    ds->cameraHeading = heading;
    Step(view_, ds, true);
}

void RealTimeTrackAngleD3D::end() {
    if (!active_) return;
    active_ = false;
    Finish();
}

bool RealTimeTrackPositionD3D::begin(Base2DViewHost* view) {
    active_ = false;
    if (!NavigableState() || !gCurDocument->itsLayers) return false;
    StartRealTime();
    view_ = view, last_ = {-32768, -32768}, active_ = true;
    return true;
}

void RealTimeTrackPositionD3D::move(POINT at) {
    DocState* ds = CurrentDocState();
    if (!active_ || !ds || (at.x == last_.x && at.y == last_.y)) return;
    last_ = at;
    float h = 0, v = 0, d = 0;
    EvaluatePoint(at.x, at.y, &h, &v, &d, 1, nullptr, 1);
    (ds->cameraMode == kEyeLevel ? ds->cameraPosition : ds->lightOffset) = FloatPoint{h, d};
    Step(view_, ds, false);
}

void RealTimeTrackPositionD3D::end() {
    if (!active_) return;
    active_ = false;
    Finish();
}

bool RealTimeZoom::begin(Base2DViewHost* view, POINT press, int32_t screenY) {
    view_ = nullptr;
    if (!view || !CurrentDocState()) return false;
    view_ = view;
    clickH_ = UnzoomF(static_cast<float>(press.x));
    clickV_ = UnzoomF(static_cast<float>(press.y));
    lastY_ = screenY;
    centre();
    return true;
}

void RealTimeZoom::centre() const {
    const PlatformRect shown = view_->visibleRect();
    view_->scrollRectToVisible(
        {ZoomF(clickH_) - shown.width / 2, ZoomF(clickV_) - shown.height / 2, shown.width, shown.height});
}

void RealTimeZoom::move(int32_t screenY) {
    DocState* ds = CurrentDocState();
    if (!view_ || !ds || screenY == lastY_) return;
    const double least = GetMinZoom();
    const double zoom = std::clamp(ds->zoomFactor + (lastY_ - screenY) / kPixelsPerZoom, least, kMostZoom);
    lastY_ = screenY;
    if (zoom <= least && !(gPerspective && gViewFactor != 1.0f)) return;
    ds->zoomFactor = static_cast<float>(zoom);
    const int32_t shown = GetCurrentView();
    if (shown == kViewTop) ds->savedZoom = ds->zoomFactor;
    else if (shown == kViewIsometric || shown == kViewPerspectiveFlat) ds->printZoom = ds->zoomFactor;
    if (gViewFactor == 1.0f) Win32EventHandler().updateViewingHeight();
    float w = 0, h = 0;
    GetAdjustedPaperWidthAndHeight(&w, &h);
    view_->setFrameSize({w, h});
    view_->setBoundsOrigin({-w / 2, -h / 2});
    centre();
    view_->setNeedsDisplay();
}
