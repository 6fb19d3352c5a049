#include "tracking/track_mouse.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/core/localization_seams.h"
#include "files/undo.h"
#include "model/design_digest.h"
#include "model/document_model.h"
#include "model/inspector_panel.h"
#include "port/seam.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_engine.h"
#include "tracking/tracking_state.h"
#include "ui/core/sheet_seams.h"

namespace {

struct ToolName {
    int16_t tool;
    const char* name;
};

// Sorted by tool.
constexpr ToolName kToolNames[] = {
    {200, "Move/Resize"}, {202, "Rotate"}, {208, "Dimension Wall Tool"}, {209, "Dimension Tool"},
    {210, "Offset Dimension Tool"}, {211, "Length Dimension Tool"}, {212, "Diameter Dimension Tool"},
    {213, "Leader Dimension Tool"}, {215, "Resize"}, {7000, "Foundation Perimeter Tool"},
    {7001, "Stiffener Beam Tool"}, {7002, "Foundation Pier Tool"}, {7003, "Post-Tension Strand Tool"},
    {7004, "Foundation Slope Tool"}, {7050, "Exterior Wall Tool"}, {7051, "Exterior Wall Tool"},
    {7052, "Interior Wall Tool"}, {7053, "Interior Wall Tool"},
    {7054, "Curved Wall Tool"}, {7055, "Wall Break Tool"}, {7056, "Door Tool"}, {7057, "Window Tool"},
    {7058, "Straight Stairway Tool"}, {7059, "Curved Stairway Tool"}, {7060, "Straight Railing Tool"},
    {7061, "Curved Railing Tool"}, {7062, "Floor Tool"}, {7063, "Floor Cutout Tool"}, {7064, "Accessory Tool"},
    {7065, "Fixture Light Tool"}, {7066, "Cased Opening Tool"}, {7100, "110v Receptacle Tool"}, {7101, "110v Receptacle Tool"},
    {7102, "110v Floor/Ceiling Receptacle Tool"}, {7103, "220v Receptacle Tool"},
    {7104, "220v Floor/Ceiling Receptacle Tool"}, {7105, "Switch Tool"}, {7106, "3/4/5-Way Switch Tool"},
    {7107, "Dimmer/Weather Proof Switch Tool"}, {7108, "Switch Connector Tool"}, {7109, "Fixture Light Tool"},
    {7110, "Flood Light Tool"}, {7111, "Ceiling Fan Tool"}, {7112, "Cable Outlet Tool"},
    {7113, "Phone Outlet Tool"}, {7114, "Smoke Detector Tool"}, {7115, "Thermostat Tool"},
    {7200, "Hose Bib Tool"}, {7201, "Gas Bib Tool"}, {7202, "Floor Drain Tool"}, {7203, "Toilet Tool"},
    {7204, "Single Sink Tool"}, {7205, "Double Sink Tool"}, {7206, "Triple Sink Tool"},
    {7207, "Oval Sink Tool"}, {7208, "Bath Tub Tool"}, {7209, "Spa Tub Tool"}, {7210, "Shower Tool"},
    {7211, "Water Heater Tool"}, {7300, "Gable Roof Tool"}, {7301, "Hip Roof Tool"},
    {7302, "Hip/Gable Roof Tool"}, {7303, "Gable Roof Connector Tool"}, {7304, "Hip Roof Connector Tool"},
    {7305, "Cross Roof Connector Tool"}, {7306, "Freehand Roof Tool"}, {7307, "Four-Point Freehand Roof Tool"},
    {7308, "Three-Point Freehand Roof Tool"}, {7309, "Dormer Cutout"}, {7310, "Skylight"},
    {7311, "Shed Roof Tool"}, {7400, "Air Duct Tool"}, {7401, "Floor Register Tool"},
    {7402, "Ceiling Register Tool"}, {7403, "Air Return Tool"}, {7404, "Furnace Tool"},
    {7405, "Air Conditioner Tool"}, {7406, "Heat Pump Tool"}, {7407, "Baseboard Heater Tool"},
    {7500, "Property Line Tool"}, {7501, "Ground Fill Region Tool"}, {7502, "Pathway/Driveway Tool"},
    {7503, "Fill Tool"}, {7504, "Edging Tool"}, {7505, "Fence Tool"}, {7506, "Gate Tool"},
    {7507, "Retaining Wall Tool"}, {7508, "Sprinkler Head Tool"}, {7509, "Excavate Topography Tool"},
    {7510, "Slope Lot Section Tool"}, {7511, "Curved Topography Tool"}, {7512, "Straight-Edge Topography Tool"},
    {7515, "Slope Lot Tool"}, {7600, "Deck with Railing Tool"}, {7601, "Deck without Railing Tool"},
    {7602, "Straight Railing Tool"}, {7603, "Curved Railing Tool"}, {7604, "Straight Stairway Tool"},
    {7605, "Curved Stairway Tool"}, {7606, "Deck Cutout Tool"}, {7700, "Rectangle Tool"},
    {7701, "Circle/Oval Tool"}, {7702, "Line Tool"}, {7703, "Polygon Tool"}, {7704, "Arc Tool"},
    {7705, "Circular Arc Tool"}, {7706, "Multigon Tool"}, {7707, "Curve Tool"}, {7910, "Fillet Tool"},
    {7911, "Inverted Fillet Tool"}, {7912, "Chamfer Tool"},
};

// The tools whose gestures store nothing (the key-entry, pan, camera and text tools, and the
// point tools, which store their own steps).
constexpr int16_t kSilentTools[] = {201, 204, 205, 207, 7900, 7901};

bool StoresOnlyOnHit(int16_t tool) {
    return tool == toolid::kSelect || tool == toolid::kRotate || tool == toolid::kResize;
}

bool IsFilletOrChamfer(int16_t tool) { return tool >= toolid::kFillet && tool <= toolid::kFilletChamfer; }

std::vector<TrackMouse*> sRunners;

}  // namespace

