#pragma once
// The program's interrupt source: while a render runs, the input gate lets only Escape act
// (recorded here), holds keys and deletions for the render's end and drops the rest, so no
// handler runs underneath the renderer; a poll lets Qt deliver what waits and answers
// whether Escape came. Timers and paints still run during a poll: whatever would render again
// checks RenderInterruptScope::busy() and waits.
#include "render/core/interrupt_source.h"

class QtInterruptSource final : public InterruptSource {
public:
    ~QtInterruptSource() override;

    void beginRender() override;
    void endRender() override;
    // Outside a render: false, and nothing is delivered.
    bool pollEscape() override;
    // Forgets Escape and the keys the gate holds for the render's end.
    void dropBufferedKeys() override;

private:
    int depth_ = 0;
    bool escape_ = false;
};
