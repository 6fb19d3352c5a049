#include "ui/sheets/sheet_table.h"

#include "ui/core/sheet_seams.h"
#include "ui/core/wall_sheet_seams.h"
#include "ui/sheets/ceiling_builder_controller.h"
#include "ui/sheets/elevation_sheets.h"
#include "ui/sheets/finder_sheets.h"
#include "ui/sheets/key_entry_sheets.h"
#include "ui/sheets/move_rotate_sheets.h"
#include "ui/sheets/plant_details_controller.h"
#include "ui/sheets/plant_fill_print_sheets.h"
#include "ui/sheets/small_value_sheets.h"
#include "ui/sheets/text_entry_controller.h"
#include "ui/sheets/unit_scale_sheets.h"
#include "ui/sheets/value_sheets.h"

namespace {

template <class Sheet>
void Open(CommandWindow* parent) {
    SheetDialog::begin<Sheet>(parent);
}

// A sheet whose target is required: nothing opens without it.
template <class Sheet, class Target>
void OpenFor(CommandWindow* parent, Target* target) {
    if (target) SheetDialog::begin<Sheet>(parent, target);
}

// Seam, then the sheet it opens; `on` false puts each seam's default back.
void Table(bool on) {
    auto set = [on](auto setter, auto opener) { on ? setter(opener) : setter(nullptr); };
    set(SetNewCompassSheetForParentHandler, Open<CompassController>);
    set(SetNewMoveObjectsPanelForParentHandler, Open<MoveObjectsController>);
    set(SetNewMovePlanPanelForParentHandler, Open<MovePlanController>);
    set(SetNewRotateObjectsPanelForParentHandler, Open<RotateObjectsController>);
    set(SetNewRotatePlanPanelForParentHandler, Open<RotatePlanController>);
    set(SetNewObjectElevationSheetForParentHandler, Open<ObjectElevationController>);
    set(SetNewWorkingElevationSheetForParentHandler, Open<WorkingElevationController>);
    set(SetNewCeilingHeightSheetForParentHandler, OpenFor<CeilingHeightController, Layer>);
    set(SetNewGridPropertiesSheetForParentHandler, Open<GridPropertiesController>);
    set(SetNewCurveTensionSheetForParentHandler, Open<CurveTensionController>);
    set(SetNewTraceImageScaleSheetForParentHandler, Open<TraceImageScaleController>);
    set(SetNewMeasurementUnitsSheetForParentHandler, Open<MeasurementUnitsController>);
    set(SetNewPlanScaleSheetForParentHandler, Open<PlanScaleController>);
    set(SetNewPlanZoomSheetForParentHandler, Open<PlanZoomController>);
    set(SetNewLotSizeSheetForParentHandler, Open<LotSizeController>);
    set(SetNewKeyEntrySheetForParentHandler, OpenKeyEntrySheet);
    set(SetNewWallKeyEntrySheetHandler, OpenWallKeyEntrySheet);
    set(SetNewTextEntrySheetForParentHandler,
        [](CommandWindow* parent, Objex* object) { SheetDialog::begin<TextEntryController>(parent, object); });
    set(SetNewCeilingBuilderSheetForParentHandler,
        [](CommandWindow* parent) { CeilingBuilderController::newCeilingBuilderSheetForParent(parent); });
    set(SetNewWalkElevationSheetForParentHandler, Open<WalkElevationController>);
    set(SetNewFlyAltitudeSheetForParentHandler, Open<FlyAltitudeController>);
    set(SetNewDimensionPropertiesSheetForParentHandler, Open<DimensionPropertiesController>);
    set(SetNewPlantingAgeSheetForParentHandler, Open<PlantingAgeController>);
    set(SetNewPlantGrowthProjSheetForParentHandler, Open<PlantGrowthProjController>);
    set(SetNewPlantDetailsWindowHandler, [] { PlantDetailsController::newPlantDetailsWindow(); });
    set(SetNewPlantFillSheetForParentHandler, Open<PlantFillController>);
    set(SetNewFindPlantByNameSheetForParentHandler, Open<FindPlantByNameController>);
    set(SetNewFindObjectByNameSheetForParentHandler, Open<FindObjectByNameController>);
    set(SetNewPlantZoneSheetForParentHandler, Open<PlantZoneController>);
    set(SetSharedPlantFinderSheetForParentHandler,
        [](CommandWindow* parent) { PlantFinderController::sharedPlantFinderSheetForParent(parent); });
    set(SetNewLV3DPrintSheetForParentHandler, [](CommandWindow* parent, LV3DPrintController::PrintRoutine print) {
        SheetDialog::begin<LV3DPrintController>(parent, std::move(print));
    });
}

}  // namespace

void RegisterSheetHandlers() { Table(true); }
void ForgetSheetHandlers() { Table(false); }
