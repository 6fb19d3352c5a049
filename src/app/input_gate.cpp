#include "app/input_gate.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "app/x_server.h"
#include "tracking/tracking_state.h"

namespace {

using Runs = InputGate::Runs;
using Input = InputGate::Input;
using Does = InputGate::Does;

constexpr const char* kAlone = "gateRunsAlone";
constexpr const char* kDesign = "gateDesignWindow";
constexpr const char* kAwaitsTool = "gateAwaitsTool";
constexpr const char* kDesignTimer = "gateDesignTimer";
constexpr const char* kKeyOnlyIfNeeded = "gateKeyOnlyIfNeeded";

bool IsModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
    }
}

// The widget window standing for a window of Qt's (a widget's own, or a native child such as
// the live view's GL window, which stands in its top-level's).
QWidget* TopLevelOf(QObject* receiver) {
    if (!receiver) return nullptr;
    if (receiver->isWidgetType()) return static_cast<QWidget*>(receiver)->window();
    if (!receiver->isWindowType()) return nullptr;
    QWindow* window = static_cast<QWindow*>(receiver);
    while (window->parent()) window = window->parent();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window) return top;
    return nullptr;
}

// What a press at a window lands on: the widget under it, or the window itself.
QObject* PressTarget(QObject* watched, const QEvent* event) {
    if (!watched->inherits("QWidgetWindow")) return watched;
    QWidget* top = TopLevelOf(watched);
    if (!top) return watched;
    QPoint at;
    if (event->type() == QEvent::Wheel) at = static_cast<const QWheelEvent*>(event)->position().toPoint();
    else at = static_cast<const QMouseEvent*>(event)->position().toPoint();
    QWidget* child = top->childAt(at);
    return child ? child : top;
}

bool IsSheet(const QWidget* w) {
    return qobject_cast<const QDialog*>(w) && w->isVisible() && w->windowModality() != Qt::NonModal;
}

// Within a running sheet: the sheet, its controls and the windows it opened (a pop-up's list,
// an alert on it).
bool InSheet(const QObject* o) {
    if (o && o->isWindowType()) o = TopLevelOf(const_cast<QObject*>(o));
    for (; o; o = o->parent())
        if (o->isWidgetType() && IsSheet(static_cast<const QWidget*>(o))) return true;
    return false;
}

bool IsDesignWindow(const QWidget* top) {
    return top && (qobject_cast<const QMainWindow*>(top) || top->property(kDesign).toBool());
}

QWidget* TopSheet() {
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (IsSheet(w) && (!found || w->property(kAlone).toBool())) found = w;
    return found;
}

bool IsLoop(Runs runs) { return runs == Runs::KeyLoop || runs == Runs::KeylessLoop; }
bool IsSheetRun(Runs runs) {
    return runs == Runs::Sheet || runs == Runs::PanelSheet || runs == Runs::ToolSheet || runs == Runs::Alert;
}

constexpr const char* kCameFrom = "gateCameFrom";

// A window the program shows and closes beside its document windows (the preferences, a
// plant's details, the vendors, About, the live view panel, a colour or font panel, a
// palette, another document window), as opposed to a pop-up, a tool tip or the splash.
bool ComesAndGoes(const QWidget* w) {
    if (!w->isWindow()) return false;
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop: return false;
    default: return true;
    }
}

bool IsModalDialog(const QWidget* w) { return qobject_cast<const QDialog*>(w) && w->windowModality() != Qt::NonModal; }

// A dialog without a parent (a launcher, an alert of no window), and any window that is no
// modal dialog, came from the window that was active as it showed.
void NoteWhereFrom(QWidget* window) {
    const bool noted = IsModalDialog(window) ? window->isWindow() && !window->parentWidget() : ComesAndGoes(window);
    if (noted) window->setProperty(kCameFrom, QVariant::fromValue(QPointer<QWidget>(QApplication::activeWindow())));
}

// A shown document window other than `except`.
QWidget* DocumentWindow(const QWidget* except) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top != except && top->isVisible() && !top->isMinimized()) return top;
    return nullptr;
}

// Where the keyboard goes back to when a window that is no modal dialog goes and the user worked
// in no other: the window it came from, else its parent's, else a document window (none may have
// been active as it showed).
QWidget* HomeOfWindow(const QWidget* gone) {
    const auto usable = [gone](QWidget* w) { return w && w != gone && w->isVisible() && !w->isMinimized(); };
    if (QWidget* from = gone->property(kCameFrom).value<QPointer<QWidget>>().data(); usable(from)) return from;
    if (QWidget* parent = gone->parentWidget() ? gone->parentWidget()->window() : nullptr; usable(parent)) return parent;
    return DocumentWindow(gone);
}

bool IsPalette(const QWidget* top) { return top && top->property(kKeyOnlyIfNeeded).toBool(); }

// A control that reads typing (a field): it takes the keyboard on a click.
bool ReadsTyping(const QWidget* w) {
    return w && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::ClickFocus);
}

// The windows the user last pressed or typed in, the latest last: a palette only where a control
// that reads typing took the press or the keys (its cells leave the keyboard where it was).
std::vector<QPointer<QWidget>>& WorkedIn() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}

void NoteWorkedIn(QWidget* top) {
    if (!top || !ComesAndGoes(top)) return;
    auto& windows = WorkedIn();
    const auto stale = [top](const QPointer<QWidget>& w) { return !w || w == top; };
    windows.erase(std::remove_if(windows.begin(), windows.end(), stale), windows.end());
    windows.push_back(top);
    if (windows.size() > 16) windows.erase(windows.begin());
}

QWidget* LastWorkedIn(const QWidget* except, bool palettes) {
    const auto& windows = WorkedIn();
    for (auto w = windows.rbegin(); w != windows.rend(); ++w)
        if (*w && *w != except && (*w)->isVisible() && !(*w)->isMinimized() && (palettes || !IsPalette(*w))) return *w;
    return nullptr;
}

// Without a window manager X moves the keyboard only when the program asks, as it reads a press:
// a key typed before X has read that request comes to the window that had the keyboard. The
// window a press gave the keyboard to, until X says where the keyboard is.
QPointer<QWidget>& KeyboardGivenByPress() {
    static QPointer<QWidget> window;
    return window;
}

// The keyboard is on its way from `at` to the window a press gave it to.
QWidget* KeyboardOnItsWay(const QWidget* at) {
    QWidget* given = KeyboardGivenByPress();
    return given && given != at && given->isVisible() && !given->isMinimized() ? given : nullptr;
}

