// The face drawers in an OSMesa context: shading, materials by render mode, fillers, hidden
// edges, generated texture repeats and colour carried between pieces, read back as pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "files/palettes.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/preferences.h"
#include "model/type_data.h"
#include "model/view_layers.h"
#include "plan/plan_frame.h"
#include "port/files.h"
#include "files/custom_textures.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/plane_renderers.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/doubles.h"
#include "support/scene_checks.h"
#include "tools/wall_construction.h"

using namespace dvxtest;

namespace {

constexpr int32_t kWood = 2200;  // WOOD/WOOD1
constexpr RGBColor kGrey{0x8080, 0x8080, 0x8080};

class PlaneDrawers : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        port::setImageDecoder(&decoder);
        ds = doc->itsDocState;
        owner = Make(44).on(GetFirstFloorLayer());  // a type the gradient leaves alone
        glViewport(0, 0, 64, 48);
        view(0, 64);
        glDisable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
    }
    // Scene x0..x1 by y0..y1 (drawn y) over the 64 x 48 pixels, seen from +z (or from -z at a
    // negative `z`), cleared to black or blue.
    void view(float x0, float x1, bool blue = false, float y0 = 0, float y1 = 48, float z = 1000) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(x0, x1, y0, y1, -z, z);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, blue ? 1.0f : 0.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // A piece of one quad from (x0, y0) to (x1, y1) at z 0 (drawn y; stored negated).
    PlaneObject* quad(float x0, float y0, float x1, float y1, RGBColor colour, float nx = 0, float nz = 1) {
        PlaneObject* p = AddQuad({{x0, -y0, 0}, {x1, -y0, 0}, {x1, -y1, 0}, {x0, -y1, 0}}, colour);
        p->planes->nx = nx, p->planes->ny = 0, p->planes->nz = nz;
        p->object3D = owner, p->object3DType = uint16_t(owner->type);
        return p;
    }
    // An 8 x 8 texel wood texture, its left half black, its right half white, `size` inches wide.
    void writeWood(int size) {
        WritePpm(LocalDomainTexturePath() + "/WOOD/WOOD1.PTX",
                 RgbImage(8, 8, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }));
        const std::string n = std::to_string(size), info = "[Size]\nWidth=" + n + "\nHeight=" + n + "\n";
        port::WriteWholeFile(LocalDomainTexturePath() + "/WOOD/WOOD1.PTI", info.data(), info.size());
    }
    // Dark-to-light steps along pixel row 24.
    int repeats() {
        gl->present();
        int steps = 0;
        for (int x = 1; x < 64; ++x) steps += red(x, 24) > 128 && red(x - 1, 24) <= 128;
        return steps;
    }
    uint8_t red(int x, int y) { return uint8_t(gl->pixel(x, y) >> 24); }
    bool shows(int x, int y, RGBColor c, int tolerance = 1) {
        gl->present();
        return NearColor(gl->pixel(x, y), c.red / 257, c.green / 257, c.blue / 257, tolerance);
    }

    PpmImageDecoder decoder;
    DocState* ds = nullptr;
    Objex* owner = nullptr;
};

TEST_F(PlaneDrawers, AFaceTurnedToTheLightIsBrighterThanAnObliqueOne) {
    ds->lightIntensity = 1.0f;
    SetupLights();
    quad(0, 0, 32, 48, kGrey, 0, 1);   // cosine 1
    quad(32, 0, 64, 48, kGrey, 1, 0);  // edge-on
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next) RenderGLPlaneObject(p, 0);
    gl->present();
    // 0x80 at factor 0.625: 80 (of 128) facing; the floor 0.6 x 0.625 = 48 edge-on.
    EXPECT_NEAR(red(10, 24), 80, 1);
    EXPECT_NEAR(red(50, 24), 48, 1);
}

