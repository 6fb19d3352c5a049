#pragma once
// Runs the live view's walk and fly loops from Qt events without a loop of its own: a press in
// the live view starts one, a 10 ms timer steps it, pointer moves only replace the position
// the next step reads, the arrow keys set and clear held flags (their auto-repeats are
// dropped), and the button's release ends it at once. A repeating timer that falls due during
// a slow frame fires once when the frame is over: missed ticks merge, none queue.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

#include "app/input_gate.h"
#include "render/core/navigation_loops.h"

class QAbstractSlider;
class QMouseEvent;
class QWidget;
class Base2DViewHost;

class LiveViewNavigationDriver : public QObject, public GateLoop {
public:
    explicit LiveViewNavigationDriver(QObject* parent = nullptr);
    ~LiveViewNavigationDriver() override;

    // A press in the live view's widget `view`; `plan` (may be null) shows the camera marker.
    // A right press, or a left one with Meta (the platform's Control), turns the elevation
    // direction over and navigates in the elevation mode; Ctrl (Command) hides the marker.
    // False when nothing can be navigated.
    bool press(QWidget* view, const QMouseEvent& event, Base2DViewHost* plan);
    bool active() const { return loop_.active(); }
    // Ends a running loop as its release would.
    void finish();

    // The slider's presses, changes and releases run the cut-away's real-time drag; each
    // change first becomes the document's cut-away position.
    void attachCutawaySlider(QAbstractSlider* slider);

private:
    // The gate's view of the walk and fly drag: it follows the pointer and its button's release
    // wherever they land and reads the arrows; it ends at that release, or where another
    // application has the keyboard (the gate's answer, as for the plan's loops).
    bool owns(const QObject*) const override { return false; }
    bool readsKeys() const override { return true; }
    void pressOutside() override {}
    void key(QKeyEvent* event) override;
    bool follow(QObject* receiver, QEvent* event) override;
    QWidget* loopWindow() const override;
    void keyboardTaken() override { finish(); }
    void tick();

    QTimer timer_;
    QPointer<QWidget> view_;
    Qt::MouseButton button_ = Qt::NoButton;
    RealTimeRotateAnimOpenGL loop_;
    RealTimeCutawayOpenGL cutaway_;
    // The cut-away slider's drag, a loop that takes no key.
    class CutawayDrag;
    std::unique_ptr<CutawayDrag> cutawayDrag_;
};
