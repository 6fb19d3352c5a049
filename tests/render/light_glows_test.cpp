// Light fixture glows in an OSMesa context: which fixtures glow, how bright and how large
// their sprites are on screen, and when the walk stops for Escape, read back as pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "files/design_file.h"
#include "files/symbol_lists.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/transforms.h"
#include "model/units.h"
#include "model/type_data.h"
#include "model/view_layers.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/core/live_view_seams.h"
#include "render/gl.h"
#include "render/render_frame.h"
#include "render/light_glows.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/doubles.h"
#include "support/seam_recorders.h"
#include "support/pasted_copies.h"
#include "support/stock_root.h"

using namespace dvxtest;

namespace {

constexpr GLuint kGlow = 14001;

class LightGlows : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        port::setImageDecoder(&decoder);
        ds = doc->itsDocState;
        ds->renderMode = rendermode::kSolid;
        writeGlow(8, 8);
        // A 90-degree camera at the origin looking down -z: at distance d a scene unit is
        // 32 / d pixels.
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90, 1, 1, 5000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        gGLPlaneObjects = nullptr;
    }
    // A new document, context and scene for the next case.
    void fresh() {
        TearDown();
        SetUp();
    }
    void writeGlow(int width, int height) {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(int32_t(kGlow), name);
        WritePpm(LocalDomainTexturePath() + "/" + name, RgbImage(width, height, [](int, int) { return 0xFFFFFFu; }));
    }
    // A fixture group holding a lamp of `type` centred at (x, 0, z), drawn as `pieces` plane objects.
    Objex* fixture(int16_t type, float x, float z, int pieces = 1, int32_t dimmer = 0) {
        Objex* group = Make(1000).on(GetFirstFloorLayer());
        Objex* lamp = Make(type).in(group);
        lamp->bounds3D.floatLeft = lamp->bounds3D.floatRight = x;
        lamp->bounds3D.floatBack = lamp->bounds3D.floatFront = z;
        objfield::light::kDimmer(*lamp) = dimmer;
        for (int i = 0; i < pieces; ++i) piece(lamp, group);
        return lamp;
    }
    // A flood lamp hung on `root`, its record on the wall's first segment 100 along it.
    Objex* floodLamp(Objex* wall, Objex* root) {
        Objex* lamp = Make(147, objfield::light::kFloodSubtype).in(root);
        auto* r = new AttachmentRecord{};
        r->segmentStart = wall->firstPoint, r->segmentEnd = wall->firstPoint->next;
        r->centreDistance = 100;
        Make(lamp).with(r);
        piece(lamp, root);
        return lamp;
    }
    PlaneObject* piece(Objex* lamp, Objex* base) {
        PlaneObject* p = AddQuad({{0, 0, 0}, {1, 0, 0}, {1, -1, 0}}, kWhite);
        p->pieceKind = 111;
        p->object3D = p->sourceObject = lamp;
        p->baseObject = base;
        return p;
    }
    // Red of pixel (x, y): over black, the sprite's alpha.
    int red(int x, int y) {
        gl->present();
        return int(gl->pixel(x, y) >> 24);
    }
    // Lit pixels along row 32.
    int litWidth() {
        int n = 0;
        for (int x = 0; x < 64; ++x) n += red(x, 32) > 0;
        return n;
    }

    PpmImageDecoder decoder;
    DocState* ds = nullptr;
};

TEST_F(LightGlows, DimmerSetsTheSpriteAlphaByType) {
    const struct Row {
        int16_t type;
        int32_t dimmer;
        int alpha;
    } rows[] = {{80, 0, 255}, {80, 255, 128}, {152, 255, 51}, {79, 255, 100}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type * 1000 + r.dimmer);
        fresh();
        fixture(r.type, 0, -200, 1, r.dimmer);
        RenderLights(gGLPlaneObjects);
        // 79's sprite sits 2 units lower: still on the centre pixel.
        EXPECT_NEAR(red(32, 32), r.alpha, 1);
    }
}

