// Plants: refreshing their records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "content/core/content_selection_seams.h"
#include "geometry/openings/landscape_plants.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/objects.h"
#include "files/plant_info_files.h"
#include "files/plant_refresh.h"
#include "port/files.h"
#include "files/texture_files.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

// Plant records filled from description files, and refreshing the plants that use a file.
namespace refresh {

class PlantRefreshTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        dir = FreshTempFolder("plants");
        ds = CurrentDocState();
        ds->plantAge = 18.0f;  // 12 x 1.2^18 = 319 outgrows every maximum below
    }

    static void put(const std::string& path, const std::string& text) {
        for (size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1))
            port::MakeFolder(path.substr(0, at));
        ASSERT_TRUE(port::WriteWholeFile(path, text.data(), text.size()));
    }

    std::string stockInfo(int32_t id) {
        char path[kTexturePathBufferSize] = {};
        GetTextureInfoFileNameFromID(id, path);
        return path;
    }

    Objex* userPlant(const std::string& path) {
        SymEntryInfo entry;
        entry.type = symentry::kUserPlant;
        entry.objectData = path;
        return BuildUserLandscapePlant(doc->itsCurLayer, 1, &entry);
    }

    // Extent of the plant's points along H.
    static float width(const Objex* plant) {
        float lo = 1e9f, hi = -1e9f;
        for (const Poinz* p = plant->firstPoint; p; p = p->next) {
            lo = std::min(lo, p->position[0]);
            hi = std::max(hi, p->position[0]);
        }
        return hi - lo;
    }

    std::string dir;
    DocState* ds = nullptr;
};

TEST_F(PlantRefreshTest, RecordsTakeTheirDefaultsAndKeepNamesTheFileLacks) {
    // A user plant reads the ".pui" beside its image; a missing height is 72, the rate 20.
    put(dir + "/rose.pui", "[Description]\nCommonName=Rose\nZone4=1\n");
    PlantInfo* user = CreateUserPlantInfo((dir + "/rose.jpg").c_str());
    ASSERT_NE(user, nullptr);
    EXPECT_STREQ(user->commonName, "Rose");
    EXPECT_TRUE(Near({user->maximumGrowthHeight, user->annualGrowthRate, user->zones[3]}, {72, 20.0f, 1}));

    // Read again from a file without "CommonName": the old name stays.
    put(dir + "/rose.pui", "[Description]\nBotanicalName=Rosa\nMaximumGrowthHeight=-5\nAnnualGrowthRate=7\n");
    InitializeUserPlantInfo(user, (dir + "/rose.jpg").c_str());
    EXPECT_STREQ(user->commonName, "Rose");
    EXPECT_STREQ(user->botanicalName, "Rosa");
    EXPECT_TRUE(Near({user->maximumGrowthHeight, user->annualGrowthRate}, {72, 7.0f}));
    DeletePlantInfo(user);

    // A stock plant reads its texture's info file: a missing height is 24, the rate 0.
    put(stockInfo(3000), "[Description]\nCommonName=Boxwood\nMaximumGrowthHeight=0\n");
    PlantInfo* stock = CreatePlantInfo(3000);
    ASSERT_NE(stock, nullptr);
    EXPECT_STREQ(stock->commonName, "Boxwood");
    EXPECT_TRUE(Near({stock->maximumGrowthHeight, stock->annualGrowthRate}, {24, 0.0f}));

    // IDs outside the stock range leave the record as it was.
    const PlantInfo before = *stock;
    InitializePlantInfo(stock, 0);
    InitializePlantInfo(stock, 15000);
    EXPECT_EQ(std::memcmp(&before, stock, sizeof before), 0);
    DeletePlantInfo(stock);
}

TEST_F(PlantRefreshTest, ChangedUserPlantFileRefreshesEveryPlantOfThatPathOnly) {
    put(dir + "/Rose.pui", "[Description]\nCommonName=Rose\nMaximumGrowthHeight=36\n");
    put(dir + "/fern.pui", "[Description]\nCommonName=Fern\nMaximumGrowthHeight=36\n");
    Objex* a = userPlant(dir + "/Rose.jpg");
    Objex* b = userPlant(dir + "/Rose.jpg");
    Objex* other = userPlant(dir + "/fern.jpg");
    ASSERT_TRUE(a && b && other);
    // 36 inches at the drawing scale of 36 are 72 plan units; the width is 0.85 of that.
    EXPECT_NEAR(width(a), 61.2f, 1e-3f);

    put(dir + "/Rose.pui", "[Description]\nCommonName=Tea rose\nMaximumGrowthHeight=108\n");
    put(dir + "/fern.pui", "[Description]\nCommonName=Changed too\nMaximumGrowthHeight=108\n");
    AddStalePieces({a, b, other});
    UpdateMatchingPlantsInfo(0, (dir + "/ROSE.JPG").c_str());

    for (Objex* plant : {a, b}) {
        EXPECT_STREQ(plant->plantInfo->commonName, "Tea rose");
        EXPECT_EQ(plant->plantInfo->maximumGrowthHeight, 108);
        EXPECT_NEAR(width(plant), 0.85f * 216.0f, 1e-2f);
        EXPECT_EQ(plant->firstPoint->selected, 0);
        EXPECT_FALSE(HasStalePiece(plant));
    }
    EXPECT_STREQ(other->plantInfo->commonName, "Fern");
    EXPECT_NEAR(width(other), 61.2f, 1e-3f);
    EXPECT_TRUE(HasStalePiece(other));
}

TEST_F(PlantRefreshTest, StockPlantsMatchByTextureAndReadItsInfoFile) {
    put(stockInfo(3000), "[Description]\nCommonName=Boxwood\nMaximumGrowthHeight=24\nAnnualGrowthRate=20\n");
    put(stockInfo(3001), "[Description]\nCommonName=Holly\nMaximumGrowthHeight=24\nAnnualGrowthRate=20\n");
    Objex* box = BuildLandscapePlant(doc->itsCurLayer, 1, 3000);
    Objex* holly = BuildLandscapePlant(doc->itsCurLayer, 1, 3001);
    put(dir + "/rose.pui", "[Description]\nCommonName=Rose\n");
    Objex* rose = userPlant(dir + "/rose.jpg");
    ASSERT_TRUE(box && holly && rose);
    EXPECT_NEAR(width(box), 0.85f * 48.0f, 1e-3f);

    // A ".pui" of the texture's name must not be what a stock plant reads.
    std::string pui = stockInfo(3000);
    put(pui.replace(pui.size() - 3, 3, "pui"), "[Description]\nCommonName=Wrong file\n");
    put(stockInfo(3000), "[Description]\nCommonName=Dwarf box\nMaximumGrowthHeight=12\nAnnualGrowthRate=20\n");
    UpdateMatchingPlantsInfo(3000, nullptr);

    EXPECT_STREQ(box->plantInfo->commonName, "Dwarf box");
    EXPECT_NEAR(width(box), 0.85f * 24.0f, 1e-3f);
    EXPECT_STREQ(holly->plantInfo->commonName, "Holly");
    EXPECT_NEAR(width(holly), 0.85f * 48.0f, 1e-3f);
    EXPECT_STREQ(rose->plantInfo->commonName, "Rose");
}

}  // namespace refresh
