// Resize, rotate and marquee played as gestures in the plan (zoom 1, scale 72: a view point is
// a plan point), their results worked out by hand.
#include <gtest/gtest.h>


#include "app/core/main_window_seams.h"
#include "app/core/status_bar_seams.h"
#include "model/command_state.h"
#include "plan/status_readouts.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_queries.h"
#include "plan/dynamic_draw_engine.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"
#include "tracking/transform_trackers.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class TransformTools : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        SetMainWindowStatusTextHandler([this](const std::string& text) { status.push_back(text); });
    }
    // A selected outline through the plan points, alone selected; the gesture's bounds are its own.
    Objex* Selected(PlanPoints points, bool closed = true) {
        if (current) Make(current).select(0);
        current = Make(8).closed(closed).shown().plan(points).select().on(doc->itsCurLayer).bounds();
        gData3DRect = current->bounds3D, gDataRect = current->bounds;
        return current;
    }
    Objex* current = nullptr;
    std::vector<std::string> status;
};

TEST_F(TransformTools, ResizeTakesTheSideOfThePressAndKeepsTenAcross) {
    gCurTool = toolid::kResize;
    // Pressed at the right-bottom corner of 100..200 x 100..160: the anchor is the left-top.
    for (auto [to, modifiers, want] : {std::tuple{POINT{300, 190}, 0u, Plan{{100, 100}, {300, 100}, {300, 190}, {100, 190}}},
                                       {{50, 40}, 0u, {{100, 100}, {50, 100}, {50, 40}, {100, 40}}},     // mirrored
                                       {{99, 101}, 0u, {{100, 100}, {90, 100}, {90, 110}, {100, 110}}},  // 10 across
                                       {{300, 190}, evmod::kShift, {{100, 100}, {300, 100}, {300, 160}, {100, 160}}}}) {
        Objex* box = Selected({{100, 100}, {200, 100}, {200, 160}, {100, 160}});
        Drag({{200, 160}, {250, 170}, to}, modifiers);
        EXPECT_EQ(PlanPositions(box), want) << to.x << "," << to.y;
    }
    // Pressed at the left-top: the right-bottom holds and the left follows.
    Objex* box = Selected({{100, 100}, {200, 100}, {200, 160}, {100, 160}});
    Drag({{100, 100}, {60, 100}});
    EXPECT_EQ(PlanPositions(box), (Plan{{60, 100}, {200, 100}, {200, 160}, {60, 160}}));
    EXPECT_TRUE(Near({gXResizeDirection, gZResizeDirection}, {-1, -1}));
    // A horizontal line (less than 8 across in D) grows only along its length.
    Objex* line = Selected({{100, 300}, {300, 300}}, false);
    Drag({{300, 300}, {400, 350}});
    EXPECT_EQ(PlanPositions(line), (Plan{{100, 300}, {400, 300}}));

    // With the move tool, a click on the handle at a corner of one of several selected
    // objects, away from the selection's sides, resizes nothing.
    gCurTool = toolid::kSelect;
    Objex* outer = Selected({{100, 100}, {200, 100}, {200, 160}, {100, 160}});
    Make(8).closed().shown().plan({{120, 120}, {140, 120}, {140, 140}, {120, 140}}).select().on(doc->itsCurLayer).bounds();
    const Plan whole = PlanPositions(outer);
    g.click({140, 140});
    EXPECT_EQ(PlanPositions(outer), whole);

    // Under the click limit (20 view points) a resize is a click, a hand's slip included: it
    // resizes nothing and stores no step, and the size readout shows the box as it stands; at
    // the limit it is a drag. The resize tool, then the move tool on the box's corner handle,
    // each box a fresh one below the last.
    int row = 0;
    for (int16_t tool : {toolid::kResize, toolid::kSelect}) {
        gCurTool = tool;
        for (int dx : {1, 19, 20}) {
            const int top = 400 + 100 * row++;
            Objex* box = Selected({{100, float(top)}, {200, float(top)}, {200, float(top + 60)}, {100, float(top + 60)}});
            const Plan before = PlanPositions(box);
            const size_t steps = undo.actionNames.size();
            gWidthHeightDepth[0] = 100, gWidthHeightDepth[1] = 30, gWidthHeightDepth[2] = 60;
            Drag({{200, top + 60}, {200 + dx, top + 60 + (dx == 1)}});
            const bool drag = dx >= 20;
            const Plan resized{{100, float(top)}, {220, float(top)}, {220, float(top + 60)}, {100, float(top + 60)}};
            EXPECT_EQ(PlanPositions(box), drag ? resized : before) << tool << " by " << dx;
            EXPECT_EQ(undo.actionNames.size(), steps + drag) << tool << " by " << dx;
            EXPECT_EQ(status.back(), statustext::drawWidthHeightDepth(drag ? 120 : 100, 30, 60)) << tool << " by " << dx;
        }
    }
    gCurTool = toolid::kResize;

    // The front view keeps ten across in H and V too (down at the box's right top).
    ds->viewKind = 1;
    Objex* front = Selected({{100, 50}, {200, 50}});
    gData3DRect = Float3DRect{0, 100, 50, 60, 200, 50};
    gClickInfo.ciHit = 1, gDownX = 200, gDownY = 60, gDownZ = 50;
    gTrackState[3] = 200, gTrackState[4] = 60, gTrackState[5] = 50;
    gStartMouse = {200, 60};
    TrackScale(0, 0, 1);
    gTrackState[3] = 99, gTrackState[4] = 1;
    gEndMouse = {99, 1};
    TrackScale(0, 0, 3);
    EXPECT_EQ(PlanPositions(front), (Plan{{100, 50}, {90, 50}}));

    // The size readout at zoom 0.6: the press stored 100 x 50 x 60 zoomed; plan factors 2 and 1.5.
    ds->viewKind = 2, ds->zoomFactor = 0.6f;
    Selected({{100, 100}, {200, 100}, {200, 160}, {100, 160}});
    gWidthHeightDepth[0] = 60, gWidthHeightDepth[1] = 30, gWidthHeightDepth[2] = 36;
    gDownX = 200, gDownY = 0, gDownZ = 160, gTrackState[3] = 200, gTrackState[4] = 0, gTrackState[5] = 160;
    TrackScale(0, 0, 1);
    gTrackState[3] = 300, gTrackState[5] = 190;
    TrackScale(0, 0, 2);
    EXPECT_EQ(status.back(), statustext::drawWidthHeightDepth(120, 30, 54));
    ds->zoomFactor = 1;

    // Command in a side view works in the front view for the gesture, on every way out.
    for (bool abandoned : {false, true}) {
        ds->viewKind = 3, gTrackModifiers = 8;
        TrackScale(0, 0, 1);
        EXPECT_EQ(ds->viewKind, 1);
        if (abandoned) ResetTrackingState();
        else TrackScale(0, 0, 3);
        EXPECT_EQ(ds->viewKind, 3) << abandoned;
    }
    gTrackModifiers = 0;
}

