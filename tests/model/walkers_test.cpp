// The walkers with the selection and grouping commands.
#include <gtest/gtest.h>

#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/grouping.h"
#include "model/selection_queries.h"
#include "model/selection_summary.h"
#include "model/walkers.h"
#include "support/build.h"
#include "support/selection_recorders.h"
#include "support/seam_recorders.h"

namespace dvxtest {
namespace {

class Walkers : public SelectionTest {};

TEST_F(Walkers, UngroupingAWholeLayerInOneWalkLeavesEveryMemberTopLevel) {
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* b = Shape(floor, objtype::kLine, {{0, 10}, {10, 10}});
    Objex* c = Shape(floor, objtype::kPolygon, {{0, 20}, {30, 20}});
    Objex* d = Shape(floor, objtype::kLine, {{5, 5}, {6, 6}});
    Objex* g1 = Group(floor, {a, b});
    Objex* g2 = Group(floor, {c, d});
    Make(a).select();
    Make(c).select();
    a->bounds = FloatRect{};  // stale bounds are made again
    (void)g1;
    (void)g2;

    TopLevelObjectLayer(floor, 5026, nullptr);
    EXPECT_EQ(CountObjects(floor->firstObject), 4);
    Objex* expected[] = {a, b, c, d};
    Objex* o = floor->firstObject;
    for (Objex* member : expected) {
        ASSERT_EQ(o, member);
        EXPECT_EQ(o->parent, nullptr);
        EXPECT_EQ(o->layer, floor);
        EXPECT_FALSE(IsObjectSelected(o));
        o = o->next;
    }
    EXPECT_EQ(a->bounds.floatRight, 10.0f);
    EXPECT_EQ(floor->firstObject->prev, nullptr);

    // Ungrouping a non-group does nothing.
    UngroupObject(a);
    EXPECT_EQ(CountObjects(floor->firstObject), 4);
}

TEST_F(Walkers, GroupingBuildsOneGroupWithTheCurrentPlanBitsInOrder) {
    CurrentDocState()->currentPlanBit = 4;
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
    Objex* skip = Shape(floor, objtype::kLine, {{0, 5}, {10, 5}});
    Objex* b = Shape(floor, objtype::kPolygon, {{0, 10}, {10, 10}});
    Make(a).select();
    Make(b).select();

    gGroupLeader = nullptr;
    TopLevelObjectAllLayers(doc->itsLayers, 5025, nullptr);
    Objex* group = gGroupLeader;
    gGroupLeader = nullptr;
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->type, objtype::kGroup);
    EXPECT_EQ(group->planBits, 4);
    EXPECT_EQ(group->visible, 0);
    EXPECT_EQ(group->penStyle, 6);
    EXPECT_EQ(group->layer, floor);
    EXPECT_EQ(group->firstChild, a);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->parent, group);
    EXPECT_EQ(floor->firstObject, skip);
    EXPECT_EQ(skip->next, group);
    // The group follow-up gave it bounds around its members.
    EXPECT_EQ(group->bounds.floatLeft, 0.0f);
    EXPECT_EQ(group->bounds.floatBottom, 10.0f);
}

TEST_F(Walkers, CountingGroupsOverloadsAtTwentySixIncludingTheTopGroup) {
    for (int total : {25, 26}) {
        Objex* leaf = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}});
        Make(leaf).select();
        Objex* top = leaf;
        for (int i = 0; i < total; ++i) top = Group(floor, {top});
        gOverload = 0;
        SelectedObjectLayer(floor, 1, 2001, nullptr);
        EXPECT_EQ(gObjectCount, total);
        EXPECT_EQ(gOverload, total > 25 ? 1 : 0) << total;
        DeleteObj(top);
    }
    // 2000 counts selected top-level objects.
    Objex* x = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Objex* y = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Make(x).select();
    Make(y).select();
    gObjectCount = 0;
    TopLevelObjectAllLayers(doc->itsLayers, 2000, nullptr);
    EXPECT_EQ(gObjectCount, 2);
}

TEST_F(Walkers, SelectedObjectsAreFoundInLayerAndListOrder) {
    Layer* second = floor->next;
    Objex* a = Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Shape(floor, objtype::kLine, {{0, 0}, {1, 0}});
    Objex* b = Shape(second, objtype::kLine, {{0, 0}, {1, 0}});
    second->visible = second->active = 0;  // layer flags play no part
    Make(a).select();
    Make(b).select();
    EXPECT_EQ(GetASelectedObject(0), nullptr);
    EXPECT_EQ(GetASelectedObject(-1), nullptr);
    EXPECT_EQ(GetASelectedObject(1), a);
    EXPECT_EQ(GetASelectedObject(2), b);
    EXPECT_EQ(GetASelectedObject(3), nullptr);
}

