#pragma once
// Circular arcs as type-5 objects of Hermite segments: drawn arcs that join a layer, and
// temporary ones for feedback and plan symbols (door swings, ovals being dragged), built
// unlinked, used, and deleted by the caller. Angles in degrees, counter-clockwise on screen (a
// point at angle a and length L lies at (L cos a, -L sin a) from the centre). Arcs are laid
// as circles of radius half the larger extent of the corners and squashed to an ellipse when
// the extents differ; the document's view kind is unchanged on every return.
#include <cstdint>

#include "model/types.h"

struct Layer;
struct Objex;

// The arc in trunc(|sweep| / 90) + 1 segments, its points (x, y, 0) of kind 5 from the end
// angle back to the start, then its centre (kind 4); all selected. Bounds stored, then it
// joins the layer. Null, with nothing made, without a settings record or layer, for
// coinciding corners, a sweep of 0, or when memory runs out.
Objex* BuildArc(float x1, float y1, float x2, float y2, float start, float sweep, Layer* layer,
                uint8_t useDocumentStyle);
// BuildTempArcGivenIncrement with segments of at most 90 degrees; null for a sweep of 0.
Objex* BuildTempArc(float x1, float y1, float x2, float y2, float start, float sweep, float third,
                    int16_t viewKind);

// The arc inside the corners x1, y1, x2, y2 (radius half the larger extent, squashed to an
// ellipse when they differ) from `start` over `sweep` in ceil(|sweep / increment|) segments (at
// least one), running from the end angle back to the start; points of kind 5, selected, in the
// plane of the view kind (2 plan: corners are H, D and `third` the V; 3 side: corners become
// D, V; otherwise H, V) at `third`. A sweep of exactly 0 gives the object with no points. Plain
// style; bounds stored. Null without a settings record, for coinciding corners or when memory
// runs out; the document's view kind is unchanged on every return.
Objex* BuildTempArcGivenIncrement(float x1, float y1, float x2, float y2, float start, float sweep,
                                  float third, int16_t viewKind, float increment);

// A temporary arc over `rect` (a sweep below 1e-5 in size counts as 1 degree) in steps of `step`
// degrees: each segment drawn with DrawObjectSegment when `draw` is set; positions and tangents
// copied into the arrays that are given (the closing point left out when `dropLast` is set);
// the number of points (less the closing one with `dropLast`) stored in `count`; the arc deleted.
// Nothing (count 0) when it cannot be built.
void Draw3DEllipse(void* dc, const FloatRect* rect, float start, float sweep, int16_t viewKind,
                   float level, Float3DPoint* positions, Float3DPoint* inTangents,
                   Float3DPoint* outTangents, uint8_t draw, int32_t* count, uint8_t dropLast,
                   float step);
// Draw3DEllipse for the curved wall tool, in steps that make pieces about `chord` (a world
// length) long: 2 asin((chord in plan units / 2) / r) degrees, r half the rectangle's extent
// along D (1 when that is 0), kept within 5 to 90 degrees.
void SetupCurvedWall(void* dc, const FloatRect* rect, float start, float sweep, int16_t viewKind,
                     float level, Float3DPoint* positions, Float3DPoint* inTangents,
                     Float3DPoint* outTangents, uint8_t draw, int32_t* count, uint8_t dropLast,
                     float chord);
