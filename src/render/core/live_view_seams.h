#pragma once
// What model and file code ask of the live view window: its animated progress status and
// alert sheets on its window. With nothing registered the status calls do nothing and alerts
// go to the platform's alerts (a sheet on the main document window).
#include <functional>
#include <string>

#include "port/alerts.h"

// initializeAnimatedLVStatus: starts the animated progress status.
void InitializeAnimatedLVStatus();
// setLVStatusString: shows 8-bit Mac OS Roman text; the empty string clears it.
void SetLVStatusString(const char* status);
// resetAnimatedLVStatus: stops the animation.
void ResetAnimatedLVStatus();
// Opens an alert sheet on the live view's window; `onEnd` gets the chosen button's index.
void BeginLiveViewAlertSheet(const port::Alert& alert, std::function<void(int)> onEnd = {});

struct LiveViewHooks {
    std::function<void()> initializeAnimatedStatus;
    std::function<void(const std::string&)> setStatusString;
    std::function<void()> resetAnimatedStatus;
    std::function<void(const port::Alert&, std::function<void(int)>)> beginAlertSheet;
};
// Empty members keep their defaults.
void SetLiveViewHooks(LiveViewHooks hooks);
void ResetLiveViewSeams();