TrackMouse::TrackMouse() { sRunners.push_back(this); }

TrackMouse::~TrackMouse() {
    std::erase(sRunners, this);
    if (running_) CloseTrackerLoops();  // their steps may hold what goes with the runner's owner
}

namespace {
std::vector<std::function<void()>> sRestores;
void RunRestores() {
    std::vector<std::function<void()>> restores;
    restores.swap(sRestores);
    for (auto& restore : restores) restore();
}
}  // namespace
static const port::GlobalReset kRestoresReset([] { sRestores.clear(); });

void RestoreAtGestureEnd(std::function<void()> restore) {
    if (restore) sRestores.push_back(std::move(restore));
}

void ResetTrackingState() {
    for (TrackMouse* runner : std::vector<TrackMouse*>(sRunners))
        if (runner->running_ && TrackerLoopOpen() && EndTrackerLoops(runner->pointerNow(), gEventModifiers))
            runner->resume();
    CloseTrackerLoops();
    RunRestores();
    for (TrackMouse* runner : sRunners) {
        runner->running_ = false;
        runner->ended_ = true;
        runner->after_ = TrackMouse::After::Nothing;
    }
    gTrackingMouse = gTrackingObject = 0;
    gMouseState = 0;
    gBeginKeepTracking = 0;
    gTrackInvertedFillet = 0;
    gMouseCaptured = 0;
    gPerpStartPtz = gPerpEndPtz = nullptr, gPerpAtStart = 0;
    gChangeSnapOK = 1;
    if (gResetToWallTool) gResetToWallTool = 0, gCurTool = gResetWallTool;
}

const char* TrackUndoName(int16_t tool) {
    if (std::find(std::begin(kSilentTools), std::end(kSilentTools), tool) != std::end(kSilentTools)) return nullptr;
    const auto* row = std::lower_bound(std::begin(kToolNames), std::end(kToolNames), tool,
                                       [](const ToolName& r, int16_t t) { return r.tool < t; });
    return row != std::end(kToolNames) && row->tool == tool ? row->name : " ";
}

