// The lot's plain geometry without GL: which cut-outs may cut the ground, which patches they
// touch, their trims in a patch's parameter square, and the ground's and backdrop's colours,
// against values worked out by hand.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/docstate.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/preferences.h"
#include "model/view_layers.h"
#include "render/core/lot_surface.h"
#include "render/core/plane_material.h"
#include "render/core/render_state.h"
#include "render/core/topo_cutouts.h"
#include "scene/topo_grid.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class LotSurface : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        floor = GetFirstFloorLayer();
        ds = doc->itsDocState;
    }
    Objex* excavation(float h0, float d0, float h1, float d1, Objex* parent = nullptr) {
        Make m = Outline(objtype::kExcavation, {{h0, d0}, {h1, d0}, {h1, d1}, {h0, d1}}, true,
                         objsubtype::kExcavation);
        return parent ? m.in(parent).get() : m.on(floor).get();
    }
    Layer* floor = nullptr;
    DocState* ds = nullptr;
};

TEST_F(LotSurface, SelectionLeavesOutCrossedNestedAndSmallerOverlappingCutouts) {
    struct Row {
        const char* name;
        std::function<std::vector<std::pair<Objex*, int16_t>>(LotSurface&)> build;
    };
    auto* self = this;
    const Row rows[] = {
        {"self-crossing outline", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* bow = Outline(objtype::kExcavation, {{0, 0}, {100, 100}, {100, 0}, {0, 100}}).on(self->floor);
             return {{bow, kCutoutExcluded}};
         }},
        {"overlap: the smaller goes", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* small = self->excavation(0, 0, 100, 100);
             Objex* large = self->excavation(50, 50, 250, 250);
             return {{small, kCutoutExcluded}, {large, kCutoutUsable}};
         }},
        {"overlap, larger first", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* large = self->excavation(50, 50, 250, 250);
             Objex* small = self->excavation(0, 0, 100, 100);
             return {{small, kCutoutExcluded}, {large, kCutoutUsable}};
         }},
        {"nested: the inner goes", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* inner = self->excavation(100, 100, 150, 150);
             Objex* outer = self->excavation(0, 0, 300, 300);
             return {{inner, kCutoutExcluded}, {outer, kCutoutUsable}};
         }},
        {"apart: both cut", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             return {{self->excavation(0, 0, 50, 50), kCutoutUsable}, {self->excavation(100, 0, 150, 50), kCutoutUsable}};
         }},
        {"cut-out wall against an excavation", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* wall = Outline(objtype::kWall, {{0, 0}, {400, 0}, {400, 400}, {0, 400}}, true,
                                   objsubtype::kExteriorWall).on(self->floor);
             objfield::wall::kCutsGround(*wall) = 1;
             Objex* hole = self->excavation(350, 350, 450, 450);
             return {{hole, kCutoutExcluded}, {wall, kCutoutUsable}};
         }},
        {"a wall without the cut-out word is no cut-out", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Outline(objtype::kWall, {{0, 0}, {400, 0}, {400, 400}, {0, 400}}, true, objsubtype::kExteriorWall)
                 .on(self->floor);
             return {{self->excavation(350, 350, 450, 450), kCutoutUsable}};
         }},
        {"group members are searched", [self](LotSurface&) -> std::vector<std::pair<Objex*, int16_t>> {
             Objex* group = Make(objtype::kGroup).on(self->floor);
             Objex* member = self->excavation(0, 0, 100, 100, group);
             Objex* large = self->excavation(50, 50, 250, 250);
             return {{member, kCutoutExcluded}, {large, kCutoutUsable}};
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteLayerObjects(floor);
        const auto expected = row.build(*this);
        FindIntersectingTopoCutouts();
        for (const auto& [object, flag] : expected) EXPECT_EQ(object->cutoutFlag, flag);
        ResetIntersectingFlags();
        for (const auto& [object, flag] : expected) EXPECT_EQ(object->cutoutFlag, kCutoutUsable);
    }
}

