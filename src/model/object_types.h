#pragma once
// Object type and subtype codes, and the one table of what each type is (its traits). Every
// part of the program compares `Objex::type` and `Objex::subtype` against these; a question
// about a type that more than one place asks is a trait here, never a local list.
#include <array>
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
inline constexpr int16_t kType23 = 23;            // shown on the landscape plan; no name of its own
inline constexpr int16_t kEdging = 24;
inline constexpr int16_t kFence = 25;
inline constexpr int16_t kFill = 26;
inline constexpr int16_t kGroundFill = 27;
inline constexpr int16_t kPlant = 28;
inline constexpr int16_t kDetail = 29;
inline constexpr int16_t kTopography = 30;
inline constexpr int16_t kImported2D = 31;
inline constexpr int16_t kRoofPanel = 32;         // generated panel of a roof
inline constexpr int16_t kRoofPiece33 = 33;
inline constexpr int16_t kRoofPiece34 = 34;
inline constexpr int16_t kRoofPiece35 = 35;
inline constexpr int16_t kStaircase = 38;
inline constexpr int16_t kStairRail = 39;         // generated: rail, spindle or post
inline constexpr int16_t kStringerPanel = 40;     // generated: stringer panel of a curved step
inline constexpr int16_t kLandingPanel = 42;      // generated: side panel of a landing
inline constexpr int16_t kStairStep = 43;         // generated: step or landing slab
inline constexpr int16_t kCurvedRailPiece = 44;   // generated: rail piece of a curved stair or railing
inline constexpr int16_t kRoofPiece41 = 41;
inline constexpr int16_t kRailing = 45;
inline constexpr int16_t kFloorCutout = 48;
inline constexpr int16_t kDeck = 51;
inline constexpr int16_t kDeckPart = 52;          // generated (skirting)
inline constexpr int16_t kDeckSteps = 53;
inline constexpr int16_t kComponent = 56;
inline constexpr int16_t kFreehandRoof = 57;      // also called the roof panel (drawn by the panel tool)
inline constexpr int16_t kSlopeArrow = 58;        // slope-direction arrow, child of a freehand roof
inline constexpr int16_t kPanelSlab = 59;          // generated slab of a freehand roof
inline constexpr int16_t kOpeningMask = 61;       // generated opening outline (part list 1)
inline constexpr int16_t kEntireLot = 62;
inline constexpr int16_t kDimensionFirst = 100;   // 100..108 are dimensions
inline constexpr int16_t kDimensionLinked = 102;
inline constexpr int16_t kAngleDimension = 103;
inline constexpr int16_t kDiameterDimension = 104;
inline constexpr int16_t kDimension106 = 106;     // drawn as a diameter dimension; no name of its own
inline constexpr int16_t kLeaderDimension = 108;
inline constexpr int16_t kDimensionLast = 108;
inline constexpr int16_t kStiffenerBeam = 114;
inline constexpr int16_t kFoundationPier = 115;
inline constexpr int16_t kPostTensionStrand = 116;
inline constexpr int16_t kAirDuct = 117;
inline constexpr int16_t kType125 = 125;          // selected whole; no name of its own
inline constexpr int16_t kDoorHardware = 128;     // generated: door hardware or a leaf's infill plane
inline constexpr int16_t kFoundationSlope = 129;
inline constexpr int16_t kPhoto = 130;
inline constexpr int16_t kPhotoPanel = 131;     // generated: a photo's upright panel
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
inline constexpr int16_t kType301 = 301;          // picked whole, without a name of its own
inline constexpr int16_t kType302 = 302;          // picked whole, selected through its root
inline constexpr int16_t kFrameGroup = 900;       // generated frame group or skylight filler
inline constexpr int16_t kGroup = 1000;

inline constexpr bool IsDimension(int type) { return type >= kDimensionFirst && type <= kDimensionLast; }

// --- traits ---

