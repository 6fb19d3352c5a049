// A new design, its metric variant, document IDs, resetting in place and undo file clean-up.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "app/core/document_seams.h"
#include "files/content_paths.h"
#include "files/palettes.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/objects.h"
#include "model/plugin_data.h"
#include "model/preferences.h"
#include "model/tool_defaults.h"
#include "port/random.h"
#include "port/session.h"
#include "render/core/custom_textures.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class DocumentModelTest : public DocumentTest {};

TEST_F(DocumentModelTest, NewImperialDesign) {
    // Three stacked floors of 96, one palette of 150 numbered entries, fresh ID counters.
    ASSERT_EQ(gCurDocument, doc);
    Layer* first = doc->itsLayers;
    ASSERT_EQ(CountLayers(first), 3);
    Layer* second = first->next;
    Layer* third = second->next;
    EXPECT_STREQ(third->name, "Third Floor");
    EXPECT_EQ(doc->itsCurLayer, first);
    EXPECT_EQ(third->prev, second);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(second), 96.0f);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(third), 192.0f);

    ASSERT_NE(doc->itsPaletteList, nullptr);
    DocPaletteList* palette = doc->itsPaletteList;
    EXPECT_EQ(palette->next, nullptr);
    EXPECT_STREQ(palette->groupNames[14], "Group 15");
    int entries = 0;
    for (PaletteList* e = palette->firstEntry; e; e = e->next) EXPECT_EQ(e->refID, ++entries);
    EXPECT_EQ(entries, 150);

    DocState* ds = doc->itsDocState;
    ASSERT_NE(ds, nullptr);
    EXPECT_EQ(ds->units, kImperialUnits);
    const int32_t masks[9] = {0x101, 0x1FF, 0x106, 0x10A, 0x112, 0x122, 0x142, 0x182, 0x182};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(ds->planMasks[i], masks[i]) << i;
    EXPECT_EQ(ds->nextObjectID, 1u);
    EXPECT_EQ(ds->nextPointID, 1u);
    EXPECT_EQ(doc->itsCurrentUndo, -1);
    EXPECT_GE(doc->itsDocID, 0);
    EXPECT_LT(doc->itsDocID, 16777216);
}

TEST_F(DocumentModelTest, NewMetricDesign) {
    gDefaultToImperial = false;
    QMDDocumentModel* metric = QMDDocumentModel::alloc()->init();
    ASSERT_NE(metric, nullptr);
    DocState* ds = metric->itsDocState;
    EXPECT_EQ(ds->units, kMetricUnits);
    EXPECT_FLOAT_EQ(ds->wallHeight, 94.4882f);
    for (Layer* l = metric->itsLayers; l; l = l->next) EXPECT_FLOAT_EQ(l->height, 94.48819f);
    EXPECT_FLOAT_EQ(GetLayerAbsBaseHeight(metric->itsLayers->next->next), 2 * 94.48819f);
    EXPECT_FLOAT_EQ(ds->gridSpacing.floatH, 19.685f);
    EXPECT_EQ(std::bit_cast<uint32_t>(ds->flyAltitude), 0x44F9FFF8u);
    EXPECT_FLOAT_EQ(ds->roofValue, 7.0f);  // no metric value: stays imperial
    EXPECT_NEAR(gdsAccessoryWidth, 47.244f, 1e-3);
    EXPECT_NEAR(gCeilingThickness, 11.811f, 1e-3);
    // The metric switch ran before the undo ring was set.
    EXPECT_EQ(metric->itsCurrentUndo, -1);
    metric->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
}

