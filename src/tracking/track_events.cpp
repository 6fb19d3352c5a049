#include "tracking/track_events.h"

#include "port/seam.h"

// The masks the trackers' loops are written with.
static_assert(trackevent::Mask(2) + trackevent::Mask(6) + trackevent::Mask(10) + trackevent::Mask(12) == 0x1444);
static_assert(trackevent::Mask(1) + trackevent::Mask(3) + trackevent::Mask(5) + trackevent::Mask(10) +
                  trackevent::Mask(12) == 0x142A);
static_assert(trackevent::Mask(2) + trackevent::Mask(6) + trackevent::Mask(10) == 1092);
static_assert(trackevent::Mask(1) + trackevent::Mask(5) == 34);
static_assert(trackevent::Mask(1) + trackevent::Mask(5) + trackevent::Mask(12) == 4130);

namespace {
const TrackEvent* sCurrentEvent = nullptr;
}  // namespace
static const port::GlobalReset kReset([] { sCurrentEvent = nullptr; });

const TrackEvent* TrackEventSource::current() { return sCurrentEvent; }

TrackEventSource::Delivery::Delivery(const TrackEvent& event) : previous_(sCurrentEvent) {
    sCurrentEvent = &event;
}

TrackEventSource::Delivery::~Delivery() { sCurrentEvent = previous_; }
