// Whole live-view frames in a 64 x 64 OSMesa surface read back as pixels: clear colours,
// cameras, render modes, anti-aliasing, the cut-away plane, Escape and the shadow hook.
#include <gtest/gtest.h>

#include "app/core/event_handler.h"
#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/view_layers.h"
#include "model/projection.h"
#include "render/core/accumulation_seams.h"
#include "render/core/live_view_seams.h"
#include "scene/pick_state.h"
#include "render/core/shadow_seams.h"
#include "files/texture_files.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/scene_list_renderer.h"
#include "render_fixture.h"
#include "support/doubles.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

constexpr RGBColor kGrey{0x8080, 0x8080, 0x8080}, kCyan{0, 0xFFFF, 0xFFFF}, kMagenta{0xFFFF, 0, 0xFFFF};

// The strong channels of a pixel as letters ("r", "rg", ...); "" for black.
std::string Hue(uint32_t p) {
    std::string s;
    for (int i = 0; i < 3; ++i) if (((p >> (24 - 8 * i)) & 0xFF) > 60) s += "rgb"[i];
    return s;
}

class Frame : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        SetLiveViewControllerExistsHandler([] { return true; });
        host = std::make_unique<LiveViewHostRecorder>(gl.get(), 64, 64);
        ds = doc->itsDocState, owner = Make(44).on(GetFirstFloorLayer());
        ds->renderMode = rendermode::kSolid, ds->cameraMode = 1, ds->cameraHeading = 0, ds->eyeHeight = 0;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography, ds->lotRect = {30000, 30000, 30001, 30001};
        ds->skyColor = kGrey, ds->sceneColor = kCyan, ds->lightSetting = 8, ds->cameraPosition = {0, 0};
    }
    void TearDown() override { host.reset(), SetLiveViewControllerExistsHandler(nullptr), RenderTest::TearDown(); }
    // A quad of the design's one object, its face turned to n; `square` one of half size s
    // facing +z (or +x) centred at GL (x, y, z).
    PlaneObject* quad(std::vector<V3> corners, RGBColor c, V3 n) {
        PlaneObject* p = AddQuad(corners, c);
        p->planes->nx = n.h, p->planes->ny = n.v, p->planes->nz = n.d, p->object3D = owner;
        return p;
    }
    PlaneObject* square(float x, float y, float z, float s, RGBColor c, bool facingX = false) {
        const float a = facingX ? 0 : s, b = facingX ? s : 0;
        return quad({{x - a, s - y, z - b}, {x + a, s - y, z + b}, {x + a, -s - y, z + b}, {x - a, -s - y, z - b}}, c,
                    {facingX ? 1.0f : 0.0f, 0, facingX ? 0.0f : 1.0f});
    }
    std::vector<uint8_t> frame(bool antiAliased = false) {
        const int16_t mode = ds->renderMode;
        gRenderOpenGLAntiAlias = antiAliased, RefreshGLScene(), gRenderOpenGLAntiAlias = 0;
        EXPECT_EQ(ds->renderMode, mode);
        return gl->readPixels();
    }
    std::string at(int x = 32, int y = 32) { return Hue(gl->pixel(x, y)); }
    int events(const char* e) { return int(std::count(host->events.begin(), host->events.end(), e)); }
    DocState* ds = nullptr;
    Objex* owner = nullptr;
    std::unique_ptr<LiveViewHostRecorder> host;
};

TEST_F(Frame, ClearsToTheModesColourUnderTheBackdrop) {
    struct Row { int16_t mode; uint8_t plants; float clear; std::string seen; } rows[] = {
        {11, 0, 0, ""}, {1, 0, 1, "gb"}, {5, 1, 1, "rgb"}, {5, 0, 0, "rgb"}};
    for (const Row& r : rows) {
        ds->renderMode = r.mode, gRenderPlantsInColor = r.plants, host->events.clear();
        frame();
        float c[4] = {};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
        EXPECT_EQ(at() + std::to_string(c[2]), r.seen + std::to_string(r.clear)) << r.mode;
        EXPECT_EQ(events("flush") > 0, r.mode != rendermode::kNoColour && !r.plants) << r.mode;
    }
    gRenderPlantsInColor = 0;
}

TEST_F(Frame, WalkAndFlyCamerasLookWhereTheSettingsSay) {
    // Ahead is (-sin h, -cos h); a 10-degree pitch puts the horizon 14 rows up.
    struct Row { float heading; uint8_t pitchOn; float x, z; int row; bool seen; } rows[] = {
        {0, 0, 0, -100, 32, true}, {90, 0, -100, 0, 32, true}, {0, 0, 0, 100, 32, false},
        {0, 1, 0, -100, 32, false}, {0, 1, 0, -100, 46, true}, {0, 0, 0, -100, 46, false}};
    for (const Row& r : rows) {
        DeletePlaneObjectList(gGLPlaneObjects);
        ds->cameraHeading = r.heading, ds->navigationFlag = r.pitchOn, ds->cameraValue = 10;
        square(r.x, 0, r.z, 4, kRed, r.heading != 0);
        frame();
        EXPECT_EQ(at(32, r.row), r.seen ? "r" : "rgb") << r.heading << " " << int(r.pitchOn) << r.row;
    }
    DeletePlaneObjectList(gGLPlaneObjects);
    ds->cameraMode = 2, ds->lightOffset = {200, -300}, ds->flyValueA = 30, ds->flyValueB = 40, ds->flyAltitude = 500;
    quad({{180, 0, -320}, {220, 0, -320}, {220, 0, -280}, {180, 0, -280}}, kRed, {0, -1, 0});
    frame();
    EXPECT_EQ(at(), "r");
}

