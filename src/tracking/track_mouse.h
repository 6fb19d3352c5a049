#pragma once
// One tracked gesture of the plan view, from the press to the release, fed the view's events
// one at a time (there is no event loop of its own):
//
//   TrackMouse gesture;
//   if (gesture.begin(click, window)) {   // false: already over, the release is not its own
//       gesture.keep(at, modifiers);      // each drag, and each key or modifier change at the
//       ...                               //   pointer's current position
//       gesture.end(up);                  // the release (or a lost grab, at the last point)
//   }
//
// The gesture clears gSkipConstraints and calls BeginTracking, then KeepTracking per event
// with gPrevTrackModifiers holding the modifiers of the event before, and EndTracking at the
// last tracked point. Afterwards it clears gTrackingMouse and gTrackingObject, gives back a
// wall tool the engine swapped for the move tool, and stores the undo step named after the
// (restored) tool, unless the design is as it was at the press (DesignDigest): a gesture that
// made or moved nothing leaves no undo step and no change. The caller has filled gClickInfo
// and set gMouseCaptured.
//
// A tracker may open loops (tracker_loops.h): while one is open every event goes to it first
// (presses too, see event()), and what the runner does after the call that opened it (the
// release of a click, or the end of the gesture) waits until the last loop closes.
#include <cstdint>
#include <functional>
#include <optional>

#include "port/winrecords.h"
#include "tracking/track_events.h"

struct CommandWindow;

class TrackMouse {
public:
    TrackMouse();
    ~TrackMouse();
    TrackMouse(const TrackMouse&) = delete;
    TrackMouse& operator=(const TrackMouse&) = delete;

    // False without a current document and settings record, and for a gesture over at once:
    // the key-entry tool, or a tracker that cleared gMouseCaptured (not tools 7307 and 7308,
    // which always take the events until the release). `window` is where the text tool's
    // sheet and the key-entry sheet open.
    bool begin(POINT click, CommandWindow* window);
    // The pointer at `at`; `modifiers` are the event's (evmod masks), kept in gEventModifiers.
    void keep(POINT at, uint32_t modifiers);
    // The release at `up`: the gesture ends at the last tracked point.
    void end(POINT up);
    // Any event of the gesture: drags, keys and modifier changes keep, a release ends; while
    // a loop is open it goes to the loop (other presses and moves are dropped otherwise).
    void event(const TrackEvent& event);
    // A lost focus: the gesture ends at its last point. An open loop that a press ends and must
    // not be lost (TrackerLoopEnd::Press) is handed one at the pointer first; others close.
    void cancel();
    // Where the pointer is now (view coordinates, maybe outside the view), for a loop ended
    // from outside its events; without an answer, where the loops last saw it.
    void setPointerSource(std::function<std::optional<POINT>()> source) { pointerSource_ = std::move(source); }
    bool running() const { return running_; }
    // Where the gesture would end now.
    POINT lastPoint() const { return last_; }
    // Whether anything but the press and the release reached the gesture (a drag, a key).
    bool moved() const { return moved_; }

private:
    friend void ResetTrackingState();
    enum class After { Nothing, Press, End };
    void afterPress();
    void endAt(POINT up);
    void finish();
    void resume();
    POINT pointerNow() const;

    After after_ = After::Nothing;
    bool ended_ = false;
    bool running_ = false;
    bool moved_ = false;
    POINT click_;
    POINT last_;
    CommandWindow* window_ = nullptr;
    // The design at the press, to tell a gesture that changed nothing.
    const void* designOf_ = nullptr;
    uint64_t designBefore_ = 0;
    std::function<std::optional<POINT>()> pointerSource_;
};

// Abandons the gesture in progress, for a tool chosen or a window closed in its middle: open
// loops close without what follows them, every runner still waiting stops (no release, no
// undo step), a wall tool the engine swapped comes back and the gesture's flags drop. Loops
// that a press ends and whose end must not be lost (a door's swing) are first handed a press
// at the pointer, as the click that chose the tool would be in a modal loop; when that ends
// every loop, the gesture ends as usual under the tool it began with (its undo step stored).
void ResetTrackingState();

// Runs `restore` once the gesture in progress is over: at its end, before its undo step is
// stored, or when ResetTrackingState abandons it. What a tracker changes for the length of a
// gesture (a view kind) comes back on every way out.
void RestoreAtGestureEnd(std::function<void()> restore);

// The undo action name the gesture of the tool stores: null for none, " " for a tool with no
// name of its own. The move, rotate and resize tools store theirs only when gClickInfo's
// ciHit is set at the end, fillet and chamfer only with gFilletChamferUndo.
const char* TrackUndoName(int16_t tool);
