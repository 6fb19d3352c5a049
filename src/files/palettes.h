#pragma once
// Named material palettes of a document: 150 entries in 15 groups of 10. A texture field
// from -1001 down to -1999 links to entry |value + 1000| of the active palette.
#include <cstdint>

#include "model/types.h"

struct Objex;

inline constexpr int gTotalPaletteSections = 15;
inline constexpr int gTotalPaletteEntries = 150;
inline constexpr int gPalettesPerGroup = 10;

enum PaletteEntryKind : int16_t {
    kPaletteEmpty = 0,
    kPaletteColor = 4,
    kPaletteTexture = 5,
    kPaletteCustomTexture = 9,
};

struct PaletteList {
    PaletteList* prev = nullptr;
    int32_t refID = 0;               // 1..150, the entry's position
    int16_t kind = 0;
    int32_t textureID = 0;           // standard texture (kind 5)
    int16_t textureScale[2] = {};    // percent, horizontal then vertical
    uint16_t secondColor[3] = {};
    uint16_t color[3] = {};          // 0..255 each (kind 4)
    char* path = nullptr;            // custom texture file (kind 9), owned
    char* name = nullptr;            // owned
    PaletteList* next = nullptr;
};

struct DocPaletteList {
    DocPaletteList* prev = nullptr;
    char name[128] = {};
    char groupNames[15][64] = {};
    uint8_t groupFlags[15] = {};     // 0: group shown expanded
    uint8_t active = 0;
    PaletteList* firstEntry = nullptr;  // owned
    DocPaletteList* next = nullptr;
};

// A new "Default Palette" (inactive) appended to the current document; null on failure.
DocPaletteList* AddNewDocPaletteList();
PaletteList* AddPaletteListEntry(DocPaletteList* palette, int32_t refID);
void DeleteDocPalette(DocPaletteList* palette);
void DeleteAllDocPalettes();
// Frees a palette that is in no document's list, with its entries.
void FreeDocPalette(DocPaletteList* palette);
DocPaletteList* GetActiveDocPaletteList();
PaletteList* GetCurrentPaletteList();
PaletteList* GetPaletteEntryFromRefID(int32_t refID);
int IsTextureAPalette(int32_t textureID);
// A link's texture: the entry's ID (kind 5), its custom texture's ID (kind 9), else 0.
int32_t GetPaletteTextureID(int32_t textureID);

// --- lookups ---

// Clears `active` on every palette and sets it on each one with exactly this name.
void SetActiveDocPaletteListByName(const char* name);
DocPaletteList* GetDocPaletteListByName(const char* name);
int DoesPaletteNameExists(const char* name);
// A link to a colour entry: the entry's colour (0..255 each); anything else: white (255).
void GetPaletteRGBColor(RGBColor* color, int32_t textureID);
// A link: the entry's scale, horizontal in the low half, vertical in the high half; anything
// else: 100, 100 (6553700).
int32_t GetPaletteTextureScale(int32_t textureID);
inline constexpr int32_t kDefaultPaletteScale = 100 | (100 << 16);
// The first entry of the active palette holding the texture, or for texture 0 the colour
// whose red is `red` (a 16-bit object component); its refID, else 0.
int32_t FindTextureOrColorInPalette(int32_t textureID, uint16_t red);
// 1 when the entry's group shows expanded, or when there is no such group or active palette.
int IsPaletteGroupExpanded(int32_t refID);
// The group of an entry (0-based).
inline int PaletteGroupOfRefID(int32_t refID) { return (refID - 1) / gPalettesPerGroup; }
// The texture value that links entry `refID`.
inline int32_t PaletteLinkOfRefID(int32_t refID) { return -1000 - refID; }

// --- edits ---

// The target takes kind, colour, texture, scale and copies of path and name.
void CopyPaletteListEntry(const PaletteList* source, PaletteList* target);
// The active palette's entry `refID` takes the source's values, then loses what its kind
// does not use.
void UpdateCurPaletteListEntry(int32_t refID, const PaletteList* source);
// Copies the active palette into the palette of that name (created when missing); 0 when no
// palette is active or creation fails.
int CopyCurrentPalette(const char* name, uint8_t makeActive);

// --- propagation to linked objects (palette_propagation.cpp) ---

// Rebuilds the object's 3D form when it links entry `refID`; its children are always visited.
// Needs a built scene.
void UpdatePalettedObjectFromPaletteEntry(Objex* object, int32_t refID);
// The same for every top-level object of every layer, with the live view's progress status.
void UpdateAllPalettedObjectsFromPaletteEntry(int32_t refID);
// The same for every entry of the active palette that is not a colour, without status.
void UpdateAllPalettedObjectsFromPaletteList();
// 1 when a piece of the scene shows entry `refID` through its link.
int IsPaletteLoaded(int32_t refID);
int IsAnyPaletteLoaded();
// The type's 3D rebuild after its materials changed (no re-render).
void RebuildPalettedObject(Objex* object);

// --- clipboard palette (palette_clipboard.cpp) ---

// Copy of the active palette taken at the last copy of objects; owned, outlives documents.
extern DocPaletteList* gClipBoardPalette;
// Set while pasting into another document than the one copied from.
extern uint8_t gUnlinkClipBoardFromPalette;
// With the previous one: resolved slots link again to matching entries of the receiver.
extern uint8_t gLinkClipBoardToCurPalette;
// Object writers store resolved values instead of links; nothing in the program sets it.
extern uint8_t gConvertPaletteIDs;

void CreateClipBoardPaletteList();
int32_t GetClipBoardPaletteTextureID(int32_t textureID);
void GetClipBoardPaletteRGBColor(RGBColor* color, int32_t textureID);
int32_t GetClipBoardPaletteTextureScale(int32_t textureID);
// Resolves the object's links (and its children's) against the clipboard palette.
void ConvertObjPaletteLinksToActual(Objex* object);

// --- files (palette_io.cpp) ---

// Appends the palette section to the design file being written (versions 11000 and 11100).
void DoWritePalettes(int32_t writeVersion);
// Replaces the document's palettes with the section at the read position (11000, 11100).
void DoReadPalettes(int32_t fileVersion);
// One palette as the design file's section holds it, little-endian: tag 622, active flag,
// name, groups, entries (the exchange file of plug-in tools).
void WriteStdPaletteList(const DocPaletteList* palette);
// Replaces the document's palettes with a count and palettes of that form, to 623.
void ReadStdPaletteLists();
// Writes the active palette to a palette file; 1 on success.
int PaletteFileWrite(const char* path);
// Reads a palette file into the active palette's groups and the entries from `firstEntry`.
int PaletteFileOpen(const char* path, PaletteList* firstEntry);