TEST_F(LightGlows, ASpriteTwiceAsFarIsHalfAsLarge) {
    fixture(80, 0, -200);
    RenderLights(gGLPlaneObjects);
    const int near = litWidth();
    EXPECT_NEAR(near, 2 * 95 * 32 / 200, 2);  // half width 15.2 pixels
    fresh();
    fixture(80, 0, -400);
    RenderLights(gGLPlaneObjects);
    EXPECT_NEAR(litWidth() * 2, near, 2);
}

// The scene builds a placed fixture's pieces with the lamp as their base; the group that holds
// the lamp carries the height, 50 inches (100 units) here: the sprite's centre 16 pixels up.
TEST_F(LightGlows, TheSpriteStandsAtTheFixturesElevation) {
    Objex* lamp = fixture(80, 0, -200, 0);
    lamp->parent->elevation = 50;
    piece(lamp, lamp);
    RenderLights(gGLPlaneObjects);
    EXPECT_EQ(red(32, 48), 255);
    EXPECT_EQ(red(32, 32), 0) << "the sprite stands on the ground";
}

TEST_F(LightGlows, OneSpritePerFixture) {
    fixture(80, 0, -200, 3, 255);
    RenderLights(gGLPlaneObjects);
    EXPECT_NEAR(red(32, 32), 128, 1) << "three sprites would add up";
    fresh();
    fixture(80, -100, -200, 2);
    fixture(80, 100, -200, 2);
    RenderLights(gGLPlaneObjects);
    EXPECT_EQ(red(32, 32), 0);
    EXPECT_EQ(red(16, 32), 255);
    EXPECT_EQ(red(48, 32), 255);
}

// Only the glow switch and the view's settings hide a glow: a switched-off lamp still shows its
// glow (its switch darkens only the shadow render's light).
TEST_F(LightGlows, NoGlow) {
    const struct Row {
        const char* name;
        int16_t mode = rendermode::kSolid;
        uint8_t transparent = 0;
        int32_t hidden = 0;
        float glow = 0;
        int32_t off = 0;
        int red = 0;
    } rows[] = {
        {"wire frame", rendermode::kWireframe},
        {"ClearView's transparency", rendermode::kSolid, 1},
        {"electrical symbols hidden", rendermode::kSolid, 0, hideflag::kElectrical},
        {"glow switched off", rendermode::kSolid, 0, 0, 1.0f},
        {"glow switched off, light switched off", rendermode::kSolid, 0, 0, 1.0f, 1},
        {"light switched off", rendermode::kSolid, 0, 0, 0, 1, 255},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fresh();
        ds->renderMode = r.mode, ds->renderFlag = r.transparent, ds->renderValue = r.hidden;
        Objex* lamp = fixture(80, 0, -200);
        objfield::light::kGlow(*lamp) = r.glow;
        objfield::light::kOff(*lamp) = r.off;
        RenderLights(gGLPlaneObjects);
        EXPECT_EQ(red(32, 32), r.red);
        GLboolean mask[4] = {};
        glGetBooleanv(GL_COLOR_WRITEMASK, mask);
        EXPECT_TRUE(mask[0]);
    }
}

TEST_F(LightGlows, FloodLightsGlowOnlyOnAWall) {
    for (bool onWall : {false, true}) {
        SCOPED_TRACE(onWall);
        fresh();
        Objex* wall = Make(12).on(GetFirstFloorLayer()).at({{-100, 0, -200}, {100, 0, -200}});
        floodLamp(wall, onWall ? wall : Make(1000).on(GetFirstFloorLayer()).get());
        RenderLights(gGLPlaneObjects);
        EXPECT_EQ(litWidth() > 0, onWall);
    }
}

