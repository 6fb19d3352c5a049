#include "support/gesture_driver.h"

#include "model/click_info.h"
#include "tracking/track_events.h"
#include "tracking/tracking_state.h"

namespace dvxtest {

bool GestureDriver::press(POINT at, uint32_t modifiers, int32_t clicks) {
    pointer_ = at;
    if (runner.running()) {
        send(trackevent::kLeftMouseDown, at, modifiers, 0, clicks);
        return true;
    }
    ClickInfo click;
    click.ciWhere = at;
    click.ciMode = (modifiers & evmod::kShift) ? kClickExtendsSelection : 0;
    FillClickInfo(&click);
    gClickInfo = click;
    gEventModifiers = modifiers;
    gMouseCaptured = 1;
    const TrackEvent down{trackevent::kLeftMouseDown, at, modifiers, 0, clicks};
    TrackEventSource::Delivery delivering(down);
    return runner.begin(at, window);
}

void GestureDriver::drag(POINT at, uint32_t modifiers) { pointer_ = at, send(trackevent::kLeftMouseDragged, at, modifiers); }
void GestureDriver::move(POINT at, uint32_t modifiers) { pointer_ = at, send(trackevent::kMouseMoved, at, modifiers); }
void GestureDriver::key(uint16_t code, uint32_t modifiers) { send(trackevent::kKeyDown, pointer_, modifiers, code); }
void GestureDriver::flags(uint32_t modifiers) { send(trackevent::kFlagsChanged, pointer_, modifiers); }
void GestureDriver::release(POINT at, uint32_t modifiers, int32_t clicks) {
    pointer_ = at, send(trackevent::kLeftMouseUp, at, modifiers, 0, clicks);
}
void GestureDriver::click(POINT at, uint32_t modifiers, int32_t clicks) {
    if (press(at, modifiers, clicks)) release(at, modifiers, clicks);
}

void GestureDriver::send(int16_t type, POINT at, uint32_t modifiers, uint16_t code, int32_t clicks) {
    runner.event(TrackEvent{type, at, modifiers, code, clicks});
}

}  // namespace dvxtest
