// Selection: queries and summaries, selection modes, hit testing, the marquee and the walkers
// over selected objects.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/hit_testing.h"
#include "model/marquee.h"
#include "model/projection.h"
#include "model/selection_feedback_hooks.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_summary.h"
#include "model/shape_path.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "support/build.h"
#include "support/drawing_doubles.h"
#include "support/selection_recorders.h"
#include "tracking/tracking_state.h"
#include "model/custom_popups.h"
#include "ui/core/inspector_seams.h"

using namespace dvxtest;

// Selection queries and the two selection summaries.
namespace dvxtest::queries {

class SelectionQueries : public SelectionTest {};

Objex* DoorIn(Objex* wall, Poinz* segmentStart, Poinz* segmentEnd, float offset) {
    Objex* door = Shape(wall, objtype::kDoor, {{20, 0}, {40, 0}});
    auto* record = new AttachmentRecord{};
    record->segmentStart = segmentStart;
    record->segmentEnd = segmentEnd;
    record->elevation = offset;
    Make(door).with(record);
    return door;
}

TEST_F(SelectionQueries, WallsAnswerByTheirOwnPointsWhileAnyObjectSeesAttachments) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}});
    Objex* door = DoorIn(wall, PointAt(wall, 0), PointAt(wall, 1), 0);

    Make(door).select();
    EXPECT_FALSE(IsObjectSelected(wall));
    EXPECT_TRUE(IsAnyObjectSelected(wall));
    EXPECT_EQ(gIsAnyObjectSelectedObject, door);

    PointAt(wall, 1)->selected = 1;
    EXPECT_TRUE(IsObjectSelected(wall));
    EXPECT_TRUE(IsAnyObjectSelected(wall));
    EXPECT_EQ(gIsAnyObjectSelectedObject, wall);

    Make(door).select(0);
    PointAt(wall, 1)->selected = 0;
    EXPECT_FALSE(IsAnyObjectSelected(wall));
    EXPECT_EQ(gIsAnyObjectSelectedObject, nullptr);

    // Every wall point selected: the wall is entirely selected, whatever its door.
    Make(wall).select();
    EXPECT_TRUE(IsEntireObjectSelected(wall));
    EXPECT_FALSE(IsEntireObjectSelected(door));

    // Roof counts its skylight only while tracking.
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {200, 0}, {200, 200}, {0, 200}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{50, 50}, {80, 50}, {80, 80}, {50, 80}}, true);
    Make(skylight).select();
    EXPECT_FALSE(IsObjectSelected(roof));
    gTrackingMouse = 1;
    EXPECT_TRUE(IsObjectSelected(roof));
    EXPECT_FALSE(IsRoofObjectSelected(roof));
    EXPECT_TRUE(IsAnyRoofAttachmentSelected(roof));
}

TEST_F(SelectionQueries, GroupsAreSelectedThroughMembersAndLockedAtAnyDepth) {
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* inner = Group(floor, {line});
    Objex* outer = Group(floor, {inner});
    EXPECT_FALSE(IsObjectSelected(outer));
    EXPECT_FALSE(IsObjectLocked(outer));
    EXPECT_FALSE(IsObjectUndetectable(outer));
    PointAt(line, 1)->selected = PointAt(line, 1)->locked = 1;
    PointAt(line, 0)->detectable = 0;
    EXPECT_TRUE(IsObjectSelected(outer));
    EXPECT_FALSE(IsEntireObjectSelected(outer));
    EXPECT_TRUE(IsObjectLocked(outer));
    EXPECT_TRUE(IsObjectUndetectable(outer));

    uint32_t id = 0;
    EXPECT_TRUE(FindFirstSelectedObjectID(&id));
    EXPECT_EQ(id, outer->objectID);
}

class SelectionSummary : public SelectionTest {
protected:
    // The summary of the objects, merged as command 8006 does.
    SelectionState Summary(std::initializer_list<Objex*> objects) {
        DocState* ds = CurrentDocState();
        SelectionState ss;
        ClearSelectionState(ds, &ss);
        for (Objex* o : objects) UpdateSelectionState(ds, &ss, o);
        return ss;
    }
    Objex* Rectangle(float penWidth, int16_t penStyle = 2) {
        Objex* r = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}}, true, 1);
        r->penWidth = penWidth;
        r->penStyle = penStyle;
        return r;
    }
};

TEST_F(SelectionSummary, PenWidthsRoundHalvesAwayFromZeroBeforeComparing) {
    SelectionState same = Summary({Rectangle(1.6f), Rectangle(1.6f)});
    EXPECT_TRUE(Near({same.ssPenWidth, same.ssPenWidthValue, same.ssStateFresh}, {1, 2, 0}));

    EXPECT_EQ(Summary({Rectangle(1.4f), Rectangle(1.6f)}).ssPenWidth, 0);
    EXPECT_EQ(Summary({Rectangle(2.5f)}).ssPenWidthValue, 3);
    EXPECT_EQ(Summary({Rectangle(-2.5f)}).ssPenWidthValue, -3);

    // Other objects count as pen style six without pen.
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    SelectionState mixed = Summary({wall, Rectangle(1.0f, 2)});
    EXPECT_TRUE(Near({mixed.ssPenStyle, mixed.ssPenWidth}, {0, 0}));

    SelectionState agreed = Summary({wall, Rectangle(1.0f, 6)});
    EXPECT_TRUE(Near({agreed.ssPenStyle, agreed.ssPenStyleType}, {1, 6}));

    SelectionState wallOnly = Summary({wall});
    EXPECT_TRUE(Near({wallOnly.ssPenWidthValue, wallOnly.ssFillPatID}, {-1, 0}));
}

