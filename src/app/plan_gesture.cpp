#include "app/plan_gesture.h"

#include <QGuiApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <vector>

#include "app/core/plan_mouse.h"
#include "app/core/preference_keys.h"
#include "app/document_view.h"
#include "port/defaults.h"
#include "tracking/track_events.h"
#include "tracking/tracker_loops.h"
#include "tracking/tracking_state.h"

namespace {

std::vector<const PlanGesture*> sGestures;

// + 0.5 truncated toward zero, as every view point of the road is made whole.
int32_t Whole(double coordinate) { return static_cast<int32_t>(coordinate + 0.5); }

Qt::KeyboardModifier ModifierOfKey(int key) {
    switch (key) {
    case Qt::Key_Shift: return Qt::ShiftModifier;
    case Qt::Key_Control: return Qt::ControlModifier;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return Qt::AltModifier;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return Qt::MetaModifier;
    default: return Qt::NoModifier;
    }
}

}  // namespace

uint32_t EventModifierFlags(Qt::KeyboardModifiers modifiers) {
    uint32_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= evmod::kShift;
    if (modifiers & Qt::ControlModifier) flags |= evmod::kCommand;
    if (modifiers & Qt::AltModifier) flags |= evmod::kOption;
    if (modifiers & Qt::MetaModifier) flags |= evmod::kControl;
    return flags;
}

uint16_t TrackKeyCode(int key) {
    switch (key) {
    case Qt::Key_Escape: return keycode::kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return keycode::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keycode::kReturn;
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return keycode::kDelete;
    default: return 0;
    }
}

uint32_t AutoClickModifierFlags() {
    return port::defaults().getString(QMDAutoClickModifierKey) == "Meta" ? evmod::kControl : evmod::kOption;
}

PlanGesture::PlanGesture(QMDDocumentView* view, PlanMouse* mouse) : view_(view), mouse_(mouse) {
    sGestures.push_back(this);
    view_->installEventFilter(this);
}

PlanGesture::~PlanGesture() {
    std::erase(sGestures, this);
    if (InputGate* gate = InputGate::existing()) gate->endLoop(this);
}

bool PlanGesture::anyBusy() {
    return std::any_of(sGestures.begin(), sGestures.end(), [](const PlanGesture* g) { return g->busy(); });
}

bool PlanGesture::busy() const { return mouse_->busy(); }

POINT PlanGesture::viewPoint(QPointF p) const {
    const PlatformPoint origin = view_->boundsOrigin();
    return {Whole(p.x() + origin.x), Whole(p.y() + origin.y)};
}

PlanMouseEvent PlanGesture::make(QPointF widgetPoint, QPointF global, Qt::KeyboardModifiers modifiers) const {
    PlanMouseEvent e;
    e.where = viewPoint(widgetPoint);
    e.screen = {Whole(global.x()), Whole(global.y())};
    e.modifiers = EventModifierFlags(modifiers);
    return e;
}

PlanMouseEvent PlanGesture::atPointer(Qt::KeyboardModifiers modifiers) const {
    const QPointF global = QCursor::pos();
    return make(view_->mapFromGlobal(global), global, modifiers);
}

bool PlanGesture::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: return press(static_cast<QMouseEvent*>(event), 1);
    case QEvent::MouseButtonDblClick: return press(static_cast<QMouseEvent*>(event), 2);
    case QEvent::MouseMove: return move(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: return release(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return keyEvent(static_cast<QKeyEvent*>(event));
    // A press whose release will not come here ends where it was, unless the keyboard went to
    // another of the program's windows (by a press or with the pointer), which gives it back,
    // or to no application's window (the pointer on the bare desktop), which the gate watches.
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
        if (!InputGate::shared().keepsLoopWindow(this)) cancel();
        return false;
    case QEvent::Hide:
    case QEvent::UngrabMouse: cancel(); return false;
    case QEvent::Leave:
        // Only the armed auto-click watches the pointer leave (its cursor goes back to the arrow).
        if (!busy() && mouse_->autoClick2DActive()) mouse_->mouseExited();
        return false;
    default: return false;
    }
}

