// Deleting items from walls, and deleting objects with everything they own.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "files/content_folders.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "files/object_records.h"
#include "model/selection_queries.h"
#include "commands/add_remove_points.h"
#include "model/attachments.h"
#include "model/command_globals.h"
#include "model/delete_items.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/projection.h"
#include "port/files.h"
#include "files/custom_textures.h"
#include "model/render_state.h"
#include "scene/plane_object.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"
#include "support/build.h"
#include "support/wall_checks.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/scene_checks.h"
#include "tracking/tracking_state.h"

using namespace dvxtest;

// The Delete command's wall segment rule, keeping attachments in step with a wall's points,
// and custom texture sizes in trim and skylight scales.
namespace items {

using Positions = std::vector<std::pair<float, float>>;

class WallSegmentDelete : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        RegisterLiveView(true);
    }
    // Selects the points at the 0-based indices and deletes.
    void DeleteWith(Objex* wall, std::initializer_list<int> selected) {
        Make(wall).select(0);
        for (int i : selected) PointAt(wall, i)->selected = 1;
        DeleteObjItem(wall);
    }
};

TEST_F(WallSegmentDelete, AClosedWallOpensAtItsSelectedSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    Poinz* p1 = PointAt(wall, 0);
    Attach(wall, objtype::kDoor, p1, PointAt(wall, 1), 50, 50);
    Objex* closing = Attach(wall, objtype::kWindow, PointAt(wall, 3), p1, 50, 50);

    DeleteWith(wall, {0, 1});
    EXPECT_EQ(wall->closed, 0);
    EXPECT_EQ(PlanPositions(wall), (Positions{{100, 0}, {100, 100}, {0, 100}, {0, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{closing->objectID});
    EXPECT_EQ(closing->typeData.attachment->segmentEnd, p1);
    EXPECT_TRUE(Built(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));

    Objex* ring = Wall(floor, {{0, 0}, {100, 0}, {100, 100}}, true);
    DeleteWith(ring, {0, 2});  // the closing segment
    EXPECT_EQ(ring->closed, 0);
    EXPECT_EQ(PlanPositions(ring), (Positions{{0, 0}, {100, 0}, {100, 100}}));

    // Selections that name no segment change nothing.
    Objex* row = Wall(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    Attach(row, objtype::kDoor, PointAt(row, 1), PointAt(row, 2), 5, 5);
    Attach(row, objtype::kWindow, PointAt(row, 3), PointAt(row, 4), 5, 5);
    const Positions all = PlanPositions(row);

    DeleteWith(row, {0, 1, 2});
    DeleteWith(row, {1, 3});  // no segment between points 2 and 4: the doors stay too
    EXPECT_EQ(PlanPositions(row), all);
    EXPECT_EQ(ChildIDs(row).size(), 2u);
    EXPECT_TRUE(Built(row));
}

TEST_F(WallSegmentDelete, AnOpenWallSplitsAtAMiddleSegmentAndLosesAnEndPointForAnEndSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 0}});
    Objex* before = Attach(wall, objtype::kDoor, PointAt(wall, 1), PointAt(wall, 2), 5, 5);
    Attach(wall, objtype::kDoor, PointAt(wall, 2), PointAt(wall, 3), 5, 5);
    Attach(wall, objtype::kWindow, PointAt(wall, 3), PointAt(wall, 4), 4, 6);

    DeleteWith(wall, {2, 3});
    EXPECT_EQ(PlanPositions(wall), (Positions{{0, 0}, {10, 0}, {20, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{before->objectID});
    Objex* copy = wall->next;
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(PlanPositions(copy), (Positions{{30, 0}, {40, 0}}));
    EXPECT_EQ(wall->pointCount + copy->pointCount, 5);
    ASSERT_EQ(ChildIDs(copy).size(), 1u);  // the window of 4-5, on the copy's own points
    EXPECT_EQ(copy->firstChild->typeData.attachment->segmentStart, copy->firstPoint);
    EXPECT_TRUE(Built(wall) && Built(copy));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(wall));
    EXPECT_TRUE(dvxtest::SolidFollowsCentreLine(copy));

    DeleteWith(wall, {0, 1});
    EXPECT_EQ(PlanPositions(wall), (Positions{{10, 0}, {20, 0}}));
    EXPECT_EQ(ChildIDs(wall), std::vector<uint32_t>{before->objectID});  // now on the first segment
    DeleteWith(copy, {0, 1});  // every point: the wall goes whole with its window
    EXPECT_EQ(wall->next, nullptr);
    Objex* three = Wall(floor, {{0, 0}, {10, 0}, {20, 0}});
    DeleteWith(three, {1, 2});
    EXPECT_EQ(PlanPositions(three), (Positions{{0, 0}, {10, 0}}));
}

class Attachments : public SelectionTest {};

TEST_F(Attachments, VerifyingRederivesEndsAndDropsAttachmentsThatLostTheirSegment) {
    Objex* wall = Wall(floor, {{0, 0}, {100, 0}, {100, 100}});
    Objex* other = Wall(floor, {{0, 0}, {10, 0}});
    Poinz* p1 = PointAt(wall, 0);
    Poinz* p3 = PointAt(wall, 2);
    Objex* fine = Attach(wall, objtype::kDoor, p1, p3);                   // stale end point
    Attach(wall, objtype::kWindow, p3, nullptr);                           // last of an open wall
    Attach(wall, objtype::kWindow, other->firstPoint, p1);                 // not the wall's point
    Objex* unplaced = Attach(wall, objtype::kComponent, nullptr, nullptr);
    VerifyObjectAttachments(wall);
    EXPECT_EQ(ChildIDs(wall), (std::vector<uint32_t>{fine->objectID, unplaced->objectID}));
    EXPECT_EQ(fine->typeData.attachment->segmentEnd, PointAt(wall, 1));

    Objex* closing = Attach(wall, objtype::kWindow, p3, nullptr);
    wall->closed = 1;
    VerifyObjectAttachments(wall);
    EXPECT_EQ(closing->typeData.attachment->segmentEnd, p1);
}

}  // namespace items

// Deleting objects with everything they own, and whole layers.
namespace deletion {

struct CountedImage : PlatformObject {
    explicit CountedImage(int* released) : released_(released) {}
    ~CountedImage() override { ++*released_; }
    int* released_;
};

class DeletionTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        doc->itsDocState->lotRect = {0, 0, 72, 72};  // one cell at the spacing of 72
        SetupTopoGrid();
        gTopographyGrid.assign(4, 5.0f);
    }

    // A loose object with a piece in the scene.
    Objex* Loose(int16_t type, int points = 0) {
        Objex* o = Make(type).line(points);
        PlaneObject* piece = CreatePlaneObject();
        piece->baseObject = o;
        AppendPlaneObjectToList(gGLPlaneObjects, piece);
        return o;
    }

    // Every deleted object took its pieces along.
    static void ExpectEachDiscarded() { EXPECT_EQ(gGLPlaneObjects, nullptr); }
};

TEST_F(DeletionTest, WallWithDoorTrimsAndSolid) {
    Objex* wall = Loose(objtype::kWall, 3);
    AppendObjectToLayer(wall, doc->itsLayers);
    Objex* solid = Loose(objtype::kClosedSolid, 4);
    solid->subtype = objsubtype::kWallSolid;
    solid->sourceObject = wall;
    Make(wall).solid(solid);
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->trim1 = new TrimRecord{};
        p->trim1->slot[0] = TrimRecord::kCustomProfile;
        p->trim1->profile[0] = Loose(objtype::kPolygon, 3);
        p->trim2 = new TrimRecord{};
    }

    Objex* door = Loose(objtype::kDoor, 2);
    auto* rec = new AttachmentRecord{};
    rec->segmentStart = PointAt(wall, 0);
    rec->segmentEnd = PointAt(wall, 1);
    Objex* panel = Loose(objtype::kDoorPanel, 4);
    Objex* frame = Loose(objtype::kFrameGroup, 4);
    panel->next = frame;
    frame->prev = panel;
    rec->generatedParts = panel;
    rec->customParts[0] = Loose(objtype::kDetail, 4);
    rec->customParts[6] = Loose(objtype::kDoorHardware, 2);
    rec->insideCustomTrim = 1;
    rec->insideTrimProfile = Loose(objtype::kPolygon, 5);
    rec->outsideCustomTrim = 1;
    rec->outsideTrimProfile = Loose(objtype::kPolygon, 5);
    Make(door).with(rec).in(wall);

    // A neighbour record chained for carving keeps a sound chain.
    Objex* window = Loose(objtype::kWindow, 2);
    auto* windowRec = new AttachmentRecord{};
    Make(window).with(windowRec).in(wall);
    rec->nextRecord = windowRec;
    windowRec->prevRecord = rec;
    DeleteObj(window);
    EXPECT_TRUE(Same({rec->nextRecord, wall->firstChild, door->next}, {nullptr, door, nullptr}));

    Objex* roomPart = Loose(objtype::kFloor, 4);
    wall->firstPart = roomPart;
    gWorkbenchObject = wall;

    DeleteObj(wall);
    EXPECT_TRUE(Same({doc->itsLayers->firstObject, gWorkbenchObject}, {nullptr, nullptr}));
    EXPECT_EQ(gTopographyGrid[0], 5);  // no terrain went
    ExpectEachDiscarded();
}

