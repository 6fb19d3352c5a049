#pragma once
// The program's interrupt source: while a render runs, an application event filter records
// Escape and swallows every other key, mouse, wheel, close and shortcut event, so no handler
// runs underneath the renderer, and holds back deletions until the render ends; a poll lets Qt deliver what waits and answers whether Escape
// came. Timers and paints still run during a poll: whatever would render again checks
// RenderInterruptScope::busy() and waits.
#include <QObject>
#include <QPointer>

#include <vector>

#include "render/core/interrupt_source.h"

class QtInterruptSource final : public QObject, public InterruptSource {
public:
    ~QtInterruptSource() override;

    void beginRender() override;
    void endRender() override;
    // Outside a render: false, and nothing is delivered.
    bool pollEscape() override;
    void dropBufferedKeys() override { escape_ = false; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int depth_ = 0;
    bool escape_ = false;
    std::vector<QPointer<QObject>> heldDeletes_;
};
