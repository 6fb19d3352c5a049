// Text records (current and old), the dimension text of old files, and trim records with
// their profiles and material groups.
#include <gtest/gtest.h>

#include <cstring>

#include "files/object_io.h"
#include "files/object_records.h"
#include "support/records.h"
#include "files/streams.h"
#include "files/text_trim_records.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/tool_defaults.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class TextTrimRecordsTest : public DocumentTest {
protected:
    Layer* layer() { return doc->itsCurLayer; }

    // An object of the type with four points, its info and points written at 11100.
    std::vector<uint8_t> HeadOf(int16_t type, int32_t subtype = 0) {
        Objex* o = Make(type, subtype).line(4);
        PointAt(o, 2)->position[2] = 30;
        auto bytes = Written([o] { WriteShort(200); WriteObjectInfo(o); WriteObjectPoints(o); });
        DeleteObj(o);
        return bytes;
    }
};

Bytes Font(const char* face, int32_t height) {
    Bytes b;
    b.le16(static_cast<uint16_t>(height)).le16(static_cast<uint16_t>(height >> 16)).zeros(16);
    b.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(34);
    std::string name(face);
    name.resize(32, '\0');
    return b.raw(name);
}

const TextData* TextOf(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Text ? o->typeData.text : nullptr;
}

TEST_F(TextTrimRecordsTest, EmptyTextReadsAsEmptyInTheApplicationFont) {
    Objex* text = Make(objtype::kEnhancedText).on(layer()).line(4);
    const auto bytes = WrittenObject(text);
    const auto head = Written([text] { WriteShort(200); WriteObjectInfo(text); WriteObjectPoints(text); });
    // Length 0, then the 60 font bytes even without a font record.
    ASSERT_EQ(bytes.size(), head.size() + 4 + 60);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + static_cast<long>(head.size()), bytes.begin() + static_cast<long>(head.size()) + 4),
              Bytes().i32(0).data());

    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(TextOf(back), nullptr);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_STREQ(TextOf(back)->text, "(empty)");
    EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Arial");
    EXPECT_EQ(TextOf(back)->font.lfHeight, -28);
    EXPECT_EQ(0, std::memcmp(&TextOf(back)->font, &gTextFontInfo, sizeof(LOGFONT)));
}

TEST_F(TextTrimRecordsTest, TextWithItsFontComesBackAndSizesItsBox) {
    Objex* text = Make(objtype::kEnhancedText).on(layer()).line(4);
    PointAt(text, 2)->position[2] = 25;  // points span 30 across and 25 down
    TextData* td = new TextData{};
    td->text = CopyString("Porch");
    td->font.lfHeight = -12;
    std::strcpy(td->font.lfFaceName, "Helvetica");
    td->hasFont = 1;
    Make(text).with(td);

    const auto bytes = WrittenObject(text);
    EXPECT_GE(Find(bytes, Bytes().text("Porch").data()), 0);
    Objex* back = ReadObjectFrom(bytes, layer());
    ASSERT_NE(TextOf(back), nullptr);
    EXPECT_STREQ(TextOf(back)->text, "Porch");
    EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Helvetica");
    EXPECT_EQ(TextOf(back)->font.lfHeight, -12);
    EXPECT_EQ(TextOf(back)->boxWidth, 30.0f);
    EXPECT_EQ(TextOf(back)->boxHeight, 25.0f);
}

