// Shadowed frames in a 64 x 64 OSMesa surface, read back as pixels: a can light over a floor
// with a raised box between them. The camera looks straight down from 700 units; the lamp
// hangs at 300 units, 100 to the left of the box, so the box's shadow falls right of it.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <array>
#include <string>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/render_state.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "render/core/shadow_seams.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/shadow_render.h"
#include "render/sun_shadows.h"
#include "render_fixture.h"
#include "scene/plane_object.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

// The host, pressing Escape when the progress reaches a chosen step.
class EscapeAtStep : public LiveViewHostRecorder {
public:
    using LiveViewHostRecorder::LiveViewHostRecorder;
    void updateLVLightProgressWithLightCount(int32_t count) override {
        LiveViewHostRecorder::updateLVLightProgressWithLightCount(count);
        if (count == escapeAt) interrupts.pressEscape();
    }
    int32_t escapeAt = -1;
};

class Shadows : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        SetLiveViewControllerExistsHandler([] { return true; });
        host = std::make_unique<EscapeAtStep>(gl.get(), 64, 64);
        ds = doc->itsDocState, owner = Make(44).on(GetFirstFloorLayer());
        ds->renderMode = rendermode::kSolid, ds->shadowsOn = 1, ds->shadowQuality = 5, ds->sunOn = 0;
        ds->cameraMode = 1, ds->navigationFlag = 1, ds->cameraValue = 90, ds->cameraHeading = 0;
        ds->eyeHeight = 700, ds->cameraPosition = {0, 0}, ds->lightIntensity = 0.5f, ds->lightSetting = 8;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography, ds->lotRect = {30000, 30000, 30001, 30001};
        ds->skyColor = {0, 0, 0};
        quad(600, 0), quad(20, 150);
        group = Make(1000).on(GetFirstFloorLayer()), lamp = Make(80).in(group);
        group->elevation = 158;  // the lamp's view from 150 inches: 300 units
        lamp->bounds3D.floatLeft = lamp->bounds3D.floatRight = -100;
        objfield::light::kBeamWidth(*lamp) = 120;
        SetShadowRenderClockHandler([this] { return clock; });
    }
    void TearDown() override {
        host.reset(), SetLiveViewControllerExistsHandler(nullptr), SetShadowRenderClockHandler(nullptr);
        RenderTest::TearDown();
    }
    // A white square of half size s at height y, facing up.
    void quad(float s, float y) {
        PlaneObject* p = AddQuad({{-s, -y, -s}, {s, -y, -s}, {s, -y, s}, {-s, -y, s}}, kWhite);
        p->planes->ny = 1, p->object3D = owner;
    }
    std::vector<uint8_t> frame(bool antiAliased = false) {
        host->events.clear(), gShadowBufferUse = {};
        gRenderOpenGLAntiAlias = antiAliased, RefreshGLScene(), gRenderOpenGLAntiAlias = 0;
        return gl->readPixels();
    }
    // The red channel where the floor point (x, 0, z) shows.
    int at(float x, float z) {
        const WindowPoint w = ProjectToWindow(x, 0, z);
        return int(gl->pixel(w.x, w.y) >> 24);
    }
    int count(const std::string& prefix) {
        int n = 0;
        for (const std::string& e : host->events) n += e.rfind(prefix, 0) == 0;
        return n;
    }
    // Every temporary change of a render is back and every buffer is gone.
    void expectRestored() {
        EXPECT_EQ(std::to_string(ds->renderMode) + "/" + std::to_string(ds->lightIntensity), "5/0.500000");
        EXPECT_EQ(gRenderGL + gSkipTransparent + gRenderPlantsInColor + gAdjustTrimLightIntensity + gDisableRenderInterrupt +
                      gRenderingShadowMap + gRenderingShadowMapAntiAlias + gHideNonShadowObjects + gNoPlants,
                  0);
        EXPECT_EQ(gDarkColorBuffer.capacity() + gLightColorBuffer.capacity() + gPlantColorBuffer.capacity() +
                      gCamDBuffer.capacity() + gEyeUnProBuf.capacity() + gLightDBuffer.capacity() +
                      gLightMap.capacity() + gLightMapAA.capacity() + gMultiMap.capacity() + gShadowDisplayList,
                  0u);
        GLboolean colour[4], depth;
        glGetBooleanv(GL_COLOR_WRITEMASK, colour), glGetBooleanv(GL_DEPTH_WRITEMASK, &depth);
        EXPECT_TRUE(colour[0] && colour[3] && depth && glIsEnabled(GL_DEPTH_TEST));
    }
    DocState* ds = nullptr;
    Objex *owner = nullptr, *group = nullptr, *lamp = nullptr;
    std::unique_ptr<EscapeAtStep> host;
    double clock = 0;
};

