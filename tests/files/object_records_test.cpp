// Object records in files: info and points by version, whole objects with their children and
// parts, text, trim, attachment and Windows records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <tuple>

#include "files/attachment_records.h"
#include "files/content_folders.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/text_trim_records.h"
#include "files/type_data_io.h"
#include "files/windows_records.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "files/plant_info_files.h"
#include "model/selection_queries.h"
#include "model/tool_defaults.h"
#include "port/images.h"
#include "files/custom_textures.h"
#include "files/texture_files.h"
#include "support/build.h"
#include "support/rebuild_recorder.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "model/deck_step_records.h"

using namespace dvxtest;

namespace {

// The fixture of every object record test: a fresh design whose current floor takes what is read.
class RecordTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
    DocState* ds() { return doc->itsDocState; }
    Objex* Fresh() { return Make(int16_t{0}); }
};

// Reads a tag and the object record after it onto the layer.
Objex* NextObject(Layer* layer) {
    int16_t tag = 0;
    ReadShort(&tag);
    return ReadAnObject(layer, 1);
}

}  // namespace

// Object info and point lists by file version, texture IDs, stored IDs, the palette rule of
// the writers and the repairs older files need.
namespace records {

using ObjectRecordsTest = RecordTest;

// Items 3 to 10 of the object info (the same in every version).
void CommonItems(Bytes& b) {
    b.u8(1).u8(0);
    for (uint16_t c = 1; c <= 9; ++c) b.u16(c);
    b.f32(2.5f).i16(3).i16(4).i16(1).i32(0).u8(1).i16(2);
}
// Items 12 to 14.
void FaceItems(Bytes& b) {
    for (int k = 1; k <= 8; ++k) b.lef32(static_cast<float>(k));
    b.i16(3).f32(1.5f);
}

// Items 1 to 14: the type (and a group's kind) in `head`, the shared items, the texture field
// and the face items.
Bytes Info(const Bytes& head, const Bytes& texture) {
    Bytes b;
    b.raw(head.data());
    CommonItems(b);
    b.raw(texture.data());
    FaceItems(b);
    return b;
}

void ExpectCommonItems(const Objex* o) {
    EXPECT_EQ(std::tuple(o->closed, o->visible, o->penWidth, o->penStyle, o->fillPattern, o->flagA, o->elevationMode),
              std::tuple(1, 0, 2.5f, 3, 4, 1, 2));
    EXPECT_TRUE(o->fillColor == (RGBColor{1, 2, 3}) && o->auxColor == (RGBColor{4, 5, 6}) &&
                o->penColor == (RGBColor{7, 8, 9}));
    EXPECT_EQ(std::tuple(o->textureFaceRect.floatTop, o->textureFaceRect.floatRight, o->textureFaceRect2.floatRight,
                         o->faceAxis, o->plantAge),
              std::tuple(1.0f, 4.0f, 8.0f, 3, 1.5f));
}

TEST_F(ObjectRecordsTest, TextureIDsStoreCustomTexturesByPath) {
    NewCustomTextureID(std::string("first.jpg").data());
    const int32_t id = NewCustomTextureID(std::string("abcdefgh").data());
    ASSERT_EQ(id, 20001);

    const auto bytes = Written([&] { WriteTextureID(id); });
    EXPECT_EQ(bytes, Bytes().i32(-1).i32(8).raw("abcdefgh").data());
    StartInput(Bytes().raw(bytes).i32(77).data(), 11100);
    EXPECT_EQ(ReadTextureID(), id);
    int32_t after = 0;
    ReadLong(&after);
    EXPECT_EQ(after, 77);

    // A path the document does not list yet is registered.
    StartInput(Bytes().i32(-1).i32(7).raw("new.jpg").data(), 11100);
    const int32_t added = ReadTextureID();
    EXPECT_EQ(added, 20002);
    EXPECT_STREQ(GetCustomTextureIDPath(added), "new.jpg");

    // -1 with length 0 is no texture; plain IDs stay plain; an ID without a path writes length 0.
    StartInput(Bytes().i32(-1).i32(0).i32(5).data(), 11100);
    EXPECT_EQ(ReadTextureID(), 0);
    EXPECT_EQ(RemainingInput(), 4u);
    EXPECT_EQ(Written([] { WriteTextureID(1234); }), Bytes().i32(1234).data());
    EXPECT_EQ(Written([] { WriteTextureID(-1002); }), Bytes().i32(-1002).data());
    EXPECT_EQ(Written([] { WriteTextureID(29999); }), Bytes().i32(-1).i32(0).data());
    // A stray -1 (no texture) must not read as the path marker.
    EXPECT_EQ(Written([] { WriteTextureID(-1); }), Bytes().i32(-1).i32(0).data());

    // The Std pair: the same in little-endian.
    const auto le = Written([&] { WriteStdTextureID(id); });
    EXPECT_EQ(le, (Bytes().u8(0xFF).u8(0xFF).u8(0xFF).u8(0xFF).u8(8).u8(0).u8(0).u8(0).raw("abcdefgh").data()));
    StartInput(le, 11100);
    EXPECT_EQ(ReadStdTextureID(), id);

    // A path longer than the input takes what is left and no texture.
    StartInput(Bytes().i32(-1).i32(1000).raw("abc").data(), 11100);
    EXPECT_EQ(ReadTextureID(), 0);
    EXPECT_TRUE(AtEndOfInput());
}

TEST_F(ObjectRecordsTest, CurrentObjectInfoFillsEveryField) {
    const uint32_t before = ds()->nextObjectID;
    Bytes b = Info(Bytes().i16(9), Bytes().i32(-1).i32(8).raw("wood.jpg"));
    b.i32(77).i32(2213).i32(2212).u16(10).u16(11).u16(12).u16(13).u16(14).u16(15);
    b.f32(48.0f).u8(1).i32(850).u16(16).u16(17).u16(18).i32(-1).i32(4).raw("tile").u16(19).u16(20).u16(21);
    for (int16_t s = 101; s <= 110; ++s) b.i16(s);
    b.i32(2).f32(0.5f).f32(1.5f).f32(2.5f).f32(3.5f).f32(4.5f).i32(7).i32(8).text("hi").i32(4242);
    StartInput(b.data(), 11100);
    Objex* o = Fresh();
    ReadObjectInfo(o);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_FALSE(InputTruncated());

    EXPECT_EQ(o->type, 9);
    ExpectCommonItems(o);
    EXPECT_STREQ(GetCustomTextureIDPath(o->texture), "wood.jpg");
    EXPECT_STREQ(GetCustomTextureIDPath(o->texture5), "tile");
    EXPECT_STREQ(o->text, "hi");
    EXPECT_EQ(std::tuple(o->subtype, o->texture2, o->texture3, o->elevation, o->onTerrain, o->texture4),
              std::tuple(77, 2213, 2212, 48.0f, 1, 850));
    EXPECT_TRUE(o->color2 == (RGBColor{10, 11, 12}) && o->color3 == (RGBColor{13, 14, 15}) &&
                o->color4 == (RGBColor{16, 17, 18}) && o->color5 == (RGBColor{19, 20, 21}));
    EXPECT_EQ(std::tuple(o->textureScales[0].x, o->textureScales[4].y, o->planBits, o->params[4], o->optionA, o->optionB),
              std::tuple(101, 110, 2, 4.5f, 7, 8));
    // The stored ID replaces the fresh one, which goes back to the counter.
    EXPECT_EQ(o->objectID, 4242u);
    EXPECT_EQ(ds()->nextObjectID, before);
    DeleteObj(o);
}

TEST_F(ObjectRecordsTest, OlderObjectInfoLayouts) {
    // 10800: custom texture encoding and text, no group kind for a non-group.
    {
        Bytes b = Info(Bytes().i16(9), Bytes().i32(-1).i32(3).raw("a.j"));
        b.i32(5).i32(1).i32(2).zeros(12).f32(0).u8(0).i32(3).zeros(6).i32(4).zeros(6).zeros(20).i32(2).zeros(20).i32(0).i32(0);
        b.text("note").i32(31);
        StartInput(b.data(), 10800);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_STREQ(GetCustomTextureIDPath(o->texture), "a.j");
        EXPECT_STREQ(o->text, "note");
        EXPECT_EQ(std::tuple(o->texture5, o->objectID), std::tuple(4, 31u));
        DeleteObj(o);
    }
    // 10700: a group carries its kind after the type; textures are plain; no text.
    {
        Bytes b = Info(Bytes().i16(1000).i32(123), Bytes().i32(1700));
        b.i32(0).i32(0).i32(0).zeros(12).f32(12.0f).u8(1).i32(0).zeros(6).i32(0).zeros(6).zeros(20).i32(64).zeros(20).i32(1).i32(2);
        b.i32(55);
        StartInput(b.data(), 10700);
        ds()->nextObjectID = 100;  // 55 is then free and below the counter: it is kept
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_EQ(std::tuple(o->type, o->groupKind, o->texture, o->elevation, o->planBits, o->objectID, ds()->nextObjectID),
                  std::tuple(objtype::kGroup, 123, 1700, 12.0f, 64, 55u, 100u));
        DeleteObj(o);
    }
    // 10450: the full layout with plain textures, no stored ID; textured colours are kept.
    {
        const uint32_t before = ds()->nextObjectID;
        Bytes b = Info(Bytes().i16(9), Bytes().i32(-1));
        b.i32(0).i32(2213).i32(0).u16(1).u16(2).u16(3).zeros(6).f32(0).u8(0).i32(0).zeros(6).i32(0).zeros(6).zeros(20);
        b.i32(2).zeros(20).i32(0).i32(0);
        StartInput(b.data(), 10450);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_TRUE(o->color2 == (RGBColor{1, 2, 3}));
        EXPECT_EQ(std::tuple(o->texture, o->objectID, ds()->nextObjectID), std::tuple(-1, before, before + 1));
        DeleteObj(o);
    }
    // 10300: subtype, two slots, four params and options; no elevation or plan bits in the
    // file, so a deck gets the deck plan; a second slot with a texture turns white.
    {
        Bytes b = Info(Bytes().i16(51), Bytes().i32(2300));
        b.i32(9).i32(1301).i32(0).u16(1).u16(2).u16(3).u16(4).u16(5).u16(6);
        b.f32(1).f32(2).f32(3).f32(4).i32(5).i32(6);
        StartInput(b.data(), 10300);
        Objex* o = Fresh();
        o->elevation = 33;
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_EQ(std::tuple(o->subtype, o->params[3], o->params[4], o->optionB, o->elevation, o->planBits),
                  std::tuple(9, 4.0f, 0.0f, 6, 0.0f, 64));
        EXPECT_TRUE(o->color2 == (RGBColor{65535, 65535, 65535}) && o->color3 == (RGBColor{4, 5, 6}));
        DeleteObj(o);
    }
    // 10000: only the shared items; a roof goes on the roof plan.
    {
        Bytes b = Info(Bytes().i16(14), Bytes().i32(1500));
        StartInput(b.data(), 10000);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        ExpectCommonItems(o);
        EXPECT_EQ(std::tuple(o->texture, o->planBits), std::tuple(1500, 16));
        DeleteObj(o);
    }
}

TEST_F(ObjectRecordsTest, OnlyGroupsCarryTheirKindAndOnlyFrom10700) {
    Objex* group = Make(objtype::kGroup);
    group->groupKind = 117;
    Objex* plain = Make(9);
    plain->groupKind = 117;
    auto head = [](Objex* o, int32_t version) {
        sWriteVersion = version;
        auto bytes = Written([o] { WriteObjectInfo(o); });
        return Slice(bytes, 0, 6);
    };
    EXPECT_EQ(head(group, 10700), Bytes().i16(1000).i32(117).data());
    EXPECT_EQ(head(group, 11100), Bytes().i16(1000).i32(117).data());
    EXPECT_EQ(head(group, 10500), Bytes().i16(1000).u8(group->closed).u8(group->visible).u16(group->fillColor.red).data());
    EXPECT_EQ(head(plain, 11100), Bytes().i16(9).u8(plain->closed).u8(plain->visible).u16(plain->fillColor.red).data());
    DeleteObj(group);
    DeleteObj(plain);
}

// A point of versions 10500 to 10750: items 1 to 15 with plain trim slots, then the ID.
void Point10500(Bytes& b, float h, uint32_t id) {
    b.i16(1).u8(0).u8(1).u8(0);
    for (int k = 0; k < 12; ++k) b.f32(k == 3 ? h : 0.0f);
    b.i32(0).i32(0).f32(0).f32(0).f32(1).f32(1).zeros(12);
    b.f32(0).i32(0).i16(0).i16(0).i32(0).i32(0).f32(0).f32(0).i32(0).f32(0).f32(0).f32(0);
    b.i16(100).i16(100).i16(100).i16(100);
    if (id) b.i32(static_cast<int32_t>(id));
}

TEST_F(ObjectRecordsTest, StoredIDsAreTakenAndGivenBackFrom10500) {
    const uint32_t objects = ds()->nextObjectID;
    const uint32_t points = ds()->nextPointID;

    Bytes b;
    b.i32(2);
    Point10500(b, 5, 500);
    Point10500(b, 6, 501);
    StartInput(b.data(), 10500);
    Objex* restored = Fresh();
    ReadObjectPoints(restored);
    EXPECT_EQ(RemainingInput(), 0u);
    ASSERT_EQ(restored->pointCount, 2);
    EXPECT_EQ(std::tuple(restored->firstPoint->pointID, restored->firstPoint->next->pointID,
                         restored->firstPoint->next->position[0], ds()->nextPointID),
              std::tuple(500u, 501u, 6.0f, points));

    // 10450 points carry no ID: they keep the fresh ones and the counter moves on.
    Bytes old;
    old.i32(2);
    Point10500(old, 5, 0);
    Point10500(old, 6, 0);
    StartInput(old.data(), 10450);
    Objex* fresh = Fresh();
    ReadObjectPoints(fresh);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(std::tuple(fresh->firstPoint->pointID, fresh->firstPoint->next->pointID, ds()->nextPointID, ds()->nextObjectID),
              std::tuple(points, points + 1, points + 2, objects + 2));

    // The copy buffer and the symbol drop keep fresh IDs as well.
    gUpdateID = 1;
    StartInput(b.data(), 10500);
    Objex* dropped = Fresh();
    ReadObjectPoints(dropped);
    EXPECT_EQ(dropped->firstPoint->pointID, points + 2);
    EXPECT_EQ(ds()->nextPointID, points + 4);
    gUpdateID = 0;

    DeleteObj(restored);
    DeleteObj(fresh);
    DeleteObj(dropped);
}

TEST_F(ObjectRecordsTest, Version10700IDsInUseAreReplacedWithoutReuse) {
    Objex* existing = Make(9).on(layer());
    const uint32_t taken = existing->objectID;
    Bytes b = Info(Bytes().i16(9), Bytes().i32(0));
    b.zeros(4 + 4 + 4 + 12 + 4 + 1 + 4 + 6 + 4 + 6 + 20 + 4 + 20 + 8).i32(static_cast<int32_t>(taken));
    StartInput(b.data(), 10700);
    Objex* o = Fresh();
    ReadObjectInfo(o);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_NE(o->objectID, taken);
    // The next object must not get the ID just handed out.
    Objex* next = Fresh();
    EXPECT_NE(next->objectID, o->objectID);
    DeleteObj(o);
    DeleteObj(next);
}

TEST_F(ObjectRecordsTest, WritersResolvePaletteLinksBelow11000) {
    PaletteList* colour = GetPaletteEntryFromRefID(1);
    colour->kind = kPaletteColor;
    colour->color[0] = 10, colour->color[1] = 20, colour->color[2] = 30;
    colour->textureScale[0] = 40, colour->textureScale[1] = 250;
    PaletteList* texture = GetPaletteEntryFromRefID(2);
    texture->kind = kPaletteTexture;
    texture->textureID = 1158;
    texture->textureScale[0] = 60, texture->textureScale[1] = 70;

    Objex* o = Make(9);
    o->texture = -1001;
    o->texture2 = -1002;
    Make(o).line(1);
    o->firstPoint->texture1 = -1002;

    // At 11100 links are stored as they are and the object is not touched.
    sWriteVersion = 11100;
    Written([o] { WriteObjectInfo(o); WriteObjectPoints(o); });
    EXPECT_EQ(o->fillColor, (RGBColor{}));
    EXPECT_EQ(o->textureScales[0].x, 100);

    sWriteVersion = 10900;
    const auto bytes = Written([o] { WriteObjectInfo(o); WriteObjectPoints(o); });
    EXPECT_TRUE(o->fillColor == (RGBColor{2570, 5140, 7710}) && o->penColor == (RGBColor{2570, 5140, 7710}) &&
                o->color2 == (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(std::tuple(o->textureScales[4].x, o->textureScales[4].y, o->textureScales[0].x, o->textureScales[0].y,
                         o->firstPoint->faceScale1.x),
              std::tuple(40, 250, 60, 70, 60));
    EXPECT_EQ(o->texture, -1001);  // the link itself stays

    StartInput(bytes, 10900);
    Objex* back = Fresh();
    ReadObjectInfo(back);
    ReadObjectPoints(back);
    // A colour entry has no texture.
    EXPECT_EQ(std::tuple(back->texture, back->texture2, back->firstPoint->texture1), std::tuple(0, 1158, 1158));
    DeleteObj(o);
    DeleteObj(back);
}

TEST_F(ObjectRecordsTest, PointColoursAreLittleEndianBothWays) {
    Objex* wall = TrimmedWall(layer(), 2);
    const auto bytes = Written([wall] { WriteObjectPoints(wall); });
    EXPECT_GE(Find(bytes, {0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 0xB2, 0xA1, 0xD4, 0xC3, 0xF6, 0xE5}), 0);
    StartInput(bytes, 11100);
    Objex* back = Make(objtype::kWall);
    ReadObjectPoints(back);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_TRUE(back->firstPoint->color1 == (RGBColor{0x0102, 0x0304, 0x0506}) &&
                back->firstPoint->color2 == (RGBColor{0xA1B2, 0xC3D4, 0xE5F6}));
    DeleteObj(back);
}

TEST_F(ObjectRecordsTest, PointValueLimits) {
    Objex* o = Make(9).line(3);
    Poinz* p = o->firstPoint;
    p->position[2] = 1000000.0f;
    p->next->position[0] = -1000000.0f;
    EXPECT_FALSE(IsObjectPointValuesInvalid(o));
    p->position[2] = 1000000.5f;
    EXPECT_TRUE(IsObjectPointValuesInvalid(o));
    p->position[2] = 0;
    p->next->position[1] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(IsObjectPointValuesInvalid(o));
    EXPECT_FALSE(IsObjectPointValuesInvalid(nullptr));

    Objex* floor = Make(objtype::kFloor).line(2);
    EXPECT_TRUE(IsObjectPointValuesInvalid(floor));
    Make(floor).line(1);
    EXPECT_FALSE(IsObjectPointValuesInvalid(floor));
    Objex* line = Make(objtype::kLine).line(2);
    EXPECT_FALSE(IsObjectPointValuesInvalid(line));
    DeleteObj(o);
    DeleteObj(floor);
    DeleteObj(line);
}

// A damaged file whose door (inside a wall) stores the largest point count: its count starts
// from the points actually read, as a top-level object's does (it used to overflow).
TEST_F(ObjectRecordsTest, ChildPointCountsStartFromThePointsRead) {
    Objex* wall = TrimmedWall(layer(), 3);
    Opening(wall, objtype::kDoor, 500, 0);
    std::vector<uint8_t> bytes = WrittenObject(wall);
    DeleteObj(wall);
    // The door's info follows its tag 201; its point count is the 32nd byte after the type.
    const long door = Find(bytes, {0x00, 0xC9, 0x00, 0x10});
    ASSERT_GT(door, 0);
    const size_t count = static_cast<size_t>(door) + 2 + 32;
    ASSERT_EQ(bytes[count + 3], 2);
    bytes[count] = 0x7F;
    bytes[count + 1] = bytes[count + 2] = bytes[count + 3] = 0xFF;

    Objex* read = ReadObjectFrom(bytes, layer());
    ASSERT_TRUE(read && read->firstChild);
    EXPECT_EQ(read->firstChild->pointCount, 2);
    EXPECT_FALSE(InputTruncated());
}

TEST_F(ObjectRecordsTest, WallTrimsOfOlderFilesTakeTheWallMaterials) {
    Objex* wall = TrimmedWall(layer(), 3);
    auto readAt = [&](int32_t version) {
        sWriteVersion = version;
        const auto bytes = Written([wall] { WriteObjectInfo(wall); WriteObjectPoints(wall); });
        StartInput(bytes, version);
        Objex* back = Fresh();
        ReadObjectInfo(back);
        ReadObjectPoints(back);
        EXPECT_EQ(RemainingInput(), 0u);
        return back;
    };
    // 10800 has no material groups in its trims: slots 2, 4, 2, 3, 5 of the wall.
    Objex* w10800 = readAt(10800);
    for (Poinz* p = w10800->firstPoint; p; p = p->next)
        for (TrimRecord* t : {p->trim1, p->trim2}) {
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(std::tuple(t->texture[0], t->texture[1], t->texture[2], t->texture[3], t->texture[4], t->scale[3][0],
                                 t->scale[3][1]),
                      std::tuple(2213, 1801, 2213, 2212, 850, 101, 51));
            EXPECT_TRUE(t->color[1] == (RGBColor{31, 32, 33}));
        }
    // Older files: slot 4, the standard trim 2213 in white at 100 %, then slots 2, 3 and 5.
    Objex* w10700 = readAt(10700);
    TrimRecord* t = w10700->firstPoint->trim2;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::tuple(t->texture[0], t->texture[1], t->scale[1][1], t->texture[2], t->texture[3], t->texture[4]),
              std::tuple(1801, 2213, 100, 2213, 2212, 850));
    EXPECT_TRUE(t->color[1] == (RGBColor{65535, 65535, 65535}));
    // From 10900 the trims keep what they stored.
    Objex* w10900 = readAt(10900);
    EXPECT_EQ(w10900->firstPoint->trim1->texture[0], wall->firstPoint->trim1->texture[0]);
    DeleteObj(w10800);
    DeleteObj(w10700);
    DeleteObj(w10900);
}

TEST_F(ObjectRecordsTest, Version10350DeckEdgesAddTheirSteps) {
    ASSERT_EQ(ds()->planScale, 36.0f);
    Objex* deck = Deck(layer());
    Poinz* p0 = deck->firstPoint;
    Poinz* p3 = p0->next->next->next;
    p0->segmentFlags = 2 | 8;
    p0->segmentValues[1] = 60.0f;  // step width, inches
    p0->segmentValues[2] = 24.0f;  // total step height
    p3->segmentFlags = 2 | 16;
    p3->segmentValues[1] = 36.0f;
    p3->segmentValues[2] = 12.0f;
    Objex* after = Make(9).on(layer()).line(2);
    after->subtype = 4711;

    sWriteVersion = 10350;
    Bytes file;
    file.raw(WrittenObject(deck, 10350)).raw(WrittenObject(after, 10350));
    StartInput(file.data(), 10350);
    // Read onto the floor above the current one: the steps stand on the deck's floor.
    Layer* upstairs = layer()->next;
    ASSERT_NE(upstairs, nullptr);
    Objex* back = NextObject(upstairs);
    ASSERT_NE(back, nullptr);
    // The edge from the first point and the closing edge from the last point.
    ASSERT_EQ(CountObjects(back->firstChild), 2);
    EXPECT_TRUE(Same({back->firstChild->layer, back->firstChild->next->layer}, {upstairs, upstairs}));
    const AttachmentRecord* first = back->firstChild->typeData.attachment;
    ASSERT_NE(first, nullptr);
    // Width: 60 in at 36 in to the paper inch, 72 units an inch.
    EXPECT_EQ(std::tuple(first->width, first->height, first->directionFlag, first->frameFlag, first->segmentStart),
              std::tuple(120.0f, 48.0f, 1, 0, back->firstPoint));
    const AttachmentRecord* closing = back->firstChild->next->typeData.attachment;
    EXPECT_EQ(std::tuple(closing->width, closing->height, closing->frameFlag, closing->segmentEnd),
              std::tuple(72.0f, 24.0f, 1, back->firstPoint));

    // A 10350 deck has no tail: the next record follows at once.
    int16_t tag = 0;
    ReadShort(&tag);
    EXPECT_EQ(tag, 200);
    Objex* next = ReadAnObject(layer(), 1);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->subtype, 4711);
    EXPECT_EQ(RemainingInput(), 0u);
}

// A staircase is built as it is read; files up to 10800 had no stringer styles.
TEST_F(ObjectRecordsTest, StaircasesAreBuiltAsTheyAreRead) {
    RebuildRecorder seen({objtype::kStaircase});
    for (int32_t version : {10800, 11100}) {
        Objex* stair = Make(objtype::kStaircase, objsubtype::kStraightStair).plan({{0, 0}, {0, -100}});
        stair->params[0] = 36, stair->params[1] = 7, stair->params[2] = 10, stair->params[4] = 96;
        objfield::stair::kClosedStringer(*stair) = 1;
        sWriteVersion = version;
        StartInput(WrittenObject(stair, version), version);
        Objex* back = NextObject(layer());
        ASSERT_NE(back, nullptr) << version;
        EXPECT_EQ(objfield::stair::kClosedStringer(*back), version > 10800 ? 1 : 0) << version;
        EXPECT_TRUE(seen.Rebuilt(back)) << version;
        DeleteObj(stair);
    }
}

TEST_F(ObjectRecordsTest, CabinetFilesMakeCabinetPartsAndFoldTheirElevation) {
    Objex* cabinet = Make(objtype::kGroup).on(layer());
    cabinet->planBits = 512;
    Objex* box = Make(9).on(layer()).line(3);
    Objex* fentrix = Make(objtype::kFentrix).on(layer()).line(3);
    Bytes file;
    file.raw(WrittenObject(box)).raw(WrittenObject(fentrix));

    gCabinetOpen = 1;
    gCabinetObject = cabinet;
    StartInput(file.data(), 11100);
    Objex* part = NextObject(layer());
    Objex* kept = NextObject(layer());
    gCabinetOpen = 0;
    gCabinetObject = nullptr;
    ASSERT_TRUE(part && kept);
    EXPECT_EQ(std::tuple(part->type, part->planBits, kept->type), std::tuple(objtype::kCabinetPart, 512, objtype::kFentrix));

    // Selected cabinet parts, also inside a group: 36 in of elevation is 72 plan units.
    part->elevation = 36.0f;
    UnlinkObject(part);
    Make(part).in(cabinet);
    for (Poinz* p = part->firstPoint; p; p = p->next) p->selected = 1;
    const float v = part->firstPoint->position[1];
    AdjustCabinetObjectElevation();
    EXPECT_EQ(part->firstPoint->position[1], v - 72.0f);
    EXPECT_EQ(part->elevation, 0.0f);
}

}  // namespace records

