#include "model/trim_placement.h"

#include "port/seam.h"

uint8_t gApplyTrimAsBase = 1;

static const port::GlobalReset kReset([] { gApplyTrimAsBase = 1; });
