// Filling outlines with plants (numbers worked out by hand).
#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "commands/plant_fill.h"
#include "content/core/content_selection_seams.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/fixture.h"

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
        // At this scale a plan unit is an inch, so the spacings below are plan lengths too.
        doc->itsDocState->planScale = 72;
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
    gFillPerimeter = 1, gFillArea = 0;
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
    gFillPerimeter = 1, gFillArea = 0;
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
    gFillArea = 1, gFillPerimeter = 0;
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

TEST_F(PlantFillTest, SpacingIsALengthSteppedInPlanUnitsAtThePlansScale) {
    // 60 inches apart: at plan scale 36 (a plan unit is half an inch) 120 plan units, at 96
    // (1/8" to the foot: 4/3 inch) 45. Along a line 300 long, and a grid inside a square 250
    // across from its corner + 0.5.
    gPlantSpacing = 60;
    struct Row { float scale; bool area; std::vector<float> at; };
    for (const Row& r : {Row{36, false, {0, 120, 240}}, Row{96, false, {0, 45, 90, 135, 180, 225, 270}},
                         Row{36, true, {0.5f, 120.5f, 240.5f}}, Row{96, true, {0.5f, 45.5f, 90.5f, 135.5f, 180.5f, 225.5f}}}) {
        SCOPED_TRACE(std::to_string(r.scale) + (r.area ? " inside" : " along"));
        while (layer->firstObject) DeleteObj(layer->firstObject);
        while (outlineLayer->firstObject) DeleteObj(outlineLayer->firstObject);
        doc->itsDocState->planScale = r.scale;
        gFillPerimeter = !r.area, gFillArea = r.area;
        ApplePortFillObjectWithPlants(r.area ? outline({{0, 0}, {250, 0}, {250, 250}, {0, 250}}, true)
                                             : outline({{0, 0}, {300, 0}}, false));
        std::vector<FloatPoint> want;
        for (float h : r.at)
            if (!r.area) want.push_back({h, 0});
            else for (float d : r.at) want.push_back({h, d});
        expectAt(plants(), want);
    }
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
