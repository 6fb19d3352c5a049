#include "render/core/lot_surface.h"

#include <algorithm>
#include <cmath>

#include "files/palettes.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/preferences.h"
#include "model/color_conversions.h"
#include "render/core/plane_material.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "scene/terrain.h"
#include "model/topo_grid.h"

namespace {

bool LineMode(int16_t mode) {
    return mode == rendermode::kWireframe || mode == rendermode::kLines || mode == rendermode::kFilled;
}

RGBColor PaletteColor(int32_t id) {
    RGBColor c;
    GetPaletteRGBColor(&c, id);
    return {uint16_t(c.red * 257), uint16_t(c.green * 257), uint16_t(c.blue * 257)};
}

RGBColor WithValue(RGBColor color, double value) {
    uint16_t hsv[3];
    RGBtoHSV(&color, hsv);
    hsv[2] = uint16_t(std::clamp(value, 0.0, 65535.0));
    RGBColor out;
    HSVtoRGB(hsv, &out);
    return out;
}

uint16_t ValueOf(RGBColor color) {
    uint16_t hsv[3];
    RGBtoHSV(&color, hsv);
    return hsv[2];
}

RGBColor Mix(RGBColor from, RGBColor to, double f) {
    auto mix = [f](uint16_t a, uint16_t b) { return uint16_t(std::clamp(a + (double(b) - a) * f, 0.0, 65535.0)); };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

}  // namespace

BackdropQuad BackdropExtents(float w, float h) {
    BackdropQuad q;
    if (!(w > 0) || !(h > 0)) return q;
    if (w > h) q.bottom = -100 * w / h, q.top = 100 * w / h;
    else if (w < h) q.left = -100 * h / w, q.right = 100 * h / w;
    return q;
}

double LightBrightnessStep(const DocState* ds) {
    if (!ds) return 0;
    const double t = (double(ds->lightIntensity) - 0.5) * 0.5;
    return t <= 0.25 ? t * 3 : t + (1 - t) / 1.5;
}

int32_t BackdropTexture(const DocState* ds) {
    if (!ds || LineMode(ds->renderMode) || (ds->renderValue & hideflag::kMaterials)) return 0;
    int32_t id = ds->backgroundTexture;
    if (IsTextureAPalette(id)) id = GetPaletteTextureID(id);
    return id > 0 ? id : 0;
}

RGBColor BackdropColor(const DocState* ds) {
    if (!ds) return {};
    if (LineMode(ds->renderMode)) return ClearViewFillColor(ds);
    RGBColor c = IsTextureAPalette(ds->backgroundTexture) ? PaletteColor(ds->backgroundTexture) : ds->skyColor;
    if (ds->lightFlag && ds->renderMode == rendermode::kSolid) {
        const double t = LightBrightnessStep(ds);
        const double u = ds->sunOn ? ds->sunValueD / 100.0 : 0.0;
        c = WithValue(c, std::max(t, u) * 65535);
    }
    return c;
}

int32_t LotTexture(const DocState* ds) {
    if (!ds) return 0;
    const int16_t mode = ds->renderMode;
    if (mode == rendermode::kLines || mode == rendermode::kFilled || mode == rendermode::kNoColour) return 0;
    if ((mode == rendermode::kWireframe && !gTexturedWire) || (ds->renderValue & hideflag::kMaterials)) return 0;
    int32_t id = ds->lotTexture;
    if (IsTextureAPalette(id)) id = GetPaletteTextureID(id);
    return id > 0 ? id : 0;
}

void LotTextureRepeat(const DocState* ds, int32_t textureID, float* repeatH, float* repeatV) {
    float h = 1, v = 1;
    if (ds) {
        const FloatRect& lot = ds->lotRect;
        ComputeTextureScale(textureID, lot.floatRight - lot.floatLeft, lot.floatBottom - lot.floatTop, &h, &v);
        if (ds->lotTextureScale.x) h /= ds->lotTextureScale.x / 100.0f;
        if (ds->lotTextureScale.y) v /= ds->lotTextureScale.y / 100.0f;
    }
    if (repeatH) *repeatH = h;
    if (repeatV) *repeatV = v;
}

RGBColor LotBaseColor(const DocState* ds) {
    if (!ds) return {};
    switch (ds->renderMode) {
    case rendermode::kLines: return ClearViewLineColor();
    case rendermode::kFilled: return ClearViewFillColor(ds);
    default: break;
    }
    // The wire frame has no ground colour of its own: it shows the lot's.
    return IsTextureAPalette(ds->lotTexture) ? PaletteColor(ds->lotTexture) : ds->lotColor;
}

LotColors LotGroundColors(const DocState* ds, bool textured) {
    const RGBColor a = LotBaseColor(ds);
    if (!ds) return {a, a};
    const int16_t mode = ds->renderMode;
    if (!textured && !LineMode(mode) && (gLiveViewOptions & liveviewoption::kGradientShading)) {
        const double v = ValueOf(a);
        const RGBColor k = WithValue(a, v - ds->lightValue / 65535.0 * v);
        return {k, k};
    }
    if (mode == rendermode::kLines || mode == rendermode::kFilled) return {a, a};
    const double t = std::clamp(LightBrightnessStep(ds), 0.0, 1.0);
    const RGBColor nearColor = WithValue(a, t * 65535);
    if (ds->renderFlag) return {nearColor, nearColor};
    const double farValue = ValueOf(nearColor) * ((65535 - ds->lightValue / 3) / 65535.0);
    return {nearColor, WithValue(nearColor, farValue)};
}

RGBColor ShadeLotCell(RGBColor base, float a, float b, float c, const DocState* ds) {
    if (!ds) return base;
    const int16_t mode = ds->renderMode;
    if (mode == rendermode::kWireframe || mode == rendermode::kLines || mode == rendermode::kNoColour) return base;
    const float largest = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
    if (largest >= 1) a *= 0.99f / largest, b *= 0.99f / largest, c *= 0.99f / largest;
    uint16_t hsv[3];
    RGBtoHSV(&base, hsv);
    int32_t saturation = hsv[1], value = hsv[2];
    ComputeShading(1.0f, a, b, c, &saturation, &value, 0);
    if (mode == rendermode::kFilled) {
        const double f = hsv[2] ? double(value) / hsv[2] : 1.0;
        return Mix(ClearViewLineColor(), ClearViewFillColor(ds), f);
    }
    return WithValue(base, value);
}

LotGrid CurrentLotGrid(const DocState* ds) {
    LotGrid g;
    if (!ds || gTopographyGrid.empty() || !std::isfinite(ds->topoGridSpacing)) return g;
    const float spacing = std::trunc(ds->topoGridSpacing);
    if (!(spacing >= 1) || gTopoRowCnt < 1 || gTopoColumnCnt < 1) return g;
    if (gTopographyGrid.size() != size_t(gTopoRowCnt + 1) * size_t(gTopoColumnCnt + 1)) return g;
    g.rows = gTopoRowCnt, g.columns = gTopoColumnCnt, g.spacing = spacing;
    g.left = ds->lotRect.floatLeft, g.bottom = ds->lotRect.floatBottom;
    return g;
}

float LotHeightAt(float x, float d) {
    const float y = GetTopoElevationAtGridPt(x, d);
    return y == 0 ? 0.0f : -y;
}

bool IsTopoGridZeroFlat() {
    return std::all_of(gTopographyGrid.begin(), gTopographyGrid.end(), [](float h) { return h == 0.0f; });
}
