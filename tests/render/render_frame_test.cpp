// Whole live-view frames in a 64 x 64 OSMesa surface, read back as pixels: clear colours,
// the walk, fly and elevation cameras, the render modes, anti-aliasing, the cut-away plane,
// Escape and the shadow hook.
#include <gtest/gtest.h>

#include <string>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/projection.h"
#include "model/view_layers.h"
#include "support/build.h"
#include "render/core/accumulation_seams.h"
#include "render/core/live_view_seams.h"
#include "render/core/pick_state.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/scene_list_renderer.h"
#include "render_fixture.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

constexpr RGBColor kGrey{0x8080, 0x8080, 0x8080}, kCyan{0, 0xFFFF, 0xFFFF}, kYellow{0xFFFF, 0xFFFF, 0},
    kMagenta{0xFFFF, 0, 0xFFFF};

// The strongest channels of a pixel as letters ("r", "rg", ...); "" for black.
std::string Hue(uint32_t p) {
    std::string s;
    for (int i = 0; i < 3; ++i) if (int((p >> (24 - 8 * i)) & 0xFF) > 60) s += "rgb"[i];
    return s;
}

class Frame : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        SetLiveViewControllerExistsHandler([] { return true; });
        host = std::make_unique<LiveViewHostRecorder>(gl.get(), 64, 64);
        ds = doc->itsDocState;
        ds->renderMode = rendermode::kSolid, ds->cameraMode = 1, ds->cameraHeading = 0, ds->eyeHeight = 0;
        ds->cameraPosition = {0, 0}, ds->navigationFlag = 0, ds->elevationView = 0, ds->shadowsOn = 0;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography, ds->lotRect = {30000, 30000, 30001, 30001};
        ds->skyColor = kGrey, ds->sceneColor = kCyan, ds->lightSetting = 8, ds->renderFlag = 0;
    }
    void TearDown() override {
        host.reset();
        SetLiveViewControllerExistsHandler(nullptr);
        RenderTest::TearDown();
    }
    // A square of half size s facing +z (or +x), centred at GL (x, y, z).
    PlaneObject* square(float x, float y, float z, float s, RGBColor c, bool facingX = false) {
        const float a = facingX ? 0 : s, b = facingX ? s : 0;
        return own(AddQuad({{x - a, s - y, z - b}, {x + a, s - y, z + b}, {x + a, -s - y, z + b}, {x - a, -s - y, z - b}}, c),
                   facingX ? 1 : 0, 0, facingX ? 0 : 1);
    }
    // The piece drawn for a plain object, its face turned to (nx, ny, nz).
    PlaneObject* own(PlaneObject* p, float nx, float ny, float nz) {
        if (!owner) owner = Make(44).on(GetFirstFloorLayer());
        p->planes->nx = nx, p->planes->ny = ny, p->planes->nz = nz;
        p->object3D = owner, p->object3DType = uint16_t(owner->type);
        return p;
    }
    std::vector<uint8_t> frame(bool antiAliased = false) {
        const int16_t mode = ds->renderMode;
        gRenderOpenGLAntiAlias = antiAliased;
        RefreshGLScene();
        gRenderOpenGLAntiAlias = 0;
        EXPECT_EQ(ds->renderMode, mode);
        return gl->readPixels();
    }
    std::string centre() { return Hue(gl->pixel(32, 32)); }
    bool flushed() { return std::count(host->events.begin(), host->events.end(), "flush") > 0; }
    // The owner spans the 20-unit cube x, z -10..10, y 0..20, the design's only bounds.
    void cubeBounds() {
        own(AddQuad({{0, 0, 0}, {1, 0, 0}, {1, -1, 0}}, kRed), 0, 0, 1);
        DeletePlaneObjectList(gGLPlaneObjects);
        Point(owner, {-10, -20, -10}), Point(owner, {10, 0, 10});
    }
    DocState* ds = nullptr;
    Objex* owner = nullptr;
    std::unique_ptr<LiveViewHostRecorder> host;
};

TEST_F(Frame, ClearsToTheModesColourAndTheBackdropCoversIt) {
    struct Row { int16_t mode; uint8_t plants; float clear[3]; std::string seen; } rows[] = {
        {rendermode::kNoColour, 0, {0, 0, 0}, ""}, {rendermode::kWireframe, 0, {0, 1, 1}, "gb"},
        {rendermode::kSolid, 1, {1, 1, 1}, "rgb"}, {rendermode::kSolid, 0, {0, 0, 0}, "rgb"}};
    for (const Row& r : rows) {
        ds->renderMode = r.mode, gRenderPlantsInColor = r.plants, host->events.clear();
        frame();
        float c[4] = {};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, c);
        EXPECT_EQ((std::vector<float>{c[0], c[1], c[2]}), (std::vector<float>(r.clear, r.clear + 3))) << r.mode;
        EXPECT_EQ(centre(), r.seen) << r.mode;
        EXPECT_EQ(flushed(), r.mode != rendermode::kNoColour && !r.plants) << r.mode;
    }
    gRenderPlantsInColor = 0;
}

