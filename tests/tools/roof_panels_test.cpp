// Roof panels drawn with the freehand, four- and three-point roof tools and rebuilt into their
// sloped slab, played through the gesture runner in the plan (zoom 1, scale 72: a view point is a plan
// point). Heights worked out by hand: at pitch 6 a panel sloping toward 270 degrees descends
// 0.5 per unit of D, so on the square 100..200 the ring's V is 0.5 D minus the anchor value.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/plan_gestures.h"
#include "support/records.h"
#include "tools/roof_panels.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
namespace fr = objfield::freehand_roof;
namespace rs = objfield::roof_section;
namespace ws = objfield::wall_segment;

constexpr int16_t kFreehandRoofTool = 7306;
const Plan kSquare = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};

Objex* SlabOf(Objex* panel) { return panel->typeData.kind == TypeDataKind::RoofPanels ? panel->typeData.roofPanels : nullptr; }

// Every point of the slab's first ring at want(H, D), of the second `apart` higher.
void ExpectRings(Objex* slab, const std::function<float(float, float)>& want, float apart, const char* what) {
    ASSERT_NE(slab, nullptr) << what;
    int i = 0;
    for (const Poinz* p = slab->firstPoint; p; p = p->next, ++i) {
        const float v = want(p->position[0], p->position[2]) - (i < slab->pointCount / 2 ? 0 : apart);
        EXPECT_NEAR(p->position[1], v, 1e-3f) << what << " point " << i;
    }
}

class RoofPanels : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
        ds->roofPitch = 6, ds->roofElevationChoice = 0;
        doc->itsCurLayer->height = 96;
    }
    void TearDown() override { port::setAlerts(nullptr), PlanGestureTest::TearDown(); }
    Objex* DrawPanel(const Plan& outline) {
        gCurTool = kFreehandRoofTool;
        for (auto [h, d] : outline) {
            const POINT at{int32_t(h), int32_t(d)};
            g.move(at), g.click(at);
        }
        g.key(keycode::kEscape);
        return Last();
    }
    RecordingAlerts alerts;
};

TEST_F(RoofPanels, TheFreehandToolMakesAPanelSlopingTowardIncreasingDepth) {
    struct Row { const char* what; int16_t anchor; float scale; std::function<float(float, float)> v; float apart; };
    const std::vector<Row> rows = {
        {"lowest corner at the elevation", 0, 72, [](float, float d) { return 0.5f * d - 100; }, 6},
        {"highest corner at the elevation", 1, 72, [](float, float d) { return 0.5f * d - 50; }, 6},
        {"scale 36: rings 12 apart", 0, 36, [](float, float d) { return 0.5f * d - 100; }, 12},
    };
    for (const Row& r : rows) {
        ds->roofElevationChoice = r.anchor, ds->planScale = r.scale, g3DObjects = 1;
        Objex* panel = DrawPanel(kSquare);
        ASSERT_NE(panel, nullptr) << r.what;
        EXPECT_EQ(PlanPositions(panel), kSquare) << r.what;
        EXPECT_TRUE(Near({panel->type, panel->planBits, fr::kPitch(*panel), fr::kSlopeDirection(*panel),
                          fr::kHeightsDownward(*panel), panel->elevation, panel->texture2, panel->texture3,
                          panel->color2.red, panel->color3.red, panel->color3.blue, panel->fillColor.green},
                         {57, 16, 6, 270, r.anchor, 96, 1255, 0, 58000, 57311, 46517, 0}))
            << r.what;
        Objex* slab = SlabOf(panel);
        ASSERT_NE(slab, nullptr) << r.what;
        EXPECT_EQ(std::tuple(slab->type, CountObjects(slab), slab->pointCount, slab->texture2),
                  std::tuple(objtype::kPanelSlab, 1, 8, 1255))
            << r.what;
        ExpectRings(slab, r.v, r.apart, r.what);
        EXPECT_NEAR(rs::kOffset(*slab), r.anchor ? 50 : 100, 1e-3f) << r.what;
        // The arrow: first child, 80 long through the centre, pointing downhill.
        Objex* arrow = panel->firstChild;
        ASSERT_TRUE(arrow && arrow->type == objtype::kSlopeArrow) << r.what;
        EXPECT_EQ(PlanPositions(arrow), (Plan{{150, 110}, {150, 190}})) << r.what;
        EXPECT_EQ(std::tuple(g3DObjects, undo.actionNames.back()), std::tuple(1, "Freehand Roof Tool")) << r.what;
        DeleteObj(panel);
    }
}