TEST_F(Shadows, NothingToCastDrawsThePlainSceneWithoutBuffers) {
    objfield::light::kOff(*lamp) = 1;
    const std::vector<uint8_t> plain = frame();
    objfield::light::kOff(*lamp) = 0;
    struct Row { const char* what; int16_t mode; uint8_t shadows; int32_t hidden; uint8_t off, layerShown; } rows[] = {
        {"shadows off", 5, 0, 0, 0, 1}, {"wireframe", 1, 1, 0, 0, 1}, {"ClearView", 6, 1, 0, 0, 1},
        {"switched off", 5, 1, 0, 1, 1}, {"hidden layer", 5, 1, 0, 0, 0},
        {"electrical hidden", 5, 1, hideflag::kElectrical, 0, 1}};
    for (const Row& r : rows) {
        ds->renderMode = r.mode, ds->shadowsOn = r.shadows, objfield::light::kOff(*lamp) = r.off;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography | r.hidden;
        GetFirstFloorLayer()->visible = r.layerShown;
        const std::vector<uint8_t> seen = frame();
        if (r.mode == rendermode::kSolid) {
            EXPECT_EQ(seen, plain) << r.what;
        }
        EXPECT_EQ(gShadowBufferUse.allocations, 0u) << r.what;
        EXPECT_EQ(count("progress-step"), 0) << r.what;
        ds->renderMode = rendermode::kSolid;
        expectRestored();
    }
}

TEST_F(Shadows, ACanLightLightsTheFloorAndTheBoxShadowsIt) {
    objfield::light::kOff(*lamp) = 1;
    frame();
    const int dark = at(100, 0);
    objfield::light::kOff(*lamp) = 0;
    ASSERT_LT(dark, 30);
    // Full quality tests every pixel, quick quality a checkerboard filled from neighbours:
    // both light the floor round the box and leave the shadow (floor x 60..140) dark.
    for (int16_t quality : {5, 0}) {
        ds->shadowQuality = quality;
        frame();
        EXPECT_GT(at(-100, 0), dark + 70) << quality;  // under the lamp: the lit image
        EXPECT_GT(at(0, 100), dark + 40) << quality;
        EXPECT_GT(at(180, 0), dark + 20) << quality;
        EXPECT_NEAR(at(100, 0), dark, 3) << quality;
        EXPECT_GT(at(-100, 0), at(-100, 200)) << quality;  // falls off across the cone
        expectRestored();
    }
}

TEST_F(Shadows, ProgressCountsEveryStepAndTheStatusGivesTheTime) {
    struct Row { int16_t type; int32_t ambient; bool aa; int32_t lights; double seconds; const char* time; } rows[] = {
        {80, 0, false, 1, 59, "59 seconds to render"}, {80, 1, false, 5, 90, "1.50 minutes to render"},
        {79, 0, false, 4, 0, "0 seconds to render"}, {146, 1, false, 5, 0, ""}, {152, 0, false, 2, 0, ""},
        {152, 1, false, 10, 0, ""}, {149, 0, false, 1, 0, ""}, {80, 0, true, 1, 0, ""}, {80, 1, true, 17, 0, ""},
        {79, 0, true, 16, 0, ""}};
    ds->lightSetting = 4;
    for (const Row& r : rows) {
        lamp->type = r.type, objfield::light::kAmbient(*lamp) = r.ambient;
        clock = 0;
        SetShadowRenderClockHandler([&, started = false]() mutable { return std::exchange(started, true) ? r.seconds : 0.0; });
        frame(r.aa);
        const int32_t total = r.aa ? r.lights * 4 * 2 + 8 : r.lights * 2 + 1;
        const std::string row = std::to_string(r.type) + "/" + std::to_string(r.ambient) + "/" + std::to_string(r.aa);
        EXPECT_EQ(count("progress:"), 1) << row;
        EXPECT_EQ(count("progress:" + std::to_string(total)), 1) << row;
        EXPECT_EQ(count("progress-step:"), total) << row;
        EXPECT_EQ(count("progress-step:" + std::to_string(total)), 1) << row;
        EXPECT_EQ(count(r.aa ? "status:Rendering final (press Escape to cancel)"
                             : "status:Rendering shadows (press Escape to cancel)"),
                  total)
            << row;
        if (*r.time) {
            EXPECT_EQ(count(std::string("status:") + r.time), 1) << row;
        }
        expectRestored();
    }
}

