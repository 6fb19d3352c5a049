#include "render/shadow_render.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/projection.h"
#include "model/render_state.h"
#include "port/seam.h"
#include "render/accum_buffer.h"
#include "render/core/interrupt_source.h"
#include "render/core/jitter.h"
#include "render/core/live_view_host.h"
#include "render/core/live_view_seams.h"
#include "render/core/render_guards.h"
#include "render/core/shadow_seams.h"
#include "render/core/slice_plane.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/light_views.h"
#include "render/lot_renderers.h"
#include "render/render_frame.h"
#include "render/scene_list_renderer.h"
#include "render/slice_plane_gl.h"
#include "render/sun_shadows.h"
#include "scene/plane_object.h"

std::vector<uint8_t> gDarkColorBuffer, gLightColorBuffer, gPlantColorBuffer;
std::vector<float> gCamDBuffer, gEyeUnProBuf, gLightDBuffer, gLightMap, gLightMapAA, gMultiMap;
std::vector<float> gSunMap;
int32_t gVPWidth = 0, gVPHeight = 0;
double gCamMVMatrix[16] = {}, gCamProjMatrix[16] = {};
int32_t gCamViewPort[4] = {};
uint32_t gShadowDisplayList = 0;
ShadowBufferUse gShadowBufferUse;

namespace {
// The light progress of the running render.
int32_t gStepsTotal = 0, gStepsDone = 0;

template <class T>
void Release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}
}  // namespace

// A reset has no GL context: the display list goes with the context it was made in.
static const port::GlobalReset kReset([] {
    Release(gDarkColorBuffer), Release(gLightColorBuffer), Release(gPlantColorBuffer);
    Release(gCamDBuffer), Release(gEyeUnProBuf), Release(gLightDBuffer);
    Release(gLightMap), Release(gLightMapAA), Release(gMultiMap), Release(gSunMap);
    gVPWidth = gVPHeight = 0;
    std::fill_n(gCamMVMatrix, 16, 0.0), std::fill_n(gCamProjMatrix, 16, 0.0), std::fill_n(gCamViewPort, 4, 0);
    gShadowDisplayList = 0;
    gShadowBufferUse = {};
    gStepsTotal = gStepsDone = 0;
});

namespace {

constexpr int16_t kFullyLitBrightness10 = 25;
constexpr float kTrimBrightness = 1.2f;

size_t BytesNow() {
    size_t bytes = gDarkColorBuffer.size() + gLightColorBuffer.size() + gPlantColorBuffer.size();
    for (const auto* v : {&gCamDBuffer, &gEyeUnProBuf, &gLightDBuffer, &gLightMap, &gLightMapAA, &gMultiMap, &gSunMap})
        bytes += v->size() * sizeof(float);
    return bytes;
}

// A zeroed buffer of n values; empty (and false) when memory runs out, which skips only the
// work that needs it.
template <class T>
bool Allocate(std::vector<T>& v, size_t n) {
    try {
        v.assign(n, T{});
    } catch (const std::bad_alloc&) {
        Release(v);
        return false;
    }
    ++gShadowBufferUse.allocations;
    gShadowBufferUse.peakBytes = std::max(gShadowBufferUse.peakBytes, BytesNow());
    return true;
}

int32_t Passes(const DocState& ds) { return ds.lightSetting > 0 ? ds.lightSetting : 8; }

void ReadCameraMatrices() {
    glGetDoublev(GL_MODELVIEW_MATRIX, gCamMVMatrix);
    glGetDoublev(GL_PROJECTION_MATRIX, gCamProjMatrix);
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    std::copy(v, v + 4, gCamViewPort);
}

void ReadColour(std::vector<uint8_t>& into) {
    if (into.size() < size_t(gVPWidth) * gVPHeight * 3) return;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(gCamViewPort[0], gCamViewPort[1], gVPWidth, gVPHeight, GL_RGB, GL_UNSIGNED_BYTE,
                 into.data());
}

void ReadDepth(std::vector<float>& into) {
    if (into.size() < size_t(gVPWidth) * gVPHeight) return;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(gCamViewPort[0], gCamViewPort[1], gVPWidth, gVPHeight, GL_DEPTH_COMPONENT, GL_FLOAT,
                 into.data());
}

void DeleteShadowDisplayList() {
    if (gShadowDisplayList) glDeleteLists(gShadowDisplayList, 1);
    gShadowDisplayList = 0;
}

// The scene drawn once over what the frame holds, its depth cleared first.
void DrawReference(DocState& ds) {
    ScopedFlag drawing(gRenderGL, 1);
    ScopedFlag quiet(gDisableRenderInterrupt, gRenderOpenGLAntiAlias ? gDisableRenderInterrupt : uint8_t(1));
    ScopedFlag single(gRenderOpenGLAntiAlias, 0);
    glClear(GL_DEPTH_BUFFER_BIT);
    if (ds.cutAwayPosition != 0) {
        SetSlicePlaneBounds();
        ComputeSlicePlane();
        LoadSlicePlane();
        glEnable(GL_CLIP_PLANE0);
    }
    glClear(GL_STENCIL_BUFFER_BIT);
    gCurrentStencilValue = 2;
    RenderGLPlaneObjects(gGLPlaneObjects);
    glDisable(GL_CLIP_PLANE0);
    RenderGLLot();
}

// A localised message with its one number put where the format asks for it; the translation
// is text, never a format of its own.
std::string WithNumber(const char* key, const char* placeholder, const std::string& number) {
    std::string text = LocalizedString(key);
    const size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, std::string(placeholder).size(), number);
    return text;
}

