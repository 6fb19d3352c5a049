// One pass over the scene list: what the hide flags leave out and where each piece goes (a
// recording dispatch), openings, floor holes, insets and translucency as pixels, Escape and
// the status line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/view_layers.h"
#include "render/core/render_state.h"
#include "render/gl.h"
#include "render/scene_list_renderer.h"
#include "render_fixture.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "tools/wall_construction.h"

using namespace dvxtest;

namespace {

std::vector<std::pair<std::string, PlaneObject*>> gCalls;
template <int N>
void Record(PlaneObject* p) {
    static const char* const kNames[] = {"plane", "trim", "autogen", "plant", "photo"};
    gCalls.push_back({kNames[N], p});
}
template <int N>
void RecordFace(PlaneObject* p, int16_t) { Record<N>(p); }
const PlaneDrawers kRecording{RecordFace<0>, RecordFace<1>, RecordFace<2>, Record<3>, Record<4>};
void Flat(PlaneObject* p, int16_t) { DrawPlaneObject(p); }
const PlaneDrawers kFlat{Flat, Flat, Flat, Record<3>, Record<4>};
// Flat, noting the stencil under the two holes of the side-by-side faces as each face is drawn.
std::vector<int> gStencil;
void FlatProbe(PlaneObject* p, int16_t) {
    DrawPlaneObject(p);
    for (int x : {12, 44}) {
        uint8_t v = 0;
        if (p->pieceKind == 10) glReadPixels(x, 12, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &v), gStencil.push_back(v);
    }
}
const PlaneDrawers kStencilProbe{FlatProbe, Flat, Flat, Record<3>, Record<4>};

class SceneWalk : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        gCalls.clear();
        ds = doc->itsDocState;
        floor = GetFirstFloorLayer();
        view(64, 48);
    }
    // Scene 0..w by 0..h over the whole surface, cleared to blue.
    void view(float w, float h) {
        glMatrixMode(GL_PROJECTION), glLoadIdentity(), glOrtho(0, w, 0, h, -1000, 1000), glMatrixMode(GL_MODELVIEW);
        glClearColor(0, 0, 1, 1), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        gCurrentStencilValue = 2;
    }
    // A square of the kind over x, y .. x + size, y + size at depth z (drawn y), at the tail of
    // the scene, or the face's masks.
    PlaneObject* square(uint16_t kind, float x, float y, float size = 64, RGBColor c = kRed, float z = 0) {
        PlaneObject* p = CreatePlaneObject();
        AddPlane(p, {{x, -y, z}, {x + size, -y, z}, {x + size, -y - size, z}, {x, -y - size, z}}, {0, 0, 1});
        p->frontColor = c, p->pieceKind = kind;
        return p;
    }
    PlaneObject* piece(uint16_t kind, float x, float y, float size = 64, RGBColor c = kRed, float z = 0) {
        PlaneObject* p = square(kind, x, y, size, c, z);
        AppendPlaneObjectToList(gGLPlaneObjects, p);
        return p;
    }
    void mask(PlaneObject* face, float x, float y, float size) { AppendPlaneObjectToList(face->masks, square(61, x, y, size)); }
    bool drew(const PlaneObject* p) {
        for (auto& c : gCalls)
            if (c.second == p) return true;
        return false;
    }
    std::vector<PlaneObject*> drawn() {
        std::vector<PlaneObject*> out;
        for (auto& c : gCalls) out.push_back(c.second);
        return out;
    }
    Objex* on(Layer* layer, int32_t subtype = 0) { return Make(objtype::kFloor, subtype).on(layer); }
    bool shows(int x, int y, RGBColor c, int tolerance = 8) {
        return NearColor(gl->pixel(x, y), c.red >> 8, c.green >> 8, c.blue >> 8, tolerance);
    }

    DocState* ds = nullptr;
    Layer* floor = nullptr;
};

