// The palette section of design files and the stand-alone palette file.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "files/palettes.h"
#include "files/streams.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "port/alerts.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

// Bytes assembled field by field.
struct Bytes {
    std::vector<uint8_t> v;
    bool little = false;
    Bytes& u8(uint8_t b) { v.push_back(b); return *this; }
    Bytes& i16(int16_t x) {
        const auto u = static_cast<uint16_t>(x);
        if (little) u8(u & 0xFF), u8(u >> 8);
        else u8(u >> 8), u8(u & 0xFF);
        return *this;
    }
    Bytes& i32(int32_t x) {
        const auto u = static_cast<uint32_t>(x);
        for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(u >> (little ? 8 * i : 24 - 8 * i)));
        return *this;
    }
    Bytes& str(const std::string& s) {
        i32(static_cast<int32_t>(s.size()));
        v.insert(v.end(), s.begin(), s.end());
        return *this;
    }
    // One entry record with its tag.
    Bytes& entry(int32_t storedRefID, int16_t kind, uint16_t r, uint16_t g, uint16_t b, int32_t texture,
                 int16_t sh, int16_t sv, const std::string& path, const std::string& name) {
        i32(620).i32(storedRefID).i16(kind).i16(r).i16(g).i16(b).i32(texture).i16(sh).i16(sv);
        i16(7).i16(8).i16(9);
        return str(path).str(name);
    }
};

std::vector<uint8_t> WrittenSection() {
    StartOutputBuffer();
    DoWritePalettes(11100);
    std::vector<uint8_t> out = gOutDataBuffer;
    ReleaseOutputBuffer();
    return out;
}

void ReadSection(const std::vector<uint8_t>& bytes, int32_t version = 11100) {
    OpenInputBytes(bytes);
    DoReadPalettes(version);
}

int CountPalettes(const QMDDocumentModel* d) {
    int n = 0;
    for (const DocPaletteList* p = d->itsPaletteList; p; p = p->next) ++n;
    return n;
}

PaletteList* EntryOf(DocPaletteList* p, int index) {
    PaletteList* e = p ? p->firstEntry : nullptr;
    for (int i = 0; e && i < index; ++i) e = e->next;
    return e;
}

class PaletteIOTest : public DocumentTest {
protected:
    void TearDown() override {
        ResetStreamState();
        DocumentTest::TearDown();
    }
    // Two palettes, the second active, with every kind of entry and changed groups.
    void FillTwoPalettes() {
        DocPaletteList* first = doc->itsPaletteList;
        std::strcpy(first->name, "Exterior");
        std::strcpy(first->groupNames[0], "Siding");
        first->groupFlags[14] = 1;
        PaletteList* e = EntryOf(first, 0);
        e->kind = kPaletteColor;
        e->color[0] = 200, e->color[1] = 0, e->color[2] = 17;
        e->secondColor[1] = 3;
        e->name = CopyString("Barn red", 10);

        DocPaletteList* second = AddNewDocPaletteList();
        std::strcpy(second->name, "Interior");
        std::strcpy(second->groupNames[7], "Floors \xBC");
        second->groupFlags[7] = 1;
        first->active = 0;
        second->active = 1;
        e = EntryOf(second, 36);
        e->kind = kPaletteTexture;
        e->textureID = 1158;
        e->textureScale[0] = -5, e->textureScale[1] = 300;
        e = EntryOf(second, 149);
        e->kind = kPaletteCustomTexture;
        e->path = CopyString("C:\\Textures\\Slate.jpg", 10);
        e->name = CopyString("Slate", 10);
    }
};

