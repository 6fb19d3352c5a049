#include "render/sun_shadows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/render_state.h"
#include "port/seam.h"
#include "render/core/live_view_host.h"
#include "render/core/render_guards.h"
#include "render/gl.h"
#include "render/gl_scoped_state.h"
#include "render/light_views.h"
#include "render/lot_renderers.h"
#include "render/shadow_render.h"

std::vector<float> gSunDBuffer;
int32_t gSunDBufferWidth = 0, gSunDBufferHeight = 0;
double gSunMVMatrix[16] = {}, gSunProjMatrix[16] = {};
int32_t gSunViewPort[4] = {};

static const port::GlobalReset kReset([] {
    std::vector<float>().swap(gSunDBuffer);
    gSunDBufferWidth = gSunDBufferHeight = 0;
    std::fill_n(gSunMVMatrix, 16, 0.0), std::fill_n(gSunProjMatrix, 16, 0.0), std::fill_n(gSunViewPort, 4, 0);
});

namespace {

// The grid, the coverage image and one square's image together stay below this.
constexpr size_t kSunBufferLimit = size_t(280) << 20;
constexpr float kSunHeight = 1000.0f, kSunFov = 100.0f;

bool ReadDepth(const int32_t* viewport, std::vector<float>& into) {
    try {
        into.assign(size_t(std::max(0, viewport[2])) * size_t(std::max(0, viewport[3])), 0.0f);
    } catch (const std::bad_alloc&) {
        std::vector<float>().swap(into);
        return false;
    }
    if (into.empty()) return false;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(viewport[0], viewport[1], viewport[2], viewport[3], GL_DEPTH_COMPONENT, GL_FLOAT, into.data());
    return true;
}

void SetWindow(const float* lrbt) {
    gOrthoSizeLeft = lrbt[0], gOrthoSizeRight = lrbt[1], gOrthoSizeBottom = lrbt[2], gOrthoSizeTop = lrbt[3];
}

// Whether the coverage image holds anything nearer than the far plane inside square (c, r).
bool Covered(const std::vector<float>& coverage, int w, int h, int32_t n, int32_t c, int32_t r) {
    const int sw = w / n, sh = h / n;
    for (int y = (n - r) * sh; y < (n - r + 1) * sh; ++y)
        for (int x = (c - 1) * sw; x < c * sw; ++x)
            if (coverage[size_t(y) * w + x] < 1.0f) return true;
    return false;
}

// The last sun view's depth image into the grid with its bottom-left corner at (x0, y0).
void CopyIntoGrid(int x0, int y0) {
    const int lw = gLightViewPort[2], lh = gLightViewPort[3];
    if (gLightDBuffer.size() < size_t(lw) * lh) return;
    for (int y = 0; y < lh && y0 + y < gSunDBufferHeight; ++y) {
        const int width = std::min(lw, gSunDBufferWidth - x0);
        if (width <= 0) return;
        std::copy_n(&gLightDBuffer[size_t(y) * lw], width, &gSunDBuffer[size_t(y0 + y) * gSunDBufferWidth + x0]);
    }
}

}  // namespace

ViewMatrices SunView() { return ViewOf(gSunMVMatrix, gSunProjMatrix, gSunViewPort); }

void FreeSunGrid() {
    std::vector<float>().swap(gSunDBuffer);
    gSunDBufferWidth = gSunDBufferHeight = 0;
}

void GetViewingBoundsForSun(float* bounds) {
    DocState* ds = CurrentDocState();
    if (!ds || !bounds) return;
    {
        ScopedColorWrites off(false);
        ScopedRenderMode depthOnly(ds, rendermode::kNoColour);
        ScopedFlag single(gRenderOpenGLAntiAlias, 0);
        RenderGLLot();
    }
    std::vector<float> depth;
    if (!ReadDepth(gCamViewPort, depth)) return;
    const int w = gCamViewPort[2], h = gCamViewPort[3];
    std::vector<float> eyes;
    try {
        eyes.assign(depth.size() * 3, 0.0f);
    } catch (const std::bad_alloc&) {
        return;
    }
    if (!FillEyePositions(CameraView(), depth, w, h, eyes)) return;
    for (size_t i = 0; i < depth.size(); ++i) {
        if (!(depth[i] > 0 && depth[i] < 1)) continue;
        const float x = eyes[3 * i], z = eyes[3 * i + 2];
        bounds[0] = std::min(bounds[0], z), bounds[1] = std::min(bounds[1], x);
        bounds[2] = std::max(bounds[2], z), bounds[3] = std::max(bounds[3], x);
    }
}

