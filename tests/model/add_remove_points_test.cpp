// Inserting points into outlines (on the segment's line, attributes and trims copied, doors
// re-anchored) and removing them (minimum counts, the confirmation sheet and its answers).
#include <gtest/gtest.h>

#include <optional>

#include "files/content_paths.h"
#include "files/undo.h"
#include "model/add_remove_points.h"
#include "model/attachments.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/doubles.h"
#include "support/model_builders.h"
#include "support/seam_recorders.h"
#include "support/selection_builders.h"
#include "tracking/evaluate_point.h"
#include "tracking/tracking_state.h"
#include "wall_fixtures.h"

using namespace dvxtest;
using namespace walltest;

namespace {

class AddPointTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        rebuilds.emplace();
    }
    Poinz* Add(Objex* o, Poinz* start, int32_t x, int32_t y) {
        ClickInfo click = ClickAt(x, y);
        return AddPoint(o, start, CurrentDocState(), &click);
    }
    std::optional<RebuildRecorder> rebuilds;
};

TEST_F(AddPointTest, TheNewPointLiesOnTheSegmentsLineAtTheClicksDistance) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}});
    Poinz* start = wall->firstPoint;

    // (30, 40) is 50 from the start: the point goes 50 along the segment, not to H 30.
    Poinz* p = Add(wall, start, 30, 40);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(start->next, p);
    EXPECT_EQ(p->next, PointAt(wall, 2));
    EXPECT_EQ(wall->pointCount, 3);
    EXPECT_FLOAT_EQ(p->position[0], 50.0f);
    EXPECT_NEAR(p->position[2], 0.0f, 1e-4f);
    EXPECT_EQ(p->kind, 10);
    EXPECT_EQ(p->owner, wall);
    EXPECT_EQ(rebuilds->callsFor(wall), (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments"}));

    // A click 80 from the new point (50, 0) lands on the extension beyond the end point.
    Poinz* beyond = Add(wall, p, 114, 48);
    ASSERT_NE(beyond, nullptr);
    EXPECT_FLOAT_EQ(beyond->position[0], 130.0f);
    EXPECT_EQ(beyond->prev, p);
}

TEST_F(AddPointTest, ABesideTheClosingSegmentGoesAfterTheLastPoint) {
    Objex* floorShape = ShapeOn(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* last = PointAt(floorShape, 3);

    // 50 from (0, 100) towards the first point (0, 0).
    Poinz* p = Add(floorShape, last, 30, 60);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(last->next, p);
    EXPECT_EQ(p->next, nullptr);
    EXPECT_NEAR(p->position[0], 0.0f, 1e-4f);
    EXPECT_FLOAT_EQ(p->position[2], 50.0f);
    EXPECT_EQ(floorShape->pointCount, 5);
    EXPECT_EQ(rebuilds->count("Update3DFloorSkirting", floorShape), 1);
}

TEST_F(AddPointTest, CurvedSegmentsOtherTypesAndPointSnapModesAreRefused) {
    Objex* path = ShapeOn(floor, objtype::kPath, {{0, 0}, {100, 0}, {100, 100}});
    Poinz* first = path->firstPoint;

    // Any one of the six tangent components bends the segment, V included.
    first->outTangent[1] = 0.5f;
    EXPECT_EQ(Add(path, first, 50, 0), nullptr);
    first->outTangent[1] = 0.0f;
    PointAt(path, 2)->inTangent[2] = -1.0f;
    EXPECT_EQ(Add(path, PointAt(path, 1), 100, 50), nullptr);
    EXPECT_EQ(path->pointCount, 3);
    EXPECT_TRUE(rebuilds->calls.empty());

    for (int16_t mode : {snapmode::kEndPoint, snapmode::kObjectCentre, snapmode::kObjectCorner}) {
        gCurSnap = mode;
        EXPECT_EQ(Add(path, first, 50, 0), nullptr) << mode;
    }
    gCurSnap = 502;  // segment centre
    EXPECT_NE(Add(path, first, 50, 0), nullptr);

    Objex* polygon = ShapeOn(floor, objtype::kPolygon, {{0, 0}, {100, 0}});
    EXPECT_EQ(Add(polygon, polygon->firstPoint, 50, 0), nullptr);
    EXPECT_EQ(polygon->pointCount, 2);

    // A point of another object is not a segment start of this one.
    EXPECT_EQ(Add(path, polygon->firstPoint, 50, 0), nullptr);
}

TEST_F(AddPointTest, TheNewPointsElevationDependsOnTheType) {
    // Evaluation puts the click at V 5.
    SetEvaluatePointHandler([](int32_t x, int32_t y, float* h, float* v, float* d, uint8_t, ClickInfo*, uint8_t) {
        *h = static_cast<float>(x);
        *v = 5.0f;
        *d = static_cast<float>(y);
    });
    Objex* deck = ShapeOn(floor, objtype::kDeck, {{0, 0}, {100, 0}, {100, 100}}, true);
    deck->firstPoint->position[1] = 7.0f;
    EXPECT_FLOAT_EQ(Add(deck, deck->firstPoint, 40, 0)->position[1], 7.0f);
    EXPECT_EQ(rebuilds->count("Update3DDeck", deck), 1);

    Objex* shape = ShapeOn(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 100}}, true, 3);
    EXPECT_FLOAT_EQ(Add(shape, shape->firstPoint, 40, 0)->position[1], 0.0f);
    EXPECT_EQ(shape->optionB, 1);  // its points are now picked one by one

    Objex* other = ShapeOn(floor, objtype::kDetail, {{0, 0}, {100, 0}}, false, 0);
    EXPECT_FLOAT_EQ(Add(other, other->firstPoint, 40, 0)->position[1], 5.0f);
    EXPECT_EQ(other->optionB, 0);

    Objex* fence = ShapeOn(floor, objtype::kFence, {{0, 0}, {100, 0}});
    EXPECT_FLOAT_EQ(Add(fence, fence->firstPoint, 40, 0)->position[1], 0.0f);
    EXPECT_EQ(rebuilds->count("UpdateFenceObject", fence), 1);
}

