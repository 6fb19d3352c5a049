#pragma once
// Feeds a plan view's Qt events to its mouse road (PlanMouse): presses, moves and releases in
// plan view coordinates, key and modifier changes at the pointer, and the ends a press may
// have besides its release (focus lost, the window hidden, the pointer grab taken). One filter
// on the view's widget takes every mouse event, so the hand tool, the zoom tool, the camera
// marker and the trackers share one press, move and release road.
#include <QObject>
#include <QPointF>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

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

class PlanGesture : public QObject {
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
    bool key(QKeyEvent* event);
    void cancel();
    // What the view watches while a tracker's loop is open: moves without a button while it
    // follows the pointer, and the application's presses while it waits for a click. Held
    // Tabs go on to what reads them.
    void followLoop();
    // A tracker's loop waits between presses.
    bool waiting() const;
    // Tabs held while the gesture took no key step the snap mode, once a press, in the loop
    // that reads them next or, the gesture over, in the view.
    void passHeldTabs();
    // The window's controls that act on a press without taking the keyboard from the plan.
    bool pressActsWithoutFocus(const QWidget* widget) const;
    // A press on such a control while a loop waits: the loop's, as no other event reaches the
    // application meanwhile; it ends a loop that a press ends. True when taken (its release too).
    bool outsidePress(QObject* watched, QEvent* event);

    class OutsidePresses;
    QMDDocumentView* view_;
    PlanMouse* mouse_;
    std::unique_ptr<OutsidePresses> outsidePresses_;
    bool watchingPresses_ = false;
    // The control whose press a loop took, until its release.
    QPointer<QWidget> taken_;
    // Tab presses (true: with Shift) waiting for what reads them.
    std::vector<bool> heldTabs_;
    // The button of the press being handled; none between the presses a tracker's loop takes.
    Qt::MouseButton button_ = Qt::NoButton;
};
