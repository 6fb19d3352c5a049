// Fillets and chamfers dragged on corners in the plan (zoom 1: a view point is a plan unit),
// the arcs and cuts checked against lengths worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/splines.h"
#include "port/alerts.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/seam_recorders.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
constexpr int16_t kFillet = 7910, kInverted = 7911, kChamfer = 7912;

class FilletChamfer : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
    }
    void TearDown() override {
        port::setAlerts(nullptr);
        PlanGestureTest::TearDown();
    }
    // A square floor with its first corner at (100, 100), its legs `side` long.
    Objex* Square(float side, int16_t type = objtype::kFloor) {
        return Shape(doc->itsCurLayer, type, {{100, 100}, {100 + side, 100}, {100 + side, 100 + side}, {100, 100 + side}},
                     true);
    }
    Objex* Gesture(int16_t tool, std::vector<POINT> path) {
        gCurTool = tool;
        Drag(path);
        return Last();
    }
    float H(int i) { return PointAt(Last(), i)->position[0]; }
    float D(int i) { return PointAt(Last(), i)->position[2]; }
    static int Markers(const Objex* o) {
        int n = 0;
        for (const Poinz* p = o->firstPoint; p; p = p->next) n += p->kind == 2;
        return n;
    }
    RecordingAlerts alerts;
};

TEST_F(FilletChamfer, AFilletIsAnArcTangentToBothLegs) {
    // Right angle at (100, 100), neighbours (100, 200) before and (200, 100) after; the pointer
    // 40 away: r = t = 40 sin 45 = 28.28, the centre 40 along the bisector.
    Square(100);
    Objex* floor = Gesture(kFillet, {{100, 100}, {140, 100}});
    const float t = 40 * std::sqrt(0.5f), c = 100 + t, m = 100 + (40 - t) * std::sqrt(0.5f);
    EXPECT_EQ(PlanPositions(floor).size(), 6u);
    EXPECT_TRUE(Near({H(0), D(0), H(1), D(1), H(2), D(2), Markers(floor)}, {100, c, m, m, c, 100, 0}, 0.01));
    const Poinz* first = PointAt(floor, 0);
    for (const auto& [a, b] : {std::pair{PointAt(floor, 0), PointAt(floor, 1)}, {PointAt(floor, 1), PointAt(floor, 2)}})
        for (float s : {0.25f, 0.5f, 0.75f}) {
            float h, v, d;
            GetSplineCoordinate(a, b, s, &h, &v, &d);
            EXPECT_NEAR(std::hypot(h - c, d - c), t, 0.05) << s;
        }
    // Leaving along the leg from (100, 200) and arriving along the one to (200, 100).
    EXPECT_TRUE(Near({first->outTangent[0], PointAt(floor, 2)->inTangent[2]}, {0, 0}, 1e-3));
    EXPECT_TRUE(first->outTangent[2] < 0 && PointAt(floor, 2)->inTangent[0] > 0);
    EXPECT_EQ(undo.actionNames.back(), "Fillet Tool");

    // 90 away: 63.6. Legs of 60 and the pointer 200 away: d steps down to 82 (t = 57.98), the
    // inverted radius to 57.
    for (auto [tool, side, reach, along] : {std::tuple{kFillet, 100.0f, 90, 63.64f},
                                            {kFillet, 60.0f, 200, 57.98f}, {kInverted, 60.0f, 200, 57.0f}}) {
        DeleteObj(UnlinkObject(Last()));
        Square(side);
        Objex* o = Gesture(tool, {{100, 100}, {100 + reach, 100}});
        EXPECT_TRUE(Near({o->pointCount, D(0), H(2)}, {6, 100 + along, 100 + along}, 0.01)) << tool << " " << reach;
    }
    // The inverted arc is centred on the corner: its middle 57 out along the bisector.
    EXPECT_TRUE(Near({H(1), D(1)}, {100 + 57 * std::sqrt(0.5f), 100 + 57 * std::sqrt(0.5f)}, 0.01));
}

TEST_F(FilletChamfer, ARefusedFilletAlertsOnceAtThePress) {
    auto curved = [&] {
        Objex* o = Square(100);
        o->firstPoint->outTangent[0] = 30;
        return o;
    };
    auto detail = [&] {
        Objex* o = Shape(doc->itsCurLayer, objtype::kDetail, {{100, 100}, {200, 100}, {200, 200}}, true, 3);
        objfield::detail_shape::kSecondWord(*o) = 0;
        return o;
    };
    auto stepped = [&] {
        Objex* deck = Square(100, objtype::kDeck);
        Attach(deck, objtype::kDeckSteps, PointAt(deck, 0), PointAt(deck, 1));
        return deck;
    };
    for (auto [make, message] : std::initializer_list<std::pair<std::function<Objex*()>, std::string>>{
             {detail, "You must set the object to point-level editing before applying a fillet."},
             {[&] { return Square(100, objtype::kFence); }, "Fillets cannot be applied to this type of object."},
             {stepped, "Fillets cannot be applied to deck segments that contain steps."},
             {curved, "Fillets cannot be applied to curved segments."}}) {
        alerts.shown.clear(), undo.actionNames.clear();
        Objex* o = make();
        const Plan before = PlanPositions(o);
        Gesture(kFillet, {{100, 100}, {130, 100}, {140, 100}});
        ASSERT_EQ(alerts.shown.size(), 1u) << message;
        EXPECT_EQ(alerts.shown[0].alert.message, "Unable to fillet corner.");
        EXPECT_EQ(alerts.shown[0].alert.informative, message);
        EXPECT_EQ(PlanPositions(o), before);
        EXPECT_TRUE(undo.actionNames.empty());
        DeleteObj(UnlinkObject(o));
    }
    // A straight corner: nothing, silently, and no undo step.
    alerts.shown.clear();
    Objex* o = Shape(doc->itsCurLayer, objtype::kFloor, {{100, 100}, {150, 100}, {200, 100}, {200, 200}}, true);
    Gesture(kFillet, {{150, 100}, {170, 100}});
    EXPECT_TRUE(Near({o->pointCount, alerts.shown.size(), undo.actionNames.empty()}, {4, 0, 1}));
}

