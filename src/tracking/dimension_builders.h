#pragma once
// The dimension builders: a dimension object whose points carry what it measures, built from
// the points a dimension tool collected (plan units). Each is open, drawn with pen width 1.0,
// pen style 6 and no pattern, filled with the document's fill colour, on the document's current
// plan, its points kind 1 and selected without tangents; it joins the layer with its bounds
// stored. Points go into plan storage (x, 0, y), except the length dimension's. Null, with
// nothing made, without a document, settings record or layer, or when the first two points
// coincide.
#include <cstdint>

struct Layer;
struct Objex;

// Type 143 through B, B + o, A + o, A for A (x1, y1) and B (x2, y2), o the offset at right
// angles to AB on the side of the pick, as long as the pick lies off the line. Laid as
// (x, y, 0) and turned into the plane of the document's view (plan (x, 0, y), side (0, y, x));
// drawn in the length-dimension pen colour.
Objex* BuildLengthDim(float x1, float y1, float x2, float y2, float pickX, float pickY, Layer* layer);
// Type 141 (vertical) through (x2, y2), (pickX, y2), (pickX, y1), (x1, y1), or type 142 through
// (x2, y2), (x2, pickY), (x1, pickY), (x1, y1).
Objex* BuildOffsetDim(float x1, float y1, float x2, float y2, float pickX, float pickY, Layer* layer,
                      uint8_t vertical);
// Type and subtype 104 across the diameter from (x1, y1) to (x2, y2).
Objex* BuildDiameterDim(float x1, float y1, float x2, float y2, Layer* layer);
// Type and subtype 108: arrow point, bend, end.
Objex* BuildLeaderDim(float x1, float y1, float x2, float y2, float x3, float y3, Layer* layer);
// Type and subtype 103 through the first four points; the fifth is not used.
Objex* BuildAngleDim(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                     float x5, float y5, Layer* layer);

// Gives the dimension its info record (the document's dimension flags and two dimension
// values) and, when asked, a 40 by 20 text box (type 201) centred on (x, y) in the view's
// plane; then the selection becomes the dimension and its box, grouped when there are two.
// Without a document the dimension is left without type data, without a settings record with
// an empty record. Returns the dimension.
Objex* AddDimensionInfo(Objex* dimension, float x, float y, uint8_t withText);