// One object read and written: what is dropped, rebuilt and repaired, photos and plants,
// selection of merged objects, and damaged input.
namespace io {

class ObjectIOTest : public RecordTest {
protected:
    static Objex* Polygon(int points, int32_t subtype = 0) { return Make(9, subtype).line(points); }

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

// One round trip per kind of record an object carries: read back, it writes the same bytes.
TEST_F(ObjectIOTest, EveryKindOfRecordComesBackTheSame) {
    Objex* wall = TrimmedWall(layer(), 4);
    Opening(wall, objtype::kDoor, 501, 2);
    Opening(wall, objtype::kWindow, 603, 0);
    Objex* text = Make(objtype::kText).on(layer()).line(2).text("Porch").asRead();
    std::strcpy(text->typeData.text->font.lfFaceName, "Helvetica");
    auto* dimension = new DimensionRecord{};
    dimension->flags = 0x91;
    const std::pair<const char*, Objex*> rows[] = {
        {"plain", Make(9).on(layer()).closed().at({{0, 0, 0}, {5, 0, 0}, {5, 0, 7}}).asRead()},
        {"curved",
         Make(objtype::kLine).on(layer()).at({{0, 0, 0, {}, {10, 0, 5}}, {50, -3, 0, {-10, 0, 5}}}).asRead()},
        {"rows", Make(objtype::kFentrix).on(layer()).grid(2, 3).asRead()},
        {"wall with a door and a window", wall},
        {"roof with a skylight", RoofWithSkylight(layer(), 800)},
        {"deck", Deck(layer())},
        {"text", text},
        {"dimension", Make(objtype::kLengthDimension).on(layer()).line(2).with(dimension).asRead()},
        {"group", Group(layer(), {Make(9).line(3).on(layer()), Make(8).line(2).on(layer())})},
    };
    for (const auto& [what, o] : rows) {
        Objex* back = ReadObjectFrom(WrittenObject(o), layer());
        EXPECT_EQ(RemainingInput(), 0u) << what;
        ExpectSameObject(o, back, what);
    }
}

TEST_F(ObjectIOTest, DroppedObjectsLeaveTheRestReadable) {
    Objex* panel = Polygon(3);
    panel->type = objtype::kSlopeArrow;
    Objex* empty = Make(9);
    Objex* group = Make(objtype::kGroup);
    Objex* far = Polygon(3);
    far->firstPoint->position[0] = 2000000.0f;
    Objex* last = Polygon(3, 4711);
    Bytes file;
    for (Objex* o : {panel, empty, group, far, last}) file.raw(WrittenObject(o));

    EXPECT_EQ(ReadAll(file.data(), layer(), 11100), 2);
    ASSERT_EQ(CountObjects(layer()->firstObject), 2);
    // A group needs no points.
    EXPECT_EQ(std::tuple(layer()->firstObject->type, layer()->firstObject->next->subtype), std::tuple(objtype::kGroup, 4711));
    for (Objex* o : {panel, empty, group, far, last}) DeleteObj(o);
}

TEST_F(ObjectIOTest, PointCountIsWhatWasRead) {
    Objex* o = Polygon(6);
    o->rows = 2;
    auto bytes = WrittenObject(o);
    // The stored count says 5 points in 4 rows; 6 points follow.
    const long at = Find(bytes, Bytes().i16(2).i32(6).data());
    ASSERT_GE(at, 0);
    Objex* back = ReadObjectFrom(Spliced(bytes, static_cast<size_t>(at), 6, Bytes().i16(4).i32(5).data()), layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::tuple(back->pointCount, back->rows), std::tuple(6, 1));
    // Rows that divide the count stay.
    Objex* same = ReadObjectFrom(bytes, layer());
    EXPECT_EQ(std::tuple(same->pointCount, same->rows), std::tuple(6, 2));
    DeleteObj(o);
}

// Inside one section each library plant's description file is read once; every plant still
// owns its record.
TEST_F(ObjectIOTest, PlantsOfOneSectionShareTheirDescriptionRead) {
    char info[kTexturePathBufferSize] = {};
    GetTextureInfoFileNameFromID(3000, info);
    WriteFile(info, "[Description]\nCommonName=Maple\n");
    Objex* plant = Make(objtype::kPlant).line(1);
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

    Objex* plant = Make(objtype::kPlant).line(2);
    plant->firstPoint->texture1 = 3000;
    Objex* wire = Make(objtype::kPlant).line(2);
    wire->firstPoint->texture1 = 14050;
    Bytes file;
    file.raw(WrittenObject(plant, 10700)).raw(WrittenObject(wire, 10700));
    EXPECT_EQ(ReadAll(file.data(), layer(), 10700), 1);
    Objex* back = layer()->firstObject;
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->plantInfo, nullptr);
    EXPECT_STREQ(back->plantInfo->commonName, "Maple");
    EXPECT_EQ(std::tuple(back->plantInfo->annualGrowthRate, back->plantInfo->maximumGrowthHeight, back->plantInfo->zones[2]),
              std::tuple(15.0f, 24, 1));

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
    Objex* plant = Make(objtype::kPlant, objsubtype::kUserPlant).line(2);
    Make(plant).image("C:\\Old\\Disk\\CustomPlants\\Shrubs\\rose.jpg");

