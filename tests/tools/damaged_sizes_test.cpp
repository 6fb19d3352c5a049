// Builders given the sizes and positions of a damaged file: a spacing of almost nothing, a
// point at 1e36, a floor a light-year high. Each lays at most a run's worth of pieces along a
// line or a curve (4096, spreading them farther apart) and an object at most 16384, and ends;
// a spindle spacing below a plan unit counts as one. The scale is 72: an inch is a plan unit.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "geometry/elements/edging_build.h"
#include "geometry/elements/fence_build.h"
#include "geometry/elements/rail_build.h"
#include "geometry/elements/stair_build.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/piece_runs.h"
#include "scene/plane_object.h"
#include "scene/wall_framing.h"
#include "support/build.h"
#include "tools/deck_tools.h"

namespace {

using namespace dvxtest;
namespace rf = objfield::railing;
namespace ff = objfield::fence;
namespace sf = objfield::stair;
namespace df = objfield::deck;
constexpr int kRun = pieceruns::kMostPerRun, kObject = pieceruns::kMostPerObject;

class DamagedSizes : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        ds = doc->itsDocState;
        ds->planScale = 72, ds->curveSegments = 10;
    }
    Objex* Railing(PlanPoints plan, float spacing) {
        Objex* r = Shape(floor, objtype::kRailing, plan);
        rf::kHeight(*r) = 36, rf::kBalusterSpacing(*r) = spacing;
        return r;
    }
    Objex* CurvedDeck(float farH, float spacing) {
        Objex* deck = Deck(floor);
        df::kBalusterSpacing(*deck) = spacing;
        for (Poinz* p = deck->firstPoint; p; p = p->next) df::kEdgeFlags(*p) = df::kHandrailEdge, df::kHandrailHeight(*p) = 36;
        PointAt(deck, 1)->position[0] = farH;
        PointAt(deck, 0)->outTangent[2] = -100, PointAt(deck, 1)->inTangent[2] = 100;
        return deck;
    }
    DocState* ds = nullptr;
};

