#pragma once
// The two parts every object record starts with: the object info (the fields all types
// share) and the point list, in the layout of each design file version, and the texture ID
// encoding every format uses. The type-specific tail that follows them is type_data_io.h.
//
// Readers switch on `sInputVersion`, writers on `sWriteVersion`; both are set by whoever
// starts the file (design file, snapshot, copy buffer, template, cabinet file). Big-endian
// unless a field says little-endian.
#include <cstdint>
#include <string>

struct FloatRect;
struct Objex;
struct Poinz;
struct RGBColor;

// Version of the file being read and of the file being written (11100 until set).
extern int32_t sInputVersion;
extern int32_t sWriteVersion;
// Set by the readers that merge into the open document: read objects are selected.
extern uint8_t gOpenSymbol;
// Set by the 2D-symbol drop: read objects and points keep the IDs they were created with.
extern uint8_t gUpdateID;
// Set while a cabinet file is read: objects become cabinet parts (136) with the plan bits of
// `gCabinetObject` (the cabinet being built), or of the current plan when there is none.
extern uint8_t gCabinetOpen;
extern Objex* gCabinetObject;

// --- versions ---
// The accepted design file versions are 10000, 10300, 10350, 10351, 10400, 10410, 10450,
// 10500, 10700, 10701, 10750, 10800, 10900, 11000 and 11100. Each boundary has one name.
namespace filever {

inline constexpr int32_t kCurrent = 11100;

bool IsAcceptedVersion(int32_t version);

// Objects and points carry their stored IDs.
inline bool HasStoredIDs(int32_t v) { return v >= 10500; }
// Stored IDs are checked against the document before they are taken.
inline bool ValidatesStoredIDs(int32_t v) { return v == 10700; }
// A group's record carries its group kind after the type.
inline bool HasGroupKind(int32_t v) { return v >= 10700; }
// Texture IDs use the custom-texture encoding; object info ends with the object's text;
// attachment records and wall point trims take their current form (all from 10800).
inline bool HasTextureIDEncoding(int32_t v) { return v >= 10800; }
inline bool HasObjectText(int32_t v) { return HasTextureIDEncoding(v); }
inline bool HasTrimRecords(int32_t v) { return HasTextureIDEncoding(v); }
// Trim records carry their five material groups; roofs carry their attachments.
inline bool HasTrimMaterials(int32_t v) { return v >= 10900; }
inline bool HasRoofTails(int32_t v) { return HasTrimMaterials(v); }
// Palette links may be stored as they are (files without palettes get resolved values).
inline bool KeepsPaletteLinks(int32_t v) { return v >= 11000; }
// Decks carry their steps in their tail.
inline bool HasDeckTails(int32_t v) { return v >= 10351; }
// User plants carry their image path; plant records are no longer rebuilt from textures.
inline bool HasUserPlantPaths(int32_t v) { return v >= 10750; }
// Roofs, roof panels and the wall-bound materials of the current program.
inline bool HasCurrentMaterials(int32_t v) { return v >= 10750; }
// Fences carry their own sizes and materials.
inline bool HasFenceMaterials(int32_t v) { return v >= 10800; }
// Object elevation, terrain flag, plan bits, the fourth material slot and five params.
inline bool HasElevationFields(int32_t v) { return v >= 10400; }
// Object info carries subtype, the second and third material slots, params and options.
inline bool HasMaterialSlots(int32_t v) { return v >= 10300; }
// The full object info (every field but the stored ID and text).
inline bool HasFullObjectInfo(int32_t v) { return v >= 10450; }
// Points carry their texture scales.
inline bool HasFaceScales(int32_t v) { return v >= 10450; }
// Faces with a texture kept their own colour (older files: white under a texture).
inline bool HasTexturedFaceColors(int32_t v) { return v >= 10450; }
// Points carry wall segment values (segment flags, first trim slot, two values).
inline bool HasSegmentValues(int32_t v) { return v >= 10300; }
// Points carry the second trim slot and the third segment value.
inline bool HasSecondTrimSlot(int32_t v) { return v >= 10350; }
// Points carry base elevation, wall style, dimension fields and all five segment values.
inline bool HasWallPointFields(int32_t v) { return v >= 10400; }
// Files of the first two releases (no elevations, older wall and stair layouts).
inline bool IsFirstReleaseFile(int32_t v) { return v <= 10351; }
// Deck steps were kept on the edge's start point.
inline bool HasEdgeDeckSteps(int32_t v) { return v == 10350; }
// Built-in fixtures of these files lack their current option defaults.
inline bool NeedsFixtureDefaults(int32_t v) { return v <= 10500; }
// Wall trims carried no materials of their own.
inline bool NeedsWallTrimMaterials(int32_t v) { return v <= 10800; }
// Stairs carried a pen style and pattern that are no longer meaningful.
inline bool NeedsStairStyleReset(int32_t v) { return v <= 10800; }
// Library plants with wire-frame or later images are not kept.
inline bool DropsNewerLibraryPlants(int32_t v) { return v < 10800; }

}  // namespace filever

