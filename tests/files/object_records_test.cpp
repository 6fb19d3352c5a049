// Object info and point lists by file version, texture IDs, stored IDs, the palette rule of
// the writers and the repairs older files need.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/record_fixtures.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "render/core/custom_textures.h"
#include "support/fixture.h"
#include "support/model_builders.h"

using namespace dvxtest;

namespace {

class ObjectRecordsTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }
    DocState* ds() { return doc->itsDocState; }
    Objex* Fresh() { return NewObject(0); }
};

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

void ExpectCommonItems(const Objex* o) {
    EXPECT_EQ(o->closed, 1);
    EXPECT_EQ(o->visible, 0);
    EXPECT_EQ(o->fillColor, (RGBColor{1, 2, 3}));
    EXPECT_EQ(o->auxColor, (RGBColor{4, 5, 6}));
    EXPECT_EQ(o->penColor, (RGBColor{7, 8, 9}));
    EXPECT_EQ(o->penWidth, 2.5f);
    EXPECT_EQ(o->penStyle, 3);
    EXPECT_EQ(o->fillPattern, 4);
    EXPECT_EQ(o->flagA, 1);
    EXPECT_EQ(o->elevationMode, 2);
    EXPECT_EQ(o->textureFaceRect.floatTop, 1.0f);
    EXPECT_EQ(o->textureFaceRect.floatRight, 4.0f);
    EXPECT_EQ(o->textureFaceRect2.floatRight, 8.0f);
    EXPECT_EQ(o->faceAxis, 3);
    EXPECT_EQ(o->plantAge, 1.5f);
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
    Bytes b;
    b.i16(9);
    CommonItems(b);
    b.i32(-1).i32(8).raw("wood.jpg");
    FaceItems(b);
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
    EXPECT_EQ(o->subtype, 77);
    EXPECT_EQ(o->texture2, 2213);
    EXPECT_EQ(o->texture3, 2212);
    EXPECT_EQ(o->color2, (RGBColor{10, 11, 12}));
    EXPECT_EQ(o->color3, (RGBColor{13, 14, 15}));
    EXPECT_EQ(o->elevation, 48.0f);
    EXPECT_EQ(o->onTerrain, 1);
    EXPECT_EQ(o->texture4, 850);
    EXPECT_EQ(o->color4, (RGBColor{16, 17, 18}));
    EXPECT_STREQ(GetCustomTextureIDPath(o->texture5), "tile");
    EXPECT_EQ(o->color5, (RGBColor{19, 20, 21}));
    EXPECT_EQ(o->textureScales[0].x, 101);
    EXPECT_EQ(o->textureScales[4].y, 110);
    EXPECT_EQ(o->planBits, 2);
    EXPECT_EQ(o->params[4], 4.5f);
    EXPECT_EQ(o->optionA, 7);
    EXPECT_EQ(o->optionB, 8);
    EXPECT_STREQ(o->text, "hi");
    // The stored ID replaces the fresh one, which goes back to the counter.
    EXPECT_EQ(o->objectID, 4242u);
    EXPECT_EQ(ds()->nextObjectID, before);
    DeleteObj(o);
}