TEST_F(DamagedSizes, EveryBuilderEndsWithinARunAndAnObjectsWorthOfPieces) {
    struct Row {
        const char* what;
        std::function<Objex*()> build;
        int most;
        int exactly = -1;
    };
    const Row rows[] = {
        // 40960 at 6 would be 6827 intervals: 4096 of 10 instead, 4097 spindles and two rails.
        {"a straight span 40960 long", [&] { return Railing({{0, 0}, {40960, 0}}, 6); }, kRun + 3, kRun + 3},
        {"a spacing of 1e-6 counts as one plan unit", [&] { return Railing({{0, 0}, {50, 0}}, 1e-6f); }, 53, 53},
        {"a span to a point at 1e18", [&] { return Railing({{0, 0}, {1e18f, 0}}, 6); }, kRun + 3, kRun + 3},
        {"a span too long for a number (a point at 1e36)", [&] { return Railing({{0, 0}, {1e36f, 0}}, 6); }, 0, 0},
        {"ten spans of 40960", [&] {
             Objex* r = Make(objtype::kRailing).on(floor).line(11, 40960).rows(1);
             rf::kHeight(*r) = 36, rf::kBalusterSpacing(*r) = 6;
             return r;
         }, kObject, kObject},
        {"a curved railing to a point at 1e18", [&] {
             Objex* r = Railing({{0, 0}, {1e18f, 0}}, 6);
             PointAt(r, 0)->outTangent[2] = 1e17f;
             return r;
         }, kObject},
        {"a curved deck edge to a point at 3e36", [&] { return CurvedDeck(3e36f, 6); }, kObject},
        {"a curved deck edge to a point at 1e18", [&] { return CurvedDeck(1e18f, 6); }, kObject},
        {"a curved deck edge with a spacing of 1e-9", [&] { return CurvedDeck(200, 1e-9f); }, kObject},
        // Each of 4096 pickets 12 wide is followed by two spacers; the rest of the segment stays bare.
        {"a picket fence 1e9 long", [&] {
             Objex* f = Shape(floor, objtype::kFence, {{0, 0}, {1e9f, 0}});
             ff::kStyle(*f) = 700;
             return f;
         }, 3 * kRun, 3 * kRun},
        // The first post, then 4096 pickets each with its post.
        {"a custom fence of pickets 1e-30 wide", [&] {
             Objex* f = Shape(floor, objtype::kFence, {{0, 0}, {100, 0}});
             ff::kStyle(*f) = ff::kCustomStyle;
             ff::kPicketWidth(*f) = 1e-30f, ff::kPicketHeight(*f) = 48, ff::kPostHeight(*f) = 60;
             return f;
         }, 2 * kRun + 1, 2 * kRun + 1},
        {"edging to a point at 1e30", [&] { return Shape(floor, objtype::kEdging, {{0, 0}, {1e30f, 0}}); }, kRun + 1},
        {"a curved staircase 1e30 high on treads of 1e-6", [&] {
             Objex* s = Shape(floor, objtype::kStaircase, {{0, 0}, {200, 0}});  // not 800: walked as a curve
             sf::kWidth(*s) = 36, sf::kRiser(*s) = 1e-3f, sf::kTread(*s) = 1e-6f, sf::kFloorHeight(*s) = 1e30f;
             sf::kRailHeight(*s) = 36, sf::kLeftRail(*s) = sf::kRightRail(*s) = 1;
             PointAt(s, 0)->outTangent[2] = 100;
             return s;
         }, kObject},
    };
    for (const Row& r : rows) {
        Objex* o = r.build();
        if (o->type == objtype::kDeck) Update3DDeck(o);
        else if (o->type == objtype::kRailing) UpdateRailObject(o);
        else if (o->type == objtype::kFence) UpdateFenceObject(o);
        else if (o->type == objtype::kEdging) UpdateEdgingObject(o);
        else UpdateStairObject(o);
        EXPECT_LE(PartCount(o), r.most) << r.what;
        if (r.exactly >= 0) EXPECT_EQ(PartCount(o), r.exactly) << r.what;
        DeleteObj(UnlinkObject(o));
    }
    // The capped span's spindles stand 10 apart, end to end.
    Objex* span = Railing({{0, 0}, {40960, 0}}, 6);
    UpdateRailObject(span);
    ASSERT_EQ(PartsOfType(span, objtype::kStairRail).size(), size_t(kRun + 3));
    const Objex* second = span->firstPart->next;
    EXPECT_NEAR((second->bounds3D.floatLeft + second->bounds3D.floatRight) / 2, 10, 1e-3f);
    DeleteObj(UnlinkObject(span));
}

// A deck's flight down from a deck a light-year high climbs at most a run of risers; studs of a
// wall framed at a spacing of almost nothing spread out to a run.
TEST_F(DamagedSizes, FlightsAndStudsStopAtARun) {
    Objex* deck = Deck(floor);
    df::kHeight(*deck) = 1e30f;
    df::kStepWidth(*PointAt(deck, 0)) = 36, df::kStepHeight(*PointAt(deck, 0)) = 1e30f;
    CreateDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    EXPECT_GT(PartCount(deck), 0);
    EXPECT_LE(PartCount(deck), kObject);
    DeleteObj(UnlinkObject(deck));

    Objex* wall = Wall(floor, {{0, 0}, {1000, 0}});
    ds->studSpacing = 1e-6f;
    FramePoint a{}, b{};
    b.H = 1000;
    DeleteAllRendererObjects();
    FrameWallStuds(a, b, 0, -96, wall, ds, false, false);
    int studs = 0;
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) ++studs;
    EXPECT_GT(studs, 0);
    EXPECT_LE(studs, kRun * 6);  // a few planes a stud
    DeleteAllRendererObjects();
}

}  // namespace