void ReportTime(double start) {
    const long seconds = std::labs(long(ShadowRenderClock() - start));
    char number[32];
    if (seconds < 60) {
        std::snprintf(number, sizeof number, "%ld", seconds);
        SetLVStatusString(WithNumber("%ld seconds to render", "%ld", number).c_str());
    } else {
        std::snprintf(number, sizeof number, "%0.2f", double(seconds) / 60.0);
        SetLVStatusString(WithNumber("%0.2f minutes to render", "%0.2f", number).c_str());
    }
}

void CastFixture(DocState& ds, const ShadowLight& light) {
    for (const LightView& v : light.views) {
        ScopedFlag down(gPointLightDownShot, v.downShot ? uint8_t(1) : gPointLightDownShot);
        RenderLightView(&ds, v.y, v.x, v.z, v.pitch, v.heading, false, v.fov, light.falloff, light.intensity, light.type);
    }
    if (light.ambientUp || light.ambientDown)
        RenderAmbient(&ds, light.ay, light.ax, light.az, light.ambientIntensity, light.ambientUp, light.ambientDown);
}

// Every switched-on light of the visible layers adds to the light map. False when the render
// was broken off.
bool CastLights(DocState& ds) {
    if (ds.renderValue & hideflag::kElectrical) return true;
    for (Layer* layer = gCurDocument ? gCurDocument->itsLayers : nullptr; layer; layer = layer->next) {
        if (BreakOpenRender()) return false;
        if (!layer->visible) continue;
        for (Objex* o = layer->firstObject; o; o = o->next) {
            if (o->type == 12) {
                for (const Objex* c = o->firstChild; c; c = c->next)
                    if (IsSwitchedOnFloodLight(*c)) CastSpotLight(o, c);
            } else {
                for (const ShadowLight& light : ShadowLightsOf(*o, ds)) CastFixture(ds, light);
            }
            if (BreakOpenRender()) return false;
        }
    }
    return true;
}

// The composite over the frame, with the scene's depth under it for the glows that follow.
void DrawComposite(DocState& ds) {
    {
        GLboolean colour[4];
        glGetBooleanv(GL_COLOR_WRITEMASK, colour);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        ScopedRenderMode depthOnly(&ds, rendermode::kNoColour);
        ScopedFlag single(gRenderOpenGLAntiAlias, 0), drawing(gRenderGL, 1);
        RenderGLScene();
        glColorMask(colour[0], colour[1], colour[2], colour[3]);
    }
    UpdateShadowGLRenderStatus();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, gVPWidth, 0, gVPHeight);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    if (gDarkColorBuffer.size() >= size_t(gVPWidth) * gVPHeight * 3) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glRasterPos2i(0, 0);
        glDrawPixels(gVPWidth, gVPHeight, GL_RGB, GL_UNSIGNED_BYTE, gDarkColorBuffer.data());
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    if (!gRenderOpenGLAntiAlias) FinalizeGLScene();
}