TEST_F(DeletionTest, PhotoTextAndPlantReleaseWhatTheyOwn) {
    int released = 0;
    Objex* photo = Loose(objtype::kPhoto, 4);
    Make(photo).image("/images/porch.jpg");
    photo->platformObject = new CountedImage(&released);
    AppendObjectToLayer(photo, doc->itsLayers);

    Objex* text = Loose(objtype::kEnhancedText, 4);
    auto* td = new TextData{};
    td->text = CopyString("Kitchen");
    td->hasFont = 1;
    Make(text).with(td);
    text->optionB = 1;
    text->text = CopyString("note");
    AppendObjectToLayer(text, doc->itsLayers);

    Objex* plant = Loose(objtype::kPlant, 4);
    plant->subtype = objsubtype::kUserPlant;
    Make(plant).plant().image("/plants/fern.jpg");
    AppendObjectToLayer(plant, doc->itsLayers);

    DeleteObj(photo);
    EXPECT_EQ(released, 1);
    DeleteObjectData(text);
    EXPECT_TRUE(text->typeData.empty());
    EXPECT_EQ(text->optionB, 0);
    for (Objex* o : {text, plant}) DeleteObj(o);
    EXPECT_EQ(doc->itsLayers->firstObject, nullptr);
    ExpectEachDiscarded();
}

