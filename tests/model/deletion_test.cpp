// Deleting objects with everything they own, and whole layers.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "files/object_records.h"
#include "model/add_remove_points.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/selection_queries.h"
#include "render/core/render_state.h"
#include "scene/render_seams.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;

namespace {

struct CountedImage : PlatformObject {
    explicit CountedImage(int* released) : released_(released) {}
    ~CountedImage() override { ++*released_; }
    int* released_;
};

class DeletionTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SetDeleteRendererObjectHandler([this](Objex* o) { ++discarded[o->objectID]; });
        SetSetLotElevationHandler([this] { ++lotRebuilds; });
    }

    // A loose object remembered as created (by ID: freed addresses come back).
    Objex* Make(int16_t type, int points = 0) {
        Objex* o = NewObject(type);
        AddPoints(o, points);
        created.insert(o->objectID);
        return o;
    }

    void ExpectEachDiscardedOnce() {
        EXPECT_EQ(discarded.size(), created.size());
        for (uint32_t id : created) EXPECT_EQ(discarded[id], 1) << "object " << id;
    }

    std::map<uint32_t, int> discarded;
    std::set<uint32_t> created;
    int lotRebuilds = 0;
};

TEST_F(DeletionTest, WallWithDoorTrimsAndSolid) {
    Objex* wall = Make(objtype::kWall, 3);
    AppendObjectToLayer(wall, doc->itsLayers);
    Objex* solid = Make(objtype::kClosedSolid, 4);
    solid->subtype = objsubtype::kWallSolid;
    solid->sourceObject = wall;
    wall->typeData = TypeData::OfWallSolid(solid);
    for (Poinz* p = wall->firstPoint; p; p = p->next) {
        p->trim1 = new TrimRecord{};
        p->trim1->slot[0] = TrimRecord::kCustomProfile;
        p->trim1->profile[0] = Make(objtype::kPolygon, 3);
        p->trim2 = new TrimRecord{};
    }

    Objex* door = Make(objtype::kDoor, 2);
    auto* rec = new AttachmentRecord{};
    rec->segmentStart = PointAt(wall, 0);
    rec->segmentEnd = PointAt(wall, 1);
    Objex* panel = Make(objtype::kDoorPanel, 4);
    Objex* frame = Make(objtype::kFrameGroup, 4);
    panel->next = frame;
    frame->prev = panel;
    rec->generatedParts = panel;
    rec->customParts[0] = Make(objtype::kDetail, 4);
    rec->customParts[6] = Make(objtype::kDoorHardware, 2);
    rec->insideCustomTrim = 1;
    rec->insideTrimProfile = Make(objtype::kPolygon, 5);
    rec->outsideCustomTrim = 1;
    rec->outsideTrimProfile = Make(objtype::kPolygon, 5);
    door->typeData = TypeData::OfAttachment(rec);
    AppendChildToObject(door, wall);

    // A neighbour record chained for carving keeps a sound chain.
    Objex* window = Make(objtype::kWindow, 2);
    auto* windowRec = new AttachmentRecord{};
    window->typeData = TypeData::OfAttachment(windowRec);
    AppendChildToObject(window, wall);
    rec->nextRecord = windowRec;
    windowRec->prevRecord = rec;
    DeleteObj(window);
    EXPECT_EQ(rec->nextRecord, nullptr);
    EXPECT_EQ(wall->firstChild, door);
    EXPECT_EQ(door->next, nullptr);

    Objex* roomPart = Make(objtype::kFloor, 4);
    wall->firstPart = roomPart;
    gWorkbenchObject = wall;

    DeleteObj(wall);
    EXPECT_EQ(doc->itsLayers->firstObject, nullptr);
    EXPECT_EQ(gWorkbenchObject, nullptr);
    EXPECT_EQ(lotRebuilds, 0);
    ExpectEachDiscardedOnce();
}

TEST_F(DeletionTest, PhotoTextAndPlantReleaseWhatTheyOwn) {
    int released = 0;
    Objex* photo = Make(objtype::kPhoto, 4);
    photo->typeData = TypeData::OfImagePath(CopyString("/images/porch.jpg"));
    photo->platformObject = new CountedImage(&released);
    AppendObjectToLayer(photo, doc->itsLayers);

    Objex* text = Make(objtype::kEnhancedText, 4);
    auto* td = new TextData{};
    td->text = CopyString("Kitchen");
    td->hasFont = 1;
    text->typeData = TypeData::OfText(td);
    text->optionB = 1;
    text->text = CopyString("note");
    AppendObjectToLayer(text, doc->itsLayers);

    Objex* plant = Make(objtype::kPlant, 4);
    plant->subtype = objsubtype::kUserPlant;
    plant->plantInfo = new PlantInfo{};
    plant->typeData = TypeData::OfImagePath(CopyString("/plants/fern.jpg"));
    AppendObjectToLayer(plant, doc->itsLayers);

    DeleteObj(photo);
    EXPECT_EQ(released, 1);
    DeleteObjectData(text);
    EXPECT_TRUE(text->typeData.empty());
    EXPECT_EQ(text->optionB, 0);
    DeleteObj(text);
    DeleteObj(plant);
    EXPECT_EQ(doc->itsLayers->firstObject, nullptr);
    ExpectEachDiscardedOnce();
}

