#pragma once
// Integer plan regions for the containment and overlap tests of roof attachments: a region is
// a set of unit pixels kept as sorted bands of rows, each with sorted, disjoint, half-open
// x-intervals. Outlines are traced with their vertices truncated toward zero to 16 bits (after
// clamping to that range); several contours combine even-odd. Pixel (x, y) belongs to an
// outline when (x + 0.5, y + 0.5) lies inside it (left and top edges in, right and bottom out).
#include <cstdint>
#include <optional>
#include <vector>

namespace port {

struct RegionPoint {
    double x = 0;
    double y = 0;
};

struct RegionBounds {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

class Region {
public:
    struct Band {
        int32_t top = 0, bottom = 0;  // rows [top, bottom)
        std::vector<int32_t> xs;      // pairs: [xs[0], xs[1]), [xs[2], xs[3]), ...
        bool operator==(const Band&) const = default;
    };

    Region() = default;
    // None when a coordinate is not finite.
    static std::optional<Region> FromContours(const std::vector<std::vector<RegionPoint>>& contours);
    static std::optional<Region> FromOutline(const std::vector<RegionPoint>& outline) {
        return FromContours({outline});
    }

    bool empty() const { return bands_.empty(); }
    bool contains(int32_t x, int32_t y) const;
    RegionBounds bounds() const;
    int64_t area() const;
    const std::vector<Band>& bands() const { return bands_; }
    bool operator==(const Region&) const = default;

    enum class Op { Union, Intersection };
    static Region Combine(const Region& a, const Region& b, Op op);

private:
    void push(Band band);  // appends, merging with the last band when its intervals match
    std::vector<Band> bands_;
};

// A coordinate truncated toward zero after clamping to the 16-bit range (what tracing does).
int32_t RegionCoordinate(double v);

Region UnionRgn(const Region& a, const Region& b);
Region SectRgn(const Region& a, const Region& b);
bool EqualRgn(const Region& a, const Region& b);
bool EmptyRgn(const Region& r);
// The point truncated like a traced vertex.
bool PtInRgn(double x, double y, const Region& r);

}  // namespace port
