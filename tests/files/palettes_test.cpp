// Colour and texture palettes: lookups and edits, the file and design-file sections, propagation
// to objects and the clipboard palette.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "files/content_paths.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/type_data.h"
#include "port/alerts.h"
#include "port/folders.h"
#include "files/custom_textures.h"
#include "support/build.h"
#include "support/rebuild_recorder.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/records.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

// The palette section of design files and the stand-alone palette file.
namespace io {

// One entry record with its tag, big-endian as in design files or little-endian as in
// palette files.
Bytes& Entry(Bytes& b, int32_t storedRefID, int16_t kind, uint16_t r, uint16_t g, uint16_t bl, int32_t texture,
             int16_t sh, int16_t sv, const std::string& path, const std::string& name, bool little = false) {
    auto i16 = [&](int16_t x) { little ? b.le16(static_cast<uint16_t>(x)) : b.i16(x); };
    auto i32 = [&](int32_t x) { little ? b.le32(static_cast<uint32_t>(x)) : b.i32(x); };
    auto str = [&](const std::string& t) { i32(static_cast<int32_t>(t.size())); b.raw(t); };
    i32(620), i32(storedRefID), i16(kind), i16(r), i16(g), i16(bl), i32(texture), i16(sh), i16(sv);
    i16(7), i16(8), i16(9);
    str(path), str(name);
    return b;
}

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
    EXPECT_STREQ(first->groupNames[0], "Siding");
    EXPECT_STREQ(first->groupNames[1], "Group 2");
    EXPECT_STREQ(second->groupNames[7], "Floors \xBC");
    EXPECT_EQ(std::tuple(first->active, GetActiveDocPaletteList(), first->groupFlags[14], second->groupFlags[7],
                         second->groupFlags[6]),
              std::tuple(0, second, 1, 1, 0));

    const PaletteList* red = EntryOf(first, 0);
    EXPECT_EQ(std::tuple(red->kind, red->color[0], red->color[2], red->secondColor[1], red->secondColor[0], red->path),
              std::tuple(kPaletteColor, 200, 17, 3, 255, nullptr));
    EXPECT_STREQ(red->name, "Barn red");
    const PaletteList* brick = EntryOf(second, 36);
    EXPECT_EQ(std::tuple(brick->refID, brick->kind, brick->textureID, brick->textureScale[0], brick->textureScale[1]),
              std::tuple(37, kPaletteTexture, 1158, -5, 300));
    const PaletteList* slate = EntryOf(second, 149);
    EXPECT_EQ(std::tuple(slate->refID, slate->next), std::tuple(150, nullptr));
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
    ReadSection(Bytes().i32(0).data(), 10900);
    ASSERT_EQ(CountPalettes(doc), 1);
    EXPECT_STREQ(doc->itsPaletteList->name, "Kept");
    EXPECT_EQ(GetMark(), 0u);

    // A count of 0 leaves the design without palettes.
    ReadSection(Bytes().i32(0).data(), 11000);
    EXPECT_EQ(doc->itsPaletteList, nullptr);
    EXPECT_EQ(GetPaletteTextureID(-1001), 0);
}

TEST_F(PaletteIOTest, AHandBuiltSectionReadsIntoTheExpectedEntries) {
    Bytes b;
    b.i32(2).i32(622).u8(1).text("Oak").i32(1).u8(1).text("Gx").i32(1);
    Entry(b, 77, 4, 1, 2, 0x0103, 0x457, 50, 60, "a\\b.jpg", "Hi").i32(621);
    // The second palette has no entries: its end tag follows the count.
    b.i32(622).u8(0).text("").i32(0).i32(0).i32(621).i32(623);
    ReadSection(b.data());
    EXPECT_EQ(GetMark(), GetLength());

    ASSERT_EQ(CountPalettes(doc), 2);
    DocPaletteList* p = doc->itsPaletteList;
    EXPECT_STREQ(p->name, "Oak");
    EXPECT_STREQ(p->groupNames[0], "Gx");
    EXPECT_STREQ(p->groupNames[1], "Group 2");
    EXPECT_EQ(std::tuple(p->active, p->groupFlags[0]), std::tuple(1, 1));
    const PaletteList* e = p->firstEntry;
    // The stored reference 77 is dropped.
    EXPECT_EQ(std::tuple(e->refID, e->kind, e->color[0], e->color[2], e->textureID, e->textureScale[0], e->textureScale[1],
                         e->secondColor[0], e->secondColor[2], e->next->kind, e->next->textureScale[0]),
              std::tuple(1, kPaletteColor, 1, 0x0103, 0x457, 50, 60, 7, 9, kPaletteEmpty, 100));
    EXPECT_STREQ(e->path, "a\\b.jpg");
    EXPECT_STREQ(e->name, "Hi");

    DocPaletteList* empty = p->next;
    EXPECT_STREQ(empty->name, "Default Palette");  // a name of length 0 reads nothing
    EXPECT_EQ(std::tuple(empty->active, EntryOf(empty, 149)->refID), std::tuple(0, 150));
}

