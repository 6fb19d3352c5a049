// Floors up and down, wall-height caps, raising, nudging by view, detail styles and group
// root bounds.
#include <gtest/gtest.h>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/deletion.h"
#include "model/floor_operations.h"
#include "support/build.h"
#include "support/seam_recorders.h"

namespace dvxtest {
namespace {

class FloorOperations : public SelectionTest {
protected:
    Layer* First() { return doc->itsLayers; }
    Layer* Second() { return doc->itsLayers->next; }
    Layer* Third() { return doc->itsLayers->next->next; }
};

Objex* WallWithBases(Layer* layer, bool closed, std::initializer_list<float> bases) {
    Objex* wall = Wall(layer, {{0, 0}, {100, 0}, {100, 100}}, closed);
    Poinz* p = wall->firstPoint;
    for (float b : bases) {
        p->baseElevation = b;
        p = p->next;
    }
    return wall;
}

TEST_F(FloorOperations, WallSegmentsCarryTheirBaseElevations) {
    ASSERT_STREQ(First()->name, "First Floor");
    // Segment 1-2 selected: its start rises by the floor height; the wall takes the lowest.
    Objex* wall = WallWithBases(floor, false, {10, 20, 30});
    PointAt(wall, 1)->selected = 1;
    PointAt(wall, 2)->selected = 1;
    SendToNeighboringFloor(wall, floorcmd::kMoveUp);
    EXPECT_FLOAT_EQ(PointAt(wall, 0)->baseElevation, 10);
    EXPECT_FLOAT_EQ(PointAt(wall, 1)->baseElevation, 116);
    EXPECT_FLOAT_EQ(PointAt(wall, 2)->baseElevation, 30);
    EXPECT_FLOAT_EQ(wall->elevation, 10);

    // Segment 0-1 instead: the open wall's last point does not count for the lowest.
    Objex* other = WallWithBases(floor, false, {10, 20, 5});
    PointAt(other, 0)->selected = 1;
    PointAt(other, 1)->selected = 1;
    other->onTerrain = 1;
    SendToNeighboringFloor(other, floorcmd::kMoveUp);
    EXPECT_FLOAT_EQ(PointAt(other, 0)->baseElevation, 106);
    EXPECT_FLOAT_EQ(other->elevation, 20);
    EXPECT_EQ(other->onTerrain, 0);

    // A closed wall's closing segment counts when its last and first points are selected.
    Objex* ring = WallWithBases(floor, true, {10, 20, 5});
    PointAt(ring, 0)->selected = 1;
    PointAt(ring, 2)->selected = 1;
    SendToNeighboringFloor(ring, floorcmd::kMoveUp);
    EXPECT_FLOAT_EQ(PointAt(ring, 2)->baseElevation, 101);
    EXPECT_FLOAT_EQ(ring->elevation, 10);

    // Down from the second floor steps by the height of the floor below.
    doc->itsCurLayer = Second();
    First()->height = 100;
    Objex* box = Shape(Second(), objtype::kPolygon, {{0, 0}});
    Objex* group = Group(Second(), {box});
    group->elevation = 150;
    RebuildRecorder rebuilds;
    SendToNeighboringFloor(box, floorcmd::kCopyDown);  // the root moves
    EXPECT_FLOAT_EQ(group->elevation, 50);
    EXPECT_EQ(rebuilds.count("ReRenderObject", box), 1);
}

TEST_F(FloorOperations, NoFloorBeyondTheTopOrBottom) {
    Objex* o = Shape(floor, objtype::kPolygon, {{0, 0}});
    o->elevation = 7;
    MoveToNeighboringFloor(o, floorcmd::kMoveDown);
    SendToNeighboringFloor(o, floorcmd::kCopyDown);
    SendToNeighboringFloor(o, 5000);
    EXPECT_FLOAT_EQ(o->elevation, 7);
    EXPECT_EQ(o->layer, First());

    doc->itsCurLayer = Third();
    Objex* top = Shape(Third(), objtype::kPolygon, {{0, 0}});
    MoveToNeighboringFloor(top, floorcmd::kMoveUp);
    EXPECT_FLOAT_EQ(top->elevation, 0);
    EXPECT_EQ(top->layer, Third());
}

TEST_F(FloorOperations, WallsGetThePlanBitsOfTheirNewFloor) {
    RebuildRecorder rebuilds;
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Make(wall).select();
    wall->planBits = 1;
    MoveToNeighboringFloor(wall, floorcmd::kMoveUp);
    EXPECT_EQ(wall->layer, Second());
    EXPECT_EQ(Second()->firstObject, wall);
    EXPECT_EQ(First()->firstObject, nullptr);
    EXPECT_EQ(wall->planBits, 2);
    EXPECT_FLOAT_EQ(wall->elevation, 96);
    EXPECT_EQ(SelectedPointCount(wall), 0);
    EXPECT_EQ(rebuilds.count("Update3DWall", wall), 1);

    doc->itsCurLayer = Second();
    MoveToNeighboringFloor(wall, floorcmd::kMoveDown);
    EXPECT_EQ(wall->layer, First());
    EXPECT_EQ(wall->planBits, 1);
    EXPECT_EQ(rebuilds.count("Update3DWall", wall), 2);
}

TEST_F(FloorOperations, OpeningsAndPointsFitUnderTheWallHeight) {
    // First floor: 96 inches at scale 36 is 192 plan units; openings stay below 186.
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    auto addOpening = [&](float height, float offset) {
        Objex* window = Shape(wall, objtype::kWindow, {{10, 0}});
        window->layer = nullptr;
        auto* record = new AttachmentRecord{};
        record->height = height;
        record->elevation = offset;
        Make(window).with(record);
        return record;
    };
    AttachmentRecord* lowered = addOpening(150, 50);
    AttachmentRecord* shortened = addOpening(200, 30);
    AttachmentRecord* fits = addOpening(100, 20);
    ScaleObjectToWallHeight(wall);
    EXPECT_FLOAT_EQ(lowered->elevation, 36);
    EXPECT_FLOAT_EQ(lowered->height, 150);
    EXPECT_FLOAT_EQ(shortened->elevation, 0);
    EXPECT_FLOAT_EQ(shortened->height, 186);
    EXPECT_FLOAT_EQ(fits->elevation, 20);
    EXPECT_FLOAT_EQ(fits->height, 100);

    // On the second floor the cap is base 192 + top 192; every row is capped.
    Objex* surface = Shape(Second(), objtype::kClosedSolid, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}});
    surface->rows = 3;
    const float heights[] = {100, 400, 500, 390, 384, 0};
    for (int i = 0; i < 6; ++i) PointAt(surface, i)->position[1] = heights[i];
    ScaleLayerToWallHeight(Second());
    const float capped[] = {100, 384, 384, 384, 384, 0};
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(PointAt(surface, i)->position[1], capped[i]) << i;
}

