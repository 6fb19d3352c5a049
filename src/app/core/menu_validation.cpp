#include "app/core/menu_validation.h"

#include <cstring>

#include "app/core/localization_seams.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"

namespace {

constexpr const char* kFloorNames[3] = {"First Floor", "Second Floor", "Third Floor"};
constexpr int32_t kPlanBits[9] = {1, 2, 4, 8, 16, 32, 64, 128, 256};

bool IsNamed(const Layer* layer, const char* name) { return layer && std::strcmp(layer->name, name) == 0; }

bool AllFloorsShown() {
    for (const char* name : kFloorNames) {
        const Layer* floor = GetLayerFromName(name);
        if (!floor || !floor->visible) return false;
    }
    return true;
}

// The plan bit an item of a nine-item plan list stands for: eight in a row, the detail plan
// apart; 0 for any other tag.
int32_t PlanBitOf(int32_t tag, int32_t first, int32_t detail) {
    if (tag >= first && tag < first + 8) return kPlanBits[tag - first];
    return tag == detail ? kPlanBits[8] : 0;
}

}  // namespace

MenuItemState ValidateMenuCommand(int32_t tag) {
    MenuItemState s;
    const DocState* ds = gCurDocument ? gCurDocument->itsDocState : nullptr;
    const Layer* current = gCurDocument ? gCurDocument->itsCurLayer : nullptr;
    if (!ds || !current) {
        s.enabled = false;
        return s;
    }
    auto mark = [&s](bool on) { s.mark = on ? MenuItemState::Mark::On : MenuItemState::Mark::Off; };
    auto title = [&s](bool shown, const char* hide, const char* show) {
        s.title = LocalizedString(shown ? hide : show);
    };
    const bool traced = gCurDocument->itsTraceImage != nullptr;

    if (tag == 5044) {
        title(ds->showGrid, "Hide Grid", "Show Grid");
    } else if (tag == 5045) {
        mark(ds->snapToGrid);
    } else if ((tag >= 5151 && tag <= 5154) || (tag >= 5239 && tag <= 5241) || tag == 5253 || tag == 5416) {
        s.enabled = LiveViewIsVisible();
    } else if (tag == 5168 || tag == 5170) {
        s.enabled = !IsNamed(current, "Third Floor");
    } else if (tag == 5169 || tag == 5171) {
        s.enabled = !IsNamed(current, "First Floor");
    } else if (tag == cmd::kFramingView) {
        mark(ds->framingView != 0);
    } else if (tag >= cmd::kElevationViewFirst && tag <= cmd::kElevationViewLast) {
        mark(ds->elevationView == tag - cmd::kElevationViewFirst + 1);
    } else if (tag == 5274) {
        title(gCurDocument->itsVRVisible, "Hide Virtual Ruler", "Show Virtual Ruler");
    } else if (tag >= 5275 && tag <= 5277) {
        mark(IsNamed(current, kFloorNames[tag - 5275]));
    } else if (tag == 5278 || tag == 5279) {
        mark(AllFloorsShown() == (tag == 5278));
    } else if (tag == 5281) {
        title(traced && ds->traceImageShown, "Hide Floorplan Trace Image", "Show Floorplan Trace Image");
        s.enabled = traced;
    } else if (tag == 5282 || tag == 5440) {
        s.enabled = traced;
    } else if (tag == 5289) {
        title(ds->showCallouts, "Hide Window & Door Callouts", "Show Window & Door Callouts");
    } else if (tag == 5290) {
        title(ds->showDimensions, "Hide Automatic Dimensions", "Show Automatic Dimensions");
    } else if (tag == 5418) {
        title(ds->showTopoLines, "Hide Topography Lines", "Show Topography Lines");
    } else if (tag >= 5291 && tag <= 5294) {
        static constexpr int32_t kPasses[4] = {4, 8, 15, 24};
        mark(ds->lightSetting == kPasses[tag - 5291]);
    } else if (tag == 5333 || tag == 5334) {
        mark(ds->shadowQuality == (tag == 5333 ? 0 : 5));
    } else if (const int32_t bit = PlanBitOf(tag, 5335, 5389)) {
        // The object menu names the clicked object's root; the root decides.
        if (Objex* parent = gContextParentObj) {
            const bool on = parent->planBits == bit;
            mark(on);
            s.enabled = !on;
        }
    } else if (const int32_t tab = PlanBitOf(tag, 5343, 5390)) {
        mark(ds->currentPlanBit == tab);
    } else if (tag >= 10000 && tag <= 10003) {
        static constexpr int16_t kModes[4] = {1, 1, 6, 5};
        mark(ds->renderMode == kModes[tag - 10000] && (tag > 10001 || (gTexturedWire != 0) == (tag == 10001)));
    } else if (tag >= 10004 && tag <= 10007) {
        const int16_t method = int16_t((tag - 10004) % 2 + 1);
        mark(ds->cameraMode == method && (ds->navigationFlag != 0) == (tag >= 10006));
    } else if (tag >= 10500 && tag <= 10504) {
        mark(ds->navigationSpeed == tag - 10500 + 6);
    } else if (tag >= 11000 && tag <= 11008) {
        const int32_t bit = kPlanBits[tag - 11000];
        mark((ds->visiblePlans & bit) != 0);
        s.enabled = bit != ds->currentPlanBit;
    }
    return s;
}
