#include "render/rt_frame.h"

#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "port/seam.h"
#include "render/core/display_list_seams.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "render/core/pick_seams.h"
#include "scene/pick_state.h"
#include "render/core/plane_material.h"
#include "render/core/real_time_quality.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "render/core/slice_plane.h"
#include "render/frame_camera.h"
#include "render/gl.h"
#include "render/gl_surface.h"
#include "render/lot_renderers.h"
#include "render/rt_display_lists.h"
#include "render/rt_lot_renderers.h"
#include "render/rt_scene_list.h"
#include "render/slice_plane_gl.h"
#include "scene/plane_object.h"

float gRTAspect = 1.0f;
static const port::GlobalReset kReset([] { gRTAspect = 1.0f; });

namespace {

constexpr double kNear = 1.0;
constexpr double kFar = 40000.0;
constexpr double kOrthoDepth = 40000.0;
constexpr double kPickBox = 2.0;
constexpr int32_t kFirstCustomTexture = 20000;
// ClearView's fills lie this far from the line colour towards the paper colour.
constexpr double kClearViewTint = 0.87;

LiveViewHost* Host() { return LiveViewControllerExists() ? CurrentLiveViewHost() : nullptr; }

struct Viewport {
    int w = 0, h = 1;
};
Viewport LoadViewport(LiveViewHost* host) {
    const FloatRect b = host->liveViewOGLViewBounds();
    Viewport v{int(b.floatRight - b.floatLeft), int(b.floatBottom - b.floatTop)};
    if (v.h == 0) v.h = 1;
    glViewport(0, 0, v.w, v.h);
    return v;
}

bool MakeCurrent(LiveViewHost* host) {
    GLSurface* surface = host->surface();
    return !surface || surface->makeCurrent();
}

bool TexturesHidden(const DocState& ds) { return (ds.renderValue & hideflag::kMaterials) != 0; }
bool PaperCleared(const DocState& ds) {
    return ds.renderMode == rendermode::kClearView || ds.renderMode == rendermode::kWireframe || ds.elevationView != 0;
}

void ClearColour(const DocState& ds) {
    RGBColor c = ds.skyColor;
    if (PaperCleared(ds)) c = ClearViewFillColor(&ds);
    else if (ds.navigationSpeed <= 9 && !TexturesHidden(ds)) c = {};
    if (ds.renderMode == rendermode::kWireframe) c = ds.sceneColor;
    glClearColor(c.red / 65535.0f, c.green / 65535.0f, c.blue / 65535.0f, 1.0f);
}

void DepthTest(const DocState& ds) {
    if (ds.renderMode == rendermode::kWireframe) glDisable(GL_DEPTH_TEST);
    else glEnable(GL_DEPTH_TEST);
}

void PickBox() {
    if (!gGLPickMode) return;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluPickMatrix(gPickX, viewport[3] - gPickY, kPickBox, kPickBox, viewport);
}

void Perspective(const DocState& ds) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    PickBox();
    gluPerspective(gFOV, gRTAspect, kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DepthTest(ds);
}

void Colour(RGBColor c, uint8_t alpha) { glColor4ub(ColorByte(c.red), ColorByte(c.green), ColorByte(c.blue), alpha); }

RGBColor ClearViewTint(const DocState& ds) {
    const RGBColor l = ClearViewLineColor(), p = ClearViewFillColor(&ds);
    auto mix = [](uint16_t a, uint16_t b) { return uint16_t(int32_t(a + (double(b) - a) * kClearViewTint)); };
    return {mix(l.red, p.red), mix(l.green, p.green), mix(l.blue, p.blue)};
}

// Draws `lot` as ClearView does: lines in the line colour, then fills pushed behind them.
void ClearViewTwice(DocState& ds, void (*lot)(), bool colours) {
    ds.renderMode = rendermode::kLines;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    if (colours) Colour(ClearViewLineColor(), ClearViewOpacity(&ds));
    lot();
    ds.renderMode = rendermode::kFilled;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (colours) Colour(ClearViewFillColor(&ds), ClearViewOpacity(&ds));
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    lot();
    glDisable(GL_POLYGON_OFFSET_FILL);
    ds.renderMode = rendermode::kClearView;
}

void FullQualityLot(DocState& ds) {
    switch (ds.renderMode) {
    case rendermode::kWireframe:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        RenderGLLot();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        return;
    case rendermode::kClearView: ClearViewTwice(ds, RenderGLLot, false); return;
    default:
        RenderGLLotBase();
        RenderGLLot();
        return;
    }
}

void RealTimeLot(DocState& ds) {
    if (ds.elevationView != 0) return;
    switch (ds.renderMode) {
    case rendermode::kWireframe:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Colour(ds.lotColor, ClearViewOpacity(&ds));
        RTRenderGLLot();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        return;
    case rendermode::kClearView: ClearViewTwice(ds, RTRenderGLLot, true); return;
    default:
        RTRenderGLLotBase();
        RTRenderGLLot();
        return;
    }
}

}  // namespace

