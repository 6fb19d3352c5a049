#pragma once
// Plays a tool's gesture without a window: the press is hit-tested as the plan view does
// (FillClickInfo into gClickInfo, gMouseCaptured set), then every scripted event goes to the
// same gesture runner the view feeds, trackers' loops included.
//
//   GestureDriver g;
//   g.press({10, 20}), g.drag({40, 20}), g.key(keycode::kTab), g.release({40, 20});
#include <cstdint>

#include "port/winrecords.h"
#include "tracking/track_mouse.h"

namespace dvxtest {

class GestureDriver {
public:
    // False when the gesture was over at once.
    bool press(POINT at, uint32_t modifiers = 0, int32_t clicks = 1);
    void drag(POINT at, uint32_t modifiers = 0);
    void move(POINT at, uint32_t modifiers = 0);
    void key(uint16_t code, uint32_t modifiers = 0);
    void flags(uint32_t modifiers);
    void release(POINT at, uint32_t modifiers = 0, int32_t clicks = 1);
    // A press and a release at the same point.
    void click(POINT at, uint32_t modifiers = 0, int32_t clicks = 1);
    void cancel() { runner.cancel(); }
    bool running() const { return runner.running(); }

    TrackMouse runner;
    // Where the gesture's sheets open (the text and key-entry tools).
    CommandWindow* window = nullptr;

private:
    void send(int16_t type, POINT at, uint32_t modifiers, uint16_t code = 0, int32_t clicks = 0);
    POINT pointer_;
};

}  // namespace dvxtest