TEST_F(SelectionSummary, DimensionFlagsGiveArrowFrameAndToleranceCommands) {
    auto dimension = [&](int16_t type, int32_t flags) {
        Objex* d = Shape(floor, type, {{0, 0}, {50, 0}});
        auto* record = new DimensionRecord{};
        record->flags = flags;
        Make(d).with(record);
        return d;
    };
    // Arrow bit 3, arrow position, text frame and tolerance bit 10.
    SelectionState ss = Summary({dimension(int16_t{100}, (1 << 3) | (1 << 7) | (1 << 8) | (1 << 10))});
    EXPECT_TRUE(Near({ss.ssArrowHeadType, ss.ssArrowPosID, ss.ssTextFrameID}, {5089, 1, 1}));
    EXPECT_EQ(ss.ssToleranceType, 5055);

    // A leader takes only the arrow style; no arrow bit means 5086.
    ss = Summary({dimension(objtype::kLeaderDimension, (1 << 7) | (1 << 11))});
    EXPECT_EQ(ss.ssArrowHeadType, 5086);
    EXPECT_EQ(ss.ssArrowPosID, (CurrentDocState()->dimensionFlags >> 7) & 1);

    ss = Summary({dimension(objtype::kAngleDimension, 1 << 9), dimension(objtype::kAngleDimension, 0)});
    EXPECT_TRUE(Near({ss.ssTolerance, ss.ssArrowHead}, {0, 1}));
}

class ElevationSummary : public SelectionTest {
protected:
    SelectionState40 Summary(std::initializer_list<Objex*> objects) {
        SelectionState40 ss;
        ClearSelectionState40(CurrentDocState(), &ss);
        for (Objex* o : objects) UpdateSelectionState40(&ss, o);
        return ss;
    }
};

TEST_F(ElevationSummary, WallSegmentsMergeTheirBaseElevations) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    Make(wall).select();
    PointAt(wall, 1)->baseElevation = 12;
    PointAt(wall, 3)->baseElevation = 12;  // last point: its segment only counts when closed
    wall->elevation = 40;                  // a wall's own elevation is not merged

    SelectionState40 ss = Summary({wall});
    EXPECT_EQ(ss.ssBaseElevation, 0);

    // Only the first segment (0 -> 1) selected: base elevation 0.
    Make(wall).select(0);
    PointAt(wall, 0)->selected = PointAt(wall, 1)->selected = 1;
    ss = Summary({wall});
    EXPECT_TRUE(Near({ss.ssBaseElevation, ss.ssBaseElevationValue}, {1, 0.0f}));

    // The closing segment of a closed wall runs from the last point to the first.
    Make(wall).select(0);
    wall->closed = 1;
    PointAt(wall, 3)->selected = PointAt(wall, 0)->selected = 1;
    ss = Summary({wall});
    EXPECT_TRUE(Near({ss.ssBaseElevation, ss.ssBaseElevationValue}, {1, 12.0f}));
}

TEST_F(ElevationSummary, TerrainMakesItMixedAndAttachmentsEnterInWorldUnits) {
    Objex* plant = Shape(floor, objtype::kPlant, {{0, 0}});
    plant->elevation = 5;
    plant->onTerrain = 1;
    EXPECT_EQ(Summary({plant}).ssBaseElevation, 0);

    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = DoorIn(wall, PointAt(wall, 0), PointAt(wall, 1), 24.0f);
    Make(door).select();
    SelectionState40 ss = Summary({wall});
    EXPECT_EQ(ss.ssBaseElevation, 1);
    EXPECT_FLOAT_EQ(ss.ssBaseElevationValue, ConvertScreenToWorld(24.0f, CurrentDocState(), 0));
    // At the default scale of 36, 24 plan units are 12 inches.
    EXPECT_FLOAT_EQ(ss.ssBaseElevationValue, 12.0f);

    // With its segment selected the door adds nothing of its own.
    Make(wall).select();
    ss = Summary({wall});
    EXPECT_EQ(ss.ssBaseElevationValue, 0.0f);

    Objex* box = Shape(floor, objtype::kPolygon, {{0, 0}, {1, 1}});
    box->elevation = 30;
    ss = Summary({box, plant});
    EXPECT_TRUE(Near({ss.ssBaseElevationValue, ss.ssBaseElevation}, {30.0f, 0}));
}

TEST_F(ElevationSummary, ControlsReachTheElevationPane) {
    SelectionSeamRecorder seams;
    SelectionState40 ss;
    ClearSelectionState40(CurrentDocState(), &ss);
    ss.ssBaseElevationValue = 48;
    UpdateSelectionState40Controls(&ss);
    UpdateSelectionState40Controls(nullptr);
    ASSERT_EQ(seams.elevationPanes.size(), 1u);
    EXPECT_EQ(seams.elevationPanes[0].ssBaseElevationValue, 48.0f);
}

}  // namespace dvxtest::queries

