// Plants: filling outlines with plants (numbers worked out by hand) and refreshing their records.
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
#include "model/plant_fill.h"
#include "model/plant_info.h"
#include "model/plant_refresh.h"
#include "port/files.h"
#include "render/core/texture_files.h"
#include "support/build.h"
#include "support/fixture.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"

using namespace dvxtest;

// Filling outlines with the plant chosen in the content palette: rows along the outline and
// grids inside it.
namespace fill {

struct ChosenEntry {
    std::optional<SymEntryInfo> entry;
};

class PlantFillTest : public DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        SymEntryInfo stock;
        stock.type = symentry::kStockPlant;
        stock.textureID = 3000;
        palette.entry = stock;
        SetContentPaletteSelectedSymEntryHandler([this] { return palette.entry; });
        layer = doc->itsCurLayer;
        // The outline lives on another floor, so only plants are on the current one.
        outlineLayer = layer->next;
    }

    Objex* outline(std::initializer_list<std::pair<float, float>> corners, bool closed) {
        Objex* o = Make(objtype::kPolygon).closed(closed).plan(corners).on(outlineLayer);
        UpdateObjectBounds(o);
        return o;
    }

    // The middle of every plant on the current layer, in the order they were planted.
    std::vector<FloatPoint> plants() const {
        std::vector<FloatPoint> out;
        for (const Objex* o = layer->firstObject; o; o = o->next) {
            if (o->type != objtype::kPlant) continue;
            const Poinz* a = o->firstPoint;
            const Poinz* c = a->next->next;
            out.push_back({(a->position[0] + c->position[0]) / 2, (a->position[2] + c->position[2]) / 2});
        }
        return out;
    }

    static void expectAt(const std::vector<FloatPoint>& got, const std::vector<FloatPoint>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i].floatH, want[i].floatH, 1e-3f) << "plant " << i;
            EXPECT_NEAR(got[i].floatV, want[i].floatV, 1e-3f) << "plant " << i;
        }
    }

    ChosenEntry palette;
    Layer* layer = nullptr;
    Layer* outlineLayer = nullptr;
};

TEST_F(PlantFillTest, PerimeterCarriesTheSpacingRoundCornersOfAClosedSquare) {
    Objex* square = outline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    gFillPerimeter = 1;
    gPlantSpacing = 30;
    ApplePortFillObjectWithPlants(square);

    // 4 + 3 + 4 + 3: each side starts where the spacing left off on the one before.
    expectAt(plants(), {{0, 0}, {30, 0}, {60, 0}, {90, 0},
                        {100, 20}, {100, 50}, {100, 80},
                        {90, 100}, {60, 100}, {30, 100}, {0, 100},
                        {0, 70}, {0, 40}, {0, 10}});

    // Each plant was the only selection when it was placed; the last one stays selected.
    int selected = 0;
    const Objex* last = nullptr;
    for (const Objex* o = layer->firstObject; o; o = o->next) {
        if (o->firstPoint && o->firstPoint->selected) ++selected;
        last = o;
    }
    EXPECT_TRUE(Near({selected, last->firstPoint->selected, square->firstPoint->selected}, {1, 1, 0}));
}

TEST_F(PlantFillTest, OpenPolylineIsPlantedAlongItsOwnSegmentsOnly) {
    Objex* line = outline({{0, 0}, {100, 0}, {100, 100}}, false);
    gFillPerimeter = 1;
    gPlantSpacing = 30;
    ApplePortFillObjectWithPlants(line);
    expectAt(plants(), {{0, 0}, {30, 0}, {60, 0}, {90, 0}, {100, 20}, {100, 50}, {100, 80}});
}

TEST_F(PlantFillTest, SpacingThatIsNotAPositiveNumberOrNoPlantEntryPlantsNothing) {
    Objex* square = outline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    gFillPerimeter = gFillArea = 1;
    for (float spacing : {0.0f, -30.0f, std::numeric_limits<float>::quiet_NaN()}) {
        gPlantSpacing = spacing;
        ApplePortFillObjectWithPlants(square);
        EXPECT_TRUE(plants().empty()) << spacing;
    }

    gPlantSpacing = 30;
    palette.entry->type = 5;  // a material is not a plant
    ApplePortFillObjectWithPlants(square);
    palette.entry.reset();
    ApplePortFillObjectWithPlants(square);
    ApplePortFillObjectWithPlants(nullptr);
    EXPECT_TRUE(plants().empty());
}

TEST_F(PlantFillTest, AreaGridStaysInsideTheOutline) {
    gFillArea = 1;
    gPlantSpacing = 30;
    // Narrower than the spacing: one row, at the top edge + 0.5.
    Objex* strip = outline({{0, 0}, {100, 0}, {100, 20}, {0, 20}}, true);
    ApplePortFillObjectWithPlants(strip);
    expectAt(plants(), {{0.5f, 0.5f}, {30.5f, 0.5f}, {60.5f, 0.5f}, {90.5f, 0.5f}});

    // An L: the notch (H and D above 40) gets nothing.
    while (layer->firstObject) DeleteObj(layer->firstObject);
    gPlantSpacing = 20;
    Objex* ell = outline({{0, 0}, {100, 0}, {100, 40}, {40, 40}, {40, 100}, {0, 100}}, true);
    ApplePortFillObjectWithPlants(ell);
    std::vector<FloatPoint> want;
    for (float h = 0.5f; h <= 100; h += 20)
        for (float d = 0.5f; d <= 100; d += 20)
            if (h < 40 || d < 40) want.push_back({h, d});
    expectAt(plants(), want);
    EXPECT_EQ(want.size(), 16u);
}

TEST_F(PlantFillTest, BothFillsRunPerimeterFirst) {
    Objex* square = outline({{0, 0}, {60, 0}, {60, 60}, {0, 60}}, true);
    gFillPerimeter = gFillArea = 1;
    gPlantSpacing = 40;
    ApplePortFillObjectWithPlants(square);
    // Along, each side from where the last left off: 0, 40 | 20, 60 | 40 | 20, 60; then
    // inside, a 2 x 2 grid.
    expectAt(plants(), {{0, 0}, {40, 0}, {60, 20}, {60, 60}, {20, 60}, {0, 40}, {0, 0},
                        {0.5f, 0.5f}, {0.5f, 40.5f}, {40.5f, 0.5f}, {40.5f, 40.5f}});
}

}  // namespace fill

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
