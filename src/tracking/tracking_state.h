#pragma once
// The tool and gesture state the tracking engine and the palettes keep, which the model's
// selection rules read.
#include <cstdint>

// Current tool ID; -1 (65535 as unsigned) while no tool is current.
extern int16_t gCurTool;
// 1 from the first drag of a gesture until its tracking loop ends.
extern uint8_t gTrackingMouse;
// Point-orientation mode: tools edit single points rather than whole objects.
extern uint8_t gPointOrientation;
// Current snap mode, written by the snap palette (500 none ... 508 on segment, 510 origin).
extern int16_t gCurSnap;
// The snap mode stays for more than one gesture (double-click on the snap palette).
extern uint8_t gSnapLocked;

// Tool IDs the selection rules test.
namespace toolid {
inline constexpr int16_t kNone = -1;
inline constexpr int16_t kSelect = 200;
inline constexpr int16_t kKeyEntry = 201;
inline constexpr int16_t kPointEdit = 216;
inline constexpr int16_t kSkylight = 7310;
inline constexpr int16_t kRemovePoint = 7901;
inline constexpr int16_t kFillet = 7910;
inline constexpr int16_t kChamfer = 7911;
inline constexpr int16_t kFilletChamfer = 7912;
}  // namespace toolid

// Snap modes the model tests.
namespace snapmode {
inline constexpr int16_t kNone = 500;
inline constexpr int16_t kEndPoint = 501;
inline constexpr int16_t kObjectCentre = 503;
inline constexpr int16_t kObjectCorner = 504;
inline constexpr int16_t kSegmentOffset = 507;
inline constexpr int16_t kOnSegment = 508;
inline constexpr int16_t kOrigin = 510;
}  // namespace snapmode
