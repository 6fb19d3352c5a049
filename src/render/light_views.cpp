#include "render/light_views.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <new>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/render_state.h"
#include "port/seam.h"
#include "render/core/jitter.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "render/core/pick_state.h"
#include "render/core/render_guards.h"
#include "render/core/slice_plane.h"
#include "render/gl.h"
#include "render/gl_scoped_state.h"
#include "render/lot_renderers.h"
#include "render/scene_list_renderer.h"
#include "render/shadow_render.h"
#include "render/slice_plane_gl.h"
#include "scene/plane_object.h"

double gLightMVMatrix[16] = {}, gLightProjMatrix[16] = {};
int32_t gLightViewPort[4] = {};

static const port::GlobalReset kReset([] {
    std::fill_n(gLightMVMatrix, 16, 0.0), std::fill_n(gLightProjMatrix, 16, 0.0), std::fill_n(gLightViewPort, 4, 0);
});

ViewMatrices SavedLightView() { return ViewOf(gLightMVMatrix, gLightProjMatrix, gLightViewPort); }

namespace {

constexpr double kRadians = 0.01745329238474369;
constexpr float kFullQuality = 5;
constexpr float kJitterReach = 3.0f;
constexpr float kAmbientFov = 105.0f;
constexpr int32_t kAmbientFalloff = 3;
constexpr float kAmbientPitch = 52.0f;

int32_t Passes(const DocState& ds) { return ds.lightSetting > 0 ? ds.lightSetting : 8; }

void ReadLightMatrices() {
    glGetDoublev(GL_MODELVIEW_MATRIX, gLightMVMatrix);
    glGetDoublev(GL_PROJECTION_MATRIX, gLightProjMatrix);
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    std::copy(v, v + 4, gLightViewPort);
}

// The depth image from the light moved by its offset, then the unmoved light's matrices.
// False when the depth image could not be kept.
bool TakeLightViews(bool sun, float y, float x, float z, float pitch, float heading, float fov, int16_t type) {
    ScopedFlag drawing(gRenderGL, 1);
    ScopedColorWrites off(false);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.5f, 3.0f);
    const Vec3 o = GetLightOffset(x, z, pitch, heading, type);
    RenderGLLightScene(sun, float(x + o.x), float(z + o.z), heading, pitch, float(y + o.y), fov);
    glDisable(GL_POLYGON_OFFSET_FILL);
    ReadLightMatrices();
    const int lw = gLightViewPort[2], lh = gLightViewPort[3];
    bool kept = lw > 0 && lh > 0;
    if (kept) {
        try {
            gLightDBuffer.resize(size_t(lw) * lh);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(gLightViewPort[0], gLightViewPort[1], lw, lh, GL_DEPTH_COMPONENT, GL_FLOAT,
                         gLightDBuffer.data());
        } catch (const std::bad_alloc&) {
            gLightDBuffer = {};
            kept = false;
        }
    }
    {
        ScopedFlag matricesOnly(gRenderForBuffer, 0);
        gRenderGL = 0;
        RenderGLLightScene(sun, x, z, heading, pitch, y, fov);
        ReadLightMatrices();
    }
    return kept;
}

bool PixelBuffersReady() {
    const size_t n = size_t(gVPWidth) * size_t(gVPHeight);
    return n > 0 && gCamDBuffer.size() >= n && gEyeUnProBuf.size() >= 3 * n && gLightMap.size() >= n &&
           gLightMapAA.size() >= n && gMultiMap.size() >= n && !gLightDBuffer.empty();
}

// Every camera pixel the light view sees (on a checkerboard when `checker`), with whether the
// light reaches it and its falloff.
// The eye positions are filled by the first view of a camera that does pixel work (sun grid
// views do none) and kept for the camera's other views.
template <class Visit>
void ForEachSeenPixel(bool checker, const FloatRect& r, int32_t falloff, Visit visit) {
    if (gFillUnProjectBuffer) FillEyePositions(CameraView(), gCamDBuffer, gVPWidth, gVPHeight, gEyeUnProBuf);
    gFillUnProjectBuffer = 0;
    const ViewProjector light(SavedLightView());
    const int lw = gLightViewPort[2], lh = gLightViewPort[3];
    if (gLightDBuffer.size() < size_t(lw) * size_t(lh)) return;
    const int32_t mode = CurrentFalloffMode();
    for (int y = 0; y < gVPHeight; ++y)
        for (int x = checker ? y % 2 : 0; x < gVPWidth; x += checker ? 2 : 1) {
            const size_t i = size_t(y) * gVPWidth + x;
            const float d = gCamDBuffer[i];
            if (!(d > 0 && d < 1)) continue;
            double lx, ly, lz;
            if (!light.project(&gEyeUnProBuf[3 * i], &lx, &ly, &lz)) continue;
            if (!(lz > 0 && lz < 1) || !(lx >= 0 && lx < lw) || !(ly >= 0 && ly < lh)) continue;
            const float ld = gLightDBuffer[size_t(std::floor(lx)) + size_t(std::floor(ly)) * lw];
            if (!(ld > 0 && ld < 1)) continue;
            const float t = GetPixelDistance(float(lx), float(r.floatBottom - ly), r.floatLeft, r.floatTop, r.floatRight,
                                             r.floatBottom, falloff, mode);
            if (t <= -1) continue;
            visit(i, ld > lz, t);
        }
}

