// The lot in an OSMesa context, read back as pixels: the ground seen from above, from eye
// level and from below, its holes, its shaded slopes, the soil base and the backdrop.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <string>

#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/view_layers.h"
#include "port/files.h"
#include "render/core/lot_surface.h"
#include "model/render_state.h"
#include "render/core/topo_cutouts.h"
#include "render/core/live_view_seams.h"
#include "render/gl.h"
#include "render/lot_renderers.h"
#include "render_fixture.h"
#include "scene/scene_camera.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/doubles.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

constexpr int32_t kWood = 2200;  // WOOD/WOOD1
constexpr RGBColor kLot{0xFFFF, 0x8080, 0};
constexpr float kHalf = 200;  // the top view shows x -200..200

class LotDrawing : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        port::setImageDecoder(&decoder);
        ds = doc->itsDocState;
        floor = GetFirstFloorLayer();
        ds->lotRect = {-144, -144, 144, 144};  // four 72-inch cells each way
        ds->topoGridSpacing = 72;
        ds->lotColor = kLot;
        ds->lotTexture = 0;
        ds->renderMode = rendermode::kSolid;
        ds->renderValue = 0;
        ds->renderFlag = 0;
        ds->lightValue = 0;      // no darkening
        ds->lightIntensity = 2.5f;  // brightness step 1: the colour as it is
        gTopographyGrid.clear(), gTopoRowCnt = gTopoColumnCnt = 0;
        SetLiveViewControllerExistsHandler([] { return true; });
    }
    void TearDown() override {
        SetLiveViewControllerExistsHandler(nullptr);
        RenderTest::TearDown();
    }
    void camera(float eyeY, bool perspective = false) {
        const int w = gl->width(), h = gl->height();
        glViewport(0, 0, w, h);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        if (perspective) gluPerspective(60, double(w) / h, 1, 50000);
        else glOrtho(-kHalf, kHalf, -kHalf * h / w, kHalf * h / w, 1, 30000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (perspective) gluLookAt(0, eyeY, 100, 0, eyeY, -1000, 0, 1, 0);
        else gluLookAt(0, eyeY, 0, 0, 0, 0, 0, 0, -1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
    }
    // Ground, soil and finish, seen from straight above (or below with a negative height).
    void draw(float eyeY = 10000) {
        camera(eyeY);
        RenderGLLot();
        RenderGLLotBase();
        gl->present();
    }
    // The pixel over plan point (h, d) in the top view (seen from below, h mirrored).
    uint32_t at(float h, float d, bool below = false) const {
        const int w = gl->width(), hgt = gl->height();
        const float x = below ? -h : h;
        const int px = int((x + kHalf) / (2 * kHalf) * w);
        const int py = int((-d * (below ? -1 : 1) + kHalf * hgt / w) / (2 * kHalf * hgt / w) * hgt);
        return gl->pixel(px, py);
    }
    Objex* excavation(float h0, float d0, float h1, float d1) {
        return Outline(objtype::kExcavation, {{h0, d0}, {h1, d0}, {h1, d1}, {h0, d1}}, true, objsubtype::kExcavation)
            .on(floor);
    }
    // The lot's bottom-right node raised by 100 through a topography region round it.
    void raiseCorner() {
        Objex* region = Outline(objtype::kTopography, {{130, 130}, {160, 130}, {160, 160}, {130, 160}}).on(floor);
        objfield::topo_line::kHeight(*region) = 100;
        SetupTopoGrid();
        SetLotElevation();
        ASSERT_TRUE(TopoInUse());
        ASSERT_FALSE(IsTopoGridZeroFlat());
    }
    static bool Is(uint32_t rgba, RGBColor c, int tolerance = 8) {
        return NearColor(rgba, uint8_t(c.red / 257), uint8_t(c.green / 257), uint8_t(c.blue / 257), tolerance);
    }
    static bool Black(uint32_t rgba) { return NearColor(rgba, 0, 0, 0, 4); }

    PpmImageDecoder decoder;
    DocState* ds = nullptr;
    Layer* floor = nullptr;
};

TEST_F(LotDrawing, FlatGroundInTheLotColourWithHolesUnlessTheTopographyIsHidden) {
    draw();
    EXPECT_TRUE(Is(at(0, 0), kLot));
    EXPECT_TRUE(Black(at(180, 0)));  // beside the lot
    // A level camera sees ground below the horizon and nothing above it.
    camera(60, true);
    RenderGLLot();
    gl->present();
    EXPECT_TRUE(Is(gl->pixel(32, 2), kLot));
    EXPECT_TRUE(Black(gl->pixel(32, 45)));

    // An excavation off the centre opens the ground where it lies in the plan; the soil below
    // shows through.
    excavation(-110, 40, -50, 100);
    draw();
    EXPECT_TRUE(NearColor(at(-80, 70), 72, 56, 0));
    EXPECT_TRUE(Is(at(80, 70), kLot));
    EXPECT_TRUE(Is(at(-80, -70), kLot));
    ForEachTopoCutout([](Objex* o) { EXPECT_EQ(o->cutoutFlag, kCutoutUsable); });

    // A grid of zeros is flat ground too.
    SetupTopoGrid();
    ASSERT_FALSE(gTopographyGrid.empty());
    draw();
    EXPECT_TRUE(NearColor(at(-80, 70), 72, 56, 0));
    EXPECT_TRUE(Is(at(80, 70), kLot));

    // Hidden topography: one whole polygon and no soil.
    ds->renderValue = hideflag::kTopography;
    draw();
    EXPECT_TRUE(Is(at(-80, 70), kLot));
    draw(-10000);
    EXPECT_TRUE(Is(at(0, 0, true), kLot));
    ds->renderValue = 0;
    draw(-10000);
    EXPECT_TRUE(NearColor(at(0, 0, true), 72, 56, 0));
}

TEST_F(LotDrawing, TerrainShadesSlopesCutsHolesAndKeepsSmallCutouts) {
    ds->lightIntensity = 1.0f;  // shading short of saturation
    raiseCorner();
    // Row 0 lies on the bottom edge: the raised cell is the bottom-right one.
    draw();
    const uint32_t flat = at(-108, 108), sloped = at(108, 108), far = at(108, -108);
    EXPECT_FALSE(NearColor(flat, uint8_t(sloped >> 24), uint8_t(sloped >> 16), uint8_t(sloped >> 8), 3));
    EXPECT_TRUE(NearColor(far, uint8_t(flat >> 24), uint8_t(flat >> 16), uint8_t(flat >> 8), 3));

    // An excavation across four cells, and one wholly inside a single cell.
    excavation(-40, -40, 40, 40);
    excavation(-130, -130, -100, -100);
    draw();
    EXPECT_TRUE(NearColor(at(0, 0), 72, 56, 0));
    EXPECT_TRUE(NearColor(at(-115, -115), 72, 56, 0));
    EXPECT_EQ(at(-60, -60), flat);
    EXPECT_EQ(at(60, -60), flat);
    ForEachTopoCutout([](Objex* o) { EXPECT_EQ(o->cutoutFlag, kCutoutUsable); });

    // Seen from below, the soil base hides the ground.
    draw(-10000);
    EXPECT_TRUE(NearColor(at(100, 100, true), 72, 56, 0, 2));
}

TEST_F(LotDrawing, TexturedGroundRepeatsByItsSizeAndTheLotScale) {
    WritePpm(LocalDomainTexturePath() + "/WOOD/WOOD1.PTX",
             RgbImage(8, 8, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }));
    const std::string info = "[Size]\nWidth=72\nHeight=72\n";
    port::WriteWholeFile(LocalDomainTexturePath() + "/WOOD/WOOD1.PTI", info.data(), info.size());
    ds->lotTexture = kWood;
    ds->lotColor = {0xFFFF, 0xFFFF, 0xFFFF};
    Resize(256, 48);
    auto repeats = [&] {
        draw();
        int steps = 0;
        bool light = false;
        for (int x = 0; x < 256; ++x) {
            const uint32_t p = gl->pixel(x, 24);
            if ((p & 0xFF) == 0 || Black(p)) {
                light = false;
                continue;
            }
            const bool now = (p >> 24) > 128;
            if (now && !light) ++steps;
            light = now;
        }
        return steps;
    };
    // The lot's 288 over a 72-inch texture, 144 plan units at the default scale.
    ds->lotTextureScale = {100, 100};
    EXPECT_EQ(repeats(), 2);
    ds->lotTextureScale = {50, 50};
    EXPECT_EQ(repeats(), 4);
}

