// One pass over the scene list: what the hide flags leave out and where each piece goes (a
// recording dispatch), openings, floor holes, insets and translucency as pixels, Escape and
// the status line; the real-time walk's stencil values beside the full walk's.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/view_layers.h"
#include "model/render_state.h"
#include "render/gl.h"
#include "render/rt_scene_list.h"
#include "render/scene_list_renderer.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "tools/wall_construction.h"

using namespace dvxtest;

namespace {

// What a recording dispatch was handed, in order; flat colours; the stencil under (12, 12)
// and (44, 12) after each draw.
std::vector<PlaneObject*> gDrawn;
std::vector<std::string> gDrawers;
std::vector<int> gStencil;
template <int N>
void Record(PlaneObject* p) {
    gDrawn.push_back(p), gDrawers.push_back(std::array{"plane", "trim", "autogen", "plant", "photo"}[N]);
}
template <int N>
void RecordFace(PlaneObject* p, int16_t) { Record<N>(p); }
void Flat(PlaneObject* p, int16_t) {
    DrawPlaneObject(p);
    for (uint8_t v = 0; int x : {12, 44}) glReadPixels(x, 12, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &v), gStencil.push_back(v);
}
const PlaneDrawers kRecording{RecordFace<0>, RecordFace<1>, RecordFace<2>, Record<3>, Record<4>};
const PlaneDrawers kFlat{Flat, Flat, Flat, Record<3>, Record<4>};

class SceneWalk : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        gDrawn.clear(), gDrawers.clear(), gStencil.clear();
        ds = doc->itsDocState, floor = GetFirstFloorLayer();
        view(64, 48);
    }
    // Scene 0..w by 0..h over the whole surface, cleared to blue.
    void view(float w, float h) {
        glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0, w, 0, h, -1000, 1000), glMatrixMode(GL_MODELVIEW);
        glClearColor(0, 0, 1, 1), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
    }
    // A square of the kind over x, y .. x + size, y + size (drawn y) at depth z, at the tail of
    // the list (the scene's, or a face's masks).
    static PlaneObject* piece(uint16_t kind, float x = 0, float y = 0, float size = 64, RGBColor c = kRed, float z = 0,
                              PlaneObject*& list = gGLPlaneObjects) {
        PlaneObject* p = CreatePlaneObject();
        AddPlane(p, {{x, -y, z}, {x + size, -y, z}, {x + size, -y - size, z}, {x, -y - size, z}}, {0, 0, 1});
        p->frontColor = c, p->pieceKind = kind;
        AppendPlaneObjectToList(list, p);
        return p;
    }
    static void mask(PlaneObject* face, float x, float y, float size) { piece(61, x, y, size, kRed, 0, face->masks); }
    // 300 tiles of 16 in rows of 20 over 320 x 240, each with a hole of 4 at its middle; then a
    // green face over the last row with a hole of its own over the first tile of that row.
    static void tilesUnderAWideFace() {
        for (int i = 0; i < 300; ++i) {
            const float x = 16.0f * float(i % 20), y = 16.0f * float(i / 20);
            mask(piece(10, x, y, 16), x + 6, y + 6, 4);
        }
        mask(piece(10, 0, 224, 320, kGreen, 1), 2, 226, 4);
    }
    static Objex* on(Layer* layer, int32_t subtype = 0) { return Make(objtype::kFloor, subtype).on(layer); }
    bool shows(int x, int y, RGBColor c, int tolerance = 8) {
        return NearColor(gl->pixel(x, y), c.red >> 8, c.green >> 8, c.blue >> 8, tolerance);
    }
    void render(const PlaneDrawers& drawers = kRecording, bool picking = false) {
        gDrawn.clear(), gDrawers.clear();
        RenderGLPlaneObjects(gGLPlaneObjects, {picking, &drawers});
    }

    DocState* ds = nullptr;
    Layer* floor = nullptr;
};

