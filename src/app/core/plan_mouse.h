#pragma once
// The plan view's mouse road and content insertion, free of the platform. The plan view owns
// one PlanMouse, answers its questions through PlanMouseView and feeds it its events; nothing
// here runs an event loop, so every call returns at once and a gesture lives across calls.
//
// How a view feeds it:
// - Convert every position to plan view coordinates (widget point plus bounds origin), each
//   coordinate + 0.5 truncated; `screen` is the pointer on the screen (the zoom drag reads it).
// - Left press: mouseDown. Right press, and a press the platform treats as one (Control-click
//   with the Command key on Ctrl): rightMouseDown. Give the press's click count.
// - While busy(): every move with the button down is mouseDragged; a key press and a change of
//   the modifier keys are keyDown and flagsChanged at the pointer's current position; the
//   release of the pressed button is mouseUp; a lost grab or focus is cancel(). While busy()
//   the view refuses the wheel, menus and shortcuts, and ignores further presses but those a
//   tracker's loop waits for.
// - Outside a gesture: changes of the modifier keys are flagsChanged (the content auto-click
//   mode), leaving the view is mouseExited.
// - A drop: performDragOperation with whether the drag declared kContent2DDNDPboardType and
//   the bytes it holds under kContent3DDNDPboardType.
// - Redraws go through the view host's setNeedsDisplay; context menus pop up through
//   popUpContextMenu, which returns once the menu closed.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan/virtual_ruler.h"
#include "port/winrecords.h"
#include "app/core/plan_navigation.h"
#include "tracking/track_mouse.h"

class Base2DViewHost;
struct ClickInfo;
struct CommandWindow;
struct SymEntryInfo;

// One mouse event of the plan view.
struct PlanMouseEvent {
    POINT where;             // plan view coordinates
    POINT screen;            // screen pixels, y growing downward
    bool right = false;      // a right-button press
    int32_t clickCount = 1;
    uint32_t modifiers = 0;  // evmod masks (tracking/tracking_state.h)
    uint16_t keyCode = 0;    // key presses
};

enum class PlanContextMenu { Base, Object };
enum class PlanMouseCursor { Arrow, PointingHand, OpenHand, ClosedHand };

// What the road asks of the view.
class PlanMouseView {
public:
    virtual ~PlanMouseView() = default;
    virtual Base2DViewHost* viewHost() = 0;
    // Where sheets open.
    virtual CommandWindow* commandWindow() = 0;
    // The camera marker under the point: 0 none, 1 the heading triangle, 2 the square.
    virtual int16_t cameraMarkerAt(POINT where) = 0;
    // Shows the menu (the object menu built from the click) and returns when it closed.
    virtual void popUpContextMenu(PlanContextMenu menu, const ClickInfo* click) = 0;
    virtual void setDocumentCursor(PlanMouseCursor cursor) = 0;
    // The plan window becomes key again after the live view was shown.
    virtual void makeWindowKey() = 0;
    // The pointer's place now in view coordinates (it may lie outside the view); none when
    // the view cannot tell.
    virtual std::optional<POINT> pointerNow() { return std::nullopt; }
};

class PlanMouse {
public:
    explicit PlanMouse(PlanMouseView* view) : view_(view) {
        track_.setPointerSource([this] { return view_->pointerNow(); });
    }