// Fillers are blended over a blue backdrop: nothing in lines, half the line colour when filled.
TEST_F(PlaneDrawers, MaterialsAndFillersByRenderMode) {
    gLiveViewOptions &= ~liveviewoption::kGradientShading;
    PaletteList* entry = GetPaletteEntryFromRefID(4);
    ASSERT_NE(entry, nullptr);
    entry->kind = kPaletteColor, entry->color[0] = 10, entry->color[1] = 200, entry->color[2] = 30;
    for (int i = 0; i < 9; ++i) ds->planColors[i] = {uint16_t(i * 7000), 0x3030, uint16_t(60000 - i * 7000)};
    Objex* door = Make(objtype::kDoor).on(GetFirstFloorLayer());
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {90, 0}}, false).on(GetFirstFloorLayer());
    Objex* wallPiece = Make(9).in(wall);
    gClearViewLineColor = {0x4040, 0x4040, 0x4040};
    ds->backgroundColor = {0xC0C0, 0xC0C0, 0xC0C0};
    ds->sceneColor = kWhite;  // the wire frame's background, on which the plan colours show
    RGBColor doorPlan, wallPlan;
    GetObjectPlanColor(door, &doorPlan), GetObjectPlanColor(wall, &wallPlan);
    ASSERT_NE(doorPlan.red, wallPlan.red);
    using namespace rendermode;
    const struct Row {
        const char* name;
        int16_t mode;
        Objex *object3D, *base;
        bool palette;
        uint16_t pieceKind;
        RGBColor expected;
    } rows[] = {
        {"solid: the palette colour", kSolid, owner, nullptr, true, 0, {10 * 257, 200 * 257, 30 * 257}},
        {"solid: the face colour", kSolid, owner, nullptr, false, 0, kRed},
        {"wire frame: a door piece in the door's plan colour", kWireframe, door, wallPiece, true, 0, doorPlan},
        {"wire frame: a wall piece in its root's", kWireframe, owner, wallPiece, true, 0, wallPlan},
        {"lines: ClearView's line colour", kLines, owner, nullptr, true, 0, gClearViewLineColor},
        {"filled: the background colour", kFilled, owner, nullptr, true, 0, ds->backgroundColor},
        {"no colour: white", kNoColour, owner, nullptr, true, 0, kWhite},
        {"filler in lines", kLines, owner, nullptr, false, 900, kBlue},
        {"filler filled", kFilled, owner, nullptr, false, 900, {0x2020, 0x2020, 0x9F9F}},
    };
    ds->renderSetting = 255;  // opaque faces
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ds->renderMode = r.mode;
        view(0, 64, true);
        PlaneObject* p = quad(0, 0, 64, 48, kRed);
        if (r.palette) p->backTexture = PaletteLinkOfRefID(4);
        p->object3D = r.object3D, p->baseObject = r.base, p->pieceKind = r.pieceKind;
        RenderGLPlaneObject(p, 0);
        EXPECT_TRUE(shows(32, 24, r.expected, 2));
        DeleteAllRendererObjects();
    }
    glDisable(GL_BLEND);
    // Lines that would be lost on the wire frame's background take black or white instead:
    // the dark wall colour on the default black, a pale one on white, each shown on the other.
    const RGBColor pale{0xE000, 0xE000, 0xC000};
    const struct { RGBColor plan, background, expected; } contrasts[] = {
        {wallPlan, {0, 0, 0}, kWhite}, {pale, kWhite, {0, 0, 0}}, {pale, {0, 0, 0}, pale}, {wallPlan, kWhite, wallPlan}};
    ds->renderMode = kWireframe;
    for (const auto& c : contrasts) {
        ds->planColors[1] = c.plan, ds->sceneColor = c.background;
        view(0, 64, true);
        PlaneObject* p = quad(0, 0, 64, 48, kRed);
        p->object3D = owner, p->baseObject = wallPiece;
        RenderGLPlaneObject(p, 0);
        EXPECT_TRUE(shows(32, 24, c.expected, 2)) << c.plan.red << " on " << c.background.red;
        DeleteAllRendererObjects();
    }
    // A first scale of -1 draws at 100 % and is 100 from then on, in the piece and the model.
    int16_t model[2] = {-1, -1};
    PlaneObject* unset = quad(0, 0, 64, 48, kRed);
    unset->backTextureSize[0] = unset->backTextureSize[1] = uint16_t(-1);
    unset->backScaleField = model;
    RenderGLPlaneObject(unset, 0);
    EXPECT_EQ(std::vector<int>({unset->backTextureSize[0], unset->backTextureSize[1], model[0], model[1]}),
              std::vector<int>(4, 100));
}

