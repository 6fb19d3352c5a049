// The plan view's mouse road without a window: presses fed to the road one event at a time, a
// recording tracker in place of the engine, real undo snapshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/core/app_seams.h"
#include "model/command_state.h"
#include "app/core/main_window_seams.h"
#include "app/core/plan_mouse.h"
#include "app/core/status_bar_seams.h"
#include "content/core/content_selection_seams.h"
#include "files/content_paths.h"
#include "files/undo.h"
#include "model/command_globals.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/projection.h"
#include "plan/selection_feedback.h"
#include "powertools/core/plugin_list_seams.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "support/drawing_doubles.h"
#include "support/records.h"
#include "support/scene_checks.h"
#include "support/seam_recorders.h"
#include "support/tracking_recorders.h"
#include "tools/tool_trackers.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "ui/core/sheet_seams.h"

using namespace dvxtest;

namespace {

int sWindowToken;
CommandWindow* const kWindow = reinterpret_cast<CommandWindow*>(&sWindowToken);
using Names = std::vector<std::string>;

struct FakePlanView : PlanMouseView {
    Base2DViewHost* viewHost() override { return &host; }
    CommandWindow* commandWindow() override { return kWindow; }
    int16_t cameraMarkerAt(POINT) override { return marker; }
    void popUpContextMenu(PlanContextMenu menu, const ClickInfo* click) override {
        // The object menu's factory keeps the object for its commands.
        if (click) gContextFoundObj = click->ciObject;
        menus.push_back(menu == PlanContextMenu::Base ? "base" : "object");
    }
    void setDocumentCursor(PlanMouseCursor cursor) override { cursors.push_back(cursor); }
    void makeWindowKey() override { ++keyed; }

    FakeViewHost host;
    int16_t marker = 0;
    Names menus;
    std::vector<PlanMouseCursor> cursors;
    int keyed = 0;
};

class PlanRoad : public FileTest {
protected:
    PlanRoad() : FileTest("planroad") {}
    void SetUp() override {
        FileTest::SetUp();
        ASSERT_TRUE(MakeApplicationTemporaryFolder());
        port::setDocumentUndo(&undo), gUndoActive = 1, InitializeUndo();
        ds = doc->itsDocState, floor = doc->itsCurLayer;
        ds->zoomFactor = 1, ds->planScale = 36;
        slot = doc->itsCurrentUndo;
        RegisterToolTrackers(), tracker.emplace();  // the recorder takes every slot, the key entry stays
        SetResetStandardToolHandler([this](uint8_t flag) { resets.push_back(flag), gCurTool = toolid::kSelect; });
        SetMainWindowStatusTextHandler([this](const std::string& text) { status = text; });
        SetNewTextEntrySheetForParentHandler([this](CommandWindow* w, Objex* o) { sheets.push_back(w == kWindow ? o : nullptr); });
    }
    // A press at `at`, a drag by (5, 5) unless it is a double click, the release one further.
    void Click(POINT at, uint32_t modifiers = 0, int count = 1, bool right = false) {
        PlanMouseEvent e{at, at, right, count, modifiers};
        right ? mouse.rightMouseDown(e) : mouse.mouseDown(e);
        if (count == 1) e.where = e.screen = {at.x + 5, at.y + 5}, mouse.mouseDragged(e);
        e.where = e.screen = {e.where.x + 1, e.where.y + 1};
        mouse.mouseUp(e);
    }
    // The undo steps stored since the last look; " " for a step without a name.
    Names Stored() {
        Names out(undo.actionNames.begin() + static_cast<long>(seen), undo.actionNames.end());
        if (out.empty() && doc->itsCurrentUndo != slot) out.push_back(" ");
        seen = undo.actionNames.size(), slot = doc->itsCurrentUndo;
        return out;
    }

