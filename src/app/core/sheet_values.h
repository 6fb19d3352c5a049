#pragma once
// Values the command layer hands to its sheets and that last from one opening to the next.
#include <cstdint>

// The object elevation sheet: the elevation it starts from (inches) and whether the objects
// float above the terrain.
extern float gDLOGElevation;
extern uint8_t gDLOGTopoFloat;
// The curve tension sheet: the tension last smoothed with (0 to 10), shown at its next opening.
extern int16_t gTension;
// The key-entry sheet: the last length (plan units) and location tag (1 to 3).
extern float sLength;
extern int16_t sDirection;
// Whether the neighbouring points moved along last time; on when the program starts.
extern uint8_t sKeyEntryLinked;