// Selection modes on points, whole objects, point-wise objects and layers.
namespace dvxtest::ops {

class SelectionModes : public SelectionTest {};

TEST_F(SelectionModes, PointModesRespectDetectabilityAndActOnSelectedPointsOnly) {
    SelectionSeamRecorder seams;
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Poinz* p = line->firstPoint;

    p->detectable = 0;
    SelectPoint(p, selmode::kSelect, 0);
    SelectPoint(p, selmode::kToggle, 0);
    EXPECT_EQ(p->selected, 0);
    SelectPoint(p, selmode::kDetectable, 0);
    SelectPoint(p, 0, 0);  // other values up to 3 select
    EXPECT_EQ(p->selected, 1);
    SelectPoint(p, selmode::kToggle, 0);
    EXPECT_EQ(p->selected, 0);

    // Lock, unlock and hide touch only selected points.
    SelectPoint(p, selmode::kLock, 0);
    SelectPoint(p, selmode::kHide, 0);
    EXPECT_TRUE(Near({p->locked, p->detectable}, {0, 1}));
    p->selected = 1;
    SelectPoint(p, selmode::kLock, 0);
    EXPECT_EQ(p->locked, 1);
    SelectPoint(p, 6, 0);
    SelectPoint(p, 9, 0);
    EXPECT_EQ(p->selected, 1);
    SelectPoint(p, selmode::kUnlock, 0);
    EXPECT_EQ(p->locked, 0);
    SelectPoint(p, selmode::kHide, 0);
    EXPECT_TRUE(Near({p->selected, p->detectable}, {0, 0}));

    // Every call first clears a shown wall segment clearance, even without a point.
    static int clears = 0;
    clears = 0;
    RegisterSelectionFeedbackHooks({nullptr, [] { return int16_t(++clears); }});
    SelectPoint(nullptr, selmode::kSelect, 0);
    EXPECT_EQ(clears, 1);
}

TEST_F(SelectionModes, WholeObjectsRefuseSelectionWhenUndetectableButAlwaysDeselect) {
    Objex* poly = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}, {10, 10}}, true);
    for (Poinz* p = poly->firstPoint; p; p = p->next) p->detectable = 0;
    EXPECT_FALSE(SelectObj(poly, selmode::kSelect, 0));
    EXPECT_FALSE(SelectObj(poly, selmode::kToggle, 0));
    EXPECT_EQ(SelectedPointCount(poly), 0);

    Make(poly).select();
    EXPECT_TRUE(SelectObj(poly, selmode::kToggle, 0));
    EXPECT_EQ(SelectedPointCount(poly), 0);

    // Already in the wanted state: nothing happens.
    EXPECT_FALSE(DoSelectObject(poly, selmode::kDeselect));

    // Lines are always selected point by point.
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}, {20, 0}});
    Objex* whole = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}, {20, 0}});
    PointAt(line, 1)->detectable = PointAt(whole, 1)->detectable = 0;
    SelectObj(line, selmode::kSelect, 0);
    SelectObj(whole, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(line), 2);  // the detectable ones
    EXPECT_EQ(SelectedPointCount(whole), 0);  // whole: refused
}

TEST_F(SelectionModes, WholeObjectModesReachEveryMember) {
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* b = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* inner = Group(floor, {b});
    Objex* group = Group(floor, {a, inner});

    EXPECT_TRUE(SelectObj(group, selmode::kSelect, 0));
    EXPECT_EQ(SelectedPointCount(group), 4);
    EXPECT_TRUE(SelectObj(group, selmode::kLock, 0));
    EXPECT_EQ(b->firstPoint->locked, 1);
    EXPECT_TRUE(SelectObj(group, selmode::kHide, 0));
    EXPECT_EQ(SelectedPointCount(group), 0);
    EXPECT_TRUE(IsObjectUndetectable(group));
    // Hidden, it is no longer selected: lock, unlock and hide do nothing.
    EXPECT_FALSE(SelectObj(group, selmode::kUnlock, 0));
    EXPECT_TRUE(IsObjectLocked(group));
    EXPECT_FALSE(SelectObj(group, selmode::kDetectable, 0));
    EXPECT_FALSE(IsObjectUndetectable(group));

    SetObjectLockFlags(group, 0);
    EXPECT_FALSE(IsObjectLocked(group));
    SetObjectLockFlags(group, 1);
    EXPECT_EQ(b->firstPoint->next->locked, 1);
}

TEST_F(SelectionModes, ClickedPointsSelectByToolAndType) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}});
    // Whole-object tools select the root of what was clicked.
    SelectObjectPoint(PointAt(wall, 1), wall, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(wall), 3);
    SelectObj(wall, selmode::kDeselect, 0);

    gCurTool = toolid::kPointEdit;
    SelectObjectPoint(PointAt(wall, 1), wall, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(wall), 1);
    SelectObjectSpline(PointAt(wall, 1), PointAt(wall, 2), wall, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(wall), 2);

    // A grouped member under point editing is still selected through its group.
    Objex* line = Shape(floor, objtype::kLine, {{0, 50}, {10, 50}});
    Objex* group = Group(floor, {line});
    SelectObjectSpline(line->firstPoint, line->firstPoint->next, line, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(group), 2);

    // No tool: nothing.
    gCurTool = toolid::kNone;
    SelectObjectPoint(PointAt(wall, 0), wall, selmode::kSelect, 0);
    EXPECT_EQ(PointAt(wall, 0)->selected, 0);
}

