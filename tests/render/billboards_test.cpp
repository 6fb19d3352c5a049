// Plant billboards and photo planes in an OSMesa context: where the quad lands on screen,
// what its texture shows and which image it was loaded from, read back as pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/preferences.h"
#include "model/view_layers.h"
#include "render/billboards.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/rt_plane_renderers.h"
#include "render/gl.h"
#include "render_fixture.h"
#include "geometry/openings/landscape_plants.h"
#include "model/deletion.h"
#include "scene/scene_build.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/scene_checks.h"
#include "support/doubles.h"

using namespace dvxtest;

namespace {

constexpr int32_t kOak = 13010;

uint32_t Green(int, int) { return 0x00FF00u; }
uint32_t Red(int, int) { return 0xFF0000u; }
// Black on the left half, green on the right.
uint32_t HalfBlack(int x, int) { return x < 4 ? 0u : 0x00FF00u; }

class Billboards : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        Resize(64, 64);
        port::setImageDecoder(&decoder);
        ds = doc->itsDocState;
        ds->renderMode = rendermode::kSolid;
        ds->lightIntensity = 2.5f;  // ambient factor 1: plain white
        gLiveViewOptions &= ~liveviewoption::kGradientShading;
        glViewport(0, 0, 64, 64);
        glDisable(GL_DEPTH_TEST);
        // One scene unit per pixel; the ground (scene y 0) on pixel row 8, x 0 on column 32.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-32, 32, -8, 56, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    static std::string PlantFile(int32_t id, const std::string& folder) {
        char name[kTexturePathBufferSize] = {};
        GetTextureFileNameFromID(id, name);
        return folder + "/" + name;
    }
    // A plant standing at (x, z), half width 10, 30 tall, textured `id`.
    PlaneObject* plant(float x, float z, int32_t id = kOak, int32_t subtype = 0) {
        base = Make(objtype::kPlant, subtype).on(GetFirstFloorLayer());
        PlaneObject* p = AddQuad({{x - 5, 0, z - 5}, {x + 5, 0, z - 5}, {x + 5, 0, z + 5}, {x - 5, 0, z + 5}}, kWhite);
        p->surfaceKind = subtype == objsubtype::kUserPlant ? kUserPlantSurface : kPlantSurface;
        p->baseObject = p->sourceObject = p->object3D = base;
        p->frontTexture = id;
        p->plantHalfWidth = 10, p->plantHeight = 30;
        return p;
    }
    uint32_t at(int x, int y) {
        gl->present();
        return gl->pixel(x, y);
    }
    bool isBackground(int x, int y) { return NearColor(at(x, y), 0, 0, 255); }
    // The lowest and highest pixel rows of column x that are not background.
    std::pair<int, int> rows(int x) {
        int low = -1, high = -1;
        for (int y = 0; y < 64; ++y)
            if (!isBackground(x, y)) high = y, low = low < 0 ? y : low;
        return {low, high};
    }

    PpmImageDecoder decoder;
    DocState* ds = nullptr;
    Objex* base = nullptr;
};

TEST_F(Billboards, APlantStandsOnItsGroundPointAsTallAsItIsFromAnyPitch) {
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, Green));
    RenderGLPlantObject(plant(0, 0));
    // Level: columns 22..41, rows 8..37.
    EXPECT_TRUE(NearColor(at(32, 20), 0, 255, 0));
    EXPECT_EQ(rows(32), std::make_pair(8, 37));
    EXPECT_TRUE(isBackground(20, 20));
    EXPECT_FALSE(isBackground(23, 20));
    EXPECT_FALSE(isBackground(40, 20));
    EXPECT_TRUE(isBackground(43, 20));

    // Seen 45 degrees from above: a base 20 units away lifts by 20 sin 45 = 14 rows, and the
    // quad still spans its full 30 rows.
    glClear(GL_COLOR_BUFFER_BIT);
    glRotatef(45, 1, 0, 0);
    DeleteAllRendererObjects();
    RenderGLPlantObject(plant(0, -20));
    const auto [low, high] = rows(32);
    EXPECT_NEAR(low, 8 + 14, 1);
    EXPECT_NEAR(high - low + 1, 30, 1) << "a quad left upright would show 21 rows";
}

TEST_F(Billboards, BlackTexelsOfAPlantImageAreSeeThrough) {
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, HalfBlack));
    RenderGLPlantObject(plant(0, 0));
    EXPECT_TRUE(isBackground(25, 20)) << "no black border";
    EXPECT_TRUE(NearColor(at(38, 20), 0, 255, 0));
}

