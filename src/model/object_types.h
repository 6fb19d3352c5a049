#pragma once
// Object type and subtype codes. Every part of the program compares `Objex::type` and
// `Objex::subtype` against these.
#include <cstdint>

namespace objtype {

// Drawn on a plan.
inline constexpr int16_t kRectangle = 1;
inline constexpr int16_t kOval = 2;
inline constexpr int16_t kRegularPolygon = 4;
inline constexpr int16_t kArc = 5;
inline constexpr int16_t kLine = 6;
inline constexpr int16_t kClosedOutline = 8;      // also a rectangular 3D piece (pane, step, stringer)
inline constexpr int16_t kPolygon = 9;            // polygon or spline outline
inline constexpr int16_t kClosedSolid = 10;        // generated wall solid (subtype 140) or grid surface
inline constexpr int16_t kOpenSolid = 11;
inline constexpr int16_t kWall = 12;
inline constexpr int16_t kFloor = 13;             // also soffits and generated ceilings
inline constexpr int16_t kRoof = 14;
inline constexpr int16_t kFentrix = 15;           // imported 3D object
inline constexpr int16_t kDoor = 16;
inline constexpr int16_t kWindow = 17;
inline constexpr int16_t kAccessoryPlane = 18;    // generated: accessory or sill plane
inline constexpr int16_t kWindowSeparator = 19;   // generated
inline constexpr int16_t kDoorPanel = 20;         // generated
inline constexpr int16_t kPropertyLine = 21;
inline constexpr int16_t kPath = 22;              // pathway or driveway
inline constexpr int16_t kEdging = 24;
inline constexpr int16_t kFence = 25;
inline constexpr int16_t kFill = 26;
inline constexpr int16_t kGroundFill = 27;
inline constexpr int16_t kPlant = 28;
inline constexpr int16_t kDetail = 29;
inline constexpr int16_t kTopography = 30;
inline constexpr int16_t kImported2D = 31;
inline constexpr int16_t kRoofPanel = 32;         // generated panel of a roof
inline constexpr int16_t kStaircase = 38;
inline constexpr int16_t kRoofPiece35 = 35;
inline constexpr int16_t kRoofPiece41 = 41;
inline constexpr int16_t kRailing = 45;
inline constexpr int16_t kFloorCutout = 48;
inline constexpr int16_t kDeck = 51;
inline constexpr int16_t kDeckPart = 52;          // generated (skirting)
inline constexpr int16_t kDeckSteps = 53;
inline constexpr int16_t kComponent = 56;
inline constexpr int16_t kFreehandRoof = 57;      // the "roof panel" of the panel tool
inline constexpr int16_t kFreehandRoofPanel = 58; // generated panel of a freehand roof
inline constexpr int16_t kPanelSlab = 59;          // generated slab of a freehand roof
inline constexpr int16_t kOpeningMask = 61;       // generated opening outline (part list 1)
inline constexpr int16_t kEntireLot = 62;
inline constexpr int16_t kDimensionFirst = 100;   // 100..108 are dimensions
inline constexpr int16_t kDimensionLinked = 102;
inline constexpr int16_t kAngleDimension = 103;
inline constexpr int16_t kDiameterDimension = 104;
inline constexpr int16_t kLeaderDimension = 108;
inline constexpr int16_t kDimensionLast = 108;
inline constexpr int16_t kStiffenerBeam = 114;
inline constexpr int16_t kFoundationPier = 115;
inline constexpr int16_t kPostTensionStrand = 116;
inline constexpr int16_t kAirDuct = 117;
inline constexpr int16_t kDoorHardware = 128;     // generated
inline constexpr int16_t kFoundationSlope = 129;
inline constexpr int16_t kPhoto = 130;
inline constexpr int16_t kSlopeLot = 133;
inline constexpr int16_t kExcavation = 134;
inline constexpr int16_t kCabinetPart = 136;
inline constexpr int16_t kOffsetDimensionV = 141;
inline constexpr int16_t kOffsetDimensionH = 142;
inline constexpr int16_t kLengthDimension = 143;
inline constexpr int16_t kText = 144;
inline constexpr int16_t kEnhancedText = 145;
inline constexpr int16_t kAccessory = 157;
inline constexpr int16_t kSkylightPart = 158;     // generated skylight piece (part list 4)
inline constexpr int16_t kSkylight = 160;
inline constexpr int16_t kSkylightPart5 = 165;    // generated skylight piece (part list 5)
inline constexpr int16_t kRoofCutout = 166;
inline constexpr int16_t kQuickWallForm = 113;
inline constexpr int16_t kDimensionLine = 137;
inline constexpr int16_t kOldText = 200;          // read as 145
inline constexpr int16_t kDimensionText = 201;    // text box of a dimension
inline constexpr int16_t kFrameGroup = 900;       // generated frame group or skylight filler
inline constexpr int16_t kGroup = 1000;

inline constexpr bool IsDimension(int type) { return type >= kDimensionFirst && type <= kDimensionLast; }

}  // namespace objtype

namespace objsubtype {
inline constexpr int32_t kExteriorWall = 54;
inline constexpr int32_t kDeckCutout = 51;
inline constexpr int32_t kSwitchConnector = 112;
inline constexpr int32_t kExcavation = 134;
inline constexpr int32_t kCabinetGroup = 136;
inline constexpr int32_t kWallSolid = 140;
inline constexpr int32_t kUserPlant = 153;
inline constexpr int32_t kStraightStair = 800;
inline constexpr int32_t kStraightRailing = 802;
inline constexpr int32_t kCurvedRailing = 803;
}  // namespace objsubtype

namespace groupkind {
inline constexpr int32_t kSymbolEditor = 123;
inline constexpr int32_t kSectionDetail = 117;
}  // namespace groupkind