bool TrackMouse::begin(POINT click, CommandWindow* window) {
    running_ = false;
    after_ = After::Nothing;
    ended_ = false;
    if (!CurrentDocState()) return false;
    click_ = last_ = click;
    moved_ = false;
    window_ = window;
    // The digest walks the whole design: taken only when the end may compare it. Should the
    // end compare without one, the step is stored.
    const int16_t tool = gCurTool;
    const bool mayStore = TrackUndoName(tool) && !(StoresOnlyOnHit(tool) && !gClickInfo.ciHit);
    designOf_ = mayStore ? gCurDocument : nullptr;
    designBefore_ = mayStore ? DesignDigest(gCurDocument) : 0;
    if (gCurTool == toolid::kKeyEntry) {
        CallKeyEntryTracker(click.x, click.y, window);
        finish();
        return false;
    }
    gSkipConstraints = 0;
    gTrackMadeNothing = 0;
    gTrackStepToSheet = 0;
    running_ = true;
    BeginTracking(click.x, click.y);
    if (TrackerLoopOpen()) after_ = After::Press;
    else afterPress();
    return running_;
}

void TrackMouse::afterPress() {
    after_ = After::Nothing;
    // The four- and three-point roofs take the events until the release whatever the tracker
    // said; the test is made once, before the first event.
    if (gMouseCaptured || gCurTool == toolid::kFourPointRoof || gCurTool == toolid::kThreePointRoof) return;
    endAt(last_);
}

void TrackMouse::keep(POINT at, uint32_t modifiers) {
    event(TrackEvent{trackevent::kLeftMouseDragged, at, modifiers});
}

void TrackMouse::end(POINT up) { event(TrackEvent{trackevent::kLeftMouseUp, up, gEventModifiers}); }

void TrackMouse::event(const TrackEvent& e) {
    if (!running_) return;
    if (TrackerLoopOpen()) {
        DeliverToTrackerLoop(e);
        if (!TrackerLoopOpen()) resume();
        return;
    }
    if (ended_) return;
    TrackEventSource::Delivery delivering(e);
    switch (e.type) {
    case trackevent::kLeftMouseDragged:
    case trackevent::kKeyDown:
    case trackevent::kFlagsChanged:
        gEventModifiers = e.modifiers;
        gPrevTrackModifiers = gTrackModifiers;
        moved_ = true;
        KeepTracking(e.where.x, e.where.y, last_.x, last_.y);
        last_ = e.where;
        break;
    case trackevent::kLeftMouseUp: endAt(e.where); break;
    default: break;
    }
}

void TrackMouse::endAt(POINT up) {
    ended_ = true;
    EndTracking(up.x, up.y, last_.x, last_.y);
    if (TrackerLoopOpen()) after_ = After::End;
    else finish();
}

void TrackMouse::resume() {
    const After after = after_;
    after_ = After::Nothing;
    if (after == After::Press) afterPress();
    else if (after == After::End) finish();
}

POINT TrackMouse::pointerNow() const {
    const std::optional<POINT> at = pointerSource_ ? pointerSource_() : std::nullopt;
    return at ? *at : LastTrackerLoopPoint();
}

void TrackMouse::cancel() {
    if (!running_) return;
    if (EndTrackerLoops(pointerNow(), gEventModifiers)) resume();
    else after_ = After::Nothing;
    if (!running_) return;
    if (!ended_) endAt(last_);
    if (!running_) return;
    CloseTrackerLoops();  // loops the release opened
    finish();
}

void TrackMouse::finish() {
    running_ = false;
    RunRestores();
    if (gCurTool != toolid::kKeyEntry) {
        gTrackingMouse = 0;
        gTrackingObject = 0;
        gTrackInvertedFillet = 0;
        if (gResetToWallTool) {
            gResetToWallTool = 0;
            gCurTool = gResetWallTool;
        }
    }
    // Whatever the gesture left selected (what the tool made, most often) is what the
    // selection's summary counts, as after a click or a restore.
    RefreshSelectionState40();
    const int16_t tool = gCurTool;
    if (tool == toolid::kText) {
        NewTextEntrySheetForParent(window_, nullptr);
        return;
    }
    const char* name = TrackUndoName(tool);
    if (!name || (StoresOnlyOnHit(tool) && !gClickInfo.ciHit) || (IsFilletOrChamfer(tool) && !gFilletChamferUndo) ||
        gTrackMadeNothing || gTrackStepToSheet)
        return;
    if (designOf_ == gCurDocument && DesignDigest(gCurDocument) == designBefore_) return;
    StoreUndo(LocalizedString(name).c_str());
}
