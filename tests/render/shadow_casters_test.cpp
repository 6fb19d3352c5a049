// What casts a shadow in a shadowed render (OSMesa): a wall with a door and a window, a plant
// and a photo built by the scene, under the sun, seen from straight above.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <string>

#include "files/content_folders.h"
#include "files/texture_files.h"
#include "geometry/openings/landscape_plants.h"
#include "model/bounds.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/render_state.h"
#include "model/type_data.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "render/core/shadow_seams.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/doubles.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "tools/photos.h"
#include "render/billboards.h"
#include "tools/wall_construction.h"

using namespace dvxtest;

namespace {

class ShadowCasters : public LiveViewRenderTest {
protected:
    void SetUp() override {
        LiveViewRenderTest::SetUp();
        UseViewSize(128, 128);
        port::setImageDecoder(&decoder);
        SetShadowRenderClockHandler([] { return 0.0; });
        ds = doc->itsDocState;
        ds->renderMode = rendermode::kSolid, ds->shadowsOn = 1, ds->shadowQuality = 5;
        ds->cameraMode = 1, ds->navigationFlag = 1, ds->cameraValue = 90, ds->cameraHeading = 0;
        ds->eyeHeight = 700, ds->cameraPosition = {0, 0}, ds->lightIntensity = 0.5f, ds->lightSetting = 8;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography, ds->lotRect = {30000, 30000, 30001, 30001};
        ds->skyColor = {0, 0, 0};
        ds->sunOn = 1, ds->sunValueB = 45, ds->sunValueD = 100, ds->sunShadowQuality = 1, ds->sunAngle = 0;
        gLiveViewPanelVisible = 1;
        owner = Make(44).on(GetFirstFloorLayer());
        Point(owner, {-300, 0, -300}), Point(owner, {300, 0, 300});
    }
    // The scene of the design's objects on a white floor.
    void build() {
        RenderAllLayers();
        PlaneObject* floor = AddQuad({{-600, 0, -600}, {600, 0, -600}, {600, 0, 600}, {-600, 0, 600}}, kWhite);
        floor->planes->ny = 1, floor->object3D = owner;
    }
    void TearDown() override { SetShadowRenderClockHandler(nullptr), LiveViewRenderTest::TearDown(); }
    std::vector<uint8_t> frame() {
        RefreshGLScene();
        return gl->readPixels();
    }
    // The red channel where the floor point (x, 0, z) shows.
    int at(float x, float z) {
        const WindowPoint w = ProjectToWindow(x, 0, z);
        return int(gl->pixel(w.x, w.y) >> 24);
    }
    PpmImageDecoder decoder;
    DocState* ds = nullptr;
    Objex* owner = nullptr;
};

// Seen from 700 straight above, the sun 45 degrees up in direction 0 throws every shadow
// toward +z as far as its caster is high. Floor points (x, z), each lit or in shadow as worked
// out from where the ray toward the sun meets the casters:
// - the wall from (-250, -150) to (50, -150), 12 thick (faces at z -156 and -144), 96 high:
//   shadow from z -144 to -48; light passes where the ray crosses both faces inside an
//   opening: the window (x -201..-159, 19 to 60 up) at z -125..-96, the door (x -61..-19, up
//   to 60) at z -144..-96;
// - the plant standing at (150, 0), 80 high and 68 wide, turned to the sun: its picture is
//   keyed away on its left half as the sun sees it, so only x 116..150 shadows, z 0..113;
// - the photo's panel from (100, 200) to (200, 200), 50 high: shadow z 200..250.
TEST_F(ShadowCasters, OpeningsLetLightThroughAndBillboardsAndPanelsCastTheirShapes) {
    Objex* wall = Outline(objtype::kWall, {{-250, -150}, {50, -150}}, false).on(GetFirstFloorLayer());
    wall->penWidth = 6;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 48;
    auto opening = [&](int16_t type, int16_t style, float centre, float elevation, float height) {
        AttachmentRecord* r = Opening(wall, type, style, 0)->typeData.attachment;
        r->centreDistance = centre, r->width = 40, r->elevation = elevation, r->height = height;
    };
    opening(objtype::kWindow, 600, 70, 20, 40);
    opening(objtype::kDoor, 500, 210, 0, 60);
    Update3DWall(wall);

    // A plant picture green on its right half, black (see-through) on its left.
    Objex* plant = BuildLandscapePlant(GetFirstFloorLayer(), 1, 3000);
    ASSERT_NE(plant, nullptr);
    WritePpm(PlantTexturePath(3000, plant, rendermode::kSolid), RgbImage(8, 8, [](int x, int) { return x < 4 ? 0u : 0x00FF00u; }));
    plant->plantInfo->maximumGrowthHeight = 40, plant->plantInfo->annualGrowthRate = 100, plant->plantAge = 30;
    float h = 0, d = 0;
    for (const Poinz* p = plant->firstPoint; p; p = p->next) h += p->position[0] / 4, d += p->position[2] / 4;
    for (Poinz* p = plant->firstPoint; p; p = p->next) p->position[0] += 150 - h, p->position[2] -= d;
    UpdateObjectBounds(plant);

    Objex* photo = BuildPhoto();
    ASSERT_NE(photo, nullptr);
    const std::string picture = LocalDomainCustomTexturePath() + "/picture.ppm";
    WritePpm(picture, RgbImage(16, 16, [](int, int) { return 0xC08040u; }));
    Make(photo).image(picture.c_str());
    photo->firstPoint->position[0] = 100, photo->firstPoint->position[2] = 200;
    photo->firstPoint->next->position[0] = 200, photo->firstPoint->next->position[2] = 200;
    objfield::photo::kHeight(*photo) = 50;
    Update3DPhoto(photo);
    build();
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        if (p->baseObject == plant) { EXPECT_NEAR(p->plantHeight, 80, 1e-3); EXPECT_NEAR(p->plantHalfWidth, 34, 1e-3); }

    ds->sunOn = 0;
    frame();
    const int dark = at(250, -250);
    ds->sunOn = 1;
    frame();
    const int lit = at(250, -250);
    ASSERT_GT(lit, dark + 40);
    struct Point { const char* what; float x, z; bool lit; } points[] = {
        {"the wall's shadow", -110, -100, false}, {"beyond the wall's shadow", -110, -30, true},
        {"through the window", -180, -110, true}, {"under the window", -180, -70, false},
        {"through the door", -40, -120, true}, {"above the door", -40, -70, false},
        {"the plant's picture", 130, 50, false}, {"its see-through half", 170, 50, true},
        {"beyond the plant", 150, 140, true},
        {"the photo's panel", 150, 225, false}, {"beyond the photo", 150, 270, true}, {"beside it", 80, 225, true},
    };
    for (const Point& p : points) EXPECT_NEAR(at(p.x, p.z), p.lit ? lit : dark, 4) << p.what;
}

}  // namespace
