#pragma once
// The settings record of one document: scale, units, grid, lot, current pen and font,
// dimension style, visible plans and plan colours, the defaults every tool gives new
// objects, the 3D camera, render, light and sun settings, and the next object and point IDs.
// Tools and inspectors read and write the fields directly. Field numbers (the order the
// record is stored in files) and defaults live in the one table of docstate_fields.h.
#include <cstdint>

#include "model/selection_state.h"
#include "model/types.h"
#include "port/winrecords.h"

struct Objex;

struct DocState {
    FloatPoint duplicateOffset;              // 1 carried
    int16_t duplicateCount;                  // 2 carried
    Float3DPoint viewOrigin;                 // 3 3D reference point of the views
    int16_t viewKind;                        // 4 which view the plan window shows
    uint8_t stopAtOriginV;                   // 5 when set, a point being moved or constrained in an
    uint8_t stopAtOriginD;                   // 6 when set, a point being moved may not cross the line at
    uint8_t stopAtOriginH;                   // 7 when set, a point being moved may not cross the line at
    uint8_t carried8;                        // 8 carried
    uint8_t carried9;                        // 9 carried
    uint8_t showGrid;                        // 10 grid shown
    uint8_t snapToGrid;                      // 11 snap to grid
    FloatPoint gridSpacing;                  // 12 grid spacing, horizontal and vertical, inches
    FloatPoint snapIncrement;                // 13 snap and ruler increment, horizontal and vertical, inches
    int16_t carried14;                       // 14 carried
    float carried15;                         // 15 carried
    int16_t penStyle;                        // 16 pen style code given to new 2D objects
    int16_t penWidth;                        // 17 pen width given to new 2D objects
    int16_t carried18;                       // 18 carried
    FloatRect lotRect;                       // 19 extent of the lot in inches
    int16_t carried20;                       // 20 carried
    int16_t carried21;                       // 21 carried
    int16_t carried22;                       // 22 carried
    int16_t carried23;                       // 23 carried
    int16_t carried24;                       // 24 carried
    int16_t topoGridValue;                   // 25 16-bit value stored with the topography grid
    FloatPoint lotSizeFeet;                  // 26 lot width and depth in feet
    int16_t arrowStyleID;                    // 27 dimension arrow style
    float dimensionValueA;                   // 28 dimension value read when dimension data is added
    float dimensionValueB;                   // 29 dimension value read when dimension data is added
    int16_t toleranceID;                     // 30 dimension tolerance style
    float carried31;                         // 31 carried
    int16_t carried32;                       // 32 carried
    RGBColor lotColor;                       // 33 colour of the lot ground in 3D
    RGBColor fillColor;                      // 34 fill colour given to new objects
    RGBColor penColor;                       // 35 pen colour given to new objects
    RGBColor backgroundColor;                // 36 plan background colour
    int16_t readoutStyleID;                  // 37 dimension readout style
    int16_t carried38;                       // 38 carried
    uint8_t carried39;                       // 39 carried
    float planScale;                         // 40 drawing scale
    int16_t carried41;                       // 41 carried
    int16_t worldUnit;                       // 42 unit of length entry and readout, code 1-8
    uint8_t curveFlag;                       // 43 switch read by path drawing and the plug-in compatibility
    float carried44;                         // 44 carried
    float carried45;                         // 45 carried
    int16_t curveSegments;                   // 46 number of straight pieces per curved segment
    int16_t multigonSides;                   // 47 number of sides of the multigon tool
    int16_t carried48;                       // 48 carried
    int16_t pickTolerance;                   // 49 pick tolerance in screen points
    int16_t curveTension;                    // 50 spline tension
    float zoomFactor;                        // 51 plan zoom, 1.0 = 100 percent
    int16_t carried52;                       // 52 carried
    uint8_t carried53;                       // 53 carried
    uint8_t carried54;                       // 54 carried
    int32_t dimensionFlags;                  // 55 dimension flag word packed from fields 27, 30 and 37
    int16_t carried56;                       // 56 carried
    SelectionState ss;                       // 57 what the inspector shows of the selection
    int16_t renderMode;                      // 58 3D render mode
    int16_t carried59;                       // 59 carried
    float wallThicknessA;                    // 60 thickness value written by the wall thickness stepper and
    float wallThickness;                     // 61 wall thickness given to new walls
    float wallHeight;                        // 62 wall height given to new walls, inches
    RGBColor wallColor;                      // 63 wall colour given to new walls and general polygons
    int32_t carried64;                       // 64 carried
    int32_t carried65;                       // 65 carried
    int16_t doorStyle;                       // 66 door style code 500-512
    float doorWidth;                         // 67 door width, inches
    float doorHeight;                        // 68 door height, inches
    float doorValue;                         // 69 third door size, inches
    RGBColor doorColor;                      // 70 colour of new doors, accessories and wall attachments
    int16_t windowStyle;                     // 71 window style code 600-626
    ShortPoint windowDivisions;              // 72 window divisions
    float windowWidth;                       // 73 first window and accessory size, inches
    float windowHeight;                      // 74 second window and accessory size, inches
    float windowElevation;                   // 75 third window and accessory size, inches
    float windowValue;                       // 76 fourth window and accessory size, inches
    RGBColor skylightColor;                  // 77 colour of new skylights and deck steps
    int16_t carried78;                       // 78 carried
    float roofValue;                         // 79 pitch copy: the roof panes write it with roofPitch
    float roofPitch;                         // 80 roof pitch given to new roofs
    RGBColor gableRoofValue;                 // 81 three 16-bit values read by gable-roof tracking and written
    RGBColor carried82;                      // 82 carried
    int16_t dimensionStyle;                  // 83 dimension style value
    RGBColor lengthDimColor;                 // 84 colour read when length dimensions are built
    int16_t units;                           // 85 measurement system
    float savedZoom;                         // 86 zoom of the top view
    float printZoom;                         // 87 zoom kept beside the other two around printing
    int16_t planScaleChoice;                 // 88 scale choice of the plan-scale and zoom sheets
    float cameraHeading;                     // 89 camera value of the 3D view saved with live views
    FloatPoint cameraPosition;               // 90 camera position in the plan
    float carried91;                         // 91 carried
    float carried92;                         // 92 carried
    int32_t carried93;                       // 93 carried
    int32_t carried94;                       // 94 carried
    float carried95;                         // 95 carried
    float carried96;                         // 96 carried
    float carried97;                         // 97 carried
    int16_t carried98;                       // 98 carried
    int16_t navigationSpeed;                 // 99 3D navigation speed
    RGBColor skyColor;                       // 100 3D background colour
    int16_t carried101;                      // 101 carried
    uint8_t carried102;                      // 102 carried
    int16_t gableRoofChoice;                 // 103 value read by gable-roof tracking
    int16_t cameraMode;                      // 104 3D camera value read by walk-through, fly-around, light
    float flyValueA;                         // 105 fly-around camera value
    float flyValueB;                         // 106 fly-around camera value
    uint8_t liveViewFlag;                    // 107 flag saved with each live view
    int32_t customColors[72];                // 108 72 custom colour values of 24 bits each
    int32_t backgroundTexture;               // 109 3D background texture ID
    int16_t elevationView;                   // 110 live view camera: 0 perspective, 1-4 an orthographic elevation
    int16_t fillPattern;                     // 111 fill pattern of ground fills
    uint8_t carried112;                      // 112 carried
    int16_t pathStyle;                       // 113 path style value
    uint8_t carried114;                      // 114 carried
    float pathWidth;                         // 115 path width, inches
    float carried116;                        // 116 carried
    float carried117;                        // 117 carried
    float carried118;                        // 118 carried
    uint8_t carried119;                      // 119 carried
    RGBColor edgingColor;                    // 120 colour of new edging
    int16_t fenceStyle;                      // 121 fence style code
    float carried122;                        // 122 carried
    float carried123;                        // 123 carried
    float carried124;                        // 124 carried
    float carried125;                        // 125 carried
    RGBColor fenceColor;                     // 126 colour of new fences
    float gateLength;                        // 127 gate length of new gates, inches
    float carried128;                        // 128 carried
    RGBColor gateColor;                      // 129 colour of new gates
    int16_t lotTexture;                      // 130 lot texture ID
    float plantAge;                          // 131 plant growth level shown by the plan tool palette and the
    int16_t gridStyle;                       // 132 grid style
    float stairSizeA;                        // 133 first staircase size, inches
    float stairSizeB;                        // 134 second staircase size, inches
    float stairSizeC;                        // 135 third staircase size, inches
    float stairSizeD;                        // 136 fourth staircase size, inches
    uint8_t stairLeftRail;                   // 137 staircase with left rail
    uint8_t stairRightRail;                  // 138 staircase with right rail
    float railHeight;                        // 139 railing height, inches
    float railValueB;                        // 140 second railing size, inches
    uint8_t railFlagA;                       // 141 railing switch
    uint8_t railFlagB;                       // 142 railing switch
    char traceImagePath[512];                // 143 path of the floor-plan trace image
    uint8_t traceImageShown;                 // 144 trace image shown
    float traceImageScaleH;                  // 145 trace image scale, horizontal
    float traceImageScaleV;                  // 146 trace image scale, vertical
    uint8_t showDimensions;                  // 147 plan draws dimensions of walls, perimeters, roofs, paths
    uint8_t showCallouts;                    // 148 plan draws callouts
    uint8_t buildFlag;                       // 149 switch read by the 3D builders of stairs, rails, surfaces
    RGBColor carried150;                     // 150 carried
    RGBColor inactiveFloorColor;             // 151 colour of floors other than the current one
    uint8_t shadowsOn;                       // 152 render with shadows
    float plantShadowValue;                  // 153 value used when drawing plant and photo shadows
    float carried154;                        // 154 carried
    float carried155;                        // 155 carried
    float carried156;                        // 156 carried
    int32_t lightSetting;                    // 157 light and shadow value
    float lightValue;                        // 158 light intensity, stored inverted
    float studSpacing;                       // 159 stud spacing of new walls, inches
    float sceneValue;                        // 160 value read by 3D scene set-up
    float carried161;                        // 161 carried
    float carried162;                        // 162 carried
    int32_t shadowMapValue;                  // 163 value read by the shadow-map render and the sun viewing
    int32_t carried164;                      // 164 carried
    int32_t trackingValue;                   // 165 value written by tracking dispatch, read by saving and undo
    int32_t liveViewValue;                   // 166 value saved with each live view
    float deckHeight;                        // 167 deck height, inches
    uint8_t deckRails;                       // 168 deck with rails
    float deckRailHeight;                    // 169 rail height of new decks, inches
    float balusterSpacing;                   // 170 baluster spacing of new deck rails, inches
    uint8_t deckSkirting;                    // 171 deck with skirting
    uint8_t carried172;                      // 172 carried
    uint8_t deckStepLeftRail;                // 173 deck steps with left rail
    uint8_t deckStepRightRail;               // 174 deck steps with right rail
    float deckStepWidth;                     // 175 deck steps width, inches
    float deckStepSizeB;                     // 176 second deck steps size, inches
    int32_t visiblePlans;                    // 177 visible-plan mask in force
    int32_t planMasks[9];                    // 178 stored visible-plan mask of each plan tab, in plan order
    int32_t currentPlanBit;                  // 187 bit of the current plan
    uint16_t renderSetting;                  // 188 clear-view opacity
    uint8_t renderFlag;                      // 189 render switch
    int16_t navigationValue;                 // 190 3D navigation value
    float currentElevation;                  // 191 absolute base height of the current floor, inches
    SelectionState40 ss40;                   // 192 base elevation of the selection
    uint8_t shadowsForbidden;                // 193 non-zero: the live view's Shadows command renders nothing
    int16_t shadowQuality;                   // 194 shadow quality
    float foundationWidth;                   // 195 foundation width of new walls, inches
    float stiffenerBeamWidth;                // 196 beam width of the stiffener beam tool, inches
    float foundationBeamValue;               // 197 foundation beam tool value, inches
    float pierDiameter;                      // 198 pier diameter of the foundation pier tool, inches
    float floorValue;                        // 199 floor tool value, inches
    int32_t receptacleStyle;                 // 200 receptacle style
    int32_t receptacleStyle2;                // 201 receptacle style
    int32_t switchStyle;                     // 202 switch style
    int32_t switchStyle2;                    // 203 switch style
    int32_t carried204;                      // 204 carried
    float bathTubSize;                       // 205 bath tub size, inches
    float bathTubSizeB;                      // 206 second bath tub size, inches
    float spaTubSize;                        // 207 spa tub size, inches
    float spaTubSizeB;                       // 208 second spa tub size, inches
    float showerSize;                        // 209 shower size, inches
    float showerSizeB;                       // 210 second shower size, inches
    float ductWidth;                         // 211 HVAC duct size, inches
    float ductHeight;                        // 212 second HVAC duct size, inches
    float conversionValue;                   // 213 value used by object type conversion
    float topoValue;                         // 214 topography tool value
    int32_t carried215;                      // 215 carried
    int32_t carried216to220[5];              // 216 carried
    uint8_t pluginByte;                      // 221 carried
    int32_t renderValue;                     // 222 render exclusion bits, a bit set when that part is not
    uint8_t framingView;                     // 223 framing view switch read by the 3D builders of studs,
    uint8_t framingColors;                   // 224 framing view in flat colours, not lumber textures
    uint8_t soffitLeft;                      // 225 roof left soffit
    uint8_t soffitRight;                     // 226 roof right soffit
    uint8_t soffitBase;                      // 227 roof base soffit
    uint8_t soffitInclude;                   // 228 roof includes soffits
    float roofSoffitValue;                   // 229 soffit value of the four-point and three-point roof tools,
    int32_t cutAwayPosition;                 // 230 cut-away slider position
    int16_t cutAwayKind;                     // 231 cut-away kind
    float conversionValueB;                  // 232 value used by object type conversion
    float wallSegmentLength;                 // 233 segment length of curved walls, inches
    ShortPoint lotTextureScale;              // 234 texture scale of the lot
    ShortPoint skyTextureScale;              // 235 texture scale of the 3D background
    RGBColor interiorFillColor;              // 236 fill colour of interior spaces
    uint32_t nextObjectID;                   // 237 next object ID
    uint32_t nextPointID;                    // 238 next point ID
    LOGFONT font;                            // 239 LOGFONT of plan text and dimensions
    float flyAltitude;                       // 240 fly-around altitude, inches
    float eyeHeight;                         // 241 walk-through camera height, inches
    FloatPoint lightOffset;                  // 242 FloatPoint read by camera and light positioning
    RGBColor planColors[9];                  // 243 plan colour of each plan, in plan order foundation, floor,
    float snapOffset;                        // 252 snap offset
    float floorDepth;                        // 253 floor depth of new walls, inches
    int16_t autoFlooring;                    // 254 automatic flooring of new walls
    float wallHeightC;                       // 255 third wall height of new walls, inches
    float wallHeightD;                       // 256 fourth wall height of new walls, inches
    float wallPitchA;                        // 257 first wall pitch of new walls
    float wallPitchB;                        // 258 second wall pitch of new walls
    int32_t wallDisplayFlags;                // 259 bit 0 set
    int16_t wallDimensionFrom;               // 260 wall dimensions measured from
    int32_t wallStyle;                       // 261 row of the wall inspector's style table
    int32_t wallFoundation;                  // 262 new walls get a foundation
    float doorValueB;                        // 263 door value
    float stairHeight;                       // 264 staircase height, inches
    uint8_t stairSkirtWalls;                 // 265 staircase with skirt walls
    uint8_t stairOpenSteps;                  // 266 staircase with open steps
    int32_t lightStyle;                      // 267 light style
    int32_t lightDimmer;                     // 268 light dimmer
    int32_t lightRadius;                     // 269 light radius
    int32_t lightFalloff;                    // 270 light falloff
    uint8_t lightAmbient;                    // 271 ambient light
    uint8_t lightOn;                         // 272 light on
    int16_t roofElevationChoice;             // 273 roof panel elevation choice
    uint8_t deckOpenSteps;                   // 274 deck steps open
    int16_t pathStyleChoice;                 // 275 path style choice
    int32_t editLevel;                       // 276 detail tools edit level
    int32_t detailDisplayDims;               // 277 detail tools display dimensions
    int32_t carried278;                      // 278 carried
    int16_t accessoryKind;                   // 279 value read by accessory and attachment tracking
    uint8_t sunOn;                           // 280 sunlight on
    float sunAngle;                          // 281 sun direction angle in degrees
    float sunValueB;                         // 282 sun overhead angle in degrees
    int16_t sunShadowQuality;                // 283 sun shadow quality
    int16_t sunValueD;                       // 284 sun brightness
    float cameraValue;                       // 285 camera value saved with live views
    float lightIntensity;                    // 286 light brightness
    char backgroundTexturePath[512];         // 287 path of a custom 3D background texture
    char lotTexturePath[512];                // 288 path of a custom lot texture
    float fenceSizes[5];                     // 289 fence span length, span height, post width, post height and
    float topoGridSpacing;                   // 294 topography grid value
    uint8_t carried295;                      // 295 carried
    uint8_t liveViewFlagB;                   // 296 flag saved with each live view
    char topoFilePath[512];                  // 297 path of the topography grid file
    int32_t detailValueA;                    // 298 window and door render quality
    int32_t detailValueB;                    // 299 window and door trim render quality
    int32_t detailValueC;                    // 300 base and crown trim render quality
    uint8_t lightGlow;                       // 301 light glow
    int16_t skylightStyle;                   // 302 skylight style code
    float skylightWidth;                     // 303 skylight width, inches
    float skylightLength;                    // 304 skylight length, inches
    float skylightValue;                     // 305 third skylight size, inches
    int32_t surfaceDetail;                   // 306 object render quality
    uint8_t showTopoLines;                   // 307 topography lines shown
    RGBColor topoLinesColor;                 // 308 colour of topography lines
    int16_t imperialReadout;                 // 309 imperial readout format code
    int16_t metricReadout;                   // 310 metric readout format code
    int16_t angleReadout;                    // 311 angle readout format code
    float compassAngle;                      // 312 compass angle
    uint8_t lightFlag;                       // 313 background lighting on
    uint8_t stairClosedStringer;             // 314 staircase with closed stringer
    uint8_t stairLargeBase;                  // 315 staircase with large base
    uint8_t navigationFlag;                  // 316 3D navigation switch
    uint8_t liveViewFlagC;                   // 317 flag saved with each live view
    char currentLiveView[128];               // 318 name of the current live view
    uint8_t carried319;                      // 319 carried
    RGBColor sceneColor;                     // 320 wireframe background colour (the 3D clear colour in wireframe)
    RGBColor gridColor;                      // 321 grid colour
};