TEST_F(SelectionModes, RoofsPassDeselectionToAttachmentsButNotSelection) {
    gCurTool = toolid::kPointEdit;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {200, 0}, {200, 200}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{50, 50}, {80, 50}, {80, 80}}, true);
    DoSelectObjectPoints(roof, selmode::kSelect, 0);
    EXPECT_TRUE(Near({SelectedPointCount(roof), SelectedPointCount(skylight)}, {3, 0}));

    Make(skylight).select();
    DoSelectObjectPoints(roof, selmode::kDeselect, 0);
    EXPECT_EQ(SelectedPointCount(roof), 0);

    // Feedback is redrawn when a door changes state.
    SelectionSeamRecorder seams;
    gCurTool = toolid::kPointEdit;
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{20, 0}, {40, 0}});
    gCustomDoorPopEntryHilite = 3;
    static std::vector<Objex*> lines;
    lines.clear();
    RegisterSelectionFeedbackHooks({[](Objex* o) { lines.push_back(o); }, nullptr});
    DoSelectObjectPoints(wall, selmode::kSelect, 1);
    EXPECT_EQ(lines, std::vector<Objex*>{door});  // the door's selection line
    EXPECT_EQ(gCustomDoorPopEntryHilite, -1);
    DoSelectObjectPoints(wall, selmode::kSelect, 1);  // no change, no redraw
    DoSelectObjectPoints(wall, selmode::kDeselect, 0);
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(SelectionModes, VisualSelectionSkipsObjectsOffThePlansInForce) {
    Objex* shown = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});
    Objex* hidden = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});
    hidden->planBits = 0;
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    SelectVisualAllLayers(doc->itsLayers, selmode::kSelect, 0);
    EXPECT_TRUE(Near({SelectedPointCount(shown), SelectedPointCount(hidden)}, {2, 0}));
    // Roofs are point-wise even under the select tool only with point orientation; whole,
    // a freehand roof takes its skylight along.
    EXPECT_EQ(SelectedPointCount(skylight), 3);

    SelectVisualAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    gPointOrientation = 1;
    gCurTool = toolid::kRemovePoint;
    SelectVisualObj(roof, selmode::kSelect, 0, 0x1FF);
    EXPECT_EQ(SelectedPointCount(roof), 3);  // the remove-point tool leaves skylights alone

    // Layers select only when shown and active and tell the inspector.
    SelectionSeamRecorder seams;
    Objex* a = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});
    Layer* second = floor->next;
    Objex* b = Shape(second, objtype::kPolygon, {{0, 0}, {10, 0}});
    SelectAllLayers(doc->itsLayers, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(a), 2);
    EXPECT_EQ(SelectedPointCount(b), 0);  // the second floor is not active
    EXPECT_EQ(seams.propertiesStates, std::vector<int>{1});

    gCurTool = toolid::kSkylight;
    SelectAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    EXPECT_TRUE(Near({SelectedPointCount(a), seams.propertiesStates.size()}, {0, 1u}));
}

}  // namespace dvxtest::ops

// Hit testing in plan view at zoom 1: a model point (H, V, D) shows at view (H, D).
namespace dvxtest::hits {

class HitTest : public SelectionTest {
protected:
    // The search of all layers at the view point; the record keeps what was found.
    bool Hit(int32_t x, int32_t y, uint8_t onlySelected = 0, const int16_t* types = nullptr,
             int16_t count = 0) {
        click = ClickAt(x, y);
        return SelectFromAllLayers(doc->itsLayers, &click, onlySelected, types, count);
    }
    ClickInfo click;
};

TEST_F(HitTest, SmallPickTolerancesStillGiveTwoUnitPointsAndOneUnitSegments) {
    for (int16_t tolerance : {0, 1}) {
        CurrentDocState()->pickTolerance = tolerance;
        EXPECT_EQ(PickHalfSize(), 2);
        Objex* line = Shape(floor, objtype::kLine, {{100, 100}, {300, 100}});
        Poinz* start = line->firstPoint;

        // Point squares are half-open: 2 to the left hits, 2 to the right does not.
        for (auto [x, y, hit] : {std::tuple{98, 100, true}, {102, 100, false}, {100, 98, true}, {100, 102, false}}) {
            click = ClickAt(x, y);
            EXPECT_EQ(SearchPoint(start, &click, 0, 0), hit) << x << "," << y;
        }

        // Away from the ends the segment is hit 1 above, not 1 below.
        ASSERT_TRUE(Hit(200, 99));
        EXPECT_EQ(click.ciSegmentHit, 1);
        EXPECT_TRUE(Same({click.ciPoint, click.ciPoint2, click.ciObject}, {start, start->next, line}));
        EXPECT_FALSE(Hit(200, 101));
        EXPECT_FALSE(Hit(200, 98));

        // Near an end the point wins over its segment.
        ASSERT_TRUE(Hit(299, 100));
        EXPECT_TRUE(Near({click.ciPointHit, click.ciSegmentHit}, {1, 0}));
        EXPECT_EQ(click.ciPoint, start->next);
        EXPECT_TRUE(Near({click.ciHitPos.floatH, click.ciHit}, {300.0f, 0}));  // the caller stores the answer
        DeleteObj(line);
    }
    CurrentDocState()->pickTolerance = 5;
    EXPECT_EQ(PickHalfSize(), 5);
}

TEST_F(HitTest, SegmentPieceAndParameterFollowTheCurve) {
    // A curved segment from (0, 0) to (200, 0) bulging towards +D: its middle lies at D = 50.
    Objex* arc = Shape(floor, objtype::kLine, {{0, 0}, {200, 0}});
    Poinz* a = PointAt(arc, 0);
    Poinz* b = PointAt(arc, 1);
    a->outTangent[2] = 200;
    b->inTangent[2] = -200;
    StoreBoundsDeep(arc);

    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciSegmentHit, 1);
    EXPECT_LT(click.ciPieceStartT, 0.5f + 1e-4f);
    EXPECT_GT(click.ciPieceEndT, 0.5f - 1e-4f);
    EXPECT_NEAR(click.ciPieceEndT - click.ciPieceStartT, 0.05f, 1e-5f);  // 2 x 10 pieces
    EXPECT_NEAR(click.ciHitPos.floatD, 50.0f, 1.0f);
    EXPECT_NEAR(click.ciPieceEnd.floatV, click.ciHitPos.floatD, 1e-3f);
    // The straight chord is not the curve.
    EXPECT_FALSE(Hit(100, 10));

