// Outlines drawn click by click with the polygon and curve tools, played through the gesture
// runner in the plan (zoom 1, scale 72: a view point is a plan point), and the camera tool.
#include <gtest/gtest.h>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/readouts.h"
#include "plan/dynamic_draw_engine.h"
#include "model/plan_objects.h"
#include "render/core/live_view_seams.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "tools/camera_tool.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;
using Names = std::vector<std::string>;

class Outlines : public PlanGestureTest {
protected:
    void SetUp() override { PlanGestureTest::SetUp(), gCurTool = toolid::kPolygon; }
    void Clicks(std::vector<POINT> at) {
        for (POINT p : at) g.move(p), g.click(p);
    }
};

TEST_F(Outlines, ClicksAddPointsUntilAnEndingClickOrKey) {
    const Plan three = {{100, 100}, {200, 100}, {200, 200}};
    struct Row { const char* what; uint8_t closeTool; std::function<void()> end; Plan want; };
    const std::vector<Row> rows = {
        {"near the first, closed", 1, [this] { Clicks({{103, 101}}); }, three},
        {"near the first, open", 0, [this] { Clicks({{103, 101}}); }, {{100, 100}, {200, 100}, {200, 200}, {103, 101}}},
        {"double click", 0, [this] { Clicks({{300, 200}}), g.click({300, 200}, 0, 2); },
         {{100, 100}, {200, 100}, {200, 200}, {300, 200}}},
        {"right click", 1, [this] { g.runner.event(TrackEvent{trackevent::kRightMouseDown, {400, 400}, 0, 0, 1}); }, three},
        {"Escape", 0, [this] { g.key(keycode::kEscape); }, three},
        {"Control-click", 0, [this] { g.click({400, 400}, evmod::kControl); }, three},
        {"a second click within 1", 0, [this] { Clicks({{201, 201}}), g.key(keycode::kEscape); }, three},
    };
    for (const Row& r : rows) {
        undo.actionNames.clear();
        gClosePolyTool = r.closeTool;
        Clicks(std::vector<POINT>{{100, 100}, {200, 100}, {200, 200}});
        EXPECT_TRUE(TrackerLoopOpen() && undo.actionNames.empty()) << r.what;
        r.end();
        Objex* o = Last();
        EXPECT_EQ(PlanPositions(o), r.want) << r.what;
        EXPECT_TRUE(Near({o->type, o->subtype, o->closed, o->pointCount, o->closed ? 0 : o->fillPattern, TrackerLoopOpen(),
                          gTrackingPoly, gPerpFromLoc.floatH},
                         {29, 3, r.closeTool, int(r.want.size()), 0, 0, 0, 32000}))
            << r.what;
        EXPECT_EQ(undo.actionNames, Names{"Polygon Tool"}) << r.what;  // one step, after the loop
    }
    // The rubber band's readout is rounded: at zoom 0.6 from view 100 to 161 is 101.67 plan units.
    ds->zoomFactor = 0.6f;
    Clicks({{100, 100}}), g.move({161, 100});
    char whole[kReadoutSize] = {};
    ConvertInchesToStr(102, whole);
    ASSERT_FALSE(view.dynamicDrawEngine->dynamicDimArray.empty());
    EXPECT_STREQ(view.dynamicDrawEngine->dynamicDimArray[0]->dimensionText.get(), whole);
    g.key(keycode::kEscape), ds->zoomFactor = 1;
    // Escape on the first point, or a lost focus in the middle, leaves nothing behind.
    const int before = CountObjects(doc->itsCurLayer->firstObject);
    Clicks({{100, 100}}), g.key(keycode::kEscape);
    Clicks({{100, 100}, {200, 100}}), g.cancel();
    EXPECT_EQ(std::tuple(CountObjects(doc->itsCurLayer->firstObject), TrackerLoopOpen()), std::tuple(before, false));
}

