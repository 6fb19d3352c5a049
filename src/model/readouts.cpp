#include "model/readouts.h"

#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/core/localization_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/numeric.h"
#include "port/defaults.h"
#include "port/seam.h"

namespace {

// Whole part of a value as printed with "%ld" (clamped, so huge input stays defined).
long WholePart(double v) { return static_cast<long>(dvxnum::TruncToInt32(v)); }

// Rounds the way "%.0f" prints (ties to even), by printing and reading back.
long RoundAsPrinted(double v) {
    char text[kReadoutSize * 2];
    std::snprintf(text, sizeof text, "%.0f", v);
    return WholePart(std::strtod(text, nullptr));
}

// Copies the finished readout into the caller's buffer, cut to kReadoutSize bytes.
void Store(const std::string& text, char* dst) {
    const size_t n = text.size() < size_t(kReadoutSize - 1) ? text.size() : size_t(kReadoutSize - 1);
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[kReadoutSize * 2];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// A printed zero never carries a sign.
double Unsigned0(double v) { return v == 0.0 ? 0.0 : v; }

void ApplyDecimalSeparator(char* text) {
    if (port::defaults().decimalSeparator() == '.') return;
    for (char* c = text; *c; ++c)
        if (*c == '.') *c = ',';
}

// The fraction step of one denominator.
void ConvertDecimalTo(int32_t n, double fraction, int32_t* whole, int32_t* numerator,
                      int32_t* denominator) {
    if (!whole || !numerator || !denominator) return;
    *denominator = n;
    *numerator = static_cast<int32_t>(RoundAsPrinted(fraction * n));
    ReduceFraction(n, whole, numerator, denominator);
}

// Denominator of the fraction codes: 2, 4, 8, 16 for 1-4, 6-9, 10-13 and 14-17 alike.
int32_t DenominatorOf(int16_t code) {
    switch (code) {
    case 1: case 6: case 10: case 14: return 2;
    case 2: case 7: case 11: case 15: return 4;
    case 3: case 8: case 12: case 16: return 8;
    default: return 16;
    }
}

// Imperial flags to the denominator of the first set bit of 2, 4, 8 (else sixteenths).
int32_t DenominatorOfFlags(int16_t flags) {
    if (flags & kReadoutHalves) return 2;
    if (flags & kReadoutFourths) return 4;
    if (flags & kReadoutEighths) return 8;
    return 16;
}

int16_t MetricCodeOfFlags(int16_t flags) {
    if (flags & 1) return 0;
    if (flags & 2) return 1;
    return 2;
}

}  // namespace

// --- decoding ---

int16_t DecodeImperialReadoutFormat() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 17;
    const int16_t flags = ds->imperialReadout;
    const bool feet = flags & kReadoutFeet;
    const bool decimal = !(flags & kReadoutCommonFraction);
    if (flags & kReadoutWholeInches) return feet ? 0 : 5;
    if (flags & kReadoutHalves) return decimal ? (feet ? 10 : 14) : (feet ? 1 : 6);
    if (flags & kReadoutFourths) return decimal ? (feet ? 11 : 15) : (feet ? 2 : 7);
    if (flags & kReadoutEighths) return decimal ? (feet ? 12 : 16) : (feet ? 3 : 8);
    if (flags & kReadoutCommonFraction) return feet ? 4 : 9;
    return feet ? 13 : 17;
}

int16_t DecodeMetricReadoutFormat() {
    const DocState* ds = CurrentDocState();
    if (!ds) return 2;
    return MetricCodeOfFlags(ds->metricReadout);
}

// --- fractions ---

void ReduceFraction(int32_t n, int32_t* whole, int32_t* numerator, int32_t* denominator) {
    if (!whole || !numerator || !denominator) return;
    if (*numerator < 1) return;
    if (*numerator == n) {
        *numerator = 0;
        if (*whole < INT32_MAX) *whole += 1;
        return;
    }
    while (*numerator % 2 == 0 && *denominator % 2 == 0) {
        *numerator /= 2;
        *denominator /= 2;
    }
}

