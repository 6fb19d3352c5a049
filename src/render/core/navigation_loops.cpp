#include "render/core/navigation_loops.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/projection.h"
#include "model/view_layers.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "scene/pick_state.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "render/core/slice_plane.h"
#include "scene/plane_object.h"
#include "scene/scene_camera.h"

namespace {

constexpr int16_t kEyeLevel = 1;
constexpr float kMostFlyDistance = 50000.0f;
constexpr float kLeastFlyPitch = 5.0f, kMostFlyPitch = 25.0f;
constexpr float kMostWalkPitch = 35.0f;
constexpr double kPixelsPerPitchDegree = 3.0;
constexpr float kMarkerSquare = 50.0f;

float Radians(float degrees) { return degrees * static_cast<float>(std::numbers::pi / 180.0); }

// Once, not modulo: a heading just past 359 becomes slightly negative, as the marker drag's.
float WrapOnce(float heading) {
    if (heading < 0) return heading + 360.0f;
    if (heading > 359.0f) return heading - 360.0f;
    return heading;
}

bool operator!=(POINT a, POINT b) { return a.x != b.x || a.y != b.y; }
bool operator!=(FloatPoint a, FloatPoint b) { return a.floatH != b.floatH || a.floatV != b.floatV; }

// Moves a fraction of the way from the start towards the pointer; truncates towards 0.
POINT Smoothed(POINT start, POINT at, int32_t divisor) {
    divisor = std::max(divisor, 1);
    return {start.x + (at.x - start.x) / divisor, start.y + (at.y - start.y) / divisor};
}

void DrawRealTimeFrame() {
    RTSetViewpoint();
    RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
    RTFinalizeGLScene();
}

// Pressed keys the live view buffered during the frame are repeats: the held flags already
// carry what they say.
void FlushKeys() {
    if (LiveViewHost* host = CurrentLiveViewHost()) host->flushBufferedKeyEvents();
}

void StartLoop(Base2DViewHost* plan) {
    gRealTimeDraw = 1;
    gRenderingOpenGL = 1;
    RTInitializeGLScene();
    if (plan) plan->initializeDynamicViewPointSystem();
}

void FinishLoop(Base2DViewHost* plan) {
    gRenderingOpenGL = 0;
    gRealTimeDraw = 0;
    gRefreshRender = 1;
    if (plan) plan->resetDynamicViewPointSystem();
    LiveViewNeedsDisplay();
}

constexpr FreeNavigationSteps kFreeSteps[] = {
    {50, 20, 1.0f, 10, 50, 10, 1.0f, 10},  // 6
    {30, 10, 3.0f, 6, 30, 6, 10.0f, 6},    // 7
    {15, 2, 6.0f, 2, 15, 3, 30.0f, 2},     // 8
    {10, 1, 10.0f, 1, 10, 3, 35.0f, 1},    // 9
    {5, 1, 10.0f, 1, 5, 3, 35.0f, 1},      // 10
    {20, 3, 5.0f, 2, 20, 3, 25.0f, 3},     // any other speed
};
constexpr ControlledWalkSteps kWalkSteps[] = {
    {0.25f, 0.5f, 0.01f, 2, 1},  {0.5f, 1.0f, 0.05f, 2, 1}, {1.0f, 6.0f, 0.25f, 2, 1},
    {1.25f, 8.0f, 0.5f, 2, 1},   {1.5f, 10.0f, 1.0f, 2, 1}, {0.5f, 1.0f, 0.0001f, 6, 3},
};
constexpr float kArrowSteps[] = {0.5f, 1.0f, 2.0f, 3.0f, 4.0f, 0.5f};

size_t SpeedRow(int16_t speed) { return speed >= 6 && speed <= 10 ? size_t(speed - 6) : 5; }

}  // namespace

DocState* NavigableState() {
    DocState* ds = CurrentDocState();
    // The first and third floors by their place: a renamed floor still navigates.
    if (!ds || !GetFirstFloorLayer() || !GetFloorLayerAt(2)) return nullptr;
    return ds;
}

const FreeNavigationSteps& FreeNavigationStepsFor(int16_t speed) { return kFreeSteps[SpeedRow(speed)]; }
const ControlledWalkSteps& ControlledWalkStepsFor(int16_t speed) { return kWalkSteps[SpeedRow(speed)]; }
float ArrowKeyStepFor(int16_t speed) { return kArrowSteps[SpeedRow(speed)]; }

