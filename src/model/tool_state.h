#pragma once
// The tool and gesture state that the model's selection and hit-testing rules, the plan's
// readouts and the 3D drops read; the palettes and the tracking engine
// (tracking/tracking_state.h) write it.
#include <cstdint>

// Current tool ID; -1 (65535 as unsigned) while no tool is current.
extern int16_t gCurTool;
// 1 from the first drag of a gesture until its tracking loop ends.
extern uint8_t gTrackingMouse;
// Point-orientation mode: tools edit single points rather than whole objects.
extern uint8_t gPointOrientation;
// Current snap mode, written by the snap palette (500 none ... 508 on segment, 510 origin).
extern int16_t gCurSnap;
// Modifiers as the engine sees them (4 Shift, 8 Command).
extern int16_t gTrackModifiers;
// The next dimension lines drawn show their readout rounded: to the nearest whole inch in an
// imperial document, the nearest whole centimetre in a metric one. The engine lowers it
// before and after every tracker call, so it holds for the dimensions of the call that raised
// it; the polyline tracker's loop raises it before each of its own and lowers it after.
extern uint8_t gRoundToggle;

// Tool IDs the selection rules test.
namespace toolid {
inline constexpr int16_t kNone = -1;
inline constexpr int16_t kSelect = 200;
inline constexpr int16_t kKeyEntry = 201;
inline constexpr int16_t kRotate = 202;
inline constexpr int16_t kLeader = 213;
inline constexpr int16_t kZoom = 203;
inline constexpr int16_t kPan = 204;
inline constexpr int16_t kCamera = 205;
inline constexpr int16_t kTextEntry = 206;
inline constexpr int16_t kText = 207;
inline constexpr int16_t kResize = 215;
inline constexpr int16_t kExteriorWall = 7050;
inline constexpr int16_t kCurvedWall = 7054;
inline constexpr int16_t kWallBreak = 7055;
inline constexpr int16_t kDoor = 7056;
inline constexpr int16_t kWindow = 7057;
inline constexpr int16_t kAccessory = 7064;
inline constexpr int16_t kWallDimension = 208;
inline constexpr int16_t kFixtureLights = 7109;
inline constexpr int16_t kRectangle = 7700;
inline constexpr int16_t kOval = 7701;
inline constexpr int16_t kLine = 7702;
inline constexpr int16_t kArc = 7704;
inline constexpr int16_t kCircularArc = 7705;
inline constexpr int16_t kMultigon = 7706;
inline constexpr int16_t kPolygon = 7703;
inline constexpr int16_t kCurve = 7707;
inline constexpr int16_t kFill = 7503;
inline constexpr int16_t kFourPointRoof = 7307;
inline constexpr int16_t kThreePointRoof = 7308;
inline constexpr int16_t kInsertPoint = 7900;
inline constexpr int16_t kPointEdit = 216;
inline constexpr int16_t kSkylight = 7310;
inline constexpr int16_t kRemovePoint = 7901;
inline constexpr int16_t kFillet = 7910;
inline constexpr int16_t kChamfer = 7911;
inline constexpr int16_t kFilletChamfer = 7912;
}  // namespace toolid

// Snap modes.
namespace snapmode {
inline constexpr int16_t kNone = 500;
inline constexpr int16_t kEndPoint = 501;
inline constexpr int16_t kObjectCentre = 503;
inline constexpr int16_t kSegmentCentre = 502;
inline constexpr int16_t kObjectCorner = 504;
inline constexpr int16_t kIntersection = 505;
inline constexpr int16_t kPerpendicular = 506;
inline constexpr int16_t kSegmentOffset = 507;
inline constexpr int16_t kOnSegment = 508;
inline constexpr int16_t kOrigin = 510;
}  // namespace snapmode
