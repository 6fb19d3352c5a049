// The drag record of a content entry: a record laid out by hand decodes field by field, every
// entry survives a round trip, and no cut record is taken. The library's initializers give
// the colours a user sees in the palette.
#include <gtest/gtest.h>

#include <tuple>

#include "content/core/sym_entry.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "support/fixture.h"
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
    SymEntryInfo back;
    ASSERT_TRUE(back.decodeSymEntryWithData(record.data(), record.size()));
    EXPECT_EQ(Fields(back), Fields(none));
}

TEST(SymEntryRecord, FieldReadersStopAtTheEndWithoutMoving) {
    const uint8_t bytes[] = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    size_t at = 0;
    EXPECT_EQ(SymEntryInfo::decodeShortFromData(bytes, sizeof bytes, &at), 0x1234);
    EXPECT_EQ(SymEntryInfo::decodeLongFromData(bytes, sizeof bytes, &at), -2);
    EXPECT_EQ(at, 6u);
    // Two bytes left: a 4-byte read gives 0 and stays; the 2-byte ones still read.
    EXPECT_EQ(SymEntryInfo::decodeUnsignedFromData(bytes, sizeof bytes, &at), 0u);
    EXPECT_EQ(at, 6u);
    EXPECT_FALSE(SymEntryInfo::decodeStringOfLength(3, bytes, sizeof bytes, &at).has_value());
    EXPECT_EQ(SymEntryInfo::decodeStringOfLength(2, bytes, sizeof bytes, &at), "ab");
    EXPECT_EQ(at, 8u);
    EXPECT_EQ(SymEntryInfo::decodeUShortFromData(bytes, sizeof bytes, &at), 0);
    EXPECT_EQ(SymEntryInfo::decodeShortFromData(bytes, sizeof bytes, &at), 0);
    EXPECT_EQ(SymEntryInfo::decodeStringOfLength(0, bytes, sizeof bytes, &at), "");
    EXPECT_EQ(at, 8u);
    at = 100;  // past the end
    EXPECT_EQ(SymEntryInfo::decodeLongFromData(bytes, sizeof bytes, &at), 0);
    EXPECT_EQ(at, 100u);
}

// Ramp steps at hue 0 (red), worked by hand: tints keep red full and lift green and blue to
// value x (1 - saturation); shades darken red with green and blue at 0. Each channel is the
// 16-bit result over 257.
TEST(SymEntryInitializers, ColourRampTintsAndShades) {
    struct Row {
        int32_t step;
        uint16_t saturation, value;
        RGBColor red;  // at hue 0
    };
    const Row rows[] = {
        {1, 2570, 65535, {255, 245, 245}},
        {25, 64250, 65535, {255, 5, 5}},
        {26, 65535, 62965, {245, 0, 0}},
        {45, 65535, 14135, {55, 0, 0}},
    };
    for (const Row& row : rows) {
        uint16_t hsv[3];
        ColorRampHSV(row.step, 128, hsv);
        EXPECT_EQ(hsv[0], 128 * 257) << row.step;
        EXPECT_EQ(hsv[1], row.saturation) << row.step;
        EXPECT_EQ(hsv[2], row.value) << row.step;
        const SymEntryInfo e = SymEntryInfo::initWithColorIndex(row.step, 0, 7, symentry::kColor);
        EXPECT_EQ(std::tuple(e.textureColor.red, e.textureColor.green, e.textureColor.blue),
                  std::tuple(row.red.red, row.red.green, row.red.blue))
            << row.step;
        EXPECT_EQ(std::tuple(e.colorIndex, e.refNum, e.type), std::tuple(row.step, 7, symentry::kColor));
    }
    // Hue 85 (one third round, 120 degrees) is green: step 45 keeps only green.
    const SymEntryInfo green = SymEntryInfo::initWithColorIndex(45, 85, 1, symentry::kColor);
    EXPECT_EQ(std::tuple(green.textureColor.red, green.textureColor.green, green.textureColor.blue),
              std::tuple(uint16_t{0}, uint16_t{55}, uint16_t{0}));
}

class SymEntryColours : public dvxtest::DocumentTest {};

TEST_F(SymEntryColours, DocumentColoursAreBytesOfThePackedTable) {
    doc->itsDocState->customColors[0] = 255;                       // red
    doc->itsDocState->customColors[13] = 10 + 20 * 256 + 30 * 65536;
    const SymEntryInfo red = SymEntryInfo::initWithColorIndex(0, 1, symentry::kColor);
    EXPECT_EQ(std::tuple(red.textureColor.red, red.textureColor.green, red.textureColor.blue),
              std::tuple(uint16_t{255}, uint16_t{0}, uint16_t{0}));
    const SymEntryInfo mixed = SymEntryInfo::initWithColorIndex(13, 2, symentry::kColor);
    EXPECT_EQ(std::tuple(mixed.textureColor.red, mixed.textureColor.green, mixed.textureColor.blue, mixed.colorIndex,
                         mixed.refNum, mixed.type),
              std::tuple(uint16_t{10}, uint16_t{20}, uint16_t{30}, 13, 2, symentry::kColor));
    // Past the table: black, never a read beyond it.
    const SymEntryInfo beyond = SymEntryInfo::initWithColorIndex(72, 3, symentry::kColor);
    EXPECT_EQ(std::tuple(beyond.textureColor.red, beyond.textureColor.green, beyond.textureColor.blue),
              std::tuple(uint16_t{0}, uint16_t{0}, uint16_t{0}));

    doc->dealloc();
    doc = nullptr;
    ASSERT_EQ(gCurDocument, nullptr);
    EXPECT_EQ(Fields(SymEntryInfo::initWithColorIndex(0, 1, symentry::kColor)), Fields(SymEntryInfo()));

    const SymEntryInfo paint = SymEntryInfo::initWithRed(12, 34, 56, "Sage", 4, symentry::kColor);
    EXPECT_EQ(Fields(paint), std::tuple(symentry::kColor, 4, 0, 0, int16_t{0}, int16_t{0}, uint16_t{12}, uint16_t{34},
                                        uint16_t{56}, "", "", "", "Sage"));
}

}  // namespace
