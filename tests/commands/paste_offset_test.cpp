// Repeated pastes: each centred in the window, then offset 36 further by the move command.
#include <gtest/gtest.h>

#include "app/core/main_window_seams.h"
#include "files/copy_paste.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "plan/refresh_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"

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
        port::setAlerts(nullptr);
        DocumentTest::TearDown();
    }

    Layer* floor(const char* name) { return GetLayerFromName(name); }

    // A selected square of side 20 with its lower left corner at (h, d).
    Objex* SelectedSquare(Layer* layer, float h, float d) {
        return Make(objtype::kPolygon).on(layer).closed().plan({{h, d}, {h + 20, d}, {h + 20, d + 20}, {h, d + 20}}).select();
    }

    // The middle of the object's plan extent; a square's lower left corner is 10 less.
    static void ExpectCentre(const Objex* o, float h, float d) {
        float minH = 1e9f, maxH = -1e9f, minD = 1e9f, maxD = -1e9f;
        for (const Poinz* p = o->firstPoint; p; p = p->next) {
            minH = std::min(minH, p->position[0]), maxH = std::max(maxH, p->position[0]);
            minD = std::min(minD, p->position[2]), maxD = std::max(maxD, p->position[2]);
        }
        EXPECT_FLOAT_EQ((minH + maxH) / 2, h);
        EXPECT_FLOAT_EQ((minD + maxD) / 2, d);
    }

    RecordingAlerts alerts;
    int refreshes = 0;
    int viewTops = 0;
    int standardTools = 0;
};

TEST_F(CopyPasteTest, RepeatedPastesAreCentredAndOffsetBy36) {
    Layer* first = floor("First Floor");
    Objex* original = SelectedSquare(first, 500, 300);
    const uint32_t originalID = original->objectID;
    const uint32_t nextID = doc->itsDocState->nextObjectID;
    DoCopyObjects();
    EXPECT_STREQ(gClipboardLayerName, "First Floor");
    EXPECT_EQ(std::tuple(gPasteOffset, gClipboardDoc), std::tuple(0.0f, doc->itsSerial));
    ASSERT_GE(gPrivateScrap.size(), 2u);
    // End tag 400.
    EXPECT_EQ(std::tuple(gPrivateScrap[gPrivateScrap.size() - 2], gPrivateScrap.back()), std::tuple(0x01, 0x90));

    for (int i = 0; i < 3; ++i) DoPasteObjects();
    const auto objects = ListOf(first->firstObject);
    ASSERT_EQ(objects.size(), 4u);
    // The lot runs from -2400 to 2400: its middle is (0, 0).
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectCentre(objects[i + 1], 36.0f * i, 36.0f * i);
        EXPECT_GE(objects[i + 1]->objectID, nextID);
        EXPECT_NE(objects[i + 1]->objectID, originalID);
    }
    // Only the last paste stays selected; the original stays where it was.
    EXPECT_EQ(std::tuple(gPasteOffset, objects[3]->firstPoint->selected, objects[1]->firstPoint->selected,
                         original->firstPoint->selected, original->firstPoint->position[0]),
              std::tuple(108.0f, 1, 0, 0, 500.0f));
    EXPECT_EQ(std::tuple(alerts.shown.size(), standardTools, refreshes, viewTops), std::tuple(0u, 3, 3, 0));

    // A new copy starts the offsets again; a mirror paste stays where the copy was.
    DoCopyObjects();
    EXPECT_EQ(gPasteOffset, 0.0f);
    gMirroring = 1;
    DoPasteObjects();
    gMirroring = 0;
    ExpectCentre(first->firstObject->next->next->next->next, 72.0f, 72.0f);
    EXPECT_EQ(gPasteOffset, 0.0f);
}

}  // namespace