TEST_F(PlaneDrawers, AHiddenEdgeWordLeavesThatEdgeUndrawnInTheWireFrame) {
    ds->renderMode = rendermode::kWireframe;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    PlaneObject* p = quad(8, 8, 56, 40, kWhite);
    p->planes->vertices[1].flag = kHiddenEdge;  // the edge from (56, 8) up to (56, 40)
    RenderGLPlaneObject(p, 0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    gl->present();
    auto lit = [&](int x, int y) { return (gl->pixel(x, y) >> 8) != 0; };
    // Bottom, left and top drawn; the hidden right edge shows the backdrop.
    EXPECT_EQ((std::vector<bool>{lit(32, 8) || lit(32, 7), lit(8, 24) || lit(7, 24), lit(32, 40) || lit(32, 39),
                                 lit(56, 24) || lit(55, 24)}),
              (std::vector<bool>{true, true, true, false}));
}

// Texture repeats along a face. Its own coordinates run u 0 to 4 across it. Generated ones
// go by the texture's real size: wood 42 inches wide gives 0.504 / 42 = 0.012 repeats per
// unit, 3 over 250. The custom texture (512 texels, dark left half, white right half) has no
// real size and spans its owner, 250 units (125 inches) wide: 0.504 / 125 a unit, one repeat.
TEST_F(PlaneDrawers, TexturesRepeatByTheirSizeAndAreSwitchedOffByModeFlagAndKind) {
    gLiveViewOptions &= ~liveviewoption::kGradientShading;
    writeWood(42);
    WritePpm(LocalDomainCustomTexturePath() + "/Mine/halves.ppm",
             RgbImage(512, 512, [](int x, int) { return x < 256 ? 0x202020u : 0xFFFFFFu; }));
    char path[] = "Mine/halves.ppm";
    const int32_t custom = NewCustomTextureID(path);
    Objex* wide = Make(9).on(GetFirstFloorLayer()).at({{0, 0, 0}, {250, 0, 0}, {250, -48, 0}});
    auto* window = new AttachmentRecord;
    window->insideTrimScale[0] = window->insideTrimScale[1] = 42;
    window->outsideTrimScale[0] = window->outsideTrimScale[1] = 21;
    Objex* win = Make(objtype::kWindow).on(GetFirstFloorLayer()).with(window);
    Objex* lining = Make(9);
    PaletteList* entry = GetPaletteEntryFromRefID(5);
    entry->kind = kPaletteTexture, entry->textureID = kWood;
    gClearViewLineColor = kWhite;  // lines would show a texture
    using namespace rendermode;
    auto* const own = RenderGLPlaneObject;
    auto* const gen = RenderGLAutoGenPlaneObject;
    auto* const trim = RenderGLTrimPlaneObject;
    const struct Row {
        const char* name;
        void (*draw)(PlaneObject*, int16_t);
        int16_t mode;
        uint8_t texturedWire;
        int32_t hide;
        Objex* object3D;
        uint16_t pieceKind;
        uint8_t outsideCustom, alpha;
        int32_t texture;
        float width;  // of the face
        int expected;
    } rows[] = {
        {"solid", own, kSolid, 0, 0, nullptr, 0, 0, 255, kWood, 64, 4},
        {"wire frame", own, kWireframe, 0, 0, nullptr, 0, 0, 255, kWood, 64, 0},
        {"wire frame, textured wire", own, kWireframe, 1, 0, nullptr, 0, 0, 255, kWood, 64, 4},
        {"materials hidden", own, kSolid, 0, hideflag::kMaterials, nullptr, 0, 0, 255, kWood, 64, 0},
        {"lines", own, kLines, 0, 0, nullptr, 0, 0, 255, kWood, 64, 0},
        {"filled", own, kFilled, 0, 0, nullptr, 0, 0, 255, kWood, 64, 0},
        {"no colour, stock texture", gen, kNoColour, 0, 0, nullptr, 0, 0, 255, kWood, 250, 0},
        {"translucent: custom texels kept above 0.01", own, kSolid, 0, 0, nullptr, 0, 0, 100, custom, 64, 4},
        {"translucent trim: cut at 0.5", trim, kSolid, 0, 0, nullptr, 1, 0, 100, custom, 64, 0},
        {"interior wall piece", gen, kSolid, 0, 0, nullptr, 0, 0, 255, kWood, 250, 3},
        {"custom texture of open size", gen, kSolid, 0, 0, wide, 0, 0, 255, custom, 250, 1},
        {"trim on a plain object: 0.504 per unit", trim, kSolid, 0, 0, nullptr, 1, 0, 255, kWood, 3 / 0.504f, 3},
        {"inside trim", trim, kSolid, 0, 0, win, 1, 0, 255, kWood, 250, 3},
        {"outside trim", trim, kSolid, 0, 0, win, 2, 0, 255, kWood, 250, 6},
        {"lining, inside flag", trim, kSolid, 0, 0, win, 3, 0, 255, kWood, 250, 3},
        {"lining, outside flag and profile", trim, kSolid, 0, 0, win, 3, 1, 255, kWood, 250, 6},
        {"palette trim: its texture's size", trim, kSolid, 0, 0, win, 2, 0, 255, PaletteLinkOfRefID(5), 250, 3},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ds->renderMode = r.mode, ds->renderValue = r.hide, gTexturedWire = r.texturedWire;
        window->outsideCustomTrim = r.outsideCustom;
        window->outsideTrimProfile = r.outsideCustom ? lining : nullptr;
        view(0, r.width);
        PlaneObject* p = quad(0, 0, r.width, 48, kWhite);
        for (uint32_t i = 0; i < 4; ++i) p->planes->vertices[i].u = (i == 1 || i == 2) ? 4.0f : 0.0f;
        if (r.object3D) p->object3D = r.object3D;
        p->pieceKind = r.pieceKind, p->alpha = r.alpha, p->backTexture = r.texture;
        r.draw(p, 0);
        EXPECT_EQ(repeats(), r.expected);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_ALPHA_TEST));
        DeleteAllRendererObjects();
    }
    // Drawing the palette trim left the window's sizes as they were.
    EXPECT_TRUE(window->outsideTrimScale[0] == 21 && window->insideTrimScale[0] == 42);
    window->outsideTrimProfile = lining;  // the window frees its profile
}

