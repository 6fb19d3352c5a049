#pragma once
// Turning a shape drawn with the detail tools into a building or site element (commands
// 10050-10079 of the detail-object inspector), switching walls between interior and exterior
// (commands 13000 and 13001 of the wall's context menu).
//
// A conversion keeps the object's identity, points and place in its layer; it rewrites type,
// subtype, flags, colours, materials and per-point data to the target's defaults taken from
// the document's settings record and current layer, then builds the object's 3D form. Each
// successful conversion stores one undo snapshot under its name; a refused one changes
// nothing and only refreshes the inspector and the plan.
#include <cstdint>

#include "model/convert_curves.h"

struct Objex;

namespace convertcmd {
inline constexpr int32_t kInteriorWall = 10050;
inline constexpr int32_t kExteriorWall = 10051;
inline constexpr int32_t kStaircase = 10052;
inline constexpr int32_t kRailing = 10053;
inline constexpr int32_t kFloor = 10054;
inline constexpr int32_t kFloorCutout = 10055;
inline constexpr int32_t kStiffenerBeam = 10056;
inline constexpr int32_t kPostTensionStrand = 10057;
inline constexpr int32_t kFoundationSlope = 10058;
inline constexpr int32_t kFoundationPier = 10059;
inline constexpr int32_t kSwitchConnector = 10060;
inline constexpr int32_t kFreehandRoof = 10061;
inline constexpr int32_t kAirDuct = 10062;
inline constexpr int32_t kDeckWithRailing = 10063;
inline constexpr int32_t kDeckWithoutRailing = 10064;
inline constexpr int32_t kDeckStairs = 10065;
inline constexpr int32_t kDeckRailing = 10066;
inline constexpr int32_t kPropertyLine = 10067;
inline constexpr int32_t kGroundFill = 10068;
inline constexpr int32_t kEdging = 10069;
inline constexpr int32_t kPath = 10070;
inline constexpr int32_t kFence = 10071;
inline constexpr int32_t kRetainingWall = 10072;
inline constexpr int32_t kEntireLot = 10073;
inline constexpr int32_t kSlopeLot = 10074;
inline constexpr int32_t kTopography = 10075;
inline constexpr int32_t kExcavation = 10076;
inline constexpr int32_t kOpenPolygon = 10077;
inline constexpr int32_t kClosedPolygon = 10078;
inline constexpr int32_t kDeckCutout = 10079;
inline constexpr int32_t kFirst = kInteriorWall;
inline constexpr int32_t kLast = kDeckCutout;

// The wall context menu's commands; the command layer runs the conversion below on the wall
// under the menu, then stores the snapshot under the matching name.
inline constexpr int32_t kWallToInterior = 13000;
inline constexpr int32_t kWallToExterior = 13001;
inline constexpr const char* kWallToInteriorUndoName = "Convert Wall to Interior";
inline constexpr const char* kWallToExteriorUndoName = "Convert Wall to Exterior";
}  // namespace convertcmd

// The undo name of a conversion command (not localised); null outside 10050-10079.
const char* ConvertObjectTypeUndoName(int32_t command);

// Converts the object as the command asks. False, with nothing touched, for a null object,
// without a current document, its settings record or a current layer, for fewer than two
// points or a command outside 10050-10079; false, after refreshing the inspector and the
// plan, when the target's condition does not hold. True after a conversion (whose snapshot
// has been stored, unless `storeStep` is false: one conversion of many, whose step
// StoreConversionStep stores after the last).
bool ConvertObjectType(Objex* object, int32_t command, bool storeStep = true);
// The step of the conversions made with `storeStep` false, the inspector and the plan told.
void StoreConversionStep(int32_t command);

// Walls (12) only: the wall is deselected and made interior (subtype 0, red of auxColor 1,
// plan bits 1 become 2) or exterior (subtype 54, red 0, plan bits kept), with its base
// offset (third param) 0.5, then rebuilt, its attachments refitted, rendered and redrawn.
void ConvertWallToInterior(Objex* wall);
void ConvertWallToExterior(Objex* wall);