TEST_F(DeletionTest, DimensionAndItsTextBoxForgetEachOther) {
    Objex* dim = Loose(objtype::kLengthDimension, 4);
    Objex* box = Loose(objtype::kDimensionText, 4);
    auto* dr = new DimensionRecord{};
    auto* tr = new DimensionTextRecord{};
    dr->textBox = box;
    tr->owner = dim;
    Make(dim).with(dr);
    Make(box).with(tr);
    Objex* group = Loose(objtype::kGroup);
    AppendObjectToLayer(group, doc->itsLayers);
    Make(dim).in(group);
    Make(box).in(group);

    DeleteObj(box);
    EXPECT_TRUE(Same({dr->textBox, group->firstChild, dim->next}, {nullptr, dim, nullptr}));

    Objex* box2 = Loose(objtype::kDimensionText, 4);
    auto* tr2 = new DimensionTextRecord{};
    tr2->owner = dim;
    dr->textBox = box2;
    Make(box2).with(tr2).in(group);
    DeleteObj(dim);
    EXPECT_EQ(tr2->owner, nullptr);

    gGroupLeader = group;
    DeleteObj(group);
    EXPECT_EQ(gGroupLeader, nullptr);
    ExpectEachDiscarded();
}

// Every global that can point at an object or at one of its points: deleting the object (here
// its parent) clears it; deleting another object leaves it alone.
TEST_F(DeletionTest, GlobalsPointingIntoADeletedObjectAreCleared) {
    struct Row {
        const char* name;
        Objex** object;
        Poinz** point;
    };
    const Row rows[] = {
        {"gWorkbenchObject", &gWorkbenchObject, nullptr},
        {"gGroupLeader", &gGroupLeader, nullptr},
        {"gIsAnyObjectSelectedObject", &gIsAnyObjectSelectedObject, nullptr},
        {"gCabinetObject", &gCabinetObject, nullptr},
        {"gContextFoundObj", &gContextFoundObj, nullptr},
        {"gContextParentObj", &gContextParentObj, nullptr},
        {"gRemovePtTargetObject", &gRemovePtTargetObject, nullptr},
        {"gRemovePtTargetPoint", nullptr, &gRemovePtTargetPoint},
        {"gRemovePtTargetPrevPoint", nullptr, &gRemovePtTargetPrevPoint},
        {"gLineOpposingPoint", nullptr, &gLineOpposingPoint},
        {"gTrackPrevPoint", nullptr, &gTrackPrevPoint},
        {"gTrackNextPoint", nullptr, &gTrackNextPoint},
        {"gPerpStartPtz", nullptr, &gPerpStartPtz},
    };
    for (const Row& row : rows) {
        auto pointAt = [&](Objex* o) {
            if (row.object) *row.object = o;
            else *row.point = PointAt(o, 1);
        };
        auto target = [&]() -> void* { return row.object ? static_cast<void*>(*row.object) : *row.point; };

        Objex* survivor = Loose(objtype::kPolygon, 3);
        Objex* group = Loose(objtype::kGroup);
        Objex* child = Loose(objtype::kPolygon, 3);
        Make(child).in(group);

        pointAt(survivor);
        DeleteObj(group);
        EXPECT_NE(target(), nullptr) << row.name;

        group = Loose(objtype::kGroup);
        child = Loose(objtype::kPolygon, 3);
        Make(child).in(group);
        pointAt(child);
        DeleteObj(group);
        EXPECT_EQ(target(), nullptr) << row.name;
        DeleteObj(survivor);
    }
}

