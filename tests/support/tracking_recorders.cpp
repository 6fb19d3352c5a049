#include "support/tracking_recorders.h"

#include "model/docstate.h"
#include "model/document_model.h"
#include "tracking/tool_dispatch.h"
#include "tracking/tracking_state.h"

namespace dvxtest {

void MakeSomething() {
    if (gCurDocument && gCurDocument->itsDocState) ++gCurDocument->itsDocState->lotTexture;
}

RecordingTracker::RecordingTracker() {
    for (int s = 1; s < static_cast<int>(TrackerSlot::Count); ++s)
        RegisterTracker(static_cast<TrackerSlot>(s), [this](int32_t x, int32_t y, float, float, float, int16_t stage) {
            calls.push_back(std::to_string(stage) + " " + std::to_string(x) + "," + std::to_string(y));
            modifiers.push_back(gTrackModifiers);
            if (stage == 1 && releaseAtBegin) gMouseCaptured = 0;
            if (stage == 3 && hitAtEnd >= 0) gClickInfo.ciHit = static_cast<uint8_t>(hitAtEnd);
            if (stage == 3 && makesSomething) MakeSomething();
        });
}

RecordingTracker::~RecordingTracker() { ClearTrackers(); }

}  // namespace dvxtest