bool PlanGesture::press(QMouseEvent* event, int32_t clickCount) {
    event->accept();
    const bool left = event->button() == Qt::LeftButton;
    if (busy() && button_ == Qt::NoButton) {
        // A click a tracker's loop waits for, left or right; no menu while it is open.
        if (!left && event->button() != Qt::RightButton) return true;
        PlanMouseEvent e = make(event->position(), event->globalPosition(), event->modifiers());
        e.clickCount = clickCount;
        e.right = !left;
        button_ = event->button();
        mouse_->mouseDown(e);
        if (!busy()) button_ = Qt::NoButton;
        followLoop();
        view_->update();
        return true;
    }
    if (busy()) {
        if (event->button() != button_) return true;  // one press at a time
        cancel();  // the held button pressed again: its release went astray
    }
    if (!left && event->button() != Qt::RightButton) return false;
    PlanMouseEvent e = make(event->position(), event->globalPosition(), event->modifiers());
    e.clickCount = clickCount;
    button_ = event->button();
    // A context menu runs inside the press; what it chose may close the window.
    QPointer<QMDDocumentView> alive(view_);
    // Control-click (Ctrl standing for Command, the Command key's click) is a right click.
    if (!left || (event->modifiers() & Qt::ControlModifier)) mouse_->rightMouseDown(e);
    else mouse_->mouseDown(e);
    if (!alive) return true;
    if (!busy()) button_ = Qt::NoButton;
    followLoop();
    if (!mouse_->takeOwnRepaint()) view_->update();
    else view_->updateLeftovers();
    return true;
}

bool PlanGesture::move(QMouseEvent* event) {
    if (!busy()) return false;
    event->accept();
    const PlanMouseEvent e = make(event->position(), event->globalPosition(), event->modifiers());
    if (button_ == Qt::NoButton) {
        mouse_->mouseMoved(e);  // between a loop's clicks
    } else if (!(event->buttons() & button_)) {
        cancel();  // its release went elsewhere
        return true;
    } else {
        mouse_->mouseDragged(e);
    }
    followLoop();
    view_->feedbackChanged();
    return true;
}

bool PlanGesture::release(QMouseEvent* event) {
    if (!busy()) return false;
    event->accept();
    if (event->button() != button_) return true;
    button_ = Qt::NoButton;
    mouse_->mouseUp(make(event->position(), event->globalPosition(), event->modifiers()));
    followLoop();
    if (!mouse_->takeOwnRepaint()) view_->update();
    else view_->updateLeftovers();
    return true;
}

bool PlanGesture::keyEvent(QKeyEvent* event) {
    const Qt::KeyboardModifier changed = ModifierOfKey(event->key());
    if (changed != Qt::NoModifier) {
        // The state after the key, whichever way the platform reports it.
        Qt::KeyboardModifiers now = event->modifiers();
        if (event->type() == QEvent::KeyPress) now |= changed;
        else now &= ~changed;
        mouse_->setAutoClickModifier(AutoClickModifierFlags());
        mouse_->flagsChanged(atPointer(now));
        view_->feedbackChanged();
    } else if (event->type() == QEvent::KeyPress && busy()) {
        PlanMouseEvent e = atPointer(event->modifiers());
        e.keyCode = TrackKeyCode(event->key());
        mouse_->keyDown(e);
        view_->feedbackChanged();
    }
    followLoop();
    return false;  // the view's own keys still see it, and wait for the gesture themselves
}

void PlanGesture::cancel() {
    if (!busy()) return;
    if (waiting() && mouse_->takesKeys() && !TrackerLoopEndsOnPress()) {
        // A point loop keeps what was clicked, as its Escape keeps it.
        PlanMouseEvent e = atPointer(QGuiApplication::keyboardModifiers());
        e.keyCode = keycode::kEscape;
        mouse_->keyDown(e);
    }
    button_ = Qt::NoButton;
    if (busy()) mouse_->cancel();
    followLoop();
    view_->update();
}

void PlanGesture::followLoop() {
    const bool follow = busy() && TrackerLoopWantsMoves();
    if (view_->hasMouseTracking() != follow) view_->setMouseTracking(follow);
    if (busy()) InputGate::shared().runLoop(this);
    else if (InputGate* gate = InputGate::existing()) gate->endLoop(this);
}

bool PlanGesture::waiting() const { return busy() && button_ == Qt::NoButton && TrackerLoopOpen(); }

bool PlanGesture::owns(const QObject* receiver) const {
    return receiver && receiver->isWidgetType() &&
           (receiver == view_ || view_->isAncestorOf(static_cast<const QWidget*>(receiver)));
}

bool PlanGesture::readsKeys() const { return mouse_->takesKeys(); }

void PlanGesture::pressOutside() {
    // A loop a press ends ends as a click at the pointer would end it; the others go on, and
    // the press adds nothing to them.
    if (waiting() && TrackerLoopEndsOnPress()) cancel();
}

QWidget* PlanGesture::loopWindow() const { return view_->window(); }
