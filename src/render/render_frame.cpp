#include "render/render_frame.h"

#include <GL/glu.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "render/core/accumulation_seams.h"
#include "render/core/interrupt_source.h"
#include "render/core/jitter.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "scene/pick_state.h"
#include "model/render_state.h"
#include "render/core/shadow_seams.h"
#include "render/core/slice_plane.h"
#include "render/frame_camera.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/lot_renderers.h"
#include "render/scene_list_renderer.h"
#include "render/slice_plane_gl.h"
#include "scene/plane_object.h"

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

constexpr double kNear = 1.0;
constexpr double kFar = 40000.0;
constexpr double kOrthoDepth = 30000.0;
constexpr int32_t kDefaultPasses = 8;

int gPresentationHolds = 0;

bool HasLiveView() { return LiveViewControllerExists() && CurrentLiveViewHost(); }

struct ViewSize {
    int w = 0, h = 1;
};

// The viewport from the live view's bounds; a height of 0 counts as 1.
ViewSize LoadViewport() {
    const FloatRect b = CurrentLiveViewHost()->liveViewOGLViewBounds();
    ViewSize v{int(b.floatRight - b.floatLeft), int(b.floatBottom - b.floatTop)};
    if (v.h == 0) v.h = 1;
    glViewport(0, 0, v.w, v.h);
    return v;
}

void DrawScene() { RenderGLPlaneObjects(gGLPlaneObjects); }

// Wireframe as lines; ClearView as its line mode, then its filled mode pushed behind the
// lines; any other mode once. The render mode reads as before on return.
void DrawByRenderMode(DocState& ds, void (*draw)()) {
    const uint8_t keepInterrupt = gDisableRenderInterrupt;
    switch (ds.renderMode) {
    case rendermode::kWireframe:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        draw();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        gDisableRenderInterrupt = keepInterrupt;
        return;
    case rendermode::kClearView:
        ds.renderMode = rendermode::kLines;
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        draw();
        gDisableRenderInterrupt = keepInterrupt;
        ds.renderMode = rendermode::kFilled;
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 1.0f);
        draw();
        glDisable(GL_POLYGON_OFFSET_FILL);
        ds.renderMode = rendermode::kClearView;
        return;
    default: draw(); return;
    }
}

// ClearView and the elevations show the backdrop as a plain fill.
void DrawBackdrop(DocState& ds, bool jitter, int32_t pass) {
    const int16_t mode = ds.renderMode;
    if (mode == rendermode::kClearView || ds.elevationView != 0) ds.renderMode = rendermode::kFilled;
    RenderGLBackground(jitter, pass);
    ds.renderMode = mode;
}