// Why the rule is asked: a key X gave the window, a press on a palette's control that reads no
// keys, the window going.
enum class KeysFrom : uint8_t { Key, PaletteCell, WindowGone };

// The palette whose field the user works in: the field was pressed, and no press in another
// window or on another control has come since. A field whose editing a press elsewhere ended
// keeps no key, though it is still its palette's focus widget.
QPointer<QWidget>& FieldWorkedIn() {
    static QPointer<QWidget> palette;
    return palette;
}

// A press on `palette`'s field (null: anywhere else) begins or ends the work in a field.
void NoteFieldWork(QWidget* palette) {
    QWidget* was = FieldWorkedIn();
    FieldWorkedIn() = palette;
    if (!was || was == palette) return;
    // Its field shows no caret it does not hold the keys for.
    if (QWidget* field = was->focusWidget(); field && field != was) field->clearFocus();
}

// The palette keeps the key: its field while the user works in it, or the palette itself (its
// Undo and Redo) claims it as Qt asks before a key press.
bool PaletteKeeps(QWidget* palette, const QKeyEvent* key) {
    if (FieldWorkedIn() == palette && ReadsTyping(palette->focusWidget())) return true;
    if (!key) return false;
    QKeyEvent claim(QEvent::ShortcutOverride, key->key(), key->modifiers(), key->text());
    claim.ignore();
    QCoreApplication::sendEvent(palette, &claim);
    return claim.isAccepted();
}

// The running sheet or alert holds the window: its row drops the window's keys, or holds them
// where it is a design window or a palette (which only chooses tools meanwhile: its field would
// write the design). Its keys are the sheet's, whether Qt blocks the window or not.
bool SheetHolds(const QWidget* top, Runs runs) {
    if (!top || !IsSheetRun(runs) || InSheet(top)) return false;
    const Does does = InputGate::decide(runs, Input::Key);
    return does == Does::Dropped || (does == Does::DesignHeld && (IsDesignWindow(top) || IsPalette(top)));
}

// What a sheet or an alert runs as, by its own marks: asked too once it has gone.
Runs RunsOf(const QWidget* sheet) {
    if (sheet->windowModality() == Qt::ApplicationModal && qobject_cast<const QMessageBox*>(sheet)) return Runs::Alert;
    if (sheet->property(kAlone).toBool()) return Runs::PanelSheet;
    return sheet->property(kAwaitsTool).toBool() ? Runs::ToolSheet : Runs::Sheet;
}

// The window the user last pressed or typed in among those the sheet that went held (no palette).
QWidget* LastWorkedInHeldBy(const QWidget* gone) {
    const Runs runs = RunsOf(gone);
    const auto& windows = WorkedIn();
    for (auto w = windows.rbegin(); w != windows.rend(); ++w)
        if (*w && *w != gone && (*w)->isVisible() && !(*w)->isMinimized() && !IsPalette(*w) && SheetHolds(*w, runs))
            return *w;
    return nullptr;
}

// The pointer rests on a window the sheet that went held (a window manager may still show that
// sheet's frame there: the windows under it count).
bool PointerOnWindowHeldBy(const QWidget* gone) {
    const QPoint at = QCursor::pos();
    const Runs runs = RunsOf(gone);
    if (QWidget* under = QApplication::topLevelAt(at); under && under != gone) return SheetHolds(under, runs);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != gone && top->isVisible() && ComesAndGoes(top) && top->frameGeometry().contains(at) && SheetHolds(top, runs))
            return true;
    return false;
}

// Where the keys go, one rule under every focus rule of the window manager (none: the program
// moves the keyboard; one that gives a window the keyboard; one that leaves it to the window under
// the pointer) for what runs. `at` is the window X gives the key to (under PointerRoot, the one
// under the pointer), or the one the user's last press gave it to where X has not yet moved it.
// A loop's and a render's rows sort the keys where they land. A sheet or an alert takes the keys
// of every window it holds (`SheetHolds`). A palette keeps a key of its field while the user works
// in it, or one it takes itself (Undo and Redo); any other goes on, as the keyboard does after a
// press on its cell, to the window the user last pressed or typed in (no palette), else a
// document window: a palette is key only if needed. Any other window keeps its keys. A window
// that goes gives the keyboard to the window the user last pressed or typed in, else the one it
// came from.
QWidget* KeyReceiver(QWidget* at, Runs runs, KeysFrom from = KeysFrom::Key, const QKeyEvent* key = nullptr) {
    if (!at) return nullptr;
    switch (from) {
    case KeysFrom::WindowGone:
        if (QWidget* last = LastWorkedIn(at, true)) return last;
        return HomeOfWindow(at);
    case KeysFrom::PaletteCell:
        if (QWidget* last = LastWorkedIn(at, false)) return last;
        return DocumentWindow(at);
    case KeysFrom::Key:
        if (QWidget* given = KeyboardOnItsWay(at)) at = given;
        break;
    }
    if (runs == Runs::Render || IsLoop(runs)) return at;
    if (SheetHolds(at, runs)) return TopSheet();
    if (IsPalette(at) && !PaletteKeeps(at, key)) {
        QWidget* to = KeyReceiver(at, runs, KeysFrom::PaletteCell);
        return SheetHolds(to, runs) ? TopSheet() : to;
    }
    return at;
}

// The pointer stands on one of the program's windows, or on the one that went, by their frames:
// a window manager may still show the frame of the window that went.
bool PointerOnProgramWindow(const QWidget* gone) {
    const QPoint at = QCursor::pos();
    for (QWidget* top : QApplication::topLevelWidgets())
        if ((top == gone || (top->isVisible() && ComesAndGoes(top))) && top->frameGeometry().contains(at)) return true;
    return false;
}

