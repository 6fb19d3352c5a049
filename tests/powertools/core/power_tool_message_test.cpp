// The framing of channel messages, written by hand byte by byte, and what a reader does with
// frames that are split, damaged or too large.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "powertools/core/power_tool_message.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

// Name "n", one value: key "k", kind, 8 bytes.
Bytes Body(uint8_t kind, uint64_t bits) {
    Bytes b;
    b.raw(std::vector<uint8_t>{1, 0, 'n', 1, 0, 1, 0, 'k', kind});
    for (int i = 0; i < 8; ++i) b.raw(std::vector<uint8_t>{uint8_t(bits >> (8 * i))});
    return b;
}

std::vector<uint8_t> Framed(const Bytes& body) {
    return Bytes().le32(uint32_t(body.data().size())).raw(body.data()).data();
}

TEST(PowerToolMessage, EncodesByHandAndReadsBack) {
    const PowerToolMessage m{"n", {{"k", PowerToolValue::Of(int64_t(-2))}}};
    EXPECT_EQ(EncodePowerToolMessage(m), Framed(Body(1, uint64_t(-2))));

    PowerToolMessage all{kPowerToolClosingUpdate,
                         {{"i", PowerToolValue::Of(int64_t(7))}, {"r", PowerToolValue::Of(2.5)},
                          {"t", PowerToolValue::Of(std::string("/lot.topo"))}}};
    const std::vector<uint8_t> bytes = EncodePowerToolMessage(all);
    PowerToolMessageReader reader;
    PowerToolMessage back;
    // One byte at a time: nothing comes out until the frame is whole.
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        reader.append(&bytes[i], 1);
        ASSERT_EQ(reader.next(&back), PowerToolMessageReader::Result::NeedMore) << i;
    }
    reader.append(&bytes.back(), 1);
    ASSERT_EQ(reader.next(&back), PowerToolMessageReader::Result::Message);
    EXPECT_FALSE(reader.pending());
    EXPECT_EQ(std::tuple(back.name, back.integerValue("i"), back.floatValue("r"), back.textValue("t"), back.boolValue("r"),
                         back.integerValue("r"), back.integerValue("t"), back.floatValue("absent")),
              std::tuple(std::string(kPowerToolClosingUpdate), int64_t(7), 2.5f, std::string("/lot.topo"), true,
                         int64_t(2), int64_t(0), 0.0f));
}

TEST(PowerToolMessage, DamagedAndOversizedFramesAreRefused) {
    Bytes trailing = Body(1, 0);
    trailing.raw(std::vector<uint8_t>{0});
    Bytes shortName;
    shortName.raw(std::vector<uint8_t>{9, 0, 'n'});
    Bytes noName;
    noName.raw(std::vector<uint8_t>{0, 0, 0, 0});
    Bytes longText;
    longText.raw(std::vector<uint8_t>{1, 0, 'n', 1, 0, 1, 0, 'k', 3, 0xFF, 0xFF, 'x'});
    const struct {
        const char* what;
        std::vector<uint8_t> stream;
    } rows[] = {
        {"unknown kind", Framed(Body(9, 0))},
        {"bytes after the values", Framed(trailing)},
        {"name longer than the frame", Framed(shortName)},
        {"empty name", Framed(noName)},
        {"text longer than the frame", Framed(longText)},
        {"length over the limit", Bytes().le32(uint32_t(kMaxPowerToolMessageBytes + 1)).data()},
    };
    for (const auto& row : rows) {
        PowerToolMessageReader reader;
        reader.append(row.stream.data(), row.stream.size());
        PowerToolMessage m;
        EXPECT_EQ(reader.next(&m), PowerToolMessageReader::Result::Refused) << row.what;
        // A refused stream stays refused, whatever follows.
        const std::vector<uint8_t> good = EncodePowerToolMessage({"n", {}});
        reader.append(good.data(), good.size());
        EXPECT_EQ(reader.next(&m), PowerToolMessageReader::Result::Refused) << row.what;
    }
    EXPECT_TRUE(EncodePowerToolMessage({"n", {{"t", PowerToolValue::Of(std::string(kMaxPowerToolMessageBytes, 'x'))}}}).empty());
}

}  // namespace
