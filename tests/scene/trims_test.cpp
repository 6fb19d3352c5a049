// Mouldings, paneling and custom profiles on wall faces, casings round doors, and the masks
// of roof openings.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/units.h"
#include "files/texture_files.h"
#include "scene/opening_casings.h"
#include "scene/roof_masks.h"
#include "scene/wall_trims.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
constexpr float kPi = std::numbers::pi_v<float>;

// A wall 6 inches thick with a door centred 25 along, 2 up, its trim 3 wide. Side 0 of its
// first segment (100 inches: 200 units) runs from B0 at H 200 back to B1 at the origin and
// its pieces stand off it towards +D; side 1 runs the other way.
class TrimsTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        wall = TrimmedWall(floor, 2);
        start = wall->firstPoint;
        door = Opening(wall, objtype::kDoor, 500, 0)->typeData.attachment;
        face = gCurPlaneObject = CreatePlaneObject();
        face->trimRecordField = &start->trim1;
        sides[0] =
            AddPlane(face, {{200, 0, 0}, {200, -192, 0}, {0, -192, 0}, {0, 0, 0}}, {0, 0, 1});
        sides[1] =
            AddPlane(face, {{0, 0, 0}, {0, -192, 0}, {200, -192, 0}, {200, 0, 0}}, {0, 0, -1});
        gBase2DObject = wall;
    }
    void TearDown() override {
        DeletePlaneObject(face), gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    std::vector<PlaneObject*> Trims(int32_t word, int32_t crown, int16_t side = 0) {
        DeletePlaneObjectList(face->trims);
        TrimRecord* r = side ? start->trim2 : start->trim1;
        r->slot[0] = word, r->slot[1] = crown;
        Plane* p = sides[side];
        AddWallFaceTrims(start, side, p, side ? 0 : kPi, 200, &p->vertices[3], p->vertices, 1);
        return PiecesOf(wall, face->trims);
    }
    // A profile 5 across and 7 deep, away from the origin; a door outline 40 up.
    static Objex* Profile() { return Make(8).at({{-3, 0, 2}, {2, 0, 2}, {2, 0, 9}}); }
    static Objex* Outline(float w) { return Make(29).at({{0, 0, 0}, {w, 0, 0}, {w, 40, 0}}); }
    Objex* wall = nullptr;
    Poinz* start = nullptr;
    AttachmentRecord* door = nullptr;
    PlaneObject* face = nullptr;
    Plane* sides[2] = {};
};

TEST_F(TrimsTest, MouldingStripsTakeTheirWordsHeightAndSlot) {
    objfield::wall_segment::kShape(*start) = 1; // a gable: the crown hangs from the first height
    struct Row {
        int32_t word, crown;
        int16_t units, kind;
        int slot;
        float lower, upper;
    };
    const Row rows[] = {{1 | 16, 0, kImperialUnits, 63, 0, 1, 9},
                        {2 | 16, 0, kMetricUnits, 63, 0, 1, 1 + ConvertCMToInches(10) * 2},
                        {0, 3, kImperialUnits, 159, 1, 181, 193},
                        {2048 | 8192, 0, kMetricUnits, 132, 4, 1, 1 + ConvertCMToInches(105) * 2}};
    TrimRecord* r = start->trim1;
    for (const auto& row : rows) {
        doc->itsDocState->units = row.units;
        const auto trims = Trims(row.word, row.crown);
        ASSERT_EQ(trims.size(), 1u);
        const PlaneObject* t = trims[0];
        const PlaneVertex* v = t->planes->vertices;
        float h = 0;
        ComputeTextureScale(r->texture[row.slot], 200, row.upper - row.lower, &h, &h);
        EXPECT_TRUE(Near(
            {t->pieceKind, v[0].H, v[0].V, v[0].D, v[2].H, v[2].V, v[2].u, t->frontTexture,
             t->backRepeat[1]},
            {row.kind, 0, -row.lower, 0.75, 200, -row.upper, 1, r->texture[row.slot], h}, 1e-4));
        EXPECT_TRUE(Same({t->backTextureField, t->frontScaleField, t->trimRecordField},
                         {&r->texture[row.slot], r->scale[row.slot], &start->trim1}));
    }
}

