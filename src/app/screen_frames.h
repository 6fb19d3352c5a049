#pragma once
// Window frames between Qt's top-left screen coordinates and the bottom-left frames the
// placement rules are written in (y upwards from the bottom of the screen), and frames set on
// the screen decoration included.
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/startup.h"

class QMainWindow;
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
// The window's frame, decoration included.
QRect ShownFrame(const QWidget* window);
// The frame moved inside `visible`; a size larger than that is cut to it, never below `minimum`.
QRect FrameWithin(const QRect& frame, const QRect& visible, const QSize& minimum);
// The visible area of the screen holding most of the frame; the primary screen's when none holds any.
QRect VisibleAreaUnder(const QRect& frame);

// Sets the window's frame, title bar and borders included, to what `place` gives (`resize`
// false: only its position). A window manager's decoration is known only once it has framed the
// window, so the frame is set again then, `place` asked anew (what it reads may have been framed
// meanwhile too), until the window shows with that frame.
// `settled`, when given, hears the frame the window then shows with (also when the window manager
// would not take the one asked), unless a later placement took over first.
void PlaceWindowFrame(QWidget* window, std::function<QRect()> place, bool resize = true,
                      std::function<void(const QRect&)> settled = {});
// Marks the window as one that floats over the program's others (a palette): a window placed
// keeps clear of it first, it is raised over a window shown after it or raised again (where no
// window manager keeps it above: none at all, or twm), alerts and sheets excepted, which stay
// over it.
void MarkFloating(QWidget* window);
bool IsFloating(const QWidget* window);
// The floating windows shown raised over the others, the alerts and sheets shown then raised
// over them.
void RaiseFloatingWindows();
// What a window being shown at a frame of the program's keeps clear of: the document windows'
// title and menu bars, always; the palettes shown, which float over it, where the
// area allows; and the program's other windows shown, where it allows that too.
struct FramesKeptClear {
    std::vector<QRect> titles, palettes, windows;
};
// A saved frame, title bar and borders included, set again on the window, kept reachable: moved
// inside the visible area of the screen it lands on and cut to it when larger (`resize`; never
// below the window's minimum size), and, once moved, clear of the windows `keptClear` names
// where that area allows. Without `resize` only its origin is taken, the window keeping its own
// size. `settled` as for `PlaceWindowFrame`.
void RestoreWindowFrame(QWidget* window, const QRect& saved, bool resize,
                        std::function<FramesKeptClear()> keptClear = {},
                        std::function<void(const QRect&)> settled = {});
// Where a window shows, for another being placed to keep clear of: the frame being set on it, or
// its frame; none where its placement was asked after the one asking (that one keeps clear of
// the one asking instead).
std::optional<QRect> FrameToKeepClearOf(const QWidget* window);
// Where a window shows, for another to be placed beside it: the frame being set on it, whatever
// the order its placement was asked in, or its frame. The one asking is placed again as each
// placement of it under way ends, so it never stays beside where the window stood before.
QRect FrameComing(const QWidget* window);
// While it stands, the window's frame is still to be set by a placement asked later: a window
// placed meanwhile keeps no clear of where it stands (where a window manager first put it).
class FrameDue {
public:
    explicit FrameDue(QWidget* window);
    ~FrameDue();
    FrameDue(const FrameDue&) = delete;
    FrameDue& operator=(const FrameDue&) = delete;

private:
    QWidget* window_;
};
// The frame the window shows with at its own size, decoration included once framed; until it is
// first shown, the size it will show with.
QRect FrameAt(const QWidget* window, const QPoint& topLeft);
// The top left corner of the primary screen's visible area, 5 in from its left edge.
QPoint FirstCorner();
// A document window's title bar and menu bar, across its frame.
QRect TitleAndMenuBar(const QMainWindow* window);

// `frame` moved to the nearest place inside `visible`, searched across the whole area, where it
// covers nothing `clear` names, 5 points off what it passes; where none is, the place covering
// no title and no palette that covers the least of the other windows; where none is either, the
// place covering no title that covers the least of the palettes and windows; where neither is,
// `frame` kept inside `visible`.
QRect FrameClearOf(const QRect& frame, const FramesKeptClear& clear, const QRect& visible);

// A window's frame saved under a user-defaults key, and whose choice it is: the program's (none
// saved, the first frame the program gives, the "0 0 640 480" an earlier run saved for a window
// it never showed) until the user moves or resizes the window, or a frame the user left is read.
// Only the user's frame is saved, and only once the user has moved the window: one pulled onto
// a smaller screen keeps the frame saved. A window shown at the program's frame goes to the
// place nearest its first frame that keeps clear of the document windows' title and menu bars
// and of the program's other windows shown.
class ChosenFrame {
public:
    ChosenFrame(QWidget* window, std::string key, bool resize);
    const std::string& key() const { return key_; }
    // Where the program first puts the window's top left corner; until one is given the program
    // leaves the window where it is.
    void setFirst(std::function<QPoint()> first) { first_ = std::move(first); }
    // Reads the saved frame: the user's is set again (once pulled onto the screen, clear of
    // `keptClear`'s windows where it can be); a window shown at the program's frame takes its
    // first frame.
    void restore(std::function<FramesKeptClear()> keptClear = {});
    // Before the window shows: at the program's frame, it is placed clear of `keptClear`.
    void beforeShow(const std::function<FramesKeptClear()>& keptClear);
    // As the window closes: the user's frame is saved, the program's forgotten.
    void save();
    bool usersFrame() const;

private:
    void place(std::function<FramesKeptClear()> keptClear);
    void restoreSaved(const QRect& frame, std::function<FramesKeptClear()> keptClear);

    QWidget* window_;
    std::string key_;
    bool resize_;
    std::function<QPoint()> first_;
    bool usersSaved_ = false, shown_ = false;
    // The frame the program last put the window at, once it showed there; the frame the user's
    // came back with.
    std::optional<QRect> placed_, restored_;
    // The user's frame read for a window not shown, set again as it shows.
    std::optional<QRect> saved_;
};

// A window the user opens (Preferences, Plant Details, Content Providers, About) goes where a
// window at the program's frame goes: nearest `first` (the screen's top left corner unless
// given), clear of `keptClear`. So with a window manager too: one placing it would lay it under
// a palette, which floats over it.
void PlaceAtProgramsFrame(QWidget* window, std::function<FramesKeptClear()> keptClear,
                          std::function<QPoint()> first = FirstCorner);