TEST_F(DocumentModelTest, DocumentIDsStayDistinctWhenTheGeneratorRepeats) {
    ScriptedRandom repeating({5});
    port::setRandomSource(&repeating);
    QMDDocumentModel* a = QMDDocumentModel::alloc()->init();
    QMDDocumentModel* b = QMDDocumentModel::alloc()->init();
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->itsDocID, b->itsDocID);
    EXPECT_NE(a->itsDocID, doc->itsDocID);
    EXPECT_NE(b->itsDocID, doc->itsDocID);
    b->dealloc();
    a->dealloc();

    // The largest draw stays in range, and a second document wraps round to a free ID.
    ScriptedRandom top({0xFFFFFFFFu});
    port::setRandomSource(&top);
    a = QMDDocumentModel::alloc()->init();
    b = QMDDocumentModel::alloc()->init();
    EXPECT_EQ(a->itsDocID, 16777215);
    EXPECT_GE(b->itsDocID, 0);
    EXPECT_LT(b->itsDocID, 16777216);
    EXPECT_NE(b->itsDocID, a->itsDocID);
    b->dealloc();
    a->dealloc();

    // Documents the shell knows of count too.
    SetOpenDocumentIDQuery([](int32_t id) { return id == 9; });
    ScriptedRandom nine({9, 9 + 16777216u, 10});
    port::setRandomSource(&nine);
    a = QMDDocumentModel::alloc()->init();
    EXPECT_EQ(a->itsDocID, 10);
    a->dealloc();
    port::setRandomSource(nullptr);
}

TEST_F(DocumentModelTest, ResetKeepsIdentityAndFreesTheOldDesign) {
    std::vector<int> changes;
    int fileNameCalls = 0;
    const char* lastName = "unset";
    SetMainWindowDocumentHooks({[&](int c) { changes.push_back(c); },
                                [&](const char* n) { ++fileNameCalls; lastName = n; }});
    std::vector<int32_t> deletedTextures;
    SetCustomTextureDeleter([&](const std::vector<int32_t>& ids) {
        deletedTextures.insert(deletedTextures.end(), ids.begin(), ids.end());
    });

    // Fill the old design with one of everything.
    Objex* wall = Make(objtype::kWall).on(doc->itsLayers).line(3);
    Objex* door = Make(objtype::kDoor).with(new AttachmentRecord{}).in(wall);
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

    EXPECT_EQ(gCurDocument, other);
    EXPECT_EQ(other->itsLayers, otherFirst);
    EXPECT_EQ(CountLayers(other->itsLayers), 3);
    EXPECT_EQ(doc->itsDocID, id);
    EXPECT_EQ(changes, (std::vector<int>{2, 2}));
    EXPECT_EQ(fileNameCalls, 1);
    EXPECT_EQ(lastName, nullptr);
    EXPECT_EQ(deletedTextures, (std::vector<int32_t>{textureID}));

    ASSERT_EQ(CountLayers(doc->itsLayers), 3);
    EXPECT_EQ(doc->itsCurLayer, doc->itsLayers);
    for (Layer* l = doc->itsLayers; l; l = l->next) EXPECT_EQ(l->firstObject, nullptr);
    EXPECT_EQ(doc->itsCustomTextureList, nullptr);
    EXPECT_EQ(doc->itsLiveViews, nullptr);
    EXPECT_EQ(doc->itsPlugIns, nullptr);
    EXPECT_EQ(doc->itsTraceImage, nullptr);
    ASSERT_NE(doc->itsPaletteList, nullptr);
    EXPECT_EQ(doc->itsPaletteList->next, nullptr);
    EXPECT_EQ(doc->itsPaletteList->active, 1);
    EXPECT_EQ(doc->itsDocState->nextObjectID, 1u);
    EXPECT_EQ(doc->itsCurrentUndo, -1);

    other->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
    gCurDocument = doc;
    // The recorders go out of scope before TearDown.
    SetMainWindowDocumentHooks({});
    SetCustomTextureDeleter(nullptr);
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

TEST_F(DocumentModelTest, FreeingAModelThatIsNotCurrentLeavesTheCurrentOneAlone) {
    QMDDocumentModel* other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(gCurDocument, other);
    Make(objtype::kLine).on(doc->itsLayers);
    gCurDocument = other;
    doc->dealloc();
    doc = nullptr;
    EXPECT_EQ(gCurDocument, other);
    EXPECT_EQ(CountLayers(other->itsLayers), 3);
    other->dealloc();
    EXPECT_EQ(gCurDocument, nullptr);
}

}  // namespace
