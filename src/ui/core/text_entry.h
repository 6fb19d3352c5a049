#pragma once
// The text sheet's rules: its angle slider and field, the size it records for a text, and
// what its OK does to a text object or makes of new text. Strings are 8-bit Mac OS Roman.
#include <cstdint>
#include <string>

#include "port/winrecords.h"

struct Objex;

// The slider counts clockwise from the top, the text angle counter-clockwise from the plan's
// X axis. Compared unsigned, as the controls hand them over: a negative value counts as large.
int32_t TextAngleForSlider(int32_t slider);
int32_t SliderForTextAngle(int32_t textAngle);
// What the angle field keeps of a typed angle: above 359 or below 0 becomes 0.
int32_t TypedTextAngle(int32_t typed);
// A measured width or height as a text records it: 3 % more, rounded, kept to 16 bits.
int16_t RecordedTextMetric(float measured);

// The text object with a string under the last mouse-up point (types 144 and 145 only), which
// is selected; null when there is none.
Objex* TextObjectUnderEndMouse();

enum class TextEntryResult {
    Unchanged,   // nothing to change and nothing redrawn (no document, or no frame)
    Refused,     // nothing changed; the plan redrawn
    Stored,      // changed, one undo step stored, the plan redrawn
};

// OK of the sheet on an existing text object (144 or 145): the text, its font, the typed
// angle (144) or alignment tag (145) and a frame refitted to the measured text (a 145 frame
// only grows); the object is deselected and "Edit Text" stored. An empty text, or memory
// running out, leaves the object as it was. The object always keeps a whole text record.
TextEntryResult EditTextObject(Objex* object, const std::string& text, const LOGFONT& font, int32_t angle,
                               int16_t alignmentTag);
// OK of the sheet for new text: a four-point frame of the measured size at the mouse-up point
// on the current floor, rotated text (144) for a non-zero angle with tag 0, else standard
// text (145), and "Insert Text" stored. An empty text makes nothing.
TextEntryResult InsertTextObject(const std::string& text, const LOGFONT& font, int32_t angle, int16_t alignmentTag);
