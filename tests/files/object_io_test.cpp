// One object read and written: what is dropped, rebuilt and repaired, photos and plants,
// selection of merged objects, and damaged input.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "files/attachment_records.h"
#include "files/content_folders.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/record_fixtures.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "model/selection_queries.h"
#include "render/core/custom_textures.h"
#include "render/core/texture_files.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

class ObjectIOTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }

    Objex* Polygon(int points, int32_t subtype = 0) {
        Objex* o = NewObject(9, subtype);
        AddPoints(o, points);
        return o;
    }

    static void WriteFile(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
    }
};

// Reads every object record of the bytes onto the layer; the number kept.
int ReadAll(const std::vector<uint8_t>& bytes, Layer* layer, int32_t version) {
    StartInput(bytes, version);
    int kept = 0;
    int16_t tag = 0;
    while (!AtEndOfInput() && ReadShort(&tag) && tag == 200)
        if (ReadAnObject(layer, 1)) ++kept;
    return kept;
}

TEST_F(ObjectIOTest, DroppedObjectsLeaveTheRestReadable) {
    Objex* panel = Polygon(3);
    panel->type = objtype::kSlopeArrow;
    Objex* empty = NewObject(9);
    Objex* group = NewObject(objtype::kGroup);
    Objex* far = Polygon(3);
    far->firstPoint->position[0] = 2000000.0f;
    Objex* last = Polygon(3, 4711);
    Bytes file;
    for (Objex* o : {panel, empty, group, far, last}) file.raw(WrittenObject(o));

    EXPECT_EQ(ReadAll(file.data(), layer(), 11100), 2);
    ASSERT_EQ(CountObjects(layer()->firstObject), 2);
    EXPECT_EQ(layer()->firstObject->type, objtype::kGroup);  // a group needs no points
    EXPECT_EQ(layer()->firstObject->next->subtype, 4711);
    for (Objex* o : {panel, empty, group, far, last}) DeleteObj(o);
}

TEST_F(ObjectIOTest, PointCountIsWhatWasRead) {
    Objex* o = Polygon(6);
    o->rows = 2;
    auto bytes = WrittenObject(o);
    // The stored count says 5 points in 4 rows; 6 points follow.
    const long at = Find(bytes, Bytes().i16(2).i32(6).data());
    ASSERT_GE(at, 0);
    Bytes patched;
    patched.raw(std::vector<uint8_t>(bytes.begin(), bytes.begin() + at)).i16(4).i32(5);
    patched.raw(std::vector<uint8_t>(bytes.begin() + at + 6, bytes.end()));
    Objex* back = ReadObjectFrom(patched.data(), layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->pointCount, 6);
    EXPECT_EQ(back->rows, 1);
    // Rows that divide the count stay.
    Objex* same = ReadObjectFrom(bytes, layer());
    EXPECT_EQ(same->rows, 2);
    EXPECT_EQ(same->pointCount, 6);
    DeleteObj(o);
}

