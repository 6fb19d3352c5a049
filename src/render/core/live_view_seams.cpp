#include "render/core/live_view_seams.h"

#include <utility>

namespace {
LiveViewHooks& Hooks() {
    static LiveViewHooks hooks;
    return hooks;
}
}  // namespace

void InitializeAnimatedLVStatus() {
    if (Hooks().initializeAnimatedStatus) Hooks().initializeAnimatedStatus();
}

void SetLVStatusString(const char* status) {
    if (Hooks().setStatusString) Hooks().setStatusString(status ? status : "");
}

void ResetAnimatedLVStatus() {
    if (Hooks().resetAnimatedStatus) Hooks().resetAnimatedStatus();
}

void BeginLiveViewAlertSheet(const port::Alert& alert, std::function<void(int)> onEnd) {
    if (Hooks().beginAlertSheet) {
        Hooks().beginAlertSheet(alert, std::move(onEnd));
        return;
    }
    port::alerts().beginSheet(alert, onEnd ? std::move(onEnd) : [](int) {});
}

void SetLiveViewHooks(LiveViewHooks hooks) { Hooks() = std::move(hooks); }

void ResetLiveViewSeams() { Hooks() = LiveViewHooks{}; }
