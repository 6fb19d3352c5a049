#include "app/live_view_navigation.h"

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"

namespace {

constexpr int kTickMilliseconds = 10;

POINT ViewPoint(QPointF p) { return {static_cast<int32_t>(std::floor(p.x())), static_cast<int32_t>(std::floor(p.y()))}; }

bool Arrow(int key, NavigationArrow* arrow) {
    switch (key) {
        case Qt::Key_Left: *arrow = NavigationArrow::Left; return true;
        case Qt::Key_Right: *arrow = NavigationArrow::Right; return true;
        case Qt::Key_Up: *arrow = NavigationArrow::Up; return true;
        case Qt::Key_Down: *arrow = NavigationArrow::Down; return true;
        default: return false;
    }
}

}  // namespace

// The cut-away slider's drag: its press, moves and release are the slider's own; a key waits
// for the release; a press elsewhere adds nothing.
class LiveViewNavigationDriver::CutawayDrag : public GateLoop {
public:
    QPointer<QAbstractSlider> slider;
    bool owns(const QObject* receiver) const override { return receiver && receiver == slider; }
    bool readsKeys() const override { return false; }
    void pressOutside() override {}
    void key(QKeyEvent*) override {}
    bool follow(QObject*, QEvent*) override { return false; }
    QWidget* loopWindow() const override { return slider ? slider->window() : nullptr; }
    void keyboardTaken() override {}
};

LiveViewNavigationDriver::LiveViewNavigationDriver(QObject* parent)
    : QObject(parent), cutawayDrag_(std::make_unique<CutawayDrag>()) {
    timer_.setInterval(kTickMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    // A step is a frame of its own: none is drawn inside a render.
    InputGate::markDesignTimer(&timer_);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

LiveViewNavigationDriver::~LiveViewNavigationDriver() {
    finish();
    if (InputGate* gate = InputGate::existing()) gate->endLoop(cutawayDrag_.get());
}

bool LiveViewNavigationDriver::press(QWidget* view, const QMouseEvent& event, Base2DViewHost* plan) {
    if (!view || active()) return false;
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool right = event.button() == Qt::RightButton ||
                       (event.button() == Qt::LeftButton && (mods & Qt::MetaModifier));
    if (!right && event.button() != Qt::LeftButton) return false;
    if (right) LiveViewRightPress(CurrentDocState());
    if (!loop_.begin(plan, ViewPoint(event.position()), right, mods & Qt::ControlModifier, view->width()))
        return false;
    view_ = view, button_ = event.button();
    InputGate::shared().runLoop(this);
    timer_.start();
    return true;
}

void LiveViewNavigationDriver::finish() {
    if (!active()) return;
    timer_.stop();
    view_ = nullptr, button_ = Qt::NoButton;
    loop_.end();
    if (InputGate* gate = InputGate::existing()) gate->endLoop(this);
}

void LiveViewNavigationDriver::tick() {
    if (!view_) return finish();
    loop_.tick();
}

bool LiveViewNavigationDriver::follow(QObject*, QEvent* event) {
    if (!active()) return false;
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (view_) loop_.mouse(ViewPoint(view_->mapFromGlobal(mouse->globalPosition())));
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == button_) finish();
            return true;
        case QEvent::ApplicationDeactivate:
            // The program's windows lost the keyboard: the drag ends where another application
            // has it, as the plan's loops do, and goes on where it was left to no window.
            if (!InputGate::shared().keepsLoopWindow(this)) finish();
            return false;
        default: return false;
    }
}

void LiveViewNavigationDriver::key(QKeyEvent* key) {
    NavigationArrow arrow;
    // Repeats say nothing the held flag does not; dropping them keeps a slow frame from
    // piling them up.
    if (active() && !key->isAutoRepeat() && Arrow(key->key(), &arrow))
        loop_.key(arrow, key->type() == QEvent::KeyPress);
}

QWidget* LiveViewNavigationDriver::loopWindow() const { return view_ ? view_->window() : nullptr; }

void LiveViewNavigationDriver::attachCutawaySlider(QAbstractSlider* slider) {
    if (!slider) return;
    cutawayDrag_->slider = slider;
    connect(slider, &QAbstractSlider::sliderPressed, this, [this] {
        cutaway_.begin();
        InputGate::shared().runLoop(cutawayDrag_.get());
    });
    connect(slider, &QAbstractSlider::valueChanged, this, [this](int value) {
        DocState* ds = CurrentDocState();
        if (!ds) return;
        ds->cutAwayPosition = value;
        cutaway_.change();
    });
    connect(slider, &QAbstractSlider::sliderReleased, this, [this] {
        cutaway_.end();
        if (InputGate* gate = InputGate::existing()) gate->endLoop(cutawayDrag_.get());
    });
}
