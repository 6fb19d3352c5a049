// Template files: objects merged onto the current layer, selected, with their groups.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "content/core/content_selection.h"
#include "files/design_file.h"
#include "support/records.h"
#include "files/object_records.h"
#include "files/template_files.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/texture_mapping.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"

using namespace dvxtest;

namespace {

class FixedContentSelection : public ContentSelection {
public:
    explicit FixedContentSelection(std::optional<SymEntryInfo> entry) : entry_(std::move(entry)) {}
    std::optional<SymEntryInfo> selectedSymEntry() override { return entry_; }
    int16_t selectedCategory() override { return -1; }

private:
    std::optional<SymEntryInfo> entry_;
};

SymEntryInfo EntryOfKind(int16_t kind) {
    SymEntryInfo e;
    e.type = kind;
    return e;
}

class TemplateFilesTest : public FileTest {
protected:
    TemplateFilesTest() : FileTest("templates") {}
    void TearDown() override {
        SetContentSelection(nullptr);
        FileTest::TearDown();
    }
};

// Two groups of two lines each, behind a layer record naming another floor.
DesignBytes TwoGroups() {
    DesignBytes t(11100);
    t.layer("Third Floor").object(1000, 0, 1).tag(202).object(9, 3, 2).object(9, 3, 3, 50.0f).tag(203);
    t.object(1000, 0, 4).tag(202).object(9, 3, 5, 100.0f).object(9, 3, 6, 150.0f).tag(203).tag(400);
    return t;
}

TEST_F(TemplateFilesTest, GroupsComeInSelectedOnTheCurrentLayerWithTheCurrentPlan) {
    doc->itsCurLayer = GetLayerFromName("Second Floor");
    doc->itsDocState->currentPlanBit = 16;
    const int layers = CountLayers(doc->itsLayers);
    const int32_t version = sInputVersion;
    ASSERT_EQ(TemplateFileRead(Write(TwoGroups().data()).c_str()), 1);

    EXPECT_EQ(CountLayers(doc->itsLayers), layers);
    EXPECT_EQ(GetLayerFromName("Third Floor")->firstObject, nullptr);
    const std::vector<Objex*> top = ListOf(current()->firstObject);
    ASSERT_EQ(top.size(), 2u);
    float left[2] = {0.0f, 100.0f};
    for (int g = 0; g < 2; ++g) {
        Objex* group = top[g];
        ASSERT_EQ(group->type, objtype::kGroup);
        EXPECT_TRUE(IsObjectSelected(group));
        EXPECT_EQ(group->planBits, 16);
        EXPECT_EQ(CountObjects(group->firstChild), 2);
        for (Objex* c = group->firstChild; c; c = c->next) {
            EXPECT_EQ(c->parent, group);
            EXPECT_EQ(c->layer, current());
            EXPECT_EQ(c->planBits, 16);
            for (Poinz* p = c->firstPoint; p; p = p->next) EXPECT_TRUE(p->selected);
        }
        // Bounds of the finished group: the two lines from `left` to `left` + 70.
        EXPECT_FLOAT_EQ(group->bounds3D.floatLeft, left[g]);
        EXPECT_FLOAT_EQ(group->bounds3D.floatRight, left[g] + 70.0f);
    }
    EXPECT_EQ(sInputVersion, version);
    EXPECT_TRUE(alerts.shown.empty());
}

TEST_F(TemplateFilesTest, TagEndsAnAttachmentDefinitionOnlyWhileOneIsRead) {
    DesignBytes t(11100);
    t.layer("First Floor").object(9, 4, 1).object(9, 3, 2).tag(kAttachmentDefinitionEndTag).object(9, 3, 3).tag(400);
    const std::string path = Write(t.data());

    Layer* scratch = CreateLayer("AttachDefLayer", 0, 0, nullptr);
    gAttachmentTempLayer = scratch;
    gReadingAttachmentDefinition = 1;
    EXPECT_EQ(TemplateFileRead(path.c_str()), 1);
    gReadingAttachmentDefinition = 0;
    gAttachmentTempLayer = nullptr;
    EXPECT_EQ(CountObjects(scratch->firstObject), 2);
    EXPECT_EQ(current()->firstObject, nullptr);
    DeleteLayer(scratch);

    EXPECT_EQ(TemplateFileRead(path.c_str()), 1);
    EXPECT_EQ(CountObjects(current()->firstObject), 3);
}

TEST_F(TemplateFilesTest, UnknownVersionShowsTheAlertAndReadsNothing) {
    std::vector<uint8_t> bytes = DesignBytes(11100).object(9, 3, 1).tag(400).data();
    bytes[0] = 0, bytes[1] = 0, bytes[2] = 0x29, bytes[3] = 0x68;  // 10600
    const std::string path = Write(bytes);
    sInputVersion = 10900;

    EXPECT_EQ(TemplateFileRead(path.c_str()), 0);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to read template file.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "The file '" + path + "' might be damaged or created with a more recent version of Kesto! Dovrane");
    EXPECT_FALSE(alerts.shown[0].sheet);
    EXPECT_EQ(current()->firstObject, nullptr);
    EXPECT_EQ(sInputVersion, 10900);
    EXPECT_FALSE(DesignFileBusy());

