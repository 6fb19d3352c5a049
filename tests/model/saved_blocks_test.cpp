// Saved cameras and plug-in data blocks.
#include <gtest/gtest.h>

#include <cstring>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/plugin_data.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/render_state.h"
#include "support/fixture.h"

using namespace dvxtest;

namespace {

class SavedCamerasTest : public DocumentTest {
protected:
    DocState* ds() { return doc->itsDocState; }

    // Puts a distinct value into every camera field of the settings record.
    void SetCamera(float base) {
        DocState* d = ds();
        d->cameraMode = static_cast<int16_t>(base + 1);
        d->navigationFlag = static_cast<uint8_t>(base + 2);
        d->flyValueA = base + 3;
        d->flyValueB = base + 4;
        d->cameraHeading = base + 5;
        d->cameraPosition = FloatPoint{base + 6, base + 7};
        d->flyAltitude = base + 8;
        d->eyeHeight = base + 9;
        d->lightOffset = FloatPoint{base + 10, base + 11};
        d->cutAwayPosition = static_cast<int32_t>(base + 12);
        d->cutAwayKind = static_cast<int16_t>(base + 13);
        d->renderValue = static_cast<int32_t>(base + 14);
        d->liveViewFlag = static_cast<uint8_t>(base + 15);
        d->liveViewValue = static_cast<int32_t>(base + 16);
        d->liveViewFlagB = static_cast<uint8_t>(base + 17);
        d->liveViewFlagC = static_cast<uint8_t>(base + 18);
        d->navigationValue = static_cast<int16_t>(base + 19);
        d->renderMode = static_cast<int16_t>(base + 20);
        d->renderFlag = static_cast<uint8_t>(base + 21);
        d->renderSetting = static_cast<uint16_t>(base + 22);
        d->lightValue = base + 23;
        d->sunOn = static_cast<uint8_t>(base + 24);
        d->sunAngle = base + 25;
        d->sunValueB = base + 26;
        d->sunValueD = static_cast<int16_t>(base + 27);
        d->cameraValue = base + 28;
        d->lightIntensity = base + 29;
        d->lightFlag = static_cast<uint8_t>(base + 30);
    }

