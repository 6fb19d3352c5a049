// Texture image and info files by ID, custom texture sizes, texture repeats, and finding
// moved or missing images in the content folder or as the placeholder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "files/content_folders.h"
#include "files/palettes.h"
#include "files/windows_records.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "port/files.h"
#include "files/custom_textures.h"
#include "files/texture_files.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class TextureFilesTest : public DocumentTest {
protected:
    std::string info(int32_t id) {
        char buf[kTexturePathBufferSize];
        std::strcpy(buf, "untouched");
        GetTextureInfoFileNameFromID(id, buf);
        return buf;
    }
    // Makes every folder of `path` and writes the file.
    static void put(const std::string& path, const std::string& text) {
        for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
            port::MakeFolder(path.substr(0, at));
        ASSERT_TRUE(port::WriteWholeFile(path, text.data(), text.size()));
    }
};

TEST_F(TextureFilesTest, ImageNamesOfStockIDsComeFromTheRangeTable) {
    auto name = [](int32_t id) {
        char buf[kTexturePathBufferSize];
        std::strcpy(buf, "untouched");
        GetTextureFileNameFromID(id, buf);
        return std::string(buf);
    };
    const std::pair<int32_t, const char*> rows[] = {
        {1, "SKY/SKY1.PTX"},           {1551, "SKY/SKY2.PTX"},
        {3, ""},                       {5, ""},
        {7460, "TREES/TREE461.PTX"},   {7461, "TREES/KESTO1.PTX"},
        {1500, "WOOD/WOOD1.PTX"},      {2200, "WOOD/WOOD1.PTX"},
        {955, "CONCRETE/CONCRE6.PTX"}, {14005, "LIGHT/LIGHT6.PTX"},
        {14006, ""},                   {14060, "WIREPLANTS/WireTree.ptx"},
        {14065, "WIREPLANTS/WireGroundCover.ptx"}, {14071, "WIREPLANTS/WireEdible.ptx"},
        {14072, ""},                   {14999, ""},
        {0, "untouched"},              {15000, "untouched"},
        {-1001, "untouched"},
    };
    for (const auto& [id, want] : rows) EXPECT_EQ(name(id), want) << id;
    GetTextureFileNameFromID(1, nullptr);

    // Plants draw in wire frame as their group's image; trees and everything else as a tree.
    const std::pair<int32_t, int32_t> wire[] = {
        {500, 14060}, {300, 14061}, {5681, 14061}, {6000, 14062}, {3609, 14063}, {9085, 14064},
        {3700, 14065}, {10055, 14066}, {11000, 14067}, {12504, 14068}, {4034, 14069}, {4050, 14070},
        {13022, 14071}, {13023, 14060}, {1, 14060}, {14999, 14060}, {0, 0}, {15000, 0}};
    for (const auto& [id, want] : wire) EXPECT_EQ(GetWireFramePlantTextureIDNameFromID(id), want) << id;
}

TEST_F(TextureFilesTest, InfoFilesOfStockIDsComeFromTheRangeTable) {
    const std::string stock = LocalDomainTexturePath() + "/";
    const std::string plants = LocalDomainUserSharedTexturePath() + "/";
    ASSERT_NE(stock, plants);
    EXPECT_EQ(info(1), stock + "SKY/SKY1.PTI");
    EXPECT_EQ(info(1550), stock + "SKY/SKY1.PTI");
    EXPECT_EQ(info(1551), stock + "SKY/SKY2.PTI");
    EXPECT_EQ(info(2200), stock + "WOOD/WOOD1.PTI");
    EXPECT_EQ(info(955), stock + "CONCRETE/CONCRE6.PTI");
    EXPECT_EQ(info(3), stock);
    EXPECT_EQ(info(5), stock);
    EXPECT_EQ(info(2999), stock);
    EXPECT_EQ(info(3000), plants + "SHRUBS/SHRUB1.PTI");
    EXPECT_EQ(info(7460), plants + "TREES/TREE461.PTI");
    EXPECT_EQ(info(7461), plants + "TREES/KESTO1.PTI");
    EXPECT_EQ(info(13022), plants + "EDIBLES/EDIBLES23.PTI");
    EXPECT_EQ(info(13023), plants);
    EXPECT_EQ(info(500), stock + "TREES/TREE1.PTI");  // old plant ranges stay in the stock folder
    EXPECT_EQ(info(14001), stock + "LIGHT/LIGHT2.PTI");
    EXPECT_EQ(info(14065), stock);  // wire-frame images have no info file
    EXPECT_EQ(info(14999), stock);
    EXPECT_EQ(info(15000), "untouched");
    EXPECT_EQ(info(0), "untouched");
    EXPECT_EQ(info(-1001), "untouched");
    GetTextureInfoFileNameFromID(1, nullptr);
}