TEST_F(FloorOperations, RaisingMovesEveryPointOnce) {
    Objex* surface = Shape(floor, objtype::kClosedSolid,
                             {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}});
    surface->rows = 3;
    Objex* child = Shape(surface, objtype::kPolygon, {{0, 0}});
    child->layer = floor;
    RaiseLayerToBaseHeight(floor, 10);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(PointAt(surface, i)->position[1], 10) << i;
    EXPECT_FLOAT_EQ(PointAt(child, 0)->position[1], 10);

    // Without a floor nothing rises.
    Objex* loose = Make(objtype::kPolygon);
    Point(loose, {0, 0, 0});
    RaiseObjectToBaseHeight(loose, 10);
    EXPECT_FLOAT_EQ(PointAt(loose, 0)->position[1], 0);
    DeleteObj(loose);
}

TEST_F(FloorOperations, NudgeFollowsTheView) {
    Objex* o = Shape(floor, objtype::kPolygon, {{10, 20}, {50, 50}});
    PointAt(o, 0)->position[1] = 30;
    PointAt(o, 0)->selected = 1;
    NudgeObject(o, 2, nudge::kUp);  // plan: D
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[2], 18);
    NudgeObject(o, 2, nudge::kRight);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[0], 12);
    CurrentDocState()->viewKind = 3;  // side: up is V, left is D
    NudgeObject(o, 2, nudge::kUp);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[1], 28);
    NudgeObject(o, 2, nudge::kLeft);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[2], 16);
    CurrentDocState()->viewKind = 1;  // front: down is V, left is H
    NudgeObject(o, 2, nudge::kDown);
    NudgeObject(o, 2, nudge::kLeft);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[0], 10);
    EXPECT_FLOAT_EQ(PointAt(o, 0)->position[1], 30);
    EXPECT_FLOAT_EQ(PointAt(o, 1)->position[0], 50);  // not selected
}

