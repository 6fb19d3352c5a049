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
#include <cstdint>
#include <functional>

#include "tracking/track_events.h"

using TrackerLoopStep = std::function<bool(const TrackEvent& event)>;  // true: the loop is over
using TrackerLoopDone = std::function<void()>;

void OpenTrackerLoop(uint32_t mask, TrackerLoopStep step, TrackerLoopDone done = {});
bool TrackerLoopOpen();
// The innermost loop follows the pointer: the view reports moves without a button.
bool TrackerLoopWantsMoves();
// Gives the event to the innermost loop if its mask holds it; closes the loop when its step is
// done and runs its completion. False when no loop is open.
bool DeliverToTrackerLoop(const TrackEvent& event);
// Closes every loop without running the rest (a lost focus, a reset).
void CloseTrackerLoops();