// The view keeps the frame it showed until the last pass is summed: a part of the sum would
// show the picture dark, brightening pass by pass.
void AntiAliasedShadowPasses(DocState& ds, int32_t steps) {
    std::optional<PresentationHold> hold(std::in_place);
    {
        ScopedFlag single(gRenderOpenGLAntiAlias, 0);
        RenderGLScene();
    }
    ScopedFlag summing(gRenderingShadowMapAntiAlias, 1);
    AccumBuffer sum;
    sum.clear();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double aspect = double(viewport[2]) / (viewport[3] != 0 ? viewport[3] : 1);
    const int32_t passes = Passes(ds);
    for (int32_t k = 0; k < passes; ++k) {
        gFillUnProjectBuffer = 1;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
        RenderGLBackground(true, k);
        const JitterPoint j = JitterOffset(passes, k);
        accPerspective(gFOV, aspect, 1.0, 40000.0, j.x, j.y, 0.0, 0.0, 1.0);
        if (gGLPlaneObjects) RenderShadowMap(steps);
        UpdateShadowGLRenderStatus();
        if (BreakOpenRender()) break;
        sum.add(1.0f / float(passes));
    }
    hold.reset();
    gRenderingShadowMapAntiAlias = 0;
    sum.returnScaled(1.0f);
    FinalizeGLScene();
}

}  // namespace

ViewMatrices CameraView() { return ViewOf(gCamMVMatrix, gCamProjMatrix, gCamViewPort); }

void FreeShadowBuffers() {
    Release(gDarkColorBuffer), Release(gLightColorBuffer), Release(gPlantColorBuffer);
    Release(gCamDBuffer), Release(gLightDBuffer);
    Release(gLightMap), Release(gLightMapAA), Release(gMultiMap), Release(gSunMap);
}

void FreeShadowRenderState() {
    FreeShadowBuffers();
    Release(gEyeUnProBuf);
    DeleteShadowDisplayList();
    FreeSunGrid();
}

bool BreakOpenRender() {
    LiveViewHost* host = CurrentLiveViewHost();
    if (gBreakOpenGLRender && !gDisableRenderInterrupt && !gPrinting3DView) {
        if (host) host->flushBufferedKeyEvents();
        return true;
    }
    if (!PollRenderInterrupt()) return false;
    if (host) host->flushBufferedKeyEvents();
    return true;
}

int32_t InitializeLightProgressBar(int32_t sunGrid) {
    const DocState* ds = CurrentDocState();
    if (!ds || !gCurDocument) return 0;
    const int32_t passes = gRenderOpenGLAntiAlias ? Passes(*ds) : 0;
    const bool empty = gGLPlaneObjects == nullptr;
    int32_t sun = 0;
    if (ds->sunOn) sun = (empty ? sunGrid : 2 * sunGrid * sunGrid) + (passes > 0 ? passes : 1);
    const int32_t lights = CountLightSteps(gCurDocument->itsLayers, *ds, passes);
    gStepsTotal = ShadowProgressTotal(sun, lights, passes, empty);
    gStepsDone = 0;
    if (LiveViewHost* host = CurrentLiveViewHost()) host->initializeLVLightProgressUsingLightCount(gStepsTotal);
    return lights;
}

void UpdateShadowGLRenderStatus() {
    SetLVStatusString(LocalizedString(gRenderOpenGLAntiAlias ? "Rendering final (press Escape to cancel)"
                                                             : "Rendering shadows (press Escape to cancel)")
                          .c_str());
    ++gStepsDone;
    gStepsTotal = std::max(gStepsTotal, 1);
    if (LiveViewHost* host = CurrentLiveViewHost()) host->updateLVLightProgressWithLightCount(gStepsDone);
}

void RenderOffscreenFullyDark() {
    if (DocState* ds = CurrentDocState()) DrawReference(*ds);
}

void RenderOffscreenFullyLight() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    const bool dim = ds->lightIntensity < kTrimBrightness;
    ScopedFlag trims(gAdjustTrimLightIntensity, dim ? uint8_t(1) : gAdjustTrimLightIntensity);
    ScopedBrightness lit(ds, kFullyLitBrightness10 / 10.0f);
    DrawReference(*ds);
}