TEST_F(Shadows, EscapeInTheFourthPassKeepsThreePassesAndRedrawsThePlainScene) {
    // A pass makes four steps: the lamp's view (two), the composite and the pass itself.
    frame(true);
    // Nothing of it shows before the last pass: its sum, then the frame with its glows.
    EXPECT_EQ(count("flush"), 2);
    glAccum(GL_RETURN, 1.0f);
    const int whole = at(-100, 0);
    objfield::light::kOff(*lamp) = 1;
    const std::vector<uint8_t> plain = frame();
    objfield::light::kOff(*lamp) = 0;
    host->escapeAt = 13;
    clock = 0;
    const std::vector<uint8_t> broken = frame(true);
    EXPECT_EQ(broken, plain);
    EXPECT_EQ(count("flush"), 0);  // broken off, it never showed
    EXPECT_EQ(count("status:0 seconds to render"), 1);
    EXPECT_EQ(host->events.back(), "status:Rendering interrupted");
    glAccum(GL_RETURN, 1.0f);
    EXPECT_NEAR(at(-100, 0), whole * 3 / 8, 4);
    expectRestored();

    // With the flag already set the answer needs no poll; with polling off there is none.
    const int polls = host->interrupts.polls();
    gBreakOpenGLRender = 1;
    EXPECT_TRUE(BreakOpenRender());
    gDisableRenderInterrupt = 1;
    EXPECT_FALSE(BreakOpenRender());
    EXPECT_EQ(host->interrupts.polls(), polls);
    gBreakOpenGLRender = gDisableRenderInterrupt = 0;
}

}  // namespace