void HeldArrows::set(NavigationArrow arrow, bool held) {
    switch (arrow) {
        case NavigationArrow::Left: left = held; break;
        case NavigationArrow::Right: right = held; break;
        case NavigationArrow::Up: up = held; break;
        case NavigationArrow::Down: down = held; break;
    }
}

bool ApplePortCheckArrowKeys(uint8_t left, uint8_t right, uint8_t up, uint8_t down, uint8_t clamp) {
    DocState* ds = CurrentDocState();
    if (!ds || !(left || right || up || down)) return false;
    const float length = ArrowKeyStepFor(ds->navigationSpeed), h = ds->flyValueB;
    FloatPoint& centre = ds->lightOffset;
    // (a, b) is the offset at the angle; up and down both step along h - 180, in turn.
    auto pan = [&](float degrees, float sign) {
        float a = 0, b = 0;
        GetPointFromLengthAndAngle(Radians(degrees), length, &a, &b);
        centre.floatH += sign * a;
        centre.floatV -= sign * b;
    };
    if (left) pan(h - 90.0f, 1);
    if (right) pan(h + 90.0f, 1);
    if (up) pan(h - 180.0f, -1);
    if (down) pan(h - 180.0f, 1);
    DrawRealTimeFrame();
    FlushKeys();
    if (clamp) {
        const FloatRect& lot = ds->lotRect;
        centre.floatH = std::clamp(centre.floatH, lot.floatLeft, std::max(lot.floatLeft, lot.floatRight));
        centre.floatV = std::clamp(centre.floatV, lot.floatTop, std::max(lot.floatTop, lot.floatBottom));
    }
    return true;
}

void LiveViewRightPress(DocState* ds) {
    gRealTimeElevate = !gRealTimeElevate;
    if (ds) ds->elevationView = 0;
}

// --- the plan's marker ---

PlatformRect PlanMarkerFollower::squareAround(FloatPoint at) {
    float x = at.floatH, y = 0, z = at.floatV;
    ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, gGlobalXOffset, gGlobalYOffset,
                          gGlobalZOffset, 1);
    return {x - kMarkerSquare / 2, y - kMarkerSquare / 2, kMarkerSquare, kMarkerSquare};
}

void PlanMarkerFollower::start(Base2DViewHost* plan, bool off, FloatPoint at) {
    plan_ = off ? nullptr : plan;
    square_ = squareAround(at);
}

void PlanMarkerFollower::follow(FloatPoint at) {
    if (!plan_) return;
    const PlatformRect next = squareAround(at);
    const float left = std::min(square_.x, next.x), top = std::min(square_.y, next.y);
    const float right = std::max(square_.x + square_.width, next.x + next.width);
    const float bottom = std::max(square_.y + square_.height, next.y + next.height);
    plan_->setNeedsDisplayInRect({left, top, right - left, bottom - top});
    square_ = next;
}

// --- free navigation ---

bool RealTimeRotateAnimOpenGL::begin(Base2DViewHost* plan, POINT press, bool elevation, bool commandDown,
                                     int32_t viewRight) {
    active_ = false;
    DocState* ds = NavigableState();
    if (!ds) return false;
    if (ds->cameraMode == kEyeLevel && ds->navigationFlag)
        return game_.begin(plan, press, elevation, commandDown, viewRight);
    plan_ = plan, elevation_ = elevation, held_ = {};
    fly_ = ds->cameraMode != kEyeLevel;
    controlled_ = fly_ && ds->navigationFlag;
    position_ = ds->cameraPosition, heading_ = ds->cameraHeading;
    flyPitch_ = ds->flyValueA, flyHeading_ = ds->flyValueB, distance_ = ds->flyAltitude;
    mouse_ = press;
    start_ = controlled_ ? POINT{-press.x, -press.y} : press;
    smoothed_ = start_;
    // Flying, the marker shows only while the keys pan the centre.
    marker_.start(plan, commandDown, fly_ ? ds->lightOffset : ds->cameraPosition);
    StartLoop(plan);
    active_ = true;
    return true;
}