TEST_F(LotSurface, PatchTestFindsCrossingCoveringAndEnclosedCutouts) {
    // A 72-inch cell whose near edge lies at D 72.
    const NurbPatch cell{0, 72, 72, 0};
    struct Row {
        const char* name;
        float h0, d0, h1, d1;
        int16_t flag;
        bool touches, whole;
    } rows[] = {
        {"crosses an edge", 50, 20, 100, 40, kCutoutUsable, true, false},
        {"covers the cell", -10, -10, 100, 100, kCutoutUsable, true, true},
        {"lies inside the cell", 20, 20, 30, 30, kCutoutUsable, true, false},
        {"elsewhere", 200, 200, 300, 300, kCutoutUsable, false, false},
        {"excluded", 50, 20, 100, 40, kCutoutExcluded, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Objex* o = excavation(r.h0, r.d0, r.h1, r.d1);
        o->cutoutFlag = r.flag;
        bool whole = !r.whole;
        EXPECT_EQ(DoesNurbPatchTouchCutouts(cell, &whole), r.touches);
        EXPECT_EQ(whole, r.whole);
        o->cutoutFlag = kCutoutExcluded;
    }
}

TEST_F(LotSurface, TrimsAreHolesInTheParameterSquareWhicheverWayTheyRun) {
    Objex* square = excavation(20, 20, 40, 40);
    // w running against D (a terrain cell: near edge at D 100): already clockwise.
    EXPECT_EQ(PWLTrimCurve(square, {0, 100, 100, 0}),
              (std::vector<float>{.2f, .8f, .4f, .8f, .4f, .6f, .2f, .6f, .2f, .8f}));
    // w along D (the flat lot from its top edge): reversed.
    EXPECT_EQ(PWLTrimCurve(square, {0, 100, 0, 100}),
              (std::vector<float>{.2f, .4f, .4f, .4f, .4f, .2f, .2f, .2f, .2f, .4f}));
    // The outer trim runs counter-clockwise round the square and every hole, even one
    // reaching out of the patch.
    const std::vector<float> outer = OuterTrimCurve({{-0.5f, 0.2f, 1.2f, 0.2f, 1.2f, 0.9f, -0.5f, 0.2f}});
    ASSERT_EQ(outer.size(), 10u);
    double area = 0;
    for (size_t i = 0; i + 2 < outer.size(); i += 2) area += outer[i] * outer[i + 3] - outer[i + 2] * outer[i + 1];
    EXPECT_GT(area, 0);
    EXPECT_LT(outer[0], -0.5f);
    EXPECT_GT(outer[4], 1.2f);

    // An outline whose edge crosses its closing edge is never handed to GLU.
    Objex* crossed = Outline(objtype::kExcavation, {{50, 50}, {100, 0}, {100, 100}, {150, 50}}).on(floor);
    EXPECT_FALSE(IsObjectPWLCompatible(crossed));
    EXPECT_TRUE(IsObjectPWLCompatible(square));
    const std::vector<const Objex*> trims = PatchTrimOutlines({0, 200, 200, 0});
    EXPECT_EQ(trims, (std::vector<const Objex*>{square}));
}

TEST_F(LotSurface, GroundColoursFollowShadingTextureAndTheFullRenderSwitch) {
    ds->lotColor = {0x8000, 0x4000, 0};
    ds->lightValue = 40000;
    ds->lightIntensity = 1.2f;
    ds->renderMode = rendermode::kSolid;
    gClearViewLineColor = {0, 0x1000, 0x2000};
    const int32_t options = gLiveViewOptions;
    struct Row {
        const char* name;
        bool textured, shading;
        uint8_t fullRender;
        int16_t mode;
        uint16_t nearRed, farRed;
    } rows[] = {
        // 32768 less 40000 / 65535 of itself.
        {"untextured, shaded", false, true, 0, rendermode::kSolid, 12767, 12767},
        // t = 0.35 + 0.65 / 1.5 = 0.7833; far times (65535 - 13333.3) / 65535.
        {"textured", true, true, 0, rendermode::kSolid, 51336, 40892},
        {"untextured without shading", false, false, 0, rendermode::kSolid, 51336, 40892},
        {"full render", true, true, 1, rendermode::kSolid, 51336, 51336},
        {"line mode", false, true, 0, rendermode::kLines, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        gLiveViewOptions = r.shading ? (options | liveviewoption::kGradientShading)
                                     : (options & ~liveviewoption::kGradientShading);
        ds->renderFlag = r.fullRender;
        ds->renderMode = r.mode;
        const LotColors c = LotGroundColors(ds, r.textured);
        EXPECT_NEAR(c.nearColor.red, r.nearRed, 2);
        EXPECT_NEAR(c.farColor.red, r.farRed, 2);
        if (r.mode == rendermode::kSolid) EXPECT_NEAR(c.nearColor.green, r.nearRed / 2.0, 2);  // the hue stays
    }
    gLiveViewOptions = options;
    EXPECT_EQ(LotGroundColors(ds, false).nearColor.blue, 0x2000);  // the line colour itself
}

TEST_F(LotSurface, BackdropIsSquareInPixelsAndLitBySunOrBrightness) {
    struct Extents {
        float w, h, left, right, bottom, top;
    } sizes[] = {{400, 300, -100, 100, -133.333f, 133.333f}, {300, 400, -133.333f, 133.333f, -100, 100},
                 {300, 300, -100, 100, -100, 100}};
    for (const Extents& e : sizes) {
        const BackdropQuad q = BackdropExtents(e.w, e.h);
        EXPECT_NEAR(q.left, e.left, 1e-3);
        EXPECT_NEAR(q.right, e.right, 1e-3);
        EXPECT_NEAR(q.bottom, e.bottom, 1e-3);
        EXPECT_NEAR(q.top, e.top, 1e-3);
    }
    ds->skyColor = {0, 0, 0x8000};
    ds->backgroundColor = {0x1111, 0x2222, 0x3333};
    ds->lightIntensity = 1.2f;
    ds->renderMode = rendermode::kSolid;
    ds->lightFlag = 0, ds->sunOn = 0;
    EXPECT_EQ(BackdropColor(ds).blue, 0x8000);
    ds->lightFlag = 1;
    EXPECT_NEAR(BackdropColor(ds).blue, 51336, 2);  // t
    ds->sunOn = 1, ds->sunValueD = 90;
    EXPECT_NEAR(BackdropColor(ds).blue, 58981, 2);  // the sun's 90 % is brighter
    ds->renderMode = rendermode::kWireframe;
    EXPECT_EQ(BackdropColor(ds).blue, 0x3333);
}

TEST_F(LotSurface, GridIsFlatOnlyWhenEveryHeightIsZero) {
    gTopographyGrid.clear();
    EXPECT_TRUE(IsTopoGridZeroFlat());
    gTopographyGrid.assign(9, 0.0f);
    EXPECT_TRUE(IsTopoGridZeroFlat());
    gTopographyGrid[4] = 0.5f;
    EXPECT_FALSE(IsTopoGridZeroFlat());
}

}  // namespace