TEST_F(TrimsTest, PanelingLaysRailsAndStilesOutByTheirSpacing) {
    auto trims = Trims(4 | 256, 0); // 42 inches on a face 100 long
    ASSERT_EQ(trims.size(), 3u);
    EXPECT_TRUE(Near({PlanesOf(trims[0]).size(), PlanesOf(trims[1]).size(),
                      PlanesOf(trims[2]).size(), trims[1]->frontTexture},
                     {1, 9, 15, start->trim1->texture[2]}));
    for (int i = 0; i < 3; ++i) { // rail bottoms 0, 19, 38 inches up; stiles 24 apart from B0
        const PlaneVertex& rail = PlanesOf(trims[1])[3 * i]->vertices[0];
        EXPECT_TRUE(Near({rail.V, rail.D, PlanesOf(trims[2])[3 * i]->vertices[3].H},
                         {-1 - 38 * i, 1.9, 200 - 48 * i}, 1e-4));
    }
    EXPECT_TRUE(NormalsPerpendicular(trims));

    gPanelingHeight = 20;
    DeletePlaneObjectList(face->trims);
    CreatePaneling(start->trim1, sides[0], kPi, 200, &sides[0]->vertices[3], sides[0]->vertices,
                   192, 1, 0, 0, 64);
    EXPECT_EQ(PlanesOf(PiecesOf(wall, face->trims).at(1)).size(), 6u); // two rails
}

TEST_F(TrimsTest, CustomWallProfilesStandOnTheFloorOrHangFromTheTopOncePerWord) {
    for (TrimRecord* r : {start->trim1, start->trim2})
        r->profile[0] = Profile(), r->profile[1] = Profile();
    start->baseElevation = 10;
    for (int16_t side : {0, 1}) {
        // Per word two faces of the three-point profile, then its shape at both free ends.
        const auto trims = Trims(0x10000, 0x10000, side);
        ASSERT_EQ(trims.size(), 8u);
        const TrimRecord* r = side ? start->trim2 : start->trim1;
        const PlaneVertex *base = trims[2]->planes->vertices, *crown = trims[6]->planes->vertices;
        // The base's bottom on the floor (10.5 inches up), the crown's top at the segment's;
        // 5 off the wall towards the face's side: +D on side 0, mirrored on side 1.
        const float out = side ? -5 : 5;
        EXPECT_TRUE(Near({base[0].V, base[1].D, base[2].V, base[2].D, base[0].H, crown[0].V,
                          VertexCount(trims[2]), trims[0]->pieceKind},
                         {-28, out, -21, out, 0, -(1 + 192 + 20), 3, 63}, 1e-4));
        EXPECT_TRUE(Same({trims[0]->frontTextureField, trims[4]->backScaleField, trims[7]->trimRecordField},
                         {&r->texture[0], r->scale[1], &start->trim1}));
    }
    EXPECT_EQ(sides[1]->vertices[3].H, 200); // the reversed side's ends are given back
}

TEST_F(TrimsTest, CasingsSweepTheirProfileRoundCopiesOfEveryOutline) {
    AppendObjectToList(door->customParts[0], Outline(15), nullptr);
    AppendObjectToList(door->customParts[0], Outline(15), nullptr);
    start->selected = 1;
    DocState* ds = doc->itsDocState;
    ds->viewKind = 2;
    const int16_t curves = ds->curveSegments;
    // The outline's own band (the last of three, two edges each) on the back face, 6 off the
    // wall's centre, at the door's centre 25 along, under the level 3.
    auto inner = [](int kind, int outline, int edge) {
        return PiecesOfKind(kind).at(outline * 6 + 4 + edge)->planes->vertices;
    };
    ApplyStandardTrimToDoorWin(0, door, 1, 0, 1);
    ASSERT_EQ(PiecesOfKind(2).size(), 12u);
    for (int outline : {0, 1})
        EXPECT_TRUE(Near({inner(2, outline, 0)[3].H, inner(2, outline, 0)[2].H, inner(2, outline, 0)[3].V,
                          inner(2, outline, 1)[2].V, inner(2, outline, 0)[3].D},
                         {25, 40, -3, 37, -6}, 1e-4));
    EXPECT_TRUE(Near({door->customParts[0]->firstPoint->next->position[0], PiecesOfKind(2)[0]->backTexture},
                     {15, door->outsideTrimTexture}));

    // A custom door fits its definition's size (15 by 40) to its own (30 by 80) on its
    // segment's base; a size of 0 leaves that axis alone.
    door->style = 512;
    start->baseElevation = 10;
    for (bool flat : {false, true}) {
        DeleteObjectList(door->customParts[0]);
        door->customParts[0] = Outline(flat ? 0 : 15);
        DeleteAllRendererObjects();
        ApplyStandardTrimToDoorWin(0, door, 0, 1, 1);
        ASSERT_EQ(PiecesOfKind(1).size(), 6u);
        EXPECT_TRUE(Near({inner(1, 0, 0)[2].H, inner(1, 0, 1)[2].V, inner(1, 0, 0)[3].D},
                         {flat ? 25.0f : 55.0f, 80 - 23, 6}, 1e-4));
    }
    EXPECT_TRUE(Near({ds->viewKind, ds->curveSegments, start->selected,
                      SelectedPointCount(door->customParts[0])},
                     {2, curves, 1, 0}));

    // A custom profile takes the trim width (6) as its depth; without an inside profile to
    // measure, the inside casing keeps the depth as drawn (7): the outer contour's distance.
    door->outsideTrimProfile = Profile();
    for (int16_t side : {1, 0}) {
        DeleteAllRendererObjects();
        ApplyCustomTrimToDoorWin(door->outsideTrimProfile, 0, door, side, 0, 1);
        const PlaneVertex* outer = PiecesOfKind(1 + side).at(2)->planes->vertices;
        EXPECT_NEAR(std::fabs(outer[0].V - outer[3].V), side ? 6 : 7, 1e-4);
    }
    EXPECT_FLOAT_EQ(door->outsideTrimProfile->bounds3D.floatFront, 9);
}