void ConvertDecimalToSixteenths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator) {
    ConvertDecimalTo(16, fraction, whole, numerator, denominator);
}
void ConvertDecimalToEighths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator) {
    ConvertDecimalTo(8, fraction, whole, numerator, denominator);
}
void ConvertDecimalToFourths(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator) {
    ConvertDecimalTo(4, fraction, whole, numerator, denominator);
}
void ConvertDecimalToHalves(double fraction, int32_t* whole, int32_t* numerator, int32_t* denominator) {
    ConvertDecimalTo(2, fraction, whole, numerator, denominator);
}

float ConvertFractionToDecimal(int32_t numerator, int32_t denominator) {
    switch (denominator) {
    case 1: case 2: case 4: case 8: case 16:
        return static_cast<float>(numerator) / static_cast<float>(denominator);
    default:
        return 0.0f;
    }
}

void TruncateTrailingZeros(char* text) {
    if (!text) return;
    const size_t length = std::strlen(text);
    if (length < 2 || !std::strchr(text, '.')) return;
    for (size_t i = length - 1; i > 0; --i) {
        if (text[i] == '0') {
            text[i] = '\0';
        } else {
            if (text[i] == '.') text[i] = '\0';
            break;
        }
    }
}

// --- lengths ---

void ConvertInchesToImperialStr(float inches, char* dst, int16_t format) {
    if (!dst) return;
    dst[0] = '\0';
    const long s = inches < 0.0f ? -1 : 1;
    const double a = std::fabs(inches);
    std::string text;

    if (format == 0) {
        const double rounded = a + 0.5;
        const long feet = WholePart(rounded / 12.0);
        const long whole = WholePart(rounded - 12.0 * feet);
        text = feet ? Format("%ld'-%ld", s * feet, whole) : Format("%ld", s * whole);
    } else if (format == 5) {
        text = Format("%ld", s * WholePart(a + 0.5));
    } else if (format >= 1 && format <= 13) {
        const bool byFeet = format <= 4 || format >= 10;
        long feet = byFeet ? WholePart(a / 12.0) : 0;
        const double rest = a - 12.0 * feet;
        int32_t whole = static_cast<int32_t>(WholePart(rest));
        int32_t numerator = 0, denominator = 1;
        ConvertDecimalTo(DenominatorOf(format), rest - whole, &whole, &numerator, &denominator);
        if (byFeet && whole > 11) {
            feet += 1;
            whole -= 12;
        }
        if (format >= 10) {
            const double value = whole + static_cast<double>(ConvertFractionToDecimal(numerator, denominator));
            text = feet ? Format("%ld'-%.20g", s * feet, value) : Format("%.20g", Unsigned0(value * s));
        } else if (numerator == 0) {
            text = feet ? Format("%ld'-%ld", s * feet, long(whole)) : Format("%ld", s * whole);
        } else if (feet) {
            text = Format("%ld'-%ld %ld/%ld", s * feet, long(whole), long(numerator), long(denominator));
        } else if (whole == 0) {
            text = Format("%ld/%ld", s * numerator, long(denominator));
        } else {
            text = Format("%ld %ld/%ld", s * whole, long(numerator), long(denominator));
        }
    } else {
        // 14..17 and every unknown code: decimal inches on the grid of the denominator.
        int32_t whole = static_cast<int32_t>(WholePart(a));
        int32_t numerator = 0, denominator = 1;
        ConvertDecimalTo(DenominatorOf(format), a - whole, &whole, &numerator, &denominator);
        const double value = whole + static_cast<double>(ConvertFractionToDecimal(numerator, denominator));
        text = Format("%.20g", Unsigned0(value * s));
    }
    Store(text + "\"", dst);
}

namespace {

// A metric readout of a value already in the format's unit (metres, centimetres, millimetres).
void StoreMetric(double value, char* dst, int16_t format) {
    char number[kReadoutSize];
    const char* suffix;
    if (format == 0) {
        std::snprintf(number, sizeof number, "%0.4f", value);
        suffix = " m";
    } else if (format == 1) {
        std::snprintf(number, sizeof number, "%.2f", value);
        suffix = " cm";
    } else {
        std::snprintf(number, sizeof number, "%.1f", value);
        suffix = " mm";
    }
    TruncateTrailingZeros(number);
    Store(number + LocalizedString(suffix), dst);
}

}  // namespace

