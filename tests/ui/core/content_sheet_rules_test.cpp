// What the finder and 3D print sheets decide without their controls: the Search button's
// rule and the print size.
#include <gtest/gtest.h>

#include <tuple>

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

}  // namespace
}  // namespace dvxtest
