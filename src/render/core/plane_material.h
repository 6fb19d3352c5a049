#pragma once
// What a plane object is drawn in: the texture and colour its material slot and the render
// mode give, its repeat factors, the brightness gradient of its vertices and the shaded
// colours of a grid surface. No GL here; the face drawers (render/plane_renderers.h) and the
// other drawers of pieces share these rules.
#include <cstdint>

#include "model/types.h"

struct DocState;
struct Objex;
struct PlaneObject;

// One material slot of a piece: planar surfaces (surface kind 6) draw the front slot,
// every other piece the back one.
struct PlaneMaterialSlot {
    int32_t* texture;
    uint16_t* size;        // two per-cent scales; -1 (65535) unset
    int16_t* scaleField;   // the model's two per-cent values, or null
    float* repeat;         // two repeat factors
};
PlaneMaterialSlot MaterialSlotOf(PlaneObject* piece);

struct PlaneMaterial {
    int32_t textureID = 0;       // 0 draws untextured; a palette entry is resolved
    int32_t slotTexture = 0;     // the slot's own ID after palette resolution, before the off rules
    bool palette = false;        // the slot names an entry of the active palette
    RGBColor color;              // the colour the render mode gives, not yet shaded
    float repeatA = 1.0f, repeatB = 1.0f;
};

// Resolves the piece's material for the document's render mode. A first scale of -1 becomes
// 100 for both scales, in the piece and in the model's field.
PlaneMaterial ResolvePlaneMaterial(PlaneObject* piece, const DocState* ds);

// The colour a wire frame draws lines of `plan` colour in: that colour, or black or white
// where it would not show on the wireframe background (`sceneColor`).
RGBColor WireframeLineColor(RGBColor plan, const DocState* ds);

// ClearView's colours and the opacity byte of every opaque face.
RGBColor ClearViewLineColor();
RGBColor ClearViewFillColor(const DocState* ds);
uint8_t ClearViewOpacity(const DocState* ds);

// Components as the bytes GL takes (component / 257).
inline uint8_t ColorByte(uint16_t component) { return uint8_t(component / 257); }

// `color` shaded by the face normal: its HSV value through ComputeShading (brightness 1.2 for
// trims while gAdjustTrimLightIntensity is set). `value` receives the shaded value.
RGBColor ShadePlaneColor(RGBColor color, float nx, float ny, float nz, uint16_t pieceKind, DocState* ds,
                         int32_t* value);

// The gradient's value V' of a vertex of the piece: `value` is the shaded value V, (u, v) the
// vertex's texture coordinates, y0 and y the stored y of the plane's first vertex and of this
// vertex. Clamped to 0..65535.
int32_t PlaneGradientValue(const PlaneObject* piece, const DocState* ds, int32_t value, float u, float v, float y0,
                           float y);
// The vertex colour a gradient value gives: in render mode 4 the ClearView line colour tinted
// towards the fill colour by V'/V, otherwise `shaded` with its HSV value replaced by V'.
RGBColor GradientColor(RGBColor shaded, int32_t value, int32_t gradientValue, const DocState* ds);

// Fills `colors` ((columns + 1) x (rows + 1) entries, zeroed by the caller) with the shaded
// and 5 x 5 smoothed colours of a grid surface's points; a grid whose point count does not
// match leaves them zero. The texture arguments do not change the colours.
void SetUpGridPlaneShadingAndTextureList(RGBColor* colors, RGBColor base, int32_t textureID, int16_t scaleH,
                                         int16_t scaleV, float totalWidth, float totalDepth, int32_t columns,
                                         int32_t rows, float cellWidth, float cellDepth, const Objex* grid);
