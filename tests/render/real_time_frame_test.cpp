// Real-time frames in a 64 x 64 OSMesa surface: what the display lists compile and replay,
// what the navigation speed trades, the ground and sky, the cut-away, picking and agreement
// with the full-quality frame.
#include <gtest/gtest.h>

#include <cstring>

#include "model/docstate.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/document_model.h"
#include "model/preferences.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "render/core/pick_seams.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/rt_display_lists.h"
#include "render/rt_lot_renderers.h"
#include "render_fixture.h"
#include "scene/apply_materials.h"
#include "app/core/plan_navigation.h"
#include "scene/scene_build.h"
#include "model/topo_grid.h"
#include "support/seam_recorders.h"
#include "tools/wall_construction.h"

using namespace dvxtest;

namespace {

constexpr RGBColor kGrey{0x8080, 0x8080, 0x8080}, kBlueLot{0x2020, 0x2020, 0xC0C0};

class RealTime : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        SetLiveViewControllerExistsHandler([] { return true; });
        host = std::make_unique<LiveViewHostRecorder>(gl.get(), 64, 64);
        ds = doc->itsDocState, owner = Make(44).on(GetFirstFloorLayer());
        ds->renderMode = rendermode::kSolid, ds->cameraMode = 1, ds->cameraHeading = 0, ds->eyeHeight = 50;
        ds->navigationFlag = 1, ds->cameraValue = 10, ds->cameraPosition = {0, 0}, ds->navigationSpeed = 8;
        ds->renderValue = hideflag::kMaterials, ds->lotRect = {-2000, -2000, 2000, 2000};
        ds->skyColor = kGrey, ds->lotColor = kBlueLot, ds->lightSetting = 8, ds->lightIntensity = 1.0f;
        gLiveViewOptions &= ~liveviewoption::kGradientShading;
    }
    void TearDown() override {
        SetLotColourAllocatorForTesting(nullptr);
        host.reset(), SetLiveViewControllerExistsHandler(nullptr), RenderTest::TearDown();
    }
    PlaneObject* square(float x, float y, float z, float s, RGBColor c) {
        PlaneObject* p = AddQuad({{x - s, s - y, z}, {x + s, s - y, z}, {x + s, -s - y, z}, {x - s, -s - y, z}}, c);
        p->planes->nz = 1, p->object3D = owner;
        return p;
    }
    // A new interaction and `n` frames of it; the last frame's pixels.
    std::vector<uint8_t> frames(int n = 1) {
        RTInitializeGLScene();
        for (int i = 0; i < n; ++i) LiveViewRealTimeFrame();
        return gl->readPixels();
    }
    bool is(int x, int y, RGBColor c, int tolerance = 8) {
        return NearColor(gl->pixel(x, y), uint8_t(c.red / 257), uint8_t(c.green / 257), uint8_t(c.blue / 257), tolerance);
    }
    void terrain(std::vector<float> heights) {
        ds->topoGridSpacing = 100, ds->lotRect = {-100, -100, 100, 100};
        std::strcpy(ds->topoFilePath, "/lot.topo");
        ReplaceTopoGrid(2, 2, std::move(heights));
    }
    // A built wall 6 thick and 96 high from (-60, z) to (60, z) in the plan.
    Objex* wall(float z) {
        Objex* w = Outline(objtype::kWall, {{-60, z}, {60, z}}, false).on(GetFirstFloorLayer());
        w->penWidth = 6;
        for (Poinz* p = w->firstPoint; p; p = p->next)
            objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 48;
        Update3DWall(w);
        gLiveViewPanelVisible = 1;
        ReRenderObject(w);
        return w;
    }
    DocState* ds = nullptr;
    Objex* owner = nullptr;
    std::unique_ptr<LiveViewHostRecorder> host;
};

