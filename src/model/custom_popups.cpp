#include "model/custom_popups.h"

#include "port/seam.h"

int16_t gCustomWindowPopEntryHilite = -1;
int16_t gCustomDoorPopEntryHilite = -1;

static const port::GlobalReset kReset([] {
    gCustomWindowPopEntryHilite = -1;
    gCustomDoorPopEntryHilite = -1;
});
