#pragma once
// The door, window and accessory tools: a press on a wall segment, a drag along it, the
// release; a swinging door then takes a second click for its swing. Each whole gesture runs
// inside the press (the trackers clear gMouseCaptured) and refusals are alert sheets.
#include <cstdint>
#include <functional>

#include "model/types.h"

struct ClickInfo;
struct Objex;

// Trackers of tools 7056 and 7066 (doors), 7057 (windows) and 7064 (accessories).
void TrackDoor(int32_t x, int32_t y, float worldX, int16_t stage);
void TrackWindow(int32_t x, int32_t y, float worldX, int16_t stage);
void TrackAccessory(int32_t x, int32_t y, float worldX, int16_t stage);

// The work of each tracker with a copy of the click, at stage 1 only. `size` is the width
// along the wall and the height, plan units.
void SupportTrackDoor(int32_t x, int32_t y, float worldX, int16_t stage, const ClickInfo* click,
                      int16_t modifiers, FloatPoint size);
void SupportTrackWindow(int32_t x, int32_t y, float worldX, int16_t stage, const ClickInfo* click,
                        int16_t modifiers, FloatPoint size);
void SupportTrackAccessory(int32_t x, int32_t y, float worldX, int16_t stage,
                           const ClickInfo* click, int16_t modifiers, FloatPoint size,
                           int16_t subtype, float wallOffset);

// The swing of a placed door: the hinge is the end nearer the pointer, a press ends it, and the
// swing of at most 180 degrees is kept unless it is within 2 degrees of closed. `then` runs
// after it, whichever way it ended.
void TrackDoorSwing(Objex* door, std::function<void()> then = {});

// The move tool on a placed door or window (gClickInfo's object): an end drags that end, the
// segment moves it whole, any other click only selects it.
void TranslateWallAttachment();
