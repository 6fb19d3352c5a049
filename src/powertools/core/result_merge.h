#pragma once
// A plug-in tool's result ("data.pxf" in its exchange folder) merged into the current design:
// new objects onto floors, objects the tool names by ID replaced, the tool's data block
// stored, and the ID counters repaired.
//
// Result file (little-endian): the tool's ID (i32), the version (i32), the platform (i16),
// then tokens up to 500 or the end of the data, then the optional data block (600 ... 601).
// Tokens: 300 an object record; 302/303 a group's brackets (a group with no owner tool takes
// the file's tool ID); 306 and a cabinet state / 307 a cabinet group's; 308 a floor name (the
// target floor); 309 and 310 an object ID: that top-level object waits to be replaced by the
// next object read (on its floor for 309, on the current floor for 310).
#include <cstdint>

struct Layer;
struct Objex;

// The object waiting to be replaced: taken off its floor, put back when no replacement
// comes. Null between replacements.
extern Objex* gCurPlugInObject;

// 1 when the result was merged; 0 without a current document, when the file cannot be read,
// or, after an alert, when its version is none of the six (the design is then unchanged).
int PlugOutFileRead(const char* path);

// The steps, each on the input buffer.
int32_t DoReadPlugOutHeader();
void DoReadPlugOutObjects(int32_t plugInID);
// A floor name: the floor, or null when none has it.
Layer* ReadAPlugOutLayerName();
// An object ID: the top-level object that has it (first floor first) is selected, taken off
// its floor and made to wait (gCurPlugInObject); its floor, or null when none has it.
Layer* ReadAndLocatePlugOutObjectID();
void DoReadPlugOutBlackBox(int32_t plugInID);

// Whether a texture and colour (red and green as one value, red in the low half) still are
// what the palette entry of `link` gives.
int IsTextureIDLinkedToPalette(int32_t textureID, int32_t redGreen, int32_t blue, int32_t link);
// The palette links the old object had come back on the new one's slots that still match
// them; then the new object is rebuilt.
void UpdateObjectPaletteLinks(const Objex* oldObject, Objex* newObject);