TEST_F(RoofPanels, RebuildsKeepOneSlabAndAnArrowAndSurviveAFile) {
    Objex* panel = DrawPanel(kSquare);
    ASSERT_NE(panel, nullptr);
    Update3DRoofPanel(panel), Update3DRoofPanel(panel);
    EXPECT_EQ(CountObjects(SlabOf(panel)), 1);

    // Turned to 0 degrees the panel descends along H; the outline stays.
    fr::kSlopeDirection(*panel) = 0;
    Update3DRoofPanel(panel);
    ExpectRings(SlabOf(panel), [](float h, float) { return 0.5f * h - 100; }, 6, "turned to 0");
    EXPECT_EQ(PlanPositions(panel), kSquare);
    EXPECT_EQ(PlanPositions(panel->firstChild), (Plan{{110, 150}, {190, 150}}));

    // A deleted arrow comes back at the next rebuild.
    DeleteObj(panel->firstChild);
    EXPECT_FALSE(SlopeDirectionArrowExists(panel));
    Update3DRoofPanel(panel);
    ASSERT_TRUE(SlopeDirectionArrowExists(panel));
    EXPECT_EQ(PlanPositions(FindSlopeDirectionArrowObject(panel)), (Plan{{110, 150}, {190, 150}}));

    // Read back from its bytes, the panel has its arrow and its slab again.
    Objex* back = ReadObjectFrom(WrittenObject(panel), doc->itsCurLayer);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(CountObjects(back->firstChild), 1);
    ExpectRings(SlabOf(back), [](float h, float) { return 0.5f * h - 100; }, 6, "read back");

}

// The move tool hands a press on a slope arrow to the arrow's own drag.
class TurningArrows : public RoofPanels {
protected:
    void SetUp() override {
        RoofPanels::SetUp();
        panel = DrawPanel(kSquare);
        gCurTool = toolid::kSelect;
    }
    Objex* panel = nullptr;
};

TEST_F(TurningArrows, TheArrowTurnsByFifteenDegreesUnlessShiftAndReheightsThePanel) {
    using Heights = std::function<float(float, float)>;
    struct Row { const char* what; POINT grab, to; uint32_t modifiers; float angle; Plan arrow; Heights v; };
    const std::vector<Row> rows = {
        {"head to the right", {150, 190}, {250, 140}, 0, 0, {{110, 150}, {190, 150}},
         [](float h, float) { return 0.5f * h - 100; }},
        {"head above the centre", {150, 190}, {150, 50}, 0, 90, {{150, 190}, {150, 110}},
         [](float, float d) { return 50 - 0.5f * d; }},
        {"Shift keeps the exact angle", {150, 190}, {250, 140}, evmod::kShift, 5.7105931f, {}, {}},
    };
    for (const Row& r : rows) {
        fr::kSlopeDirection(*panel) = 270, Update3DRoofPanel(panel);
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);  // a selected arrow is picked whole
        g.press(r.grab, r.modifiers);
        g.drag(r.to, r.modifiers), g.release(r.to, r.modifiers);
        EXPECT_NEAR(fr::kSlopeDirection(*panel), r.angle, 1e-3f) << r.what;
        if (!r.arrow.empty()) {
            EXPECT_EQ(PlanPositions(panel->firstChild), r.arrow) << r.what;
        }
        if (r.v) ExpectRings(SlabOf(panel), r.v, 6, r.what);
        EXPECT_EQ(PlanPositions(panel), kSquare) << r.what;
        EXPECT_TRUE(IsObjectSelected(panel->firstChild)) << r.what;
        EXPECT_FALSE(TrackerLoopOpen()) << r.what;
    }

    // A release where the press was changes nothing and keeps the selection.
    fr::kSlopeDirection(*panel) = 270, Update3DRoofPanel(panel);
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    SelectObj(panel, selmode::kSelect, 0);
    g.press({150, 190}), g.drag({250, 140}), g.release({150, 190});
    EXPECT_EQ(fr::kSlopeDirection(*panel), 270.0f);
    EXPECT_EQ(PlanPositions(panel->firstChild), (Plan{{150, 110}, {150, 190}}));
    EXPECT_TRUE(IsObjectSelected(panel));
}