// A modal dialog (a sheet, an alert, a file panel, a launcher) that has ended, or another of the
// program's windows that the program closed (the preferences' OK, a details window's close), gives
// the keyboard back to the window it came from: no window system does so without a window
// manager, and one whose keyboard follows the pointer gives it to no window. A modal dialog gives
// it to a window it held: without a window manager the one the user last pressed or typed in;
// under one, where the pointer rests on such a window, the keys follow the pointer again
// (`toPointer`: X's focus left to the pointer, not fixed on one window), else the window it came
// from. Only while the user works in the program: the window had the keyboard, or no window had
// it and the pointer stands on one of the program's. The window given the keyboard, or null.
QWidget* GiveKeyboardBack(const QWidget* gone, bool& toPointer) {
    toPointer = false;
    if (!gone->isWindow()) return nullptr;
    QWidget* home = nullptr;
    const bool modal = IsModalDialog(gone);
    if (modal) {
        home = gone->parentWidget() ? gone->parentWidget()->window()
                                    : gone->property(kCameFrom).value<QPointer<QWidget>>().data();
        if (WindowManagerRuns() == false)
            if (QWidget* last = LastWorkedInHeldBy(gone)) home = last;
        if (!home || home == gone || !home->isVisible() || home->isMinimized()) return nullptr;
    } else if (!ComesAndGoes(gone)) {
        return nullptr;
    } else if (!(home = KeyReceiver(const_cast<QWidget*>(gone), Runs::Nothing, KeysFrom::WindowGone))) {
        return nullptr;
    }
    const QWindow* focus = QGuiApplication::focusWindow();
    // Without a window manager only the program moves the keyboard, and X has often moved it
    // before Qt hears of it (a press gives its window the keyboard at once; a native window
    // inside it may hold it): X tells. The window going has gone from the screen by now, so the
    // keyboard it held is with no window. It stays with another application, and with another
    // of the program's windows that Qt knows to hold it too.
    const KeyboardHolder holder = WindowManagerRuns() == false ? WhoHoldsTheKeyboard() : KeyboardHolder::Unknown;
    if (holder != KeyboardHolder::Unknown) {
        if (holder == KeyboardHolder::OtherApplication) return nullptr;
        if (holder == KeyboardHolder::Program && focus && TopLevelOf(const_cast<QWindow*>(focus)) != gone &&
            KeyboardIsIn(focus) == true)
            return nullptr;
        // Qt may still take `home` for the active window: asked anew all the same.
        if (QWindow* window = home->windowHandle()) window->requestActivate();
        return home;
    }
    if (focus ? focus != gone->windowHandle() : !PointerOnProgramWindow(gone)) return nullptr;
    // A window manager may have moved the keyboard since the user's last event (to no window, as
    // the user clicked the blocked window's menu title): a request of that event's time would be
    // outdated. A window manager that gives a window the keyboard once the dialog has gone comes
    // after this, and keeps it.
    toPointer = modal && PointerOnWindowHeldBy(gone) && GiveKeyboardToPointer();
    if (!toPointer && !GiveKeyboardNow(home->windowHandle())) home->activateWindow();
    return home;
}

// The press lands on a control that reads typing.
bool PressOnField(QObject* watched, const QEvent* event) {
    for (QObject* o = PressTarget(watched, event); o && o->isWidgetType(); o = o->parent()) {
        const auto* w = static_cast<const QWidget*>(o);
        if (ReadsTyping(w)) return true;
        if (w->isWindow()) break;
    }
    return false;
}

// The user's press: its window is the one last worked in, a palette only where a field took it.
void NotePress(QObject* watched, const QEvent* event) {
    if (!event->spontaneous() || !watched->inherits("QWidgetWindow")) return;
    QWidget* top = TopLevelOf(watched);
    const bool field = PressOnField(watched, event);
    if (!IsPalette(top) || field) NoteWorkedIn(top);
    NoteFieldWork(IsPalette(top) && field ? top : nullptr);
}

// Without a window manager a press gives its window the keyboard before the press is handled;
// nothing else would move it. A press on a window that takes it only if needed (a palette), on a
// control that reads no keys (a tool or snap cell), gives it to the window the keys' rule names,
// even where the palette held it (its field clicked before): a palette's cell never keeps it.
// Where the keyboard goes is noted until X has moved it.
void KeyboardFollowsPress(QObject* watched, const QEvent* event) {
    if (!event->spontaneous() || !watched->inherits("QWidgetWindow") || WindowManagerRuns() != false) return;
    QWidget* top = TopLevelOf(watched);
    if (!top || !ComesAndGoes(top)) return;
    QWidget* to = top;
    if (IsPalette(top) && !PressOnField(watched, event)) to = KeyReceiver(top, Runs::Nothing, KeysFrom::PaletteCell);
    if (!to || !to->windowHandle()) return;
    // A field: the keyboard is its, whatever Qt has heard yet. Qt asks for any other window's.
    if (IsPalette(top)) to->windowHandle()->requestActivate();
    const QWindow* focus = QGuiApplication::focusWindow();
    KeyboardGivenByPress() = focus && TopLevelOf(const_cast<QWindow*>(focus)) == to ? nullptr : to;
}

// Escape closing a menu that a menu bar opened leaves the bar in Qt's keyboard mode, holding the
// keys though nothing on the screen shows it: once the menu has gone, the bar leaves that mode,
// as a second Escape would, and the keys go back to the window's control.
void MenuBarLeftWithItsMenu(QObject* watched, const QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || !event->spontaneous() || static_cast<const QKeyEvent*>(event)->key() != Qt::Key_Escape) return;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QMenuBar* bar : top->findChildren<QMenuBar*>())
            if (bar->activeAction() && bar->activeAction()->menu() == menu)
                QMetaObject::invokeMethod(bar, [bar] {
                    if (!bar->hasFocus()) return;
                    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QCoreApplication::sendEvent(bar, &escape);
                }, Qt::QueuedConnection);
}

// The window (or the window a native one lies in) stands under the modal window: Qt drops its
// input.
bool BlockedBy(QWindow* window, QWindow* modal) {
    const auto up = [](QWindow* w) { return w->parent() ? w->parent() : w->transientParent(); };
    for (QWindow* w = window; w; w = up(w))
        if (w == modal) return false;
    if (modal->modality() == Qt::ApplicationModal) return true;
    for (QWindow* w = window; w && modal->modality() == Qt::WindowModal; w = up(w))
        for (QWindow* under = up(modal); under; under = up(under))
            if (under == w) return true;
    return false;
}

// Without a window manager a press on a window under a sheet, an alert or a panel gives that
// window the keyboard, though it takes no key while the sheet stands: the keyboard goes back to
// the sheet.
void KeyboardBackToModal(QWindow* now) {
    QWindow* modal = QGuiApplication::modalWindow();
    if (!now || !modal || !modal->isVisible() || !BlockedBy(now, modal) || WindowManagerRuns() != false) return;
    modal->requestActivate();
}

}  // namespace