void BlendOn(const DocState& ds) {
    if (!ds.renderFlag) return;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void BlendOff(const DocState& ds) {
    if (ds.renderFlag) glDisable(GL_BLEND);
}

void ClearColour(const DocState& ds) {
    if (gRenderPlantsInColor) glClearColor(1, 1, 1, 1);
    else if (ds.renderMode == rendermode::kWireframe)
        glClearColor(ds.sceneColor.red / 65535.0f, ds.sceneColor.green / 65535.0f, ds.sceneColor.blue / 65535.0f, 1);
    else glClearColor(0, 0, 0, 1);
}

bool TopographyShown(const DocState& ds) { return !(ds.renderValue & hideflag::kTopography); }

// Viewport, camera and lot of one jittered pass. A perspective pass finds its jittered frustum
// and an identity view already loaded; an elevation builds its own shifted orthographic one.
void InitializeAntiAliasPass(double fov, double aspect, double jitterX, double jitterY, double /*focus*/) {
    DocState* ds = CurrentDocState();
    if (!ds || !HasLiveView()) return;
    const ViewSize v = LoadViewport();
    if (ds->elevationView != 0) {
        const ElevationRange range = ComputeElevationRange(ds->elevationView, v.w, v.h);
        const double nearPlane = 3.0 * v.w;
        const double top = nearPlane * std::tan(fov * kRadians / 2.0), right = aspect * top;
        const double dx = v.w > 0 ? -(2.0 * right * jitterX / v.w) : 0.0;
        const double dy = -(2.0 * top * jitterY / v.h);
        LoadElevationView(*ds, range, dx, dy, kOrthoDepth);
    } else {
        ApplyLiveViewCamera(*ds);
    }
    if (!TopographyShown(*ds)) {
        DrawByRenderMode(*ds, RenderGLLot);
        return;
    }
    if (ds->elevationView != 0) return;
    BlendOn(*ds);
    if (ds->renderMode != rendermode::kClearView) {
        // The soil sides must not be masked by the openings of the pass before.
        const GLboolean stencil = glIsEnabled(GL_STENCIL_TEST);
        glDisable(GL_STENCIL_TEST);
        RenderGLLotBase();
        if (stencil) glEnable(GL_STENCIL_TEST);
    }
    DrawByRenderMode(*ds, RenderGLLot);
    BlendOff(*ds);
}

// An Escape seen during any pass leaves the sum unreturned and the frame unpresented.
void AntiAliasedPasses(DocState& ds, std::optional<AccumBuffer::Path> path) {
    glDisable(GL_CLIP_PLANE0);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::optional<AccumBuffer> sum;
    if (path) sum.emplace(*path);
    else sum.emplace();
    sum->clear();
    const int32_t passes = ds.lightSetting;
    const double aspect = double(viewport[2]) / (viewport[3] != 0 ? viewport[3] : 1);
    for (int32_t i = 0; i < passes; ++i) {
        if (gBreakOpenGLRender) return;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClear(GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
        if (ds.renderMode != rendermode::kWireframe) DrawBackdrop(ds, true, i);
        const JitterPoint j = JitterOffset(passes, i);
        if (ds.elevationView != 0) InitializeAntiAliasGLScene(gFOV, aspect, j.x, j.y, 1.0);
        else accPerspective(gFOV, aspect, kNear, kFar, j.x, j.y, 0.0, 0.0, 1.0);
        if (ds.cutAwayPosition != 0) glEnable(GL_CLIP_PLANE0);
        if (i == 0) gCountRenderingObjects = 1;
        BlendOn(ds);
        DrawByRenderMode(ds, DrawScene);
        glDisable(GL_CLIP_PLANE0);
        BlendOff(ds);
        if (i == 0) gCountRenderingObjects = 0;
        sum->add(1.0f / float(passes));
    }
    if (gBreakOpenGLRender) return;
    sum->returnScaled(1.0f);
    FinalizeGLScene();
}

void RenderPasses(std::optional<AccumBuffer::Path> path) {
    DocState* ds = CurrentDocState();
    if (!ds || !HasLiveView()) return;
    // 0 means the default quality; below it the settings block was damaged.
    if (ds->lightSetting <= 0) ds->lightSetting = kDefaultPasses;
    RenderInterruptScope busy;
    gGLObjectsRendered = 0;
    // A shadow render's own passes leave its light progress showing.
    if (!gRenderOpenGLAntiAlias && !gRenderingShadowMap) ResetAnimatedLVStatus();
    gRenderingOpenGL = 1;
    const bool noColour = ds->renderMode == rendermode::kNoColour;
    if (noColour) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    InitializeGLScene();
    if (ds->cutAwayPosition != 0) glEnable(GL_CLIP_PLANE0);
    if (!gRenderOpenGLAntiAlias) {
        BlendOn(*ds);
        const bool wireframe = ds->renderMode == rendermode::kWireframe;
        if (wireframe) glDisable(GL_DEPTH_TEST);
        DrawByRenderMode(*ds, DrawScene);
        if (wireframe) glEnable(GL_DEPTH_TEST);
        BlendOff(*ds);
        FinalizeGLScene();
    } else {
        AntiAliasedPasses(*ds, path);
    }
    glDisable(GL_CLIP_PLANE0);
    if (noColour) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gGLObjectsRendered = 0;
    gRenderingOpenGL = 0;
    if (!gBreakOpenGLRender) {
        if (!gRenderingShadowMap) ResetAnimatedLVStatus();
        return;
    }
    glFlush();
    ResetAnimatedLVStatus();
    SetLVStatusString(LocalizedString("Rendering interrupted").c_str());
}

}  // namespace

void RefreshGLScene() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    gBreakOpenGLRender = 0;
    const int16_t mode = ds->renderMode;
    const bool shadows = ds->shadowsOn && mode != rendermode::kWireframe && mode != rendermode::kClearView;
    if (shadows && RenderShadows.IsSet()) RenderShadows();
    else RenderGLScene();
    RenderLights(gGLPlaneObjects);
    FinalizeGLScene();
    gRenderDirty = 0;
}

void RenderGLScene() { RenderPasses(std::nullopt); }
void RenderGLScene(AccumBuffer::Path path) { RenderPasses(path); }

void InitializeGLScene() {
    DocState* ds = CurrentDocState();
    if (!ds || !HasLiveView()) return;
    gFOV = ds->cameraMode == 2 ? gChopperFOV : gWalkFOV;
    const ViewSize v = LoadViewport();
    ClearColour(*ds);
    if (gRenderOpenGLAntiAlias) glClearAccum(0, 0, 0, 0);
    glShadeModel(GL_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DITHER);
    const int16_t mode = ds->renderMode;
    if (!gRenderOpenGLAntiAlias && mode != rendermode::kNoColour && mode != rendermode::kWireframe)
        DrawBackdrop(*ds, false, 0);
    if (ds->elevationView == 0) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(gFOV, double(v.w) / v.h, kNear, kFar);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        ApplyLiveViewCamera(*ds);
    } else {
        LoadElevationView(*ds, ComputeElevationRange(ds->elevationView, v.w, v.h), 0, 0, kOrthoDepth);
    }
    SetSlicePlaneBounds();
    ComputeSlicePlane();
    LoadSlicePlane();
    glClear(GL_STENCIL_BUFFER_BIT);
    gCurrentStencilValue = 2;
    // With the topography shown an elevation has no lot, and each pass of a final render
    // draws its own.
    const bool topography = TopographyShown(*ds);
    if (topography && (ds->elevationView != 0 || gRenderOpenGLAntiAlias)) return;
    BlendOn(*ds);
    if (topography && ds->renderMode != rendermode::kClearView) RenderGLLotBase();
    DrawByRenderMode(*ds, RenderGLLot);
    BlendOff(*ds);
}

PresentationHold::PresentationHold() { ++gPresentationHolds; }
PresentationHold::~PresentationHold() { --gPresentationHolds; }

void FinalizeGLScene() {
    if (!HasLiveView() || gBreakOpenGLRender || gRenderPlantsInColor || gPresentationHolds > 0) return;
    const DocState* ds = CurrentDocState();
    if (ds && ds->renderMode == rendermode::kNoColour) return;
    CurrentLiveViewHost()->flushBuffer();
}

void StartRenderFrame() { SetInitializeAntiAliasGLSceneHandler(InitializeAntiAliasPass); }
