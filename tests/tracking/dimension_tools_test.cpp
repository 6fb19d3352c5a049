// The dimension tools played as gestures in the plan (zoom 1, scale 72: a view point is a plan
// point), their dimensions checked against points worked out by hand.
#include <gtest/gtest.h>

#include <tuple>

#include "model/docstate.h"
#include "model/point_edits.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/track_events.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;

class DimensionTools : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        ds->currentPlanBit = 256;
    }
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    static float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    static float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }
    // A drag from `down` to `up`, then the placing loop: a move to `pick` and a press there.
    Objex* Place(int16_t tool, POINT down, POINT up, POINT pick, uint32_t modifiers = 0) {
        gCurTool = tool;
        g.press(down, modifiers), g.drag(up, modifiers), g.release(up, modifiers);
        g.move(pick), g.click(pick);
        EXPECT_FALSE(g.running());
        return Last();
    }
};

TEST_F(DimensionTools, AShortDragIsAClickThatBuildsNothing) {
    for (int16_t tool : {209, 210, 211, 213}) gCurTool = tool, Drag({{100, 100}, {110, 110}});
    EXPECT_TRUE(Near({Count(), resets}, {0, 4}));
    EXPECT_FALSE(g.running());
}

TEST_F(DimensionTools, DirectionsTurnToFifteenDegreeSteps) {
    // A drag of 100 toward 36.9 degrees, (180, 40) from (100, 100), turns to 30 degrees,
    // (186.6, 50): the line and the leader's second leg without Shift, the length with it.
    for (auto [tool, shift, up, at, h, d, type] :
         {std::tuple{209, 0u, POINT{180, 40}, 1, 186.6f, 50.0f, 137}, {209, evmod::kShift, POINT{180, 40}, 1, 180.0f, 40.0f, 137},
          {211, evmod::kShift, POINT{180, 40}, 0, 186.6f, 50.0f, 143}, {211, 0u, POINT{180, 40}, 0, 180.0f, 40.0f, 143},
          {213, 0u, POINT{200, 100}, 2, 286.6f, 50.0f, 108}}) {
        Objex* o = Place(int16_t(tool), {100, 100}, up, {280, 40}, shift);
        EXPECT_TRUE(Near({o->type, o->planBits, H(o, at), D(o, at)}, {type, 256, h, d}, 0.05)) << tool << " " << shift;
    }
}

TEST_F(DimensionTools, TheOffsetLineLiesAcrossThePointerSide) {
    // 142 a horizontal line, 141 a vertical one.
    for (auto [down, up, pick, type] : {std::tuple{POINT{100, 100}, POINT{200, 150}, POINT{150, 20}, 142},
                                        {POINT{100, 100}, POINT{200, 150}, POINT{150, 260}, 142},
                                        {POINT{100, 100}, POINT{200, 150}, POINT{320, 125}, 141},
                                        {POINT{100, 100}, POINT{100, 200}, POINT{110, 0}, 141},
                                        {POINT{100, 100}, POINT{200, 100}, POINT{400, 100}, 142}}) {
        Objex* dim = Place(210, down, up, pick);
        EXPECT_TRUE(Near({dim->type, dim->planBits}, {type, 256})) << pick.x << "," << pick.y;
    }
}

TEST_F(DimensionTools, TabInThePlacingLoopStepsTheSnapModeAndTheLoopGoesOn) {
    gCurTool = 211, gCurSnap = snapmode::kNone;
    g.press({100, 100}), g.drag({200, 100}), g.release({200, 100});
    g.key(keycode::kTab);
    EXPECT_TRUE(Near({gCurSnap, g.running(), Count()}, {snapmode::kEndPoint, 1, 0}));
    g.key(keycode::kEscape), g.flags(evmod::kShift), g.move({150, 200});  // other keys change nothing
    EXPECT_TRUE(g.running() && Count() == 0);
    g.click({150, 200});
    EXPECT_TRUE(Near({Count(), g.running()}, {1, 0}));
}

TEST_F(DimensionTools, DiametersAreTakenOnlyAcrossCircles) {
    // Ovals about (x, y), their points right, top, left, bottom; the press on the right one.
    auto oval = [&](float x, float y, float w, float h, int points = 4, int32_t subtype = 2) {
        Objex* o = Shape(doc->itsCurLayer, objtype::kDetail,
                         {{x + w / 2, y}, {x, y - h / 2}, {x - w / 2, y}, {x, y + h / 2}}, true, subtype);
        while (o->pointCount > points) RemovePointInObject(o, PointAt(o, points));
        return o;
    };
    gCurTool = 212;
    oval(200, 200, 100.2f, 99.8f), oval(500, 200, 100, 100);
    Objex* dim = (g.click({250, 200}), Last());  // no drag: toward the press
    const int n = dim->pointCount - 1;
    EXPECT_TRUE(Near({dim->type, dim->planBits, H(dim, 0), D(dim, 0), H(dim, n), D(dim, n)},
                     {104, 256, 250.1, 200, 149.9, 200}, 0.01));
    dim = Drag({{550, 200}, {520, 150}, {500, 100}});  // dragged straight up
    EXPECT_TRUE(Near({dim->type, H(dim, 0), D(dim, 0), H(dim, n), D(dim, n)}, {104, 500, 150, 500, 250}, 0.01));

    // Refused: 100.4 by 100.6, three points, a rectangle, nothing under the press.
    oval(200, 500, 100.4f, 100.6f), oval(400, 500, 100, 100, 3), oval(600, 500, 100, 100, 4, 1);
    for (int x : {250, 450, 650, 850}) {
        const int before = Count();
        Drag({{x, 500}, {x, 400}});
        EXPECT_TRUE(Count() == before && !g.running()) << x;
    }
}

}  // namespace