// One row for what each input outside a running loop, render or sheet does.
const InputGate::Row InputGate::kTable[] = {
    // A loop reading keys (a point loop waiting for its next click, a drag that steps the snap
    // mode, the live view's walk and fly): the press is the loop's, and so is a window's close
    // box; the keys too, only the loop's own acting; a shortcut runs nothing. No loop reads the
    // wheel: its turns wait, wherever they were made. The keyboard moving to another of the
    // program's windows, by a press or with the pointer, or to no window (the pointer resting
    // on the bare desktop), comes back.
    {Runs::KeyLoop, Input::Press, Does::EndsLoop},
    {Runs::KeyLoop, Input::Close, Does::EndsLoop},
    {Runs::KeyLoop, Input::Key, Does::ToLoop},
    {Runs::KeyLoop, Input::Escape, Does::ToLoop},
    {Runs::KeyLoop, Input::Shortcut, Does::ToLoop},
    {Runs::KeyLoop, Input::Wheel, Does::Waits},
    {Runs::KeyLoop, Input::Deactivation, Does::KeepsWindow},
    {Runs::KeyLoop, Input::ToolAnswer, Does::Waits},
    // A loop taking no key (a door's swing, an arc's turn, the camera marker's and the zoom's
    // drags, the cut-away slider's): the press and the close box are the loop's; keys,
    // shortcuts and the wheel wait for its end.
    {Runs::KeylessLoop, Input::Press, Does::EndsLoop},
    {Runs::KeylessLoop, Input::Close, Does::EndsLoop},
    {Runs::KeylessLoop, Input::Key, Does::Waits},
    {Runs::KeylessLoop, Input::Escape, Does::Waits},
    {Runs::KeylessLoop, Input::Shortcut, Does::Waits},
    {Runs::KeylessLoop, Input::Wheel, Does::Waits},
    {Runs::KeylessLoop, Input::Deactivation, Does::KeepsWindow},
    {Runs::KeylessLoop, Input::ToolAnswer, Does::Waits},
    // A render: only Escape acts; keys wait for its end; a press, which cannot be held for
    // where it landed, is dropped. A tool's answer, which would rebuild the scene being drawn,
    // the live view's steps, each a frame of its own, and the end of a field's editing when
    // the keyboard goes to another window, wait for its end.
    {Runs::Render, Input::Press, Does::Dropped},
    {Runs::Render, Input::Key, Does::Waits},
    {Runs::Render, Input::Escape, Does::Interrupts},
    {Runs::Render, Input::Shortcut, Does::Waits},
    {Runs::Render, Input::Wheel, Does::Dropped},
    {Runs::Render, Input::ToolAnswer, Does::Waits},
    {Runs::Render, Input::Timer, Does::Waits},
    {Runs::Render, Input::FocusOut, Does::Waits},
    // A render started from a handler (a dialog's accepted signal) must not have that dialog
    // deleted or closed under it by a poll: deletions wait for its end, closes are dropped.
    {Runs::Render, Input::OtherPointer, Does::Dropped},
    {Runs::Render, Input::Deletion, Does::Waits},
    {Runs::Render, Input::Close, Does::Dropped},
    // The live-view panel's property sheets run alone: no window closes meanwhile.
    {Runs::PanelSheet, Input::Press, Does::Dropped},
    {Runs::PanelSheet, Input::Key, Does::Dropped},
    {Runs::PanelSheet, Input::Escape, Does::Dropped},
    {Runs::PanelSheet, Input::Shortcut, Does::Dropped},
    {Runs::PanelSheet, Input::Wheel, Does::Dropped},
    {Runs::PanelSheet, Input::Close, Does::Dropped},
    {Runs::PanelSheet, Input::PaletteCommand, Does::Dropped},
    {Runs::PanelSheet, Input::ToolAnswer, Does::Waits},
    // Any other sheet (a main window's, an alert, the export's save panel): no menu command,
    // and nothing in a document window or the live view, which do not close either; the
    // palettes still choose tools, but open no sheet and change nothing in the design. A
    // tool's answer, which may replace the objects a sheet holds, waits for the sheet's end.
    {Runs::Sheet, Input::Press, Does::DesignHeld},
    {Runs::Sheet, Input::Key, Does::DesignHeld},
    {Runs::Sheet, Input::Escape, Does::DesignHeld},
    {Runs::Sheet, Input::Shortcut, Does::Dropped},
    {Runs::Sheet, Input::Wheel, Does::DesignHeld},
    {Runs::Sheet, Input::Close, Does::DesignHeld},
    {Runs::Sheet, Input::PaletteCommand, Does::Dropped},
    {Runs::Sheet, Input::ToolAnswer, Does::Waits},
    // A running tool's progress sheet holds as any other; the tool's answer, which ends it, acts.
    {Runs::ToolSheet, Input::Press, Does::DesignHeld},
    {Runs::ToolSheet, Input::Key, Does::DesignHeld},
    {Runs::ToolSheet, Input::Escape, Does::DesignHeld},
    {Runs::ToolSheet, Input::Shortcut, Does::Dropped},
    {Runs::ToolSheet, Input::Wheel, Does::DesignHeld},
    {Runs::ToolSheet, Input::Close, Does::DesignHeld},
    {Runs::ToolSheet, Input::PaletteCommand, Does::Dropped},
    {Runs::ToolSheet, Input::ToolAnswer, Does::Acts},
    // An application-modal alert: nothing outside it acts, a palette's cells included; a tool's
    // answer waits for it.
    {Runs::Alert, Input::Press, Does::Dropped},
    {Runs::Alert, Input::Key, Does::Dropped},
    {Runs::Alert, Input::Escape, Does::Dropped},
    {Runs::Alert, Input::Shortcut, Does::Dropped},
    {Runs::Alert, Input::Wheel, Does::Dropped},
    {Runs::Alert, Input::Close, Does::Dropped},
    {Runs::Alert, Input::PaletteCommand, Does::Dropped},
    {Runs::Alert, Input::ToolAnswer, Does::Waits},
};

InputGate::Does InputGate::decide(Runs runs, Input input) {
    for (const Row& r : kTable)
        if (r.runs == runs && r.input == input) return r.does;
    return Does::Acts;
}

