#include "model/command_globals.h"

#include "model/deletion.h"
#include "port/seam.h"

uint8_t gCommandHappened = 0;
uint8_t gSymbarObjectDrop = 0;
float gBaseElevation = 0.0f;
uint8_t gTopoFloatNA = 0;
Objex* gContextFoundObj = nullptr;
Objex* gContextParentObj = nullptr;
static const port::GlobalReset kReset([] {
    gCommandHappened = 0;
    gSymbarObjectDrop = 0;
    gBaseElevation = 0.0f;
    gTopoFloatNA = 0;
    gContextFoundObj = nullptr;
    gContextParentObj = nullptr;
});
static const ObjectForgetter kForget([](const Objex* o) {
    if (gContextFoundObj == o) gContextFoundObj = nullptr;
    if (gContextParentObj == o) gContextParentObj = nullptr;
});
