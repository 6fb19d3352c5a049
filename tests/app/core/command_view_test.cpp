// The command layer's view, live-view, trace image, file, plant and sheet commands on a
// fresh design, with undo snapshots, redraws and the seams of later subsystems recorded.
#include <gtest/gtest.h>

#include "app/core/app_seams.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/content_paths.h"
#include "files/trace_image.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/rebuild_table.h"
#include "model/object_types.h"
#include "model/selection_queries.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "plan/refresh_seams.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "support/drawing_doubles.h"
#include "support/records.h"
#include "ui/core/sheet_seams.h"
#include "app/core/sheet_values.h"

using namespace dvxtest;

namespace {

int sWindowToken;
CommandWindow* const kWindow = reinterpret_cast<CommandWindow*>(&sWindowToken);
using Names = std::vector<std::string>;
using H = Win32EventHandler;

class CommandView : public FileTest {
protected:
    CommandView() : FileTest("commands") {}
    void SetUp() override {
        FileTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        SetRefreshHandler([this] { ++refreshes; });
        ds = doc->itsDocState;
    }
    Win32EventHandler handler{kWindow};
    RecordingUndo undo;
    DocState* ds = nullptr;
    int refreshes = 0;
};

TEST_F(CommandView, SwitchesRedrawAndStoreAsTheirMenuItemsDo) {
    struct Row { void (H::*command)(); uint8_t DocState::*flag; int redraws; Names undo; };
    for (const Row& r : {Row{&H::toggleGrid, &DocState::showGrid, 1, {}},
                         {&H::snapToGrid, &DocState::snapToGrid, 0, {}},
                         {&H::toggleDimensions, &DocState::showDimensions, 1, {"Automatic Dimensioning"}},
                         {&H::toggleCallouts, &DocState::showCallouts, 1, {"Window & Door Callouts"}},
                         {&H::toggleTopographyLines, &DocState::showTopoLines, 1, {}}}) {
        const uint8_t before = ds->*r.flag;
        refreshes = 0, undo.actionNames.clear(), (handler.*r.command)();
        EXPECT_EQ(std::tuple(ds->*r.flag, refreshes, undo.actionNames), std::tuple(!before, r.redraws, r.undo));
    }
    // The top view redraws only when its drafting layer changes.
    gXViewAngle = 0, gYViewAngle = 270, gViewFactor = 6, ds->savedZoom = 0.8f;
    handler.viewTop(), handler.viewTop();
    EXPECT_EQ(std::tuple(GetCurrentView(), ds->viewKind, ds->zoomFactor, doc->itsCur2DLayer->name, refreshes),
              std::tuple(kViewTop, 2, 0.8f, std::string("X_TOP_FIRST_FLOOR"), 2));
}

TEST_F(CommandView, ResetAndFitStartFromTheDefaultZoom) {
    FakeViewHost host;
    host.visible = {0, 0, 800, 600};
    Base2DView view(&host);
    SetMainWindowDocumentViewHandler([&] { return &view; });
    ds->lotRect = {0, 0, 4800, 2400};  // top, left, bottom, right; the paper adds 100
    // The plan origin in the middle of the window, wherever the design lies (here the extents,
    // an empty design's, lie right of and below it).
    ds->zoomFactor = ds->savedZoom = 2.0f, handler.resetPlanView();
    const PlatformRect shown = host.scrolledTo.at(0);
    EXPECT_TRUE(Near({ds->zoomFactor, ds->savedZoom, host.frame.width, host.origin.x, shown.x, shown.y},
                     {0.6, 0.6, 1500, -750, -400, -300}, 1e-4));
    ds->zoomFactor = 2.0f, handler.fitToWindow();  // the height of the extents, in plan units
    EXPECT_NEAR(ds->zoomFactor, 600.0f / 4810.0f, 1e-6);
}

TEST_F(CommandView, LiveViewStylesViewpointsAndQualitiesKeepTheirRules) {
    int displays = 0, drawnWithGL = 0;
    SetLiveViewDisplayHandler([&] { ++displays, drawnWithGL += gRenderGL; });
    struct Row { int16_t mode; uint8_t clear; int32_t command; int16_t wantMode; uint8_t wantClear; int drawn; };
    for (const Row& r : {Row{6, 1, 10002, 6, 1, 0}, {1, 1, 10002, 6, 1, 1}, {0, 0, 10003, 0, 0, 0},
                         {6, 1, 10003, 5, 0, 1}, {5, 0, 10001, 1, 0, 0}, {5, 0, 10009, 5, 0, 0}}) {
        displays = drawnWithGL = 0, ds->renderMode = r.mode, ds->renderFlag = r.clear;
        handler.setRenderStyleUsingCommand(r.command);
        EXPECT_EQ(std::tuple(ds->renderMode, ds->renderFlag, displays, drawnWithGL, gRenderGL),
                  std::tuple(r.wantMode, r.wantClear, r.drawn, r.drawn, 0)) << r.command;
    }
    EXPECT_EQ(gTexturedWire, 1);

    doc->itsCurLayer = GetLayerFromName("Second Floor");
    handler.setViewpointUsingCommand(5151);  // 96 inches are 192 plan units at the scale of 36; half a floor up
    EXPECT_TRUE(Near({ds->cameraHeading, ds->cameraPosition.floatH, ds->cameraPosition.floatV, ds->eyeHeight,
                      ds->cameraMode, ds->cameraValue}, {270, -2275, 0, 192 + 96, 1, 0}));
    doc->itsCurLayer = nullptr;
    handler.setViewpointUsingCommand(5153), handler.setViewpointUsingCommand(5000);
    EXPECT_TRUE(Near({ds->cameraHeading, ds->cameraPosition.floatV, ds->eyeHeight, gRefreshRender, refreshes},
                     {0, 2275, 288, 1, 3}));

    struct Quality { int32_t command; int speed, passes, shadows; };
    for (const Quality& r : {Quality{10500, 6, 8, 5}, {10504, 10, 8, 5}, {5291, 10, 4, 5}, {5294, 10, 24, 5},
                             {5333, 10, 24, 0}, {10505, 10, 24, 0}, {5295, 10, 24, 0}, {5335, 10, 24, 0}}) {
        handler.setNavigationSpeedUsingCommand(r.command), handler.setRenderQualityUsingCommand(r.command);
        handler.setShadowQualityUsingCommand(r.command);
        EXPECT_TRUE(Near({ds->navigationSpeed, ds->lightSetting, ds->shadowQuality}, {r.speed, r.passes, r.shadows}));
    }
}

TEST_F(CommandView, TheFramingViewFlipsAndEachElevationShowsTheLiveView) {
    int shows = 0, displays = 0;
    SetShowLiveViewHandler([&] { ++shows, gLiveViewPanelVisible = 1; });
    SetLiveViewDisplayHandler([&] { ++displays; });
    gRefreshRender = 0, handler.toggleFramingView();
    EXPECT_EQ(std::tuple(ds->framingView, gRefreshRender, undo.actionNames.size()), std::tuple(1, 1, size_t(0)));
    handler.toggleFramingView();
    EXPECT_EQ(ds->framingView, 0);
    // A staircase, on a floor or in a group, is built again for the view switched to: lumber
    // and no rail posts in the framing view, its own step material and rails out of it.
    namespace sf = objfield::stair;
    Layer* first = GetLayerFromName("First Floor");
    const auto stair = [&](Layer* on) {
        Objex* s = Shape(on, objtype::kStaircase, {{0, 0}, {0, -100}}, false, objsubtype::kStraightStair);
        sf::kWidth(*s) = 48, sf::kRiser(*s) = 7, sf::kTread(*s) = 10, sf::kRailHeight(*s) = 36;
        sf::kFloorHeight(*s) = 96, sf::kLeftRail(*s) = 1, sf::kStepTexture(*s) = 1700;
        rebuild::Run(s, rebuild::kObjectScopes);
        return s;
    };
    Objex* alone = stair(first);
    Objex* grouped = stair(first);
    Group(first, {grouped});
    const auto built = [&](const Objex* s) {
        int32_t texture = 0, rails = 0;
        for (const Objex* part = s->firstPart; part; part = part->next) {
            if (part->type == objtype::kStairStep && !texture) texture = part->firstPoint->texture1;
            rails += part->type == objtype::kStairRail;
        }
        return std::pair(texture, rails);
    };
    const auto own = built(alone);
    ASSERT_EQ(own.first, 1700);
    for (const auto& [framing, texture] : {std::pair<uint8_t, int32_t>{1, 2203}, {0, 1700}}) {
        handler.toggleFramingView();
        EXPECT_EQ(std::tuple(ds->framingView, built(alone).first, built(grouped).first), std::tuple(framing, texture, texture));
        EXPECT_EQ(built(alone).second == own.second, !framing);
    }
    // Off the table nothing changes; the first choice shows the hidden live view.
    struct Row { int32_t command; int16_t view; int shows, displays; };
    for (const Row& r : {Row{5460, 0, 0, 0}, {5465, 0, 0, 0}, {5463, 3, 1, 2}, {5461, 1, 1, 3}, {5462, 2, 1, 4},
                         {5464, 4, 1, 5}}) {
        handler.setElevationViewUsingCommand(r.command);
        EXPECT_EQ(std::tuple(ds->elevationView, shows, displays), std::tuple(r.view, r.shows, r.displays)) << r.command;
    }
}

TEST_F(CommandView, EachSheetOpensOnceOnTheHandlersWindow) {
    struct Row { void (H::*opener)(); void (*factory)(port::Seam<void(CommandWindow*)>::Handler); };
#define SHEET(opener, name) Row{&H::opener, SetNew##name##ForParentHandler}
    const Row rows[] = {
        SHEET(moveObjectsUsingWindow, MoveObjectsPanel), SHEET(movePlanUsingWindow, MovePlanPanel),
        SHEET(rotateObjectsUsingWindow, RotateObjectsPanel), SHEET(rotatePlanUsingWindow, RotatePlanPanel),
        SHEET(setObjectElevationUsingWindow, ObjectElevationSheet), SHEET(setPlanZoomUsingWindow, PlanZoomSheet),
        SHEET(setGridPropertiesUsingWindow, GridPropertiesSheet), SHEET(setPlanScaleUsingWindow, PlanScaleSheet),
        SHEET(setDimensionPropertiesUsingWindow, DimensionPropertiesSheet), SHEET(setLotSizeUsingWindow, LotSizeSheet),
        SHEET(setWorkingElevationUsingWindow, WorkingElevationSheet), SHEET(smoothSelected, CurveTensionSheet),
        SHEET(setMeasurementUnitsUsingWindow, MeasurementUnitsSheet), SHEET(setTrueNorthAngleUsingWindow, CompassSheet),
        SHEET(setPlantingAgeUsingWindow, PlantingAgeSheet), SHEET(showCeilingBuilderUsingWindow, CeilingBuilderSheet),
        SHEET(setPlantGrowthProjectionUsingWindow, PlantGrowthProjSheet),
        SHEET(resizeFloorplanTraceImageUsingWindow, TraceImageScaleSheet)};
#undef SHEET
    std::vector<std::pair<size_t, CommandWindow*>> opened, want;
    for (const Row& r : rows) r.factory([&, i = size_t(&r - rows)](CommandWindow* w) { opened.emplace_back(i, w); });
    ds->ss40.ssBaseElevationValue = 30.0f, gDrawElevation = 1, gDLOGTopoFloat = 1;  // the elevation sheet's start
    // The curve tension sheet opens on the main window, whichever window asks.
    static char sMainToken;
    CommandWindow* const main = reinterpret_cast<CommandWindow*>(&sMainToken);
    SetMainWindowCommandWindowHandler([main] { return main; });
    for (const Row& r : rows)
        (handler.*r.opener)(), want.emplace_back(&r - rows, r.opener == &H::smoothSelected ? main : kWindow);
    EXPECT_EQ(std::tuple(opened, gDLOGElevation, gDLOGTopoFloat), std::tuple(want, 30.0f, 0));

    Objex* text = gContextFoundObj = Make(145).on(doc->itsCurLayer);
    std::vector<const void*> got;
    SetNewTextEntrySheetForParentHandler([&](CommandWindow* w, Objex* o) { got = {w, o}; });
    handler.editTextObjectUsingWindow();
    EXPECT_EQ(got, (std::vector<const void*>{kWindow, text}));
}

TEST_F(CommandView, FillingWithPlantsNeedsAPlantOfThePlantCategory) {
    int16_t category = 2, fills = 0;
    std::optional<SymEntryInfo> entry;
    SetContentPaletteSelectedCategoryHandler([&] { return category; });
    SetContentPaletteSelectCategoryHandler([&](int16_t c, bool first) { category = first ? -1 : c; });
    SetContentPaletteSelectedSymEntryHandler([&] { return entry; });
    SetNewPlantFillSheetForParentHandler([&](CommandWindow* w) { fills += w == kWindow; });
    handler.fillObjectWithPlantsUsingWindow();
    EXPECT_EQ(std::tuple(category, fills, alerts.shown.at(0).alert.message, alerts.shown[0].alert.informative),
              std::tuple(5, 0, "No plant selected.", "You must select a plant before attempting to use this feature."));
    entry.emplace(), entry->type = symentry::kStockPlant, entry->textureID = 7;
    handler.fillObjectWithPlantsUsingWindow();
    EXPECT_EQ(std::tuple(fills, alerts.shown.size()), std::tuple(1, 1u));
}

TEST_F(CommandView, KeyEntryMeasuresAWallToTheFaceItsMethodChooses) {
    Objex* wall = Wall(doc->itsCurLayer, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    wall->penWidth = 8;  // 16 plan units thick at the plan scale of 36
    Objex* line = Shape(doc->itsCurLayer, 8, {{0, 0}, {30, 40}});
    std::vector<float> got;
    SetNewKeyEntrySheetForParentHandler([&](CommandWindow* w, Objex*, Poinz*, Poinz*, float offset, float length,
                                            float) { got = {float(w == kWindow), offset, length}; });
    sDirection = 7, handler.keyEntrySheetForObject(line, PointAt(line, 0), PointAt(line, 1));
    EXPECT_TRUE(Near({got[0], got[1], got[2], sLength, sDirection}, {1, 0, 50, 50, 1}, 1e-4));
    PointAt(wall, 1)->dimensionMethod = 1, handler.keyEntrySheetForObject(wall, PointAt(wall, 1), PointAt(wall, 2));
    EXPECT_TRUE(Near({got[1], got[2]}, {16, 116}, 1e-4));  // the outer face, half the thickness past each corner
}

TEST_F(CommandView, TheTraceImageNeedsAnImageAndAnImportIsOneStep) {
    handler.toggleFloorplanTraceImage();
    EXPECT_EQ(std::tuple(ds->traceImageShown, refreshes), std::tuple(0, 0));
    doc->itsTraceImage = new TraceImage, ds->traceImagePath[0] = '/', handler.toggleFloorplanTraceImage();
    EXPECT_EQ(std::tuple(ds->traceImageShown, refreshes), std::tuple(1, 1));
    handler.removeFloorplanTraceImage();
    EXPECT_EQ(std::tuple(doc->itsTraceImage, ds->traceImagePath[0], ds->traceImageShown, undo.actionNames),
              std::tuple(nullptr, '\0', 0, Names{"Remove Floorplan Trace Image"}));

    // An imported object file comes in centred and grouped in the top view.
    Bytes b = ObjectFileHeader(10000);
    for (float h : {3000.0f, 3300.0f}) ObjectFileRecord(b, {8, 1, -1, 0, {{h, 0, 0}, {h + 60, 0, 0}, {h, 0, 60}}});
    ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    dialogs.choose(Write(b.i16(400).data(), "chair.pob")), dialogs.choose(dir + "/missing.pob");
    gXViewAngle = 0, handler.import3DObjectUsingWindow();
    Objex* group = current()->firstObject;
    ASSERT_TRUE(group && !group->next);
    EXPECT_TRUE(Near({group->type, CountObjects(group->firstChild), GetCurrentView()}, {objtype::kGroup, 2, kViewTop}));
    ExpectPosition(group->firstChild->firstPoint, -60, 0, -10);  // 1000..1120 by 0..20 centred on (0, 0)
    handler.import3DObjectUsingWindow();  // a file that cannot be read stores no step
    EXPECT_EQ(std::tuple(dialogs.asked.at(0).extensions, undo.actionNames),
              std::tuple(Names{"POB"}, Names{"Remove Floorplan Trace Image", "Import 3D Object"}));
}

TEST_F(CommandView, ACabinetPartLaunchesItsPowerToolOrSaysWhyNot) {
    Objex* part = gContextFoundObj = Make(objtype::kCabinetPart).on(doc->itsCurLayer).line(2);
    Objex* other = Make(8).on(doc->itsCurLayer).line(2).select();  // deselected for the tool
    std::vector<int32_t> loaded;
    bool available = false, launches = false;
    Names events, messages;
    SetLoadedPlugInIDsHandler([&] { return loaded; });
    SetPowerToolIsAvailableHandler([&](int32_t id) { return available && id == 131; });
    SetPowerToolNameHandler([](int32_t) { return std::string("Cabinets"); });
    SetLaunchPowerToolHandler([&](int32_t) { return launches; });
    SetCloseVisiblePanelsAndSaveStateHandler([&] { events.push_back("panels"); });
    SetBeginPowerToolProgressSheetHandler([&](const std::string& name) { events.push_back("sheet " + name); });
    handler.launchObjectPowerTool(), loaded = {131}, handler.launchObjectPowerTool();  // first not loaded: nothing
    available = true, handler.launchObjectPowerTool();
    launches = true, handler.launchObjectPowerTool();
    for (const auto& shown : alerts.shown) messages.push_back(shown.alert.message);
    EXPECT_EQ(std::tuple(messages, events),
              std::tuple(Names{"The PowerTool 'Cabinets' is currently being used.", "Unable to launch Cabinets"},
                         Names{"panels", "sheet Cabinets"}));
    EXPECT_EQ(std::tuple(IsObjectSelected(part), IsObjectSelected(other)), std::tuple(true, false));
}

}  // namespace
