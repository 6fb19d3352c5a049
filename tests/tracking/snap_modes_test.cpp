// Where each snap mode pulls a point; Tab stepping through the modes and the reset at the
// first drag of a gesture.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/deletion.h"
#include "model/hit_testing.h"
#include "support/build.h"
#include "model/click_info.h"
#include "tracking/evaluate_point.h"
#include "tracking/snap_modes.h"
#include "tracking/track_events.h"

namespace {

class SnapModes : public ::testing::Test {
protected:
    void SetUp() override {
        dvxtest::ResetAllGlobals();
        SetSnapPaletteSetSnapToolHandler([this](int16_t m) { shown.push_back(m); gCurSnap = m; });
    }
    void TearDown() override { dvxtest::ResetAllGlobals(); }
    std::vector<int16_t> shown;
};

TEST_F(SnapModes, TabStepsAndWrapsWithinTheKeyboardModes) {
    struct Row { int16_t from; bool shift; int16_t to; };
    const Row rows[] = {{500, false, 501}, {507, false, 508}, {508, false, 500}, {510, false, 500},
                        {501, true, 500},  {500, true, 508},  {510, true, 508}};
    for (const Row& r : rows) {
        gCurSnap = r.from;
        shown.clear();
        EXPECT_EQ(SnapToolChange(r.shift), 0);
        EXPECT_EQ(shown, std::vector<int16_t>{r.to}) << r.from << (r.shift ? " shift" : "");
    }
}

TEST_F(SnapModes, ResetKeepsOnlyLockedModesOtherThanTheOrigin) {
    struct Row { int16_t mode; uint8_t locked; int16_t after; uint8_t lockedAfter; bool shown; };
    const Row rows[] = {{503, 1, 503, 1, false}, {503, 0, 500, 0, true}, {510, 1, 500, 0, true},
                        {510, 0, 500, 0, true},  {500, 1, 500, 1, false}};
    for (const Row& r : rows) {
        gCurSnap = r.mode, gSnapLocked = r.locked;
        shown.clear();
        ResetSnapTool();
        EXPECT_EQ(gCurSnap, r.after) << r.mode << "/" << int(r.locked);
        EXPECT_EQ(gSnapLocked, r.lockedAfter) << r.mode << "/" << int(r.locked);
        EXPECT_EQ(shown.empty(), !r.shown) << r.mode;
    }
}

TEST_F(SnapModes, TabEventsStepTheModeOnlyWhileAllowed) {
    const TrackEvent shiftTab{trackevent::kKeyDown, {}, evmod::kShift, keycode::kTab};
    const TrackEvent escape{trackevent::kKeyDown, {}, 0, keycode::kEscape};
    gCurSnap = snapmode::kOrigin;
    {
        TrackEventSource::Delivery delivering(shiftTab);
        MaintainSnapTools();
        EXPECT_EQ(gCurSnap, snapmode::kOrigin);
        gChangeSnapOK = 1;
        {
            TrackEventSource::Delivery inner(escape);
            MaintainSnapTools();
            EXPECT_EQ(gCurSnap, snapmode::kOrigin);
        }
        MaintainSnapTools();
        EXPECT_EQ(gCurSnap, snapmode::kOnSegment);
    }
    EXPECT_EQ(TrackEventSource::current(), nullptr);
}

using dvxtest::Near;

class SnapPlaces : public dvxtest::SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        CurrentDocState()->snapToGrid = 0;
        line = dvxtest::Shape(floor, objtype::kLine, {{0, 0}, {100, 0}});
    }
    ::testing::AssertionResult Snapped(int16_t mode, POINT at, float h, float d) {
        gCurSnap = mode;
        Float3DPoint p;
        EvaluatePoint(at.x, at.y, &p.floatH, &p.floatV, &p.floatD, 1, nullptr, 1);
        return Near({p.floatH, p.floatD}, {h, d}, 1e-3);
    }
    Objex* line = nullptr;
};