TEST_F(RealTime, ListsCompileOncePerInteractionAndTheSceneAgainWhenItChanges) {
    Objex* built = wall(-150);
    ASSERT_NE(gGLPlaneObjects, nullptr);
    frames();
    RTInitializeGLScene();
    EXPECT_EQ(gSceneDisplayList + gViewpointDisplayList + gBackgroundDisplayList + gLotDisplayList +
                  gFlatLotDisplayList + gBaseLotDisplayList, 0u);
    int64_t before = gDisplayListCompiles;
    LiveViewRealTimeFrame();
    const std::vector<uint8_t> first = gl->readPixels();
    // Viewpoint, flat lot, soil and scene; textures hidden leave the backdrop out.
    EXPECT_EQ(gDisplayListCompiles - before, 4);
    EXPECT_TRUE(gSceneDisplayList && gViewpointDisplayList && gFlatLotDisplayList && gBaseLotDisplayList);
    before = gDisplayListCompiles;
    LiveViewRealTimeFrame();
    EXPECT_EQ(gDisplayListCompiles - before, 0);
    EXPECT_EQ(gl->readPixels(), first);
    ReRenderObject(built);
    EXPECT_EQ(gSceneDisplayList, 0u);
    LiveViewRealTimeFrame();
    EXPECT_EQ(gDisplayListCompiles - before, 1);
    EXPECT_EQ(gl->readPixels(), first);
    ds->renderMode = rendermode::kWireframe;
    frames(2);
    EXPECT_EQ(gSceneDisplayList, 0u);
}

TEST_F(RealTime, SpeedsTradeTexturesBackdropAndLotForRate) {
    // A red plate just under the ground where the view's centre meets it: the flat lot lies
    // under everything, the full-quality lot (speed 6) covers it.
    AddQuad({{-40, 1, -400}, {40, 1, -400}, {40, 1, -200}, {-40, 1, -200}}, kRed)->object3D = owner;
    ds->renderValue = 0, ds->backgroundTexture = 0, ds->cameraValue = 10;
    struct Row { int16_t speed; bool plate, fastLot, skyClear; } rows[] = {
        {6, false, false, false}, {7, true, false, false}, {9, true, true, false}, {10, true, true, true}};
    for (const Row& r : rows) {
        ds->navigationSpeed = r.speed;
        frames();
        EXPECT_EQ(is(32, 28, kRed), r.plate) << r.speed;
        EXPECT_EQ(is(32, 4, {64 * 257, 120 * 257, 48 * 257}, 2), r.fastLot) << r.speed;
        EXPECT_EQ(gBackgroundDisplayList == 0, r.skyClear) << r.speed;
        if (r.skyClear) { EXPECT_TRUE(is(32, 62, kGrey, 1)); }
    }
    // A lot texture some full frame loaded: textured at 8 with nearest filtering, linear at 7.
    ds->lotTexture = 77;
    const uint8_t texels[4 * 4] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    glBindTexture(GL_TEXTURE_2D, 77);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    for (auto [speed, filter] : {std::pair{8, GL_NEAREST}, std::pair{7, GL_LINEAR}}) {
        ds->navigationSpeed = int16_t(speed);
        frames();
        GLint min = 0;
        glBindTexture(GL_TEXTURE_2D, 77);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        EXPECT_EQ(min, filter) << speed;
        // Red texels modulate the blue lot towards black.
        EXPECT_TRUE(is(32, 4, {}, 40)) << speed;
    }
}

TEST_F(RealTime, GroundAndSkyFollowTheLotTheTerrainAndTheView) {
    // Below ground, 400 in front of the lot's near side: the soil block's brown wall.
    ds->renderValue = 0, ds->lotRect = {-100, -100, 100, 100}, ds->cameraPosition = {0, 500};
    ds->eyeHeight = -100, ds->navigationFlag = 0;
    frames();
    EXPECT_TRUE(is(32, 32, {72 * 257, 56 * 257, 0}, 2));
    // A terrain of zeros draws the flat lot; render mode 4 without one draws no lot.
    terrain(std::vector<float>(9, 0.0f));
    frames();
    EXPECT_TRUE(gFlatLotDisplayList && !gLotDisplayList);
    std::memset(ds->topoFilePath, 0, sizeof ds->topoFilePath);
    ResetTopoGrid();
    ds->renderMode = rendermode::kFilled;
    frames();
    EXPECT_TRUE(!gFlatLotDisplayList && !gLotDisplayList);
    // Wider than tall: the backdrop is 200 wide and 400 tall in its 200-wide box.
    ds->renderMode = rendermode::kSolid;
    host = std::make_unique<LiveViewHostRecorder>(gl.get(), 64, 32);
    frames();
    EXPECT_EQ(gBackgroundWidth, 100.0f);
    EXPECT_EQ(gBackgroundHeight, 200.0f);
}

