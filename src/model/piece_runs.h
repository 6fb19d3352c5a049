#pragma once
// Builders lay pieces one spacing apart along a line or a curve: spindles, treads, risers,
// pickets, posts, edging blocks, studs and trusses. Both the spacing and the line's length come
// from stored values, which a damaged file can make anything (a spacing of 1e-30, a point at
// 1e36), so every run is held to what they can mean: no run lays more than kMostPerRun pieces
// (a longer one spreads its pieces farther apart, or stops), and a spindle spacing below
// kLeastSpacing plan units counts as that, spindles being 2 plan units wide.
#include <cmath>
#include <cstdint>

namespace pieceruns {

// Plan units: the least spindle spacing, what a spacing of 0 has always counted as.
inline constexpr float kLeastSpacing = 1.0f;
// Far beyond any real run (4096 spindles 6 inches apart make a 2,000-foot railing; 4096
// risers a 2,000-foot climb), and enough for the plan's whole diagonal in 12-unit pickets.
inline constexpr int32_t kMostPerRun = 4096;
// The most generated pieces one object holds (some 25 MB of them): a railing, deck, fence or
// staircase of many runs stops building there rather than fill memory; a real one holds a
// few thousand at most.
inline constexpr int32_t kMostPerObject = 16384;

// A spindle spacing, raised to kLeastSpacing when below it or not a number.
inline float SpindleSpacing(float spacing) { return spacing >= kLeastSpacing ? spacing : kLeastSpacing; }

// The spacing raised so that a run `length` long holds at most kMostPerRun of it (one that is
// 0, negative or not a number becomes that least one). Infinite for an infinite length: such
// a run holds no piece beyond its start.
inline float SpacingAlong(float spacing, float length) {
    const float least = length / static_cast<float>(kMostPerRun);
    return spacing > least ? spacing : least;
}

// A count worked out as a quotient (a length over a spacing, a height over a riser), rounded
// to nearest, within 0 ... kMostPerRun; 0 for a negative quotient or one that is not a number.
inline int32_t RoundedCount(double quotient) {
    if (!(quotient >= 0.0)) return 0;
    if (quotient >= static_cast<double>(kMostPerRun)) return kMostPerRun;
    return static_cast<int32_t>(std::lround(quotient));
}

// The same count truncated toward zero, for the builders that lay only whole intervals.
inline int32_t WholeCount(double quotient) {
    if (!(quotient >= 0.0)) return 0;
    if (quotient >= static_cast<double>(kMostPerRun)) return kMostPerRun;
    return static_cast<int32_t>(quotient);
}

}  // namespace pieceruns