    void ExpectCamera(float base) {
        const DocState* d = ds();
        EXPECT_EQ(d->cameraMode, base + 1);
        EXPECT_EQ(d->navigationFlag, base + 2);
        EXPECT_EQ(d->flyValueA, base + 3);
        EXPECT_EQ(d->flyValueB, base + 4);
        EXPECT_EQ(d->cameraHeading, base + 5);
        EXPECT_EQ(d->cameraPosition.floatH, base + 6);
        EXPECT_EQ(d->cameraPosition.floatV, base + 7);
        EXPECT_EQ(d->flyAltitude, base + 8);
        EXPECT_EQ(d->eyeHeight, base + 9);
        EXPECT_EQ(d->lightOffset.floatH, base + 10);
        EXPECT_EQ(d->lightOffset.floatV, base + 11);
        EXPECT_EQ(d->cutAwayPosition, base + 12);
        EXPECT_EQ(d->cutAwayKind, base + 13);
        EXPECT_EQ(d->renderValue, base + 14);
        EXPECT_EQ(d->liveViewFlag, base + 15);
        EXPECT_EQ(d->liveViewValue, base + 16);
        EXPECT_EQ(d->liveViewFlagB, base + 17);
        EXPECT_EQ(d->liveViewFlagC, base + 18);
        EXPECT_EQ(d->navigationValue, base + 19);
        EXPECT_EQ(d->renderMode, base + 20);
        EXPECT_EQ(d->renderFlag, base + 21);
        EXPECT_EQ(d->renderSetting, base + 22);
        EXPECT_EQ(d->lightValue, base + 23);
        EXPECT_EQ(d->sunOn, base + 24);
        EXPECT_EQ(d->sunAngle, base + 25);
        EXPECT_EQ(d->sunValueB, base + 26);
        EXPECT_EQ(d->sunValueD, base + 27);
        EXPECT_EQ(d->cameraValue, base + 28);
        EXPECT_EQ(d->lightIntensity, base + 29);
        EXPECT_EQ(d->lightFlag, base + 30);
    }
};

TEST_F(SavedCamerasTest, SaveAndChooseRestoresEveryField) {
    SetCamera(100);
    LiveViewsList* porch = AddLiveViewsListEntry();
    ASSERT_NE(porch, nullptr);
    EXPECT_STREQ(porch->name, "");
    std::strcpy(porch->name, "Porch");
    SetCamera(40);
    LiveViewsList* garden = AddLiveViewsListEntry();
    std::strcpy(garden->name, "Garden");
    EXPECT_EQ(CountLiveViewsList(), 2);
    EXPECT_EQ(garden->prev, porch);

    SetCamera(7);
    gRefreshRender = 0;
    SetCurrentLiveView(1);
    ExpectCamera(100);
    EXPECT_STREQ(ds()->currentLiveView, "Porch");
    EXPECT_EQ(gRefreshRender, 1);

    // Indices outside the list change nothing.
    SetCamera(7);
    gRefreshRender = 0;
    SetCurrentLiveView(0);
    SetCurrentLiveView(3);
    ExpectCamera(7);
    EXPECT_EQ(gRefreshRender, 0);

    // The current camera takes the settings back; an unknown current name changes nothing.
    UpdateCurrentLiveView();
    SetCamera(55);
    SetCurrentLiveView(1);
    ExpectCamera(7);
    std::strcpy(ds()->currentLiveView, "Attic");
    SetCamera(60);
    UpdateCurrentLiveView();
    SetCurrentLiveView(2);
    ExpectCamera(40);

    EXPECT_EQ(GetLiveViewFromName("Garden"), garden);
    EXPECT_EQ(GetLiveViewFromName("garden"), nullptr);
    EXPECT_EQ(GetLiveViewFromName(nullptr), nullptr);

    DeleteLiveViewsListEntry(porch);
    EXPECT_EQ(doc->itsLiveViews, garden);
    EXPECT_EQ(garden->prev, nullptr);
    EXPECT_EQ(CountLiveViewsList(), 1);
    DeleteLiveViewsList();
    EXPECT_EQ(doc->itsLiveViews, nullptr);
    EXPECT_EQ(CountLiveViewsList(), 0);
}

TEST_F(SavedCamerasTest, NothingWithoutADocument) {
    gCurDocument = nullptr;
    EXPECT_EQ(AddLiveViewsListEntry(), nullptr);
    EXPECT_EQ(CountLiveViewsList(), 0);
    SetCurrentLiveView(1);
    UpdateCurrentLiveView();
    gCurDocument = doc;
}

class PlugInBlocksTest : public DocumentTest {};

TEST_F(PlugInBlocksTest, OneBlockPerPlugIn) {
    SetLoadedPlugInIDsHandler([] { return std::vector<int32_t>{7, 9}; });
    QMDDocumentModel* withTools = QMDDocumentModel::alloc()->init();
    PlugInData* first = withTools->itsPlugIns;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->plugInID, 7);
    EXPECT_EQ(first->size, 0);
    EXPECT_EQ(first->data, nullptr);
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(first->next->plugInID, 9);
    EXPECT_EQ(first->next->next, nullptr);

    // Storing twice keeps one block with the second data (the first is freed).
    StorePlugInData(new char[3]{'a', 'b', 'c'}, 3, 9);
    StorePlugInData(new char[2]{'x', 'y'}, 2, 9);
    PlugInData* nine = GetPlugInData(9);
    EXPECT_EQ(nine, first->next);
    EXPECT_EQ(nine->size, 2);
    EXPECT_EQ(nine->data[1], 'y');

    // An unknown ID is appended after the loaded plug-ins' blocks.
    StorePlugInData(new char[1]{'z'}, 1, 42);
    EXPECT_EQ(nine->next->plugInID, 42);
    EXPECT_EQ(nine->next->prev, nine);
    withTools->dealloc();

    // Without a document the handed-over data is not kept (and not leaked).
    StorePlugInData(new char[1]{'q'}, 1, 5);
    gCurDocument = doc;
    EXPECT_EQ(doc->itsPlugIns, nullptr);
    AppendPlugInDataToList(3);
    EXPECT_EQ(doc->itsPlugIns->plugInID, 3);
    DeletePlugInDataList();
    EXPECT_EQ(doc->itsPlugIns, nullptr);
}

}  // namespace