TEST_F(LotDrawing, BackdropCoversTheViewAndFollowsJitterAndHeading) {
    Resize(400, 300);
    LiveViewHostRecorder host(gl.get(), 400, 300);
    ds->skyColor = {0x2000, 0x4000, 0x6000};
    ds->lightFlag = 0;
    ds->backgroundTexture = 0;
    camera(0);
    RenderGLBackground(false, 0);
    gl->present();
    // Square in pixels: y runs -133.33..133.33 and the quad covers every pixel.
    int uncovered = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) uncovered += !Is(gl->pixel(x, y), ds->skyColor, 2);
    EXPECT_EQ(uncovered, 0);
    const BackdropQuad q = BackdropExtents(400, 300);
    EXPECT_NEAR(q.top, 133.333, 1e-3);
    EXPECT_NEAR(q.bottom, -133.333, 1e-3);

    // A black and white texture, once across the view: the heading scrolls it.
    WritePpm(LocalDomainTexturePath() + "/WOOD/WOOD1.PTX", RgbImage(2, 2, [](int x, int) { return x < 1 ? 0u : 0xFFFFFFu; }));
    ds->backgroundTexture = kWood;
    ds->skyColor = {0xFFFF, 0xFFFF, 0xFFFF};
    auto probe = [&](float heading, int x) {
        ds->cameraHeading = heading;
        AnimateBackground(ds);
        camera(0);
        RenderGLBackground(false, 0);
        gl->present();
        return gl->pixel(x, 150) >> 24;
    };
    EXPECT_LT(probe(0, 100), 8u);
    EXPECT_GT(probe(0, 300), 247u);
    EXPECT_GT(probe(45, 100), 247u);  // half a texture on
    EXPECT_LT(probe(45, 300), 8u);
    EXPECT_LT(probe(90, 100), 8u);  // one whole texture on: as at the start
    EXPECT_GT(probe(90, 300), 247u);

    // Repeated every 4 pixels, pixel 2 lies on the rising ramp at three quarters; the passes
    // of a 4-pass render move it by -0.208 and +0.204 pixels.
    gBackgroundVertices[0] = gBackgroundVertices[3] = 0;
    gBackgroundVertices[1] = gBackgroundVertices[2] = 100;
    ds->lightSetting = 4;
    auto pass = [&](bool jitter, int n) {
        camera(0);
        RenderGLBackground(jitter, n);
        gl->present();
        return int(gl->pixel(2, 150) >> 24);
    };
    EXPECT_NEAR(pass(false, 0), 191, 6);
    EXPECT_NEAR(pass(true, 0), 218, 6);
    EXPECT_NEAR(pass(true, 1), 165, 6);
}

}  // namespace