TEST_F(PaletteIOTest, TwoPalettesSurviveAWriteAndRead) {
    FillTwoPalettes();
    const std::vector<uint8_t> bytes = WrittenSection();
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<uint8_t>{0, 0, 0, 2, 0, 0, 0x02, 0x6E}));  // count 2, tag 622
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()), (std::vector<uint8_t>{0, 0, 0x02, 0x6F}));

    // Read into a design whose palettes differ.
    DeleteAllDocPalettes();
    AddNewDocPaletteList();
    AddNewDocPaletteList();
    AddNewDocPaletteList();
    ReadSection(bytes);
    EXPECT_EQ(GetMark(), GetLength());
    EXPECT_FALSE(InputTruncated());

    ASSERT_EQ(CountPalettes(doc), 2);
    DocPaletteList* first = doc->itsPaletteList;
    DocPaletteList* second = first->next;
    EXPECT_STREQ(first->name, "Exterior");
    EXPECT_STREQ(second->name, "Interior");
    EXPECT_EQ(first->active, 0);
    EXPECT_EQ(GetActiveDocPaletteList(), second);
    EXPECT_STREQ(first->groupNames[0], "Siding");
    EXPECT_STREQ(first->groupNames[1], "Group 2");
    EXPECT_EQ(first->groupFlags[14], 1);
    EXPECT_STREQ(second->groupNames[7], "Floors \xBC");
    EXPECT_EQ(second->groupFlags[7], 1);
    EXPECT_EQ(second->groupFlags[6], 0);

    const PaletteList* red = EntryOf(first, 0);
    EXPECT_EQ(red->kind, kPaletteColor);
    EXPECT_EQ(red->color[0], 200);
    EXPECT_EQ(red->color[2], 17);
    EXPECT_EQ(red->secondColor[1], 3);
    EXPECT_EQ(red->secondColor[0], 255);
    EXPECT_STREQ(red->name, "Barn red");
    EXPECT_EQ(red->path, nullptr);
    const PaletteList* brick = EntryOf(second, 36);
    EXPECT_EQ(brick->refID, 37);
    EXPECT_EQ(brick->kind, kPaletteTexture);
    EXPECT_EQ(brick->textureID, 1158);
    EXPECT_EQ(brick->textureScale[0], -5);
    EXPECT_EQ(brick->textureScale[1], 300);
    const PaletteList* slate = EntryOf(second, 149);
    EXPECT_EQ(slate->refID, 150);
    EXPECT_EQ(slate->next, nullptr);
    EXPECT_STREQ(slate->path, "C:\\Textures\\Slate.jpg");
    EXPECT_STREQ(slate->name, "Slate");

    // Written again, the section is the same bytes.
    EXPECT_EQ(WrittenSection(), bytes);
}

TEST_F(PaletteIOTest, OnlyVersions11000And11100HaveTheSection) {
    StartOutputBuffer();
    DoWritePalettes(10900);
    EXPECT_TRUE(gOutDataBuffer.empty());
    DoWritePalettes(11000);
    EXPECT_FALSE(gOutDataBuffer.empty());
    ReleaseOutputBuffer();

    std::strcpy(doc->itsPaletteList->name, "Kept");
    ReadSection(Bytes{}.i32(0).v, 10900);
    ASSERT_EQ(CountPalettes(doc), 1);
    EXPECT_STREQ(doc->itsPaletteList->name, "Kept");
    EXPECT_EQ(GetMark(), 0u);

    // A count of 0 leaves the design without palettes.
    ReadSection(Bytes{}.i32(0).v, 11000);
    EXPECT_EQ(doc->itsPaletteList, nullptr);
    EXPECT_EQ(GetPaletteTextureID(-1001), 0);
}

TEST_F(PaletteIOTest, AHandBuiltSectionReadsIntoTheExpectedEntries) {
    Bytes b;
    b.i32(2).i32(622).u8(1).str("Oak").i32(1).u8(1).str("Gx").i32(1);
    b.entry(77, 4, 1, 2, 0x0103, 0x457, 50, 60, "a\\b.jpg", "Hi").i32(621);
    // The second palette has no entries: its end tag follows the count.
    b.i32(622).u8(0).str("").i32(0).i32(0).i32(621).i32(623);
    ReadSection(b.v);
    EXPECT_EQ(GetMark(), GetLength());

    ASSERT_EQ(CountPalettes(doc), 2);
    DocPaletteList* p = doc->itsPaletteList;
    EXPECT_STREQ(p->name, "Oak");
    EXPECT_EQ(p->active, 1);
    EXPECT_STREQ(p->groupNames[0], "Gx");
    EXPECT_EQ(p->groupFlags[0], 1);
    EXPECT_STREQ(p->groupNames[1], "Group 2");
    const PaletteList* e = p->firstEntry;
    EXPECT_EQ(e->refID, 1);  // the stored 77 is dropped
    EXPECT_EQ(e->kind, kPaletteColor);
    EXPECT_EQ(e->color[0], 1);
    EXPECT_EQ(e->color[2], 0x0103);
    EXPECT_EQ(e->textureID, 0x457);
    EXPECT_EQ(e->textureScale[0], 50);
    EXPECT_EQ(e->textureScale[1], 60);
    EXPECT_EQ(e->secondColor[0], 7);
    EXPECT_EQ(e->secondColor[2], 9);
    EXPECT_STREQ(e->path, "a\\b.jpg");
    EXPECT_STREQ(e->name, "Hi");
    EXPECT_EQ(e->next->kind, kPaletteEmpty);
    EXPECT_EQ(e->next->textureScale[0], 100);

    DocPaletteList* empty = p->next;
    EXPECT_STREQ(empty->name, "Default Palette");  // a name of length 0 reads nothing
    EXPECT_EQ(empty->active, 0);
    EXPECT_EQ(EntryOf(empty, 149)->refID, 150);
}

