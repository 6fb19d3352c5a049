// Deleting objects with everything they own, and whole layers.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "render/core/render_state.h"
#include "scene/render_seams.h"
#include "support/fixture.h"
#include "support/build.h"

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
        SetLotElevationHandler([this] { ++lotRebuilds; });
    }

    // A loose object remembered as created (by ID: freed addresses come back).
    Objex* Loose(int16_t type, int points = 0) {
        Objex* o = Make(type).line(points);
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
    Make(door).with(rec);
    Make(door).in(wall);

    // A neighbour record chained for carving keeps a sound chain.
    Objex* window = Loose(objtype::kWindow, 2);
    auto* windowRec = new AttachmentRecord{};
    Make(window).with(windowRec);
    Make(window).in(wall);
    rec->nextRecord = windowRec;
    windowRec->prevRecord = rec;
    DeleteObj(window);
    EXPECT_EQ(rec->nextRecord, nullptr);
    EXPECT_EQ(wall->firstChild, door);
    EXPECT_EQ(door->next, nullptr);

    Objex* roomPart = Loose(objtype::kFloor, 4);
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
    plant->plantInfo = new PlantInfo{};
    Make(plant).image("/plants/fern.jpg");
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
    EXPECT_EQ(dr->textBox, nullptr);
    EXPECT_EQ(group->firstChild, dim);
    EXPECT_EQ(dim->next, nullptr);

    Objex* box2 = Loose(objtype::kDimensionText, 4);
    auto* tr2 = new DimensionTextRecord{};
    tr2->owner = dim;
    dr->textBox = box2;
    Make(box2).with(tr2);
    Make(box2).in(group);
    DeleteObj(dim);
    EXPECT_EQ(tr2->owner, nullptr);

    gGroupLeader = group;
    DeleteObj(group);
    EXPECT_EQ(gGroupLeader, nullptr);
    ExpectEachDiscardedOnce();
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
    Make(skylight).with(sr);
    Make(skylight).in(roof);
    Objex* cutout = Loose(objtype::kRoofCutout, 4);
    Make(cutout).with(new RoofAttachmentRecord{});
    Make(cutout).in(roof);

    DeleteObj(roof);
    ExpectEachDiscardedOnce();
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
    DeleteLayerObjects(layer);
    EXPECT_EQ(layer->firstObject, nullptr);
    EXPECT_EQ(gRefreshRender, 1);
    EXPECT_EQ(lotRebuilds, 3);
    ExpectEachDiscardedOnce();
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
    ExpectEachDiscardedOnce();
    DeleteObj(nullptr);
    DeleteObjectData(nullptr);
    DeleteObjectPoints(nullptr);
    DeleteLayer(nullptr);
}

}  // namespace
