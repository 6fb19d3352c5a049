// Object files of the sibling modelling product: imported objects on the current layer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/core/main_window_sheet_seam.h"
#include "files/design_file.h"
#include "support/records.h"
#include "files/object_files.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/command_globals.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_queries.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

struct StoredPoint {
    float h, v, d;           // as stored: three times the plan value
    int32_t texture1 = 0;
    int32_t texture2 = 0;
};

struct StoredObject {
    int16_t type = 8;
    int16_t rows = 1;
    int32_t pointCount = -1;  // -1: the number of points
    int16_t fillPattern = 0;
    std::vector<StoredPoint> points;
};

constexpr RGBColor kFill{1000, 2000, 3000};
constexpr RGBColor kPen{4000, 5000, 6000};

void Color(Bytes& b, const RGBColor& c) { b.u16(c.red).u16(c.green).u16(c.blue); }

void Record(Bytes& b, const StoredObject& o) {
    const int32_t count = static_cast<int32_t>(o.points.size());
    b.i16(200).i16(o.type).u8(1).u8(1);
    Color(b, kFill);
    Color(b, RGBColor{7, 8, 9});
    Color(b, kPen);
    b.f32(2.0f).i16(1).i16(o.fillPattern).i16(o.rows).i32(o.pointCount < 0 ? count : o.pointCount);
    b.u8(1).i16(0).i32(0);
    for (int i = 0; i < 8; ++i) b.lef32(static_cast<float>(i));
    b.i16(2).i32(count);
    for (const StoredPoint& p : o.points) {
        b.i16(0).u8(0).u8(1).u8(0);
        b.f32(3.0f).f32(6.0f).f32(9.0f);  // in-tangent
        b.f32(p.h).f32(p.v).f32(p.d);
        b.f32(-3.0f).f32(0.0f).f32(30.0f);  // out-tangent
        b.f32(0.0f).f32(0.0f).f32(0.0f);
        b.i32(p.texture1).i32(p.texture2);
        b.f32(0.5f).f32(0.25f).f32(0.0f).f32(0.0f);
    }
}

Bytes Header(int32_t version, int32_t settingsLength = 680) {
    Bytes b;
    b.i32(version).i16(2).i32(settingsLength).zeros(680);
    return b;
}

StoredObject Triangle(float h) {
    StoredObject o;
    o.points = {{h, 0, 0}, {h + 36.0f, 0, 0}, {h, 36.0f, 36.0f}};
    return o;
}

// A layer record, a group's record with tag 202, two objects, tag 203 and the end tag.
std::vector<uint8_t> GroupFile(int32_t settingsLength = 680) {
    Bytes b = Header(10001, settingsLength);
    b.i16(100).raw(std::string("Layer 1")).zeros(256 - 7).u8(1).u8(1).f32(96.0f);
    StoredObject group;
    group.type = 1000;
    Record(b, group);
    b.i16(202);
    Record(b, Triangle(0));
    StoredObject second = Triangle(360.0f);
    second.type = 9;
    Record(b, second);
    b.i16(203).i16(400);
    return b.data();
}

class ObjectFilesTest : public FileTest {
protected:
    ObjectFilesTest() : FileTest("objects") {}
    void SetUp() override {
        FileTest::SetUp();
        SetCloseMainWindowSheetHandler([this] { ++sheetsClosed; });
    }
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "chair.obj") {
        return FileTest::Write(bytes, name);
    }
    std::vector<Objex*> Imported() { return ListOf(current()->firstObject); }

    int sheetsClosed = 0;
};