    // Under the key-entry tool a curved segment is never hit.
    gCurTool = toolid::kKeyEntry;
    EXPECT_FALSE(Hit(100, 50));
}

TEST_F(HitTest, KeyEntryToolPicksNoWholeObjectAndReportsSegmentsOnly) {
    Objex* plant = Shape(floor, objtype::kPlant, {{100, 100}, {140, 100}, {140, 140}, {100, 140}}, true);
    ASSERT_TRUE(Hit(120, 120));  // anywhere inside its bounds
    EXPECT_EQ(click.ciPointHit, 1);
    EXPECT_EQ(click.ciPoint, plant->firstPoint);

    gCurTool = toolid::kKeyEntry;
    EXPECT_FALSE(Hit(120, 120));
    ASSERT_TRUE(Hit(100, 100));  // on its first point: a segment, not a point
    EXPECT_TRUE(Near({click.ciPointHit, click.ciSegmentHit}, {0, 1}));
}

TEST_F(HitTest, UndetectableEndPointEndsThatSegmentOnlyAndTheSearchGoesOn) {
    // The last segment crosses the first point of the outline.
    Objex* shape = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {100, 100}, {-100, -100}});
    PointAt(shape, 0)->detectable = 0;
    ASSERT_TRUE(Hit(0, 0));
    EXPECT_EQ(click.ciSegmentHit, 1);
    EXPECT_TRUE(Same({click.ciPoint, click.ciPoint2}, {PointAt(shape, 2), PointAt(shape, 3)}));

    // Both ends undetectable: the segment itself is no hit either.
    PointAt(shape, 2)->detectable = PointAt(shape, 3)->detectable = 0;
    EXPECT_FALSE(Hit(0, 0));
}

TEST_F(HitTest, LayersAreSearchedFromTheLastAndMustBeShownAndActive) {
    Layer* upper = floor->next;
    ASSERT_NE(upper, nullptr);
    upper->active = 1;
    Objex* low = Shape(floor, objtype::kLine, {{0, 50}, {200, 50}});
    Objex* high = Shape(upper, objtype::kLine, {{100, 0}, {100, 200}});
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, high);
    upper->active = 0;
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, low);
    floor->visible = 0;
    EXPECT_FALSE(Hit(100, 50));
    floor->visible = 1;

    // Objects not on a plan in force are passed by.
    low->planBits = 0;
    EXPECT_FALSE(Hit(100, 50));

    // Later objects come first and the select index takes the next.
    Objex* below = Shape(floor, objtype::kLine, {{0, 50}, {200, 50}});
    Objex* above = Shape(floor, objtype::kLine, {{100, 0}, {100, 200}});
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, above);

    gSelectIndex = 2;
    ASSERT_TRUE(Hit(100, 50));
    EXPECT_EQ(click.ciObject, below);

    gSelectIndex = 3;
    EXPECT_FALSE(Hit(100, 50));
    EXPECT_TRUE(Same({click.ciObject, click.ciPoint}, {nullptr, nullptr}));
}

TEST_F(HitTest, ClosingSegmentsRowsAndSpecialGroupMembers) {
    Objex* outline = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_FALSE(Hit(0, 50));
    outline->closed = 1;
    ASSERT_TRUE(Hit(0, 50));
    EXPECT_TRUE(Same({click.ciPoint, click.ciPoint2}, {PointAt(outline, 3), PointAt(outline, 0)}));

    // Multi-row surfaces, along and across rows: row 0 at D = 0, row 1 at D = 100.
    Objex* surface = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {200, 0}, {0, 100}, {100, 100}, {200, 100}});
    surface->rows = 2;
    ASSERT_TRUE(Hit(50, 100));  // along the second row
    EXPECT_TRUE(Same({click.ciPoint, click.ciPoint2}, {PointAt(surface, 3), PointAt(surface, 4)}));
    ASSERT_TRUE(Hit(100, 50));  // across, middle column
    EXPECT_TRUE(Same({click.ciPoint, click.ciPoint2}, {PointAt(surface, 1), PointAt(surface, 4)}));
    EXPECT_FALSE(Hit(100, 20) && click.ciPoint == PointAt(surface, 2));
    EXPECT_FALSE(Hit(200, 200));

    // Special group members are reported by segment.
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}});
    Group(floor, {line}, 123);
    ASSERT_TRUE(Hit(0, 0));
    EXPECT_TRUE(Near({click.ciPointHit, click.ciSegmentHit}, {0, 1}));
    EXPECT_TRUE(Same({click.ciObject, click.ciPoint}, {line, PointAt(line, 0)}));
    EXPECT_EQ(click.ciPoint2, PointAt(line, 1));
}

