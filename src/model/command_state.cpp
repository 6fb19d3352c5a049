#include "model/command_state.h"

#include "port/seam.h"

uint8_t gWorkingFloorVisibleOnly = 0;
uint8_t gSkipSelectionFilter = 0;
float gWidthHeightDepth[3] = {0, 0, 0};

static const port::GlobalReset kReset([] {
    gWorkingFloorVisibleOnly = 0;
    gSkipSelectionFilter = 0;
    gWidthHeightDepth[0] = gWidthHeightDepth[1] = gWidthHeightDepth[2] = 0;
});