// b's vertices 2 and 3 (its top) take a's red when both strips come from one source object;
// strips of no source keep their own green.
TEST_F(PlaneDrawers, ConsecutivePiecesOfOneSourceShareTheirEdgeColour) {
    gLiveViewOptions &= ~liveviewoption::kGradientShading;
    Objex* source = Make(9).on(GetFirstFloorLayer());
    for (Objex* from : {source, static_cast<Objex*>(nullptr)}) {
        SCOPED_TRACE(from ? "one source" : "no source");
        view(0, 64);
        PlaneObject* a = quad(0, 0, 32, 48, kRed);
        PlaneObject* b = quad(32, 0, 64, 48, kGreen);
        a->pieceKind = b->pieceKind = kMeshStrip;
        a->sourceObject = b->sourceObject = from;
        gPrevPlaneColor = {1, 1, 1};
        RenderGLPlaneObject(a, 0);
        EXPECT_TRUE(gPrevPlaneParentObject == from && gPrevPlaneColor.red == 0xFFFF);
        RenderGLPlaneObject(b, 0);
        EXPECT_TRUE(shows(48, 47, from ? kRed : kGreen, 12));
        EXPECT_TRUE(shows(48, 0, kGreen, 12));
        DeleteAllRendererObjects();
    }
    RenderGLPlaneObject(quad(0, 0, 1, 1, kBlue), 0);  // not a strip: nothing carried
    EXPECT_TRUE(gPrevPlaneColor.red == 1 && gPrevPlaneColor.blue == 1);
}

// A door's infill planes face the light square on: without a shade of their own they show 0.9
// of the shaded grey, with one its share; other door pieces keep their whole value at v = 0.
TEST_F(PlaneDrawers, ADoorsInfillPlaneShowsItsPiecesShadeOrNineTenths) {
    gLiveViewOptions |= liveviewoption::kGradientShading;
    ds->lightIntensity = 1.0f, ds->lightValue = 6553.5f;
    SetupLights();
    Objex* door = Make(objtype::kDoor).on(GetFirstFloorLayer());
    struct Row { uint16_t kind; float shade; int x; int red; } rows[] = {
        {128, 0, 8, 72}, {128, 0.5f, 24, 40}, {128, -1, 40, 72}, {20, 0.5f, 56, 80}};
    for (const Row& r : rows) {
        PlaneObject* p = quad(float(r.x - 8), 0, float(r.x + 8), 48, kGrey);
        p->object3D = door, p->object3DType = objtype::kDoor, p->pieceKind = r.kind;
        p->sourceObject = Make(int16_t(r.kind)).on(GetFirstFloorLayer());
        objfield::door_piece::kShade(*p->sourceObject) = r.shade;
        for (uint32_t i = 0; i < 4; ++i) p->planes->vertices[i].v = 0;
        RenderGLPlaneObject(p, 0);
    }
    gl->present();
    // 0x80 shaded at 0.625 is 80: 72 at 0.9, 40 at 0.5; a panel piece at v 0 keeps 80.
    for (const Row& r : rows) EXPECT_NEAR(red(r.x, 24), r.red, 1) << r.kind << " " << r.shade;
}