void CastSpotLight(const Objex* wall, const Objex* light) {
    DocState* ds = CurrentDocState();
    if (!ds || !wall || !light) return;
    const std::optional<ShadowLight> flood = FloodLightOf(*wall, *light, *ds);
    if (!flood) return;
    for (const LightView& v : flood->views)
        RenderLightView(ds, v.y, v.x, v.z, v.pitch, v.heading, false, v.fov, flood->falloff, flood->intensity,
                        flood->type);
}

void RenderShadowMap(int32_t steps) {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    if (steps < 1 && !ds->sunOn) {
        RenderGLScene();
        RenderLights(gGLPlaneObjects);
        return;
    }
    // However the map ends, its buffers go and depth testing is back on.
    struct End {
        ~End() {
            FreeShadowBuffers();
            glEnable(GL_DEPTH_TEST);
            glDepthMask(GL_TRUE);
        }
    } end;
    ReadCameraMatrices();
    gVPWidth = std::max(0, gCamViewPort[2]), gVPHeight = std::max(0, gCamViewPort[3]);
    const size_t n = size_t(gVPWidth) * size_t(gVPHeight);
    if (n == 0) return;
    Allocate(gPlantColorBuffer, 3 * n);
    if (Allocate(gDarkColorBuffer, 3 * n)) {
        RenderOffscreenFullyDark();
        ReadColour(gDarkColorBuffer);
    }
    {
        ScopedFlag opaque(gSkipTransparent, 1);
        RenderOffscreenFullyDark();
    }
    if (Allocate(gCamDBuffer, n)) ReadDepth(gCamDBuffer);
    if (gEyeUnProBuf.size() < 3 * n && Allocate(gEyeUnProBuf, 3 * n)) gFillUnProjectBuffer = 1;
    Allocate(gLightDBuffer, n), Allocate(gLightMap, n), Allocate(gLightMapAA, n), Allocate(gMultiMap, n);
    if (Allocate(gLightColorBuffer, 3 * n)) {
        RenderOffscreenFullyLight();
        ReadColour(gLightColorBuffer);
    }
    {
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
        ScopedFlag plants(gRenderPlantsInColor, 1), drawing(gRenderGL, 1), single(gRenderOpenGLAntiAlias, 0);
        RenderGLScene();
    }
    ReadColour(gPlantColorBuffer);
    if (ds->sunOn && Allocate(gSunMap, n)) std::fill(gSunMap.begin(), gSunMap.end(), ds->sunValueD / 100.0f);
    if (!BreakOpenRender() && ds->sunOn) {
        if (gSunDBuffer.empty()) FillSunMapWithGrid();
        FillSunMapWithPreRenderedGrid();
        const size_t lit = std::min(gSunMap.size(), gLightMap.size());
        for (size_t i = 0; i < lit; ++i)
            if (gSunMap[i] > 0) gLightMap[i] += (1 - gLightMap[i]) * gSunMap[i];
    }
    if (!CastLights(*ds)) return;
    if (!gLightMap.empty() && !gDarkColorBuffer.empty() && !gLightColorBuffer.empty())
        CompositeShadowImage(gDarkColorBuffer, gLightColorBuffer, gLightMap);
    DrawComposite(*ds);
}

void shadow::RenderShadows() {
    DocState* ds = CurrentDocState();
    if (!ds) return;
    if (LiveViewHost* host = CurrentLiveViewHost()) host->flushBufferedKeyEvents();
    const double start = ShadowRenderClock();
    gBreakOpenGLRender = 0;
    const int32_t steps = InitializeLightProgressBar(0);
    if (steps == 0 && !ds->sunOn) {
        RenderGLScene();
        return;
    }
    {
        ScopedFlag shadowing(gRenderingShadowMap, 1);
        RenderInterruptScope busy;
        DeleteShadowDisplayList();
        if (!gRenderOpenGLAntiAlias) {
            gFillUnProjectBuffer = 1;
            RenderGLScene();
            if (gGLPlaneObjects) RenderShadowMap(steps);
        } else {
            AntiAliasedShadowPasses(*ds, steps);
        }
        gRenderOpenGLAntiAlias = 0;
        FreeShadowRenderState();
    }
    ReportTime(start);
    if (gBreakOpenGLRender) RenderGLScene();
}

void StartShadowRenderer() { SetRenderShadowsHandler(shadow::RenderShadows); }