// A flood lamp on a wall along x at d -200, 100 along it, on the wall's near side: its first
// head stands at (7.548, 5, -195.098) aimed along (0.379, -0.788, 0.485). The eye stands 400
// along that axis looking back at the head; a square 100 wide across the axis, 200 along it,
// lies inside the cone (radius 78.5 there) and covers pixels 24 to 39 both ways. Seen from
// inside the cone the scene lies in front of the cone's wall only on the square: the stencil
// reads 255 there (inverted once) and 0 wherever the cone's wall passed (written, then zeroed);
// the second head's cone runs off to the left, behind the view.
TEST_F(LightGlows, AFloodLampsConeMarksTheStencilWhereTheSceneLiesInsideIt) {
    Objex* wall = Make(12).on(GetFirstFloorLayer()).at({{-100, 0, -200}, {100, 0, -200}});
    wall->penWidth = 0;
    floodLamp(wall, wall);

    const double head[3] = {7.548, 5, -195.098}, axis[3] = {0.379, -0.788, 0.4851};
    auto along = [&](double t, int i) { return head[i] + t * axis[i]; };
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(along(400, 0), along(400, 1), along(400, 2), head[0], head[1], head[2], 0, 1, 0);
    // The square's sides: across the axis level (u) and up it (w = axis x u).
    const double u[3] = {-0.7882, 0, 0.6154}, w[3] = {-0.4849, -0.6154, -0.6211};
    glEnable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    for (auto [a, b] : {std::pair{-50, -50}, {50, -50}, {50, 50}, {-50, 50}})
        glVertex3d(along(200, 0) + a * u[0] + b * w[0], along(200, 1) + a * u[1] + b * w[1],
                   along(200, 2) + a * u[2] + b * w[2]);
    glEnd();
    RenderLights(gGLPlaneObjects);

    std::vector<uint8_t> stencil(64 * 64);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 64, 64, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
    int wrong = 0, inside = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool edge = (x == 24 || x == 39) && y >= 24 && y <= 39;
            if (edge || ((y == 24 || y == 39) && x >= 24 && x <= 39)) continue;  // the square's rim
            const bool square = x > 24 && x < 39 && y > 24 && y < 39;
            inside += square;
            wrong += stencil[size_t(y) * 64 + x] != (square ? 255 : 0);
        }
    EXPECT_EQ(inside, 14 * 14);
    EXPECT_EQ(wrong, 0);
}

