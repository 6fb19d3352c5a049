// Plant objects as clicks, drops and fills make them.
#include <gtest/gtest.h>

#include <string>

#include "content/core/content_selection_seams.h"
#include "geometry/openings/landscape_plants.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/plant_info.h"
#include "port/files.h"
#include "files/custom_textures.h"
#include "support/fixture.h"
#include "support/scene_checks.h"

using namespace dvxtest;

namespace {

class LandscapePlantTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        ds = CurrentDocState();
        ds->plantAge = 0.0f;  // a seedling: 12 plan units high
    }

    static void expectSquare(const Objex* plant, float side, float v) {
        const float want[4][2] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
        ASSERT_EQ(plant->pointCount, 4);
        const Poinz* p = plant->firstPoint;
        for (const auto& w : want) {
            ASSERT_NE(p, nullptr);
            EXPECT_NEAR(p->position[0], w[0], 1e-4f);
            EXPECT_NEAR(p->position[2], w[1], 1e-4f);
            EXPECT_EQ(p->position[1], v);
            p = p->next;
        }
    }

    DocState* ds = nullptr;
};

TEST_F(LandscapePlantTest, StockPlantIsASquareOfItsGrownWidthOnTheFloorsBase) {
    Layer* second = doc->itsLayers->next;
    ds->fillColor = RGBColor{1, 2, 3};
    ds->penStyle = 3;
    ds->currentPlanBit = 0x80;
    ds->currentElevation = 0.0f;
    dvxtest::RegisterLiveView(true);

    Objex* plant = BuildLandscapePlant(second, 1, 3000);
    ASSERT_NE(plant, nullptr);
    EXPECT_EQ(plant->type, objtype::kPlant);
    EXPECT_EQ(plant->layer, second);
    EXPECT_EQ(second->firstObject, plant);
    // No info file: a maximum of 24 inches (48 plan units) and no growth: 12 high, 10.2 wide.
    ASSERT_NE(plant->plantInfo, nullptr);
    expectSquare(plant, 0.85f * 12.0f, 96.0f);
    for (const Poinz* p = plant->firstPoint; p; p = p->next) {
        EXPECT_EQ(p->texture1, 3000);
        EXPECT_EQ(p->texture2, 3000);
    }
    EXPECT_EQ(plant->fillColor, (RGBColor{1, 2, 3}));
    EXPECT_EQ(plant->penStyle, 3);
    EXPECT_EQ(plant->planBits, 0x80);
    EXPECT_EQ(plant->onTerrain, 1);
    EXPECT_NEAR(plant->bounds3D.floatRight, 10.2f, 1e-4f);
    const std::vector<PlaneObject*> built = dvxtest::PiecesOf(plant);  // standing on the ground as a plant
    EXPECT_TRUE(built.size() == 1 && built[0]->surfaceKind == kPlantSurface);

    // Without the document's style: white, black, pen style 6, width 1; off the ground.
    ds->currentElevation = 12.0f;
    Objex* plain = BuildLandscapePlant(doc->itsLayers, 0, 3000);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->fillColor, (RGBColor{0xFFFF, 0xFFFF, 0xFFFF}));
    EXPECT_EQ(plain->penStyle, 6);
    EXPECT_EQ(plain->onTerrain, 0);
    expectSquare(plain, 10.2f, 0.0f);

    EXPECT_EQ(BuildLandscapePlant(nullptr, 1, 3000), nullptr);
}

TEST_F(LandscapePlantTest, UserPlantsKeepTheirPathAndTakeFreshTextureIDs) {
    const std::string dir = FreshTempFolder("user");
    const std::string pui = dir + "/fern.pui";
    const std::string text = "[Description]\nCommonName=Fern\nMaximumGrowthHeight=3\n";
    ASSERT_TRUE(port::WriteWholeFile(pui, text.data(), text.size()));
    SymEntryInfo entry;
    entry.type = symentry::kUserPlant;
    entry.objectData = dir + "/fern.jpg";

    const int32_t next = gCurrentPhotoTextureID;
    Objex* first = BuildUserLandscapePlant(doc->itsCurLayer, 1, &entry);
    Objex* second = BuildUserLandscapePlant(doc->itsCurLayer, 1, &entry);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->subtype, objsubtype::kUserPlant);
    ASSERT_EQ(first->typeData.kind, TypeDataKind::ImagePath);
    EXPECT_EQ(std::string(first->typeData.imagePath), entry.objectData);
    EXPECT_NE(first->typeData.imagePath, second->typeData.imagePath);
    ASSERT_NE(first->plantInfo, nullptr);
    EXPECT_STREQ(first->plantInfo->commonName, "Fern");
    // 3 inches are 6 plan units, below the seedling's 12.
    expectSquare(first, 0.85f * 6.0f, 0.0f);

    for (const auto& [plant, id] : {std::pair{first, next}, std::pair{second, next + 1}}) {
        EXPECT_EQ(plant->texture2, id);
        EXPECT_EQ(plant->texture3, id);
        EXPECT_EQ(plant->texture4, id);
        for (const Poinz* p = plant->firstPoint; p; p = p->next) {
            EXPECT_EQ(p->texture1, id);
            EXPECT_EQ(p->texture2, id);
        }
    }
    EXPECT_EQ(gCurrentPhotoTextureID, next + 2);

    // An entry without a data file gives a plant without a record: 200 by 200.
    SymEntryInfo bare;
    bare.type = symentry::kUserPlant;
    Objex* plain = BuildUserLandscapePlant(doc->itsCurLayer, 1, &bare);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->plantInfo, nullptr);
    expectSquare(plain, 200.0f, 0.0f);

    EXPECT_EQ(BuildUserLandscapePlant(doc->itsCurLayer, 1, nullptr), nullptr);
    EXPECT_EQ(gCurrentPhotoTextureID, next + 3);
}

}  // namespace
