#pragma once
// A tracker in every slot of the tool table, recording each call as "stage x,y" (the view
// point the engine passed). `releaseAtBegin` makes the press a click that needs no drag loop;
// `hitAtEnd` (0 or 1) refills gClickInfo's ciHit at the release as a tracker may;
// `makesSomething` changes the design there (MakeSomething), so the gesture has a step to
// store. The slots are emptied when it goes.
#include <string>
#include <vector>

namespace dvxtest {

// Changes a stored setting of the current design, as a tracker that made something leaves
// the design different from the press (the gesture runner stores steps only then).
void MakeSomething();

class RecordingTracker {
public:
    RecordingTracker();
    ~RecordingTracker();
    RecordingTracker(const RecordingTracker&) = delete;
    RecordingTracker& operator=(const RecordingTracker&) = delete;

    std::vector<std::string> calls;
    // gTrackModifiers as each call saw it.
    std::vector<int> modifiers;
    bool releaseAtBegin = false;
    int hitAtEnd = -1;
    bool makesSomething = true;
};

}  // namespace dvxtest