void FillSunMapWithGrid() {
    DocState* ds = CurrentDocState();
    LiveViewHost* host = CurrentLiveViewHost();
    if (!ds || !host || !gCurDocument || !gCurDocument->itsLayers) return;
    FreeSunGrid();
    const float altitude = std::min(ds->sunValueB, 90.0f), heading = ds->sunAngle + 90.0f;
    float objects[4], view[4];
    std::copy_n(kEmptySunBounds, 4, objects), std::copy_n(kEmptySunBounds, 4, view);
    GetObjectsBoundsForSun(gCurDocument->itsLayers, objects);
    GetViewingBoundsForSun(view);
    const SunWindow win = ComputeSunWindow(objects, view, altitude, GetHighestPlanePointValue());
    gXSunOffset = win.xOffset, gZSunOffset = win.zOffset, gVerticalSunOffset = win.verticalOffset;
    const float whole[4] = {-win.half, win.half, -win.top, win.top};
    SetWindow(whole);
    const int32_t n = SunGridSize(ds->sunShadowQuality, win.half);
    const FloatRect b = host->liveViewOGLViewBounds();
    SunViewSize(n, int(b.floatRight - b.floatLeft), std::max(1, int(b.floatBottom - b.floatTop)), kSunBufferLimit,
                &gSunViewWidth, &gSunViewHeight);
    struct End {
        ~End() {
            gFillingBucketBuffer = 0;
            gSunViewWidth = gSunViewHeight = 0;
        }
    } end;

    std::vector<float> coverage;
    {
        ScopedColorWrites off(false);
        RenderGLLightScene(true, 0, 0, heading, altitude, kSunHeight, kSunFov);
    }
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    const int32_t viewport[4] = {v[0], v[1], v[2], v[3]};
    if (!ReadDepth(viewport, coverage) || BreakOpenRender()) return;
    const int w = viewport[2], h = viewport[3];
    const float brightness = ds->sunValueD / 100.0f;
    auto sunView = [&] {
        RenderLightView(ds, kSunHeight, 0, 0, altitude, heading, true, kSunFov, 0, brightness, 1);
    };
    auto sunBytes = [&] { return (gSunDBuffer.size() + coverage.size() + size_t(w) * h) * sizeof(float); };
    const int32_t side = std::max(n, 1);
    InitializeLightProgressBar(side);
    try {
        gSunDBuffer.assign(size_t(side) * w * size_t(side) * h, 0.0f);
    } catch (const std::bad_alloc&) {
        FreeSunGrid();
        return;
    }
    gSunDBufferWidth = side * w, gSunDBufferHeight = side * h;
    gShadowBufferUse.sunPeakBytes = std::max(gShadowBufferUse.sunPeakBytes, sunBytes());
    gFillingBucketBuffer = 1;
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t c = 1; c <= n; ++c) {
            if (c == 1 && r == n) continue;
            if (BreakOpenRender()) return FreeSunGrid();
            if (!Covered(coverage, w, h, n, c, r)) {
                UpdateShadowGLRenderStatus(), UpdateShadowGLRenderStatus();
                continue;
            }
            float square[4];
            SunSquare(win, n, c, r, square);
            SetWindow(square);
            sunView();
            CopyIntoGrid((c - 1) * w, (n - r) * h);
        }
    // The bottom-left square last: the grid is addressed through its projection.
    if (n > 0) {
        float square[4];
        SunSquare(win, n, 1, n, square);
        SetWindow(square);
    }
    sunView();
    CopyIntoGrid(0, 0);
    std::copy_n(gLightMVMatrix, 16, gSunMVMatrix), std::copy_n(gLightProjMatrix, 16, gSunProjMatrix);
    std::copy_n(gLightViewPort, 4, gSunViewPort);
}

void FillSunMapWithPreRenderedGrid() {
    const DocState* ds = CurrentDocState();
    const size_t n = size_t(gVPWidth) * size_t(gVPHeight);
    if (!ds || gSunDBuffer.empty() || n == 0 || gCamDBuffer.size() < n || gSunMap.size() < n ||
        gEyeUnProBuf.size() < 3 * n || BreakOpenRender())
        return;
    if (gFillUnProjectBuffer) FillEyePositions(CameraView(), gCamDBuffer, gVPWidth, gVPHeight, gEyeUnProBuf);
    gFillUnProjectBuffer = 0;
    const ViewProjector sun(SunView());
    const float brightness = ds->sunValueD / 100.0f;
    const bool plants = gPlantColorBuffer.size() >= 3 * n;
    for (size_t i = 0; i < n; ++i) {
        const float d = gCamDBuffer[i];
        if (!(d > 0 && d < 1)) continue;
        double sx, sy, sz;
        if (!sun.project(&gEyeUnProBuf[3 * i], &sx, &sy, &sz)) continue;
        if (!(sz > 0 && sz < 1) || !(sx >= 0 && sx < gSunDBufferWidth) || !(sy >= 0 && sy < gSunDBufferHeight)) continue;
        const float g = gSunDBuffer[size_t(std::floor(sx)) + size_t(std::floor(sy)) * gSunDBufferWidth];
        if (!(g > 0 && g < 1)) continue;
        const bool lit = g > sz || (plants && IsPlantPixel(&gPlantColorBuffer[3 * i]));
        gSunMap[i] = lit ? brightness : 0.0f;
    }
    UpdateShadowGLRenderStatus();
}
