#pragma once
// Feeds a plan view's Qt events to its mouse road (PlanMouse): presses, moves and releases in
// plan view coordinates, key and modifier changes at the pointer, and the ends a press may
// have besides its release (focus lost, the window hidden, the pointer grab taken). One filter
// on the view's widget takes every mouse event, so the hand tool, the zoom tool, the camera
// marker and the trackers share one press, move and release road.
#include <QObject>
#include <QPointF>

#include <cstdint>

#include "app/input_gate.h"
#include "port/winrecords.h"

class QMouseEvent;
class QWidget;
class QKeyEvent;
class QMDDocumentView;
class PlanMouse;
struct PlanMouseEvent;

// Qt's keyboard modifiers as an event's flags (Ctrl is Command, Alt Option, Meta Control).
uint32_t EventModifierFlags(Qt::KeyboardModifiers modifiers);
// The key code a tracker's loop reads for a Qt key (keycode::...); 0 for keys no tracker reads.
uint16_t TrackKeyCode(int key);
// The auto-click modifier the user chose ("AutoClickModifier": "Meta", else Alt) as flags.
uint32_t AutoClickModifierFlags();

class PlanGesture : public QObject, public GateLoop {
public:
    PlanGesture(QMDDocumentView* view, PlanMouse* mouse);
    ~PlanGesture() override;

    // A press of some plan view is being handled: the wheel, menus and shortcuts wait for it.
    static bool anyBusy();
    bool busy() const;
    // A widget point as a plan view point: each coordinate + 0.5, truncated.
    POINT viewPoint(QPointF widgetPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlanMouseEvent make(QPointF widgetPoint, QPointF global, Qt::KeyboardModifiers modifiers) const;
    // The event at the pointer's current place (keys and modifier changes).
    PlanMouseEvent atPointer(Qt::KeyboardModifiers modifiers) const;
    bool press(QMouseEvent* event, int32_t clickCount);
    bool move(QMouseEvent* event);
    bool release(QMouseEvent* event);
    // Ends the gesture where it was: a held drag at its last point, a loop waiting for its next
    // click as Escape would end it (an outline keeps the points clicked).
    void cancel();
    // What the view watches while a tracker's loop is open (moves without a button while it
    // follows the pointer), and the gate's knowledge of the running gesture.
    void followLoop();
    // A tracker's loop waits between presses.
    bool waiting() const;

    // The gate's view of the gesture: the plan view's events are its own.
    bool owns(const QObject* receiver) const override;
    bool readsKeys() const override;
    void pressOutside() override;
    void key(QKeyEvent* event) override { keyEvent(event); }
    bool follow(QObject*, QEvent*) override { return false; }
    QWidget* loopWindow() const override;
    void keyboardTaken() override { cancel(); }
    bool keyEvent(QKeyEvent* event);

    QMDDocumentView* view_;
    PlanMouse* mouse_;
    // The button of the press being handled; none between the presses a tracker's loop takes.
    Qt::MouseButton button_ = Qt::NoButton;
};
