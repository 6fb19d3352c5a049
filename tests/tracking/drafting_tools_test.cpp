// The drafting tools played as gestures in the plan (zoom 1, scale 72: a view point is a plan
// point is an inch), with shapes checked against corners and angles worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/splines.h"
#include "model/transforms.h"
#include "plan/annotations/dimension_lines.h"
#include "plan/dynamic_draw_engine.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "plan/arc_builders.h"
#include "tracking/line_trackers.h"
#include "tracking/tool_dispatch.h"
#include "tracking/shape_trackers.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class DraftingTools : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        ds->penWidth = 3, ds->currentPlanBit = 256, ds->editLevel = 1, ds->detailDisplayDims = 6;
    }
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
};

TEST_F(DraftingTools, RectanglesAndOvalsFollowThePressAndTheRelease) {
    // Corners (up H, up D), (up H, down D), (down H, down D), (down H, up D), whichever way.
    gCurTool = toolid::kRectangle;
    EXPECT_EQ(PlanPositions(Drag({{100, 100}, {150, 130}, {200, 160}})), (Plan{{200, 160}, {200, 100}, {100, 100}, {100, 160}}));
    Objex* rect = Drag({{200, 160}, {100, 100}});
    EXPECT_EQ(PlanPositions(rect), (Plan{{100, 100}, {100, 160}, {200, 160}, {200, 100}}));
    EXPECT_TRUE(Near({rect->type, rect->subtype, rect->closed, rect->penWidth, rect->planBits, rect->optionA, rect->optionB},
                     {29, 1, 1, 3, 256, 6, 1}));
    // Elevation views: in the view's plane, at the press's third coordinate (down (10, 20, 30)).
    for (auto [kind, up, want] : {std::tuple{int16_t(1), Float3DPoint{50, 70, 99}, Plan{{50, 70}, {50, 20}, {10, 20}, {10, 70}}},
                                  {int16_t(3), Float3DPoint{99, 70, 90}, Plan{{90, 70}, {90, 20}, {30, 20}, {30, 70}}}}) {
        ds->viewKind = kind, gStartMouse = {0, 0}, gEndMouse = {100, 0};
        gDownX = 10, gDownY = 20, gDownZ = 30, gUpX = up.floatH, gUpY = up.floatV, gUpZ = up.floatD;
        TrackRect(0, 0, gUpX, gUpY, gUpZ, 3);
        Objex* o = Last();
        for (size_t i = 0; i < want.size(); ++i) {
            const Poinz* p = PointAt(o, int(i));
            const float across = kind == 1 ? p->position[0] : p->position[2], third = kind == 1 ? p->position[2] : p->position[0];
            EXPECT_TRUE(Near({across, p->position[1], third}, {want[i].first, want[i].second, kind == 1 ? 30.0f : 10.0f})) << i;
        }
    }
    // An oval in the front view is as tall as it is wide without Shift: V 20 to 60.
    ds->viewKind = 1, gUpX = 50, gUpY = 99, gUpZ = 30;
    Objex* upright = TrackOval(0, 0, 50, 99, 30, 3);
    ASSERT_TRUE(upright);
    EXPECT_TRUE(Near({upright->bounds3D.floatTop, upright->bounds3D.floatBottom, upright->bounds3D.floatLeft,
                      upright->bounds3D.floatRight},
                     {20, 60, 10, 50}, 0.01));
    ds->viewKind = 2;

    // Centre mode: symmetric about the press, which stays where it was.
    gCenterRectTool = 1;
    EXPECT_EQ(PlanPositions(Drag({{100, 100}, {150, 130}})), (Plan{{150, 130}, {150, 70}, {50, 70}, {50, 130}}));
    EXPECT_TRUE(Near({gDownX, gDownZ}, {100, 100}));
    gCenterRectTool = 0;

    // Under 20 view points a drag is a click: nothing, and the standard tool again.
    const int before = Count();
    for (int16_t tool : {toolid::kRectangle, toolid::kOval}) gCurTool = tool, Drag({{300, 300}, {310, 312}});
    EXPECT_TRUE(Near({Count(), resets}, {before, 2}));

    // Ovals: four points with arc tangents in the box dragged; Shift makes a circle with the
    // lock off and frees it with the lock on.
    gCurTool = toolid::kOval;
    for (auto [lock, modifiers, bottom] : {std::tuple{0, 0u, 160}, {0, evmod::kShift, 200}, {1, 0u, 200}, {1, evmod::kShift, 160}}) {
        gLockOvalTool = uint8_t(lock);
        Objex* oval = Drag({{100, 100}, {150, 150}, {200, 160}}, modifiers);
        const FloatRect& b = oval->bounds;
        EXPECT_TRUE(Near({oval->type, oval->subtype, oval->closed, oval->pointCount, oval->penWidth, oval->optionA, b.floatLeft,
                          b.floatTop, b.floatRight, b.floatBottom},
                         {29, 2, 1, 4, 3, 6, 100, 100, 200, bottom}, 0.01)) << lock << " " << modifiers;
        EXPECT_GT(std::hypot(oval->firstPoint->outTangent[0], oval->firstPoint->outTangent[2]), 10);
    }
    EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());  // gone after each release
}

