// The insert and remove point tools: a point on the segment's line with its trims and doors,
// and a removal that keeps the minimum count or asks first.
#include <gtest/gtest.h>

#include <string>

#include "commands/add_remove_points.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/texture_mapping.h"
#include "model/projection.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/scene_checks.h"
#include "support/wall_checks.h"
#include "tracking/tracking_state.h"

using namespace dvxtest;

// Inserting points (onto the segment's line, trims copied, doors re-anchored) and removing
// them (minimum counts, the confirmation sheet and its answers).
namespace points {

using Positions = std::vector<std::pair<float, float>>;
using Calls = std::vector<std::string>;

class PointsTest : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        port::setAlerts(&alerts);
        port::setDocumentUndo(&undo);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());  // snapshots on: the step gets its name
        gUndoActive = 1;
        RegisterLiveView(true);
    }
    Poinz* Add(Objex* o, Poinz* start, int32_t x, int32_t y) {
        ClickInfo click = ClickAt(x, y);
        return AddPoint(o, start, CurrentDocState(), &click);
    }
    int32_t Remove(Objex* o, Poinz* p) {
        p->selected = 1;
        return RemovePoint(o, p, CurrentDocState());
    }
    RecordingAlerts alerts;
    RecordingUndo undo;
};

TEST_F(PointsTest, ANewPointLiesOnTheSegmentsLineAtTheClicksDistance) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Poinz* p = Add(wall, wall->firstPoint, 30, 40);  // 50 from the start
    ASSERT_NE(Add(wall, p, 114, 48), nullptr);       // 80 from (50, 0): past the end point
    EXPECT_EQ(PlanPositions(wall), (Positions{{0, 0}, {50, 0}, {130, 0}, {100, 0}}));
    EXPECT_EQ(wall->pointCount, 4);
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));

    // Beside the closing segment: after the last point, 50 from (0, 0) towards (100, 0).
    Objex* slab = Shape(floor, objtype::kFloor, {{100, 0}, {100, 100}, {0, 100}, {0, 0}}, true);
    ASSERT_NE(Add(slab, PointAt(slab, 3), 30, 40), nullptr);
    EXPECT_EQ(PlanPositions(slab), (Positions{{100, 0}, {100, 100}, {0, 100}, {0, 0}, {50, 0}}));

    // An excavation's depth bands follow its outline to the new point.
    Objex* pit = Shape(floor, objtype::kExcavation, {{0, 0}, {100, 0}, {100, 100}}, true);
    objfield::excavation::kDepth(*pit) = 10;
    ASSERT_NE(Add(pit, pit->firstPoint, 40, 0), nullptr);
    ASSERT_TRUE(pit->firstPart);
    int atNewPoint = 0;
    for (const Poinz* q = pit->firstPart->firstPoint; q; q = q->next)
        atNewPoint += q->position[0] == 40 && q->position[2] == 0;
    EXPECT_GT(atNewPoint, 0);
}

TEST_F(PointsTest, CurvedSegmentsOtherTypesAndPointSnapModesAreRefused) {
    Objex* path = Shape(floor, objtype::kPath, {{0, 0}, {100, 0}, {100, 100}});
    PointAt(path, 2)->inTangent[1] = 0.5f;  // V alone bends it
    EXPECT_EQ(Add(path, PointAt(path, 1), 100, 50), nullptr);
    EXPECT_EQ(path->pointCount, 3);
    EXPECT_TRUE(!gGLPlaneObjects);

    for (int16_t mode : {snapmode::kEndPoint, snapmode::kObjectCentre, snapmode::kObjectCorner}) {
        gCurSnap = mode;
        EXPECT_EQ(Add(path, path->firstPoint, 50, 0), nullptr) << mode;
    }
    gCurSnap = 502;
    EXPECT_NE(Add(path, path->firstPoint, 50, 0), nullptr);
}

TEST_F(PointsTest, ElevationByTypeAndTrimRecordsOfTheirOwn) {
    gGlobalYOffset = 5.0f;  // the click evaluates at V 5
    Objex* deck = Shape(floor, objtype::kDeck, {{0, 0}, {100, 0}, {100, 100}}, true);
    deck->firstPoint->position[1] = 7.0f;
    EXPECT_FLOAT_EQ(Add(deck, deck->firstPoint, 40, 0)->position[1], 7.0f);
    Objex* shape = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}, {100, 100}}, true, 3);
    EXPECT_FLOAT_EQ(Add(shape, shape->firstPoint, 40, 0)->position[1], 0.0f);
    EXPECT_EQ(shape->optionB, 1);  // its points are now picked one by one
    Objex* other = Shape(floor, objtype::kDetail, {{0, 0}, {100, 0}}, false, 9);
    EXPECT_FLOAT_EQ(Add(other, other->firstPoint, 40, 0)->position[1], 5.0f);

    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Poinz* start = wall->firstPoint;
    start->wallStyle = 4;
    start->trim1 = new TrimRecord{};
    start->trim1->texture[2] = 955;
    start->trim1->profile[0] = Make(objtype::kPolygon);
    Make(start->trim1->profile[0]).line(3);
    Poinz* p = Add(wall, start, 40, 0);
    EXPECT_EQ(p->wallStyle, 4);
    ASSERT_TRUE(p->trim1 && p->trim1 != start->trim1 && p->trim1->texture[2] == 955);
    ASSERT_TRUE(p->trim1->profile[0] && p->trim1->profile[0] != start->trim1->profile[0]);
    EXPECT_EQ(p->trim1->profile[0]->pointCount, 3);
}

