#include "scene/point_in_polygon.h"

#include <cmath>

namespace {

struct XY {
    double x, y;
};

XY Of(const FloatPoint& p) { return {p.floatH, p.floatV}; }
XY Of(const PolygonVertex& p) { return {p.H, p.D}; }
XY Of(const POINT& p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

template <bool kRoundCrossing, class Corner>
int16_t EvenOdd(const Corner* point, const Corner* corners, int32_t count) {
    if (!point || !corners || count < 1) return 0;
    const XY at = Of(*point);
    bool inside = false;
    for (int32_t i = 0; i < count; ++i) {
        const XY p = Of(corners[i]);
        const XY q = Of(corners[i + 1 < count ? i + 1 : 0]);
        if (!(at.y > std::fmin(p.y, q.y)) || !(at.y <= std::fmax(p.y, q.y)) || !(at.x <= std::fmax(p.x, q.x)) ||
            p.y == q.y)
            continue;
        bool crosses = p.x == q.x;
        if (!crosses) {
            double edgeX = p.x + (at.y - p.y) * (q.x - p.x) / (q.y - p.y);
            if (kRoundCrossing) edgeX = std::trunc(edgeX + 0.5);
            crosses = at.x <= edgeX;
        }
        if (crosses) inside = !inside;
    }
    return inside ? 1 : 0;
}

}  // namespace

int16_t IsPointInsidePolygon(const FloatPoint* point, const FloatPoint* corners, int32_t count) {
    return EvenOdd<false>(point, corners, count);
}

int16_t IsPointInsideXZPolygon(const PolygonVertex* point, const PolygonVertex* corners, int32_t count) {
    return EvenOdd<false>(point, corners, count);
}

int16_t IsPointInsideWinPolygon(const POINT* point, const POINT* corners, int32_t count) {
    return EvenOdd<true>(point, corners, count);
}
