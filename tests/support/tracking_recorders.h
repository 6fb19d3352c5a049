#pragma once
// Stands in for the tracking engine: records Begin, Keep and End as lines ("begin 10,20",
// "keep 30,40 from 10,20", "end 35,45 at 30,40") and, as the engine will, reads the event's
// Shift into gTrackModifiers (bit 4) at every call. `releaseAtBegin` makes the press a click
// that needs no drag loop; `hitAtEnd` (0 or 1) refills gClickInfo's ciHit at the release as the
// engine may. The engine's defaults come back when it goes.
#include <string>
#include <vector>

namespace dvxtest {

class RecordingTracker {
public:
    RecordingTracker();
    ~RecordingTracker();
    RecordingTracker(const RecordingTracker&) = delete;
    RecordingTracker& operator=(const RecordingTracker&) = delete;

    std::vector<std::string> calls;
    // gPrevTrackModifiers as each Keep found it.
    std::vector<int> previousModifiers;
    bool releaseAtBegin = false;
    int hitAtEnd = -1;
};

}  // namespace dvxtest