TEST_F(ObjectRecordsTest, OlderObjectInfoLayouts) {
    // 10800: custom texture encoding and text, no group kind for a non-group.
    {
        Bytes b;
        b.i16(9);
        CommonItems(b);
        b.i32(-1).i32(3).raw("a.j");
        FaceItems(b);
        b.i32(5).i32(1).i32(2).zeros(12).f32(0).u8(0).i32(3).zeros(6).i32(4).zeros(6).zeros(20).i32(2).zeros(20).i32(0).i32(0);
        b.text("note").i32(31);
        StartInput(b.data(), 10800);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_STREQ(GetCustomTextureIDPath(o->texture), "a.j");
        EXPECT_EQ(o->texture5, 4);
        EXPECT_STREQ(o->text, "note");
        EXPECT_EQ(o->objectID, 31u);
        DeleteObj(o);
    }
    // 10700: a group carries its kind after the type; textures are plain; no text.
    {
        Bytes b;
        b.i16(1000).i32(123);
        CommonItems(b);
        b.i32(1700);
        FaceItems(b);
        b.i32(0).i32(0).i32(0).zeros(12).f32(12.0f).u8(1).i32(0).zeros(6).i32(0).zeros(6).zeros(20).i32(64).zeros(20).i32(1).i32(2);
        b.i32(55);
        StartInput(b.data(), 10700);
        ds()->nextObjectID = 100;  // 55 is then free and below the counter: it is kept
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_EQ(o->type, objtype::kGroup);
        EXPECT_EQ(o->groupKind, 123);
        EXPECT_EQ(o->texture, 1700);
        EXPECT_EQ(o->elevation, 12.0f);
        EXPECT_EQ(o->planBits, 64);
        EXPECT_EQ(o->objectID, 55u);
        EXPECT_EQ(ds()->nextObjectID, 100u);
        DeleteObj(o);
    }
    // 10450: the full layout with plain textures, no stored ID; textured colours are kept.
    {
        const uint32_t before = ds()->nextObjectID;
        Bytes b;
        b.i16(9);
        CommonItems(b);
        b.i32(-1);
        FaceItems(b);
        b.i32(0).i32(2213).i32(0).u16(1).u16(2).u16(3).zeros(6).f32(0).u8(0).i32(0).zeros(6).i32(0).zeros(6).zeros(20);
        b.i32(2).zeros(20).i32(0).i32(0);
        StartInput(b.data(), 10450);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_EQ(o->texture, -1);
        EXPECT_EQ(o->color2, (RGBColor{1, 2, 3}));
        EXPECT_EQ(o->objectID, before);
        EXPECT_EQ(ds()->nextObjectID, before + 1);
        DeleteObj(o);
    }
    // 10300: subtype, two slots, four params and options; no elevation or plan bits in the
    // file, so a deck gets the deck plan; a second slot with a texture turns white.
    {
        Bytes b;
        b.i16(51);
        CommonItems(b);
        b.i32(2300);
        FaceItems(b);
        b.i32(9).i32(1301).i32(0).u16(1).u16(2).u16(3).u16(4).u16(5).u16(6);
        b.f32(1).f32(2).f32(3).f32(4).i32(5).i32(6);
        StartInput(b.data(), 10300);
        Objex* o = Fresh();
        o->elevation = 33;
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        EXPECT_EQ(o->subtype, 9);
        EXPECT_EQ(o->params[3], 4.0f);
        EXPECT_EQ(o->params[4], 0.0f);
        EXPECT_EQ(o->optionB, 6);
        EXPECT_EQ(o->color2, (RGBColor{65535, 65535, 65535}));
        EXPECT_EQ(o->color3, (RGBColor{4, 5, 6}));
        EXPECT_EQ(o->elevation, 0.0f);
        EXPECT_EQ(o->planBits, 64);
        DeleteObj(o);
    }
    // 10000: only the shared items; a roof goes on the roof plan.
    {
        Bytes b;
        b.i16(14);
        CommonItems(b);
        b.i32(1500);
        FaceItems(b);
        StartInput(b.data(), 10000);
        Objex* o = Fresh();
        ReadObjectInfo(o);
        EXPECT_EQ(RemainingInput(), 0u);
        ExpectCommonItems(o);
        EXPECT_EQ(o->texture, 1500);
        EXPECT_EQ(o->planBits, 16);
        DeleteObj(o);
    }
}

