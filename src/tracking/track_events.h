#pragma once
// The events a gesture sees after its press. Nothing here pulls events: whoever owns them (the
// plan view, a scripted driver) pushes each one and holds it as the current event while it is
// handled, so the engine can ask what is being handled now.
//
//   TrackEvent tab{trackevent::kKeyDown, pointer, evmod::kShift, keycode::kTab};
//   TrackEventSource::Delivery delivering(tab);
//   ... handle it: TrackEventSource::current() is &tab until `delivering` goes
#include <cstdint>

#include "port/winrecords.h"

namespace trackevent {
inline constexpr int16_t kLeftMouseDown = 1;
inline constexpr int16_t kLeftMouseUp = 2;
inline constexpr int16_t kRightMouseDown = 3;
inline constexpr int16_t kMouseMoved = 5;
inline constexpr int16_t kLeftMouseDragged = 6;
inline constexpr int16_t kKeyDown = 10;
inline constexpr int16_t kFlagsChanged = 12;

// The mask bit of an event type; a loop takes the events whose bit its mask holds.
constexpr uint32_t Mask(int16_t type) { return 1u << type; }
}  // namespace trackevent

namespace keycode {
inline constexpr uint16_t kReturn = 36;
inline constexpr uint16_t kTab = 48;  // Shift-Tab (a back-tab) is Tab with Shift
inline constexpr uint16_t kDelete = 51;
inline constexpr uint16_t kEscape = 53;
}  // namespace keycode

struct TrackEvent {
    int16_t type = 0;
    POINT where;             // view position; the pointer's for keys and modifier changes
    uint32_t modifiers = 0;  // evmod masks (tracking_state.h)
    uint16_t keyCode = 0;    // key-down events
    int32_t clickCount = 0;  // mouse-down and mouse-up events
};

class TrackEventSource {
public:
    // The event being handled, or null between events.
    static const TrackEvent* current();

    // Makes the event current for as long as it lives; the one current before comes back after.
    class Delivery {
    public:
        explicit Delivery(const TrackEvent& event);
        ~Delivery();
        Delivery(const Delivery&) = delete;
        Delivery& operator=(const Delivery&) = delete;

    private:
        const TrackEvent* previous_;
    };
};
