#pragma once
// Lengths, angles, roof pitches and whole numbers in the text fields of sheets and inspector
// panes: written with the document's readouts, read back through what a user may type, and
// blanked when the selected objects disagree. Every function does nothing, or answers 0, for
// a null field. Only the first 254 characters of a field are read.
#include <cstdint>

#include "files/windows_records.h"
#include "port/text_field.h"
#include "port/winrecords.h"

void SetFloatItem(port::TextField* field, float inches);
// Imperial documents read feet and inches ("5' 6 1/2", "5 6", "6 1/2", "66"), rounded to the
// input precision; metric ones a number in the readout unit or with "m", "dm", "cm" or "mm".
// 0 without a document.
float GetFloatItem(port::TextField* field);
// The readout angle; `noMark` drops the degree mark.
void SetFloatAngleItem(port::TextField* field, float degrees, bool noMark);
// Degrees, then whole minutes (0 to 59) unless `degreesOnly`.
float GetFloatAngleItem(port::TextField* field, bool degreesOnly);
void SetFloatPitchItem(port::TextField* field, float pitch);
float GetFloatPitchItem(port::TextField* field);
// A pitch shown and typed as its angle.
void SetFloatPitchAngleItem(port::TextField* field, float pitch);
float GetFloatPitchAngleItem(port::TextField* field);
void SetLongItem(port::TextField* field, int32_t value);
// The whole number the text starts with (0 when none).
int32_t GetLongItem(port::TextField* field);

// One call per selected object: `initialize` writes the value; a later object whose value
// differs from the first one's by more than the tolerance blanks the field for the rest of
// the pass. A field not written by `initialize` is compared with what it reads back.
void UpdatePropertiesFloat(port::TextField* field, float inches, bool initialize);
void UpdatePropertiesFloatAngle(port::TextField* field, float degrees, bool noMark, bool initialize);
void UpdatePropertiesFloatPitch(port::TextField* field, float pitch, bool initialize);
void UpdatePropertiesFloatPitchAngle(port::TextField* field, float pitch, bool initialize);
void UpdatePropertiesLong(port::TextField* field, int32_t value, bool initialize);

float NormalizeInputToBounds(float value, float min, float max);
// Whole inches and a fraction ("6", "1/2"), or a fraction alone in `whole` ("1/2");
// denominators other than 1, 2, 4, 8 and 16 count nothing. A null `whole` gives 0.
float TokenizeInches(const char* whole, const char* fraction);