// Every kind of glow with its lamp in a closed housing 50 wide around the lamp's centre 200
// ahead: seen from inside the room (its wall 300 ahead) the glow shows, although the housing
// lies in front of the lamp's centre; through a wall 100 ahead it does not, through a pane of
// glass there it does. A flood lamp hangs on a wall 200 ahead, each head in a small housing:
// on the wall's near side its glow shows, on its far side the wall hides it. Half a can
// light's housing is built as parts of its fixture rather than of its lamp: its own all the same.
TEST_F(LightGlows, AGlowShowsFromInsideTheRoomAndNotThroughAWall) {
    const int16_t types[] = {79, 80, 81, 82, 146, 149, 150, 151, 152, 0};  // 0: a flood lamp
    struct View { const char* name; uint16_t alpha; bool glows; };
    const View views[] = {{"inside", 0, true}, {"through a wall", 255, false}, {"through glass", 128, true}};
    // A box of black faces of the lamp, `half` either way of (x, y up, z).
    auto housing = [](Objex* lamp, Objex* base, float x, float y, float z, float half, Objex* parts = nullptr) {
        const float a = x - half, b = x + half, lo = -(y - half), hi = -(y + half), n = z + half, f = z - half;
        const std::vector<std::vector<V3>> faces = {
            {{a, lo, n}, {b, lo, n}, {b, hi, n}, {a, hi, n}}, {{a, lo, f}, {b, lo, f}, {b, hi, f}, {a, hi, f}},
            {{a, lo, n}, {a, lo, f}, {a, hi, f}, {a, hi, n}}, {{b, lo, n}, {b, lo, f}, {b, hi, f}, {b, hi, n}},
            {{a, lo, n}, {b, lo, n}, {b, lo, f}, {a, lo, f}}, {{a, hi, n}, {b, hi, n}, {b, hi, f}, {a, hi, f}}};
        for (size_t i = 0; i < faces.size(); ++i) {
            PlaneObject* p = AddQuad(faces[i], {});
            const bool part = parts && i % 2 == 0;
            p->pieceKind = part ? 0 : 111, p->object3D = p->sourceObject = part ? parts : lamp, p->baseObject = base;
        }
    };
    auto across = [](float z, RGBColor c) {  // a face across the whole view
        return AddQuad({{-400, -400, z}, {400, -400, z}, {400, 400, z}, {-400, 400, z}}, c);
    };
    for (int16_t type : types)
        for (const View& v : views) {
            SCOPED_TRACE(testing::Message() << (type ? type : 83) << " " << v.name);
            fresh();
            if (type) {
                Objex* lamp = fixture(type, 0, -200, 0);
                housing(lamp, lamp->parent, 0, 0, -200, 25, Make(1000).in(lamp->parent));
                across(-300, kBlue);
                if (v.alpha) across(-100, kBlue)->alpha = v.alpha;
            } else {
                // The wall's face belongs to the wall the lamp hangs on, yet it hides the lamp.
                Objex* wall = Make(12).on(GetFirstFloorLayer()).at({{-100, 0, -200}, {100, 0, -200}});
                wall->penWidth = 0;
                across(-200, kBlue)->baseObject = wall;
                Objex* lamp = floodLamp(wall, wall);
                const bool farSide = !v.glows;
                lamp->typeData.attachment->sideFlag = farSide;
                for (float x : {7.548f, -7.548f}) housing(lamp, wall, x, 5, farSide ? -204.9f : -195.1f, 2);
                if (v.alpha == 128) across(-100, kBlue)->alpha = v.alpha;
            }
            glEnable(GL_DEPTH_TEST);
            DrawPlaneObjects();
            RenderLights(gGLPlaneObjects);
            gl->present();
            int lit = 0;
            for (int i = 0; i < 64 * 64; ++i) lit += (gl->pixel(i % 64, i / 64) >> 24) > 0;
            EXPECT_EQ(lit > 0, v.glows) << lit;
        }
}