void ConvertInchesToMetricStr(float inches, char* dst, int16_t format) {
    if (!dst) return;
    const float value = format == 0 ? inches / 39.37f : format == 1 ? inches / 0.3937f : inches / 0.03937f;
    StoreMetric(static_cast<double>(value), dst, format);
}

namespace {

// A plan redraw formats the same few lengths again and again (every wall dimension, every
// frame), so finished readouts are kept, keyed by the value's bits and everything else that
// shapes the text; a change of any setting simply misses.
struct ReadoutKey {
    uint32_t bits = 0;
    int16_t units = 0, imperial = 0, metric = 0;
    char separator = 0;
    char suffix[8] = {};  // the metric suffix as localised when the text was made
    bool operator==(const ReadoutKey&) const = default;
};

struct KeptReadout {
    bool used = false;
    ReadoutKey key;
    char text[kReadoutSize] = {};
};

constexpr size_t kKeptReadouts = 512;
std::array<KeptReadout, kKeptReadouts> gKeptReadouts;
const port::GlobalReset kKeptReadoutsReset([] { gKeptReadouts.fill(KeptReadout{}); });

const char* MetricSuffixKey(int16_t code) { return code == 0 ? " m" : code == 1 ? " cm" : " mm"; }

}  // namespace

void ConvertInchesToStr(float inches, char* dst) {
    const DocState* ds = CurrentDocState();
    if (!dst || !ds) return;
    ReadoutKey key;
    std::memcpy(&key.bits, &inches, sizeof key.bits);
    key.units = ds->units;
    key.imperial = ds->units == kImperialUnits ? ds->imperialReadout : 0;
    key.metric = ds->units == kImperialUnits ? 0 : ds->metricReadout;
    key.separator = port::defaults().decimalSeparator();
    bool keepable = true;
    if (ds->units != kImperialUnits) {
        const std::string suffix = LocalizedString(MetricSuffixKey(MetricCodeOfFlags(ds->metricReadout)));
        keepable = suffix.size() < sizeof key.suffix;
        if (keepable) std::memcpy(key.suffix, suffix.data(), suffix.size());
    }
    KeptReadout& kept = gKeptReadouts[(key.bits * 2654435761u) >> 23 & (kKeptReadouts - 1)];
    if (keepable && kept.used && kept.key == key) {
        std::memcpy(dst, kept.text, kReadoutSize);
        return;
    }
    if (ds->units == kImperialUnits)
        ConvertInchesToImperialStr(inches, dst, DecodeImperialReadoutFormat());
    else
        ConvertInchesToMetricStr(inches, dst, MetricCodeOfFlags(ds->metricReadout));
    ApplyDecimalSeparator(dst);
    if (!keepable) return;
    kept.used = true;
    kept.key = key;
    std::memcpy(kept.text, dst, std::strlen(dst) + 1);
}

void ConvertInchesToRoundedStr(float inches, char* dst) {
    const DocState* ds = CurrentDocState();
    if (!dst || !ds) return;
    if (ds->units == kImperialUnits) {
        ConvertInchesToStr(std::round(inches), dst);
        return;
    }
    // Whole centimetres of the readout's own 0.3937 inch, printed from the whole number: a
    // float of inches, divided again, keeps a centimetre's fourth decimal of a metre only
    // below about 400 m.
    const double cm = std::round(static_cast<double>(inches / 0.3937f));
    const int16_t format = MetricCodeOfFlags(ds->metricReadout);
    StoreMetric(Unsigned0(format == 0 ? cm / 100 : format == 1 ? cm : cm * 10), dst, format);
    ApplyDecimalSeparator(dst);
}

// --- angles and pitches ---

void ConvertAngleToStr(float degrees, char* dst) {
    const DocState* ds = CurrentDocState();
    if (!dst || !ds) return;
    static const char* const kFormats[] = {"%.0f", "%.1f", "%.2f", "%.3f"};
    const int16_t code = ds->angleReadout;
    const char* format = code >= 0 && code <= 3 ? kFormats[code] : "%.4f";
    char number[kReadoutSize];
    std::snprintf(number, sizeof number, format, static_cast<double>(degrees));
    TruncateTrailingZeros(number);
    Store(std::string(number) + kDegreeMark, dst);
    ApplyDecimalSeparator(dst);
}

