#pragma once
// Object and layer bounds. Boxes grow point by point and are never shrunk or reset here: the
// caller seeds them empty (EmptyFloatRect / EmptyFloat3DRect) and may grow one box over many
// calls.
//
// 2D boxes are measured in the current view (points projected with the view transform and
// perspective, unzoomed plan units); 3D boxes in model coordinates (left/right span H,
// top/bottom V, back/front D). Point bounds walk points and sample curved segments; the "Obj"
// family reuses the `bounds3D` each object stores; the "Special" family measures roofs by
// their generated panels.
//
// Flags: `onlySelected` measures only selected points (stored-box bounds: selected objects),
// `ignoreCurves` treats every segment as straight, `withPen` widens every measured point by
// half the object's line weight on each side (weights of 2 and more only).
#include <cstdint>

#include "model/types.h"

struct Objex;
struct Layer;
struct Poinz;

inline constexpr float kEmptyBoundsLow = 32000.0f;    // lower edges of an empty box
inline constexpr float kEmptyBoundsHigh = -32000.0f;  // upper edges of an empty box

FloatRect EmptyFloatRect();
Float3DRect EmptyFloat3DRect();
bool IsEmptyBounds(const FloatRect& box);
bool IsEmptyBounds(const Float3DRect& box);

// Set to 1 when stored-box 2D bounds measure a dimension (types 100-107); callers clear it.
extern uint8_t gDimensionSelected;

// --- single points and segments ---

void RefineBounds(float h, float v, float d, FloatRect* box);
void Refine3DBounds(float h, float v, float d, Float3DRect* box);
// The curve from a to b, sampled at 1 / curve resolution; (dx, dy) is the pen offset
// (GetPenOffset), applied on both sides when withPen is set.
void GetObjectSplineBounds(const Poinz* a, const Poinz* b, FloatRect* box, uint8_t withPen,
                           int16_t dx, int16_t dy);
void GetObjectSpline3DBounds(const Poinz* a, const Poinz* b, Float3DRect* box);

// --- 2D point bounds ---

// The object's points and, except for roofs, its children.
void DoGetObjectBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                       uint8_t withPen);
// As DoGetObjectBounds; a wall is measured by the generated solid in its typeData.
void GetObjectBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                     uint8_t withPen);
// Top-level objects of a visible layer; while printing only those on a visible plan.
void GetLayerBounds(Layer* layer, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                    uint8_t withPen);
void GetAllLayersBounds(Layer* firstLayer, uint8_t onlySelected, FloatRect* box,
                        uint8_t ignoreCurves, uint8_t withPen);

// --- 2D stored-box bounds ---

void GetObjectObjBounds(Objex* object, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                        uint8_t withPen);
void GetLayerObjBounds(Layer* layer, uint8_t onlySelected, FloatRect* box, uint8_t ignoreCurves,
                       uint8_t withPen);
void GetAllLayersObjBounds(Layer* firstLayer, uint8_t onlySelected, FloatRect* box,
                           uint8_t ignoreCurves, uint8_t withPen);

// --- 3D point bounds ---

void DoGetObject3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                         uint8_t ignoreCurves);
void GetObject3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box, uint8_t ignoreCurves);
void GetLayer3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box, uint8_t ignoreCurves);
void GetAllLayers3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                          uint8_t ignoreCurves);

// --- 3D stored-box bounds ---

void GetObjectObj3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                          uint8_t ignoreCurves);
void GetLayerObj3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box,
                         uint8_t ignoreCurves);
void GetAllLayersObj3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                             uint8_t ignoreCurves);

// --- 3D bounds with roofs measured by their panels ---

void GetSpecialObjects3DBounds(Objex* object, uint8_t onlySelected, Float3DRect* box,
                               uint8_t ignoreCurves);
void GetSpecialLayers3DBounds(Layer* layer, uint8_t onlySelected, Float3DRect* box,
                              uint8_t ignoreCurves);
void GetAllSpecialLayers3DBounds(Layer* firstLayer, uint8_t onlySelected, Float3DRect* box,
                                 uint8_t ignoreCurves);

// --- stored bounds ---

// Stores the object's point bounds (no pen, curves sampled) in `bounds` and `bounds3D`.
void UpdateObjectBounds(Objex* object);
// Stores GetObjectBounds(object, a, ., b, 0) in `bounds` and GetObject3DBounds(object, 0, ., 0)
// in `bounds3D`, each from an empty box.
void UpdateObjectRootBounds(Objex* object, uint8_t a, uint8_t b);
// What UpdateObjectBounds stores for a group whose members were just read and measured in
// the current view: built from the members' stored bounds, re-measuring only members whose
// stored bounds are not what the group counts of them (walls, members with children or
// generated panels) or hold a value that is not a number.
void UpdateGroupBoundsFromMembers(Objex* group);
// Grows an enhanced text box (points 1-4) to its minimum width and height (object_fields.h),
// then updates its bounds.
void AdjustEnhancedTextObjectSize(Objex* object);