TEST_F(SceneWalk, HideFlagsAndPieceKindsChooseTheDrawer) {
    struct Row {
        const char* drawer;  // empty: not drawn
        uint16_t kind;
        int32_t hide;
        int16_t type3D = 0, subtype3D = 0, baseType = 0;  // none for 0; base type -1: an interior wall
        int32_t groupSubtype = -1;                        // the base object in a group of this subtype
        uint16_t surface = kPlanarSurface;
        bool noShadow = false;  // the base object casts none (while only shadow casters show)
    };
    using namespace hideflag;
    const Row rows[] = {
        {"plane", 0, ~0}, {"trim", 5, kDoors}, {"", 3, kRoofs, 160}, {"trim", 3, kDoors | kObjects, 160},
        {"", 61, kRoofs, 166}, {"", 10, kObjects, 0, 0, 12, 111}, {"plane", 10, kObjects, 0, 0, 12, 0},
        {"", 59, kRoofs}, {"plane", 32, ~kRoofs}, {"", 136, kObjects}, {"autogen", 15, kDoors, 0, 0, -1},
        {"", 20, kRoofs, 160}, {"plane", 20, kDoors, 160}, {"", 128, kDoors, 16}, {"plane", 128, kRoofs, 16},
        {"", 52, kObjects, 0, 0, 136}, {"plane", 52, kObjects, 0, 0, 12}, {"", 111, kElectrical, 79},
        {"", 111, kElectrical, 56, 74}, {"", 111, kPlumbing, 98}, {"", 111, kPlumbing, 56, 95},
        {"", 111, kHVAC, 120}, {"", 111, kHVAC, 56, 124}, {"plane", 111, kPlumbing | kHVAC, 79},
        {"plane", 111, kElectrical}, {"", 900, 0}, {"", 13, 0}, {"plant", 0, ~kPlants, 0, 0, 0, -1, kPlantSurface},
        {"", 0, kPlants, 0, 0, 0, -1, kUserPlantSurface}, {"photo", 0, ~0, 0, 0, 0, -1, kPhotoSurface},
        {"", 0, 0, 0, 0, 130, -1, kPhotoSurface, true}, {"", 10, 0, 0, 0, 15, 0, kPlanarSurface, true},
    };
    gHideNonShadowObjects = 1;
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind << ", hide " << r.hide << ", 3D " << r.type3D);
        DeleteAllRendererObjects(), ds->renderValue = r.hide;
        PlaneObject* p = piece(r.kind);
        p->surfaceKind = r.surface;
        if (r.type3D) p->object3D = Make(r.type3D, r.subtype3D).on(floor);
        if (r.baseType) p->baseObject = Make(r.baseType < 0 ? objtype::kWall : r.baseType).on(floor);
        if (r.baseType < 0) p->baseObject->auxColor.red = 1;
        if (r.groupSubtype >= 0) Group(floor, {p->baseObject})->subtype = r.groupSubtype;
        if (r.noShadow && r.baseType == objtype::kFentrix) objfield::fentrix::kShadowOff(*GetRootObject(p->baseObject)) = 1;
        if (r.noShadow && r.baseType != objtype::kFentrix) objfield::no_shadow::kMark(*p->baseObject) = 1;
        render();
        EXPECT_EQ(gDrawers, *r.drawer ? std::vector<std::string>{r.drawer} : std::vector<std::string>{});
    }
}

TEST_F(SceneWalk, AWallsDoorAndWindowShowTheBackdropThroughItsFaces) {
    Resize(100, 30), view(400, 120);  // 4 units a pixel
    Objex* wall = Outline(objtype::kWall, {{0, 0}, {400, 0}}, false).on(floor);
    wall->penWidth = 6;
    for (Poinz* p = wall->firstPoint; p; p = p->next)
        objfield::wall_segment::kFirstHeight(*p) = objfield::wall_segment::kSecondHeight(*p) = 48;
    Opening(wall, objtype::kDoor, 500, 0)->typeData.attachment->centreDistance = 100;
    Opening(wall, objtype::kWindow, 600, 0)->typeData.attachment->centreDistance = 300;
    Update3DWall(wall), RegisterLiveView(true), RenderAllLayers();
    glEnable(GL_DEPTH_TEST), RenderGLPlaneObjects(gGLPlaneObjects), gl->present();
    // Both openings span 32 and 1 to 82 up: their middles show the backdrop, the face between
    // and above them its own colour.
    EXPECT_TRUE(shows(25, 10, kBlue) && shows(75, 10, kBlue));
    EXPECT_FALSE(shows(50, 10, kBlue) || shows(25, 22, kBlue) || shows(75, 22, kBlue));
}

