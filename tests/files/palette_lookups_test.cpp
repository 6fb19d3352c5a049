// Palette links, names, entry matching, entry and palette edits, and the temporary folder.
#include <gtest/gtest.h>

#include <cstring>

#include "files/content_paths.h"
#include "files/palettes.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "port/folders.h"
#include "render/core/custom_textures.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

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
    EXPECT_EQ(Entry(1), GetCurrentPaletteList());
    EXPECT_EQ(Entry(1)->kind, kPaletteEmpty);
    EXPECT_EQ(Entry(1)->textureScale[1], 100);
    EXPECT_EQ(Entry(1)->secondColor[2], 255);
    EXPECT_EQ(Entry(151), nullptr);
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

    EXPECT_EQ(ColorOf(-1001), (RGBColor{10, 20, 30}));
    EXPECT_EQ(ColorOf(-1150), (RGBColor{1, 2, 3}));
    EXPECT_EQ(GetPaletteTextureScale(-1001), 40 + 250 * 65536);
    EXPECT_EQ(GetPaletteTextureScale(-1150), 6553700);
    EXPECT_EQ(GetPaletteTextureID(-1002), 1158);

    // Plain textures: their own ID, white, 100 %.
    for (int32_t plain : {-1000, -2000, 0, 1158, 20000}) {
        EXPECT_EQ(GetPaletteTextureID(plain), plain);
        EXPECT_EQ(ColorOf(plain), (RGBColor{255, 255, 255}));
        EXPECT_EQ(GetPaletteTextureScale(plain), 6553700);
    }
    // A link to a texture entry has no colour of its own; a link past the list no entry.
    EXPECT_EQ(ColorOf(-1002), (RGBColor{255, 255, 255}));
    EXPECT_EQ(GetPaletteTextureScale(-1151), 6553700);
    EXPECT_EQ(GetPaletteTextureID(-1151), 0);

    // Entry 37 is in the fourth group (index 3).
    EXPECT_EQ(PaletteGroupOfRefID(37), 3);
    GetActiveDocPaletteList()->groupFlags[3] = 1;
    EXPECT_EQ(IsPaletteGroupExpanded(37), 0);
    EXPECT_EQ(IsPaletteGroupExpanded(31), 0);
    EXPECT_EQ(IsPaletteGroupExpanded(40), 0);
    EXPECT_EQ(IsPaletteGroupExpanded(30), 1);
    EXPECT_EQ(IsPaletteGroupExpanded(41), 1);
    EXPECT_EQ(IsPaletteGroupExpanded(151), 1);  // no 16th group
    EXPECT_EQ(IsPaletteGroupExpanded(-30), 1);

    // No active palette: every lookup answers its default.
    doc->itsPaletteList->active = 0;
    EXPECT_EQ(GetCurrentPaletteList(), nullptr);
    EXPECT_EQ(Entry(37), nullptr);
    EXPECT_EQ(ColorOf(-1001), (RGBColor{255, 255, 255}));
    EXPECT_EQ(GetPaletteTextureScale(-1001), 6553700);
    EXPECT_EQ(GetPaletteTextureID(-1002), 0);
    EXPECT_EQ(IsPaletteGroupExpanded(37), 1);
    EXPECT_EQ(FindTextureOrColorInPalette(1158, 0), 0);
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
    EXPECT_EQ(e->refID, 8);
    EXPECT_EQ(e->kind, kPaletteColor);
    EXPECT_EQ(e->textureID, 0);
    EXPECT_EQ(e->color[1], 34);
    EXPECT_EQ(e->textureScale[1], 60);
    EXPECT_EQ(e->secondColor[0], 255);  // never copied
    EXPECT_STREQ(e->name, "Sand");
    EXPECT_NE(e->name, name);
    EXPECT_EQ(e->prev, Entry(7));

    source.kind = kPaletteTexture;
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(e->textureID, 999);
    EXPECT_EQ(e->color[0], 255);
    EXPECT_EQ(e->color[2], 255);

    source.kind = kPaletteCustomTexture;
    source.name = nullptr;
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(e->textureID, 0);
    EXPECT_EQ(e->color[0], 255);
    EXPECT_STREQ(e->path, "a.jpg");
    EXPECT_EQ(e->name, nullptr);

    source.kind = 3;  // an unknown kind stays as copied
    UpdateCurPaletteListEntry(8, &source);
    EXPECT_EQ(e->textureID, 999);
    EXPECT_EQ(e->color[0], 12);

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
    EXPECT_EQ(GetActiveDocPaletteList(), active);
    EXPECT_STREQ(copy->groupNames[14], "Roofing");
    EXPECT_EQ(copy->groupFlags[14], 1);
    PaletteList* last = copy->firstEntry;
    while (last->next) last = last->next;
    EXPECT_EQ(last->refID, 150);
    EXPECT_EQ(last->color[2], 7);
    EXPECT_STREQ(last->name, "Last");
    EXPECT_NE(last->name, Entry(150)->name);

    // Into the existing palette again, now moving `active` to it.
    Entry(150)->color[2] = 8;
    ASSERT_EQ(CopyCurrentPalette("Copy", 1), 1);
    EXPECT_EQ(GetActiveDocPaletteList(), copy);
    EXPECT_EQ(active->active, 0);
    EXPECT_EQ(last->color[2], 8);
    EXPECT_EQ(copy->next, nullptr);

    // Copying the active palette onto its own name changes nothing.
    ASSERT_EQ(CopyCurrentPalette("Copy", 1), 1);
    EXPECT_EQ(GetActiveDocPaletteList(), copy);
    SetActiveDocPaletteListByName("Default Palette");
    EXPECT_EQ(GetActiveDocPaletteList(), active);
    EXPECT_EQ(copy->active, 0);

    active->active = 0;
    EXPECT_EQ(CopyCurrentPalette("Other", 1), 0);
    EXPECT_EQ(DoesPaletteNameExists("Other"), 0);
}

TEST_F(PaletteLookupsTest, DeletingPalettesRelinksTheList) {
    DocPaletteList* original = doc->itsPaletteList;
    DocPaletteList* second = AddNewDocPaletteList();
    DocPaletteList* third = AddNewDocPaletteList();
    ASSERT_TRUE(second && third);
    EXPECT_EQ(second->active, 0);
    EXPECT_EQ(third->prev, second);
    DeleteDocPalette(original);
    EXPECT_EQ(doc->itsPaletteList, second);
    EXPECT_EQ(second->prev, nullptr);
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
        std::string usersFolder() override { return {}; }
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

}  // namespace
