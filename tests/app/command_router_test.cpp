// Every menu action of the plan view, sent through the window's router as a menu item with its
// tag would be, reaches its target: the command layer's effect, the sheet on this window, the
// live view, the content palette, the plug-ins or the document's print dialog.
#include "app/command_router.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "app/core/main_window_seams.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "content/core/content_selection_seams.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_types.h"
#include "model/selection_queries.h"
#include "port/qt/platform.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "render/core/render_state.h"
#include "support/build.h"
#include "support/doubles.h"
#include "ui/core/sheet_seams.h"

namespace dvxtest {
namespace {

class Router : public ::testing::Test {
protected:
    void SetUp() override {
        AppController::destroyShared(), ResetAllGlobals();
        root = FreshTempFolder("router");
        folders = std::make_unique<TempFolders>(root);
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        port::setFileDialogs(&panels), port::setImageDecoder(&images);
        AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
        d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        w = static_cast<QMDWindowController*>(d->windowController);
        ds = d->model()->itsDocState;
        Record();
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    void Record() {
        for (port::Seam<void(CommandWindow*)>* s :
             {&NewMoveObjectsPanelForParent, &NewMovePlanPanelForParent, &NewRotateObjectsPanelForParent,
              &NewRotatePlanPanelForParent, &NewObjectElevationSheetForParent, &NewPlanZoomSheetForParent,
              &NewGridPropertiesSheetForParent, &NewDimensionPropertiesSheetForParent, &NewWorkingElevationSheetForParent,
              &NewPlanScaleSheetForParent, &NewMeasurementUnitsSheetForParent, &NewCompassSheetForParent,
              &NewPlantingAgeSheetForParent, &NewPlantGrowthProjSheetForParent, &NewTraceImageScaleSheetForParent,
              &NewLotSizeSheetForParent, &NewCeilingBuilderSheetForParent})
            s->Set([this, s](CommandWindow* on) { Log(s->name(), on == AsCommandWindow(w) ? "" : "elsewhere"); });
        for (port::Seam<void()>* s :
             {&LiveViewDisplayExport3DSavePanel, &LiveViewShowPrint3DPropertiesPanel, &LiveViewRenderFinal,
              &LiveViewRenderShadows, &LiveViewReset3DView, &LiveViewSetWalkThroughElevation,
              &LiveViewSetFlyAroundAltitude, &LiveViewShowRenderProperties, &LiveViewShowLightProperties,
              &LiveViewFreeFlyAround, &NewPlantDetailsWindow, &RunPowerToolLauncher})
            s->Set([this, s] { Log(s->name(), ""); });
        SetNewCeilingHeightSheetForParentHandler([this](CommandWindow*, Layer* l) { Log("CeilingHeight", l ? l->name : "none"); });
        SetNewTextEntrySheetForParentHandler([this](CommandWindow*, Objex* o) { Log("TextEntry", o == context ? "" : "?"); });
        SetContentPaletteLocatePlantHandler([this](Objex* o) { Log("LocatePlant", o == context ? "" : "?"); });
        SetLoadedPlugInIDsHandler([this] { return Log("PlugIns", ""), std::vector<int32_t>{}; });
    }
    static std::string Join(const std::vector<port::FilePanel>& asked) {
        return asked.empty() || asked.back().extensions.empty() ? "" : asked.back().extensions[0];
    }
    void Log(const std::string& what, const std::string& detail) { log += what + (detail.empty() ? "" : ":" + detail) + ";"; }

    // What the action did: the calls recorded and each watched value that changed.
    std::string Run(const char* name, int32_t tag) {
        const std::vector<std::pair<const char*, std::function<std::string()>>> watched = {
            {"undo", [&] { return std::to_string(d->undoStack()->count()) + d->undoStack()->undoText().toStdString(); }},
            {"status", [&] { return w->statusText()->text().toStdString(); }},
            {"alert", [&] { return alerts.shown.empty() ? "" : alerts.shown.back().alert.message; }},
            {"panel", [&] { return std::to_string(panels.asked.size()) + Join(panels.asked); }},
            {"selected", [&] { return std::to_string(IsAnyObjectSelected(first->firstObject)); }},
            {"floor", [&] { return std::string(gCurDocument->itsCurLayer->name); }},
            {"floors", [&] { return std::to_string(first->visible) + std::to_string(first->next->visible); }},
            {"grid", [&] { return std::to_string(ds->showGrid + 2 * ds->snapToGrid + 4 * ds->showDimensions +
                                                 8 * ds->showCallouts + 16 * ds->showTopoLines + 32 * ds->traceImageShown); }},
            {"ruler", [&] { return std::to_string(gCurDocument->itsVRVisible); }},
            {"plans", [&] { return std::to_string(ds->visiblePlans) + "/" + std::to_string(ds->currentPlanBit); }},
            {"zoom", [&] { return QString::number(ds->zoomFactor).toStdString(); }},
            {"dirty", [&] { return std::to_string(gRenderDirty); }},
            {"live", [&] { return QString("%1,%2,%3,%4,%5").arg(ds->renderMode).arg(ds->lightSetting).arg(ds->shadowQuality)
                                   .arg(ds->navigationSpeed).arg(ds->cameraHeading).toStdString(); }},
        };
        gRenderDirty = 0;
        std::vector<std::string> before;
        for (const auto& [label, value] : watched) before.push_back(value());
        log.clear();
        QAction item;
        item.setObjectName(QString::fromLatin1(name)), item.setData(tag);
        w->commandRouter()->dispatch(&item);
        for (size_t i = 0; i < watched.size(); ++i)
            if (const std::string now = watched[i].second(); now != before[i]) Log(watched[i].first, now);
        return log;
    }

    std::string root, log;
    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    ScriptedFileDialogs panels;
    FakeImageDecoder images;
    QMDDocument* d = nullptr;
    QMDWindowController* w = nullptr;
    DocState* ds = nullptr;
    Layer* first = nullptr;
    Objex* context = nullptr;
};

TEST_F(Router, EveryActionReachesItsTargetWithTheItemsTagOrTheWindow) {
    first = gCurDocument->itsCurLayer;
    Shape(first, objtype::kDetail, {{0, 0}, {40, 0}, {40, 40}}, true);
    Shape(first, objtype::kDetail, {{100, 0}, {140, 0}, {140, 40}}, true);
    gContextFoundObj = context = Shape(first->next, objtype::kCabinetPart, {{0, 0}, {9, 0}, {9, 9}}, true);
    ds->viewKind = 2, ds->zoomFactor = 1, ds->renderMode = 1;
    images.add(root + "/trace.png", port::DecodedImage{1, 1, {1, 2, 3}}), panels.choose(root + "/trace.png");
    bool printDialog = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) printDialog = true, dialog->reject();
    });
    EXPECT_EQ(Run("printToScale", 0), "");
    EXPECT_TRUE(printDialog);
    const std::string plans = "plans:" + std::to_string(ds->visiblePlans ^ 8) + "/2;";
    struct Row { const char* action; int32_t tag; std::string want; };
#define SHEET(action, Name) Row{#action, 0, "New" #Name "ForParent;"}
    const Row rows[] = {
        {"editTextObject", 0, "TextEntry;"}, {"locatePlant", 0, "LocatePlant;"}, {"launchObjectPowerTool", 0, "PlugIns;"},
        {"convertWallType", 13001, "undo:1Convert Wall to Exterior;"},
        {"reverseStairDirection", 0, "undo:2Reverse Staircase Direction;"},
        {"showPlantDetails", 0, "NewPlantDetailsWindow;"}, {"showPowerToolLauncher", 0, "RunPowerToolLauncher;"},
        SHEET(moveObjects, MoveObjectsPanel), SHEET(movePlan, MovePlanPanel), SHEET(rotateObjects, RotateObjectsPanel),
        SHEET(rotatePlan, RotatePlanPanel), SHEET(setObjectElevation, ObjectElevationSheet),
        SHEET(setPlanZoom, PlanZoomSheet), SHEET(setGridProperties, GridPropertiesSheet),
        SHEET(setDimensionProperties, DimensionPropertiesSheet), SHEET(setWorkingElevation, WorkingElevationSheet),
        SHEET(setPlanScale, PlanScaleSheet), SHEET(setMeasurementUnits, MeasurementUnitsSheet),
        SHEET(setTrueNorthAngle, CompassSheet), SHEET(setPlantingAge, PlantingAgeSheet),
        SHEET(setPlantGrowthProjection, PlantGrowthProjSheet), SHEET(resizeFloorplanTraceImage, TraceImageScaleSheet),
        SHEET(setLotSize, LotSizeSheet), SHEET(showCeilingBuilder, CeilingBuilderSheet),
        {"setCeilingHeight", 5157, "CeilingHeight:Second Floor;"}, {"setCeilingHeight", 5155, "CeilingHeight:none;"},
        {"fillObjectWithPlants", 0, "alert:No plant selected.;"},
        {"exportLiveViewImage", 0, "LiveViewDisplayExport3DSavePanel;"},
        {"print3DLiveView", 0, "LiveViewShowPrint3DPropertiesPanel;"},
        {"showLVAndRenderFinal", 0, "LiveViewRenderFinal;"}, {"showLVAndRenderShadows", 0, "LiveViewRenderShadows;"},
        {"resetLV3DView", 0, "LiveViewReset3DView;"}, {"setLVWalkThroughElevation", 0, "LiveViewSetWalkThroughElevation;"},
        {"setLVFlyAroundAltitude", 0, "LiveViewSetFlyAroundAltitude;"},
        {"showLVRenderProperties", 0, "LiveViewShowRenderProperties;"},
        {"showLVLightProperties", 0, "LiveViewShowLightProperties;"},
        {"setLVInteractionMethod", 10005, "LiveViewFreeFlyAround;"}, {"setRenderStyle", 10003, "live:5,8,5,8,0;"},
        {"setRenderQuality", 5294, "live:5,24,5,8,0;"}, {"setShadowQuality", 5333, "live:5,24,0,8,0;"},
        {"setLVNavigationSpeed", 10504, "live:5,24,0,10,0;"}, {"setViewpoint", 5152, "live:5,24,0,10,90;"},
        {"loadFloorplanTraceImage", 0, "undo:3Load Floorplan Trace Image;"},
        {"toggleFloorplanTraceImage", 0, "grid:"}, {"removeFloorplanTraceImage", 0, "undo:4Remove Floorplan Trace Image;"},
        {"import3DObject", 0, "panel:2POB;"}, {"exportVRML", 0, "panel:3wrl;"},
        {"toggleGrid", 0, "grid:"}, {"snapToGrid", 0, "grid:"}, {"toggleDimensions", 0, "grid:"},
        {"toggleCallouts", 0, "grid:"}, {"toggleTopographyLines", 0, "grid:"}, {"toggleVirtualRuler", 0, "ruler:1;"},
        {"refreshView", 0, "dirty:1;"}, {"fitToWindow", 0, "zoom:"}, {"resetPlanView", 0, "zoom:0.6;"},
        {"selectAll", 0, "selected:1;"}, {"copy", 0, ""}, {"nudgeObjects", 5036, "Nudge;"},
        {"flipObjects", 5034, "Flip;"}, {"flipPlan", 5363, "Flip Entire Plan;"}, {"mirrorObjects", 5008, "Mirror;"},
        {"alterObjectPosition", 5106, "Send Objects to the Back;"},
        {"floatObjectAboveTopo", 0, "Float Above Topography;"}, {"paste", 0, "Paste;"}, {"cut", 0, "Cut;"},
        {"copyObjectsToFloor", 5168, ""}, {"copyObjectsToFloor", 5171, "alert:Unable to copy objects to lower floor.;"},
        {"copyObjectsToFloor", 5170, "Copy To Upper Floor;"}, {"moveObjectsToFloor", 5170, ""},
        {"moveObjectsToFloor", 5169, "alert:Unable to move objects to lower floor.;"},
        {"selectAll", 0, "selected:1;"}, {"delete", 0, "Delete;"}, {"nudgeObjects", 5037, ""},
        {"moveObjectsToPlan", 5336, "Move To Plan;"}, {"moveToPlan", 5337, "Move to Plan;"},
        {"calculateAndDisplayArea", 0, "status:Area: 0 sq.ft.;"}, {"setVisiblePlans", 11003, plans},
        {"workOnPlan", 5345, "/4;"}, {"workOnFloor", 5276, "floor:Second Floor;"}, {"setFloorView", 5279, "floors:01;"},
        {"setFloorView", 5278, "floors:11;"}, {"calculateFloorArea", 5301, "status:Second Floor Area: 0 sq.ft.;"},
        {"moveObjectsToFloor", 5168, "Move To Upper Floor;"},
    };
#undef SHEET
    for (const Row& r : rows) {
        const std::string got = Run(r.action, r.tag);
        if (r.want.empty()) EXPECT_EQ(got, "") << r.action << " " << r.tag;
        else EXPECT_NE(got.find(r.want), std::string::npos) << r.action << " " << r.tag << ": " << got;
    }

    // The edit palette's double clicks open their sheets on the window too.
    log.clear(), PlanViewMoveObjects(), PlanViewRotateObjects(), PlanViewSetPlanZoom();
    EXPECT_EQ(log, "NewMoveObjectsPanelForParent;NewRotateObjectsPanelForParent;NewPlanZoomSheetForParent;");
}

}  // namespace
}  // namespace dvxtest
