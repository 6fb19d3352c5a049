#include "tracking/tracking_state.h"

int16_t gCurTool = toolid::kSelect;
uint8_t gTrackingMouse = 0;
uint8_t gPointOrientation = 0;
int16_t gCurSnap = snapmode::kNone;

void ResetTrackingState() {
    gCurTool = toolid::kSelect;
    gTrackingMouse = 0;
    gPointOrientation = 0;
    gCurSnap = snapmode::kNone;
}
