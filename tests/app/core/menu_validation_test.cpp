// Which plan menu items a design enables, marks and retitles.
#include <functional>
#include <gtest/gtest.h>

#include "app/core/menu_validation.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/type_data.h"
#include "render/core/live_view_seams.h"
#include "support/build.h"

namespace dvxtest {
namespace {

using Mark = MenuItemState::Mark;
constexpr Mark kOn = Mark::On, kOff = Mark::Off, kSame = Mark::Unchanged;

class MenuValidation : public DocumentTest {};

TEST_F(MenuValidation, ItemsFollowTheDesign) {
    DocState* ds = doc->itsDocState;
    Layer* floors[3] = {doc->itsLayers, doc->itsLayers->next, doc->itsLayers->next->next};
    auto on = [&](int floor) { return [&, floor] { doc->itsCurLayer = floors[floor]; }; };
    auto traced = [&](bool yes, uint8_t shown) {
        return [&, yes, shown] { delete doc->itsTraceImage, doc->itsTraceImage = yes ? new PlatformObject : nullptr,
                                 ds->traceImageShown = shown; };
    };
    auto set = [](auto& field, auto value) { return [&field, value] { field = value; }; };
    Objex* wall = Shape(floors[0], objtype::kWall, {{0, 0}, {9, 0}});
    wall->planBits = 8;  // the plumbing plan
    struct Row {
        std::function<void()> given;
        std::vector<int32_t> tags;
        bool enabled;
        Mark mark = kSame;
        const char* title = "";
    };
    const Row rows[] = {
        {set(gCurDocument, nullptr), {5044, 5045, 11002, 0}, false}, {set(doc->itsCurLayer, nullptr), {4242}, false},
        {on(0), {4242, 5168, 5170}, true}, {on(0), {5169, 5171}, false}, {on(2), {5169, 5171}, true},
        {on(2), {5168, 5170}, false}, {on(1), {5276}, true, kOn}, {on(1), {5275, 5277}, true, kOff},
        {[&] { ds->currentPlanBit = 4, ds->visiblePlans = 4 | 8; }, {11002}, false, kOn},
        {[&] { ds->currentPlanBit = 4, ds->visiblePlans = 4 | 8; }, {11003}, true, kOn},
        {[&] { ds->currentPlanBit = 8, ds->visiblePlans = 4; }, {11003}, false, kOff},
        {[&] { ds->currentPlanBit = 8, ds->visiblePlans = 4; }, {11000, 5343}, true, kOff},
        {traced(false, 1), {5281}, false, kSame, "Show Floorplan Trace Image"}, {traced(false, 1), {5282, 5440}, false},
        {traced(true, 0), {5282, 5440}, true}, {traced(true, 0), {5281}, true, kSame, "Show Floorplan Trace Image"},
        {traced(true, 1), {5281}, true, kSame, "Hide Floorplan Trace Image"},
        {[&] { ds->snapToGrid = 1, ds->lightSetting = 15, ds->shadowQuality = 5; }, {5045, 5293, 5334}, true, kOn},
        {[&] { ds->snapToGrid = 0, ds->lightSetting = 15, ds->shadowQuality = 5; }, {5045, 5294, 5333}, true, kOff},
        {[&] { ds->renderMode = 1, gTexturedWire = 1, ds->cameraMode = 2, ds->navigationSpeed = 9; },
         {10001, 10005, 10503}, true, kOn},
        {[&] { ds->renderMode = 1, gTexturedWire = 1, ds->cameraMode = 2, ds->navigationSpeed = 9; },
         {10000, 10002, 10004, 10006, 10007, 10504}, true, kOff},
        {[&] { ds->renderMode = 6, ds->cameraMode = 1, ds->navigationFlag = 1; }, {10002, 10006}, true, kOn},
        {set(ds->renderMode, int16_t{5}), {10003}, true, kOn},
        {[&] { floors[1]->visible = floors[2]->visible = 1; }, {5278}, true, kOn},
        {[&] { floors[1]->visible = floors[2]->visible = 1; }, {5279}, true, kOff},
        {set(floors[2]->visible, uint8_t{0}), {5279}, true, kOn},
        // The root of the last context click decides.
        {set(gContextParentObj, wall), {5338}, false, kOn}, {set(gContextParentObj, wall), {5389}, true, kOff},
        {set(gLiveViewPanelVisible, uint8_t{0}), {5151, 5239, 5253}, false},
        {set(gLiveViewPanelVisible, uint8_t{1}), {5154, 5241, 5416}, true},
        // The framing view and the live view's elevations: checked when on, live view or not.
        {[&] { ds->framingView = 1, ds->elevationView = 3, gLiveViewPanelVisible = 0; }, {5460, 5463}, true, kOn},
        {[&] { ds->framingView = 0, ds->elevationView = 3; }, {5460, 5461, 5462, 5464}, true, kOff},
        {set(ds->elevationView, int16_t{0}), {5461, 5462, 5463, 5464}, true, kOff},
    };
    QMDDocumentModel* design = doc;
    for (const Row& r : rows) {
        gCurDocument = design, design->itsCurLayer = floors[0];
        r.given();
        for (int32_t tag : r.tags) {
            const MenuItemState got = ValidateMenuCommand(tag);
            EXPECT_EQ(std::tuple(got.enabled, got.mark, got.title), std::tuple(r.enabled, r.mark, std::string(r.title)))
                << tag;
        }
    }
    struct Switch { int32_t tag; uint8_t* shown; const char* what; };
    for (auto [tag, shown, what] : {Switch{5044, &ds->showGrid, "Grid"}, {5274, &doc->itsVRVisible, "Virtual Ruler"},
                                    {5289, &ds->showCallouts, "Window & Door Callouts"},
                                    {5290, &ds->showDimensions, "Automatic Dimensions"},
                                    {5418, &ds->showTopoLines, "Topography Lines"}})
        for (uint8_t on : {0, 1}) {
            *shown = on;
            EXPECT_EQ(ValidateMenuCommand(tag).title, (on ? "Hide " : "Show ") + std::string(what)) << tag;
        }
}

}  // namespace
}  // namespace dvxtest