    const int32_t nextID = gCurrentPhotoTextureID;
    Objex* back = ReadObjectFrom(WrittenObject(plant), layer());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->typeData.kind, TypeDataKind::ImagePath);
    EXPECT_EQ(std::string(back->typeData.imagePath), folder + "/Shrubs/rose.jpg");
    ASSERT_NE(back->plantInfo, nullptr);
    EXPECT_STREQ(back->plantInfo->botanicalName, "Rosa");
    EXPECT_EQ(std::tuple(back->firstPoint->texture1, back->texture4, back->plantInfo->maximumGrowthHeight,
                         back->plantInfo->annualGrowthRate),
              std::tuple(nextID, nextID, 72, 20.0f));

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
    Objex* photo = Make(objtype::kPhoto).line(4);
    photo->texture2 = photo->texture3 = photo->texture4 = 1;
    const int32_t nextID = gCurrentPhotoTextureID;
    RebuildRecorder seen({objtype::kPhoto});
    Objex* none = ReadObjectFrom(WrittenObject(photo), layer());
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(std::tuple(none->typeData.kind, none->texture4, gCurrentPhotoTextureID), std::tuple(TypeDataKind::None, 1, nextID));

    Make(photo).image("/pics/house.png");
    const auto bytes = WrittenObject(photo);
    EXPECT_GE(Find(bytes, Bytes().text("/pics/house.png").data()), 0);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->typeData.imagePath, "/pics/house.png");
    for (int32_t t : {back->texture2, back->texture3, back->texture4, back->firstPoint->texture1,
                      back->firstPoint->next->texture2})
        EXPECT_EQ(t, nextID);
    EXPECT_EQ(gCurrentPhotoTextureID, nextID + 1);
    // Read back, the photo is asked to stand in 3D again.
    EXPECT_TRUE(seen.Rebuilt(back));
    DeleteObj(photo);
}

