#pragma once
// Materials, colours, palette entries and mouldings dropped on the live view. The drop point
// is picked (render/core/pick_seams.h) to the plane object under it; the new material is
// written through that piece's source fields into the model, carried over to the model object
// as its type asks, and the object is rebuilt. A drop on the sky changes the backdrop, one on
// the ground the lot. Only pieces of the scene built from the current design are changed.
//
// Results: 1 when an object was changed (rebuilt, for mouldings); 0 for the backdrop, the lot,
// a refused call, no selection buffer or nothing usable hit.
#include <cstdint>

#include "model/types.h"

struct Objex;
struct Poinz;
struct SymEntryInfo;
struct TrimRecord;

// The texture, written only when above 0; no colour; size 100/100. A negative ID is refused.
int32_t ApplyTexture(int32_t x, int32_t y, int32_t textureID);
// The custom texture of the entry's image (registered when new). A wall accessory also takes
// the name its info file gives; a photo shows the image.
int32_t ApplyCustomTextureImage(int32_t x, int32_t y, const SymEntryInfo& entry);
// The colour packed as bytes (red lowest), no texture; translucent keeps the alpha in the size
// pair (65535, alpha).
int32_t ApplyColor(int32_t x, int32_t y, uint32_t color, uint8_t translucent, uint16_t alpha);
// The palette reference itself (-1001 down) as the texture; refused for an entry the active
// palette lacks or whose texture is negative. A colour entry gives its own size.
int32_t ApplyPalette(int32_t x, int32_t y, int32_t paletteRef);

// Moulding IDs 100-104 base, 200-204 paneling, 300-304 wainscot cap, 400-404 crown; on a wall
// face the code goes into its trim record (with Shift into that side of every point), on a
// door's or window's trim the trim width.
int32_t ApplyMoulding(int32_t x, int32_t y, int32_t mouldingID);
// The content palette's custom trim on a wall face (with Shift on that side of every point)
// or on the picked side of a door or window. A negative ID is refused.
int32_t ApplyCustomMoulding(int32_t x, int32_t y, int32_t id);
// The moulding's code on the side of every point of the wall that the record lies on (the
// first side without a start point).
void ApplyStandardMouldingToEntireWallGroup(Objex* wall, TrimRecord* record, Poinz* segmentStart, int32_t mouldingID);
// The current custom trim on that side of every point, each record with a profile of its own.
void ApplyCustomTrimFileToEntireWallGroup(Objex* wall, TrimRecord* record, Poinz* segmentStart);

// Every cabinet part of the object's cabinet group whose style (subtype) is `style` takes the
// material in both its sets and on both sides of its points, and is rebuilt.
void AssignCabinetTextures(int32_t style, int32_t texture, ShortPoint size, RGBColor colour, Objex* object);

// Kept for the live view's handlers; they change nothing.
int32_t ApplyCustomTexture(int32_t x, int32_t y, int32_t textureID);
int32_t Select3DObject(int32_t x, int32_t y);
int32_t EyeDropper3DPick(int32_t x, int32_t y);