InputGate::InputGate() : keyboardAsked_(new QTimer(this)) {
    qApp->installEventFilter(this);
    keyboardAsked_->setInterval(50);
    connect(keyboardAsked_, &QTimer::timeout, this, &InputGate::askWhoHasTheKeyboard);
    // A key at a window a sheet or an alert blocks goes where the keys' rule says, the sheet.
    RouteBlockedKeys([](QWindow* at) -> QWindow* {
        QWindow* modal = QGuiApplication::modalWindow();
        InputGate* gate = InputGate::existing();
        if (!modal || !gate || !BlockedBy(at, modal)) return nullptr;
        QWidget* to = KeyReceiver(TopLevelOf(at), gate->runs());
        QWindow* window = to ? to->windowHandle() : nullptr;
        return window && !BlockedBy(window, modal) ? window : modal;
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
        if (now) KeyboardGivenByPress() = nullptr;  // X has moved the keyboard
        KeyboardBackToModal(now);
        if (!now && keyboardBack_ && keyboardLeftToNoWindow()) giveKeyboardBackAgain();
        // The keys that waited for the keyboard given back go where it now is.
        if (now && !heldInput_.empty()) deliverHeldInputLater();
    });
}

namespace {
QPointer<InputGate> sGate;
}  // namespace

InputGate& InputGate::shared() {
    if (!sGate) sGate = new InputGate(), sGate->setParent(qApp);
    return *sGate;
}

InputGate* InputGate::existing() { return sGate; }

void InputGate::runLoop(GateLoop* loop) {
    if (std::find(loops_.begin(), loops_.end(), loop) == loops_.end()) loops_.push_back(loop);
    deliverHeldInput();
}

void InputGate::endLoop(GateLoop* loop) {
    const auto at = std::find(loops_.begin(), loops_.end(), loop);
    if (at == loops_.end()) return;
    loops_.erase(at);
    deliverHeldInput();
    deliverHeldCallsLater();
}

void InputGate::beginRender(std::function<void()> escape) {
    if (renders_++ == 0) escape_ = std::move(escape);
}

void InputGate::endRender() {
    if (renders_ == 0 || --renders_ > 0) return;
    escape_ = nullptr;
    for (const QPointer<QObject>& held : heldDeletes_)
        if (held) held->deleteLater();
    heldDeletes_.clear();
    deliverHeldInputLater();
    deliverHeldCallsLater();
}

void InputGate::admit(Input input, std::function<void()> run) {
    if (!run) return;
    // Behind those still waiting, in the order they came.
    if (!heldCalls_.empty() || decide(runs(), input) == Does::Waits) {
        heldCalls_.push_back({input, std::move(run)});
        deliverHeldCallsLater();
        return;
    }
    run();
}

// From the event loop, not from inside what has just ended (a render's scope still has its
// callers drawing the scene a held command would rebuild, a sheet its accepted handler to run).
void InputGate::deliverLater(bool& posted, void (InputGate::*deliver)()) {
    if (posted) return;
    posted = true;
    QMetaObject::invokeMethod(this, [this, &posted, deliver] {
        posted = false;
        (this->*deliver)();
    }, Qt::QueuedConnection);
}

void InputGate::deliverHeldInputLater() {
    if (!heldInput_.empty()) deliverLater(inputPosted_, &InputGate::deliverHeldInput);
}

void InputGate::deliverHeldCallsLater() {
    if (!heldCalls_.empty()) deliverLater(callsPosted_, &InputGate::deliverHeldCalls);
}

void InputGate::deliverHeldCalls() {
    while (!heldCalls_.empty()) {
        if (decide(runs(), heldCalls_.front().input) == Does::Waits) return;
        const std::function<void()> run = std::move(heldCalls_.front().run);
        heldCalls_.erase(heldCalls_.begin());
        run();
    }
}

void InputGate::runAlone(QWidget* sheet) {
    if (sheet) sheet->setProperty(kAlone, true);
}

void InputGate::markDesignWindow(QWidget* window) {
    if (window) window->setProperty(kDesign, true);
}

void InputGate::awaitsTool(QWidget* sheet) {
    if (sheet) sheet->setProperty(kAwaitsTool, true);
}

void InputGate::markDesignTimer(QTimer* timer) {
    if (timer) timer->setProperty(kDesignTimer, true);
}

void InputGate::markKeyOnlyIfNeeded(QWidget* window) {
    if (window) window->setProperty(kKeyOnlyIfNeeded, true);
}

InputGate::Runs InputGate::runs() const {
    if (renders_ > 0) return Runs::Render;
    // Of several sheets up at once, an alert runs first, then a sheet alone, a sheet, a tool's.
    std::vector<Runs> sheets;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (IsSheet(w)) sheets.push_back(RunsOf(w));
    for (const Runs r : {Runs::Alert, Runs::PanelSheet, Runs::Sheet, Runs::ToolSheet})
        if (std::find(sheets.begin(), sheets.end(), r) != sheets.end()) return r;
    if (!loops_.empty()) return loops_.back()->readsKeys() ? Runs::KeyLoop : Runs::KeylessLoop;
    return Runs::Nothing;
}

bool InputGate::commandsHeld() { return gTrackingMouse || decide(shared().runs(), Input::Shortcut) != Does::Acts; }

bool InputGate::paletteCommandsAct() { return decide(shared().runs(), Input::PaletteCommand) == Does::Acts; }

bool InputGate::keepsLoopWindow(const GateLoop* loop) {
    if (loops_.empty() || loops_.back() != loop) return false;
    QWidget* home = loop->loopWindow();
    if (!home || !home->isVisible() || home->isMinimized()) return false;
    // The keyboard moved within the loop's own window: no deactivation, the view lost it. (The
    // application's deactivation comes while Qt still names the window it left as active.)
    QWidget* to = QGuiApplication::focusWindow() ? QApplication::activeWindow() : nullptr;
    if (to == home) return false;
    // Another application has the keyboard, whatever Qt still thinks active: its window has the
    // focus, or under PointerRoot lies under the pointer. Where the window system cannot be
    // asked, the window under the pointer tells.
    const KeyboardHolder holder = WhoHoldsTheKeyboard();
    if (holder == KeyboardHolder::OtherApplication) return false;
    if (holder == KeyboardHolder::Unknown && !to && !QApplication::topLevelAt(QCursor::pos())) return false;
    if (decide(runs(), Input::Deactivation) != Does::KeepsWindow) return false;
    // The program takes the keyboard back only where it has it (one of its windows has the focus,
    // or is under the pointer); left to no application's window, the keys go where the pointer
    // takes them. Who has it is asked again until the loop's window has it or the loop ends.
    if (holder != KeyboardHolder::NoWindow) home->activateWindow();
    if (holder != KeyboardHolder::Unknown) keyboardAsked_->start();
    return true;
}