// A lamp whose centre lies within a pixel of an edge of a wall 100 ahead, the lamp 200 ahead:
// a pixel is 3.125 units at the wall. The line to the centre crosses the wall's plane at half
// the centre's height and side; it decides, whatever the pixels around the centre see. Heights
// and sides at the wall, in units: the centre's pixel (row and column 32) looks at 1.5625.
TEST_F(LightGlows, ALampWithinAPixelOfAWallsEdgeGlowsOnlyWhenItsCentreIsSeen) {
    struct Row {
        const char* name;
        float top, side, head;  // the wall's top and right side, a door's head (0: no door)
        float x, y;             // the lamp's centre
        bool glows;
    } rows[] = {
        // At 0.75 under the top at 1; its own pixel sees over the wall.
        {"just behind the top, its pixel over it", 1, 400, 0, 0.5f, 1.5f, false},
        // At 1.75 under the top at 2; the pixel above sees over the wall.
        {"just behind the top, the pixel above over it", 2, 400, 0, 0.5f, 3.5f, false},
        // At 1.75 beside the side at 1.6; its own pixel sees the wall.
        {"just past the side", 400, 1.6f, 0, 3.5f, 0.5f, true},
        // A door up to 1.3 in a wall across the view: at 1.1 through it, its pixel on the wall.
        {"just under a door's head", 400, 400, 1.3f, 0.5f, 2.2f, true},
        // A door up to 1.6: at 1.75 above it, its pixel through the door.
        {"just above a door's head", 400, 400, 1.6f, 0.5f, 3.5f, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fresh();
        fixture(80, r.x, -200)->parent->elevation = r.y / 2;  // two units an inch
        glEnable(GL_DEPTH_TEST);
        auto draw = [](float left, float right, float bottom, float top) {
            glColor3f(0, 0, 1);
            glBegin(GL_QUADS);
            glVertex3f(left, bottom, -100), glVertex3f(right, bottom, -100), glVertex3f(right, top, -100);
            glVertex3f(left, top, -100);
            glEnd();
        };
        const float left = -400, bottom = -400;
        if (r.head == 0) {
            draw(left, r.side, bottom, r.top);
        } else {
            // The door drawn as a hole, the face kept whole with the door as its opening's mask.
            draw(left, -50, bottom, r.top), draw(50, r.side, bottom, r.top), draw(-50, 50, r.head, r.top);
        }
        PlaneObject* face = AddQuad({{left, -bottom, -100}, {r.side, -bottom, -100}, {r.side, -r.top, -100},
                                     {left, -r.top, -100}}, kBlue);
        if (r.head != 0) {
            PlaneObject* mask = CreatePlaneObject();
            auto* v = static_cast<PlaneVertex*>(std::calloc(4, sizeof(PlaneVertex)));
            const float corners[4][2] = {{-50, bottom}, {50, bottom}, {50, r.head}, {-50, r.head}};
            for (int i = 0; i < 4; ++i) v[i].H = corners[i][0], v[i].V = -corners[i][1], v[i].D = -100;
            AppendPlane(v, 4, 0, 0, 1, mask);
            AppendPlaneObjectToList(face->masks, mask);
        }
        RenderLights(gGLPlaneObjects);
        gl->present();
        int lit = 0;
        for (int i = 0; i < 64 * 64; ++i) lit += (gl->pixel(i % 64, i / 64) >> 24) > 0;
        EXPECT_EQ(lit > 0, r.glows) << lit;
    }
}

TEST_F(LightGlows, AWideGlowImageUploadsAtItsOwnSize) {
    writeGlow(64, 32);
    fixture(80, 0, -200);
    RenderLights(gGLPlaneObjects);
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, kGlow);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(red(32, 32), 255);
}

TEST_F(LightGlows, EscapeIsSeenOnEvery300thEntryOfAnAntiAliasedRender) {
    for (uint8_t antiAliased : {0, 1}) {
        SCOPED_TRACE(int(antiAliased));
        fresh();
        LiveViewHostRecorder host(gl.get());
        host.interrupts.pressEscape();
        gRenderOpenGLAntiAlias = antiAliased;
        for (int i = 0; i < 299; ++i) AddQuad({{0, 0, 0}, {1, 0, 0}, {1, -1, 0}}, kWhite);
        fixture(80, 0, -200);  // entry 300
        RenderLights(gGLPlaneObjects);
        EXPECT_EQ(host.interrupts.polls(), antiAliased);
        EXPECT_EQ(gBreakOpenGLRender, antiAliased);
        EXPECT_EQ(g3DViewPrintInterrupted, antiAliased);
        EXPECT_EQ(red(32, 32), antiAliased ? 0 : 255);
        gRenderOpenGLAntiAlias = gBreakOpenGLRender = g3DViewPrintInterrupted = 0;
    }
}