// Inside one section each library plant's description file is read once; every plant still
// owns its record.
TEST_F(ObjectIOTest, PlantsOfOneSectionShareTheirDescriptionRead) {
    char info[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(3000, info);
    WriteFile(info, "[Description]\nCommonName=Maple\n");
    Objex* plant = NewObject(objtype::kPlant);
    AddPoints(plant, 1);
    plant->firstPoint->texture1 = 3000;
    const std::vector<uint8_t> bytes = WrittenObject(plant);
    DeleteObj(plant);
    Objex* first = nullptr;
    Objex* second = nullptr;
    {
        SharedPlantDescriptions shared;
        first = ReadObjectFrom(bytes, layer());
        WriteFile(info, "[Description]\nCommonName=Oak\n");
        second = ReadObjectFrom(bytes, layer());
    }
    ASSERT_TRUE(first && second && first->plantInfo && second->plantInfo);
    EXPECT_NE(first->plantInfo, second->plantInfo);
    EXPECT_STREQ(second->plantInfo->commonName, "Maple");
    Objex* later = ReadObjectFrom(bytes, layer());
    ASSERT_TRUE(later && later->plantInfo);
    EXPECT_STREQ(later->plantInfo->commonName, "Oak");
}

TEST_F(ObjectIOTest, PlantsOfOlderFilesTakeTheirRecordsFromTheTexture) {
    char info[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(3000, info);
    ASSERT_NE(info[0], 0);
    WriteFile(info, "[Description]\nCommonName=Maple\nAnnualGrowthRate=15\nZone3=1\n");

    Objex* plant = NewObject(objtype::kPlant);
    AddPoints(plant, 2);
    plant->firstPoint->texture1 = 3000;
    Objex* wire = NewObject(objtype::kPlant);
    AddPoints(wire, 2);
    wire->firstPoint->texture1 = 14050;
    Bytes file;
    file.raw(WrittenObject(plant, 10700)).raw(WrittenObject(wire, 10700));
    EXPECT_EQ(ReadAll(file.data(), layer(), 10700), 1);
    Objex* back = layer()->firstObject;
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->plantInfo, nullptr);
    EXPECT_STREQ(back->plantInfo->commonName, "Maple");
    EXPECT_EQ(back->plantInfo->annualGrowthRate, 15.0f);
    EXPECT_EQ(back->plantInfo->maximumGrowthHeight, 24);
    EXPECT_EQ(back->plantInfo->zones[2], 1);

    // From 10800 wire-frame plants are kept.
    DeleteLayerObjects(layer());
    EXPECT_EQ(ReadAll(WrittenObject(wire, 10800), layer(), 10800), 1);
    DeleteObj(plant);
    DeleteObj(wire);
}

TEST_F(ObjectIOTest, UserPlantsFindTheirImageInTheCustomPlantFolder) {
    const std::string folder = LocalDomainCustomPlantPath();
    ASSERT_FALSE(folder.empty());
    WriteFile(folder + "/Shrubs/rose.pui", "[Description]\nBotanicalName=Rosa\n");
    Objex* plant = NewObject(objtype::kPlant, objsubtype::kUserPlant);
    AddPoints(plant, 2);
    plant->typeData = TypeData::OfImagePath(CopyString("C:\\Old\\Disk\\CustomPlants\\Shrubs\\rose.jpg"));

    const int32_t nextID = gCurrentPhotoTextureID;
    Objex* back = ReadObjectFrom(WrittenObject(plant), layer());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->typeData.kind, TypeDataKind::ImagePath);
    EXPECT_EQ(std::string(back->typeData.imagePath), folder + "/Shrubs/rose.jpg");
    EXPECT_EQ(back->firstPoint->texture1, nextID);
    EXPECT_EQ(back->texture4, nextID);
    ASSERT_NE(back->plantInfo, nullptr);
    EXPECT_STREQ(back->plantInfo->botanicalName, "Rosa");
    EXPECT_EQ(back->plantInfo->maximumGrowthHeight, 72);
    EXPECT_EQ(back->plantInfo->annualGrowthRate, 20.0f);

    // A 10700 user plant has no path in its record: the next record follows.
    Objex* after = Polygon(2, 99);
    Bytes file;
    file.raw(WrittenObject(plant, 10700)).raw(WrittenObject(after, 10700));
    EXPECT_EQ(ReadAll(file.data(), layer(), 10700), 2);
    EXPECT_EQ(RemainingInput(), 0u);
    DeleteObj(plant);
    DeleteObj(after);
}

