#include "render/core/shadow_lights.h"

#include <algorithm>
#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "port/seam.h"

float gOrthoSizeLeft = 0, gOrthoSizeRight = 0, gOrthoSizeBottom = 0, gOrthoSizeTop = 0;
float gXSunOffset = 0, gZSunOffset = 0, gVerticalSunOffset = 0;
uint8_t gFillingBucketBuffer = 0;
int32_t gSunViewWidth = 0, gSunViewHeight = 0;
uint8_t gAmbientLightDown = 0, gAmbientLightUp = 0, gAmbientLightUpDown = 0, gFadeDown = 0;
uint8_t gPointLightDownShot = 0;
uint8_t gRenderForBuffer = 1;
uint8_t gFillUnProjectBuffer = 0;

static const port::GlobalReset kReset([] {
    gOrthoSizeLeft = gOrthoSizeRight = gOrthoSizeBottom = gOrthoSizeTop = 0;
    gXSunOffset = gZSunOffset = gVerticalSunOffset = 0;
    gFillingBucketBuffer = 0;
    gSunViewWidth = gSunViewHeight = 0;
    gAmbientLightDown = gAmbientLightUp = gAmbientLightUpDown = gFadeDown = 0;
    gPointLightDownShot = 0;
    gRenderForBuffer = 1;
    gFillUnProjectBuffer = 0;
});

namespace {

constexpr double kDegrees = 0.01745329238474369;
constexpr int16_t kWall = 12, kComponent = 56, kGroup = 1000;
constexpr int16_t kFirstFixture = 79, kLastFixture = 152;
constexpr float kHeadAngle = 0.9948377f;
constexpr float kHeadDistance = 9.0f;

float Scene(float worldLength, const DocState& ds) { return ConvertWorldToScreen(worldLength, &ds, 0); }

bool SwitchedOn(const Objex& light) { return objfield::light::kOff(light) == 0; }

bool IsFloodLight(const Objex& o) { return o.type == kComponent && o.subtype == objfield::light::kFloodSubtype; }

// The fixture of a group: its first child, switched on, of a fixture type.
const Objex* FixtureOf(const Objex& group) {
    const Objex* light = group.type == kGroup ? group.firstChild : nullptr;
    if (!light || !SwitchedOn(*light) || light->type < kFirstFixture || light->type > kLastFixture) return nullptr;
    return light;
}

bool HasAmbient(const Objex& light) { return objfield::light::kAmbient(light) == 1; }

std::optional<ShadowLight> FixtureLightOf(const Objex& group, const DocState& ds) {
    const Objex* light = FixtureOf(group);
    if (!light) return std::nullopt;
    ShadowLight s;
    s.type = light->type;
    s.intensity = float(255 - objfield::light::kDimmer(*light)) / 255.0f;
    s.falloff = int32_t(std::floor(objfield::light::kFalloff(*light) + 0.5f));
    const float beam = objfield::light::kBeamWidth(*light), e = group.elevation;
    float x = (light->bounds3D.floatLeft + light->bounds3D.floatRight) / 2.0f;
    float z = (light->bounds3D.floatBack + light->bounds3D.floatFront) / 2.0f;
    const float rotation = objfield::light::kRotation(*light);
    auto view = [&](float y, float pitch, float heading, float fov) { s.views.push_back({y, x, z, pitch, heading, fov}); };
    auto ambient = [&](float y, float scale, bool up, bool down) {
        s.ambientIntensity = s.intensity * scale, s.ambientUp = up, s.ambientDown = down;
        s.ay = y, s.ax = x, s.az = z;
    };
    auto turned = [&](float distance) {
        float dx = 0, dz = 0;
        GetPointFromLengthAndAngle(float((rotation + 90.0) * kDegrees), distance, &dx, &dz);
        x += dx, z += dz;
    };
    const bool on = HasAmbient(*light);
    switch (s.type) {
    case 79: ambient(Scene(e - 10, ds), 1.0f, false, true); break;
    case 80:
    case 81:
    case 82:
        view(Scene(e - 8, ds), 90, 0, beam);
        if (on) ambient(Scene(e - 8, ds), 0.25f, false, true);
        break;
    case 146:
        view(Scene(e + 1.5f, ds), -90, 0, beam - 20);
        if (on) ambient(Scene(e + 1.5f, ds), 0.25f, true, false);
        break;
    case 147: turned(10.0f), view(Scene(e + 12, ds), 315, rotation, beam - 20); break;
    case 148: turned(16.0f), view(Scene(e - 8, ds), 45, rotation, beam - 20); break;
    case 149: view(Scene(e + 30, ds), 90, 0, beam + 30); break;
    case 150:
        view(Scene(e + 2, ds), -90, 0, beam);
        if (on) ambient(Scene(e + 2, ds), 0.25f, true, false);
        break;
    case 151:
        view(Scene(e - 0.5f, ds), 90, 0, beam);
        if (on) ambient(Scene(e - 0.5f, ds), 0.25f, false, true);
        break;
    case 152: {
        const float y = Scene(e, ds) + 5;
        view(y, 90, 0, beam);
        s.views.back().downShot = true;
        view(y - 10, -90, 0, beam);
        if (on) ambient(y - 10, 0.25f, true, true);
        break;
    }
    default: break;
    }
    return s;
}

int32_t FixtureSteps(const Objex& light, int32_t passes) {
    const int32_t ambientViews = passes > 0 ? passes : 1;
    const bool on = HasAmbient(light);
    switch (light.type) {
    case 79: return 4 * ambientViews;
    case 80:
    case 81:
    case 82:
    case 146:
    case 150:
    case 151: return 1 + (on ? 4 * ambientViews : 0);
    case 147:
    case 148:
    case 149: return 1;
    case 152: return 2 + (on ? 8 * ambientViews : 0);
    default: return 0;
    }
}

// The camera's place in plan: the walk eye, or the fly camera on its orbit.
void CameraPlace(const DocState& ds, float* x, float* z) {
    if (ds.cameraMode == 1) {
        *x = ds.cameraPosition.floatH, *z = ds.cameraPosition.floatV;
        return;
    }
    const double h = ds.flyValueB * kDegrees;
    *x = float(ds.lightOffset.floatH - ds.flyAltitude * std::cos(h));
    *z = float(ds.lightOffset.floatV - ds.flyAltitude * std::sin(h));
}

}  // namespace

