// The memory and text layer under every format: byte streams and the scrap, description
// (INI) files, and the content folders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "files/content_folders.h"
#include "files/ini.h"
#include "files/streams.h"
#include "port/files.h"
#include "port/folders.h"
#include "support/fixture.h"

using namespace dvxtest;

// Byte streams: codec byte orders, short reads, the scrap, whole-file round trips and plant
// paths.
namespace streams {

using Bytes = std::vector<uint8_t>;

class StreamsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllGlobals(); }
    void TearDown() override { ResetAllGlobals(); }
};

// One codec: writes `value` as `bytes`, and reads them back as `value`.
template <typename T>
void ExpectCodec(void (*write)(T), bool (*read)(T*), T value, const Bytes& bytes) {
    StartOutputBuffer();
    write(value);
    EXPECT_EQ(gOutDataBuffer, bytes);
    OpenInputBytes(bytes);
    T back{};
    EXPECT_TRUE(read(&back));
    EXPECT_EQ(back, value);
    EXPECT_EQ(GetMark(), GetLength());
    EXPECT_FALSE(InputTruncated());
}

TEST_F(StreamsTest, CodecsWriteTheirByteOrderAndReadItBack) {
    ExpectCodec(WriteFloat, ReadFloat, 1.0f, {0x3F, 0x80, 0x00, 0x00});
    ExpectCodec(WriteStdFloat, ReadStdFloat, 1.0f, {0x00, 0x00, 0x80, 0x3F});
    ExpectCodec<int16_t>(WriteShort, ReadShort, 100, {0x00, 0x64});
    ExpectCodec<uint16_t>(WriteUShort, ReadUShort, 0xABCD, {0xAB, 0xCD});
    ExpectCodec<int32_t>(WriteLong, ReadLong, 0x01020304, {0x01, 0x02, 0x03, 0x04});
    ExpectCodec<uint32_t>(WriteULong, ReadULong, 0xFFFFFFFEu, {0xFF, 0xFF, 0xFF, 0xFE});
    ExpectCodec<int16_t>(WriteStdShort, ReadStdShort, -2, {0xFE, 0xFF});
    ExpectCodec<uint16_t>(WriteStdUShort, ReadStdUShort, 0xABCD, {0xCD, 0xAB});
    ExpectCodec<int32_t>(WriteStdLong, ReadStdLong, 0x01020304, {0x04, 0x03, 0x02, 0x01});
    ExpectCodec<uint32_t>(WriteStdULong, ReadStdULong, 0x80000001u, {0x01, 0x00, 0x00, 0x80});

    EXPECT_EQ(SwapFloat(0x0000803Fu), 1.0f);
    EXPECT_EQ(SwapFloat(0x000080BFu), -1.0f);
}

