// Curbs round skylights and bands round dormer cut-outs, against corners worked out by hand. The
// section (11) lies at V = 112 - D / 2; the skylight is the square H 80..120, D 60..100 with a
// trim 2 wide, so its grown ring is H 78..122, D 58..102.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "scene/roof_opening_trims.h"
#include "geometry/elements/skylight_symbols.h"
#include "model/deletion.h"
#include "model/object_types.h"
#include "model/type_data.h"
#include "scene/scene_build.h"
#include "support/scene_checks.h"

namespace {

using namespace dvxtest;
using Ring = std::vector<std::pair<float, float>>;
const Ring kInner{{80, 60}, {120, 60}, {120, 100}, {80, 100}}, kOuter{{78, 58}, {122, 58}, {122, 102}, {78, 102}};

class RoofOpeningTrims : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        roof = SectionedRoof(floor, {RoofSection({{0, 0}, {200, 0}, {200, 200}, {0, 200}}, 11, {0, 0.5f, 100, -12})});
        sky = Attachment(objtype::kSkylight, {{80, 60}, {120, 60}, {120, 100}, {80, 100}});
        r->trimWidth = 2, r->texture1 = 2218, r->color1 = {28784, 28784, 28784};
        r->texture2 = 2219, r->textureScale2[0] = 90, r->textureScale2[1] = 110, r->color2 = {1, 2, 3};
        face = gCurPlaneObject = CreatePlaneObject();
        face->sourceObject = gBase2DObject = roof;
    }
    void TearDown() override {
        DeleteAllRendererObjects(), DeletePlaneObject(face), gCurPlaneObject = nullptr, gBase2DObject = nullptr;
        SelectionTest::TearDown();
    }
    Objex* Attachment(int16_t type, PlanPoints outline) {
        r = new RoofAttachmentRecord{};
        r->ownerType = type, r->sectionSubtype = 11;
        return r->attachment = Outline(type, outline).with(r).in(roof);
    }
    // The pieces of one build (those of the one before are freed).
    std::vector<PlaneObject*> Built(const std::function<void()>& build) {
        DeleteAllRendererObjects(), build();
        return PiecesOf(roof);
    }
    Objex* roof = nullptr;
    Objex* sky = nullptr;
    RoofAttachmentRecord* r = nullptr;
    PlaneObject* face = nullptr;
};