TEST_F(PaletteIOTest, OversizedNamesAndExtraGroupsAreCutWithoutMisreading) {
    const std::string longName(200, 'n');
    Bytes b;
    b.i32(1).i32(622).u8(1).text(longName).i32(16);
    for (int g = 0; g < 16; ++g) b.u8(static_cast<uint8_t>(g & 1)).text(g == 2 ? std::string(100, 'g') : "G" + std::to_string(g));
    b.i32(2);
    Entry(b, 1, 9, 0, 0, 0, 0, 100, 100, std::string(600, 'p') + "!", "First");
    Entry(b, 2, 5, 0, 0, 0, 42, 100, 100, "", std::string(700, 'q'));
    b.i32(621).i32(623);
    ReadSection(b.data());
    EXPECT_EQ(GetMark(), GetLength());

    DocPaletteList* p = doc->itsPaletteList;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(p->name), std::string(127, 'n'));
    EXPECT_EQ(std::string(p->groupNames[2]), std::string(63, 'g'));
    EXPECT_STREQ(p->groupNames[14], "G14");
    const PaletteList* e = p->firstEntry;
    EXPECT_EQ(std::tuple(p->groupFlags[13], p->groupFlags[14], e->next->textureID, p->next), std::tuple(1, 0, 42, nullptr));
    EXPECT_EQ(std::string(e->path), std::string(511, 'p'));
    EXPECT_STREQ(e->name, "First");
    EXPECT_EQ(std::string(e->next->name), std::string(511, 'q'));

    // A string longer than what is left takes only what is left.
    Bytes cut;
    cut.i32(1).i32(622).u8(1).i32(5000).raw("x");
    ReadSection(cut.data());
    ASSERT_NE(doc->itsPaletteList, nullptr);
    EXPECT_STREQ(doc->itsPaletteList->name, "x");
    EXPECT_STREQ(doc->itsPaletteList->groupNames[0], "Group 1");
}

