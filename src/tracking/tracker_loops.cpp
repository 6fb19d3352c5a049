#include "tracking/tracker_loops.h"

#include <vector>

#include "port/seam.h"

namespace {

struct Loop {
    uint32_t mask;
    TrackerLoopStep step;
    TrackerLoopDone done;
};

std::vector<Loop> sLoops;

}  // namespace
static const port::GlobalReset kReset([] { CloseTrackerLoops(); });

void OpenTrackerLoop(uint32_t mask, TrackerLoopStep step, TrackerLoopDone done) {
    sLoops.push_back({mask, std::move(step), std::move(done)});
}

bool TrackerLoopOpen() { return !sLoops.empty(); }

bool TrackerLoopWantsMoves() {
    return !sLoops.empty() && (sLoops.back().mask & trackevent::Mask(trackevent::kMouseMoved));
}

bool DeliverToTrackerLoop(const TrackEvent& event) {
    if (sLoops.empty()) return false;
    const size_t depth = sLoops.size();
    if (!(sLoops.back().mask & trackevent::Mask(event.type))) return true;
    TrackEventSource::Delivery delivering(event);
    // The step may open a loop inside this one; this loop is the one at `depth`.
    const TrackerLoopStep step = sLoops[depth - 1].step;
    if (!step || !step(event) || sLoops.size() < depth) return true;
    TrackerLoopDone done = std::move(sLoops[depth - 1].done);
    sLoops.erase(sLoops.begin() + static_cast<std::ptrdiff_t>(depth - 1));
    if (done) done();
    return true;
}

void CloseTrackerLoops() { sLoops.clear(); }