TEST_F(ObjectIOTest, FirstReleaseWallsTakeTheirDefaults) {
    RebuildRecorder seen({objtype::kWall});
    layer()->height = 100.0f;
    Objex* wall = TrimmedWall(layer(), 3);
    wall->params[0] = 0.0f;
    PointAt(wall, 1)->segmentValues[0] = 0.0f;
    PointAt(wall, 1)->segmentFlags = 7;
    UnlinkObject(wall);
    Objex* back = ReadObjectFrom(WrittenObject(wall, 10300), layer(), 10300);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::tuple(back->params[0], back->params[1], back->texture, back->texture3, back->auxColor.red, back->params[3]),
              std::tuple(100.0f, 16.0f, 1700, 2212, 1, 12.0f));
    const int16_t flips[3] = {0, 1, 0};
    int i = 0;
    for (Poinz* p = back->firstPoint; p; p = p->next, ++i) {
        ASSERT_TRUE(p->trim1 && p->trim2);
        EXPECT_EQ(std::tuple(p->dimensionFlipped, p->position[1], p->segmentFlags, p->segmentValues[3], p->segmentValues[4],
                             p->trim1->slot[0]),
                  std::tuple(flips[i], 0.0f, 0, 125.0f, 175.0f, 0));
    }
    EXPECT_EQ(PointAt(back, 1)->segmentValues[0], 100.0f);
    EXPECT_TRUE(seen.Rebuilt(back));
    DeleteObj(wall);
}

