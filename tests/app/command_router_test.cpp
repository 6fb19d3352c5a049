// Every plan view action, sent through the window's router as a menu item with its tag, reaches
// its target: the command layer, a sheet on this window, the live view, the palette, the plug-ins.
#include "app/command_router.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/main_window_seams.h"
#include "app/window_controller.h"
#include "content/core/content_selection_seams.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/selection_queries.h"
#include "port/qt/platform.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "support/build.h"
#include "support/doubles.h"
#include "tracking/tracking_state.h"
#include "ui/core/sheet_seams.h"

namespace dvxtest {
namespace {

TEST(Router, EveryActionReachesItsTargetWithTheItemsTagOrTheWindow) {
    AppController::destroyShared(), ResetAllGlobals();
    const std::string root = FreshTempFolder("router");
    TempFolders folders(root);
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    ScriptedFileDialogs panels;
    FakeImageDecoder images;
    port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
    port::setFileDialogs(&panels), port::setImageDecoder(&images);
    AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
    QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
    d->makeWindowControllers();
    auto* w = static_cast<QMDWindowController*>(d->windowController);
    DocState* ds = d->model()->itsDocState;
    Layer* first = gCurDocument->itsCurLayer;
    for (float x : {0.0f, 100.0f}) Shape(first, objtype::kDetail, {{x, 0}, {x + 40, 0}, {x + 40, 40}}, true);
    Objex* context = gContextFoundObj = Shape(first->next, objtype::kCabinetPart, {{0, 0}, {9, 0}, {9, 9}}, true);
    ds->viewKind = 2, ds->zoomFactor = 1, ds->renderMode = 1;
    images.add(root + "/trace.png", port::DecodedImage{1, 1, {1, 2, 3}}), panels.choose(root + "/trace.png");

    std::string log;
    auto Log = [&](const std::string& what, bool right = true) { log += what + (right ? ";" : "?;"); };
    SetLiveViewFreeFlyAroundHandler([&] { Log("FreeFlyAround"); });
    SetNewCeilingHeightSheetForParentHandler([&](CommandWindow*, Layer* l) { Log(l ? l->name : "none"); });
    SetNewTextEntrySheetForParentHandler([&](CommandWindow*, Objex* o) { Log("TextEntry", o == context); });
    SetContentPaletteLocatePlantHandler([&](Objex* o) { Log("LocatePlant", o == context); });
    SetLoadedPlugInIDsHandler([&] { return Log("PlugIns"), std::vector<int32_t>{}; });
    // What an action did: the calls recorded, then each watched value that changed.
    auto State = [&] {
        const auto n = [](auto v) { return QString::number(v).toStdString(); };
        const auto& asked = panels.asked;
        const std::vector<std::string> exts = asked.empty() ? std::vector<std::string>{} : asked.back().extensions;
        return std::vector<std::string>{
            "undo:" + n(d->undoStack()->count()) + d->undoStack()->undoText().toStdString(),
            "status:" + w->statusText()->text().toStdString(),
            "alert:" + (alerts.shown.empty() ? "" : alerts.shown.back().alert.message),
            "panel:" + n(asked.size()) + (exts.empty() ? "" : exts[0]), "ruler:" + n(gCurDocument->itsVRVisible),
            "selected:" + n(IsAnyObjectSelected(first->firstObject)), "dirty:" + n(gRenderDirty),
            "floor:" + std::string(gCurDocument->itsCurLayer->name),
            "floors:" + n(first->visible * 10 + first->next->visible),
            "grid:" + n(ds->showGrid + 2 * ds->snapToGrid + 4 * ds->showDimensions + 8 * ds->showCallouts +
                        16 * ds->showTopoLines + 32 * ds->traceImageShown),
            "plans:" + n(ds->visiblePlans) + "/" + n(ds->currentPlanBit), "zoom:" + n(ds->zoomFactor),
            "live:" + n(ds->renderMode) + "," + n(ds->lightSetting) + "," + n(ds->shadowQuality) + "," +
                n(ds->navigationSpeed) + "," + n(ds->cameraHeading)};
    };
    auto Run = [&](const char* name, int32_t tag) {
        gRenderDirty = 0, log.clear();
        const std::vector<std::string> before = State();
        QAction item;
        item.setObjectName(QString::fromLatin1(name)), item.setData(tag);
        w->commandRouter()->dispatch(&item);
        const std::vector<std::string> after = State();
        for (size_t i = 0; i < after.size(); ++i) log += after[i] != before[i] ? after[i] + ";" : "";
        return log;
    };

    bool printDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if ((printDialog = dialog)) dialog->reject();
    });
    EXPECT_EQ(std::tuple(Run("printToScale", 0), printDialog), std::tuple("", true));
    const std::string plans = "plans:" + std::to_string(ds->visiblePlans ^ 8) + "/2;";
    struct Row { const char* action; int32_t tag; std::string want; };
    const Row rows[] = {
        {"editTextObject", 0, "TextEntry;"}, {"locatePlant", 0, "LocatePlant;"},
        {"launchObjectPowerTool", 0, "PlugIns;"}, {"convertWallType", 13001, "undo:1Convert Wall to Exterior;"},
        {"reverseStairDirection", 0, "undo:2Reverse Staircase Direction;"},
        {"setCeilingHeight", 5157, "Second Floor;"}, {"setCeilingHeight", 5155, "none;"},
        {"fillObjectWithPlants", 0, "alert:No plant selected.;"},
        {"setLVInteractionMethod", 10005, "FreeFlyAround;"}, {"setRenderStyle", 10003, "live:5,8,5,8,0;"},
        {"setRenderQuality", 5294, "live:5,24,5,8,0;"}, {"setShadowQuality", 5333, "live:5,24,0,8,0;"},
        {"setLVNavigationSpeed", 10504, "live:5,24,0,10,0;"}, {"setViewpoint", 5152, "live:5,24,0,10,90;"},
        {"loadFloorplanTraceImage", 0, "undo:3Load Floorplan Trace Image;"}, {"toggleFloorplanTraceImage", 0, "grid:"},
        {"removeFloorplanTraceImage", 0, "undo:4Remove Floorplan Trace Image;"}, {"import3DObject", 0, "panel:2POB;"},
        {"exportVRML", 0, "panel:3wrl;"}, {"toggleGrid", 0, "grid:"}, {"snapToGrid", 0, "grid:"},
        {"toggleDimensions", 0, "grid:"}, {"toggleCallouts", 0, "grid:"}, {"toggleTopographyLines", 0, "grid:"},
        {"toggleVirtualRuler", 0, "ruler:1;"}, {"refreshView", 0, "dirty:1;"}, {"fitToWindow", 0, "zoom:"},
        {"resetPlanView", 0, "zoom:0.6;"}, {"selectAll", 0, "selected:1;"}, {"copy", 0, ""},
        {"nudgeObjects", 5036, "Nudge;"}, {"flipObjects", 5034, "Flip;"}, {"flipPlan", 5363, "Flip Entire Plan;"},
        {"mirrorObjects", 5008, "Mirror;"}, {"alterObjectPosition", 5106, "Send Objects to the Back;"},
        {"floatObjectAboveTopo", 0, "Float Above Topography;"}, {"paste", 0, "Paste;"}, {"cut", 0, "Cut;"},
        {"copyObjectsToFloor", 5168, ""}, {"copyObjectsToFloor", 5171, "alert:Unable to copy objects to lower floor.;"},
        {"copyObjectsToFloor", 5170, "Copy To Upper Floor;"}, {"moveObjectsToFloor", 5170, ""},
        {"moveObjectsToFloor", 5169, "alert:Unable to move objects to lower floor.;"}, {"selectAll", 0, "selected:1;"},
        {"delete", 0, "Delete;"}, {"nudgeObjects", 5037, ""}, {"moveObjectsToPlan", 5336, "Move To Plan;"},
        {"moveToPlan", 5337, "Move to Plan;"}, {"calculateAndDisplayArea", 0, "status:Area: 0 sq.ft.;"},
        {"setVisiblePlans", 11003, plans}, {"workOnPlan", 5345, "/4;"}, {"workOnFloor", 5276, "floor:Second Floor;"},
        {"setFloorView", 5279, "floors:1;"}, {"setFloorView", 5278, "floors:11;"},
        {"calculateFloorArea", 5301, "status:Second Floor Area: 0 sq.ft.;"},
        {"moveObjectsToFloor", 5168, "Move To Upper Floor;"},
    };
    for (const Row& r : rows) {
        const std::string got = Run(r.action, r.tag);
        if (r.want.empty()) EXPECT_EQ(got, "") << r.action << " " << r.tag;
        else EXPECT_NE(got.find(r.want), std::string::npos) << r.action << " " << r.tag << ": " << got;
    }
    // The sheets open on this window, from the menus and the edit palette's double clicks; the live
    // view, plant details and plug-in launcher are called once.
    int opened = 0;
    const std::pair<const char*, port::Seam<void(CommandWindow*)>*> sheets[] = {
        {"moveObjects", &NewMoveObjectsPanelForParent}, {"rotateObjects", &NewRotateObjectsPanelForParent},
        {"setPlanZoom", &NewPlanZoomSheetForParent}, {"movePlan", &NewMovePlanPanelForParent},
        {"rotatePlan", &NewRotatePlanPanelForParent}, {"setObjectElevation", &NewObjectElevationSheetForParent},
        {"setGridProperties", &NewGridPropertiesSheetForParent}, {"setPlanScale", &NewPlanScaleSheetForParent},
        {"setDimensionProperties", &NewDimensionPropertiesSheetForParent}, {"setLotSize", &NewLotSizeSheetForParent},
        {"setWorkingElevation", &NewWorkingElevationSheetForParent}, {"setTrueNorthAngle", &NewCompassSheetForParent},
        {"setMeasurementUnits", &NewMeasurementUnitsSheetForParent}, {"setPlantingAge", &NewPlantingAgeSheetForParent},
        {"setPlantGrowthProjection", &NewPlantGrowthProjSheetForParent},
        {"resizeFloorplanTraceImage", &NewTraceImageScaleSheetForParent},
        {"showCeilingBuilder", &NewCeilingBuilderSheetForParent}};
    for (auto [action, seam] : sheets) {
        seam->Set([&](CommandWindow* on) { opened += on == AsCommandWindow(w); });
        const std::string did = Run(action, 0);
        EXPECT_EQ(std::tuple(did, std::exchange(opened, 0)), std::tuple("", 1)) << action;
    }
    PlanViewMoveObjects(), PlanViewRotateObjects(), PlanViewSetPlanZoom();
    EXPECT_EQ(std::exchange(opened, 0), 3);
    const std::pair<const char*, port::Seam<void()>*> calls[] = {
        {"exportLiveViewImage", &LiveViewDisplayExport3DSavePanel}, {"showLVAndRenderFinal", &LiveViewRenderFinal},
        {"print3DLiveView", &LiveViewShowPrint3DPropertiesPanel}, {"showLVAndRenderShadows", &LiveViewRenderShadows},
        {"resetLV3DView", &LiveViewReset3DView}, {"setLVWalkThroughElevation", &LiveViewSetWalkThroughElevation},
        {"setLVFlyAroundAltitude", &LiveViewSetFlyAroundAltitude}, {"showPlantDetails", &NewPlantDetailsWindow},
        {"showLVLightProperties", &LiveViewShowLightProperties},
        {"showLVRenderProperties", &LiveViewShowRenderProperties},
        {"showPowerToolLauncher", &RunPowerToolLauncher}};
    for (auto [action, seam] : calls) {
        seam->Set([&] { ++opened; });
        Run(action, 0);
        EXPECT_EQ(std::exchange(opened, 0), 1) << action;
    }
    // Nothing runs or can be chosen while a gesture is tracked.
    gTrackingMouse = 1;
    QAction* callouts = w->commandRouter()->action("toggleCallouts");
    EXPECT_EQ(std::tuple(Run("toggleCallouts", 0), CommandRouter::validateMenuItem(callouts)), std::tuple("", false));
    gTrackingMouse = 0;
    EXPECT_TRUE(CommandRouter::validateMenuItem(callouts));
    AppController::destroyShared(), ResetAllGlobals();
}

}  // namespace
}  // namespace dvxtest
