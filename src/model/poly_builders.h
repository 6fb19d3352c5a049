#pragma once
// The polygon builders: a finished gesture (or a 3D constructor's outline) becomes a model
// object with its points, pen and fill, and bounds. Positions are plan units; tangents are
// Hermite tangents relative to their point.
#include <cstdint>

#include "model/types.h"

struct Layer;
struct Objex;
struct Poinz;

// The pen and fill a builder gives a new object.
struct DrawingStyle {
    RGBColor fillColor;
    RGBColor penColor;
    float penWidth = 1.0f;
    int16_t penStyle = 6;
    int16_t fillPattern = 0;
};
// The document's current fill, pen and pattern when asked and a settings record exists;
// otherwise the plain style: white fill, black pen, width 1.0, pen style 6, pattern 0.
DrawingStyle GetBuilderDrawingStyle(uint8_t useDocumentStyle);

// Appends a new point after `tail` (the object's last point, or null for none) and makes it
// the tail; false when the point cannot be made.
bool AppendBuilderPoint(Objex* object, Poinz*& tail, int16_t kind, uint8_t selected,
                        const Float3DPoint& at, const Float3DPoint& in = {},
                        const Float3DPoint& out = {});

// A new object of the type through `count` first-row points (kind 1, selected) and, when all
// three second-row arrays are given, as many second-row points; rows is 2 exactly when the
// second row was laid. 2D and 3D bounds are stored. Added to the layer on request; a closed
// object of two rows added so is put into its standard direction. Null for a missing layer,
// first-row positions or first-row tangents; null (with nothing left behind) when an object
// or point cannot be made.
Objex* BuildGeneralPoly(const Float3DPoint* first, const Float3DPoint* second,
                        const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                        const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                        Layer* layer, uint8_t useDocumentStyle, int16_t type, uint8_t closed,
                        uint8_t addToLayer);
// An open polygon (type 9) on the layer, its faces mapped and its row lengths measured, as a
// read gives them: the makers that dress it as another type save what a read of it gives.
Objex* BuildOpenPoly(const Float3DPoint* first, const Float3DPoint* second,
                     const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                     const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                     Layer* layer, uint8_t useDocumentStyle);
// A closed polygon (type 8) on the layer, its cap facing, texture faces and row lengths set.
Objex* BuildClosedPoly(const Float3DPoint* first, const Float3DPoint* second,
                       const Float3DPoint* firstIn, const Float3DPoint* firstOut,
                       const Float3DPoint* secondIn, const Float3DPoint* secondOut, int32_t count,
                       Layer* layer, uint8_t useDocumentStyle);