TEST_F(StreamsTest, ShortReadsLeaveDestinationAndPositionAndRaiseTheFlag) {
    OpenInputBytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    uint8_t first[4];
    ASSERT_TRUE(ReadSome(first, 4));
    EXPECT_EQ(GetMark(), 4u);

    int32_t big = 0x0A0B0C0D;
    float fl = 2.5f;
    uint32_t little = 7;
    EXPECT_FALSE(ReadLong(&big));
    EXPECT_FALSE(ReadFloat(&fl));
    EXPECT_FALSE(ReadStdULong(&little));
    // Not even byte-reversed.
    EXPECT_EQ(std::tuple(big, fl, little, GetMark(), InputTruncated()), std::tuple(0x0A0B0C0D, 2.5f, 7u, 4u, true));

    // A null destination reads nothing and does not advance.
    EXPECT_FALSE(ReadShort(nullptr));
    EXPECT_FALSE(ReadSome(nullptr, 1));
    EXPECT_EQ(GetMark(), 4u);

    int16_t rest = 0;
    EXPECT_TRUE(ReadShort(&rest));
    // The flag is sticky until the next input.
    EXPECT_EQ(std::tuple(rest, GetMark(), InputTruncated()), std::tuple(0x5566, 6u, true));

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
    WriteSome(&written.u, 1), WriteShort(written.s), WriteStdUShort(written.le);
    WriteFloat(written.f[0]), WriteFloat(written.f[1]), WriteStdFloat(written.lef), WriteULong(written.id);
    ASSERT_EQ(block, gOutDataBuffer);

    OpenInputBytes(block);
    Block read;
    ReadFields(fields(read));
    // Field by field: the padding after `u` is not part of the record.
    EXPECT_TRUE(read.u == written.u && read.s == written.s && read.le == written.le &&
                read.f[0] == written.f[0] && read.f[1] == written.f[1] && read.lef == written.lef &&
                read.id == written.id);
    EXPECT_EQ(GetMark(), block.size());
    EXPECT_FALSE(InputTruncated());

    // Cut inside the second float: the byte, short and first float are taken.
    OpenInputBytes(Bytes(block.begin(), block.begin() + 11));
    Block cut{9, 9, 9, {9, 9}, 9, 9};
    ReadFields(fields(cut));
    EXPECT_EQ(std::tuple(cut.u, cut.s, cut.le, cut.f[0], cut.f[1], cut.lef, cut.id, GetMark(), InputTruncated()),
              std::tuple(7, -3, 0xABCD, 1.5f, 9.0f, 9.0f, 9u, 9u, true));
}

TEST_F(StreamsTest, TheScrapTakesWritesAndStopsReadsAtItsEnd) {
    gUseScrap = 1;
    uint8_t probe = 0xEE;
    EXPECT_FALSE(ReadSome(&probe, 1));  // no scrap yet
    EXPECT_EQ(probe, 0xEE);

    WriteShort(0x0102);
    WriteStdLong(0x03040506);
    EXPECT_EQ(std::tuple(gScrapIndex, gPrivateScrap, gOutDataBuffer.empty()),
              std::tuple(6u, Bytes{0x01, 0x02, 0x06, 0x05, 0x04, 0x03}, true));

    // Paste: read it back from the start.
    gScrapIndex = 0;
    int16_t s = 0;
    int32_t l = 0;
    EXPECT_TRUE(ReadShort(&s) && ReadStdLong(&l));
    EXPECT_EQ(std::tuple(s, l), std::tuple(0x0102, 0x03040506));
    int16_t past = 42;
    EXPECT_FALSE(ReadShort(&past));
    EXPECT_EQ(std::tuple(past, gScrapIndex, InputTruncated()), std::tuple(42, 6u, true));

    // A read that would run past the end takes nothing, even when part of it is there.
    gScrapIndex = 4;
    int32_t straddle = 5;
    EXPECT_FALSE(ReadLong(&straddle));
    EXPECT_EQ(std::tuple(straddle, gScrapIndex), std::tuple(5, 4u));
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
    EXPECT_TRUE(ReadLong(&version) && ReadStdFloat(&half) && ReadSome(back, 4));
    EXPECT_EQ(std::tuple(version, half), std::tuple(11100, -0.5f));
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

}  // namespace streams

// INI-style description files: the grammar's edge cases over real files, buffer sizes, and
// damaged text.
namespace ini {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllGlobals();
        dir = FreshTempFolder("ini");
    }
    void TearDown() override { ResetAllGlobals(); }

    std::string write(const std::string& name, const std::string& text) {
        const std::string path = port::JoinPath(dir, name);
        EXPECT_TRUE(port::WriteWholeFile(path, text.data(), text.size()));
        return path;
    }

    std::string dir;
};

