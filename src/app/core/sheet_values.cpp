#include "app/core/sheet_values.h"

#include "port/seam.h"

float gDLOGElevation = 0.0f;
uint8_t gDLOGTopoFloat = 0;
int16_t gTension = 8;
float sLength = 0.0f;
int16_t sDirection = 1;
uint8_t sKeyEntryLinked = 1;
static const port::GlobalReset kReset([] {
    gDLOGElevation = 0.0f;
    gDLOGTopoFloat = 0;
    gTension = 8;
    sLength = 0.0f;
    sDirection = 1;
    sKeyEntryLinked = 1;
});