TEST_F(TextureFilesTest, CustomTextureSizesComeFromTheirInfoFiles) {
    char sky[] = "Photos/sky.jpg";
    const int32_t id = NewCustomTextureID(sky);
    ASSERT_EQ(id, 20000);
    const std::string custom = LocalDomainCustomTexturePath();

    char buf[kTexturePathBufferSize] = "untouched";
    EXPECT_EQ(GetCustomTextureInfoFileNameFromID(id, buf), 1);
    EXPECT_EQ(std::string(buf), custom + "/Photos/sky.PTI");
    EXPECT_EQ(GetCustomTextureInfoFileNameFromID(20001, buf), 0);
    EXPECT_EQ(std::string(buf), custom + "/");
    std::strcpy(buf, "untouched");
    EXPECT_EQ(GetCustomTextureInfoFileNameFromID(19999, buf), 0);
    EXPECT_STREQ(buf, "untouched");

    put(custom + "/Photos/sky.PTI", "[Size]\nHeight=240\n[Opacity]\nWidth=5\n");
    int32_t w = 0, h = 0;
    EXPECT_EQ(LoadCustomTextureWH(id, &w, &h), 240);
    EXPECT_EQ(w, -1);  // missing key
    EXPECT_EQ(h, 240);

    // Through a palette link.
    PaletteList* entry = GetPaletteEntryFromRefID(3);
    ASSERT_NE(entry, nullptr);
    entry->kind = kPaletteCustomTexture;
    entry->path = CopyString("Photos/sky.jpg");
    w = h = 0;
    EXPECT_EQ(LoadCustomTextureWH(-1003, &w, &h), 240);
    EXPECT_EQ(h, 240);

    // No info file: both -1. Other IDs and null outputs: untouched.
    char lot[] = "Lots/grass.jpg";
    const int32_t other = NewCustomTextureID(lot);
    EXPECT_EQ(LoadCustomTextureWH(other, &w, &h), -1);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
    w = h = 7;
    EXPECT_EQ(LoadCustomTextureWH(1550, &w, &h), -1);
    EXPECT_EQ(LoadCustomTextureWH(id, nullptr, &h), -1);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 7);
}

TEST_F(TextureFilesTest, PathsThatCannotBeOpenedAreLookedForInTheContentFolder) {
    const std::string content = LocalDomainContentPath();
    put(content + "/brick.jpg", "img");
    const std::string here = FreshTempFolder("textures") + "/stone.jpg";
    put(here, "img");

    char buf[kTexturePathBufferSize];
    std::strcpy(buf, "C:\\Textures\\brick.jpg");
    Validate512Pathname(buf);
    EXPECT_EQ(std::string(buf), content + "/brick.jpg");

    std::strcpy(buf, "/moved/away/brick.jpg");
    Validate512Pathname(buf);
    EXPECT_EQ(std::string(buf), content + "/brick.jpg");

    std::strcpy(buf, here.c_str());  // exists where it says
    Validate512Pathname(buf);
    EXPECT_EQ(std::string(buf), here);

    std::strcpy(buf, "C:\\Textures\\none.jpg");  // nowhere to be found
    Validate512Pathname(buf);
    EXPECT_STREQ(buf, "C:\\Textures\\none.jpg");

    std::memset(buf, 'a', sizeof buf);  // no NUL at all: read within the buffer only
    Validate512Pathname(buf);
    Validate512Pathname(nullptr);

    EXPECT_STREQ(SetPathPtrToFilename("C:\\a/b\\c.jpg"), "c.jpg");
    EXPECT_STREQ(SetPathPtrToFilename("c.jpg"), "c.jpg");
    EXPECT_STREQ(SetPathPtrToFilename("dir/"), "");
    EXPECT_EQ(SetPathPtrToFilename(""), nullptr);
    EXPECT_EQ(SetPathPtrToFilename(nullptr), nullptr);
}

