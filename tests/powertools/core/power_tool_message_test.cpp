// The framing of channel messages, written by hand byte by byte, and what a reader does with
// frames that are split, damaged or too large.
#include <gtest/gtest.h>

#include "powertools/core/power_tool_message.h"
#include "support/records.h"

using namespace dvxtest;

namespace {

// A frame: its length, then name "n" and one value, key "k", of `kind` and then `value`.
std::vector<uint8_t> Frame(uint8_t kind, const Bytes& value, int32_t extraLength = 0) {
    Bytes body;
    body.raw(std::vector<uint8_t>{1, 0, 'n', 1, 0, 1, 0, 'k', kind}).raw(value.data());
    return Bytes().le32(uint32_t(int32_t(body.data().size()) + extraLength)).raw(body.data()).data();
}

PowerToolMessageReader::Result Read(const std::vector<uint8_t>& stream, PowerToolMessage* m, size_t piece = 1) {
    PowerToolMessageReader reader;
    PowerToolMessageReader::Result r = PowerToolMessageReader::Result::NeedMore;
    for (size_t at = 0; at < stream.size() && r == PowerToolMessageReader::Result::NeedMore; at += piece) {
        reader.append(stream.data() + at, std::min(piece, stream.size() - at));
        r = reader.next(m);
    }
    return r;
}

TEST(PowerToolMessage, FramesByBranch) {
    using R = PowerToolMessageReader::Result;
    const std::vector<uint8_t> encoded = EncodePowerToolMessage({"n", {{"k", PowerToolValue::Of(2.5)}}});
    const struct {
        const char* what;
        std::vector<uint8_t> stream;
        R result;
    } rows[] = {
        {"a real, one byte at a time", Frame(2, Bytes().le32(0).le32(0x40040000)), R::Message},
        {"unknown kind", Frame(9, Bytes().le32(0).le32(0)), R::Refused},
        {"bytes after the values", Frame(1, Bytes().le32(0).le32(0).raw("x")), R::Refused},
        {"text longer than the frame", Frame(3, Bytes().raw(std::vector<uint8_t>{0xFF, 0xFF, 'x'})), R::Refused},
        {"a frame still coming", Frame(1, Bytes().le32(0).le32(0), 1), R::NeedMore},
        {"length over the limit", Bytes().le32(uint32_t(kMaxPowerToolMessageBytes + 1)).data(), R::Refused},
    };
    for (const auto& row : rows) {
        PowerToolMessage m;
        EXPECT_EQ(Read(row.stream, &m), row.result) << row.what;
    }
    PowerToolMessage m;
    ASSERT_EQ(Read(encoded, &m, 1000), R::Message);
    EXPECT_EQ(encoded, rows[0].stream);
    EXPECT_EQ(std::tuple(m.floatValue("k"), m.integerValue("k"), m.boolValue("k"), m.textValue("k"), m.floatValue("?")),
              std::tuple(2.5f, int64_t(2), true, std::string(), 0.0f));
    EXPECT_TRUE(EncodePowerToolMessage({"n", {{"t", PowerToolValue::Of(std::string(kMaxPowerToolMessageBytes, 'x'))}}}).empty());
}

}  // namespace
