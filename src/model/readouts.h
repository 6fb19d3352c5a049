#pragma once
// Readout strings of lengths, angles and roof pitches, as the plan, the status bar, the
// dimensions and the inspector show them, and the snapping of entered values to the readout
// precision. Strings are 8-bit Mac OS Roman (the degree mark is the byte 0xBC). Each
// formatter writes into a caller's buffer of at least kReadoutSize bytes; a null buffer makes
// it do nothing. Settings come from the current document's DocState.
#include <cstdint>

inline constexpr int kReadoutSize = 64;
inline constexpr char kDegreeMark = static_cast<char>(0xBC);

// Imperial readout flags (`imperialReadout`).
inline constexpr int16_t kReadoutWholeInches = 1;
inline constexpr int16_t kReadoutHalves = 2;
inline constexpr int16_t kReadoutFourths = 4;
inline constexpr int16_t kReadoutEighths = 8;
inline constexpr int16_t kReadoutSixteenths = 16;
inline constexpr int16_t kReadoutFeet = 32;
inline constexpr int16_t kReadoutCommonFraction = 64;

// The imperial format code 0..17 of the current document (17 without one).
int16_t DecodeImperialReadoutFormat();
// The metric format code: 0 metres, 1 centimetres, 2 millimetres (2 without a document).
int16_t DecodeMetricReadoutFormat();

// The current document's length readout, with the user's decimal separator. Without a
// document the buffer is left untouched.
void ConvertInchesToStr(float inches, char* dst);
// The same to the nearest whole inch, or whole centimetre in a metric document, as the
// trackers' rubber-band dimensions show it.
void ConvertInchesToRoundedStr(float inches, char* dst);
// Readouts for an explicit format code; they keep the decimal point.
void ConvertInchesToImperialStr(float inches, char* dst, int16_t format);
void ConvertInchesToMetricStr(float inches, char* dst, int16_t format);
// Angle in degrees with the degree mark and the user's decimal separator.
void ConvertAngleToStr(float degrees, char* dst);
// Roof pitch (rise per 12 of run) by the measurement system, with the decimal separator.
void ConvertPitchToStr(float pitch, char* dst);
void ConvertPitchToImperialStr(float pitch, char* dst, int16_t format);
void ConvertPitchToMetricStr(float pitch, char* dst);

// The fractional part (0 <= fraction < 1) as a reduced fraction of the denominator; a
// fraction that rounds up to one carries into whole. Any null out-argument: nothing.
void ConvertDecimalToSixteenths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator);
void ConvertDecimalToEighths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator);
void ConvertDecimalToFourths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator);
void ConvertDecimalToHalves(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator);
void ReduceFraction(int32_t n, int32_t* whole, int32_t* numerator, int32_t* denominator);
// numerator / denominator for the denominators 1, 2, 4, 8 and 16; 0 for any other.
float ConvertFractionToDecimal(int32_t numerator, int32_t denominator);

// Cuts trailing zeros (and then the point) of a printed decimal number in place.
void TruncateTrailingZeros(char* text);
// Snaps the value to the imperial readout precision of the current document.
void NormalizeInputToPrecision(float* value);
float ConvertPitchToAngle(float pitch);
float ConvertAngleToPitch(float degrees);
// Clamps the value to [min, max]; in imperial documents onto the readout grid.
void ConstrainValueToLimits(float* value, float min, float max);