bool IsSwitchedOnFloodLight(const Objex& child) { return IsFloodLight(child) && SwitchedOn(child); }

std::optional<ShadowLight> FloodLightOf(const Objex& wall, const Objex& light, const DocState& ds) {
    if (light.typeData.kind != TypeDataKind::Attachment || !light.typeData.attachment) return std::nullopt;
    const AttachmentRecord& r = *light.typeData.attachment;
    if (!r.segmentStart || !r.segmentEnd) return std::nullopt;
    const Poinz& start = *r.segmentStart;
    const Poinz& end = *r.segmentEnd;
    const float y = Scene(objfield::wall::kBaseOffset(wall), ds) + r.elevation + Scene(start.baseElevation, ds);
    float length = 0, dx = 0, dz = 0;
    const float a = GetLineLengthAndAngle(start.position[0], start.position[2], end.position[0], end.position[2], &length);
    float bx = start.position[0], bz = start.position[2];
    GetPointFromLengthAndAngle(a, r.centreDistance, &dx, &dz);
    bx += dx, bz += dz;
    const bool side = r.sideFlag != 0;
    const float n = side ? a + float(M_PI / 2) : a - float(M_PI / 2);
    GetPointFromLengthAndAngle(n, Scene(wall.penWidth, ds), &dx, &dz);
    bx += dx, bz += dz;
    const float h0 = float(a / kDegrees) + (side ? 90.0f : -90.0f);
    ShadowLight s;
    s.type = objfield::light::kFloodSubtype;
    s.intensity = float(255 - objfield::light::kDimmer(light)) / 255.0f;
    s.falloff = int32_t(std::floor(objfield::light::kFalloff(light) + 0.5f));
    const float fov = objfield::light::kBeamWidth(light) - 40;
    for (const auto& [turn, heading] : {std::pair{kHeadAngle, 48.0f}, std::pair{-kHeadAngle, 132.0f}}) {
        GetPointFromLengthAndAngle(n + turn, kHeadDistance, &dx, &dz);
        s.views.push_back({y, bx + dx, bz + dz, 130, h0 + heading, fov});
    }
    return s;
}

std::vector<ShadowLight> ShadowLightsOf(const Objex& object, const DocState& ds) {
    std::vector<ShadowLight> lights;
    if (object.type == kWall) {
        for (const Objex* c = object.firstChild; c; c = c->next)
            if (IsFloodLight(*c) && SwitchedOn(*c))
                if (auto s = FloodLightOf(object, *c, ds)) lights.push_back(std::move(*s));
    } else if (auto s = FixtureLightOf(object, ds)) {
        lights.push_back(std::move(*s));
    }
    return lights;
}