// A piece's four corners: from a to b at `low` above the surface, back at `high` (cap: c to d).
::testing::AssertionResult Quad(const PlaneObject* p, Ring at, float low, float high, float surface = -1) {
    for (int k = 0; k < 4; ++k) {
        const PlaneVertex& v = p->planes->vertices[k];
        const float s = surface >= 0 ? surface : 112 - at[k].second / 2;
        const float want[3] = {at[k].first, s - (k < 2 ? low : high), at[k].second};
        if (std::fabs(v.H - want[0]) + std::fabs(v.V - want[1]) + std::fabs(v.D - want[2]) > 1e-4)
            return ::testing::AssertionFailure() << "corner " << k << " at " << v.H << ", " << v.V << ", " << v.D;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(RoofOpeningTrims, SkylightCurbsRingTheOutlineOnEitherSurface) {
    Objex* part = Outline(objtype::kOpeningMask, {{80, 60}, {120, 60}, {120, 100}, {80, 100}});
    const std::function<void()> builds[] = {[&] { BuildTopSkylightTrimPlanes(sky); }, [&] { BuildBottomSkylightTrimPlanes(sky); },
                                            [&] { BuildTopCustomSkylightTrimPlanes(sky, part); },
                                            [&] { BuildBottomCustomSkylightTrimPlanes(sky, part); }};
    for (int row = 0; row < 4; ++row) {
        const bool top = row % 2 == 0;
        const float head = top ? 16 : -2;  // the trim's top above the surface; the foot is 12 above
        const auto pieces = Built(builds[row]);
        ASSERT_EQ(pieces.size(), 12u) << row;
        for (int i = 0, j = 1; i < 4; ++i, j = (i + 1) % 4) {
            EXPECT_TRUE(Quad(pieces[i], {kInner[i], kInner[j], kInner[j], kInner[i]}, 12, head)) << row << i;
            EXPECT_TRUE(Quad(pieces[4 + i], {kOuter[i], kOuter[j], kOuter[j], kOuter[i]}, 12, head)) << row << i;
            EXPECT_TRUE(Quad(pieces[8 + i], {kOuter[i], kOuter[j], kInner[j], kInner[i]}, head, head)) << row << i;
            EXPECT_TRUE(Near({pieces[i]->pieceKind, pieces[8 + i]->pieceKind}, {top ? 4 : 5, top ? 1 : 2}));
        }
        const PlaneObject* p = pieces[5];
        EXPECT_TRUE(Near({p->backTexture, p->frontColor.red}, {top ? 2218 : 2219, top ? 28784 : 1}));
        EXPECT_TRUE(Same({p->frontTextureField, p->backColorField, p->object3D},
                         {top ? &r->texture1 : &r->texture2, top ? &r->color1 : &r->color2, sky}));
    }
    DeleteObj(part);

    // A material dropped on the lower curb lands in the record's second slot.
    PlaneObject* lower = Built([&] { BuildBottomSkylightTrimPlanes(sky); }).front();
    *lower->frontTextureField = 2301, lower->backScaleField[1] = 60;
    EXPECT_TRUE(Near({r->texture2, r->textureScale2[1], lower->frontTextureSize[0]}, {2301, 60, 90}));

    // A section number no piece has: the roof's own plane, flat at V 50.
    r->sectionSubtype = 13;
    std::fill(roof->sectionPlane, roof->sectionPlane + 5, 0.0f);
    roof->sectionPlane[2] = 1, roof->sectionPlane[3] = 50;
    EXPECT_TRUE(Quad(Built([&] { BuildTopSkylightTrimPlanes(sky); })[0], {kInner[0], kInner[1], kInner[1], kInner[0]}, 12, 16, 50));
}

TEST_F(RoofOpeningTrims, DormerCutoutsGetABandTwelveHighOnEveryEdgeWithNoColour) {
    Objex* cutout = Attachment(objtype::kRoofCutout, {{80, 60}, {120, 60}, {120, 100}, {80, 100}});
    const auto pieces = Built([&] { BuildDormerCutoutTrimPlanes(cutout); });
    ASSERT_EQ(pieces.size(), 4u);
    for (int i = 0, j = 1; i < 4; ++i, j = (i + 1) % 4) {
        EXPECT_TRUE(Quad(pieces[i], {kInner[i], kInner[j], kInner[j], kInner[i]}, 0, 12)) << i;
        EXPECT_TRUE(Near({pieces[i]->pieceKind, pieces[i]->frontColor.green, pieces[i]->backColor.blue}, {6, 0xFFFF, 0xFFFF}));
        EXPECT_TRUE(Same({pieces[i]->frontColorField, pieces[i]->object3D}, {nullptr, cutout}));
    }
}

TEST_F(RoofOpeningTrims, WhatCannotBeFramedBuildsNothing) {
    Objex* panel = PanelRoof(floor, {{300, 0}, {400, 0}, {400, 100}, {300, 100}}, {0, 0, 10, 0});
    Objex* slab = panel->typeData.roofPanels;
    struct Row {
        std::function<void(bool)> set;  // true: broken, false: as it was
    } rows[] = {{[&](bool b) { sky->typeData.roofAttachment = b ? nullptr : r; }},
                {[&](bool b) { sky->parent = b ? nullptr : roof; }},
                {[&](bool b) { sky->parent = b ? panel : roof, panel->typeData.roofPanels = b ? nullptr : slab; }},
                {[&](bool b) { DeleteObjectPoints(sky), Make(sky).plan(b ? PlanPoints{{90, 70}} : PlanPoints{{80, 60}, {120, 60}, {120, 100}}); }},
                {[&](bool b) { gCurPlaneObject = b ? nullptr : face; }},
                {[&](bool b) { face->sourceObject = b ? nullptr : roof; }}};
    for (int i = 0; const Row& row : rows) {
        row.set(true);
        BuildTopSkylightTrimPlanes(sky), BuildBottomCustomSkylightTrimPlanes(sky, sky), BuildDormerCutoutTrimPlanes(sky);
        EXPECT_EQ(gGLPlaneObjects, nullptr) << i++;
        row.set(false);
    }
    // A plane that cannot be made frees the corners it was given.
    for (int32_t count : {0, 4}) {
        PolygonVertex* v = nullptr;
        int32_t bytes = 0;
        StorePolyPoint(&v, 0, 0, 0, &bytes, 0, 0, 0);
        EXPECT_EQ(CreateRoofAttachmentTrimPlane(count ? nullptr : r, v, count, 1, 1), nullptr);
    }
    EXPECT_EQ(Built([&] { BuildTopSkylightTrimPlanes(sky); }).size(), 9u);  // the triangle left by the last row
}

TEST_F(RoofOpeningTrims, RenderingARoofLeavesItsSkylightsCurbsAmongItsPieces) {
    DeletePlaneObject(face), face = gCurPlaneObject = nullptr, gBase2DObject = nullptr;
    RegisterLiveView(true);
    Objex* built = nullptr;
    Objex* roofWithSky = RoofWithSkylight(floor, 800, &built);
    CreateSkylightFillerPlane(built, 1), CreateSkylightFillerPlane(built, 0);
    ReRenderObject(roofWithSky);
    std::vector<int> kinds(7);
    int fillers = 0;
    for (const PlaneObject* p : PiecesOf(roofWithSky)) {
        if (p->object3D != built) continue;
        if (p->pieceKind < kinds.size()) ++kinds[p->pieceKind];
        fillers += p->pieceKind == objtype::kFrameGroup;
    }
    EXPECT_EQ(kinds, (std::vector<int>{0, 4, 4, 0, 8, 8, 0}));
    EXPECT_EQ(fillers, 2) << "the two filler planes a pick over the opening finds";

    // A custom skylight's frame and lens stand where it was placed (its definition's 5 x 7
    // pieces drawn at 40 x 60 about (120, 130), the frame's band a little wider), none where
    // the definition has them.
    RoofAttachmentRecord* custom = built->typeData.roofAttachment;
    custom->style = 806;
    const int16_t definition[] = {objtype::kOpeningMask, objtype::kWindowSeparator, objtype::kDoorHardware};
    for (int i = 0; i < 3; ++i) custom->partLists[i] = Part(definition[i]);
    CreateCustomSkylightSymbols(built, 120, 130, 90);
    ReRenderObject(roofWithSky);
    std::map<int, int> pieces;
    for (const PlaneObject* p : PiecesOf(roofWithSky)) {
        if (p->object3D != built || p->pieceKind < kinds.size()) continue;
        ++pieces[p->pieceKind];
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i)
                EXPECT_TRUE(plane->vertices[i].H > 80 && plane->vertices[i].H < 160 && plane->vertices[i].D > 80 &&
                            plane->vertices[i].D < 180)
                    << "a piece of kind " << p->pieceKind << " at " << plane->vertices[i].H << ", " << plane->vertices[i].D;
    }
    EXPECT_TRUE(pieces[objtype::kWindowSeparator] > 0 && pieces[objtype::kDoorHardware] > 0 && pieces[objtype::kFrameGroup] == 2);
}

}  // namespace
