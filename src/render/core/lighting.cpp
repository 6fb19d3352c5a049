#include <algorithm>
#include <cmath>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/preferences.h"
#include "port/seam.h"
#include "model/render_state.h"

namespace {
constexpr float kInitialX = 90.0f, kInitialY = 150.0f, kInitialZ = 0.0f;
constexpr double kRadiansPerDegree = 0.017453292519943295;
}  // namespace

float gLightXAngle = kInitialX;
float gLightYAngle = kInitialY;
float gLightZAngle = kInitialZ;
float gLightXDegrees = kInitialX;
float gLightYDegrees = kInitialY;
float gLightZDegrees = kInitialZ;
float gDirectionCosX = float(std::cos(kInitialX * kRadiansPerDegree));
float gDirectionCosY = float(std::cos(kInitialY * kRadiansPerDegree));
float gDirectionCosZ = float(std::cos(kInitialZ * kRadiansPerDegree));
uint8_t gAdjustTrimLightIntensity = 0;

void SetupLights() {
    gLightXDegrees = gLightXAngle;
    gLightYDegrees = gLightYAngle;
    gLightZDegrees = gLightZAngle;
    gDirectionCosX = float(std::cos(gLightXAngle * kRadiansPerDegree));
    gDirectionCosY = float(std::cos(gLightYAngle * kRadiansPerDegree));
    gDirectionCosZ = float(std::cos(gLightZAngle * kRadiansPerDegree));
}

static const port::GlobalReset kReset([] {
    gLightXAngle = kInitialX;
    gLightYAngle = kInitialY;
    gLightZAngle = kInitialZ;
    SetupLights();
    gAdjustTrimLightIntensity = 0;
});

void ComputeShading(float /*intensity*/, float nx, float ny, float nz, int32_t* saturation, int32_t* value,
                    uint8_t noFloor) {
    if (!(gLiveViewOptions & liveviewoption::kGradientShading) || !saturation || !value) return;
    const DocState* ds = CurrentDocState();
    if (!ds) return;
    const int32_t c = *value;
    float k = ds->lightIntensity;
    const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (length > 0) nx /= length, ny /= length, nz /= length;
    const float d = std::fabs(nx * gDirectionCosX + ny * gDirectionCosY + nz * gDirectionCosZ);
    int32_t s = int32_t(std::trunc(double(d) * c + 0.5));
    const float t = float((k - 0.5) * 0.5);
    if (t < 0.4f) k *= std::max(0.5f, t / 0.4f);
    if (!noFloor) {
        k *= float(std::max<double>(s, std::trunc(c * 0.6 + 0.5)));
        s = int32_t(std::trunc(k));
    }
    *value = std::min(s, c);
}