TEST_F(Frame, WalkAndFlyCamerasLookWhereTheSettingsSay) {
    // The walk camera looks along (-sin h, -cos h); a positive pitch turns the view down.
    struct Row { float heading; uint8_t pitchOn; float x, y, z; int row; bool seen; } rows[] = {
        {0, 0, 0, 0, -100, 32, true}, {90, 0, -100, 0, 0, 32, true}, {0, 0, 0, 0, 100, 32, false},
        {0, 1, 0, 0, -100, 32, false}, {0, 1, 0, 0, -100, 46, true}, {0, 0, 0, 0, -100, 46, false}};
    for (const Row& r : rows) {
        DeletePlaneObjectList(gGLPlaneObjects);
        ds->cameraHeading = r.heading, ds->navigationFlag = r.pitchOn, ds->cameraValue = 10;
        square(r.x, r.y, r.z, 4, kRed, r.heading != 0);
        frame();
        EXPECT_EQ(Hue(gl->pixel(32, r.row)), r.seen ? "r" : "rgb") << r.heading << " " << int(r.pitchOn) << r.row;
    }
    DeletePlaneObjectList(gGLPlaneObjects);
    ds->cameraMode = 2, ds->lightOffset = {200, -300};
    ds->flyValueA = 30, ds->flyValueB = 40, ds->flyAltitude = 500;
    own(AddQuad({{180, 0, -320}, {220, 0, -320}, {220, 0, -280}, {180, 0, -280}}, kRed), 0, -1, 0);
    frame();
    EXPECT_EQ(centre(), "r");
}

TEST_F(Frame, EachElevationShowsTheFaceItsRotationTurnsToTheCamera) {
    // Elevation 1 faces +z, 2 -x, 3 -z, 4 +x; the cube fills the view at scale 1.
    struct Face { RGBColor c; float n[3]; V3 q[4]; } faces[] = {
        {kRed, {0, 0, 1}, {{-10, 0, 10}, {10, 0, 10}, {10, -20, 10}, {-10, -20, 10}}},
        {kGreen, {-1, 0, 0}, {{-10, 0, -10}, {-10, 0, 10}, {-10, -20, 10}, {-10, -20, -10}}},
        {kBlue, {0, 0, -1}, {{-10, 0, -10}, {10, 0, -10}, {10, -20, -10}, {-10, -20, -10}}},
        {kYellow, {1, 0, 0}, {{10, 0, -10}, {10, 0, 10}, {10, -20, 10}, {10, -20, -10}}},
        {kCyan, {0, 1, 0}, {{-10, -20, -10}, {10, -20, -10}, {10, -20, 10}, {-10, -20, 10}}},
        {kMagenta, {0, -1, 0}, {{-10, 0, -10}, {10, 0, -10}, {10, 0, 10}, {-10, 0, 10}}}};
    ds->elevationView = 1;
    frame();  // an empty design: a zero-wide range draws nothing and fails nothing
    EXPECT_TRUE(flushed());
    cubeBounds();
    for (const Face& f : faces) own(AddQuad({f.q[0], f.q[1], f.q[2], f.q[3]}, f.c), f.n[0], f.n[1], f.n[2]);
    // Scaling is about the shifted origin: at 0.5 the cube fills x -5..5, y -10..0.
    struct Row { int16_t view; float scale; std::string centre, corner; } rows[] = {
        {1, 1, "r", "r"}, {2, 1, "g", "g"}, {3, 1, "b", "b"}, {4, 1, "rg", "rg"}, {1, 0.5f, "r", "rgb"}, {1, 0, "r", "r"}};
    for (const Row& r : rows) {
        ds->elevationView = r.view, ds->sceneValue = r.scale;
        frame();
        EXPECT_EQ(Hue(gl->pixel(32, 20)), r.centre) << r.view << " " << r.scale;
        EXPECT_EQ(Hue(gl->pixel(4, 4)), r.corner) << r.view << " " << r.scale;
    }
    EXPECT_EQ(ds->sceneValue, 1.0f);
}

