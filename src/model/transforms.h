#pragma once
// The coordinate primitives of moving, scaling, rotating and shearing, the conversion between
// world lengths and plan (screen) lengths, the transform record, and the per-point transforms
// the plan draws as feedback while a move, scale, rotation or shear is tracked. Transforms
// work in the two axes of the current view: plan H and D, front H and V, side D and V.
#include <cstdint>

struct DocState;
struct Poinz;

// 17 floats, read two ways. Command form (object transforms): translation 0-2, scale factors
// 3-5, rotation angle 6, centre 7-9, shear start 10-12 and end 13-15, extrusion depth 16.
// Tracking form (per-point transforms): drag start 0-2, drag current 3-5, origin 6-8, start
// angle 9, current angle 10, revolve total angle 11. H, V, D in that order.
struct TransformRecord {
    float values[17] = {};
};

namespace xform {
inline constexpr int kTranslateH = 0;
inline constexpr int kScaleH = 3;
inline constexpr int kRotationAngle = 6;
inline constexpr int kCentreH = 7;
inline constexpr int kShearStartH = 10;
inline constexpr int kShearEndH = 13;
inline constexpr int kExtrusionDepth = 16;

inline constexpr int kStartH = 0;
inline constexpr int kCurrentH = 3;
inline constexpr int kOriginH = 6;
inline constexpr int kStartAngle = 9;
inline constexpr int kCurrentAngle = 10;
inline constexpr int kRevolveAngle = 11;

// Per-point flags: only selected, unlocked points; the Shift constraint.
inline constexpr int32_t kSelectedOnly = 0x100;
inline constexpr int32_t kConstrain = 0x200;

// Transform flags of drawing and dimensions (first match wins).
inline constexpr int32_t kTranslateFlag = 16;
inline constexpr int32_t kScaleFlag = 32;
inline constexpr int32_t kShearFlag = 64;
inline constexpr int32_t kRotateFlag = 128;
}  // namespace xform

void Translate(float* x, float* y, float dx, float dy);
float GetTranslate(float from, float to);
void Scale(float* x, float* y, float ox, float oy, float fx, float fy);
// (to - origin) / (from - origin); 1.0 when from equals origin.
float GetScale(float from, float to, float origin);
// Shears (x, y) by the move of (x0, y0) to (x1, y1) about the origin; an axis whose start
// equals the origin is not sheared.
void Shear(float x0, float y0, float x1, float y1, float* x, float* y, float ox, float oy);
// Turns (x, y) about (cx, cy) by the angle (radians, plan convention).
void Rotate(float* x, float* y, float cx, float cy, float angle);
// a1 - a0, each first brought below pi by one turn.
float GetRotate(float a0, float a1);

// A world length (document unit) in plan units: inches / planScale x 72, zoomed when asked.
float ConvertWorldToScreen(float length, const DocState* docState, uint8_t zoom);
// Plan units back to the world unit. With the zoom flag the result is multiplied by the zoom
// like ConvertWorldToScreen (Select All's size readout asks for it and DrawWH takes the zoom
// off again, so the two cancel).
float ConvertScreenToWorld(float length, const DocState* docState, uint8_t zoom);

// Tracking-form transforms of one point in place; need a current document.
void TranslatePoint(Poinz* point, int32_t flags, const TransformRecord* record);
void ScalePoint(Poinz* point, int32_t flags, const TransformRecord* record);
void RotatePoint(Poinz* point, int32_t flags, const TransformRecord* record);
void ShearPoint(Poinz* point, int32_t flags, const TransformRecord* record);

// A dimension point's transform by the flags: 16 translate, 32 scale, 64 shear, 128 rotate.
void TransformDimension(Poinz* point, int32_t flags, const TransformRecord* context);
