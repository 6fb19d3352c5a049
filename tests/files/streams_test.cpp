// Byte streams: codec byte orders, short reads, the scrap, whole-file round trips and plant
// paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/streams.h"
#include "port/files.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

using Bytes = std::vector<uint8_t>;

class StreamsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllGlobals(); }
    void TearDown() override { ResetAllGlobals(); }
};

TEST_F(StreamsTest, CodecsWriteTheirByteOrderAndReadItBack) {
    StartOutputBuffer();
    WriteFloat(1.0f);
    WriteStdFloat(1.0f);
    WriteShort(100);
    WriteUShort(0xABCD);
    WriteLong(0x01020304);
    WriteULong(0xFFFFFFFEu);
    WriteStdShort(-2);
    WriteStdUShort(0xABCD);
    WriteStdLong(0x01020304);
    WriteStdULong(0x80000001u);
    const Bytes expected = {
        0x3F, 0x80, 0x00, 0x00,  // 1.0 big-endian
        0x00, 0x00, 0x80, 0x3F,  // 1.0 little-endian
        0x00, 0x64,              // 100
        0xAB, 0xCD,
        0x01, 0x02, 0x03, 0x04,
        0xFF, 0xFF, 0xFF, 0xFE,
        0xFE, 0xFF,              // -2 little-endian
        0xCD, 0xAB,
        0x04, 0x03, 0x02, 0x01,
        0x01, 0x00, 0x00, 0x80,
    };
    EXPECT_EQ(gOutDataBuffer, expected);

    OpenInputBytes(expected);
    float f = 0, g = 0;
    int16_t s = 0, ss = 0;
    uint16_t us = 0, sus = 0;
    int32_t l = 0, sl = 0;
    uint32_t ul = 0, sul = 0;
    EXPECT_TRUE(ReadFloat(&f));
    EXPECT_TRUE(ReadStdFloat(&g));
    EXPECT_TRUE(ReadShort(&s));
    EXPECT_TRUE(ReadUShort(&us));
    EXPECT_TRUE(ReadLong(&l));
    EXPECT_TRUE(ReadULong(&ul));
    EXPECT_TRUE(ReadStdShort(&ss));
    EXPECT_TRUE(ReadStdUShort(&sus));
    EXPECT_TRUE(ReadStdLong(&sl));
    EXPECT_TRUE(ReadStdULong(&sul));
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(g, 1.0f);
    EXPECT_EQ(s, 100);
    EXPECT_EQ(us, 0xABCD);
    EXPECT_EQ(l, 0x01020304);
    EXPECT_EQ(ul, 0xFFFFFFFEu);
    EXPECT_EQ(ss, -2);
    EXPECT_EQ(sus, 0xABCD);
    EXPECT_EQ(sl, 0x01020304);
    EXPECT_EQ(sul, 0x80000001u);
    EXPECT_EQ(GetMark(), GetLength());
    EXPECT_FALSE(InputTruncated());

    EXPECT_EQ(SwapFloat(0x0000803Fu), 1.0f);
    EXPECT_EQ(SwapFloat(0x000080BFu), -1.0f);
}

TEST_F(StreamsTest, ShortReadsLeaveDestinationAndPositionAndRaiseTheFlag) {
    OpenInputBytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    uint8_t first[4];
    ASSERT_TRUE(ReadSome(first, 4));
    EXPECT_EQ(GetMark(), 4u);

    int32_t big = 0x0A0B0C0D;
    EXPECT_FALSE(ReadLong(&big));
    EXPECT_EQ(big, 0x0A0B0C0D);  // not even byte-reversed
    float fl = 2.5f;
    EXPECT_FALSE(ReadFloat(&fl));
    EXPECT_EQ(fl, 2.5f);
    uint32_t little = 7;
    EXPECT_FALSE(ReadStdULong(&little));
    EXPECT_EQ(little, 7u);
    EXPECT_EQ(GetMark(), 4u);
    EXPECT_TRUE(InputTruncated());

    // A null destination reads nothing and does not advance.
    EXPECT_FALSE(ReadShort(nullptr));
    EXPECT_FALSE(ReadSome(nullptr, 1));
    EXPECT_EQ(GetMark(), 4u);

    int16_t rest = 0;
    EXPECT_TRUE(ReadShort(&rest));
    EXPECT_EQ(rest, 0x5566);
    EXPECT_EQ(GetMark(), 6u);
    EXPECT_TRUE(InputTruncated());  // sticky until the next input

    OpenInputBytes({1});
    EXPECT_FALSE(InputTruncated());
    ReleaseInputBuffer();
    EXPECT_EQ(GetLength(), 0u);
    uint8_t b = 9;
    EXPECT_FALSE(ReadSome(&b, 1));
    EXPECT_EQ(b, 9);
}

