#include "render/core/plane_material.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "files/palettes.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/object_fields.h"
#include "model/preferences.h"
#include "model/projection.h"
#include "model/transforms.h"
#include "model/view_layers.h"
#include "model/plan_objects.h"
#include "model/color_conversions.h"
#include "render/core/render_guards.h"
#include "model/render_state.h"
#include "scene/plane_object.h"

namespace {

constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
constexpr int32_t kFirstCustomTexture = 20000;
constexpr int16_t kUnsetScale = -1;

bool ColorsFromPlanOf(int16_t type) { return type == 16 || type == 17 || type == 56 || type == 157; }

bool IsTrimPiece(uint16_t kind) { return kind == 1 || kind == 2 || kind == 3 || kind == 63 || kind == 159; }

// By name: a renamed or reordered floor keeps or loses the gradient with its name.
bool OnFirstOrThirdFloor(const Objex* object) {
    if (!object || !object->layer) return false;
    const char* name = object->layer->name;
    return std::strcmp(name, "First Floor") == 0 || std::strcmp(name, "Third Floor") == 0;
}

bool KeepsItsGradientType(int32_t type, uint16_t pieceKind) {
    switch (type) {
    case 14: case 16: case 32: case 33: case 34: case 35: case 41: case 42: case 44:
        return true;
    default:
        return type == 12 && pieceKind == 63;
    }
}

// V - f (1 - v), V - f v, V - f u or V - f (1 - u) by a base subtype of 30000 to 30003.
float BySubtype(int32_t subtype, float value, float f, float u, float v, bool otherFromTop) {
    switch (subtype) {
    case 30000: return value - f * v;
    case 30001: return value - f * (1 - v);
    case 30002: return value - f * u;
    case 30003: return value - f * (1 - u);
    default: return otherFromTop ? value - f * (1 - v) : value - f * v;
    }
}

RGBColor Tinted(RGBColor line, RGBColor fill, double ratio) {
    auto mix = [ratio](uint16_t a, uint16_t b) {
        const double c = a + (double(b) - double(a)) * ratio;
        return uint16_t(std::clamp(c, 0.0, 65535.0));
    };
    return {mix(line.red, fill.red), mix(line.green, fill.green), mix(line.blue, fill.blue)};
}

// Relative luminance, 0 to 1.
double Luminance(RGBColor c) { return (0.299 * c.red + 0.587 * c.green + 0.114 * c.blue) / 65535.0; }

RGBColor WithValue(RGBColor color, int32_t value) {
    uint16_t hsv[3];
    RGBtoHSV(&color, hsv);
    hsv[2] = uint16_t(std::clamp(value, 0, 65535));
    RGBColor out;
    HSVtoRGB(hsv, &out);
    return out;
}

}  // namespace

PlaneMaterialSlot MaterialSlotOf(PlaneObject* p) {
    if (p->surfaceKind == kPlanarSurface)
        return {&p->frontTexture, p->frontTextureSize, p->frontScaleField, p->frontRepeat};
    return {&p->backTexture, p->backTextureSize, p->backScaleField, p->backRepeat};
}

RGBColor WireframeLineColor(RGBColor plan, const DocState* ds) {
    // Lines this close in brightness to the background are lost on it.
    constexpr double kLeastContrast = 0.25;
    if (!ds) return plan;
    const double background = Luminance(ds->sceneColor);
    if (std::fabs(Luminance(plan) - background) >= kLeastContrast) return plan;
    return background < 0.5 ? kWhite : RGBColor{0, 0, 0};
}

RGBColor ClearViewLineColor() { return gClearViewLineColor; }
RGBColor ClearViewFillColor(const DocState* ds) { return ds ? ds->backgroundColor : kWhite; }
uint8_t ClearViewOpacity(const DocState* ds) { return ds ? uint8_t(ds->renderSetting & 0xFF) : 255; }

