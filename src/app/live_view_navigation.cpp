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

LiveViewNavigationDriver::LiveViewNavigationDriver(QObject* parent) : QObject(parent) {
    timer_.setInterval(kTickMilliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

LiveViewNavigationDriver::~LiveViewNavigationDriver() { finish(); }

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
    QCoreApplication::instance()->installEventFilter(this);
    timer_.start();
    return true;
}

void LiveViewNavigationDriver::finish() {
    if (!active()) return;
    timer_.stop();
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
    view_ = nullptr, button_ = Qt::NoButton;
    loop_.end();
}

void LiveViewNavigationDriver::tick() {
    if (!view_) return finish();
    loop_.tick();
}

bool LiveViewNavigationDriver::eventFilter(QObject* watched, QEvent* event) {
    if (!active()) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (view_) loop_.mouse(ViewPoint(view_->mapFromGlobal(mouse->globalPosition())));
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == button_) finish();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            NavigationArrow arrow;
            // Repeats say nothing the held flag does not; dropping them keeps a slow frame
            // from piling them up.
            if (!key->isAutoRepeat() && Arrow(key->key(), &arrow))
                loop_.key(arrow, event->type() == QEvent::KeyPress);
            return true;
        }
        case QEvent::ApplicationDeactivate:
            finish();
            return false;
        default:
            return QObject::eventFilter(watched, event);
    }
}

void LiveViewNavigationDriver::attachCutawaySlider(QAbstractSlider* slider) {
    if (!slider) return;
    connect(slider, &QAbstractSlider::sliderPressed, this, [this] { cutaway_.begin(); });
    connect(slider, &QAbstractSlider::valueChanged, this, [this](int value) {
        DocState* ds = CurrentDocState();
        if (!ds) return;
        ds->cutAwayPosition = value;
        cutaway_.change();
    });
    connect(slider, &QAbstractSlider::sliderReleased, this, [this] { cutaway_.end(); });
}