TEST_F(Billboards, TheRealTimePlantReadsItsImageAtItsOwnSizeAndKeepsBlack) {
    // Wider than tall and far from 256 x 256: red left, black in the middle, green right.
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()),
             RgbImage(12, 4, [](int x, int) { return x < 4 ? 0xFF0000u : x < 8 ? 0u : 0x00FF00u; }));
    struct Row { uint8_t transparency; int x; uint8_t r, g, b; bool background; } rows[] = {
        {0, 24, 255, 0, 0, false}, {0, 32, 0, 0, 0, false}, {0, 40, 0, 255, 0, false}, {1, 32, 0, 0, 0, true}};
    for (const Row& r : rows) {
        glClear(GL_COLOR_BUFFER_BIT);
        DeleteAllRendererObjects();
        ds->renderFlag = r.transparency;
        RTRenderGLPlantObject(plant(0, 0));
        EXPECT_EQ(isBackground(r.x, 20), r.background) << r.x;
        if (!r.background) { EXPECT_TRUE(NearColor(at(r.x, 20), r.r, r.g, r.b)) << r.x; }
    }
}

TEST_F(Billboards, ThePlantImageComesFromTheModeAndThePlantsOwnFile) {
    const std::string own = LocalDomainUserSharedTexturePath() + "/mine.ppm";
    WritePpm(own, RgbImage(8, 8, Red));
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, Green));
    WritePpm(PlantFile(GetWireFramePlantTextureIDNameFromID(kOak), LocalDomainTexturePath()),
             RgbImage(8, 8, [](int, int) { return 0xFFFF00u; }));
    WritePpm(PlantFile(14060, LocalDomainTexturePath()), RgbImage(8, 8, [](int, int) { return 0x00FFFFu; }));
    const struct Row {
        const char* name;
        int16_t mode;
        int32_t id, subtype;
        uint8_t r, g, b;
    } table[] = {
        {"stock plant: the shared folder", rendermode::kSolid, kOak, 0, 0, 255, 0},
        {"user plant: its own image", rendermode::kSolid, 20001, objsubtype::kUserPlant, 255, 0, 0},
        {"wire frame: the plant's wire image", rendermode::kWireframe, kOak, 0, 255, 255, 0},
        {"wire frame of a user plant: the tree", rendermode::kWireframe, 20001, objsubtype::kUserPlant, 0, 255, 255},
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.name);
        for (GLuint id : {GLuint(kOak), 20001u, GLuint(GetWireFramePlantTextureIDNameFromID(kOak)), 14060u})
            glDeleteTextures(1, &id);
        glClear(GL_COLOR_BUFFER_BIT);
        ds->renderMode = r.mode;
        PlaneObject* p = plant(0, 0, r.id, r.subtype);
        if (r.subtype) Make(base).image(own.c_str());
        RenderGLPlantObject(p);
        EXPECT_TRUE(NearColor(at(32, 20), r.r, r.g, r.b));
        GLint polygonMode[2] = {};
        glGetIntegerv(GL_POLYGON_MODE, polygonMode);
        EXPECT_EQ(polygonMode[0], r.mode == rendermode::kWireframe ? GL_LINE : GL_FILL);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
}

TEST_F(Billboards, PlantsThatDrawNothing) {
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, Green));
    const struct Row {
        const char* name;
        int16_t mode;
        uint8_t transparent;
        int32_t id;
        bool triangle;
    } table[] = {
        {"transparency flag outside the wire frame", rendermode::kSolid, 1, kOak, false},
        {"texture 0", rendermode::kSolid, 0, 0, false},
        {"a footprint of three corners", rendermode::kSolid, 0, kOak, true},
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.name);
        glClear(GL_COLOR_BUFFER_BIT);
        ds->renderMode = r.mode, ds->renderFlag = r.transparent;
        PlaneObject* p = plant(0, 0, r.id);
        if (r.triangle) p->planes->count = 3;
        RenderGLPlantObject(p);
        EXPECT_EQ(rows(32).first, -1);
    }
}

// Plants as the plant tool makes them and the scene build hangs them in the list: a seedling
// of the oak, 12 units high and 10.2 wide, its footprint from (0, 0) to (10.2, 10.2).
TEST_F(Billboards, APlantOfThePlantToolStandsWhereItIsPlanted) {
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, Green));
    ds->plantAge = 0.0f;
    RegisterLiveView(true);
    const struct Row {
        const char* name;
        float elevation;
        int base;
    } table[] = {
        {"on the ground", 0.0f, 8},
        {"12 inches up: 24 plan units", 12.0f, 8 + 24},
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.name);
        glClear(GL_COLOR_BUFFER_BIT);
        ds->currentElevation = r.elevation;
        Objex* oak = BuildLandscapePlant(GetFirstFloorLayer(), 0, kOak);
        ASSERT_NE(oak, nullptr);
        RenderAllLayers();
        const std::vector<PlaneObject*> pieces = PiecesOf(oak);
        ASSERT_EQ(pieces.size(), 1u);
        RenderGLPlantObject(pieces[0]);
        // Columns 32 to 42, rows base to base + 11.
        EXPECT_EQ(rows(37), std::make_pair(r.base, r.base + 11));
        EXPECT_TRUE(isBackground(30, r.base + 4));
        EXPECT_TRUE(isBackground(44, r.base + 4));
        DeleteObj(oak);
    }
}

