// The shadow render's arithmetic, worked out by hand: falloff across a light view, the
// composite of the dark and lit images, quick quality's gap filling, the eye positions of
// camera pixels, and where a flood light's two lamp heads look from.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/type_data.h"
#include "model/view_layers.h"
#include "render/core/shadow_lights.h"
#include "support/build.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

TEST(ShadowFalloff, ConeAndAmbientModesFadeAcrossTheView) {
    // A 64 x 48 view: the cone's radius is half the height, 24, round (32, 24).
    struct Row { float px, py; int32_t n, mode; float t; } rows[] = {
        {32, 24, 0, 1, 0},       {44, 24, 0, 1, 0.5f},   {32, 36, 0, 1, 0.5f}, {44, 24, 2, 1, 0.0625f},
        {56.5f, 24, 0, 1, -1},   {32, 0, 0, 1, -1},      {32, 12, 1, 2, 0.5625f}, {32, 12, 1, 3, 0.0625f},
        {32, 12, 1, 4, 0.28125f}, {32, 12, 1, 5, 0.03125f}, {32, 12, 0, 2, 0.75f}, {32, 48, 1, 2, -1},
        {32, 12, 1, 7, -1}};
    for (const Row& r : rows)
        EXPECT_FLOAT_EQ(GetPixelDistance(r.px, r.py, 0, 0, 64, 48, r.n, r.mode), r.t)
            << r.px << "," << r.py << " n" << r.n << " mode " << r.mode;
    // The mode follows the ambient switches.
    struct Switch { uint8_t down, up, both, fade; int32_t mode; } switches[] = {
        {0, 0, 0, 0, 1}, {1, 0, 0, 0, 2}, {0, 1, 0, 1, 3}, {0, 0, 1, 1, 4}, {0, 0, 1, 0, 5}};
    for (const Switch& s : switches) {
        gAmbientLightDown = s.down, gAmbientLightUp = s.up, gAmbientLightUpDown = s.both, gFadeDown = s.fade;
        EXPECT_EQ(CurrentFalloffMode(), s.mode);
    }
    gAmbientLightDown = gAmbientLightUp = gAmbientLightUpDown = gFadeDown = 0;
}

TEST(ShadowImages, CompositeFoldsAndFillsPerPixel) {
    // Per channel dark + (light - dark)·map; a channel whose light is darker keeps dark.
    std::vector<uint8_t> dark = {10, 200, 50, 10, 200, 50, 10, 200, 50};
    const std::vector<uint8_t> light = {250, 100, 50, 250, 100, 50, 250, 100, 51};
    CompositeShadowImage(dark, light, std::vector<float>{1.0f, 0.0f, 0.5f});
    EXPECT_EQ(dark, (std::vector<uint8_t>{250, 200, 50, 10, 200, 50, 130, 200, 50}));

    std::vector<float> map = {0.5f, 0.0f, 0.2f}, add = {0.5f, 0.0f, -1.0f};
    FoldIntoLightMap(map, add, 0.5f);
    EXPECT_EQ(map, (std::vector<float>{0.625f, 0.0f, 0.2f}));
    EXPECT_EQ(add, (std::vector<float>{0, 0, 0}));

    // 3 x 3, tested pixels (x + y even) hold contributions; the others take their in-image
    // neighbours' mean: the middle of the top row has three, the centre four.
    std::vector<float> contribution = {0.4f, 0, 0.8f, 0, 0.2f, 0, 0.6f, 0, 0};
    std::vector<float> lit(9, 0.0f);
    FillUntestedPixels(lit, contribution, 3, 3, true);
    EXPECT_FLOAT_EQ(lit[1], (0.4f + 0.8f + 0.2f) / 3);
    EXPECT_FLOAT_EQ(lit[3], (0.4f + 0.2f + 0.6f) / 3);
    EXPECT_FLOAT_EQ(lit[7], (0.2f + 0.6f + 0.0f) / 3);
    EXPECT_EQ(lit[0] + lit[4], 0.0f);  // tested pixels are not refilled
    EXPECT_EQ(contribution, std::vector<float>(9, 0.0f));
    std::vector<float> ambient(9, 0.0f), held = {0.4f, 0, 0.8f, 0, 0.2f, 0, 0.6f, 0, 0};
    FillUntestedPixels(ambient, held, 3, 3, false);
    EXPECT_EQ(ambient, std::vector<float>(9, 0.0f));
}

