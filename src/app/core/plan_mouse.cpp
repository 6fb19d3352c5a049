// The press, the click with its selection rules and the tools' own hit tests, the readouts,
// and the gestures a press starts.
#include "app/core/plan_mouse.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "model/command_state.h"
#include "app/core/document_window.h"
#include "app/core/event_handler.h"
#include "app/core/main_window_seams.h"
#include "plan/status_readouts.h"
#include "content/core/content_selection_seams.h"
#include "model/bounds.h"
#include "model/command_globals.h"
#include "model/command_ids.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/objects.h"
#include "model/plan_index.h"
#include "model/selection_ops.h"
#include "model/selection_queries.h"
#include "model/selection_state.h"
#include "model/selection_summary.h"
#include "model/transforms.h"
#include "model/walkers.h"
#include "plan/base_2d_view.h"
#include "plan/handles.h"
#include "plan/refresh_seams.h"
#include "plan/selection_feedback.h"
#include "render/core/live_view_seams.h"
#include "model/render_state.h"
#include "scene/scene_build.h"
#include "tools/roof_panels.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"
#include "model/inspector_panel.h"
#include "ui/core/inspector_seams.h"
#include "ui/core/sheet_seams.h"

namespace {

constexpr float kBoundsReach = 30000.0f;
constexpr int32_t kDetailToolSet = 8;

// The attachment types the selection rules try first, so a door wins over its wall.
constexpr int16_t kAttachmentTypes[] = {objtype::kDoor, objtype::kWindow, objtype::kComponent, objtype::kDeckSteps,
                                        objtype::kAccessory};
constexpr int16_t kWalls[] = {objtype::kWall};
constexpr int16_t kOpenings[] = {objtype::kDoor, objtype::kWindow};
constexpr int16_t kAccessories[] = {objtype::kAccessory};
constexpr int16_t kComponents[] = {objtype::kComponent};
constexpr int16_t kFences[] = {objtype::kFence};

// The wall-mounted electrical, plumbing and heating symbols: a click on one selects it.
constexpr int16_t kWallComponentTools[] = {7100, 7101, 7103, 7105, 7106, 7107, 7110, 7112, 7113, 7114, 7115,
                                           7200, 7201, 7203, 7204, 7205, 7206, 7207, 7208, 7209, 7210, 7407};

template <size_t N>
bool In(int16_t value, const int16_t (&list)[N]) {
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

// A tool's own first test: what it looks for, whether a hit is selected at once, and the walls
// tried after a miss.
struct OwnTest {
    const int16_t* types = nullptr;
    int16_t count = 0;
    bool selectIt = false;
    bool wallsAfter = false;
};

template <size_t N>
OwnTest Test(const int16_t (&types)[N], bool selectIt, bool wallsAfter) {
    return {types, static_cast<int16_t>(N), selectIt, wallsAfter};
}

std::optional<OwnTest> OwnTestOf(int16_t tool) {
    switch (tool) {
    case 208: case 7055: case 7307: case 7308: return Test(kWalls, false, false);
    case 7056: case 7057: case 7066: return Test(kOpenings, true, true);
    case 7064: return Test(kAccessories, true, true);
    case 7506: return Test(kFences, false, false);
    default: break;
    }
    if (In(tool, kWallComponentTools)) return Test(kComponents, true, true);
    return std::nullopt;
}

// The resize tool takes them too: a press that first emptied the selection would leave it
// nothing to resize, only a marquee.
bool UsesSelectionRules(int16_t tool) {
    return tool == toolid::kSelect || tool == toolid::kKeyEntry || tool == toolid::kRotate || tool == toolid::kResize ||
           (tool >= toolid::kFillet && tool <= toolid::kFilletChamfer);
}

Layer* Layers() { return gCurDocument ? gCurDocument->itsLayers : nullptr; }

void DeselectAll() { SelectAllLayers(Layers(), selmode::kDeselect, 1); }

bool Hits(ClickInfo& click, uint8_t onlySelected, const int16_t* types = nullptr, int16_t count = 0,
          int32_t plans = 0) {
    return SelectFromAllLayers(Layers(), &click, onlySelected, types, count, plans);
}

// What a click selects: the objects of the plans in force, those of the current plan tried
// first, so where a roof is drawn over the walls the floor plan's click takes the wall under it
// and the roofing plan's the roof, while another shown plan's light is still picked.
bool SelectionHits(ClickInfo& click, uint8_t onlySelected, const int16_t* types = nullptr, int16_t count = 0) {
    const DocState* ds = CurrentDocState();
    if (!ds) return false;
    const int32_t current = ds->currentPlanBit & ds->visiblePlans;
    return (current && Hits(click, onlySelected, types, count, current)) ||
           (ds->visiblePlans != current && Hits(click, onlySelected, types, count, ds->visiblePlans));
}

// A roof panel clicked with plain selection takes its slope arrow along.
void SelectSlopeArrow(Objex* object, int8_t mode) {
    if (object->type != objtype::kFreehandRoof || mode != selmode::kSelect) return;
    if (Objex* arrow = FindSlopeDirectionArrowObject(object)) SelectObj(arrow, selmode::kSelect, 1);
}

bool InReach(const Float3DRect& b) {
    return b.floatTop < kBoundsReach && b.floatLeft < kBoundsReach && b.floatBack < kBoundsReach &&
           b.floatBottom > -kBoundsReach && b.floatRight > -kBoundsReach && b.floatFront > -kBoundsReach;
}

}  // namespace

// --- the press ---

void PlanMouse::settle() {
    if (gesture_ != Gesture::Track || track_.running()) return;
    reset_ = false;
    finishPress();
}

void PlanMouse::rightMouseDown(const PlanMouseEvent& event) {
    settle();
    if (busy()) return;
    ResetStandardTool(1);
    PlanMouseEvent right = event;
    right.right = true;
    mouseDown(right);
}

void PlanMouse::mouseDown(const PlanMouseEvent& event) {
    settle();
    // A loop's press.
    if (gesture_ == Gesture::Track)
        return track(event.right ? trackevent::kRightMouseDown : trackevent::kLeftMouseDown, event);
    if (busy()) return;
    mouseEvent_ = event;
    gEventModifiers = event.modifiers;
    gMouseCaptured = 1;
    if (autoClick_) {
        const std::optional<SymEntryInfo> entry = ContentPaletteSelectedSymEntry();
        do2DSymTargetClick(event.where, entry ? &*entry : nullptr);
        finishPress();
        return;
    }
    if (event.clickCount == 2) ResetStandardTool(1);
    const int16_t marker = view_->cameraMarkerAt(event.where);
    if (marker == 1 || marker == 2) {
        if (event.right) {
            finishPress();
            return;
        }
        startMarkerDrag(marker);
        return;
    }
    Base2DViewHost* host = view_->viewHost();
    if (gCurTool == toolid::kPan) {
        panLast_ = event.where;
        view_->setDocumentCursor(PlanMouseCursor::ClosedHand);
        gesture_ = Gesture::Pan;
    } else if (gCurTool == toolid::kZoom) {
        if (zoom_.begin(host, event.where, event.screen.y)) gesture_ = Gesture::Zoom;
        else finishPress();
    } else {
        doClick(event.where, event);
    }
}

void PlanMouse::startMarkerDrag(int16_t part) {
    if (!LiveViewIsVisible()) {
        ShowLiveView();
        if (gRenderOnShow) RenderAllLayers();
        gRefreshRender = 1;
        gRenderDirty = 0;
        LiveViewNeedsDisplay();
        view_->makeWindowKey();
    }
    gRenderingDirect3D = 1;
    Base2DViewHost* host = view_->viewHost();
    if (part == 1 ? angle_.begin(host) : position_.begin(host)) {
        gesture_ = part == 1 ? Gesture::Angle : Gesture::Position;
        return;
    }
    gRenderingDirect3D = 0;
    gRefreshRender = 1;
    finishPress();
}

void PlanMouse::mouseDragged(const PlanMouseEvent& event) {
    switch (gesture_) {
    case Gesture::Track: track(trackevent::kLeftMouseDragged, event); break;
    case Gesture::Ruler: ruler_.move(event.where); break;
    case Gesture::Pan: {
        const int32_t dx = event.where.x - panLast_.x, dy = event.where.y - panLast_.y;
        Base2DViewHost* host = view_->viewHost();
        POINT scrolled{};
        if ((dx || dy) && host) {
            const PlatformRect before = host->visibleRect();
            host->scrollRectToVisible({before.x - dx, before.y - dy, before.width, before.height});
            const PlatformRect after = host->visibleRect();
            scrolled = {static_cast<int32_t>(std::lround(after.x - before.x)),
                        static_cast<int32_t>(std::lround(after.y - before.y))};
        }
        // The hand stays on the same spot of the plan: the event's place in the scrolled view.
        panLast_ = {event.where.x + scrolled.x, event.where.y + scrolled.y};
        break;
    }
    case Gesture::Zoom: zoom_.move(event.screen.y); break;
    case Gesture::Angle: angle_.move(event.where); break;
    case Gesture::Position: position_.move(event.where); break;
    case Gesture::None: break;
    }
}

void PlanMouse::keyDown(const PlanMouseEvent& atPointer) {
    if (gesture_ == Gesture::Track) track(trackevent::kKeyDown, atPointer);
}

bool PlanMouse::takesKeys() const {
    return busy() && gesture_ == Gesture::Track && (!TrackerLoopOpen() || TrackerLoopTakesKeys());
}

void PlanMouse::mouseMoved(const PlanMouseEvent& event) {
    if (gesture_ == Gesture::Track) track(trackevent::kMouseMoved, event);
}

void PlanMouse::track(int16_t type, const PlanMouseEvent& event) {
    track_.event(TrackEvent{type, event.where, event.modifiers, event.keyCode, event.clickCount});
    if (track_.running()) {
        redisplay();
        return;
    }
    gesture_ = Gesture::None;
    afterClick();
}

void PlanMouse::mouseUp(const PlanMouseEvent& event) {
    if (gesture_ == Gesture::Track) {
        track(trackevent::kLeftMouseUp, event);
        return;
    }
    endGesture();
}

void PlanMouse::cancel() {
    if (gesture_ == Gesture::Track) {
        track_.cancel();
        gesture_ = Gesture::None;
        afterClick();
        return;
    }
    endGesture();
}

void PlanMouse::endGesture() {
    const Gesture ended = gesture_;
    gesture_ = Gesture::None;
    switch (ended) {
    case Gesture::Ruler: ruler_.end(); break;
    case Gesture::Pan: view_->setDocumentCursor(PlanMouseCursor::OpenHand); break;
    case Gesture::Zoom: zoom_.end(); break;
    case Gesture::Angle:
    case Gesture::Position:
        if (ended == Gesture::Angle) angle_.end();
        else position_.end();
        gRenderingDirect3D = 0;
        gRefreshRender = 1;
        break;
    case Gesture::Track:
    case Gesture::None: return;
    }
    finishPress();
}

void PlanMouse::finishPress() {
    gesture_ = Gesture::None;
    mouseEvent_.reset();
    gMouseCaptured = 0;
}

void PlanMouse::redisplay() {
    if (Base2DViewHost* host = view_->viewHost()) host->setNeedsDisplay();
}

// --- the click ---

void PlanMouse::doClick(POINT where, const PlanMouseEvent& event) {
    DocState* ds = CurrentDocState();
    if (!ds || gCurTool == toolid::kNone) {
        redisplay();
        finishPress();
        return;
    }
    uint8_t ruler[2] = {};
    if (!event.right && PointInVirtualRuler(&where, ruler)) {
        if (ruler_.begin(where, ruler[0])) gesture_ = Gesture::Ruler;
        else finishPress();
        return;
    }
    const bool extending = (event.modifiers & evmod::kShift) && gCurTool != toolid::kKeyEntry;
    ClickInfo click;
    click.ciWhere = where;
    click.ciMode = extending ? kClickExtendsSelection : 0;
    handlesBefore_.reset();
    tracked_ = false;
    editsAtPress_ = PlanEditCount();
    RECT handles;
    if (!ClearDimensionWallSegmentSelection() && gCurTool == toolid::kSelect &&
        SelectionHandlesArea(Layers(), &handles))
        handlesBefore_ = handles;
    Flags flags;
    if (!Layers()) flags.early = true;
    else if (UsesSelectionRules(gCurTool)) flags = selectionRules(click, event, extending);
    else flags = ownHitTest(click);
    if (flags.early) {
        finishPress();
        return;
    }
    if (click.ciObject && click.ciObject->type == objtype::kWall) handlesBefore_.reset();
    readouts(click, flags.hit, flags.track);
    reset_ = flags.reset;
    if (flags.track) {
        gClickInfo = click;
        tracked_ = true;
        if (track_.begin(where, view_->commandWindow())) {
            gesture_ = Gesture::Track;
            // The press has changed the selection; the release repaints the same way again.
            if (handlesBefore_) {
                const std::optional<RECT> before = handlesBefore_;
                redisplaySelection();
                if (ownRepaint_) handlesBefore_ = before;
            }
            return;
        }
    } else {
        gMouseCaptured = 0;
    }
    afterClick();
}

void PlanMouse::afterClick() {
    if (gCurTool != toolid::kText && reset_) ResetStandardTool(0);
    reset_ = false;
    redisplaySelection();
    finishPress();
}

bool PlanMouse::takeOwnRepaint() {
    const bool own = ownRepaint_;
    ownRepaint_ = false;
    return own;
}

void PlanMouse::redisplaySelection() {
    std::optional<RECT> before;
    before.swap(handlesBefore_);
    Base2DViewHost* host = view_->viewHost();
    RECT after;
    // A drag or key may have moved or changed objects; the wall clearances and the tool's own
    // feedback lie outside the handles, and a readout waiting to be drawn would show cut off.
    if (!before || !host || (tracked_ && track_.moved()) || gCurTool != toolid::kSelect ||
        PlanEditCount() != editsAtPress_ || WallSegmentClearancesStored() || !SelectionHandlesArea(Layers(), &after)) {
        redisplay();
        return;
    }
    ownRepaint_ = true;
    for (const RECT& r : {*before, after})
        if (r.right > r.left && r.bottom > r.top)
            host->setNeedsDisplayInRect(PlatformRect{static_cast<float>(r.left), static_cast<float>(r.top),
                                                     static_cast<float>(r.right - r.left),
                                                     static_cast<float>(r.bottom - r.top)});
}

PlanMouse::Flags PlanMouse::selectionRules(ClickInfo& click, const PlanMouseEvent& event, bool extending) {
    Flags f;
    const bool keyEntry = gCurTool == toolid::kKeyEntry;
    const int8_t mode = extending ? selmode::kToggle : selmode::kSelect;
    const bool found =
        SelectionHits(click, 0, kAttachmentTypes, static_cast<int16_t>(std::size(kAttachmentTypes))) ||
        SelectionHits(click, 1) || SelectionHits(click, 0);
    click.ciHit = found;
    const bool contextClick = event.right || (event.modifiers & evmod::kControl);
    if (!found) {
        if (!extending && !keyEntry) DeselectAll();
        else f.reset = true;
        if (contextClick) {
            Refresh();
            view_->popUpContextMenu(PlanContextMenu::Base, nullptr);
            f.early = true;
            return f;
        }
        f.track = true;
        return f;
    }
    f.hit = true;
    if (keyEntry) Refresh();
    Objex* object = click.ciObject;
    if (click.ciAreaHit && object && !keyEntry) {
        const bool selected = IsObjectSelected(object);
        if (!extending && !selected) DeselectAll();
        else f.reset = true;
        if (selected && !extending) {
            f.track = true;
        } else {
            Objex* root = GetRootObject(object);
            SelectObj(root ? root : object, mode, 1);
        }
    } else if (click.ciPointHit && click.ciPoint && object) {
        f.reset = true;
        if (!extending && click.ciPoint->selected) {
            f.track = true;
        } else {
            if (!extending) DeselectAll(), f.reset = false;
            const int16_t t = object->type;
            if (t == objtype::kAccessory || t == objtype::kSkylight || t == objtype::kComponent)
                SelectObj(object, mode, 1);
            else SelectObjectPoint(click.ciPoint, object, mode, 1);
            f.track = keyEntry;
            if (!keyEntry) {
                SelectSlopeArrow(object, mode);
                if (t == objtype::kSlopeArrow) {
                    SelectObj(object, mode, 1);
                    DrawSelectionLine(object);
                }
            }
        }
    } else if (click.ciSegmentHit && click.ciPoint && click.ciPoint2 && object) {
        f.reset = true;
        if (!extending && click.ciPoint->selected && click.ciPoint2->selected) {
            f.track = true;
        } else {
            if (!extending) DeselectAll(), f.reset = false;
            SelectObjectSpline(click.ciPoint, click.ciPoint2, object, mode, 1);
            f.track = keyEntry;
            const int16_t t = object->type;
            if (keyEntry) {
                // The key-entry tool leaves the segment as the user picked it.
            } else if (t == objtype::kSlopeArrow || t == objtype::kComponent || t == objtype::kText ||
                       t == objtype::kEnhancedText || t == objtype::kAccessory) {
                SelectObj(object, mode, 1);
            } else if (t == objtype::kFreehandRoof) {
                SelectSlopeArrow(object, mode);
            } else if (t == objtype::kWall) {
                DrawDimensionWallSegmentSelection(object, click.ciPoint, click.ciPoint2, click.ciWhere.x,
                                                  click.ciWhere.y);
            }
        }
    } else {
        f.reset = f.track = true;
    }
    followUp(click, event, f);
    return f;
}

void PlanMouse::followUp(ClickInfo& click, const PlanMouseEvent& event, Flags& f) {
    Objex* object = click.ciObject;
    if (!event.right && event.clickCount > 1 && object) {
        f.track = false;
        switch (object->type) {
        case objtype::kFloor: case objtype::kRoof: case objtype::kPath: case objtype::kRailing:
        case objtype::kFloorCutout: case objtype::kFreehandRoof: case objtype::kExcavation:
            SelectObj(object, selmode::kSelect, 1);
            return;
        case objtype::kWall: case objtype::kDeck:
            for (Poinz* p = object->firstPoint; p; p = p->next) SelectPoint(p, selmode::kSelect, 1);
            return;
        case objtype::kEnhancedText:
            if (IsObjectSymbolEditorObject(object) || IsObjectSectionDetailObject(object)) return;
            [[fallthrough]];
        case objtype::kText: NewTextEntrySheetForParent(view_->commandWindow(), object); return;
        default: break;
        }
        const Objex* root = GetRootObject(object);
        const bool cabinet = object->type == objtype::kCabinetPart ||
                             (object->type == objtype::kFentrix && root && root->subtype == objsubtype::kCabinetGroup);
        if (cabinet && IsObjectSelected(object)) {
            DeselectAll();
            if (object->parent) SelectObj(object->parent, selmode::kSelect, 1);
            Win32EventHandler::launchCabinetPowerTool();
        }
        return;
    }
    if (!event.right && !(event.modifiers & evmod::kControl)) return;
    if (object) {
        Refresh();
        InspectorUpdatePropertiesState(1);
        view_->popUpContextMenu(PlanContextMenu::Object, &click);
        gContextFoundObj = nullptr;
        gContextParentObj = nullptr;
    } else {
        view_->popUpContextMenu(PlanContextMenu::Base, nullptr);
    }
    f.early = true;
}

PlanMouse::Flags PlanMouse::ownHitTest(ClickInfo& click) {
    Flags f;
    const int16_t tool = gCurTool;
    if (tool == toolid::kInsertPoint || tool == toolid::kRemovePoint) {
        SelectVisualLayer(gCurDocument->itsCurLayer, selmode::kSelect, 1);
        f.hit = Hits(click, 1);
        f.track = true;
        return f;
    }
    const std::optional<OwnTest> test = OwnTestOf(tool);
    if (!test) {
        DeselectAll();
        f.reset = f.track = true;
        return f;
    }
    bool found = Hits(click, 0, test->types, test->count);
    if (found && test->selectIt) {
        ResetStandardTool(1);
        DeselectAll();
        SelectObj(click.ciObject, selmode::kSelect, 1);
        f.hit = f.reset = true;
        return f;
    }
    if (!found && test->wallsAfter) found = Hits(click, 0, kWalls, 1);
    click.ciHit = found;
    f.hit = found;
    f.reset = f.track = true;
    return f;
}

void PlanMouse::readouts(const ClickInfo& click, bool hit, bool track) {
    DocState* ds = CurrentDocState();
    Layer* layers = Layers();
    Objex* object = click.ciObject;
    if (!object) {
        ClearStatusBar();
    } else if (object->type == objtype::kFentrix) {
        const Objex* root = GetRootObject(object);
        if (root && root->subtype != objsubtype::kCabinetGroup) SetStatusBar(root->text);
    }
    Float3DRect box = EmptyFloat3DRect();
    GetAllLayersObj3DBounds(layers, 1, &box, 0);
    if (!object || object->type != objtype::kWall) {
        const bool measured = InReach(box);
        // Converted with the zoom, which the readout takes off again, as Select All does.
        gWidthHeightDepth[0] = measured ? ConvertScreenToWorld(box.floatRight - box.floatLeft, ds, 1) : 0.0f;
        gWidthHeightDepth[1] = measured ? ConvertScreenToWorld(box.floatBottom - box.floatTop, ds, 1) : 0.0f;
        gWidthHeightDepth[2] = measured ? ConvertScreenToWorld(box.floatFront - box.floatBack, ds, 1) : 0.0f;
        DrawWH(gWidthHeightDepth[0], gWidthHeightDepth[2], gWidthHeightDepth[1]);
    }
    FloatRect plan = EmptyFloatRect();
    GetAllLayersObjBounds(layers, 1, &plan, 0, 0);
    RefreshSelectionState40();
    if (gCurToolSet == kDetailToolSet) {
        ClearSelectionState(ds, &ds->ss);
        SelectedObjectAllLayers(layers, 1, cmd::kSelectionSummary, ds);
        UpdateSelectionStateAreas();
    }
    if (hit && !track) InspectorUpdatePropertiesState(1);
    if (track) gDataRect = plan, gData3DRect = box;
}
