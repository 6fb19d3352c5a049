// The move tool played as gestures in the plan (zoom 1, scale 72: a view point is a plan point
// is an inch), its moves worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "model/attachments.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/build.h"
#include "support/plan_gestures.h"
#include "support/wall_checks.h"
#include "tools/deck_steps.h"
#include "tools/move_tracker.h"
#include "tracking/track_mouse.h"
#include "tracking/tracking_state.h"

namespace {

using namespace dvxtest;
using Plan = std::vector<std::pair<float, float>>;

class MoveTool : public PlanGestureTest {
protected:
    void SetUp() override {
        PlanGestureTest::SetUp();
        gCurTool = toolid::kSelect;
    }
    // A closed outline through the plan points, alone selected.
    Objex* Selected(PlanPoints points, int16_t type = objtype::kClosedOutline) {
        SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
        return Make(type).closed().shown().plan(points).select().on(doc->itsCurLayer).bounds();
    }
    size_t Steps() const { return undo.actionNames.size(); }
    // A wall 4 thick through the plan points with every point selected.
    Objex* SelectedWall(PlanPoints points) {
        Objex* wall = Wall(doc->itsCurLayer, points);
        wall->penWidth = 4;
        Make(wall).select();
        return wall;
    }
    // A press on the segment of the object's first two points at `at`.
    void PressOnSegment(Objex* o, POINT at) {
        gClickInfo = ClickAt(at.x, at.y);
        gClickInfo.ciHit = 1, gClickInfo.ciObject = o, gClickInfo.ciSegmentHit = 1;
        gClickInfo.ciPoint = o->firstPoint, gClickInfo.ciPoint2 = o->firstPoint->next;
        gMouseCaptured = 1;
        g.runner.begin(at, nullptr);
    }
    static float H(Objex* o, int i) { return PointAt(o, i)->position[0]; }
    static float D(Objex* o, int i) { return PointAt(o, i)->position[2]; }
    int Walls() { return int(std::ranges::count(ListOf(doc->itsCurLayer->firstObject), objtype::kWall, &Objex::type)); }
};

TEST_F(MoveTool, ASelectionMovesOnceAndStaysInsideTheExtentAndItsStops) {
    // A click moves nothing and stores nothing; a drag moves by the drag, one step.
    Objex* box = Selected({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    g.click({150, 100});
    EXPECT_EQ(PlanPositions(box), (Plan{{100, 100}, {200, 100}, {200, 200}, {100, 200}}));
    EXPECT_TRUE(IsEntireObjectSelected(box) && Steps() == 0);
    Drag({{150, 100}, {170, 110}, {180, 120}});
    EXPECT_EQ(PlanPositions(box), (Plan{{130, 120}, {230, 120}, {230, 220}, {130, 220}}));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Move/Resize"});
    // A press on nothing is the marquee's and stores nothing.
    Drag({{600, 600}, {650, 650}});
    EXPECT_EQ(Steps(), 1u);

    // Pushed right against an extent ending at 400, down against a stop at D 300 (the box
    // lay wholly above it), left against an extent beginning at 20.
    ds->lotRect = FloatRect{-1000, 20, 1000, 400};
    ds->viewOrigin = Float3DPoint{0, 0, 300};
    ds->stopAtOriginD = 1;
    for (auto [to, want] : {std::tuple{POINT{450, 150}, Plan{{300, 150}, {400, 150}, {400, 250}, {300, 250}}},
                            {POINT{150, 400}, Plan{{100, 200}, {200, 200}, {200, 300}, {100, 300}}},
                            {POINT{0, 100}, Plan{{20, 100}, {120, 100}, {120, 200}, {20, 200}}}}) {
        box = Selected({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
        Drag({{150, 100}, {(150 + to.x) / 2, (100 + to.y) / 2}, to});
        EXPECT_EQ(PlanPositions(box), want) << to.x << "," << to.y;
    }
}

TEST_F(MoveTool, CommandInAnElevationViewMovesOnlyVerticallyAndGivesTheViewBack) {
    for (bool abandoned : {false, true}) {
        Objex* box = Selected({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
        SetView(0, 270), ds->viewKind = 3;
        gClickInfo = ClickAt(0, 0), gClickInfo.ciHit = 1, gClickInfo.ciObject = box;
        gDownX = gDownY = gDownZ = 0, gUpX = gUpY = gUpZ = 0;
        for (int i = 0; i < 6; ++i) gTrackState[i] = 0;
        gTrackModifiers = 8;
        TrackTranslate(0, 0, 0, 0, 0, 1);
        EXPECT_EQ(ds->viewKind, 1);
        gTrackState[3] = 40, gTrackState[4] = -30, gTrackState[5] = 25;
        gUpX = 40, gUpY = -30, gUpZ = 25;
        if (abandoned) {
            ResetTrackingState();
        } else {
            TrackTranslate(0, 0, 40, -30, 25, 3);
            EXPECT_EQ(PlanPositions(box), (Plan{{100, 100}, {200, 100}, {200, 200}, {100, 200}}));
            EXPECT_EQ(box->firstPoint->position[1], -30);
        }
        EXPECT_EQ(ds->viewKind, 3) << abandoned;
        gTrackModifiers = 0, ds->viewKind = 2;
        SetPlanView(), ResetTrackingState();
    }
}

TEST_F(MoveTool, APointDragMovesThatPointAndGivesItsNeighboursTheirSelectionBack) {
    // Every point of a fill selected, the point tool: the pressed one moves alone; its
    // neighbours are selected again afterwards, the point across is not.
    gCurTool = toolid::kPointEdit;
    Objex* fill = Selected({{100, 100}, {200, 100}, {200, 200}, {100, 200}}, objtype::kFill);
    Drag({{200, 100}, {230, 90}, {240, 80}});
    EXPECT_EQ(PlanPositions(fill), (Plan{{100, 100}, {240, 80}, {200, 200}, {100, 200}}));
    EXPECT_TRUE(Near({PointAt(fill, 0)->selected, PointAt(fill, 1)->selected, PointAt(fill, 2)->selected,
                      PointAt(fill, 3)->selected},
                     {1, 1, 1, 0}));
    // A detail rectangle without its second attribute word moves whole.
    Objex* detail = Selected({{300, 100}, {400, 100}, {400, 200}, {300, 200}}, objtype::kDetail);
    detail->subtype = 1;
    Drag({{400, 100}, {420, 110}, {440, 120}});
    EXPECT_EQ(PlanPositions(detail), (Plan{{340, 120}, {440, 120}, {440, 220}, {340, 220}}));
}

TEST_F(MoveTool, AWallEndJoinsClosesOrStops) {
    gPointOrientation = 1;
    // Dropped near another wall's free end: one wall, cornered on the crossing of the end
    // segments' lines: x = 300 on the line from (100, 100) through (296, 104).
    Objex* a = SelectedWall({{100, 100}, {200, 100}});
    Wall(doc->itsCurLayer, {{300, 100}, {300, 200}});
    // Shift: the end follows the pointer off the 5-degree steps.
    Drag({{200, 100}, {250, 102}, {296, 104}}, evmod::kShift);
    ASSERT_EQ(Walls(), 1);
    EXPECT_TRUE(Near({PlanPositions(a)[1].first, PlanPositions(a)[1].second}, {300, 100 + 4 * 200.0 / 196}, 1e-3));
    EXPECT_EQ(PlanPositions(a).size(), 3u);
    EXPECT_EQ(PlanPositions(a)[2], (std::pair<float, float>{300, 200}));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Move/Resize"});
    DeleteObj(a);

    // The last point dropped on the first: closed on three points, the first at the crossing
    // of the first and last segments' lines (y = 100 on the line (200, 200) -> (102, 103)), the
    // door of the last segment now ending at the first point.
    Objex* c = SelectedWall({{100, 100}, {200, 100}, {200, 200}, {100, 200}});
    Objex* door = Opening(c, objtype::kDoor, 500, 2);
    Drag({{100, 200}, {101, 150}, {102, 103}}, evmod::kShift);
    ASSERT_EQ(c->pointCount, 3);
    EXPECT_TRUE(c->closed);
    EXPECT_TRUE(Near({H(c, 0), D(c, 0)}, {200 - 98 * 100 / 97.0, 100}, 1e-3));
    EXPECT_TRUE(Same({AttachmentRecordOf(door)->segmentStart, AttachmentRecordOf(door)->segmentEnd},
                     {PointAt(c, 2), PointAt(c, 0)}));
    DeleteObj(c);

    // A click on a free end 10 from another's joins them; on a polyline's end nothing joins.
    Objex* d = SelectedWall({{100, 300}, {200, 300}});
    Wall(doc->itsCurLayer, {{210, 300}, {300, 300}});
    g.click({200, 300});
    ASSERT_EQ(Walls(), 1);
    EXPECT_EQ(PlanPositions(d), (Plan{{100, 300}, {200, 300}, {300, 300}}));
    DeleteObj(d);
    Objex* e = SelectedWall({{100, 400}, {200, 400}});
    Objex* line = Make(objtype::kPolygon).shown().plan({{300, 400}, {300, 500}}).on(doc->itsCurLayer).bounds();
    Drag({{200, 400}, {250, 400}, {298, 400}});
    EXPECT_EQ(std::tuple(Walls(), e->pointCount, line->pointCount), std::tuple(1, 2, 2));
    EXPECT_EQ(PlanPositions(line), (Plan{{300, 400}, {300, 500}}));
    DeleteObj(e);

    // The first point drawn out 40, or in 60: the door keeps its place from the far end (in
    // the second row it would not fit where it stood from the start). Ending 15 or 5 from the
    // other end puts the wall back.
    for (auto [to, centre, want] : {std::tuple{60, 25.0f, 65.0f}, {160, 170.0f, 110.0f}}) {
        const float y = 450 + to;
        Objex* f = SelectedWall({{100, y}, {300, y}});
        Objex* door = Opening(f, objtype::kDoor, 500, 0);
        AttachmentRecordOf(door)->centreDistance = centre;
        Drag({{100, int(y)}, {80, int(y)}, {to, int(y)}});
        EXPECT_TRUE(Near({H(f, 0), f->firstChild == door, AttachmentRecordOf(door)->centreDistance}, {to, 1, want}));
    }
    for (int to : {285, 295}) {
        const int y = to * 10 - 2000;
        Objex* w = SelectedWall({{100, float(y)}, {300, float(y)}});
        Drag({{100, y}, {200, y}, {to, y}});
        EXPECT_EQ(PlanPositions(w), (Plan{{100, float(y)}, {300, float(y)}})) << to;
    }
}

TEST_F(MoveTool, AMovedWallSegmentTakesTheWallsThatMetItAlong) {
    // The segment D 100 moves to D 60. The wall ending 2 short of its line (within the
    // thickness 4) follows, still 2 short; the one ending 10 short stays.
    Objex* moved = SelectedWall({{100, 100}, {300, 100}});
    Objex* meeting = SelectedWall({{150, 300}, {150, 102}});
    Objex* far = SelectedWall({{250, 300}, {250, 110}});
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    Drag({{200, 100}, {200, 80}, {200, 60}});
    EXPECT_EQ(PlanPositions(moved), (Plan{{100, 60}, {300, 60}}));
    EXPECT_EQ(PlanPositions(meeting), (Plan{{150, 300}, {150, 62}}));
    EXPECT_EQ(PlanPositions(far), (Plan{{250, 300}, {250, 110}}));
    EXPECT_TRUE(SolidFollowsCentreLine(moved) && SolidFollowsCentreLine(meeting));
    // Both mapped anew, as a read maps them.
    EXPECT_TRUE(MappedAsARead(moved) && MappedAsARead(meeting));
    // The marquee finds the moved wall where it went.
    Drag({{90, 50}, {310, 70}});
    EXPECT_TRUE(IsObjectSelected(moved));
    // An abandoned segment drag leaves the walls and its crossing list behind.
    g.press({200, 60}), g.drag({200, 40});
    ResetTrackingState();
    EXPECT_EQ(PlanPositions(moved), (Plan{{100, 60}, {300, 60}}));
}

TEST_F(MoveTool, DoorsAndStepsSlideOnTheirOwnAndTheGroundFollowsTheTerrain) {
    // The door (centred 25 along) and the step (centred on the deck's first edge) slide 40;
    // their hosts' centre lines hide them from the hit test, so the press names them.
    Objex* wall = Wall(doc->itsCurLayer, {{100, 500}, {300, 500}});
    Objex* door = Opening(wall, objtype::kDoor, 500, 0);
    PressOnSegment(door, {125, 500});
    g.drag({145, 500}), g.drag({165, 500}), g.release({165, 500});
    EXPECT_FLOAT_EQ(AttachmentRecordOf(door)->centreDistance, 65);
    Objex* deck = Deck(doc->itsCurLayer);
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    Objex* step = deck->firstChild;
    ASSERT_TRUE(step && !deck->firstPart);
    PressOnSegment(step, {100, 0});
    g.drag({120, 0}), g.drag({140, 0}), g.release({140, 0});
    EXPECT_FLOAT_EQ(AttachmentRecordOf(step)->centreDistance, 140);
    EXPECT_NE(deck->firstPart, nullptr);  // rebuilt

    // A terrain region carried 400 right no longer raises the node at (300, 300) but the one at
    // (600, 300).
    ds->lotRect = {0, 0, 600, 1000}, ds->topoGridSpacing = 300;
    SetupTopoGrid();
    Objex* region = Selected({{10, 10}, {450, 10}, {450, 350}, {10, 350}}, objtype::kTopography);
    objfield::topo_line::kHeight(*region) = 24;
    SetLotElevation();
    auto node = [](int r, int c) { return gTopographyGrid[size_t(r * (gTopoColumnCnt + 1) + c)]; };
    ASSERT_TRUE(Near({node(1, 1), node(1, 2)}, {24, 0}));
    Drag({{200, 10}, {400, 10}, {600, 10}});
    EXPECT_TRUE(Near({node(1, 1), node(1, 2)}, {0, 24}));
}

}  // namespace
