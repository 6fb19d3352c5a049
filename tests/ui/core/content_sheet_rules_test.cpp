// What the finder, plant fill and 3D print sheets decide without their controls: the Search
// button's rule, the print size and the planting of a selection.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "commands/plant_fill.h"
#include "content/core/content_selection_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "support/build.h"
#include "support/doubles.h"
#include "ui/core/content_sheet_rules.h"

namespace dvxtest {
namespace {

TEST(ContentSheetRules, SearchButtonAndPrintSize) {
    using C = FindPlantControl;
    struct Button { C changed; bool stock, user; int cells, enabled; };
    for (const Button& r : {Button{C::StockBox, true, false, 2, 1}, Button{C::StockBox, false, true, 0, 0},
                            Button{C::StockBox, false, false, 3, 0}, Button{C::CategoryCells, false, false, 1, 1},
                            Button{C::CategoryCells, true, true, 0, 0}, Button{C::UserBox, false, true, 0, 1},
                            Button{C::UserBox, true, false, 1, 1}, Button{C::UserBox, true, false, 0, 0}}) {
        EXPECT_EQ(FindPlantSearchEnabled(r.changed, r.stock, r.user, r.cells), bool(r.enabled))
            << int(r.changed) << r.stock << r.user << r.cells;
    }

    struct Size { int tag; LV3DPrintSize fields; int width, height; };
    for (const Size& r : {Size{kPrintFitPage, {}, 540, 540}, Size{kPrintCustomSize, {10, 5000}, 16, 5000},
                          Size{kPrintCustomSize, {-4, 300}, 16, 300}, Size{kPrintViewSize, {1, 1}, 640, 480}}) {
        const LV3DPrintSize s = LV3DPrintSizeFor(r.tag, 540, 720, {640, 480}, r.fields);
        EXPECT_EQ(std::tuple(s.width, s.height), std::tuple(r.width, r.height)) << r.tag;
    }
}

// Two selected rectangles far apart, one not selected and a selected wall: a 50 spacing grids
// each selected rectangle with 2 x 2.
class PlantFillRules : public SelectionTest {
protected:
    void SetUp() override {
        SelectionTest::SetUp();
        port::setDocumentUndo(&undo);
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        gUndoActive = 1;
        SymEntryInfo stock;
        stock.type = symentry::kStockPlant, stock.textureID = 3000;
        SetContentPaletteSelectedSymEntryHandler([stock] { return std::optional<SymEntryInfo>(stock); });
        for (float left : {0.0f, 1000.0f, 2000.0f})
            Make(Shape(floor, objtype::kRectangle, {{left, 0}, {left + 100, 0}, {left + 100, 100}, {left, 100}}, true))
                .select(left < 2000 ? 1 : 0);
        Make(Wall(floor, {{3000, 0}, {3100, 0}, {3100, 100}})).select();
    }
    // Plants by the thousands of their middle's H: {0: 4} is four on the first rectangle.
    std::map<int, int> plantsByThousands() const {
        std::map<int, int> count;
        for (Objex* o = floor->firstObject; o; o = o->next) {
            if (o->type != objtype::kPlant) continue;
            const float middle = (PointAt(o, 0)->position[0] + PointAt(o, 2)->position[0]) / 2;
            ++count[int(std::floor(middle / 1000)) * 1000];
        }
        return count;
    }
    RecordingUndo undo;
};

TEST_F(PlantFillRules, OnlySelectedFillableObjectsOfTheFloorArePlantedAsOneStep) {
    ASSERT_TRUE(ApplyPlantFillSettings(true, false, 50));
    FillSelectedObjectsWithPlants();
    EXPECT_EQ(plantsByThousands(), (std::map<int, int>{{0, 4}, {1000, 4}}));
    EXPECT_EQ(undo.actionNames, std::vector<std::string>{"Fill Object with Plants"});

    // Both boxes off: the settings only.
    EXPECT_FALSE(ApplyPlantFillSettings(false, false, 0));
    EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(0, 0, 1.0f));
    doc->itsCurLayer = nullptr;
    EXPECT_FALSE(ApplyPlantFillSettings(true, true, 70));
    EXPECT_EQ(std::tuple(gFillArea, gFillPerimeter, gPlantSpacing), std::tuple(0, 0, 1.0f));
    doc->itsCurLayer = floor;
}

}  // namespace
}  // namespace dvxtest
