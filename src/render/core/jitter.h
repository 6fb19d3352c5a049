#pragma once
// Sub-pixel offsets of the jittered passes of an anti-aliased render: pass i of an n-pass
// render moves the image by JitterOffset(n, i) pixels. Counts 2, 3, 4, 8, 15 and 24 take the
// standard published jitter tables of those sizes; any other count gets evenly spread offsets.
// Every offset lies within [-0.5, 0.5] on both axes.
#include <cstdint>
#include <span>

struct JitterPoint {
    double x = 0;
    double y = 0;
};

extern const JitterPoint j2[2];
extern const JitterPoint j3[3];
extern const JitterPoint j4[4];
extern const JitterPoint j8[8];
extern const JitterPoint j15[15];
extern const JitterPoint j24[24];

// The table of exactly `passes` rows, or an empty span when the count has none.
std::span<const JitterPoint> JitterTable(int32_t passes);
// The offset of pass `pass` (taken modulo the count); (0, 0) for a count below 1.
JitterPoint JitterOffset(int32_t passes, int32_t pass);
