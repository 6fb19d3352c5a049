#pragma once
// One string into the plan at a plan position: object labels, the two kinds of text object,
// rubber-band labels, elevation labels and the size callouts of doors and windows. Each
// routine measures and draws through the main window's plan view and draws nothing without
// it, a current document or a text. Angles are degrees, counter-clockwise on screen; plan
// positions (h, v) lie at elevation 0. The device-context argument is always null.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/types.h"
#include "port/winrecords.h"

struct AttachmentRecord;

// An object label in the document font and the plan pen colour, 6 units off the anchor
// toward angle - 90 and turned by the angle as given.
void DrawNormalText(void* dc, const char* text, float h, float v, float angle);
// The same label, but one that would read upside down (its angle, taken round to 0-360,
// in (90, 270]) is turned half a turn about its own centre: place and size stay.
void DrawUprightNormalText(void* dc, const char* text, float h, float v, float angle);
// Turns the text exactly as DrawNormalText does.
void DrawNormalTextNoOrientation(void* dc, const char* text, float h, float v, float angle);
// A rotated text object in the caller's font.
void DrawRotatedText(void* dc, const char* text, float h, float v, float angle,
                     const LOGFONT* font);
// A standard text object laid into the box (plan units); `alignment` goes to the view as is.
void DrawStandardText(void* dc, const char* text, const FloatRect* box, const LOGFONT* font,
                      int16_t alignment);
// A label while a tool tracks: one text element for the rubber-band engine, nothing drawn.
void DrawDynamicText(void* dc, const char* text, float h, float v, float angle);
// The same label drawn at once in blue.
void ApplePortDrawPseudoDynamicText(const char* text, float h, float v, float angle);
// The "width x height" callout of a door or window beside its wall segment (projected plan
// points), `offset` plan units plus 8 off the centre on the side `side` picks (non-zero: 90
// degrees counter-clockwise from the segment). Only while the document shows callouts.
void DrawAttachmentCalloutText(void* dc, const AttachmentRecord* record, float startH,
                               float startV, float endH, float endV, float centreH,
                               float centreV, uint8_t side, float offset);

// The localised format (keyed by its English text) with each "%s" replaced by the next
// argument in turn and "%%" by "%"; any other conversion is copied as it stands, so a
// translation cannot read arguments that are not there.
std::string LocalizedFormat(const char* format, std::initializer_list<const char*> args);
