// INI-style description files: the grammar's edge cases over real files, buffer sizes, and
// damaged text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/ini.h"
#include "port/files.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

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
    }
}

TEST_F(IniTest, NumbersAreReadUpToTheFirstOtherCharacter) {
    const std::string path = write("n.ini", "[Size]\nZone = 12abc\nBad=abc\nNeg=-40\nPlus=+7\nHuge=99999999999\nWidth=640\n");
    const char* p = path.c_str();
    EXPECT_EQ(GetPrivateProfileInt("Size", "Zone", 99, p), 12);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Bad", 99, p), 0);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Neg", 99, p), -40);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Plus", 99, p), 7);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Huge", 99, p), INT32_MAX);
    EXPECT_EQ(GetPrivateProfileInt("size", "WIDTH", 99, p), 640);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Height", -1, p), -1);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Width", -1, (dir + "/missing.ini").c_str()), -1);
    EXPECT_EQ(GetPrivateProfileInt(nullptr, "Width", 5, p), 5);
    EXPECT_EQ(GetPrivateProfileInt("Size", nullptr, 5, p), 5);
    EXPECT_EQ(GetPrivateProfileInt("Size", "Width", 5, nullptr), 5);
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
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", untouched, 0, p), 0);
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", untouched, -5, p), 0);
    EXPECT_EQ(GetPrivateProfileString(nullptr, "Name", "x", untouched, 8, p), 0);
    EXPECT_EQ(GetPrivateProfileString("Description", nullptr, "x", untouched, 8, p), 0);
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", nullptr, untouched, 8, p), 0);
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", untouched, 8, nullptr), 0);
    EXPECT_EQ(GetPrivateProfileString("Description", "Name", "x", nullptr, 8, p), 0);
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

}  // namespace
