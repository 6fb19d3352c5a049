// The foundation plan's tools played through the gesture runner at zoom 1 and scale 72 (a view
// point is a plan unit is an inch).
#include <gtest/gtest.h>

#include <cmath>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tracking/track_events.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class Foundations : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        port::setAlerts(&alerts);
        ds->wallThickness = 8, ds->stiffenerBeamWidth = 12, ds->foundationBeamValue = 14, ds->pierDiameter = 12;
        doc->itsCurLayer->height = 96;
    }
    void TearDown() override { port::setAlerts(nullptr), PlanGestureTest::TearDown(); }
    Objex* Perimeter(const Plan& outline) {
        gCurTool = 7000;
        for (auto [h, d] : outline) {
            const POINT at{int32_t(h), int32_t(d)};
            g.move(at), g.click(at);
        }
        g.key(keycode::kEscape);
        return Last();
    }
    RecordingAlerts alerts;
};

TEST_F(Foundations, APerimeterBecomesTheSameExteriorWallEitherWayRound) {
    Objex* ccw = Perimeter({{100, 100}, {100, 300}, {300, 300}, {300, 100}});
    ASSERT_TRUE(ccw && ccw->type == objtype::kWall);
    EXPECT_EQ(std::tuple(ccw->subtype, ccw->planBits, ccw->pointCount, CountObjects(doc->itsCurLayer->firstObject)),
              std::tuple(54, 1, 4, 1));
    EXPECT_TRUE(Near({ccw->penWidth, objfield::wall::kHeight(*ccw), float(ccw->auxColor.red)}, {8, 96, 0}));
    ASSERT_EQ(ccw->typeData.kind, TypeDataKind::WallSolid);  // built by the wall rebuild
    // The wall's centre line lies half the thickness inside the drawn outline.
    Plan got = PlanPositions(ccw);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (Plan{{104, 104}, {104, 296}, {296, 104}, {296, 296}}));

    Objex* cw = Perimeter({{100, 100}, {300, 100}, {300, 300}, {100, 300}});
    ASSERT_TRUE(cw && cw != ccw);
    Plan again = PlanPositions(cw);
    std::sort(again.begin(), again.end());
    EXPECT_EQ(again, got);
    // A base moulding in the slot the winding names (flagged on the point); the other slot an
    // empty record, as a read gives it, where a dropped trim goes.
    for (const Objex* wall : {ccw, cw})
        for (const Poinz* p = wall->firstPoint; p; p = p->next) {
            const TrimRecord* trim = p->dimensionFlipped ? p->trim2 : p->trim1;
            const TrimRecord* other = p->dimensionFlipped ? p->trim1 : p->trim2;
            ASSERT_TRUE(trim && other);
            EXPECT_EQ(std::pair(trim->slot[0], other->slot[0]), std::pair(3, 0));
            EXPECT_EQ(std::pair(other->texture[0], other->scale[0][0]), std::pair(0, uint16_t(0)));
        }
    EXPECT_NE(ccw->firstPoint->dimensionFlipped, cw->firstPoint->dimensionFlipped);
    EXPECT_TRUE(alerts.shown.empty());
    // The automatic flooring's depth, where the wall pane edits it: a foot, or 30 cm.
    EXPECT_EQ(objfield::wall::kFloorDepth(*ccw), 12.0f);
    ds->units = kMetricUnits;
    Objex* metric = Perimeter({{400, 100}, {600, 100}, {600, 300}});
    ASSERT_TRUE(metric && metric->type == objtype::kWall);
    EXPECT_NEAR(objfield::wall::kFloorDepth(*metric) * 2.54f, 30.0f, 1e-4);
    ds->units = kImperialUnits;

    const int before = CountObjects(doc->itsCurLayer->firstObject);
    Perimeter({{100, 100}, {300, 100}});
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Foundation perimeter is undefined.");
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), before);
}

TEST_F(Foundations, LinesTurnToFifteenDegreesUnlessShiftAndClicksMakeNothing) {
    // Dragged 100 long at 22 degrees from (100, 300): (192.72, 262.54) on screen.
    const float a22 = 22 * float(M_PI) / 180, a15 = 15 * float(M_PI) / 180;
    struct Row { const char* what; int16_t tool; uint32_t modifiers; float angle; int16_t type; };
    const std::vector<Row> rows = {
        {"beam at 15", 7001, 0, a15, objtype::kStiffenerBeam},
        {"beam with Shift at 22", 7001, evmod::kShift, a22, objtype::kStiffenerBeam},
        {"strand", 7003, 0, a15, objtype::kPostTensionStrand},
        {"slope arrow", 7004, 0, a15, objtype::kFoundationSlope},
    };
    const POINT end{100 + int32_t(std::lround(100 * std::cos(a22))), 300 - int32_t(std::lround(100 * std::sin(a22)))};
    const float dragged = std::hypot(float(end.x - 100), float(end.y - 300));
    for (const Row& r : rows) {
        gCurTool = r.tool;
        Objex* line = Drag({{100, 300}, {150, 280}, end}, r.modifiers);
        ASSERT_TRUE(line && line->type == r.type) << r.what;
        const float angle = r.modifiers ? std::atan2(float(300 - end.y), float(end.x - 100)) : r.angle;
        EXPECT_EQ(std::tuple(line->planBits, line->pointCount), std::tuple(1, 2)) << r.what;
        EXPECT_TRUE(Near({PointAt(line, 1)->position[0], PointAt(line, 1)->position[2]},
                         {100 + dragged * std::cos(angle), 300 - dragged * std::sin(angle)}, 1e-2f))
            << r.what;
        if (r.type == objtype::kStiffenerBeam) {
            EXPECT_TRUE(Near({objfield::beam::kDepth(*line), objfield::beam::kWidth(*line)}, {14, 12})) << r.what;
        }
        // A click makes nothing and goes back to the standard tool.
        const int resetsBefore = resets, count = CountObjects(doc->itsCurLayer->firstObject);
        gCurTool = r.tool;
        Drag({{400, 400}, {405, 404}});
        EXPECT_EQ(std::tuple(resets - resetsBefore, CountObjects(doc->itsCurLayer->firstObject), gMouseCaptured),
                  std::tuple(1, count, uint8_t(0)))
            << r.what;
    }
}

TEST_F(Foundations, APierIsASquareOfItsDiameterAtEveryReleaseAndTheSnapLockComesBack) {
    gCurTool = 7002;
    gSnapLocked = 0;
    g.click({200, 150});
    Objex* pier = Last();
    ASSERT_TRUE(pier && pier->type == objtype::kFoundationPier);
    EXPECT_EQ(PlanPositions(pier), (Plan{{194, 144}, {206, 144}, {206, 156}, {194, 156}}));
    EXPECT_EQ(std::tuple(pier->planBits, objfield::pier::kWidth(*pier), gSnapLocked), std::tuple(1, 12.0f, uint8_t(0)));

    // Dragged, it stands where the mouse is let go; a gesture cut short gives the lock back too.
    Objex* dragged = Drag({{200, 150}, {260, 180}, {300, 200}});
    ASSERT_NE(dragged, pier);
    EXPECT_EQ(PlanPositions(dragged), (Plan{{294, 194}, {306, 194}, {306, 206}, {294, 206}}));
    gSnapLocked = 0;
    g.press({50, 50}), g.drag({60, 60});
    EXPECT_EQ(gSnapLocked, 1);
    g.cancel();
    EXPECT_EQ(gSnapLocked, 0);
}

}  // namespace