TEST_F(Walkers, SelectCommandSelectsWholeAndPicksUpRoofAttachments) {
    // A line is selected point by point: copying one with a selected point takes it all.
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}, {10, 10}});
    line->firstPoint->selected = 1;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    Make(skylight).select();
    Objex* other = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});

    SelectedObjectAllLayers(doc->itsLayers, 1, 8001, nullptr);
    EXPECT_EQ(SelectedPointCount(line), 3);
    EXPECT_EQ(SelectedPointCount(roof), 3);  // the roof itself was skipped
    EXPECT_EQ(SelectedPointCount(other), 0);

    // Without selectedOnly every object takes the command.
    SelectedObjectLayer(floor, 0, 8001, nullptr);
    EXPECT_EQ(SelectedPointCount(other), 2);
}

TEST_F(Walkers, SummaryCommandsMergeIntoTheSettingsRecord) {
    DocState* ds = CurrentDocState();
    Objex* a = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 1);
    Objex* b = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 1);
    a->penWidth = b->penWidth = 3.2f;
    a->elevation = 10;
    b->elevation = 20;
    Make(a).select();
    Make(b).select();

    ClearSelectionState(ds, &ds->ss);
    SelectedObjectAllLayers(doc->itsLayers, 1, 8006, ds);
    UpdateSelectionStateAreas();
    EXPECT_EQ(ds->ss.ssStateFresh, 0);
    EXPECT_EQ(ds->ss.ssPenWidth, 1);
    EXPECT_EQ(ds->ss.ssPenWidthValue, 3);

    SelectionSeamRecorder seams;
    ClearSelectionState40(ds, &ds->ss40);
    TopLevelObjectAllLayers(doc->itsLayers, 8007, ds);
    UpdateSelectionState40Controls(&ds->ss40);
    EXPECT_EQ(ds->ss40.ssBaseElevation, 0);
    ASSERT_EQ(seams.elevationPanes.size(), 1u);
    EXPECT_EQ(seams.elevationPanes[0].ssBaseElevation, 0);

    // A wall whose only selected part is a door still qualifies for 8007.
    Make(a).select(0);
    Make(b).select(0);
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{10, 0}, {20, 0}});
    Make(door).select();
    ClearSelectionState40(ds, &ds->ss40);
    ds->ss40.ssBaseElevationValue = 99;
    TopLevelObjectAllLayers(doc->itsLayers, 8007, ds);
    EXPECT_EQ(ds->ss40.ssStateFresh, 1);  // the door has no attachment record: nothing merged
    SelectedObjectAllLayers(doc->itsLayers, 1, 8007, nullptr);  // without a record: nothing
}

TEST_F(Walkers, GroupFollowUpRebuildsAFixedComponentThatHeadsTheGroup) {
    SelectionSeamRecorder seams;
    Objex* symbol = Shape(floor, 117, {{0, 0}, {10, 0}});
    symbol->firstPart = Make(objtype::kRoofPanel);
    Make(symbol).select();
    Objex* group = Group(floor, {symbol});
    SelectedObjectLayer(floor, 1, 8001, nullptr);
    ASSERT_EQ(seams.fixedComponents.size(), 1u);
    EXPECT_EQ(seams.fixedComponents[0], symbol);
    EXPECT_TRUE(IsFixedComponentType(146));
    EXPECT_FALSE(IsFixedComponentType(124));
    (void)group;
}

TEST_F(Walkers, RoofsAreRefittedAfterTheirChildrenUnlessTheCommandMovesThem) {
    RebuildRecorder rebuilds;
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Make(roof).select();
    SelectedObject(roof, 1, 8001, nullptr);
    EXPECT_EQ(rebuilds.count("UpdateAllRoofAttachments", roof), 1);
    SelectedObject(roof, 1, 6000, nullptr);
    EXPECT_EQ(rebuilds.count("UpdateAllRoofAttachments", roof), 1);
    EXPECT_FALSE(SelectedObject(nullptr, 1, 8001, nullptr));
}

}  // namespace
}  // namespace dvxtest
