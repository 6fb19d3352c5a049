#include "tracking/tracker_loops.h"

#include <memory>
#include <vector>

#include "port/seam.h"

namespace {

struct Loop {
    uint32_t mask;
    TrackerLoopStep step;
    TrackerLoopDone done;
    const uint32_t* liveMask = nullptr;  // a routine's, which it sets at each wait
    uint32_t Mask() const { return liveMask ? *liveMask : mask; }
};

std::vector<Loop> sLoops;

}  // namespace
static const port::GlobalReset kReset([] { CloseTrackerLoops(); });

void OpenTrackerLoop(uint32_t mask, TrackerLoopStep step, TrackerLoopDone done) {
    sLoops.push_back({mask, std::move(step), std::move(done)});
}

bool TrackerLoopOpen() { return !sLoops.empty(); }

bool TrackerLoopWantsMoves() {
    return !sLoops.empty() && (sLoops.back().Mask() & trackevent::Mask(trackevent::kMouseMoved));
}

bool DeliverToTrackerLoop(const TrackEvent& event) {
    if (sLoops.empty()) return false;
    const size_t depth = sLoops.size();
    if (!(sLoops.back().Mask() & trackevent::Mask(event.type))) return true;
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

void StartTrackerRoutine(TrackerRoutine routine) {
    const TrackerRoutine::Handle handle = routine.handle_;
    handle.resume();
    if (handle.done()) return;
    auto owned = std::make_shared<TrackerRoutine>(std::move(routine));
    OpenTrackerLoop(0, [owned](const TrackEvent& event) {
        const TrackerRoutine::Handle h = owned->handle_;
        h.promise().event = event;
        h.resume();
        return h.done();
    });
    sLoops.back().liveMask = &handle.promise().mask;
}