PlaneMaterial ResolvePlaneMaterial(PlaneObject* p, const DocState* ds) {
    PlaneMaterial m;
    if (!p || !ds) return m;
    PlaneMaterialSlot slot = MaterialSlotOf(p);
    if (int16_t(slot.size[0]) == kUnsetScale) {
        slot.size[0] = slot.size[1] = 100;
        if (slot.scaleField) slot.scaleField[0] = slot.scaleField[1] = 100;
    }
    m.repeatA = slot.size[0] ? slot.repeat[0] / (slot.size[0] / 100.0f) : 1.0f;
    m.repeatB = slot.size[1] ? slot.repeat[1] / (slot.size[1] / 100.0f) : 1.0f;

    RGBColor own;
    if (p->surfaceKind == kPlanarSurface)
        own = p->frontColorField ? *p->frontColorField : p->backColorField ? *p->backColorField : p->backColor;
    else
        own = p->backColorField ? *p->backColorField : p->frontColor;
    RGBColor material = own;
    int32_t texture = *slot.texture;
    if (IsTextureAPalette(texture)) {
        m.palette = true;
        RGBColor c;
        GetPaletteRGBColor(&c, texture);
        material = {uint16_t(c.red * 257), uint16_t(c.green * 257), uint16_t(c.blue * 257)};
        texture = GetPaletteTextureID(texture);
    }
    m.slotTexture = texture;

    const int16_t mode = ds->renderMode;
    const bool off = (mode == rendermode::kWireframe && !gTexturedWire) || mode == rendermode::kLines ||
                     mode == rendermode::kFilled || (ds->renderValue & hideflag::kMaterials) ||
                     gRenderPlantsInColor || (mode == rendermode::kNoColour && texture < kFirstCustomTexture);
    m.textureID = off ? 0 : texture;

    if (mode == rendermode::kWireframe) {
        // Textures on the wire frame keep the face's own colour; otherwise its plan colour.
        m.color = own;
        if (!gTexturedWire) {
            if (p->object3D && ColorsFromPlanOf(p->object3D->type)) GetObjectPlanColor(p->object3D, &m.color);
            else if (Objex* root = p->baseObject ? GetRootObject(p->baseObject) : nullptr) GetObjectPlanColor(root, &m.color);
            m.color = WireframeLineColor(m.color, ds);
        }
    } else if (mode == rendermode::kLines) {
        m.color = ClearViewLineColor();
    } else if (mode == rendermode::kFilled) {
        m.color = ClearViewFillColor(ds);
    } else if (mode == rendermode::kNoColour || gRenderPlantsInColor) {
        m.color = kWhite;
    } else {
        m.color = material;
    }
    return m;
}

RGBColor ShadePlaneColor(RGBColor color, float nx, float ny, float nz, uint16_t pieceKind, DocState* ds,
                         int32_t* value) {
    uint16_t hsv[3];
    RGBtoHSV(&color, hsv);
    int32_t saturation = hsv[1], v = hsv[2];
    {
        ScopedBrightness trims(gAdjustTrimLightIntensity && IsTrimPiece(pieceKind) ? ds : nullptr, 1.2f);
        ComputeShading(1.0f, nx, ny, nz, &saturation, &v, 0);
    }
    if (value) *value = v;
    hsv[2] = uint16_t(std::clamp(v, 0, 65535));
    RGBColor out;
    HSVtoRGB(hsv, &out);
    return out;
}

namespace {

float InfillShade(const PlaneObject* p) {
    const float shade = p->sourceObject ? objfield::door_piece::kShade(*p->sourceObject) : 0.0f;
    return shade > 0 ? shade : objfield::door_piece::kInfillShade;
}

}  // namespace

int32_t PlaneGradientValue(const PlaneObject* p, const DocState* ds, int32_t value, float u, float v, float y0,
                           float y) {
    if (!p || !ds) return value;
    const float f = ds->lightValue / 65535.0f * float(value);
    int32_t type = p->object3DType;
    if (!OnFirstOrThirdFloor(p->object3D) && !KeepsItsGradientType(type, p->pieceKind)) type = 0;
    const Objex* base = p->baseObject;
    float out = float(value);
    switch (type) {
    case 42: {
        const Layer* layer = p->object3D ? p->object3D->layer : nullptr;
        const float h = ConvertWorldToScreen(layer ? layer->height : 96.0f, ds, 0);
        out = h != 0 ? value - f * (1 - (y0 - y) / h) : float(value);
        break;
    }
    case 16:
        if (p->pieceKind == 20) out = float(value);
        else if (p->pieceKind == 128) out = InfillShade(p) * value;
        else out = value - f * v;
        break;
    case 0: case 33: case 56: case 157:
        out = BySubtype(base ? base->subtype : 30001, float(value), f, u, v, true);
        break;
    case 44:
        out = float(value);
        break;
    default:
        if (type == 12 && p->pieceKind == 63) out = float(value);
        else if (!base) out = value - f * v;
        else out = BySubtype(base->subtype, float(value), f, u, v, false);
        break;
    }
    return int32_t(std::clamp(out, 0.0f, 65535.0f));
}

