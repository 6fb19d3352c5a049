#pragma once
// A tracker that needs more than the press, drags and release (a polyline, a door swing, a
// dimension's second leg) opens a loop and returns; nothing here waits for events. The gesture
// runner hands each later event whose type the innermost loop's mask holds to that loop's step
// (as TrackEventSource's current event) until the step says it is done; then the loop's
// completion runs. Other events are dropped while any loop is open.
//
//   OpenTrackerLoop(trackevent::Mask(kLeftMouseDown) | trackevent::Mask(kMouseMoved),
//                   [](const TrackEvent& e) { ...; return e.type == trackevent::kLeftMouseDown; },
//                   [] { ... what follows the loop ... });
#include <coroutine>
#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

#include "tracking/track_events.h"

using TrackerLoopStep = std::function<bool(const TrackEvent& event)>;  // true: the loop is over
using TrackerLoopDone = std::function<void()>;

// What becomes of a loop whose gesture is ended from outside its events (another tool chosen,
// the view's focus lost, a press on the window's toolbar): Drop closes it without what follows
// it; Press first hands it a left press at the pointer, as a click there would, for a loop that
// waits for the click after its drag and whose end must not be lost (a door's swing).
enum class TrackerLoopEnd { Drop, Press };

void OpenTrackerLoop(uint32_t mask, TrackerLoopStep step, TrackerLoopDone done = {},
                     TrackerLoopEnd end = TrackerLoopEnd::Drop);
bool TrackerLoopOpen();
// The innermost loop follows the pointer: the view reports moves without a button.
bool TrackerLoopWantsMoves();
// The innermost loop takes key presses (its mask holds kKeyDown); a key pressed meanwhile
// waits for the loops otherwise.
bool TrackerLoopTakesKeys();
// The innermost loop waits for the press that ends it, and is ended from outside by one
// (TrackerLoopEnd::Press).
bool TrackerLoopEndsOnPress();
// Gives the event to the innermost loop if its mask holds it; closes the loop when its step is
// done and runs its completion. False when no loop is open.
bool DeliverToTrackerLoop(const TrackEvent& event);
// Closes every loop without running the rest.
void CloseTrackerLoops();
// Ends the open loops from outside: while the innermost ends on a press it is handed one at
// `pointer`; the first loop that drops, or goes on after its press, closes every loop left.
// True when every loop ended by its press, so what follows them may run.
bool EndTrackerLoops(POINT pointer, uint32_t modifiers);
// Where the last event a loop was handed happened: the pointer as the loops last saw it.
POINT LastTrackerLoopPoint();

// A tracker written as one routine around its own loop: each `co_await NextTrackEvent(mask)`
// gives the runner back and resumes with the next event the mask holds (the mask may differ
// from wait to wait); what follows the loop runs when the routine goes on past it.
// StartTrackerRoutine runs it up to its first wait and keeps it as the innermost loop until
// it returns; a closed loop frees the routine where it waits.
//
//   TrackerRoutine Polyline() {
//       for (;;) {
//           const TrackEvent e = co_await NextTrackEvent(0x142A);
//           if (e.type == trackevent::kKeyDown && e.keyCode == keycode::kEscape) break;
//           ...
//       }
//       ... what follows the loop ...
//   }
//   StartTrackerRoutine(Polyline());
class TrackerRoutine {
public:
    struct promise_type {
        uint32_t mask = 0;
        TrackEvent event;
        TrackerRoutine get_return_object() { return TrackerRoutine(Handle::from_promise(*this)); }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        void return_void() {}
        void unhandled_exception() { std::terminate(); }
    };
    using Handle = std::coroutine_handle<promise_type>;

    TrackerRoutine(TrackerRoutine&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    TrackerRoutine& operator=(TrackerRoutine&&) = delete;
    ~TrackerRoutine() {
        if (handle_) handle_.destroy();
    }

private:
    explicit TrackerRoutine(Handle handle) : handle_(handle) {}
    friend void StartTrackerRoutine(TrackerRoutine routine, TrackerLoopEnd end);
    Handle handle_;
};

class NextTrackEvent {
public:
    explicit NextTrackEvent(uint32_t mask) : mask_(mask) {}
    bool await_ready() const noexcept { return false; }
    void await_suspend(TrackerRoutine::Handle routine) noexcept {
        routine_ = routine;
        routine.promise().mask = mask_;
    }
    TrackEvent await_resume() const noexcept { return routine_.promise().event; }

private:
    uint32_t mask_;
    TrackerRoutine::Handle routine_;
};

void StartTrackerRoutine(TrackerRoutine routine, TrackerLoopEnd end = TrackerLoopEnd::Drop);