TEST_F(FilletChamfer, AFilletThatDoesNotFitGivesTheCornerBack) {
    const Plan square{{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    Objex* o = Square(100);
    Gesture(kFillet, {{100, 100}, {140, 100}, {100, 100}});  // released on the corner
    EXPECT_EQ(PlanPositions(o), square);
    // Abandoned midway (another tool chosen).
    gCurTool = kFillet;
    g.press({100, 100}), g.drag({140, 100});
    EXPECT_EQ(Markers(o), 2);
    ResetTrackingState();
    EXPECT_TRUE(Near({Markers(o), o->firstPoint->outTangent[2]}, {0, 0}));
    EXPECT_EQ(PlanPositions(o), square);
}

TEST_F(FilletChamfer, EachTypeIsRebuiltOnceAndRoofsComeBackStraight) {
    RebuildRecorder rebuilds;
    for (auto [type, tool, seam] : {std::tuple{objtype::kRailing, kFillet, "UpdateRailObject"},
                                    {objtype::kFence, kChamfer, "UpdateFenceObject"},
                                    {objtype::kEdging, kChamfer, "UpdateEdgingObject"}}) {
        Objex* o = Square(100, type);
        Gesture(tool, {{100, 100}, {140, 100}});
        EXPECT_EQ(rebuilds.count(seam, o), 1) << seam;
        EXPECT_EQ(rebuilds.calls.size(), 1u) << seam;
        rebuilds.calls.clear();
        DeleteObj(UnlinkObject(o));
    }
    // A roof panel's arc becomes straight pieces, 6 to a segment: 4 + 2 + 2 x 5 points.
    Objex* roof = PanelRoof(doc->itsCurLayer, {{100, 100}, {200, 100}, {200, 200}, {100, 200}}, {});
    Gesture(kFillet, {{100, 100}, {140, 100}});
    int curved = 0;
    for (const Poinz* p = roof->firstPoint; p; p = p->next) curved += p->outTangent[0] != 0 || p->outTangent[2] != 0;
    EXPECT_TRUE(Near({roof->pointCount, curved, ds->curveSegments}, {16, 0, 10}));
}

TEST_F(FilletChamfer, AChamferCutsBackUntilBothLegsKeepTwoUnits) {
    // Shorter leg 30: 50, 48, ... 28.
    Objex* o = Shape(doc->itsCurLayer, objtype::kFloor, {{100, 100}, {200, 100}, {200, 200}, {100, 130}}, true);
    Gesture(kChamfer, {{100, 100}, {150, 100}});
    EXPECT_EQ(PlanPositions(o), (Plan{{100, 128}, {128, 100}, {200, 100}, {200, 200}, {100, 130}}));
    EXPECT_EQ(undo.actionNames.back(), "Chamfer Tool");
    // A cut of 1.4 is not made; nor one on a leg of 2, where no set-back fits.
    DeleteObj(UnlinkObject(o));
    for (auto [corner, pointer] : {std::pair{Plan{{100, 100}, {200, 100}, {200, 200}, {100, 200}}, POINT{101, 100}},
                                   {Plan{{100, 100}, {200, 100}, {200, 200}, {100, 102}}, POINT{150, 100}}}) {
        o = Square(100);
        for (size_t i = 0; i < corner.size(); ++i) PointAt(o, int(i))->position[2] = corner[i].second;
        Gesture(kChamfer, {{100, 100}, {120, 120}, pointer});
        EXPECT_EQ(PlanPositions(o), corner);
        DeleteObj(UnlinkObject(o));
    }
    // An arc's centre elsewhere on the outline stays; a straight corner is cut like any other.
    o = Shape(doc->itsCurLayer, objtype::kFloor, {{100, 100}, {150, 100}, {200, 100}, {200, 200}, {150, 150}}, true);
    PointAt(o, 4)->kind = 4;
    Gesture(kChamfer, {{150, 100}, {170, 100}});
    EXPECT_EQ(PlanPositions(o), (Plan{{100, 100}, {130, 100}, {170, 100}, {200, 100}, {200, 200}, {150, 150}}));
    EXPECT_EQ(PointAt(o, 5)->kind, 4);
}

}  // namespace
