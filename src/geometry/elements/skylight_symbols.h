#pragma once
// Plan symbols of skylights on roofs: the bounds of a custom skylight's opening shapes, the
// outline points made from them, and the two filler planes of every skylight. The symbols
// live in the generated parts (`customParts`) of the skylight's roof attachment record.
#include <cstdint>

#include "model/skylight_bounds.h"
#include "model/types.h"

struct Objex;
struct RoofAttachmentRecord;

// The symbols a roof attachment is read with: a custom skylight's from its definition, centred
// on its 3D bounds; the two filler planes of other skylights; nothing for other owners. The
// rebuild table's symbol rebuild of skylights and cut-outs.
void RebuildSkylightSymbols(Objex* child);

// A closed filler plane (type 900, subtype `which`) on the skylight's layer from copies of
// its points, 16 up for which 1 and 2 down for which 0, mirrored about the skylight's centre
// by the record's flip flags, appended to the record's generated parts.
void CreateSkylightFillerPlane(Objex* skylight, int16_t which);

// Rebuilds a custom skylight's symbols from its definition (the record's part lists), scaled to
// the record's width and length, centred on (cx, cz) and turned by (angle - 90) degrees:
// opening shapes (61) each with two filler planes, frames (19) as bands of their line width,
// lenses (128) with their back half one thickness lower; then mirrored by the record's flips.
// Nothing without a document, the record or a definition of positive natural size.
void CreateCustomSkylightSymbols(Objex* skylight, float cx, float cz, float angle);
// A closed copy (type 900, subtype `kind`) of a symbol on the skylight's layer, 12 lower for
// kind 0, appended to the symbols.
void CreateCustomSkylightFillerPlane(Objex* skylight, Objex* shape, int16_t kind);
// Deletes the symbols and the definition's part lists, and empties them.
void DeleteCustomSkylightSymbols(RoofAttachmentRecord* record);
// Every point of the frames (19) and lenses (128) takes the texture, colour and texture scale
// on both faces.
void ApplyVisualAttributesToSkylightSymbols(Objex* skylight, int32_t texture, RGBColor colour, ShortPoint scale);
