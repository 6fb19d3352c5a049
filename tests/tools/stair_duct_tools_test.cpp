// Staircases, railings, ducts and switch connectors drawn through the gesture runner in the
// plan (zoom 1, scale 72: a view point is a plan point).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class StairTools : public PlanGestureTest {
protected:
    int Count() { return CountObjects(doc->itsCurLayer->firstObject); }
    void Clicks(std::vector<POINT> at) {
        for (POINT p : at) g.move(p), g.click(p);
    }
    // The curved staircase: a click at `down`, then the pointer to `to` and a click there.
    Objex* Curve(POINT down, POINT to, uint32_t modifiers = 0) {
        gCurTool = 7059;
        const int before = Count();
        g.click(down), g.move(to, modifiers), g.click(to, modifiers);
        return Count() > before ? Last() : nullptr;
    }
    float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }
};

bool HasSteps(const Objex* stair) {
    for (const Objex* part = stair->firstPart; part; part = part->next)
        if (part->type == objtype::kStairStep) return true;
    return false;
}

TEST_F(StairTools, StraightStaircasesAndRailingsTakeTheirPlanAndDefaults) {
    ds->stairSizeA = 48, ds->stairSizeB = 7, ds->stairSizeC = 10, ds->stairSizeD = 36, ds->stairHeight = 96;
    ds->stairLeftRail = 1, ds->stairRightRail = 0, ds->stairOpenSteps = 0;
    ds->stairSkirtWalls = 0, ds->stairClosedStringer = 1, ds->stairLargeBase = 1;
    ds->railHeight = 36, ds->railValueB = 6, ds->railFlagA = 1, ds->railFlagB = 1;
    struct Row { int16_t tool; int16_t type; int32_t subtype, planBits, third, pointFlags; };
    const Row rows[] = {
        {7058, objtype::kStaircase, 800, 2, 1700, 0}, {7604, objtype::kStaircase, 800, 64, 2207, 1},
        {7060, objtype::kRailing, 802, 2, 0, 32},     {7602, objtype::kRailing, 802, 64, 0, 32},
        {7061, objtype::kRailing, 803, 2, 0, 32},     {7603, objtype::kRailing, 803, 64, 0, 32},
    };
    const uint8_t shown = g3DObjects;
    for (const Row& r : rows) {
        gCurTool = r.tool;
        Clicks({{100, 100}, {200, 100}, {200, 200}}), g.click({200, 200}, 0, 2);
        Objex* o = Last();
        ASSERT_TRUE(o && !TrackerLoopOpen()) << r.tool;
        EXPECT_TRUE(Near({o->type, o->subtype, o->planBits, o->texture2, o->texture3, int(o->fillColor.red), o->closed},
                         {r.type, r.subtype, r.planBits, 2206, r.third, 65535, 0}))
            << r.tool;
        for (Poinz* p = o->firstPoint; p; p = p->next)
            EXPECT_TRUE(Near({p->segmentFlags, p->texture1, p->texture2, int(p->color1.green)}, {r.pointFlags, 0, 0, 65535}))
                << r.tool;
        const bool stair = r.type == objtype::kStaircase;
        if (stair) EXPECT_TRUE(HasSteps(o)) << r.tool;  // built
        else EXPECT_NE(o->firstPart, nullptr) << r.tool;  // spindles and rails
        if (stair) {
            EXPECT_EQ(PlanPositions(o), (Plan{{100, 100}, {200, 100}, {200, 200}}));
            EXPECT_TRUE(Near({o->params[0], o->params[1], o->params[2], o->params[3], o->params[4], float(o->optionA),
                              float(o->optionB), o->plantAge},
                             {48, 7, 10, 36, 96, 1, 0, 1}));
            namespace sf = objfield::stair;
            EXPECT_TRUE(Near({sf::kSkirtWalls(*o), sf::kClosedStringer(*o), sf::kLargeBase(*o)}, {0, 1, 1}));
        } else {
            EXPECT_TRUE(Near({o->params[0], o->params[1], float(o->optionA), float(o->optionB)}, {36, 6, 1, 1}));
        }
    }
    EXPECT_EQ(g3DObjects, shown);  // the straight railing put it back
}

