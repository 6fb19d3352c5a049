#pragma once
// Object files of the sibling modelling product: custom 3D objects imported onto the current
// floor. Big-endian: version (10000 or 10001), platform, a settings length that is not
// trusted, a 680-byte settings block that is passed over, then a tagged object section
// (100 layer record, ignored; 200 object record; 400 end; any other tag ignored). Every
// coordinate is stored three times its plan value. A sidecar beside the file (its last three
// characters replaced by "OBD") may say [Style] Object2D=1: the objects then come in as 2D
// objects (31) instead of imported 3D objects (15). Groups are not rebuilt: their members
// come in as separate objects.
//
// The writer of this format is not built: nothing calls it.
#include <cstdint>

struct Layer;
struct Objex;

inline constexpr uint32_t kOBJDocStateLength = 680;

// Set for the length of one import whose sidecar asks for 2D objects.
extern uint8_t gObjectStyle2D;

// Imports the file onto the current layer: each object selected, its plan bits those of
// gWorkbenchObject (or the current plan), rendered unless a content drop is in progress.
// True when the import ran and a current layer exists. False without a document or path,
// while another file is read or written, when the file cannot be opened (silently), or for
// another version (any sheet on the main window is closed and the modal alert "Unable to
// load the object file." shown). gObjectStyle2D and the read version are put back on every
// exit.
bool ObjectFileRead(const char* path);

// The steps of the reader, in file order.
bool OBJDoReadHeader();
// The settings length and block: exactly kOBJDocStateLength bytes, whatever the length says.
void OBJDoReadDocState();
// Passes over the block; false when it was not all there.
bool ApplePortReadPaddedOBJDocState();
// The object section onto `layer` (the current layer), until tag 400 or the end of the input.
void OBJDoReadObjects(Layer* layer);
// The layer record after tag 100, read and ignored.
void OBJReadALayer();
// One object record after tag 200: the object, appended to `layer`, or null when it was
// dropped (unusable coordinates, no points, a group, or a record cut short).
Objex* OBJReadAnObject(Layer* layer);
// The fields every object record starts with (type to face axis). The stored point count
// and rows are kept only until the points are read.
void OBJReadObjectInfo(Objex* object);
// The points: each selected, its coordinates divided by 3, its faces coloured like the
// object (white under a texture). Afterwards `pointCount` is the number read and `rows` 1
// unless it divides that number. False when the input ended before every announced point.
bool OBJReadObjectPoints(Objex* object);
// Imported objects carry no type-specific record: nothing to read.
void OBJReadObjectData(Objex* object);
