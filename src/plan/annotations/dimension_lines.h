#pragma once
// Every measured line of the plan: a dimension line set off to one side of the measured
// points with extension lines, or one through them with short crossing marks, each with two
// end marks in the document's arrow style and a readout of the measured length in a box
// across the line. Dimensions shorter than 71.5 view units show the readout alone. While a
// tool tracks, the lines and a text element go into the plan view's rubber-band engine.
//
// Points are plan positions (h, v) at elevation 0; the line's direction runs from p1 to p2
// and the lines stand on the measured points m1 and m2. `side` non-zero puts the dimension
// 90 degrees counter-clockwise from that direction. Offsets and gaps are plan units before
// zoom. Nothing is drawn without a current document or with a null reference.
#include <cstdint>

struct Objex;

void DrawDimensionLine(void* dc, float p1h, float p1v, float p2h, float p2v, float m1h,
                       float m1v, float m2h, float m2v, uint8_t side, float offset,
                       uint8_t dynamic, const void* reference1, const void* reference2,
                       uint8_t spare, uint8_t oneSided, float gap, uint8_t labelOnly,
                       const char* extraText);
// The same through the measured points, drawn whether or not the document shows dimensions.
void DrawDimensionLineNoOffset(void* dc, float p1h, float p1v, float p2h, float p2v, float m1h,
                               float m1v, float m2h, float m2v, uint8_t side, float offset,
                               uint8_t dynamic, const void* reference1, const void* reference2,
                               uint8_t spare, uint8_t oneSided, float gap, uint8_t labelOnly,
                               const char* extraText);
// The readout of m1-m2 (plan units) in a background-filled box across the dimension line
// e1-e2 (view units), with the extra text when both fit in 250 characters.
void DrawDimensionText(void* dc, float e1h, float e1v, float e2h, float e2v, float m1h,
                       float m1v, float m2h, float m2v, const void* reference1,
                       const void* reference2, uint8_t spare, const char* extraText);
// The tracking form: a red readout on a white backing, and the line unless `labelOnly`.
void DrawDynamicDimensionText(void* dc, float e1h, float e1v, float e2h, float e2v,
                              uint8_t labelOnly);

// The dimension objects, each needing its points (four, two, three) or its wall.
void DrawDimensionPerimeter(void* dc, const Objex* object);
void DrawDiameterDimension(void* dc, const Objex* object);
void DrawLeaderDimension(void* dc, const Objex* object);
void DrawDimensionAttachment(void* dc, const Objex* object);
