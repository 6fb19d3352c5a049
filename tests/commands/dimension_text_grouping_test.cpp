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
};

TEST_F(TextTrimRecordsTest, OldDimensionTextIsGroupedWithItsDimension) {
    Bytes b;
    b.raw(ObjectHead(objtype::kDimensionFirst, 0));
    const auto textHead = ObjectHead(objtype::kDimensionText);
    b.i16(300).raw(Slice(textHead, 2));
    b.i16(3).i16(12).u8(1).raw(FontRecord("Geneva", -9).data());
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
    current.raw(ObjectHead(objtype::kDimensionFirst, objtype::kDimensionFirst)).i16(400);
    Objex* plain = ReadObjectFrom(current.data(), layer());
    ASSERT_NE(plain, nullptr);
    ReadShort(&end);
    EXPECT_EQ(end, 400);
}

}  // namespace