TEST_F(DeletionTest, RoofWithSkylightAndPanels) {
    Objex* roof = Loose(objtype::kRoof, 4);
    Objex* p1 = Loose(objtype::kRoofPanel, 4);
    Objex* p2 = Loose(objtype::kRoofPanel, 4);
    p1->next = p2;
    p2->prev = p1;
    Make(roof).panels(p1);
    AppendObjectToLayer(roof, doc->itsLayers);

    Objex* skylight = Loose(objtype::kSkylight, 4);
    auto* sr = new RoofAttachmentRecord{};
    sr->attachment = skylight;
    sr->customParts = Loose(objtype::kFrameGroup, 4);
    sr->partLists[0] = Loose(objtype::kOpeningMask, 4);
    sr->partLists[4] = Loose(objtype::kSkylightPart5, 4);
    Make(skylight).with(sr).in(roof);
    Objex* cutout = Loose(objtype::kRoofCutout, 4);
    Make(cutout).with(new RoofAttachmentRecord{}).in(roof);

    DeleteObj(roof);
    ExpectEachDiscarded();
}

TEST_F(DeletionTest, TerrainRebuildAndLayerClearing) {
    Layer* layer = doc->itsLayers->next;
    Objex* topo = Loose(objtype::kTopography, 3);
    AppendObjectToLayer(topo, layer);
    AppendObjectToLayer(Loose(objtype::kEntireLot, 4), layer);
    AppendObjectToLayer(Loose(objtype::kSlopeLot, 4), layer);
    Objex* cabinet = Loose(objtype::kGroup);
    cabinet->subtype = objsubtype::kCabinetGroup;
    Make(cabinet).with(new CabinetState{});
    AppendObjectToLayer(cabinet, layer);
    Make(Loose(objtype::kCabinetPart, 8)).in(cabinet);

    gRefreshRender = 0;
    gTopoInUse = 1;
    DeleteLayerObjects(layer);
    EXPECT_EQ(layer->firstObject, nullptr);
    // The terrain went with its objects.
    EXPECT_TRUE(Near({gRefreshRender, gTopoInUse, gTopographyGrid[0], gTopographyGrid[3]}, {1, 0, 0, 0}));
    ExpectEachDiscarded();
}

TEST_F(DeletionTest, PointsOnlyWithTheirTrims) {
    Objex* wall = Loose(objtype::kWall, 2);
    AppendObjectToLayer(wall, doc->itsLayers);
    wall->firstPoint->trim2 = new TrimRecord{};
    wall->firstPoint->trim2->profile[1] = Loose(objtype::kPolygon, 3);
    DeleteObjectPoints(wall);
    EXPECT_EQ(wall->firstPoint, nullptr);
    EXPECT_EQ(wall->pointCount, 0);
    DeleteObj(wall);
    ExpectEachDiscarded();
    DeleteObj(nullptr);
    DeleteObjectData(nullptr);
    DeleteObjectPoints(nullptr);
    DeleteLayer(nullptr);
}

}  // namespace deletion
