#pragma once
// Refitting deck steps to their edges and dragging them (the record and making one:
// model/deck_step_records.h).
#include <cstdint>

#include "model/deck_step_records.h"

struct Objex;
struct Poinz;

struct Layer;

// Refits a step to its edge (narrowed to the working length less 10, centred inside it);
// 1 when it no longer fits and was deleted, else 0.
int16_t UpdateDeckAttachment(Objex* step);
// Refits every step of the deck; the number deleted, reported with one alert.
int16_t UpdateAllDeckAttachments(Objex* deck);
void UpdateAllDeckAttachmentsLayer(Layer* layer);
void UpdateAllDeckAttachmentsAllLayers(Layer* firstLayer);

// The move tool's drag of the deck step in gClickInfo: an end hit moves that end (the width
// follows), a hit on its line moves it whole along its edge; any other hit selects it alone.
// The caller rebuilds the deck.
void TranslateDeckAttachment();
