#pragma once
// The inspector's custom window and door pop-ups, as far as the model touches them.
#include <cstdint>

// Highlighted entries of the custom window and door pop-ups; -1 for none.
extern int16_t gCustomWindowPopEntryHilite;
extern int16_t gCustomDoorPopEntryHilite;
