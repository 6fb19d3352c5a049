#pragma once
// Window frames between Qt's top-left screen coordinates and the bottom-left frames the
// placement rules are written in (y upwards from the bottom of the screen).
#include <QPoint>
#include <QRect>

#include "app/core/startup.h"

inline BottomLeftFrame ToBottomLeft(const QRect& r, int screenHeight) {
    return BottomLeftFrame{double(r.x()), double(screenHeight - (r.y() + r.height())), double(r.width()),
                           double(r.height())};
}

inline QRect ToTopLeft(const BottomLeftFrame& f, int screenHeight) {
    return QRect(int(f.x), int(screenHeight - (f.y + f.height)), int(f.width), int(f.height));
}
