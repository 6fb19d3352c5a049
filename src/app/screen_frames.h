#pragma once
// Window frames between Qt's top-left screen coordinates and the bottom-left frames the
// placement rules are written in (y upwards from the bottom of the screen), and frames set on
// the screen decoration included.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <functional>

#include "app/core/startup.h"

class QWidget;

inline BottomLeftFrame ToBottomLeft(const QRect& r, int screenHeight) {
    return BottomLeftFrame{double(r.x()), double(screenHeight - (r.y() + r.height())), double(r.width()),
                           double(r.height())};
}

inline QRect ToTopLeft(const BottomLeftFrame& f, int screenHeight) {
    return QRect(int(f.x), int(screenHeight - (f.y + f.height)), int(f.width), int(f.height));
}

// What the window manager draws around the window's client area (nothing before it is framed).
QMargins WindowDecoration(const QWidget* window);
// The frame moved inside `visible`; a size larger than that is cut to it, never below `minimum`.
QRect FrameWithin(const QRect& frame, const QRect& visible, const QSize& minimum);
// The visible area of the screen holding most of the frame; the primary screen's when none holds any.
QRect VisibleAreaUnder(const QRect& frame);

// Sets the window's frame, title bar and borders included, to what `place` gives (`resize`
// false: only its position). A window manager's decoration is known only once it has framed the
// window, so the frame is set again then, `place` asked anew (what it reads may have been framed
// meanwhile too), until the window shows with that frame.
void PlaceWindowFrame(QWidget* window, std::function<QRect()> place, bool resize = true);
// A saved frame, title bar and borders included, set again on the window, kept reachable: moved
// inside the visible area of the screen it lands on and cut to it when larger (`resize`; never
// below the window's minimum size). Without `resize` only its origin is taken, the window keeping
// its own size.
void RestoreWindowFrame(QWidget* window, const QRect& saved, bool resize);
