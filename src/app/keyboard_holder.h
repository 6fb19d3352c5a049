#pragma once
// Who holds the keyboard, as the window system says. Qt's active window cannot tell a keyboard
// left to no window (a window manager whose keyboard follows the pointer onto the bare
// desktop) from one another application took.
#include <cstdint>

enum class KeyboardHolder : uint8_t {
    Unknown,           // the window system was not asked (no X connection: offscreen, another platform)
    NoWindow,          // no application's window: the root, PointerRoot or None
    Program,           // one of the program's windows, or a window manager's frame around one
    OtherApplication,  // a window of another application
};

KeyboardHolder WhoHoldsTheKeyboard();