TEST_F(ObjectFilesTest, GroupsComeApartIntoSelectedImportedObjectsInPlanUnits) {
    RebuildRecorder rebuilds;
    doc->itsDocState->currentPlanBit = 16;
    const int layers = CountLayers(doc->itsLayers);
    // The settings length says 704; the block is 680 bytes all the same.
    const std::string path = Write(GroupFile(704));
    ASSERT_TRUE(ObjectFileRead(path.c_str()));

    std::vector<Objex*> objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    for (Objex* o : objects) {
        EXPECT_EQ(o->type, objtype::kFentrix);
        EXPECT_EQ(o->planBits, 16);
        EXPECT_EQ(o->pointCount, 3);
        EXPECT_TRUE(IsObjectSelected(o));
        EXPECT_EQ(rebuilds.count("RenderSingleObject", o), 1);
    }
    EXPECT_EQ(CountLayers(doc->itsLayers), layers);
    // Stored 36 is 12 in the plan, tangents included.
    const Poinz* p = objects[0]->firstPoint;
    ExpectPosition(p->next->next, 0.0f, 12.0f, 12.0f);
    EXPECT_FLOAT_EQ(p->inTangent[2], 3.0f);
    EXPECT_FLOAT_EQ(p->outTangent[0], -1.0f);
    ExpectPosition(objects[1]->firstPoint, 120.0f, 0.0f, 0.0f);
    EXPECT_TRUE(alerts.shown.empty());
    ClearCurrentLayer();

    FILE* f = std::fopen((dir + "/chair.OBD").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("[Style]\nObject2D=1\n", f);
    std::fclose(f);
    ASSERT_TRUE(ObjectFileRead(path.c_str()));
    objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    for (Objex* o : objects) EXPECT_EQ(o->type, objtype::kImported2D);
    EXPECT_EQ(gObjectStyle2D, 0);
}

TEST_F(ObjectFilesTest, OtherVersionsAreRefusedWithTheAlert) {
    std::vector<uint8_t> bytes = GroupFile();
    bytes[3] = 0x12;  // 10002
    const std::string path = Write(bytes);
    sInputVersion = 10900;

    EXPECT_FALSE(ObjectFileRead(path.c_str()));
    EXPECT_EQ(current()->firstObject, nullptr);
    EXPECT_EQ(sheetsClosed, 1);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the object file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + path + "' might be damaged or created with a more recent version of Fentrix");
    EXPECT_EQ(sInputVersion, 10900);

    EXPECT_FALSE(ObjectFileRead((dir + "/missing.obj").c_str()));
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(ObjectFilesTest, RecordsAreCheckedOneByOne) {
    Bytes b = Header(10000);
    StoredObject overcounted = Triangle(0);
    overcounted.rows = 4;
    overcounted.pointCount = 99;
    overcounted.points[1].texture1 = 1700;
    overcounted.points[2].texture2 = 1701;
    Record(b, overcounted);
    StoredObject solid;
    solid.type = 158;
    solid.rows = 2;
    solid.fillPattern = 7;
    solid.points = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}, {0, 3, 3000000.0f}};  // depth 1,000,000
    Record(b, solid);
    StoredObject beyond = Triangle(0);
    beyond.points[2].d = 3000001.5f;  // 1,000,000.5
    Record(b, beyond);
    Record(b, StoredObject{});  // no points
    b.i16(400);
    Objex* workbench = Make(objtype::kFentrix);
    workbench->planBits = 64;
    gWorkbenchObject = workbench;
    gSymbarObjectDrop = 1;
    RebuildRecorder rebuilds;
    ASSERT_TRUE(ObjectFileRead(Write(b.data()).c_str()));
    gWorkbenchObject = nullptr;
    DeleteObj(workbench);

    const std::vector<Objex*> objects = Imported();
    ASSERT_EQ(objects.size(), 2u);
    // The points read count, not the stored count; rows that do not divide it become 1.
    EXPECT_EQ(objects[0]->pointCount, 3);
    EXPECT_EQ(objects[0]->rows, 1);
    EXPECT_EQ(objects[0]->planBits, 64);
    const Poinz* p = objects[0]->firstPoint;
    EXPECT_EQ(p->color1.red, kPen.red);
    EXPECT_EQ(p->color2.blue, kFill.blue);
    EXPECT_EQ(p->next->color1.green, 65535);
    EXPECT_EQ(p->next->color2.green, kFill.green);
    EXPECT_EQ(p->next->next->color2.red, 65535);

    EXPECT_EQ(objects[1]->type, objtype::kFentrix);
    EXPECT_EQ(objects[1]->subtype, 158);
    EXPECT_EQ(objects[1]->optionB, 7);
    EXPECT_EQ(objects[1]->rows, 2);
    EXPECT_FLOAT_EQ(PointAt(objects[1], 3)->position[2], 1000000.0f);
    // A content drop renders the objects itself.
    EXPECT_EQ(rebuilds.count("RenderSingleObject"), 0);
}

TEST_F(ObjectFilesTest, CutFilesKeepTheCompleteObjects) {
    Bytes b = Header(10000);
    Record(b, Triangle(0));
    const size_t firstEnd = b.size();
    Record(b, Triangle(36.0f));
    b.i16(400);
    const std::vector<uint8_t>& file = b.data();
    for (size_t length = 0; length <= file.size(); ++length) {
        // A new file each time: rewriting one is far slower on some file systems.
        const std::string path = dir + "/cut." + std::to_string(length);
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (length) std::fwrite(file.data(), 1, length, f);
        std::fclose(f);
        ObjectFileRead(path.c_str());
        const size_t expected = length < firstEnd ? 0 : (length < file.size() - 2 ? 1 : 2);
        ASSERT_EQ(Imported().size(), expected) << "cut at " << length;
        EXPECT_FALSE(DesignFileBusy());
        std::remove(path.c_str());
        ClearCurrentLayer();
    }
}

}  // namespace
