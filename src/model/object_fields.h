#pragma once
// Quantities some object types keep that `Objex` has no field of its own for, and the stored
// field that holds each, per type. A type's quantity is stored in one field only and every
// place reads and writes it through its row here: add rows here, never a local mapping.
//
//   objfield::deck::kHeight(*deck) = ds->deckHeight;
#include "model/objects.h"

namespace objfield {

// One of the five `params` floats.
struct Param {
    int index;
    constexpr float& operator()(Objex& o) const { return o.params[index]; }
    constexpr float operator()(const Objex& o) const { return o.params[index]; }
};

// A named `Objex` field that a type reuses for a quantity of its own.
template <typename T>
struct Field {
    T Objex::*member;
    constexpr T& operator()(Objex& o) const { return o.*member; }
    constexpr T operator()(const Objex& o) const { return o.*member; }
};

// A named `Poinz` field that points reuse for a quantity of their own.
template <typename T>
struct PointField {
    T Poinz::*member;
    constexpr T& operator()(Poinz& p) const { return p.*member; }
    constexpr T operator()(const Poinz& p) const { return p.*member; }
};

// Walls (12).
namespace wall {
inline constexpr Param kHeight{0};           // raised to the floor height when below 0.5
inline constexpr Param kStudSpacing{1};
inline constexpr Param kBaseOffset{2};       // 0.5 for exterior and former exterior walls
// Exterior walls: the quick-wall (footing) width in inches, the second width whose half sets
// their plain dimension off the wall.
inline constexpr Param kQuickWallWidth{3};
// Exterior walls: 1 when the wall's outline cuts a hole in the lot's ground.
inline constexpr Field<int32_t> kCutsGround{&Objex::optionB};
// Exterior walls: the automatic flooring's depth in inches, and 0 while it is on (1 off).
inline constexpr Param kFloorDepth{4};
inline constexpr Field<uint8_t> kAutoFlooringOff{&Objex::flagA};
// The foundation setting: 1 on, 2 off; the framing view tests bit 0. The same stored word as
// `flags::kWord`, which walls do not use for greying.
inline constexpr Field<int32_t> kFoundation{&Objex::optionA};
inline constexpr int32_t kFoundationOn = 1;
// The interior mark, the first word of the second colour: non-zero for interior and retaining
// walls, 0 for exterior ones.
inline constexpr uint16_t& Interior(Objex& o) { return o.auxColor.red; }
inline constexpr uint16_t Interior(const Objex& o) { return o.auxColor.red; }
}  // namespace wall

// Wall points: the segment that starts at the point. Heights in inches, pitches as rise per 12
// of run; the shape code 0-11 picks how the heights and pitches shape its top.
namespace wall_segment {
struct Value {
    int index;
    constexpr float& operator()(Poinz& p) const { return p.segmentValues[index]; }
    constexpr float operator()(const Poinz& p) const { return p.segmentValues[index]; }
};
inline constexpr Value kFirstHeight{0};
inline constexpr Value kPitchA{1};
inline constexpr Value kPitchB{2};
inline constexpr Value kSecondHeight{3};
inline constexpr Value kPeakHeight{4};
inline constexpr PointField<int32_t> kShape{&Poinz::wallStyle};
}  // namespace wall_segment

// Floors (13) and floor cut-outs (48); a deck cut-out keeps the deck height there.
namespace floors {
inline constexpr Param kThickness{2};
}  // namespace floors

// Flat faces built under a floor, cut-out, cabinet or wall-outline type stand on this
// thickness: a floor's thickness is a wall's base offset, one stored field.
namespace face {
inline constexpr Param kThickness{2};
static_assert(kThickness.index == floors::kThickness.index && kThickness.index == wall::kBaseOffset.index);
}  // namespace face

// Fences (25): the style code and the five fence sizes in inches (span length, span height,
// post height, post width, gate height); only the custom style builds from the sizes. The
// settings record keeps post width before post height: `kSettingsSize` names its slot for each.
namespace fence {
inline constexpr Field<int32_t> kStyle{&Objex::texture};
inline constexpr int32_t kCustomStyle = 704;
inline constexpr int kSizeCount = 5;
inline constexpr Param kSize(int i) { return Param{i}; }
inline constexpr Param kPicketWidth{0};      // the custom span length
inline constexpr Param kPicketHeight{1};
inline constexpr Param kPostHeight{2};
inline constexpr Param kPostWidth{3};
inline constexpr Param kGateHeight{4};
inline constexpr int kSettingsSize[kSizeCount] = {0, 1, 3, 2, 4};
// Posts: the second material slot; custom gate panels: the fourth.
inline constexpr Field<int32_t> kPostTexture{&Objex::texture2};
inline constexpr Field<RGBColor> kPostColour{&Objex::color2};
inline constexpr int kPostScaleSlot = 0;
inline constexpr Field<int32_t> kGateTexture{&Objex::texture4};
inline constexpr Field<RGBColor> kGateColour{&Objex::color4};
inline constexpr int kGateScaleSlot = 2;
}  // namespace fence

// Floors (13), floor cut-outs (48), detail objects (29) and decks (51): bit 0 of the display
// word shows their automatic edge dimensions.
namespace display {
inline constexpr Field<int32_t> kWord{&Objex::optionA};
inline constexpr int32_t kAutomaticDimensions = 1;
// The whole word of floors built from a wall by the ceiling builder (their floor form): no
// automatic dimensions.
inline constexpr int32_t kBuiltFromWall = 2;
}  // namespace display

// The flag word after the five dimension floats: bit 0 greys a plain outline in the framing
// view. Types whose word already holds another quantity (the display word's types, walls'
// foundation setting) are not greyed by it.
namespace flags {
inline constexpr Field<int32_t> kWord{&Objex::optionA};
inline constexpr int32_t kFramingGrey = 1;
}  // namespace flags

// Detail shapes (29): the two drawing-attribute words a drafting tool gives a new shape, the
// first from the settings record's `detailDisplayDims` (its bit 0 is the display word's), the
// second from its `editLevel` (0: the shape is dragged whole, not by its points).
namespace detail_shape {
inline constexpr Field<int32_t> kFirstWord{&Objex::optionA};
inline constexpr Field<int32_t> kSecondWord{&Objex::optionB};
static_assert(kFirstWord.member == display::kWord.member);
}  // namespace detail_shape

// Photos (130): the picture's height in plan units.
namespace photo {
inline constexpr Param kHeight{0};
inline constexpr Field<uint8_t> kMirrored{&Objex::flagA};   // non-zero: the picture reads reversed
}  // namespace photo

// Light fixtures: the flood light (component 83), the fixture lights (a fixed-component group
// and each of its pieces). The ambient flag of a fixture light's piece replaces the symbol code
// its texture field held.
namespace light {
inline constexpr Field<int32_t> kOff{&Objex::optionA};       // non-zero: switched off
inline constexpr Field<int32_t> kDimmer{&Objex::optionB};    // 0 full brightness .. 255
inline constexpr Param kGlow{0};           // 0.0 shows the glow, anything else hides it
inline constexpr Param kBeamWidth{1};      // the radius the tools set; the shadow view's field of view
inline constexpr Param kFalloff{2};
inline constexpr Param kRotation{3};       // degrees, lights turned in plan (147, 148)
inline constexpr Field<int32_t> kAmbient{&Objex::texture};  // 1 when the fixture also throws ambient light
// A fixture group's light type code (79-82, 146-152), in the field its pieces hold ambient in.
inline constexpr Field<int32_t> kSymbolType{&Objex::texture};
inline constexpr int32_t kFloodSubtype = 83;
}  // namespace light

// Grid surfaces (10, subtype 173): a height field of columns x rows cells, each point's
// height its second coordinate.
namespace grid_surface {
inline constexpr int32_t kSubtype = 173;
inline constexpr Field<int32_t> kColumns{&Objex::optionA};
inline constexpr Field<int32_t> kRows{&Objex::optionB};
inline constexpr Param kCellWidth{0};
inline constexpr Param kCellDepth{1};
}  // namespace grid_surface

// Sprinklers (125): the watered arc in degrees.
namespace sprinkler {
inline constexpr Param kArcAngle{0};
}  // namespace sprinkler

// Staircases (38).
namespace stair {
inline constexpr Param kWidth{0};
inline constexpr Param kRiser{1};            // riser height
inline constexpr Param kTread{2};            // tread depth
inline constexpr Param kRailHeight{3};      // hand rails above the treads
inline constexpr Param kSizeD = kRailHeight;
inline constexpr Param kFloorHeight{4};      // the height of the floor it climbs: its total rise
// Rails are built only where the value is exactly 1.
inline constexpr Field<int32_t> kLeftRail{&Objex::optionA};
inline constexpr Field<int32_t> kRightRail{&Objex::optionB};
inline constexpr Field<uint8_t> kSkirtWalls{&Objex::flagA};
// 0.0 open steps; 1.0 closed steps with under-stair panels; any other value closed without.
inline constexpr Field<float> kOpenSteps{&Objex::plantAge};
inline constexpr float kClosedSteps = 1.0f;
// Stringers with a sloped top instead of a saw-tooth one; files before 10800 store 0.
inline constexpr Field<int16_t> kClosedStringer{&Objex::penStyle};
// Stringers keep a level foot on the floor under the first two steps; files before 10800 store 0.
inline constexpr Field<int16_t> kLargeBase{&Objex::fillPattern};
// Rails, spindles and posts: the first material slot; steps and landings: the second.
inline constexpr Field<int32_t> kRailTexture{&Objex::texture2};
inline constexpr Field<RGBColor> kRailColour{&Objex::color2};
inline constexpr int kRailScaleSlot = 0;
inline constexpr Field<int32_t> kStepTexture{&Objex::texture3};
inline constexpr Field<RGBColor> kStepColour{&Objex::color3};
inline constexpr int kStepScaleSlot = 1;
}  // namespace stair

// Railings (45): the handrail height and the baluster spacing (`kValueB`) in inches; a point's
// flag word with `kPostAtPoint` set stands a post there.
namespace railing {
inline constexpr Param kHeight{0};
inline constexpr Param kValueB{1};
inline constexpr Param kBalusterSpacing = kValueB;
// Rails, spindles and posts: the second material slot; panels: the third.
inline constexpr Field<int32_t> kRailTexture{&Objex::texture2};
inline constexpr Field<RGBColor> kRailColour{&Objex::color2};
inline constexpr int kRailScaleSlot = 0;
inline constexpr Field<int32_t> kPanelTexture{&Objex::texture3};
inline constexpr Field<RGBColor> kPanelColour{&Objex::color3};
inline constexpr int kPanelScaleSlot = 1;
inline constexpr Field<int32_t> kFlagA{&Objex::optionA};
inline constexpr Field<int32_t> kFlagB{&Objex::optionB};
inline constexpr PointField<int32_t> kPointFlags{&Poinz::segmentFlags};
inline constexpr int32_t kPostAtPoint = 0x20;
}  // namespace railing

// Paths (22): the width in inches and the style, the material number that also picks its
// colours; the tool's straight or curved form follows in `optionB`.
namespace path {
inline constexpr Field<float> kWidth{&Objex::penWidth};
inline constexpr Field<int32_t> kStyle{&Objex::texture};
}  // namespace path

// Edgings (24): the style, 0 for the curved form.
namespace edging {
inline constexpr Field<int32_t> kStyle{&Objex::optionB};
inline constexpr int32_t kCurved = 0;
}  // namespace edging

// Decks (51).
// Decks (51): heights and spacing in inches; each point describes the edge that starts at it.
namespace deck {
inline constexpr Param kHeight{0};
inline constexpr Param kBalusterSpacing{1};
inline constexpr Field<float> kStepStyle{&Objex::plantAge};  // 1.0 closed risers, 0.0 open steps
inline constexpr PointField<int32_t> kEdgeFlags{&Poinz::segmentFlags};
inline constexpr int32_t kHandrailEdge = 1;
inline constexpr int32_t kSkirtingEdge = 4;      // skirting down to the ground, else a fascia band
inline constexpr int32_t kLeftStepRail = 8;
inline constexpr int32_t kRightStepRail = 16;
inline constexpr int32_t kPostCorner = 32;
inline constexpr int32_t kRailingEdge = kHandrailEdge | kPostCorner;
struct EdgeValue {
    int index;
    constexpr float& operator()(Poinz& p) const { return p.segmentValues[index]; }
    constexpr float operator()(const Poinz& p) const { return p.segmentValues[index]; }
};
inline constexpr EdgeValue kHandrailHeight{0};   // inches
inline constexpr EdgeValue kStepWidth{1};        // inches
inline constexpr EdgeValue kStepHeight{2};       // total step height, inches
}  // namespace deck

// Freehand roofs (57) and the slabs generated from them (59); a slope arrow (58) keeps the
// pitch its panel had when the arrow was made.
namespace freehand_roof {
inline constexpr Param kSlopeDirection{0};   // degrees, the downhill direction in plan
inline constexpr Field<float> kPitch{&Objex::penWidth};
// Non-zero: point heights are measured down from the elevation. The inspector calls it the
// panel's elevation reference (0: the lowest point sits on the base elevation).
inline constexpr Field<int16_t> kHeightsDownward{&Objex::elevationMode};
}  // namespace freehand_roof

// Foundation elements: stiffener beams (114), piers (115); air ducts (117).
namespace beam {
inline constexpr Param kDepth{2};
inline constexpr Param kWidth{3};
}  // namespace beam
namespace pier {
inline constexpr Param kWidth{0};            // the diameter, inches
}  // namespace pier
namespace duct {
inline constexpr Param kWidth{2};
inline constexpr Param kHeight{3};
}  // namespace duct

// Imported solids of subtype 158 (15) and glass pieces (158): the opacity 0-255 the scene
// gives them, where an object file leaves a translucent solid's pattern.
namespace translucent {
inline constexpr Field<int32_t> kAlpha{&Objex::optionB};
}  // namespace translucent

// Wall accessories (157): how far the accessory's plane lets the wall show through, 0
// (opaque) to 255. A general parameter, so a new accessory is opaque and the value is stored.
namespace accessory {
inline constexpr Param kTranslucency{0};
// The name an accessories entry's info file gives it (owned text; none without one).
inline constexpr Field<char*> kName{&Objex::text};
}  // namespace accessory

// Imported 3D objects (15), and a group whose first child is one: 1 casts no shadow.
namespace fentrix {
inline constexpr Field<int32_t> kShadowOff{&Objex::optionA};
}  // namespace fentrix

// A root object's no-shadow mark, 1 when it casts no shadow (light fixtures 150-152 from the
// start): the green word of its aux colour. Imported objects keep theirs in kShadowOff.
namespace no_shadow {
struct Mark {
    constexpr uint16_t& operator()(Objex& o) const { return o.auxColor.green; }
    constexpr uint16_t operator()(const Objex& o) const { return o.auxColor.green; }
};
inline constexpr Mark kMark{};
}  // namespace no_shadow

// Topography excavations (134).
namespace excavation {
inline constexpr Param kDepth{2};
}  // namespace excavation

// Enhanced text (145): the smallest box the text is grown to.
namespace text_box {
inline constexpr Param kMinimumWidth{1};
inline constexpr Param kMinimumHeight{2};
}  // namespace text_box

// Text objects (144 rotated, 145 standard). The string, font and box live in the text record.
namespace text_object {
inline constexpr Param kAngle{0};                        // rotated text, degrees
// One stored word by type: the rotated text's half width, refitted by the draw; the standard
// text's alignment (0 left, 1 centred, 2 right; any other value reads as left).
inline constexpr Field<int32_t> kHalfWidth{&Objex::optionA};
inline constexpr Field<int32_t> kAlignment{&Objex::optionA};
inline int16_t Alignment(const Objex& o) {
    const int32_t a = kAlignment(o);
    return a == 1 || a == 2 ? static_cast<int16_t>(a) : 0;
}
// An old text record's alignment code (1 centred, -1 right, anything else left) as the word
// keeps it.
inline int32_t AlignmentOfRecordCode(int16_t code) { return code == -1 ? 2 : code == 1 ? 1 : 0; }
}  // namespace text_object

// Roofs (14): the pitch (rise per 12) and the style code 1-6 (hips, gables, open ends).
namespace roof {
inline constexpr Field<float> kPitch{&Objex::penWidth};
inline constexpr Field<int32_t> kStyle{&Objex::optionB};
// Style codes; any other code builds plain ends. The tool of each style writes it (7300-7305).
inline constexpr int32_t kHipStyle = 1;
inline constexpr int32_t kGableStyle = 2;
inline constexpr int32_t kHipGableStyle = 3;
inline constexpr int32_t kGableConnectorStyle = 4;
inline constexpr int32_t kHipConnectorStyle = 5;
inline constexpr int32_t kCrossConnectorStyle = 6;
// What closes each end: the left end is the P3-P0 edge, the right end the P1-P2 edge. A hip
// pulls the ridge in by half the span, an open end pushes it out as far.
enum class End : uint8_t { Plain, Hip, Gable, Open };
constexpr End LeftEnd(int32_t style) {
    switch (style) {
    case kHipStyle: case kHipGableStyle: return End::Hip;
    case kGableStyle: return End::Gable;
    case kGableConnectorStyle: case kHipConnectorStyle: case kCrossConnectorStyle: return End::Open;
    default: return End::Plain;
    }
}
constexpr End RightEnd(int32_t style) {
    switch (style) {
    case kHipStyle: case kHipConnectorStyle: return End::Hip;
    case kGableStyle: case kHipGableStyle: case kGableConnectorStyle: return End::Gable;
    case kCrossConnectorStyle: return End::Open;
    default: return End::Plain;
    }
}
// The style a roof tool draws, 0 for other tools.
constexpr int32_t StyleOfTool(int32_t tool) {
    switch (tool) {
    case 7300: return kGableStyle;
    case 7301: return kHipStyle;
    case 7302: return kHipGableStyle;
    case 7303: return kGableConnectorStyle;
    case 7304: return kHipConnectorStyle;
    case 7305: return kCrossConnectorStyle;
    default: return 0;
    }
}
}  // namespace roof

// Roof sections: the type-32 pieces of a roof (14) and the slab (59) a freehand roof (57)
// generates. The lower surface at plan (x, z) lies at ComputePointOnPlane(x, z, a, b, c, d) - e
// (V grows downward); e is -12 on pieces and the slab's subtracted anchor value on slabs.
namespace roof_section {
struct Coefficient {
    int index;
    constexpr float& operator()(Objex& o) const { return o.sectionPlane[index]; }
    constexpr float operator()(const Objex& o) const { return o.sectionPlane[index]; }
};
inline constexpr Coefficient kA{0};
inline constexpr Coefficient kB{1};
inline constexpr Coefficient kC{2};
inline constexpr Coefficient kD{3};
inline constexpr Coefficient kOffset{4};
inline constexpr float kPieceOffset = -12.0f;
}  // namespace roof_section

// Lens shapes (128) of custom skylights: their depth, the last of the five dimension floats
// the definition stores; the lens's back half lies this far below its front half.
namespace skylight_lens {
inline constexpr Param kThickness{4};
}  // namespace skylight_lens

// The pieces of a door's piece list: their shade, the fifth parameter (a custom door's
// hardware spreads it over 0.9 to 1.0). A door's infill plane shows that share of its light
// when it is above 0, else 0.9.
namespace door_piece {
inline constexpr Param kShade{4};
inline constexpr float kInfillShade = 0.9f;
}  // namespace door_piece

// Lot points (62, 133): the descent in degrees.
namespace lot_point {
inline float& Descent(Poinz& p) { return p.segmentValues[0]; }
inline float Descent(const Poinz& p) { return p.segmentValues[0]; }
}  // namespace lot_point

// Topography lines (30): the height.
namespace topo_line {
inline constexpr Field<float> kHeight{&Objex::penWidth};
}  // namespace topo_line

// Plants (28): the planting age the plant adds to its age.
namespace plant {
inline constexpr Field<int16_t> kPlantingAge{&Objex::fillPattern};
}  // namespace plant

// Rotation angles in degrees: built-in fixed-component symbols keep theirs in the first
// parameter; an imported object (15), a group holding one, and a group marked by `linkB` in
// the fifth.
namespace rotation {
inline constexpr Param kFixedComponent{0};
inline constexpr Param kImported{4};
}  // namespace rotation

// Points of any type: the flag their key-entry handle was last drawn with (memory only: files
// do not store it, duplicates do not copy it).
namespace point {
inline constexpr PointField<int16_t> kKeyEntryMark{&Poinz::valueR};
}  // namespace point

}  // namespace objfield