enum Trait : uint32_t {
    kIsRoof = 1u << 0,              // a roof that holds skylights and cut-outs (14, 57)
    kIsHostedAttachment = 1u << 1,  // set into a wall or deck segment with an attachment record
    kIsRoofAttachment = 1u << 2,    // set into a roof with a roof attachment record
    kFollowsHost = 1u << 3,         // placed by its parent: moves and turns pass it by, never a group member
    kHoldsAttachments = 1u << 4,    // children never make it a group (a roof 14 with children does)
    kSelectedWhole = 1u << 5,       // always selected whole, also under point-oriented selection
    kPickedWhole = 1u << 6,         // hit anywhere inside its bounds
    kOnViewLayer = 1u << 7,         // belongs on an elevation view layer
    kFixedComponent = 1u << 8,      // built-in symbol: rotation in params[0], mirrored as a whole
    kSetsLotElevation = 1u << 9,    // shapes the lot: its changes re-elevate the terrain
    kDirectedOutline = 1u << 10,    // its point order gives its facing
    kHasFeedbackLine = 1u << 11,    // point-wise selection redraws its selection line
    kSelectsRoot = 1u << 12,        // a point-wise pick selects its root instead of the point
    kKeepsShapeWhenTurned = 1u << 13,  // a turn moves its middle and leaves its shape
    kIsOpening = 1u << 14,          // a door or window: cuts an opening with trim into its wall
    kPointDragKeepsEdges = 1u << 15,  // the move tool drags its points along the neighbouring edges
    kDraggedWhole = 1u << 16,       // the move tool drags it whole, on the grid and the Shift axes
    kMovedByPoint = 1u << 17,       // the move tool drags one of its points, and draws it displaced
    kTakesFillet = 1u << 18,        // a corner of its outline can be rounded in place
    kTakesChamfer = 1u << 19,       // a corner of its outline can be cut in place
    kCastsNoSunShadow = 1u << 20,   // left out of the area the sun's shadow view covers
    kEnclosesArea = 1u << 21,       // an area: a read throws it away with fewer than three points
    kBuiltForFramingView = 1u << 22,  // its own builder reads the framing view: switching it builds it again
    kMadeAnewByRead = 1u << 23,     // a read makes it anew from its host: no file holds its points' selection
};

struct TypeRow {
    int16_t type;
    uint32_t traits;
    int32_t planBits = 2;   // the plans a new object of the type is shown on
    int8_t partList = -1;   // which part list of a roof attachment record holds it
};