TEST_F(IniTest, LookupsFollowTheGrammar) {
    struct Case {
        const char* what;
        std::string text;
        const char* section;
        const char* key;
        const char* expected;  // the buffer after the call
        int32_t result;
    };
    const std::string longFiller(4095, 'x');
    const Case cases[] = {
        {"names ignore case, blanks around = go", "[description]\nNAME = Oak\n", "Description", "Name", "Oak", 3},
        {"section B", "[A]\nx=1\n[B]\nx=2\n", "B", "x", "2", 1},
        {"section A", "[A]\nx=1\n[B]\nx=2\n", "A", "x", "1", 1},
        {"a second [A] is never searched", "[A]\nx=1\n[B]\nx=2\n[A]\ny=3\n", "A", "y", "dflt", 0},
        {"the first duplicate wins", "[A]\nx=1\nX=2\n", "A", "x", "1", 1},
        {"value stops at the next =", "[S]\nPath=a=b\n", "S", "Path", "a", 1},
        {"a run of = counts as one", "[S]\nPath==b\n", "S", "Path", "b", 1},
        {"no value: default", "[S]\nPath=\n", "S", "Path", "dflt", 0},
        {"only blanks after =", "[S]\nPath= \t\n", "S", "Path", "dflt", 0},
        {"leading = skipped", "[S]\n=Path=c\n", "S", "Path", "c", 1},
        {"one-character lines skipped", "[\nx\n[S]\n[\nk=v\n", "S", "k", "v", 1},
        {"key before the first header", "k=1\n[S]\nj=2\n", "S", "k", "dflt", 0},
        {"no comment syntax", "[S]\n;k=v\n#j=w\n", "S", ";k", "v", 1},
        {"quotes belong to the value", "[S]\nk=\"a b\"\n", "S", "k", "\"a b\"", 5},
        {"blank inside the brackets", "[ S]\nk=v\n", "S", "k", "dflt", 0},
        {"requested names are trimmed", "[S]\nk=v\n", " S\t", "\tk ", "v", 1},
        {"carriage returns trimmed", "[S]\r\nk = v \r\n", "S", "k", "v", 1},
        {"a later header ends the section", "[S]\n[T]\nk=v\n", "S", "k", "dflt", 0},
        {"a half header does not", "[S]\n[T\nk=v\n", "S", "k", "v", 1},
        {"a line without = is ignored", "[S]\nk\nk=v\n", "S", "k", "v", 1},
        {"lines longer than 4095 come in pieces", "[S]\n" + longFiller + "k=v\n", "S", "k", "v", 1},
        {"a piece can be a header", "[S]\n" + longFiller + "[T]\nk=v\n", "T", "k", "v", 1},
        {"empty file", "", "S", "k", "dflt", 0},
        {"last line without a line end", "[S]\nk=v", "S", "k", "v", 1},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = write("case" + std::to_string(i++) + ".ini", c.text);
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "dflt", buffer, sizeof buffer, path.c_str()), c.result);
        EXPECT_STREQ(buffer, c.expected);
        // The file read once for many lookups answers the same.
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(ProfileFile(path.c_str()).getString(c.section, c.key, "dflt", buffer, sizeof buffer), c.result);
        EXPECT_STREQ(buffer, c.expected);
    }
    char buffer[8];
    const ProfileFile missing((dir + "/missing.ini").c_str());
    EXPECT_EQ(missing.getString("S", "k", "Done", buffer, sizeof buffer), 0);
    EXPECT_EQ(std::tuple(missing.readable(), std::string(buffer), missing.getInt("S", "k", -1)),
              std::tuple(false, std::string("Done"), -1));
}

TEST_F(IniTest, NumbersAreReadUpToTheFirstOtherCharacter) {
    const std::string path = write("n.ini", "[Size]\nZone = 12abc\nBad=abc\nNeg=-40\nPlus=+7\nHuge=99999999999\nWidth=640\n");
    const char* p = path.c_str();
    const std::string missing = dir + "/missing.ini";
    const std::tuple<const char*, const char*, int32_t, const char*, int32_t> rows[] = {
        {"Size", "Zone", 99, p, 12},   {"Size", "Bad", 99, p, 0},         {"Size", "Neg", 99, p, -40},
        {"Size", "Plus", 99, p, 7},    {"Size", "Huge", 99, p, INT32_MAX}, {"size", "WIDTH", 99, p, 640},
        {"Size", "Height", -1, p, -1}, {"Size", "Width", -1, missing.c_str(), -1},
        {nullptr, "Width", 5, p, 5},   {"Size", nullptr, 5, p, 5},        {"Size", "Width", 5, nullptr, 5},
    };
    for (const auto& [section, key, fallback, file, expected] : rows)
        EXPECT_EQ(GetPrivateProfileInt(section, key, fallback, file), expected) << (key ? key : "no key");
}

