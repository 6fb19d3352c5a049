#pragma once
// Plant objects (type 28) as a click, a drop or a fill with plants makes them: a square
// outline at the plan origin on the layer's base height, sized by the plant's data, appended
// to the layer and built in 3D. The caller moves it where it belongs.
#include <cstdint>

struct Layer;
struct Objex;
struct SymEntryInfo;

// A stock plant of the texture: its plant record read from the texture's info file, both
// texture IDs of every point the texture. With useDocumentStyle the colours, pen and pattern
// are the document's current ones, else white fill, black pen, pen style 6, width 1. The side
// is the plant's grown width, 200 when it has no plant record. Null without a layer, a
// current document and its settings, or when the object or a point cannot be made.
Objex* BuildLandscapePlant(Layer* layer, uint8_t useDocumentStyle, int32_t textureID);
// A user plant (subtype 153) of the entry's data file: the record read from the ".pui" file
// beside it, a copy of the path as its type data, and a fresh custom texture ID
// (gCurrentPhotoTextureID, then counted up) in its texture slots and on every point. Null
// also without an entry.
Objex* BuildUserLandscapePlant(Layer* layer, uint8_t useDocumentStyle, const SymEntryInfo* entry);