TEST_F(ObjectIOTest, OlderFencesTakeTheDocumentFenceSizes) {
    DocState* ds = doc->itsDocState;
    for (int i = 0; i < 5; ++i) ds->fenceSizes[i] = static_cast<float>(10 * (i + 1));
    Objex* fence = Polygon(2);
    fence->type = objtype::kFence;
    objfield::fence::kStyle(*fence) = 700;
    RebuildRecorder seen({objtype::kFence});
    Objex* back = ReadObjectFrom(WrittenObject(fence, 10750), layer(), 10750);
    ASSERT_NE(back, nullptr);
    const float expected[5] = {10, 20, 40, 30, 50};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(back->params[i], expected[i]);
    // Read, it is asked to stand in 3D.
    EXPECT_EQ(std::tuple(back->texture4, seen.Rebuilt(back)), std::tuple(2200, true));
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
    Objex* wall = TrimmedWall(layer(), 4);
    Objex* door = Opening(wall, objtype::kDoor, kCustomDoorStyle, 1);
    door->typeData.attachment->customParts[0] = Part(objtype::kOpeningMask);
    door->typeData.attachment->insideCustomTrim = 1;
    door->typeData.attachment->insideTrimProfile = Part(9);
    wall->firstPoint->trim1->slot[0] = TrimRecord::kCustomProfile;
    wall->firstPoint->trim1->profile[0] = Part(9);
    Objex* roof = RoofWithSkylight(layer(), kCustomSkylightStyle, nullptr);
    roof->firstChild->typeData.roofAttachment->partLists[0] = Part(objtype::kOpeningMask);

    for (Objex* o : {wall, roof}) {
        const auto bytes = WrittenObject(o);
        Layer* scratch = CreateLayer("scratch", 1, 1, nullptr);
        for (size_t n = 0; n < bytes.size(); ++n) {
            StartInput(Slice(bytes, 0, n), 11100);
            NextObject(scratch);
            EXPECT_TRUE(AtEndOfInput()) << n;
        }
        DeleteLayerObjects(scratch);
        delete scratch;
    }
}

TEST_F(ObjectIOTest, UnfinishedOrEndlesslyNestedPartListsEndWithTheInput) {
    // A custom window whose part list never reaches 213.
    Objex* wall = TrimmedWall(layer(), 2);
    Objex* window = Opening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    window->typeData.attachment->customParts[1] = Part(9);
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
    EXPECT_EQ(std::tuple(library->plantType, library->sunLight, library->maximumGrowthHeight, library->zones[9],
                         library->annualGrowthRate),
              std::tuple(2, 5, 180, 1, 0.0f));
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

}  // namespace io

