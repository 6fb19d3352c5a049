#pragma once
// Objects' outlines as filled plan regions, handed to the main plan view's region painting
// whatever the context: only the first row of a multi-row object, closed by a copy of its
// first point.
#include <cstdint>

#include "model/types.h"

struct Layer;
struct Objex;

// Nothing without a settings record, object, colours or points.
void Draw2DFillRegion(void* dc, Objex* object, int32_t penStyle, int32_t lineWidth,
                      const RGBColor* strokeColor, const RGBColor* fillColor, int32_t brushStyle);
// The same from a copy whose curved segments became straight pieces.
void Draw2DCurvedFillRegion(void* dc, Objex* object, int32_t penStyle, int32_t lineWidth,
                            const RGBColor* strokeColor, const RGBColor* fillColor,
                            int32_t brushStyle);
// The current floor's exterior walls filled in the interior fill colour (screen only);
// nothing when `flag` is null. With an area (plan H, D), only the walls whose boxes meet it.
void FillAllExteriorPerimeterSpaces(void* dc, const Layer* flag, const FloatRect* area = nullptr);
// Dashed outlines of the current floor's exterior walls in the foundation colour while the
// exterior or foundation wall tool is current (screen only); nothing for a null layer.
void DrawAllFoundationPerimeters(void* dc, const Layer* layer);
// Foundations draw nothing through it.
void Draw2DFoundation(void* dc, Objex* object);
