// The conversion menu each selection of detail shapes is offered.
#include "ui/core/detail_pane_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/document_model.h"
#include "model/object_types.h"
#include "support/build.h"
#include "support/fixture.h"

namespace dvxtest {
namespace {

class DetailPaneRules : public DocumentTest {
protected:
    Objex* shape(PlanPoints points, bool closed, bool selected = true) {
        Objex* o = Shape(doc->itsCurLayer, objtype::kDetail, points, closed, detailsubtype::kPolygon);
        if (selected) Make(o).select();
        return o;
    }
    std::string menu() {
        std::string s = "|";
        for (const ConversionItem& item : ConversionMenuItems(WorkOutConversionFacts(doc->itsCurLayer)))
            s += item.title ? std::string(item.title) + "|" : "-|";
        return s;
    }
};

TEST_F(DetailPaneRules, EachSelectionIsOfferedTheConversionsItsShapesAllow) {
    // One closed rectangle: the whole menu in order, separators where they fall.
    shape({{0, 0}, {40, 0}, {40, 30}, {0, 30}}, true);
    EXPECT_EQ(menu(),
              "|Convert Object To...|Interior Wall|Exterior Wall|-|Staircase|Railing|-|Floor|Floor Cutout|-|"
              "Freehand Roof|-|Deck With Railing|Deck Without Railing|Deck Stairs|Deck Railing|Deck Cutout|-|"
              "Property Line|Ground Fill Region|Edging|Fence|Retaining Wall|Topography|Topography Excavation|-|"
              "Open Polygon|");

    const PlanPoints three = {{0, 0}, {40, 0}, {40, 30}}, two = {{0, 0}, {40, 0}};
    const struct {
        const char* what;
        std::function<void()> build;
        std::vector<const char*> offered, missing;
    } rows[] = {
        {"open polyline", [&] { shape(three, false); }, {"Floor", "Pathway/Driveway", "Fence", "Closed Polygon"},
         {"Open Polygon"}},
        {"open and closed", [&] { shape(three, false), shape(three, true); }, {"Floor"},
         {"Open Polygon", "Closed Polygon", "Pathway/Driveway"}},
        {"two-point line", [&] { shape(two, false); }, {"Pathway/Driveway", "Edging", "Deck Stairs"},
         {"Floor", "Freehand Roof", "Topography", "Deck Cutout", "Closed Polygon"}},
        {"line and open polyline", [&] { shape(two, false), shape(three, false); }, {"Pathway/Driveway"},
         {"Floor", "Closed Polygon"}},
        {"closed curve", [&] { shape(three, true)->firstPoint->next->outTangent[2] = 5; }, {"Open Polygon"}, {"Fence"}},
        {"unselected shapes and walls do not count",
         [&] { shape(three, true), shape(two, false, false), Make(Wall(doc->itsCurLayer, two)).select(); },
         {"Open Polygon"}, {"Pathway/Driveway"}},
    };
    for (const auto& r : rows) {
        for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) Make(o).select(0);
        r.build();
        const std::string m = menu();
        for (const char* title : r.offered) EXPECT_NE(m.find(std::string("|") + title + "|"), std::string::npos) << r.what << ": " << title;
        for (const char* title : r.missing) EXPECT_EQ(m.find(std::string("|") + title + "|"), std::string::npos) << r.what << ": " << title;
    }
}

}  // namespace
}  // namespace dvxtest