// The quarter about (200, 100) of radius 100, 30 degrees apart, from a press at (100, 100).
TEST_F(StairTools, CurvedStaircaseFollowsTheQuarterFromThePress) {
    Objex* below = Curve({100, 100}, {200, 200});
    ASSERT_TRUE(below);
    EXPECT_TRUE(Near({below->type, below->subtype, below->pointCount, below->planBits}, {38, 801, 4, 2}));
    const Plan quarter = PlanPositions(below);
    for (auto [h, d] : Plan{{100, 100}, {113.4f, 150}, {150, 186.6f}, {200, 200}}) {
        bool found = false;
        for (auto [qh, qd] : quarter) found |= std::fabs(qh - h) < 0.1f && std::fabs(qd - d) < 0.1f;
        EXPECT_TRUE(found) << h << "," << d;
    }
    EXPECT_TRUE(HasSteps(below));
    EXPECT_FALSE(TrackerLoopOpen() || TrackerLoopWantsMoves() || gMouseCaptured);  // moves off again

    // Up and right, the curve is turned round so that it starts at the press as the one
    // below does.
    Objex* above = Curve({100, 400}, {200, 300});
    ASSERT_TRUE(above);
    EXPECT_TRUE(Near({quarter.front().first, quarter.front().second}, {100, 100}, 1e-3f));
    EXPECT_TRUE(Near({H(above, 0), D(above, 0), H(above, 3), D(above, 3)}, {100, 400, 200, 300}, 1e-3f));

    // Shift: a quarter circle of radius the horizontal distance (100), ending at (200, 700).
    Objex* circle = Curve({100, 600}, {200, 650}, evmod::kShift);
    ASSERT_TRUE(circle);
    bool reaches = false;
    for (auto [h, d] : PlanPositions(circle)) reaches |= std::fabs(h - 200) < 0.1f && std::fabs(d - 700) < 0.1f;
    EXPECT_TRUE(reaches);

    // A second click on the press, or both half-axes under 20, build nothing.
    EXPECT_EQ(Curve({500, 500}, {500, 500}), nullptr);
    EXPECT_EQ(Curve({500, 500}, {515, 510}), nullptr);
    EXPECT_FALSE(TrackerLoopWantsMoves());
}

class DuctTools : public StairTools {};

TEST_F(DuctTools, DuctsTurnToFifteenDegreesUnlessShift) {
    ds->ductWidth = 12, ds->ductHeight = 20;
    gCurTool = 7400;
    // (100, 100) -> (164, 23): 100.12 long at 50.3 degrees.
    const float length = std::hypot(64.0f, 77.0f), c45 = length * std::sqrt(0.5f);
    struct Row { uint32_t modifiers; Plan want; };
    const Row rows[] = {{0, {{100, 100}, {100 + c45, 100 - c45}}}, {evmod::kShift, {{100, 100}, {164, 23}}}};
    for (const Row& r : rows) {
        Objex* duct = Drag({{100, 100}, {130, 60}, {164, 23}}, r.modifiers);
        ASSERT_TRUE(duct && duct->type == objtype::kAirDuct);
        const Plan got = PlanPositions(duct);
        ASSERT_EQ(got.size(), 2u);
        EXPECT_TRUE(Near({got[1].first, got[1].second}, {r.want[1].first, r.want[1].second}, 1e-2f)) << r.modifiers;
        EXPECT_TRUE(Near({float(duct->planBits), duct->params[2], duct->params[3]}, {32, 12, 20}));
    }
    const int before = Count(), resetsBefore = resets;
    Drag({{300, 300}, {310, 305}});
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(resets, resetsBefore + 1);
}

// Dragged from (100, 100) to (200, 150): the ellipse about (200, 100) of radii 100 and 50.
TEST_F(DuctTools, SwitchConnectorIsTheQuarterFromThePressToThePointer) {
    gCurTool = 7108;
    Objex* arc = Drag({{100, 100}, {150, 120}, {200, 150}});
    ASSERT_TRUE(arc && arc->type == objtype::kDetail);
    EXPECT_TRUE(Near({arc->subtype, arc->planBits, arc->pointCount}, {112, 4, 2}));
    Plan ends = PlanPositions(arc);
    std::sort(ends.begin(), ends.end());
    EXPECT_EQ(ends, (Plan{{100, 100}, {200, 150}}));
    Poinz* last = PointAt(arc, 1);
    EXPECT_TRUE(Near({arc->firstPoint->inTangent[0], arc->firstPoint->inTangent[2], last->outTangent[0],
                      last->outTangent[2]},
                     {0, 0, 0, 0}));
    EXPECT_NE(std::hypot(arc->firstPoint->outTangent[0], arc->firstPoint->outTangent[2]), 0.0f);

    // Shift squares it: radius 100 both ways, ending under the pointer at (200, 200).
    Objex* circle = Drag({{100, 300}, {150, 320}, {200, 350}}, evmod::kShift);
    ASSERT_NE(circle, arc);
    ends = PlanPositions(circle);
    std::sort(ends.begin(), ends.end());
    EXPECT_EQ(ends, (Plan{{100, 300}, {200, 400}}));

    const int before = Count();
    Drag({{500, 500}, {505, 505}});
    EXPECT_EQ(Count(), before);
}

}  // namespace