TEST_F(FloorOperations, NudgedSkylightTakesItsSymbols) {
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    auto skylight = [&](float h) {
        Objex* sky = Shape(roof, objtype::kSkylight, {{h, 10}});
        auto* record = new RoofAttachmentRecord{};
        Objex* symbol = Make(objtype::kSkylightPart);
        Point(symbol, {h, 0, 10});
        record->customParts = symbol;
        Make(sky).with(record);
        return sky;
    };
    Objex* chosen = skylight(10);
    Objex* other = skylight(50);
    Make(chosen).select();
    NudgeObject(roof, 4, nudge::kDown);
    EXPECT_FLOAT_EQ(PointAt(chosen, 0)->position[2], 14);
    EXPECT_FLOAT_EQ(PointAt(chosen->typeData.roofAttachment->customParts, 0)->position[2], 14);
    EXPECT_FLOAT_EQ(PointAt(other, 0)->position[2], 10);
    EXPECT_FLOAT_EQ(PointAt(roof, 0)->position[2], 0);

    // The whole roof selected: every skylight and symbol goes along and ends deselected.
    Make(roof).select();
    Make(chosen).select(0);
    NudgeObject(roof, 4, nudge::kDown);
    EXPECT_FLOAT_EQ(PointAt(roof, 0)->position[2], 4);
    EXPECT_FLOAT_EQ(PointAt(other, 0)->position[2], 14);
    EXPECT_FLOAT_EQ(PointAt(other->typeData.roofAttachment->customParts, 0)->position[2], 14);
    EXPECT_EQ(SelectedPointCount(other), 0);
}

TEST_F(FloorOperations, DetailStylesSpareEditorAndSectionObjects) {
    CurrentDocState()->penWidth = 3;
    Objex* open = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}}, false, 9);
    Objex* rect = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 1);
    Objex* other = Shape(floor, objtype::kDetail, {{0, 0}}, true, 5);
    ChangePattern(open, 7);
    ChangePattern(rect, 7);
    ChangePattern(other, 7);
    EXPECT_EQ(open->fillPattern, 0);
    EXPECT_EQ(rect->fillPattern, 7);
    EXPECT_EQ(other->fillPattern, 0);
    SetLineWeight(open);
    SetLineWeight(other);
    EXPECT_FLOAT_EQ(open->penWidth, 3);
    EXPECT_FLOAT_EQ(other->penWidth, 3);
    Objex* beyond = Shape(floor, objtype::kDetail, {{0, 0}}, true, 10);
    SetLineWeight(beyond);
    EXPECT_FLOAT_EQ(beyond->penWidth, 1);

    for (int32_t kind : {groupkind::kSymbolEditor, groupkind::kSectionDetail}) {
        Objex* inner = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}}, true, 1);
        Group(floor, {inner}, kind);
        ChangePattern(inner, 7);
        SetLineWeight(inner);
        EXPECT_EQ(inner->fillPattern, 0);
        EXPECT_FLOAT_EQ(inner->penWidth, 1);
    }
}

TEST_F(FloorOperations, GroupRootBoundsOnVisibleLayers) {
    Objex* member = Shape(floor, objtype::kPolygon, {{0, 0}, {40, 30}});
    Objex* group = Group(floor, {member});
    Objex* upstairs = Group(Second(), {Shape(Second(), objtype::kPolygon, {{5, 5}})});
    group->bounds3D = upstairs->bounds3D = Float3DRect{};
    Second()->visible = 0;
    UpdateAllLayerRootBounds(First(), 0, 0, 1);  // nothing selected
    EXPECT_FLOAT_EQ(group->bounds3D.floatRight, 0);
    Make(member).select();
    UpdateAllLayerRootBounds(First(), 0, 0, 1);
    EXPECT_FLOAT_EQ(group->bounds3D.floatFront, 30);
    EXPECT_FLOAT_EQ(upstairs->bounds3D.floatLeft, 0);  // hidden layer
}

}  // namespace
}  // namespace dvxtest
