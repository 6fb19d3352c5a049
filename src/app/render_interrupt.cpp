#include "app/render_interrupt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

QtInterruptSource::~QtInterruptSource() {
    if (depth_ > 0 && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

void QtInterruptSource::beginRender() {
    if (depth_++ == 0) {
        escape_ = false;
        if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
    }
}

void QtInterruptSource::endRender() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    for (const QPointer<QObject>& held : heldDeletes_)
        if (held) held->deleteLater();
    heldDeletes_.clear();
}

bool QtInterruptSource::pollEscape() {
    if (depth_ == 0) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const bool seen = escape_;
    escape_ = false;
    return seen;
}

bool QtInterruptSource::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    // A render started from a handler (a dialog's accepted signal) must not have that dialog
    // deleted under it by a poll: deletions wait for the render's end.
    case QEvent::DeferredDelete:
        if (watched) heldDeletes_.push_back(watched);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) escape_ = true;
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