TEST_F(RealTime, ATerrainWhoseColoursCannotBeHadLeavesNoListOpen) {
    terrain({0, 10, 0, 10, 20, 10, 0, 10, 0});
    ds->renderValue = 0;
    SetLotColourAllocatorForTesting([](size_t) -> RGBColor* { return nullptr; });
    frames();
    GLint open = -1;
    glGetIntegerv(GL_LIST_INDEX, &open);
    EXPECT_EQ(open, 0);
    EXPECT_EQ(gLotDisplayList, 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    SetLotColourAllocatorForTesting(nullptr);
    frames();
    EXPECT_NE(gLotDisplayList, 0u);
}

TEST_F(RealTime, TheCutAwayClipsOnlyWithAPosition) {
    Point(owner, {-10, -20, -10}), Point(owner, {10, 0, 10});
    ds->cameraPosition = {0, 100}, ds->eyeHeight = 10, ds->navigationFlag = 0, ds->cutAwayKind = 0;
    ds->lotRect = {30000, 30000, 30001, 30001}, ds->renderValue |= hideflag::kTopography;
    square(-10, 10, 9, 8, kRed), square(10, 10, -9, 8, kGreen);
    for (int32_t position : {0, 105}) {
        ds->cutAwayPosition = position;
        frames();
        EXPECT_EQ(is(24, 32, kRed), position == 0) << position;
        EXPECT_TRUE(is(40, 32, kGreen)) << position;
        EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    }
}

TEST_F(RealTime, APickAnswersThePieceTheLotOrNothing) {
    // The centre ray of a 10-degree pitch from 50 up passes 32.4 up at 100 ahead.
    PlaneObject* red = square(0, 32.4f, -100, 6, kRed);
    struct Row { int32_t x, y; GLPick::Kind kind; PlaneObject* piece; } rows[] = {
        {32, 32, GLPick::Piece, red}, {32, 60, GLPick::Lot, nullptr}, {32, 2, GLPick::Nothing, nullptr}};
    for (const Row& r : rows) {
        const GLPick hit = PickGLPlaneObject(r.x, r.y);
        EXPECT_EQ(hit.kind, r.kind) << r.y;
        EXPECT_EQ(hit.piece, r.piece) << r.y;
    }
    // The pick's lists hold its pick box: none is left for a display frame.
    EXPECT_EQ(gSceneDisplayList + gViewpointDisplayList, 0u);
}

// Seen from the front (elevation 1), a red square far back on the left and a green one near
// on the right: each is picked where it shows, and nothing beside them.
TEST_F(RealTime, AnElevationPicksThePieceUnderThePoint) {
    ds->lotRect = {30000, 30000, 30001, 30001}, ds->renderValue |= hideflag::kTopography, ds->elevationView = 1;
    Point(owner, {-40, -40, -60}), Point(owner, {40, 0, 60});
    PlaneObject* red = square(-20, 20, -50, 8, kRed);
    PlaneObject* green = square(20, 20, 50, 8, kGreen);
    frames();
    const WindowPoint onRed = ProjectToWindow(-20, 20, -50), onGreen = ProjectToWindow(20, 20, 50);
    ASSERT_TRUE(is(onRed.x, onRed.y, kRed) && is(onGreen.x, onGreen.y, kGreen));
    struct Row { WindowPoint at; GLPick::Kind kind; PlaneObject* piece; } rows[] = {
        {onRed, GLPick::Piece, red}, {onGreen, GLPick::Piece, green}, {{onRed.x, 62}, GLPick::Nothing, nullptr}};
    for (const Row& r : rows) {
        const GLPick hit = PickGLPlaneObject(r.at.x, 64 - r.at.y);
        EXPECT_EQ(hit.kind, r.kind) << r.at.x << "," << r.at.y;
        EXPECT_EQ(hit.piece, r.piece) << r.at.x << "," << r.at.y;
    }
}

// A full frame drawn in the middle of an interaction (the view exposed) clears to black under
// its backdrop; the real-time frames after it still clear to the sky at speed 10 and to the
// paper in ClearView and in an elevation.
TEST_F(RealTime, AFullFrameAmongRealTimeFramesLeavesThemTheirClearColour) {
    constexpr RGBColor kPaper{0xFFFF, 0xFFFF, 0x8080};
    ds->lotRect = {30000, 30000, 30001, 30001}, ds->renderValue = hideflag::kTopography, ds->backgroundColor = kPaper;
    struct Row { const char* what; int16_t speed, mode, elevation; RGBColor clear; } rows[] = {
        {"speed 10", 10, rendermode::kSolid, 0, kGrey},
        {"ClearView", 8, rendermode::kClearView, 0, kPaper},
        {"elevation", 8, rendermode::kSolid, 1, kPaper}};
    for (const Row& r : rows) {
        ds->navigationSpeed = r.speed, ds->renderMode = r.mode, ds->elevationView = r.elevation;
        RTInitializeGLScene();
        RefreshGLScene();
        LiveViewRealTimeFrame();
        EXPECT_TRUE(is(2, 61, r.clear, 1)) << r.what;
    }
}

TEST_F(RealTime, ClearViewDrawsLinesThenFillsMostOfTheWayToThePaper) {
    ds->lotRect = {30000, 30000, 30001, 30001}, ds->renderValue |= hideflag::kTopography, ds->navigationFlag = 0;
    ds->renderMode = rendermode::kClearView, ds->backgroundColor = kWhite, gClearViewLineColor = {0xFFFF, 0, 0xFFFF};
    square(0, 50, -100, 20, kRed);
    frames(2);
    // 0.87 of the way from 0 to 65535 is 57015, 221 as a byte.
    EXPECT_TRUE(is(32, 32, {0xFFFF, 57015, 0xFFFF}, 1));
    int lines = 0;
    for (int x = 0; x < 64; ++x) lines += is(x, 32, {0xFFFF, 0, 0xFFFF}, 1);
    EXPECT_EQ(lines, 2);
}

TEST_F(RealTime, AColourDroppedOnAWallFaceLandsInTheWall) {
    wall(-150);
    ds->renderValue = hideflag::kMaterials | hideflag::kTopography;
    EXPECT_EQ(ApplyColor(32, 32, 0x3380FF, 0, 0), 1);
    frames();
    EXPECT_TRUE(is(32, 32, {0xFFFF, 0x8080, 0x3333}, 2));
}

TEST_F(RealTime, AnUntexturedSceneLooksAsTheFullFrameDrawsIt) {
    // Textures shown (the scene has none) so both frames draw the backdrop.
    ds->lotRect = {30000, 30000, 30001, 30001}, ds->renderValue = hideflag::kTopography;
    square(0, 20, -100, 20, kRed), square(15, 25, -90, 6, kGreen), square(-30, 10, -150, 15, kBlue);
    Point(owner, {-45, -40, -150}), Point(owner, {35, 0, -90});
    for (auto [pitch, elevation] : {std::pair<uint8_t, int16_t>{0, 0}, {1, 0}, {0, 1}}) {
        ds->navigationFlag = pitch, ds->elevationView = elevation;
        RefreshGLScene();
        const std::vector<uint8_t> full = gl->readPixels(), fast = frames();
        int differ = 0;
        for (size_t i = 0; i < full.size(); ++i) differ += std::abs(int(full[i]) - int(fast[i])) > 8;
        // Rasterising differs at most along edges.
        EXPECT_LT(differ, 64 * 2) << int(pitch) << " " << elevation;
        int scene = 0;  // pixels unlike the corner's background
        for (int i = 0; i < 64 * 64; ++i) scene += gl->pixel(i % 64, i / 64) != gl->pixel(0, 0);
        EXPECT_GT(scene, 300) << elevation;
    }
}

TEST_F(RealTime, DraggingTheMarkersHeadingDrawsOneFramePerMoveWithTheWallTurning) {
    // The wall spans 21.8 degrees either side of straight ahead; pixels 10 and 54 look 15.9
    // degrees left and right, and a pointer 30 aside turns the eye 16.7 degrees.
    wall(-150);
    ds->navigationFlag = 0, ds->renderValue = hideflag::kMaterials | hideflag::kTopography;
    RealTimeTrackAngleD3D drag;
    ASSERT_TRUE(drag.begin(nullptr));
    struct Row { POINT at; bool left, right; } rows[] = {
        {{0, -100}, true, true}, {{30, -100}, true, false}, {{-30, -100}, false, true}};
    for (const Row& r : rows) {
        host->events.clear();
        drag.move(r.at);
        EXPECT_EQ(std::count(host->events.begin(), host->events.end(), "flush"), 1);
        EXPECT_EQ(!is(10, 40, kGrey), r.left) << r.at.x;
        EXPECT_EQ(!is(54, 40, kGrey), r.right) << r.at.x;
    }
    drag.end();
}

}  // namespace