TEST_F(TrimsTest, RoofOpeningsMaskTheFaceOfTheirOwnSectionTheUpperOneTwelveHigher) {
    Objex* sky = nullptr;
    Objex* roof = RoofWithSkylight(floor, 800, &sky); // section 11, a skylight of four points
    Make(objtype::kRoofCutout).at({{200, -40, 0}, {240, -40, 0}, {240, -40, 40}}).in(roof);
    face->sourceObject = roof;
    float lowerY = 0;
    for (int16_t mode : {0, 1}) {
        DeletePlaneObjectList(face->masks);
        DeleteAllRendererObjects();
        CarveAllRoofPanelAttachments(roof, sides[0], mode);
        const auto masks = PiecesOf(wall, face->masks);
        ASSERT_EQ(masks.size(), 2u);
        const PlaneVertex& v = masks[0]->planes->vertices[1];
        EXPECT_TRUE(Near({masks[0]->pieceKind, masks[1]->pieceKind, VertexCount(masks[0]),
                          masks[0]->renderClass, v.H, v.D, v.u, masks[0]->planes->nz},
                         {160, 166, 4, 2, 140, 100, 1, 0.99}, 1e-6));
        EXPECT_FLOAT_EQ(v.V, mode ? lowerY - 12 : v.V);
        lowerY = v.V;
        // Each face frames the skylight with its own curb: two rings of bands and the caps
        // between; the cut-out without a record gets none.
        EXPECT_TRUE(Near({PiecesOf(wall).size(), PiecesOfKind(mode ? 4 : 5).size(),
                          PiecesOfKind(mode ? 1 : 2).size()},
                         {12, 8, 4}));
    }

    // A custom skylight masks and frames each opening piece built where it stands, not its
    // definition's; another section's face gets nothing.
    RoofAttachmentRecord* r = sky->typeData.roofAttachment;
    r->style = 806;
    for (int16_t type : {objtype::kOpeningMask, objtype::kOpeningMask, int16_t{19}})
        AppendObjectToList(r->customParts, Part(type), sky);
    AppendObjectToList(r->partLists[0], Part(objtype::kOpeningMask), sky);
    DeletePlaneObjectList(face->masks);
    DeleteAllRendererObjects();
    CarveAllRoofAttachments(roof, sides[0], 12, 1);
    EXPECT_TRUE(!face->masks && !gGLPlaneObjects);
    CarveAllRoofAttachments(roof, sides[0], 11, 1);
    ASSERT_EQ(PiecesOf(wall, face->masks).size(), 2u); // a cut-out without a record: none
    EXPECT_EQ(PiecesOfKind(4).size(), 12u);             // two triangles' bands, inside and out

    // With no face under construction the mask is freed, never attached or appended.
    DeleteAllRendererObjects();
    gCurPlaneObject = nullptr;
    CarveRoofAttachment(sky, sides[0], 0, 160);
    EXPECT_TRUE(PiecesOf(wall, face->masks).size() == 2u && !gGLPlaneObjects);
}

} // namespace