TEST_F(Outlines, TheSnapModeHoldsAndItsLockReturnsCurvesAreSmoothed) {
    Shape(doc->itsCurLayer, 9, {{400, 400}, {500, 400}});
    Shape(doc->itsCurLayer, 9, {{300, 100}, {300, 0}});
    for (auto [locked, after] : {std::pair{0, snapmode::kNone}, {1, snapmode::kEndPoint}}) {
        gCurSnap = snapmode::kEndPoint, gSnapLocked = uint8_t(locked);
        Clicks({{102, 100}, {302, 98}, {402, 401}});  // each 2 off an end point: taken every time
        EXPECT_EQ(gCurSnap, snapmode::kEndPoint);
        g.key(keycode::kEscape);
        EXPECT_EQ(PlanPositions(Last()), (Plan{{102, 100}, {300, 100}, {400, 400}})) << locked;
        EXPECT_TRUE(Near({gSnapLocked, gCurSnap}, {locked, after}));
        DeleteObj(Last());  // its points would be hit instead
    }

    gCurTool = toolid::kCurve, gCloseSplineTool = 0, ds->curveTension = 5;
    for (bool lost : {false, true}) {
        g3DObjects = 1;
        Clicks({{100, 100}, {200, 150}, {300, 100}});
        g.move({350, 200});
        EXPECT_TRUE(g3DObjects == 0 && !view.dynamicDrawEngine->isPathEmpty(0));  // the rubber band follows
        lost ? g.cancel() : g.click({300, 100}, 0, 2);
        EXPECT_EQ(g3DObjects, 1) << lost;
        if (lost) continue;
        Objex* curve = Last();
        EXPECT_TRUE(Near({curve->subtype, curve->optionA & 1, curve->closed}, {7, 1, 0}));
        EXPECT_GT(std::abs(PointAt(curve, 1)->outTangent[0]), 1);
    }
}

TEST_F(Outlines, CameraStandsAtThePressAndLooksAlongTheDrag) {
    Names calls;
    SetRTInitializeGLSceneHandler([&] { calls.push_back("init"); });
    SetRTSetViewpointHandler([&] { calls.push_back("viewpoint"); });
    SetRealTimeRenderAllGLPlaneObjectsHandler([&](PlaneObject*) { calls.push_back("render"); });
    SetRTFinalizeGLSceneHandler([&] { calls.push_back("finish"); });
    gCurTool = toolid::kCamera;
    g.press({100, 100});
    EXPECT_EQ(calls, (Names{"init", "viewpoint", "render", "finish", "viewpoint", "render", "finish"}));
    g.drag({100, 40});  // straight up the plan: 90 degrees, which heading 0 looks along
    const QMDDynamicDrawEngine& e = *view.dynamicDrawEngine;
    EXPECT_TRUE(Near({e.primaryPathDrawMethod, e.primaryPathAlpha, e.isPathEmpty(0), ds->cameraPosition.floatH,
                      ds->cameraPosition.floatV, ds->cameraHeading, gRealTimeDraw},
                     {1, 0.5, 0, 100, 100, 0, 1}, 1e-3));
    g.drag({160, 100});  // to the right: 0 degrees
    EXPECT_NEAR(ds->cameraHeading, -90, 1e-3);
    g.release({100, 40});
    EXPECT_TRUE(Near({gRealTimeDraw, gRefreshRender, e.primaryPathDrawMethod}, {0, 1, 0}));
    // No real-time frames while the scene renders in the background.
    calls.clear(), gEnableBackgroundRendering = 1;
    g.press({100, 100}), g.drag({150, 100}), g.release({150, 100});
    EXPECT_TRUE(calls.empty());
    // The caller hears whether the drag reached 5 world units (5 plan units at scale 72).
    for (auto [to, result] : {std::pair{104.9f, 0}, {105.0f, 1}}) {
        gDownX = 100, gDownY = 0, gDownZ = 100;
        TrackCamera(0, 0, 100, 0, 100, 1);
        EXPECT_EQ(TrackCamera(0, 0, to, 0, 100, 3), result) << to;
    }
}

}  // namespace