TEST_F(TransformTools, RotateStepsByFiveDegreesAndAClickChangesNothing) {
    gCurTool = toolid::kRotate;
    Objex* square = Selected({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    const float c = std::cos(47 * 3.14159265f / 180), s = std::sin(47 * 3.14159265f / 180);
    g.press({200, 150});
    g.drag({150 + int(100 * c), 150 - int(100 * s)});
    EXPECT_EQ(status.back(), statustext::drawAngle(45));
    g.drag({150, 50}), g.release({150, 50});
    // A quarter turn counter-clockwise about (150, 150) carries each corner to the next.
    EXPECT_TRUE(Near({PointAt(square, 0)->position[0], PointAt(square, 0)->position[2], PointAt(square, 1)->position[0],
                      PointAt(square, 1)->position[2]},
                     {100, 200, 100, 100}, 1e-3));
    EXPECT_EQ(status.back(), "");  // the readout goes at the release
    // Clockwise a little: 360 less the turn.
    g.press({200, 150}), g.drag({250, 159});
    EXPECT_EQ(status.back(), statustext::drawAngle(355));
    g.cancel();
    const Plan before = PlanPositions(square);
    g.click({200, 150});
    EXPECT_EQ(PlanPositions(square), before);
}

TEST_F(TransformTools, MarqueeSelectsTheSameEitherWayAndShiftToggles) {
    gCurTool = toolid::kSelect;
    Objex* a = Make(8).closed().shown().plan({{300, 300}, {340, 300}, {340, 340}}).on(doc->itsCurLayer).bounds();
    Objex* b = Make(8).closed().shown().plan({{500, 300}, {540, 300}, {540, 340}}).on(doc->itsCurLayer).bounds();
    int panes = 0;
    SetMainWindowControllerSetElevationPaneHandler([&](const SelectionState40*) { ++panes; });
    for (std::vector<POINT> path : {std::vector<POINT>{{290, 290}, {350, 350}}, {{350, 350}, {290, 290}}}) {
        Make(a).select(0), Make(b).select(0);
        g.press(path[0]), g.drag(path[1]);
        EXPECT_TRUE(Near({view.dynamicDrawEngine->primaryPathRed, view.dynamicDrawEngine->primaryPathGreen},
                         {192.0 / 255, 0}, 1e-6));
        EXPECT_FALSE(view.dynamicDrawEngine->isPathEmpty(0));
        g.release(path[1]);
        EXPECT_EQ(std::tuple(IsObjectSelected(a), IsObjectSelected(b)), std::tuple(true, false));
    }
    EXPECT_GE(panes, 2);
    EXPECT_EQ(view.dynamicDrawEngine->primaryPathRed, 1);
    // Shift toggles what it encloses: a off, b on.
    Drag({{290, 290}, {550, 350}}, evmod::kShift);
    EXPECT_EQ(std::tuple(IsObjectSelected(a), IsObjectSelected(b)), std::tuple(false, true));
}

}  // namespace
