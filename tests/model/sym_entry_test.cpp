// The drag record of a content entry: a record laid out by hand decodes field by field, every
// entry survives a round trip, and no cut record is taken. Colour ramps give the colours a user
// sees in the palette.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "model/sym_entry.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

auto Fields(const SymEntryInfo& e) {
    return std::tuple(e.type, e.refNum, e.colorIndex, e.textureID, e.textureScale.x, e.textureScale.y,
                      e.textureColor.red, e.textureColor.green, e.textureColor.blue, e.objectPreview, e.objectData,
                      e.objectInfo, e.objectDescription);
}

TEST(SymEntryRecord, AHandLaidRecordDecodesFieldByField) {
    Bytes b;
    b.le16(1001).le32(7).le32(0xFFFFFFFE).le32(20003).le16(0xFF9C).le16(100).le16(255).le16(128).le16(0);
    b.le32(5).raw(std::string("a.PPV")).le32(0).le32(3).raw(std::string("b\0c", 3)).le32(0);
    SymEntryInfo e;
    ASSERT_TRUE(e.decodeSymEntryWithData(b.data().data(), b.size()));
    EXPECT_EQ(Fields(e), std::tuple(int16_t{1001}, 7, -2, 20003, int16_t{-100}, int16_t{100}, uint16_t{255},
                                    uint16_t{128}, uint16_t{0}, "a.PPV", "", std::string("b\0c", 3), ""));
    EXPECT_EQ(e.encodeSymEntry(), b.data());
}

TEST(SymEntryRecord, EntriesRoundTripAndCutRecordsAreRefusedWhole) {
    SymEntryInfo full;
    full.type = 2, full.refNum = -9, full.colorIndex = 44, full.textureID = 1255, full.textureScale = {-3, 250};
    full.textureColor = {65535, 1, 300};
    full.objectPreview = "/lib/Chair.PPV", full.objectData = "/lib/Chair.POB", full.objectInfo = "/lib/Chair.POD";
    full.objectDescription = "Chair \xa5";
    SymEntryInfo bare;
    bare.type = 4;
    EXPECT_EQ(bare.encodeSymEntry().size(), 40u);
    for (const SymEntryInfo& entry : {full, bare}) {
        const std::vector<uint8_t> record = entry.encodeSymEntry();
        SymEntryInfo back;
        ASSERT_TRUE(back.decodeSymEntryWithData(record.data(), record.size()));
        EXPECT_EQ(Fields(back), Fields(entry));
        for (size_t n = 0; n < record.size(); ++n) {
            SymEntryInfo cut = full;
            EXPECT_FALSE(cut.decodeSymEntryWithData(record.data(), n)) << n;
            EXPECT_EQ(Fields(cut), Fields(full)) << n;
        }
    }
    // A length beyond the bytes left, however large, is refused without reading on.
    Bytes huge;
    huge.zeros(24).le32(0xFFFFFFFF).raw(std::string("xyz"));
    SymEntryInfo e;
    EXPECT_FALSE(e.decodeSymEntryWithData(huge.data().data(), huge.size()));
    EXPECT_FALSE(e.decodeSymEntryWithData(nullptr, 40));
}

TEST(SymEntryRecord, AnEmptyDescriptionIsWrittenAsNone) {
    const SymEntryInfo none = SymEntryInfo::initWithPreviewPath("p.PPV", nullptr, "d.PTX", nullptr, 3, 9);
    const SymEntryInfo empty = SymEntryInfo::initWithPreviewPath("p.PPV", "", "d.PTX", "", 3, 9);
    const std::vector<uint8_t> record = empty.encodeSymEntry();
    EXPECT_EQ(record, none.encodeSymEntry());
    EXPECT_EQ(record.size(), 40u + 5 + 5);
}

// Each field reader gives 0 (a string: nothing) at the end and stays where it was.
TEST(SymEntryRecord, FieldReadersStopAtTheEndWithoutMoving) {
    const uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    const size_t n = sizeof bytes;
    size_t at = 0;
    EXPECT_EQ(SymEntryInfo::decodeShortFromData(bytes, n, &at), 0x1234);
    EXPECT_EQ(SymEntryInfo::decodeLongFromData(bytes, n, &at), -2);
    // Two bytes left: 4-byte and 3-byte reads give nothing and stay; the 2-byte ones still read.
    EXPECT_EQ(SymEntryInfo::decodeUnsignedFromData(bytes, n, &at), 0u);
    EXPECT_FALSE(SymEntryInfo::decodeStringOfLength(3, bytes, n, &at).has_value());
    EXPECT_EQ(SymEntryInfo::decodeStringOfLength(2, bytes, n, &at), "ab");
    EXPECT_EQ(SymEntryInfo::decodeUShortFromData(bytes, n, &at), 0);
    EXPECT_EQ(SymEntryInfo::decodeShortFromData(bytes, n, &at), 0);
    EXPECT_EQ(SymEntryInfo::decodeStringOfLength(0, bytes, n, &at), "");
    EXPECT_EQ(at, 8u);
    at = 100;  // past the end
    EXPECT_EQ(SymEntryInfo::decodeLongFromData(bytes, n, &at), 0);
    EXPECT_EQ(at, 100u);
}

// Ramp steps worked by hand: tints keep the hue's channel full and lift the others to value x
// (1 - saturation); shades darken it with the others at 0. Each channel is the 16-bit result
// over 257. Hue 85 (a third round) is green. Steps and hues far out of range wrap as 16-bit
// arithmetic does: hue 2^31 - 1 gives -257 = 65279, and step 2^31 - 1 a shade of
// 65535 - (-26 x 2570 mod 65536) = 65535 - 64252 = 1283.
TEST(SymEntryInitializers, ColourRampTintsAndShades) {
    struct Row {
        int32_t step, hue;
        uint16_t h, s, v;
        RGBColor rgb;
    };
    const Row rows[] = {
        {1, 0, 0, 2570, 65535, {255, 245, 245}},      {25, 0, 0, 64250, 65535, {255, 5, 5}},
        {26, 0, 0, 65535, 62965, {245, 0, 0}},        {45, 85, 21845, 65535, 14135, {0, 55, 0}},
        {INT32_MAX, INT32_MAX, 65279, 65535, 1283, {4, 0, 0}},
    };
    for (const Row& row : rows) {
        uint16_t hsv[3];
        ColorRampHSV(row.step, row.hue, hsv);
        EXPECT_EQ(std::tuple(hsv[0], hsv[1], hsv[2]), std::tuple(row.h, row.s, row.v)) << row.step;
        const SymEntryInfo e = SymEntryInfo::initWithColorIndex(row.step, row.hue, 7, symentry::kColor);
        EXPECT_EQ(std::tuple(e.textureColor.red, e.textureColor.green, e.textureColor.blue, e.colorIndex, e.refNum),
                  std::tuple(row.rgb.red, row.rgb.green, row.rgb.blue, row.step, 7))
            << row.step;
    }
}

}  // namespace