TEST_F(HitTest, TypeListAndOnlySelectedLimitTheObjectsButNotTheirChildren) {
    Objex* wall = Wall(floor, {{0, 0}, {200, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{50, 0}, {90, 0}});
    const int16_t doors[] = {objtype::kDoor};
    ASSERT_TRUE(Hit(70, 0, 0, doors, 1));
    EXPECT_EQ(click.ciObject, door);
    EXPECT_FALSE(Hit(150, 0, 0, doors, 1));
    ASSERT_TRUE(Hit(150, 0));
    EXPECT_EQ(click.ciObject, wall);

    EXPECT_FALSE(Hit(150, 0, 1));
    PointAt(wall, 0)->selected = 1;
    ASSERT_TRUE(Hit(150, 0, 1));
    EXPECT_EQ(click.ciObject, wall);

    // Doors search only while their plan shows.
    door->planBits = 0;
    CurrentDocState()->visiblePlans = 0x100;
    wall->planBits = 0x100;
    ASSERT_TRUE(Hit(70, 0));
    EXPECT_EQ(click.ciObject, wall);
}

TEST_F(HitTest, FilledDetailShapesAreHitInside) {
    Objex* circle = Shape(floor, objtype::kDetail, {{0, -100}, {100, 0}, {0, 100}, {-100, 0}}, true, 2);
    circle->optionB = 1;  // edited by points, so not picked whole
    auto* shape = new ShapePathObject;
    constexpr double k = 55.228475;  // circle of radius 100 from four cubic pieces
    shape->path.moveTo(100, 0);
    shape->path.curveTo(100, k, k, 100, 0, 100);
    shape->path.curveTo(-k, 100, -100, k, -100, 0);
    shape->path.curveTo(-100, -k, -k, -100, 0, -100);
    shape->path.curveTo(k, -100, 100, -k, 100, 0);
    shape->path.closePath();
    circle->platformObject = shape;

    ASSERT_TRUE(Hit(60, 60));
    EXPECT_EQ(click.ciAreaHit, 1);
    EXPECT_EQ(click.ciObject, circle);
    EXPECT_FALSE(Hit(90, 90));                // inside the bounds, outside the shape
    PointAt(circle, 0)->selected = 1;
    EXPECT_FALSE(Hit(60, 60, 1));             // not when only selected objects are searched
}

// A click's search on one plan (the current plan's bit) takes the roof on the roofing plan and
// the wall under its edge on the floor plan. A roof is found by its lines and corners only: a
// click inside it, away from them, finds nothing on any plan.
TEST_F(HitTest, APlanMaskPicksItsObjectsAndARoofOnlyByItsLines) {
    Objex* wall = Wall(floor, {{0, 0}, {200, 0}});
    wall->subtype = objsubtype::kExteriorWall, wall->planBits = 1;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {200, 0}, {200, 100}, {0, 100}}, true);
    roof->planBits = 16;
    CurrentDocState()->visiblePlans = 2 | 16 | 256;  // the roofing tab shows the floor plan
    const struct { int32_t plans; Objex* want; } rows[] = {{0, roof}, {16, roof}, {2, wall}, {4, wall}, {64, nullptr}};
    for (const auto& r : rows) {
        click = ClickAt(100, 0);
        const bool hit = SelectFromAllLayers(doc->itsLayers, &click, 0, nullptr, 0, r.plans);
        EXPECT_EQ(hit ? click.ciObject : nullptr, r.want) << r.plans;
    }
    for (int32_t plans : {0, 16, 2}) {
        click = ClickAt(100, 50);
        EXPECT_FALSE(SelectFromAllLayers(doc->itsLayers, &click, 0, nullptr, 0, plans)) << plans;
    }
    click = ClickAt(200, 50);
    ASSERT_TRUE(SelectFromAllLayers(doc->itsLayers, &click, 0, nullptr, 0, 16));
    EXPECT_EQ(click.ciObject, roof);
}

// The points alone: one just beyond the end of its segment, where the segment's box (grown one
// unit less than the pick square) misses it, is found anywhere in its square.
TEST_F(HitTest, APointIsFoundAnywhereInItsSquare) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    static constexpr int16_t kWalls[] = {objtype::kWall};
    CurrentDocState()->pickTolerance = 10;
    EXPECT_FALSE(Hit(109, 0, 0, kWalls, 1));
    for (int32_t x : {109, 91}) {
        click = ClickAt(x, 9);
        ASSERT_TRUE(SelectPointFromLayer(floor, &click, kWalls, 1)) << x;
        EXPECT_TRUE(click.ciPointHit && click.ciPoint == PointAt(wall, 1) && click.ciObject == wall);
    }
    click = ClickAt(110, 0);
    EXPECT_FALSE(SelectPointFromLayer(floor, &click, kWalls, 1));
    PointAt(wall, 1)->detectable = 0;
    click = ClickAt(109, 0);
    EXPECT_FALSE(SelectPointFromLayer(floor, &click, kWalls, 1));
}

