#pragma once
// The 2D shape builders: rectangle, line, oval and regular polygon from a finished drag, and
// the polyline and spline built click by click. Positions are plan units laid as (x, y, third)
// in H, V, D; angles follow the plan (a point at angle a and length L lies at (L cos a,
// -L sin a)). Every builder links its object into the layer and returns it, or returns null
// with nothing made or linked.
#include <cstdint>

struct Layer;
struct Objex;

// The corner-pair builders store the corners, rounded half up, as the 2D bounds and measure
// their points for the 3D bounds; their points are kind 1 (ovals with tangents), selected.
// Null for coinciding corners or a missing layer.

// Closed type 1 through (x1, y1), (x2, y1), (x2, y2), (x1, y2).
Objex* BuildRect(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle);
// Open type 6 from (x1, y1) to (x2, y2).
Objex* BuildLine(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle);
// Closed type 2 inside the corners: points top, right, bottom, left, each with equal in- and
// out-tangents of a circle of radius half the larger extent, squashed on the other axis.
Objex* BuildOval(float x1, float y1, float x2, float y2, Layer* layer, uint8_t useDocumentStyle);
// Closed type 4: the regular polygon of `sides` vertices about the centre through the picked
// vertex, laid from one step after it round to it, at `third`. Null below 3 sides.
Objex* BuildMulti(float cx, float cy, float vx, float vy, Layer* layer, int16_t sides,
                  uint8_t useDocumentStyle, float third);

// The polyline builders, one call per click; their points are kind 1, unselected, rows 1.
namespace buildmode {
inline constexpr int16_t kStart = 1;   // a new open type-9 object on the layer holding the point
inline constexpr int16_t kAppend = 2;  // the point appended to the object
inline constexpr int16_t kFinish = 3;  // bounds stored, the object selected
}  // namespace buildmode

// Mode 1 also gives the new object the document's current plan bit. Null without a layer, for
// a null object in modes 2 and 3, for any other mode, or when a point cannot be made (the
// object keeps the points it had).
Objex* BuildPoly(Objex* object, float h, float v, float d, Layer* layer, int16_t mode,
                 uint8_t useDocumentStyle);
// As BuildPoly without the plan bit; mode 3 then smooths the outline as drawn in the view of
// the kind (1 front, 2 plan, 3 side; any other kind leaves it straight).
Objex* BuildSpline(Objex* object, float h, float v, float d, Layer* layer, int16_t mode,
                   uint8_t useDocumentStyle, int16_t viewKind);