TEST_F(TextureFilesTest, MissingFilesAreLookedForInTheContentFolderOrStandInForThePlaceholder) {
    const std::string content = LocalDomainContentPath(), custom = LocalDomainCustomTexturePath();
    const std::string here = FreshTempFolder("images") + "/own.ptx";
    put(here, "P6 not an image");
    put(content + "/moved.ptx", "x");
    put(custom + "/NA.PTX", "x");
    struct Row {
        std::string path;
        bool searchContent, substituteMissing, found;
        std::string after;
    };
    const Row rows[] = {
        {here, true, true, true, here},
        {"C:\\Textures\\moved.ptx", true, false, true, content + "/moved.ptx"},
        {"/gone/none.ptx", true, true, false, "/gone/none.ptx"},
        {"/gone/none.ptx", false, true, false, custom + "/NA.PTX"},  // spelt as on disk
        {"/gone/none.ptx", false, false, false, "/gone/none.ptx"},
    };
    for (const Row& r : rows) {
        char buf[kTexturePathBufferSize];
        std::strcpy(buf, r.path.c_str());
        EXPECT_EQ(VerifyOrFindFile(buf, r.searchContent, r.substituteMissing), r.found) << r.path;
        EXPECT_EQ(std::string(buf), r.after) << r.path;
    }
    // A file that is there but cannot be decoded is not swapped for another.
    PpmImageDecoder decoder;
    port::setImageDecoder(&decoder);
    EXPECT_EQ(LoadGLDIBImage(here.c_str()), nullptr);
    EXPECT_EQ(decoder.requested, std::vector<std::string>{here});
    EXPECT_EQ(LoadGLDIBImage(nullptr), nullptr);
}

TEST_F(TextureFilesTest, RepeatsAreTheFaceOverTheTextureSizeAtTheDrawingScale) {
    put(LocalDomainTexturePath() + "/WOOD/WOOD4.PTI", "[Size]\nWidth=100\nHeight=50\n");
    char sky[] = "Photos/sky.jpg";
    PaletteList* entry = GetPaletteEntryFromRefID(3);
    ASSERT_NE(entry, nullptr);
    entry->kind = kPaletteTexture, entry->textureID = 2203;
    // At scale 36, 100 by 50 inches span 200 by 100 plan units (100 by 100 without an info
    // file); a custom texture without a size keeps (1, -1), IDs of neither kind (1, 1).
    const std::pair<int32_t, std::pair<float, float>> rows[] = {
        {2203, {1, -1}}, {-1003, {1, -1}}, {2204, {1, -0.5f}}, {NewCustomTextureID(sky), {1, -1}},
        {17000, {1, 1}}};
    for (const auto& [id, want] : rows) {
        float h = 0, v = 0;
        ComputeTextureScale(id, 200, 100, &h, &v);
        EXPECT_TRUE(std::fabs(h - want.first) < 1e-5 && std::fabs(v - want.second) < 1e-5) << id;
    }
}

}  // namespace

class AttachmentTextures : public SelectionTest {};

TEST_F(AttachmentTextures, CustomTextureSizesBecomeTrimAndSkylightScalesClampedTo16Bits) {
    char name[] = "Photos/trim.jpg";
    const int32_t id = NewCustomTextureID(name);
    const std::string info = LocalDomainCustomTexturePath() + "/Photos/trim.PTI";
    for (size_t at = info.find('/', 1); at != std::string::npos; at = info.find('/', at + 1))
        port::MakeFolder(info.substr(0, at));
    auto size = [&](const std::string& text) { ASSERT_TRUE(port::WriteWholeFile(info, text.data(), text.size())); };

    Objex* wall = Wall(floor, {{0, 0}, {100, 0}});
    AttachmentRecord* door = Attach(wall, objtype::kDoor, wall->firstPoint, nullptr)->typeData.attachment;
    door->insideTrimTexture = id;
    door->outsideTrimTexture = 2200;
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {100, 0}, {100, 100}}, true);
    Objex* skylight = Shape(roof, objtype::kSkylight, {{10, 10}, {20, 10}, {20, 20}}, true);
    auto* sky = new RoofAttachmentRecord{};
    sky->texture2 = id;
    Make(skylight).with(sky);

    size("[Size]\nWidth=48\nHeight=96\n");
    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_TRUE(Near({door->insideTrimScale[0], door->insideTrimScale[1]}, {48, 96}));
    EXPECT_EQ(sky->textureScale2[1], 96);
    EXPECT_EQ(door->outsideTrimScale[0], 0);  // other textures untouched

    size("[Size]\nWidth=70000\nHeight=-40000\n");
    UpdateAllAttachmentsCustomTextureWH(id);
    EXPECT_TRUE(Near({door->insideTrimScale[0], door->insideTrimScale[1]}, {32767, -32768}));
    EXPECT_EQ(sky->textureScale2[0], 32767);
}
