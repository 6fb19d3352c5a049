// Outlines drawn click by click with the polygon and curve tools, played through the gesture
// runner in the plan (zoom 1, scale 72: a view point is a plan point), and the camera tool.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/dynamic_draw_engine.h"
#include "plan/plan_objects.h"
#include "render/core/live_view_seams.h"
#include "render/core/real_time_seams.h"
#include "render/core/render_state.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/drawing_doubles.h"
#include "support/gesture_driver.h"
#include "support/records.h"
#include "tools/camera_tool.h"
#include "tools/tool_trackers.h"
#include "tracking/drafting_trackers.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class Outlines : public FileTest {
protected:
    Outlines() : FileTest("outlines") {}
    void SetUp() override {
        FileTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        ds = doc->itsDocState;
        ds->zoomFactor = 1, ds->planScale = 72, ds->snapToGrid = 0, ds->viewKind = 2;
        SetPlanView();
        SetMainWindowDocumentViewHandler([this] { return &view; });
        RegisterDraftingTrackers(), RegisterToolTrackers();
        gCurTool = toolid::kPolygon;
    }
    void TearDown() override { port::setDocumentUndo(nullptr), FileTest::TearDown(); }
    // The design's objects after the ones there before the case.
    Objex* Made() {
        Objex* o = doc->itsCurLayer->firstObject;
        for (int i = 0; o && i < before; ++i) o = o->next;
        return o;
    }
    void Clicks(std::vector<POINT> at) {
        for (POINT p : at) g.move(p), g.click(p);
    }
    void Right(POINT at) { g.runner.event(TrackEvent{trackevent::kRightMouseDown, at, 0, 0, 1}); }

    DocState* ds = nullptr;
    RecordingUndo undo;
    RecordingContext context;
    port::DrawingScope scope{context};
    FakeViewHost host;
    Base2DView view{&host};
    GestureDriver g;
    int before = 0;
};

TEST_F(Outlines, ClicksAddPointsUntilAnEndingClickOrKey) {
    struct Row {
        const char* what;
        uint8_t closeTool;
        std::function<void()> end;
        Plan want;
        uint8_t closed;
    };
    const std::vector<Row> rows = {
        {"near the first, closed tool", 1, [this] { Clicks({{103, 101}}); },
         {{100, 100}, {200, 100}, {200, 200}}, 1},
        {"near the first, open tool", 0, [this] { Clicks({{103, 101}}); },
         {{100, 100}, {200, 100}, {200, 200}, {103, 101}}, 0},
        {"double click", 0, [this] { Clicks({{300, 200}}), g.click({300, 200}, 0, 2); },
         {{100, 100}, {200, 100}, {200, 200}, {300, 200}}, 0},
        {"right click", 1, [this] { Right({400, 400}); }, {{100, 100}, {200, 100}, {200, 200}}, 1},
        {"Escape", 0, [this] { g.key(keycode::kEscape); }, {{100, 100}, {200, 100}, {200, 200}}, 0},
        {"Control-click", 0, [this] { g.click({400, 400}, evmod::kControl); },
         {{100, 100}, {200, 100}, {200, 200}}, 0},
        {"a second click within 1", 0, [this] { Clicks({{201, 201}}), g.key(keycode::kEscape); },
         {{100, 100}, {200, 100}, {200, 200}}, 0},
    };
    for (const Row& r : rows) {
        before = CountObjects(doc->itsCurLayer->firstObject);
        undo.actionNames.clear();
        gClosePolyTool = r.closeTool;
        Clicks({{100, 100}, {200, 100}, {200, 200}});
        EXPECT_TRUE(TrackerLoopOpen() && undo.actionNames.empty()) << r.what;
        r.end();
        Objex* o = Made();
        ASSERT_TRUE(o) << r.what;
        EXPECT_FALSE(TrackerLoopOpen()) << r.what;
        EXPECT_EQ(PlanPositions(o), r.want) << r.what;
        EXPECT_TRUE(Near({o->type, o->subtype, o->closed, o->pointCount}, {29, 3, r.closed, int(r.want.size())}))
            << r.what;
        if (!r.closed) EXPECT_EQ(o->fillPattern, 0) << r.what;
        EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Polygon Tool"}) << r.what;
        EXPECT_TRUE(Near({gTrackingPoly, gPerpFromLoc.floatH}, {0, 32000})) << r.what;
    }

    // Escape on the first point, or a lost focus in the middle, leaves nothing behind.
    before = CountObjects(doc->itsCurLayer->firstObject);
    Clicks({{100, 100}}), g.key(keycode::kEscape);
    Clicks({{100, 100}, {200, 100}}), g.cancel();
    EXPECT_EQ(CountObjects(doc->itsCurLayer->firstObject), before);
    EXPECT_FALSE(TrackerLoopOpen());
}