// Who has the keyboard can change while a loop runs without the loop's window hearing of it: the
// focus moved from no window to another application's (twm gives a window the keyboard as the
// pointer comes onto it), or under PointerRoot the pointer came onto another application's
// window, or onto one of the program's.
void InputGate::askWhoHasTheKeyboard() {
    GateLoop* loop = loops_.empty() ? nullptr : loops_.back();
    QWidget* home = loop ? loop->loopWindow() : nullptr;
    if (!home || !home->isVisible() || home->isMinimized() || home->isActiveWindow()) return keyboardAsked_->stop();
    switch (WhoHoldsTheKeyboard()) {
    case KeyboardHolder::OtherApplication: keyboardAsked_->stop(), loop->keyboardTaken(); return;
    case KeyboardHolder::Program:
        if (decide(runs(), Input::Deactivation) == Does::KeepsWindow) home->activateWindow();
        return;
    case KeyboardHolder::NoWindow: return;
    case KeyboardHolder::Unknown: keyboardAsked_->stop(); return;
    }
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (keyToItsReceiver(watched, event)) return true;
    if (keyboardBack_ && keyBeforeKeyboardBack(watched, event)) return true;
    if (keyboardBack_ && event->spontaneous() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        keyboardBack_ = nullptr;  // the user has gone on
    switch (event->type()) {
    case QEvent::DeferredDelete: return apply(decide(runs(), Input::Deletion), watched, event);
    case QEvent::Close: return windowClose(watched, event);
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Enter: keyboardBack(watched, event); return false;
    case QEvent::FocusOut:
        if (renders_ == 0 || !watched->isWidgetType()) return false;
        return apply(decide(runs(), Input::FocusOut), watched, event);
    case QEvent::Timer:
        if (!qobject_cast<QTimer*>(watched) || !watched->property(kDesignTimer).toBool()) return false;
        return apply(decide(runs(), Input::Timer), watched, event);
    case QEvent::MouseButtonPress:
        NotePress(watched, event);
        KeyboardFollowsPress(watched, event);
        [[fallthrough]];
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        if (renders_ > 0) return apply(decide(Runs::Render, Input::Press), watched, event);
        return mouse(watched, event);
    case QEvent::ContextMenu:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: return apply(decide(runs(), Input::OtherPointer), watched, event);
    case QEvent::KeyPress: MenuBarLeftWithItsMenu(watched, event); [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut: return keyboard(watched, event, runs());
    case QEvent::ApplicationDeactivate:
        if (!loops_.empty()) loops_.back()->follow(watched, event);
        return false;
    default: return false;
    }
}

bool InputGate::mouse(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A press the gate took keeps its moves and release, up to the last button's.
    const bool taken = takenWindow_ && watched == takenWindow_;
    if (taken && type == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
        takenWindow_ = nullptr;
    // A loop follows its drag wherever it lands.
    if (!loops_.empty() && loops_.back()->follow(watched, event)) return true;
    // Widgets hear what their window let through: the press was sorted there.
    if (!watched->isWindowType()) return false;
    if (taken) return true;
    if (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) return false;
    const Runs runs = this->runs();
    if (runs == Runs::Nothing) return false;
    QObject* target = PressTarget(watched, event);
    const bool wheel = type == QEvent::Wheel;
    // No loop reads the wheel, not even over its own view.
    if (IsLoop(runs) && !wheel && loops_.back()->owns(target)) return false;
    if (IsSheetRun(runs) && InSheet(target)) return false;
    return apply(decide(runs, wheel ? Input::Wheel : Input::Press), watched, event);
}

bool InputGate::windowClose(QObject* watched, QEvent* event) {
    const Runs runs = this->runs();
    if (runs == Runs::Render) return apply(decide(runs, Input::Close), watched, event);
    // Outside a render only the window system's close is the user's (a close box): the widget
    // hears it as spontaneous, while the program's own closes (a sheet dismissed, a tooltip
    // gone, a window closed once its design is saved) come to it as sent, and act.
    if (!watched->isWidgetType() || !event->spontaneous()) return false;
    if (IsSheetRun(runs) && InSheet(watched)) return false;  // the sheet's own close is its Cancel
    if (!apply(decide(runs, Input::Close), watched, event)) return false;
    event->ignore();  // the window stays
    return true;
}

bool InputGate::keyboard(QObject* watched, QEvent* event, Runs runs) {
    // A widget window hands its keys on to its focus widget: they are sorted there.
    if (runs == Runs::Nothing || watched->inherits("QWidgetWindow")) return false;
    const QEvent::Type type = event->type();
    // Qt hands a key its receiver left alone on to the receiver's parents: it was let through.
    if (event == passedKey_ && watched->isWidgetType() && passedTo_ &&
        static_cast<QWidget*>(watched)->isAncestorOf(passedTo_)) {
        passedTo_ = static_cast<QWidget*>(watched);
        return false;
    }
    passedKey_ = nullptr;
    if (!keyboardDecides(watched, event, runs)) {
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType())
            passedKey_ = event, passedTo_ = static_cast<QWidget*>(watched);
        return false;
    }
    return true;
}

bool InputGate::keyboardDecides(QObject* watched, QEvent* event, Runs runs) {
    const QEvent::Type type = event->type();
    if (IsSheetRun(runs) && InSheet(watched)) return false;  // the sheet's own fields and buttons
    if (type == QEvent::Shortcut) return apply(decide(runs, Input::Shortcut), watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // While a loop or a render runs, every key comes as a key press, which the rows sort;
        // outside a sheet it is as dropped as the shortcut it would make.
        if (IsSheetRun(runs) && decide(runs, Input::Shortcut) != Does::Dropped) return false;
        event->accept();
        return true;
    }
    if (IsLoop(runs)) {
        GateLoop* loop = loops_.back();
        // The loop's own view reads its keys itself; a modifier only says what is held.
        if (loop->owns(watched) && (runs == Runs::KeyLoop || IsModifierKey(key->key()))) return false;
        if (IsModifierKey(key->key())) {
            loop->key(key);
            return true;
        }
    }
    return apply(decide(runs, key->key() == Qt::Key_Escape ? Input::Escape : Input::Key), watched, event);
}

bool InputGate::apply(Does does, QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    switch (does) {
    case Does::Acts: return false;
    case Does::DesignHeld: {
        if (!IsDesignWindow(TopLevelOf(watched))) return false;
        if (press) {
            takenWindow_ = watched;
            // The keyboard stays with the sheet.
            if (QWidget* sheet = TopSheet()) sheet->activateWindow();
        }
        return true;
    }
    case Does::Dropped:
        // A render drops every event of the mouse; a sheet takes the press and its release.
        if (press && renders_ == 0) {
            takenWindow_ = watched;
            if (QWidget* sheet = TopSheet()) sheet->activateWindow();
        }
        return true;
    case Does::EndsLoop: {
        // A window's close box is a press as any other; the window stays.
        if (!press && type != QEvent::Close) return true;
        GateLoop* loop = loops_.back();
        if (press) takenWindow_ = watched;
        // The press may have given another of the program's windows the keyboard: it goes
        // back to the loop's window.
        QWidget* home = loop->loopWindow();
        if (press && home && TopLevelOf(watched) != home) home->activateWindow();
        loop->pressOutside();
        return true;
    }
    case Does::ToLoop:
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && !loops_.empty())
            loops_.back()->key(static_cast<QKeyEvent*>(event));
        return true;
    case Does::Waits:
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            heldInput_.push_back({watched, key->key(), key->modifiers(), key->text(), nullptr});
        } else if (type == QEvent::Shortcut) {
            const QKeyCombination c = static_cast<QShortcutEvent*>(event)->key()[0];
            heldInput_.push_back({QApplication::focusWidget(), int(c.key()), c.keyboardModifiers(), QString(), nullptr});
        } else if (type == QEvent::Wheel) {
            // Turned again at its window, which finds the widget under it then.
            heldInput_.push_back({watched, 0, {}, QString(), std::shared_ptr<QEvent>(event->clone())});
        } else if (type == QEvent::DeferredDelete) {
            if (watched) heldDeletes_.push_back(watched);
        } else if (type == QEvent::FocusOut) {
            // Sent again once nothing holds it, unless the keyboard has come back meanwhile.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            heldCalls_.push_back({Input::FocusOut, [left = QPointer<QObject>(watched), reason] {
                if (!left || static_cast<QWidget*>(left.data())->hasFocus()) return;
                QFocusEvent out(QEvent::FocusOut, reason);
                QCoreApplication::sendEvent(left, &out);
            }});
        }
        // A timer's tick is dropped: the timer falls due again once nothing holds it.
        return true;
    case Does::Interrupts:
        if (type == QEvent::KeyPress && escape_) escape_();
        return true;
    case Does::KeepsWindow: return false;
    }
    return false;
}