// The ambient map keeps the smallest positive contribution of a fixture's views.
void KeepSmallest(float& stored, float v) {
    if (stored <= 0 || stored > v) stored = v;
}

bool AmbientSwitchSet() { return gAmbientLightDown || gAmbientLightUp || gAmbientLightUpDown; }

void ApplyQuick(const FloatRect& r, int32_t falloff, float intensity) {
    const bool ambient = AmbientSwitchSet();
    ForEachSeenPixel(true, r, falloff, [&](size_t i, bool lit, float t) {
        if (!lit) return;
        if (ambient) return KeepSmallest(gMultiMap[i], (1 - t) * intensity);
        const float c = (1 - gLightMap[i]) * intensity * (1 - t);
        gLightMap[i] += c;
        gLightMapAA[i] = c;
    });
    FillUntestedPixels(gLightMap, gLightMapAA, gVPWidth, gVPHeight, !ambient);
}

void ApplyFull(const FloatRect& r, int32_t falloff, float intensity) {
    const bool ambient = AmbientSwitchSet();
    const bool plants = gPlantColorBuffer.size() >= size_t(gVPWidth) * gVPHeight * 3;
    ForEachSeenPixel(false, r, falloff, [&](size_t i, bool lit, float t) {
        // Plants do not shadow themselves.
        if (!lit && !(plants && IsPlantPixel(&gPlantColorBuffer[3 * i]))) return;
        if (ambient) return KeepSmallest(gMultiMap[i], (1 - t) * intensity);
        gLightMap[i] += (1 - gLightMap[i]) * intensity * (1 - t);
    });
}

void ApplySoft(DocState& ds, float y, float x, float z, float pitch, float heading, float fov, int32_t falloff,
               float intensity, int16_t type, const FloatRect& r) {
    const int32_t passes = Passes(ds);
    std::fill(gLightMapAA.begin(), gLightMapAA.end(), 0.0f);
    for (int32_t k = 0; k < passes; ++k) {
        if (BreakOpenRender()) break;
        if (gBreakOpenGLRender) continue;
        const JitterPoint j = JitterOffset(passes, k);
        x += kJitterReach * float(j.x), z += kJitterReach * float(j.y);
        if (TakeLightViews(false, y, x, z, pitch, heading, fov, type) && PixelBuffersReady())
            ForEachSeenPixel(false, r, falloff, [&](size_t i, bool lit, float t) {
                if (lit) gLightMapAA[i] += (1 - t) * intensity / float(passes);
            });
    }
    FoldIntoLightMap(gLightMap, gLightMapAA);
}

}  // namespace