TEST_F(Billboards, APlantOnTheTerrainStandsOnTheGround) {
    WritePpm(PlantFile(kOak, LocalDomainUserSharedTexturePath()), RgbImage(8, 8, Green));
    // A 10 x 10 grid of 72-unit cells, as read from a file, its ground raised.
    ds->lotRect = {-360, -360, 360, 360};
    ds->topoGridSpacing = 72;
    std::strcpy(ds->topoFilePath, "flat.topo");
    SetupTopoGrid();
    ASSERT_FALSE(gTopographyGrid.empty());
    std::fill(gTopographyGrid.begin(), gTopographyGrid.end(), 20.0f);
    gTopoGridFromFile = 1;
    ASSERT_TRUE(TopoInUse());
    const float ground = -GetTopoElevationAtGridPt(0, 0);
    ASSERT_GT(ground, 0.0f) << "a height above the floor";
    PlaneObject* p = plant(0, 0);
    base->onTerrain = 1;
    RenderGLPlantObject(p);
    const int row = 8 + int(std::lround(ground));
    EXPECT_EQ(rows(32), std::make_pair(row, row + 29));
    gTopographyGrid.clear(), gTopoRowCnt = gTopoColumnCnt = 0, gTopoGridFromFile = 0;
}

// A photo over the left half of the view (x -32..0, drawn y -8..40), its image red on the
// left and green on the right.
class Photos : public Billboards {
protected:
    PlaneObject* photo(const std::string& path, uint8_t mirrored = 0) {
        Objex* o = Make(objtype::kPhoto).on(GetFirstFloorLayer()).image(path.c_str());
        objfield::photo::kMirrored(*o) = mirrored;
        PlaneObject* p = AddQuad({{-32, 8, 0}, {0, 8, 0}, {0, -40, 0}, {-32, -40, 0}}, kWhite);
        const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int i = 0; i < 4; ++i) p->planes->vertices[i].u = uv[i][0], p->planes->vertices[i].v = uv[i][1];
        p->surfaceKind = kPhotoSurface;
        p->baseObject = p->sourceObject = p->object3D = o;
        p->object3DType = uint16_t(o->type);
        p->frontTexture = p->backTexture = 20001;
        return p;
    }
};

uint32_t LeftRed(int x, int) { return x < 320 ? 0xFF0000u : 0x00FF00u; }

TEST_F(Photos, AnImageIsUploadedAt512SquareAndReadsReversedWhenMirrored) {
    gLiveViewOptions = 0;
    const std::string path = LocalDomainCustomTexturePath() + "/wide.ppm";
    WritePpm(path, RgbImage(640, 480, LeftRed));
    RenderGLPhotoObject(photo(path));
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, 20001);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 512);
    EXPECT_TRUE(NearColor(at(6, 30), 255, 0, 0));
    EXPECT_TRUE(NearColor(at(26, 30), 0, 255, 0));

    glClear(GL_COLOR_BUFFER_BIT);
    RenderGLPhotoObject(photo(path, 1));
    EXPECT_TRUE(NearColor(at(26, 30), 255, 0, 0)) << "the left colour on the right";
    EXPECT_TRUE(NearColor(at(6, 30), 0, 255, 0));
}

TEST_F(Photos, NotDrawnInTheWireFrameNorInClearViewsTransparentPassUnlessAsked) {
    const std::string path = LocalDomainCustomTexturePath() + "/wide.ppm";
    WritePpm(path, RgbImage(64, 64, Green));
    const struct Row {
        const char* name;
        int16_t mode;
        uint8_t transparent, asked;
        bool drawn;
    } rows[] = {
        {"wire frame", rendermode::kWireframe, 0, 0, false},
        {"transparent pass", rendermode::kSolid, 1, 0, false},
        {"transparent pass, asked for", rendermode::kSolid, 1, 1, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        glClear(GL_COLOR_BUFFER_BIT);
        ds->renderMode = r.mode, ds->renderFlag = r.transparent;
        gDrawClearViewRorozErud = r.asked;
        RenderGLPhotoObject(photo(path));
        EXPECT_EQ(!isBackground(16, 30), r.drawn);
    }
}

}  // namespace