TEST_F(SnapPlaces, EachModePullsThePointOntoWhatLiesUnderIt) {
    using dvxtest::Shape;
    // A curve from (0, 100) to (100, 100) through (50, 80).
    dvxtest::Make(objtype::kLine).on(floor).shown().at({{0, 0, 100, {}, {0, 0, -80}}, {100, 0, 100, {0, 0, 80}}}).bounds();
    Objex* a = Shape(floor, objtype::kPolygon, {{300, 0}, {320, 0}, {320, 20}, {300, 20}}, true);
    Objex* b = Shape(floor, objtype::kPolygon, {{400, 0}, {420, 0}, {420, 20}, {400, 20}}, true);
    dvxtest::Group(floor, {a, b});
    Objex* box = Shape(floor, objtype::kPolygon, {{200, 0}, {240, 0}, {240, 40}, {200, 40}}, true);
    Shape(floor, objtype::kLine, {{500, 0}, {600, 100}});
    Shape(floor, objtype::kLine, {{500, 100}, {600, 0}});

    struct Row { int16_t mode, tool; float offset; POINT at; float h, d; };
    const Row rows[] = {
        {501, 200, 0, {30, 2}, 0, 0},       {501, 200, 0, {50, 2}, 100, 0},  // the nearer end; a tie the second
        {502, 200, 0, {16, 85}, 50, 80},    // the middle of the curve
        {503, 200, 0, {310, 1}, 360, 10},   // the centre of the group the square belongs to
        {504, 200, 0, {239, 30}, 240, 40},  {504, 200, 0, {201, 5}, 200, 0},  // the corner on the pointer's side
        {505, 200, 0, {30, 2}, 30, 2},      {505, 200, 0, {552, 50}, 550, 50},  // one segment; two crossing
        {507, 200, 0, {30, 2}, 0, 0},       {507, 200, 12, {30, 2}, 24, 0},     // 12 inches along
        {507, 7105, 12, {30, 2}, 24, 100},  // a switch stands 100 off the wall, on the pointer's side
        // On the piece the hit reports (28.2 to 35.2), as far from its nearer end as the pointer.
        {508, 200, 0, {33, 3}, 35.2f - std::sqrt(2.2f * 2.2f + 9), 0},
        {510, 200, 0, {700, 700}, 2400, -2400},             // the origin, with nothing under the pointer
    };
    for (const Row& r : rows) {
        gCurTool = r.tool, CurrentDocState()->snapOffset = r.offset;
        EXPECT_TRUE(Snapped(r.mode, r.at, r.h, r.d)) << r.mode << " row " << (&r - rows);
    }
    EXPECT_EQ(gSelectIndex, 1);

    // Handles 1-4 of the 2D bounds.
    ClickInfo handle;
    handle.ciHit = handle.ciHandleHit = 1, handle.ciObject = box;
    const float corners[4][2] = {{200, 0}, {240, 0}, {240, 40}, {200, 40}};
    for (int16_t i = 1; i <= 4; ++i) {
        float h = 0, d = 0;
        handle.ciHandle = i;
        EXPECT_TRUE(SnapPoint(&handle, 0, 0, 501, floor, &h, &d) && h == corners[i - 1][0] && d == corners[i - 1][1]) << i;
    }
}

TEST_F(SnapPlaces, PerpendicularRecordsTheFirstSegmentAndNeverMoves) {
    gCurTool = toolid::kExteriorWall;  // wall tools take nothing from this mode
    EXPECT_TRUE(Snapped(506, {30, 2}, 30, 2));
    EXPECT_EQ(gPerpStartPtz, nullptr);
    gCurTool = toolid::kSelect;
    EXPECT_TRUE(Snapped(506, {30, 2}, 30, 2));
    dvxtest::Shape(floor, objtype::kLine, {{0, 50}, {100, 50}});
    EXPECT_TRUE(Snapped(506, {30, 52}, 30, 52));
    EXPECT_TRUE(dvxtest::Same({gPerpStartPtz, gPerpEndPtz}, {line->firstPoint, line->firstPoint->next}));
    DeleteObj(line);  // the segment goes with its object
    EXPECT_TRUE(dvxtest::Same({gPerpStartPtz, gPerpEndPtz}, {nullptr, nullptr}));
}

}  // namespace
