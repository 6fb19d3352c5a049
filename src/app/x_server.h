#pragma once
// What the X server says that Qt does not: who holds the keyboard, and whether a window manager
// runs. Qt's active window cannot tell a keyboard left to no window (a window manager whose
// keyboard follows the pointer onto the bare desktop) from one another application took.
#include <cstdint>
#include <optional>

enum class KeyboardHolder : uint8_t {
    Unknown,           // the window system was not asked (no X connection: offscreen, another platform)
    NoWindow,          // no application's window: the root, PointerRoot or None
    Program,           // one of the program's windows, or a window manager's frame around one
    OtherApplication,  // a window of another application
};

KeyboardHolder WhoHoldsTheKeyboard();
// Whether a window manager runs (a client redirects the root window's children); none where X
// cannot be asked.
std::optional<bool> WindowManagerRuns();

class QWindow;
// Whether X has given the keyboard to the window or to a window inside it (a native child such
// as the live view's picture), whatever Qt has heard of it yet; none where X cannot be asked.
std::optional<bool> KeyboardIsIn(const QWindow* window);
