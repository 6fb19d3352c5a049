// The detail panes' rules: the conversion menu each selection of detail shapes is offered, the
// globals a draw method sets, the preview dashes taken from the plan, and a photo's base line
// resized about its centre.
#include "ui/core/detail_pane_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "support/build.h"
#include "support/fixture.h"
#include "tracking/tracking_state.h"
#include "ui/core/photo_pane_rules.h"

namespace dvxtest {
namespace {

class DetailPaneRules : public DocumentTest {
protected:
    Layer* floor() { return doc->itsCurLayer; }
    Objex* shape(PlanPoints points, bool closed, bool selected = true) {
        Objex* o = Shape(floor(), objtype::kDetail, points, closed, detailsubtype::kPolygon);
        if (selected) Make(o).select();
        return o;
    }
    void deselectAll() {
        for (Objex* o = floor()->firstObject; o; o = o->next) Make(o).select(0);
    }
    std::string menu() {
        std::string s;
        for (const ConversionItem& item : ConversionMenuItems(WorkOutConversionFacts(floor())))
            s += item.title ? std::string(item.title) + "|" : "-|";
        return s;
    }
};

bool Has(const std::string& menu, const char* title) { return menu.find(std::string("|") + title + "|") != std::string::npos; }

TEST_F(DetailPaneRules, EachSelectionIsOfferedTheConversionsItsShapesAllow) {
    // One closed rectangle: the whole menu in order, separators where they fall.
    shape({{0, 0}, {40, 0}, {40, 30}, {0, 30}}, true);
    EXPECT_EQ(menu(),
              "Convert Object To...|Interior Wall|Exterior Wall|-|Staircase|Railing|-|Floor|Floor Cutout|-|"
              "Freehand Roof|-|Deck With Railing|Deck Without Railing|Deck Stairs|Deck Railing|Deck Cutout|-|"
              "Property Line|Ground Fill Region|Edging|Fence|Retaining Wall|Topography|Topography Excavation|-|"
              "Open Polygon|");

    const auto curved = [](Objex* o) {
        o->firstPoint->next->outTangent[2] = 5;
        return o;
    };
    const struct {
        const char* what;
        std::function<void()> build;
        std::vector<const char*> offered, missing;
    } rows[] = {
        {"open polyline", [&] { shape({{0, 0}, {40, 0}, {40, 30}}, false); },
         {"Floor", "Pathway/Driveway", "Fence", "Closed Polygon"}, {"Open Polygon"}},
        {"open and closed", [&] { shape({{0, 0}, {40, 0}, {40, 30}}, false), shape({{0, 50}, {40, 50}, {40, 80}}, true); },
         {"Floor"}, {"Open Polygon", "Closed Polygon", "Pathway/Driveway"}},
        {"two-point line", [&] { shape({{0, 0}, {40, 0}}, false); },
         {"Pathway/Driveway", "Edging", "Deck Stairs"}, {"Floor", "Freehand Roof", "Topography", "Deck Cutout",
                                                          "Open Polygon", "Closed Polygon"}},
        {"line beside an open polyline", [&] { shape({{0, 0}, {40, 0}}, false), shape({{0, 50}, {40, 50}, {9, 9}}, false); },
         {"Pathway/Driveway"}, {"Floor", "Closed Polygon"}},
        {"closed curve", [&] { curved(shape({{0, 0}, {40, 0}, {40, 30}}, true)); },
         {"Floor", "Open Polygon"}, {"Fence"}},
        {"an unselected shape does not count",
         [&] { shape({{0, 0}, {40, 0}, {40, 30}}, true), shape({{0, 50}, {40, 50}}, false, false); },
         {"Open Polygon"}, {"Pathway/Driveway"}},
        {"a selected wall does not count",
         [&] { shape({{0, 0}, {40, 0}, {40, 30}}, false), Make(Wall(floor(), {{0, 90}, {50, 90}})).select(); },
         {"Closed Polygon", "Pathway/Driveway"}, {}},
    };
    for (const auto& r : rows) {
        deselectAll();
        r.build();
        const std::string m = menu();
        for (const char* title : r.offered) EXPECT_TRUE(Has(m, title)) << r.what << ": " << title;
        for (const char* title : r.missing) EXPECT_FALSE(Has(m, title)) << r.what << ": " << title;
    }
}

TEST(DetailDrawMethods, EachMethodSetsItsToolsGlobalsOnly) {
    const struct {
        int32_t tag;
        uint8_t *a, *b;  // the globals it sets (b may be null)
        uint8_t va, vb;
        bool pattern;
    } rows[] = {
        {3, &gLockRectTool, &gCenterRectTool, 1, 1, true},
        {0, &gLockRectTool, &gCenterRectTool, 0, 0, true},
        {1, &gLockRectTool, &gCenterRectTool, 0, 1, true},
        {6, &gLockOvalTool, &gCenterOvalTool, 1, 0, true},
        {5, &gLockOvalTool, &gCenterOvalTool, 0, 1, true},
        {9, &gCenterLineTool, nullptr, 1, 0, true},
        {11, &gClosePolyTool, nullptr, 0, 0, false},
        {10, &gClosePolyTool, nullptr, 1, 0, true},
        {13, &gLockArcTool, nullptr, 1, 0, true},
        {15, &gCloseSplineTool, nullptr, 0, 0, false},
        {14, &gCloseSplineTool, nullptr, 1, 0, true},
    };
    for (const auto& r : rows) {
        // Every other global is set to a marker the method must leave.
        uint8_t* all[] = {&gLockRectTool, &gCenterRectTool, &gLockOvalTool, &gCenterOvalTool, &gCenterLineTool,
                          &gClosePolyTool, &gLockArcTool, &gCloseSplineTool};
        for (uint8_t* g : all) *g = 7;
        EXPECT_TRUE(SetDrawMethodGlobals(r.tag)) << r.tag;
        EXPECT_EQ(*r.a, r.va) << r.tag;
        if (r.b) {
            EXPECT_EQ(*r.b, r.vb) << r.tag;
        }
        for (uint8_t* g : all) {
            if (g != r.a && g != r.b) {
                EXPECT_EQ(*g, 7) << r.tag;
            }
        }
        EXPECT_EQ(DrawMethodTakesPattern(r.tag), r.pattern) << r.tag;
    }
    EXPECT_FALSE(SetDrawMethodGlobals(16));
    EXPECT_EQ(ToolOfDrawMethod(-1), 0);
    EXPECT_TRUE(DrawMethodItems(7705).empty() && DrawMethodItems(7706).empty());
    ResetAllGlobals();
}

TEST_F(DetailPaneRules, PreviewDashesAreThePlansAtPenOneWhateverTheZoom) {
    for (float zoom : {1.0f, 2.0f}) {
        doc->itsDocState->zoomFactor = zoom;
        EXPECT_TRUE(LineStyleDashes(6).empty());
        EXPECT_EQ(LineStyleDashes(9), (std::vector<float>{20, 6})) << zoom;
        EXPECT_EQ(LineStyleDashes(7), (std::vector<float>{60, 6, 7, 6})) << zoom;
    }
}

TEST_F(DetailPaneRules, APhotoBaseLineKeepsItsCentreAndDirection) {
    const struct {
        PlanPoints from;
        float half;
        float h1, d1, h2, d2;
        bool changed;
    } rows[] = {
        {{{0, 0}, {100, 0}}, 30, 20, 0, 80, 0, true},
        {{{0, 0}, {60, 80}}, 25, 15, 20, 45, 60, true},
        {{{100, 0}, {0, 0}}, 10, 60, 0, 40, 0, true},
        {{{-30, 0}, {30, 0}}, 30, -30, 0, 30, 0, false},
    };
    for (const auto& r : rows) {
        Objex* photo = Make(objtype::kPhoto).plan(r.from).on(floor());
        EXPECT_EQ(ResizePhotoBaseLine(photo, r.half), r.changed);
        const Poinz *a = photo->firstPoint, *b = a->next;
        EXPECT_NEAR(a->position[0], r.h1, 1e-4f);
        EXPECT_NEAR(a->position[2], r.d1, 1e-4f);
        EXPECT_NEAR(b->position[0], r.h2, 1e-4f);
        EXPECT_NEAR(b->position[2], r.d2, 1e-4f);
        EXPECT_NEAR(PhotoBaseLength(photo), 2 * r.half, 1e-3f);
    }
    EXPECT_TRUE(PhotoSizeAccepted(0.02f) && PhotoSizeAccepted(9999.9f));
    EXPECT_FALSE(PhotoSizeAccepted(0.01f) || PhotoSizeAccepted(0) || PhotoSizeAccepted(10000));
}

}  // namespace
}  // namespace dvxtest
