#pragma once
// What the detail tool panes and the detail object pane offer: the draw methods of each
// drafting tool with the globals they set, the fill patterns and line styles of detail
// objects, and the conversion menu worked out from the selected detail objects.
#include <cstdint>
#include <span>
#include <vector>

struct Layer;
struct Objex;

// --- draw methods ---

struct DrawMethodItem {
    const char* title;  // English
    int32_t tag;
};
// The draw methods of a detail tool (7700-7704, 7707); empty for any other tool.
std::span<const DrawMethodItem> DrawMethodItems(int16_t tool);
// The tool whose items hold the tag; 0 for a tag of none.
int16_t ToolOfDrawMethod(int32_t tag);
// Sets the globals the method stands for (squares, from the centre, closed, quarter arcs);
// false, with nothing set, for a tag of no tool.
bool SetDrawMethodGlobals(int32_t tag);
// Open polygons and open curves take no fill pattern.
bool DrawMethodTakesPattern(int32_t tag);

// The remembered method of each tool, as item tags; a new set agrees with the start values
// of the globals.
struct DrawMethods {
    int32_t rectangleDrawMethod = 0;
    int32_t ovalDrawMethod = 4;
    int32_t lineDrawMethod = 8;
    int32_t polygonDrawMethod = 10;
    int32_t arcDrawMethod = 12;
    int32_t splineDrawMethod = 14;
    // The tool's slot; null for a tool without draw methods.
    int32_t* forTool(int16_t tool);
};

// Oval, arc and curve tools (and shapes) draw no automatic dimensions worth a choice.
bool DetailToolOffersDims(int16_t tool);
bool DetailShapeOffersDims(int32_t subtype);
// Bit 0 of the detail flags and of a shape's display word: its automatic dimensions hidden.
inline constexpr int32_t kDimsHidden = 1;

// --- patterns and line styles ---

struct FillPatternItem {
    int16_t code;
    const char* title;  // English
    const char* image;  // the named image of the item
};
std::span<const FillPatternItem> FillPatterns();

struct LineStyleItem {
    const char* title;  // English
    int16_t code;       // the plan's pen style code
};
std::span<const LineStyleItem> LineStyles();
// The dash lengths of the style's preview in points (pen width 1), alternating on and off;
// empty for the solid style.
std::vector<float> LineStyleDashes(int16_t code);

// --- conversion ---

// What the selected detail objects of a floor have in common.
struct ConversionFacts {
    bool allThreePoints = true;       // every one has at least 3 points
    bool allOpenTwoPoints = true;     // every one is open and has at least 2 points
    bool noneCurved = true;           // no point has a tangent
    bool noneTwoPoints = true;        // none has exactly 2 points
    bool allClosed = true, allOpen = true;
};
ConversionFacts WorkOutConversionFacts(const Layer* layer);
bool DetailObjectIsCurved(const Objex* object);

struct ConversionItem {
    const char* title;  // English; null for a separator
    int32_t tag;        // the convert command (0 for the title item and separators)
};
// The conversion pop-up's items in order, its title item first.
std::vector<ConversionItem> ConversionMenuItems(const ConversionFacts& facts);
// Converts every selected detail object of the floor; the next detail object is found before
// one is converted, since a conversion may take it off the list. The number converted.
int ConvertSelectedDetailObjects(Layer* layer, int32_t command);
