#include "app/render_interrupt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

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
    if (--depth_ == 0 && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool QtInterruptSource::pollEscape() {
    if (depth_ == 0) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const bool seen = escape_;
    escape_ = false;
    return seen;
}

bool QtInterruptSource::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
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