TEST_F(PaletteIOTest, OversizedNamesAndExtraGroupsAreCutWithoutMisreading) {
    const std::string longName(200, 'n');
    Bytes b;
    b.i32(1).i32(622).u8(1).str(longName).i32(16);
    for (int g = 0; g < 16; ++g) b.u8(static_cast<uint8_t>(g & 1)).str(g == 2 ? std::string(100, 'g') : "G" + std::to_string(g));
    b.i32(2);
    b.entry(1, 9, 0, 0, 0, 0, 100, 100, std::string(600, 'p') + "!", "First");
    b.entry(2, 5, 0, 0, 0, 42, 100, 100, "", std::string(700, 'q'));
    b.i32(621).i32(623);
    ReadSection(b.v);
    EXPECT_EQ(GetMark(), GetLength());

    DocPaletteList* p = doc->itsPaletteList;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p->name), std::string(127, 'n'));
    EXPECT_EQ(std::string(p->groupNames[2]), std::string(63, 'g'));
    EXPECT_STREQ(p->groupNames[14], "G14");
    EXPECT_EQ(p->groupFlags[13], 1);
    EXPECT_EQ(p->groupFlags[14], 0);
    const PaletteList* e = p->firstEntry;
    EXPECT_EQ(std::string(e->path), std::string(511, 'p'));
    EXPECT_STREQ(e->name, "First");
    EXPECT_EQ(e->next->textureID, 42);
    EXPECT_EQ(std::string(e->next->name), std::string(511, 'q'));
    EXPECT_EQ(p->next, nullptr);

    // A string longer than what is left takes only what is left.
    Bytes cut;
    cut.i32(1).i32(622).u8(1).i32(5000).v.push_back('x');
    ReadSection(cut.v);
    ASSERT_NE(doc->itsPaletteList, nullptr);
    EXPECT_STREQ(doc->itsPaletteList->name, "x");
    EXPECT_STREQ(doc->itsPaletteList->groupNames[0], "Group 1");
}

TEST_F(PaletteIOTest, EveryPrefixOfASectionAndAPaletteFileReadsSafely) {
    FillTwoPalettes();
    const std::vector<uint8_t> section = WrittenSection();
    const std::string path = FreshTempFolder("prefix") + "/p.pal";
    ASSERT_EQ(PaletteFileWrite(path.c_str()), 1);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 100u);

    for (size_t n = 0; n <= section.size(); ++n) {
        ReadSection(std::vector<uint8_t>(section.begin(), section.begin() + n));
        EXPECT_LE(GetMark(), GetLength());
    }
    // Counts far beyond the data end at the data.
    ReadSection(Bytes{}.i32(0x7FFFFFFF).i32(622).u8(0).i32(-1).i32(0x7FFFFFFF).v);
    ReadSection(Bytes{}.i32(3).i32(622).u8(0).i32(0).i32(0).i32(0x7FFFFFFF).i32(620).v);

    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    if (!doc->itsPaletteList) AddNewDocPaletteList();
    doc->itsPaletteList->active = 1;
    const std::string cut = FreshTempFolder("cut") + "/p.pal";
    for (size_t n = 0; n < file.size(); n += 7) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(n));
        EXPECT_EQ(PaletteFileOpen(cut.c_str(), GetCurrentPaletteList()), 0);
    }
    port::setAlerts(nullptr);
}