TEST_F(IniTest, BufferSizesCutTheTextAndBadArgumentsLeaveTheBufferAlone) {
    const std::string value(5000, 'v');
    const std::string path = write("b.ini", "[Description]\nName=Oak\nLong=" + value + "\n");
    const char* p = path.c_str();

    // Any size works now, 4096 and beyond included.
    std::vector<char> big(8192, '#');
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", big.data(), 4096, p), 3);
    EXPECT_STREQ(big.data(), "Oak");
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", big.data(), 8192, p), 3);
    // A value is at most one line piece: 4095 characters less the key and its "=".
    EXPECT_EQ(GetPrivateProfileString("Description", "Long", "x", big.data(), 8192, p), 4090);

    char small[3];
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", small, sizeof small, p), 2);
    EXPECT_STREQ(small, "Oa");
    EXPECT_EQ(GetPrivateProfileString("Description", "Gone", "default", small, sizeof small, p), 0);
    EXPECT_STREQ(small, "de");
    char one[1] = {'#'};
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", one, 1, p), 0);
    EXPECT_EQ(one[0], 0);
    // A missing file still gives the default.
    char buf[16];
    EXPECT_EQ(GetPrivateProfileString("S", "k", "Done", buf, sizeof buf, (dir + "/none.ini").c_str()), 0);
    EXPECT_STREQ(buf, "Done");

    char untouched[8] = "keep";
    const char* d = "Description";
    EXPECT_EQ(std::tuple(GetPrivateProfileString(d, "Name", "x", untouched, 0, p), GetPrivateProfileString(d, "Name", "x", untouched, -5, p),
                         GetPrivateProfileString(nullptr, "Name", "x", untouched, 8, p), GetPrivateProfileString(d, nullptr, "x", untouched, 8, p),
                         GetPrivateProfileString(d, "Name", nullptr, untouched, 8, p), GetPrivateProfileString(d, "Name", "x", untouched, 8, nullptr),
                         GetPrivateProfileString(d, "Name", "x", nullptr, 8, p)),
              std::tuple(0, 0, 0, 0, 0, 0, 0));
    EXPECT_STREQ(untouched, "keep");
}

// Damaged text: every prefix of a file, and bytes a text file should not hold.
TEST_F(IniTest, EveryPrefixOfAFileIsReadSafely) {
    std::string text = "k=0\n[\n[Plant]\r\nName = Red Oak\nHeight==40\n=\n==\n[x\nWidth=12abc\n";
    text += std::string(5000, 'y') + "=z\n";
    text.append("Zero=a\0b\n", 9);
    text += "[Other]\nName=Elm\n";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    std::string value;
    for (size_t n = 0; n <= text.size(); ++n) {
        for (const char* key : {"Name", "Height", "Width", "Zero", "k", "y"}) {
            value.clear();
            if (FindProfileValue(bytes, n, "Plant", key, &value)) {
                ASSERT_FALSE(value.empty()) << key << " " << n;
            }
        }
        FindProfileValue(bytes, n, "Other", "Name", nullptr);
    }
    ASSERT_TRUE(FindProfileValue(bytes, text.size(), "Plant", "Name", &value));
    EXPECT_EQ(value, "Red Oak");
    ASSERT_TRUE(FindProfileValue(bytes, text.size(), "Plant", "Zero", &value));
    EXPECT_EQ(value, "a");  // a line ends at a NUL byte
    ASSERT_TRUE(FindProfileValue(bytes, text.size(), "Other", "Name", &value));
    EXPECT_EQ(value, "Elm");

    const std::string path = write("prefix.ini", text);
    char buf[32];
    EXPECT_EQ(GetPrivateProfileString("Plant", "Height", "", buf, sizeof buf, path.c_str()), 2);
    EXPECT_STREQ(buf, "40");
    EXPECT_EQ(GetPrivateProfileInt("Plant", "Width", -1, path.c_str()), 12);
}

}  // namespace ini