namespace {

// The sun at 45 degrees over the box (no lamp): looking down from 1400 units the floor shows to
// 580 either way, past the sun's window of +-500 round the box.
class SunShadows : public Shadows {
protected:
    void SetUp() override {
        Shadows::SetUp();
        objfield::light::kOff(*lamp) = 1;
        Point(owner, {-60, 0, -60}), Point(owner, {60, 0, 60});
        ds->eyeHeight = 1400, ds->sunOn = 1, ds->sunValueB = 45, ds->sunValueD = 100, ds->sunShadowQuality = 1;
    }
    // The camera as a shadow map saves it, from a plain frame.
    void saveCamera() {
        ds->shadowsOn = 0, frame(), ds->shadowsOn = 1;
        glGetDoublev(GL_MODELVIEW_MATRIX, gCamMVMatrix), glGetDoublev(GL_PROJECTION_MATRIX, gCamProjMatrix);
        glGetIntegerv(GL_VIEWPORT, gCamViewPort);
    }
};

TEST_F(SunShadows, TheBoxShadowsTheFloorAwayFromTheSun) {
    ds->sunOn = 0;
    frame();
    const int dark = at(0, 150);
    ds->sunOn = 1;
    // Sun direction 0 throws shadows towards +z, 180 towards -z; a grid or one view alike.
    struct Row { float angle; int16_t quality, brightness; int32_t hidden; } rows[] = {
        {0, 1, 100, 0}, {180, 1, 100, 0}, {0, 3, 100, 0}, {180, 3, 100, hideflag::kElectrical}, {0, 1, 50, 0}};
    int full = 0;
    for (const Row& r : rows) {
        ds->sunAngle = r.angle, ds->sunShadowQuality = r.quality, ds->sunValueD = r.brightness;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography | r.hidden;
        frame();
        const float away = r.angle == 0 ? 150 : -150;
        const std::string row = std::to_string(int(r.angle)) + "/" + std::to_string(r.quality) + "/" + std::to_string(r.brightness);
        EXPECT_NEAR(at(0, away), dark, 3) << row;
        if (r.brightness == 100) {
            full = at(0, -away);
            EXPECT_GT(full, dark + 40) << row;
            EXPECT_NEAR(at(560, 0), full, 3) << row;  // outside the sun's window: lit
        } else {
            EXPECT_NEAR(at(0, -away), dark + (full - dark) / 2, 3) << row;
        }
        EXPECT_TRUE(gSunDBuffer.empty());
        expectRestored();
    }
}

TEST_F(SunShadows, TheGridSkipsEmptySquaresAndIsReadThroughItsBottomLeftSquare) {
    // Only the box: 4 x 4 squares of 250 over the window, the box in the middle four.
    DeletePlaneObjectList(gGLPlaneObjects);
    quad(60, 150);
    saveCamera();
    ds->sunShadowQuality = 3, host->events.clear();
    FillSunMapWithGrid();
    ASSERT_EQ(std::make_pair(gSunDBufferWidth, gSunDBufferHeight), std::make_pair(256, 256));
    std::string drawn;
    for (int r = 1; r <= 4; ++r, drawn += "/")
        for (int c = 1; c <= 4; ++c) {
            bool any = false;
            for (int y = (4 - r) * 64; y < (5 - r) * 64; ++y)
                for (int x = (c - 1) * 64; x < c * 64; ++x) any = any || gSunDBuffer[size_t(y) * 256 + x] != 0;
            drawn += any ? "x" : ".";
        }
    EXPECT_EQ(drawn, "..../.xx./.xx./x.../");
    EXPECT_EQ(count("progress-step:"), 32);
    // The box's corners, looked up through the bottom-left square's view, find their own depth.
    const ViewProjector sun(SunView());
    for (const std::array<float, 3>& p : {std::array<float, 3>{55, 150, 55}, std::array<float, 3>{-55, 150, -55}}) {
        double sx, sy, sz;
        ASSERT_TRUE(sun.project(p.data(), &sx, &sy, &sz));
        ASSERT_TRUE(sx >= 64 && sx < 192 && sy >= 64 && sy < 192) << sx << "," << sy;
        EXPECT_NEAR(gSunDBuffer[size_t(sy) * 256 + size_t(sx)], sz, 2e-3);
    }
    ds->sunShadowQuality = 1;
    FillSunMapWithGrid();
    EXPECT_EQ(std::make_pair(gSunDBufferWidth, gSunDBufferHeight), std::make_pair(64, 64));
    FreeShadowRenderState();
}

TEST_F(SunShadows, EscapeWhileTheGridIsBuiltFreesItAndRedrawsThePlainScene) {
    ds->sunOn = 0;
    const std::vector<uint8_t> plain = frame();
    ds->sunOn = 1, ds->sunShadowQuality = 2, host->escapeAt = 1;
    EXPECT_EQ(frame(), plain);
    EXPECT_EQ(host->events.back(), "status:Rendering interrupted");
    EXPECT_TRUE(gSunDBuffer.empty());
    expectRestored();
}

TEST_F(SunShadows, AFineGridAtALargeViewKeepsItsBuffersUnder300MB) {
    saveCamera();
    host = std::make_unique<EscapeAtStep>(gl.get(), 1600, 1200);
    ds->sunShadowQuality = 6, gShadowBufferUse = {};
    FillSunMapWithGrid();
    EXPECT_EQ(gSunDBufferWidth % 10, 0);
    EXPECT_GT(gShadowBufferUse.sunPeakBytes, size_t(200) << 20);
    EXPECT_LT(gShadowBufferUse.sunPeakBytes, size_t(300) << 20);
    FreeShadowRenderState();
}

}  // namespace
