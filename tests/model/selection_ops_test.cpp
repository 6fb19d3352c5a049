// Selection modes on points, whole objects, point-wise objects and layers.
#include <gtest/gtest.h>

#include "model/document_model.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "support/build.h"
#include "support/selection_recorders.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace dvxtest {
namespace {

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
    EXPECT_EQ(p->locked, 0);
    EXPECT_EQ(p->detectable, 1);
    p->selected = 1;
    SelectPoint(p, selmode::kLock, 0);
    EXPECT_EQ(p->locked, 1);
    SelectPoint(p, 6, 0);
    SelectPoint(p, 9, 0);
    EXPECT_EQ(p->selected, 1);
    SelectPoint(p, selmode::kUnlock, 0);
    EXPECT_EQ(p->locked, 0);
    SelectPoint(p, selmode::kHide, 0);
    EXPECT_EQ(p->selected, 0);
    EXPECT_EQ(p->detectable, 0);

    // Every call first clears a shown wall segment dimension, even without a point.
    const int before = seams.dimensionClears;
    SelectPoint(nullptr, selmode::kSelect, 0);
    EXPECT_EQ(seams.dimensionClears, before + 1);
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

TEST_F(SelectionModes, LinesAreAlwaysSelectedPointByPoint) {
    Objex* line = Shape(floor, objtype::kLine, {{0, 0}, {10, 0}, {20, 0}});
    Objex* poly = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}, {20, 0}});
    PointAt(line, 1)->detectable = 0;
    PointAt(poly, 1)->detectable = 0;
    SelectObj(line, selmode::kSelect, 0);
    SelectObj(poly, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(line), 2);  // the detectable ones
    EXPECT_EQ(SelectedPointCount(poly), 0);  // whole: refused
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
    EXPECT_EQ(SelectedPointCount(roof), 3);
    EXPECT_EQ(SelectedPointCount(skylight), 0);

    Make(skylight).select();
    DoSelectObjectPoints(roof, selmode::kDeselect, 0);
    EXPECT_EQ(SelectedPointCount(roof), 0);
}

TEST_F(SelectionModes, FeedbackIsRedrawnWhenADoorChangesState) {
    SelectionSeamRecorder seams;
    gCurTool = toolid::kPointEdit;
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Objex* door = Shape(wall, objtype::kDoor, {{20, 0}, {40, 0}});
    gCustomDoorPopEntryHilite = 3;
    DoSelectObjectPoints(wall, selmode::kSelect, 1);
    ASSERT_EQ(seams.selectionLines.size(), 1u);
    EXPECT_EQ(seams.selectionLines[0], door);
    EXPECT_EQ(gCustomDoorPopEntryHilite, -1);
    DoSelectObjectPoints(wall, selmode::kSelect, 1);  // no change, no redraw
    DoSelectObjectPoints(wall, selmode::kDeselect, 0);
    EXPECT_EQ(seams.selectionLines.size(), 1u);
}

TEST_F(SelectionModes, LayersSelectOnlyWhenShownAndActiveAndTellTheInspector) {
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
    EXPECT_EQ(SelectedPointCount(a), 0);
    EXPECT_EQ(seams.propertiesStates.size(), 1u);
}

TEST_F(SelectionModes, VisualSelectionSkipsObjectsOffThePlansInForce) {
    Objex* shown = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});
    Objex* hidden = Shape(floor, objtype::kPolygon, {{0, 0}, {10, 0}});
    hidden->planBits = 0;
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    SelectVisualAllLayers(doc->itsLayers, selmode::kSelect, 0);
    EXPECT_EQ(SelectedPointCount(shown), 2);
    EXPECT_EQ(SelectedPointCount(hidden), 0);
    // Roofs are point-wise even under the select tool only with point orientation; whole,
    // a freehand roof takes its skylight along.
    EXPECT_EQ(SelectedPointCount(skylight), 3);

    SelectVisualAllLayers(doc->itsLayers, selmode::kDeselect, 0);
    gPointOrientation = 1;
    gCurTool = toolid::kRemovePoint;
    SelectVisualObj(roof, selmode::kSelect, 0, 0x1FF);
    EXPECT_EQ(SelectedPointCount(roof), 3);  // the remove-point tool leaves skylights alone
}

}  // namespace
}  // namespace dvxtest