void ConvertPitchToImperialStr(float pitch, char* dst, int16_t format) {
    if (!dst) return;
    const double p = pitch;
    if (format == 0 || format == 5) {
        Store(Format("%ld", WholePart(p + 0.5)), dst);
        return;
    }
    int32_t whole = static_cast<int32_t>(WholePart(p));
    int32_t numerator = 0, denominator = 1;
    ConvertDecimalTo(DenominatorOf(format), p - whole, &whole, &numerator, &denominator);
    if ((format >= 1 && format <= 4) || (format >= 6 && format <= 9)) {
        if (numerator == 0)
            Store(Format("%ld", long(whole)), dst);
        else if (whole == 0)
            Store(Format("%ld/%ld", long(numerator), long(denominator)), dst);
        else
            Store(Format("%ld %ld/%ld", long(whole), long(numerator), long(denominator)), dst);
        return;
    }
    const double value = whole + static_cast<double>(ConvertFractionToDecimal(numerator, denominator));
    Store(Format("%.20g", value), dst);
}

void ConvertPitchToMetricStr(float pitch, char* dst) {
    if (!dst) return;
    const float rise = pitch / 0.3937f * 0.32808334f;
    char number[kReadoutSize];
    std::snprintf(number, sizeof number, "%.2f", static_cast<double>(rise));
    TruncateTrailingZeros(number);
    Store(number, dst);
}

void ConvertPitchToStr(float pitch, char* dst) {
    const DocState* ds = CurrentDocState();
    if (!dst || !ds) return;
    if (ds->units == kImperialUnits)
        ConvertPitchToImperialStr(pitch, dst, DecodeImperialReadoutFormat());
    else
        ConvertPitchToMetricStr(pitch, dst);
    ApplyDecimalSeparator(dst);
}

float ConvertPitchToAngle(float pitch) {
    if (!(pitch >= 0.0f && pitch <= 1000.0f)) return 0.0f;
    return static_cast<float>(std::atan(pitch / 12.0)) * 57.29578f;
}

float ConvertAngleToPitch(float degrees) {
    const DocState* ds = CurrentDocState();
    if (!ds || !(degrees >= 0.0f && degrees <= 89.3125f)) return 0.0f;
    float pitch = static_cast<float>(std::tan(degrees * 0.017453292) * 12.0);
    if (ds->units == kImperialUnits) NormalizeInputToPrecision(&pitch);
    return pitch;
}

// --- entered values ---

void NormalizeInputToPrecision(float* value) {
    const DocState* ds = CurrentDocState();
    if (!value || !ds || !std::isfinite(*value)) return;
    const bool negative = *value < 0.0f;
    float v = std::fabs(*value);
    if (ds->imperialReadout & kReadoutWholeInches) {
        v = static_cast<float>(RoundAsPrinted(v));
    } else if (v < 16777216.0f) {  // beyond 2^24 a float has no fraction left to snap
        int32_t whole = static_cast<int32_t>(v);
        int32_t numerator = 0, denominator = 1;
        ConvertDecimalTo(DenominatorOfFlags(ds->imperialReadout), double(v) - whole, &whole, &numerator,
                         &denominator);
        v = static_cast<float>(whole) + static_cast<float>(numerator) / static_cast<float>(denominator);
    }
    *value = negative ? -v : v;
}

void ConstrainValueToLimits(float* value, float min, float max) {
    const DocState* ds = CurrentDocState();
    if (!value || !ds || !(max > min) || !(max >= 1.0f)) return;
    if (ds->units != kImperialUnits) {
        if (*value < min) *value = min;
        else if (*value > max) *value = max;
        return;
    }
    const int16_t flags = ds->imperialReadout;
    float step = 0.0625f;
    if (flags & kReadoutWholeInches) step = 1.0f;
    else if (flags & kReadoutHalves) step = 0.5f;
    else if (flags & kReadoutFourths) step = 0.25f;
    else if (flags & kReadoutEighths) step = 0.125f;
    if (*value < min) *value = step * std::ceil(min / step);
    else if (*value > max) *value = step * std::floor(max / step);
}