TEST_F(DeletionTest, DimensionAndItsTextBoxForgetEachOther) {
    Objex* dim = Make(objtype::kLengthDimension, 4);
    Objex* box = Make(objtype::kDimensionText, 4);
    auto* dr = new DimensionRecord{};
    auto* tr = new DimensionTextRecord{};
    dr->textBox = box;
    tr->owner = dim;
    dim->typeData = TypeData::OfDimension(dr);
    box->typeData = TypeData::OfDimensionText(tr);
    Objex* group = Make(objtype::kGroup);
    AppendObjectToLayer(group, doc->itsLayers);
    AppendChildToObject(dim, group);
    AppendChildToObject(box, group);

    DeleteObj(box);
    EXPECT_EQ(dr->textBox, nullptr);
    EXPECT_EQ(group->firstChild, dim);
    EXPECT_EQ(dim->next, nullptr);

    Objex* box2 = Make(objtype::kDimensionText, 4);
    auto* tr2 = new DimensionTextRecord{};
    tr2->owner = dim;
    dr->textBox = box2;
    box2->typeData = TypeData::OfDimensionText(tr2);
    AppendChildToObject(box2, group);
    DeleteObj(dim);
    EXPECT_EQ(tr2->owner, nullptr);

    gGroupLeader = group;
    DeleteObj(group);
    EXPECT_EQ(gGroupLeader, nullptr);
    ExpectEachDiscardedOnce();
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
        {"gRemovePtTargetObject", &gRemovePtTargetObject, nullptr},
        {"gRemovePtTargetPoint", nullptr, &gRemovePtTargetPoint},
        {"gRemovePtTargetPrevPoint", nullptr, &gRemovePtTargetPrevPoint},
    };
    for (const Row& row : rows) {
        auto pointAt = [&](Objex* o) {
            if (row.object) *row.object = o;
            else *row.point = PointAt(o, 1);
        };
        auto target = [&]() -> void* { return row.object ? static_cast<void*>(*row.object) : *row.point; };

        Objex* survivor = Make(objtype::kPolygon, 3);
        Objex* group = Make(objtype::kGroup);
        Objex* child = Make(objtype::kPolygon, 3);
        AppendChildToObject(child, group);

        pointAt(survivor);
        DeleteObj(group);
        EXPECT_NE(target(), nullptr) << row.name;

        group = Make(objtype::kGroup);
        child = Make(objtype::kPolygon, 3);
        AppendChildToObject(child, group);
        pointAt(child);
        DeleteObj(group);
        EXPECT_EQ(target(), nullptr) << row.name;
        DeleteObj(survivor);
    }
}

TEST_F(DeletionTest, RoofWithSkylightAndPanels) {
    Objex* roof = Make(objtype::kRoof, 4);
    Objex* p1 = Make(objtype::kRoofPanel, 4);
    Objex* p2 = Make(objtype::kRoofPanel, 4);
    p1->next = p2;
    p2->prev = p1;
    roof->typeData = TypeData::OfRoofPanels(p1);
    AppendObjectToLayer(roof, doc->itsLayers);

    Objex* skylight = Make(objtype::kSkylight, 4);
    auto* sr = new RoofAttachmentRecord{};
    sr->attachment = skylight;
    sr->customParts = Make(objtype::kFrameGroup, 4);
    sr->partLists[0] = Make(objtype::kOpeningMask, 4);
    sr->partLists[4] = Make(objtype::kSkylightPart5, 4);
    skylight->typeData = TypeData::OfRoofAttachment(sr);
    AppendChildToObject(skylight, roof);
    Objex* cutout = Make(objtype::kRoofCutout, 4);
    cutout->typeData = TypeData::OfRoofAttachment(new RoofAttachmentRecord{});
    AppendChildToObject(cutout, roof);

    DeleteObj(roof);
    ExpectEachDiscardedOnce();
}

TEST_F(DeletionTest, TerrainRebuildAndLayerClearing) {
    Layer* layer = doc->itsLayers->next;
    Objex* topo = Make(objtype::kTopography, 3);
    AppendObjectToLayer(topo, layer);
    AppendObjectToLayer(Make(objtype::kEntireLot, 4), layer);
    AppendObjectToLayer(Make(objtype::kSlopeLot, 4), layer);
    Objex* cabinet = Make(objtype::kGroup);
    cabinet->subtype = objsubtype::kCabinetGroup;
    cabinet->typeData = TypeData::OfCabinet(new CabinetState{});
    AppendObjectToLayer(cabinet, layer);
    AppendChildToObject(Make(objtype::kCabinetPart, 8), cabinet);

    gRefreshRender = 0;
    DeleteLayerObjects(layer);
    EXPECT_EQ(layer->firstObject, nullptr);
    EXPECT_EQ(gRefreshRender, 1);
    EXPECT_EQ(lotRebuilds, 3);
    ExpectEachDiscardedOnce();
}

TEST_F(DeletionTest, PointsOnlyWithTheirTrims) {
    Objex* wall = Make(objtype::kWall, 2);
    AppendObjectToLayer(wall, doc->itsLayers);
    wall->firstPoint->trim2 = new TrimRecord{};
    wall->firstPoint->trim2->profile[1] = Make(objtype::kPolygon, 3);
    DeleteObjectPoints(wall);
    EXPECT_EQ(wall->firstPoint, nullptr);
    EXPECT_EQ(wall->pointCount, 0);
    DeleteObj(wall);
    ExpectEachDiscardedOnce();
    DeleteObj(nullptr);
    DeleteObjectData(nullptr);
    DeleteObjectPoints(nullptr);
    DeleteLayer(nullptr);
}

}  // namespace
