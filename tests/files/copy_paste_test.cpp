// Copy and paste: repeated pastes and their offsets, the floor a paste goes to, pasting into
// another design (palette links, a closed source), groups, walls with doors, fresh IDs and a
// scrap cut short.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "app/core/main_window_seams.h"
#include "files/copy_paste.h"
#include "files/palettes.h"
#include "support/records.h"
#include "files/streams.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/view_state.h"
#include "plan/refresh_seams.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/build.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

namespace {

class CopyPasteTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        port::setAlerts(&alerts);
        SetRefreshHandler([this] { ++refreshes; });
        SetViewTopHandler([this] { ++viewTops; });
        SetResetStandardToolHandler([this](uint8_t flag) { standardTools += flag; });
    }
    void TearDown() override {
        if (other) other->dealloc();
        other = nullptr;
        gCurDocument = doc;
        port::setAlerts(nullptr);
        DocumentTest::TearDown();
    }

    Layer* floor(const char* name) { return GetLayerFromName(name); }

    // A selected square of side 20 with its lower left corner at (h, d).
    Objex* SelectedSquare(Layer* layer, float h, float d) {
        return Make(objtype::kPolygon).on(layer).closed().plan({{h, d}, {h + 20, d}, {h + 20, d + 20}, {h, d + 20}}).select();
    }

    RecordingAlerts alerts;
    QMDDocumentModel* other = nullptr;
    int refreshes = 0;
    int viewTops = 0;
    int standardTools = 0;
};

TEST_F(CopyPasteTest, PastingOnAnotherFloorGoesToTheCopiedFloor) {
    Layer* first = floor("First Floor");
    Layer* second = floor("Second Floor");
    SelectedSquare(first, 0, 0);
    DoCopyObjects();
    doc->itsCurLayer = second;
    second->active = 1;
    first->active = 0;
    DoPasteObjects();
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0].alert.message, "Unable to paste objects to current floor.");
    EXPECT_EQ(alerts.shown[0].alert.informative,
              "To paste objects from another floor, use the \"Copy to Floor\" option.  The objects will be "
              "pasted to the floor from which they came.");
    EXPECT_EQ(alerts.shown[0].alert.buttons, std::vector<std::string>{"OK"});
    // The copied floor gets its flags back.
    EXPECT_EQ(std::tuple(CountObjects(first->firstObject), CountObjects(second->firstObject), doc->itsCurLayer, first->active,
                         first->visible),
              std::tuple(2, 0, second, 0, 1));

    // A floor the target design lacks: the current layer takes the objects, with no alert.
    std::strcpy(gClipboardLayerName, "Attic");
    DoPasteObjects();
    EXPECT_EQ(std::tuple(CountObjects(second->firstObject), alerts.shown.size()), std::tuple(1, 1u));
}

TEST_F(CopyPasteTest, PasteInAnotherViewSwitchesToTheTopView) {
    SelectedSquare(floor("First Floor"), 0, 0);
    DoCopyObjects();
    gXViewAngle = 0.0f;
    gYViewAngle = 90.0f;
    DoPasteObjects();
    EXPECT_EQ(std::tuple(viewTops, GetCurrentView()), std::tuple(1, kViewTop));
}

TEST_F(CopyPasteTest, PastingIntoAnotherDesignResolvesPaletteLinks) {
    PaletteList* red = GetPaletteEntryFromRefID(3);
    red->kind = kPaletteColor;
    red->color[0] = 200, red->color[1] = 100, red->color[2] = 50;
    PaletteList* brick = GetPaletteEntryFromRefID(4);
    brick->kind = kPaletteTexture;
    brick->textureID = 1158;
    brick->textureScale[0] = 50, brick->textureScale[1] = 75;
    Objex* wall = Make(objtype::kWall).on(floor("First Floor")).line(2);
    SelectObj(wall, selmode::kSelect, 0);
    wall->texture = -1003;
    wall->texture2 = -1004;

    // Pasted back into its own design the links stay.
    DoCopyObjects();
    DoPasteObjects();
    EXPECT_EQ(std::tuple(gUnlinkClipBoardFromPalette, wall->next->texture2), std::tuple(0, -1004));

    other = QMDDocumentModel::alloc()->init();
    ASSERT_EQ(gCurDocument, other);
    // The receiving palette holds the brick texture at entry 20.
    for (int32_t r = 1; r <= 20; ++r) {
        GetPaletteEntryFromRefID(r)->kind = kPaletteTexture;
        GetPaletteEntryFromRefID(r)->textureID = 500 + r;
    }
    GetPaletteEntryFromRefID(20)->textureID = 1158;
    DoPasteObjects();
    EXPECT_EQ(gUnlinkClipBoardFromPalette, 1);
    Objex* pasted = GetLayerFromName("First Floor")->firstObject;
    ASSERT_NE(pasted, nullptr);
    // Slot 1 is a plain colour now; slot 2 is linked again, to the receiver's entry.
    EXPECT_EQ(std::tuple(pasted->texture, pasted->texture2, pasted->textureScales[0].y), std::tuple(0, -1020, 75));
    EXPECT_TRUE(pasted->penColor == (RGBColor{200 * 257, 100 * 257, 50 * 257}));
}