TEST_F(ObjectIOTest, PhotosTakeAFreshTextureOnlyWithAPath) {
    RebuildRecorder rebuilds;
    Objex* photo = NewObject(objtype::kPhoto);
    AddPoints(photo, 4);
    photo->texture2 = photo->texture3 = photo->texture4 = 1;
    const int32_t nextID = gCurrentPhotoTextureID;
    Objex* none = ReadObjectFrom(WrittenObject(photo), layer());
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->typeData.kind, TypeDataKind::None);
    EXPECT_EQ(none->texture4, 1);
    EXPECT_EQ(gCurrentPhotoTextureID, nextID);

    photo->typeData = TypeData::OfImagePath(CopyString("/pics/house.png"));
    const auto bytes = WrittenObject(photo);
    EXPECT_GE(Find(bytes, Bytes().text("/pics/house.png").data()), 0);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->typeData.imagePath, "/pics/house.png");
    for (int32_t t : {back->texture2, back->texture3, back->texture4, back->firstPoint->texture1,
                      back->firstPoint->next->texture2})
        EXPECT_EQ(t, nextID);
    EXPECT_EQ(gCurrentPhotoTextureID, nextID + 1);
    EXPECT_EQ(rebuilds.count("Update3DPhoto", back), 1);
    DeleteObj(photo);
}

TEST_F(ObjectIOTest, FirstReleaseWallsTakeTheirDefaults) {
    RebuildRecorder rebuilds;
    layer()->height = 100.0f;
    Objex* wall = MakeWall(layer(), 3);
    wall->params[0] = 0.0f;
    PointAt(wall, 1)->segmentValues[0] = 0.0f;
    PointAt(wall, 1)->segmentFlags = 7;
    UnlinkObject(wall);
    Objex* back = ReadObjectFrom(WrittenObject(wall, 10300), layer(), 10300);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->params[0], 100.0f);
    EXPECT_EQ(back->params[1], 16.0f);
    EXPECT_EQ(back->texture, 1700);
    EXPECT_EQ(back->texture3, 2212);
    EXPECT_EQ(back->auxColor.red, 1);
    EXPECT_EQ(back->params[3], 12.0f);
    const int16_t flips[3] = {0, 1, 0};
    int i = 0;
    for (Poinz* p = back->firstPoint; p; p = p->next, ++i) {
        EXPECT_EQ(p->dimensionFlipped, flips[i]);
        EXPECT_EQ(p->position[1], 0.0f);
        EXPECT_EQ(p->segmentFlags, 0);
        EXPECT_EQ(p->segmentValues[3], 125.0f);
        EXPECT_EQ(p->segmentValues[4], 175.0f);
        ASSERT_NE(p->trim1, nullptr);
        ASSERT_NE(p->trim2, nullptr);
        EXPECT_EQ(p->trim1->slot[0], 0);
    }
    EXPECT_EQ(PointAt(back, 1)->segmentValues[0], 100.0f);
    EXPECT_EQ(rebuilds.callsFor(back), (std::vector<std::string>{"Update3DWall", "UpdateAllWallAttachments"}));
    DeleteObj(wall);
}

TEST_F(ObjectIOTest, OlderFencesTakeTheDocumentFenceSizes) {
    RebuildRecorder rebuilds;
    DocState* ds = doc->itsDocState;
    for (int i = 0; i < 5; ++i) ds->fenceSizes[i] = static_cast<float>(10 * (i + 1));
    Objex* fence = Polygon(2);
    fence->type = objtype::kFence;
    Objex* back = ReadObjectFrom(WrittenObject(fence, 10750), layer(), 10750);
    ASSERT_NE(back, nullptr);
    const float expected[5] = {10, 20, 40, 30, 50};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(back->params[i], expected[i]);
    EXPECT_EQ(back->texture4, 2200);
    EXPECT_EQ(rebuilds.count("UpdateFenceObject", back), 1);
    Objex* current = ReadObjectFrom(WrittenObject(fence, 10800), layer(), 10800);
    EXPECT_EQ(current->params[0], 0.0f);
    DeleteObj(fence);
}

TEST_F(ObjectIOTest, MergedObjectsAreSelected) {
    Objex* o = Polygon(3);
    gOpenSymbol = 1;
    Objex* back = ReadObjectFrom(WrittenObject(o), layer());
    gOpenSymbol = 0;
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IsObjectSelected(back));
    Objex* plain = ReadObjectFrom(WrittenObject(o), layer());
    EXPECT_FALSE(IsObjectSelected(plain));
    DeleteObj(o);
}

