#include "app/screen_frames.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

QSize ClientSize(const QWidget* w, const QSize& frame) {
    const QMargins m = WindowDecoration(w);
    return QSize(frame.width() - m.left() - m.right(), frame.height() - m.top() - m.bottom())
        .expandedTo(w->minimumSize())
        .boundedTo(w->maximumSize());
}

// Sets the frame until the window shows with it: on each move, resize and expose until then.
// A window manager that will not take it is asked a few times only.
class FrameKeeper : public QObject {
public:
    FrameKeeper(QWidget* window, std::function<QRect()> place, bool resize)
        : QObject(window), window_(window), place_(std::move(place)), resize_(resize) {
        // The last frame asked for wins.
        for (QObject* child : window->children())
            if (auto* older = dynamic_cast<FrameKeeper*>(child); older && older != this) older->retire();
        window->installEventFilter(this);
        watchHandle();
        settle();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            watchHandle();
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
            // After the events queued with this one: a framing comes as several.
            if (!pending_) pending_ = true, QTimer::singleShot(0, this, [this] { pending_ = false, settle(); });
            break;
        case QEvent::Expose:
            // Framed by now: settled at once, before anything else may set the frame.
            if (watched == handle_ && handle_->isExposed()) exposed_ = true, takeDecoration(), settle();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void watchHandle() {
        if (handle_ || !window_->windowHandle()) return;
        handle_ = window_->windowHandle();
        handle_->installEventFilter(this);
    }

    // A window framed where it stood gets no move, and its widget goes on without the
    // decoration its window now knows: a move where it stands hands that on.
    void takeDecoration() {
        if (handle_->frameMargins() == WindowDecoration(window_)) return;
        QMoveEvent here(handle_->position(), handle_->position());
        QCoreApplication::sendEvent(handle_, &here);
    }

    void retire() {
        retired_ = true;
        window_->removeEventFilter(this);
        if (handle_) handle_->removeEventFilter(this);
        deleteLater();
    }

    void settle() {
        if (retired_) return;
        const QRect target = place_();
        const bool moved = window_->frameGeometry().topLeft() != target.topLeft();
        const bool sized = resize_ && window_->size() != ClientSize(window_, target.size());
        if (moved || sized) {
            if (++tries_ > kTries) return retire();
            if (sized) window_->resize(ClientSize(window_, target.size()));
            if (moved) window_->move(target.topLeft());
        } else if (exposed_ || (handle_ && handle_->isExposed())) {
            retire();
        }
    }

    static constexpr int kTries = 6;
    QWidget* window_;
    QWindow* handle_ = nullptr;
    std::function<QRect()> place_;
    bool resize_;
    bool pending_ = false, exposed_ = false, retired_ = false;
    int tries_ = 0;
};

}  // namespace

QMargins WindowDecoration(const QWidget* w) {
    const QRect f = w->frameGeometry(), g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

QRect FrameWithin(const QRect& frame, const QRect& visible, const QSize& minimum) {
    QRect f = frame;
    if (f.width() > visible.width()) f.setWidth(std::max(visible.width(), minimum.width()));
    if (f.height() > visible.height()) f.setHeight(std::max(visible.height(), minimum.height()));
    // A frame still larger than the area keeps its top left corner (its title bar) in it.
    f.moveLeft(std::max(std::min(f.left(), visible.right() + 1 - f.width()), visible.left()));
    f.moveTop(std::max(std::min(f.top(), visible.bottom() + 1 - f.height()), visible.top()));
    return f;
}

QRect VisibleAreaUnder(const QRect& frame) {
    QScreen* best = nullptr;
    long most = 0;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect common = s->geometry().intersected(frame);
        const long area = long(common.width()) * common.height();
        if (area > most) most = area, best = s;
    }
    if (!best) best = QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : frame;
}

void PlaceWindowFrame(QWidget* window, std::function<QRect()> place, bool resize) {
    new FrameKeeper(window, std::move(place), resize);
}

void RestoreWindowFrame(QWidget* window, const QRect& saved, bool resize) {
    PlaceWindowFrame(
        window,
        [window, saved, resize] {
            const QMargins m = WindowDecoration(window);
            QRect frame = saved;
            if (!resize) {
                // Its own size, decoration included once framed; until it is first shown, the
                // size it will show with.
                QSize size = window->frameGeometry().size();
                if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized) && window->sizeHint().isValid())
                    size = window->sizeHint().grownBy(m);
                frame.setSize(size);
            }
            const QSize least = resize ? window->minimumSize().grownBy(m) : frame.size();
            return FrameWithin(frame, VisibleAreaUnder(frame), least);
        },
        resize);
}
