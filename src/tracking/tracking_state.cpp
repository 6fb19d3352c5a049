#include "tracking/tracking_state.h"

#include "model/deletion.h"
#include "model/objects.h"
#include "port/seam.h"

int16_t gCurTool = toolid::kSelect;
uint8_t gTrackingMouse = 0;
uint8_t gPointOrientation = 0;
int16_t gCurSnap = snapmode::kNone;
uint8_t gSnapLocked = 0;
uint8_t gMouseCaptured = 0;
ClickInfo gClickInfo;
FloatRect gDataRect;
Float3DRect gData3DRect;
uint8_t gSkipConstraints = 0;
int16_t gTrackModifiers = 0;
int16_t gPrevTrackModifiers = 0;
uint8_t gTrackingObject = 0;
uint8_t gResetToWallTool = 0;
int16_t gResetWallTool = 0;
uint8_t gFilletChamferUndo = 0;
uint32_t gEventModifiers = 0;
static const port::GlobalReset kReset([] {
    gCurTool = toolid::kSelect;
    gTrackingMouse = 0;
    gPointOrientation = 0;
    gCurSnap = snapmode::kNone;
    gSnapLocked = 0;
    gMouseCaptured = 0;
    gClickInfo = ClickInfo{};
    gDataRect = FloatRect{};
    gData3DRect = Float3DRect{};
    gSkipConstraints = 0;
    gTrackModifiers = 0;
    gPrevTrackModifiers = 0;
    gTrackingObject = 0;
    gResetToWallTool = 0;
    gResetWallTool = 0;
    gFilletChamferUndo = 0;
    gEventModifiers = 0;
});
// The click keeps its hit fields otherwise: the object and both points are dropped together.
static const ObjectForgetter kForget([](const Objex* o) {
    bool pointed = gClickInfo.ciObject == o;
    for (const Poinz* p = o->firstPoint; p && !pointed; p = p->next)
        pointed = p == gClickInfo.ciPoint || p == gClickInfo.ciPoint2;
    if (pointed) gClickInfo.ciObject = nullptr, gClickInfo.ciPoint = gClickInfo.ciPoint2 = nullptr;
});