TEST_F(SceneWalk, MaskedFacesTakeTheNextStencilValueAndStartAgainPastTheLast) {
    // Side by side: the second face's value is the next one and the first's hole keeps its own.
    mask(piece(10, 0, 0, 32, kRed), 8, 8, 8), mask(piece(10, 32, 0, 32, kGreen), 40, 8, 8);
    render(kFlat);
    EXPECT_EQ(gStencil, (std::vector<int>{2, 0, 2, 0, 2, 3, 2, 3}));  // after each mask and face
    EXPECT_TRUE(shows(12, 12, kBlue) && shows(44, 12, kBlue) && shows(4, 4, kRed) && shows(36, 4, kGreen));
    // Past value 255 the stencil starts again, so no hole of an earlier tile opens in the last face.
    DeleteAllRendererObjects(), Resize(320, 240), view(320, 240);
    tilesUnderAWideFace();
    render(kFlat);
    for (int i = 0; i < 300; ++i) {
        const int x = 16 * (i % 20), y = 16 * (i / 20);
        EXPECT_TRUE(shows(x + 8, y + 8, i < 280 ? kBlue : kGreen) && shows(x + 3, y + 3, i <= 280 ? kRed : kGreen)) << i;
    }
}

// The real-time walk takes its stencil values as the full walk does: a design of more masked
// faces than the stencil has values shows the last face whole in both frames.
TEST_F(SceneWalk, BothWalksStartTheStencilValuesAgainPastTheLast) {
    Resize(320, 240);
    tilesUnderAWideFace();
    Objex* owner = Make(objtype::kWall).on(floor);
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next) {
        p->object3D = owner;
        for (PlaneObject* m = p->masks; m; m = m->next) m->object3D = owner;
    }
    ds->renderValue = hideflag::kMaterials;
    for (bool realTime : {false, true}) {
        SCOPED_TRACE(realTime ? "real-time" : "full");
        view(320, 240);
        if (realTime) RealTimeRenderGLPlaneObjects(gGLPlaneObjects);
        else RenderGLPlaneObjects(gGLPlaneObjects);
        gl->present();
        // Every tile's hole shows the backdrop but the last row's, under the wide face.
        int holes = 0, punched = 0;
        for (int i = 0; i < 300; ++i) (i < 280 ? holes : punched) += shows(16 * (i % 20) + 8, 16 * (i / 20) + 8, kBlue);
        EXPECT_EQ(holes, 280);
        EXPECT_EQ(punched, 0) << "earlier masks opened holes in the last face";
        EXPECT_EQ(gl->pixel(4, 228), gl->pixel(3, 3)) << "the last face's own hole shows the tile under it";
    }
}

TEST_F(SceneWalk, FloorHolesFollowTheCameraAndFloorsAreFoundByTheirPlace) {
    // Holes 100 up on the first floor, a wall outline on the second, a floor of the main walk.
    PlaneObject *fromBelow = piece(127, 0, 100), *fromAbove = piece(48, 0, 100), *upstairs = piece(36), *soffit = piece(13);
    fromBelow->baseObject = fromAbove->baseObject = on(floor), upstairs->baseObject = on(floor->next);
    soffit->baseObject = on(floor, 170);
    for (const char* name : {"First Floor", "Ground"})
        for (auto [camera, eye, hole] : {std::tuple{1, 50, fromBelow}, {1, 150, fromAbove}, {2, 50, fromAbove}}) {
            SCOPED_TRACE(testing::Message() << name << ", camera " << camera << ", eye " << eye);
            std::snprintf(floor->name, sizeof floor->name, "%s", name);
            ds->cameraMode = int16_t(camera), ds->eyeHeight = float(eye), render();
            EXPECT_EQ(gDrawn, (std::vector<PlaneObject*>{soffit, hole, upstairs}));
        }
}