TEST_F(Outlines, SnapModeHoldsForEveryPointAndItsLockReturns) {
    Shape(doc->itsCurLayer, 9, {{400, 400}, {500, 400}});
    Shape(doc->itsCurLayer, 9, {{300, 100}, {300, 0}});
    struct Row { uint8_t locked; int16_t after; };
    for (const Row& r : {Row{0, snapmode::kNone}, Row{1, snapmode::kEndPoint}}) {
        before = CountObjects(doc->itsCurLayer->firstObject);
        gCurSnap = snapmode::kEndPoint, gSnapLocked = r.locked;
        // Each click lies 2 off an end point: the end point is taken every time.
        Clicks({{102, 100}, {302, 98}, {402, 401}});
        EXPECT_EQ(gCurSnap, snapmode::kEndPoint);
        g.key(keycode::kEscape);
        EXPECT_EQ(PlanPositions(Made()), (Plan{{102, 100}, {300, 100}, {400, 400}})) << int(r.locked);
        EXPECT_EQ(std::tuple(gSnapLocked, gCurSnap), std::tuple(r.locked, r.after));
        DeleteObj(Made());  // its points would be hit instead
    }
}

TEST_F(Outlines, CurvesAreSmoothedAndTheThreeDSwitchComesBack) {
    gCurTool = toolid::kCurve, gCloseSplineTool = 0, ds->curveTension = 5;
    for (bool lost : {false, true}) {
        before = CountObjects(doc->itsCurLayer->firstObject);
        g3DObjects = 1;
        Clicks({{100, 100}, {200, 150}, {300, 100}});
        EXPECT_EQ(g3DObjects, 0);
        g.move({350, 200});
        EXPECT_FALSE(view.dynamicDrawEngine->isPathEmpty(0));  // the rubber band follows
        if (lost) {
            g.cancel();
        } else {
            g.click({300, 100}, 0, 2);
            Objex* curve = Made();
            ASSERT_TRUE(curve);
            EXPECT_TRUE(Near({curve->subtype, curve->optionA & 1, curve->closed}, {7, 1, 0}));
            const Poinz* middle = PointAt(curve, 1);
            EXPECT_GT(std::abs(middle->outTangent[0]), 1);
        }
        EXPECT_EQ(g3DObjects, 1) << lost;
    }
}

TEST_F(Outlines, CameraStandsAtThePressAndLooksAlongTheDrag) {
    std::vector<std::string> calls;
    SetRTInitializeGLSceneHandler([&] { calls.push_back("init"); });
    SetRTSetViewpointHandler([&] { calls.push_back("viewpoint"); });
    SetRealTimeRenderAllGLPlaneObjectsHandler([&](PlaneObject*) { calls.push_back("render"); });
    SetRTFinalizeGLSceneHandler([&] { calls.push_back("finish"); });
    gCurTool = toolid::kCamera;
    g.press({100, 100});
    EXPECT_EQ(calls, (std::vector<std::string>{"init", "viewpoint", "render", "finish", "viewpoint", "render", "finish"}));
    g.drag({100, 40});  // straight up the plan: 90 degrees
    EXPECT_TRUE(Near({view.dynamicDrawEngine->primaryPathDrawMethod, view.dynamicDrawEngine->primaryPathAlpha,
                      ds->cameraPosition.floatH, ds->cameraPosition.floatV, ds->cameraHeading, gRealTimeDraw},
                     {1, 0.5, 100, 100, 180, 1}, 1e-3));
    EXPECT_FALSE(view.dynamicDrawEngine->isPathEmpty(0));
    g.release({100, 40});
    EXPECT_TRUE(Near({gRealTimeDraw, gRefreshRender, view.dynamicDrawEngine->primaryPathDrawMethod}, {0, 1, 0}));

    // No real-time frames while the scene renders in the background.
    calls.clear(), gEnableBackgroundRendering = 1;
    g.press({100, 100}), g.drag({150, 100}), g.release({150, 100});
    EXPECT_TRUE(calls.empty());

    // The caller hears whether the drag reached 5 world units (5 plan units at scale 72).
    struct Row { float to; int16_t result; };
    for (const Row& r : {Row{104.9f, 0}, Row{105, 1}}) {
        gDownX = 100, gDownY = 0, gDownZ = 100;
        TrackCamera(0, 0, 100, 0, 100, 1);
        EXPECT_EQ(TrackCamera(0, 0, r.to, 0, 100, 3), r.result) << r.to;
    }
}

}  // namespace
