// Walking and flying tick by tick, frames counted and the plan view recorded: turns, steps,
// wraps, the elevation mode, limits, arrow keys, the cut-away drag, marker squares and floors.
#include <gtest/gtest.h>

#include <cstring>
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/view_layers.h"
#include "render/core/live_view_seams.h"
#include "render/core/navigation_loops.h"
#include "render/core/real_time_seams.h"
#include "model/render_state.h"
#include "app/core/plan_navigation.h"
#include "support/drawing_doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class Navigation : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = doc->itsDocState;
        ds->cameraMode = 1, ds->navigationFlag = 0, ds->navigationSpeed = 8, ds->cameraHeading = 90;
        ds->cameraPosition = {0, 0}, ds->eyeHeight = 60, ds->cameraValue = 10;
        ds->flyValueA = 15, ds->flyValueB = 0, ds->flyAltitude = 1000, ds->lightOffset = {0, 0};
        ds->zoomFactor = 1;  // plan view points are plan inches
        SetRTInitializeGLSceneHandler([this] { ++starts; });
        SetRTFinalizeGLSceneHandler([this] { ++frames; });
        SetLiveViewNeedsDisplayHandler([this] { ++displays; });
    }
    // A press at (100, 100) of a 400-wide view, the pointer moved by the offset, then ticks.
    RealTimeRotateAnimOpenGL& run(POINT offset, int ticks, bool elevation = false, bool command = false) {
        EXPECT_TRUE(loop.begin(&plan, {100, 100}, elevation, command, 400));
        loop.mouse({100 + offset.x, 100 + offset.y});
        for (int i = 0; i < ticks; ++i) loop.tick();
        return loop;
    }

    DocState* ds = nullptr;
    FakeViewHost plan;
    RealTimeRotateAnimOpenGL loop;
    int starts = 0, frames = 0, displays = 0;
};

TEST_F(Navigation, FreeWalkTurnsAndStepsByTheSpeedsTableAndWrapsOnce) {
    // Speed 8 halves the offset; 15 pixels turn a degree and 2 pixels walk an inch.
    struct Row { float heading; POINT offset; int ticks; float endHeading, x, z; } rows[] = {
        {90, {20, 0}, 3, 88, 0, 0},                            // the offset held keeps turning
        {0.5f, {20, 0}, 1, 0.5f - 10.0f / 15 + 360, 0, 0},     // below 0
        {358.9f, {-20, 0}, 1, 358.9f + 10.0f / 15 - 360, 0, 0},  // past 359: slightly negative
        {0, {0, 20}, 2, 0, 0, 10},                             // below the press: backwards
        {90, {0, -20}, 1, 90, -5, 0},
        {90, {1, 1}, 4, 90, 0, 0},                             // within the divisor: still
    };
    for (const Row& r : rows) {
        ds->cameraHeading = r.heading, ds->cameraPosition = {0, 0}, frames = 0;
        run(r.offset, r.ticks).end();
        EXPECT_NEAR(ds->cameraHeading, r.endHeading, 1e-3) << r.heading << " " << r.offset.x;
        EXPECT_NEAR(ds->cameraPosition.floatH, r.x, 1e-4) << r.offset.y;
        EXPECT_NEAR(ds->cameraPosition.floatV, r.z, 1e-4) << r.offset.y;
        EXPECT_EQ(frames, r.offset.x / 2 || r.offset.y / 2 ? r.ticks : 0);
    }
}

TEST_F(Navigation, RightPressesTakeTurnsRaisingAndLoweringTheEyeAndTheFlyDistance) {
    ds->elevationView = 2;
    for (float expected : {78.0f, 60.0f}) {
        LiveViewRightPress(ds);
        run({0, 0}, 3, true).end();
        EXPECT_EQ(ds->eyeHeight, expected);
        EXPECT_EQ(ds->elevationView, 0);
    }
    ds->cameraMode = 2;
    struct Row { uint8_t up; float from; int ticks; float to; } rows[] = {
        {1, 1000, 2, 1060}, {1, 49990, 3, 50000}, {0, 100, 1, 70}, {0, 70, 3, 40}};
    for (const Row& r : rows) {
        gRealTimeElevate = r.up, ds->flyAltitude = r.from;
        run({0, 0}, r.ticks, true).end();
        EXPECT_EQ(ds->flyAltitude, r.to) << r.from;
    }
}

TEST_F(Navigation, FlyPitchStaysBetween5And25AndOnlyTheControlledFlyStopsWithThePointer) {
    ds->cameraMode = 2;
    for (auto [dy, pitch] : {std::pair{400, 5.0f}, {-400, 25.0f}}) {
        run({0, dy}, 3).end();
        EXPECT_EQ(ds->flyValueA, pitch);
    }

    // Speed 9: no smoothing; free 10 pixels a degree, controlled 3, the pointer negated.
    ds->navigationSpeed = 9;
    for (auto [controlled, afterRest] : {std::pair{uint8_t(0), 360 - 9.0f}, {uint8_t(1), 10.0f}}) {
        ds->navigationFlag = controlled, ds->flyValueB = 0;
        run({30, 0}, 3).end();
        EXPECT_NEAR(ds->flyValueB, afterRest, 1e-4) << int(controlled);
    }
}

