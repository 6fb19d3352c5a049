// Skylights and dormer cut-outs mask the roof face under construction and ask for their trims.
#include <gtest/gtest.h>

#include "scene/roof_masks.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"

namespace {

using namespace dvxtest;

// A roof in section 11 with a four-point skylight and a dormer cut-out, its face being built.
class RoofMasksTest : public SelectionTest {
  protected:
    void SetUp() override {
        SelectionTest::SetUp();
        roof = RoofWithSkylight(floor, 800, &sky);
        auto* record = new RoofAttachmentRecord{};
        record->ownerType = objtype::kRoofCutout, record->sectionSubtype = 11;
        cutout = Make(objtype::kRoofCutout).at({{200, -40, 0}, {240, -40, 0}, {240, -40, 40}, {200, -40, 40}})
                     .with(record).in(roof);
        gBase2DObject = roof;
        face = gCurPlaneObject = CreatePlaneObject();
        plane = AddPlane(face, {{0, 0, 0}, {400, 0, 0}, {400, -100, 300}}, {0, -0.6f, 0.8f});
    }
    void TearDown() override {
        DeletePlaneObject(face), gCurPlaneObject = nullptr;
        SelectionTest::TearDown();
    }
    std::vector<PlaneObject*> Masks() {
        std::vector<PlaneObject*> out;
        for (PlaneObject* m = face->masks; m; m = m->next) out.push_back(m);
        return out;
    }
    Objex *roof = nullptr, *sky = nullptr, *cutout = nullptr;
    PlaneObject* face = nullptr;
    Plane* plane = nullptr;
};

TEST_F(RoofMasksTest, SkylightsAndCutoutsMaskBothFacesTheUpperOneTwelveHigher) {
    TrimRecorder trims;
    float lowerY = 0;
    for (int16_t mode : {0, 1}) {
        DeletePlaneObjectList(face->masks);
        trims.calls.clear();
        CarveAllRoofPanelAttachments(roof, plane, mode);
        const auto masks = Masks();
        ASSERT_EQ(masks.size(), 2u);
        const PlaneVertex& v = masks[0]->planes->vertices[1];
        EXPECT_TRUE(Near({masks[0]->pieceKind, masks[1]->pieceKind, VertexCount(masks[0]), masks[0]->renderClass,
                          v.H, v.D, v.u, masks[0]->planes->ny, masks[0]->planes->nz},
                         {160, 166, 4, 2, 140, 100, 1, -0.6, 0.8}, 1e-6));
        if (mode == 0) lowerY = v.V;
        else EXPECT_FLOAT_EQ(v.V, lowerY - 12);
        std::string names;
        for (const auto& c : trims.calls) names += c.name + " ";
        EXPECT_EQ(names, mode ? "BuildTopSkylightTrimPlanes " : "BuildBottomSkylightTrimPlanes BuildDormerCutoutTrimPlanes ");
        EXPECT_EQ(trims.calls[0].object, sky);
    }
}

TEST_F(RoofMasksTest, CustomSkylightsMaskEachOpeningPieceOfTheirOwnSection) {
    TrimRecorder trims;
    RoofAttachmentRecord* r = sky->typeData.roofAttachment;
    r->style = 806;
    for (int16_t type : {objtype::kOpeningMask, objtype::kOpeningMask, int16_t{19}})
        AppendObjectToList(r->partLists[0], Part(type));
    CarveAllRoofAttachments(roof, plane, 12, 1);
    EXPECT_TRUE(Masks().empty() && trims.calls.empty());
    CarveAllRoofAttachments(roof, plane, 11, 1);
    ASSERT_EQ(Masks().size(), 3u); // two pieces and the cut-out
    EXPECT_TRUE(Near({Masks()[0]->pieceKind, VertexCount(Masks()[1]), trims.calls.size()}, {160, 3, 2}));
    EXPECT_TRUE(Same({trims.calls[0].object, trims.calls[0].part, trims.calls[1].part},
                     {sky, r->partLists[0], r->partLists[0]->next}));

    // With no face under construction the mask is freed, never attached or appended.
    gCurPlaneObject = nullptr;
    CarveRoofAttachment(sky, plane, 0, 160);
    EXPECT_TRUE(Masks().size() == 3u && !gGLPlaneObjects);
}

} // namespace
