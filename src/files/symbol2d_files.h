#pragma once
// 2D symbol files: design files whose objects all become children of one symbol object,
// moved so that the symbol's origin lies at their centre. They feed the built-in symbol
// lists (symbol_lists.h). The settings block is read by version and thrown away.
#include <cstdint>

struct Layer;
struct Objex;

// Reads the file's objects into `symbol` as its children and centres them. 1 when read; 0
// without a symbol, path or current document, while another file is read or written, or
// when the file cannot be opened or has a version no design file has (no message; the
// symbol stays as it was). The objects take the document's ID counters, as any reader's,
// but keep no link into the document: their `layer` links are cleared.
int Symbol2DFileRead(const char* path, Objex* symbol);

// The object section of a 2D symbol file: every object that is not a group becomes a child
// of the symbol, selected; groups and layer records are read and dropped, and so is an
// object with unusable coordinates. The objects are read onto a layer of their own, never
// the document's, and keep no layer link.
void DoReadSymbol2DObjects(Objex* symbol);

// One object record (after its tag), created on `layer` but not appended to it. With
// `attach` set and unless it is a group, it takes the symbol's type and becomes the
// symbol's last child. Bounds, selection, texture mapping and point lengths follow; no 3D
// rebuild. Null without a layer, symbol or current document.
Objex* ReadASymbol2DObject(Layer* layer, uint8_t attach, Objex* symbol);

// Moves the symbol's children and grandchildren so that the middle of their plan extent
// lies on the origin across, and the back edge on the origin in depth (for fixed
// components the middle in depth too).
void Initialize2DSymbolObject(Objex* symbol);

// Unless the object is a group: the symbol's type, and the end of the symbol's child list.
void Append2DSymbolToParent(Objex* object, Objex* symbol);
// Unless the object is a group: the end of the symbol's part list.
void Append3DSymbolToParent(Objex* object, Objex* symbol);
// Copies of the 3D symbol's pieces (type 111, deselected, on the object's layer) moved by the
// offset (h, d) become the object's 3D pieces, taking no object or point number; nothing when
// the symbol is not listed.
void Attach3DSymbol(Objex* object, int16_t symbolType, const float offset[2]);

// Clears the `layer` link of the object, its children and parts, and everything below them.
void ClearSymbolLayerLinks(Objex* object);