void RealTimeRotateAnimOpenGL::mouse(POINT at) {
    if (game_.active()) game_.mouse(at);
    else mouse_ = at;
}

void RealTimeRotateAnimOpenGL::key(NavigationArrow arrow, bool down) {
    if (game_.active()) game_.key(arrow, down);
    else held_.set(arrow, down);
}

void RealTimeRotateAnimOpenGL::tick() {
    if (game_.active()) return game_.tick();
    DocState* ds = CurrentDocState();
    if (!active_ || !ds) return;
    ApplePortCheckArrowKeys(held_.left, held_.right, held_.up, held_.down, 0);
    const POINT at = controlled_ ? POINT{-mouse_.x, -mouse_.y} : mouse_;
    const FreeNavigationSteps& steps = FreeNavigationStepsFor(ds->navigationSpeed);
    if (at != smoothed_) smoothed_ = Smoothed(start_, at, fly_ ? steps.flyDivisor : steps.walkDivisor);
    if (smoothed_ != start_ || elevation_) step(*ds);
    if (fly_ && held_.any()) marker_.follow(ds->lightOffset);
    // Controlled, the view turns by what the pointer moved since the last tick only.
    if (controlled_) start_ = smoothed_;
}

void RealTimeRotateAnimOpenGL::step(DocState& ds) {
    const FreeNavigationSteps& steps = FreeNavigationStepsFor(ds.navigationSpeed);
    const int32_t dx = smoothed_.x - start_.x, dy = smoothed_.y - start_.y;
    bool turned = false;
    if (!fly_) {
        if (dx != 0) heading_ = WrapOnce(heading_ - dx / steps.walkPixelsPerDegree), turned = true;
        if (dy != 0) {
            const float m = dy / steps.walkPixelsPerInch;
            position_.floatH += m * std::sin(Radians(heading_));
            position_.floatV += m * std::cos(Radians(heading_));
        }
        const bool moved = turned || position_ != ds.cameraPosition;
        ds.cameraPosition = position_, ds.cameraHeading = heading_;
        if (moved) marker_.follow(position_);
        if (elevation_) ds.eyeHeight += gRealTimeElevate ? steps.eyeHeightStep : -steps.eyeHeightStep;
        if (turned && gAnimateBackground) AnimateBackground(&ds);
        if (elevation_ && ds.navigationSpeed == 6) SetupTopoTrimObjectList();
    } else {
        const float perDegree = controlled_ ? steps.flyControlledPixelsPerDegree : steps.flyPixelsPerDegree;
        if (dy != 0 || elevation_) flyPitch_ = std::clamp(flyPitch_ - dy / perDegree, kLeastFlyPitch, kMostFlyPitch);
        if (elevation_) {
            // Never down to the step itself: the eye would reach the centre.
            if (gRealTimeElevate) distance_ += steps.flyDistanceStep;
            else if (distance_ - steps.flyDistanceStep > steps.flyDistanceStep) distance_ -= steps.flyDistanceStep;
            ds.flyAltitude = distance_ = std::min(distance_, kMostFlyDistance);
        }
        if (dx != 0) flyHeading_ = WrapOnce(flyHeading_ - dx / perDegree);
        ds.flyValueA = flyPitch_, ds.flyValueB = flyHeading_;
        if (dx != 0 && gAnimateBackground) AnimateBackground(&ds);
    }
    DrawRealTimeFrame();
}

void RealTimeRotateAnimOpenGL::end() {
    if (game_.active()) return game_.end();
    if (!active_) return;
    active_ = false;
    held_ = {};
    FinishLoop(plan_);
    plan_ = nullptr;
}

// --- controlled walk ---

bool RealTimeRotateAnimOpenGLGAME::begin(Base2DViewHost* plan, POINT press, bool elevation, bool commandDown,
                                         int32_t viewRight) {
    active_ = false;
    DocState* ds = NavigableState();
    if (!ds) return false;
    plan_ = plan, elevation_ = elevation, held_ = {}, right_ = viewRight;
    start_ = smoothed_ = mouse_ = press;
    startHeading_ = ds->cameraHeading, startPitch_ = ds->cameraValue;
    accumulator_ = 0, position_ = ds->cameraPosition;
    marker_.start(plan, commandDown, ds->cameraPosition);
    StartLoop(plan);
    active_ = true;
    return true;
}

