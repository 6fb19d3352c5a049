#include "tracking/tracker_loops.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "port/seam.h"

namespace {

struct Loop {
    uint32_t mask;
    TrackerLoopStep step;
    TrackerLoopDone done;
    TrackerLoopEnd end = TrackerLoopEnd::Drop;
    uint64_t serial = 0;
    const uint32_t* liveMask = nullptr;  // a routine's, which it sets at each wait
    uint32_t Mask() const { return liveMask ? *liveMask : mask; }
};

std::vector<Loop> sLoops;
uint64_t sSerial = 0;
POINT sLastPoint;

bool Holds(uint64_t serial) {
    return std::any_of(sLoops.begin(), sLoops.end(), [serial](const Loop& l) { return l.serial == serial; });
}

}  // namespace
static const port::GlobalReset kReset([] {
    CloseTrackerLoops();
    sLastPoint = POINT{};
});

void OpenTrackerLoop(uint32_t mask, TrackerLoopStep step, TrackerLoopDone done, TrackerLoopEnd end) {
    sLoops.push_back({mask, std::move(step), std::move(done), end, ++sSerial});
}

bool TrackerLoopOpen() { return !sLoops.empty(); }

bool TrackerLoopWantsMoves() {
    return !sLoops.empty() && (sLoops.back().Mask() & trackevent::Mask(trackevent::kMouseMoved));
}

bool TrackerLoopTakesKeys() {
    return !sLoops.empty() && (sLoops.back().Mask() & trackevent::Mask(trackevent::kKeyDown));
}

bool TrackerLoopEndsOnPress() {
    return !sLoops.empty() && sLoops.back().end == TrackerLoopEnd::Press &&
           (sLoops.back().Mask() & trackevent::Mask(trackevent::kLeftMouseDown));
}

bool DeliverToTrackerLoop(const TrackEvent& event) {
    if (sLoops.empty()) return false;
    const size_t depth = sLoops.size();
    if (!(sLoops.back().Mask() & trackevent::Mask(event.type))) return true;
    sLastPoint = event.where;
    TrackEventSource::Delivery delivering(event);
    // The step may open a loop inside this one; this loop is the one at `depth`.
    const TrackerLoopStep step = sLoops[depth - 1].step;
    if (!step || !step(event) || sLoops.size() < depth) return true;
    TrackerLoopDone done = std::move(sLoops[depth - 1].done);
    sLoops.erase(sLoops.begin() + static_cast<std::ptrdiff_t>(depth - 1));
    if (done) done();
    return true;
}

void CloseTrackerLoops() {
    // A step being run holds its own copy; the rest go with the loops.
    std::vector<Loop> closing;
    closing.swap(sLoops);
}

bool EndTrackerLoops(POINT pointer, uint32_t modifiers) {
    while (TrackerLoopEndsOnPress()) {
        // What follows the loop runs on its press, and may open a loop of its own.
        const uint64_t serial = sLoops.back().serial;
        DeliverToTrackerLoop(TrackEvent{trackevent::kLeftMouseDown, pointer, modifiers, 0, 1});
        if (Holds(serial)) break;
    }
    if (sLoops.empty()) return true;
    CloseTrackerLoops();
    return false;
}

POINT LastTrackerLoopPoint() { return sLastPoint; }

void StartTrackerRoutine(TrackerRoutine routine, TrackerLoopEnd end) {
    const TrackerRoutine::Handle handle = routine.handle_;
    handle.resume();
    if (handle.done()) return;
    auto owned = std::make_shared<TrackerRoutine>(std::move(routine));
    OpenTrackerLoop(
        0,
        [owned](const TrackEvent& event) {
            const TrackerRoutine::Handle h = owned->handle_;
            h.promise().event = event;
            h.resume();
            return h.done();
        },
        {}, end);
    sLoops.back().liveMask = &handle.promise().mask;
}
