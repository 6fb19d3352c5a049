// Fillets and chamfers dragged on corners in the plan (zoom 1: a view point is a plan unit),
// the arcs and cuts checked against lengths worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
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
#include "support/scene_checks.h"
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
    Objex* Gesture(int16_t tool, std::vector<POINT> path) { return gCurTool = tool, Drag(path); }
    float H(int i) { return PointAt(Last(), i)->position[0]; }
    float D(int i) { return PointAt(Last(), i)->position[2]; }
    static int Markers(const Objex* o, int n = 0) {
        for (const Poinz* p = o->firstPoint; p; p = p->next) n += p->kind == 2;
        return n;
    }
    RecordingAlerts alerts;
};

TEST_F(FilletChamfer, AFilletIsAnArcTangentToBothLegs) {
    // Right angle at (100, 100), neighbours (100, 200) before and (200, 100) after; the pointer
    // 40 away: r = t = 40 sin 45 = 28.28, the centre 40 along the bisector.
    Objex* floor = (Square(100), Gesture(kFillet, {{100, 100}, {140, 100}}));
    const float t = 40 * std::sqrt(0.5f), c = 100 + t, m = 100 + (40 - t) * std::sqrt(0.5f);
    EXPECT_TRUE(Near({floor->pointCount, H(0), D(0), H(1), D(1), H(2), D(2), Markers(floor)},
                     {6, 100, c, m, m, c, 100, 0}, 0.01));
    for (int i : {0, 1})
        for (float s : {0.25f, 0.5f, 0.75f}) {
            float h, v, d;
            GetSplineCoordinate(PointAt(floor, i), PointAt(floor, i + 1), s, &h, &v, &d);
            EXPECT_NEAR(std::hypot(h - c, d - c), t, 0.05) << s;
        }
    // Leaving along the leg from (100, 200), arriving along the one to (200, 100).
    const float *out = PointAt(floor, 0)->outTangent, *in = PointAt(floor, 2)->inTangent;
    EXPECT_TRUE(std::fabs(out[0]) < 1e-3 && out[2] < 0 && in[0] > 0 && std::fabs(in[2]) < 1e-3);
    EXPECT_EQ(undo.actionNames.back(), "Fillet Tool");

    // 90 away: 63.6. Legs of 60 and the pointer 200 away: d steps down to 82 (t = 57.98), the
    // inverted radius to 57.
    for (auto [tool, side, reach, along] : {std::tuple{kFillet, 100.0f, 90, 63.64f},
                                            {kFillet, 60.0f, 200, 57.98f}, {kInverted, 60.0f, 200, 57.0f}}) {
        DeleteObj(UnlinkObject(Last()));
        Objex* o = (Square(side), Gesture(tool, {{100, 100}, {100 + reach, 100}}));
        EXPECT_TRUE(Near({o->pointCount, D(0), H(2)}, {6, 100 + along, 100 + along}, 0.01)) << tool << " " << reach;
    }
    // The inverted arc is centred on the corner: its middle 57 out along the bisector.
    EXPECT_TRUE(Near({H(1), D(1)}, {100 + 57 * std::sqrt(0.5f), 100 + 57 * std::sqrt(0.5f)}, 0.01));
}

TEST_F(FilletChamfer, ARefusedFilletAlertsOnceAtThePress) {
    using objtype::kDetail, objtype::kFence, objtype::kDeck, objtype::kFloor;
    for (auto [type, subtype, message] :
         {std::tuple{kDetail, 3, "You must set the object to point-level editing before applying a fillet."},
          {kDetail, 6, "Fillets cannot be applied to this type of object."},
          {kFence, 0, "Fillets cannot be applied to this type of object."},
          {kDeck, 0, "Fillets cannot be applied to deck segments that contain steps."},
          {kFloor, 0, "Fillets cannot be applied to curved segments."}}) {
        alerts.shown.clear(), undo.actionNames.clear();
        Objex* o = Shape(doc->itsCurLayer, type, {{100, 100}, {200, 100}, {200, 200}}, true, subtype);
        objfield::detail_shape::kSecondWord(*o) = subtype == 6;
        if (type == kDeck) Attach(o, objtype::kDeckSteps, PointAt(o, 0), PointAt(o, 1));
        if (type == kFloor) o->firstPoint->outTangent[0] = 30;
        const Plan before = PlanPositions(o);
        Gesture(kFillet, {{100, 100}, {130, 100}, {140, 100}});
        ASSERT_EQ(alerts.shown.size(), 1u) << message;
        EXPECT_EQ(alerts.shown[0].alert.message, "Unable to fillet corner.");
        EXPECT_EQ(alerts.shown[0].alert.informative, message);
        EXPECT_TRUE(PlanPositions(o) == before && undo.actionNames.empty()) << message;
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
    Objex* o = (Square(100), Gesture(kFillet, {{100, 100}, {140, 100}, {100, 100}}));  // released on the corner
    EXPECT_EQ(PlanPositions(o), square);
    g.press({100, 100}), g.drag({140, 100});
    EXPECT_EQ(Markers(o), 2);
    ResetTrackingState();  // abandoned midway: another tool chosen
    EXPECT_TRUE(PlanPositions(o) == square && Markers(o) == 0 && o->firstPoint->outTangent[2] == 0);
}

TEST_F(FilletChamfer, EachTypeIsRebuiltAndRoofsComeBackStraight) {
    for (auto [type, tool] : {std::pair{objtype::kRailing, kFillet}, {objtype::kFence, kChamfer},
                              {objtype::kEdging, kChamfer}}) {
        Objex* o = Square(100, type);
        if (type == objtype::kFence) objfield::fence::kStyle(*o) = 700;
        AddStalePieces({o});
        Gesture(tool, {{100, 100}, {140, 100}});
        EXPECT_TRUE(!HasStalePiece(o) && o->firstPart) << type;
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
    // Shorter leg 30: 50, 48, ... 28. A cut of 1.4 is not made; nor one on a leg of 2, where
    // no set-back fits.
    for (auto [leg, pointer, want] : {std::tuple{130, POINT{150, 100}, Plan{{100, 128}, {128, 100}}},
                                      {200, POINT{101, 100}, Plan{{100, 100}}}, {102, POINT{150, 100}, Plan{{100, 100}}}}) {
        Objex* o = Shape(doc->itsCurLayer, objtype::kFloor, {{100, 100}, {200, 100}, {200, 200}, {100, float(leg)}}, true);
        Gesture(kChamfer, {{100, 100}, {120, 120}, pointer});
        want.insert(want.end(), {{200, 100}, {200, 200}, {100, float(leg)}});
        EXPECT_EQ(PlanPositions(o), want) << leg;
        DeleteObj(UnlinkObject(o));
    }
    EXPECT_EQ(undo.actionNames.front(), "Chamfer Tool");
    // An arc's centre elsewhere on the outline stays; a straight corner is cut like any other.
    Objex* o = Shape(doc->itsCurLayer, objtype::kFloor, {{100, 100}, {150, 100}, {200, 100}, {200, 200}, {150, 150}}, true);
    PointAt(o, 4)->kind = 4;
    Gesture(kChamfer, {{150, 100}, {170, 100}});
    EXPECT_EQ(PlanPositions(o), (Plan{{100, 100}, {130, 100}, {170, 100}, {200, 100}, {200, 200}, {150, 150}}));
    EXPECT_EQ(PointAt(o, 5)->kind, 4);
}

}  // namespace