// Text records (current and old), the dimension text of old files, and trim records with
// their profiles and material groups.
namespace texttrim {

using TextTrimRecordsTest = RecordTest;

TEST_F(TextTrimRecordsTest, TextComesBackWithItsFontOrEmptyInTheApplicationFont) {
    Objex* text = Make(objtype::kEnhancedText).on(layer()).line(4);
    auto bytes = WrittenObject(text);
    const auto head = Written([text] { WriteShort(200); WriteObjectInfo(text); WriteObjectPoints(text); });
    // Length 0, then the 60 font bytes even without a font record.
    ASSERT_EQ(bytes.size(), head.size() + 4 + 60);
    EXPECT_EQ(Slice(bytes, head.size(), 4), Bytes().i32(0).data());
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(TextOf(back), nullptr);
    EXPECT_STREQ(TextOf(back)->text, "(empty)");
    EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Arial");
    EXPECT_EQ(std::tuple(RemainingInput(), TextOf(back)->font.lfHeight), std::tuple(0u, -28));
    EXPECT_EQ(0, std::memcmp(&TextOf(back)->font, &gTextFontInfo, sizeof(LOGFONT)));

    // With words and a font; the points span 30 across and 25 down.
    PointAt(text, 2)->position[2] = 25;
    TextData* td = new TextData{};
    td->text = CopyString("Porch");
    td->font.lfHeight = -12;
    std::strcpy(td->font.lfFaceName, "Helvetica");
    td->hasFont = 1;
    Make(text).with(td);
    bytes = WrittenObject(text);
    EXPECT_GE(Find(bytes, Bytes().text("Porch").data()), 0);
    back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(TextOf(back), nullptr);
    EXPECT_STREQ(TextOf(back)->text, "Porch");
    EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Helvetica");
    EXPECT_EQ(std::tuple(TextOf(back)->font.lfHeight, TextOf(back)->boxWidth, TextOf(back)->boxHeight), std::tuple(-12, 30.0f, 25.0f));
}

TEST_F(TextTrimRecordsTest, OldTextBecomesEnhancedText) {
    struct Case {
        int16_t stored;
        int16_t code;
    };
    for (const Case c : {Case{-1, 2}, Case{1, 1}, Case{7, 0}}) {
        Bytes b;
        b.raw(ObjectHead(objtype::kOldText)).text("Hello").i32(3).raw("xyz").i16(c.stored).raw(FontRecord("Times", -20).data());
        b.i16(400);
        Objex* back = ReadObjectFrom(b.data(), layer());
        ASSERT_NE(TextOf(back), nullptr);
        EXPECT_STREQ(TextOf(back)->text, "Hello");
        EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Times");
        int16_t end = 0;
        ReadShort(&end);
        EXPECT_EQ(std::tuple(back->type, objfield::text_object::Alignment(*back), TextOf(back)->boxHeight, end),
                  std::tuple(objtype::kEnhancedText, c.code, 0.0f, 400));
    }
    // Without text: "(empty)" in the application font.
    Bytes none;
    none.raw(ObjectHead(objtype::kOldText)).i32(0).i32(0).i16(0).raw(FontRecord("Times", -20).data());
    Objex* empty = ReadObjectFrom(none.data(), layer());
    ASSERT_NE(TextOf(empty), nullptr);
    EXPECT_STREQ(TextOf(empty)->text, "(empty)");
    EXPECT_STREQ(TextOf(empty)->font.lfFaceName, "Arial");
}

TEST_F(TextTrimRecordsTest, TrimRecordsWithProfilesAndGroups) {
    TrimRecord trim;
    trim.slot[0] = TrimRecord::kCustomProfile;
    trim.profile[0] = Part(9);
    trim.slot[1] = TrimRecord::kCustomProfile;  // no profile object: stored as 0
    for (int i = 0; i < 5; ++i) {
        trim.texture[i] = 2200 + i;
        trim.color[i] = RGBColor{static_cast<uint16_t>(i), 7, 8};
        trim.scale[i][0] = 100;
        trim.scale[i][1] = static_cast<uint16_t>(50 + i);
    }
    const auto profile = WrittenObject(trim.profile[0]);
    Bytes expected;
    expected.i16(208).i32(0x10000).i16(210).raw(profile).i16(211).i32(0);
    for (int i = 0; i < 5; ++i) expected.i32(2200 + i).u16(100).u16(static_cast<uint16_t>(50 + i)).u16(static_cast<uint16_t>(i)).u16(7).u16(8);
    expected.i16(209);
    EXPECT_EQ(Written([&] { WriteTrimData(&trim); }), expected.data());

    StartInput(expected.data(), 11100);
    TrimRecord back;
    ReadTrimData(&back);
    ASSERT_NE(back.profile[0], nullptr);
    ExpectSameObject(trim.profile[0], back.profile[0], "profile");
    EXPECT_EQ(std::tuple(RemainingInput(), back.slot[0], back.profile[0]->layer, CountObjects(layer()->firstObject), back.slot[1],
                         back.profile[1], back.texture[4], back.scale[3][1]),
              std::tuple(0u, TrimRecord::kCustomProfile, nullptr, 0, 0, nullptr, 2204, 53));
    EXPECT_TRUE(back.color[2] == (RGBColor{2, 7, 8}));

    // 10800 trims have no groups: the record keeps its defaults.
    sWriteVersion = 10800;
    const auto old = Written([&] { WriteTrimData(&trim); });
    EXPECT_EQ(old.size(), expected.size() - 5 * 14);
    StartInput(old, 10800);
    TrimRecord plain;
    ReadTrimData(&plain);
    EXPECT_EQ(std::tuple(RemainingInput(), plain.texture[0]), std::tuple(0u, 0));
    ASSERT_NE(plain.profile[0], nullptr);

    // A null record writes empty slots and zero groups; read into none, profiles are dropped.
    sWriteVersion = 11100;
    EXPECT_EQ(Written([] { WriteTrimData(nullptr); }), Bytes().i16(208).i32(0).i32(0).zeros(70).i16(209).data());
    StartInput(expected.data(), 11100);
    ReadTrimData(nullptr);
    EXPECT_EQ(RemainingInput(), 0u);

    DeleteObj(trim.profile[0]);
    DeleteObj(back.profile[0]);
    DeleteObj(plain.profile[0]);
}

}  // namespace texttrim

