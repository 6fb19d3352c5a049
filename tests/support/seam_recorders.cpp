#include "support/seam_recorders.h"

#include "model/objects.h"
#include "render/core/live_view_seams.h"
#include "tools/site_rebuilds.h"

namespace dvxtest {

LiveViewRecorder::LiveViewRecorder() {
    SetInitializeAnimatedLVStatusHandler([this] { events.push_back("start"); });
    SetSetLVStatusStringHandler([this](const char* s) { events.push_back(std::string("status:") + (s ? s : "")); });
    SetResetAnimatedLVStatusHandler([this] { events.push_back("reset"); });
}

LiveViewRecorder::~LiveViewRecorder() {
    SetInitializeAnimatedLVStatusHandler(nullptr);
    SetSetLVStatusStringHandler(nullptr);
    SetResetAnimatedLVStatusHandler(nullptr);
}

LiveViewHostRecorder::LiveViewHostRecorder(GLSurface* surface, float width, float height)
    : surface_(surface), width_(width), height_(height) {
    SetLiveViewHost(this);
}

LiveViewHostRecorder::~LiveViewHostRecorder() {
    if (CurrentLiveViewHost() == this) SetLiveViewHost(nullptr);
}

FloatRect LiveViewHostRecorder::liveViewOGLViewBounds() {
    FloatRect r;
    r.floatBottom = height_, r.floatRight = width_;
    return r;
}

void LiveViewHostRecorder::flushBuffer() { events.push_back("flush"); }
void LiveViewHostRecorder::initializeLVLightProgressUsingLightCount(int32_t count) {
    events.push_back("progress:" + std::to_string(count));
}
void LiveViewHostRecorder::updateLVLightProgressWithLightCount(int32_t count) {
    events.push_back("progress-step:" + std::to_string(count));
}
void LiveViewHostRecorder::resetLVLightProgress() { events.push_back("progress-reset"); }
void LiveViewHostRecorder::flushBufferedKeyEvents() {
    events.push_back("drop-keys");
    interrupts.dropBufferedKeys();
}

}  // namespace dvxtest
