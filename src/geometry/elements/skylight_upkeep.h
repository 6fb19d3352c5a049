#pragma once
// Keeping custom skylights' symbols in step with where the skylights stand: after a move or a
// change of the definition's settings, the symbols are rebuilt on the skylight's place and
// the skylight refitted to its roof (which may remove it).
#include <cstdint>

struct Layer;
struct Objex;

// A custom skylight (806) with a parent roof: its symbols rebuilt at the middle of its 3D
// bounds' plan rectangle with the record's angle, then refitted (`UpdateRoofAttachment`);
// 1 when the refit removed it. 0 for anything else, which is left as it is.
int16_t UpdateSkylightSymbols(Objex* skylight);
// Every skylight of every roof (14, 57) on the layer, then a plan redraw; the number removed.
int32_t UpdateSkylightSymbolsLayer(Layer* layer);
// The same over every layer of the current document.
int32_t UpdateSkylightSymbolsAllLayers();