    RecordingUndo undo;
    std::optional<RecordingTracker> tracker;  // made after the seams were reset
    FakePlanView view;
    PlanMouse mouse{&view};
    DocState* ds = nullptr;
    Layer* floor = nullptr;
    std::vector<int> resets;
    std::vector<Objex*> sheets;
    std::string status;
    size_t seen = 0;
    int32_t slot = 0;
};

TEST_F(PlanRoad, EachToolTracksAndStoresItsStepOrNone) {
    struct Row { int16_t tool; bool released; size_t calls; Names stored; int16_t after; };
    const Row rows[] = {
        {200, false, 4, {}, 200},  // a miss with the move tool: ciHit 0
        {7050, false, 4, {"Exterior Wall Tool"}, 200}, {7052, true, 2, {"Interior Wall Tool"}, 200},
        {7051, false, 4, {"Exterior Wall Tool"}, 200}, {201, false, 0, {}, 200}, {204, false, 0, {}, 204}, {205, false, 4, {}, 200},
        {7900, false, 0, {}, 7900}, {7809, false, 0, {}, 200},  // no tracker: nothing made, nothing stored
        {207, false, 4, {}, 207},
        {7307, true, 4, {"Four-Point Freehand Roof Tool"}, 200},  // loops though the tracker let go
    };
    for (const Row& r : rows) {
        tracker->calls.clear(), tracker->releaseAtBegin = r.released, gCurTool = r.tool;
        Click({1000, 1000});
        EXPECT_EQ(std::tuple(tracker->calls.size(), Stored(), gCurTool, gMouseCaptured, mouse.busy()),
                  std::tuple(r.calls, r.stored, r.after, 0, false)) << r.tool;
    }
    EXPECT_EQ(tracker->calls, (Names{"1 1000,1000", "2 1000,1000", "2 1005,1005", "3 1005,1005"}));
    EXPECT_EQ(sheets, std::vector<Objex*>{nullptr});  // the text tool's new-text sheet
    const ClickInfo& miss = gClickInfo;  // the last miss left every hit field clear
    EXPECT_TRUE(Near({miss.ciHit, miss.ciPointHit, miss.ciSegmentHit, miss.ciAreaHit, miss.ciHandleHit, miss.ciHandle},
                     {0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Same({miss.ciPoint, miss.ciPoint2, miss.ciObject}, {nullptr, nullptr, nullptr}));
}

TEST_F(PlanRoad, ClicksSelectByTheRulesAndTrackWhatIsSelected) {
    Objex* wall = Wall(floor, {{0, 0}, {200, 0}, {200, -60}});
    Wall(floor, {{0, 100}, {200, 100}});
    Objex* door = Opening(wall, objtype::kDoor, 1, 0);
    Objex* line = Shape(floor, 9, {{300, 0}, {350, 30}, {400, 50}});
    Objex* other = Shape(floor, 9, {{500, 0}, {550, 30}, {600, 50}});

    Click({350, 30});  // an unselected object: selected, nothing tracked
    EXPECT_TRUE(Near({SelectedPointCount(line), tracker->calls.size(), Stored().size()}, {3, 0, 0}));
    tracker->hitAtEnd = 1, Click({350, 30});
    tracker->hitAtEnd = 0, Click({350, 30});  // the engine cleared the hit: no step
    EXPECT_EQ(std::tuple(Stored(), gClickInfo.ciPoint, tracker->calls.at(3)),
              std::tuple(Names{"Move/Resize"}, PointAt(line, 1), "3 355,35"));
    gCurTool = toolid::kKeyEntry, Click({550, 30}, evmod::kShift);  // Shift does not extend with key entry
    EXPECT_TRUE(Near({SelectedPointCount(line), SelectedPointCount(other)}, {0, 0}));
    gCurTool = toolid::kSelect, Click({550, 30}), Click({350, 30}, evmod::kShift);  // but with the move tool
    EXPECT_TRUE(Near({SelectedPointCount(line), SelectedPointCount(other)}, {3, 3}));

    gPointOrientation = 1, Click({100, 0});  // a wall segment: its clearance is kept for the next frame
    EXPECT_TRUE(Near({gSelectedWallSegmentEndPtSideA.floatV, gSelectedWallSegmentEndPtSideB.floatV,
                      SelectedPointCount(wall)}, {-32000, 100, 2}, 1e-3));
    Click({100, 0}, 0, 2);  // a double click takes every point of the wall
    EXPECT_EQ(SelectedPointCount(wall), 3);

    tracker->calls.clear(), tracker->hitAtEnd = -1;
    gCurTool = 7056, Click({30, 0});  // the door tool picks a door, tracks on a wall
    EXPECT_TRUE(Near({SelectedPointCount(door), PointAt(wall, 0)->selected, tracker->calls.size(), gCurTool}, {2, 0, 0, 200}));
    gCurTool = 7056, Click({150, 0});
    EXPECT_EQ(std::tuple(gClickInfo.ciHit, tracker->calls.size(), Stored()), std::tuple(1, 4u, Names{"Door Tool"}));

    ds->snapToGrid = 0, doc->itsVRVisible = 1, doc->itsVRStartPt = {-144, -400}, doc->itsVREndPt = {144, -400};
    tracker->calls.clear(), Click({0, -400});  // the ruler moves; the selection stays
    EXPECT_TRUE(Near({doc->itsVRStartPt.floatH, doc->itsVRStartPt.floatV, SelectedPointCount(door), tracker->calls.size()},
                     {-139, -395, 2, 0}));
}

TEST_F(PlanRoad, RoofsTextAndPlugInObjectsHaveTheirOwnClicks) {
    Objex* roof = Shape(floor, objtype::kFreehandRoof, {{500, 0}, {600, 0}, {600, 100}}, true);
    Objex* arrow = Shape(roof, objtype::kSlopeArrow, {{540, 50}, {560, 50}});
    Click({500, 0});
    EXPECT_TRUE(Near({PointAt(roof, 0)->selected, SelectedPointCount(arrow)}, {1, 2}));

    Objex* text = Shape(floor, objtype::kText, {{700, 0}, {800, 0}});
    Click({750, 0}, 0, 2);
    EXPECT_EQ(sheets, std::vector<Objex*>{text});

    Objex* cabinet = Make(objtype::kGroup, objsubtype::kCabinetGroup).with(new CabinetState{}).on(floor).shown();
    Objex* part = Make(objtype::kCabinetPart).shown().plan({{900, 0}, {960, 0}, {960, 60}, {900, 60}}).in(cabinet).select();
    part->layer = floor, Make(cabinet).bounds();
    SetLoadedPlugInIDsHandler([] { return std::vector<int32_t>{131}; });
    SetPowerToolNameHandler([](int32_t) { return std::string("Cabinets"); });
    Click({930, 30}, 0, 2);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(std::tuple(alerts.shown[0].alert.message, SelectedPointCount(part)),
              std::tuple("The PowerTool 'Cabinets' is currently being used.", 4));
}

// Every plan the tab shows takes clicks, the current plan's objects first: on the floor plan a
// wall's line under a roof's edge is the wall's, and a light of the electrical plan is picked
// too; on the roofing plan the same line is the roof's. A press inside the roof that meets
// none of its lines deselects and starts a marquee.
TEST_F(PlanRoad, ClicksSearchEveryPlanShownTheCurrentOneFirst) {
    Objex* wall = Wall(floor, {{0, 0}, {200, 0}});
    Objex* roof = Shape(floor, objtype::kRoof, {{0, 0}, {200, 0}, {200, 100}, {0, 100}}, true);
    Objex* light = Shape(floor, objtype::kComponent, {{400, 0}, {420, 0}, {420, 20}, {400, 20}}, true);
    Objex* spare = Shape(floor, objtype::kComponent, {{0, 500}, {20, 500}, {20, 520}}, true);  // selected before each
    wall->planBits = 2, roof->planBits = 16, light->planBits = 4;
    struct Row { int32_t current, shown; POINT at; Objex* picked; };
    const Row rows[] = {
        {2, 511, {100, 0}, wall},   // the floor plan, which shows the roof
        {2, 511, {410, 10}, light},
        {16, 274, {100, 0}, roof},  // the roofing plan, which shows the floor plan
        {16, 274, {100, 50}, nullptr},
        {2, 2, {410, 10}, nullptr},  // a plan not shown takes no click
    };
    for (const Row& r : rows) {
        ds->currentPlanBit = r.current, ds->visiblePlans = r.shown;
        Make(spare).select(), tracker->calls.clear();
        Click(r.at);
        for (Objex* o : {wall, roof, light, spare})
            EXPECT_EQ(SelectedPointCount(o) > 0, o == r.picked) << r.current << " at " << r.at.x << "," << r.at.y;
        // A miss leaves the gesture to the marquee.
        if (!r.picked) {
            EXPECT_FALSE(tracker->calls.empty()) << r.at.x << "," << r.at.y;
        }
    }
}

TEST_F(PlanRoad, RightClicksDeselectAndShowTheirMenus) {
    Objex* line = Make(9).on(floor).shown().plan({{0, 0}, {100, 0}}).bounds().select();
    Click({500, 500}, evmod::kShift, 1, true);  // Shift keeps the selection
    Click({0, 0}, 0, 1, true);
    Click({500, 500}, 0, 1, true);
    view.marker = 1, Click({0, 0}, 0, 1, true);  // the camera marker: nothing
    EXPECT_EQ(std::tuple(view.menus, SelectedPointCount(line), gContextFoundObj, tracker->calls.size()),
              std::tuple(Names{"base", "object", "base"}, 0, nullptr, 0u));
}

TEST_F(PlanRoad, ReadoutsMeasureTheSelectionAtAnyZoom) {
    for (float zoom : {0.6f, 1.0f}) {
        Objex* wide = Make(objtype::kAccessory).on(floor).shown().plan({{0, 0}, {240, 0}, {240, 24}}).bounds();
        ds->zoomFactor = zoom;
        Click({120, 12});
        EXPECT_EQ(status.substr(0, 13), "Width: 10'-0\"") << zoom;
        DeleteObj(wide);
    }
}

TEST_F(PlanRoad, MarkerPanAndZoomDragsFollowThePointer) {
    ds->cameraMode = 2, ds->cameraPosition = {0, 0};
    int frames = 0;
    SetLiveViewRealTimeFrameHandler([&] { ++frames; });
    view.marker = 1;
    PlanMouseEvent e{{0, -20}, {}, false, 1, 0};
    mouse.mouseDown(e), e.where = {100, 0}, mouse.mouseDragged(e);
    EXPECT_TRUE(Near({ds->cameraMode, ds->cameraHeading, gRenderingDirect3D, LiveViewIsVisible(), view.keyed}, {1, 270, 1, 1, 1}));
    e.where = {0, -100}, mouse.mouseDragged(e), mouse.mouseUp(e);
    view.marker = 2, e.where = {0, 0}, mouse.mouseDown(e), e.where = {40, 30}, mouse.mouseDragged(e), mouse.cancel();
    EXPECT_TRUE(Near({ds->cameraHeading, ds->cameraPosition.floatH, ds->cameraPosition.floatV, frames, gRenderingDirect3D, mouse.busy()},
                     {0, 40, 30, 3, 0, 0}));

    view.marker = 0, view.host.visible = {0, 0, 400, 300}, gCurTool = toolid::kZoom;
    e = {{200, 100}, {0, 500}, false, 1, 0};
    mouse.mouseDown(e);
    for (int y : {350, 200, 50}) e.screen.y = y, mouse.mouseDragged(e);
    mouse.mouseUp(e);
    EXPECT_TRUE(Near({ds->zoomFactor, ds->savedZoom, view.host.scrolledTo.at(0).x, view.host.scrolledTo.back().x},
                     {3, 3, 0, 400}));
}

// --- content ---

class PlanContent : public PlanRoad {
protected:
    void SetUp() override {
        PlanRoad::SetUp();
        Bytes object = ObjectFileHeader(10000);
        ObjectFileRecord(object, {8, 1, -1, 0, {{30, 0, 0}, {90, 0, 0}, {30, 0, 60}}});
        entries[0] = Entry(symentry::kObject, Write(object.i16(400).data(), "chair.pob"));
        entries[0].objectInfo = Write({}, "chair.pod");
        const std::string design = Write(DesignBytes(11100).layer("First Floor").object(9, 3, 1).tag(400).data(), "t.ptf");
        entries[1] = Entry(symentry::kTemplate, design);
        entries[2] = Entry(symentry::kSymbol, design);
        entries[3] = Entry(symentry::kStockPlant, "");
    }
    static SymEntryInfo Entry(int16_t type, const std::string& data) {
        SymEntryInfo e;
        e.type = type, e.objectData = data, e.textureID = 2001;
        return e;
    }
    bool Drop(const SymEntryInfo& entry, bool offers2D = true) {
        const std::vector<uint8_t> record = entry.encodeSymEntry();
        return mouse.performDragOperation(offers2D, &record, {0, 0});
    }
    // Where the last object of the floor starts.
    std::vector<float> Placed() {
        Objex* o = floor->firstObject;
        while (o->next) o = o->next;
        while (o->firstChild) o = o->firstChild;
        return {o->firstPoint->position[0], o->firstPoint->position[1], o->firstPoint->position[2]};
    }

    // The drops land at view point (0, 0): the view's centre moved evaluates it to (h, v, d).
    static void Aim(float h, float v, float d) { gGlobalXOffset = h, gGlobalYOffset = v, gGlobalZOffset = d; }
    SymEntryInfo entries[4];
};

TEST_F(PlanContent, DropsPlaceEachKindAndStoreItsStep) {
    struct Row { int entry; Names stored; bool selected; size_t resets; };
    const Row rows[] = {{1, {"Insert Template"}, true, 1}, {0, {"Insert Object"}, false, 0},
                        {2, {"Insert Symbol"}, false, 0}, {3, {"Insert Plant"}, false, 0}};
    for (const Row& r : rows) {
        resets.clear();
        EXPECT_TRUE(Drop(entries[r.entry]));
        Objex* last = floor->firstObject;
        while (last->next) last = last->next;
        EXPECT_EQ(std::tuple(Stored(), SelectedPointCount(last) > 0, resets.size()),
                  std::tuple(r.stored, r.selected, r.resets)) << r.entry;
    }
    // Declared only for the 3D view: taken and ignored. A cut record: refused.
    const int before = CountObjects(floor->firstObject);
    std::vector<uint8_t> cut = entries[1].encodeSymEntry();
    cut.pop_back();
    EXPECT_TRUE(Near({Drop(entries[1], false), mouse.performDragOperation(true, &cut, {0, 0}),
                      CountObjects(floor->firstObject) - before, Stored().size()}, {1, 0, 0, 0}));

    // Every coordinate of the point applies, in the plan and in a front view alike.
    for (int16_t kind : {2, 1}) {
        ds->viewKind = kind;
        Aim(0, 0, 0), Drop(entries[1]);
        const std::vector<float> origin = Placed();
        Aim(10.4f, 20.6f, 30.3f), Drop(entries[1]);
        const std::vector<float> moved = Placed();
        EXPECT_TRUE(Near({moved[0] - origin[0], moved[1] - origin[1], moved[2] - origin[2]},
                         {10, kind == 2 ? 20.6 : 21, kind == 2 ? 30 : 30.3}, 1e-3)) << kind;
    }
}

TEST_F(PlanContent, AnObjectIsNamedByItsInfoFileUnlessItSaysDone) {
    for (const char* name : {"Done", "Garden Chair"}) {
        WriteFileBytes(entries[0].objectInfo, Bytes().raw(std::string("[Description]\nObjectName=") + name + "\n").data());
        Drop(entries[0]);
        Objex* group = floor->firstObject;
        while (group->next) group = group->next;
        EXPECT_EQ(std::string(group->text ? group->text : "(none)"), std::strcmp(name, "Done") ? name : "(none)");
    }
}

TEST_F(PlanContent, AutoClicksInsertWithOneStepForTheirPeriod) {
    int16_t category = 4;
    SetContentPaletteSelectedCategoryHandler([&] { return category; });
    SetContentPaletteSelectedSymEntryHandler([&] { return std::optional<SymEntryInfo>(entries[0]); });
    RegisterLiveView(true);
    PlanMouseEvent option{{0, 0}, {0, 0}, false, 1, evmod::kOption};
    mouse.flagsChanged(option), mouse.mouseExited();  // an empty period stores nothing
    mouse.flagsChanged(option);
    mouse.mouseDown(option), mouse.mouseUp(option);
    const std::vector<float> origin = Placed();
    Aim(0, 20.6f, 0), mouse.mouseDown(option), mouse.mouseUp(option);
    const std::vector<float> moved = Placed();
    const Names during = Stored();
    const size_t inserted = mouse.autoClick2DEntryIDs().size();
    mouse.mouseExited();
    std::vector<Objex*> built;  // each insert went into the scene
    for (const PlaneObject* p = gGLPlaneObjects; p; p = p->next) built.push_back(GetRootObject(p->baseObject));
    built.erase(std::unique(built.begin(), built.end()), built.end());
    EXPECT_EQ(std::tuple(during, inserted, Stored(), mouse.autoClick2DActive(), built.size()),
              std::tuple(Names{}, 2u, Names{"Insert Objects"}, false, 2u));
    EXPECT_NEAR(moved[1] - origin[1], 20.6, 1e-3);  // the click's depth applies
    category = 7, mouse.flagsChanged(option);
    EXPECT_EQ(std::tuple(mouse.autoClick2DActive(), view.cursors.back()), std::tuple(false, PlanMouseCursor::Arrow));
}

TEST_F(PlanContent, AChosenImageBecomesAPhotoAndTheToolLetsGo) {
    ScriptedFileDialogs dialogs;
    port::setFileDialogs(&dialogs);
    Names events;
    SetPowerToolReleaseLockOwnedByDocumentHandler([&](const QMDDocumentModel* m) { events.push_back(m == doc ? "release" : "?"); });
    SetRestoreAllVisiblePanelsHandler([&] { events.push_back("panels"); });
    dialogs.choose("/photos/porch.jpg"), LaunchRorozErud();
    Objex* photo = floor->firstObject;
    ASSERT_TRUE(photo && photo->type == objtype::kPhoto);
    EXPECT_EQ(std::tuple(std::string(photo->typeData.imagePath), Stored(), CountObjects(floor->firstObject)),
              std::tuple("/photos/porch.jpg", Names{"Insert RorozErud Image"}, 1));
    LaunchRorozErud();  // cancelled: only the release
    EXPECT_EQ(std::tuple(events, Stored(), CountObjects(floor->firstObject)),
              std::tuple(Names{"release", "panels", "release", "panels"}, Names{}, 1));
}

}  // namespace
