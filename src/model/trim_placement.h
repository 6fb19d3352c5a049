#pragma once
// Where a custom trim chosen in the content palette goes: the palette sets it, the trim
// builders and material drops read it.
#include <cstdint>

// Set (the start-up value): a custom trim goes to a wall's base slot and its profile is taken
// as drawn; clear: to the crown slot, mirrored first. The palette sets it whenever it shows a
// trim category (set for library types 12 and 13, clear for the other trim types).
extern uint8_t gApplyTrimAsBase;