TEST_F(AddPointTest, TheNewPointTakesTheSegmentsAttributesAndItsOwnTrimRecords) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}});
    Poinz* start = wall->firstPoint;
    start->selected = 1;
    start->texture1 = 2200;
    start->color2 = RGBColor{1, 2, 3};
    start->baseElevation = 12.0f;
    start->wallStyle = 4;
    start->segmentValues[4] = 9.5f;
    start->faceScale2 = ShortPoint{30, 40};
    start->trim1 = new TrimRecord{};
    start->trim1->slot[0] = TrimRecord::kCustomProfile;
    start->trim1->texture[2] = 955;
    start->trim1->profile[0] = NewObject(objtype::kPolygon);
    AddPoints(start->trim1->profile[0], 3);

    Poinz* p = Add(wall, start, 40, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->selected, 1);
    EXPECT_EQ(p->texture1, 2200);
    EXPECT_EQ(p->color2, (RGBColor{1, 2, 3}));
    EXPECT_FLOAT_EQ(p->baseElevation, 12.0f);
    EXPECT_EQ(p->wallStyle, 4);
    EXPECT_FLOAT_EQ(p->segmentValues[4], 9.5f);
    EXPECT_EQ(p->faceScale2.y, 40);
    EXPECT_EQ(p->trim2, nullptr);
    ASSERT_NE(p->trim1, nullptr);
    EXPECT_NE(p->trim1, start->trim1);
    EXPECT_EQ(p->trim1->slot[0], TrimRecord::kCustomProfile);
    EXPECT_EQ(p->trim1->texture[2], 955);
    ASSERT_NE(p->trim1->profile[0], nullptr);
    EXPECT_NE(p->trim1->profile[0], start->trim1->profile[0]);
    EXPECT_EQ(p->trim1->profile[0]->pointCount, 3);
    // Freeing the wall frees each record once (the sanitizer build checks).

    // Other types carry their trim slots as plain values.
    Objex* path = ShapeOn(floor, objtype::kPath, {{0, 0}, {100, 0}});
    path->firstPoint->trimValue2 = 77;
    EXPECT_EQ(Add(path, path->firstPoint, 40, 0)->trimValue2, 77);
}