TEST_F(Navigation, ControlledWalkAcceleratesTheKeysAndTurnsBeyondTheViewsSide) {
    ds->navigationFlag = 1, ds->navigationSpeed = 6, ds->cameraHeading = 0;
    run({0, 0}, 0).key(NavigationArrow::Up, true);
    float z = 0;
    for (float step : {0.51f, 0.52f, 0.53f, 0.0f, 0.51f}) {  // 0: every arrow let go for a tick
        loop.key(NavigationArrow::Up, step != 0), loop.tick();
        EXPECT_NEAR(z - ds->cameraPosition.floatV, step, 1e-5);
        z = ds->cameraPosition.floatV;
    }
    loop.end();

    // The pitch follows half the pointer's height a third of a degree per pixel, within 35.
    struct Row { int32_t x, y; float heading, pitch; } rows[] = {
        {-5, 100, 0.75f, 10}, {405, 100, 360 - 0.75f, 10}, {400, 100, 0, 10},
        {160, 100, 360 - 30.0f, 10}, {100, 160, 0, 20}, {100, 400, 0, 35}, {100, -300, 0, -35}};
    for (const Row& r : rows) {
        ds->cameraHeading = 0, ds->cameraValue = 10;
        run({r.x - 100, r.y - 100}, 3).end();
        EXPECT_NEAR(ds->cameraHeading, r.heading, 1e-4) << r.x;
        EXPECT_NEAR(ds->cameraValue, r.pitch, 1e-4) << r.y;
    }
}

// Flying, the keys' pan shows the centre's square, 2 wider or taller.
TEST_F(Navigation, ArrowKeysPanTheFlyCentreAcrossItsHeadingUnclamped) {
    ds->cameraMode = 2, ds->lotRect = {0, 0, 1, 1};
    struct Row { NavigationArrow arrow; float heading, x, y; } rows[] = {
        {NavigationArrow::Left, 0, 0, -2}, {NavigationArrow::Right, 0, 0, 2}, {NavigationArrow::Up, 0, 2, 0},
        {NavigationArrow::Down, 0, -2, 0}, {NavigationArrow::Left, 90, 2, 0}};
    for (const Row& r : rows) {
        ds->lightOffset = {0, 0}, ds->flyValueB = r.heading, frames = 0, plan.invalidated.clear();
        run({0, 0}, 0).key(r.arrow, true), loop.tick(), loop.end();
        EXPECT_NEAR(ds->lightOffset.floatH, r.x, 1e-5) << int(r.arrow);
        EXPECT_NEAR(ds->lightOffset.floatV, r.y, 1e-5) << int(r.arrow);
        EXPECT_EQ(frames, 1);
        ASSERT_EQ(plan.invalidated.size(), 1u);
        EXPECT_EQ(plan.invalidated[0].width + plan.invalidated[0].height, 102) << int(r.arrow);
    }
}

TEST_F(Navigation, TheCutAwayDragIsOneInteractionAndALoneChangeItsOwn) {
    RealTimeCutawayOpenGL cut;
    cut.begin();
    for (int32_t position : {10, 20, 30}) ds->cutAwayPosition = position, cut.change();
    EXPECT_EQ(gRefreshRender, 0);
    cut.end();
    EXPECT_EQ((std::vector<int>{starts, frames, displays, gRefreshRender}), (std::vector<int>{1, 3, 1, 1}));
    cut.change();
    EXPECT_EQ((std::vector<int>{starts, frames, displays}), (std::vector<int>{2, 4, 2}));
}

TEST_F(Navigation, AWalkStepRedrawsTheOldAndNewMarkerSquaresUnlessHidden) {
    struct Row { int16_t mode; bool command; std::vector<float> rect; } rows[] = {
        {1, false, {-30, -25, 55, 50}}, {1, true, {}}, {2, false, {}}};
    for (const Row& r : rows) {
        ds->cameraMode = r.mode, ds->cameraPosition = {0, 0}, plan.invalidated.clear();
        run({0, -20}, 1, false, r.command).end();
        std::vector<float> seen;
        for (const PlatformRect& q : plan.invalidated) seen.insert(seen.end(), {q.x, q.y, q.width, q.height});
        EXPECT_EQ(seen, r.rect) << r.mode << r.command;
    }
}

TEST_F(Navigation, ThreeFloorsByPlaceNavigateWhateverTheirNames) {
    for (Layer* l = doc->itsLayers; l; l = l->next) std::strcpy(l->name, "Renamed");
    RealTimeTrackAngleD3D turn;
    EXPECT_TRUE(loop.begin(&plan, {0, 0}, false, false, 400)), loop.end();
    EXPECT_TRUE(turn.begin(&plan)), turn.end();
    DeleteLayer(GetFloorLayerAt(1));
    RealTimeRotateAnimOpenGLGAME walk;
    ds->navigationFlag = 1;
    EXPECT_FALSE(loop.begin(&plan, {0, 0}, false, false, 400));
    EXPECT_FALSE(walk.begin(&plan, {0, 0}, false, false, 400));
    EXPECT_FALSE(turn.begin(&plan));
    EXPECT_EQ(starts, 2);
}

}  // namespace
