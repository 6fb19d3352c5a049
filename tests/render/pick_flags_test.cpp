// Picking in the live view's real-time frame (64 x 64 OSMesa): which pieces a pick draws and
// names by its flags, and what a click or a drop on a plant or a photo reaches.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <string>
#include <vector>

#include "files/content_folders.h"
#include "geometry/openings/landscape_plants.h"
#include "model/bounds.h"
#include "model/selection_queries.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/preferences.h"
#include "model/render_state.h"
#include "model/selection_ops.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "render/core/pick_seams.h"
#include "render/gl.h"
#include "render/rt_display_lists.h"
#include "render/rt_frame.h"
#include "render/rt_scene_list.h"
#include "render_fixture.h"
#include "scene/apply_materials.h"
#include "scene/pick_state.h"
#include "scene/scene_build.h"
#include "support/doubles.h"
#include "support/seam_recorders.h"
#include "tools/photos.h"

using namespace dvxtest;

namespace {

constexpr GLuint kSentinel = 999999;

class Picks : public LiveViewRenderTest {
protected:
    void SetUp() override {
        LiveViewRenderTest::SetUp();
        ds = doc->itsDocState;
        ds->renderMode = rendermode::kSolid, ds->navigationSpeed = 8;
        ds->renderValue = hideflag::kMaterials | hideflag::kTopography, ds->lotRect = {30000, 30000, 30001, 30001};
        gLiveViewOptions &= ~liveviewoption::kGradientShading;
    }
    DocState* ds = nullptr;
};

// One piece alone in the scene, seen square on in an orthographic view 64 units wide.
class PickNames : public Picks {
public:
    void SetUp() override {
        Picks::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-32, 32, -8, 56, -1000, 1000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    PlaneObject* face() {
        PlaneObject* p = AddQuad({{-10, -10, 0}, {10, -10, 0}, {10, -30, 0}, {-10, -30, 0}}, kRed);
        p->object3D = p->baseObject = p->sourceObject = Make(44).on(GetFirstFloorLayer());
        return p;
    }
    PlaneObject* plant() {
        Objex* base = Make(objtype::kPlant).on(GetFirstFloorLayer());
        PlaneObject* p = AddQuad({{-5, 0, -5}, {5, 0, -5}, {5, 0, 5}, {-5, 0, 5}}, kWhite);
        p->surfaceKind = kPlantSurface;
        p->baseObject = p->sourceObject = p->object3D = base;
        p->frontTexture = 13010;
        p->plantHalfWidth = 10, p->plantHeight = 30;
        return p;
    }
    PlaneObject* photo() {
        Objex* base = Make(objtype::kPhoto).on(GetFirstFloorLayer()).image("/no/such/picture.jpg");
        PlaneObject* p = AddQuad({{-20, 0, 0}, {20, 0, 0}, {20, -40, 0}, {-20, -40, 0}}, kWhite);
        p->surfaceKind = kPhotoSurface;
        p->baseObject = p->sourceObject = p->object3D = base;
        p->frontTexture = 20001;
        return p;
    }
    enum Seen { NotDrawn, Unnamed, Named };
    // Draws the scene into the selection buffer under the flags.
    Seen seen(PlaneObject* piece, uint8_t pick, uint8_t selecting, uint8_t finding) {
        std::vector<GLuint> buffer(256);
        glSelectBuffer(GLsizei(buffer.size()), buffer.data());
        glRenderMode(GL_SELECT);
        glInitNames();
        glPushName(kSentinel);
        gGLPickMode = pick, gGLPick3DSelectionMode = selecting, gGLFindAppliedMode = finding;
        rt::ResetAllDisplayLists();
        RealTimeRenderGLPlaneObjects(gGLPlaneObjects);
        gGLPickMode = gGLPick3DSelectionMode = gGLFindAppliedMode = 0;
        const GLint hits = glRenderMode(GL_RENDER);
        rt::ResetAllDisplayLists();
        Seen answer = NotDrawn;
        for (GLint i = 0, at = 0; i < hits; ++i) {
            const GLuint names = buffer[size_t(at)];
            const GLuint name = names ? buffer[size_t(at) + 2 + names] : 0;
            at += 3 + int(names);
            answer = std::max(answer, name != kSentinel && PickedPlaneObject(name) == piece ? Named : Unnamed);
        }
        return answer;
    }
};

// A display frame draws every piece unnamed. A pick names the scene's pieces and photos but
// leaves plants out, unless it looks for what a click or drop acts on; a selecting click names
// plants and photos.
TEST_F(PickNames, PiecesAreDrawnAndNamedByThePicksFlags) {
    struct Row { uint8_t pick, selecting, finding; Seen face, plant, photo; } rows[] = {
        {0, 0, 0, Unnamed, Unnamed, Unnamed},
        {1, 0, 0, Named, NotDrawn, Named},
        {1, 1, 0, Named, NotDrawn, Named},
        {1, 0, 1, Named, Named, Named},
        {1, 1, 1, Named, Named, Named},
        {0, 1, 0, Unnamed, Named, Named},
        {0, 0, 1, Unnamed, Named, Unnamed},
    };
    struct Kind { const char* name; PlaneObject* (PickNames::*make)(); Seen Row::*expected; } kinds[] = {
        {"face", &PickNames::face, &Row::face}, {"plant", &PickNames::plant, &Row::plant},
        {"photo", &PickNames::photo, &Row::photo}};
    for (const Kind& k : kinds) {
        DeletePlaneObjectList(gGLPlaneObjects);
        PlaneObject* piece = (this->*k.make)();
        for (const Row& r : rows)
            EXPECT_EQ(seen(piece, r.pick, r.selecting, r.finding), r.*k.expected)
                << k.name << " " << int(r.pick) << int(r.selecting) << int(r.finding);
    }
    // The plants bit hides plants from every pick.
    DeletePlaneObjectList(gGLPlaneObjects);
    PlaneObject* hidden = plant();
    ds->renderValue |= hideflag::kPlants;
    EXPECT_EQ(seen(hidden, 1, 1, 1), NotDrawn);
}

}  // namespace

namespace {

// A plant and a photo built by the scene, seen from a walking eye 50 up, pitched 10 degrees
// down: the plant stands left of the view's middle 100 ahead, the photo's panel right of it.
class PlantAndPhoto : public Picks {
protected:
    void SetUp() override {
        Picks::SetUp();
        ds->cameraMode = 1, ds->cameraHeading = 0, ds->eyeHeight = 50, ds->navigationFlag = 1, ds->cameraValue = 10;
        ds->cameraPosition = {0, 0};
        gLiveViewPanelVisible = 1;
        plant = BuildLandscapePlant(GetFirstFloorLayer(), 1, 3000);
        ASSERT_NE(plant, nullptr);
        Move(plant, -40, -110);
        photo = BuildPhoto();
        ASSERT_NE(photo, nullptr);
        photo->firstPoint->position[0] = 10, photo->firstPoint->position[2] = -100;
        photo->firstPoint->next->position[0] = 40, photo->firstPoint->next->position[2] = -100;
        Make(photo).image("/no/such/picture.jpg");  // drawn plain white
        Update3DPhoto(photo);
        RenderAllLayers();
        RTInitializeGLScene();
        LiveViewRealTimeFrame();
    }
    // Shifts the object's points so its plan box starts at (h, d).
    static void Move(Objex* o, float h, float d) {
        const float dh = h - o->firstPoint->position[0], dd = d - o->firstPoint->position[2];
        for (Poinz* p = o->firstPoint; p; p = p->next) p->position[0] += dh, p->position[2] += dd;
        UpdateObjectBounds(o);
    }
    // The view point (top left origin) where the frame shows the scene point.
    POINT at(double x, double y, double z) {
        const WindowPoint w = ProjectToWindow(x, y, z);
        return {w.x, 64 - w.y};
    }
    Objex* plant = nullptr;
    Objex* photo = nullptr;
};

TEST_F(PlantAndPhoto, ASelectingPickDoesNothingAndAColourDroppedOnEitherReachesIt) {
    PlaneObject* billboard = nullptr;
    for (PlaneObject* p = gGLPlaneObjects; p; p = p->next)
        if (p->baseObject == plant) billboard = p;
    ASSERT_NE(billboard, nullptr);
    ASSERT_GT(billboard->plantHeight, 10);
    const double middle = -110 + billboard->plantHalfWidth;
    const POINT onPlant = at(-40 + billboard->plantHalfWidth, billboard->plantHeight / 2, middle);
    const POINT onPhoto = at(25, 30, -100);
    ASSERT_TRUE(onPlant.x > 2 && onPlant.x < 30 && onPhoto.x > 34 && onPhoto.x < 62) << onPlant.x << " " << onPhoto.x;

    // Selecting in 3D does nothing: on the plant or on the sky, the selection stays as it was.
    Make(photo).get()->firstPoint->selected = 1;
    EXPECT_EQ(Select3DObject(onPlant.x, onPlant.y), 0);
    EXPECT_FALSE(IsObjectSelected(plant));
    EXPECT_TRUE(IsObjectSelected(photo));
    EXPECT_EQ(Select3DObject(32, 1), 0);
    EXPECT_TRUE(IsObjectSelected(photo));

    // A colour lands in the plant's back side and on the photo.
    EXPECT_EQ(ApplyColor(onPlant.x, onPlant.y, 0x3380FF, 0, 0), 1);
    EXPECT_EQ(std::tuple(plant->firstPoint->color2.red, plant->firstPoint->color2.blue), std::tuple(0xFFFF, 0x3333));
    EXPECT_EQ(ApplyColor(onPhoto.x, onPhoto.y, 0x204060, 0, 0), 1);
    // The photo's own points keep it, so its panel, rebuilt from them, shows it still.
    for (Poinz* p = photo->firstPoint; p; p = p->next)
        EXPECT_EQ(std::tuple(p->color1.red, p->color2.blue), std::tuple(0x6060, 0x2020));
    ASSERT_NE(photo->firstPart, nullptr);
    EXPECT_EQ(photo->firstPart->firstPoint->color2.red, 0x6060);
}

}  // namespace