// Attached children in files: walls with doors and windows, custom parts and trim profiles,
// the older 60-byte record, roofs with skylights, decks with steps, and skipped entries.
namespace attach {

using AttachmentRecordsTest = RecordTest;

AttachmentRecord* Record(Objex* child) { return child ? child->typeData.attachment : nullptr; }

TEST_F(AttachmentRecordsTest, PointLinksToPositionsAndBack) {
    Objex* wall = TrimmedWall(layer(), 4);
    Objex* door = Opening(wall, objtype::kDoor, 500, 1);
    AttachmentRecord* r = Record(door);
    Poinz stranger{};
    r->segmentEnd = &stranger;  // not a point of the wall: stored as 0
    WallAttachmentsHdlToIndex(door, wall);
    EXPECT_EQ(std::tuple(r->startIndex, r->endIndex), std::tuple(1, 0));
    r->endIndex = 9;  // past the points: the first point
    WallAttachmentsIndexToHdl(door, wall);
    EXPECT_EQ(std::tuple(r->segmentStart, r->segmentEnd), std::tuple(PointAt(wall, 1), wall->firstPoint));
    // Only walls and decks have point links.
    Objex* roof = Make(objtype::kRoof);
    r->startIndex = 3;
    WallAttachmentsIndexToHdl(door, roof);
    EXPECT_EQ(r->segmentStart, PointAt(wall, 1));
    DeleteObj(roof);
}

TEST_F(AttachmentRecordsTest, CustomWindowPartsTravelInsideTheRecord) {
    Objex* wall = TrimmedWall(layer(), 3);
    Objex* window = Opening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    AttachmentRecord* r = Record(window);
    r->startIndex = 0;
    r->endIndex = 1;

    // Without parts, 212 is followed by 213 straight after the fixed fields.
    auto empty = Written([r] { WriteObjectAttachment(r); });
    const size_t fixed = 2 + 2 + 4 + 4 + 20 + 12 + 1 + 4 + 6 + 4;
    ASSERT_GT(empty.size(), fixed + 4);
    EXPECT_EQ(Slice(empty, fixed, 4), Bytes().i16(212).i16(213).data());

    // A custom trim flag without its profile object is stored as 0, with no profile block.
    r->insideCustomTrim = 1;
    auto flagged = Written([r] { WriteObjectAttachment(r); });
    EXPECT_EQ(flagged, empty);
    EXPECT_EQ(Find(flagged, Bytes().i16(210).data()), -1);
    EXPECT_EQ(flagged[fixed + 4], 0);
    r->insideCustomTrim = 0;

    // Parts go to the lists by type: openings first, hardware third, anything else second.
    r->customParts[0] = Part(objtype::kOpeningMask);
    r->customParts[1] = Part(9);
    r->customParts[2] = Part(objtype::kDoorHardware);
    r->customParts[5] = Part(objtype::kWindowSeparator);
    const auto bytes = WrittenObject(wall);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(back, nullptr);
    AttachmentRecord* rb = Record(back->firstChild);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(std::tuple(CountObjects(rb->customParts[0]), CountObjects(rb->customParts[1]), CountObjects(rb->customParts[2])),
              std::tuple(1, 2, 1));
    EXPECT_EQ(std::tuple(rb->customParts[5], rb->customParts[1]->next->type, rb->customParts[0]->parent),
              std::tuple(nullptr, objtype::kWindowSeparator, back->firstChild));
    EXPECT_EQ(rb->customParts[0]->layer, nullptr);
    EXPECT_EQ(CountObjects(layer()->firstObject), 2);  // parts stay off the layer
}

TEST_F(AttachmentRecordsTest, CopyBufferSelectsPartsJustWhileTheyAreWritten) {
    Objex* wall = TrimmedWall(layer(), 3);
    Objex* window = Opening(wall, objtype::kWindow, kCustomWindowStyle, 0);
    Objex* part = Part(objtype::kOpeningMask);
    Record(window)->customParts[0] = part;
    for (Poinz* p = wall->firstPoint; p; p = p->next) p->selected = 1;

    gUseScrap = 1;
    gScrapIndex = 0;
    WriteAnObject(wall);
    const std::vector<uint8_t> scrap(gPrivateScrap.begin(), gPrivateScrap.begin() + gScrapIndex);
    gUseScrap = 0;
    EXPECT_FALSE(IsObjectSelected(part));
    // The part's record (tag 200 and its type) is inside.
    EXPECT_GE(Find(scrap, Bytes().i16(212).i16(200).i16(objtype::kOpeningMask).data()), 0);

    // Reading the copy buffer keeps fresh IDs.
    gUseScrap = 1;
    gPrivateScrap = scrap;
    gScrapIndex = 0;
    Objex* pasted = NextObject(layer());
    gUseScrap = 0;
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->objectID, wall->objectID);
    EXPECT_EQ(CountObjects(Record(pasted->firstChild)->customParts[0]), 1);
}

TEST_F(AttachmentRecordsTest, TrimPaletteLinksAreResolvedBelow11000) {
    PaletteList* texture = GetPaletteEntryFromRefID(2);
    texture->kind = kPaletteTexture;
    texture->textureID = 1158;
    texture->textureScale[0] = 60, texture->textureScale[1] = 70;
    Objex* wall = TrimmedWall(layer(), 2);
    AttachmentRecord* r = Record(Opening(wall, objtype::kDoor, 500, 0));
    r->insideTrimTexture = -1002;

    sWriteVersion = 11100;
    auto kept = Written([r] { WriteObjectAttachment(r); });
    EXPECT_GE(Find(kept, Bytes().u8(0).i32(-1002).data()), 0);
    EXPECT_EQ(r->insideTrimScale[0], 100);

    sWriteVersion = 10900;
    auto resolved = Written([r] { WriteObjectAttachment(r); });
    EXPECT_GE(Find(resolved, Bytes().u8(0).i32(1158).i16(60).i16(70).u16(65535).u16(65535).u16(65535).data()), 0);
    EXPECT_EQ(std::tuple(r->insideTrimTexture, r->insideTrimScale[0], r->insideTrimScale[1], r->outsideTrimTexture),
              std::tuple(-1002, 60, 70, 2219));
    EXPECT_TRUE(r->insideTrimColor == (RGBColor{65535, 65535, 65535}));
}

TEST_F(AttachmentRecordsTest, OldRecordsAreSixtyLittleEndianBytes) {
    Bytes b;
    b.le16(16).le16(501).le16(1).le16(0).le16(2).le16(0);
    for (float f : {10.0f, 20.0f, 30.0f, 80.0f, 2.0f}) b.lef32(f);
    b.le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA).le16(0xAAAA);  // links
    b.u8(1).u8(0).lef32(1.5f).le16(4).le16(1).le16(99).lef32(3.0f);
    ASSERT_EQ(b.size(), 60u);

    Objex* door = Make(objtype::kDoor);
    door->texture = 1234;
    door->textureScales[4] = ShortPoint{80, 90};
    door->penColor = RGBColor{1, 2, 3};
    AttachmentRecord r;
    StartInput(b.data(), 10700);
    ReadObjectAttachment75(&r, door);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(std::tuple(r.ownerType, r.style, r.startIndex, r.endIndex, r.height, r.sideFlag, r.swingOrOffset,
                         r.directionFlag, r.frameFlag, r.reserved, r.trimWidth),
              std::tuple(16, 501, 1, 2, 80.0f, 1, 1.5f, 4, 1, 0, 3.0f));
    EXPECT_EQ(r.generatedParts, nullptr);
    // Both trims take the door's texture, scale and pen colour.
    EXPECT_EQ(std::tuple(r.insideTrimTexture, r.outsideTrimTexture, r.insideTrimScale[1], r.outsideTrimScale[0]),
              std::tuple(1234, 1234, 90, 80));
    EXPECT_TRUE(r.insideTrimColor == (RGBColor{1, 2, 3}) && r.outsideTrimColor == (RGBColor{1, 2, 3}));

    // Written back: the links and the third value are zero.
    std::vector<uint8_t> expected = b.data();
    std::fill(expected.begin() + 32, expected.begin() + 44, 0);
    expected[54] = expected[55] = 0;
    EXPECT_EQ(Written([&] { WriteObjectAttachment75(&r); }), expected);
    DeleteObj(door);

    // A whole wall at 10700 uses the old record.
    Objex* wall = TrimmedWall(layer(), 4);
    Opening(wall, objtype::kWindow, 600, 1);
    Objex* back = ReadObjectFrom(WrittenObject(wall, 10700), layer(), 10700);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(Record(back->firstChild)->segmentStart, PointAt(back, 1));
    EXPECT_EQ(Record(back->firstChild)->width, 30.0f);
}

TEST_F(AttachmentRecordsTest, DecksKeepTheirStepsWithoutLinks) {
    Objex* deck = Deck(layer());
    AddDeckSteps(deck, PointAt(deck, 1), PointAt(deck, 2));
    ASSERT_NE(deck->firstChild, nullptr);
    AttachmentRecord* r = Record(deck->firstChild);
    r->customParts[3] = Part(9);  // a step carries no parts in a file

    Objex* back = ReadObjectFrom(WrittenObject(deck), layer());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    AttachmentRecord* rb = Record(back->firstChild);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(std::tuple(rb->segmentStart, rb->segmentEnd, rb->width, rb->customParts[3], DeckStepLeftHandrail(rb),
                         back->firstChild->type),
              std::tuple(PointAt(back, 1), PointAt(back, 2), r->width, nullptr, 1, objtype::kDeckSteps));
}

