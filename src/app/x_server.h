#pragma once
// What the X server says that Qt does not: who holds the keyboard, and whether a window manager
// runs. Qt's active window cannot tell a keyboard left to no window (a window manager whose
// keyboard follows the pointer onto the bare desktop) from one another application took, and
// under PointerRoot it names no window while the keys go to the window under the pointer.
#include <QMargins>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>

class QWindow;

enum class KeyboardHolder : uint8_t {
    Unknown,           // the window system was not asked (no X connection: offscreen, another platform)
    NoWindow,          // no application's window: None, or the root, a window manager's frame
                       // (its border, its title) or a gap where the keys go with the pointer
    Program,           // one of the program's windows
    OtherApplication,  // a window of another application
};

// Whose window the keys go to now: the focus window, or under PointerRoot (and the root, and
// a focus window the pointer is inside) the window under the pointer.
KeyboardHolder WhoHoldsTheKeyboard();
// Whether a window manager runs (a client redirects the root window's children); none where X
// cannot be asked.
std::optional<bool> WindowManagerRuns();

// Whether X has given the keyboard to the window or to a window inside it (a native child such
// as the live view's picture), whatever Qt has heard of it yet; none where X cannot be asked.
std::optional<bool> KeyboardIsIn(const QWindow* window);
// Gives the window the keyboard at once, as of the server's present time: a window manager's
// change of the focus since the user's last event (twm's None after a window of the program went)
// does not outdate the request, as it outdates Qt's, made with that event's time. False where X
// cannot be asked.
bool GiveKeyboardNow(const QWindow* window);
// Leaves the keyboard to the window under the pointer (PointerRoot), as of the server's present
// time: the keys follow the pointer until a window manager or the program gives a window the
// keyboard. False where X cannot be asked.
bool GiveKeyboardToPointer();
// What a window manager drew around the window, as X holds it now: the frame it reparented the
// window into against the window itself. None while the window is not framed, or where X cannot
// be asked. (Qt measures the frame against the size it last asked for, which the window may not
// have yet, and keeps that until the next configure.)
std::optional<QMargins> FrameExtents(const QWindow* window);
// The window's frame as X has it now, in root coordinates: the outermost window holding it (a
// window manager's frame, else the window itself), borders included. None where X cannot be asked.
std::optional<QRect> FrameOnServer(const QWindow* window);
// Asks X again for the window's place and size (`client`, without decoration), past Qt, which
// asks nothing once it takes the window to be there already.
void AskGeometryAgain(const QWindow* window, const QRect& client);

// Qt's windows take their positions from where X has them, never from a window manager's
// notice that is out of date.
void TakeCurrentPositions();

// Keys X gives one of the program's windows go to the window `receiver` names for it instead
// (null: where X gave them), before Qt drops a key at a window a modal window blocks. Asked
// only for a window such a modal window blocks.
void RouteBlockedKeys(std::function<QWindow*(QWindow* at)> receiver);
