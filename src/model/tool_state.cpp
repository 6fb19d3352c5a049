#include "model/tool_state.h"

#include "port/seam.h"

int16_t gCurTool = toolid::kSelect;
uint8_t gTrackingMouse = 0;
uint8_t gPointOrientation = 0;
int16_t gCurSnap = snapmode::kNone;
int16_t gTrackModifiers = 0;
uint8_t gRoundToggle = 0;

static const port::GlobalReset kReset([] {
    gCurTool = toolid::kSelect;
    gTrackingMouse = 0;
    gPointOrientation = 0;
    gCurSnap = snapmode::kNone;
    gTrackModifiers = 0;
    gRoundToggle = 0;
});
