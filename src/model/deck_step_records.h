#pragma once
// Steps set into a deck edge: a two-point child of the deck (type 53) whose attachment record
// holds the edge, the step's centre distance and remainder, its width and total height
// (plan units), and its left and right handrail flags. Making one is model work, so a reader
// repairing an old file adds them too; refitting and dragging them are the tools'
// (tools/deck_steps.h).
#include <cstdint>

#include "model/type_data.h"

struct Objex;
struct Poinz;

// Plan units an inserted step leaves free along its edge.
inline constexpr float kDeckStepEdgeMargin = 5.0f;

// The handrail flags are the record's two 16-bit flag fields (1 = on).
inline int16_t& DeckStepLeftHandrail(AttachmentRecord* record) { return record->directionFlag; }
inline int16_t& DeckStepRightHandrail(AttachmentRecord* record) { return record->frameFlag; }

// Steps of the given width on a deck edge, with the document's total height and handrails;
// untextured trims.
AttachmentRecord* NewDeckStepRecord(Poinz* edgeStart, Poinz* edgeEnd, float centreDistance, float width);

// Adds a step at the middle of the edge from `edgeStart` to `edgeEnd` with the document's
// step width (at most the edge length less 5 plan units), total step height and handrail
// defaults, as the deck's last child. None when the width would not stay above 0.
void AddDeckSteps(Objex* deck, Poinz* edgeStart, Poinz* edgeEnd);