    // A file that cannot be opened says nothing.
    EXPECT_EQ(TemplateFileRead((dir + "/missing.ptm").c_str()), 0);
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(TemplateFilesTest, SpecialGroupsAreDroppedUnlessASymbolEntryIsSelected) {
    DesignBytes t(11100);
    t.object(1000, 0, 1, 0.0f, 117).tag(202).object(29, 3, 2).tag(203);
    t.object(1000, 0, 3).tag(202).object(29, 3, 4).tag(203).tag(400);
    const std::string path = Write(t.data());

    FixedContentSelection templateEntry(EntryOfKind(3));
    SetContentSelection(&templateEntry);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    ASSERT_EQ(CountObjects(current()->firstObject), 1);
    EXPECT_EQ(current()->firstObject->groupKind, 0);
    EXPECT_EQ(current()->firstObject->firstChild->optionA & 1, 0);
    ClearCurrentLayer();

    FixedContentSelection symbolEntry(EntryOfKind(symentry::kSymbol));
    SetContentSelection(&symbolEntry);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    ASSERT_EQ(CountObjects(current()->firstObject), 2);
    EXPECT_EQ(current()->firstObject->groupKind, 117);
    // Detail objects dropped from a 2D symbol entry are marked.
    for (Objex* g = current()->firstObject; g; g = g->next) EXPECT_EQ(g->firstChild->optionA & 1, 1);
    ClearCurrentLayer();

    SetContentSelection(nullptr);
    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    EXPECT_EQ(CountObjects(current()->firstObject), 2);
}

TEST_F(TemplateFilesTest, ASavedDesignReadsAsATemplateWithGroupedWallsKeepingTheirDoors) {
    Layer* floor = current();
    Objex* group = Make(objtype::kGroup).on(floor);
    Objex* wall = TrimmedWall(floor, 3);
    UnlinkObject(wall);
    wall->layer = floor;
    Make(wall).in(group);
    Opening(wall, objtype::kDoor, 500, 0);
    Objex* line = Make(objtype::kLine).on(floor).line(4);
    line->closed = 0;
    // As a read leaves it.
    SetTextureFaceUV(line);
    SetObjectPointLengths(line);
    UpdateObjectBounds(line);
    wall->planBits = line->planBits = doc->itsDocState->currentPlanBit;

    const std::string path = dir + "/saved.pro";
    ASSERT_EQ(KeyFileWrite(path.c_str()), 1);
    const std::vector<uint8_t> expectedWall = WrittenObject(wall);
    const std::vector<uint8_t> expectedLine = WrittenObject(line);
    ClearCurrentLayer();

    ASSERT_EQ(TemplateFileRead(path.c_str()), 1);
    const std::vector<Objex*> top = ListOf(floor->firstObject);
    ASSERT_EQ(top.size(), 2u);
    ASSERT_EQ(top[0]->type, objtype::kGroup);
    Objex* readWall = top[0]->firstChild;
    ASSERT_NE(readWall, nullptr);
    ASSERT_EQ(readWall->type, objtype::kWall);
    ASSERT_NE(readWall->firstChild, nullptr);
    EXPECT_EQ(readWall->firstChild->type, objtype::kDoor);
    EXPECT_EQ(readWall->firstChild->parent, readWall);
    // Same records, but for the selection the template gave the points.
    for (Objex* o : {readWall, top[1]}) SelectObj(o, selmode::kDeselect, 0);
    EXPECT_EQ(WrittenObject(readWall), expectedWall);
    EXPECT_EQ(WrittenObject(top[1]), expectedLine);
}

TEST_F(TemplateFilesTest, EveryPrefixOfATemplateReadsWithoutHarm) {
    DesignBytes t(10000);
    t.layer("First Floor").object(1000, 0).tag(202).object(9, 3).object(9, 3, 0, 50.0f).tag(203).tag(400);
    const std::vector<uint8_t>& file = t.data();
    for (size_t length = 0; length <= file.size(); ++length) {
        // A new file each time: rewriting one is far slower on some file systems.
        const std::string path = dir + "/prefix." + std::to_string(length);
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (length) std::fwrite(file.data(), 1, length, f);
        std::fclose(f);
        EXPECT_EQ(TemplateFileRead(path.c_str()), length >= 6 ? 1 : 0) << length;
        EXPECT_FALSE(DesignFileBusy());
        std::remove(path.c_str());
        if (length == file.size()) {
            ASSERT_NE(current()->firstObject, nullptr);
            EXPECT_EQ(CountObjects(current()->firstObject->firstChild), 2);
        }
        ClearCurrentLayer();
    }
}

}  // namespace