TEST_F(SceneWalk, InsetsShowInsideTheirOutlineAndTranslucentFacesBlendWithoutHoles) {
    piece(13, 0, 0, 32, kRed)->baseObject = on(floor);
    PlaneObject* outline = piece(171, 8, 8, 16, kWhite);
    outline->baseObject = on(floor);
    piece(173, 0, 0, 32, kGreen)->baseObject = Make(objtype::kFloor).in(outline->baseObject);
    // Right of them glass in front of an opaque face later in the list.
    PlaneObject* glass = piece(10, 32, 0, 32, kRed, 10);
    glass->alpha = 128, mask(glass, 40, 8, 16), piece(10, 32, 0, 32, kGreen, 0);
    glEnable(GL_DEPTH_TEST), render(kFlat);
    EXPECT_TRUE(shows(16, 16, kGreen) && shows(4, 4, kRed) && shows(28, 28, kRed));
    EXPECT_TRUE(shows(48, 16, {0x8080, 0x7F7F, 0}, 3) && shows(36, 4, {0x8080, 0x7F7F, 0}, 3));
}

TEST_F(SceneWalk, FillersShowWhilePickingAndThePlantsOnlyWalkDrawsPlants) {
    PlaneObject *filler = piece(900), *plant = piece(0), *face = piece(0);
    plant->surfaceKind = kPlantSurface, render(kRecording, true);
    EXPECT_EQ(gDrawn, (std::vector<PlaneObject*>{filler, plant, face}));
    gDrawn.clear(), RenderGLPlaneObjectsPlantsOnly(gGLPlaneObjects, {false, &kRecording});
    EXPECT_EQ(gDrawn, std::vector<PlaneObject*>{plant});
    gDrawn.clear(), RenderGLFillerPlaneObjects(gGLPlaneObjects, {false, &kRecording});
    GLboolean colour[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, colour);
    EXPECT_TRUE(gDrawn == std::vector<PlaneObject*>{filler} && colour[0] && colour[3]);
}

TEST_F(SceneWalk, EscapeStopsAnAntiAliasedWalkAtThe300thPieceAndPlainRendersShowTheStatus) {
    LiveViewHostRecorder host;
    for (int i = 0; i < 600; ++i) piece(0);
    auto escapeDuring = [&](const std::vector<uint8_t*>& flags) {
        host.events.clear(), host.interrupts = {}, host.interrupts.pressEscape();
        gBreakOpenGLRender = g3DViewPrintInterrupted = gRenderOpenGLAntiAlias = 0;
        gRenderingShadowMapAntiAlias = gRenderingShadowMap = 0;
        for (uint8_t* flag : flags) *flag = 1;
        render();
    };
    using Status = std::vector<std::string>;  // a plain render never polls
    const std::pair<std::vector<uint8_t*>, Status> rows[] = {
        {{}, {"status:Rendering", "status:"}},
        {{&gRenderOpenGLAntiAlias}, {}},
        {{&gRenderingShadowMapAntiAlias, &gRenderingShadowMap}, {}},
    };
    for (const auto& [flags, status] : rows) {
        escapeDuring(flags);
        const int polls = flags.size() > 0;
        EXPECT_TRUE(gDrawn.size() == (polls ? 299u : 600u) && host.interrupts.polls() == polls && host.events == status);
        EXPECT_TRUE(gBreakOpenGLRender == polls && g3DViewPrintInterrupted == polls);
    }
    // Past the main walk (203 pieces) the first floor's hole walk meets the Escape: its floor
    // ends in the state it started from, no floor starts after it, the translucent pass draws.
    DeleteAllRendererObjects();
    for (int i = 0; i < 200; ++i) piece(0);
    PlaneObject *glass = piece(0), *here = piece(36), *upstairs = piece(36);
    glass->alpha = 128, here->baseObject = on(floor), upstairs->baseObject = on(floor->next);
    escapeDuring({&gRenderOpenGLAntiAlias});
    GLboolean colour[4] = {}, depth = 0;
    glGetBooleanv(GL_COLOR_WRITEMASK, colour), glGetBooleanv(GL_DEPTH_WRITEMASK, &depth);
    EXPECT_TRUE(gBreakOpenGLRender && std::ranges::count(gDrawn, here) && !std::ranges::count(gDrawn, upstairs));
    EXPECT_EQ(gDrawn.back(), glass);
    EXPECT_TRUE(colour[0] && colour[3] && depth && !glIsEnabled(GL_STENCIL_TEST));
}

}  // namespace
