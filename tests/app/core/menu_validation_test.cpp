// Which plan menu items a design enables, marks and retitles, item by item.
#include <functional>
#include <gtest/gtest.h>

#include "app/core/menu_validation.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/type_data.h"
#include "render/core/live_view_seams.h"
#include "render/core/render_state.h"
#include "support/build.h"

namespace dvxtest {
namespace {

using Mark = MenuItemState::Mark;
constexpr Mark kOn = Mark::On, kOff = Mark::Off, kSame = Mark::Unchanged;

class MenuValidation : public DocumentTest {};

TEST_F(MenuValidation, ItemsFollowTheDesign) {
    DocState* ds = doc->itsDocState;
    Layer* floors[3] = {GetLayerFromName("First Floor"), GetLayerFromName("Second Floor"), GetLayerFromName("Third Floor")};
    auto on = [&](int floor) { return [&, floor] { doc->itsCurLayer = floors[floor]; }; };
    auto traced = [&](bool yes, uint8_t shown) {
        return [&, yes, shown] {
            delete doc->itsTraceImage;
            doc->itsTraceImage = yes ? new PlatformObject : nullptr;
            ds->traceImageShown = shown;
        };
    };
    Objex* wall = Make(Shape(floors[0], objtype::kWall, {{0, 0}, {9, 0}}));
    Objex* door = Make(objtype::kDoor).in(wall);
    wall->planBits = 8;
    struct Row {
        std::function<void()> given;
        int32_t tag;
        bool enabled;
        Mark mark;
        const char* title;
    };
    const Row rows[] = {
        {[&] { gCurDocument = nullptr; }, 5044, false, kSame, ""},
        {[&] { gCurDocument = nullptr; }, 11002, false, kSame, ""},
        {[&] { doc->itsCurLayer = nullptr; }, 4242, false, kSame, ""},
        {on(0), 4242, true, kSame, ""},
        {on(0), 5169, false, kSame, ""}, {on(0), 5171, false, kSame, ""},
        {on(0), 5168, true, kSame, ""}, {on(0), 5170, true, kSame, ""},
        {on(2), 5169, true, kSame, ""}, {on(2), 5171, true, kSame, ""},
        {on(2), 5168, false, kSame, ""}, {on(2), 5170, false, kSame, ""},
        {on(1), 5276, true, kOn, ""}, {on(1), 5275, true, kOff, ""},
        {[&] { ds->currentPlanBit = 4, ds->visiblePlans = 4 | 8; }, 11002, false, kOn, ""},
        {[&] { ds->currentPlanBit = 4, ds->visiblePlans = 4 | 8; }, 11003, true, kOn, ""},
        {[&] { ds->currentPlanBit = 8, ds->visiblePlans = 4; }, 11003, false, kOff, ""},
        {[&] { ds->currentPlanBit = 8, ds->visiblePlans = 4; }, 11000, true, kOff, ""},
        {[&] { ds->currentPlanBit = 256; }, 5390, true, kOn, ""},
        {[&] { ds->currentPlanBit = 256; }, 5343, true, kOff, ""},
        {traced(false, 1), 5281, false, kSame, "Show Floorplan Trace Image"},
        {traced(false, 1), 5282, false, kSame, ""}, {traced(false, 1), 5440, false, kSame, ""},
        {traced(true, 1), 5281, true, kSame, "Hide Floorplan Trace Image"},
        {traced(true, 0), 5281, true, kSame, "Show Floorplan Trace Image"},
        {traced(true, 0), 5440, true, kSame, ""},
        {[&] { ds->showGrid = 1; }, 5044, true, kSame, "Hide Grid"},
        {[&] { ds->showGrid = 0; }, 5044, true, kSame, "Show Grid"},
        {[&] { ds->snapToGrid = 1; }, 5045, true, kOn, ""},
        {[&] { doc->itsVRVisible = 1; }, 5274, true, kSame, "Hide Virtual Ruler"},
        {[&] { doc->itsVRVisible = 0; }, 5274, true, kSame, "Show Virtual Ruler"},
        {[&] { ds->showCallouts = 1; }, 5289, true, kSame, "Hide Window & Door Callouts"},
        {[&] { ds->showCallouts = 0; }, 5289, true, kSame, "Show Window & Door Callouts"},
        {[&] { ds->showDimensions = 1; }, 5290, true, kSame, "Hide Automatic Dimensions"},
        {[&] { ds->showDimensions = 0; }, 5290, true, kSame, "Show Automatic Dimensions"},
        {[&] { ds->showTopoLines = 1; }, 5418, true, kSame, "Hide Topography Lines"},
        {[&] { ds->showTopoLines = 0; }, 5418, true, kSame, "Show Topography Lines"},
        {[&] { ds->lightSetting = 15; }, 5293, true, kOn, ""},
        {[&] { ds->lightSetting = 15; }, 5294, true, kOff, ""},
        {[&] { ds->shadowQuality = 5; }, 5334, true, kOn, ""},
        {[&] { ds->shadowQuality = 5; }, 5333, true, kOff, ""},
        {[&] { ds->renderMode = 1, gTexturedWire = 1; }, 10001, true, kOn, ""},
        {[&] { ds->renderMode = 1, gTexturedWire = 1; }, 10000, true, kOff, ""},
        {[&] { ds->renderMode = 6; }, 10002, true, kOn, ""},
        {[&] { ds->renderMode = 5; }, 10003, true, kOn, ""},
        {[&] { ds->cameraMode = 2, ds->navigationFlag = 0; }, 10005, true, kOn, ""},
        {[&] { ds->cameraMode = 2, ds->navigationFlag = 0; }, 10007, true, kOff, ""},
        {[&] { ds->cameraMode = 1, ds->navigationFlag = 1; }, 10006, true, kOn, ""},
        {[&] { ds->cameraMode = 1, ds->navigationFlag = 1; }, 10004, true, kOff, ""},
        {[&] { ds->navigationSpeed = 9; }, 10503, true, kOn, ""},
        {[&] { ds->navigationSpeed = 9; }, 10504, true, kOff, ""},
        {[&] { floors[1]->visible = floors[2]->visible = 1; }, 5278, true, kOn, ""},
        {[&] { floors[1]->visible = floors[2]->visible = 1; }, 5279, true, kOff, ""},
        {[&] { floors[2]->visible = 0; }, 5279, true, kOn, ""},
        // The object of the last context click is on the plumbing plan (its root's plans).
        {[&] { gContextFoundObj = door; }, 5338, false, kOn, ""},
        {[&] { gContextFoundObj = door; }, 5389, true, kOff, ""},
        {[&] { gContextFoundObj = nullptr; }, 5338, true, kSame, ""},
        {[&] { SetLiveViewIsVisibleHandler([] { return false; }); }, 5151, false, kSame, ""},
        {[&] { SetLiveViewIsVisibleHandler([] { return true; }); }, 5416, true, kSame, ""},
    };
    QMDDocumentModel* design = doc;
    for (const Row& r : rows) {
        gCurDocument = design, design->itsCurLayer = floors[0];
        r.given();
        const MenuItemState s = ValidateMenuCommand(r.tag);
        EXPECT_EQ(std::tuple(s.enabled, s.mark, s.title), std::tuple(r.enabled, r.mark, std::string(r.title))) << r.tag;
    }
    gCurDocument = design;
}

}  // namespace
}  // namespace dvxtest
