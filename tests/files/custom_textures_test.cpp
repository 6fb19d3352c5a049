// Custom texture IDs keyed by path.
#include <gtest/gtest.h>

#include <vector>

#include "model/document_model.h"
#include "files/custom_textures.h"
#include "render/core/texture_seams.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class CustomTexturesTest : public DocumentTest {};

TEST_F(CustomTexturesTest, OneIDPerPathIgnoringCaseAndSlashKind) {
    char windows[] = "A\\b.PTX";
    char unix[] = "a/B.ptx";
    char other[] = "c.ptx";
    EXPECT_EQ(NewCustomTextureID(windows), 20000);
    EXPECT_STREQ(windows, "A/b.PTX");
    EXPECT_EQ(NewCustomTextureID(unix), 20000);
    EXPECT_EQ(NewCustomTextureID(other), 20001);
    EXPECT_EQ(NewCustomTextureID(nullptr), 0);
    EXPECT_EQ(gCurrentPhotoTextureID, 20002);

    EXPECT_STREQ(GetCustomTextureIDPath(20000), "A/b.PTX");
    EXPECT_STREQ(GetCustomTextureIDPath(20001), "c.ptx");
    EXPECT_EQ(GetCustomTextureIDPath(20002), nullptr);
    EXPECT_EQ(IsTexturePathLoaded("c.ptx"), 20001);
    EXPECT_EQ(IsTexturePathLoaded("C.ptx"), 0);

    std::vector<std::vector<int32_t>> deletions;
    SetDeleteGLTexturesHandler([&](const std::vector<int32_t>& ids) { deletions.push_back(ids); });
    doc->deleteAllCachedCustomTextures();
    ASSERT_EQ(deletions.size(), 1u);
    EXPECT_EQ(deletions[0], (std::vector<int32_t>{20000, 20001}));
    EXPECT_NE(doc->itsCustomTextureList, nullptr);

    doc->deleteCustomTextureList();
    EXPECT_EQ(deletions.size(), 2u);
    EXPECT_EQ(doc->itsCustomTextureList, nullptr);
    DeleteCustomTextureList();
    EXPECT_EQ(deletions.size(), 2u);  // an empty list deletes nothing

    // IDs are not reused within a run, even after the list is emptied.
    char again[] = "a/b.ptx";
    EXPECT_EQ(NewCustomTextureID(again), 20002);
    SetDeleteGLTexturesHandler(nullptr);  // the recorder goes out of scope before TearDown
}

TEST_F(CustomTexturesTest, ListsBelongToTheirDocument) {
    char path[] = "tile.ptx";
    const int32_t id = NewCustomTextureID(path);
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    EXPECT_EQ(GetCustomTextureIDPath(id), nullptr);
    char same[] = "tile.ptx";
    EXPECT_EQ(NewCustomTextureID(same), id + 1);
    other->dealloc();
    gCurDocument = nullptr;
    AddCustomTextureID(30000, "x.ptx");  // no document: nothing
    EXPECT_EQ(GetCustomTextureIDPath(30000), nullptr);
    gCurDocument = doc;
    EXPECT_STREQ(GetCustomTextureIDPath(id), "tile.ptx");
}

}  // namespace