void InitializeGLLightScene(bool sun, float x, float z, float heading, float pitch, float y, float fov) {
    LiveViewHost* host = CurrentLiveViewHost();
    if (!host) return;
    const FloatRect b = host->liveViewOGLViewBounds();
    int w = int(b.floatRight - b.floatLeft);
    int h = int(b.floatBottom - b.floatTop);
    if (sun && gSunViewWidth > 0 && gSunViewHeight > 0) w = gSunViewWidth, h = gSunViewHeight;
    if (h == 0) h = 1;
    glViewport(0, 0, w, h);
    if (gRenderForBuffer) {
        glClearColor(0, 0, 0, 1);
        glShadeModel(GL_SMOOTH);
        glClear(GL_DEPTH_BUFFER_BIT);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DITHER);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (!sun) {
        gluPerspective(fov, double(w) / h, 1.0, 40000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glRotatef(pitch, 1, 0, 0);
        glRotatef(heading, 0, -1, 0);
        glTranslatef(-x, -y, -z);
    } else {
        glOrtho(gOrthoSizeLeft, gOrthoSizeRight, gOrthoSizeBottom, gOrthoSizeTop, -30000.0, 30000.0);
        glTranslatef(0, gVerticalSunOffset, 0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        float a = 0, ey = 0, ex = 0, ez = 0;
        GetPointFromLengthAndAngle(float(pitch * kRadians), y, &a, &ey);
        GetPointFromLengthAndAngle(float(-heading * kRadians), a, &ex, &ez);
        glRotatef(pitch, 1, 0, 0);
        glRotatef(heading + 90, 0, 1, 0);
        glTranslatef(ex, ey, ez);
        const float v = y != 1000.0f && pitch < 25 ? -(y - 1000) : 0;
        glTranslatef(gXSunOffset, v, gZSunOffset);
    }
    const DocState* ds = CurrentDocState();
    if (ds && ds->cutAwayPosition != 0) {
        SetSlicePlaneBounds();
        ComputeSlicePlane();
        LoadSlicePlane();
    }
    if (gRenderForBuffer) {
        glClear(GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
    }
}

void RenderGLLightScene(bool sun, float x, float z, float heading, float pitch, float y, float fov) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    {
        ScopedFlag rendering(gRenderingOpenGL, 1);
        InitializeGLLightScene(sun, x, z, heading, pitch, y, fov);
        ScopedRenderMode depthOnly(ds, rendermode::kNoColour);
        if (ds->cutAwayPosition != 0) glEnable(GL_CLIP_PLANE0);
        if (gRenderForBuffer) {
            RenderGLPlaneObjectsPlantsOnly(gGLPlaneObjects);
            if (gShadowDisplayList != 0) {
                glCallList(gShadowDisplayList);
            } else {
                gShadowDisplayList = glGenLists(1);
                if (gShadowDisplayList) glNewList(gShadowDisplayList, GL_COMPILE_AND_EXECUTE);
                {
                    ScopedFlag occluders(gHideNonShadowObjects, 1), noPlants(gNoPlants, 1);
                    RenderGLPlaneObjects(gGLPlaneObjects);
                }
                if (gShadowDisplayList) glEndList();
            }
            glDisable(GL_CLIP_PLANE0);
            RenderGLLot();
        }
        glDisable(GL_CLIP_PLANE0);
    }
    if (gBreakOpenGLRender) {
        glFlush();
        ResetAnimatedLVStatus();
        SetLVStatusString(LocalizedString("Rendering interrupted").c_str());
    }
}

void RenderLightView(DocState* ds, float y, float x, float z, float pitch, float heading, bool sun, float fov,
                     int32_t falloff, float intensity, int16_t type) {
    LiveViewHost* host = CurrentLiveViewHost();
    if (!ds || !host || !LiveViewControllerExists()) return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    struct Pop {
        ~Pop() {
            glMatrixMode(GL_MODELVIEW);
            glPopMatrix();
        }
    } pop;
    UpdateShadowGLRenderStatus();
    const FloatRect r = host->liveViewOGLViewBounds();
    if (BreakOpenRender()) return;
    if (!sun && !AmbientSwitchSet() && gRenderingShadowMapAntiAlias) {
        ApplySoft(*ds, y, x, z, pitch, heading, fov, falloff, intensity, type, r);
    } else {
        const bool kept = TakeLightViews(sun, y, x, z, pitch, heading, fov, type);
        if (!gFillingBucketBuffer && kept && PixelBuffersReady()) {
            if (ds->shadowQuality != kFullQuality) ApplyQuick(r, falloff, intensity);
            else ApplyFull(r, falloff, intensity);
        }
    }
    UpdateShadowGLRenderStatus();
}

void RenderAmbient(DocState* ds, float y, float x, float z, float intensity, bool up, bool down) {
    if (!ds || (!up && !down)) return;
    auto views = [&](float px, float pz) {
        auto four = [&](float pitch) {
            for (float heading : {0.0f, 90.0f, 180.0f, 270.0f})
                RenderLightView(ds, y, px, pz, pitch, heading, false, kAmbientFov, kAmbientFalloff, intensity, 79);
        };
        if (up && down) {
            ScopedFlag both(gAmbientLightUpDown, 1);
            four(kAmbientPitch);
            ScopedFlag looksUp(gFadeDown, 1);
            four(-kAmbientPitch);
        } else if (down) {
            ScopedFlag only(gAmbientLightDown, 1);
            four(kAmbientPitch);
        } else {
            ScopedFlag only(gAmbientLightUp, 1), looksUp(gFadeDown, 1);
            four(-kAmbientPitch);
        }
    };
    if (!gRenderingShadowMapAntiAlias) {
        views(x, z);
        FoldIntoLightMap(gLightMap, gMultiMap);
        return;
    }
    const int32_t passes = Passes(*ds);
    for (int32_t k = 0; k < passes; ++k) {
        if (BreakOpenRender()) break;
        if (gBreakOpenGLRender) continue;
        const JitterPoint j = JitterOffset(passes, k);
        x += kJitterReach * float(j.x), z += kJitterReach * float(j.y);
        views(x, z);
        FoldIntoLightMap(gLightMap, gMultiMap, 1.0f / float(passes));
    }
}
