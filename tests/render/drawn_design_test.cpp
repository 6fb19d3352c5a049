// Probe.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <memory>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/render_state.h"
#include "render/core/live_view_seams.h"
#include "render/gl.h"
#include "render/light_glows.h"
#include "render/render_frame.h"
#include "render/renderer_startup.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/plan_gestures.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

class DrawnDesign : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        gl = std::make_unique<OffscreenGL>(W, H);
        ASSERT_TRUE(gl->ok());
        StartRenderer();
        StartGLContextObjects();
        RegisterLiveView(true);
        host = std::make_unique<LiveViewHostRecorder>(gl.get(), W, H);
    }
    void TearDown() override {
        DeleteAllRendererObjects();
        host.reset();
        EndGLContextObjects();
        gl.reset();
        PlanGestureTest::TearDown();
    }
    void Save(const char* path) {
        const std::vector<uint8_t> px = gl->readPixels();
        FILE* f = std::fopen(path, "wb");
        std::fprintf(f, "P6\n%d %d\n255\n", W, H);
        for (int y = H - 1; y >= 0; --y)
            for (int x = 0; x < W; ++x) std::fwrite(&px[size_t(y * W + x) * 4], 1, 3, f);
        std::fclose(f);
    }
    int W = 320, H = 240;
    std::unique_ptr<OffscreenGL> gl;
    std::unique_ptr<LiveViewHostRecorder> host;
};

TEST_F(DrawnDesign, ProbeAutoFloor) {
    gCurTool = 7050;
    const int order = std::getenv("ORDER") ? std::atoi(std::getenv("ORDER")) : 0;
    POINT c[4] = {{100, 100}, {300, 100}, {300, 300}, {100, 300}};
    auto edge = [&](int a, int b) { Drag({c[a], {(c[a].x + c[b].x) / 2, (c[a].y + c[b].y) / 2}, c[b]}); };
    if (order == 0) edge(0, 1), edge(1, 2), edge(2, 3), edge(3, 0);
    if (order == 1) edge(0, 3), edge(3, 2), edge(2, 1), edge(1, 0);
    if (order == 2) edge(0, 1), edge(2, 3), edge(1, 2), edge(3, 0);
    if (order == 3) edge(0, 1), edge(2, 3), edge(2, 1), edge(0, 3);
    if (order == 4) edge(0, 1), edge(1, 2), edge(3, 2), edge(0, 3);
    if (order == 5) edge(1, 0), edge(2, 1), edge(3, 2), edge(0, 3);
    for (Objex* w = doc->itsCurLayer->firstObject; w; w = w->next) {
        std::printf("wall closed %d count %d:", w->closed, w->pointCount);
        for (Poinz* p = w->firstPoint; p; p = p->next) std::printf(" (%g %g)", p->position[0], p->position[2]);
        std::printf("\n");
    }
    RenderAllLayers();
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        if (p->pieceKind != 36 && p->pieceKind != 46) continue;
        std::printf("piece kind %d\n", p->pieceKind);
        for (const Plane* pl = p->planes; pl; pl = pl->next) {
            std::printf(" plane %u:", pl->count);
            for (uint32_t i = 0; i < pl->count; ++i) std::printf(" (%g %g %g)", pl->vertices[i].H, pl->vertices[i].V, pl->vertices[i].D);
            std::printf("\n");
        }
    }
    ds->renderMode = rendermode::kSolid, ds->cameraMode = 2, ds->lightOffset = {200, 200};
    ds->flyValueA = 80, ds->flyValueB = 30, ds->flyAltitude = 600;
    RefreshGLScene();
    Save(("/tmp/wt112a/autofloor" + std::to_string(order) + ".ppm").c_str());
}


TEST_F(DrawnDesign, ProbeHipRoof) {
    const int w = std::getenv("W") ? std::atoi(std::getenv("W")) : 640, h = std::getenv("H") ? std::atoi(std::getenv("H")) : 449;
    host.reset(), EndGLContextObjects(), gl.reset();
    W = w, H = h;
    gl = std::make_unique<OffscreenGL>(W, H);
    StartRenderer(), StartGLContextObjects();
    host = std::make_unique<LiveViewHostRecorder>(gl.get(), W, H);
    ds->roofPitch = 6;
    gCurTool = 7050;
    POINT c[4] = {{100, 100}, {400, 100}, {400, 300}, {100, 300}};
    auto edge = [&](int a, int b) { Drag({c[a], {(c[a].x + c[b].x) / 2, (c[a].y + c[b].y) / 2}, c[b]}); };
    edge(0, 1), edge(1, 2), edge(2, 3), edge(3, 0);
    gCurTool = 7301;
    Drag({{100, 100}, {200, 200}, {400, 300}});
    RenderAllLayers();
    int n = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++n;
    std::printf("pieces %d\n", n);
    ds->renderMode = rendermode::kSolid, ds->cameraMode = 2, ds->lightOffset = {250, 200};
    ds->flyValueA = std::getenv("P") ? std::atof(std::getenv("P")) : 30, ds->flyValueB = std::getenv("B") ? std::atof(std::getenv("B")) : 30, ds->flyAltitude = std::getenv("D") ? std::atof(std::getenv("D")) : 700;
    if (std::getenv("S")) ds->shadowsOn = 1, ds->sunOn = 1, ds->sunShadowQuality = std::atoi(std::getenv("S")), ds->sunValueB = std::getenv("SB") ? std::atof(std::getenv("SB")) : 40, ds->sunAngle = std::getenv("SA") ? std::atof(std::getenv("SA")) : 0;
    if (std::getenv("AA")) gRenderOpenGLAntiAlias = 1, ds->lightSetting = 4;
    RefreshGLScene();
    gRenderOpenGLAntiAlias = 0;
    Save(("/tmp/wt112a/hip" + std::to_string(W) + ".ppm").c_str());
}

}  // namespace