TEST_F(Frame, RenderModesDrawTheirPasses) {
    // Wireframe without depth test: the far square's edges, drawn last, cover the near one's.
    square(0, 0, -100, 20, kRed), square(0, 0, -200, 40, kGreen);
    ds->renderMode = rendermode::kWireframe;
    const std::vector<uint8_t> wire = frame();
    int red = 0, green = 0;
    for (size_t i = 0; i < wire.size(); i += 4) red += wire[i] > 200 && wire[i + 1] < 60, green += wire[i + 1] > 200 && wire[i] < 60 && wire[i + 2] < 60;
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 40);
    // ClearView: the line colour on the edge, a fill inside.
    gClearViewLineColor = kMagenta, ds->renderMode = rendermode::kClearView;
    frame();
    int lines = 0;
    for (int x = 0; x < 64; ++x) lines += Hue(gl->pixel(x, 32)) == "rb";
    EXPECT_GE(lines, 2);
    EXPECT_NE(centre(), "rb");
    EXPECT_NE(centre(), "");
}

TEST_F(Frame, PassesFollowTheQualityAndEscapeEndsThemUnpresented) {
    // One viewport read per jittered perspective pass; Escape is seen every 300 pieces.
    for (int i = 0; i < 300; ++i) square(0, 0, -100, 0.01f, kRed);
    struct Row { int32_t passes; int escapeAt, seen; bool presented; } rows[] = {
        {0, 0, 8, true}, {24, 0, 24, true}, {5, 0, 5, true}, {8, 3, 3, false}};
    for (const Row& r : rows) {
        int reads = 0;
        SetAccumulationGetViewportHandler([&](int32_t* v) {
            if (++reads == r.escapeAt) host->interrupts.pressEscape();
            glGetIntegerv(GL_VIEWPORT, v);
        });
        ds->lightSetting = r.passes, ds->renderMode = rendermode::kClearView, host->events.clear();
        frame(true);
        EXPECT_EQ(reads, r.seen) << r.passes;
        EXPECT_EQ(flushed(), r.presented) << r.passes;
        EXPECT_EQ(std::count(host->events.begin(), host->events.end(), "status:Rendering interrupted"), !r.presented);
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
    // The frame's own camera and the jittered one at (0, 0) through the seams.
    InitializeGLScene();
    RenderGLPlaneObjects(gGLPlaneObjects);
    const std::vector<uint8_t> own = gl->readPixels();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    accPerspective(gFOV, 1.0, 1.0, 40000.0, 0, 0, 0, 0, 1.0);
    RenderGLPlaneObjects(gGLPlaneObjects);
    EXPECT_EQ(gl->readPixels(), own);
    gRenderOpenGLAntiAlias = 0;
    int edges = 0;
    for (int y = 1; y < 63; ++y)
        for (int x = 1; x < 63; ++x)
            for (int c = 0; c < 3; ++c) {
                const size_t i = size_t(y * 64 + x) * 4 + c;
                bool flat = true;
                for (int d : {-4, 4, -256, 256, -260, -252, 252, 260}) flat = flat && plain[i + d] == plain[i];
                EXPECT_NEAR(framebuffer[i], summed[i], 2);
                if (flat) EXPECT_NEAR(summed[i], plain[i], 3) << x << "," << y;
                else edges += std::abs(summed[i] - plain[i]) > 8;
            }
    EXPECT_GT(edges, 20);
}

TEST_F(Frame, CutAwayClipsTheSceneNotTheBackdrop) {
    cubeBounds();
    ds->cameraPosition = {0, 100}, ds->eyeHeight = 10, ds->cutAwayKind = 0;
    // The plane starts 100 in front of the front face (z 10) and moves back by the position.
    square(-10, 10, 9, 8, kRed), square(10, 10, -9, 8, kGreen);
    for (int32_t position : {0, 105}) {
        ds->cutAwayPosition = position;
        frame();
        EXPECT_EQ(Hue(gl->pixel(24, 32)), position ? "rgb" : "r");
        EXPECT_EQ(Hue(gl->pixel(40, 32)), "g");
        EXPECT_EQ(Hue(gl->pixel(1, 62)), "rgb");
    }
}

TEST_F(Frame, ShadowedFramesGoToTheShadowRendererWhereTheModeHasShadows) {
    square(0, 0, -100, 20, kRed);
    struct Row { int16_t mode; uint8_t shadows; bool registered; int calls; } rows[] = {
        {rendermode::kWireframe, 1, true, 0}, {rendermode::kClearView, 1, true, 0},
        {rendermode::kSolid, 1, false, 0}, {rendermode::kSolid, 1, true, 1}, {rendermode::kSolid, 0, true, 0}};
    for (const Row& r : rows) {
        int calls = 0;
        SetRenderShadowsHandler(r.registered ? std::function<void()>([&] { ++calls; }) : nullptr);
        ds->renderMode = r.mode, ds->shadowsOn = r.shadows;
        glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT);
        frame();
        EXPECT_EQ(calls, r.calls) << r.mode;
        EXPECT_EQ(centre() == "", r.calls == 1) << r.mode;
    }
    SetRenderShadowsHandler(nullptr);
}

}  // namespace