    void mouseDown(const PlanMouseEvent& event);
    // Whether the last press or release asked for the repaint it needs itself (only the
    // selection's handles); cleared by asking.
    bool takeOwnRepaint();
    // The standard tool first, then the press.
    void rightMouseDown(const PlanMouseEvent& event);
    void mouseDragged(const PlanMouseEvent& event);
    void keyDown(const PlanMouseEvent& atPointer);
    void flagsChanged(const PlanMouseEvent& atPointer);
    void mouseUp(const PlanMouseEvent& event);
    // A move without a button, reported while a tracker's loop follows the pointer
    // (TrackerLoopWantsMoves); presses during such a loop are mouseDown as usual, a right one
    // with `right` set (the loop's own, not rightMouseDown's context menu).
    void mouseMoved(const PlanMouseEvent& event);
    // The gesture ends at its last point, as if released there; a tracker's loops close.
    void cancel();
    // A press is being handled (from the press to its release, and while a tracker's loop is
    // open); a gesture ResetTrackingState abandoned is not.
    bool busy() const { return gesture_ != Gesture::None && (gesture_ != Gesture::Track || track_.running()); }
    // A key pressed now reaches the gesture: a tracked drag takes keys, and so does a tracker's
    // loop whose mask holds them; the loops of the hand, zoom, ruler and camera marker, and a
    // tracker's loop that takes no key, leave a key for what comes after them.
    bool takesKeys() const;
    // The press being handled, kept until its gesture ends.
    const std::optional<PlanMouseEvent>& mouseEvent() const { return mouseEvent_; }

    // --- content ---

    // The drop of a content drag at the view point: true when it is taken (a drag not declaring
    // the 2D type is taken and ignored), false without a current floor or a whole record.
    bool performDragOperation(bool offers2DType, const std::vector<uint8_t>* record, POINT where);
    // With the move tool, the auto-click modifier held and an object, plant or template
    // selected in the content palette.
    bool canEnable2DAutoClick(uint32_t modifiers) const;
    // The modifier that arms the auto-click mode (Option by default; a window manager may
    // keep Alt for itself).
    void setAutoClickModifier(uint32_t mask) { autoClickModifier_ = mask; }
    bool autoClick2DActive() const { return autoClick_; }
    const std::vector<uint32_t>& autoClick2DEntryIDs() const { return autoClickIDs_; }
    void mouseExited();
    // One click while the mode is armed: the entry placed at the point, no undo step.
    void do2DSymTargetClick(POINT where, const SymEntryInfo* entry);
    // One undo step for everything the armed period inserted.
    void store2DAutoClickUndoAction();

private:
    enum class Gesture { None, Track, Ruler, Pan, Zoom, Angle, Position };
    struct Flags {
        bool hit = false, reset = false, track = false, early = false;
    };

    void doClick(POINT where, const PlanMouseEvent& event);
    Flags selectionRules(ClickInfo& click, const PlanMouseEvent& event, bool extending);
    void followUp(ClickInfo& click, const PlanMouseEvent& event, Flags& flags);
    Flags ownHitTest(ClickInfo& click);
    void readouts(const ClickInfo& click, bool hit, bool track);
    void startMarkerDrag(int16_t part);
    void endGesture();
    void afterClick();
    void track(int16_t type, const PlanMouseEvent& event);
    void finishPress();
    // Forgets a gesture abandoned between two events.
    void settle();
    void endAutoClick();
    void redisplay();
    // After a click that changed no more than the selection: the old and new handles' area.
    void redisplaySelection();

    PlanMouseView* view_;
    Gesture gesture_ = Gesture::None;
    std::optional<PlanMouseEvent> mouseEvent_;
    bool reset_ = false;  // the click puts the standard tool back when it ends
    // The selection's handles at the press (view coordinates), when a click may repaint only
    // them; empty otherwise.
    std::optional<RECT> handlesBefore_;
    uint64_t editsAtPress_ = 0;  // PlanEditCount() at the press
    bool tracked_ = false;       // the click went to the tracker (whose moved() is its last gesture's)
    bool ownRepaint_ = false;
    TrackMouse track_;
    TrackVirtualRuler ruler_;
    RealTimeZoom zoom_;
    RealTimeTrackAngleD3D angle_;
    RealTimeTrackPositionD3D position_;
    POINT panLast_;
    bool autoClick_ = false;
    uint32_t autoClickModifier_ = 0x80000;
    std::vector<uint32_t> autoClickIDs_;
};

// The photo tool's open panel (image files) on the main window; its end inserts the photo.
void LaunchRorozErud();
// The chosen image (empty: cancelled) becomes a photo, one undo step; in any case the photo
// tool lets the document go and the palettes come back.
void RorozErudPowerToolOpenPanelDidEnd(const std::string& path);
