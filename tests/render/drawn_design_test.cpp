// Designs drawn with the tools (zoom 1, scale 72: a plan unit is an inch) rendered into an
// OSMesa surface: a wire frame on the default background, the automatic floor of a room and of
// an L of walls seen from above, and a sunlit hip roof at an export's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/render_state.h"
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

int Grey(uint32_t rgba) { return int((rgba >> 24) + ((rgba >> 16) & 0xFF) + ((rgba >> 8) & 0xFF)) / 3; }

class DrawnDesign : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        RegisterLiveView(true);
        surface(64, 64);
        ds->renderMode = rendermode::kSolid, ds->renderValue = hideflag::kMaterials;
    }
    void TearDown() override {
        DeleteAllRendererObjects();
        host.reset(), EndGLContextObjects(), gl.reset();
        PlanGestureTest::TearDown();
    }
    void surface(int width, int height) {
        if (gl) host.reset(), EndGLContextObjects(), gl.reset();
        gl = std::make_unique<OffscreenGL>(width, height);
        ASSERT_TRUE(gl->ok());
        StartRenderer(), StartGLContextObjects();
        host = std::make_unique<LiveViewHostRecorder>(gl.get(), float(width), float(height));
    }
    // Exterior walls from corner to corner, each drag starting where the last ended.
    void Walls(std::vector<POINT> corners) {
        gCurTool = 7050;
        for (size_t i = 1; i < corners.size(); ++i) {
            const POINT a = corners[i - 1], b = corners[i];
            Drag({a, {(a.x + b.x) / 2, (a.y + b.y) / 2}, b});
        }
    }
    // The fly camera `distance` from (h, d), `pitch` degrees down.
    void Above(float h, float d, float pitch, float distance) {
        ds->cameraMode = 2, ds->lightOffset = {h, d}, ds->flyValueA = pitch, ds->flyValueB = 0;
        ds->flyAltitude = distance;
    }
    void Frame() {
        RenderAllLayers();
        RefreshGLScene();
    }
    std::unique_ptr<OffscreenGL> gl;
    std::unique_ptr<LiveViewHostRecorder> host;
};

TEST_F(DrawnDesign, AWireFrameDrawsItsWallsInLinesThatShowOnTheDefaultBackground) {
    ASSERT_EQ(ds->sceneColor.red + ds->sceneColor.green + ds->sceneColor.blue, 0);  // black
    ds->renderMode = rendermode::kWireframe;
    ds->cameraMode = 1, ds->cameraHeading = 0, ds->cameraPosition = {200, 400}, ds->eyeHeight = 48;
    auto lit = [&] {
        Frame();
        int n = 0;
        for (int y = 8; y < 56; ++y)
            for (int x = 8; x < 56; ++x) n += Grey(gl->pixel(x, y)) > 100;
        return n;
    };
    const int lot = lit();
    Walls({{100, 200}, {300, 200}});  // 200 wide, 200 ahead of the eye
    EXPECT_GT(lit(), lot + 20) << "the wall's edges were lost on the background";
}

TEST_F(DrawnDesign, AnLOfWallsFloorsItsTriangleAndTheClosedRoomTheWholeRoom) {
    // Seen from straight above the room (100..300, 100..300): the floor is lighter than the
    // ground. The L's outline is closed across its open side: its floor is the triangle in its
    // corner, and the half of the room beyond the diagonal shows the ground.
    Above(200, 200, 89.9f, 900);
    Walls({{100, 300}, {100, 100}, {300, 100}});
    Frame();
    const int ground = Grey(gl->pixel(2, 2));
    auto floorAt = [&](float h, float d) {  // the fly camera's 38 degrees: 64 px over 2 tan(19) 900
        const float k = 64 / (2 * 0.34433f * 900);
        return Grey(gl->pixel(int(32 + (h - 200) * k), int(32 + (d - 200) * k))) - ground;
    };
    EXPECT_LT(std::abs(floorAt(250, 250)), 8) << "a floor beyond the L's diagonal";
    EXPECT_GT(floorAt(150, 150), 20) << "no floor in the L's corner";
    Walls({{300, 100}, {300, 300}, {100, 300}});  // the same wall, closed round the room
    ASSERT_EQ(CountObjects(doc->itsCurLayer->firstObject), 1);
    ASSERT_TRUE(doc->itsCurLayer->firstObject->closed);
    Frame();
    EXPECT_GT(floorAt(250, 250), 20);
    EXPECT_GT(floorAt(150, 150), 20);
}

TEST_F(DrawnDesign, ASunlitHipRoofKeepsItsFacesEvenAtAnExportsSize) {
    // The roof's edge faces the camera and the sun; at 1200 x 900 each camera pixel is smaller
    // than a sun texel, where any error in the pixel's place shades the face in saw teeth.
    surface(1200, 900);
    ds->roofPitch = 6;
    Walls({{100, 100}, {400, 100}, {400, 300}, {100, 300}, {100, 100}});
    gCurTool = 7301;  // hip
    Drag({{100, 100}, {200, 200}, {400, 300}});
    Above(250, 200, 30, 700);
    ds->flyValueB = 30, ds->shadowsOn = 1, ds->sunOn = 1, ds->sunShadowQuality = -1, ds->sunValueB = 40;
    ds->sunAngle = 0, ds->sunValueD = 100;
    Frame();
    // The roof's edge is the only tan in the picture (red well above blue): its front, right
    // of its corner at x 580, faces the sun, lit all over (a shadowed pixel is too dark to
    // be tan) and shaded smoothly along each row, where a step of more than 30 grey levels
    // between neighbours is a tooth of shadow.
    auto tan = [](uint32_t p) { return int(p >> 24) > int((p >> 8) & 0xFF) + 20; };
    int front = 0, teeth = 0;
    for (int y = 0; y < 900; ++y)
        for (int x = 600; x < 1199; ++x) {
            const uint32_t a = gl->pixel(x, y), b = gl->pixel(x + 1, y);
            if (!tan(a) || !tan(b)) continue;
            ++front;
            teeth += std::abs(Grey(a) - Grey(b)) > 30;
        }
    EXPECT_GT(front, 5000) << "the front in shadow";
    EXPECT_LT(teeth * 30, front) << teeth << " teeth along " << front << " pixels";
}

}  // namespace