// Content folders: the stock and the user's folder from the platform, every path below them,
// how a shared folder is searched in both, and which stored paths count as Windows paths.
namespace folders {

class FixedFolders : public port::Folders {
public:
    FixedFolders(std::string local, std::string user) : local_(std::move(local)), user_(std::move(user)) {}
    ~FixedFolders() override {
        if (&port::folders() == this) port::setFolders(nullptr);
    }
    std::string applicationSupport(port::Domain d) override { return d == port::Domain::Local ? local_ : user_; }
    std::string temporaryBase() override { return "/tmp"; }

private:
    std::string local_, user_;
};

class ContentFoldersTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllGlobals(); }
    void TearDown() override { ResetAllGlobals(); }
};

TEST_F(ContentFoldersTest, PathsLieBelowTheStockAndTheUsersFolder) {
    FixedFolders folders("/usr/share/dovranix", "/home/ann/.local/share/dovranix");
    port::setFolders(&folders);

    const std::string sys = "/usr/share/dovranix";
    const std::string shared = "/home/ann/.local/share/dovranix";
    EXPECT_EQ(LocalDomainApplicationSupportPath(), sys);
    EXPECT_EQ(UserDomainApplicationSupportPath(), shared);
    EXPECT_EQ(LocalDomainUserSharedPath(), shared);
    const std::pair<std::string, std::string> paths[] = {
        {LocalDomainTexturePath(), sys + "/Textures"},
        {LocalDomainUserSharedTexturePath(), shared + "/Textures"},
        {LocalDomainPlantPath(), shared + "/Textures"},
        {LocalDomainCustomTexturePath(), shared + "/Textures/CustomTextures"},
        {LocalDomainCustomPlantPath(), shared + "/Textures/CustomPlants"},
        {LocalDomainAccessoriesPath(), shared + "/Textures/CustomTextures/Accessories"},
        {LocalDomainCustomTrimPath(), shared + "/Components/Trim"},
        {LocalDomainCustomWindowPath(), shared + "/Components/Windows"},
        {LocalDomainCustomDoorPath(), shared + "/Components/Doors"},
        {LocalDomain2DObjectPath(), shared + "/2DSymbols"},
        {LocalDomain3DObjectPath(), shared + "/Objects"},
        {LocalDomainTemplatePath(), shared + "/Templates"},
        {LocalDomainPaintPath(), shared + "/Paint"},
        {LocalDomainContentPath(), shared + "/Content"},
        {LocalDomainPowerToolPath(), sys + "/" + kProductVersionFolderName + "/Plugins"},
        {UserDomainPowerToolPath(), shared + "/" + kProductVersionFolderName + "/Plugins"},
        {LocalDomainOEMSym2DPath(), sys + "/Objects/Symbol2D"},
        {LocalDomainOEMSym3DPath(), sys + "/Objects/Symbol3D"},
        {LocalDomainContentProviderPath(), sys + "/Providers"},
    };
    for (const auto& [got, expected] : paths) EXPECT_EQ(got, expected);
    EXPECT_EQ(LocalDomainPlantPath(), LocalDomainUserSharedTexturePath());

    // A shared folder is searched in the user's folder, then the same place in the stock one;
    // a folder elsewhere (or one whose name only begins like the user's) alone.
    using V = std::vector<std::string>;
    EXPECT_EQ(SearchedFolders(shared + "/Objects/Chairs"), (V{shared + "/Objects/Chairs", sys + "/Objects/Chairs"}));
    EXPECT_EQ(SearchedFolders(shared), (V{shared, sys}));
    EXPECT_EQ(SearchedFolders(shared + "X/Objects"), (V{shared + "X/Objects"}));
    EXPECT_EQ(SearchedFolders(sys + "/Textures"), (V{sys + "/Textures"}));
    port::setFolders(nullptr);
}

