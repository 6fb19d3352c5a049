#pragma once
// The program's interrupt source: while a render runs, the input gate lets only Escape act
// (recorded here), holds keys, deletions, a plug-in tool's answer, the walk's steps and a
// field's end of editing for the render's end and drops the rest, so no handler runs
// underneath the renderer; a poll lets Qt deliver what waits and answers whether Escape came.
// Paints still come during a poll: the live view's checks RenderInterruptScope::busy() and
// waits.
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