TEST_F(DraftingTools, LinesArcsAndMultigonsMakeOpenAndClosedShapes) {
    for (int16_t tool : {toolid::kLine, toolid::kArc, toolid::kMultigon, toolid::kTextEntry}) gCurTool = tool, g.click({50, 50});
    EXPECT_TRUE(Near({Count(), resets}, {0, 3}));  // a click makes nothing

    gCurTool = toolid::kLine;
    Objex* line = Drag({{100, 100}, {200, 100}});
    EXPECT_EQ(PlanPositions(line), (Plan{{100, 100}, {200, 100}}));
    EXPECT_TRUE(Near({line->subtype, line->closed, line->fillPattern, gPerpFromLoc.floatH}, {6, 0, 0, 32000}));
    gCenterLineTool = 1;  // the press is the middle
    EXPECT_EQ(PlanPositions(Drag({{100, 100}, {160, 160}})), (Plan{{40, 40}, {160, 160}}));
    gCenterLineTool = 0;
    // Pressed on a segment with the perpendicular snap: from the foot of the perpendicular.
    Shape(doc->itsCurLayer, 9, {{0, 300}, {400, 300}});
    gCurSnap = snapmode::kPerpendicular;
    EXPECT_EQ(PlanPositions(Drag({{100, 300}, {200, 380}, {250, 400}})), (Plan{{250, 300}, {250, 400}}));
    gCurSnap = snapmode::kNone;

    // An arc dragged up and to the left: a quarter from 90 degrees about (cursor H, down D),
    // half-axes 60 and 40, from the release to the press.
    gCurTool = toolid::kArc;
    Objex* arc = Drag({{200, 200}, {170, 180}, {140, 160}});
    EXPECT_TRUE(Near({arc->subtype, arc->closed, arc->fillPattern, arc->optionA & 1}, {5, 0, 0, 1}));
    ASSERT_EQ(arc->pointCount, 2);
    for (float t : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
        float h, v, d;
        GetSplineCoordinate(PointAt(arc, 0), PointAt(arc, 1), t, &h, &v, &d);
        EXPECT_NEAR(std::pow((h - 140) / 60, 2.0f) + std::pow((d - 200) / 40, 2.0f), 1, 0.03) << t;
        EXPECT_TRUE(h >= 139.99f && d <= 200.01f) << t;  // above and right of the centre
    }

    // A hexagon about (200, 200): the sixth vertex on the pointer's direction.
    gCurTool = toolid::kMultigon, ds->multigonSides = 6;
    Objex* hexagon = Drag({{200, 200}, {260, 200}, {300, 200}});
    ASSERT_TRUE(hexagon->subtype == 4 && hexagon->closed && hexagon->pointCount == 6);
    EXPECT_TRUE(Near({PointAt(hexagon, 0)->position[0], PointAt(hexagon, 0)->position[2], PointAt(hexagon, 5)->position[0],
                      PointAt(hexagon, 5)->position[2]},
                     {250, 200 - 86.6025f, 300, 200}, 1e-3));
    // Two sides: nothing drawn while dragging, nothing made.
    const int before = Count();
    ds->multigonSides = 2;
    g.press({200, 200}), g.drag({300, 250});
    EXPECT_TRUE(view.dynamicDrawEngine->areAllPathsEmpty());
    g.release({300, 250});
    EXPECT_EQ(Count(), before);
}

