#pragma once
// Escape during a long render. The live view hands the renderer a source of interrupts; the
// renderer polls it (without waiting) every so many plane objects. While a render runs the
// source holds back the user's other input, so nothing edits the design or starts a second
// render underneath the running one.
#include <cstdint>

class InterruptSource {
public:
    virtual ~InterruptSource() = default;
    // A render starts and ends (RenderInterruptScope calls these).
    virtual void beginRender() {}
    virtual void endRender() {}
    // Whether Escape was pressed since the last poll; never waits.
    virtual bool pollEscape() = 0;
    // Forgets key presses waiting to be handled (the live view's flushBufferedKeyEvents).
    virtual void dropBufferedKeys() {}
};

// Escape presses scripted by a test: each press is seen by the next poll.
class ScriptedInterruptSource final : public InterruptSource {
public:
    void pressEscape() { ++pending_; }
    void beginRender() override { ++begun_; }
    void endRender() override { ++ended_; }
    bool pollEscape() override {
        ++polls_;
        if (pending_ == 0) return false;
        --pending_;
        return true;
    }
    void dropBufferedKeys() override { pending_ = 0; }

    int polls() const { return polls_; }
    int begun() const { return begun_; }
    int ended() const { return ended_; }

private:
    int pending_ = 0, polls_ = 0, begun_ = 0, ended_ = 0;
};

// One render's hold on the live view's interrupt source (none without a live view host):
// begins it on construction and ends it however the render ends. While any scope lives the
// renderer is busy: paints and timers that would render again must wait.
class RenderInterruptScope {
public:
    RenderInterruptScope();
    ~RenderInterruptScope();
    RenderInterruptScope(const RenderInterruptScope&) = delete;
    RenderInterruptScope& operator=(const RenderInterruptScope&) = delete;

    static bool busy();

private:
    InterruptSource* source_;
};

// The poll of a long render: unless polling is off (`gDisableRenderInterrupt`,
// `gPrinting3DView`), asks the live view host's source; an Escape sets `gBreakOpenGLRender`
// and `g3DViewPrintInterrupted`. True when the render must stop.
bool PollRenderInterrupt();
