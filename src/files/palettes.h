#pragma once
// Named material palettes of a document: 150 entries in 15 groups of 10. A texture field
// from -1001 down to -1999 links to entry |value + 1000| of the active palette.
#include <cstdint>

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