TEST(ShadowImages, EyePositionsInvertTheCameraOncePerPixel) {
    // An orthographic camera over x -2..2, y -1..1, depth -1..1 looking down -z, 4 x 2
    // pixels: pixel (x, y) at depth d lies at (x + 0.5 - 2, y + 0.5 - 1, 1 - 2d), where its
    // depth was drawn: its centre.
    ViewMatrices m;
    for (int i = 0; i < 16; i += 5) m.modelview[i] = 1;
    m.projection[0] = 0.5, m.projection[5] = 1, m.projection[10] = -1, m.projection[15] = 1;
    m.viewport[2] = 4, m.viewport[3] = 2;
    const std::vector<float> depth = {0.25f, 0.0f, 1.0f, 0.5f, 0.75f, 0.5f, 0.5f, 0.5f};
    std::vector<float> eyes(24, 9.0f);
    ASSERT_TRUE(FillEyePositions(m, depth, 4, 2, eyes));
    EXPECT_EQ(std::vector<float>(eyes.begin(), eyes.begin() + 12),
              (std::vector<float>{-1.5f, -0.5f, 0.5f, 9, 9, 9, 9, 9, 9, 1.5f, -0.5f, 0}));  // 0 and 1 are left
    EXPECT_EQ(std::vector<float>(eyes.begin() + 12, eyes.begin() + 15), (std::vector<float>{-1.5f, 0.5f, -0.5f}));
    // And back: the projector puts the point where it came from.
    double wx, wy, wz;
    ASSERT_TRUE(ViewProjector(m).project(&eyes[12], &wx, &wy, &wz));
    EXPECT_NEAR(wx, 0.5, 1e-9);
    EXPECT_NEAR(wy, 1.5, 1e-9);
    EXPECT_NEAR(wz, 0.75, 1e-9);
    ViewMatrices singular;
    EXPECT_FALSE(FillEyePositions(singular, depth, 4, 2, eyes));
}

class ShadowLightViews : public DocumentTest {};

TEST_F(ShadowLightViews, FloodLightHeadsLookOutFromTheWall) {
    // A wall along +x, 10 inches thick (20 units); the light 50 along it on the first side.
    Objex* wall = Wall(GetFirstFloorLayer(), {{0, 0}, {100, 0}});
    wall->penWidth = 10;
    auto* record = new AttachmentRecord{};
    record->segmentStart = wall->firstPoint, record->segmentEnd = wall->firstPoint->next;
    record->centreDistance = 50, record->elevation = 30;
    Objex* light = Make(56, 83).in(wall).with(record);
    objfield::light::kDimmer(*light) = 51, objfield::light::kBeamWidth(*light) = 100;
    objfield::light::kFalloff(*light) = 1.6f;
    const DocState& ds = *doc->itsDocState;
    const auto lights = ShadowLightsOf(*wall, ds);
    ASSERT_EQ(lights.size(), 1u);
    const ShadowLight& s = lights[0];
    EXPECT_EQ(std::make_tuple(s.type, s.falloff, s.views.size()), std::make_tuple(83, 2, size_t(2)));
    EXPECT_FLOAT_EQ(s.intensity, 0.8f);
    // Side 0 faces -90 degrees; the heads sit 9 units out at ±57 degrees from the normal.
    struct Head { float x, z, heading; } heads[] = {{57.548f, 24.901f, -42}, {42.452f, 24.901f, 42}};
    for (int i = 0; i < 2; ++i) {
        const LightView& v = s.views[i];
        EXPECT_NEAR(v.x, heads[i].x, 1e-3) << i;
        EXPECT_NEAR(v.z, heads[i].z, 1e-3) << i;
        EXPECT_EQ(std::make_tuple(v.pitch, v.heading, v.fov, v.y), std::make_tuple(130.0f, heads[i].heading, 60.0f, 30.0f));
    }
    objfield::light::kOff(*light) = 1;
    EXPECT_TRUE(ShadowLightsOf(*wall, ds).empty());
    EXPECT_EQ(LightStepsOf(*wall, ds, 0), 0);
}

TEST_F(ShadowLightViews, FixturesLookFromTheirTabledPlaces) {
    const DocState& ds = *doc->itsDocState;
    Objex* group = Make(1000).on(GetFirstFloorLayer());
    Objex* lamp = Make(80).in(group);
    group->elevation = 100, objfield::light::kBeamWidth(*lamp) = 90, objfield::light::kRotation(*lamp) = 0;
    lamp->bounds3D.floatLeft = lamp->bounds3D.floatRight = 10, lamp->bounds3D.floatBack = lamp->bounds3D.floatFront = 20;
    // Heights in inches above the group's elevation, at 2 units an inch.
    struct Row { int16_t type; int32_t ambient; std::vector<std::array<float, 6>> views; bool up, down; } rows[] = {
        {79, 0, {}, false, true},
        {80, 1, {{{184, 10, 20, 90, 0, 90}}}, false, true},
        {146, 1, {{{203, 10, 20, -90, 0, 70}}}, true, false},
        {147, 0, {{{224, 10, 10, 315, 0, 70}}}, false, false},
        {149, 1, {{{260, 10, 20, 90, 0, 120}}}, false, false},
        {152, 1, {{{205, 10, 20, 90, 0, 90}}, {{195, 10, 20, -90, 0, 90}}}, true, true},
        {120, 1, {}, false, false}};
    for (const Row& r : rows) {
        lamp->type = r.type, objfield::light::kAmbient(*lamp) = r.ambient;
        const auto lights = ShadowLightsOf(*group, ds);
        ASSERT_EQ(lights.size(), 1u) << r.type;
        std::vector<std::array<float, 6>> seen;
        for (const LightView& v : lights[0].views)
            seen.push_back({v.y, std::round(v.x * 1e3f) / 1e3f, std::round(v.z * 1e3f) / 1e3f, v.pitch, v.heading, v.fov});
        EXPECT_EQ(seen, r.views) << r.type;
        EXPECT_EQ(std::make_pair(lights[0].ambientUp, lights[0].ambientDown), std::make_pair(r.up, r.down)) << r.type;
    }
    objfield::light::kOff(*lamp) = 1;
    EXPECT_TRUE(ShadowLightsOf(*group, ds).empty());
}

}  // namespace
