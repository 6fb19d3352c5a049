// The lot's plain geometry without GL: which cut-outs may cut the ground, which patches they
// touch, their trims in a patch's parameter square, and the ground's and backdrop's colours,
// against values worked out by hand.
#include <gtest/gtest.h>

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
#include "model/render_state.h"
#include "render/core/topo_cutouts.h"
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
    // Rectangles (h0, d0, h1, d1) in order: an excavation, a wall cutting the ground (kWall),
    // a plain exterior wall (kPlainWall), or an excavation in a group (kGrouped).
    enum Kind { kDig, kWallCut, kPlainWall, kGrouped };
    struct Cut {
        Kind kind;
        float h0, d0, h1, d1;
        int16_t flag;
    };
    struct Row {
        const char* name;
        std::vector<Cut> cuts;
    } rows[] = {
        {"overlap: the smaller goes", {{kDig, 0, 0, 100, 100, kCutoutExcluded}, {kDig, 50, 50, 250, 250, 0}}},
        {"overlap, larger first", {{kDig, 50, 50, 250, 250, 0}, {kDig, 0, 0, 100, 100, kCutoutExcluded}}},
        {"nested: the inner goes", {{kDig, 100, 100, 150, 150, kCutoutExcluded}, {kDig, 0, 0, 300, 300, 0}}},
        {"apart: both cut", {{kDig, 0, 0, 50, 50, 0}, {kDig, 100, 0, 150, 50, 0}}},
        {"a cutting wall", {{kWallCut, 0, 0, 400, 400, 0}, {kDig, 350, 350, 450, 450, kCutoutExcluded}}},
        {"a plain wall cuts nothing", {{kPlainWall, 0, 0, 400, 400, 0}, {kDig, 350, 350, 450, 450, 0}}},
        {"group members are searched", {{kGrouped, 0, 0, 100, 100, kCutoutExcluded}, {kDig, 50, 50, 250, 250, 0}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeleteLayerObjects(floor);
        std::vector<Objex*> made;
        for (const Cut& c : row.cuts) {
            if (c.kind == kDig || c.kind == kGrouped) {
                made.push_back(excavation(c.h0, c.d0, c.h1, c.d1, c.kind == kGrouped ? Make(objtype::kGroup).on(floor).get() : nullptr));
                continue;
            }
            made.push_back(Outline(objtype::kWall, {{c.h0, c.d0}, {c.h1, c.d0}, {c.h1, c.d1}, {c.h0, c.d1}}, true,
                                   objsubtype::kExteriorWall).on(floor));
            objfield::wall::kCutsGround(*made.back()) = c.kind == kWallCut;
        }
        FindIntersectingTopoCutouts();
        for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->cutoutFlag, row.cuts[i].flag) << i;
        ResetIntersectingFlags();
        for (Objex* o : made) EXPECT_EQ(o->cutoutFlag, kCutoutUsable);
    }
    Objex* bow = Outline(objtype::kExcavation, {{0, 0}, {100, 100}, {100, 0}, {0, 100}}).on(floor);
    FindIntersectingTopoCutouts();
    EXPECT_EQ(bow->cutoutFlag, kCutoutExcluded);  // its outline crosses itself
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
        if (r.mode == rendermode::kSolid) { EXPECT_NEAR(c.nearColor.green, r.nearRed / 2.0, 2); }  // the hue stays
    }
    gLiveViewOptions = options;
    EXPECT_EQ(LotGroundColors(ds, false).nearColor.blue, 0x2000);  // the line colour itself
}

TEST_F(LotSurface, BackdropIsLitBySunOrBrightnessInSolidModeOnly) {
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

}  // namespace
