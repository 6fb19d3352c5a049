// A document model with the readers linked: a reset frees the old design with its custom
// textures and palettes and starts a palette list again; closing removes its own snapshots.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/core/document_seams.h"
#include "files/content_paths.h"
#include "files/custom_textures.h"
#include "files/palettes.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/plugin_data.h"
#include "model/preferences.h"
#include "port/session.h"
#include "render/core/texture_seams.h"
#include "support/build.h"
#include "support/fixture.h"

namespace {

using namespace dvxtest;

class DocumentModelTest : public DocumentTest {};

TEST_F(DocumentModelTest, ANewMetricDesignSetsItsUndoRingAfterTheMetricSwitch) {
    gDefaultToImperial = false;
    QMDDocumentModel* metric = QMDDocumentModel::alloc()->init();
    ASSERT_NE(metric, nullptr);
    EXPECT_EQ(metric->itsDocState->units, kMetricUnits);
    EXPECT_EQ(metric->itsCurrentUndo, -1);
    metric->dealloc();
}

TEST_F(DocumentModelTest, ResetKeepsIdentityAndFreesTheOldDesign) {
    std::vector<int> changes;
    int fileNameCalls = 0;
    const char* lastName = "unset";
    SetMainWindowDocumentUpdateChangeCountHandler([&](int c) { changes.push_back(c); });
    SetMainWindowDocumentSetFileNameHandler([&](const char* n) {
        ++fileNameCalls;
        lastName = n;
    });
    std::vector<int32_t> deletedTextures;
    SetDeleteGLTexturesHandler([&](const std::vector<int32_t>& ids) {
        deletedTextures.insert(deletedTextures.end(), ids.begin(), ids.end());
    });

    // Fill the old design with one of everything.
    Objex* wall = Make(objtype::kWall).on(doc->itsLayers).line(3);
    Make(objtype::kDoor).with(new AttachmentRecord{}).in(wall);
    Make(objtype::kRectangle).on(doc->itsLayers->next);
    char path[] = "c:\\textures\\oak.ptx";
    const int32_t textureID = NewCustomTextureID(path);
    AddLiveViewsListEntry();
    StorePlugInData(new char[4]{1, 2, 3, 4}, 4, 77);
    AddNewDocPaletteList();
    doc->itsTraceImage = new PlatformObject;
    doc->itsCurLayer = doc->itsLayers->next;

    // Another document is current: the reset works on its own model and leaves it current.
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    Layer* otherFirst = other->itsLayers;
    ASSERT_EQ(gCurDocument, other);
    const int32_t id = doc->itsDocID;

    doc->reinitializeDocumentModel();

    EXPECT_TRUE(Same({gCurDocument, other->itsLayers}, {other, otherFirst}));
    EXPECT_TRUE(Near({CountLayers(other->itsLayers), doc->itsDocID}, {3, id}));
    EXPECT_EQ(changes, (std::vector<int>{2, 2}));
    EXPECT_EQ(fileNameCalls, 1);
    EXPECT_EQ(lastName, nullptr);
    EXPECT_EQ(deletedTextures, (std::vector<int32_t>{textureID}));

    ASSERT_EQ(CountLayers(doc->itsLayers), 3);
    EXPECT_EQ(doc->itsCurLayer, doc->itsLayers);
    for (Layer* l = doc->itsLayers; l; l = l->next) EXPECT_EQ(l->firstObject, nullptr);
    EXPECT_TRUE(Same({doc->itsCustomTextureList, doc->itsLiveViews}, {nullptr, nullptr}));
    EXPECT_TRUE(Same({doc->itsPlugIns, doc->itsTraceImage}, {nullptr, nullptr}));
    ASSERT_NE(doc->itsPaletteList, nullptr);
    EXPECT_EQ(doc->itsPaletteList->next, nullptr);
    EXPECT_TRUE(Near({doc->itsPaletteList->active, doc->itsDocState->nextObjectID}, {1, 1u}));
    EXPECT_EQ(doc->itsCurrentUndo, -1);

    other->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
    gCurDocument = doc;
    // The recorders go out of scope before TearDown.
    SetMainWindowDocumentUpdateChangeCountHandler(nullptr);
    SetMainWindowDocumentSetFileNameHandler(nullptr);
    SetDeleteGLTexturesHandler(nullptr);
}

TEST_F(DocumentModelTest, ClosingRemovesOnlyItsOwnSnapshots) {
    std::string why;
    ASSERT_TRUE(MakeApplicationTemporaryFolder(&why)) << why;
    const std::filesystem::path folder = ApplicationTemporaryPath();
    EXPECT_EQ(folder.filename(), "com.dedarovozurev.dovranix");
    EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    const char* names[] = {
        "com.dedarovozurev.dovranix_1100_1_12_0.dat",
        "com.dedarovozurev.dovranix_1100_1_12_24.dat",
        "com.dedarovozurev.dovranix_1100_1_123_0.dat",
        "com.dedarovozurev.dovranix_1100_2_12_0.dat",
        "com.dedarovozurev.dovranix_1100_11_12_0.dat",
        "notes.txt",
    };
    for (const char* n : names) std::ofstream(folder / n) << "x";

    port::SetLoginSessionID(1);
    doc->itsDocID = 12;
    doc->dealloc();
    doc = nullptr;

    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(folder)) left.insert(e.path().filename());
    EXPECT_EQ(left, (std::set<std::string>{names[2], names[3], names[4], names[5]}));
    EXPECT_EQ(gCurDocument, nullptr);
}

}  // namespace