TEST_F(PaletteIOTest, EveryPrefixOfASectionAndAPaletteFileReadsSafely) {
    FillTwoPalettes();
    const std::vector<uint8_t> section = WrittenSection();
    const std::string path = FreshTempFolder("prefix") + "/p.pal";
    ASSERT_EQ(PaletteFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> file = ReadWholeFile(path);
    ASSERT_GT(file.size(), 100u);

    for (size_t n = 0; n <= section.size(); ++n) {
        ReadSection(Slice(section, 0, n));
        EXPECT_LE(GetMark(), GetLength());
    }
    // Counts far beyond the data end at the data.
    ReadSection(Bytes().i32(0x7FFFFFFF).i32(622).u8(0).i32(-1).i32(0x7FFFFFFF).data());
    ReadSection(Bytes().i32(3).i32(622).u8(0).i32(0).i32(0).i32(0x7FFFFFFF).i32(620).data());

    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    if (!doc->itsPaletteList) AddNewDocPaletteList();
    doc->itsPaletteList->active = 1;
    ReadPrefixes(file, path, [&](size_t n) {
        EXPECT_EQ(PaletteFileOpen(path.c_str(), GetCurrentPaletteList()), n == file.size() ? 1 : 0) << n;
    });
    port::setAlerts(nullptr);
}

TEST_F(PaletteIOTest, APaletteFileCarriesGroupsAndEntriesOfTheActivePalette) {
    FillTwoPalettes();
    const std::string path = FreshTempFolder("file") + "/Interior.pal";
    ASSERT_EQ(PaletteFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> file = ReadWholeFile(path);
    EXPECT_EQ(Slice(file, 0, 8), (std::vector<uint8_t>{0x10, 0x27, 0, 0, 15, 0, 0, 0}));  // 10000, 15 groups

    // Into the other palette, made active: its name and flag stay its own.
    DocPaletteList* first = doc->itsPaletteList;
    SetActiveDocPaletteListByName("Exterior");
    ASSERT_EQ(PaletteFileOpen(path.c_str(), first->firstEntry), 1);
    EXPECT_STREQ(first->name, "Exterior");
    EXPECT_STREQ(first->groupNames[7], "Floors \xBC");
    EXPECT_STREQ(first->groupNames[0], "Group 1");
    EXPECT_STREQ(EntryOf(first, 149)->path, "C:\\Textures\\Slate.jpg");
    EXPECT_EQ(std::tuple(first->active, first->groupFlags[14], EntryOf(first, 0)->kind, EntryOf(first, 0)->name,
                         EntryOf(first, 36)->textureID, EntryOf(first, 36)->textureScale[0], EntryOf(first, 149)->secondColor[0]),
              std::tuple(1, 0, kPaletteEmpty, nullptr, 1158, -5, 255));

    // Another tag before the end moves to the next entry without counting it.
    Bytes b;
    b.le32(10000).le32(0).le32(1).le32(999);
    Entry(b, 5, 4, 9, 9, 9, 0, 100, 100, "", "Second", true).le32(621);
    const std::string odd = FreshTempFolder("odd") + "/odd.pal";
    WriteFileBytes(odd, b.data());
    ASSERT_EQ(PaletteFileOpen(odd.c_str(), first->firstEntry), 1);
    EXPECT_STREQ(EntryOf(first, 1)->name, "Second");
    EXPECT_EQ(std::tuple(EntryOf(first, 0)->kind, EntryOf(first, 1)->refID), std::tuple(kPaletteEmpty, 2));
}

TEST_F(PaletteIOTest, PaletteFileFailuresAreReportedAndChangeNothing) {
    RecordingAlerts alerts;
    port::setAlerts(&alerts);
    DocPaletteList* p = doc->itsPaletteList;
    const std::string dir = FreshTempFolder("fail");

    Bytes b;
    b.le32(10001).le32(1).u8(1).le32(5).raw("Newer").le32(1);
    Entry(b, 1, 4, 1, 1, 1, 0, 1, 1, "", "", true).le32(621);
    const std::string newer = dir + "/newer.pal";
    WriteFileBytes(newer, b.data());
    EXPECT_EQ(PaletteFileOpen(newer.c_str(), p->firstEntry), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to load the palette file.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_STREQ(p->groupNames[0], "Group 1");
    EXPECT_EQ(std::tuple(p->groupFlags[0], p->firstEntry->kind), std::tuple(0, kPaletteEmpty));

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

}  // namespace io

// Palette links, names, entry matching, entry and palette edits, and the temporary folder.
namespace lookups {

class PaletteLookupsTest : public DocumentTest {
protected:
    PaletteList* Entry(int32_t refID) { return GetPaletteEntryFromRefID(refID); }
    static void MakeColor(PaletteList* e, uint16_t r, uint16_t g, uint16_t b) {
        e->kind = kPaletteColor;
        e->color[0] = r, e->color[1] = g, e->color[2] = b;
    }
};

RGBColor ColorOf(int32_t textureID) {
    RGBColor c;
    GetPaletteRGBColor(&c, textureID);
    return c;
}

TEST_F(PaletteLookupsTest, LinksShowTheirEntryAndEverythingElseTheDefaults) {
    // Only -1001 to -1999 are links; a fresh entry is empty, white and at 100 %.
    EXPECT_TRUE(IsTextureAPalette(-1001));
    EXPECT_TRUE(IsTextureAPalette(-1999));
    for (int32_t plain : {-1000, -2000, 1001}) EXPECT_FALSE(IsTextureAPalette(plain));
    EXPECT_EQ(std::tuple(Entry(1), Entry(1)->kind, Entry(1)->textureScale[1], Entry(1)->secondColor[2], Entry(151)),
              std::tuple(GetCurrentPaletteList(), kPaletteEmpty, 100, 255, nullptr));
    EXPECT_EQ(GetPaletteTextureID(-1001), 0);  // empty entry

    // A custom texture entry registers its path once and keeps it as stored.
    Entry(3)->kind = kPaletteCustomTexture;
    Entry(3)->path = CopyString("Images\\Brick.ptx", 10);
    EXPECT_EQ(GetPaletteTextureID(-1003), 20000);
    EXPECT_EQ(GetPaletteTextureID(-1003), 20000);
    EXPECT_STREQ(Entry(3)->path, "Images\\Brick.ptx");
    EXPECT_STREQ(GetCustomTextureIDPath(-1003), "Images/Brick.ptx");

    MakeColor(Entry(1), 10, 20, 30);
    Entry(1)->textureScale[0] = 40;
    Entry(1)->textureScale[1] = 250;
    MakeColor(Entry(150), 1, 2, 3);
    Entry(2)->kind = kPaletteTexture;
    Entry(2)->textureID = 1158;

    EXPECT_TRUE(ColorOf(-1001) == (RGBColor{10, 20, 30}) && ColorOf(-1150) == (RGBColor{1, 2, 3}));
    EXPECT_EQ(std::tuple(GetPaletteTextureScale(-1001), GetPaletteTextureScale(-1150), GetPaletteTextureID(-1002)),
              std::tuple(40 + 250 * 65536, 6553700, 1158));

    // Plain textures: their own ID, white, 100 %.
    for (int32_t plain : {-1000, -2000, 0, 1158, 20000}) {
        EXPECT_EQ(std::tuple(GetPaletteTextureID(plain), GetPaletteTextureScale(plain)), std::tuple(plain, 6553700));
        EXPECT_TRUE(ColorOf(plain) == (RGBColor{255, 255, 255})) << plain;
    }
    // A link to a texture entry has no colour of its own; a link past the list no entry.
    EXPECT_TRUE(ColorOf(-1002) == (RGBColor{255, 255, 255}));
    EXPECT_EQ(std::tuple(GetPaletteTextureScale(-1151), GetPaletteTextureID(-1151)), std::tuple(6553700, 0));

    // Entry 37 is in the fourth group (index 3).
    EXPECT_EQ(PaletteGroupOfRefID(37), 3);
    GetActiveDocPaletteList()->groupFlags[3] = 1;
    // Entries 31 to 40 are folded; there is no 16th group.
    for (int32_t ref : {37, 31, 40}) EXPECT_EQ(IsPaletteGroupExpanded(ref), 0) << ref;
    for (int32_t ref : {30, 41, 151, -30}) EXPECT_EQ(IsPaletteGroupExpanded(ref), 1) << ref;

    // No active palette: every lookup answers its default.
    doc->itsPaletteList->active = 0;
    EXPECT_EQ(std::tuple(GetCurrentPaletteList(), Entry(37), GetPaletteTextureScale(-1001), GetPaletteTextureID(-1002),
                         IsPaletteGroupExpanded(37), FindTextureOrColorInPalette(1158, 0)),
              std::tuple(nullptr, nullptr, 6553700, 0, 1, 0));
    EXPECT_TRUE(ColorOf(-1001) == (RGBColor{255, 255, 255}));
}

TEST_F(PaletteLookupsTest, EntriesAreMatchedByTextureOrBySixteenBitRed) {
    MakeColor(Entry(1), 0, 9, 9);
    MakeColor(Entry(2), 200, 1, 1);
    Entry(3)->kind = kPaletteTexture;
    Entry(3)->textureID = 1158;
    Entry(4)->kind = kPaletteCustomTexture;
    Entry(4)->path = CopyString("Images\\Slate.jpg", 10);
    Entry(6)->kind = kPaletteTexture;  // after the empty entry 5: never reached
    Entry(6)->textureID = 77;

    EXPECT_EQ(FindTextureOrColorInPalette(0, 0), 1);
    EXPECT_EQ(FindTextureOrColorInPalette(0, 200 * 257), 2);
    EXPECT_EQ(FindTextureOrColorInPalette(0, 200), 0);   // 8-bit red is not an object colour
    EXPECT_EQ(FindTextureOrColorInPalette(5, 200 * 257), 0);
    EXPECT_EQ(FindTextureOrColorInPalette(1158, 0xFFFF), 3);

    char path[] = "Images/Slate.jpg";
    const int32_t slate = NewCustomTextureID(path);
    EXPECT_EQ(FindTextureOrColorInPalette(slate, 0xFFFF), 4);
    EXPECT_STREQ(Entry(4)->path, "Images\\Slate.jpg");
    EXPECT_EQ(FindTextureOrColorInPalette(77, 0xFFFF), 0);
}

TEST_F(PaletteLookupsTest, EditedEntriesKeepOnlyWhatTheirKindUses) {
    PaletteList source{};
    source.kind = kPaletteColor;
    source.color[0] = 12, source.color[1] = 34, source.color[2] = 56;
    source.textureID = 999;
    source.textureScale[0] = 50, source.textureScale[1] = 60;
    source.secondColor[0] = 7;
    source.refID = 99;
    char name[] = "Sand";
    char path[] = "a.jpg";
    source.name = name;
    source.path = path;

    UpdateCurPaletteListEntry(8, &source);
    PaletteList* e = Entry(8);
    // The second colour is never copied.
    EXPECT_EQ(std::tuple(e->refID, e->kind, e->textureID, e->color[1], e->textureScale[1], e->secondColor[0], e->prev),
              std::tuple(8, kPaletteColor, 0, 34, 60, 255, Entry(7)));
    EXPECT_STREQ(e->name, "Sand");
    EXPECT_NE(e->name, name);

    source.kind = kPaletteTexture;
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(std::tuple(e->textureID, e->color[0], e->color[2]), std::tuple(999, 255, 255));

    source.kind = kPaletteCustomTexture;
    source.name = nullptr;
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(std::tuple(e->textureID, e->color[0], e->name), std::tuple(0, 255, nullptr));
    EXPECT_STREQ(e->path, "a.jpg");

    source.kind = 3;  // an unknown kind stays as copied
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(std::tuple(e->textureID, e->color[0]), std::tuple(999, 12));

    UpdateCurPaletteListEntry(151, &source);  // no such entry: nothing happens
    CopyPaletteListEntry(e, e);               // onto itself: strings survive
    EXPECT_STREQ(e->path, "a.jpg");
}

TEST_F(PaletteLookupsTest, CopyingThePaletteIntoANamedOne) {
    DocPaletteList* active = GetActiveDocPaletteList();
    std::strcpy(active->groupNames[14], "Roofing");
    active->groupFlags[14] = 1;
    MakeColor(Entry(150), 5, 6, 7);
    Entry(150)->name = CopyString("Last", 10);

    ASSERT_EQ(CopyCurrentPalette("Copy", 0), 1);
    DocPaletteList* copy = GetDocPaletteListByName("Copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(DoesPaletteNameExists("copy"), 0);  // names match exactly
    EXPECT_STREQ(copy->groupNames[14], "Roofing");
    PaletteList* last = copy->firstEntry;
    while (last->next) last = last->next;
    EXPECT_EQ(std::tuple(GetActiveDocPaletteList(), copy->groupFlags[14], last->refID, last->color[2]),
              std::tuple(active, 1, 150, 7));
    EXPECT_STREQ(last->name, "Last");
    EXPECT_NE(last->name, Entry(150)->name);

    // Into the existing palette again, now moving `active` to it.
    Entry(150)->color[2] = 8;
    ASSERT_EQ(CopyCurrentPalette("Copy", 1), 1);
    EXPECT_EQ(std::tuple(GetActiveDocPaletteList(), active->active, last->color[2], copy->next), std::tuple(copy, 0, 8, nullptr));

    // Copying the active palette onto its own name changes nothing.
    ASSERT_EQ(CopyCurrentPalette("Copy", 1), 1);
    EXPECT_EQ(GetActiveDocPaletteList(), copy);
    SetActiveDocPaletteListByName("Default Palette");
    EXPECT_EQ(std::tuple(GetActiveDocPaletteList(), copy->active), std::tuple(active, 0));

    active->active = 0;
    EXPECT_EQ(CopyCurrentPalette("Other", 1), 0);
    EXPECT_EQ(DoesPaletteNameExists("Other"), 0);
}

TEST_F(PaletteLookupsTest, DeletingPalettesRelinksTheList) {
    DocPaletteList* original = doc->itsPaletteList;
    DocPaletteList* second = AddNewDocPaletteList();
    DocPaletteList* third = AddNewDocPaletteList();
    ASSERT_TRUE(second && third);
    EXPECT_EQ(std::tuple(second->active, third->prev), std::tuple(0, second));
    DeleteDocPalette(original);
    EXPECT_EQ(std::tuple(doc->itsPaletteList, second->prev), std::tuple(second, nullptr));
    doc->deleteDocPalette(third);
    EXPECT_EQ(second->next, nullptr);
    DeleteAllDocPalettes();
    EXPECT_EQ(doc->itsPaletteList, nullptr);

    gCurDocument = nullptr;
    EXPECT_EQ(AddNewDocPaletteList(), nullptr);
    EXPECT_EQ(GetActiveDocPaletteList(), nullptr);
    gCurDocument = doc;
}

TEST(ApplicationTemporaryPathTest, NamedInsideTheTemporaryBase) {
    struct Base : port::Folders {
        std::string applicationSupport(port::Domain) override { return {}; }
        std::string temporaryBase() override { return value; }
        std::string value;
    } base;
    port::setFolders(&base);
    base.value = "/run/user/1000";
    EXPECT_EQ(ApplicationTemporaryPath(), "/run/user/1000/com.dedarovozurev.dovranix");
    base.value.clear();
    EXPECT_EQ(ApplicationTemporaryPath(), "");
    std::string why;
    EXPECT_FALSE(MakeApplicationTemporaryFolder(&why));
    EXPECT_FALSE(why.empty());
    port::setFolders(nullptr);
}

}  // namespace lookups

// The clipboard palette: taken at a copy, used to resolve the links of pasted objects.
namespace clipboard {

constexpr uint16_t k16(uint16_t c) { return static_cast<uint16_t>(c * 257); }

class PaletteClipboardTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        // The copied-from palette: a colour, a scaled texture, a custom texture.
        PaletteList* red = GetPaletteEntryFromRefID(3);
        red->kind = kPaletteColor;
        red->color[0] = 200, red->color[1] = 100, red->color[2] = 50;
        PaletteList* brick = GetPaletteEntryFromRefID(4);
        brick->kind = kPaletteTexture;
        brick->textureID = 1158;
        brick->textureScale[0] = 50, brick->textureScale[1] = 75;
        brick->name = CopyString("Brick", 10);
        PaletteList* slate = GetPaletteEntryFromRefID(9);
        slate->kind = kPaletteCustomTexture;
        slate->path = CopyString("Images\\Slate.jpg", 10);
        CreateClipBoardPaletteList();
    }
    void TearDown() override {
        if (other) {
            other->dealloc();
            other = nullptr;
        }
        gCurDocument = doc;
        DocumentTest::TearDown();
    }
    // A second design becomes current; the receiving end of a paste.
    void SwitchToOtherDocument() {
        other = QMDDocumentModel::alloc()->init();
        ASSERT_NE(other, nullptr);
        ASSERT_EQ(gCurDocument, other);
    }

    QMDDocumentModel* other = nullptr;
};

TEST_F(PaletteClipboardTest, TheClipboardPaletteIsAnOwnedCopyThatOutlivesTheDocument) {
    ASSERT_NE(gClipBoardPalette, nullptr);
    EXPECT_STREQ(gClipBoardPalette->name, "ClipBoard Palette");
    EXPECT_STREQ(gClipBoardPalette->groupNames[14], "Group 15");
    // The flags are the active palette's.
    EXPECT_EQ(std::tuple(gClipBoardPalette->active, gClipBoardPalette->prev, gClipBoardPalette->next,
                         gClipBoardPalette->groupFlags[0]),
              std::tuple(0, nullptr, nullptr, 0));

    doc->dealloc();
    doc = nullptr;
    int entries = 0;
    for (const PaletteList* e = gClipBoardPalette->firstEntry; e; e = e->next) ++entries;
    EXPECT_EQ(entries, 150);
    EXPECT_EQ(GetClipBoardPaletteTextureScale(-1004), 50 + 75 * 65536);
    RGBColor c;
    GetClipBoardPaletteRGBColor(&c, -1003);
    EXPECT_EQ(c, (RGBColor{200, 100, 50}));

    // A copy from a design with no active palette leaves no clipboard palette.
    SwitchToOtherDocument();
    other->itsPaletteList->active = 0;
    CreateClipBoardPaletteList();
    EXPECT_EQ(std::tuple(gClipBoardPalette, GetClipBoardPaletteTextureID(-1004), GetClipBoardPaletteTextureScale(-1004)),
              std::tuple(nullptr, 0, 6553700));
    GetClipBoardPaletteRGBColor(&c, -1003);
    EXPECT_EQ(c, (RGBColor{255, 255, 255}));
}

TEST_F(PaletteClipboardTest, EveryLinkedSlotOfAPastedObjectIsResolved) {
    SwitchToOtherDocument();
    RebuildRecorder seen({objtype::kWall});
    Objex* wall = Make(objtype::kWall).on(other->itsLayers).line(2);
    wall->texture = -1003;
    wall->texture2 = -1004;
    wall->texture5 = 1158;  // no link: kept
    wall->color5 = RGBColor{1, 2, 3};
    Poinz* p = PointAt(wall, 1);
    p->texture2 = -1004;
    p->trim1 = new TrimRecord{};
    p->trim1->texture[2] = -1003;
    Objex* window = Make(objtype::kWindow).with(new AttachmentRecord{});
    window->typeData.attachment->insideTrimTexture = -1004;
    window->texture3 = -1009;
    Make(window).in(wall);

    ConvertObjPaletteLinksToActual(wall);

    // Slot 1's colour is the pen colour.
    EXPECT_TRUE(wall->penColor == (RGBColor{k16(200), k16(100), k16(50)}) &&
                wall->color2 == (RGBColor{0xFFFF, 0xFFFF, 0xFFFF}) && wall->color5 == (RGBColor{1, 2, 3}));
    EXPECT_EQ(std::tuple(wall->texture, wall->texture2, wall->textureScales[0].x, wall->textureScales[0].y, wall->texture5),
              std::tuple(0, 1158, 50, 75, 1158));
    EXPECT_EQ(std::tuple(p->texture2, p->faceScale2.y, p->trim1->texture[2], p->trim1->color[2].green,
                         window->typeData.attachment->insideTrimTexture, window->typeData.attachment->insideTrimScale[0]),
              std::tuple(1158, 75, 0, k16(100), 1158, 50));
    // The child's own slots: a custom texture, registered in the receiving design.
    EXPECT_GE(window->texture3, 20000);
    EXPECT_STREQ(gClipBoardPalette->firstEntry->next->next->next->next->next->next->next->next->path,
                 "Images\\Slate.jpg");

    // Rebuilt, not re-rendered.
    EXPECT_EQ(seen.rebuilt, std::vector<const Objex*>{wall});
    EXPECT_TRUE(seen.rendered.empty());
}

TEST_F(PaletteClipboardTest, ResolvedSlotsLinkAgainToTheReceivingPalette) {
    SwitchToOtherDocument();
    // The receiving palette has the same materials elsewhere; entry 1 is a colour with red 0.
    PaletteList* first = GetPaletteEntryFromRefID(1);
    first->kind = kPaletteColor;
    first->color[0] = 0;
    for (int32_t r = 2; r <= 20; ++r) {
        GetPaletteEntryFromRefID(r)->kind = kPaletteTexture;
        GetPaletteEntryFromRefID(r)->textureID = 500 + r;
    }
    PaletteList* red = GetPaletteEntryFromRefID(12);
    red->kind = kPaletteColor;
    red->color[0] = 200;
    GetPaletteEntryFromRefID(20)->textureID = 1158;

    Objex* roof = Make(objtype::kRoof).on(other->itsLayers);
    Objex* skylight = Make(objtype::kSkylight).with(new RoofAttachmentRecord{});
    skylight->typeData.roofAttachment->texture1 = -1003;
    skylight->typeData.roofAttachment->texture2 = -1004;
    Make(skylight).in(roof);
    Objex* group = Make(objtype::kGroup).on(other->itsLayers);
    group->texture4 = -1003;

    gUnlinkClipBoardFromPalette = 1;
    gLinkClipBoardToCurPalette = 1;
    ConvertObjPaletteLinksToActual(roof);
    ConvertObjPaletteLinksToActual(group);

    RoofAttachmentRecord* r = skylight->typeData.roofAttachment;
    EXPECT_EQ(std::tuple(r->texture1, r->texture2, r->textureScale2[1], group->texture4), std::tuple(-1012, -1020, 75, -1012));
    EXPECT_TRUE(r->color1 == (RGBColor{k16(200), k16(100), k16(50)}));
}

}  // namespace clipboard
