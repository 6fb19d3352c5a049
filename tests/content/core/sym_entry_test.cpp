// The drag record of a content entry: a record laid out by hand decodes field by field, every
// entry survives a round trip, and no cut record is taken.
#include <gtest/gtest.h>

#include <tuple>

#include "content/core/sym_entry.h"
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

}  // namespace