int32_t LightStepsOf(const Objex& object, const DocState&, int32_t passes) {
    int32_t steps = 0;
    if (object.type == kWall) {
        for (const Objex* c = object.firstChild; c; c = c->next)
            if (IsFloodLight(*c) && SwitchedOn(*c)) steps += 2;
    } else if (const Objex* light = FixtureOf(object)) {
        steps = FixtureSteps(*light, passes);
    }
    return steps;
}

int32_t CountLightSteps(const Layer* first, const DocState& ds, int32_t passes) {
    if (ds.renderValue & hideflag::kElectrical) return 0;
    int32_t steps = 0;
    for (const Layer* layer = first; layer; layer = layer->next)
        if (layer->visible)
            for (const Objex* o = layer->firstObject; o; o = o->next) steps += LightStepsOf(*o, ds, passes);
    return steps;
}

int32_t ShadowProgressTotal(int32_t sunPart, int32_t lightSteps, int32_t passes, bool sceneEmpty) {
    if (passes > 0) return sunPart + lightSteps * passes * 2 + (sceneEmpty ? 0 : passes * 2);
    return sunPart + lightSteps * 2 + 1;
}

void Get3DPointFromLengthAndAngles(float length, float heading, float pitch, Vec3* out) {
    if (!out) return;
    float u = 0, y = 0, x = 0, z = 0;
    GetPointFromLengthAndAngle(float((pitch + 180.0) * kDegrees), length, &u, &y);
    const float flat = std::sqrt(std::max(0.0f, length * length - y * y));
    GetPointFromLengthAndAngle(float((heading + 90.0) * kDegrees), flat, &x, &z);
    *out = {x, y, z};
}

Vec3 GetLightOffset(float x, float z, float pitch, float heading, int16_t type) {
    const DocState* ds = CurrentDocState();
    if (!ds) return {};
    float cx = 0, cz = 0, d = 0;
    CameraPlace(*ds, &cx, &cz);
    if (type == 1) x = -gXSunOffset, z = -gZSunOffset;
    const float angle = GetLineLengthAndAngle(cx, cz, x, z, &d);
    const float f = d >= 600 ? d * 0.00167f : 1.0f;
    auto q = [angle](float length) {
        float qx = 0, qz = 0;
        GetPointFromLengthAndAngle(angle, length, &qx, &qz);
        return std::pair{qx, qz};
    };
    Vec3 p;
    switch (type) {
    case 1: return {0, d / (gOrthoSizeRight - gOrthoSizeLeft) + 1.0, 0};
    case 79: {
        Get3DPointFromLengthAndAngles(d >= 1000 ? d * 0.001f : 1.0f, heading, pitch, &p);
        const auto [qx, qz] = q(1.5f);
        return {-p.x - qx, p.y, -p.z - qz};
    }
    case 152:
        if (!gPointLightDownShot) break;
        [[fallthrough]];
    case 80:
    case 81:
    case 82:
    case 149:
    case 151: {
        const auto [qx, qz] = q(1.5f);
        return {-qx, 2.5 * f, -qz};
    }
    case 83:
    case 147:
    case 148:
        Get3DPointFromLengthAndAngles(f, heading, pitch, &p);
        return {-p.x, p.y, -p.z};
    default: break;
    }
    const auto [qx, qz] = q(1.0f);
    return {-qx, 0, -qz};
}

float GetPixelDistance(float px, float py, float left, float top, float right, float bottom, int32_t n, int32_t mode) {
    const float w = right - left, h = bottom - top;
    float t = 0;
    if (mode == 1) {
        const float r = std::hypot(px - w / 2, py - h / 2), radius = std::min(w, h) / 2;
        if (!(r < radius)) return -1;
        t = r / radius;
    } else if (mode >= 2 && mode <= 5) {
        if (!(py < h) || h <= 0) return -1;
        t = mode == 2 || mode == 4 ? 1 - py / h : py / h;
    } else {
        return -1;
    }
    for (int32_t i = 0; i < n; ++i) t = mode >= 4 ? t * t * 0.5f : t * t;
    return t;
}

int32_t CurrentFalloffMode() {
    if (gAmbientLightUpDown) return gFadeDown ? 4 : 5;
    if (gAmbientLightUp) return 3;
    if (gAmbientLightDown) return 2;
    return 1;
}

namespace {

void Multiply(const double* a, const double* b, double* out) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = s;
        }
}

// Gauss-Jordan with partial pivoting on a column-major 4 x 4 matrix.
bool Invert(const double* m, double* out) {
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) a[r][c] = m[c * 4 + r], a[r][c + 4] = r == c ? 1.0 : 0.0;
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (std::fabs(a[pivot][c]) < 1e-300) return false;
        std::swap(a[pivot], a[c]);
        const double inv = 1.0 / a[c][c];
        for (double& v : a[c]) v *= inv;
        for (int r = 0; r < 4; ++r) {
            if (r == c) continue;
            const double f = a[r][c];
            for (int k = 0; k < 8; ++k) a[r][k] -= f * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[c * 4 + r] = a[r][c + 4];
    return true;
}

}  // namespace