// Bits of the live-view hide flags (`renderValue`): a set bit leaves that group out of the
// 3D view (or switches it off). The start-up mask `gLiveViewOptions` shares bit values with
// different meanings; never test one word with the other's names.
namespace hideflag {
inline constexpr int32_t kDoors = 0x1;
inline constexpr int32_t kObjects = 0x2;
inline constexpr int32_t kPlants = 0x4;
inline constexpr int32_t kRoofs = 0x8;
inline constexpr int32_t kMaterials = 0x10;       // textures and the background picture
inline constexpr int32_t kTopography = 0x20;      // the lot stays flat
inline constexpr int32_t kStillBackdrop = 0x40;   // the background picture does not follow the heading
inline constexpr int32_t kElectrical = 0x80;      // also every light fixture off
inline constexpr int32_t kPlumbing = 0x100;
inline constexpr int32_t kHVAC = 0x200;
}  // namespace hideflag

// The live view's cameras (`cameraMode`).
inline constexpr int16_t kWalkThroughCamera = 1;
inline constexpr int16_t kFlyAroundCamera = 2;

// Measurement systems (`units`).
inline constexpr int16_t kImperialUnits = 3;
inline constexpr int16_t kMetricUnits = 4;

// A zeroed record filled with the imperial defaults; null when memory runs out.
DocState* CreateDocState();
void DeleteDocState(DocState* docState);
// Stores every imperial default, cleared selection summaries, the unit system and the three
// readout codes of the application preferences. Null: nothing.
void InitializeDocState(DocState* docState);
// The metric defaults, the metric tool globals and 94.48819-inch layers on the current
// document. Nothing for a null record or without a current document.
void SetDocStateMetricDefaults(DocState* docState);

// The dimension flag word (`dimensionFlags`): arrow bits 0-6, tolerance 9-11, readout 12-18.
void SetDocStateDimensionArrowFlags(DocState* docState);
void SetDocStateDimensionReadoutFlags(DocState* docState);
void SetDocStateDimensionToleranceFlags(DocState* docState);
// The same packing on the first word of a dimension object's record.
void DimensionArrowFlag(Objex* object, int16_t arrowID);
void DimensionToleranceFlag(Objex* object, int16_t toleranceID);

// Adds HVAC, landscape and deck to every stored plan mask whose toolset is missing.
void InitializeVisiblePlansFromToolsetOptions();
