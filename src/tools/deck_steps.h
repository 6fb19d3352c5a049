#pragma once
// Steps set into a deck edge: a two-point child of the deck (type 53) whose attachment record
// holds the edge, the step's centre distance and remainder, its width and total height
// (plan units), and its left and right handrail flags.
#include <cstdint>

#include "model/type_data.h"

struct Objex;
struct Poinz;

// The handrail flags are the record's two 16-bit flag fields (1 = on).
inline int16_t& DeckStepLeftHandrail(AttachmentRecord* record) { return record->directionFlag; }
inline int16_t& DeckStepRightHandrail(AttachmentRecord* record) { return record->frameFlag; }

struct Layer;

// Adds a step at the middle of the edge from `edgeStart` to `edgeEnd` with the document's
// step width (at most the edge length less 5 plan units), total step height and handrail
// defaults, as the deck's last child. None when the width would not stay above 0.
void AddDeckSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd);

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