TEST_F(CopyPasteTest, TheSourceMayBeClosedBeforePastingElsewhere) {
    SelectedSquare(floor("First Floor"), 0, 0);
    DoCopyObjects();
    const uint64_t source = doc->itsSerial;
    doc->dealloc();
    doc = nullptr;
    other = QMDDocumentModel::alloc()->init();
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->itsSerial, source);
    DoPasteObjects();
    EXPECT_EQ(std::tuple(gUnlinkClipBoardFromPalette, CountObjects(GetLayerFromName("First Floor")->firstObject), alerts.shown.size()),
              std::tuple(1, 1, 0u));
    doc = other;
    other = nullptr;
}

TEST_F(CopyPasteTest, ACopiedWallKeepsItsDoor) {
    Objex* wall = TrimmedWall(floor("First Floor"), 3);
    Objex* door = Opening(wall, objtype::kDoor, 501, 0);
    ASSERT_NE(door, nullptr);
    SelectObj(wall, selmode::kSelect, 0);
    DoCopyObjects();
    DoPasteObjects();
    Objex* pasted = wall->next;
    ASSERT_NE(pasted, nullptr);
    ASSERT_NE(pasted->firstChild, nullptr);
    Objex* pastedDoor = pasted->firstChild;
    EXPECT_EQ(std::tuple(pasted->type, pastedDoor->type), std::tuple(objtype::kWall, objtype::kDoor));
    EXPECT_NE(pasted->objectID, wall->objectID);
    EXPECT_NE(pastedDoor->objectID, door->objectID);
    ASSERT_EQ(pastedDoor->typeData.kind, TypeDataKind::Attachment);
    EXPECT_EQ(std::tuple(pastedDoor->typeData.attachment->segmentStart, pastedDoor->typeData.attachment->segmentEnd),
              std::tuple(pasted->firstPoint, pasted->firstPoint->next));
}

TEST_F(CopyPasteTest, EmptyGroupsAreNotPasted) {
    Objex* group = Make(objtype::kGroup);
    Bytes scrap;
    scrap.raw(WrittenObject(group)).i16(400);
    DeleteObj(group);
    gPrivateScrap = scrap.data();
    DoPasteObjects();
    EXPECT_EQ(CountObjects(floor("First Floor")->firstObject), 0);

    // Paste needs a scrap.
    gPrivateScrap.clear();
    DoPasteObjects();
    EXPECT_EQ(refreshes, 1);
}

TEST_F(CopyPasteTest, AScrapCutShortGivesTheRecordsItHoldsWhole) {
    Layer* first = floor("First Floor");
    Objex* a = SelectedSquare(first, 0, 0);
    Objex* b = SelectedSquare(first, 100, 0);
    const std::vector<uint8_t> recordA = WrittenObject(a);
    const std::vector<uint8_t> recordB = WrittenObject(b);
    DeleteObj(a);
    DeleteObj(b);
    auto paste = [&](std::vector<uint8_t> bytes) {
        gPrivateScrap = bytes;
        DoPasteObjects();
        EXPECT_EQ(gPrivateScrap, bytes);  // the scrap itself is left as it was
        const int n = CountObjects(first->firstObject);
        while (first->firstObject) DeleteObj(first->firstObject);
        return n;
    };
    std::vector<uint8_t> both = recordA;
    both.insert(both.end(), recordB.begin(), recordB.end());
    EXPECT_EQ(paste(both), 2);  // only the end tag is missing

    std::vector<uint8_t> cut = recordA;
    cut.insert(cut.end(), recordB.begin(), recordB.begin() + static_cast<long>(recordB.size() / 2));
    EXPECT_EQ(paste(cut), 1);

    cut.resize(recordA.size() - 3);
    EXPECT_EQ(paste(cut), 0);

    // Cut inside a group: the group keeps the children that were there whole.
    Objex* group = Make(objtype::kGroup);
    Bytes grouped;
    grouped.raw(WrittenObject(group)).i16(202).raw(recordA).raw(Slice(recordB, 0, recordB.size() - 5));
    DeleteObj(group);
    gPrivateScrap = grouped.data();
    DoPasteObjects();
    ASSERT_EQ(CountObjects(first->firstObject), 1);
    EXPECT_EQ(std::tuple(first->firstObject->type, CountObjects(first->firstObject->firstChild)), std::tuple(objtype::kGroup, 1));
}

}  // namespace