TEST_F(TextTrimRecordsTest, OldTextBecomesEnhancedText) {
    struct Case {
        int16_t stored;
        int16_t code;
    };
    for (const Case c : {Case{-1, 2}, Case{1, 1}, Case{7, 0}}) {
        Bytes b;
        b.raw(HeadOf(objtype::kOldText)).text("Hello").i32(3).raw("xyz").i16(c.stored).raw(Font("Times", -20).data());
        b.i16(400);
        Objex* back = ReadObjectFrom(b.data(), layer());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->type, objtype::kEnhancedText);
        ASSERT_NE(TextOf(back), nullptr);
        EXPECT_STREQ(TextOf(back)->text, "Hello");
        EXPECT_EQ(TextOf(back)->alignment, c.code);
        EXPECT_STREQ(TextOf(back)->font.lfFaceName, "Times");
        EXPECT_EQ(TextOf(back)->boxHeight, 0.0f);
        int16_t end = 0;
        ReadShort(&end);
        EXPECT_EQ(end, 400);
    }
    // Without text: "(empty)" in the application font.
    Bytes none;
    none.raw(HeadOf(objtype::kOldText)).i32(0).i32(0).i16(0).raw(Font("Times", -20).data());
    Objex* empty = ReadObjectFrom(none.data(), layer());
    ASSERT_NE(TextOf(empty), nullptr);
    EXPECT_STREQ(TextOf(empty)->text, "(empty)");
    EXPECT_STREQ(TextOf(empty)->font.lfFaceName, "Arial");
}

TEST_F(TextTrimRecordsTest, OldDimensionTextIsGroupedWithItsDimension) {
    Bytes b;
    b.raw(HeadOf(objtype::kDimensionFirst, 0));
    const auto textHead = HeadOf(objtype::kDimensionText);
    b.i16(300).raw(std::vector<uint8_t>(textHead.begin() + 2, textHead.end()));
    b.i16(3).i16(12).u8(1).raw(Font("Geneva", -9).data());
    b.i32(5).f32(1.0f).f32(2.0f).i16(400);

    Objex* dimension = ReadObjectFrom(b.data(), layer());
    ASSERT_NE(dimension, nullptr);
    int16_t end = 0;
    ReadShort(&end);
    EXPECT_EQ(end, 400);
    EXPECT_EQ(dimension->subtype, dimension->type);
    // The dimension and its text now form a group on the layer.
    Objex* group = dimension->parent;
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->type, objtype::kGroup);
    EXPECT_EQ(group->layer, layer());
    ASSERT_EQ(CountObjects(group->firstChild), 2);
    Objex* text = dimension == group->firstChild ? group->firstChild->next : group->firstChild;
    EXPECT_EQ(text->type, objtype::kDimensionText);
    ASSERT_EQ(text->typeData.kind, TypeDataKind::DimensionText);
    const DimensionTextRecord* r = text->typeData.dimensionText;
    EXPECT_EQ(r->fontNum, 3);
    EXPECT_EQ(r->fontSize, 12);
    EXPECT_EQ(r->fontStyle, 1);
    EXPECT_STREQ(r->font.lfFaceName, "Geneva");
    EXPECT_EQ(r->owner, dimension);
    // Deleting the group frees both without a dangling back-reference.
    DeleteObj(group);
    EXPECT_EQ(layer()->firstObject, nullptr);

    // A current dimension (subtype = type) has no block.
    Bytes current;
    current.raw(HeadOf(objtype::kDimensionFirst, objtype::kDimensionFirst)).i16(400);
    Objex* plain = ReadObjectFrom(current.data(), layer());
    ASSERT_NE(plain, nullptr);
    ReadShort(&end);
    EXPECT_EQ(end, 400);
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
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(back.slot[0], TrimRecord::kCustomProfile);
    ASSERT_NE(back.profile[0], nullptr);
    EXPECT_EQ(back.profile[0]->layer, nullptr);
    EXPECT_EQ(CountObjects(layer()->firstObject), 0);
    ExpectSameObject(trim.profile[0], back.profile[0], "profile");
    EXPECT_EQ(back.slot[1], 0);
    EXPECT_EQ(back.profile[1], nullptr);
    EXPECT_EQ(back.texture[4], 2204);
    EXPECT_EQ(back.scale[3][1], 53);
    EXPECT_EQ(back.color[2], (RGBColor{2, 7, 8}));

    // 10800 trims have no groups: the record keeps its defaults.
    sWriteVersion = 10800;
    const auto old = Written([&] { WriteTrimData(&trim); });
    EXPECT_EQ(old.size(), expected.size() - 5 * 14);
    StartInput(old, 10800);
    TrimRecord plain;
    ReadTrimData(&plain);
    EXPECT_EQ(RemainingInput(), 0u);
    EXPECT_EQ(plain.texture[0], 0);
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

}  // namespace
