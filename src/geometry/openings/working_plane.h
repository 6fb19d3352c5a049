#pragma once
// The axis a flat polygon is seen along: the coordinate its vertices spread least in, so the
// polygon can be projected onto the other two (tessellation, generated texture planes).
//   1 drops z (parallel to x-y), 2 drops y (horizontal), 3 drops x (parallel to y-z).
#include <algorithm>
#include <cstdint>

#include "model/planar_polygons.h"

// 1 for no vertices. Ties go to the first comparison that holds: y before z before x.
inline int16_t DetermineWorkingPlane(const PolygonVertex* vertices, int32_t count) {
    if (!vertices || count <= 0) return 1;
    float minX = vertices[0].H, maxX = minX, minY = vertices[0].V, maxY = minY, minZ = vertices[0].D, maxZ = minZ;
    for (int32_t i = 1; i < count; ++i) {
        minX = std::min(minX, vertices[i].H), maxX = std::max(maxX, vertices[i].H);
        minY = std::min(minY, vertices[i].V), maxY = std::max(maxY, vertices[i].V);
        minZ = std::min(minZ, vertices[i].D), maxZ = std::max(maxZ, vertices[i].D);
    }
    const float ex = maxX - minX, ey = maxY - minY, ez = maxZ - minZ;
    if (ex >= ey && ez >= ey) return 2;
    if (ex >= ez && ey >= ez) return 1;
    if (ez >= ex && ey >= ex) return 3;
    return 2;
}
