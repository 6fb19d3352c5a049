#pragma once
// New attachment records filled with what their tools give them, for the tools to complete and
// hang on their objects (`TypeData::OfAttachment`, `OfRoofAttachment`). Each returns a new
// zero-filled record the caller owns, or null without both segment points, a current document
// with its settings, or memory. Lengths are plan units unless noted; the centre distance runs
// from the segment start and the remainder is what is left of the segment after it.
#include <cstdint>

#include "model/type_data.h"

struct Objex;
struct Poinz;

// The flips new windows take: the side flag and the direction flag of their records.
extern uint8_t gFlipWinHorizontal;
extern int16_t gFlipWinVertical;

// The document's door or window style, size, elevation (never below 0) and trim width; trims
// of texture 2218 at that texture's size, colours white.
AttachmentRecord* NewDoorRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance);
AttachmentRecord* NewWindowRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance);
// The accessory sizes kept while the application runs; side 1 is the side at the segment
// angle + 90 degrees. Untextured trims.
AttachmentRecord* NewAccessoryRecord(Poinz* segmentStart, Poinz* segmentEnd, float centreDistance, uint8_t side);
// A wall component of the symbol type, with the symbol's size and mounting elevation.
AttachmentRecord* NewComponentRecord(int16_t symbol, Poinz* segmentStart, Poinz* segmentEnd, float centreDistance,
                                     uint8_t side);
// Width along the wall and height (the third point's reach) of a new component of the symbol.
void ComponentDefaultSize(int16_t symbol, float* width, float* height);

// The roof section subtype is that of the type-14 roof's piece holding it, 0 on a panel.
// Skylights: the document's style and sizes, angle 90, texture 2218 at its size.
RoofAttachmentRecord* NewSkylightRecord(Objex* skylight, int32_t sectionSubtype);
RoofAttachmentRecord* NewDormerCutoutRecord(Objex* cutout, int32_t sectionSubtype);