TEST_F(SceneWalk, HideFlagsAndPieceKindsChooseTheDrawer) {
    struct Row {
        const char* name;
        const char* drawer;  // empty: not drawn
        uint16_t kind;
        int32_t hide;
        int16_t type3D = 0, subtype3D = 0;  // the 3D object (none when the type is 0)
        int16_t baseType = 0;               // the base object (none when 0; -1 an interior wall)
        int32_t groupSubtype = -1;          // the base object inside a group of this subtype
        uint16_t surface = kPlanarSurface;
    };
    using namespace hideflag;
    const Row rows[] = {
        {"plain", "plane", 0, ~0}, {"trim", "trim", 5, kDoors},
        {"skylight trim, roofs hidden", "", 3, kRoofs, 160},
        {"skylight trim, doors hidden", "trim", 3, kDoors | kObjects, 160},
        {"roof cut-out mask", "", 61, kRoofs, 166},
        {"grouped object of 111", "", 10, kObjects, 0, 0, 12, 111},
        {"other group", "plane", 10, kObjects, 0, 0, 12, 0},
        {"roof", "", 59, kRoofs}, {"roof, others hidden", "plane", 32, ~kRoofs},
        {"object", "", 136, kObjects},
        {"interior wall piece", "autogen", 15, kDoors, 0, 0, -1},
        {"skylight panel, roofs", "", 20, kRoofs, 160}, {"skylight panel, doors", "plane", 20, kDoors, 160},
        {"door panel", "", 128, kDoors, 16}, {"door panel, roofs", "plane", 128, kRoofs, 16},
        {"cabinet", "", 52, kObjects, 0, 0, 136}, {"not a cabinet", "plane", 52, kObjects, 0, 0, 12},
        {"light by type", "", 111, kElectrical, 79}, {"switch by subtype", "", 111, kElectrical, 56, 74},
        {"sink", "", 111, kPlumbing, 98}, {"tub by subtype", "", 111, kPlumbing, 56, 95},
        {"duct", "", 111, kHVAC, 120}, {"register", "", 111, kHVAC, 56, 124},
        {"light, plumbing hidden", "plane", 111, kPlumbing | kHVAC, 79}, {"no 3D object", "plane", 111, kElectrical},
        {"filler, not picking", "", 900, 0}, {"floor without base", "", 13, 0},
        {"plant", "plant", 0, ~kPlants, 0, 0, 0, -1, kPlantSurface},
        {"plant hidden", "", 0, kPlants, 0, 0, 0, -1, kUserPlantSurface},
        {"photo", "photo", 0, ~0, 0, 0, 0, -1, kPhotoSurface},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        DeleteAllRendererObjects(), gCalls.clear();
        ds->renderValue = r.hide;
        PlaneObject* p = piece(r.kind, 0, 0);
        p->surfaceKind = r.surface;
        if (r.type3D) p->object3D = Make(r.type3D, r.subtype3D).on(floor);
        if (r.baseType) p->baseObject = Make(r.baseType < 0 ? objtype::kWall : r.baseType).on(floor);
        if (r.baseType < 0) p->baseObject->auxColor.red = 1;
        if (r.groupSubtype >= 0) Group(floor, {p->baseObject})->subtype = r.groupSubtype;
        RenderGLPlaneObjects(gGLPlaneObjects, {false, &kRecording});
        ASSERT_EQ(gCalls.size(), *r.drawer ? 1u : 0u);
        if (*r.drawer) EXPECT_EQ(gCalls[0].first, r.drawer);
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
    glEnable(GL_DEPTH_TEST);
    RenderGLPlaneObjects(gGLPlaneObjects);
    gl->present();
    // Both openings span 32 and 1 to 82 up: their middles show the backdrop, the face between
    // and above them its own colour.
    EXPECT_TRUE(shows(25, 10, kBlue) && shows(75, 10, kBlue));
    EXPECT_FALSE(shows(50, 10, kBlue) || shows(25, 22, kBlue) || shows(75, 22, kBlue));
}

TEST_F(SceneWalk, MaskedFacesTakeTheNextStencilValueAndStartAgainPastTheLast) {
    // Side by side: the second face's value is the next one and the first's hole keeps its own.
    mask(piece(10, 0, 0, 32, kRed), 8, 8, 8), mask(piece(10, 32, 0, 32, kGreen), 40, 8, 8);
    RenderGLPlaneObjects(gGLPlaneObjects, {false, &kStencilProbe});
    EXPECT_EQ(gStencil, (std::vector<int>{2, 0, 2, 3}));
    EXPECT_TRUE(shows(12, 12, kBlue) && shows(44, 12, kBlue) && shows(4, 4, kRed) && shows(36, 4, kGreen));

    // 300 tiles of 16, each with a hole of 4; then a face over the last row with a hole over the
    // first tile of that row. Past value 255 the stencil starts again, so no hole of an earlier
    // tile opens in the last face.
    DeleteAllRendererObjects(), Resize(320, 240), view(320, 240);
    for (int i = 0; i < 300; ++i) mask(piece(10, 16 * (i % 20), 16 * (i / 20), 16), 16 * (i % 20) + 6, 16 * (i / 20) + 6, 4);
    mask(piece(10, 0, 224, 320, kGreen, 1), 2, 226, 4);
    RenderGLPlaneObjects(gGLPlaneObjects, {false, &kFlat});
    for (int i = 0; i < 300; ++i) {
        const int x = 16 * (i % 20), y = 16 * (i / 20);
        EXPECT_TRUE(shows(x + 8, y + 8, i < 280 ? kBlue : kGreen)) << i;
        EXPECT_TRUE(shows(x + 3, y + 3, i <= 280 ? kRed : kGreen)) << i;
    }
}

TEST_F(SceneWalk, FloorHolesFollowTheCameraAndFloorsAreFoundByTheirPlace) {
    Layer* second = floor->next;
    // Holes 100 up on the first floor, a wall outline on the second, a floor drawn in the main walk.
    PlaneObject* fromBelow = piece(127, 0, 100);
    PlaneObject* fromAbove = piece(48, 0, 100);
    fromBelow->baseObject = fromAbove->baseObject = on(floor);
    PlaneObject* upstairs = piece(36, 0, 0);
    upstairs->baseObject = on(second);
    PlaneObject* soffit = piece(13, 0, 0);
    soffit->baseObject = on(floor, 170);
    struct Row {
        const char* name;
        int16_t camera;
        float eye;
        bool below;
    };
    for (const char* name : {"First Floor", "Ground"})
        for (const Row& r : {Row{"walk, under the floor", 1, 50, true}, Row{"walk, over it", 1, 150, false},
                             Row{"fly", 2, 50, false}}) {
            SCOPED_TRACE(std::string(name) + ": " + r.name);
            std::snprintf(floor->name, sizeof floor->name, "%s", name);
            ds->cameraMode = r.camera, ds->eyeHeight = r.eye, gCalls.clear();
            RenderGLPlaneObjects(gGLPlaneObjects, {false, &kRecording});
            const std::vector<PlaneObject*> holes{r.below ? fromBelow : fromAbove};
            EXPECT_EQ(drawn(), (std::vector<PlaneObject*>{soffit, holes[0], upstairs}));
        }
}

TEST_F(SceneWalk, AnInsetShowsOnlyInsideItsOutlineWhichHolesTheFloor) {
    piece(13, 0, 0, 64, kRed)->baseObject = on(floor);
    PlaneObject* outline = piece(171, 16, 16, 16, kWhite);
    outline->baseObject = on(floor);
    piece(173, 0, 0, 64, kGreen)->baseObject = Make(objtype::kFloor).in(outline->baseObject);
    RenderGLPlaneObjects(gGLPlaneObjects, {false, &kFlat});
    EXPECT_TRUE(shows(24, 24, kGreen) && shows(8, 8, kRed) && shows(40, 40, kRed));
}

TEST_F(SceneWalk, TranslucentFacesBlendOverTheOpaqueOnesWithoutHoles) {
    PlaneObject* glass = piece(10, 0, 0, 64, kRed, 10);
    glass->alpha = 128, mask(glass, 16, 16, 16);
    piece(10, 0, 0, 64, kGreen, 0);  // behind it, later in the list
    glEnable(GL_DEPTH_TEST);
    RenderGLPlaneObjects(gGLPlaneObjects, {false, &kFlat});
    EXPECT_TRUE(shows(24, 24, {0x8080, 0x7F7F, 0}, 3) && shows(4, 4, {0x8080, 0x7F7F, 0}, 3));
}

TEST_F(SceneWalk, FillersShowWhilePickingAndThePlantsOnlyWalkDrawsPlants) {
    PlaneObject* filler = piece(900, 0, 0);
    PlaneObject* plant = piece(0, 0, 0);
    plant->surfaceKind = kPlantSurface, piece(0, 0, 0);
    RenderGLPlaneObjects(gGLPlaneObjects, {true, &kRecording});
    EXPECT_TRUE(drew(filler) && drew(plant) && gCalls.size() == 3);
    gCalls.clear(), RenderGLPlaneObjectsPlantsOnly(gGLPlaneObjects, {false, &kRecording});
    EXPECT_EQ(drawn(), std::vector<PlaneObject*>{plant});
    gCalls.clear(), RenderGLFillerPlaneObjects(gGLPlaneObjects, {false, &kRecording});
    GLboolean colour[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, colour);
    EXPECT_TRUE(drawn() == std::vector<PlaneObject*>{filler} && colour[0] && colour[3]);
}

TEST_F(SceneWalk, EscapeStopsAnAntiAliasedWalkAtThe300thPieceAndPlainRendersShowTheStatus) {
    LiveViewHostRecorder host;
    for (int i = 0; i < 600; ++i) piece(0, 0, 0);
    struct Row {
        const char* name;
        uint8_t *polling, *shadowMap;
        size_t drawn;
        int polls;
        std::vector<std::string> status;
    };
    auto render = [&](uint8_t* polling, uint8_t* shadowMap) {
        gCalls.clear(), host.events.clear(), host.interrupts = {}, host.interrupts.pressEscape();
        gBreakOpenGLRender = g3DViewPrintInterrupted = 0;
        for (uint8_t* flag : {polling, shadowMap})
            if (flag) *flag = 1;
        RenderGLPlaneObjects(gGLPlaneObjects, {false, &kRecording});
    };
    for (const Row& r : {Row{"plain", nullptr, nullptr, 600, 0, {"status:Rendering", "status:"}},
                         Row{"anti-aliased", &gRenderOpenGLAntiAlias, nullptr, 299, 1, {}},
                         Row{"shadow map", &gRenderingShadowMapAntiAlias, &gRenderingShadowMap, 299, 1, {}}}) {
        SCOPED_TRACE(r.name);
        render(r.polling, r.shadowMap);
        EXPECT_TRUE(gCalls.size() == r.drawn && host.interrupts.polls() == r.polls);
        EXPECT_TRUE(gBreakOpenGLRender == r.polls && g3DViewPrintInterrupted == r.polls && host.events == r.status);
        gRenderOpenGLAntiAlias = gRenderingShadowMapAntiAlias = gRenderingShadowMap = 0;
    }
    // Past the main walk (203 pieces) the first floor's hole walk meets the Escape: its floor
    // ends in the state it started from, no floor starts after it, the translucent pass draws.
    DeleteAllRendererObjects();
    for (int i = 0; i < 200; ++i) piece(0, 0, 0);
    PlaneObject *glass = piece(0, 0, 0), *here = piece(36, 0, 0), *upstairs = piece(36, 0, 0);
    glass->alpha = 128, here->baseObject = on(floor), upstairs->baseObject = on(floor->next);
    render(&gRenderOpenGLAntiAlias, nullptr);
    GLboolean colour[4] = {}, depth = 0;
    glGetBooleanv(GL_COLOR_WRITEMASK, colour), glGetBooleanv(GL_DEPTH_WRITEMASK, &depth);
    EXPECT_TRUE(gBreakOpenGLRender && drew(here) && !drew(upstairs) && drew(glass));
    EXPECT_TRUE(colour[0] && colour[3] && depth && !glIsEnabled(GL_STENCIL_TEST));
}

}  // namespace