RGBColor GradientColor(RGBColor shaded, int32_t value, int32_t gradientValue, const DocState* ds) {
    if (ds && ds->renderMode == rendermode::kFilled) {
        double ratio = value ? double(gradientValue) / value : 1.0;
        if (ratio == 0) ratio = 1.0;
        return Tinted(ClearViewLineColor(), ClearViewFillColor(ds), ratio);
    }
    return WithValue(shaded, gradientValue);
}

void SetUpGridPlaneShadingAndTextureList(RGBColor* colors, RGBColor base, int32_t /*textureID*/, int16_t /*scaleH*/,
                                         int16_t /*scaleV*/, float /*totalWidth*/, float /*totalDepth*/,
                                         int32_t columns, int32_t rows, float cellWidth, float cellDepth,
                                         const Objex* grid) {
    if (!colors || !grid || columns < 1 || rows < 1) return;
    const int64_t stride = int64_t(columns) + 1, points = stride * (int64_t(rows) + 1);
    if (grid->pointCount != points) return;
    std::vector<float> h;
    h.reserve(size_t(points));
    for (const Poinz* p = grid->firstPoint; p && int64_t(h.size()) < points; p = p->next) h.push_back(p->position[1]);
    if (int64_t(h.size()) != points) return;
    DocState* ds = CurrentDocState();
    if (!ds) return;
    // The flat index runs on into the next row past the last column, as the cells do.
    auto at = [&](int64_t i, int64_t j) { return h[size_t(std::min(i + j * stride, points - 1))]; };

    uint16_t baseHSV[3];
    RGBtoHSV(&base, baseHSV);
    const float g = ds->lightValue;
    float ambient = (ds->lightIntensity - 0.5f) * 0.5f;
    ambient = ambient <= 0.25f ? ambient * 3 : ambient + (1 - ambient) / 1.5f;
    std::vector<RGBColor> shaded(static_cast<size_t>(points));
    for (int64_t j = 0; j < rows; ++j)
        for (int64_t i = 0; i <= columns; ++i) {
            float a, b, c, d;
            CalcParametric(i * cellWidth, at(i, j), j * cellDepth, (i + 1) * cellWidth, at(i + 1, j), j * cellDepth,
                           i * cellWidth, at(i, j + 1), (j + 1) * cellDepth, &a, &b, &c, &d);
            const float m = std::max({std::fabs(a), std::fabs(b), std::fabs(c)});
            if (m >= 1.0f) a *= 0.99f / m, b *= 0.99f / m, c *= 0.99f / m;
            int32_t saturation = baseHSV[1], v = baseHSV[2];
            ComputeShading(1.0f, a, b, c, &saturation, &v, 1);
            float value = float(v);
            if (g >= 32767.5f && value < 32767.5f) value -= ((65535 - g) / -32767.5f + 1) * value;
            else if (g < 32767.5f && value > 32767.5f) value += (g / -32767.5f + 1) * value;
            value = std::clamp(value, 0.0f, 65535.0f);
            RGBColor out;
            if (ds->renderMode == rendermode::kFilled) {
                double ratio = baseHSV[2] ? value / baseHSV[2] : 1.0;
                if (ratio == 0) ratio = 1.0;
                out = Tinted(ClearViewLineColor(), ClearViewFillColor(ds), ratio);
            } else {
                out = WithValue(base, int32_t(std::clamp(ambient * value, 0.0f, 65535.0f)));
            }
            shaded[size_t(i + j * stride)] = out;
        }

    for (int64_t y = 0; y < rows; ++y)
        for (int64_t x = 0; x <= columns; ++x) {
            int64_t r = 0, gr = 0, bl = 0, n = 0;
            for (int64_t wy = y - 2; wy <= y + 2; ++wy) {
                if (wy < 0 || wy >= rows) continue;
                for (int64_t wx = x - 2; wx <= x + 2; ++wx) {
                    // The last column counts only as its own centre.
                    if (wx != x && (wx < 0 || wx >= columns)) continue;
                    const RGBColor& s = shaded[size_t(wx + wy * stride)];
                    r += s.red / 257, gr += s.green / 257, bl += s.blue / 257, ++n;
                }
            }
            colors[size_t(x + y * stride)] = {uint16_t(r / n * 257), uint16_t(gr / n * 257), uint16_t(bl / n * 257)};
        }
}
