#include "support/tracking_recorders.h"

#include "tracking/tracking_seams.h"
#include "tracking/tracking_state.h"

namespace dvxtest {

namespace {
std::string At(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }
void ReadModifiers() { gTrackModifiers = (gEventModifiers & evmod::kShift) ? 4 : 0; }
}  // namespace

RecordingTracker::RecordingTracker() {
    SetBeginTrackingHandler([this](int32_t x, int32_t y) {
        ReadModifiers();
        calls.push_back("begin " + At(x, y));
        if (releaseAtBegin) gMouseCaptured = 0;
    });
    SetKeepTrackingHandler([this](int32_t x, int32_t y, int32_t px, int32_t py) {
        previousModifiers.push_back(gPrevTrackModifiers);
        ReadModifiers();
        calls.push_back("keep " + At(x, y) + " from " + At(px, py));
    });
    SetEndTrackingHandler([this](int32_t x, int32_t y, int32_t px, int32_t py) {
        calls.push_back("end " + At(x, y) + " at " + At(px, py));
        if (hitAtEnd >= 0) gClickInfo.ciHit = static_cast<uint8_t>(hitAtEnd);
    });
}

RecordingTracker::~RecordingTracker() {
    BeginTracking.Reset();
    KeepTracking.Reset();
    EndTracking.Reset();
}

}  // namespace dvxtest
