// The plan view's menu actions: one-line forwarders to the command layer, the document, the
// delegate, the live view and the content palette.
#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/event_handler.h"
#include "app/core/localization_seams.h"
#include "plan/status_readouts.h"
#include "app/document.h"
#include "app/document_view.h"
#include "content/core/content_selection_seams.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/walkers.h"
#include "plan/refresh_seams.h"
#include "render/core/live_view_seams.h"
#include "ui/core/inspector_seams.h"

Win32EventHandler QMDDocumentView::commands() { return Win32EventHandler(AsCommandWindow(window())); }

void QMDDocumentView::import3DObject(int32_t) { commands().import3DObjectUsingWindow(); }
void QMDDocumentView::exportLiveViewImage(int32_t) { commands().exportLiveViewImage(); }
void QMDDocumentView::exportVRML(int32_t) { commands().exportVRMLUsingWindow(); }
void QMDDocumentView::print3DLiveView(int32_t) { commands().print3DLiveViewImage(); }
void QMDDocumentView::cut(int32_t) { commands().cutObjects(); }
void QMDDocumentView::copy(int32_t) { commands().copyObjects(); }
void QMDDocumentView::paste(int32_t) { commands().pasteObjects(); }
void QMDDocumentView::del(int32_t) { deleteBackward(); }
void QMDDocumentView::selectAll(int32_t) { commands().selectAllObjects(); }
void QMDDocumentView::moveObjectsToPlan(int32_t tag) { commands().moveObjectsToPlanUsingCommand(tag); }
void QMDDocumentView::flipObjects(int32_t tag) { commands().flipObjectsUsingCommand(tag); }
void QMDDocumentView::flipPlan(int32_t tag) { commands().flipPlanUsingCommand(tag); }
void QMDDocumentView::mirrorObjects(int32_t tag) { commands().mirrorObjectsUsingCommand(tag); }
void QMDDocumentView::nudgeObjects(int32_t tag) { commands().nudgeObjectsUsingCommand(tag); }
void QMDDocumentView::moveObjects(int32_t) { commands().moveObjectsUsingWindow(); }
void QMDDocumentView::movePlan(int32_t) { commands().movePlanUsingWindow(); }
void QMDDocumentView::rotateObjects(int32_t) { commands().rotateObjectsUsingWindow(); }
void QMDDocumentView::rotatePlan(int32_t) { commands().rotatePlanUsingWindow(); }
void QMDDocumentView::setObjectElevation(int32_t) { commands().setObjectElevationUsingWindow(); }
void QMDDocumentView::floatObjectAboveTopo(int32_t) { commands().floatObjectAboveTopo(); }
void QMDDocumentView::resetPlanView(int32_t) { commands().resetPlanView(); }
void QMDDocumentView::setPlanZoom(int32_t) { commands().setPlanZoomUsingWindow(); }
void QMDDocumentView::fitToWindow(int32_t) { commands().fitToWindow(); }
void QMDDocumentView::refreshView(int32_t) { commands().refreshView(); }
void QMDDocumentView::setGridProperties(int32_t) { commands().setGridPropertiesUsingWindow(); }
void QMDDocumentView::toggleGrid(int32_t) { commands().toggleGrid(); }
void QMDDocumentView::snapToGrid(int32_t) { commands().snapToGrid(); }
void QMDDocumentView::setFloorView(int32_t tag) { commands().workOnFloorUsingCommand(tag); }
void QMDDocumentView::setVisiblePlans(int32_t tag) { commands().setVisiblePlansUsingCommand(tag); }
void QMDDocumentView::setDimensionProperties(int32_t) { commands().setDimensionPropertiesUsingWindow(); }
void QMDDocumentView::toggleDimensions(int32_t) { commands().toggleDimensions(); }
void QMDDocumentView::toggleCallouts(int32_t) { commands().toggleCallouts(); }
void QMDDocumentView::toggleTopographyLines(int32_t) { commands().toggleTopographyLines(); }
void QMDDocumentView::toggleVirtualRuler(int32_t) { commands().toggleVirtualRuler(); }
void QMDDocumentView::toggleFramingView(int32_t) { commands().toggleFramingView(); }
void QMDDocumentView::setWorkingElevation(int32_t) { commands().setWorkingElevationUsingWindow(); }
void QMDDocumentView::setPlanScale(int32_t) { commands().setPlanScaleUsingWindow(); }
void QMDDocumentView::setMeasurementUnits(int32_t) { commands().setMeasurementUnitsUsingWindow(); }
void QMDDocumentView::setTrueNorthAngle(int32_t) { commands().setTrueNorthAngleUsingWindow(); }
void QMDDocumentView::workOnPlan(int32_t tag) { commands().workOnPlanUsingCommand(tag); }
void QMDDocumentView::workOnFloor(int32_t tag) { commands().workOnFloorUsingCommand(tag); }
void QMDDocumentView::calculateFloorArea(int32_t tag) { commands().calculateFloorAreaUsingCommand(tag); }
void QMDDocumentView::setPlantingAge(int32_t) { commands().setPlantingAgeUsingWindow(); }
void QMDDocumentView::setPlantGrowthProjection(int32_t) { commands().setPlantGrowthProjectionUsingWindow(); }
void QMDDocumentView::loadFloorplanTraceImage(int32_t) { commands().loadFloorplanTraceImage(); }
void QMDDocumentView::resizeFloorplanTraceImage(int32_t) { commands().resizeFloorplanTraceImageUsingWindow(); }
void QMDDocumentView::toggleFloorplanTraceImage(int32_t) { commands().toggleFloorplanTraceImage(); }
void QMDDocumentView::removeFloorplanTraceImage(int32_t) { commands().removeFloorplanTraceImage(); }
void QMDDocumentView::showPowerToolLauncher(int32_t) { AppController::shared()->showPowerToolLauncherWindow(); }
void QMDDocumentView::setLotSize(int32_t) { commands().setLotSizeUsingWindow(); }
void QMDDocumentView::resetLV3DView(int32_t) { LiveViewReset3DView(); }
void QMDDocumentView::setLVInteractionMethod(int32_t tag) { commands().setLVInteractionMethodUsingCommand(tag); }
void QMDDocumentView::setLVWalkThroughElevation(int32_t) { LiveViewSetWalkThroughElevation(); }
void QMDDocumentView::setLVFlyAroundAltitude(int32_t) { LiveViewSetFlyAroundAltitude(); }
void QMDDocumentView::setRenderStyle(int32_t tag) { commands().setRenderStyleUsingCommand(tag); }
void QMDDocumentView::setRenderQuality(int32_t tag) { commands().setRenderQualityUsingCommand(tag); }
void QMDDocumentView::showLVAndRenderFinal(int32_t) { commands().showLVAndRenderFinal(); }
void QMDDocumentView::setShadowQuality(int32_t tag) { commands().setShadowQualityUsingCommand(tag); }
void QMDDocumentView::showLVAndRenderShadows(int32_t) { commands().showLVAndRenderShadows(); }
void QMDDocumentView::showLVRenderProperties(int32_t) { LiveViewShowRenderProperties(); }
void QMDDocumentView::showLVLightProperties(int32_t) { LiveViewShowLightProperties(); }
void QMDDocumentView::setViewpoint(int32_t tag) { commands().setViewpointUsingCommand(tag); }
void QMDDocumentView::setElevationView(int32_t tag) { commands().setElevationViewUsingCommand(tag); }
void QMDDocumentView::setLVNavigationSpeed(int32_t tag) { commands().setNavigationSpeedUsingCommand(tag); }
void QMDDocumentView::moveToPlan(int32_t tag) { commands().moveToPlanUsingCommand(tag); }
void QMDDocumentView::convertWallType(int32_t tag) { commands().convertWallTypeUsingCommand(tag); }
void QMDDocumentView::reverseStairDirection(int32_t) { commands().reverseStairDirection(); }
void QMDDocumentView::fillObjectWithPlants(int32_t) { commands().fillObjectWithPlantsUsingWindow(); }
void QMDDocumentView::locatePlant(int32_t) { ContentPaletteLocatePlant(gContextFoundObj); }
void QMDDocumentView::showPlantDetails(int32_t) { commands().showPlantDetailsWindow(); }
void QMDDocumentView::alterObjectPosition(int32_t tag) { commands().alterObjectPositionUsingCommand(tag); }
void QMDDocumentView::editTextObject(int32_t) { commands().editTextObjectUsingWindow(); }
void QMDDocumentView::showCeilingBuilder(int32_t) { commands().showCeilingBuilderUsingWindow(); }
void QMDDocumentView::calculateAndDisplayArea(int32_t) { commands().calculateAndDisplayArea(); }
void QMDDocumentView::launchObjectPowerTool(int32_t) { commands().launchObjectPowerTool(); }

void QMDDocumentView::printToScale(int32_t) {
    if (QMDDocument* d = AppController::shared()->documentController()->currentDocument())
        d->printToScaleShowingPrintPanel();
}

void QMDDocumentView::copyObjectsToFloor(int32_t tag) {
    if (tag == cmd::kCopyToUpperFloor) commands().copyObjectsToUpperFloor();
    else if (tag == cmd::kCopyToLowerFloor) commands().copyObjectsToLowerFloor();
}

void QMDDocumentView::moveObjectsToFloor(int32_t tag) {
    if (tag == cmd::kMoveToUpperFloor) commands().moveObjectsToUpperFloor();
    else if (tag == cmd::kMoveToLowerFloor) commands().moveObjectsToLowerFloor();
}

void QMDDocumentView::setCeilingHeight(int32_t tag) {
    static constexpr const char* kFloors[3] = {"First Floor", "Second Floor", "Third Floor"};
    commands().setCeilingHeightForLayer(tag >= 5156 && tag <= 5158 ? GetLayerFromName(kFloors[tag - 5156]) : nullptr);
}
