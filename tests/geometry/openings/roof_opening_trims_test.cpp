// The curbs round skylights and the bands round dormer cut-outs, against corners worked out by
// hand. The section (subtype 11) has a = 0, b = 0.5, c = 1, d = 100, e = -12: its surface lies
// at V = 112 - D / 2. The skylight is the square H 80..120, D 60..100 with a trim 2 wide, so
// its grown ring is H 78..122, D 58..102.
#include <gtest/gtest.h>

#include <functional>

#include "geometry/openings/roof_opening_trims.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/type_data.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;

constexpr RGBColor kNone{0xFFFF, 0xFFFF, 0xFFFF};
float Surface(float d) { return 112 - d / 2; }

class RoofOpeningTrims : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        roof = SectionedRoof(floor, {RoofSection({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 11, {0, 0.5f, 100, -12})});
        sky = Attachment(objtype::kSkylight, {{80, 60}, {120, 60}, {120, 100}, {80, 100}});
        r = sky->typeData.roofAttachment;
        r->style = 800, r->trimWidth = 2;
        r->texture1 = 2218, r->textureScale1[0] = 100, r->textureScale1[1] = 100, r->color1 = {28784, 28784, 28784};
        r->texture2 = 2219, r->textureScale2[0] = 90, r->textureScale2[1] = 110, r->color2 = kNone;
        face = gCurPlaneObject = CreatePlaneObject();
        face->sourceObject = gBase2DObject = roof;
    }
    void TearDown() override {
        DeleteAllRendererObjects(), DeletePlaneObject(face);
        gCurPlaneObject = nullptr, gBase2DObject = nullptr;
        SelectionTest::TearDown();
    }
    Objex* Attachment(int16_t type, PlanPoints outline) {
        auto* record = new RoofAttachmentRecord{};
        record->ownerType = type;
        record->sectionSubtype = 11;
        Objex* o = Outline(type, outline).with(record).in(roof);
        record->attachment = o;
        return o;
    }
    // The pieces of one build (those of the one before are freed).
    std::vector<PlaneObject*> Built(const std::function<void()>& build) {
        DeleteAllRendererObjects();
        build();
        return PiecesOf(roof);
    }
    Objex* roof = nullptr;
    Objex* sky = nullptr;
    RoofAttachmentRecord* r = nullptr;
    PlaneObject* face = nullptr;
};

// Corner k of a piece: plan position and height above the surface there.
::testing::AssertionResult Corner(const PlaneObject* p, int k, float h, float d, float rise) {
    const PlaneVertex& v = p->planes->vertices[k];
    return Near({v.H, v.D, v.V}, {h, d, Surface(d) - rise}, 1e-4);
}

TEST_F(RoofOpeningTrims, SkylightCurbsRingTheOutlineOnEitherSurface) {
    const float inner[4][2] = {{80, 60}, {120, 60}, {120, 100}, {80, 100}};
    const float outer[4][2] = {{78, 58}, {122, 58}, {122, 102}, {78, 102}};
    Objex* part = Outline(objtype::kOpeningMask, {{80, 60}, {120, 60}, {120, 100}, {80, 100}});
    struct Row {
        const char* what;
        std::function<void()> build;
        uint16_t band, cap;
        float head;  // the trim's top above the surface (the foot is 12 above)
        int32_t* texture;
        RGBColor* colour;
    };
    const Row rows[] = {
        {"top", [&] { BuildTopSkylightTrimPlanes(sky); }, 4, 1, 16, &r->texture1, &r->color1},
        {"bottom", [&] { BuildBottomSkylightTrimPlanes(sky); }, 5, 2, -2, &r->texture2, &r->color2},
        {"custom top", [&] { BuildTopCustomSkylightTrimPlanes(sky, part); }, 4, 1, 16, &r->texture1, &r->color1},
        {"custom bottom", [&] { BuildBottomCustomSkylightTrimPlanes(sky, part); }, 5, 2, -2, &r->texture2, &r->color2},
    };
    for (const Row& row : rows) {
        const auto pieces = Built(row.build);
        ASSERT_EQ(pieces.size(), 12u) << row.what;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            for (int ring = 0; ring < 2; ++ring) {
                const auto& at = ring ? outer : inner;
                const PlaneObject* band = pieces[4 * ring + i];
                EXPECT_TRUE(Corner(band, 0, at[i][0], at[i][1], 12) && Corner(band, 1, at[j][0], at[j][1], 12) &&
                            Corner(band, 2, at[j][0], at[j][1], row.head) &&
                            Corner(band, 3, at[i][0], at[i][1], row.head) && band->pieceKind == row.band)
                    << row.what << " ring " << ring << " edge " << i;
            }
            const PlaneObject* cap = pieces[8 + i];
            EXPECT_TRUE(Corner(cap, 0, outer[i][0], outer[i][1], row.head) &&
                        Corner(cap, 1, outer[j][0], outer[j][1], row.head) &&
                        Corner(cap, 2, inner[j][0], inner[j][1], row.head) &&
                        Corner(cap, 3, inner[i][0], inner[i][1], row.head) && cap->pieceKind == row.cap)
                << row.what << " cap " << i;
        }
        const PlaneObject* p = pieces[5];
        EXPECT_TRUE(Near({p->frontTexture, p->backTexture, p->frontColor.red, p->backColor.red},
                         {*row.texture, *row.texture, row.colour->red, row.colour->red}))
            << row.what;
        EXPECT_TRUE(Same({p->frontTextureField, p->backColorField, p->sourceObject, p->object3D},
                         {row.texture, row.colour, roof, sky}))
            << row.what;
    }
    DeleteObj(part);

    // A material dropped on the lower curb lands in the record's second slot.
    PlaneObject* lower = Built([&] { BuildBottomSkylightTrimPlanes(sky); }).front();
    *lower->frontTextureField = 2301, lower->backScaleField[1] = 60;
    EXPECT_TRUE(Near({r->texture2, r->textureScale2[1], lower->frontTextureSize[0]}, {2301, 60, 90}));
    EXPECT_TRUE(NormalsPerpendicular(PiecesOf(roof)));
}