// A skylight on a panel follows the panel's rebuilds: re-heighted by a steeper pitch, removed
// with one alert when the panel no longer holds it.
TEST_F(RoofPanels, SkylightsFollowThePanelThroughItsRebuild) {
    ds->skylightStyle = 800, ds->skylightWidth = 36, ds->skylightLength = 56;
    Objex* panel = DrawPanel({{100, 100}, {300, 100}, {300, 300}, {100, 300}});
    ASSERT_NE(panel, nullptr);
    gCurTool = toolid::kSkylight;
    g.click({200, 200});
    Objex* sky = panel->firstChild ? panel->firstChild->next : nullptr;
    ASSERT_TRUE(sky && sky->type == objtype::kSkylight);
    auto expectOnSlope = [&](float perD, const char* what) {
        for (const Poinz* p = sky->firstPoint; p; p = p->next)
            EXPECT_NEAR(p->position[1], perD * (p->position[2] - 300), 1e-3f) << what;  // lowest at D 300
    };
    expectOnSlope(0.5f, "pitch 6");
    fr::kPitch(*panel) = 12;
    Update3DRoofPanel(panel);
    expectOnSlope(1.0f, "pitch 12");
    EXPECT_TRUE(alerts.shown.empty());

    DeleteObjectPoints(panel);
    Make(panel).plan({{100, 100}, {150, 100}, {150, 150}, {100, 150}});
    Update3DRoofPanel(panel);
    EXPECT_EQ(CountObjects(panel->firstChild), 1);  // the arrow alone
    EXPECT_EQ(alerts.shown.size(), 1u);
}

Plan Sorted(Plan p) {
    for (auto& [h, d] : p) h = std::round(h * 1000) / 1000, d = std::round(d * 1000) / 1000;
    std::sort(p.begin(), p.end());
    return p;
}

// Four- and three-point roofs dragged off a wall segment from (100, 100) to (300, 100):
// the eave is the segment, the far edge passes through the release point, a 12-inch soffit
// moves the eave 12 outside the wall line.
class PointRoofs : public RoofPanels {
protected:
    void SetUp() override {
        RoofPanels::SetUp();
        ds->roofSoffitValue = 12;
        wall = Wall(doc->itsCurLayer, {{100, 100}, {300, 100}});
        wall->elevation = 10;
        ws::kFirstHeight(*wall->firstPoint) = 96;
    }
    // A roof dragged from the wall's middle to `to`; null when nothing was made.
    Objex* Roof(int16_t tool, POINT to) {
        gCurTool = tool;
        Objex* before = Last();
        Objex* made = Drag({{200, 100}, {200, 140}, to});
        return made == before ? nullptr : made;
    }
    Objex* wall = nullptr;
};