TEST_F(PointsTest, DoorsOfASplitSegmentKeepTheirPlace) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p2 = PointAt(wall, 1);
    Objex* far = Attach(wall, objtype::kDoor, p1, p2, 12, 88);
    Objex* near = Attach(wall, objtype::kWindow, p1, p2, 8, 92);

    Poinz* p = AddPointAtPosition(wall, p1, CurrentDocState(), 10, 0, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(far->typeData.attachment->segmentStart, p);
    EXPECT_EQ(far->typeData.attachment->segmentEnd, p2);
    EXPECT_FLOAT_EQ(far->typeData.attachment->centreDistance, 2.0f);
    EXPECT_EQ(near->typeData.attachment->segmentStart, p1);
    EXPECT_EQ(near->typeData.attachment->segmentEnd, p);
    EXPECT_FLOAT_EQ(near->typeData.attachment->remainder, 2.0f);
}

TEST_F(PointsTest, RemovalKeepsTheMinimumCountWithAMessage) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    EXPECT_EQ(RemovePoint(wall, PointAt(wall, 1), CurrentDocState()), 0);  // not selected
    EXPECT_EQ(Remove(wall, PointAt(wall, 1)), 1);
    EXPECT_EQ(PlanPositions(wall), (Positions{{0, 0}, {100, 100}}));
    EXPECT_EQ(wall->closed, 0);
    EXPECT_TRUE(!Built(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_TRUE(alerts.shown.empty());

    // Every area keeps three points: a read throws one of two away.
    for (int16_t type : {objtype::kFloor, objtype::kPropertyLine, objtype::kGroundFill, objtype::kFloorCutout,
                         objtype::kDeck, objtype::kFreehandRoof, objtype::kExcavation, objtype::kRoofCutout}) {
        alerts.shown.clear();
        Objex* slab = Shape(floor, type, {{0, 0}, {100, 0}, {100, 100}}, true);
        EXPECT_EQ(std::tuple(Remove(slab, slab->firstPoint), PlanPositions(slab).size()), std::tuple(0, size_t(3))) << type;
        ASSERT_EQ(alerts.shown.size(), 1u) << type;
        EXPECT_EQ(alerts.shown[0].alert.message, "Unable to delete point.");
        EXPECT_EQ(alerts.shown[0].alert.informative, "This object must contain at least 3 points.") << type;
    }

    Objex* shape = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true, 1);
    EXPECT_EQ(Remove(shape, shape->firstPoint), 0);
    EXPECT_EQ(alerts.shown.back().alert.informative, "This object must contain at least 4 points.");
    for (int32_t subtype : {0, 8, 9}) {  // silently
        Objex* d = Shape(floor, objtype::kDetail, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 5}}, true, subtype);
        EXPECT_EQ(Remove(d, d->firstPoint), 0) << subtype;
        EXPECT_EQ(d->pointCount, 5);
    }
    EXPECT_EQ(alerts.shown.size(), 2u);
}

// Texture coordinates over the outline left: a floor's plan box shrinks from D 200 to D 100, so
// the corner at D 100 maps to v 1 where it mapped to v 0.5; alone and after the sheet's answer.
TEST_F(PointsTest, RemovalMapsTheOutlineLeft) {
    Objex* slab = Shape(floor, objtype::kFloor, {{0, 0}, {100, 0}, {100, 100}, {0, 200}, {0, 100}}, true);
    Objex* deck = Shape(floor, objtype::kDeck, {{0, 0}, {100, 0}, {100, 100}, {0, 200}, {0, 100}}, true);
    Attach(deck, objtype::kDeckSteps, PointAt(deck, 2), PointAt(deck, 3), 20, 20);
    for (Objex* o : {slab, deck}) SetTextureFaceUV(o);
    ASSERT_FLOAT_EQ(PointAt(slab, 2)->textureV, 0.5f);
    alerts.answer(0);  // "Delete Point" for the deck's steps
    for (Objex* o : {slab, deck}) {
        Remove(o, PointAt(o, 3));
        ASSERT_EQ(o->pointCount, 4) << o->type;
        EXPECT_TRUE(Near({float(o->faceAxis), PointAt(o, 2)->textureU, PointAt(o, 2)->textureV, PointAt(o, 3)->textureV},
                         {2.0f, 1.0f, 1.0f, 1.0f}))
            << o->type;
    }
}

TEST_F(PointsTest, AttachmentsOnEitherSegmentAskFirst) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* first = PointAt(wall, 0);
    Attach(wall, objtype::kWindow, PointAt(wall, 3), first, 50, 50);  // closing segment only
    Objex* kept = Attach(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 50, 50);

    alerts.answer(1);  // "Cancel"
    EXPECT_EQ(Remove(wall, first), 0);
    EXPECT_EQ(alerts.shown[0].alert.message, "One or more attachments will be removed.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"Delete Point", "Cancel"}));
    EXPECT_TRUE(Near({wall->pointCount, ChildIDs(wall).size()}, {4, 2u}));
    EXPECT_TRUE(!gGLPlaneObjects);
    EXPECT_EQ(gRemovePtTargetObject, nullptr);

    alerts.answer(0);  // "Delete Point": the handler does the work
    EXPECT_EQ(Remove(wall, first), 0);
    EXPECT_EQ(PlanPositions(wall), (Positions{{100, 0}, {100, 100}, {0, 100}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{kept->objectID});
    EXPECT_TRUE(Built(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Remove Point"});
    EXPECT_TRUE(Same({gRemovePtTargetObject, gRemovePtTargetPrevPoint}, {nullptr, nullptr}));
}

}  // namespace points