namespace {
// A wheel's turn held at its window, turned again at the widget now under it and handed on to
// its parents until one takes it, as the window system's own turn is.
void TurnWheel(QWidget* top, const QWheelEvent& turn) {
    QPointF at = turn.position();
    QWidget* w = top->childAt(at.toPoint());
    if (w) at = w->mapFrom(top, at);
    else w = top;
    while (w) {
        QWheelEvent e(at, turn.globalPosition(), turn.pixelDelta(), turn.angleDelta(), turn.buttons(), turn.modifiers(),
                      turn.phase(), turn.inverted(), turn.source(), turn.pointingDevice());
        QCoreApplication::sendEvent(w, &e);
        if (e.isAccepted() || w->isWindow() || w->testAttribute(Qt::WA_NoMousePropagation)) return;
        at = w->mapToParent(at);
        w = w->parentWidget();
    }
}
}  // namespace

void InputGate::deliverHeldInput() {
    if (delivering_) return;
    delivering_ = true;
    // Each goes where it was pressed, as its press would have: a shortcut runs its command, a
    // loop reading keys reads it, the view takes its own; a wheel's turn scrolls what is under
    // it in its window.
    while (!heldInput_.empty()) {
        const HeldInput held = heldInput_.front();
        const Does does = decide(runs(), held.wheel ? Input::Wheel : Input::Key);
        if (does == Does::Waits) break;
        heldInput_.erase(heldInput_.begin());
        if (held.wheel) {
            // Sent past the window's own sorting: only where nothing holds the wheel now.
            QWidget* top = TopLevelOf(held.receiver);
            if (top && does == Does::Acts) TurnWheel(top, *static_cast<const QWheelEvent*>(held.wheel.get()));
            continue;
        }
        QObject* to = held.receiver ? held.receiver.data() : QApplication::focusWidget();
        if (!to) continue;
        QKeyEvent down(QEvent::KeyPress, held.key, held.modifiers, held.text);
        // It goes where the keys' rule names now: a palette whose field the user no longer
        // works in hands it on, as it would have when typed.
        if (QWidget* top = TopLevelOf(to); top && ComesAndGoes(top)) {
            QWidget* now = KeyReceiver(top, runs(), KeysFrom::Key, &down);
            if (now && now != top) {
                to = now->focusWidget() ? now->focusWidget() : now;
                if (!now->isActiveWindow()) now->activateWindow();
            }
        }
        QPointer<QObject> alive(to);
        QCoreApplication::sendEvent(to, &down);
        QKeyEvent up(QEvent::KeyRelease, held.key, held.modifiers, held.text);
        if (alive) QCoreApplication::sendEvent(to, &up);
    }
    delivering_ = false;
}

