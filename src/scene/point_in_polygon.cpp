#include "scene/point_in_polygon.h"

namespace {

bool Crosses(const FloatPoint& point, const FloatPoint& p, const FloatPoint& q) {
    const float x = point.floatH, y = point.floatV;
    const float lowY = p.floatV < q.floatV ? p.floatV : q.floatV;
    const float highY = p.floatV < q.floatV ? q.floatV : p.floatV;
    const float highX = p.floatH < q.floatH ? q.floatH : p.floatH;
    if (!(y > lowY) || !(y <= highY) || !(x <= highX) || p.floatV == q.floatV) return false;
    if (p.floatH == q.floatH) return true;
    const double edgeX = static_cast<double>(p.floatH) + (static_cast<double>(y) - p.floatV) *
                                                             (static_cast<double>(q.floatH) - p.floatH) /
                                                             (static_cast<double>(q.floatV) - p.floatV);
    return x <= edgeX;
}

}  // namespace

int16_t IsPointInsidePolygon(const FloatPoint* point, const FloatPoint* corners, int32_t count) {
    if (!point || !corners || count < 1) return 0;
    bool inside = false;
    for (int32_t i = 0; i < count; ++i) {
        const FloatPoint& p = corners[i];
        const FloatPoint& q = corners[i + 1 < count ? i + 1 : 0];
        if (Crosses(*point, p, q)) inside = !inside;
    }
    return inside ? 1 : 0;
}