namespace rt {

void RTInitializeGLScene() {
    DocState* ds = CurrentDocState();
    LiveViewHost* host = Host();
    if (!ds || !host || !MakeCurrent(host)) return;
    gFOV = ds->cameraMode == 2 ? gChopperFOV : gWalkFOV;
    ResetAllDisplayLists();
    const Viewport v = LoadViewport(host);
    gRTAspect = float(v.w) / float(v.h);
    ClearColour(*ds);
    glShadeModel(GL_FLAT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    Perspective(*ds);
    SetupTopoTrimObjectList();
}

void RTSetViewpoint(DocState& ds) {
    LiveViewHost* host = Host();
    if (!host) return;
    gRenderDirty = 1;
    const int16_t mode = ds.renderMode;
    const bool picture = !PaperCleared(ds) && ds.navigationSpeed <= 9 && !TexturesHidden(ds);
    const bool everyPixel = picture && ds.backgroundTexture < kFirstCustomTexture;
    // A full frame drawn since the interaction began (the view exposed meanwhile) left its own.
    ClearColour(ds);
    glClear(everyPixel ? GLbitfield(GL_DEPTH_BUFFER_BIT) : GLbitfield(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    glClear(GL_STENCIL_BUFFER_BIT);
    gCurrentStencilValue = 2;
    if (picture && !gGLPickMode) RTRenderGLBackground();
    // Elevations fit the design to the view as it is now.
    Viewport v;
    if (ds.elevationView != 0) v = LoadViewport(host);
    if (BeginDisplayList(gViewpointDisplayList)) {
        if (ds.elevationView == 0) {
            Perspective(ds);
        } else {
            LoadElevationView(ds, ComputeElevationRange(ds.elevationView, v.w, v.h), 0, 0, kOrthoDepth, PickBox);
            DepthTest(ds);
        }
        EndDisplayList(gViewpointDisplayList);
    }
    if (ds.elevationView == 0) ApplyLiveViewCamera(ds);
    if (gGLPickMode) glLoadName(kLotPickName);
    SetSlicePlaneBounds();
    ComputeSlicePlane();
    LoadSlicePlane();
    if (ds.renderFlag) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (QualityAtSpeed(ds.navigationSpeed).fullLot && !gGLPickMode && !(ds.renderValue & hideflag::kTopography))
        FullQualityLot(ds);
    else
        RealTimeLot(ds);
    if (ds.renderFlag) glDisable(GL_BLEND);
    ds.renderMode = mode;
}

void RealTimeRenderAllGLPlaneObjects(PlaneObject* first) {
    const DocState* ds = CurrentDocState();
    if (!ds || !first) return;
    if (ds->cutAwayPosition != 0) glEnable(GL_CLIP_PLANE0);
    DepthTest(*ds);
    if (ds->renderFlag) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    switch (ds->renderMode) {
    case rendermode::kWireframe:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        RealTimeRenderGLPlaneObjects(first);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        break;
    case rendermode::kClearView:
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        Colour(ClearViewLineColor(), ClearViewOpacity(ds));
        RealTimeRenderGLPlaneObjects(first);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        Colour(ClearViewTint(*ds), ClearViewOpacity(ds));
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1.0f, 1.0f);
        RealTimeRenderGLPlaneObjects(first);
        glDisable(GL_POLYGON_OFFSET_FILL);
        break;
    default: RealTimeRenderGLPlaneObjects(first); break;
    }
    if (ds->renderFlag) glDisable(GL_BLEND);
    glDisable(GL_CLIP_PLANE0);
}

void RTFinalizeGLScene() {
    if (LiveViewHost* host = Host()) host->flushBuffer();
}

}  // namespace rt

namespace {

// The hit nearest the eye among the selection records.
GLPick NearestHit(const std::vector<GLuint>& buffer, GLint hits) {
    GLPick pick;
    pick.kind = GLPick::Nothing;
    GLuint best = 0xFFFFFFFFu;
    size_t at = 0;
    for (GLint i = 0; i < hits && at + 3 <= buffer.size(); ++i) {
        const GLuint names = buffer[at], nearest = buffer[at + 1];
        if (at + 3 + names > buffer.size()) break;
        const GLuint name = names ? buffer[at + 3 + names - 1] : 0;
        at += 3 + names;
        if (!name || nearest > best) continue;
        PlaneObject* piece = name == kLotPickName ? nullptr : PickedPlaneObject(name);
        if (name != kLotPickName && !piece) continue;
        best = nearest;
        pick.kind = piece ? GLPick::Piece : GLPick::Lot;
        pick.piece = piece;
    }
    return pick;
}

GLPick Pick(int32_t x, int32_t y) {
    DocState* ds = CurrentDocState();
    LiveViewHost* host = Host();
    if (!ds || !host || !MakeCurrent(host)) return {};
    std::vector<GLuint> buffer(kPickBufferNames);
    glSelectBuffer(GLsizei(buffer.size()), buffer.data());
    gPickX = x, gPickY = y;
    gGLPickMode = 1, gRenderingOpenGL = 1;
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    rt::RTInitializeGLScene();
    rt::RTSetViewpoint(*ds);
    rt::RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
    const GLint hits = glRenderMode(GL_RENDER);
    gGLPickMode = 0, gRenderingOpenGL = 0;
    // The lists hold the pick box: no display frame may replay them.
    rt::ResetAllDisplayLists();
    // An overflowing buffer reports -1: nothing certain was hit.
    if (hits < 0) return {};
    return NearestHit(buffer, hits);
}

void RealTimeFrame() {
    DocState* ds = CurrentDocState();
    LiveViewHost* host = Host();
    if (!ds || !host || !MakeCurrent(host)) return;
    rt::RTSetViewpoint(*ds);
    rt::RealTimeRenderAllGLPlaneObjects(gGLPlaneObjects);
    rt::RTFinalizeGLScene();
}

}  // namespace

void StartRealTimeRenderer() {
    SetResetSceneDisplayListHandler(rt::ResetSceneDisplayList);
    SetRTInitializeGLSceneHandler(rt::RTInitializeGLScene);
    SetRTSetViewpointHandler([] {
        if (DocState* ds = CurrentDocState()) rt::RTSetViewpoint(*ds);
    });
    SetRealTimeRenderAllGLPlaneObjectsHandler(rt::RealTimeRenderAllGLPlaneObjects);
    SetRTFinalizeGLSceneHandler(rt::RTFinalizeGLScene);
    SetLiveViewRealTimeFrameHandler(RealTimeFrame);
    SetPickGLPlaneObjectHandler(Pick);
}
