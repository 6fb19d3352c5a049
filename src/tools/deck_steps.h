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

// Adds a step at the middle of the edge from `edgeStart` to `edgeEnd` with the document's
// step width (at most the edge length less 5 plan units), total step height and handrail
// defaults, as the deck's last child.
void AddDeckSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd);