TEST_F(Frame, ElevationsAndViewpointsShowTheSideTheyFace) {
    ds->elevationView = 1;
    frame();  // an empty design: a zero-wide range fails nothing
    EXPECT_EQ(events("flush"), 2);
    // A pillar x, z -10..10, y 0..200, ten times as tall as wide: each elevation at scale 1
    // shows it whole, from the bottom row to the top, narrow in the middle columns; elevation 1
    // and viewpoint 5153 see its +z side, 2 and 5151 -x, 3 and 5154 -z, 4 and 5152 +x.
    Point(owner, {-10, -200, -10}), Point(owner, {10, 0, 10});
    quad({{-10, 0, 10}, {10, 0, 10}, {10, -200, 10}, {-10, -200, 10}}, kRed, {0, 0, 1});
    quad({{-10, 0, -10}, {-10, 0, 10}, {-10, -200, 10}, {-10, -200, -10}}, kGreen, {-1, 0, 0});
    quad({{-10, 0, -10}, {10, 0, -10}, {10, -200, -10}, {-10, -200, -10}}, kBlue, {0, 0, -1});
    quad({{10, 0, -10}, {10, 0, 10}, {10, -200, 10}, {10, -200, -10}}, kMagenta, {1, 0, 0});
    ds->lotRect = {-300, -300, 300, 300};
    // Scaling is about the shifted origin: at 0.5 the pillar spans x -5..5, y -100..0, the
    // lower half. Seen: near the bottom, near the top, at the side.
    struct Row { int16_t view; float scale; int32_t command; std::string seen; bool aa = false; } rows[] = {
        {1, 1, 0, "r/r/rgb"}, {3, 0.5f, 0, "b/rgb/rgb", true}, {2, 1, 0, "g/g/rgb"}, {3, 1, 0, "b/b/rgb"},
        {4, 1, 0, "rb/rb/rgb"}, {1, 0.5f, 0, "r/rgb/rgb"}, {1, 0, 0, "r/r/rgb"}, {0, 1, 5153, "r/r/rgb"},
        {0, 1, 5151, "g/g/rgb"}, {0, 1, 5154, "b/b/rgb"}, {0, 1, 5152, "rb/rb/rgb"}};
    for (const Row& r : rows) {
        ds->elevationView = r.view, ds->sceneValue = r.scale;
        if (r.command) Win32EventHandler().setViewpointUsingCommand(r.command);
        frame(r.aa);
        EXPECT_EQ(at(32, 20) + "/" + at(32, 61) + "/" + at(4, 60), r.seen) << r.view << " " << r.scale << " " << r.command;
    }
    EXPECT_EQ(ds->sceneValue, 1.0f);
}

TEST_F(Frame, ModesAndTheCutAwayDrawWhatTheyShould) {
    // Wireframe has no depth test: the far square's edges, drawn last, cover the near one's.
    square(0, 0, -100, 20, kRed), square(0, 0, -200, 40, kGreen);
    ds->renderMode = rendermode::kWireframe, ds->sceneColor = {0, 0, 0};  // the default background
    frame();
    int red = 0, green = 0;
    for (int i = 0; i < 64 * 64; ++i) red += at(i % 64, i / 64) == "r", green += at(i % 64, i / 64) == "g";
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 40);
    // ClearView: the line colour on the edges, a fill inside.
    gClearViewLineColor = kMagenta, ds->renderMode = rendermode::kClearView;
    frame();
    int lines = 0;
    for (int x = 0; x < 64; ++x) lines += at(x, 32) == "rb";
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(at() != "rb" && at() != "");
    // The cut-away plane starts 100 in front of the front face (z 10) and moves back.
    DeletePlaneObjectList(gGLPlaneObjects);
    Point(owner, {-10, -20, -10}), Point(owner, {10, 0, 10});
    ds->cameraPosition = {0, 100}, ds->eyeHeight = 10, ds->cutAwayKind = 0, ds->renderMode = rendermode::kSolid;
    square(-10, 10, 9, 8, kRed), square(10, 10, -9, 8, kGreen);
    for (int32_t position : {0, 105}) {
        ds->cutAwayPosition = position;
        frame();
        EXPECT_EQ(at(24, 32) + at(40, 32) + at(1, 62), (position ? "rgb" : "r") + std::string("grgb"));
    }
}

