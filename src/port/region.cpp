#include "port/region.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace port {

namespace {

constexpr double kLeast = std::numeric_limits<int16_t>::min();
constexpr double kMost = std::numeric_limits<int16_t>::max();

struct Edge {
    double x0, y0, x1, y1;
};

// The intervals of one row after combining two interval lists.
std::vector<int32_t> CombineRow(const std::vector<int32_t>& a, const std::vector<int32_t>& b, Region::Op op) {
    std::vector<int32_t> out;
    size_t i = 0, j = 0;
    bool inA = false, inB = false, inOut = false;
    while (i < a.size() || j < b.size()) {
        const int32_t x = std::min(i < a.size() ? a[i] : std::numeric_limits<int32_t>::max(),
                                   j < b.size() ? b[j] : std::numeric_limits<int32_t>::max());
        while (i < a.size() && a[i] == x) inA = !inA, ++i;
        while (j < b.size() && b[j] == x) inB = !inB, ++j;
        const bool now = op == Region::Op::Union ? (inA || inB) : (inA && inB);
        if (now != inOut) out.push_back(x), inOut = now;
    }
    return out;
}

}  // namespace

int32_t RegionCoordinate(double v) { return static_cast<int32_t>(std::trunc(std::clamp(v, kLeast, kMost))); }

std::optional<Region> Region::FromContours(const std::vector<std::vector<RegionPoint>>& contours) {
    std::vector<Edge> edges;
    int32_t top = std::numeric_limits<int32_t>::max(), bottom = std::numeric_limits<int32_t>::min();
    for (const auto& contour : contours) {
        for (const RegionPoint& p : contour)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
        for (size_t k = 0; k < contour.size(); ++k) {
            const RegionPoint& p = contour[k];
            const RegionPoint& q = contour[(k + 1) % contour.size()];
            const Edge e{double(RegionCoordinate(p.x)), double(RegionCoordinate(p.y)), double(RegionCoordinate(q.x)),
                         double(RegionCoordinate(q.y))};
            if (e.y0 == e.y1) continue;
            edges.push_back(e);
            top = std::min(top, int32_t(std::min(e.y0, e.y1)));
            bottom = std::max(bottom, int32_t(std::max(e.y0, e.y1)));
        }
    }
    Region region;
    std::vector<double> crossings;
    for (int32_t y = top; y < bottom; ++y) {
        const double yc = y + 0.5;
        crossings.clear();
        for (const Edge& e : edges)
            if ((e.y0 > yc) != (e.y1 > yc)) crossings.push_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0));
        std::sort(crossings.begin(), crossings.end());
        Band band{y, y + 1, {}};
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const int32_t from = int32_t(std::ceil(crossings[k] - 0.5));
            const int32_t to = int32_t(std::ceil(crossings[k + 1] - 0.5));
            if (from >= to) continue;
            if (!band.xs.empty() && band.xs.back() == from) band.xs.back() = to;
            else band.xs.push_back(from), band.xs.push_back(to);
        }
        if (!band.xs.empty()) region.push(std::move(band));
    }
    return region;
}

void Region::push(Band band) {
    if (!bands_.empty() && bands_.back().bottom == band.top && bands_.back().xs == band.xs)
        bands_.back().bottom = band.bottom;
    else
        bands_.push_back(std::move(band));
}

bool Region::contains(int32_t x, int32_t y) const {
    auto band = std::upper_bound(bands_.begin(), bands_.end(), y, [](int32_t v, const Band& b) { return v < b.bottom; });
    if (band == bands_.end() || y < band->top) return false;
    const auto at = std::upper_bound(band->xs.begin(), band->xs.end(), x);
    return (at - band->xs.begin()) % 2 == 1;
}

RegionBounds Region::bounds() const {
    if (bands_.empty()) return {};
    RegionBounds b{std::numeric_limits<int32_t>::max(), bands_.front().top, std::numeric_limits<int32_t>::min(),
                   bands_.back().bottom};
    for (const Band& band : bands_) b.left = std::min(b.left, band.xs.front()), b.right = std::max(b.right, band.xs.back());
    return b;
}

int64_t Region::area() const {
    int64_t total = 0;
    for (const Band& band : bands_)
        for (size_t k = 0; k + 1 < band.xs.size(); k += 2)
            total += int64_t(band.xs[k + 1] - band.xs[k]) * (band.bottom - band.top);
    return total;
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
    std::vector<int32_t> rows;
    for (const Region* r : {&a, &b})
        for (const Band& band : r->bands_) rows.push_back(band.top), rows.push_back(band.bottom);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    Region out;
    static const std::vector<int32_t> kNone;
    size_t i = 0, j = 0;
    for (size_t k = 0; k + 1 < rows.size(); ++k) {
        const int32_t top = rows[k], bottom = rows[k + 1];
        while (i < a.bands_.size() && a.bands_[i].bottom <= top) ++i;
        while (j < b.bands_.size() && b.bands_[j].bottom <= top) ++j;
        const auto& xa = i < a.bands_.size() && a.bands_[i].top <= top ? a.bands_[i].xs : kNone;
        const auto& xb = j < b.bands_.size() && b.bands_[j].top <= top ? b.bands_[j].xs : kNone;
        std::vector<int32_t> xs = CombineRow(xa, xb, op);
        if (!xs.empty()) out.push(Band{top, bottom, std::move(xs)});
    }
    return out;
}

Region UnionRgn(const Region& a, const Region& b) { return Region::Combine(a, b, Region::Op::Union); }
Region SectRgn(const Region& a, const Region& b) { return Region::Combine(a, b, Region::Op::Intersection); }
bool EqualRgn(const Region& a, const Region& b) { return a == b; }
bool EmptyRgn(const Region& r) { return r.empty(); }
bool PtInRgn(double x, double y, const Region& r) {
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    return r.contains(RegionCoordinate(x), RegionCoordinate(y));
}

}  // namespace port
