#pragma once
// Recorders for the seams of later subsystems: each installs handlers that log every call
// and puts the harmless defaults back when it goes away.
#include <string>
#include <vector>

#include "render/core/interrupt_source.h"
#include "render/core/live_view_host.h"

struct Objex;

namespace dvxtest {

// The live view's status calls, each as one line ("start", "status:<text>", "reset").
class LiveViewRecorder {
public:
    LiveViewRecorder();
    ~LiveViewRecorder();
    LiveViewRecorder(const LiveViewRecorder&) = delete;
    LiveViewRecorder& operator=(const LiveViewRecorder&) = delete;

    std::vector<std::string> events;
};

// The live view's host as well: registered while it lives, answering with a chosen surface
// and size and a scripted interrupt source, and logging "flush", "progress:<count>",
// "progress-step:<count>", "progress-reset" and "drop-keys" beside the status calls.
class LiveViewHostRecorder : public LiveViewRecorder, public LiveViewHost {
public:
    LiveViewHostRecorder(GLSurface* surface = nullptr, float width = 64, float height = 48);
    ~LiveViewHostRecorder() override;

    GLSurface* surface() override { return surface_; }
    FloatRect liveViewOGLViewBounds() override;
    void flushBuffer() override;
    void initializeLVLightProgressUsingLightCount(int32_t count) override;
    void updateLVLightProgressWithLightCount(int32_t count) override;
    void resetLVLightProgress() override;
    void flushBufferedKeyEvents() override;
    InterruptSource* interruptSource() override { return &interrupts; }

    ScriptedInterruptSource interrupts;

private:
    GLSurface* surface_;
    float width_, height_;
};

}  // namespace dvxtest