// A window shows: it came from the window active now, and the keyboard given back before goes
// with it. A window goes: what waited for a sheet goes once the sheet has ended, and the keyboard
// goes back to the window it came from. A window manager that handles the window's end after the
// program gave the keyboard back may take it to no window meanwhile (twm does, when the window
// that went had its focus): until the user's next press or key, the pointer coming onto that
// window, or the program's keyboard going to no window with the pointer on one of its windows,
// gives it back again, the window manager's handling then over.
void InputGate::keyboardBack(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        if (!watched->isWidgetType() || event->spontaneous() || !ComesAndGoes(static_cast<QWidget*>(watched))) return;
        keyboardBack_ = nullptr;
        NoteWhereFrom(static_cast<QWidget*>(watched));
        return;
    case QEvent::Hide: {
        if (!watched->isWidgetType()) return;
        const auto* gone = static_cast<const QWidget*>(watched);
        if (qobject_cast<const QDialog*>(gone) && !heldCalls_.empty()) deliverHeldCallsLater();
        // A window the window system hid (minimized) gives nothing back.
        if (event->spontaneous() && !IsModalDialog(gone)) return;
        bool toPointer = false;
        if (QWidget* home = GiveKeyboardBack(gone, toPointer)) {
            keyboardBack_ = home, keyboardBackTries_ = 0, keyboardBackToPointer_ = toPointer;
            // Left to the pointer, Qt takes no window as active: X tells whether the window
            // manager took the keyboard to no window meanwhile.
            if (toPointer)
                for (const int ms : {150, 400, 900})
                    QTimer::singleShot(ms, this, [this] {
                        if (keyboardBack_ && keyboardBackToPointer_ && keyboardLeftToNoWindow()) giveKeyboardBackAgain();
                    });
        }
        return;
    }
    case QEvent::Enter:
        if (keyboardBack_ && TopLevelOf(watched) == keyboardBack_ && keyboardLeftToNoWindow()) giveKeyboardBackAgain();
        return;
    default: return;
    }
}

// A key the window system hands one of the program's windows, before the keyboard given back has
// come, where it would be lost: to no window holding the keyboard (no shortcut would run), or to
// the live view's own GL window under the pointer, which drops it (the window manager took the
// keyboard to no window, and the program still thinks it has it). It waits for the keyboard,
// given back again, and goes where that then is.
bool InputGate::keyBeforeKeyboardBack(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The window system's keys only, and only while nothing runs: what runs has its own row.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !event->spontaneous() || runs() != Runs::Nothing)
        return false;
    const bool lost = !QGuiApplication::focusWindow() || (watched->isWindowType() && !watched->inherits("QWidgetWindow"));
    if (!lost || !TopLevelOf(watched)) return false;
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        heldInput_.push_back({nullptr, key->key(), key->modifiers(), key->text(), nullptr});
    }
    giveKeyboardBackAgain();
    if (QApplication::activeWindow()) deliverHeldInputLater();
    return true;
}

// A key X gave one of the program's windows goes where the keys' rule says (`KeyReceiver`). Under
// a window manager that leaves the keyboard to the window under the pointer (PointerRoot: twm's
// NoTitleFocus, or a window it draws no title for) the keys come to the window there while Qt
// takes no window as active: no shortcut would run, and a Tab would move no field's editing to its
// end. A palette given the keyboard (a window manager's, or by a press) keeps only the keys of
// the field the user works in. And a window the running sheet or alert holds, which Qt need not
// block (the live view under a document's sheet, a document window under the live view's), hands
// its keys to the sheet. The receiver is made active, and the key waits for it, before a keyboard
// given back to another window takes it. A loop's and a render's rows take the keys as they come.
bool InputGate::keyToItsReceiver(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool override = type == QEvent::ShortcutOverride;
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease && !override) || !event->spontaneous() ||
        !watched->isWindowType())
        return false;
    const Runs runs = this->runs();
    QWidget* top = TopLevelOf(watched);
    if (runs == Runs::Render || IsLoop(runs) || !top || !ComesAndGoes(top)) return false;
    const bool press = type == QEvent::KeyPress;
    const bool noActive = !QGuiApplication::focusWindow();
    const bool onItsWay = KeyboardOnItsWay(top);
    if (override) {
        // No shortcut of this window runs for a key on its way to another: it comes as a key press.
        if (!onItsWay || KeyReceiver(top, runs, KeysFrom::Key, static_cast<const QKeyEvent*>(event)) == top)
            return false;
        event->accept();
        return true;
    }
    const bool held = SheetHolds(top, runs);
    if (!onItsWay && !held && (noActive ? !WindowManagerRuns().value_or(false) : !IsPalette(top))) {
        if (press && !noActive) NoteWorkedIn(top);  // typed in
        return false;
    }
    QWidget* to = KeyReceiver(top, runs, KeysFrom::Key, static_cast<const QKeyEvent*>(event));
    if (!to) return false;
    // A modifier held down is no key yet, and a release follows its press: the key pressed decides
    // (every key, where the keyboard is on its way to another window).
    const bool modifierOrRelease = !press || IsModifierKey(static_cast<const QKeyEvent*>(event)->key());
    if (!noActive && (to == top || (!onItsWay && modifierOrRelease))) {
        if (press && to == top) NoteWorkedIn(top);  // typed in the palette's field
        return false;
    }
    // A sheet or an alert takes a key typed at a window it holds at once, and the keyboard stays
    // where the window manager keeps it: an activation it refuses (a request older than its own
    // focus change) would hold the key for ever, and one it grants would fix the keyboard on the
    // sheet, away from the window the pointer rests on once the sheet has gone.
    const bool toSheet = to != top && InSheet(to);
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        QObject* receiver = toSheet ? (to->focusWidget() ? to->focusWidget() : to) : nullptr;
        heldInput_.push_back({receiver, key->key(), key->modifiers(), key->text(), nullptr});
        keyboardBack_ = nullptr;  // the user has gone on, where the keys now go
        if (!held) NoteWorkedIn(to);
    }
    if (toSheet) {
        deliverHeldInput();
        return true;
    }
    to->activateWindow();
    // Qt may still take the receiver for the active window (X gave the key elsewhere under
    // PointerRoot): no change of the active window comes to send the key on.
    if (QApplication::activeWindow() == to) deliverHeldInputLater();
    return true;
}

// The keyboard given back has gone to no window, the pointer resting on one of the program's: to
// no window Qt takes as active where it was given to a window; where it was left to the pointer
// (which Qt takes no window as active for), X's focus is none or a window manager's own window.
bool InputGate::keyboardLeftToNoWindow() const {
    if (!PointerOnProgramWindow(nullptr)) return false;
    if (!keyboardBackToPointer_) return !QGuiApplication::focusWindow();
    return WhoHoldsTheKeyboard() == KeyboardHolder::NoWindow;
}

void InputGate::giveKeyboardBackAgain() {
    // Twice at most: once the window manager has handled the end, nothing takes it again.
    if (!keyboardBack_ || !keyboardBack_->isVisible() || ++keyboardBackTries_ > 2) return;
    if (keyboardBackToPointer_ && GiveKeyboardToPointer()) return;
    if (!GiveKeyboardNow(keyboardBack_->windowHandle())) keyboardBack_->activateWindow();
}