// A fixed block writes what the field writers write; read whole it decodes every field, read
// short it takes the fields that fit, leaves the rest and raises the flag, as field reads do.
TEST_F(StreamsTest, FixedBlocksMatchTheFieldCodecsWholeOrShort) {
    struct Block {
        uint8_t u = 0;
        int16_t s = 0;
        uint16_t le = 0;
        float f[2] = {};
        float lef = 0;
        uint32_t id = 0;
    };
    auto fields = [](Block& b) {
        return [&b](auto& f) {
            f.u8(&b.u);
            f.i16(&b.s);
            f.le16(&b.le);
            f.f32(b.f, 2);
            f.lef32(&b.lef);
            f.u32(&b.id);
        };
    };
    Block written{7, -3, 0xABCD, {1.5f, -2.0f}, 0.25f, 0x01020304u};
    StartOutputBuffer();
    WriteFields(fields(written));
    const Bytes block = gOutDataBuffer;
    StartOutputBuffer();
    WriteSome(&written.u, 1);
    WriteShort(written.s);
    WriteStdUShort(written.le);
    WriteFloat(written.f[0]);
    WriteFloat(written.f[1]);
    WriteStdFloat(written.lef);
    WriteULong(written.id);
    ASSERT_EQ(block, gOutDataBuffer);

    OpenInputBytes(block);
    Block read;
    ReadFields(fields(read));
    EXPECT_EQ(0, std::memcmp(&read, &written, sizeof read));
    EXPECT_EQ(GetMark(), block.size());
    EXPECT_FALSE(InputTruncated());

    // Cut inside the second float: the byte, short and first float are taken.
    OpenInputBytes(Bytes(block.begin(), block.begin() + 11));
    Block cut{9, 9, 9, {9, 9}, 9, 9};
    ReadFields(fields(cut));
    EXPECT_EQ(cut.u, 7);
    EXPECT_EQ(cut.s, -3);
    EXPECT_EQ(cut.le, 0xABCD);
    EXPECT_EQ(cut.f[0], 1.5f);
    EXPECT_EQ(cut.f[1], 9.0f);
    EXPECT_EQ(cut.lef, 9.0f);
    EXPECT_EQ(cut.id, 9u);
    EXPECT_EQ(GetMark(), 9u);
    EXPECT_TRUE(InputTruncated());
}

TEST_F(StreamsTest, TheScrapTakesWritesAndStopsReadsAtItsEnd) {
    gUseScrap = 1;
    uint8_t probe = 0xEE;
    EXPECT_FALSE(ReadSome(&probe, 1));  // no scrap yet
    EXPECT_EQ(probe, 0xEE);

    WriteShort(0x0102);
    WriteStdLong(0x03040506);
    EXPECT_EQ(gScrapIndex, 6u);
    EXPECT_EQ(gPrivateScrap, (Bytes{0x01, 0x02, 0x06, 0x05, 0x04, 0x03}));
    EXPECT_TRUE(gOutDataBuffer.empty());

    // Paste: read it back from the start.
    gScrapIndex = 0;
    int16_t s = 0;
    int32_t l = 0;
    EXPECT_TRUE(ReadShort(&s));
    EXPECT_TRUE(ReadStdLong(&l));
    EXPECT_EQ(s, 0x0102);
    EXPECT_EQ(l, 0x03040506);
    int16_t past = 42;
    EXPECT_FALSE(ReadShort(&past));
    EXPECT_EQ(past, 42);
    EXPECT_EQ(gScrapIndex, 6u);
    EXPECT_TRUE(InputTruncated());

    // A read that would run past the end takes nothing, even when part of it is there.
    gScrapIndex = 4;
    int32_t straddle = 5;
    EXPECT_FALSE(ReadLong(&straddle));
    EXPECT_EQ(straddle, 5);
    EXPECT_EQ(gScrapIndex, 4u);
    gUseScrap = 0;
}

TEST_F(StreamsTest, WholeFilesRoundTripThroughThePlatform) {
    const std::string dir = FreshTempFolder("streams");
    const std::string path = port::JoinPath(dir, "out.bin");

    StartOutputBuffer();
    WriteLong(11100);
    WriteStdFloat(-0.5f);
    const char text[] = "Zelt";
    WriteSome(text, 4);
    ASSERT_TRUE(FlushOutputBufferToFile(path));
    EXPECT_TRUE(gOutDataBuffer.empty());

    ASSERT_TRUE(OpenInputFile(path));
    EXPECT_EQ(GetLength(), 12u);
    int32_t version = 0;
    float half = 0;
    char back[5] = {};
    EXPECT_TRUE(ReadLong(&version));
    EXPECT_TRUE(ReadStdFloat(&half));
    EXPECT_TRUE(ReadSome(back, 4));
    EXPECT_EQ(version, 11100);
    EXPECT_EQ(half, -0.5f);
    EXPECT_STREQ(back, "Zelt");

    {
        InputBufferScope scope;
        EXPECT_FALSE(OpenInputFile(port::JoinPath(dir, "missing.bin")));
        EXPECT_EQ(GetLength(), 0u);
    }
    EXPECT_EQ(GetMark(), 0u);

    // A file that cannot be written is reported and the buffer is still released.
    StartOutputBuffer();
    WriteLong(1);
    EXPECT_FALSE(FlushOutputBufferToFile(port::JoinPath(dir, "no/such/folder/x.bin")));
    EXPECT_TRUE(gOutDataBuffer.empty());
}

TEST_F(StreamsTest, PlantPathsBecomeRelativeToTheCustomPlantFolder) {
    struct Case {
        const char* source;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\x\\CustomPlants\\Oak\\a.jpg", "Oak/a.jpg"},
        {"C:\\x\\customplants\\Oak\\a.jpg", "Oak/a.jpg"},
        {"/Users/Shared/Zelt/Textures/CUSTOMPLANTS/Elm/b.png", "Elm/b.png"},
        // The last occurrence wins.
        {"D:\\CustomPlants\\old\\CustomPlants\\Fir\\c.jpg", "Fir/c.jpg"},
        // Nothing after it, or no such folder: unchanged.
        {"C:\\x\\CustomPlants", "C:\\x\\CustomPlants"},
        {"C:\\x\\Plants\\a.jpg", "C:\\x\\Plants\\a.jpg"},
        {"", ""},
        {"Custom", "Custom"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertAbsolutePlantPathToRelative(c.source), c.expected) << c.source;
    EXPECT_EQ(ConvertAbsolutePlantPathToRelative(nullptr), "");
}

}  // namespace