inline constexpr TypeRow kTypeTable[] = {
    {kRectangle, kCastsNoSunShadow},
    {kOval, kSelectedWhole | kCastsNoSunShadow},
    {3, kDirectedOutline | kCastsNoSunShadow},
    {kRegularPolygon, kCastsNoSunShadow},
    {kArc, kSelectedWhole | kCastsNoSunShadow},
    {kLine, kCastsNoSunShadow},
    {7, kCastsNoSunShadow},
    {kClosedOutline, kSelectedWhole | kDirectedOutline | kMovedByPoint},
    {kPolygon, kSelectedWhole | kDirectedOutline},
    {kClosedSolid, kDirectedOutline},
    {kOpenSolid, kDirectedOutline},
    {kWall, kHoldsAttachments | kDirectedOutline | kMovedByPoint},
    {kFloor, kPointDragKeepsEdges | kMovedByPoint | kTakesFillet | kTakesChamfer | kEnclosesArea},
    {kRoof, kIsRoof, 16},
    {kFentrix, kSelectedWhole | kPickedWhole | kDraggedWhole},
    {kDoor, kIsHostedAttachment | kIsOpening | kFollowsHost | kHasFeedbackLine},
    {kWindow, kIsHostedAttachment | kIsOpening | kFollowsHost | kHasFeedbackLine},
    {kWindowSeparator, kDirectedOutline, 2, 1},
    {kPropertyLine, kMovedByPoint | kCastsNoSunShadow | kEnclosesArea, 128},
    {kPath, kMovedByPoint | kTakesFillet | kTakesChamfer, 128},
    {kType23, 0, 128},
    {kEdging, kMovedByPoint | kTakesChamfer, 128},
    {kFence, kMovedByPoint | kTakesChamfer, 128},
    {kFill, kMovedByPoint, 128},
    {kGroundFill, kPointDragKeepsEdges | kMovedByPoint | kEnclosesArea, 128},
    {kPlant, kSelectedWhole | kPickedWhole | kKeepsShapeWhenTurned | kDraggedWhole, 128},
    {kDetail, kMovedByPoint | kTakesFillet | kTakesChamfer | kCastsNoSunShadow},
    {kTopography, kSetsLotElevation | kMovedByPoint, 128},
    {kImported2D, kSelectedWhole | kPickedWhole | kDraggedWhole},
    {kRoofPanel, 0, 16},
    {kRoofPiece33, 0, 16},
    {kRoofPiece34, 0, 16},
    {kRoofPiece35, 0, 16},
    {kStaircase, kHasFeedbackLine | kMovedByPoint | kBuiltForFramingView},
    {kRailing, kMovedByPoint | kTakesFillet | kTakesChamfer},
    {kRoofPiece41, 0, 16},
    {kFloorCutout, kPointDragKeepsEdges | kMovedByPoint | kTakesFillet | kTakesChamfer | kEnclosesArea},
    {50, kMovedByPoint},
    {kDeck,
     kHoldsAttachments | kPointDragKeepsEdges | kMovedByPoint | kTakesFillet | kTakesChamfer | kEnclosesArea |
         kBuiltForFramingView,
     64},
    {kDeckSteps, kIsHostedAttachment | kFollowsHost | kHasFeedbackLine | kMadeAnewByRead, 64},
    {kComponent, kIsHostedAttachment | kFollowsHost | kPickedWhole},
    {kFreehandRoof,
     kIsRoof | kHoldsAttachments | kPointDragKeepsEdges | kMovedByPoint | kTakesFillet | kTakesChamfer | kEnclosesArea},
    {kSlopeArrow, kFollowsHost | kHasFeedbackLine | kMadeAnewByRead},
    {kOpeningMask, 0, 2, 0},
    {kEntireLot, kSetsLotElevation | kMovedByPoint},
    {kDimensionFirst, kCastsNoSunShadow},
    {101, kCastsNoSunShadow},
    {kAngleDimension, kCastsNoSunShadow},
    {kDiameterDimension, kCastsNoSunShadow},
    {kDimension106, kCastsNoSunShadow},
    {107, kCastsNoSunShadow},
    {kLeaderDimension, kMovedByPoint | kCastsNoSunShadow},
    {kStiffenerBeam, kMovedByPoint | kCastsNoSunShadow},
    {kDimensionLinked, kSelectedWhole | kOnViewLayer | kCastsNoSunShadow},
    {kFoundationPier, kSelectedWhole | kPickedWhole | kDraggedWhole | kCastsNoSunShadow},
    {kPostTensionStrand, kMovedByPoint | kCastsNoSunShadow},
    {kType125, kSelectedWhole | kCastsNoSunShadow},
    {kDoorHardware, 0, 2, 2},
    {kFoundationSlope, kMovedByPoint},
    {kPhoto, kMovedByPoint},
    {kSlopeLot, kSetsLotElevation | kMovedByPoint},
    {kExcavation, kPointDragKeepsEdges | kMovedByPoint | kTakesFillet | kTakesChamfer | kEnclosesArea},
    {kDimensionLine, kMovedByPoint},
    {kOffsetDimensionV, kMovedByPoint},
    {kOffsetDimensionH, kMovedByPoint},
    {kLengthDimension, kMovedByPoint},
    {kCabinetPart, kSelectedWhole | kPickedWhole},
    {kText, kKeepsShapeWhenTurned | kDraggedWhole | kMovedByPoint | kCastsNoSunShadow},
    {kEnhancedText, kSelectedWhole | kPickedWhole | kKeepsShapeWhenTurned | kDraggedWhole | kCastsNoSunShadow},
    {kAccessory, kIsHostedAttachment | kFollowsHost | kPickedWhole},
    {kSkylightPart, kDirectedOutline, 2, 3},
    {kSkylight, kIsRoofAttachment | kSelectedWhole | kPickedWhole, 16},
    {kSkylightPart5, 0, 2, 4},
    {kRoofCutout, kIsRoofAttachment | kPointDragKeepsEdges | kEnclosesArea, 16},
    {kOldText, kSelectedWhole | kPickedWhole | kOnViewLayer | kSelectsRoot | kKeepsShapeWhenTurned},
    {kDimensionText, kSelectedWhole | kPickedWhole | kOnViewLayer | kSelectsRoot | kKeepsShapeWhenTurned},
    {kType301, kPickedWhole},
    {kType302, kPickedWhole | kSelectsRoot},
    {kGroup, kSelectedWhole | kDraggedWhole},
    // Built-in symbols that are fixed components.
    {68, kFixedComponent}, {69, kFixedComponent}, {71, kFixedComponent}, {72, kFixedComponent},
    {79, kFixedComponent}, {80, kFixedComponent}, {81, kFixedComponent}, {82, kFixedComponent},
    {88, kFixedComponent}, {98, kFixedComponent}, {110, kFixedComponent}, {kAirDuct, kFixedComponent | kMovedByPoint | kCastsNoSunShadow},
    {118, kFixedComponent}, {119, kFixedComponent}, {120, kFixedComponent}, {121, kFixedComponent},
    {122, kFixedComponent}, {123, kFixedComponent}, {146, kFixedComponent}, {147, kFixedComponent},
    {148, kFixedComponent}, {149, kFixedComponent}, {150, kFixedComponent}, {151, kFixedComponent},
    {152, kFixedComponent},
};

inline constexpr int kTypeCodeLimit = 1024;  // every code is below it

namespace detail {
constexpr std::array<TypeRow, kTypeCodeLimit> IndexTypeTable() {
    std::array<TypeRow, kTypeCodeLimit> byType{};
    for (int t = 0; t < kTypeCodeLimit; ++t) byType[t] = TypeRow{static_cast<int16_t>(t), 0};
    for (const TypeRow& row : kTypeTable) byType[row.type] = row;
    return byType;
}
inline constexpr std::array<TypeRow, kTypeCodeLimit> kTypeIndex = IndexTypeTable();
}  // namespace detail