TEST_F(AddPointTest, DoorsOfTheSplitSegmentKeepTheirPlace) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 50}});
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p2 = PointAt(wall, 1);
    Objex* far = AttachTo(wall, objtype::kDoor, p1, p2, 12, 88);
    Objex* near = AttachTo(wall, objtype::kWindow, p1, p2, 8, 92);
    Objex* other = AttachTo(wall, objtype::kWindow, p2, PointAt(wall, 2), 20, 30);

    Poinz* p = AddPointAtPosition(wall, p1, CurrentDocState(), 10, 0, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(RecordOf(far)->segmentStart, p);
    EXPECT_EQ(RecordOf(far)->segmentEnd, p2);
    EXPECT_FLOAT_EQ(RecordOf(far)->centreDistance, 2.0f);
    EXPECT_FLOAT_EQ(RecordOf(far)->remainder, 88.0f);
    EXPECT_EQ(RecordOf(near)->segmentStart, p1);
    EXPECT_EQ(RecordOf(near)->segmentEnd, p);
    EXPECT_FLOAT_EQ(RecordOf(near)->centreDistance, 8.0f);
    EXPECT_FLOAT_EQ(RecordOf(near)->remainder, 2.0f);
    EXPECT_EQ(RecordOf(other)->segmentStart, p2);
    EXPECT_FLOAT_EQ(RecordOf(other)->centreDistance, 20.0f);
    // Refitted once after the re-anchoring, once by the wall's rebuild.
    EXPECT_EQ(rebuilds->count("UpdateAllWallAttachments", wall), 2);
}

TEST_F(AddPointTest, APointAtAPositionRebuildsNoParentRoof) {
    Objex* roof = ShapeOn(floor, objtype::kRoof, {{0, 0}, {200, 0}, {200, 200}}, true);
    Objex* cutout = ChildShape(roof, objtype::kRoofCutout, {{10, 10}, {50, 10}, {50, 50}}, true);

    Poinz* p = AddPointAtPosition(cutout, cutout->firstPoint, CurrentDocState(), 30, 3, 10);
    ASSERT_NE(p, nullptr);
    EXPECT_FLOAT_EQ(p->position[1], 3.0f);  // exactly where asked
    EXPECT_TRUE(rebuilds->calls.empty());

    EXPECT_NE(Add(cutout, p, 40, 10), nullptr);
    EXPECT_EQ(rebuilds->count("Update3DRoof", roof), 1);
}

class RemovePointTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        // Snapshots on, so the step is stored and named.
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        gUndoActive = 1;
        rebuilds.emplace();
    }
    int32_t Remove(Objex* o, Poinz* p) {
        p->selected = 1;
        return RemovePoint(o, p, CurrentDocState());
    }
    RecordingAlerts alerts;
    RecordingUndo undo;
    std::optional<RebuildRecorder> rebuilds;
};

TEST_F(RemovePointTest, MinimumCountsAreKeptWithAMessage) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    Poinz* second = PointAt(wall, 1);
    EXPECT_EQ(RemovePoint(wall, second, CurrentDocState()), 0);  // not selected
    EXPECT_EQ(wall->pointCount, 3);
    EXPECT_TRUE(alerts.shown.empty());

    EXPECT_EQ(Remove(wall, second), 1);
    EXPECT_EQ(wall->pointCount, 2);
    EXPECT_EQ(wall->closed, 0);
    EXPECT_EQ(PlanPositions(wall), (std::vector<std::pair<float, float>>{{0, 0}, {100, 100}}));
    EXPECT_EQ(rebuilds->callsFor(wall), (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments"}));
    EXPECT_TRUE(alerts.shown.empty());

    Objex* slab = ShapeOn(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}}, true);
    EXPECT_EQ(Remove(slab, slab->firstPoint), 0);
    EXPECT_EQ(slab->pointCount, 3);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_TRUE(alerts.shown[0].sheet);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to delete point.");
    EXPECT_EQ(alerts.shown[0].alert.informative, "This object must contain at least 3 points.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"OK"}));

    Objex* shape = ShapeOn(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 1);
    EXPECT_EQ(Remove(shape, shape->firstPoint), 0);
    EXPECT_EQ(alerts.shown.back().alert.informative, "This object must contain at least 4 points.");
    AddPointAt(shape, 5, 12);
    EXPECT_EQ(Remove(shape, shape->firstPoint), 1);
    EXPECT_EQ(shape->pointCount, 4);

    // Detail subtypes without a minimum refuse silently, whatever their count.
    const size_t messages = alerts.shown.size();
    for (int32_t subtype : {0, 8, 9}) {
        Objex* d = ShapeOn(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 5}}, true, subtype);
        EXPECT_EQ(Remove(d, d->firstPoint), 0) << subtype;
        EXPECT_EQ(d->pointCount, 5);
    }
    EXPECT_EQ(alerts.shown.size(), messages);
}