TEST_F(ObjectIOTest, EveryPrefixOfARecordReadsWithoutHarm) {
    Objex* wall = MakeWall(layer(), 4);
    Objex* door = AddOpening(wall, objtype::kDoor, kCustomDoorStyle, 1);
    door->typeData.attachment->customParts[0] = MakePartObject(objtype::kOpeningMask);
    door->typeData.attachment->insideCustomTrim = 1;
    door->typeData.attachment->insideTrimProfile = MakePartObject(9);
    wall->firstPoint->trim1->slot[0] = TrimRecord::kCustomProfile;
    wall->firstPoint->trim1->profile[0] = MakePartObject(9);
    Objex* roof = MakeRoofWithSkylight(layer(), kCustomSkylightStyle, nullptr);
    roof->firstChild->typeData.roofAttachment->partLists[0] = MakePartObject(objtype::kOpeningMask);

    for (Objex* o : {wall, roof}) {
        const auto bytes = WrittenObject(o);
        Layer* scratch = CreateLayer("scratch", 1, 1, nullptr);
        for (size_t n = 0; n < bytes.size(); ++n) {
            StartInput(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)), 11100);
            int16_t tag = 0;
            ReadShort(&tag);
            ReadAnObject(scratch, 1);
            EXPECT_TRUE(AtEndOfInput()) << n;
        }
        DeleteLayerObjects(scratch);
        delete scratch;
    }
}

TEST_F(ObjectIOTest, UnfinishedOrEndlesslyNestedPartListsEndWithTheInput) {
    // A custom window whose part list never reaches 213.
    Objex* wall = MakeWall(layer(), 2);
    Objex* window = AddOpening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    window->typeData.attachment->customParts[1] = MakePartObject(9);
    auto bytes = WrittenObject(wall);
    const long end = Find(bytes, Bytes().i16(213).data());
    ASSERT_GT(end, 0);
    bytes.resize(static_cast<size_t>(end));
    ReadObjectFrom(bytes, layer());
    EXPECT_TRUE(AtEndOfInput());

    // Windows within windows, far deeper than any design: reading stops, the stack holds.
    const auto outer = WrittenObject(wall);
    const long mark = Find(outer, Bytes().i16(212).data());
    ASSERT_GT(mark, 0);
    const std::vector<uint8_t> prefix(outer.begin(), outer.begin() + mark + 2);
    Bytes nested;
    for (int depth = 0; depth < 5000; ++depth) nested.raw(prefix);
    ReadObjectFrom(nested.data(), layer());
    EXPECT_TRUE(AtEndOfInput());
    DeleteObj(window->typeData.attachment->customParts[1]);
    window->typeData.attachment->customParts[1] = nullptr;
}

TEST_F(ObjectIOTest, PlantRecordFiles) {
    char info[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(3001, info);
    WriteFile(info,
              "[Description]\nCommonName=An extraordinarily long common name that goes on and on and on\n"
              "Type=2\nPropagation=3\nWater=4\nSunLight=5\nMaximumGrowthHeight=180\nSoilType=6\nZone10=1\n");
    PlantInfo* library = CreatePlantInfo(3001);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(std::string(library->commonName), std::string("An extraordinarily long common name that goes on and on and on").substr(0, 59));
    EXPECT_EQ(library->plantType, 2);
    EXPECT_EQ(library->sunLight, 5);
    EXPECT_EQ(library->maximumGrowthHeight, 180);
    EXPECT_EQ(library->zones[9], 1);
    EXPECT_EQ(library->annualGrowthRate, 0.0f);
    // Out of range IDs leave the record alone; missing names keep what was there.
    std::strcpy(library->botanicalName, "kept");
    InitializePlantInfo(library, 15000);
    InitializePlantInfo(library, 3001);
    EXPECT_STREQ(library->botanicalName, "kept");
    DeletePlantInfo(library);

    EXPECT_EQ(CreateUserPlantInfo(nullptr), nullptr);
    PlantInfo* user = CreateUserPlantInfo("ab");  // too short for an extension: "abpui"
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->maximumGrowthHeight, 72);
    DeletePlantInfo(user);
}

}  // namespace
