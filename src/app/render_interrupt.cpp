#include "app/render_interrupt.h"

#include <QCoreApplication>

#include "app/input_gate.h"

QtInterruptSource::~QtInterruptSource() {
    if (InputGate* gate = depth_ > 0 ? InputGate::existing() : nullptr) gate->endRender();
}

void QtInterruptSource::beginRender() {
    if (depth_++ == 0) {
        escape_ = false;
        if (QCoreApplication::instance()) InputGate::shared().beginRender([this] { escape_ = true; });
    }
}

void QtInterruptSource::endRender() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    if (InputGate* gate = InputGate::existing()) gate->endRender();
}

bool QtInterruptSource::pollEscape() {
    if (depth_ == 0) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const bool seen = escape_;
    escape_ = false;
    return seen;
}

void QtInterruptSource::dropBufferedKeys() {
    escape_ = false;
    if (InputGate* gate = InputGate::existing()) gate->dropHeldInput();
}