// The furnished house of the window tests, its fixtures built from the stock symbols, on a
// grid with three copies of it, seen from all round its ceiling light, near and far (from
// inside its room, through its walls, past its openings) and from above: what the glow pass
// adds to each frame equals the picture kept with the test, drawn by the pass that read the
// depths and walked the scene for every lamp. The picture is one column of views, black where
// the pass drew nothing.
TEST_F(LightGlows, TheFurnishedHouseGlowsAsBefore) {
    UseStockRoot(DVX_STOCK_DIR);
    LoadSymbolListsIfEmpty();
    ASSERT_EQ(KeyFileRead(DVX_TEST_DESIGNS "/furnished-house.pro"), 1);
    ASSERT_TRUE(PasteDoubled(2, 200));
    SetLiveViewControllerExistsHandler([] { return true; });
    Resize(32, 32);
    LiveViewHostRecorder host(gl.get(), 32, 32);
    gLiveViewPanelVisible = 1;
    RenderAllLayers();
    DocState* d = CurrentDocState();
    ASSERT_NE(d, nullptr);
    d->renderMode = rendermode::kSolid, d->renderValue = hideflag::kMaterials, d->shadowsOn = 0;
    const PlaneObject* fixture = gGLPlaneObjects;
    while (fixture && !(fixture->pieceKind == 111 && fixture->object3D && fixture->object3D->type == 80))
        fixture = fixture->next;
    ASSERT_NE(fixture, nullptr) << "no fixture built";
    const Float3DRect& b = fixture->object3D->bounds3D;
    const double lamp[3] = {(b.floatLeft + b.floatRight) / 2,
                            ConvertWorldToScreen(GetRootObject(fixture->object3D)->elevation, d, 0),
                            (b.floatBack + b.floatFront) / 2};
    // Walk cameras round the lamp, each aimed at it.
    struct View { double heading, distance, eye; };
    std::vector<View> views;
    for (int heading = 0; heading < 360; heading += 20)
        for (double distance : {90.0, 240.0, 480.0})
            for (double eye : {120.0, 230.0}) views.push_back({double(heading), distance, eye});
    const int size = 32, count = int(views.size()) + 4;
    port::DecodedImage drawn{size, size * count, std::vector<uint8_t>(size_t(size) * size * count * 3)};
    for (int v = 0; v < count; ++v) {
        if (v < int(views.size())) {
            const View& w = views[v];
            const double a = w.heading * M_PI / 180;
            d->cameraMode = 1, d->navigationFlag = 1, d->eyeHeight = float(w.eye);
            d->cameraPosition = {float(lamp[0] + w.distance * std::sin(a)), float(lamp[2] + w.distance * std::cos(a))};
            d->cameraHeading = float(w.heading);
            d->cameraValue = float(-std::atan2(lamp[1] - w.eye, w.distance) * 180 / M_PI);
        } else {
            // From above the lamp, a quarter turn apart, the other houses behind it.
            d->cameraMode = 2, d->flyValueA = 35, d->flyValueB = float(90 * (v - views.size())), d->flyAltitude = 2400;
            d->lightOffset = {float(lamp[0]), float(lamp[2])};
        }
        RenderGLScene();
        gl->present();
        std::vector<uint32_t> scene(size_t(size) * size);
        for (int i = 0; i < size * size; ++i) scene[i] = gl->pixel(i % size, i / size);
        RenderLights(gGLPlaneObjects);
        gl->present();
        for (int i = 0; i < size * size; ++i) {
            const uint32_t seen = gl->pixel(i % size, i / size);
            for (int c = 0; c < 3 && seen != scene[i]; ++c)
                drawn.rgb[(size_t(v) * size * size + size_t(i)) * 3 + size_t(c)] = uint8_t(seen >> (24 - 8 * c));
        }
    }
    SetLiveViewControllerExistsHandler(nullptr);
    const std::string kept = DVX_RENDER_TEST_DATA "/furnished-house-glows.ppm";
    port::DecodedImage before;
    ASSERT_TRUE(decoder.decode(kept, before));
    ASSERT_EQ(std::pair(before.width, before.height), std::pair(drawn.width, drawn.height));
    for (int v = 0; v < count; ++v) {
        int differ = 0, lit = 0;
        for (size_t i = size_t(v) * size * size; i < size_t(v + 1) * size * size; ++i) {
            differ += !std::equal(&drawn.rgb[i * 3], &drawn.rgb[i * 3 + 3], &before.rgb[i * 3]);
            lit += before.rgb[i * 3] != 0;
        }
        EXPECT_EQ(differ, 0) << "view " << v << ", " << lit << " pixels lit before";
    }
}

}  // namespace
