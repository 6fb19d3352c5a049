// An old file's dimension text is read into a group with its dimension by the group command.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "files/object_io.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/records.h"

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

TEST_F(TextTrimRecordsTest, OldDimensionTextIsGroupedWithItsDimension) {
    Bytes b;
    b.raw(HeadOf(objtype::kDimensionFirst, 0));
    const auto textHead = HeadOf(objtype::kDimensionText);
    b.i16(300).raw(Slice(textHead, 2));
    b.i16(3).i16(12).u8(1).raw(Font("Geneva", -9).data());
    b.i32(5).f32(1.0f).f32(2.0f).i16(400);

    Objex* dimension = ReadObjectFrom(b.data(), layer());
    ASSERT_NE(dimension, nullptr);
    int16_t end = 0;
    ReadShort(&end);
    EXPECT_EQ(std::tuple(end, dimension->subtype), std::tuple(400, dimension->type));
    // The dimension and its text now form a group on the layer.
    Objex* group = dimension->parent;
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(std::tuple(group->type, group->layer), std::tuple(objtype::kGroup, layer()));
    ASSERT_EQ(CountObjects(group->firstChild), 2);
    Objex* text = dimension == group->firstChild ? group->firstChild->next : group->firstChild;
    EXPECT_EQ(text->type, objtype::kDimensionText);
    ASSERT_EQ(text->typeData.kind, TypeDataKind::DimensionText);
    const DimensionTextRecord* r = text->typeData.dimensionText;
    EXPECT_EQ(std::tuple(r->fontNum, r->fontSize, r->fontStyle, r->owner), std::tuple(3, 12, 1, dimension));
    EXPECT_STREQ(r->font.lfFaceName, "Geneva");
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

}  // namespace