TEST_F(RoofOpeningTrims, ASectionNumberNoPieceHasFallsBackToTheRoofsOwnPlane) {
    r->sectionSubtype = 13;
    const float own[5] = {0, 0, 1, 50, 0};  // flat at V 50
    std::copy(own, own + 5, roof->sectionPlane);
    const auto pieces = Built([&] { BuildTopSkylightTrimPlanes(sky); });
    ASSERT_EQ(pieces.size(), 12u);
    EXPECT_TRUE(Near({pieces[0]->planes->vertices[0].V, pieces[6]->planes->vertices[3].V}, {38, 34}));
}

TEST_F(RoofOpeningTrims, DormerCutoutsGetABandTwelveHighOnEveryEdgeWithNoColour) {
    Objex* cutout = Attachment(objtype::kRoofCutout, {{20, 20}, {60, 20}, {60, 40}, {20, 40}});
    const auto pieces = Built([&] { BuildDormerCutoutTrimPlanes(cutout); });
    ASSERT_EQ(pieces.size(), 4u);
    const float at[4][2] = {{20, 20}, {60, 20}, {60, 40}, {20, 40}};
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const PlaneObject* p = pieces[i];
        EXPECT_TRUE(Corner(p, 0, at[i][0], at[i][1], 0) && Corner(p, 1, at[j][0], at[j][1], 0) &&
                    Corner(p, 2, at[j][0], at[j][1], 12) && Corner(p, 3, at[i][0], at[i][1], 12));
        EXPECT_TRUE(Near({p->pieceKind, p->frontColor.green, p->backColor.blue}, {6, 0xFFFF, 0xFFFF}));
        EXPECT_TRUE(Same({p->frontColorField, p->backColorField, p->object3D}, {nullptr, nullptr, cutout}));
    }
}

TEST_F(RoofOpeningTrims, WhatCannotBeFramedBuildsNothing) {
    Objex* panel = PanelRoof(floor, {{300, 0}, {400, 0}, {400, 100}, {300, 100}}, {0, 0, 10, 0});
    struct Row {
        const char* what;
        std::function<void()> change, undo;
    };
    Objex* slab = panel->typeData.roofPanels;
    const Row rows[] = {
        {"no record", [&] { sky->typeData.roofAttachment = nullptr; }, [&] { sky->typeData.roofAttachment = r; }},
        {"no parent", [&] { sky->parent = nullptr; }, [&] { sky->parent = roof; }},
        {"a freehand roof without its slab", [&] { sky->parent = panel, panel->typeData.roofPanels = nullptr; },
         [&] { sky->parent = roof, panel->typeData.roofPanels = slab; }},
        {"one point", [&] { DeleteObjectPoints(sky), Make(sky).plan({{90, 70}}); },
         [&] { DeleteObjectPoints(sky), Make(sky).plan({{80, 60}, {120, 60}, {120, 100}, {80, 100}}); }},
        {"no face under construction", [&] { gCurPlaneObject = nullptr; }, [&] { gCurPlaneObject = face; }},
        {"a face without a source", [&] { face->sourceObject = nullptr; }, [&] { face->sourceObject = roof; }},
    };
    for (const Row& row : rows) {
        row.change();
        BuildTopSkylightTrimPlanes(sky);
        BuildBottomCustomSkylightTrimPlanes(sky, sky);
        BuildDormerCutoutTrimPlanes(sky);
        EXPECT_EQ(gGLPlaneObjects, nullptr) << row.what;
        row.undo();
    }
    // A plane that cannot be made frees the corners it was given.
    for (int32_t count : {0, 4}) {
        PolygonVertex* v = nullptr;
        int32_t bytes = 0;
        StorePolyPoint(&v, 0, 0, 0, &bytes, 0, 0, 0);
        EXPECT_EQ(CreateRoofAttachmentTrimPlane(count ? nullptr : r, v, count, 1, 1), nullptr);
    }
    EXPECT_EQ(gGLPlaneObjects, nullptr);
}

TEST_F(RoofOpeningTrims, RenderingARoofLeavesItsSkylightsCurbsAmongItsPieces) {
    DeletePlaneObject(face), face = gCurPlaneObject = nullptr, gBase2DObject = nullptr;
    RegisterLiveView(true);
    Objex* built = nullptr;
    Objex* roofWithSky = RoofWithSkylight(floor, 800, &built);
    ReRenderObject(roofWithSky);
    std::vector<int> kinds(7);
    for (const PlaneObject* p : PiecesOf(roofWithSky))
        if (p->object3D == built && p->pieceKind < kinds.size()) ++kinds[p->pieceKind];
    EXPECT_EQ(kinds, (std::vector<int>{0, 4, 4, 0, 8, 8, 0}));
}

}  // namespace
