#pragma once
// Small pieces shared by the object, plan and skylight transforms.
#include <cstdint>

struct Objex;
struct Poinz;
struct RoofAttachmentRecord;
struct TransformRecord;

namespace xformsupport {

inline constexpr int kH = 0;
inline constexpr int kV = 1;
inline constexpr int kD = 2;

inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kRadiansPerDegree = 0.017453292519943295;
inline constexpr int16_t kCustomSkylightStyle = 806;

// The two coordinates (H 0, V 1, D 2) the current view works in; false without a current
// document, its settings record, or for a view kind other than 1, 2 and 3.
bool ViewAxes(int* first, int* second);
// Whether the current view is the plan (view kind 2).
bool IsPlanView();

// A coordinate mirrored through 0. A value on the axis stays +0, never -0: a later gesture that
// puts it back where it stands writes +0, and would change the stored bytes without a step.
inline float Mirrored(float v) { return 0.0f - v; }

// One addition or subtraction of 360 when the angle lies above 360 or below 0.
float WrapDegreesOnce(float degrees);

// The roof attachment record of a skylight (160) or dormer cut-out (166), or null.
RoofAttachmentRecord* RoofAttachmentOf(Objex* child);

// Bounds from empty boxes, texture mapping, point lengths when asked, and the rebuild mark.
void FinishTransformedObject(Objex* object, bool pointLengths);

// A custom skylight takes the bounds of its (already turned) symbols and new bounds points;
// nothing for other skylights or when the symbols have no extent.
void RebuildCustomSkylightBounds(Objex* skylight);

// Turns a point and its non-zero tangents in the given axes.
void RotatePointInAxes(Poinz* point, int a1, int a2, float centre1, float centre2, float angle);

}  // namespace xformsupport