TEST_F(PointRoofs, TheEaveFollowsTheWallTopAndTheSoffitsTheFarEdgeTheDrag) {
    // segment: height, pitch A, pitch B, height C, height D
    struct Row { const char* what; int16_t tool; POINT to; int32_t style; std::vector<float> segment; bool base, sides;
                 Plan outline; float elevation, slope; };
    const std::vector<Row> rows = {
        {"below the wall", toolid::kFourPointRoof, {200, 200}, 0, {96, 6, 6, 96, 96}, false, false,
         {{100, 100}, {100, 200}, {300, 100}, {300, 200}}, 106, 90},
        {"above the wall", toolid::kFourPointRoof, {200, 0}, 0, {96, 6, 6, 96, 96}, false, false,
         {{100, 0}, {100, 100}, {300, 0}, {300, 100}}, 106, 270},
        {"base soffit", toolid::kFourPointRoof, {200, 200}, 0, {96, 6, 6, 96, 96}, true, false,
         {{100, 88}, {100, 200}, {300, 88}, {300, 200}}, 100, 90},
        {"all soffits", toolid::kFourPointRoof, {200, 200}, 0, {96, 6, 6, 96, 96}, true, true,
         {{88, 88}, {88, 200}, {312, 88}, {312, 200}}, 100, 90},
        {"style 4: up 24 at pitch B 6 is 48 of run, pitch A 0 none", toolid::kFourPointRoof, {200, 200}, 4,
         {96, 0, 6, 96, 120}, false, false, {{100, 100}, {100, 200}, {252, 100}, {252, 200}}, 130, 90},
        {"style 9: on by the run to height C", toolid::kFourPointRoof, {200, 200}, 9, {96, 6, 6, 108, 96}, false,
         false, {{100, 100}, {100, 200}, {324, 100}, {324, 200}}, 118, 90},
        {"three-point", toolid::kThreePointRoof, {200, 200}, 0, {96, 6, 6, 96, 96}, false, false,
         {{100, 100}, {200, 200}, {300, 100}}, 106, 90},
        {"three-point, soffits: sides ignored, the eave 12 longer each end", toolid::kThreePointRoof, {200, 200}, 0,
         {96, 6, 6, 96, 96}, true, true, {{88, 88}, {200, 200}, {312, 88}}, 100, 90},
    };
    for (const Row& r : rows) {
        Poinz* s1 = wall->firstPoint;
        ws::kShape(*s1) = r.style;
        for (int i = 0; i < 5; ++i) s1->segmentValues[i] = r.segment[size_t(i)];
        ds->soffitInclude = r.base || r.sides, ds->soffitBase = r.base, ds->soffitLeft = ds->soffitRight = r.sides;
        Objex* panel = Roof(r.tool, r.to);
        ASSERT_NE(panel, nullptr) << r.what;
        EXPECT_EQ(Sorted(PlanPositions(panel)), r.outline) << r.what;
        EXPECT_TRUE(Near({panel->type, panel->planBits, panel->elevation, fr::kSlopeDirection(*panel),
                          fr::kHeightsDownward(*panel), fr::kPitch(*panel), panel->texture2, panel->color2.red},
                         {57, 16, r.elevation, r.slope, 0, 6, 1255, 58000}, 1e-3))
            << r.what;
        // The arrow (first child) runs 80 from the far side toward the eave.
        const Objex* arrow = panel->firstChild;
        ASSERT_TRUE(arrow && arrow->type == objtype::kSlopeArrow && panel->typeData.roofPanels) << r.what;
        const float run = arrow->firstPoint->next->position[2] - arrow->firstPoint->position[2];
        EXPECT_NEAR(r.to.y > 100 ? -run : run, 80, 1e-3) << r.what;
        EXPECT_TRUE(alerts.shown.empty()) << r.what;
        EXPECT_EQ(undo.actionNames.back(), r.tool == toolid::kFourPointRoof ? "Four-Point Freehand Roof Tool"
                                                                             : "Three-Point Freehand Roof Tool")
            << r.what;
        DeleteObj(panel);
    }
}

TEST_F(PointRoofs, RefusedPressesAlertOnceAndClicksMakeNothing) {
    struct Row { const char* what; int16_t tool; int32_t style; POINT press; std::string title; };
    const std::vector<Row> rows = {
        {"empty plan", toolid::kFourPointRoof, 0, {200, 300}, "Wall segment not found."},
        {"gable wall", toolid::kFourPointRoof, 2, {200, 100}, "Unable to construct a four-point roof."},
        {"gable wall, three-point", toolid::kThreePointRoof, 3, {200, 100}, "Unable to construct a three-point roof."},
    };
    for (const Row& r : rows) {
        alerts.shown.clear();
        ws::kShape(*wall->firstPoint) = r.style;
        gCurTool = r.tool;
        Objex* before = Last();
        Drag({r.press, {r.press.x, r.press.y + 60}, {r.press.x, r.press.y + 100}});
        EXPECT_EQ(Last(), before) << r.what;
        ASSERT_EQ(alerts.shown.size(), 1u) << r.what;
        EXPECT_EQ(alerts.shown[0].alert.message, r.title) << r.what;
        EXPECT_EQ(gMouseCaptured, 0) << r.what;
    }
    EXPECT_NE(alerts.shown.back().alert.informative.find("gable-style"), std::string::npos);

    // A release within 20 of the press is a click: nothing, and the standard tool again.
    ws::kShape(*wall->firstPoint) = 0;
    alerts.shown.clear();
    const int before = resets;
    EXPECT_EQ(Roof(toolid::kFourPointRoof, {200, 115}), nullptr);
    EXPECT_EQ(std::tuple(resets - before, alerts.shown.size()), std::tuple(1, size_t(0)));
}

}  // namespace