TEST_F(RemovePointTest, AttachmentsOnEitherSegmentAskFirst) {
    Objex* wall = WallOn(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* first = PointAt(wall, 0);
    Poinz* last = PointAt(wall, 3);
    AttachTo(wall, objtype::kWindow, last, first, 50, 50);  // on the closing segment only
    Objex* kept = AttachTo(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 50, 50);

    alerts.answer(1);  // "Cancel"
    EXPECT_EQ(Remove(wall, first), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "One or more attachments will be removed.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "Deleting this point will cause one or more windows, doors, etc to be removed from the "
              "point's adjoining segments.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"Delete Point", "Cancel"}));
    EXPECT_EQ(wall->pointCount, 4);
    EXPECT_EQ(ChildIDs(wall).size(), 2u);
    EXPECT_TRUE(undo.actionNames.empty());
    EXPECT_TRUE(rebuilds->calls.empty());
    EXPECT_EQ(gRemovePtTargetObject, nullptr);
    EXPECT_EQ(gRemovePtTargetPoint, nullptr);
    EXPECT_EQ(gRemovePtTargetPrevPoint, nullptr);

    alerts.answer(0);  // "Delete Point"
    EXPECT_EQ(Remove(wall, first), 0);  // the handler did the work
    EXPECT_EQ(wall->pointCount, 3);
    EXPECT_EQ(wall->closed, 1);
    EXPECT_EQ(PlanPositions(wall), (std::vector<std::pair<float, float>>{{100, 0}, {100, 100}, {0, 100}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{kept->objectID});
    EXPECT_EQ(rebuilds->callsFor(wall),
              (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments", "ReRenderObject"}));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Remove Point"});
    EXPECT_EQ(gRemovePtTargetObject, nullptr);
    EXPECT_EQ(gRemovePtTargetPoint, nullptr);
    EXPECT_EQ(gRemovePtTargetPrevPoint, nullptr);
}

TEST_F(RemovePointTest, TheSheetsHandlerActsOnlyOnAStillValidConfirmedTarget) {
    Objex* deck = ShapeOn(floor, objtype::kDeck, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* p2 = PointAt(deck, 1);
    AttachTo(deck, objtype::kDeckSteps, p2, PointAt(deck, 2), 50, 50);

    alerts.answer(0);
    EXPECT_EQ(Remove(deck, p2), 0);
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "Deleting this point will cause one or more deck steps to be removed from the point's "
              "adjoining segments.");
    EXPECT_EQ(deck->pointCount, 3);
    EXPECT_EQ(deck->firstChild, nullptr);
    EXPECT_EQ(rebuilds->callsFor(deck), (std::vector<std::string>{"Update3DDeck", "ReRenderObject"}));

    // A target that is no longer the object's point is left alone, and forgotten.
    Objex* other = ShapeOn(floor, objtype::kDeck, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    gRemovePtTargetObject = deck;
    gRemovePtTargetPoint = other->firstPoint;
    gRemovePtTargetPrevPoint = deck->firstPoint;
    removePointSheetDidEnd(nullptr, kRemovePointConfirmed, nullptr);
    EXPECT_EQ(deck->pointCount, 3);
    EXPECT_EQ(other->pointCount, 4);
    EXPECT_EQ(gRemovePtTargetPoint, nullptr);
}

}  // namespace