TEST_F(DraftingTools, ArcFeedbackSweepsCurvedWallStepsAndRoundedReadoutsInEveryUnit) {
    // Centre (0, 0), start 0, cursor straight up: a curved wall sweeps 90 and a door swing the
    // other way round; Shift turns both.
    for (auto [modifiers, wall, door] : {std::tuple{0, 90.0f, -270.0f}, {4, -270.0f, 90.0f}}) {
        gTrackModifiers = int16_t(modifiers);
        EXPECT_TRUE(Near({DrawArcState(0, 0, 100, 0, 0, -100, 0, 100), DrawDoorArcState(0, 0, 100, 0, 0, -100, 0, 100)},
                         {wall, door}, 1e-3));
    }
    EXPECT_FALSE(view.dynamicDrawEngine->isPathEmpty(0));
    ds->viewKind = 4;
    EXPECT_EQ(DrawArcState(0, 0, 100, 0, 0, -100, 0, 100), 0);

    // A circle of radius 100 in pieces of the chord's angle, kept within 5 and 90 degrees.
    const FloatRect box{-100, -100, 100, 100};
    for (auto [chord, points] : {std::pair{0.01f, 73}, {2 * 100 * std::sin(15 * 3.14159265f / 180), 13}, {1000.0f, 5}}) {
        int32_t count = 0;
        SetupCurvedWall(nullptr, &box, 0, 360, 2, 0, nullptr, nullptr, nullptr, 0, &count, 0, chord);
        EXPECT_EQ(count, points) << chord;
    }

    // 100.4 plan units read 100.4 inches at scale 72 at any zoom; rounded, as 100 does.
    for (auto [zoom, toggle, shownAs] : {std::tuple{1.0f, 0, 100.4f}, {1.0f, 1, 100.0f}, {0.6f, 0, 100.4f}, {0.6f, 1, 100.0f}}) {
        ds->zoomFactor = zoom, ds->viewKind = 2;
        auto& dims = view.dynamicDrawEngine->dynamicDimArray;
        dims.clear();
        for (auto [length, round] : {std::pair{100.4f, toggle}, {shownAs, 0}}) {
            gRoundToggle = uint8_t(round);
            DrawDimensionLine(nullptr, 0, 0, length, 0, 0, 0, length, 0, 0, 10, 1, &box, &box, 0, 0, 0, 0, nullptr);
        }
        ASSERT_EQ(dims.size(), 2u);
        EXPECT_STREQ(dims[0]->dimensionText.get(), dims[1]->dimensionText.get()) << zoom << " " << toggle;
    }
    // Metric, rounded: a whole centimetre (at 2.54 cm to the inch, as the metric grid spaces its
    // lines, or at the readouts' 0.3937 inch to the centimetre) reads whole, from a centimetre to
    // a kilometre, in metres (flag 1), centimetres (2) and millimetres (0).
    const struct { int16_t flags; double cm; const char* text; } metric[] = {
        {1, 1, "0.01 m"},     {1, 2825, "28.25 m"},     {1, 3165, "31.65 m"},     {1, 41902, "419.02 m"},
        {1, 99999, "999.99 m"}, {1, 100000, "1000 m"},  {2, 2462, "2462 cm"},     {2, 83231, "83231 cm"},
        {0, 2452, "24520 mm"}, {0, 70793, "707930 mm"}, {0, 99999, "999990 mm"},
    };
    ds->units = kMetricUnits, ds->zoomFactor = 0.05f, gRoundToggle = 1;
    for (const auto& row : metric) {
        ds->metricReadout = row.flags;
        for (double inchesPerCentimetre : {1 / 2.54, 0.3937}) {
            auto& dims = view.dynamicDrawEngine->dynamicDimArray;
            dims.clear();
            const float length = ConvertWorldToScreen(float(row.cm * inchesPerCentimetre), ds, 0);
            DrawDimensionLine(nullptr, 0, 0, length, 0, 0, 0, length, 0, 0, 10, 1, &box, &box, 0, 0, 0, 0, nullptr);
            ASSERT_EQ(dims.size(), 1u);
            EXPECT_STREQ(dims[0]->dimensionText.get(), row.text) << inchesPerCentimetre;
        }
    }
    gRoundToggle = 0;
    int seen = -1;  // the engine lowers it before each tracker call and after
    RegisterTracker(TrackerSlot::Line, [&](int32_t, int32_t, float, float, float, int16_t) { seen = gRoundToggle, gRoundToggle = 1; });
    gRoundToggle = 1, gCurTool = toolid::kLine, g.press({0, 0});
    EXPECT_TRUE(Near({seen, gRoundToggle}, {0, 0}));
}

}  // namespace