ViewMatrices ViewOf(const double* modelview, const double* projection, const int32_t* viewport) {
    ViewMatrices m;
    std::copy_n(modelview, 16, m.modelview), std::copy_n(projection, 16, m.projection), std::copy_n(viewport, 4, m.viewport);
    return m;
}

ViewProjector::ViewProjector(const ViewMatrices& m) {
    Multiply(m.projection, m.modelview, m_);
    std::copy(m.viewport, m.viewport + 4, vp_);
}

bool ViewProjector::project(const float* p, double* wx, double* wy, double* wz) const {
    double v[4];
    for (int r = 0; r < 4; ++r) v[r] = m_[r] * p[0] + m_[4 + r] * p[1] + m_[8 + r] * p[2] + m_[12 + r];
    if (v[3] == 0.0) return false;
    *wx = vp_[0] + vp_[2] * (v[0] / v[3] + 1) / 2;
    *wy = vp_[1] + vp_[3] * (v[1] / v[3] + 1) / 2;
    *wz = (v[2] / v[3] + 1) / 2;
    return true;
}

bool FillEyePositions(const ViewMatrices& camera, std::span<const float> depth, int w, int h, std::span<float> eyes) {
    const size_t n = size_t(w) * size_t(h);
    if (w <= 0 || h <= 0 || depth.size() < n || eyes.size() < 3 * n) return false;
    double pm[16], inv[16];
    Multiply(camera.projection, camera.modelview, pm);
    if (!Invert(pm, inv) || camera.viewport[2] <= 0 || camera.viewport[3] <= 0) return false;
    // Each pixel's depth was drawn at its centre: unprojecting its corner instead puts the
    // point off the surface by half a pixel, and faces shadow themselves in stripes.
    const double sx = 2.0 / camera.viewport[2], sy = 2.0 / camera.viewport[3];
    for (int y = 0; y < h; ++y) {
        const double ny = (y + 0.5 - camera.viewport[1]) * sy - 1;
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            const float d = depth[i];
            if (!(d > 0 && d < 1)) continue;
            const double in[4] = {(x + 0.5 - camera.viewport[0]) * sx - 1, ny, 2.0 * d - 1, 1};
            double out[4];
            for (int r = 0; r < 4; ++r)
                out[r] = inv[r] * in[0] + inv[4 + r] * in[1] + inv[8 + r] * in[2] + inv[12 + r];
            if (out[3] == 0.0) continue;
            for (int k = 0; k < 3; ++k) eyes[3 * i + k] = float(out[k] / out[3]);
        }
    }
    return true;
}

void CompositeShadowImage(std::span<uint8_t> dark, std::span<const uint8_t> light, std::span<const float> map) {
    const size_t n = std::min({dark.size() / 3, light.size() / 3, map.size()});
    for (size_t i = 0; i < n; ++i)
        for (size_t c = 3 * i; c < 3 * i + 3; ++c) {
            const float diff = light[c] >= dark[c] ? float(light[c] - dark[c]) : 0.0f;
            dark[c] = uint8_t(std::min(255.0f, std::floor(dark[c] + diff * map[i])));
        }
}

void FoldIntoLightMap(std::span<float> map, std::span<float> add, float scale) {
    const size_t n = std::min(map.size(), add.size());
    for (size_t i = 0; i < n; ++i) {
        if (add[i] > 0) map[i] += add[i] * scale * (1 - map[i]);
        add[i] = 0;
    }
}

void FillUntestedPixels(std::span<float> map, std::span<float> contribution, int w, int h, bool fold) {
    if (w <= 0 || h <= 0 || map.size() < size_t(w) * h || contribution.size() < size_t(w) * h) return;
    for (int y = 0; y < h; ++y)
        for (int x = (y + 1) % 2; x < w; x += 2) {
            float sum = 0;
            int count = 0;
            auto take = [&](int nx, int ny) {
                if (nx < 0 || ny < 0 || nx >= w || ny >= h) return;
                sum += contribution[size_t(ny) * w + nx], ++count;
            };
            take(x - 1, y), take(x + 1, y), take(x, y - 1), take(x, y + 1);
            const size_t i = size_t(y) * w + x;
            if (fold && count > 0 && sum / count > 0) map[i] += (1 - map[i]) * (sum / count);
        }
    std::fill(contribution.begin(), contribution.end(), 0.0f);
}