TEST_F(ObjectRecordsTest, OnlyGroupsCarryTheirKindAndOnlyFrom10700) {
    Objex* group = NewObject(objtype::kGroup);
    group->groupKind = 117;
    Objex* plain = NewObject(9);
    plain->groupKind = 117;
    auto head = [](Objex* o, int32_t version) {
        sWriteVersion = version;
        auto bytes = Written([o] { WriteObjectInfo(o); });
        return std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6);
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
    EXPECT_EQ(restored->firstPoint->pointID, 500u);
    EXPECT_EQ(restored->firstPoint->next->pointID, 501u);
    EXPECT_EQ(restored->firstPoint->next->position[0], 6.0f);
    EXPECT_EQ(ds()->nextPointID, points);

    // 10450 points carry no ID: they keep the fresh ones and the counter moves on.
    Bytes old;
    old.i32(2);
    Point10500(old, 5, 0);
    Point10500(old, 6, 0);
    StartInput(old.data(), 10450);
    Objex* fresh = Fresh();
    ReadObjectPoints(fresh);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(fresh->firstPoint->pointID, points);
    EXPECT_EQ(fresh->firstPoint->next->pointID, points + 1);
    EXPECT_EQ(ds()->nextPointID, points + 2);
    EXPECT_EQ(ds()->nextObjectID, objects + 2);

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
    Objex* existing = NewObjectOn(layer(), 9);
    const uint32_t taken = existing->objectID;
    Bytes b;
    b.i16(9);
    CommonItems(b);
    b.i32(0);
    FaceItems(b);
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

    Objex* o = NewObject(9);
    o->texture = -1001;
    o->texture2 = -1002;
    AddPoints(o, 1);
    o->firstPoint->texture1 = -1002;

    // At 11100 links are stored as they are and the object is not touched.
    sWriteVersion = 11100;
    Written([o] { WriteObjectInfo(o); WriteObjectPoints(o); });
    EXPECT_EQ(o->fillColor, (RGBColor{}));
    EXPECT_EQ(o->textureScales[0].x, 100);

    sWriteVersion = 10900;
    const auto bytes = Written([o] { WriteObjectInfo(o); WriteObjectPoints(o); });
    EXPECT_EQ(o->fillColor, (RGBColor{2570, 5140, 7710}));
    EXPECT_EQ(o->penColor, (RGBColor{2570, 5140, 7710}));
    EXPECT_EQ(o->textureScales[4].x, 40);
    EXPECT_EQ(o->textureScales[4].y, 250);
    EXPECT_EQ(o->color2, (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(o->textureScales[0].x, 60);
    EXPECT_EQ(o->textureScales[0].y, 70);
    EXPECT_EQ(o->firstPoint->faceScale1.x, 60);
    EXPECT_EQ(o->texture, -1001);  // the link itself stays

    StartInput(bytes, 10900);
    Objex* back = Fresh();
    ReadObjectInfo(back);
    ReadObjectPoints(back);
    EXPECT_EQ(back->texture, 0);  // a colour entry has no texture
    EXPECT_EQ(back->texture2, 1158);
    EXPECT_EQ(back->firstPoint->texture1, 1158);
    DeleteObj(o);
    DeleteObj(back);
}

TEST_F(ObjectRecordsTest, PointColoursAreLittleEndianBothWays) {
    Objex* wall = MakeWall(layer(), 2);
    const auto bytes = Written([wall] { WriteObjectPoints(wall); });
    EXPECT_GE(Find(bytes, {0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 0xB2, 0xA1, 0xD4, 0xC3, 0xF6, 0xE5}), 0);
    StartInput(bytes, 11100);
    Objex* back = NewObject(objtype::kWall);
    ReadObjectPoints(back);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(back->firstPoint->color1, (RGBColor{0x0102, 0x0304, 0x0506}));
    EXPECT_EQ(back->firstPoint->color2, (RGBColor{0xA1B2, 0xC3D4, 0xE5F6}));
    DeleteObj(back);
}

TEST_F(ObjectRecordsTest, PointValueLimits) {
    Objex* o = NewObject(9);
    AddPoints(o, 3);
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

    Objex* floor = NewObject(objtype::kFloor);
    AddPoints(floor, 2);
    EXPECT_TRUE(IsObjectPointValuesInvalid(floor));
    AddPoints(floor, 1);
    EXPECT_FALSE(IsObjectPointValuesInvalid(floor));
    Objex* line = NewObject(objtype::kLine);
    AddPoints(line, 2);
    EXPECT_FALSE(IsObjectPointValuesInvalid(line));
    DeleteObj(o);
    DeleteObj(floor);
    DeleteObj(line);
}

// A damaged file whose door (inside a wall) stores the largest point count: its count starts
// from the points actually read, as a top-level object's does (it used to overflow).
TEST_F(ObjectRecordsTest, ChildPointCountsStartFromThePointsRead) {
    Objex* wall = MakeWall(layer(), 3);
    AddOpening(wall, objtype::kDoor, 500, 0);
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
    Objex* wall = MakeWall(layer(), 3);
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
            EXPECT_EQ(t->texture[0], 2213);
            EXPECT_EQ(t->texture[1], 1801);
            EXPECT_EQ(t->texture[2], 2213);
            EXPECT_EQ(t->texture[3], 2212);
            EXPECT_EQ(t->texture[4], 850);
            EXPECT_EQ(t->color[1], (RGBColor{31, 32, 33}));
            EXPECT_EQ(t->scale[3][0], 101);
            EXPECT_EQ(t->scale[3][1], 51);
        }
    // Older files: slot 4, the standard trim 2213 in white at 100 %, then slots 2, 3 and 5.
    Objex* w10700 = readAt(10700);
    TrimRecord* t = w10700->firstPoint->trim2;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->texture[0], 1801);
    EXPECT_EQ(t->texture[1], 2213);
    EXPECT_EQ(t->color[1], (RGBColor{65535, 65535, 65535}));
    EXPECT_EQ(t->scale[1][1], 100);
    EXPECT_EQ(t->texture[2], 2213);
    EXPECT_EQ(t->texture[3], 2212);
    EXPECT_EQ(t->texture[4], 850);
    // From 10900 the trims keep what they stored.
    Objex* w10900 = readAt(10900);
    EXPECT_EQ(w10900->firstPoint->trim1->texture[0], wall->firstPoint->trim1->texture[0]);
    DeleteObj(w10800);
    DeleteObj(w10700);
    DeleteObj(w10900);
}