TEST_F(AttachmentRecordsTest, TailsOfOlderVersionsAndWrongTags) {
    // A roof at 10800 has no tail; the next record follows.
    Objex* roof = RoofWithSkylight(layer(), 800, nullptr);
    Objex* after = Make(9).on(layer()).line(2);
    after->subtype = 99;
    Bytes file;
    file.raw(WrittenObject(roof, 10800)).raw(WrittenObject(after, 10800));
    StartInput(file.data(), 10800);
    Objex* roofBack = NextObject(layer());
    ASSERT_NE(roofBack, nullptr);
    EXPECT_EQ(roofBack->firstChild, nullptr);
    Objex* next = NextObject(layer());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->subtype, 99);

    // Under a deck, a wall child's tag (201) is skipped without reading anything more.
    Objex* deck = Deck(layer());
    AddDeckSteps(deck, PointAt(deck, 0), PointAt(deck, 1));
    const auto head = Written([deck] { WriteShort(200); WriteObjectInfo(deck); WriteObjectPoints(deck); });
    auto whole = WrittenObject(deck);
    ASSERT_EQ(Slice(whole, head.size(), 4), Bytes().i32(1).data());
    Objex* deckBack = ReadObjectFrom(Spliced(whole, head.size(), 4, Bytes().i32(2).i16(201).data()), layer());
    ASSERT_NE(deckBack, nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(CountObjects(deckBack->firstChild), 1);
    EXPECT_EQ(deckBack->firstChild->type, objtype::kDeckSteps);
}

}  // namespace attach

// Points, rectangles and fonts between the Windows records and the platform's, images as the
// texture loader takes them, and the plan's paper size.
namespace windows {

using WindowsRecordsTest = RecordTest;

TEST_F(WindowsRecordsTest, PointsAndRectanglesTruncateTowardZeroWithinRange) {
    PlatformRect r{-1.7f, 2.4f, 1.0f, 0.2f};
    RECT out{9, 9, 9, 9};
    ConvertNSRectToRECT(&out, &r);
    // -1.2, -0.2, 2.9 and 3.1 truncated.
    EXPECT_EQ(std::tuple(out.left, out.right, out.top, out.bottom), std::tuple(-1, 0, 2, 3));
    ConvertNSRectToRECT(&out, nullptr);
    EXPECT_EQ(out.left | out.top | out.right | out.bottom, 0);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    PlatformRect wild{1e20f, -1e20f, nan, 0.0f};
    ConvertNSRectToRECT(&out, &wild);
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(std::tuple(out.left, out.top, out.right), std::tuple(kMax, kMin, 0));

    PlatformPoint p{2.9f, -2.9f};
    const POINT q = ConvertNSPointToPOINT(&p);
    EXPECT_EQ(std::tuple(q.x, q.y), std::tuple(2, -2));
    PlatformPoint far{-1e12f, nan};
    EXPECT_EQ(std::tuple(ConvertNSPointToPOINT(&far).x, ConvertNSPointToPOINT(&far).y), std::tuple(kMin, 0));
    EXPECT_EQ(ConvertNSPointToPOINT(nullptr).x, 0);

    PlatformRect spanned;
    ConvertCoordsToNSRect(&spanned, 10, 5, 2, 8);
    EXPECT_EQ(std::tuple(spanned.x, spanned.y, spanned.width, spanned.height), std::tuple(2.0f, 5.0f, 8.0f, 3.0f));

    RECT box{-3, 4, 7, 10};
    InflateRect(&box, 2, -1);
    PlatformRect back;
    EXPECT_EQ(ConvertRECTToNSRect(&back, &box), &back);
    EXPECT_EQ(std::tuple(back.x, back.y, back.width, back.height), std::tuple(-5.0f, 5.0f, 14.0f, 4.0f));
    // Sides stop at the ends of the range instead of wrapping round.
    RECT edge{std::numeric_limits<int32_t>::min() + 1, 0, 0, 0};
    InflateRect(&edge, 5, 0);
    EXPECT_EQ(edge.left, kMin);
}

TEST_F(WindowsRecordsTest, FontsToThePlatformAndBack) {
    LOGFONT lf;
    float size = -1;
    int traits = 0;
    lf.lfHeight = -16;
    lf.lfWeight = 800;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    EXPECT_EQ(std::tuple(size, traits), std::tuple(16.0f, 0));  // only 700 is bold
    lf.lfHeight = 16;
    lf.lfWeight = 700;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    EXPECT_EQ(std::tuple(size, traits), std::tuple(12.0f, int{port::kBoldTrait}));
    lf.lfHeight = 0;
    lf.lfWeight = 400;
    lf.lfItalic = 1;
    ConvertWin32FontInfoToApple(&lf, &size, &traits);
    // Traits are added, never cleared.
    EXPECT_EQ(std::tuple(size, traits), std::tuple(0.0f, port::kBoldTrait | port::kItalicTrait));

    port::FontDescriptor font;
    font.family = std::string(40, 'W');
    font.pointSize = 10.7f;
    font.traits = port::kItalicTrait;
    LOGFONT out;
    out.lfWeight = 700;
    std::memset(out.lfFaceName, 'x', sizeof out.lfFaceName);
    out.lfUnderline = 1;
    out.lfStrikeOut = 1;
    ConvertAppleFontToWin32FontInfo(&font, &out);
    // Underline and strike-out are kept.
    EXPECT_EQ(std::tuple(out.lfHeight, out.lfWeight, out.lfItalic, out.lfUnderline + out.lfStrikeOut, out.lfPitchAndFamily),
              std::tuple(-10, 0, 1, 2, 0x34));
    EXPECT_EQ(std::string(out.lfFaceName), std::string(31, 'W'));

    // 8-bit text in the record: "é" is one Mac OS Roman byte.
    font.family = "Caf\xC3\xA9";
    font.traits = port::kBoldTrait;
    font.pointSize = std::numeric_limits<float>::infinity();
    ConvertAppleFontToWin32FontInfo(&font, &out);
    EXPECT_STREQ(out.lfFaceName, "Caf\x8E");
    EXPECT_EQ(std::tuple(out.lfWeight, out.lfItalic, out.lfHeight), std::tuple(700, 0, std::numeric_limits<int32_t>::min()));
}

TEST_F(WindowsRecordsTest, ImagesComeAsBottomUpRGBOrNotAtAll) {
    FakeImageDecoder decoder;
    port::setImageDecoder(&decoder);
    port::DecodedImage good;
    good.width = 2;
    good.height = 1;
    good.rgb = {1, 2, 3, 4, 5, 6};
    decoder.add("/img/good.png", good);
    port::DecodedImage cut = good;
    cut.height = 2;
    decoder.add("/img/short.png", cut);

    const auto image = ApplePortDIBImageLoad("/img/good.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::tuple(image->width, image->height, image->pixels), std::tuple(2, 1, good.rgb));
    // A decoder's buffer that does not fit its size is never handed on.
    EXPECT_EQ(ApplePortDIBImageLoad("/img/short.png"), nullptr);
    EXPECT_EQ(ApplePortDIBImageLoad("/img/missing.png"), nullptr);
    EXPECT_EQ(ApplePortDIBImageLoad(nullptr), nullptr);
    port::setImageDecoder(nullptr);
}

TEST_F(WindowsRecordsTest, PaperIsTheProjectedLotAndAZoomedMargin) {
    DocState* ds = CurrentDocState();
    ds->zoomFactor = 0.6f;
    float width = 0, height = 0;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    // The default lot is 4800 square; the margin 100 x 0.6.
    EXPECT_NEAR(width, 4800 * 0.6f + 60, 1e-2f);
    EXPECT_NEAR(height, 4800 * 0.6f + 60, 1e-2f);

    ds->lotRect = FloatRect{0, 0, 1000, 3000};
    ds->zoomFactor = 1.0f;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    EXPECT_NEAR(width, 3100, 1e-2f);
    EXPECT_NEAR(height, 1100, 1e-2f);

    doc->dealloc();
    doc = nullptr;
    width = height = -7;
    GetAdjustedPaperWidthAndHeight(&width, &height);
    EXPECT_EQ(std::tuple(width, height), std::tuple(-7, -7));
}

}  // namespace windows
