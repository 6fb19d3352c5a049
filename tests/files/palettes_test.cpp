// Palette lists, links from texture fields to palette entries, and the temporary folder.
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

class PalettesTest : public DocumentTest {};

TEST_F(PalettesTest, LinksResolveAgainstTheActivePalette) {
    EXPECT_TRUE(IsTextureAPalette(-1001));
    EXPECT_TRUE(IsTextureAPalette(-1999));
    EXPECT_FALSE(IsTextureAPalette(-1000));
    EXPECT_FALSE(IsTextureAPalette(-2000));
    EXPECT_FALSE(IsTextureAPalette(1001));

    PaletteList* first = GetPaletteEntryFromRefID(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, GetCurrentPaletteList());
    EXPECT_EQ(first->kind, kPaletteEmpty);
    EXPECT_EQ(first->textureScale[1], 100);
    EXPECT_EQ(first->color[0], 255);
    EXPECT_EQ(first->secondColor[2], 255);
    EXPECT_EQ(GetPaletteEntryFromRefID(151), nullptr);

    PaletteList* e37 = GetPaletteEntryFromRefID(37);
    e37->kind = kPaletteTexture;
    e37->textureID = 1158;
    EXPECT_EQ(GetPaletteTextureID(-1037), 1158);
    EXPECT_EQ(GetPaletteTextureID(1158), 1158);
    EXPECT_EQ(GetPaletteTextureID(-1000), -1000);
    EXPECT_EQ(GetPaletteTextureID(-1001), 0);  // empty entry
    EXPECT_EQ(GetPaletteTextureID(-1500), 0);  // no such entry

    PaletteList* e2 = GetPaletteEntryFromRefID(2);
    e2->kind = kPaletteCustomTexture;
    e2->path = CopyString("Images\\Brick.ptx", 10);
    const int32_t custom = GetPaletteTextureID(-1002);
    EXPECT_EQ(custom, 20000);
    EXPECT_STREQ(e2->path, "Images\\Brick.ptx");  // the entry keeps its path as stored
    EXPECT_STREQ(GetCustomTextureIDPath(-1002), "Images/Brick.ptx");
    EXPECT_EQ(GetPaletteTextureID(-1002), custom);

    // No active palette: no links resolve.
    doc->itsPaletteList->active = 0;
    EXPECT_EQ(GetActiveDocPaletteList(), nullptr);
    EXPECT_EQ(GetPaletteEntryFromRefID(37), nullptr);
    EXPECT_EQ(GetPaletteTextureID(-1037), 0);
}

TEST_F(PalettesTest, AddingAndDeletingPalettes) {
    DocPaletteList* original = doc->itsPaletteList;
    DocPaletteList* second = AddNewDocPaletteList();
    DocPaletteList* third = AddNewDocPaletteList();
    ASSERT_TRUE(second && third);
    EXPECT_EQ(second->active, 0);
    EXPECT_EQ(original->next, second);
    EXPECT_EQ(third->prev, second);
    EXPECT_EQ(GetActiveDocPaletteList(), original);

    third->active = 1;
    original->active = 0;
    EXPECT_EQ(GetActiveDocPaletteList(), third);

    DeleteDocPalette(original);
    EXPECT_EQ(doc->itsPaletteList, second);
    EXPECT_EQ(second->prev, nullptr);
    GetPaletteEntryFromRefID(5)->name = CopyString("Oak", 10);
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