TEST_F(ContentFoldersTest, AMissingRootLeavesEveryPathBelowItEmpty) {
    FixedFolders noUser("/sys", "");
    port::setFolders(&noUser);
    EXPECT_EQ(std::tuple(UserDomainApplicationSupportPath(), LocalDomainUserSharedPath(), LocalDomainContentPath(),
                         LocalDomainAccessoriesPath(), LocalDomainCustomPlantPath(), LocalDomainTexturePath()),
              std::tuple("", "", "", "", "", "/sys/Textures"));
    EXPECT_EQ(SearchedFolders("/sys/Objects"), std::vector<std::string>{"/sys/Objects"});
    EXPECT_FALSE(MakeUserContentFolders());

    FixedFolders noStock("", "/u");
    port::setFolders(&noStock);
    EXPECT_EQ(std::tuple(LocalDomainTexturePath(), LocalDomainPowerToolPath(), LocalDomainOEMSym3DPath(), LocalDomainContentPath()),
              std::tuple("", "", "", "/u/Content"));
    EXPECT_EQ(SearchedFolders("/u/Objects"), std::vector<std::string>{"/u/Objects"});
    port::setFolders(nullptr);
}

// A file is taken from the user's folder when it is there, else from the stock one; the user's
// folder tree is made on first need, its missing parents too, and making it again changes nothing.
TEST_F(ContentFoldersTest, SharedFilesComeFromTheUserFirstAndTheUsersFolderIsMadeOnNeed) {
    const std::string root = dvxtest::FreshTempFolder("shared-files");
    const std::string stock = root + "/stock", user = root + "/data/home/dovranix";
    port::MakeFolder(stock);
    FixedFolders folders(stock, user);
    port::setFolders(&folders);

    ASSERT_TRUE(MakeUserContentFolders());
    for (const std::string& folder : {LocalDomainCustomTexturePath(), LocalDomainAccessoriesPath(), LocalDomainCustomPlantPath(),
                                      LocalDomainCustomTrimPath(), LocalDomainCustomWindowPath(), LocalDomainCustomDoorPath(),
                                      LocalDomain3DObjectPath(), LocalDomainTemplatePath(), LocalDomainContentPath(),
                                      UserDomainPowerToolPath()})
        EXPECT_TRUE(port::FolderExists(folder)) << folder;
    EXPECT_TRUE(MakeUserContentFolders());

    port::MakeFolder(stock + "/Objects");
    const std::string mine = user + "/Objects/a.POB", theirs = stock + "/Objects/a.POB";
    EXPECT_EQ(SharedFile(mine), mine);  // in neither: the path as asked
    ASSERT_TRUE(port::WriteWholeFile(theirs, "s", 1));
    EXPECT_EQ(SharedFile(mine), theirs);
    ASSERT_TRUE(port::WriteWholeFile(mine, "u", 1));
    EXPECT_EQ(SharedFile(mine), mine);
    port::setFolders(nullptr);
}

TEST(IsWin32Path, DriveLettersAndBackslashesAndShortStrings) {
    for (const char* path : {static_cast<const char*>(nullptr), "", "a", "  a \r\n", " \t ", "C:\\Textures\\brick.jpg",
                             "c:/Textures/brick.jpg", "  D:x", "\\\\server\\share\\a.jpg", "\\Textures"})
        EXPECT_TRUE(IsWin32Path(path)) << (path ? path : "null");
    for (const char* path : {"/Users/Shared/Zelt/a.jpg", "  /tmp/a.jpg\n", "ab", "Photos/sky.jpg"}) EXPECT_FALSE(IsWin32Path(path)) << path;
}

}  // namespace folders