TEST_F(HitTest, HandlesOfASelectedObjectAreNumberedInCornerOrder) {
    // A view turned so that the eight corners of a box fall apart.
    SetUpForRotationAboutArbitraryAxis(30, 30, &gCosXAngle, &gSinXAngle, &gCosYAngle, &gSinYAngle, 0);
    Objex* box = Shape(floor, objtype::kPolygon, {{0, 0}, {100, 100}});
    box->bounds3D = Float3DRect{0, 0, 0, 100, 100, 100};  // top, left, back, bottom, right, front
    Make(box).select();
    const float corners[8][3] = {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0},
                                 {0, 0, 100}, {100, 0, 100}, {100, 100, 100}, {0, 100, 100}};
    for (int i = 0; i < 8; ++i) {
        float x = corners[i][0], y = corners[i][1], z = corners[i][2];
        ConversionToIsometric(&x, &y, &z, gCosXAngle, gSinXAngle, gCosYAngle, gSinYAngle, 0, 0, 0, 1);
        ClickInfo handle = ClickAt(static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y)));
        EXPECT_TRUE(Test3DHit(corners[i][0], corners[i][1], corners[i][2], &handle));
        ASSERT_TRUE(SelectFromLayer(floor, &handle, 0, nullptr, 0)) << "handle " << i + 1;
        EXPECT_EQ(handle.ciHandleHit, 1);
        EXPECT_EQ(handle.ciHandle, i + 1);
        EXPECT_EQ(handle.ciObject, box);
        EXPECT_EQ(handle.ciHitPos.floatV, corners[i][1]);
    }
    // Unselected, or selected by points: no handles.
    gPointOrientation = 1;
    gCurTool = toolid::kPointEdit;
    box->type = objtype::kLine;
    ClickInfo none = ClickAt(0, 0);
    SelectFromLayer(floor, &none, 0, nullptr, 0);
    EXPECT_EQ(none.ciHandleHit, 0);
}

// An outline square to the plan's axes has its corners under its handles: the select tool takes
// the handle, the remove point tool the corner, the insert point and key-entry tools the segment
// beside it.
TEST_F(HitTest, PointToolsFindTheCornersAndSegmentsUnderHandles) {
    CurrentDocState()->pickTolerance = 2;  // point squares smaller than the handles'
    Objex* deck = Shape(floor, objtype::kDeck, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    deck->bounds3D = Float3DRect{0, 0, 0, 0, 100, 100};
    Make(deck).select();
    const struct {
        int16_t tool;
        int32_t x, y;
        uint8_t handle, point, segment;
        Poinz* at;
    } rows[] = {
        {toolid::kSelect, 100, 0, 1, 0, 0, nullptr},
        {toolid::kRemovePoint, 100, 0, 0, 1, 0, PointAt(deck, 1)},
        {toolid::kInsertPoint, 96, 0, 0, 0, 1, PointAt(deck, 0)},
        {toolid::kKeyEntry, 96, 0, 0, 0, 1, PointAt(deck, 0)},
    };
    for (const auto& r : rows) {
        gCurTool = r.tool;
        ASSERT_TRUE(Hit(r.x, r.y, 1)) << r.tool;
        EXPECT_TRUE(Near({click.ciHandleHit, click.ciPointHit, click.ciSegmentHit}, {r.handle, r.point, r.segment}))
            << r.tool;
        EXPECT_EQ(click.ciPoint, r.at) << r.tool;
    }
}

TEST_F(HitTest, TopographyIsSearchedWithAHairlineAndGetsItsPenBack) {
    Objex* topo = Shape(floor, objtype::kTopography, {{0, 0}, {200, 0}});
    topo->penWidth = 20;  // a thick pen would widen the segment by 10
    EXPECT_FALSE(Hit(100, 8));
    EXPECT_EQ(topo->penWidth, 20.0f);
    ASSERT_TRUE(Hit(100, 2));
    EXPECT_EQ(topo->penWidth, 20.0f);

    // Other objects keep their thick pen: the search widens with it.
    topo->type = objtype::kLine;
    EXPECT_TRUE(Hit(100, 8));
}

TEST_F(HitTest, FarCoordinatesAreClampedNotOverflowed) {
    Objex* far = Shape(floor, objtype::kLine, {{1e9f, 1e9f}, {-1e9f, 1e9f}, {1e9f, -1e9f}}, true);
    Objex* plant = Shape(floor, objtype::kPlant, {{-1e9f, -1e9f}});
    Make(plant).select();
    far->bounds3D = Float3DRect{-1e9f, -1e9f, -1e9f, 1e9f, 1e9f, 1e9f};
    for (int32_t x : {0, 32767, -32768, 2147483647, -2147483647 - 1}) {
        ClickInfo c = ClickAt(x, x);
        SelectFromAllLayers(doc->itsLayers, &c, 0, nullptr, 0);
        Test3DHit(NAN, INFINITY, -INFINITY, &c);
    }
    // Projected far away, a handle sits at the clamped edge of the view range.
    ClickInfo edge = ClickAt(32767, -32767);
    EXPECT_TRUE(Test3DHit(1e30f, 0, -1e30f, &edge));
    edge = ClickAt(0, 0);
    EXPECT_FALSE(Test3DHit(1e30f, 0, -1e30f, &edge));
    gSelectIndex = 1;
    ClickInfo c = ClickAt(32767, 32767);
    EXPECT_TRUE(SelectFromAllLayers(doc->itsLayers, &c, 0, nullptr, 0));
}

}  // namespace dvxtest::hits

