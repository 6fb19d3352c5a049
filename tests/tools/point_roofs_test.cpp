// Four- and three-point roofs dragged off a wall segment from (100, 100) to (300, 100), played
// through the gesture runner in the plan (zoom 1, scale 72: a plan unit is an inch). Outlines
// worked out by hand: the eave is the segment, the far edge passes through the release point,
// a 12-inch soffit moves the eave 12 outside the wall line.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/plan_gestures.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
namespace fr = objfield::freehand_roof;
namespace ws = objfield::wall_segment;

Plan Sorted(Plan p) {
    for (auto& [h, d] : p) h = std::round(h * 1000) / 1000, d = std::round(d * 1000) / 1000;
    std::sort(p.begin(), p.end());
    return p;
}

class PointRoofs : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
        ds->roofPitch = 6, ds->roofSoffitValue = 12;
        ds->soffitInclude = ds->soffitBase = ds->soffitLeft = ds->soffitRight = 0;
        wall = Wall(doc->itsCurLayer, {{100, 100}, {300, 100}});
        wall->elevation = 10;
        ws::kFirstHeight(*wall->firstPoint) = 96;
    }
    void TearDown() override { port::setAlerts(nullptr), PlanGestureTest::TearDown(); }
    // A roof dragged from the wall's middle to `to`; null when nothing was made.
    Objex* Roof(int16_t tool, POINT to) {
        gCurTool = tool;
        Objex* before = Last();
        Objex* made = Drag({{200, 100}, {200, 140}, to});
        return made == before ? nullptr : made;
    }

    RecordingAlerts alerts;
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