// The row of a type; a code without a row has no traits and the default plans.
constexpr const TypeRow& RowOf(int type) {
    return detail::kTypeIndex[type >= 0 && type < kTypeCodeLimit ? type : 0];
}
constexpr bool Has(int type, Trait trait) { return (RowOf(type).traits & trait) != 0; }

constexpr bool IsRoof(int type) { return Has(type, kIsRoof); }
// Doors, windows, deck steps, components and accessories: set into a wall or deck segment.
constexpr bool IsHostedAttachment(int type) { return Has(type, kIsHostedAttachment); }
// Doors and windows.
constexpr bool IsOpening(int type) { return Has(type, kIsOpening); }
// The hosted attachments that go into walls: all but deck steps.
constexpr bool IsWallAttachment(int type) { return IsHostedAttachment(type) && type != kDeckSteps; }
// Walls, decks and roofs: the objects attachments are set into.
constexpr bool IsAttachmentCarrier(int type) { return type == kWall || type == kDeck || IsRoof(type); }
// Skylights and roof cut-outs.
constexpr bool IsRoofAttachment(int type) { return Has(type, kIsRoofAttachment); }
// Anything set into a wall, deck or roof.
constexpr bool IsAttachment(int type) { return IsHostedAttachment(type) || IsRoofAttachment(type); }
// The hosted attachments and a freehand roof's slope arrow: their parent places them.
constexpr bool FollowsHost(int type) { return Has(type, kFollowsHost); }
constexpr bool IsFixedComponent(int type) { return Has(type, kFixedComponent); }
// An area of too few points for a read to keep: nothing leaves one in a design.
constexpr bool TooFewPointsForArea(int type, int32_t points) { return Has(type, kEnclosesArea) && points < 3; }
constexpr int32_t DefaultPlanBits(int type) { return RowOf(type).planBits; }
// The part list (0-4) of a roof attachment record that holds a generated piece of this type;
// -1 for types no list holds.
constexpr int RoofAttachmentPartList(int type) { return RowOf(type).partList; }

// Outlines the plant fill plants: shapes 1-7, property lines, paths, fills, ground fill
// regions and detail objects.
constexpr bool IsPlantFillable(int type) {
    return (type >= 1 && type <= 7) || type == kPropertyLine || type == kPath || type == kFill ||
           type == kGroundFill || type == kDetail;
}

}  // namespace objtype

namespace objsubtype {
inline constexpr int32_t kExteriorWall = 54;
inline constexpr int32_t kDeckCutout = 51;
inline constexpr int32_t kSwitchConnector = 112;
inline constexpr int32_t kExcavation = 134;
inline constexpr int32_t kCabinetGroup = 136;
inline constexpr int32_t kAttachedDimension = 138;  // a component: a dimension standing on its wall
inline constexpr int32_t kWallSolid = 140;
inline constexpr int32_t kUserPlant = 153;
inline constexpr int32_t kFencePost = 154;       // generated: a fence post
inline constexpr int32_t kFenceGatePanel = 155;  // generated: a custom fence's gate panel
inline constexpr int32_t kPanelRailing = 156;    // generated: a railing's panel
inline constexpr int32_t kStraightStair = 800;
inline constexpr int32_t kStraightRailing = 802;
inline constexpr int32_t kCurvedRailing = 803;
}  // namespace objsubtype

// Shapes of detail objects (type 29), as their subtype.
namespace detailsubtype {
inline constexpr int32_t kRectangle = 1;
inline constexpr int32_t kOval = 2;
inline constexpr int32_t kPolygon = 3;
inline constexpr int32_t kMultigon = 4;
inline constexpr int32_t kArc = 5;
inline constexpr int32_t kLine = 6;
inline constexpr int32_t kCurve = 7;
}  // namespace detailsubtype

// Point kinds (`Poinz::kind`).
namespace pointkind {
inline constexpr int16_t kVertex = 1;
inline constexpr int16_t kGestureMarker = 2;  // temporary, inside a fillet or chamfer gesture
inline constexpr int16_t kArcCentre = 4;
inline constexpr int16_t kArcPoint = 5;       // on a circular arc, with Hermite tangents
inline constexpr int16_t kGatePoint = 6;      // a fence point where a gate starts
inline constexpr int16_t kCurvePoint = 9;     // an inner point of a curved wall
}  // namespace pointkind

namespace groupkind {
inline constexpr int32_t kSymbolEditor = 123;
inline constexpr int32_t kSectionDetail = 117;
}  // namespace groupkind
