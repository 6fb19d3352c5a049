#include "render/core/sun_window.h"

#include <algorithm>
#include <cmath>

#include "model/object_types.h"
#include "model/objects.h"
#include "render/core/scene_list_rules.h"
#include "scene/plane_object.h"

namespace {

constexpr float kSmallestHalf = 500;

void Widen(float* b, float x, float z) {
    b[0] = std::min(b[0], z), b[1] = std::min(b[1], x);
    b[2] = std::max(b[2], z), b[3] = std::max(b[3], x);
}

}  // namespace

void GetObjectSunBounds(const Objex* object, float* bounds) {
    if (!object || !bounds) return;
    for (const Poinz* p = object->firstPoint; p; p = p->next) Widen(bounds, p->position[0], p->position[2]);
    for (const Objex* c = object->firstChild; c; c = c->next) GetObjectSunBounds(c, bounds);
}

void GetObjectsBoundsForSun(const Layer* first, float* bounds) {
    if (!bounds) return;
    bool any = false;
    for (const Layer* layer = first; layer; layer = layer->next)
        for (const Objex* o = layer->firstObject; o; o = o->next) {
            if (objtype::Has(o->type, objtype::kCastsNoSunShadow) || RootCastsNoShadow(o)) continue;
            GetObjectSunBounds(o, bounds);
            any = true;
        }
    if (!any) bounds[0] = 0, bounds[1] = 0, bounds[2] = -0.0f, bounds[3] = -0.0f;
}

float GetHighestPlanePointValue() { return GetHighestPlanePointValue(gGLPlaneObjects); }

float GetHighestPlanePointValue(const PlaneObject* scene) {
    float lowest = 0;
    for (const PlaneObject* p = scene; p; p = p->next)
        for (const Plane* plane = p->planes; plane; plane = plane->next)
            for (uint32_t i = 0; i < plane->count; ++i) lowest = std::min(lowest, plane->vertices[i].V);
    return lowest;
}

SunWindow ComputeSunWindow(const float* b1, const float* b2, float altitude, float highest) {
    const float minZ = std::max(b1[0], b2[0]), minX = std::max(b1[1], b2[1]);
    const float maxZ = std::min(b1[2], b2[2]), maxX = std::min(b1[3], b2[3]);
    SunWindow w;
    w.xOffset = -(minX + maxX) / 2, w.zOffset = -(minZ + maxZ) / 2;
    const float diag = std::hypot(maxX - minX, maxZ - minZ);
    w.half = std::max(kSmallestHalf, diag / 2 + diag / 2 / 6);
    w.top = std::max(w.half, -highest);
    w.verticalOffset = (std::min(altitude, 90.0f) / -90 + 1) * w.top * -0.5f;
    return w;
}

int32_t SunGridSize(int16_t quality, float half) {
    if (quality == -1) return half > 3000 ? 10 : half > 2000 ? 8 : half > 1000 ? 6 : 4;
    if (quality <= 1) return 0;
    if (quality > 6) return 2;
    return 2 * (quality - 1);
}

void SunViewSize(int32_t n, int width, int height, size_t limitBytes, int* sunWidth, int* sunHeight) {
    *sunWidth = width, *sunHeight = height;
    const double images = double(std::max(n, 1)) * std::max(n, 1) + 2;
    const double bytes = images * double(width) * height * sizeof(float);
    if (bytes <= double(limitBytes) || width <= 0 || height <= 0) return;
    const double scale = std::sqrt(double(limitBytes) / bytes);
    *sunWidth = std::max(1, int(width * scale)), *sunHeight = std::max(1, int(height * scale));
}

void SunSquare(const SunWindow& w, int32_t n, int32_t c, int32_t r, float* out) {
    const float across = 2 * w.half / float(n), down = 2 * w.top / float(n);
    out[0] = -w.half + float(c - 1) * across, out[1] = out[0] + across;
    out[3] = w.top - float(r - 1) * down, out[2] = out[3] - down;
}