// The marquee in plan view at zoom 1: view (x, y) is plan (H, D).
namespace dvxtest::marquee {

class Marquee : public SelectionTest {
protected:
    void Drag(int32_t left, int32_t top, int32_t right, int32_t bottom, int8_t mode = selmode::kSelect) {
        RECT r{left, top, right, bottom};
        SelectAllLayersInRect(doc->itsLayers, &r, mode, 1);
    }
    // A detail rectangle from (0, 0) to (100, 50).
    Objex* Rectangle() {
        return Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 50}, {0, 50}}, true, 1);
    }
};

TEST_F(Marquee, ObjectsNeedTheirBoundsGrownByTwoInsideWallsGoPointByPoint) {
    Objex* rect = Rectangle();
    Objex* wall = Wall(floor, {{200, 0}, {300, 0}, {300, 100}});

    Drag(0, 0, 100, 50);  // exactly the bounds
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-1, -2, 103, 53);
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-2, -2, 102, 52);  // the right and bottom edges are outside
    EXPECT_EQ(SelectedPointCount(rect), 0);
    Drag(-2, -2, 103, 53);
    EXPECT_EQ(SelectedPointCount(rect), 4);
    SelectObj(rect, selmode::kDeselect, 0);

    // Part of both: the rectangle stays, the wall points inside are taken.
    Drag(50, -10, 301, 10);
    EXPECT_TRUE(Near({SelectedPointCount(rect), PointAt(wall, 0)->selected}, {0, 1}));
    EXPECT_TRUE(Near({PointAt(wall, 1)->selected, PointAt(wall, 2)->selected}, {1, 0}));
}

TEST_F(Marquee, ShiftTogglesObjectsButAlwaysSelectsWallPoints) {
    Objex* rect = Rectangle();
    Objex* wall = Wall(floor, {{200, 0}, {300, 0}});
    SelectObj(rect, selmode::kSelect, 0);
    PointAt(wall, 0)->selected = 1;
    Drag(-10, -10, 400, 100, selmode::kToggle);
    EXPECT_TRUE(Near({SelectedPointCount(rect), SelectedPointCount(wall)}, {0, 2}));
}

TEST_F(Marquee, PartOfARoofTakesOnlyTheSkylightsItWhollyCovers) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {400, 0}, {400, 400}, {0, 400}}, true);
    Objex* inside = Shape(roof, objtype::kSkylight, {{50, 50}, {100, 50}, {100, 100}, {50, 100}}, true);
    Objex* partly = Shape(roof, objtype::kSkylight, {{150, 50}, {250, 50}, {250, 100}, {150, 100}}, true);
    Drag(40, 40, 200, 200);
    EXPECT_TRUE(Near({SelectedPointCount(inside), SelectedPointCount(partly)}, {4, 0}));
    EXPECT_EQ(SelectedPointCount(roof), 4);  // only the skylight's points

    Drag(-10, -10, 500, 500, selmode::kToggle);
    EXPECT_EQ(SelectedPointCount(roof), 12);  // roof and both skylights, whole

    // Far wall points are clamped, not overflowed.
    Objex* wall = Wall(floor, {{1e9f, -1e9f}, {-3.7f, 2.2f}});
    Drag(-2147483647, -2147483647, 2147483647, 2147483647);
    // The marquee rounds by truncating, adding 0.5 and truncating again: -3.7 lands on -2.
    EXPECT_EQ(PointAt(wall, 1)->selected, 1);
    SelectObj(wall, selmode::kDeselect, 0);
    Drag(-2, 2, 0, 3);
    EXPECT_EQ(PointAt(wall, 1)->selected, 1);
}

TEST_F(Marquee, RectangleSelectionOnPlanBoundsByPoints) {
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {100, 0}, {200, 0}});
    RECT r{-5, -5, 150, 5};
    gCurTool = toolid::kPointEdit;
    SelectObjectInRect(line, &r, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(line), 2);
    SelectObj(line, selmode::kDeselect, 0);

    gCurTool = toolid::kSelect;
    Objex* poly = Shape(floor, objtype::kPolygon, {{0, 0}, {100, 0}, {200, 0}});
    SelectObjectInRect(poly, &r, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(poly), 3);  // whole object through one point

    gCurTool = toolid::kNone;
    SelectObj(poly, selmode::kDeselect, 0);
    EXPECT_FALSE(SelectPointInRect(poly->firstPoint, poly, &r, selmode::kSelect, 0));

    // Rectangle selection by points compares H and V.
    Objex* column = Shape(floor, objtype::kLine, {});
    Poinz* low = Point(column, {10, 10, 90});   // D outside the rectangle, V inside
    Poinz* high = Point(column, {20, 90, 10});  // D inside, V outside
    const RECT box{0, 0, 50, 50};
    gCurTool = toolid::kPointEdit;
    EXPECT_TRUE(SelectPointInRect(low, column, &box, selmode::kSelect, 0));
    EXPECT_FALSE(SelectPointInRect(high, column, &box, selmode::kSelect, 0));
    EXPECT_TRUE(Near({low->selected, high->selected}, {1, 0}));
}

}  // namespace dvxtest::marquee