TEST_F(ObjectRecordsTest, Version10350DeckEdgesAddTheirSteps) {
    ASSERT_EQ(ds()->planScale, 36.0f);
    Objex* deck = MakeDeck(layer());
    Poinz* p0 = deck->firstPoint;
    Poinz* p3 = p0->next->next->next;
    p0->segmentFlags = 2 | 8;
    p0->segmentValues[1] = 60.0f;  // step width, inches
    p0->segmentValues[2] = 24.0f;  // total step height
    p3->segmentFlags = 2 | 16;
    p3->segmentValues[1] = 36.0f;
    p3->segmentValues[2] = 12.0f;
    Objex* after = NewObjectOn(layer(), 9);
    AddPoints(after, 2);
    after->subtype = 4711;

    sWriteVersion = 10350;
    Bytes file;
    file.raw(WrittenObject(deck, 10350)).raw(WrittenObject(after, 10350));
    StartInput(file.data(), 10350);
    int16_t tag = 0;
    ReadShort(&tag);
    Objex* back = ReadAnObject(layer(), 1);
    ASSERT_NE(back, nullptr);
    // The edge from the first point and the closing edge from the last point.
    ASSERT_EQ(CountObjects(back->firstChild), 2);
    const AttachmentRecord* first = back->firstChild->typeData.attachment;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width, 120.0f);   // 60 in at 36 in to the paper inch, 72 units an inch
    EXPECT_EQ(first->height, 48.0f);
    EXPECT_EQ(first->directionFlag, 1);
    EXPECT_EQ(first->frameFlag, 0);
    EXPECT_EQ(first->segmentStart, back->firstPoint);
    const AttachmentRecord* closing = back->firstChild->next->typeData.attachment;
    EXPECT_EQ(closing->width, 72.0f);
    EXPECT_EQ(closing->height, 24.0f);
    EXPECT_EQ(closing->frameFlag, 1);
    EXPECT_EQ(closing->segmentEnd, back->firstPoint);

    // A 10350 deck has no tail: the next record follows at once.
    ReadShort(&tag);
    EXPECT_EQ(tag, 200);
    Objex* next = ReadAnObject(layer(), 1);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->subtype, 4711);
    EXPECT_EQ(RemainingInput(), 0u);
}

TEST_F(ObjectRecordsTest, CabinetFilesMakeCabinetPartsAndFoldTheirElevation) {
    Objex* cabinet = NewObjectOn(layer(), objtype::kGroup);
    cabinet->planBits = 512;
    Objex* box = NewObjectOn(layer(), 9);
    AddPoints(box, 3);
    Objex* fentrix = NewObjectOn(layer(), objtype::kFentrix);
    AddPoints(fentrix, 3);
    Bytes file;
    file.raw(WrittenObject(box)).raw(WrittenObject(fentrix));

    gCabinetOpen = 1;
    gCabinetObject = cabinet;
    StartInput(file.data(), 11100);
    int16_t tag = 0;
    ReadShort(&tag);
    Objex* part = ReadAnObject(layer(), 1);
    ReadShort(&tag);
    Objex* kept = ReadAnObject(layer(), 1);
    gCabinetOpen = 0;
    gCabinetObject = nullptr;
    ASSERT_TRUE(part && kept);
    EXPECT_EQ(part->type, objtype::kCabinetPart);
    EXPECT_EQ(part->planBits, 512);
    EXPECT_EQ(kept->type, objtype::kFentrix);

    // Selected cabinet parts, also inside a group: 36 in of elevation is 72 plan units.
    part->elevation = 36.0f;
    UnlinkObject(part);
    AppendChildToObject(part, cabinet);
    for (Poinz* p = part->firstPoint; p; p = p->next) p->selected = 1;
    const float v = part->firstPoint->position[1];
    AdjustCabinetObjectElevation();
    EXPECT_EQ(part->firstPoint->position[1], v - 72.0f);
    EXPECT_EQ(part->elevation, 0.0f);
}

}  // namespace