// --- input helpers shared by the record readers ---

// Bytes left in the input (the scrap while pasting).
uint32_t RemainingInput();
// True once a read ran short or nothing is left.
bool AtEndOfInput();
// Moves past `count` bytes; a count beyond the input consumes the rest and marks it short.
void SkipInput(uint32_t count);
// Reads a stored string of `length` bytes. A length beyond the input consumes the rest,
// marks it short and gives false; a length of 0 or less reads nothing and gives true.
bool ReadStoredString(int32_t length, std::string* text);
// Writes an i32 length and the bytes (none for null).
void WriteStoredString(const char* text);

// Colours as three u16 channels, big-endian (Color) or little-endian (StdColor); a
// FloatRect as its four little-endian floats in memory order.
void WriteColor(const RGBColor& color);
void ReadColor(RGBColor* color);
void WriteStdColor(const RGBColor& color);
void ReadStdColor(RGBColor* color);
void WriteStdRect(const FloatRect& rect);
void ReadStdRect(FloatRect* rect);

// --- palette links on writing ---

// Whether writers store palette links as the textures they stand for (below 11000, or
// while gConvertPaletteIDs is set).
bool WritesResolvedPaletteLinks();
// For a palette link: `color` (and `color2` when given) take the entry's colour, each 8-bit
// channel times 257, and the scale the entry's texture scale. Other IDs change nothing.
void TakePaletteMaterial(int32_t texture, RGBColor* color, RGBColor* color2, int16_t* scaleH,
                         int16_t* scaleV);
// The texture ID to store under the palette rule.
int32_t StoredTextureID(int32_t texture);

// --- texture IDs ---

// Below 20000: the ID. A custom texture: -1, the length of its path and the path (-1 and 0
// when the document lists no path).
void WriteTextureID(int32_t textureID);
// The stored ID; for -1 the document's ID of the stored path (registered when new), 0 when
// the path is empty. The path's bytes are always consumed.
int32_t ReadTextureID();
void WriteStdTextureID(int32_t textureID);
int32_t ReadStdTextureID();

// --- object info and points ---

// The object info at `sWriteVersion`. Below 11000, or with gConvertPaletteIDs, palette links
// are written as their textures and the object takes each linked entry's colour and scale.
void WriteObjectInfo(Objex* object);
// Fills an object made by CreateObject from the info at `sInputVersion`, with the stored ID
// (given back to the counter) and the repairs older files need.
void ReadObjectInfo(Objex* object);
// The point list: its count and every point, with the same palette rule for the two faces.
void WriteObjectPoints(Objex* object);
// Appends the stored points. Afterwards `pointCount` is the number of points in the list
// and `rows` is 1 unless it divides that number.
void ReadObjectPoints(Objex* object);

// --- repairs ---

// Version-10350 decks kept their steps on the edge: adds the step of the edge from `previous`
// to `point` when the edge asks for one, with the edge's own step sizes and handrails.
void UpdateDeckSteps(Objex* deck, Poinz* previous, Poinz* point);
// Every selected cabinet part (136) on every layer: its elevation, converted to plan units,
// is subtracted from each point's V, and the elevation becomes 0.
void AdjustCabinetObjectElevation();