TEST_F(PaletteIOTest, APaletteFileCarriesGroupsAndEntriesOfTheActivePalette) {
    FillTwoPalettes();
    const std::string path = FreshTempFolder("file") + "/Interior.pal";
    ASSERT_EQ(PaletteFileWrite(path.c_str()), 1);
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> head(8);
    in.read(reinterpret_cast<char*>(head.data()), 8);
    EXPECT_EQ(head, (std::vector<uint8_t>{0x10, 0x27, 0, 0, 15, 0, 0, 0}));  // 10000, 15 groups

    // Into the other palette, made active: its name and flag stay its own.
    DocPaletteList* first = doc->itsPaletteList;
    SetActiveDocPaletteListByName("Exterior");
    ASSERT_EQ(PaletteFileOpen(path.c_str(), first->firstEntry), 1);
    EXPECT_STREQ(first->name, "Exterior");
    EXPECT_EQ(first->active, 1);
    EXPECT_STREQ(first->groupNames[7], "Floors \xBC");
    EXPECT_STREQ(first->groupNames[0], "Group 1");
    EXPECT_EQ(first->groupFlags[14], 0);
    EXPECT_EQ(EntryOf(first, 0)->kind, kPaletteEmpty);
    EXPECT_EQ(EntryOf(first, 0)->name, nullptr);
    EXPECT_EQ(EntryOf(first, 36)->textureID, 1158);
    EXPECT_EQ(EntryOf(first, 36)->textureScale[0], -5);
    EXPECT_STREQ(EntryOf(first, 149)->path, "C:\\Textures\\Slate.jpg");
    EXPECT_EQ(EntryOf(first, 149)->secondColor[0], 255);

    // Another tag before the end moves to the next entry without counting it.
    Bytes b;
    b.little = true;
    b.i32(10000).i32(0).i32(1).i32(999).entry(5, 4, 9, 9, 9, 0, 100, 100, "", "Second").i32(621);
    const std::string odd = FreshTempFolder("odd") + "/odd.pal";
    std::ofstream(odd, std::ios::binary).write(reinterpret_cast<const char*>(b.v.data()),
                                               static_cast<std::streamsize>(b.v.size()));
    ASSERT_EQ(PaletteFileOpen(odd.c_str(), first->firstEntry), 1);
    EXPECT_EQ(EntryOf(first, 0)->kind, kPaletteEmpty);
    EXPECT_STREQ(EntryOf(first, 1)->name, "Second");
    EXPECT_EQ(EntryOf(first, 1)->refID, 2);
}

TEST_F(PaletteIOTest, PaletteFileFailuresAreReportedAndChangeNothing) {
    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    DocPaletteList* p = doc->itsPaletteList;
    const std::string dir = FreshTempFolder("fail");

    Bytes b;
    b.little = true;
    b.i32(10001).i32(1).u8(1).str("Newer").i32(1).entry(1, 4, 1, 1, 1, 0, 1, 1, "", "").i32(621);
    const std::string newer = dir + "/newer.pal";
    std::ofstream(newer, std::ios::binary).write(reinterpret_cast<const char*>(b.v.data()),
                                                 static_cast<std::streamsize>(b.v.size()));
    EXPECT_EQ(PaletteFileOpen(newer.c_str(), p->firstEntry), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the palette file.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_STREQ(p->groupNames[0], "Group 1");
    EXPECT_EQ(p->groupFlags[0], 0);
    EXPECT_EQ(p->firstEntry->kind, kPaletteEmpty);

    // A file that cannot be opened: 0, silently.
    EXPECT_EQ(PaletteFileOpen((dir + "/missing.pal").c_str(), p->firstEntry), 0);
    EXPECT_EQ(PaletteFileOpen(newer.c_str(), nullptr), 0);
    EXPECT_EQ(alerts.shown.size(), 1u);

    EXPECT_EQ(PaletteFileWrite((dir + "/no/such/folder/p.pal").c_str()), 0);
    ASSERT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(alerts.shown[1].alert.message, "Unable to write the palette file.");
    EXPECT_EQ(alerts.shown[1].alert.informative,
              "Please ensure that adequate disk space exists on your hard drive.");

    // Without an active palette there is nothing to write or fill.
    p->active = 0;
    EXPECT_EQ(PaletteFileWrite((dir + "/p.pal").c_str()), 0);
    EXPECT_EQ(alerts.shown.size(), 2u);
    port::setAlerts(nullptr);
}

}  // namespace