TEST_F(PlaneDrawers, GridCellsTakeTheirCornersColoursOrBlackForAMismatchedGrid) {
    // A 2 x 1 grid whose point list lacks a point: every cell black; a 3-vertex cell is skipped.
    Objex* grid = Make(10, objfield::grid_surface::kSubtype).grid(2, 3, 10).on(GetFirstFloorLayer());
    objfield::grid_surface::kColumns(*grid) = 2, objfield::grid_surface::kRows(*grid) = 1;
    objfield::grid_surface::kCellWidth(*grid) = objfield::grid_surface::kCellDepth(*grid) = 10;
    grid->pointCount = 5;
    view(0, 64, true);
    PlaneObject* p = quad(0, 0, 32, 48, kWhite);
    auto* tri = static_cast<PlaneVertex*>(calloc(3, sizeof(PlaneVertex)));
    tri[0] = {32, 0, 0}, tri[1] = {64, 0, 0}, tri[2] = {64, -48, 0};
    AppendPlane(tri, 3, 0, 0, 1, p);
    p->baseObject = grid;
    RenderGLPlaneObject(p, 0);
    EXPECT_TRUE(shows(16, 24, {}));
    EXPECT_TRUE(shows(60, 10, kBlue));
}

// A wall from (0, 0) to (400, 0) and on to (400, 200) on the first floor, built by the scene
// walk: its faces stand 6 off the centre line.
TEST_F(PlaneDrawers, AWallsFacesPointAwayFromItsCentreLineAndDrawInTheirShadedColour) {
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {400, 0}, {400, 200}}, false).on(GetFirstFloorLayer());
    wall->penWidth = 6;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 48;
    Update3DWall(wall);
    RegisterLiveView(true);
    RenderAllLayers();
    int sides = 0;
    PlaneObject* outer = nullptr;
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        for (const Plane* plane = p->planes; plane; plane = plane->next) {
            if (p->baseObject != wall || p->pieceKind != 10) continue;  // the band of faces round the wall
            float h = 0, d = 0;
            for (uint32_t i = 0; i < plane->count; ++i) h += plane->vertices[i].H, d += plane->vertices[i].D;
            h /= float(plane->count), d /= float(plane->count);
            // From the nearest point of the centre line to the face's centre.
            const float oh1 = h - std::clamp(h, 0.0f, 400.0f), oh2 = h - 400, od2 = d - std::clamp(d, 0.0f, 200.0f);
            const bool first = std::hypot(oh1, d) <= std::hypot(oh2, od2);
            const float oh = first ? oh1 : oh2, od = first ? d : od2;
            if (std::hypot(oh, od) < 1e-3f) continue;  // an end, centred on the line's end
            EXPECT_GT(oh * plane->nx + od * plane->nz, 0) << "face centred at " << h << ", " << d;
            ++sides;
            if (plane->nz < -0.5f && !outer) outer = p;
        }
    EXPECT_GE(sides, 4);
    ASSERT_NE(outer, nullptr);

    // Lit at 60 degrees to the outer face at d = -6 (the light's z cosine 0.5), seen from there.
    ds->lightValue = 0;  // no gradient
    gLightXAngle = 90, gLightYAngle = 90, gLightZAngle = 60;
    SetupLights();
    view(-50, 450, false, -400, 400, -1000);  // looking down +d
    glEnable(GL_DEPTH_TEST);
    glClear(GL_DEPTH_BUFFER_BIT);
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        if (p->baseObject == wall) RenderGLPlaneObject(p, 0);
    const RGBColor expected = ShadePlaneColor(ResolvePlaneMaterial(outer, ds).color, 0, 0, -1, 10, ds, nullptr);
    EXPECT_TRUE(shows(25, 26, expected)) << std::hex << gl->pixel(25, 26);  // x 150, just above the floor line
}

}  // namespace
