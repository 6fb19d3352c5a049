// Selection queries and the two selection summaries.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "support/build.h"
#include "support/selection_recorders.h"
#include "tracking/tracking_state.h"

namespace dvxtest {
namespace {

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
}

TEST_F(SelectionQueries, RoofCountsItsSkylightOnlyWhileTracking) {
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
    PointAt(line, 1)->selected = 1;
    PointAt(line, 1)->locked = 1;
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
    EXPECT_EQ(same.ssPenWidth, 1);
    EXPECT_EQ(same.ssPenWidthValue, 2);
    EXPECT_EQ(same.ssStateFresh, 0);

    EXPECT_EQ(Summary({Rectangle(1.4f), Rectangle(1.6f)}).ssPenWidth, 0);
    EXPECT_EQ(Summary({Rectangle(2.5f)}).ssPenWidthValue, 3);
    EXPECT_EQ(Summary({Rectangle(-2.5f)}).ssPenWidthValue, -3);
}

TEST_F(SelectionSummary, OtherObjectsCountAsPenStyleSixWithoutPen) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    SelectionState mixed = Summary({wall, Rectangle(1.0f, 2)});
    EXPECT_EQ(mixed.ssPenStyle, 0);
    EXPECT_EQ(mixed.ssPenWidth, 0);

    SelectionState agreed = Summary({wall, Rectangle(1.0f, 6)});
    EXPECT_EQ(agreed.ssPenStyle, 1);
    EXPECT_EQ(agreed.ssPenStyleType, 6);

    SelectionState wallOnly = Summary({wall});
    EXPECT_EQ(wallOnly.ssPenWidthValue, -1);
    EXPECT_EQ(wallOnly.ssFillPatID, 0);
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
    EXPECT_EQ(ss.ssArrowHeadType, 5089);
    EXPECT_EQ(ss.ssArrowPosID, 1);
    EXPECT_EQ(ss.ssTextFrameID, 1);
    EXPECT_EQ(ss.ssToleranceType, 5055);

    // A leader takes only the arrow style; no arrow bit means 5086.
    ss = Summary({dimension(objtype::kLeaderDimension, (1 << 7) | (1 << 11))});
    EXPECT_EQ(ss.ssArrowHeadType, 5086);
    EXPECT_EQ(ss.ssArrowPosID, (CurrentDocState()->dimensionFlags >> 7) & 1);

    ss = Summary({dimension(objtype::kAngleDimension, 1 << 9), dimension(objtype::kAngleDimension, 0)});
    EXPECT_EQ(ss.ssTolerance, 0);
    EXPECT_EQ(ss.ssArrowHead, 1);
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
    EXPECT_EQ(ss.ssBaseElevation, 1);
    EXPECT_EQ(ss.ssBaseElevationValue, 0.0f);

    // The closing segment of a closed wall runs from the last point to the first.
    Make(wall).select(0);
    wall->closed = 1;
    PointAt(wall, 3)->selected = PointAt(wall, 0)->selected = 1;
    ss = Summary({wall});
    EXPECT_EQ(ss.ssBaseElevation, 1);
    EXPECT_EQ(ss.ssBaseElevationValue, 12.0f);
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
    EXPECT_EQ(ss.ssBaseElevationValue, 30.0f);
    EXPECT_EQ(ss.ssBaseElevation, 0);
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

}  // namespace
}  // namespace dvxtest