TEST_F(Frame, PassesFollowTheQualityAndEscapeEndsThemUnpresented) {
    // One viewport read per jittered perspective pass; Escape is polled every 300 pieces.
    for (int i = 0; i < 300; ++i) square(0, 0, -100, 0.01f, kRed);
    struct Row { int32_t passes; int escapeAt, reads; bool presented; } rows[] = {
        {0, 0, 8, true}, {24, 0, 24, true}, {5, 0, 5, true}, {8, 3, 3, false}};
    for (const Row& r : rows) {
        int reads = 0;
        SetAccumulationGetViewportHandler(
            [&](int32_t* v) { ++reads == r.escapeAt ? host->interrupts.pressEscape() : void(), glGetIntegerv(GL_VIEWPORT, v); });
        ds->lightSetting = r.passes, ds->renderMode = rendermode::kClearView, host->events.clear();
        frame(true);
        EXPECT_EQ(reads, r.reads);
        EXPECT_EQ(std::to_string(events("flush") > 0) + std::to_string(events("status:Rendering interrupted")),
                  r.presented ? "10" : "01");
        EXPECT_EQ(gRenderingOpenGL + gGLObjectsRendered, 0);
    }
    EXPECT_EQ(ds->lightSetting, 8);
}

TEST_F(Frame, AntiAliasingMovesOnlyEdgesAndBothSumsAgree) {
    square(0, 0, -100, 20, kRed), square(5, 5, -90, 5, kGreen);
    const std::vector<uint8_t> plain = frame(), summed = frame(true);
    gRenderOpenGLAntiAlias = 1;
    RenderGLScene(AccumBuffer::Path::Framebuffer);
    const std::vector<uint8_t> framebuffer = gl->readPixels();
    // The frame's own camera, and the jittered one at (0, 0) through the seams.
    InitializeGLScene(), RenderGLPlaneObjects(gGLPlaneObjects);
    const std::vector<uint8_t> own = gl->readPixels();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    accPerspective(gFOV, 1.0, 1.0, 40000.0, 0, 0, 0, 0, 1.0), RenderGLPlaneObjects(gGLPlaneObjects);
    EXPECT_EQ(gl->readPixels(), own);
    gRenderOpenGLAntiAlias = 0;
    int edges = 0;
    for (size_t i = 260; i < plain.size() - 260; ++i) {
        bool flat = (i / 4) % 64 != 0 && (i / 4) % 64 != 63;
        for (int d : {-4, 4, -256, 256, -260, -252, 252, 260}) flat = flat && plain[i + d] == plain[i];
        EXPECT_NEAR(framebuffer[i], summed[i], 2);
        if (flat) EXPECT_NEAR(summed[i], plain[i], 3) << i;
        else edges += std::abs(summed[i] - plain[i]) > 8;
    }
    EXPECT_GT(edges, 20);
}

TEST_F(Frame, ShadowedFramesGoToTheShadowRendererWhereTheModeHasShadows) {
    square(0, 0, -100, 20, kRed);
    struct Row { int16_t mode; uint8_t shadows; bool registered; int calls; } rows[] = {{1, 1, true, 0},
        {6, 1, true, 0}, {5, 1, false, 0}, {5, 1, true, 1}, {5, 0, true, 0}};
    for (const Row& r : rows) {
        int calls = 0;
        SetRenderShadowsHandler(r.registered ? std::function<void()>([&] { ++calls; }) : nullptr);
        ds->renderMode = r.mode, ds->shadowsOn = r.shadows, glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT);
        frame();
        // The recording shadow renderer draws nothing: black stays.
        EXPECT_EQ(std::to_string(calls) + (at().empty() ? "-" : "+"), r.calls ? "1-" : "0+") << r.mode;
    }
}

TEST_F(Frame, LightGlowsShowOverTheSceneInThePresentedImage) {
    PpmImageDecoder decoder;
    char name[kTexturePathBufferSize] = {};
    port::setImageDecoder(&decoder), GetTextureFileNameFromID(14001, name);
    WritePpm(LocalDomainTexturePath() + "/" + name, RgbImage(8, 8, [](int, int) { return 0xFFFFFFu; }));
    square(0, 0, -3000, 1000, kBlue);
    // A lamp 2000 ahead; its own piece lies behind the eye.
    Objex *group = Make(1000).on(GetFirstFloorLayer()), *lamp = Make(80).in(group);
    lamp->bounds3D.floatBack = lamp->bounds3D.floatFront = -2000;
    PlaneObject* p = AddQuad({{0, 0, 50}, {1, 0, 50}, {1, -1, 50}}, kWhite);
    p->pieceKind = 111, p->object3D = p->sourceObject = lamp, p->baseObject = group;
    for (bool antiAliased : {false, true}) {
        frame(antiAliased);
        EXPECT_EQ(at() + "/" + at(10, 32) + "/" + host->events.back(), "rgb/b/flush") << antiAliased;
    }
}

}  // namespace
