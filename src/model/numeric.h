#pragma once
// Float-to-integer conversions that stay defined for every input: values are clamped to the
// target range first (not-a-number counts as 0), then truncated toward zero as a C cast does
// (or rounded, where named so).
#include <cmath>
#include <cstdint>

namespace dvxnum {

inline double Clamp(double v, double lo, double hi) {
    if (std::isnan(v)) return 0.0;
    return v < lo ? lo : (v > hi ? hi : v);
}

// (int16)(v) with v clamped to -32768..32767.
inline int16_t TruncToInt16(double v) { return static_cast<int16_t>(Clamp(v, -32768.0, 32767.0)); }

// The nearest whole number, halves upward (floor(v + 0.5)), clamped to -32768..32767: the same
// for a point and for the point moved by whole units, on either side of zero.
inline int16_t RoundToInt16(double v) { return TruncToInt16(std::floor(Clamp(v, -32768.0, 32767.0) + 0.5)); }

// (int32)(v) with v clamped to the 32-bit range.
inline int32_t TruncToInt32(double v) {
    return static_cast<int32_t>(Clamp(v, -2147483648.0, 2147483647.0));
}

}  // namespace dvxnum