void RealTimeRotateAnimOpenGLGAME::tick() {
    DocState* ds = CurrentDocState();
    if (!active_ || !ds) return;
    const ControlledWalkSteps& steps = ControlledWalkStepsFor(ds->navigationSpeed);
    bool changed = false, turned = false;

    accumulator_ += steps.keyAcceleration;
    const float v = (steps.keyBaseSpeed + accumulator_) / static_cast<float>(std::max(steps.keyDivisor, 1));
    const float h = Radians(ds->cameraHeading), sinH = std::sin(h), cosH = std::cos(h);
    FloatPoint& p = position_;
    // Walking up or down a slope in the elevation mode: the plan step splits by twice the
    // pitch into a climb and a further plan move.
    auto climb = [&](float sign) {
        if (!elevation_) return;
        const float dh = p.floatH - ds->cameraPosition.floatH, dv = p.floatV - ds->cameraPosition.floatV;
        const float length = std::sqrt(dh * dh + dv * dv);
        const float e = length * std::sin(Radians(2.0f * ds->cameraValue));
        const float r = std::sqrt(std::max(0.0f, length * length - e * e));
        p.floatH += sign * r * sinH, p.floatV += sign * r * cosH;
        ds->eyeHeight += sign * e;
        changed = changed || e != 0;
    };
    if (held_.left) p.floatH -= v * cosH, p.floatV += v * sinH;
    if (held_.right) p.floatH += v * cosH, p.floatV -= v * sinH;
    if (held_.up) p.floatH -= v * sinH, p.floatV -= v * cosH, climb(-1);
    if (held_.down) p.floatH += v * sinH, p.floatV += v * cosH, climb(1);
    if (!held_.any()) accumulator_ = 0;
    if (p != ds->cameraPosition) {
        ds->cameraPosition = p, changed = true;
        marker_.follow(p);
    }

    if (mouse_ != smoothed_) smoothed_ = Smoothed(start_, mouse_, steps.mouseDivisor);
    if (smoothed_.y != start_.y) {
        const float pitch = static_cast<float>(
            std::clamp(startPitch_ + (smoothed_.y - start_.y) / kPixelsPerPitchDegree, double(-kMostWalkPitch),
                       double(kMostWalkPitch)));
        if (pitch != ds->cameraValue) ds->cameraValue = pitch, changed = true;
    }
    float heading = ds->cameraHeading;
    if (mouse_.x < 0) {
        heading += steps.turnRate, startHeading_ += steps.turnRate;
    } else if (mouse_.x > right_) {
        heading -= steps.turnRate, startHeading_ -= steps.turnRate;
    } else if (mouse_.x >= 1 && mouse_.x < right_ && smoothed_.x != start_.x) {
        heading = startHeading_ - static_cast<float>(smoothed_.x - start_.x);
    }
    heading = WrapOnce(heading);
    if (heading != ds->cameraHeading) {
        ds->cameraHeading = heading, changed = turned = true;
        marker_.follow(ds->cameraPosition);
    }

    if (changed) {
        if (turned && gAnimateBackground) AnimateBackground(ds);
        if (ds->navigationSpeed == 6) SetupTopoTrimObjectList();
        DrawRealTimeFrame();
    }
    FlushKeys();
}

void RealTimeRotateAnimOpenGLGAME::end() {
    if (!active_) return;
    active_ = false;
    held_ = {};
    FinishLoop(plan_);
    plan_ = nullptr;
}

// --- cut-away ---

void RealTimeCutawayOpenGL::begin() {
    if (active_ || !CurrentDocState()) return;
    active_ = true;
    gRealTimeDraw = 1;
    gRenderingOpenGL = 1;
    RTInitializeGLScene();
}

void RealTimeCutawayOpenGL::change() {
    if (!CurrentDocState()) return;
    const bool own = !active_;
    if (own) begin();
    ComputeSlicePlane();
    DrawRealTimeFrame();
    if (own) end();
}

void RealTimeCutawayOpenGL::end() {
    if (!active_) return;
    active_ = false;
    gRenderingOpenGL = 0;
    gRealTimeDraw = 0;
    gRefreshRender = 1;
    LiveViewNeedsDisplay();
}
